// The driver's fast paths answer exactly as the placement functions they stand for: the
// whole-unit fit test as PartFitsRect, and the look-ahead over runs of copies as ScoreFreeRect
// walking the group entry by entry, on sizes a shop enters and on sizes no dialog lets through
// (zero, negative, NaN, infinite, huge), on rectangles upside down or empty, for every criterion;
// and stock entered in quantity, whose untouched copies are offered a part through the first of
// them, as every copy offered one by one.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "engine/EngineFixtures.h"
#include "engine/GroupRuns.h"
#include "engine/PlacementDetail.h"
#include "support/EngineRun.h"

namespace tranchex {
namespace {

using test::MakeMargins;
using test::MakePanel;
using test::MakePart;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Draw {
  std::mt19937 rng;
  explicit Draw(std::uint32_t seed) : rng(seed) {}
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  bool Chance(int percent) { return Int(1, 100) <= percent; }
  // A size as a shop enters it (tenths, sometimes with a fraction), or now and then an odd one.
  double Size(bool odd) {
    if (odd && Chance(15)) {
      const double strange[] = {0.0, -0.0, -50.0, -0.5, kNaN, kInf, -kInf, 1e300, 4e9, 0.3};
      return strange[Int(0, 9)];
    }
    return Int(1, 12000) + (Chance(30) ? Int(1, 9) / 10.0 : 0.0);
  }
  double Margin(bool odd) {
    if (odd && Chance(10)) {
      const double strange[] = {-3.0, -0.25, kNaN, 1e12};
      return strange[Int(0, 3)];
    }
    return Chance(40) ? 0.0 : Int(0, 80) / 2.0;
  }
  TRect Rect() {
    const int l = Int(-100, 20000), b = Int(-100, 20000);
    TRect r(l, b + Int(0, 13000), l + Int(0, 13000), b);
    if (Chance(5)) std::swap(r.top, r.bottom);  // upside down
    if (Chance(5)) std::swap(r.left, r.right);
    if (Chance(5)) r.right = r.left;  // empty
    return r;
  }
  TPiece Part(bool odd, int number) {
    TPiece part = MakePart(Size(odd), Size(odd), 1, Int(odd ? -1 : 0, odd ? 3 : 2), 190.0, 0, number);
    if (odd && Chance(10)) part.Area = Size(true);  // an area that is not length x width
    return part;
  }
};

bool SameFloat(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

TEST(FastFitTest, AnswersAsPartFitsRect) {
  for (bool odd : {false, true}) {
    Draw draw(odd ? 11u : 7u);
    int fits = 0, checks = 0;
    for (int n = 0; n < 4000; ++n) {
      const TPiece part = draw.Part(odd, 0);
      const double m0 = draw.Margin(odd), m1 = draw.Chance(50) ? m0 : draw.Margin(odd);
      const detail::FitKey key(part, m0, m1);
      for (int k = 0; k < 40; ++k) {
        TRect rect = draw.Rect();
        // Rectangles exactly the part's size with its margins: the ties must fit.
        if (draw.Chance(20) && std::isfinite(part.Length) && std::isfinite(part.Width) &&
            std::fabs(part.Length) < 1e6 && std::fabs(part.Width) < 1e6) {
          rect = TRect(0, static_cast<int>(std::ceil(part.Width + 2 * m1)),
                       static_cast<int>(std::ceil(part.Length + 2 * m0)), 0);
        }
        for (int panelGrain = -1; panelGrain <= 3; ++panelGrain) {
          const bool expected = PartFitsRect(part, rect, m0, m1, panelGrain);
          ASSERT_EQ(key.Fits(rect, panelGrain), expected)
              << "part " << part.Length << " x " << part.Width << " area " << part.Area << " grain "
              << part.Grain << ", margins " << m0 << "/" << m1 << ", rect " << rect
              << ", panel grain " << panelGrain;
          fits += expected ? 1 : 0;
          ++checks;
        }
      }
    }
    // Both answers must be well represented for the comparison to mean anything.
    EXPECT_GT(fits, checks / 20);
    EXPECT_LT(fits, checks - checks / 20);
  }
}

// A group of copies: runs of a few parts, sometimes the same part again further on, sometimes
// a copy of one part that differs from its neighbours in a field the look-ahead does not read.
PartList DrawGroup(Draw& draw, bool odd) {
  std::vector<TPiece> parts;
  const int distinct = draw.Int(1, 12);
  for (int n = 0; n < distinct; ++n) parts.push_back(draw.Part(odd, n));
  PartList group;
  const int runs = draw.Int(1, 16);
  for (int r = 0; r < runs; ++r) {
    TPiece part = parts[static_cast<std::size_t>(draw.Int(0, distinct - 1))];
    const int copies = draw.Int(1, 5);
    for (int c = 0; c < copies; ++c) {
      if (draw.Chance(5)) part.Unused += 1;  // a new run of the same part number
      group.push_back(part);
    }
  }
  return group;
}

TEST(FastLookAheadTest, ScoresAsTheWalkOverEveryCopy) {
  for (bool odd : {false, true}) {
    Draw draw(odd ? 23u : 5u);
    int belowOne = 0, scores = 0;
    for (int n = 0; n < 1500; ++n) {
      const PartList group = DrawGroup(draw, odd);
      const MarginsBlock margins = MakeMargins(draw.Margin(odd), draw.Margin(odd));
      PartCountList counts;
      for (int k = 0; k < 12; ++k) counts.push_back(ID_NB_PIECE{k, 5});
      detail::GroupRuns runs(group, margins, counts);
      runs.StartPass();
      const Panneau_p panel = MakePanel(28000, 20700, draw.Int(0, 2), 190.0);
      for (int k = 0; k < 6; ++k) {
        TRect rect = draw.Rect();
        // Now and then exactly the room of one of the parts with its margins (turned or not):
        // the ties must fit there too.
        const int last = static_cast<int>(group.size()) - 1;
        const TPiece& sized = group[static_cast<std::size_t>(draw.Int(0, last))];
        const double across = sized.Length + 2 * margins.LengthMargin;
        const double up = sized.Width + 2 * margins.WidthMargin;
        if (draw.Chance(30) && std::isfinite(across) && std::isfinite(up) && std::fabs(across) < 1e6 &&
            std::fabs(up) < 1e6) {
          const int x = static_cast<int>(std::ceil(across)), y = static_cast<int>(std::ceil(up));
          rect = draw.Chance(50) ? TRect(100, 100 + y, 100 + x, 100) : TRect(0, x, y, 0);
        }
        const int criterion = draw.Chance(10) ? draw.Int(-1, 5) : draw.Int(1, 3);
        std::size_t i = 0;
        for (std::size_t r = 0; r < runs.Runs().size(); ++r) {
          for (std::size_t c = 0; c < runs.Runs()[r].count; ++c, ++i) {
            const float expected = ScoreFreeRect(panel, rect, i, group, margins, criterion);
            const float found = runs.Score(r, c, panel, rect, criterion);
            ASSERT_TRUE(SameFloat(found, expected))
                << "entry " << i << " of " << group.size() << ", criterion " << criterion
                << ", rect " << rect << ": " << found << " instead of " << expected;
            belowOne += expected < 1.0f ? 1 : 0;
            ++scores;
          }
        }
        ASSERT_EQ(i, group.size());
      }
    }
    EXPECT_GT(belowOne, scores / 10);
    EXPECT_LT(belowOne, scores - scores / 10);
  }
}

TEST(FastLookAheadTest, RunsGiveBackTheCopiesLeft) {
  PartList group;
  const TPiece a = MakePart(500, 400, 1, GrainIndifferent, 190, 0, 0);
  const TPiece b = MakePart(300, 200, 1, GrainIndifferent, 190, 0, 1);
  for (const TPiece& p : {a, a, a, b, a, a}) group.push_back(p);
  PartCountList counts = {{0, 5}, {1, 1}};
  detail::GroupRuns runs(group, MakeMargins(), counts);
  ASSERT_EQ(runs.Runs().size(), 3u);
  EXPECT_EQ(runs.Runs()[0].entry, &counts[0]);
  EXPECT_EQ(runs.Runs()[1].entry, &counts[1]);
  runs.StartPass();
  runs.Placed(0);
  runs.Placed(0);
  runs.Placed(1);
  EXPECT_TRUE(runs.EndPass());
  PartList left;
  runs.WriteBack(left);
  ASSERT_EQ(left.size(), 3u);
  for (const TPiece& p : left) EXPECT_EQ(p.Number, 0);
  runs.StartPass();
  EXPECT_FALSE(runs.EndPass());
}

// Working panels laid out from the random jobs with every stock entry in many copies. The
// reference run gives each copy its own starting "last part offered" (a field the placement
// writes and never reads), so that no two untouched copies look alike and each is offered every
// part in turn; the run on the copies as seeded must end with the very same panels: parts,
// free rectangles, cut lines, grid fields and last part offered (a copy never offered keeps -1),
// the same counts left, split choice and refusal.
TEST(StockInQuantity, UntouchedCopiesAnswerAsEachOfferedInTurn) {
  int blocksLeftWhole = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE(seed);
    test::TestJob job = test::RandomJob(seed);
    std::mt19937 rng(seed);
    for (Panneau_p& stock : job.stock)
      stock.Quantity = std::uniform_int_distribution<int>(0, 25)(rng);

    struct Run {
      EngineContext ctx;
      PanelList panels;
      bool failed = false;
      std::int32_t unplaceable = -1;
    };
    const auto lay = [&](bool eachItsOwn) {
      Run run;
      run.ctx.OptimisationCriterion = job.criterion;
      run.ctx.NewPanelChoice = job.choice;
      PartList parts = job.parts;
      PartGroupList groups;
      SeedAndGroup(job.stock, parts, job.kind, run.ctx, run.panels, groups);
      if (eachItsOwn) {
        for (std::size_t k = 0; k < run.panels.size(); ++k)
          run.panels[k].LastPart = -2 - static_cast<std::int32_t>(k);
      }
      try {
        RunCuttingOptimisation(groups, run.panels, job.stock, job.margins, job.kerf, run.ctx);
      } catch (const NoPanelFitsError& e) {
        run.failed = true;
        run.unplaceable = e.partNumber();
      }
      return run;
    };
    const Run reference = lay(true);
    const Run seeded = lay(false);

    ASSERT_EQ(seeded.failed, reference.failed);
    EXPECT_EQ(seeded.unplaceable, reference.unplaceable);
    EXPECT_EQ(seeded.ctx.GridSplitChoice, reference.ctx.GridSplitChoice);
    EXPECT_EQ(seeded.ctx.PartCounts, reference.ctx.PartCounts);
    ASSERT_EQ(seeded.panels.size(), reference.panels.size()) << test::DescribeJob(job);
    for (std::size_t k = 0; k < seeded.panels.size(); ++k) {
      SCOPED_TRACE(k);
      const Panneau_p& a = seeded.panels[k];
      const Panneau_p& b = reference.panels[k];
      EXPECT_EQ(a.EntryIndex, b.EntryIndex);
      EXPECT_EQ(a.FreeRects, b.FreeRects);
      EXPECT_EQ(a.CutLines, b.CutLines);
      EXPECT_EQ(a.CutLength, b.CutLength);
      EXPECT_EQ(a.GridRotate, b.GridRotate);
      EXPECT_EQ(a.GridCount, b.GridCount);
      EXPECT_EQ(a.GridMode, b.GridMode);
      const bool neverOffered = b.LastPart == -2 - static_cast<std::int32_t>(k);
      EXPECT_EQ(a.LastPart, neverOffered ? -1 : b.LastPart);
      ASSERT_EQ(a.PlacedParts.size(), b.PlacedParts.size());
      for (std::size_t i = 0; i < a.PlacedParts.size(); ++i) {
        EXPECT_EQ(a.PlacedParts[i].Number, b.PlacedParts[i].Number);
        EXPECT_EQ(a.PlacedParts[i].Rect, b.PlacedParts[i].Rect);
        EXPECT_EQ(a.PlacedParts[i].Footprint, b.PlacedParts[i].Footprint);
      }
      if (a.PlacedParts.empty() && !neverOffered) ++blocksLeftWhole;
    }
  }
  // Copies that were offered parts and refused them all: the case this test is about.
  EXPECT_GT(blocksLeftWhole, 1000);
}

// Two stock entries alike in size, species and grain, entered one after the other in quantity,
// the second thicker (or, apart, of another species), and parts of the second entry's material:
// every part goes on a copy of the second entry, within its quantity, and the first entry's
// copies stay untouched.
TEST(StockInQuantity, EntriesDifferingOnlyInThicknessOrSpeciesKeepTheirParts) {
  struct Case {
    const char* what;
    double thickness;
    int species;
    bool thickerAllowed;
  };
  const Case cases[] = {
      {"thickness", 220.0, 0, false},
      {"thickness, thicker stock allowed", 220.0, 0, true},
      {"species", 190.0, 1, false},
      {"species, thicker stock allowed", 190.0, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestJob job;
    job.kerf = 0;
    job.margins.ThickerStockAllowed = c.thickerAllowed ? 1 : 0;
    test::AddStock(job, 28000, 20700, 5, GrainHorizontal, 190.0, 0);
    test::AddStock(job, 28000, 20700, 5, GrainHorizontal, c.thickness, c.species);
    // Six to a panel (2 x 3 along the grain): 24 copies fill four of the second entry's five.
    test::AddPart(job, 10000, 6000, 24, GrainHorizontal, c.thickness, c.species);
    const test::TestRun run = test::RunJob(job);
    ASSERT_FALSE(run.failed);
    ASSERT_EQ(run.panels.size(), 10u) << "no panel added";
    std::size_t placed = 0, used = 0;
    for (const Panneau_p& panel : run.panels) {
      if (panel.EntryIndex == 0) {
        EXPECT_TRUE(panel.PlacedParts.empty());
        EXPECT_EQ(panel.Thickness, 190.0);
        EXPECT_EQ(panel.Species, 0);
      }
      if (panel.PlacedParts.empty()) continue;
      EXPECT_EQ(panel.EntryIndex, 1);
      EXPECT_EQ(panel.Thickness, c.thickness);
      EXPECT_EQ(panel.Species, c.species);
      placed += panel.PlacedParts.size();
      ++used;
    }
    EXPECT_EQ(placed, 24u);
    EXPECT_EQ(used, 4u);
  }
}

}  // namespace
}  // namespace tranchex
