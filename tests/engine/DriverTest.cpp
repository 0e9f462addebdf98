#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/EngineFixtures.h"

namespace tranchex {
namespace {

using test::ExpectSoundLayout;
using test::MakeMargins;
using test::MakePanel;
using test::MakePart;

// A simple job's parts numbered by position and grouped as the pipeline does it: one group
// holding Quantity copies of every part, sorted. The working panels are each test's own.
struct Job {
  PartList parts;
  EngineContext ctx;
  PartGroupList groups;

  explicit Job(PartList jobParts, int newPanelChoice = ChooseSmallestPanel) : parts(std::move(jobParts)) {
    ctx.NewPanelChoice = newPanelChoice;
    PanelList unused;
    SeedAndGroup({}, parts, 1, ctx, unused, groups);
  }
};

std::size_t PlacedCount(const PanelList& panels) {
  std::size_t n = 0;
  for (const Panneau_p& panel : panels) n += panel.PlacedParts.size();
  return n;
}

TEST(RunCuttingOptimisation, NoGroupDoesNothing) {
  EngineContext ctx;
  PartGroupList groups;
  PanelList working = {MakePanel(1000, 1000)};
  RunCuttingOptimisation(groups, working, {MakePanel(1000, 1000)}, MakeMargins(), 3, ctx);
  ASSERT_EQ(working.size(), 1u);
  EXPECT_TRUE(working[0].PlacedParts.empty());
}

TEST(RunCuttingOptimisation, EmptyWorkingListGetsAStockCopy) {
  Job job({MakePart(500, 500, 2, GrainIndifferent, 190, 0, 0)});
  PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 190, 0, 4)};
  PanelList working;
  RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 0, job.ctx);
  ASSERT_EQ(working.size(), 1u);
  EXPECT_EQ(working[0].EntryIndex, 4);
  EXPECT_EQ(working[0].PlacedParts.size(), 2u);
  EXPECT_TRUE(job.groups[0].empty());
  EXPECT_EQ(job.ctx.PartCounts[0].Count, 0);
  ExpectSoundLayout(working[0]);
}

TEST(RunCuttingOptimisation, PartsThatFitTheStockCopiesAddNoPanel) {
  Job job({MakePart(900, 400, 3, GrainHorizontal, 190, 0, 0),
           MakePart(300, 300, 2, GrainHorizontal, 190, 0, 0)});
  PanelList stock = {MakePanel(1000, 1000, GrainHorizontal, 190)};
  PanelList working = {stock[0], stock[0]};
  RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 3, job.ctx);
  EXPECT_EQ(working.size(), 2u);
  EXPECT_EQ(PlacedCount(working), 5u);
  for (const Panneau_p& panel : working) ExpectSoundLayout(panel);
}

struct ThickerCase {
  const char* name;
  double panelThickness;
  bool thickerAllowed;
  bool placed;
};

// Part 190 thick with no thickness margin, one working panel and the same stock panel.
TEST(RunCuttingOptimisation, ThickerPanelsOnlyByWholeUnitsWhenAllowed) {
  const std::vector<ThickerCase> cases = {
      {"exact thickness", 190.0, false, true},
      {"1.0 thicker, flag clear", 191.0, false, false},
      {"1.0 thicker, flag set", 191.0, true, true},
      {"0.5 thicker, flag set", 190.5, true, false},
  };
  for (const ThickerCase& c : cases) {
    SCOPED_TRACE(c.name);
    Job job({MakePart(500, 500, 1, GrainIndifferent, 190)});
    const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, c.panelThickness)};
    PanelList working = stock;
    const MarginsBlock m = MakeMargins(0, 0, 0, c.thickerAllowed);
    if (c.placed) {
      RunCuttingOptimisation(job.groups, working, stock, m, 0, job.ctx);
      EXPECT_EQ(working.size(), 1u);
      EXPECT_EQ(working[0].PlacedParts.size(), 1u);
    } else {
      EXPECT_THROW(RunCuttingOptimisation(job.groups, working, stock, m, 0, job.ctx),
                   NoPanelFitsError);
      EXPECT_TRUE(working[0].PlacedParts.empty());
      EXPECT_EQ(job.groups[0].size(), 1u);
    }
  }
}

TEST(RunCuttingOptimisation, ThinnerMatchingPanelFurtherDownIsPreferred) {
  Job job({MakePart(500, 500, 1, GrainIndifferent, 160)});
  const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 220),
                           MakePanel(1000, 1000, GrainIndifferent, 190)};
  PanelList working = stock;  // 220 at index 0, 190 at index 1
  const MarginsBlock m = MakeMargins(0, 0, 0, true);
  EXPECT_TRUE(ChoosePanelByRatio(working, job.groups[0][0], m, 0, 1));
  RunCuttingOptimisation(job.groups, working, stock, m, 0, job.ctx);
  EXPECT_TRUE(working[0].PlacedParts.empty());
  EXPECT_EQ(working[1].PlacedParts.size(), 1u);
}

// Many panels open, with thicker stock allowed: a panel is passed over while a thinner one
// further on (relative to the part) has room for it, whatever lies between.
TEST(RunCuttingOptimisation, ThickerPanelsWaitUntilNoThinnerOneFurtherOnHasRoom) {
  // Five parts of 160 that take a panel each: four 1000 x 1000 panels of 220, then three
  // 1100 x 1000 of 190. The first three parts go to the 190s, each 220 being passed over while
  // a 190 after it has room; then no 190 has room and the 220s take the last two, first first.
  Job job({MakePart(900, 900, 5, GrainIndifferent, 160)});
  const Panneau_p thick = MakePanel(1000, 1000, GrainIndifferent, 220, 0, 0);
  const Panneau_p thin = MakePanel(1100, 1000, GrainIndifferent, 190, 0, 1);
  PanelList working = {thick, thick, thick, thick, thin, thin, thin};
  const MarginsBlock m = MakeMargins(0, 0, 0, true);
  RunCuttingOptimisation(job.groups, working, {thick, thin}, m, 0, job.ctx);
  ASSERT_EQ(working.size(), 7u);
  const std::size_t expected[] = {1, 1, 0, 0, 1, 1, 1};
  for (std::size_t k = 0; k < working.size(); ++k)
    EXPECT_EQ(working[k].PlacedParts.size(), expected[k]) << "panel " << k;
}

// 240 against a part of 190 with a thickness margin of 20: 240 / 210 in double is below the
// same ratio taken in float, so each copy of a 240 panel is passed over for the copy after it
// while that one has room: stock entered in quantity fills from its last copy back.
TEST(RunCuttingOptimisation, PanelsPassedOverForTheirLikeFillFromTheLast) {
  Job job({MakePart(900, 900, 3, GrainIndifferent, 190)});
  const Panneau_p stock = MakePanel(1000, 1000, GrainIndifferent, 240);
  const TPiece part = job.groups[0][0];
  const MarginsBlock m = MakeMargins(0, 0, 20, true);
  PanelList working(4, stock);
  EXPECT_TRUE(ChoosePanelByRatio(working, part, m, 0, 1));
  RunCuttingOptimisation(job.groups, working, {stock}, m, 0, job.ctx);
  ASSERT_EQ(working.size(), 4u);
  const std::size_t expected[] = {0, 1, 1, 1};
  for (std::size_t k = 0; k < working.size(); ++k)
    EXPECT_EQ(working[k].PlacedParts.size(), expected[k]) << "panel " << k;
}

// Panels whose free rectangles hold room enough in width, height and area, but none of them
// the part: the part goes to the first panel with one that does, and the others were offered
// it (the last part offered is its number).
TEST(RunCuttingOptimisation, RoomSpreadOverRectanglesTakesNoPart) {
  Job job({MakePart(2000, 1400, 2, GrainHorizontal, 190), MakePart(900, 700, 1, GrainHorizontal, 190)});
  const Panneau_p sheet = MakePanel(2800, 2070, GrainHorizontal, 190);
  PanelList working(3, sheet);
  RunCuttingOptimisation(job.groups, working, {sheet}, MakeMargins(), 0, job.ctx);
  ASSERT_EQ(working.size(), 3u);
  for (std::size_t k = 0; k < 2; ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(working[k].PlacedParts.size(), 1u);
    EXPECT_EQ(working[k].PlacedParts[0].Number, 0);
    EXPECT_EQ(working[k].LastPart, 1);
  }
  ASSERT_EQ(working[2].PlacedParts.size(), 1u);
  EXPECT_EQ(working[2].PlacedParts[0].Number, 1);
}

struct RatioCase {
  const char* name;
  bool thickerAllowed;
  std::size_t j, last;
  bool skip;
};

TEST(ChoosePanelByRatio, OnlyWithTheFlagAndALaterPanel) {
  const PanelList panels = {MakePanel(1000, 1000, GrainIndifferent, 220),
                            MakePanel(1000, 1000, GrainIndifferent, 190),
                            MakePanel(1000, 1000, GrainIndifferent, 150)};
  const TPiece part = MakePart(500, 500, 1, GrainIndifferent, 160);
  const std::vector<RatioCase> cases = {
      {"flag clear", false, 0, 2, false},
      {"j is the last index", true, 2, 2, false},
      {"a thinner panel that takes the part follows", true, 0, 2, true},
      {"the only later panel is too thin", true, 1, 2, false},
  };
  for (const RatioCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChoosePanelByRatio(panels, part, MakeMargins(0, 0, 0, c.thickerAllowed), c.j, c.last),
              c.skip);
  }
  PanelList full = panels;
  full[1].FreeRects.clear();  // a panel without free rectangles never qualifies
  EXPECT_FALSE(ChoosePanelByRatio(full, part, MakeMargins(0, 0, 0, true), 0, 1));
}

TEST(NewPanelChoice, LargestTakesTheFirstOfEqualAreasSmallestTheSmallest) {
  const TPiece part = MakePart(800, 800);
  const PanelList stock = {MakePanel(1000, 1000, 2, 190, 0, 0), MakePanel(2000, 1000, 2, 190, 0, 1),
                           MakePanel(1000, 2000, 2, 190, 0, 2), MakePanel(500, 500, 2, 190, 0, 3)};
  EXPECT_EQ(ChooseLargestPanelForPart(stock, part, MakeMargins()).EntryIndex, 1);
  EXPECT_EQ(ChooseSmallestPanelForPart(stock, part, MakeMargins()).EntryIndex, 0);
  const PanelList reversed = {stock[2], stock[1], stock[0]};
  EXPECT_EQ(ChooseLargestPanelForPart(reversed, part, MakeMargins()).EntryIndex, 2);
  EXPECT_EQ(ChooseSmallestPanelForPart(reversed, part, MakeMargins()).EntryIndex, 0);

  for (int choice : {ChooseSmallestPanel, ChooseLargestPanel}) {
    Job job({MakePart(800, 800)}, choice);
    PanelList working;
    RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 0, job.ctx);
    ASSERT_EQ(working.size(), 1u);
    EXPECT_EQ(working[0].EntryIndex, choice == ChooseLargestPanel ? 1 : 0);
  }
}

TEST(NewPanelChoice, PanelsOfThePartsGrainComeFirst) {
  const TPiece part = MakePart(800, 800, 1, GrainHorizontal, 190);
  // A smaller indifferent panel and a larger one of the part's grain: only the latter counts.
  const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 190, 0, 0),
                           MakePanel(2000, 2000, GrainHorizontal, 190, 0, 1),
                           MakePanel(3000, 3000, GrainIndifferent, 190, 0, 2)};
  EXPECT_EQ(ChooseSmallestPanelForPart(stock, part, MakeMargins()).EntryIndex, 1);
  EXPECT_EQ(ChooseLargestPanelForPart(stock, part, MakeMargins()).EntryIndex, 1);
  // With no panel of the part's grain (in its species and thickness) any grain will do.
  const TPiece vertical = MakePart(800, 800, 1, GrainVertical, 190);
  EXPECT_EQ(ChooseSmallestPanelForPart(stock, vertical, MakeMargins()).EntryIndex, 0);
  EXPECT_EQ(ChooseLargestPanelForPart(stock, vertical, MakeMargins()).EntryIndex, 2);
}

TEST(NewPanelChoice, NoCandidateThrowsNamingThePart) {
  TPiece part = MakePart(800, 800, 1, GrainIndifferent, 190, 2, 7);
  const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 190, 0)};
  try {
    ChooseSmallestPanelForPart(stock, part, MakeMargins());
    FAIL() << "no exception";
  } catch (const NoPanelFitsError& e) {
    EXPECT_EQ(e.partNumber(), 7);
    EXPECT_EQ(e.part().Length, 800.0);
    EXPECT_EQ(e.part().Species, 2);
    EXPECT_NE(std::string(e.what()).find("7"), std::string::npos);
  }
  EXPECT_THROW(ChooseLargestPanelForPart({}, part, MakeMargins()), NoPanelFitsError);
}

TEST(RunCuttingOptimisation, SameGrainWorkingPanelsOnly) {
  Job job({MakePart(500, 500, 1, GrainHorizontal, 190)});
  const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 190),
                           MakePanel(1000, 1000, GrainHorizontal, 190)};
  PanelList working = stock;
  RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 0, job.ctx);
  EXPECT_TRUE(working[0].PlacedParts.empty());
  EXPECT_EQ(working[1].PlacedParts.size(), 1u);
}

TEST(RunCuttingOptimisation, CopiesPlacedInOnePassAreAllRemoved) {
  Job job({MakePart(400, 400, 2, GrainIndifferent, 190, 0, 0)});
  ASSERT_EQ(job.groups[0][0].Number, job.groups[0][1].Number);
  const PanelList stock = {MakePanel(1000, 1000)};
  PanelList working = stock;
  RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 0, job.ctx);
  EXPECT_TRUE(job.groups[0].empty());
  EXPECT_EQ(working.size(), 1u);
  EXPECT_EQ(working[0].PlacedParts.size(), 2u);
}

// A stock entry whose first free rectangle promises more room than its own rectangle: the
// choice accepts it for the part, but the fresh copy cannot take it. The run must end with the
// no-panel error instead of adding copies for ever.
TEST(RunCuttingOptimisation, PassThatPlacesNothingEndsTheRun) {
  Job job({MakePart(3000, 3000)});
  PanelList stock = {MakePanel(2000, 1000)};
  stock[0].FreeRects = {MONRect(0, 5000, 5000, 0)};  // set in place: a copy would reset it
  PanelList working;
  EXPECT_THROW(RunCuttingOptimisation(job.groups, working, stock, MakeMargins(), 0, job.ctx),
               NoPanelFitsError);
  EXPECT_EQ(working.size(), 1u);
  EXPECT_EQ(job.groups[0].size(), 1u);
}

TEST(RunCuttingOptimisation, FailureKeepsWhatWasLaidOut) {
  EngineContext ctx;
  PartList parts = {MakePart(800, 800, 1, GrainIndifferent, 190, 0),
                    MakePart(500, 500, 1, GrainIndifferent, 190, 1)};
  RenumberParts(parts, ctx);
  ctx.PartCounts = BuildPartCounts(parts);
  PartGroupList groups = {{parts[0]}, {parts[1]}};  // species 1 has no stock panel
  const PanelList stock = {MakePanel(1000, 1000, GrainIndifferent, 190, 0)};
  PanelList working;
  try {
    RunCuttingOptimisation(groups, working, stock, MakeMargins(), 0, ctx);
    FAIL() << "no exception";
  } catch (const NoPanelFitsError& e) {
    EXPECT_EQ(e.partNumber(), 1);
  }
  ASSERT_EQ(working.size(), 1u);
  EXPECT_EQ(working[0].PlacedParts.size(), 1u);
  EXPECT_TRUE(groups[0].empty());
  EXPECT_EQ(groups[1].size(), 1u);
}

struct NumberCase {
  const char* name;
  std::vector<std::int32_t> numbers;  // of the parts in the group (sizes differ unless equal)
  bool sameSizes;
  PartCountList counts;
  bool valid;
};

TEST(PartNumbers, EngineRefusesNumbersThatAreNotPositions) {
  const std::vector<NumberCase> cases = {
      {"two sizes share number 1", {0, 1, 1}, false, {{0, 1}, {1, 2}}, false},
      {"copies share a number", {0, 1, 1}, true, {{0, 1}, {1, 2}}, true},
      {"negative", {-1}, true, {{0, 1}}, false},
      {"past the counts", {2}, true, {{0, 1}, {1, 1}}, false},
      {"count entry at another position", {1}, true, {{1, 1}, {0, 1}}, false},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.name);
    PartList group;
    for (std::size_t i = 0; i < c.numbers.size(); ++i) {
      const double length = c.sameSizes || c.numbers[i] == 0 ? 100.0 : 100.0 + static_cast<double>(i);
      group.push_back(MakePart(length, 100, 1, GrainIndifferent, 190, 0, c.numbers[i]));
    }
    const PartGroupList groups = {group};
    if (c.valid) {
      EXPECT_NO_THROW(ValidatePartNumbers(groups, c.counts));
    } else {
      EXPECT_THROW(ValidatePartNumbers(groups, c.counts), PartNumberError);
    }
  }
}

// Two different parts numbered alike (as after a second job in one run): the driver would
// remove the wrong one and count the wrong entry. It refuses before placing anything.
TEST(PartNumbers, DriverRefusesTwoPartsSharingANumber) {
  EngineContext ctx;
  ctx.PartCounts = {{0, 1}, {1, 1}};
  PartGroupList groups = {{MakePart(800, 200, 1, GrainIndifferent, 190, 0, 1),
                           MakePart(300, 200, 1, GrainIndifferent, 190, 0, 1)}};
  const PanelList stock = {MakePanel(1000, 1000)};
  PanelList working = stock;
  EXPECT_THROW(RunCuttingOptimisation(groups, working, stock, MakeMargins(), 0, ctx),
               PartNumberError);
  EXPECT_TRUE(working[0].PlacedParts.empty());
  EXPECT_EQ(groups[0].size(), 2u);
}

TEST(PartGroups, FindSortAndFree) {
  PartGroupList groups = {{MakePart(100, 100, 1, 2, 190, 0)}, {MakePart(100, 100, 1, 2, 220, 0)},
                          {MakePart(100, 100, 1, 0, 190, 1)}};
  struct Case {
    double thickness;
    int species;
    bool found;
    int index;
  };
  for (const Case& c : std::vector<Case>{{190, 0, true, 0}, {220, 0, true, 1}, {190, 1, true, 2},
                                         {190.5, 0, false, -1}, {220, 1, false, -1}}) {
    int index = -1;
    EXPECT_EQ(FindPartGroup(groups, MakePart(5, 5, 1, 1, c.thickness, c.species), index), c.found);
    EXPECT_EQ(index, c.index);
  }
  int untouched = 42;
  EXPECT_FALSE(FindPartGroup({}, MakePart(5, 5), untouched));
  EXPECT_EQ(untouched, 42);

  // Equal keys keep their order, so runs repeat.
  PartGroupList byLength = {{MakePart(500.2, 10, 1, 2, 190, 0, 0),
                             MakePart(900, 10, 1, 2, 190, 0, 1),
                             MakePart(500.9, 50, 1, 2, 190, 0, 2),
                             MakePart(500, 90, 1, 2, 190, 0, 3)}};
  SortPartGroups(byLength, CriterionLength);
  std::vector<int> order;
  for (const TPiece& p : byLength[0]) order.push_back(p.Number);
  EXPECT_EQ(order, (std::vector<int>{1, 0, 2, 3}));

  FreePartGroups(groups);
  EXPECT_TRUE(groups.empty());
}

TEST(SortPanels, ResetsLayoutsAndSortsSmallestFirst) {
  PanelList panels = {MakePanel(2000, 1000, 2, 190, 0, 0), MakePanel(500, 500, 2, 190, 0, 1),
                      MakePanel(1000, 2000, 2, 190, 0, 2)};
  panels[0].FreeRects = {MONRect(0, 10, 10, 0), MONRect(10, 20, 30, 0)};
  panels[0].Length = 2100.5;
  SortPanels(panels);
  std::vector<int> order;
  for (const Panneau_p& p : panels) order.push_back(p.EntryIndex);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(panels[2].FreeRects, std::vector<MONRect>{MONRect(0, 1000, 2100, 0)});
  EXPECT_EQ(panels[2].Rect, TRect(0, 1000, 2100, 0));
}

struct BarsCase {
  const char* name;
  std::vector<std::pair<double, double>> widthThickness;
  bool bars;
};

TEST(AllWidthThickness100, OnlyWhenEveryRecordIsA100By100Bar) {
  const std::vector<BarsCase> cases = {
      {"all 100 x 100", {{100.0, 100.0}, {100.0, 100.0}}, true},
      {"one 99.9 thick", {{100.0, 100.0}, {100.0, 99.9}}, false},
      {"all 200 wide", {{200.0, 100.0}, {200.0, 100.0}}, false},
      {"empty list", {}, false},
  };
  for (const BarsCase& c : cases) {
    SCOPED_TRACE(c.name);
    PartList parts;
    PanelList panels;
    for (const auto& [width, thickness] : c.widthThickness) {
      parts.push_back(MakePart(3000, width, 1, GrainIndifferent, thickness));
      panels.push_back(MakePanel(3000, width, GrainIndifferent, thickness));
    }
    EXPECT_EQ(PartsAllWidthThickness100(parts), c.bars);
    EXPECT_EQ(PanelsAllWidthThickness100(panels), c.bars);
  }
}

// A mixed job with a width margin larger than the length margin and a kerf: every copy placed
// once, every layout sound.
TEST(RunCuttingOptimisation, MixedJobLaysEveryCopyOutSoundly) {
  for (int criterion : {CriterionArea, CriterionLength, CriterionWidth}) {
    SCOPED_TRACE(criterion);
    Job job({MakePart(1200, 600, 5, GrainIndifferent, 190, 0, 0),
             MakePart(800, 795, 4, GrainIndifferent, 190, 0, 0),
             MakePart(2000, 300, 3, GrainHorizontal, 190, 0, 0),
             MakePart(450, 450, 9, GrainIndifferent, 190, 0, 0),
             MakePart(600, 1500, 2, GrainVertical, 190, 0, 0)});
    job.ctx.OptimisationCriterion = criterion;
    SortPartGroups(job.groups, criterion);
    const PanelList stock = {MakePanel(2500, 1250, GrainIndifferent, 190, 0, 0),
                             MakePanel(2800, 2070, GrainHorizontal, 190, 0, 1)};
    PanelList working = {stock[0], stock[1]};
    SortPanels(working);
    RunCuttingOptimisation(job.groups, working, stock, MakeMargins(5, 30), 4, job.ctx);
    EXPECT_TRUE(job.groups[0].empty());
    std::map<int, int> placed;
    for (const Panneau_p& panel : working) {
      ExpectSoundLayout(panel);
      for (const TPiece& part : panel.PlacedParts) ++placed[part.Number];
    }
    for (const TPiece& part : job.parts) EXPECT_EQ(placed[part.Number], part.Quantity);
    for (const ID_NB_PIECE& count : job.ctx.PartCounts) EXPECT_EQ(count.Count, 0);
  }
}

}  // namespace
}  // namespace tranchex
