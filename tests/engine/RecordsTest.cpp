#include <gtest/gtest.h>

#include <vector>

#include "engine/EngineFixtures.h"

namespace tranchex {
namespace {

using test::MakePanel;
using test::MakePart;

TEST(PanelRecord, DimensionsGiveTruncatedRectAndExactArea) {
  TPanneau panel;
  panel.Length = 2500.9;
  panel.Width = 1250.5;
  PanelFromDimensions(panel);
  EXPECT_EQ(panel.Rect, TRect(0, 1250, 2500, 0));
  EXPECT_DOUBLE_EQ(panel.Area, 2500.9 * 1250.5);

  const Panneau_p constructed(2500.9, 1250.5, 190.0, 3);
  EXPECT_EQ(constructed.Rect, TRect(0, 1250, 2500, 0));
  ASSERT_EQ(constructed.FreeRects.size(), 1u);
  EXPECT_EQ(constructed.FreeRects[0], constructed.Rect);
  EXPECT_EQ(constructed.LastPart, -1);
  EXPECT_EQ(constructed.CutLength, 0);
  EXPECT_EQ(constructed.GridRotate, 0);
  EXPECT_EQ(constructed.Species, 3);
}

TEST(PanelRecord, CopyOfUnusedPanelGetsAFreshLayout) {
  Panneau_p src = MakePanel(2000, 1000);
  src.FreeRects = {MONRect(0, 500, 300, 0), MONRect(300, 1000, 2000, 0)};
  src.CutLines = {LIGNE{300, 1000, 300, 0}};
  src.CutLength = 77;
  src.EntryIndex = 4;
  src.LastPart = 9;
  src.GridRotate = 1;
  src.GridMode = 1;
  src.GridCount = 12;
  src.DesignationIndex = 5;

  const Panneau_p copy(src);
  EXPECT_EQ(copy.FreeRects, std::vector<MONRect>{MONRect(copy.Rect)});
  EXPECT_TRUE(copy.CutLines.empty());
  EXPECT_TRUE(copy.PlacedParts.empty());
  EXPECT_EQ(copy.CutLength, 77);
  EXPECT_EQ(copy.EntryIndex, 4);
  EXPECT_EQ(copy.LastPart, -1);
  // The grid fields and the designation are not carried over.
  EXPECT_EQ(copy.GridRotate, 0);
  EXPECT_EQ(copy.GridMode, 0);
  EXPECT_EQ(copy.GridCount, 0);
  EXPECT_EQ(copy.DesignationIndex, 0);

  Panneau_p assigned = MakePanel(10, 10);
  assigned = src;
  EXPECT_EQ(assigned.FreeRects, copy.FreeRects);
  EXPECT_EQ(assigned.LastPart, -1);
  EXPECT_EQ(assigned.Length, 2000.0);
}

TEST(PanelRecord, CopyOfUsedPanelKeepsItsListsInOrder) {
  Panneau_p src = MakePanel(2000, 1000, GrainHorizontal, 190);
  src.PlacedParts = {MakePart(100, 100, 1, 0, 190, 0, 1), MakePart(200, 100, 1, 0, 190, 0, 2)};
  src.FreeRects = {MONRect(0, 500, 300, 0), MONRect(300, 1000, 2000, 0)};
  src.CutLines = {LIGNE{300, 1000, 300, 0}, LIGNE{0, 500, 300, 500}};
  src.CutLength = 1300;
  src.EntryIndex = 2;
  src.LastPart = 2;

  const Panneau_p copy(src);
  EXPECT_EQ(copy.FreeRects, src.FreeRects);
  EXPECT_EQ(copy.CutLines, src.CutLines);
  ASSERT_EQ(copy.PlacedParts.size(), 2u);
  EXPECT_EQ(copy.PlacedParts[0].Number, 1);
  EXPECT_EQ(copy.PlacedParts[1].Number, 2);
  EXPECT_EQ(copy.CutLength, 1300);
  EXPECT_EQ(copy.EntryIndex, 2);
  EXPECT_EQ(copy.LastPart, -1);
  EXPECT_EQ(copy.Grain, GrainHorizontal);
}

// A list that grows or a sort moves panels: their layouts and grid state must survive.
TEST(PanelRecord, MovingKeepsEverything) {
  std::vector<Panneau_p> panels;
  Panneau_p first = MakePanel(1000, 1000);
  first.GridMode = 1;
  first.GridRotate = 1;
  first.GridCount = 6;
  first.LastPart = 3;
  first.FreeRects = {MONRect(0, 400, 1000, 0)};
  panels.push_back(std::move(first));
  for (int i = 0; i < 40; ++i) panels.push_back(MakePanel(500, 500));  // reallocates
  EXPECT_EQ(panels[0].GridMode, 1);
  EXPECT_EQ(panels[0].GridRotate, 1);
  EXPECT_EQ(panels[0].GridCount, 6);
  EXPECT_EQ(panels[0].LastPart, 3);
  EXPECT_EQ(panels[0].FreeRects, std::vector<MONRect>{MONRect(0, 400, 1000, 0)});
}

TEST(PanelRecord, ResizeOverwritesOnlyTheFirstFreeRect) {
  Panneau_p panel = MakePanel(1000, 500);
  panel.Length = 1200.7;
  panel.FreeRects = {MONRect(0, 100, 100, 0), MONRect(100, 500, 1000, 0)};
  ResizePanelLayout(panel);
  EXPECT_EQ(panel.Rect, TRect(0, 500, 1200, 0));
  EXPECT_EQ(panel.FreeRects,
            (std::vector<MONRect>{MONRect(0, 500, 1200, 0), MONRect(100, 500, 1000, 0)}));

  panel.FreeRects.clear();
  ResizePanelLayout(panel);
  EXPECT_EQ(panel.FreeRects, std::vector<MONRect>{MONRect(0, 500, 1200, 0)});
}

TEST(PartNumbers, AssignCountsUpAndRenumberMakesPositions) {
  EngineContext ctx;
  TPiece a = MakePart(10, 10);
  TPiece b = MakePart(10, 10);
  EXPECT_EQ(AssignPartNumber(a, ctx).Number, 0);
  EXPECT_EQ(AssignPartNumber(b, ctx).Number, 1);
  EXPECT_EQ(ctx.PartCounter, 2);

  // A loaded job whose stored numbers clash, as after a second job in one run.
  PartList job = {MakePart(10, 10, 1, 2, 190, 0, 7), MakePart(10, 10, 1, 2, 190, 0, 7),
                  MakePart(10, 10, 1, 2, 190, 0, 0)};
  EXPECT_FALSE(PartNumbersArePositions(job));
  RenumberParts(job, ctx);
  EXPECT_TRUE(PartNumbersArePositions(job));
  EXPECT_EQ(job[1].Number, 1);
  EXPECT_EQ(ctx.PartCounter, 3);
  TPiece c = MakePart(10, 10);
  EXPECT_EQ(AssignPartNumber(c, ctx).Number, 3);
}

TEST(RecordArithmetic, PerimeterAndLargeAreas) {
  EXPECT_EQ(PanelPerimeter(MakePart(800.6, 400.3)), 2401);  // trunc(2401.8)
  // 50 m x 50 m in tenths of a millimetre: 2.5e11, far beyond 32 bits.
  const TRect huge(0, 500000, 500000, 0);
  EXPECT_EQ(RectArea(huge), 250000000000LL);
  const TRect justOver(0, 50000, 50000, 0);  // 2.5e9 > INT32_MAX
  EXPECT_EQ(RectArea(justOver), 2500000000LL);
  TPanneau big;
  big.Rect = justOver;
  TPanneau small;
  small.Rect = TRect(0, 10, 10, 0);
  EXPECT_TRUE(PartAreaLess(small, big));
  EXPECT_FALSE(PartAreaLess(big, small));
  EXPECT_TRUE(FreeRectLess(TRect(0, 10, 10, 0), justOver));
}

struct CriterionCase {
  const char* name;
  int criterion;
  double lengthA, widthA, lengthB, widthB;
  bool aFirst, bFirst;
};

TEST(PartCriterionGreater, OrdersByTruncatedKeys) {
  const std::vector<CriterionCase> cases = {
      {"area larger first", CriterionArea, 300, 300, 500, 100, true, false},
      {"area equal", CriterionArea, 200, 100, 100, 200, false, false},
      {"length larger first", CriterionLength, 800, 10, 700, 500, true, false},
      {"lengths 700.4 and 700.9 are equal", CriterionLength, 700.4, 10, 700.9, 10, false, false},
      {"width larger first", CriterionWidth, 100, 600, 900, 500, true, false},
      {"widths equal after truncation", CriterionWidth, 100, 500.2, 900, 500.8, false, false},
      {"unknown criterion", 7, 900, 900, 10, 10, false, false},
  };
  for (const CriterionCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TPiece a = MakePart(c.lengthA, c.widthA);
    const TPiece b = MakePart(c.lengthB, c.widthB);
    EXPECT_EQ(PartCriterionGreater(a, b, c.criterion), c.aFirst);
    EXPECT_EQ(PartCriterionGreater(b, a, c.criterion), c.bFirst);
  }
}

struct FreeRectCase {
  const char* name;
  TRect a, b;
  bool aFirst, bFirst;
};

TEST(FreeRectLess, SmallestThenNearestUpperLeft) {
  const std::vector<FreeRectCase> cases = {
      {"smaller area first", TRect(500, 100, 510, 90), TRect(0, 1000, 100, 900), true, false},
      {"equal area, higher and further left", TRect(0, 200, 10, 190), TRect(10, 100, 20, 90),
       true, false},
      {"equal area, same left, higher", TRect(0, 200, 10, 190), TRect(0, 100, 10, 90), true,
       false},
      {"equal area, same top, further left", TRect(0, 100, 10, 90), TRect(50, 100, 60, 90), true,
       false},
      {"equal area, same corner", TRect(0, 100, 10, 90), TRect(0, 100, 20, 95), false, false},
      {"equal area, higher but further right", TRect(50, 200, 60, 190), TRect(0, 100, 10, 90),
       false, false},
  };
  for (const FreeRectCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FreeRectLess(c.a, c.b), c.aFirst);
    EXPECT_EQ(FreeRectLess(c.b, c.a), c.bFirst);
  }
}

TEST(FreeRectLess, SortIsStableAndSafeWithUnorderedPairs) {
  // Three rectangles of equal area that the order leaves unordered pairwise around a smaller one.
  const MONRect highRight(50, 200, 60, 190);
  const MONRect lowLeft(0, 100, 10, 90);
  const MONRect small(900, 900, 905, 895);
  const MONRect sameCornerAsLowLeft(0, 100, 20, 95);
  std::vector<MONRect> rects = {highRight, lowLeft, sameCornerAsLowLeft, small};
  SortFreeRects(rects);
  EXPECT_EQ(rects, (std::vector<MONRect>{small, highRight, lowLeft, sameCornerAsLowLeft}));
  SortFreeRects(rects);  // sorting again changes nothing
  EXPECT_EQ(rects, (std::vector<MONRect>{small, highRight, lowLeft, sameCornerAsLowLeft}));
}

}  // namespace
}  // namespace tranchex
