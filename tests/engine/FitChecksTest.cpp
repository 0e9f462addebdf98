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
  const PanelList panels = {MakePanel(2500, 1250, 190), MakePanel(3050, 1220, 220),
                            MakePanel(2800, 2070, 160)};
  EXPECT_EQ(LargestPanelLength(panels), 3050.0);
  EXPECT_EQ(LargestPanelWidth(panels), 2070.0);
  EXPECT_EQ(LargestPanelThickness(panels), 220.0);
  EXPECT_EQ(LargestPanelThickness({MakePanel(10, 10, -5)}), 0.0);
}

TEST(ExistenceQueries, ThicknessSpeciesAndReference) {
  const PanelList exact = {MakePanel(100, 100, 190.0, 2, 3)};
  const PanelList thicker = {MakePanel(100, 100, 190.5, 2, 3)};
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
  const PanelList panels = {MakePanel(1000, 500, 190)};
  const TPiece part = MakePart(1000, 500, 190);
  MarginsBlock m = MakeMargins(20, 20, 5);
  EXPECT_TRUE(PartFitsSomePanel(panels, part, m, false));
  EXPECT_EQ(m.LengthMargin, 0.0);
  EXPECT_EQ(m.WidthMargin, 0.0);
  EXPECT_EQ(m.ThicknessMargin, 0.0);

  MarginsBlock kept = MakeMargins(20, 20, 5);
  EXPECT_FALSE(PartFitsSomePanel(panels, part, kept, true));
  EXPECT_EQ(kept.LengthMargin, 20.0);

  // Nothing fits anything here, yet the list checks pass while margins are not asked.
  const PartList parts = {MakePart(5000, 5000, 10, 0, 9)};
  MarginsBlock any = MakeMargins(20, 20, 5);
  EXPECT_TRUE(AllPartsFitSomePanel(panels, parts, any, false));
  EXPECT_TRUE(PartsStillFitAfterPanelEdit(panels, panels[0], parts, any, false));
  EXPECT_TRUE(PartsStillFitAfterPanelDelete(panels, panels[0], parts, any, false));
  EXPECT_FALSE(AllPartsFitSomePanel(panels, parts, any, true));
  EXPECT_FALSE(PartsStillFitAfterPanelEdit(panels, panels[0], parts, any, true));
}

TEST(FitChecks, PanelsOfThePartsGrainComeFirstExceptForTheWholeList) {
  // Grain 0 part: an indifferent panel it fits, and a grain-0 panel too small for it.
  const TPiece part = MakePart(800, 400, 190, GrainHorizontal);
  const PanelList panels = {MakePanel(1000, 1000, 190, GrainIndifferent),
                            MakePanel(500, 500, 190, GrainHorizontal)};
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
  const TPiece part = MakePart(500, 500, 160);
  for (const MarginThicknessCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.panelThickness << (c.thickerAllowed ? " thicker" : ""));
    const PanelList panels = {MakePanel(1000, 1000, c.panelThickness)};
    MarginsBlock m = MakeMargins(0, 0, 5.0, c.thickerAllowed);
    EXPECT_EQ(PartFitsSomePanel(panels, part, m, true), c.matches);
    const Panneau_p other = MakePanel(10, 10, 1);
    EXPECT_EQ(PartFitsSomeOtherPanel(panels, other, part, m, true), c.matches);
    EXPECT_EQ(AllPartsFitSomePanel(panels, {part}, m, true), c.matches);
    EXPECT_EQ(PartsStillFitAfterPanelEdit(panels, panels[0], {part}, m, true), c.matches);
  }
}

TEST(FitChecks, DeletedPanelAndItsTwinsNeverCount) {
  const TPiece part = MakePart(800, 800, 190);
  const Panneau_p deleted = MakePanel(1000, 1000, 190);
  MarginsBlock m = MakeMargins();
  // Only the panel and an identical one: nothing is left for the part.
  EXPECT_FALSE(PartsStillFitAfterPanelDelete({deleted, deleted}, deleted, {part}, m, true));
  EXPECT_FALSE(PartFitsSomeOtherPanel({deleted, deleted}, deleted, part, m, true));
  // A panel that differs in length alone still takes it.
  const Panneau_p longer = MakePanel(1200, 1000, 190);
  EXPECT_TRUE(PartsStillFitAfterPanelDelete({deleted, longer}, deleted, {part}, m, true));
  EXPECT_TRUE(PartFitsSomeOtherPanel({deleted, longer}, deleted, part, m, true));
  // One of another species is taken by the "other panel" test only if it has the part's species.
  const Panneau_p otherSpecies = MakePanel(1000, 1000, 190, GrainIndifferent, 4);
  EXPECT_FALSE(PartFitsSomeOtherPanel({deleted, otherSpecies}, deleted, part, m, true));
}

TEST(FitChecks, EditWithNoPanelOfTheEditedKindFails) {
  const TPiece part = MakePart(800, 800, 190);
  const PanelList panels = {MakePanel(1000, 1000, 190, GrainIndifferent, 0)};
  const Panneau_p edited = MakePanel(1000, 1000, 220, GrainIndifferent, 0);  // no 220 in the list
  MarginsBlock m = MakeMargins();
  EXPECT_FALSE(PartsStillFitAfterPanelEdit(panels, edited, {part}, m, true));
  EXPECT_TRUE(PartsStillFitAfterPanelEdit(panels, panels[0], {part}, m, true));
}

// A job without parts: no edit or delete of a panel can leave a part without one, and the
// whole list fits too.
TEST(FitChecks, WithoutPartsEveryPanelChangeIsAllowed) {
  const Panneau_p panel = MakePanel(1000, 1000, 190);
  const Panneau_p other = MakePanel(1000, 1000, 220);
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
    for (int g : grains) list.push_back(MakePart(10, 10, 190, g));
    return list;
  };
  EXPECT_EQ(CommonPartGrain(parts({1, 1, 1})), 1);
  EXPECT_EQ(CommonPartGrain(parts({1, 0, 1})), -1);
  EXPECT_EQ(CommonPartGrain(parts({2})), 2);
  EXPECT_EQ(CommonPartGrain({}), -1);
}

}  // namespace
}  // namespace tranchex
