#include <gtest/gtest.h>

#include <vector>

#include "engine/EngineFixtures.h"

namespace tranchex {
namespace {

using test::ExpectSoundLayout;
using test::MakeMargins;
using test::MakePanel;
using test::MakePart;

struct FitCase {
  const char* name;
  double length, width;
  int partGrain, panelGrain;
  double m0, m1;
  TRect rect;
  bool fits;
};

TEST(PartFitsRect, GrainPairsMarginsAndTies) {
  const TRect r(0, 400, 1000, 0);  // 1000 wide, 400 high
  const std::vector<FitCase> cases = {
      {"same fixed grain, exact tie", 1000, 400, 0, 0, 0, 0, r, true},
      {"same fixed grain, one unit too long", 1001, 400, 0, 0, 0, 0, r, false},
      {"vertical on vertical", 1000, 400, 1, 1, 0, 0, r, true},
      {"different fixed grains turn: too long across", 1000, 400, 1, 0, 0, 0, r, false},
      {"different fixed grains turn: fits turned", 400, 1000, 0, 1, 0, 0, r, true},
      {"indifferent part turns", 400, 1000, 2, 0, 0, 0, r, true},
      {"indifferent panel turns a fixed part", 400, 1000, 1, 2, 0, 0, r, true},
      {"margins count on both sides", 990, 390, 0, 0, 5, 5, r, true},
      {"margins one unit over", 991, 390, 0, 0, 5, 5, r, false},
      {"width margin over", 990, 391, 0, 0, 5, 5, r, false},
      {"area larger than the rectangle", 1000, 401, 2, 2, 0, 0, r, false},
      {"unknown part grain", 10, 10, 3, 0, 0, 0, r, false},
      {"unknown panel grain", 10, 10, 0, 5, 0, 0, r, false},
      {"rectangle given upside down still measures", 1000, 400, 0, 0, 0, 0, TRect(0, 0, 1000, 400),
       true},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TPiece part = MakePart(c.length, c.width, 1, c.partGrain, 190);
    EXPECT_EQ(PartFitsRect(part, c.rect, c.m0, c.m1, c.panelGrain), c.fits);
  }
}

struct ThicknessCase {
  double panel, part, margin;
  bool thickerAllowed, matches;
};

TEST(ThicknessMatches, ExactOrThickerByWholeUnits) {
  const std::vector<ThicknessCase> cases = {
      {190.0, 190.0, 0.0, false, true},   {191.0, 190.0, 0.0, false, false},
      {191.0, 190.0, 0.0, true, true},    {190.5, 190.0, 0.0, true, false},
      {220.0, 190.0, 0.0, true, true},    {185.5, 160.0, 0.0, true, false},
      {165.0, 160.0, 5.0, false, true},   {166.0, 160.0, 5.0, false, false},
      {166.0, 160.0, 5.0, true, true},    {200.0, 160.0, 5.0, true, true},
      {165.5, 160.0, 5.0, true, false},   {150.0, 160.0, 0.0, true, false},  // thinner: never
  };
  for (const ThicknessCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.panel << " for " << c.part << " + " << c.margin
                                    << (c.thickerAllowed ? " thicker allowed" : ""));
    EXPECT_EQ(ThicknessMatches(c.panel, c.part, MakeMargins(0, 0, c.margin, c.thickerAllowed)),
              c.matches);
  }
}

struct OrientationCase {
  const char* name;
  int partGrain, panelGrain;
  double length, width, m0, m1;
  TRect rect;
  std::uint8_t preference;
  bool turned;
};

TEST(PartOrientation, GrainAndTurnPreference) {
  const TRect wide(0, 1000, 2000, 0);
  const TRect narrow(0, 2000, 900, 0);
  const std::vector<OrientationCase> cases = {
      {"same grains: along", 0, 0, 800, 400, 0, 0, wide, 1, false},
      {"vertical part on horizontal panel: turned", 1, 0, 800, 400, 0, 0, wide, 0, true},
      {"indifferent part, preference 0: along", 2, 0, 800, 400, 0, 0, wide, 0, false},
      {"indifferent part, preference 1 and room: turned", 2, 0, 800, 400, 0, 0, wide, 1, true},
      {"indifferent part, preference 1 but too long for the height: along", 2, 0, 1200, 400, 0, 0,
       wide, 1, false},
      {"indifferent part too long across: turned", 2, 0, 1200, 400, 0, 0, narrow, 0, true},
      {"length margin decides the turn", 2, 2, 880, 400, 15, 0, narrow, 0, true},
      // Width margin larger than the length margin: turned, the footprint would be 4100 wide in
      // a rectangle 4050 wide; the along footprint fits, so it is taken.
      {"turn that would stick out is refused", 2, 0, 4000, 4000, 0, 50, TRect(0, 5000, 4050, 0),
       1, false},
      // The described turn is kept whenever its footprint fits.
      {"turn that fits is kept", 2, 0, 4000, 4000, 50, 0, TRect(0, 5000, 4150, 0), 1, true},
  };
  for (const OrientationCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TPiece part = MakePart(c.length, c.width, 1, c.partGrain, 190);
    const auto turned =
        PartTurnedIn(c.panelGrain, part, c.rect, MakeMargins(c.m0, c.m1), c.preference);
    ASSERT_TRUE(turned.has_value());
    EXPECT_EQ(*turned, c.turned);
  }
  EXPECT_FALSE(PartTurnedIn(4, MakePart(10, 10), wide, MakeMargins(), 0).has_value());
}

TEST(PartFootprint, NetRectSitsInsideItsMargins) {
  const Panneau_p panel = MakePanel(3000, 2000, GrainHorizontal, 190);
  const MarginsBlock m = MakeMargins(10.5, 20.0);
  TPiece along = MakePart(800.7, 400.2, 1, GrainHorizontal, 190);
  PartFootprint(panel, along, TRect(100, 1500, 3000, 0), m, 0);
  // left trunc(100 + 10.5) = 110, top trunc(1500 - 20) = 1480, right trunc(110 + 800.7) = 910,
  // bottom trunc(1480 - 400.2) = 1079; footprint right trunc(100 + 800.7 + 21) = 921,
  // bottom trunc(1500 - 400.2 - 40) = 1059.
  EXPECT_EQ(along.Rect, TRect(110, 1480, 910, 1079));
  EXPECT_EQ(along.Footprint, TRect(100, 1500, 921, 1059));

  TPiece turned = MakePart(800.7, 400.2, 1, GrainVertical, 190);
  PartFootprint(panel, turned, TRect(0, 2000, 3000, 0), m, 0);
  EXPECT_EQ(turned.Rect, TRect(20, 1989, 420, 1188));
  EXPECT_EQ(turned.Footprint, TRect(0, 2000, 440, 1178));

  TPiece unknown = MakePart(10, 10, 1, 7, 190);
  const TRect before = unknown.Rect;
  PartFootprint(panel, unknown, TRect(0, 2000, 3000, 0), m, 0);
  EXPECT_EQ(unknown.Rect, before);
}

// Empty panel 1000 x 1000 (horizontal grain), group {p1 600 x 400, p2 1000 x 500}, kerf 0.
// p1 goes in the upper-left corner. Order A would leave 600 x 600 and 400 x 1000, where p2 fits
// neither (score 2.0); order B leaves the full-width strip where p2 fits (score 0.833 + 1.0):
//
//   1000 +--------+-----+
//        |   p1   | B2  |
//    600 +--------+-----+
//        |     B1       |
//      0 +--------------+
//        0       600   1000
TEST(SplitFreeRect, LookAheadChoosesTheFullWidthStrip) {
  EngineContext ctx;
  ctx.PartCounts = {{0, 1}, {1, 1}};
  Panneau_p panel = MakePanel(1000, 1000, GrainHorizontal, 190);
  PartList group = {MakePart(600, 400, 1, GrainHorizontal, 190, 0, 0),
                    MakePart(1000, 500, 1, GrainHorizontal, 190, 0, 1)};
  ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(), 0, ctx));
  EXPECT_EQ(panel.FreeRects,
            (std::vector<MONRect>{MONRect(600, 1000, 1000, 600), MONRect(0, 600, 1000, 0)}));
  EXPECT_EQ(panel.CutLines,
            (std::vector<LIGNE>{LIGNE{0, 600, 1000, 600}, LIGNE{600, 1000, 600, 600}}));
  EXPECT_EQ(panel.CutLength, 1000 + 400);
  EXPECT_EQ(ctx.PartCounts[0].Count, 0);
  EXPECT_EQ(panel.LastPart, 0);

  ASSERT_TRUE(PlacePartInPanel(panel, group[1], group, 1, MakeMargins(), 0, ctx));
  EXPECT_EQ(panel.PlacedParts[1].Footprint, TRect(0, 600, 1000, 100));
  ExpectSoundLayout(panel);
}

TEST(SplitFreeRect, ScoresWithoutFittingLaterParts) {
  const Panneau_p panel = MakePanel(1000, 1000, GrainHorizontal, 190);
  const PartList group = {MakePart(100, 100, 1, 0, 190), MakePart(5000, 100, 1, 0, 190)};
  const TRect r1(0, 500, 500, 0);
  const TRect r2(500, 1000, 1000, 0);
  for (int criterion : {CriterionLength, CriterionWidth}) {
    EXPECT_FLOAT_EQ(ScoreFreeRect(panel, r1, 0, group, MakeMargins(), criterion), 1.0f);
    EXPECT_FLOAT_EQ(ScoreSplit(panel, r1, r2, 0, group, MakeMargins(), criterion), 2.0f);
  }
  // A later part that fits: 1 / Length, and the mean when both rectangles score below 1.
  const PartList fitting = {MakePart(100, 100, 1, 0, 190), MakePart(400, 250, 1, 0, 190)};
  EXPECT_FLOAT_EQ(ScoreFreeRect(panel, r1, 0, fitting, MakeMargins(), CriterionLength), 1 / 400.0f);
  EXPECT_FLOAT_EQ(ScoreFreeRect(panel, r1, 0, fitting, MakeMargins(), CriterionWidth), 1 / 250.0f);
  EXPECT_FLOAT_EQ(ScoreSplit(panel, r1, r2, 0, fitting, MakeMargins(), CriterionArea),
                  (0.4f + 0.2f) * 0.5f);
  // The last part of the group has nothing after it.
  EXPECT_FLOAT_EQ(ScoreFreeRect(panel, r1, 1, fitting, MakeMargins(), CriterionArea), 1.0f);
}

TEST(SplitFreeRect, ExactFitLeavesNothingAndCountsBothCuts) {
  EngineContext ctx;
  ctx.PartCounts = {{0, 1}};
  Panneau_p panel = MakePanel(1000, 400, GrainHorizontal, 190);
  PartList group = {MakePart(980, 380, 1, GrainHorizontal, 190, 0, 0)};
  ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(10, 10), 4, ctx));
  EXPECT_TRUE(panel.FreeRects.empty());
  EXPECT_TRUE(panel.CutLines.empty());
  EXPECT_EQ(panel.CutLength, 1000 + 400);
  EXPECT_EQ(panel.PlacedParts[0].Footprint, TRect(0, 400, 1000, 0));
  EXPECT_EQ(panel.PlacedParts[0].Rect, TRect(10, 390, 990, 10));
}

struct StripCase {
  const char* name;
  int panelLength, panelWidth, kerf;
  std::vector<MONRect> freeRects;
};

// Part 600 x 400 in the corner; a leftover side narrower than the part and a kerf yields nothing.
TEST(SplitFreeRect, LeftoverNarrowerThanTheKerfYieldsNothing) {
  const std::vector<StripCase> cases = {
      // Equal scores: order B holds the largest rectangle (the strip below, 1000 x 596).
      {"room on both sides", 1000, 1000, 4, {MONRect(604, 1000, 1000, 600), MONRect(0, 596, 1000, 0)}},
      {"right strip only 3 wide", 603, 1000, 4, {MONRect(0, 596, 603, 0)}},
      {"strip below only 3 high", 1000, 403, 4, {MONRect(604, 403, 1000, 0)}},
      {"both sides too small", 603, 403, 4, {}},
  };
  for (const StripCase& c : cases) {
    SCOPED_TRACE(c.name);
    EngineContext ctx;
    ctx.PartCounts = {{0, 1}};
    Panneau_p panel = MakePanel(c.panelLength, c.panelWidth, GrainHorizontal, 190);
    PartList group = {MakePart(600, 400, 1, GrainHorizontal, 190, 0, 0)};
    ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(), c.kerf, ctx));
    EXPECT_EQ(panel.FreeRects, c.freeRects);
    EXPECT_EQ(panel.CutLines.size(), c.freeRects.size());
    ExpectSoundLayout(panel);
  }
}

struct AlignCase {
  const char* name;
  LIGNE existing, added;
  bool aligned;
};

TEST(RectsAligned, SameWholeMillimetreAndSpanned) {
  const std::vector<AlignCase> cases = {
      {"vertical, 1001 and 1009 scale to 101", {1001, 1000, 1001, 0}, {1009, 800, 1009, 200}, true},
      {"vertical, 1000 and 1001 differ (100, 101)", {1000, 1000, 1000, 0}, {1001, 800, 1001, 200},
       false},
      {"vertical at exactly 1000 on itself", {1000, 1000, 1000, 0}, {1000, 800, 1000, 200}, true},
      {"vertical not spanning the new one", {1000, 700, 1000, 0}, {1000, 800, 1000, 200}, false},
      {"horizontal, same millimetre", {0, 601, 1000, 601}, {200, 605, 900, 605}, true},
      {"horizontal, new one longer", {100, 600, 1000, 600}, {0, 600, 900, 600}, false},
      {"horizontal, 600 and 601 differ", {0, 600, 1000, 600}, {0, 601, 1000, 601}, false},
  };
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RectsAligned(c.existing, c.added), c.aligned);
  }
}

// A part 1000 x 395 across a 1000 x 1000 rectangle: one cut at y 605. An earlier line in the same
// whole millimetre (601) already stands for it; one at 600 does not.
TEST(SplitFreeRect, LineOnAnEarlierLineIsNotRepeated) {
  const std::vector<std::pair<LIGNE, std::size_t>> cases = {
      {LIGNE{0, 601, 1000, 601}, 1u},  // nothing added
      {LIGNE{0, 600, 1000, 600}, 2u},  // the new line is added
  };
  for (const auto& [earlier, expectedLines] : cases) {
    SCOPED_TRACE(testing::Message() << earlier);
    EngineContext ctx;
    Panneau_p panel = MakePanel(1000, 1000, GrainHorizontal, 190);
    panel.CutLines = {earlier};
    const PartList group = {MakePart(1000, 395, 1, GrainHorizontal, 190)};
    SplitFreeRect(panel, TRect(0, 1000, 1000, 0), group[0], group, 0, 0, MakeMargins(), 0, ctx);
    EXPECT_EQ(panel.CutLines.size(), expectedLines);
    EXPECT_EQ(panel.FreeRects.back(), MONRect(0, 605, 1000, 0));
  }
}

TEST(RectsOverlapStrict, SharedEdgeIsNoOverlap) {
  EXPECT_FALSE(RectsOverlapStrict(TRect(0, 100, 100, 0), TRect(100, 100, 200, 0)));
  EXPECT_FALSE(RectsOverlapStrict(TRect(0, 100, 100, 0), TRect(0, 200, 100, 100)));
  EXPECT_TRUE(RectsOverlapStrict(TRect(0, 100, 100, 0), TRect(99, 100, 200, 0)));
  EXPECT_TRUE(RectsOverlapStrict(TRect(0, 100, 100, 0), TRect(20, 80, 30, 70)));
}

TEST(GridMode, EqualCountsKeepTheLengthAlong) {
  // A part fitting 3 x 4 copies turned and 4 x 3 along on the empty panel: 12 both ways.
  EngineContext ctx;
  ctx.GridSplitChoice = 0;
  ctx.PartCounts = {{0, 12}};
  Panneau_p panel = MakePanel(1200, 900, GrainIndifferent, 190);
  PartList group(12, MakePart(300, 300, 12, GrainIndifferent, 190, 0, 0));
  ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(), 0, ctx));
  EXPECT_EQ(panel.GridCount, 12);
  EXPECT_EQ(panel.GridRotate, 0);
  EXPECT_EQ(panel.GridMode, 1);
  EXPECT_EQ(ctx.GridSplitChoice, 1);
}

TEST(GridMode, MoreTurnedCopiesTurnTheGridAndFixTheSplitOrder) {
  // 700 x 300 on 1000 x 1400: turned 2 x 3 = 6, along 1 x 4 = 4.
  EngineContext ctx;
  ctx.PartCounts = {{0, 6}};
  Panneau_p panel = MakePanel(1000, 1400, GrainIndifferent, 190);
  PartList group(6, MakePart(700, 300, 6, GrainIndifferent, 190, 0, 0));
  for (std::size_t i = 0; i < group.size(); ++i)
    ASSERT_TRUE(PlacePartInPanel(panel, group[i], group, i, MakeMargins(), 0, ctx)) << i;
  EXPECT_EQ(panel.GridCount, 6);
  EXPECT_EQ(panel.GridRotate, 1);
  EXPECT_EQ(panel.GridMode, 1);
  EXPECT_EQ(ctx.GridSplitChoice, 0);
  EXPECT_EQ(ctx.PartCounts[0].Count, 0);
  for (const TPiece& placed : panel.PlacedParts)
    EXPECT_EQ(placed.Footprint.Width(), 300) << placed.Footprint;  // all turned
  ExpectSoundLayout(panel);
}

TEST(GridMode, TooFewCopiesLeftMeansNoGrid) {
  EngineContext ctx;
  ctx.PartCounts = {{0, 2}};
  Panneau_p panel = MakePanel(1200, 900, GrainIndifferent, 190);
  PartList group(2, MakePart(300, 300, 2, GrainIndifferent, 190, 0, 0));
  ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(), 0, ctx));
  EXPECT_EQ(panel.GridCount, 12);
  EXPECT_EQ(panel.GridMode, 0);
}

struct CapacityCase {
  const char* name;
  TRect firstFree;
  int quantity;
  double length, width;
  std::uint8_t expected;
};

TEST(GridCapacityCheck, TurnPreference) {
  const TRect panelRect(0, 1400, 1000, 0);
  const std::vector<CapacityCase> cases = {
      {"first free rectangle smaller than the panel", TRect(0, 1000, 1000, 0), 6, 700, 300, 1},
      {"no quantity", panelRect, 0, 700, 300, 1},
      {"does not fit", panelRect, 6, 1500, 1500, 1},
      {"turned grid holds more than quantity allows along", panelRect, 6, 700, 300, 1},
      {"small quantity, turned grid still larger", panelRect, 3, 700, 300, 1},
      {"along grid larger than turned", panelRect, 6, 300, 700, 0},
      {"along grid holds as many as turned", panelRect, 12, 300, 300, 0},
  };
  for (const CapacityCase& c : cases) {
    SCOPED_TRACE(c.name);
    TPiece part = MakePart(c.length, c.width, c.quantity, GrainIndifferent, 190, 0, 0);
    std::uint8_t preference = 7;
    GridCapacityCheck(part, panelRect, c.firstFree, preference, MakeMargins(), 0);
    EXPECT_EQ(preference, c.expected);
  }
}

TEST(PlacePartInPanel, RefusesWrongSpeciesThicknessOrNoRoom) {
  const MarginsBlock m = MakeMargins();
  struct Case {
    const char* name;
    TPiece part;
  };
  const std::vector<Case> cases = {
      {"other species", MakePart(100, 100, 1, GrainHorizontal, 190, 1, 5)},
      {"thinner panel needed", MakePart(100, 100, 1, GrainHorizontal, 180, 0, 5)},
      {"too large", MakePart(1100, 100, 1, GrainHorizontal, 190, 0, 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineContext ctx;
    ctx.PartCounts = {{5, 1}};
    Panneau_p panel = MakePanel(1000, 1000, GrainHorizontal, 190);
    PartList group = {c.part};
    EXPECT_FALSE(PlacePartInPanel(panel, group[0], group, 0, m, 0, ctx));
    EXPECT_EQ(panel.LastPart, 5);  // set even when the placement fails
    EXPECT_EQ(panel.FreeRects.size(), 1u);
    EXPECT_TRUE(panel.PlacedParts.empty());
    EXPECT_EQ(ctx.PartCounts[0].Count, 1);
  }
  EngineContext ctx;
  Panneau_p empty = MakePanel(1000, 1000);
  empty.FreeRects.clear();
  PartList group = {MakePart(10, 10)};
  EXPECT_FALSE(PlacePartInPanel(empty, group[0], group, 0, m, 0, ctx));
}

TEST(PlacePartInPanel, ThickerPanelTakesThePartWhenAllowed) {
  for (bool allowed : {false, true}) {
    EngineContext ctx;
    ctx.PartCounts = {{0, 1}};
    Panneau_p panel = MakePanel(1000, 1000, GrainHorizontal, 220);
    PartList group = {MakePart(100, 100, 1, GrainHorizontal, 190)};
    EXPECT_EQ(PlacePartInPanel(panel, group[0], group, 0, MakeMargins(0, 0, 0, allowed), 0, ctx),
              allowed);
  }
}

// The width margin (50) is larger than the length margin (0). With the turn preference set, the
// length-only rule would turn the 4000 x 4000 part into a footprint 4100 wide in a 4050-wide
// panel, over the panel's edge; it must lie along instead, and a second part must not land on
// top of it.
TEST(PlacePartInPanel, LargerWidthMarginNeverPushesAPartOffThePanel) {
  EngineContext ctx;
  ctx.PartCounts = {{0, 1}, {1, 1}};
  Panneau_p panel = MakePanel(4050, 5000, GrainHorizontal, 190);
  panel.GridRotate = 1;
  const MarginsBlock m = MakeMargins(0, 50);
  PartList group = {MakePart(4000, 4000, 1, GrainIndifferent, 190, 0, 0),
                    MakePart(4000, 800, 1, GrainIndifferent, 190, 0, 1)};
  ASSERT_TRUE(PlacePartInPanel(panel, group[0], group, 0, m, 0, ctx));
  EXPECT_EQ(panel.PlacedParts[0].Footprint, TRect(0, 5000, 4000, 900));
  PlacePartInPanel(panel, group[1], group, 1, m, 0, ctx);
  ExpectSoundLayout(panel);
}

}  // namespace
}  // namespace tranchex
