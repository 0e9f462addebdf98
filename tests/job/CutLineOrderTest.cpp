#include "job/CutLineOrder.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

struct WeightCase {
  const char* name;
  LIGNE line;
  std::int64_t weight;
};

TEST(CutLineWeight, RulesOnA2000By1000Panel) {
  // Panel rectangle left 0, top 1000, right 2000, bottom 0: W 2000, H 1000. The weight is
  // factor x length x position, the position worked from the first point (x, y) with divisions
  // that drop the remainder.
  const std::vector<WeightCase> cases = {
      // 4 x 2000 x (500 div 100 = 5)
      {"horizontal across", {0, 500, 2000, 500}, 40000},
      // the same cut from its other end: x no longer counts for a cut across
      {"horizontal across, drawn right to left", {2000, 500, 0, 500}, 40000},
      // 2 x 800 x (300 div 200 - 0 div 1000 = 1 - 0)
      {"horizontal partial", {0, 300, 800, 300}, 1600},
      // 2 x 500 x (300 div 200 - 1500 div 1000 = 1 - 1)
      {"horizontal partial far right", {1500, 300, 2000, 300}, 0},
      // 2 x 600 x (100 div 200 - 1000 div 1000 = 0 - 1)
      {"horizontal partial, right and low: negative", {1000, 100, 1600, 100}, -1200},
      // 2 x 999 x (999 div 200 - 1999 div 1000 = 4 - 1): both remainders dropped
      {"horizontal partial, remainders dropped", {1999, 999, 1000, 999}, 5994},
      // 2 x 1000 x ((2000 - 1200) div 200 = 4)
      {"vertical across", {1200, 1000, 1200, 0}, 8000},
      // 2 x 1000 x ((2000 - 1999) div 200 = 0)
      {"vertical across at the right edge", {1999, 0, 1999, 1000}, 0},
      // 1 x 400 x ((2000 - 1200) div 400 - (1000 - 0) div 400 = 2 - 2)
      {"vertical partial", {1200, 0, 1200, 400}, 0},
      // 1 x 400 x ((2000 - 1900) div 400 - (1000 - 400) div 400 = 0 - 1)
      {"vertical partial near the right, low: negative", {1900, 400, 1900, 0}, -400},
      // 1 x 998 x ((2000 - 100) div 400 - (1000 - 999) div 400 = 4 - 0)
      {"vertical partial, remainders dropped", {100, 999, 100, 1}, 3992},
      // both rules hold; the vertical one is taken, and a length of 0 weighs 0
      {"zero length weighs nothing", {400, 1000, 400, 1000}, 0},
      {"slanted line", {0, 0, 2000, 1000}, 0},
  };
  for (const WeightCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CutLineWeight(c.line, 0, 1000, 2000, 0), c.weight);
  }
  EXPECT_TRUE(CompareCutLines({0, 300, 800, 300}, {0, 500, 2000, 500}, 0, 1000, 2000, 0));
  EXPECT_FALSE(CompareCutLines({0, 500, 2000, 500}, {0, 300, 800, 300}, 0, 1000, 2000, 0));
  // Equal weights are not "less".
  EXPECT_FALSE(CompareCutLines({1500, 300, 2000, 300}, {1200, 0, 1200, 400}, 0, 1000, 2000, 0));
}

TEST(CutLineWeight, GiantPanelsDoNotOverflow) {
  // 30 x 30 m: 4 x 300000 x (299000 div 100 = 2990) = 3588000000, beyond 32 bits; the cut
  // across must still come first.
  const LIGNE across{0, 299000, 300000, 299000};
  const LIGNE partial{0, 1000, 500, 1000};
  EXPECT_EQ(CutLineWeight(across, 0, 300000, 300000, 0), 3588000000LL);
  EXPECT_TRUE(CompareCutLines(partial, across, 0, 300000, 300000, 0));
}

Panneau_p PanelWithLines(std::vector<LIGNE> lines) {
  Panneau_p p = test::MakePanel(2000, 1000);
  p.PlacedParts.push_back(test::PlacedPart(0, 100, 100, 0, 1000));
  p.CutLines = std::move(lines);
  return p;
}

TEST(OrderCutLines, HeaviestFirstAndStable) {
  const LIGNE across{0, 500, 2000, 500};           // 40000
  const LIGNE vAcross{1200, 1000, 1200, 0};        // 8000
  const LIGNE partial{0, 300, 800, 300};           // 1600
  const LIGNE zeroA{1500, 300, 2000, 300};         // 0
  const LIGNE zeroB{1200, 0, 1200, 400};           // 0
  const LIGNE negative{1900, 400, 1900, 0};        // -400
  PanelList panels = {PanelWithLines({negative, zeroA, partial, zeroB, across, vAcross}),
                      PanelWithLines({zeroB, zeroA})};
  OrderCutLines(panels);
  EXPECT_EQ(panels[0].CutLines,
            (std::vector<LIGNE>{across, vAcross, partial, zeroA, zeroB, negative}));
  EXPECT_EQ(panels[1].CutLines, (std::vector<LIGNE>{zeroB, zeroA}));
}

TEST(OrderCutLines, ShortListsAreUnchanged) {
  PanelList panels = {PanelWithLines({}), PanelWithLines({{1900, 400, 1900, 0}})};
  OrderCutLines(panels);
  EXPECT_TRUE(panels[0].CutLines.empty());
  EXPECT_EQ(panels[1].CutLines, (std::vector<LIGNE>{{1900, 400, 1900, 0}}));
  PanelList none;
  OrderCutLines(none);
  EXPECT_TRUE(none.empty());
}

TEST(OrderCutLines, UsesEachPanelsOwnRectangle) {
  // The same vertical line crosses a 1000-high panel but not a 2000-high one.
  const LIGNE v{1200, 1000, 1200, 0};
  const LIGNE h{0, 300, 800, 300};
  Panneau_p low = PanelWithLines({h, v});
  Panneau_p high = PanelWithLines({h, v});
  high.Width = 2000;
  high.Rect = TRect(0, 2000, 2000, 0);
  PanelList panels = {low, high};
  OrderCutLines(panels);
  EXPECT_EQ(panels[0].CutLines, (std::vector<LIGNE>{v, h}));  // 8000 before 1600
  // On the high panel v is partial: 1 x 1000 x (800/400 - 1000/400) = 0; h: 2 x 800 x 1.
  EXPECT_EQ(panels[1].CutLines, (std::vector<LIGNE>{h, v}));
}

}  // namespace
}  // namespace tranchex
