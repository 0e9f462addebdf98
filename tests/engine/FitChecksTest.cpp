#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EngineFixtures.h"

namespace tranchex {
namespace {

using test::MakeMargins;
using test::MakePanel;
using test::MakePart;

TEST(LargestPanelValue, StartsFromZero) {
  EXPECT_EQ(LargestPanelLength({}), 0.0);
  const PanelList panels = {MakePanel(2500, 1250, GrainIndifferent, 190),
                            MakePanel(3050, 1220, GrainIndifferent, 220),
                            MakePanel(2800, 2070, GrainIndifferent, 160)};
  EXPECT_EQ(LargestPanelLength(panels), 3050.0);
  EXPECT_EQ(LargestPanelWidth(panels), 2070.0);
  EXPECT_EQ(LargestPanelThickness(panels), 220.0);
  EXPECT_EQ(LargestPanelThickness({MakePanel(10, 10, GrainIndifferent, -5)}), 0.0);
}

TEST(ExistenceQueries, ThicknessSpeciesAndReference) {
  const PanelList exact = {MakePanel(100, 100, 2, 190.0, 3)};
  const PanelList thicker = {MakePanel(100, 100, 2, 190.5, 3)};
  EXPECT_TRUE(PanelThicknessExists(exact, 190));
  EXPECT_FALSE(PanelThicknessExists(thicker, 190));
  EXPECT_TRUE(PanelThickEnoughExists(exact, 190));
  EXPECT_TRUE(PanelThickEnoughExists(thicker, 190));
  EXPECT_FALSE(PanelThickEnoughExists(exact, 191));
  EXPECT_TRUE(PanelSpeciesExists(exact, 3));
  EXPECT_FALSE(PanelSpeciesExists(exact, 0));
  EXPECT_FALSE(PanelSpeciesExists({}, 3));

  const std::vector<std::string> refs = {"A12", "porte", "Étagère"};
  EXPECT_TRUE(ReferenceInUse(refs, "porte"));
  EXPECT_FALSE(ReferenceInUse(refs, "PORTE"));
  EXPECT_FALSE(ReferenceInUse(refs, "a12"));
  EXPECT_TRUE(ReferenceInUse(refs, "Étagère"));
  EXPECT_FALSE(ReferenceInUse(refs, "porte "));
}

// While a new job is entered the margins are not known yet: they are ignored, and cleared in the
// caller's block.
TEST(FitChecks, NewJobIgnoresMarginsAndPassesTheListChecks) {
  const PanelList panels = {MakePanel(1000, 500, GrainIndifferent, 190)};
  const TPiece part = MakePart(1000, 500, 1, GrainIndifferent, 190);
  MarginsBlock m = MakeMargins(20, 20, 5);
  EXPECT_TRUE(PartFitsSomePanel(panels, part, m, false));
  EXPECT_EQ(m.LengthMargin, 0.0);
  EXPECT_EQ(m.WidthMargin, 0.0);
  EXPECT_EQ(m.ThicknessMargin, 0.0);

  MarginsBlock kept = MakeMargins(20, 20, 5);
  EXPECT_FALSE(PartFitsSomePanel(panels, part, kept, true));
  EXPECT_EQ(kept.LengthMargin, 20.0);

  // Nothing fits anything here, yet the list checks pass while margins are not asked.
  const PartList parts = {MakePart(5000, 5000, 1, 0, 10, 9)};
  MarginsBlock any = MakeMargins(20, 20, 5);
  EXPECT_TRUE(AllPartsFitSomePanel(panels, parts, any, false));
  EXPECT_TRUE(PartsStillFitAfterPanelEdit(panels, panels[0], parts, any, false));
  EXPECT_TRUE(PartsStillFitAfterPanelDelete(panels, panels[0], parts, any, false));
  EXPECT_FALSE(AllPartsFitSomePanel(panels, parts, any, true));
  EXPECT_FALSE(PartsStillFitAfterPanelEdit(panels, panels[0], parts, any, true));
}

TEST(FitChecks, PanelsOfThePartsGrainComeFirstExceptForTheWholeList) {
  // Grain 0 part: an indifferent panel it fits, and a grain-0 panel too small for it.
  const TPiece part = MakePart(800, 400, 1, GrainHorizontal, 190);
  const PanelList panels = {MakePanel(1000, 1000, GrainIndifferent, 190),
                            MakePanel(500, 500, GrainHorizontal, 190)};
  MarginsBlock m = MakeMargins();
  EXPECT_FALSE(PartFitsSomePanel(panels, part, m, true));
  EXPECT_TRUE(AllPartsFitSomePanel(panels, {part}, m, true));
  EXPECT_TRUE(AllPartsFitSomePanel(panels, {}, m, true));
}

struct MarginThicknessCase {
  double panelThickness;
  bool thickerAllowed;
  bool matches;
};

// Thickness margin 5.0 on a part 160.0 thick, the same answer from every check.
TEST(FitChecks, ThicknessMarginInEveryCheck) {
  const std::vector<MarginThicknessCase> cases = {
      {165.0, false, true}, {166.0, false, false}, {200.0, false, false}, {165.5, false, false},
      {165.0, true, true},  {166.0, true, true},   {200.0, true, true},   {165.5, true, false},
  };
  const TPiece part = MakePart(500, 500, 1, GrainIndifferent, 160);
  for (const MarginThicknessCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.panelThickness << (c.thickerAllowed ? " thicker" : ""));
    const PanelList panels = {MakePanel(1000, 1000, GrainIndifferent, c.panelThickness)};
    MarginsBlock m = MakeMargins(0, 0, 5.0, c.thickerAllowed);
    EXPECT_EQ(PartFitsSomePanel(panels, part, m, true), c.matches);
    const Panneau_p other = MakePanel(10, 10, GrainIndifferent, 1);
    EXPECT_EQ(PartFitsSomeOtherPanel(panels, other, part, m, true), c.matches);
    EXPECT_EQ(AllPartsFitSomePanel(panels, {part}, m, true), c.matches);
    EXPECT_EQ(PartsStillFitAfterPanelEdit(panels, panels[0], {part}, m, true), c.matches);
  }
}

TEST(FitChecks, DeletedPanelAndItsTwinsNeverCount) {
  const TPiece part = MakePart(800, 800, 1, GrainIndifferent, 190);
  const Panneau_p deleted = MakePanel(1000, 1000, GrainIndifferent, 190);
  MarginsBlock m = MakeMargins();
  // Only the panel and an identical one: nothing is left for the part.
  EXPECT_FALSE(PartsStillFitAfterPanelDelete({deleted, deleted}, deleted, {part}, m, true));
  EXPECT_FALSE(PartFitsSomeOtherPanel({deleted, deleted}, deleted, part, m, true));
  // A panel that differs in length alone still takes it.
  const Panneau_p longer = MakePanel(1200, 1000, GrainIndifferent, 190);
  EXPECT_TRUE(PartsStillFitAfterPanelDelete({deleted, longer}, deleted, {part}, m, true));
  EXPECT_TRUE(PartFitsSomeOtherPanel({deleted, longer}, deleted, part, m, true));
  // One of another species is taken by the "other panel" test only if it has the part's species.
  const Panneau_p otherSpecies = MakePanel(1000, 1000, GrainIndifferent, 190, 4);
  EXPECT_FALSE(PartFitsSomeOtherPanel({deleted, otherSpecies}, deleted, part, m, true));
}

TEST(FitChecks, EditWithNoPanelOfTheEditedKindFails) {
  const TPiece part = MakePart(800, 800, 1, GrainIndifferent, 190);
  const PanelList panels = {MakePanel(1000, 1000, GrainIndifferent, 190, 0)};
  const Panneau_p edited = MakePanel(1000, 1000, GrainIndifferent, 220, 0);  // no 220 in the list
  MarginsBlock m = MakeMargins();
  EXPECT_FALSE(PartsStillFitAfterPanelEdit(panels, edited, {part}, m, true));
  EXPECT_TRUE(PartsStillFitAfterPanelEdit(panels, panels[0], {part}, m, true));
}

// The margins dialogs' test, in a simple job (sizes and grain only) and a complex one (thickness
// with its margin, and species, too). Panel 1000 x 500 along the grain, 19 mm, species 0 unless
// told.
struct StockFitCase {
  const char* what;
  PanelList panels;
  PartList parts;
  MarginsBlock margins;
  bool simple;   // expected in a simple job
  bool complex;  // expected in a complex job
};

TEST(EveryPartFitsStock, SimpleAndComplexJobs) {
  const Panneau_p along = MakePanel(1000, 500, GrainHorizontal, 190, 0);
  Panneau_p noFreeArea = along;
  noFreeArea.FreeRects.clear();
  const std::vector<StockFitCase> cases = {
      {"margins take the panel to its edge", {along}, {MakePart(900, 400, 1, 0)},
       MakeMargins(50, 50), true, true},
      {"one unit too much on the length", {along}, {MakePart(900, 400, 1, 0)},
       MakeMargins(51, 50), false, false},
      {"one unit too much on the width", {along}, {MakePart(900, 400, 1, 0)},
       MakeMargins(0, 51), false, false},
      {"across the grain: length on the panel's width", {along}, {MakePart(400, 900, 1, 1)},
       MakeMargins(50, 50), true, true},
      {"across the grain, one unit too much", {along}, {MakePart(400, 900, 1, 1)},
       MakeMargins(51, 50), false, false},
      {"a part without grain turns", {along}, {MakePart(400, 900, 1, 2)},
       MakeMargins(50, 50), true, true},
      {"a part along the grain does not turn", {along}, {MakePart(400, 900, 1, 0)},
       MakeMargins(), false, false},
      {"the stored rectangle counts, not the free areas", {noFreeArea}, {MakePart(900, 400, 1, 0)},
       MakeMargins(50, 50), true, true},
      {"a species no panel has", {along}, {MakePart(100, 100, 1, 0, 190, 1)}, MakeMargins(),
       true, false},
      {"thickness with its margin matches", {along}, {MakePart(100, 100, 1, 0, 180)},
       MakeMargins(0, 0, 10), true, true},
      {"thickness with its margin is thicker than the panel", {along},
       {MakePart(100, 100, 1, 0, 180)}, MakeMargins(0, 0, 12), true, false},
      // 18 mm and 5 mm a face need 28 mm: 30 mm qualifies when thicker stock is allowed.
      {"30 mm stock, thicker allowed", {MakePanel(1000, 500, 0, 300)},
       {MakePart(100, 100, 1, 0, 180)}, MakeMargins(0, 0, 100, true), true, true},
      {"30 mm stock, thicker not allowed", {MakePanel(1000, 500, 0, 300)},
       {MakePart(100, 100, 1, 0, 180)}, MakeMargins(0, 0, 100, false), true, false},
      {"25 mm stock is too thin", {MakePanel(1000, 500, 0, 250)},
       {MakePart(100, 100, 1, 0, 180)}, MakeMargins(0, 0, 100, true), true, false},
      {"a later panel takes it", {MakePanel(300, 300, 0), along}, {MakePart(900, 400, 1, 0)},
       MakeMargins(50, 50), true, true},
      {"one part of several fits nowhere", {along},
       {MakePart(100, 100, 1, 0), MakePart(1001, 100, 1, 0), MakePart(200, 200, 1, 0)},
       MakeMargins(), false, false},
      {"no part", {}, {}, MakeMargins(999, 999), true, true},
      {"no panel", {}, {MakePart(10, 10)}, MakeMargins(), false, false},
  };
  for (const StockFitCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(EveryPartFitsStock(c.panels, c.parts, c.margins, false), c.simple);
    EXPECT_EQ(EveryPartFitsStock(c.panels, c.parts, c.margins, true), c.complex);
  }
}

// A job without parts: no edit or delete of a panel can leave a part without one, and the
// whole list fits too.
TEST(FitChecks, WithoutPartsEveryPanelChangeIsAllowed) {
  const Panneau_p panel = MakePanel(1000, 1000, GrainIndifferent, 190);
  const Panneau_p other = MakePanel(1000, 1000, GrainIndifferent, 220);
  MarginsBlock m = MakeMargins();
  EXPECT_TRUE(PartsStillFitAfterPanelEdit({panel}, panel, {}, m, true));
  EXPECT_TRUE(PartsStillFitAfterPanelEdit({panel}, other, {}, m, true));
  EXPECT_TRUE(PartsStillFitAfterPanelDelete({panel}, panel, {}, m, true));
  EXPECT_TRUE(AllPartsFitSomePanel({panel}, {}, m, true));
}

struct RotateCase {
  int grainBefore;
  double lengthAfter, widthAfter;
  int grainAfter;
};

TEST(RotatePartInDialog, SwapsSizesAndFixedGrains) {
  const std::vector<RotateCase> cases = {
      {0, 400.0, 800.0, 1}, {1, 400.0, 800.0, 0}, {2, 400.0, 800.0, 2},
      {-1, 800.0, 400.0, -1}, {3, 800.0, 400.0, 3},
  };
  for (const RotateCase& c : cases) {
    SCOPED_TRACE(c.grainBefore);
    double length = 800.0;
    double width = 400.0;
    int grain = c.grainBefore;
    RotatePartInDialog(length, width, grain);
    EXPECT_EQ(length, c.lengthAfter);
    EXPECT_EQ(width, c.widthAfter);
    EXPECT_EQ(grain, c.grainAfter);
  }
}

TEST(CommonPartGrain, SharedGrainOrMinusOne) {
  const auto parts = [](std::vector<int> grains) {
    PartList list;
    for (int g : grains) list.push_back(MakePart(10, 10, 1, g, 190));
    return list;
  };
  EXPECT_EQ(CommonPartGrain(parts({1, 1, 1})), 1);
  EXPECT_EQ(CommonPartGrain(parts({1, 0, 1})), -1);
  EXPECT_EQ(CommonPartGrain(parts({2})), 2);
  EXPECT_EQ(CommonPartGrain({}), -1);
}

}  // namespace
}  // namespace tranchex
