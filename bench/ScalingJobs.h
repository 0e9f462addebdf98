#pragma once
// The job shapes of tranchex-engine-scaling that the complex job of the test support does not
// cover, shared with tranchex-layout-compare so that they are also laid out by two builds and
// compared.

#include <random>

#include "support/EngineRun.h"

namespace tranchex::bench {

using tranchex::test::AddPart;
using tranchex::test::AddStock;
using tranchex::test::TestJob;

// Thicker stock allowed on a shop that stocks two thicknesses: 300 part records of 19 mm (three
// species, three grains, 100 x 50 to 2500 x 1200 mm) sharing `copies` copies, on 30 stock
// records (2500-3100 x 1250-2070 mm, every species and grain) of `stockQuantity` panels each,
// every other one 22 mm when `twoThicknesses` (else all 19 mm); a 4 mm kerf, criterion 1,
// largest new panel.
inline TestJob TwoThicknessJob(std::uint32_t seed, int copies, int stockQuantity,
                               bool twoThicknesses) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TestJob job;
  job.criterion = 1;
  job.choice = 2;
  job.kerf = 40;
  job.margins.ThickerStockAllowed = 1;
  for (int s = 0; s < 30; ++s) {
    const double thickness = twoThicknesses && s % 2 == 1 ? 220.0 : 190.0;
    AddStock(job, 10 * pick(2500, 3100), 10 * pick(1250, 2070), stockQuantity, (s / 3) % 3,
             thickness, s % 3);
  }
  tranchex::test::AddShopParts(job, rng, 300, copies, 190.0);
  return job;
}

// `sheets` stock panels of 2800 x 2070 mm (grain along the length) each taking one 2000 x 1400
// mm part, then `sheets` - 1 distinct parts of about 900 x 700 mm that fit neither offcut such a
// panel keeps (a strip about 2800 x 666 and one about 796 x 2070), so every one needs a new
// panel; or, when `fitOffcuts`, distinct parts of about 700 x 600 mm that fit them. A 4 mm
// kerf, no margin, criterion 1, largest new panel.
inline TestJob SheetsThenMidSizeJob(std::uint32_t seed, int sheets, bool fitOffcuts) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TestJob job;
  job.criterion = 1;
  job.choice = 2;
  job.kerf = 40;
  AddStock(job, 28000, 20700, sheets, 0);
  AddPart(job, 20000, 14000, sheets, 0);
  for (int i = 1; i < sheets; ++i) {
    // Distinct sizes: a tenth of a millimetre apart at most these many parts.
    const int length = fitOffcuts ? pick(6000, 7900) : pick(8000, 9990);
    const int width = fitOffcuts ? pick(5000, 6600) : pick(6700, 7900);
    AddPart(job, length, width, 1, 0);
  }
  return job;
}

}  // namespace tranchex::bench
