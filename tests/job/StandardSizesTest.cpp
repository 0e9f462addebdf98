// The standard sizes as the size manager lists, preselects, adds and deletes them.

#include "job/StandardSizes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tranchex {
namespace {

// 2500 x 1250 x 19 mm for complex jobs; 2440 x 1220 for both kinds (10 mm, stored twice);
// 2000 x 1000 for simple jobs only; 2500 x 1250 x 22 mm for complex jobs.
std::vector<DIMENSIONS> Sizes() {
  return {{25000, 12500, 190, 2}, {24400, 12200, 100, 1}, {24400, 12200, 100, 2},
          {20000, 10000, 100, 1}, {25000, 12500, 220, 2}};
}

struct Row {
  std::string text;
  std::size_t record;
  friend bool operator==(const Row&, const Row&) = default;
};
std::vector<Row> Rows(const std::vector<StandardSizeRow>& rows) {
  std::vector<Row> out;
  for (const StandardSizeRow& r : rows) out.push_back({r.Text, r.Record});
  return out;
}
void PrintTo(const Row& r, std::ostream* os) { *os << r.text << " @" << r.record; }

TEST(ListStandardSizes, WhatEachModeOffers) {
  const PanelList panels19 = {Panneau_p(28000, 20700, 190, 0)};
  const PanelList none;
  struct Case {
    const char* name;
    bool managing;
    int kind;
    const PanelList* panels;
    std::vector<Row> rows;
  };
  const Case cases[] = {
      // Every size with its thickness; the two records of 2440 x 1220 x 10 are one row, that
      // of the first.
      {"managing", true, 2, nullptr,
       {{"2500 x 1250 x 19", 0}, {"2440 x 1220 x 10", 1}, {"2000 x 1000 x 10", 3},
        {"2500 x 1250 x 22", 4}}},
      // Managing never filters, whatever it is handed.
      {"managing ignores panels", true, 2, &panels19,
       {{"2500 x 1250 x 19", 0}, {"2440 x 1220 x 10", 1}, {"2000 x 1000 x 10", 3},
        {"2500 x 1250 x 22", 4}}},
      {"simple job", false, 1, nullptr, {{"2440 x 1220", 1}, {"2000 x 1000", 3}}},
      {"complex job", false, 2, nullptr,
       {{"2500 x 1250 x 19", 0}, {"2440 x 1220 x 10", 2}, {"2500 x 1250 x 22", 4}}},
      {"complex job, 19 mm panels", false, 2, &panels19, {{"2500 x 1250 x 19", 0}}},
      {"complex job, no panel", false, 2, &none, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Rows(ListStandardSizes(Sizes(), c.managing, c.kind, c.panels, 10.0, ',')), c.rows)
        << c.name;
  }
}

TEST(ListStandardSizes, PickingShowsEveryRecordEvenWithEqualTexts) {
  const std::vector<DIMENSIONS> sizes = {{24400, 12200, 100, 1}, {24400, 12200, 100, 1}};
  EXPECT_EQ(ListStandardSizes(sizes, false, 1, nullptr, 10.0, ',').size(), 2u);
  EXPECT_EQ(ListStandardSizes(sizes, true, 2, nullptr, 10.0, ',').size(), 1u);
}

TEST(StandardSizeText, InTheUnitWithEveryTenthAndNoUnit) {
  EXPECT_EQ(StandardSizeText(25000, 12500, 190.0, 10.0, ','), "2500 x 1250 x 19");
  EXPECT_EQ(StandardSizeText(25005, 12500, 185.0, 10.0, ','), "2500,5 x 1250 x 18,5");
  EXPECT_EQ(StandardSizeText(25000, 12500, std::nullopt, 100.0, ','), "250 x 125");
  EXPECT_EQ(StandardSizeText(24405, 12200, 185.0, 100.0, ','), "244,05 x 122 x 1,85");
  // 190 / 254 = 0.7480: three decimals of an inch.
  EXPECT_EQ(StandardSizeText(25400, 12700, 190.0, 254.0, '.'), "100 x 50 x 0.748");
  EXPECT_EQ(StandardSizeText(28000, 20700, 190.0, 10000.0, ','), "2,8 x 2,07 x 0,019");
  EXPECT_EQ(StandardSizeText(28005, 20700, std::nullopt, 10000.0, ','), "2,8005 x 2,07");
}

// Managing lists each stored size once, found by its values: sizes whose texts would read alike
// are still rows of their own, and the two kinds of one size are still one row.
TEST(ListStandardSizes, ManagingFindsDuplicatesByTheStoredValues) {
  const std::vector<DIMENSIONS> sizes = {{28000, 20700, 160, 2}, {28000, 20700, 190, 2},
                                         {28000, 20700, 220, 2}, {28000, 20700, 100, 1},
                                         {28000, 20700, 100, 2}, {28000, 20700, 190, 2},
                                         {28001, 20700, 190, 2}};
  EXPECT_EQ(Rows(ListStandardSizes(sizes, true, 2, nullptr, 10000.0, ',')),
            (std::vector<Row>{{"2,8 x 2,07 x 0,016", 0},
                              {"2,8 x 2,07 x 0,019", 1},
                              {"2,8 x 2,07 x 0,022", 2},
                              {"2,8 x 2,07 x 0,01", 3},
                              {"2,8001 x 2,07 x 0,019", 6}}));
}

TEST(PreselectedStandardSize, TheFirstOfTheKindMatchingEveryValueGiven) {
  struct Case {
    const char* name;
    int kind;
    std::int32_t length, width, thickness;
    std::optional<std::size_t> record;
  };
  const Case cases[] = {
      {"nothing given", 2, 0, 0, 0, std::nullopt},
      {"all three", 2, 25000, 12500, 220, 4},
      {"width only", 2, 0, 12500, 0, 0},
      {"width only, simple job", 1, 0, 12200, 0, 1},
      {"length and width, complex job", 2, 24400, 12200, 0, 2},
      {"a thickness no size has", 2, 25000, 12500, 180, std::nullopt},
      {"a size of the other kind", 1, 25000, 12500, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PreselectedStandardSize(Sizes(), c.kind, c.length, c.width, c.thickness), c.record)
        << c.name;
  }
}

TEST(StandardSizeStored, SameThreeValuesAndKind) {
  EXPECT_TRUE(StandardSizeStored(Sizes(), 25000, 12500, 190, 2));
  EXPECT_FALSE(StandardSizeStored(Sizes(), 25000, 12500, 190, 1));
  EXPECT_FALSE(StandardSizeStored(Sizes(), 25000, 12500, 180, 2));
  EXPECT_TRUE(StandardSizeStored(Sizes(), 20000, 10000, 100, 1));
  EXPECT_FALSE(StandardSizeStored(Sizes(), 20000, 10000, 100, 2));
}

TEST(AppendStandardSize, TheRecordsEachModeStores) {
  struct Case {
    const char* name;
    bool managing;
    int kind;
    std::int32_t thickness;
    std::vector<DIMENSIONS> appended;
  };
  const Case cases[] = {
      {"managing, 10 mm: both kinds", true, 2, 100,
       {{18000, 6000, 100, 1}, {18000, 6000, 100, 2}}},
      {"managing, 19 mm: complex jobs", true, 2, 190, {{18000, 6000, 190, 2}}},
      {"picking, simple job: 10 mm whatever was last shown", false, 1, 190,
       {{18000, 6000, 100, 1}}},
      {"picking, complex job", false, 2, 190, {{18000, 6000, 190, 2}}},
      {"picking, complex job, 10 mm: that kind only", false, 2, 100, {{18000, 6000, 100, 2}}},
  };
  for (const Case& c : cases) {
    std::vector<DIMENSIONS> sizes = Sizes();
    const std::size_t last = AppendStandardSize(sizes, 18000, 6000, c.thickness, c.kind, c.managing);
    std::vector<DIMENSIONS> expected = Sizes();
    expected.insert(expected.end(), c.appended.begin(), c.appended.end());
    EXPECT_EQ(sizes, expected) << c.name;
    EXPECT_EQ(last, sizes.size() - 1) << c.name;
  }
}

TEST(EraseStandardSize, BothKindsOfOneSizeGoTogether) {
  std::vector<DIMENSIONS> sizes = Sizes();
  EraseStandardSize(sizes, 1);  // 2440 x 1220 x 10, kind 1, and its kind-2 twin
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{25000, 12500, 190, 2}, {20000, 10000, 100, 1},
                                           {25000, 12500, 220, 2}}));
  // The twin is found wherever it is; a size alone goes alone.
  sizes = Sizes();
  EraseStandardSize(sizes, 2);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{25000, 12500, 190, 2}, {20000, 10000, 100, 1},
                                           {25000, 12500, 220, 2}}));
  sizes = Sizes();
  EraseStandardSize(sizes, 0);
  EXPECT_EQ(sizes.size(), 4u);
  EXPECT_EQ(sizes.front(), (DIMENSIONS{24400, 12200, 100, 1}));
  // Only one twin goes: of three equal records one is left.
  sizes = {{100, 50, 190, 2}, {100, 50, 190, 2}, {100, 50, 190, 2}};
  EraseStandardSize(sizes, 1);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{100, 50, 190, 2}}));
  // Past the end: nothing.
  sizes = Sizes();
  EraseStandardSize(sizes, 5);
  EXPECT_EQ(sizes, Sizes());
}

}  // namespace
}  // namespace tranchex
