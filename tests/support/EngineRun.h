#pragma once
// Test jobs for the engine: a job as entered (stock panels, parts, margins, kerf, choices), laid
// out the way the cutting pipeline does it, and seeded random jobs.

#include <cstdint>
#include <random>
#include <string>

#include "engine/Engine.h"

namespace tranchex::test {

struct TestJob {
  PanelList stock;  // Quantity copies of each are laid out; EntryIndex = position
  PartList parts;   // numbers are positions; Quantity copies of each
  MarginsBlock margins;
  int kerf = 0;
  int kind = 2;       // 1 simple job (one group), 2 complex (groups by species and thickness)
  int criterion = 1;  // 1 area, 2 length, 3 width
  int choice = 2;     // new-panel choice: 1 smallest, 2 largest
};

struct TestRun {
  PanelList panels;
  EngineContext ctx;
  bool failed = false;        // the engine threw NoPanelFitsError
  TPiece unplaceable;         // the part it named
};

// Seeds the working panels, groups the parts, sorts, runs the optimisation and puts the panels
// back in entry order. Throws what the engine throws, except NoPanelFitsError, which is
// reported in the result with the panels laid out so far.
TestRun RunJob(const TestJob& job);

// Adds a stock panel / a part to the job (numbers and entry indexes follow positions).
Panneau_p& AddStock(TestJob& job, double length, double width, int quantity = 1, int grain = 2,
                    double thickness = 190.0, int species = 0);
TPiece& AddPart(TestJob& job, double length, double width, int quantity = 1, int grain = 2,
                double thickness = 190.0, int species = 0);

// Does the part fit some stock panel of its species and a matching thickness on its own, in an
// orientation the grains allow? The engine must place every part for which this holds.
bool FitsSomeStockPanel(const TestJob& job, const TPiece& part);

// A seeded random job: mixed grains, species and thicknesses, margins, kerf, thicker stock,
// criteria and new-panel choices; most parts fit some stock panel, a few may not.
TestJob RandomJob(std::uint32_t seed);

// A seeded random job that reaches every path of the driver: simple and complex jobs, several
// species and thicknesses, stock in quantity (often more copies than the parts need, sometimes
// none, so the engine adds panels), stock entries side by side that differ only in thickness or
// only in species, thicker stock allowed, every grain, margins, kerf, criteria and new-panel
// choices, and parts from small to larger than most stock, in quantity.
TestJob VariedJob(std::uint32_t seed);

// A job of `copies` part copies of `distinct` sizes on 2800 x 2070 panels, all of one material,
// as a shop would enter it (for benchmarks).
TestJob ShopJob(std::uint32_t seed, int copies, int distinct);

// The grains of a shop mix: every part and the panel along the length (0); parts of every grain
// on a panel along the length; or everything indifferent (2), so panels may be filled as grids.
enum class MixGrain { Horizontal, Mixed, Indifferent };

// A shop's mix: `distinct` sizes drawn from 100-1200 mm by 100-800 mm (whole millimetres), each
// entered with an equal share of `copies` copies, all of one material, on 2800 x 2070 mm panels
// (one in stock); no margins; criterion 1, largest new panel; kerf as given (tenths of a mm).
TestJob ShopMixJob(std::uint32_t seed, int copies, int distinct, MixGrain grains, int kerf);

// A complex job at the product's limits: 2,500 part records of three species and three grains,
// 100 x 50 to 2500 x 1200 mm, sharing `copies` copies, on 100 stock records (2500-3100 x
// 1250-2070 mm, every species and grain) entered with `stockQuantity` panels each; 19 mm, a
// 4 mm kerf, no margin, criterion 1, largest new panel.
// `records` part records of shop sizes (100 x 50 to 2500 x 1200 mm, whole millimetres), three
// species and three grains, of the given thickness, drawn from `rng`, sharing `copies` copies.
void AddShopParts(TestJob& job, std::mt19937& rng, int records, int copies, double thickness);
TestJob ComplexShopJob(std::uint32_t seed, int copies, int stockQuantity);

std::string DescribeJob(const TestJob& job);

}  // namespace tranchex::test
