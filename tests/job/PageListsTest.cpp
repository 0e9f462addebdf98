#include "job/PageLists.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

using test::MakePanel;
using test::PlacedPart;

PartList Parts(std::size_t n) { return PartList(n, TPiece(1000, 500, 190, 0)); }

struct PaginateCase {
  std::size_t parts;
  std::uint32_t rowsPerPage;
  PageList expected;
};

TEST(PaginateRows, RowRangesOfThePages) {
  const std::vector<PaginateCase> cases = {
      {25, 10, {{0, 9}, {10, 19}, {20, 24}}},
      {20, 10, {{0, 9}, {10, 19}}},
      {21, 10, {{0, 9}, {10, 19}, {20, 20}}},
      {1, 10, {{0, 0}}},
      {0, 10, {{0, -1}}},
      {7, 50, {{0, 6}}},
      {10, 10, {{0, 9}}},
      {3, 1, {{0, 0}, {1, 1}, {2, 2}}},
      {3, 0xFFFFFFFFu, {{0, 2}}},
      // Zero rows per page (a window too small for one row) is taken as one row.
      {3, 0, {{0, 0}, {1, 1}, {2, 2}}},
      {0, 0, {{0, -1}}},
  };
  for (const PaginateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.parts << " parts, " << c.rowsPerPage << " rows");
    PageList pages = {{7, 7}, {8, 8}};  // what a previous pagination left
    PaginateRows(Parts(c.parts), pages, c.rowsPerPage);
    ASSERT_EQ(pages.size(), c.expected.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
      EXPECT_EQ(pages[i].FirstRow, c.expected[i].FirstRow) << "page " << i;
      EXPECT_EQ(pages[i].LastRow, c.expected[i].LastRow) << "page " << i;
    }
  }
}

// A laid-out panel with two parts; `shift` moves the second part.
Panneau_p Layout(int grain = GrainHorizontal, double thickness = 190, int species = 0,
                 int shift = 0) {
  Panneau_p p = MakePanel(28000, 20700, grain, thickness, species);
  p.PlacedParts = {PlacedPart(0, 10000, 5000, 0, 20700),
                   PlacedPart(1, 10000, 5000, 10000 + shift, 20700)};
  return p;
}

Panneau_p OtherLayout() {
  Panneau_p p = MakePanel(28000, 20700);
  p.PlacedParts = {PlacedPart(2, 3000, 3000, 0, 20700)};
  return p;
}

TEST(BuildPanelDisplayList, RepeatedLayoutIsShownOnceWithItsCount) {
  PanelPageList pages;
  BuildPanelDisplayList(pages, {Layout(), OtherLayout(), Layout()}, ',');
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_FALSE(pages[0].Signature.empty());
  EXPECT_EQ(pages[0].Count, 2);
  EXPECT_FALSE(pages[1].Signature.empty());
  EXPECT_NE(pages[1].Signature, pages[0].Signature);
  EXPECT_EQ(pages[1].Count, 1);
  EXPECT_EQ(pages[2].Signature, "");
  EXPECT_EQ(pages[2].Count, -1);

  EXPECT_EQ(CountDisplayedPanels(pages), 2);
  EXPECT_EQ(DisplayedPanelIndex(pages, 0), 0);
  EXPECT_EQ(DisplayedPanelIndex(pages, 1), 1);
  EXPECT_EQ(DisplayedPanelRepeat(pages, 0), 2);
  EXPECT_EQ(DisplayedPanelRepeat(pages, 1), 1);
  EXPECT_EQ(LastDisplayedPanel(pages), 1);
}

TEST(BuildPanelDisplayList, ThreeAlikeAfterAnotherCountOnTheFirst) {
  PanelPageList pages;
  BuildPanelDisplayList(pages, {OtherLayout(), Layout(), Layout(), OtherLayout(), Layout()}, ',');
  const PanelPageList expected = {
      {pages[0].Signature, 2}, {pages[1].Signature, 3}, {"", -1}, {"", -1}, {"", -1}};
  EXPECT_EQ(pages, expected);
  EXPECT_EQ(LastDisplayedPanel(pages), 1);
}

TEST(BuildPanelDisplayList, WhatMakesTwoLayoutsDifferent) {
  struct Case {
    const char* name;
    Panneau_p other;
  };
  const std::vector<Case> cases = {
      {"thickness", Layout(GrainHorizontal, 220)},
      {"species", Layout(GrainHorizontal, 190, 1)},
      {"grain", Layout(GrainVertical)},
      {"a part elsewhere", Layout(GrainHorizontal, 190, 0, 10)},
      {"a part fewer", OtherLayout()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PanelPageList pages;
    BuildPanelDisplayList(pages, {Layout(), c.other}, ',');
    EXPECT_EQ(CountDisplayedPanels(pages), 2);
    EXPECT_EQ(pages[0].Count, 1);
    EXPECT_EQ(pages[1].Count, 1);
  }
}

TEST(BuildPanelDisplayList, FieldsRunTogetherNeverMakeTwoLayoutsOne) {
  // Written one after the other without a break, 1234 x 5678 and 12345 x 678 read alike, and so
  // do part 1 at left 10 and part 11 at left 0: each must stay a page of its own.
  PanelPageList pages;
  BuildPanelDisplayList(pages, {MakePanel(1234, 5678), MakePanel(12345, 678)}, ',');
  EXPECT_EQ(CountDisplayedPanels(pages), 2);

  Panneau_p a = MakePanel(28000, 20700);
  a.PlacedParts = {PlacedPart(1, 1000, 1000, 10, 500)};
  Panneau_p b = MakePanel(28000, 20700);
  b.PlacedParts = {PlacedPart(11, 1000, 1000, 0, 500)};
  BuildPanelDisplayList(pages, {a, b}, ',');
  EXPECT_EQ(CountDisplayedPanels(pages), 2);
}

TEST(BuildPanelDisplayList, EmptyPanelListLeavesThePagesAsTheyWere) {
  PanelPageList pages = {{"x", 2}, {"", -1}};
  const PanelPageList before = pages;
  BuildPanelDisplayList(pages, {}, ',');
  EXPECT_EQ(pages, before);
}

TEST(BuildPanelDisplayList, SignatureCarriesSizesMaterialAndPlacements) {
  Panneau_p p = MakePanel(28000.5, 20700, GrainIndifferent, 190, 3);
  p.PlacedParts = {PlacedPart(4, 100, 100, 12, 20700)};
  EXPECT_EQ(PanelSignature(p, ','), "28000,5|20700|190|3|2|4|12|20700|");
}

// Entries displayed at 0, 1 (A, B, A').
PanelPageList ABA() { return {{"a", 2}, {"b", 1}, {"", -1}}; }
// Entries displayed at 0, 3 and 4.
PanelPageList Gapped() { return {{"a", 3}, {"", -1}, {"", -1}, {"b", 1}, {"c", 1}}; }

struct WalkCase {
  const char* name;
  PanelPageList pages;
  bool forward;
  std::int32_t from;
  std::int32_t toIndex;
  std::int32_t page;
};

TEST(DisplayedPanelWalk, NextAndPrevious) {
  const std::vector<WalkCase> cases = {
      {"next from the first", ABA(), true, 0, 1, 2},
      {"next at the last page stays", ABA(), true, 1, 1, 2},
      {"previous from the second", ABA(), false, 1, 0, 1},
      {"previous at the first page stays", ABA(), false, 0, 0, 1},
      {"next over hidden entries", Gapped(), true, 0, 3, 2},
      {"next to the last", Gapped(), true, 3, 4, 3},
      {"next at the last stays", Gapped(), true, 4, 4, 3},
      {"previous over hidden entries", Gapped(), false, 3, 0, 1},
      {"previous from the last", Gapped(), false, 4, 3, 2},
      {"next on an empty list", {}, true, 5, 0, 0},
      {"previous on an empty list", {}, false, 5, 0, 0},
  };
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::int32_t index = c.from;
    const std::int32_t page =
        c.forward ? NextDisplayedPanel(index, c.pages) : PreviousDisplayedPanel(index, c.pages);
    EXPECT_EQ(index, c.toIndex);
    EXPECT_EQ(page, c.page);
  }
}

TEST(DisplayedPanelWalk, CountLastIndexAndRepeat) {
  const PanelPageList g = Gapped();
  EXPECT_EQ(CountDisplayedPanels(g), 3);
  EXPECT_EQ(LastDisplayedPanel(g), 4);
  EXPECT_EQ(DisplayedPanelIndex(g, 0), 0);
  EXPECT_EQ(DisplayedPanelIndex(g, 1), 3);
  EXPECT_EQ(DisplayedPanelIndex(g, 2), 4);
  EXPECT_EQ(DisplayedPanelRepeat(g, 0), 3);
  EXPECT_EQ(DisplayedPanelRepeat(g, 2), 1);
  // No such page: no index and no panel.
  EXPECT_EQ(DisplayedPanelIndex(g, 3), -1);
  EXPECT_EQ(DisplayedPanelIndex(g, -1), -1);
  EXPECT_EQ(DisplayedPanelRepeat(g, 3), 0);

  EXPECT_EQ(CountDisplayedPanels({}), 0);
  EXPECT_EQ(LastDisplayedPanel({}), 0);
  EXPECT_EQ(DisplayedPanelIndex({}, 0), -1);
}

TEST(DisplayedPanelWalk, WalkingEveryPageForwardAndBack) {
  const PanelPageList g = Gapped();
  std::int32_t index = 0;
  std::vector<std::int32_t> visited{index};
  for (int i = 0; i < 4; ++i) {
    NextDisplayedPanel(index, g);
    visited.push_back(index);
  }
  EXPECT_EQ(visited, (std::vector<std::int32_t>{0, 3, 4, 4, 4}));
  for (int i = 0; i < 3; ++i) PreviousDisplayedPanel(index, g);
  EXPECT_EQ(index, 0);
}

}  // namespace
}  // namespace tranchex
