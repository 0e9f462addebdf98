// tranchex-engine-scaling [--full] [--only complex|thicker|distinct|two|sheets]: how the
// optimiser's time grows at the product's limits, timed once each (not a test: the seconds
// depend on the machine, the ratios hold better). Prints:
//   - the complex job (2,500 part records of three species and three grains on 100 stock
//     records of 10,000 panels each) at 100,000, 200,000 and 400,000 copies (and 1,000,000 with
//     --full), with the ratio of each doubling, and the same with thicker stock allowed;
//   - 1,000,000 copies of 10,000 distinct sizes against 1,000,000 copies of the 500-size shop
//     mix, and their ratio;
//   - thicker stock allowed on stock of two thicknesses (TwoThicknessJob) at 100,000, 200,000
//     and 400,000 copies (and 1,000,000 with --full), each against the same job on stock of one
//     thickness;
//   - sheets each taking one large part, then mid-size parts that fit none of their offcuts
//     (SheetsThenMidSizeJob), at 10,000 and 40,000 sheets (and 500,000, a million copies, with
//     --full), each against its control whose parts fit the offcuts.
// Build with optimisation (the default RelWithDebInfo), then: build/bin/tranchex-engine-scaling

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "ScalingJobs.h"
#include "support/EngineRun.h"

namespace {

using tranchex::test::TestJob;

double Seconds(const TestJob& job, const char* name) {
  const auto start = std::chrono::steady_clock::now();
  const tranchex::test::TestRun run = tranchex::test::RunJob(job);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::size_t used = 0;
  for (const auto& panel : run.panels) used += panel.PlacedParts.empty() ? 0 : 1;
  std::printf("%-34s %8.2f s  %8zu panels used%s\n", name, took.count(), used,
              run.failed ? "  (REFUSED a part)" : "");
  std::fflush(stdout);
  return took.count();
}

}  // namespace

int main(int argc, char** argv) {
  bool full = false;
  std::string only;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--full") == 0) {
      full = true;
    } else if (std::strcmp(argv[a], "--only") == 0 && a + 1 < argc) {
      only = argv[++a];
    } else {
      std::fprintf(stderr,
                   "usage: tranchex-engine-scaling [--full] "
                   "[--only complex|thicker|distinct|two|sheets]\n");
      return 1;
    }
  }
  for (const bool thicker : {false, true}) {
    if (!only.empty() && only != (thicker ? "thicker" : "complex")) continue;
    double previous = 0;
    int previousCopies = 0;
    for (const int copies : {100000, 200000, 400000, 1000000}) {
      if (copies == 1000000 && !full) break;
      const std::string name =
          (thicker ? "thicker allowed, " : "complex job, ") + std::to_string(copies) + " copies";
      TestJob job = tranchex::test::ComplexShopJob(2042, copies, 10000);
      job.margins.ThickerStockAllowed = thicker ? 1 : 0;
      const double t = Seconds(job, name.c_str());
      if (previous > 0)
        std::printf("  x%.2f for x%.1f copies\n", t / previous,
                    static_cast<double>(copies) / previousCopies);
      previous = t;
      previousCopies = copies;
    }
  }
  if (only.empty() || only == "distinct") {
    using tranchex::test::MixGrain;
    const double mix = Seconds(tranchex::test::ShopMixJob(2024, 1000000, 500, MixGrain::Horizontal, 40),
                               "500-size mix, 1,000,000 copies");
    const double distinct =
        Seconds(tranchex::test::ShopMixJob(2024, 1000000, 10000, MixGrain::Horizontal, 40),
                "10,000 distinct, 1,000,000 copies");
    std::printf("  10,000 distinct / 500-size mix: x%.2f\n", distinct / mix);
  }
  if (only.empty() || only == "two") {
    double previous = 0;
    int previousCopies = 0;
    for (const int copies : {100000, 200000, 400000, 1000000}) {
      if (copies == 1000000 && !full) break;
      const std::string copiesText = std::to_string(copies) + " copies";
      const double one = Seconds(tranchex::bench::TwoThicknessJob(2047, copies, 10000, false),
                                 ("one thickness, " + copiesText).c_str());
      const double two = Seconds(tranchex::bench::TwoThicknessJob(2047, copies, 10000, true),
                                 ("two thicknesses, " + copiesText).c_str());
      std::printf("  two / one thickness: x%.2f", two / one);
      if (previous > 0)
        std::printf(", two thicknesses x%.2f for x%.1f copies", two / previous,
                    static_cast<double>(copies) / previousCopies);
      std::printf("\n");
      previous = two;
      previousCopies = copies;
    }
  }
  if (only.empty() || only == "sheets") {
    for (const int sheets : {10000, 40000, 500000}) {
      if (sheets == 500000 && !full) break;
      const std::string sheetsText = std::to_string(sheets) + " sheets";
      const double control = Seconds(tranchex::bench::SheetsThenMidSizeJob(2047, sheets, true),
                                     ("offcuts fit, " + sheetsText).c_str());
      const double missed = Seconds(tranchex::bench::SheetsThenMidSizeJob(2047, sheets, false),
                                    ("offcuts missed, " + sheetsText).c_str());
      std::printf("  missed / fit: x%.2f\n", missed / control);
    }
  }
  return 0;
}
