#include "job/ResultLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/EngineRun.h"
#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

using test::MakePanel;
using test::PlaceParts;
using test::PlacedPart;
using test::SetFreeRects;

constexpr int kSimple = 1;
constexpr int kComplex = 2;
constexpr int kInUnit = 0;
constexpr int kInMetres = 1;

class SummaryListsTest : public ::testing::Test {
 protected:
  void Build(const PanelList& panels, int jobKind = kComplex, int summaryInMetres = kInUnit) {
    BuildSummaryLists(lines, offcuts, panels, species, unit, jobKind, summaryInMetres, texts);
  }

  ListTexts texts = LoadListTexts(',');
  std::vector<std::string> species{"Chêne", "Hêtre"};
  UNITE_MESURE unit;  // millimetres
  SummaryLineList lines;
  OffcutList offcuts;
};

TEST_F(SummaryListsTest, TotalsOfOnePanelInMillimetres) {
  Panneau_p p = MakePanel(28000, 20700, GrainHorizontal, 190, 0);
  p.PlacedParts = {PlacedPart(0, 10000, 5000, 0, 20700), PlacedPart(1, 10000, 5000, 10000, 20700),
                   PlacedPart(2, 2000, 1000, 0, 15700)};
  SetFreeRects(p, {MONRect(0, 5000, 28000, 0), MONRect(20000, 15700, 28000, 5000)});
  p.CutLength = 45000;
  Build({p});

  ASSERT_EQ(lines.size(), 1u);
  const METRAGE& l = lines[0];
  EXPECT_EQ(l.Key, "2800x2070x19mm - chêne - horizontal");
  EXPECT_EQ(l.PanelCount, 1);
  EXPECT_DOUBLE_EQ(static_cast<double>(l.PanelArea), 5796000.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(l.PartsArea), 1020000.0);
  EXPECT_DOUBLE_EQ(l.PartsPerimeter, 6600.0);  // (30000 + 30000 + 6000) / 10
  EXPECT_DOUBLE_EQ(l.CutLength, 4500.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(l.WasteArea), 1400000.0 + 856000.0);
  EXPECT_NEAR(l.WastePercent, 2256000.0 / 5796000.0 * 100, 1e-9);
  EXPECT_EQ(l.PartsPerPanel, 3);

  ASSERT_EQ(offcuts.size(), 2u);
  EXPECT_EQ(offcuts[0].Text, "2800x500x19 - chêne - horizontal");
  EXPECT_EQ(offcuts[0].Count, 1);
  EXPECT_EQ(offcuts[0].Length, 28000.0);
  EXPECT_EQ(offcuts[0].Width, 5000.0);
  EXPECT_EQ(offcuts[0].Thickness, 190.0);
  EXPECT_EQ(offcuts[0].Species, 0);
  EXPECT_EQ(offcuts[0].Surface, 140000000.0L);  // internal units, not divided
  EXPECT_EQ(offcuts[0].Grain, GrainHorizontal);
  EXPECT_EQ(offcuts[1].Text, "800x1070x19 - chêne - horizontal");
}

TEST_F(SummaryListsTest, KeyOfASimpleJobLeavesOutThicknessAndSpecies) {
  Build({MakePanel(28000, 20700, GrainHorizontal, 190, 0)}, kSimple);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "2800x2070mm - horizontal");
  // The offcut text carries thickness and species whatever the job kind.
  ASSERT_EQ(offcuts.size(), 1u);
  EXPECT_EQ(offcuts[0].Text, "2800x2070x19 - chêne - horizontal");
}

TEST_F(SummaryListsTest, EmptyPanelListLeavesBothListsAsTheyWere) {
  METRAGE oldLine;
  oldLine.Key = "old";
  CHUTE oldOffcut;
  oldOffcut.Text = "old";
  lines = {oldLine};
  offcuts = {oldOffcut, oldOffcut};
  Build({});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "old");
  EXPECT_EQ(offcuts.size(), 2u);
}

TEST_F(SummaryListsTest, RunningTwiceGivesTheSameLists) {
  Panneau_p a = MakePanel(20000, 10000);
  PlaceParts(a, 1);
  SetFreeRects(a, {MONRect(0, 500, 1000, 0), MONRect(1000, 500, 2000, 0)});
  Panneau_p b = a;
  SetFreeRects(b, {MONRect(0, 500, 1000, 0)});
  const PanelList panels{a, b};
  Build(panels);
  const OffcutList first = offcuts;
  const SummaryLineList firstLines = lines;
  Build(panels);
  ASSERT_EQ(offcuts.size(), first.size());
  for (std::size_t i = 0; i < offcuts.size(); ++i) {
    EXPECT_EQ(offcuts[i].Text, first[i].Text);
    EXPECT_EQ(offcuts[i].Count, first[i].Count);
  }
  ASSERT_EQ(lines.size(), firstLines.size());
  EXPECT_EQ(lines[0].PanelCount, firstLines[0].PanelCount);
  EXPECT_EQ(offcuts[0].Count, 3);
}

TEST_F(SummaryListsTest, PanelWithoutPartsIsAllWaste) {
  const Panneau_p empty = MakePanel(25000, 12500);  // its free list is the whole panel
  Build({empty});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].PanelCount, 1);
  EXPECT_EQ(lines[0].PartsArea, 0.0L);
  EXPECT_EQ(lines[0].PartsPerimeter, 0.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(lines[0].WasteArea), 3125000.0);
  EXPECT_DOUBLE_EQ(lines[0].WastePercent, 100.0);
  EXPECT_EQ(lines[0].PartsPerPanel, 0);
  ASSERT_EQ(offcuts.size(), 1u);
  EXPECT_EQ(offcuts[0].Length, 25000.0);
  EXPECT_EQ(offcuts[0].Width, 12500.0);
}

TEST_F(SummaryListsTest, PartsPerPanelIsTheLastPanelsCountNotASum) {
  PanelList panels;
  for (int n : {5, 7, 4}) {
    Panneau_p p = MakePanel(20000, 10000);
    PlaceParts(p, n);
    panels.push_back(p);
  }
  Build(panels);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].PanelCount, 3);
  EXPECT_EQ(lines[0].PartsPerPanel, 4);
}

struct KeyCase {
  const char* name;
  Panneau_p second;
  int jobKind;
  std::size_t expectedLines;
};

TEST_F(SummaryListsTest, WhatSeparatesTwoLines) {
  const Panneau_p base = MakePanel(28000, 20700, GrainHorizontal, 190, 0);
  const std::vector<KeyCase> cases = {
      {"other grain, simple job", MakePanel(28000, 20700, GrainVertical, 190, 0), kSimple, 2},
      {"other grain, complex job", MakePanel(28000, 20700, GrainVertical, 190, 0), kComplex, 2},
      {"other thickness, simple job", MakePanel(28000, 20700, GrainHorizontal, 220, 0), kSimple, 1},
      {"other thickness, complex job", MakePanel(28000, 20700, GrainHorizontal, 220, 0), kComplex,
       2},
      {"other species, simple job", MakePanel(28000, 20700, GrainHorizontal, 190, 1), kSimple, 1},
      {"other species, complex job", MakePanel(28000, 20700, GrainHorizontal, 190, 1), kComplex,
       2},
      {"a tenth longer", MakePanel(28001, 20700, GrainHorizontal, 190, 0), kSimple, 2},
      // A size that is not a whole number of tenths is its own size too.
      {"a hair longer", MakePanel(28000.04, 20700, GrainHorizontal, 190, 0), kSimple, 2},
      {"a hair thicker, complex job", MakePanel(28000, 20700, GrainHorizontal, 190.04, 0),
       kComplex, 2},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    Build({base, c.second, base}, c.jobKind);
    EXPECT_EQ(lines.size(), c.expectedLines);
    if (lines.size() == 2) {
      EXPECT_NE(lines[0].Key, lines[1].Key);  // two lines never read the same
      EXPECT_EQ(lines[0].PanelCount, 2);
    }
    int total = 0;
    for (const METRAGE& l : lines) total += l.PanelCount;
    EXPECT_EQ(total, 3);
  }
}

TEST_F(SummaryListsTest, SummaryInMetres) {
  Build({MakePanel(28000, 20700)}, kSimple, kInMetres);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "2,8x2,07m - horizontal");
  EXPECT_NEAR(static_cast<double>(lines[0].PanelArea), 5.796, 1e-12);
  EXPECT_EQ(offcuts[0].Text, "2,8x2,07x0,019 - chêne - horizontal");
  EXPECT_EQ(offcuts[0].Length, 28000.0);  // offcut sizes stay in internal units
  Build({MakePanel(28000, 20700, GrainHorizontal, 190, 1)}, kComplex, kInMetres);
  EXPECT_EQ(lines[0].Key, "2,8x2,07x0,019m - hêtre - horizontal");
}

// In metres every millimetre still shows: stock 4 mm apart makes two lines, and 200 sizes 1 mm
// apart make 200 lines, each of its own panels, each key read once.
TEST_F(SummaryListsTest, SizesAMillimetreApartInMetresStayApart) {
  Build({MakePanel(28000, 20700), MakePanel(28040, 20700), MakePanel(28000, 20700)}, kSimple,
        kInMetres);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Key, "2,8x2,07m - horizontal");
  EXPECT_EQ(lines[0].PanelCount, 2);
  EXPECT_EQ(lines[1].Key, "2,804x2,07m - horizontal");
  EXPECT_EQ(lines[1].PanelCount, 1);
  EXPECT_NEAR(static_cast<double>(lines[1].PanelArea), 2.804 * 2.07, 1e-12);

  PanelList panels;
  for (int i = 0; i < 200; ++i) panels.push_back(MakePanel(20000 + 10 * i, 10000));
  for (int i = 0; i < 200; ++i) panels.push_back(MakePanel(20000 + 10 * i, 10000));
  Build(panels, kSimple, kInMetres);
  ASSERT_EQ(lines.size(), 200u);
  for (int i = 0; i < 200; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].PanelCount, 2);
  }
  EXPECT_EQ(lines[0].Key, "2x1m - horizontal");
  EXPECT_EQ(lines[1].Key, "2,001x1m - horizontal");
  EXPECT_EQ(lines[10].Key, "2,01x1m - horizontal");
  EXPECT_EQ(lines[199].Key, "2,199x1m - horizontal");
}

TEST_F(SummaryListsTest, SummaryInOtherUnits) {
  unit.Factor = 254.0;
  unit.Abbreviation = "in";
  Build({MakePanel(25400, 12700, GrainHorizontal, 254)}, kComplex, 2);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "100x50x1in - chêne - horizontal");
  EXPECT_DOUBLE_EQ(static_cast<double>(lines[0].PanelArea), 5000.0);
}

TEST_F(SummaryListsTest, EqualOffcutsMergeOnlyWithinOneGrain) {
  // A horizontal and a vertical panel leave offcuts of one size: a shop reusing offcuts with
  // grain must be told both grains, so they are two entries.
  Panneau_p horizontal = MakePanel(20000, 10000, GrainHorizontal, 190, 0);
  Panneau_p vertical = MakePanel(20000, 10000, GrainVertical, 190, 0);
  PlaceParts(horizontal, 1);
  PlaceParts(vertical, 1);
  SetFreeRects(horizontal, {MONRect(0, 500, 1000, 0), MONRect(2000, 500, 3000, 0)});
  SetFreeRects(vertical, {MONRect(5000, 1500, 6000, 1000), MONRect(0, 1000, 500, 0),
                          MONRect(7000, 1500, 8000, 1000)});
  Build({horizontal, vertical});

  ASSERT_EQ(lines.size(), 2u);
  struct Expected {
    double length, width;
    int count, grain;
    const char* text;
  };
  const std::vector<Expected> expected{
      {1000, 500, 2, GrainHorizontal, "100x50x19 - chêne - horizontal"},
      {1000, 500, 2, GrainVertical, "100x50x19 - chêne - vertical"},
      // The same rectangle turned is another kind of offcut.
      {500, 1000, 1, GrainVertical, "50x100x19 - chêne - vertical"},
  };
  ASSERT_EQ(offcuts.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(offcuts[i].Length, expected[i].length);
    EXPECT_EQ(offcuts[i].Width, expected[i].width);
    EXPECT_EQ(offcuts[i].Count, expected[i].count);
    EXPECT_EQ(offcuts[i].Grain, expected[i].grain);
    EXPECT_EQ(offcuts[i].Text, expected[i].text);
  }
}

TEST_F(SummaryListsTest, OffcutsDifferingInThicknessOrSpeciesStayApart) {
  Panneau_p a = MakePanel(20000, 10000, GrainHorizontal, 190, 0);
  Panneau_p b = MakePanel(20000, 10000, GrainHorizontal, 190.5, 0);
  Panneau_p c = MakePanel(20000, 10000, GrainHorizontal, 190, 1);
  for (Panneau_p* p : {&a, &b, &c}) {
    PlaceParts(*p, 1);
    SetFreeRects(*p, {MONRect(0, 500, 1000, 0)});
  }
  Build({a, b, c}, kSimple);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(offcuts.size(), 3u);
  EXPECT_EQ(offcuts[1].Text, "100x50x19,05 - chêne - horizontal");
  EXPECT_EQ(offcuts[2].Text, "100x50x19 - hêtre - horizontal");
}

TEST_F(SummaryListsTest, OffcutsFollowTheLinesThenThePanels) {
  // Panels A1, B, A2: the offcuts of line A (A1, then A2) come before those of line B.
  Panneau_p a1 = MakePanel(20000, 10000);
  Panneau_p b = MakePanel(30000, 10000);
  Panneau_p a2 = MakePanel(20000, 10000);
  for (Panneau_p* p : {&a1, &b, &a2}) PlaceParts(*p, 1);
  SetFreeRects(a1, {MONRect(0, 100, 100, 0)});
  SetFreeRects(b, {MONRect(0, 200, 200, 0)});
  SetFreeRects(a2, {MONRect(0, 300, 300, 0), MONRect(0, 200, 200, 0)});
  Build({a1, b, a2});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].PanelCount, 2);
  ASSERT_EQ(offcuts.size(), 3u);
  EXPECT_EQ(offcuts[0].Length, 100.0);
  EXPECT_EQ(offcuts[1].Length, 300.0);
  EXPECT_EQ(offcuts[2].Length, 200.0);
  EXPECT_EQ(offcuts[2].Count, 2);
}

TEST_F(SummaryListsTest, SpeciesOutsideTheListIsNotSpecified) {
  for (int index : {-1, 2, 1000}) {
    SCOPED_TRACE(index);
    const Panneau_p p = MakePanel(28000, 20700, GrainVertical, 190, index);
    Build({p}, kComplex);
    EXPECT_EQ(lines[0].Key, "2800x2070x19mm - Non spécifié - vertical");
    EXPECT_EQ(offcuts[0].Text, "2800x2070x19 - Non spécifié - vertical");
    Build({p}, kSimple);
    EXPECT_EQ(lines[0].Key, "2800x2070mm - vertical");
    EXPECT_EQ(offcuts[0].Text, "2800x2070x19 - Non spécifié - vertical");
    EXPECT_DOUBLE_EQ(static_cast<double>(lines[0].PanelArea), 5796000.0);
  }
}

// A deleted species keeps its place with an empty name: it reads "Non spécifié", and panels of
// two deleted species, or of a deleted one and one past the list, make one summary line, as
// their keys read the same.
TEST_F(SummaryListsTest, ADeletedSpeciesIsNotSpecified) {
  species = {"Chêne", "", "Pin", ""};
  Build({MakePanel(28000, 20700, GrainVertical, 190, 1),
         MakePanel(28000, 20700, GrainVertical, 190, 3),
         MakePanel(28000, 20700, GrainVertical, 190, 9)},
        kComplex);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "2800x2070x19mm - Non spécifié - vertical");
  EXPECT_EQ(lines[0].PanelCount, 3);
  ASSERT_FALSE(offcuts.empty());
  EXPECT_EQ(offcuts[0].Text, "2800x2070x19 - Non spécifié - vertical");
}

// A complex job's summary in metres keeps every tenth of a millimetre of the thickness: stock of
// 18.5 and 19 mm, equal otherwise, makes two lines; and species outside the list are all "Non
// spécifié", so panels of two such indexes, equal otherwise, make one line counting both.
TEST_F(SummaryListsTest, ComplexKeysInMetres) {
  Build({MakePanel(28000, 20700, GrainHorizontal, 185, 0), MakePanel(28000, 20700, GrainHorizontal, 190, 0),
         MakePanel(28000, 20700, GrainHorizontal, 185, 0)},
        kComplex, kInMetres);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Key, "2,8x2,07x0,0185m - chêne - horizontal");
  EXPECT_EQ(lines[0].PanelCount, 2);
  EXPECT_EQ(lines[1].Key, "2,8x2,07x0,019m - chêne - horizontal");
  EXPECT_EQ(lines[1].PanelCount, 1);

  Build({MakePanel(28000, 20700, GrainVertical, 190, 2), MakePanel(28000, 20700, GrainVertical, 190, 7)},
        kComplex, kInMetres);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Key, "2,8x2,07x0,019m - Non spécifié - vertical");
  EXPECT_EQ(lines[0].PanelCount, 2);
  EXPECT_NEAR(static_cast<double>(lines[0].PanelArea), 2 * 5.796, 1e-12);
}

TEST_F(SummaryListsTest, GrainOutsideTheTextsGivesAnEmptyGrainWord) {
  Panneau_p p = MakePanel(28000, 20700);
  p.Grain = 7;
  Build({p}, kSimple);
  EXPECT_EQ(lines[0].Key, "2800x2070mm - ");
}

TEST_F(SummaryListsTest, AreasBeyond32BitsKeepTheirValue) {
  // 6000 x 4000 mm: 2.4e9 square units, more than 2^31.
  const Panneau_p big = MakePanel(60000, 40000);
  Panneau_p twoBig = MakePanel(60000, 40000);
  Build({big, twoBig});
  ASSERT_EQ(offcuts.size(), 1u);
  EXPECT_EQ(offcuts[0].Surface, 2400000000.0L);
  EXPECT_EQ(offcuts[0].Count, 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(lines[0].WasteArea), 48000000.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(lines[0].PanelArea), 48000000.0);
  EXPECT_DOUBLE_EQ(lines[0].WastePercent, 100.0);
}

TEST(FindMetrageByKey, ExactTextOnly) {
  SummaryLineList lines(2);
  lines[0].Key = "2800x2070mm - horizontal";
  lines[1].Key = "100x50mm - vertical";
  EXPECT_TRUE(FindMetrageByKey("100x50mm - vertical", lines));
  EXPECT_FALSE(FindMetrageByKey("100x50mm - Vertical", lines));
  EXPECT_FALSE(FindMetrageByKey("100x50mm", lines));
  EXPECT_FALSE(FindMetrageByKey("", {}));
}

}  // namespace
}  // namespace tranchex

namespace tranchex {
namespace {

// Lengths in centimetres keep their tenth of a millimetre: 511,65 mm and 511,7 mm are two sizes,
// two lines, read "51,165" and "51,17".
TEST(SummaryListsRounding, PanelsOfDifferentSizesNeverShareALine) {
  ListTexts texts = LoadListTexts(',');
  std::vector<std::string> species{"Chêne"};
  UNITE_MESURE cm{100.0, "cm", ""};
  SummaryLineList lines;
  OffcutList offcuts;
  const PanelList panels{test::MakePanel(5116.5, 3000, GrainHorizontal, 190, 0),
                         test::MakePanel(5117, 3000, GrainHorizontal, 190, 0)};
  BuildSummaryLists(lines, offcuts, panels, species, cm, 1, 0, texts);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].PanelCount, 1);
  EXPECT_EQ(lines[0].Key, "51,165x30cm - horizontal");
  EXPECT_EQ(lines[1].Key, "51,17x30cm - horizontal");
}

// The lists as the builder is described step by step: lines by first appearance of their key,
// then for each line each of its panels in list order, and each offcut counted into the first
// equal entry met from the start of the list. Slow on purpose: the plain reading, to hold the
// builder to on real layouts.
void ReferenceLists(SummaryLineList& lines, OffcutList& offcuts, const PanelList& panels,
                    const std::vector<std::string>& species, const UNITE_MESURE& unit, int jobKind,
                    const ListTexts& texts) {
  const SummaryUnits units = ChooseSummaryUnits(0, unit);
  lines.clear();
  offcuts.clear();
  for (const Panneau_p& p : panels) {
    const std::string key = SummaryKey(p, species, jobKind, units, texts);
    if (!FindMetrageByKey(key, lines)) lines.push_back(METRAGE{key});
  }
  for (METRAGE& line : lines) {
    for (const Panneau_p& p : panels) {
      if (SummaryKey(p, species, jobKind, units, texts) != line.Key) continue;
      line.PanelCount += 1;
      long double partsArea = 0;
      double perimeter = 0;
      for (const TPiece& part : p.PlacedParts) {
        partsArea += part.Area;
        perimeter += PanelPerimeter(part);
      }
      line.PanelArea += p.Area / static_cast<long double>(units.AreaDivisor);
      line.PartsArea += partsArea / static_cast<long double>(units.AreaDivisor);
      line.PartsPerimeter += perimeter / units.LengthDivisor;
      long double waste = 0;
      for (const MONRect& r : p.FreeRects) {
        const long double a = static_cast<long double>(r.top - r.bottom) * (r.right - r.left);
        if (a > 0) waste += a;
        const double length = r.right - r.left;
        const double width = r.top - r.bottom;
        bool merged = false;
        for (CHUTE& o : offcuts) {
          if (o.Length == length && o.Width == width && o.Thickness == p.Thickness &&
              o.Species == p.Species && o.Grain == p.Grain) {
            o.Count += 1;
            merged = true;
            break;
          }
        }
        if (!merged) {
          offcuts.push_back(CHUTE{OffcutText(length, width, p, species, units, texts), 1, length,
                                  width, p.Thickness, p.Species, a, p.Grain});
        }
      }
      line.CutLength += PanelCutLength(p) / units.LengthDivisor;
      line.WasteArea += waste / static_cast<long double>(units.AreaDivisor);
      line.WastePercent = static_cast<double>(line.WasteArea / line.PanelArea * 100);
      line.PartsPerPanel = static_cast<std::int32_t>(p.PlacedParts.size());
    }
  }
}

TEST(SummaryListsOnLayouts, LinesAndOffcutsAsTheStepsGiveThem) {
  const ListTexts texts = LoadListTexts(',');
  const std::vector<std::string> species{"Chêne", "Hêtre"};  // index 2 names no entry
  const UNITE_MESURE unit;
  std::size_t offcutsSeen = 0, mergedSeen = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    const test::TestJob job = test::RandomJob(seed);
    const test::TestRun run = test::RunJob(job);
    if (run.panels.empty()) continue;
    SummaryLineList lines, expectedLines;
    OffcutList offcuts, expectedOffcuts;
    BuildSummaryLists(lines, offcuts, run.panels, species, unit, job.kind, 0, texts);
    ReferenceLists(expectedLines, expectedOffcuts, run.panels, species, unit, job.kind, texts);
    ASSERT_EQ(lines.size(), expectedLines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const METRAGE& a = lines[i];
      const METRAGE& b = expectedLines[i];
      EXPECT_EQ(a.Key, b.Key);
      EXPECT_EQ(a.PanelCount, b.PanelCount);
      EXPECT_EQ(a.PanelArea, b.PanelArea);
      EXPECT_EQ(a.PartsArea, b.PartsArea);
      EXPECT_EQ(a.CutLength, b.CutLength);
      EXPECT_EQ(a.PartsPerimeter, b.PartsPerimeter);
      EXPECT_EQ(a.WasteArea, b.WasteArea);
      EXPECT_EQ(a.WastePercent, b.WastePercent);
      EXPECT_EQ(a.PartsPerPanel, b.PartsPerPanel);
    }
    ASSERT_EQ(offcuts.size(), expectedOffcuts.size());
    for (std::size_t i = 0; i < offcuts.size(); ++i) {
      const CHUTE& a = offcuts[i];
      const CHUTE& b = expectedOffcuts[i];
      EXPECT_EQ(a.Text, b.Text);
      EXPECT_EQ(a.Count, b.Count);
      EXPECT_EQ(a.Length, b.Length);
      EXPECT_EQ(a.Width, b.Width);
      EXPECT_EQ(a.Thickness, b.Thickness);
      EXPECT_EQ(a.Species, b.Species);
      EXPECT_EQ(a.Surface, b.Surface);
      EXPECT_EQ(a.Grain, b.Grain);
      mergedSeen += a.Count > 1 ? 1 : 0;
    }
    offcutsSeen += offcuts.size();
  }
  EXPECT_GT(offcutsSeen, 1000u);
  EXPECT_GT(mergedSeen, 50u);
}

}  // namespace
}  // namespace tranchex
