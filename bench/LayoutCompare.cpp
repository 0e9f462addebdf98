// tranchex-layout-compare SHAPE FROM COUNT: lays out COUNT seeded jobs from seed FROM and prints
// one line per job, its seed and the fingerprint of its layouts (support/LayoutHash.h). Built
// from two versions of the engine, the two outputs compared line by line tell whether a rework
// kept every layout: `diff <(old/tranchex-layout-compare mixed 0 20000) <(new/...)`.
//
// Shapes:
//   mixed   thicker stock allowed (most of the time) with several thicknesses of stock, species
//           and grains mixed, stock in quantity, parts sized to fit a panel or an offcut exactly
//           or to miss it by a tenth of a millimetre or a millimetre
//   varied  the varied jobs of the engine tests (VariedJob)
//   random  the random jobs of the engine tests (RandomJob)
//   thicker the two-thickness job of tranchex-engine-scaling, a few thousand copies
//   sheets  the sheets-then-mid-size-parts job and its control, a few hundred sheets

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "ScalingJobs.h"
#include "support/EngineRun.h"
#include "support/LayoutHash.h"

namespace {

using tranchex::test::AddPart;
using tranchex::test::AddStock;
using tranchex::test::TestJob;

struct Draws {
  explicit Draws(std::uint32_t seed) : rng(seed) {}
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  bool chance(int percent) { return pick(1, 100) <= percent; }
  std::mt19937 rng;
};

TestJob MixedJob(std::uint32_t seed) {
  Draws draw(seed);
  TestJob job;
  job.kind = draw.chance(15) ? 1 : 2;
  job.criterion = draw.pick(1, 3);
  job.choice = draw.pick(1, 2);
  job.kerf = draw.chance(20) ? 0 : draw.pick(1, 50);
  job.margins.LengthMargin = draw.chance(50) ? 0.0 : draw.pick(0, 40) / 2.0;
  job.margins.WidthMargin = draw.chance(50) ? job.margins.LengthMargin : draw.pick(0, 40) / 2.0;
  const double thicknessMargins[] = {0.0, 0.0, 20.0, 5.5};
  job.margins.ThicknessMargin = thicknessMargins[draw.pick(0, 3)];
  job.margins.ThickerStockAllowed = draw.chance(85) ? 1 : 0;
  const double thicknesses[] = {160.0, 185.0, 190.0, 190.5, 220.0, 250.0, 100.0};
  const int species = draw.pick(1, 3);
  const int stockCount = draw.pick(1, 8);
  for (int s = 0; s < stockCount; ++s) {
    if (s > 0 && draw.chance(35)) {
      // The entry before it again in another thickness (or species): the shop's two thicknesses.
      tranchex::Panneau_p copy = job.stock.back();
      if (draw.chance(75))
        copy.Thickness = thicknesses[draw.pick(0, 6)] + job.margins.ThicknessMargin;
      else
        copy.Species = draw.pick(0, species - 1);
      copy.Grain = draw.chance(70) ? copy.Grain : draw.pick(0, 2);
      copy.Quantity = draw.pick(0, 40);
      copy.EntryIndex = static_cast<std::int32_t>(job.stock.size());
      job.stock.push_back(copy);
      continue;
    }
    const int length = draw.pick(6000, 28000);
    const int width = std::min(length, draw.pick(3000, 20700));
    const int quantity = draw.chance(20) ? draw.pick(0, 1) : draw.chance(70) ? draw.pick(2, 40) : draw.pick(41, 150);
    AddStock(job, length, width, quantity, draw.pick(0, 2),
             thicknesses[draw.pick(0, 6)] + job.margins.ThicknessMargin, draw.pick(0, species - 1));
  }
  const double m0 = job.margins.LengthMargin;
  const double m1 = job.margins.WidthMargin;
  const int partCount = draw.pick(1, 40);
  for (int i = 0; i < partCount; ++i) {
    const tranchex::Panneau_p& stock = job.stock[static_cast<std::size_t>(draw.pick(0, stockCount - 1))];
    double thickness = stock.Thickness - job.margins.ThicknessMargin;
    if (job.margins.ThickerStockAllowed != 0 && draw.chance(50)) thickness -= 10.0 * draw.pick(1, 6);
    // One time in twenty, the last part of a thickness maybe no stock panel takes.
    if (i == partCount - 1 && draw.chance(5)) thickness = thicknesses[draw.pick(0, 6)];
    const int kind = stock.Species;
    // Mostly within the stock entry's smaller side, so that it fits whatever the grains.
    const int within = static_cast<int>(std::min(stock.Length - 2 * m0, stock.Width - 2 * m1));
    double length = draw.chance(90) ? draw.pick(50, std::max(50, within)) : draw.pick(50, 12000);
    double width = std::min(length, static_cast<double>(draw.pick(40, std::max(40, within / 2))));
    const int fit = draw.pick(0, 9);
    const double misses[] = {0.0, 0.1, 1.0, 10.0};
    const double miss = misses[draw.pick(0, 3)];
    if (fit == 0) {
      // The whole panel, or just under it.
      length = stock.Length - 2 * m0 - miss;
      width = stock.Width - 2 * m1;
    } else if (fit <= 3 && !job.parts.empty()) {
      // What a part before it leaves across the panel, with the kerf, or just over it.
      const tranchex::TPiece& before = job.parts[static_cast<std::size_t>(draw.pick(0, static_cast<int>(job.parts.size()) - 1))];
      length = stock.Length - (before.Length + 2 * m0) - job.kerf - 2 * m0 + miss;
      width = draw.chance(50) ? stock.Width - (before.Width + 2 * m1) - job.kerf - 2 * m1 + miss
                              : before.Width;
      if (length <= 0) length = before.Length;
      if (width <= 0) width = before.Width;
    } else if (fit == 4 && !job.parts.empty()) {
      // Half of a part before it, or so.
      const tranchex::TPiece& before = job.parts.back();
      length = std::max(10.0, (before.Length - job.kerf) / 2 + miss);
      width = before.Width;
    }
    const int quantity = draw.chance(5) ? 0 : draw.chance(60) ? draw.pick(1, 12) : draw.pick(13, 120);
    // Sized on the stock entry, a part mostly takes its grain (it might not fit turned), else
    // none, now and then any.
    const int grain = draw.chance(80) ? stock.Grain : draw.chance(90) ? 2 : draw.pick(0, 2);
    AddPart(job, length, width, quantity, grain, thickness, kind);
  }
  return job;
}

TestJob JobOf(const std::string& shape, std::uint32_t seed) {
  if (shape == "mixed") return MixedJob(seed);
  if (shape == "varied") return tranchex::test::VariedJob(seed);
  if (shape == "random") return tranchex::test::RandomJob(seed);
  if (shape == "thicker")
    return tranchex::bench::TwoThicknessJob(seed, 1000 + static_cast<int>(seed % 5) * 1000,
                                            10 + static_cast<int>(seed % 7) * 10, seed % 4 != 0);
  return tranchex::bench::SheetsThenMidSizeJob(seed, 50 + static_cast<int>(seed % 6) * 50, seed % 2 == 0);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string shapes[] = {"mixed", "varied", "random", "thicker", "sheets"};
  if (argc != 4 || std::find(std::begin(shapes), std::end(shapes), argv[1]) == std::end(shapes)) {
    std::fprintf(stderr, "usage: tranchex-layout-compare mixed|varied|random|thicker|sheets FROM COUNT\n");
    return 1;
  }
  const std::string shape = argv[1];
  const auto from = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  const auto count = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  for (std::uint32_t seed = from; seed < from + count; ++seed) {
    const tranchex::test::TestRun run = tranchex::test::RunJob(JobOf(shape, seed));
    std::printf("%u %s%s\n", seed, tranchex::test::HashText(tranchex::test::LayoutHash(run)).c_str(),
                run.failed ? " refused" : "");
  }
  return 0;
}
