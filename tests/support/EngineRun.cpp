#include "support/EngineRun.h"

#include <algorithm>
#include <sstream>
#include <tuple>
#include <utility>

namespace tranchex::test {

TestRun RunJob(const TestJob& job) {
  TestRun run;
  run.ctx.OptimisationCriterion = job.criterion;
  run.ctx.NewPanelChoice = job.choice;
  PartList parts = job.parts;
  PartGroupList groups;
  SeedAndGroup(job.stock, parts, job.kind, run.ctx, run.panels, groups);
  try {
    RunCuttingOptimisation(groups, run.panels, job.stock, job.margins, job.kerf, run.ctx);
  } catch (const NoPanelFitsError& e) {
    run.failed = true;
    run.unplaceable = e.part();
  }
  PutPanelsInEntryOrder(run.panels);
  return run;
}

Panneau_p& AddStock(TestJob& job, double length, double width, int quantity, int grain,
                    double thickness, int species) {
  Panneau_p panel(length, width, thickness, species);
  panel.Grain = grain;
  panel.Quantity = quantity;
  panel.EntryIndex = static_cast<std::int32_t>(job.stock.size());
  job.stock.push_back(std::move(panel));
  return job.stock.back();
}

TPiece& AddPart(TestJob& job, double length, double width, int quantity, int grain,
                double thickness, int species) {
  TPiece part(length, width, thickness, species);
  part.Grain = grain;
  part.Quantity = quantity;
  part.Number = static_cast<std::int32_t>(job.parts.size());
  part.DesignationIndex = part.Number;
  job.parts.push_back(part);
  return job.parts.back();
}

bool FitsSomeStockPanel(const TestJob& job, const TPiece& part) {
  // Where the stock holds panels of the part's own grain (and material), the part goes on one of
  // those only: a grained part is not moved to a panel of another grain behind the shop's back.
  auto sameMaterial = [&](const Panneau_p& stock) {
    return stock.Species == part.Species &&
           ThicknessMatches(stock.Thickness, part.Thickness, job.margins);
  };
  bool ownGrainExists = false;
  for (const Panneau_p& stock : job.stock) {
    ownGrainExists = ownGrainExists || (sameMaterial(stock) && stock.Grain == part.Grain);
  }
  for (const Panneau_p& stock : job.stock) {
    if (!sameMaterial(stock) || (ownGrainExists && stock.Grain != part.Grain)) continue;
    if (PartFitsRect(part, stock.Rect, job.margins, stock.Grain)) return true;
  }
  return false;
}

namespace {

// Draws from a seeded generator.
struct Draws {
  explicit Draws(std::uint32_t seed) : rng(seed) {}
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  bool chance(int percent) { return pick(1, 100) <= percent; }
  std::mt19937 rng;
};

// The settings of a random job, drawn in this order: kind (simple one time in `simple` hundred),
// criterion, new-panel choice, kerf, the length margin (none one time in `noMargin` hundred,
// else up to `halfSteps` half units), the width margin (the same one time in two), the
// thickness margin and thicker stock.
void DrawSettings(TestJob& job, Draws& draw, int simple, int noMargin, int halfSteps) {
  job.kind = draw.chance(simple) ? 1 : 2;
  job.criterion = draw.pick(1, 3);
  job.choice = draw.pick(1, 2);
  job.kerf = draw.chance(20) ? 0 : draw.pick(1, 50);
  job.margins.LengthMargin = draw.chance(noMargin) ? 0.0 : draw.pick(0, halfSteps) / 2.0;
  job.margins.WidthMargin =
      draw.chance(50) ? job.margins.LengthMargin : draw.pick(0, halfSteps) / 2.0;
  job.margins.ThicknessMargin = draw.chance(70) ? 0.0 : 20.0;
  job.margins.ThickerStockAllowed = draw.chance(30) ? 1 : 0;
}

}  // namespace

TestJob RandomJob(std::uint32_t seed) {
  Draws draw(seed);
  TestJob job;
  DrawSettings(job, draw, 25, 30, 80);
  const double thicknesses[] = {160.0, 190.0, 220.0};
  const int materials = job.kind == 1 ? 1 : draw.pick(1, 3);
  const int stockCount = std::max(materials, draw.pick(1, 4));
  for (int s = 0; s < stockCount; ++s) {
    const int material = s % materials;
    double thickness = thicknesses[material] + job.margins.ThicknessMargin;
    if (job.margins.ThickerStockAllowed && draw.chance(30)) thickness += 10.0 * draw.pick(1, 3);
    const int length = draw.pick(6000, 30000);
    const int width = std::min(length, draw.pick(3000, 20700));
    AddStock(job, length + draw.pick(0, 9) / 10.0, width, draw.pick(0, 3), draw.pick(0, 2), thickness, material);
  }
  const int partCount = draw.pick(1, 25);
  const bool oversize = draw.chance(8);  // one part longer than most stock
  for (int i = 0; i < partCount; ++i) {
    const int material = draw.pick(0, materials - 1);
    const int length = oversize && i == 0 ? draw.pick(20000, 40000) : draw.pick(50, 7000);
    const int width = std::min(length, draw.chance(10) ? draw.pick(40, 200) : draw.pick(40, 4000));
    AddPart(job, length + draw.pick(0, 9) / 10.0, width + draw.pick(0, 9) / 10.0,
            draw.chance(10) ? 0 : draw.pick(1, 12), draw.pick(0, 2), thicknesses[material], material);
  }
  return job;
}

TestJob VariedJob(std::uint32_t seed) {
  Draws draw(seed);
  TestJob job;
  DrawSettings(job, draw, 20, 40, 60);
  const double thicknesses[] = {160.0, 185.0, 190.0, 220.0};
  const int species = draw.pick(1, 3);
  const int materials = draw.pick(1, 3);
  auto material = [&] { return std::pair{thicknesses[draw.pick(0, materials)], draw.pick(0, species - 1)}; };
  const int stockCount = draw.pick(1, 6);
  for (int s = 0; s < stockCount; ++s) {
    // Now and then the entry before it again, in another thickness or another species only.
    if (s > 0 && draw.chance(30)) {
      Panneau_p copy = job.stock.back();
      if (draw.chance(50)) {
        const double more[] = {10.0, 15.0, 5.5, 30.0};
        copy.Thickness += more[draw.pick(0, 3)];
      } else {
        copy.Species = (copy.Species + draw.pick(1, 2)) % 3;
      }
      copy.Quantity = draw.pick(0, 30);
      copy.EntryIndex = static_cast<std::int32_t>(job.stock.size());
      job.stock.push_back(copy);
      continue;
    }
    const auto [thickness, kind] = material();
    const int length = draw.pick(8000, 28000);
    const int width = std::min(length, draw.pick(7000, 20700));
    const int quantity = draw.chance(25) ? draw.pick(0, 1) : draw.chance(70) ? draw.pick(2, 30) : draw.pick(31, 120);
    AddStock(job, length + (draw.chance(20) ? draw.pick(1, 9) / 10.0 : 0.0), width, quantity, draw.pick(0, 2),
             thickness + job.margins.ThicknessMargin, kind);
  }
  const int partCount = draw.pick(1, 30);
  const bool stray = draw.chance(8);     // one part of any material, maybe one no stock panel has
  const bool oversize = draw.chance(5);  // one part longer than most stock
  for (int i = 0; i < partCount; ++i) {
    // The parts of some stock entry's material.
    double thickness;
    int kind;
    if (!(stray && i == partCount - 1)) {
      const Panneau_p& stock = job.stock[static_cast<std::size_t>(draw.pick(0, stockCount - 1))];
      thickness = stock.Thickness - job.margins.ThicknessMargin;
      if (job.margins.ThickerStockAllowed && draw.chance(30)) thickness -= 10.0 * draw.pick(1, 3);
      kind = stock.Species;
    } else {
      std::tie(thickness, kind) = material();
    }
    const int length = oversize && i == 0 ? draw.pick(20000, 40000) : draw.chance(40) ? draw.pick(50, 1500) : draw.pick(50, 6500);
    const int width = std::min(length, draw.chance(15) ? draw.pick(40, 300) : draw.pick(40, 4000));
    const int quantity = draw.chance(5) ? 0 : draw.chance(70) ? draw.pick(1, 12) : draw.pick(13, 80);
    AddPart(job, length + (draw.chance(30) ? draw.pick(0, 9) / 10.0 : 0.0),
            width + (draw.chance(30) ? draw.pick(0, 9) / 10.0 : 0.0), quantity, draw.pick(0, 2), thickness, kind);
  }
  return job;
}

TestJob ShopJob(std::uint32_t seed, int copies, int distinct) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TestJob job;
  job.criterion = 1;
  job.choice = 2;
  job.kerf = 32;
  job.margins.LengthMargin = 5.0;
  job.margins.WidthMargin = 5.0;
  AddStock(job, 28000, 20700, 1, 0);
  for (int i = 0; i < distinct; ++i) {
    const int length = pick(1500, 20000);
    const int width = std::min(length, pick(500, 9000));
    const int quantity = copies / distinct + (i < copies % distinct ? 1 : 0);
    AddPart(job, length, width, quantity, pick(0, 2));
  }
  return job;
}

TestJob ShopMixJob(std::uint32_t seed, int copies, int distinct, MixGrain grains, int kerf) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TestJob job;
  job.criterion = 1;
  job.choice = 2;
  job.kerf = kerf;
  AddStock(job, 28000, 20700, 1, grains == MixGrain::Indifferent ? 2 : 0);
  for (int i = 0; i < distinct; ++i) {
    const int length = 10 * pick(100, 1200);
    const int width = 10 * pick(100, 800);
    const int quantity = copies / distinct + (i < copies % distinct ? 1 : 0);
    const int grain = grains == MixGrain::Horizontal ? 0
                      : grains == MixGrain::Mixed    ? pick(0, 2)
                                                     : 2;
    AddPart(job, length, width, quantity, grain);
  }
  return job;
}

TestJob ComplexShopJob(std::uint32_t seed, int copies, int stockQuantity) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TestJob job;
  job.criterion = 1;
  job.choice = 2;
  job.kerf = 40;
  for (int s = 0; s < 100; ++s)
    AddStock(job, 10 * pick(2500, 3100), 10 * pick(1250, 2070), stockQuantity, (s / 3) % 3, 190.0,
             s % 3);
  AddShopParts(job, rng, 2500, copies, 190.0);
  return job;
}

void AddShopParts(TestJob& job, std::mt19937& rng, int records, int copies, double thickness) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < records; ++i) {
    const int length = 10 * pick(100, 2500);
    const int width = std::min(length, 10 * pick(50, 1200));
    const int quantity = copies / records + (i < copies % records ? 1 : 0);
    AddPart(job, length, width, quantity, pick(0, 2), thickness, pick(0, 2));
  }
}

std::string DescribeJob(const TestJob& job) {
  std::ostringstream os;
  os << "kind " << job.kind << ", criterion " << job.criterion << ", choice " << job.choice
     << ", kerf " << job.kerf << ", margins " << job.margins.LengthMargin << "/"
     << job.margins.WidthMargin << "/" << job.margins.ThicknessMargin
     << (job.margins.ThickerStockAllowed ? " thicker stock allowed" : "") << "\n";
  for (const auto& s : job.stock) {
    os << "  stock " << s.Length << " x " << s.Width << " x " << s.Thickness << " species "
       << s.Species << " grain " << s.Grain << " qty " << s.Quantity << "\n";
  }
  for (const auto& p : job.parts) {
    os << "  part " << p.Number << ": " << p.Length << " x " << p.Width << " x " << p.Thickness
       << " species " << p.Species << " grain " << p.Grain << " qty " << p.Quantity << "\n";
  }
  return os.str();
}

}  // namespace tranchex::test
