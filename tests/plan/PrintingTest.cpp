// The print engine on a recording target: which sheets come out, in which orientation, with
// what on them, for the print tool button (the whole view) and the menu (chosen pages), and what
// happens when the printer fails.
//
// The recording target's sheets are 2000 x 2800 device pixels in portrait at 254 dpi: one pixel
// is one 0.1 mm unit, so a portrait sheet is W 2000 x H 2800 and a landscape one W 2800 x H 2000.
// The recording canvas's 5-point font is 20 units high and 10 wide (h, aw), its 10-point font
// in pixels 20 high and 10 wide.

#include "plan/PrintInputsFixture.h"
#include "plan/Printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/PlanFixtures.h"
#include "support/RecordingPrintTarget.h"
#include "support/JobBuilder.h"

namespace tranchex {
namespace {

using test::RecordingPrintTarget;

std::vector<CanvasCall> Of(const std::vector<CanvasCall>& calls, CanvasCallKind kind) {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<CanvasCall> TextsOf(const std::vector<CanvasCall>& sheet) {
  return Of(sheet, CanvasCallKind::TextOut);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

// The texts of a sheet that start with the prefix.
std::vector<std::string> TextsStarting(const std::vector<CanvasCall>& sheet,
                                       const std::string& prefix) {
  std::vector<std::string> out;
  for (const CanvasCall& c : TextsOf(sheet))
    if (StartsWith(c.text, prefix)) out.push_back(c.text);
  return out;
}

// ---- Fixtures ---------------------------------------------------------------------------------

// Result panels of distinct lengths (1000, 1100, ... mm) by 500 mm, no part on them, with the
// given page-list counts (-1: a repeat of an earlier layout).
JobState PanelsJob(const std::vector<std::int32_t>& counts, std::uint8_t marginsAllZero = 0) {
  JobState job = test::JobBuilder().kind(2).build();
  for (std::size_t i = 0; i < counts.size(); ++i) {
    job.ResultPanels.push_back(test::MakePanel(10000.0 + 1000.0 * static_cast<double>(i), 5000.0));
    job.ResultPanels.back().Grain = GrainIndifferent;
    job.PanelPages.push_back({"layout" + std::to_string(i), counts[i]});
  }
  job.MarginsAllZero = marginsAllZero;
  job.JobLoaded = 1;
  return job;
}

// The panel line of each sheet's heading: "Panneau : 1000x500 mm - ... - (3 panneaux)".
std::vector<std::string> PanelLines(const RecordingPrintTarget& target) {
  std::vector<std::string> out;
  for (const auto& sheet : target.sheets) {
    const auto lines = TextsStarting(sheet, "Panneau : ");
    out.push_back(lines.empty() ? std::string("-") : lines.front());
  }
  return out;
}

// The length (mm) of the panel on each sheet, from its heading.
std::vector<std::string> PanelLengths(const RecordingPrintTarget& target) {
  std::vector<std::string> out;
  for (const std::string& line : PanelLines(target)) {
    const std::size_t from = std::string("Panneau : ").size();
    out.push_back(line == "-" ? line : line.substr(from, line.find('x') - from));
  }
  return out;
}

// n parts of 300 x 200 mm, references "a", "b", ...
JobState PartsJob(int n, int kind = 2) {
  test::JobBuilder builder;
  builder.kind(kind);
  for (int i = 0; i < n; ++i) builder.part(3000, 2000, 1 + i % 3);
  return builder.build();
}

// The parts on each sheet, by reference, with the half they are drawn in: "a^" upper, "b_" lower.
std::vector<std::vector<std::string>> PartsBySheet(const RecordingPrintTarget& target) {
  std::vector<std::vector<std::string>> out;
  const std::int32_t half = -target.Size().cy / 2;
  for (const auto& sheet : target.sheets) {
    std::vector<std::string> parts;
    for (const CanvasCall& c : TextsOf(sheet))
      if (StartsWith(c.text, "Ref : "))
        parts.push_back(c.text.substr(6) + (c.points[0].y > half ? "^" : "_"));
    out.push_back(parts);
  }
  return out;
}

using Events = std::vector<std::string>;

// ---- The whole view: the print tool button --------------------------------------------------

TEST(PrintCurrentView, PanelsPrintEachLayoutOnceWithItsCountOnLandscapeSheets) {
  // Three identical panels, one different, and two repeats after the last shown layout: two
  // sheets, no sheet started after the last shown layout.
  const JobState job = PanelsJob({3, 1, -1, -1});
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target;
  const PrintReport report = PrintCurrentView(target, Inputs(job, settings, kPanelsView));

  EXPECT_EQ(report.Sheets, 2);
  EXPECT_EQ(target.events, (Events{"Landscape", "BeginDoc", "NewPage", "EndDoc"}));
  const auto lines = PanelLines(target);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("Panneau : 1000x500 mm"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("(3 panneaux)"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("Panneau : 1100x500 mm"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("(1 panneau)"), std::string::npos) << lines[1];
}

TEST(PrintCurrentView, PanelsInCutLinesModeCarryTheCountToo) {
  const JobState job = PanelsJob({2, -1, 1});
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target;
  PrintCurrentView(target, Inputs(job, settings, kPanelsView, /*drawMode=*/1));
  const auto lines = PanelLines(target);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("(2 panneaux)"), std::string::npos) << lines[0];
}

TEST(PrintCurrentView, FivePartsTakeThreePortraitSheetsTwoByTwo) {
  const JobState job = PartsJob(5);
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target;
  const PrintReport report = PrintCurrentView(target, Inputs(job, settings, kPartsView));

  EXPECT_EQ(report.Sheets, 3);
  EXPECT_EQ(target.events, (Events{"Portrait", "BeginDoc", "NewPage", "NewPage", "EndDoc"}));
  EXPECT_EQ(PartsBySheet(target), (std::vector<std::vector<std::string>>{
                                      {"a^", "b_"}, {"c^", "d_"}, {"e^"}}));
}

TEST(PrintCurrentView, OrientationAndOriginOfEachView) {
  // The drawn record's point (0, 0) is the bottom-left corner of its outline, the first
  // rectangle drawn: 10 mm from the left and 10 mm above the bottom of the sheet (of its half
  // for a part in the upper half).
  const JobState panels = PanelsJob({1, 1});
  const JobState parts = PartsJob(2);
  const Settings settings = test::TestSettings();
  struct Case {
    const JobState* job;
    std::int32_t view;
    const char* orientation;
    std::vector<CanvasPoint> corners;  // left and bottom of the outlines, in drawing order
  };
  const std::vector<Case> cases = {
      {&panels, kPanelsView, "Landscape", {{100, 100 - 2000}}},
      {&parts, kPartsView, "Portrait", {{100, 100 - 1400}, {100, 100 - 2800}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view);
    RecordingPrintTarget target;
    PrintCurrentView(target, Inputs(*c.job, settings, c.view));
    ASSERT_FALSE(target.sheets.empty());
    EXPECT_EQ(target.events.front(), c.orientation);
    const auto rectangles = Of(target.sheets[0], CanvasCallKind::Rectangle);
    ASSERT_GE(rectangles.size(), c.corners.size());
    for (std::size_t i = 0; i < c.corners.size(); ++i) {
      EXPECT_EQ(rectangles[i].rect.left, c.corners[i].x);
      EXPECT_EQ(rectangles[i].rect.bottom, c.corners[i].y);
      EXPECT_EQ(rectangles[i].mapMode, MapMode::LoMetric);
    }
  }
}

// The label gives the ratio the sheet is drawn at, worked out by hand:
//   - panels, landscape W 2800 x H 2000: margin (4 x 20 + 290) div 2 = 185, twice 370; panels of
//     at most 11000 x 5000: 2800 / (370 + 11000) = 0.246 is below 2000 / (370 + 5000) = 0.372,
//     so the lengths fill the width: 11000 / (2800 - 370) = 4.53, drawn at about 1/5;
//   - parts, portrait W 2000 x H 2800, each part in half the height (1400): margin
//     (8 x 20 + 310) div 2 = 235, twice 470; parts of 3000 x 2000: 2000 / (470 + 3000) = 0.576
//     is not below 1400 / (470 + 2000) = 0.567, so the widths fill the half height:
//     2000 / (1400 - 470) = 2.15, drawn at about 1/2.
TEST(PrintCurrentView, ScaleLabelTopRightOnEverySheetButNotOnPanelsOfABarJob) {
  const Settings settings = test::TestSettings();
  struct Case {
    const char* name;
    JobState job;
    std::int32_t view;
    const char* label;  // nullptr: no label
    std::int32_t width;  // W of the sheet
  };
  JobState bars = PartsJob(3);
  bars.MarginsAllZero = 1;
  const std::vector<Case> cases = {
      {"panels", PanelsJob({1, 1}), kPanelsView, "Echelle : 1/5", 2800},
      {"panels of a bar job", PanelsJob({1, 1}, 1), kPanelsView, nullptr, 2800},
      {"parts", PartsJob(3), kPartsView, "Echelle : 1/2", 2000},
      {"parts of a bar job", bars, kPartsView, "Echelle : 1/2", 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target;
    PrintCurrentView(target, Inputs(c.job, settings, c.view));
    ASSERT_EQ(target.sheets.size(), 2u);
    for (const auto& sheet : target.sheets) {
      std::vector<CanvasCall> labels;
      for (const CanvasCall& t : TextsOf(sheet))
        if (StartsWith(t.text, "Echelle : 1/")) labels.push_back(t);
      if (!c.label) {
        EXPECT_TRUE(labels.empty());
        continue;
      }
      // Once per sheet, right-aligned: it ends at W; its top h + 5 below the top edge.
      ASSERT_EQ(labels.size(), 1u);
      EXPECT_EQ(labels[0].text, c.label);
      const std::int32_t characters = CharacterCount(labels[0].text);
      EXPECT_EQ(labels[0].points[0], (CanvasPoint{c.width - characters * 10, -25}));
    }
  }
}

TEST(PrintCurrentView, EachSheetStartsFromTheScreensCanvasState) {
  // A panel with a part leaves the brush clear, one with cut lines leaves the pen coloured; the
  // next sheet still starts with a black pen and an opaque white brush, like the first.
  JobState job = PanelsJob({1, 1, 1});
  for (Panneau_p& panel : job.ResultPanels) {
    test::PlaceParts(panel, 1);
    panel.CutLines.push_back(LIGNE{0, 2000, 10000, 2000});
  }
  const Settings settings = test::TestSettings();
  for (const std::int32_t drawMode : {0, 1}) {
    SCOPED_TRACE(drawMode);
    RecordingPrintTarget target;
    PrintCurrentView(target, Inputs(job, settings, kPanelsView, drawMode));
    ASSERT_EQ(target.sheets.size(), 3u);
    for (const auto& sheet : target.sheets) {
      const auto texts = TextsOf(sheet);
      ASSERT_FALSE(texts.empty());
      EXPECT_TRUE(StartsWith(texts.front().text, "Echelle"));
      EXPECT_EQ(texts.front().pen, CanvasPen{});
      EXPECT_EQ(texts.front().brush, CanvasBrush{});
      EXPECT_EQ(texts.front().font, (CanvasFont{.size = 5}));
      EXPECT_EQ(texts.front().mapMode, MapMode::LoMetric);
    }
  }
}

TEST(PrintCurrentView, NothingToPrintStartsNoDocument) {
  const Settings settings = test::TestSettings();
  const JobState empty = test::JobBuilder().build();
  for (const std::int32_t view : {kPanelsView, kPartsView, 0, 40}) {
    SCOPED_TRACE(view);
    RecordingPrintTarget target;
    EXPECT_EQ(PrintCurrentView(target, Inputs(empty, settings, view)).Sheets, 0);
    EXPECT_TRUE(target.events.empty());
  }
}

// ---- Chosen pages: the menu ---------------------------------------------------------------

TEST(PrintViewPages, PanelRangesPrintTheChosenLayoutsOnly) {
  // Five layouts (1000 to 1400 mm long); the repeat at index 1 is no page.
  const JobState job = PanelsJob({2, -1, 1, 1, 1, 1});
  const Settings settings = test::TestSettings();
  struct Case {
    const char* name;
    std::vector<PrintRange> ranges;
    std::vector<std::string> lengths;  // of the layout on each sheet
  };
  const std::vector<Case> cases = {
      {"first", {{1, 1}}, {"1000"}},
      {"middle two", {{2, 3}}, {"1200", "1300"}},
      {"last", {{5, 5}}, {"1500"}},
      {"past the end", {{4, 9}}, {"1400", "1500"}},
      {"beyond the end", {{6, 8}}, {}},
      {"two ranges, out of order", {{4, 4}, {1, 1}}, {"1000", "1400"}},
      {"all pages", {kAllPrintPages}, {"1000", "1200", "1300", "1400", "1500"}},
      {"none", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target;
    const PrintReport report =
        PrintViewPages(target, Inputs(job, settings, kPanelsView), c.ranges);
    EXPECT_EQ(report.Sheets, static_cast<std::int32_t>(c.lengths.size()));
    EXPECT_EQ(PanelLengths(target), c.lengths);
    if (c.lengths.empty()) {
      EXPECT_TRUE(target.events.empty());
    } else {
      // One NewPage between sheets, none after the last.
      Events expected{"Landscape", "BeginDoc"};
      for (std::size_t i = 1; i < c.lengths.size(); ++i) expected.push_back("NewPage");
      expected.push_back("EndDoc");
      EXPECT_EQ(target.events, expected);
    }
  }
}

TEST(PrintViewPages, PartRangesStartInTheUpperHalfOfTheFirstSheet) {
  const JobState job = PartsJob(4);
  const Settings settings = test::TestSettings();
  struct Case {
    const char* name;
    std::vector<PrintRange> ranges;
    std::vector<std::vector<std::string>> sheets;
  };
  const std::vector<Case> cases = {
      {"1 to 3", {{1, 3}}, {{"a^", "b_"}, {"c^"}}},
      {"2 alone", {{2, 2}}, {{"b^"}}},
      {"last", {{4, 4}}, {{"d^"}}},
      {"3 to past the end", {{3, 9}}, {{"c^", "d_"}}},
      {"beyond the end", {{5, 7}}, {}},
      {"two ranges", {{1, 1}, {3, 4}}, {{"a^", "c_"}, {"d^"}}},
      {"all pages", {kAllPrintPages}, {{"a^", "b_"}, {"c^", "d_"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target;
    const PrintReport report =
        PrintViewPages(target, Inputs(job, settings, kPartsView), c.ranges);
    EXPECT_EQ(report.Sheets, static_cast<std::int32_t>(c.sheets.size()));
    EXPECT_EQ(PartsBySheet(target), c.sheets);
    if (c.sheets.empty()) {
      EXPECT_TRUE(target.events.empty());
    }
  }
}

TEST(PrintViewPages, AllPagesPrintsWhatTheToolButtonPrints) {
  // One engine: the menu with every page chosen and the tool button draw the same sheets.
  const Settings settings = test::TestSettings();
  JobState sheetJob = PartsJob(150);
  struct Case {
    const char* name;
    JobState job;
    std::int32_t view;
  };
  const std::vector<Case> cases = {
      {"panels", PanelsJob({3, -1, -1, 1, 2, -1}), kPanelsView},
      {"parts", PartsJob(5), kPartsView},
      {"cutting sheet", sheetJob, kCuttingSheetView},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget tool;
    RecordingPrintTarget menu;
    PrintCurrentView(tool, Inputs(c.job, settings, c.view));
    const std::vector<PrintRange> all{kAllPrintPages};
    PrintViewPages(menu, Inputs(c.job, settings, c.view), all);
    EXPECT_EQ(menu.events, tool.events);
    ASSERT_EQ(menu.sheets.size(), tool.sheets.size());
    for (std::size_t s = 0; s < tool.sheets.size(); ++s) {
      const auto a = tool.sheets[s];
      const auto b = menu.sheets[s];
      ASSERT_EQ(a.size(), b.size()) << "sheet " << s + 1;
      for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].kind, b[i].kind);
        EXPECT_EQ(a[i].points, b[i].points);
        EXPECT_EQ(a[i].text, b[i].text);
      }
    }
  }
}

TEST(PrintViewPages, MenuPartsKeepTheirHeadingOnTheSheet) {
  // A part whose width sets the scale fills its half of the sheet up to the heading margin; the
  // eight rows of its heading must still stand inside the sheet (y <= 0) and inside its half.
  const JobState job = test::JobBuilder().kind(2).part(2000, 3000).part(2000, 3000).build();
  const Settings settings = test::TestSettings();
  const std::vector<PrintRange> all{kAllPrintPages};
  RecordingPrintTarget menu;
  PrintViewPages(menu, Inputs(job, settings, kPartsView), all);
  ASSERT_EQ(menu.sheets.size(), 1u);
  const std::int32_t half = -menu.Size().cy / 2;
  const auto rectangles = Of(menu.sheets[0], CanvasCallKind::Rectangle);
  ASSERT_EQ(rectangles.size(), 2u);
  const std::int32_t upperBottom = rectangles[0].rect.bottom;
  for (const CanvasCall& t : TextsOf(menu.sheets[0])) {
    if (StartsWith(t.text, "Echelle")) continue;
    SCOPED_TRACE(t.text);
    EXPECT_LE(t.points[0].y, 0);
    // A text of the lower part (below the upper outline) stays in the lower half.
    if (t.points[0].y < upperBottom) {
      EXPECT_LE(t.points[0].y, half);
    }
  }
  // The "Ref" row, the highest, is there for both parts.
  EXPECT_EQ(TextsStarting(menu.sheets[0], "Ref : ").size(), 2u);
}

// ---- The cutting sheet ----------------------------------------------------------------------

// The part rows of a sheet: the reference texts at x = 2 (the header's "Réf" is at x = 1).
std::vector<CanvasCall> RowsOf(const std::vector<CanvasCall>& sheet) {
  std::vector<CanvasCall> rows;
  for (const CanvasCall& t : TextsOf(sheet))
    if (t.points[0].x == 2) rows.push_back(t);
  return rows;
}

TEST(PrintCuttingSheet, EveryRowLandsOnItsSheetWithTheHeaderRepeated) {
  // Rows take h + 3 = 23 pixels and the header one row more: a sheet holds
  // (height - 1) div 23 - 1 rows, every text and rule inside it.
  const Settings settings = test::TestSettings();
  struct Case {
    std::int32_t height;
    int parts;
    std::vector<std::size_t> rowsPerSheet;
  };
  const std::vector<Case> cases = {
      {230, 20, {8, 8, 4}},  // a height of exactly ten rows
      {250, 20, {9, 9, 2}},
      {240, 9, {9}},         // rows that exactly fill one sheet
      {240, 10, {9, 1}},
      {2800, 150, {120, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    const JobState job = PartsJob(c.parts);
    RecordingPrintTarget target({700, c.height});
    const PrintReport report =
        PrintCurrentView(target, Inputs(job, settings, kCuttingSheetView));
    EXPECT_EQ(report.Sheets, static_cast<std::int32_t>(c.rowsPerSheet.size()));
    EXPECT_EQ(target.events.front(), "Portrait");
    ASSERT_EQ(target.sheets.size(), c.rowsPerSheet.size());
    std::size_t printed = 0;
    for (std::size_t s = 0; s < target.sheets.size(); ++s) {
      const auto& sheet = target.sheets[s];
      EXPECT_EQ(RowsOf(sheet).size(), c.rowsPerSheet[s]) << "sheet " << s + 1;
      printed += RowsOf(sheet).size();
      const auto texts = TextsOf(sheet);
      ASSERT_FALSE(texts.empty());
      EXPECT_EQ(texts.front().text, "Réf");
      EXPECT_EQ(texts.front().points[0], (CanvasPoint{1, 1}));
      EXPECT_TRUE(texts.front().font.bold);
      for (const CanvasCall& t : texts) {
        EXPECT_EQ(t.mapMode, MapMode::Pixels);
        EXPECT_EQ(t.font.size, 10);
        EXPECT_LE(t.points[0].y + 20, c.height) << t.text;
      }
      for (const CanvasCall& line : Of(sheet, CanvasCallKind::LineTo))
        if (line.points[0].y == line.points[1].y) {
          EXPECT_LT(line.points[0].y, c.height);
        }
    }
    EXPECT_EQ(printed, static_cast<std::size_t>(c.parts));
  }
}

// The printed cutting sheet gives each size to the tenth of a millimetre in every unit.
TEST(PrintCuttingSheet, SizesKeepEveryTenthInEachUnit) {
  const struct {
    UNITE_MESURE unit;
    std::vector<std::string> sizes;  // length, width, thickness
  } cases[] = {
      {{10.0, "mm", ""}, {"720,5", "396,5", "19"}},
      {{100.0, "cm", ""}, {"72,05", "39,65", "1,9"}},
      {{10000.0, "m", ""}, {"0,7205", "0,3965", "0,019"}},
      // 7205 / 254 = 28.3661, 3965 / 254 = 15.6102, 190 / 254 = 0.7480
      {{254.0, "pouces", ""}, {"28,366", "15,61", "0,748"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit.Abbreviation);
    Settings settings = test::TestSettings();
    settings.MeasureUnit = c.unit;
    const JobState job = test::JobBuilder().kind(2).part(7205, 3965, 1, 2, 190).build();
    RecordingPrintTarget target({700, 2800});
    PrintCurrentView(target, Inputs(job, settings, kCuttingSheetView));
    ASSERT_EQ(target.sheets.size(), 1u);
    // The row's texts after the reference: designation, count, then the three sizes.
    std::vector<std::string> row;
    const auto texts = TextsOf(target.sheets[0]);
    const auto reference = std::find_if(texts.begin(), texts.end(), [](const CanvasCall& t) {
      return t.points[0].x == 2;
    });
    ASSERT_NE(reference, texts.end());
    ASSERT_GE(texts.end() - reference, 6);
    for (auto t = reference + 3; t != reference + 6; ++t) row.push_back(t->text);
    EXPECT_EQ(row, c.sizes);
  }
}

TEST(PrintCuttingSheet, DesignationsStopBeforeTheNextColumn) {
  // The designation column is a seventh of the width left by the reference column.
  const Settings settings = test::TestSettings();
  const std::string longName = "Montant de porte d'armoire en chêne massif";
  for (const std::int32_t width : {710, 1000, 2000}) {
    SCOPED_TRACE(width);
    const JobState job = test::JobBuilder().part(3000, 2000, 1, 2, 190, 0, longName).build();
    RecordingPrintTarget target({width, 2800});
    PrintCurrentView(target, Inputs(job, settings, kCuttingSheetView));
    ASSERT_EQ(target.sheets.size(), 1u);
    const std::int32_t l = 40;
    const std::int32_t nextColumn = (width - l) / 7 + l;
    const std::int32_t limit = ((width - l) / 7) / 10 - 1;
    bool found = false;
    for (const CanvasCall& t : TextsOf(target.sheets[0])) {
      if (t.points[0].x != l + 1 || t.font.bold) continue;
      found = true;
      EXPECT_EQ(CharacterCount(t.text), limit);
      EXPECT_TRUE(StartsWith(longName, t.text));
      EXPECT_LT(t.points[0].x + CharacterCount(t.text) * 10, nextColumn);
    }
    EXPECT_TRUE(found);
  }
}

TEST(PrintCuttingSheet, ContentsOfTheRows) {
  const Settings settings = test::TestSettings();
  struct Case {
    const char* name;
    JobState job;
    std::vector<std::string> row;  // texts of the first row after the reference
  };
  const std::vector<Case> cases = {
      {"complex job",
       test::JobBuilder().kind(2).part(3005, 2000, 4, GrainVertical, 190, 1, "Porte").build(),
       {"Porte", "4", "300,5", "200", "19", "Hêtre", "Vertical"}},
      {"simple job",
       test::JobBuilder().kind(1).part(3000, 2000, 1, GrainIndifferent, 190, 1, "Porte").build(),
       {"Porte", "1", "300", "200", "Non spécifié", "Non spécifié", "Indifférent"}},
      {"species past the list, grain outside 0..2",
       test::JobBuilder().kind(2).part(3000, 2000, 1, 7, 190, 9, "Porte").build(),
       {"Porte", "1", "300", "200", "19", "Non spécifié", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target;
    PrintCurrentView(target, Inputs(c.job, settings, kCuttingSheetView));
    ASSERT_EQ(target.sheets.size(), 1u);
    std::vector<std::string> row;
    bool inRow = false;
    for (const CanvasCall& t : TextsOf(target.sheets[0])) {
      if (t.points[0].x == 2) {
        inRow = true;
        EXPECT_EQ(t.text, "a");
        continue;
      }
      if (inRow) row.push_back(t.text);
    }
    EXPECT_EQ(row, c.row);
  }
}

TEST(PrintCuttingSheet, AJobWithoutPartsPrintsTheHeaderAlone) {
  const JobState job = test::JobBuilder().build();
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target;
  EXPECT_EQ(PrintCurrentView(target, Inputs(job, settings, kCuttingSheetView)).Sheets, 1);
  ASSERT_EQ(target.sheets.size(), 1u);
  EXPECT_EQ(TextsOf(target.sheets[0]).size(), 8u);
  EXPECT_TRUE(RowsOf(target.sheets[0]).empty());
}

TEST(PrintCuttingSheet, TheMenuIgnoresPageRanges) {
  const JobState job = PartsJob(30);
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target({700, 250});
  const std::vector<PrintRange> second{{2, 2}};
  EXPECT_EQ(PrintViewPages(target, Inputs(job, settings, kCuttingSheetView), second).Sheets,
            4);
}

// ---- The print dialog's setup ----------------------------------------------------------------

TEST(MenuPrintDialogSetup, OffersTheViewsPagesAndThePageOnScreen) {
  const JobState panels = PanelsJob({2, -1, 1, 1});
  const JobState parts = PartsJob(3);
  const Settings settings = test::TestSettings();
  struct Case {
    const char* name;
    const JobState* job;
    std::int32_t view;
    std::int32_t current;
    PrintDialogSetup expected;
  };
  const std::vector<Case> cases = {
      {"panels, first", &panels, kPanelsView, 0, {true, 3, 1}},
      {"panels, index 2 is page 2", &panels, kPanelsView, 2, {true, 3, 2}},
      {"panels, index 3 is page 3", &panels, kPanelsView, 3, {true, 3, 3}},
      {"parts, page 2", &parts, kPartsView, 1, {true, 3, 2}},
      {"parts, no such page", &parts, kPartsView, 7, {true, 3, 0}},
      {"cutting sheet", &parts, kCuttingSheetView, 0, {false, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PrintDialogSetup s = MenuPrintDialogSetup(Inputs(*c.job, settings, c.view, 0, c.current));
    EXPECT_EQ(s.OffersPages, c.expected.OffersPages);
    EXPECT_EQ(s.PageCount, c.expected.PageCount);
    EXPECT_EQ(s.CurrentPage, c.expected.CurrentPage);
  }
}

// ---- Failures -------------------------------------------------------------------------------

TEST(PrintFailures, AreReportedAbortTheDocumentAndLeaveTheJobAsItWas) {
  const Settings settings = test::TestSettings();
  JobState panels = PanelsJob({1, 1, 1});
  JobState parts = PartsJob(5);
  JobState sheet = PartsJob(30);
  for (JobState* job : {&panels, &parts, &sheet})
    PaginateRows(job->JobParts, job->CuttingSheetPages, 7);

  struct View {
    const char* name;
    JobState* job;
    std::int32_t view;
    const char* orientation;
  };
  struct Failure {
    const char* name;
    void (*plant)(RecordingPrintTarget&);
    PrintError::Reason reason;
    std::int32_t sheet;
    std::string message;  // the start of the message
    Events tail;          // the last events
  };
  const std::vector<View> views = {
      {"panels", &panels, kPanelsView, "Landscape"},
      {"parts", &parts, kPartsView, "Portrait"},
      {"cutting sheet", &sheet, kCuttingSheetView, "Portrait"},
  };
  const std::vector<Failure> failures = {
      {"printer not ready", [](RecordingPrintTarget& t) { t.failBegin = true; },
       PrintError::Reason::PrinterNotReady, 0, "L'imprimante n'est pas prête", {"BeginDoc"}},
      {"page 2 cannot start", [](RecordingPrintTarget& t) { t.failNewPageAt = 2; },
       PrintError::Reason::PageFailed, 2, "La page 2 n'a pas pu être commencée",
       {"BeginDoc", "NewPage", "Abort"}},
      {"drawing fails on page 2", [](RecordingPrintTarget& t) { t.throwOnSheet = 2; },
       PrintError::Reason::DrawingFailed, 2, "Le dessin de la page 2 a échoué",
       {"NewPage", "Abort"}},
      {"document cannot end", [](RecordingPrintTarget& t) { t.failEnd = true; },
       PrintError::Reason::DocumentFailed, 0, "L'impression n'a pas pu être terminée",
       {"NewPage", "EndDoc"}},
  };
  for (const View& v : views) {
    for (const Failure& f : failures) {
      SCOPED_TRACE(std::string(v.name) + ", " + f.name);
      const PageList screenPages = v.job->CuttingSheetPages;
      const PrintInputs inputs = Inputs(*v.job, settings, v.view);
      RecordingPrintTarget target({700, 250});
      target.detail = "Détail de l'imprimante.";
      f.plant(target);
      try {
        PrintCurrentView(target, inputs);
        ADD_FAILURE() << "no failure reported";
      } catch (const PrintError& e) {
        EXPECT_EQ(e.reason(), f.reason);
        EXPECT_EQ(e.sheet(), f.sheet);
        const std::string message = e.what();
        EXPECT_TRUE(StartsWith(message, f.message)) << message;
        if (f.reason != PrintError::Reason::DrawingFailed) {
          EXPECT_NE(message.find("\nDétail de l'imprimante."), std::string::npos) << message;
        }
      }
      EXPECT_EQ(target.events.front(), v.orientation);
      ASSERT_GE(target.events.size(), f.tail.size());
      EXPECT_EQ(Events(target.events.end() - static_cast<std::ptrdiff_t>(f.tail.size()),
                       target.events.end()),
                f.tail);
      // Aborted or ended once; never both.
      const auto count = [&](const char* e) {
        return std::count(target.events.begin(), target.events.end(), e);
      };
      EXPECT_LE(count("Abort") + count("EndDoc"), 1);
      // The screen's pagination and the window's drawing context are untouched.
      EXPECT_EQ(v.job->CuttingSheetPages, screenPages);
      EXPECT_EQ(inputs.Context.CurrentPartReference, "");
      EXPECT_EQ(inputs.Context.DisplayedPanelCount, 1);
    }
  }
}

TEST(PrintFailures, AfterASuccessfulPrintTheScreenPaginationIsUnchanged) {
  const JobState job = PartsJob(40);
  JobState screen = job;
  PaginateRows(screen.JobParts, screen.CuttingSheetPages, 7);
  const PageList before = screen.CuttingSheetPages;
  const Settings settings = test::TestSettings();
  RecordingPrintTarget target({700, 250});
  EXPECT_EQ(PrintCurrentView(target, Inputs(screen, settings, kCuttingSheetView)).Sheets, 5);
  EXPECT_EQ(screen.CuttingSheetPages, before);
}

}  // namespace
}  // namespace tranchex
