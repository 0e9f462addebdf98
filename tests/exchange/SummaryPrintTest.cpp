// The job summary printed on a recording print target: the title centred, the column line, each
// panel kind's block of seven lines h + 4 apart, the rules between blocks, the sheets a long
// summary takes (a block never split, the headings on every sheet), the key cut to its column,
// the edge banding left out, and what stops a print.
//
// The target is a 2000 x 2800 pixel portrait page; its canvas measures a 10-point font 20 pixels
// high (h) and 10 wide per character (a). So, by the printout's rules:
//   step h + 4 = 24; first block at y0 = 2 + 2h + 16 = 58; x_mid = (2000 - 16) / 2 = 992;
//   a block runs from its top to its seventh line's bottom: 6 x 24 + 20 = 164; blocks are
//   7 x 24 = 168 apart; the rule under a block lies at its last line + h + 2 = its top + 166.

#include "exchange/SummaryPrint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/RecordingPrintTarget.h"

namespace tranchex {
namespace {

using test::RecordingPrintTarget;

constexpr std::int32_t kH = 20;
constexpr std::int32_t kStep = 24;
constexpr std::int32_t kY0 = 58;
constexpr std::int32_t kXMid = 992;
constexpr std::int32_t kPitch = 168;
constexpr const char* kTitle = "Récapitulatif du débit";

METRAGE Line(std::string key, std::int32_t panels = 3) {
  METRAGE m;
  m.Key = std::move(key);
  m.PanelCount = panels;
  m.PanelArea = 17.388L;
  m.PartsArea = 12.5L;
  m.CutLength = 30.456;
  m.PartsPerimeter = 45.125;
  m.WasteArea = 4.888L;
  m.WastePercent = 28.111;
  m.PartsPerPanel = 4;
  return m;
}

SummaryLineList Lines(int n) {
  SummaryLineList lines;
  for (int i = 0; i < n; ++i) lines.push_back(Line("K" + std::to_string(i + 1)));
  return lines;
}

const SummaryTexts& SampleTexts() {
  static const SummaryTexts texts = LoadSummaryTexts("Panneaux", "Pièces", "Panneau");
  return texts;
}

// A text drawn: where, how and what.
struct Text {
  std::int32_t x, y;
  bool bold;
  int size;
  std::string text;
  friend bool operator==(const Text&, const Text&) = default;
};
std::ostream& operator<<(std::ostream& os, const Text& t) {
  return os << "(" << t.x << ", " << t.y << (t.bold ? ", bold" : "") << ", " << t.size << "pt) "
            << t.text;
}

// A line drawn, from its start to its end.
struct Segment {
  std::int32_t x1, y1, x2, y2;
  friend bool operator==(const Segment&, const Segment&) = default;
};
std::ostream& operator<<(std::ostream& os, const Segment& s) {
  return os << "(" << s.x1 << ", " << s.y1 << ")-(" << s.x2 << ", " << s.y2 << ")";
}

std::vector<Text> DrawnTexts(const std::vector<CanvasCall>& sheet) {
  std::vector<Text> out;
  for (const CanvasCall& c : sheet) {
    if (c.kind != CanvasCallKind::TextOut) continue;
    EXPECT_EQ(c.mapMode, MapMode::Pixels) << c.text;
    out.push_back({c.points[0].x, c.points[0].y, c.font.bold, c.font.size, c.text});
  }
  return out;
}

std::vector<Segment> Segments(const std::vector<CanvasCall>& sheet) {
  std::vector<Segment> out;
  for (const CanvasCall& c : sheet) {
    if (c.kind == CanvasCallKind::LineTo)
      out.push_back({c.points[0].x, c.points[0].y, c.points[1].x, c.points[1].y});
  }
  return out;
}

// The keys printed on a sheet: the bold texts in the left column.
std::vector<std::string> Keys(const std::vector<CanvasCall>& sheet) {
  std::vector<std::string> out;
  for (const Text& t : DrawnTexts(sheet))
    if (t.bold && t.x == 1) out.push_back(t.text);
  return out;
}

SummaryPrintInputs Inputs(const SummaryLineList& lines, const char* unit = "m") {
  return SummaryPrintInputs{
      .Lines = lines, .Texts = SampleTexts(), .UnitText = unit, .DecimalSeparator = ','};
}

// The seven printed lines of the sample entry, in metres: every detail line but the edge
// banding.
const std::vector<std::string> kSevenLines = {
    "Nombre de panneaux : 3",
    "Surface totale des panneaux : 17,39 m²",
    "Linéaire de découpe : 30,46 m",
    "Nombre de pièces par panneau : 4",
    "Surface totale des pièces : 12,5 m²",
    "Surface totale des chutes : 4,89 m²",
    "Taux de chutes : 28,11 %",
};

// The texts of one block whose top is y: its key, then the seven lines h + 4 apart.
std::vector<Text> Block(const std::string& key, std::int32_t y) {
  std::vector<Text> out{{1, y, true, 10, key}};
  for (std::size_t i = 0; i < kSevenLines.size(); ++i)
    out.push_back({kXMid + 1, y + static_cast<std::int32_t>(i) * kStep, false, 10, kSevenLines[i]});
  return out;
}

const Text kTitleText{890, 2, false, 10, kTitle};  // (2000 - 22 characters x 10) / 2
const Segment kColumnLine{kXMid, kY0, kXMid, 2800};

TEST(SummaryPrint, OneEntryIsTitleColumnLineKeyAndSevenLinesWithoutARule) {
  const SummaryLineList lines{Line("2800x2070mm - horizontal")};
  RecordingPrintTarget target;
  const PrintReport report = PrintSummary(target, Inputs(lines));
  EXPECT_EQ(report.Sheets, 1);
  EXPECT_EQ(target.events, (std::vector<std::string>{"Portrait", "BeginDoc", "EndDoc"}));
  ASSERT_EQ(target.sheets.size(), 1u);

  std::vector<Text> expected{kTitleText};
  for (const Text& t : Block("2800x2070mm - horizontal", kY0)) expected.push_back(t);
  EXPECT_EQ(DrawnTexts(target.sheets[0]), expected);
  EXPECT_EQ(Segments(target.sheets[0]), std::vector<Segment>{kColumnLine});
}

TEST(SummaryPrint, BlocksFollowEachOtherWithARuleBetweenTwo) {
  const SummaryLineList lines{Line("A"), Line("B"), Line("C")};
  RecordingPrintTarget target;
  PrintSummary(target, Inputs(lines));
  ASSERT_EQ(target.sheets.size(), 1u);

  // Blocks at 58, 226 and 394; the rules under the first two at their last line (202, 370)
  // + h + 2.
  std::vector<Text> expected{kTitleText};
  for (const auto& [key, y] : {std::pair{"A", kY0}, {"B", kY0 + kPitch}, {"C", kY0 + 2 * kPitch}})
    for (const Text& t : Block(key, y)) expected.push_back(t);
  EXPECT_EQ(DrawnTexts(target.sheets[0]), expected);
  EXPECT_EQ(Segments(target.sheets[0]),
            (std::vector<Segment>{kColumnLine, {0, 224, 2000, 224}, {0, 392, 2000, 392}}));
}

TEST(SummaryPrint, AnEmptySummaryPrintsTheTitleAndTheColumnLineOnly) {
  const SummaryLineList none;
  RecordingPrintTarget target;
  const PrintReport report = PrintSummary(target, Inputs(none));
  EXPECT_EQ(report.Sheets, 1);
  EXPECT_EQ(target.events, (std::vector<std::string>{"Portrait", "BeginDoc", "EndDoc"}));
  ASSERT_EQ(target.sheets.size(), 1u);
  EXPECT_EQ(DrawnTexts(target.sheets[0]), std::vector<Text>{kTitleText});
  EXPECT_EQ(Segments(target.sheets[0]), std::vector<Segment>{kColumnLine});
}

// A block that would reach below the page goes whole to the next sheet, which has the title and
// the column line again. A block ends 164 below its top: a page of 58 + 2 x 168 + 164 = 558
// holds three blocks, one pixel less holds two. A page too short for one block still gets one
// block per sheet.
TEST(SummaryPrint, ALongSummaryGoesOnToNewSheetsWithoutSplittingABlock) {
  struct Case {
    std::int32_t height;
    int entries;
    std::vector<std::size_t> perSheet;
  };
  const std::vector<Case> cases{
      {2800, 16, {16}},            // 58 + 15 x 168 + 164 = 2742 <= 2800 < 2910
      {2800, 17, {16, 1}},
      {2800, 40, {16, 16, 8}},
      {558, 7, {3, 3, 1}},
      {557, 7, {2, 2, 2, 1}},
      {222, 2, {1, 1}},            // exactly one block: 58 + 164
      {100, 2, {1, 1}},            // shorter than one block
      {100, 0, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("height " + std::to_string(c.height) + ", " + std::to_string(c.entries) +
                 " entries");
    const SummaryLineList lines = Lines(c.entries);
    RecordingPrintTarget target({2000, c.height});
    const PrintReport report = PrintSummary(target, Inputs(lines));
    ASSERT_EQ(target.sheets.size(), c.perSheet.size());
    EXPECT_EQ(report.Sheets, static_cast<std::int32_t>(c.perSheet.size()));
    EXPECT_EQ(SummarySheetCount(lines.size(), SummarySheetGeometry{kH, 10, 2000, c.height}),
              static_cast<std::int32_t>(c.perSheet.size()));

    std::vector<std::string> events{"Portrait", "BeginDoc"};
    for (std::size_t s = 1; s < c.perSheet.size(); ++s) events.push_back("NewPage");
    events.push_back("EndDoc");
    EXPECT_EQ(target.events, events);

    int next = 1;  // the keys run K1, K2, ... across the sheets, in list order
    for (std::size_t s = 0; s < target.sheets.size(); ++s) {
      SCOPED_TRACE("sheet " + std::to_string(s + 1));
      const std::vector<Text> texts = DrawnTexts(target.sheets[s]);
      const std::vector<Segment> segments = Segments(target.sheets[s]);
      const std::size_t blocks = c.perSheet[s];
      // Headings on every sheet, then each block whole, from y0.
      std::vector<Text> expected{kTitleText};
      for (std::size_t b = 0; b < blocks; ++b) {
        const std::int32_t top = kY0 + static_cast<std::int32_t>(b) * kPitch;
        for (const Text& t : Block("K" + std::to_string(next++), top)) expected.push_back(t);
        // Whole on the sheet, unless one block is more than the sheet holds.
        if (c.height >= kY0 + 164) {
          EXPECT_LE(top + 6 * kStep + kH, c.height);
        }
      }
      EXPECT_EQ(texts, expected);
      // The column line down to the page's bottom, and a rule between two blocks of the sheet.
      std::vector<Segment> lines{{kXMid, kY0, kXMid, c.height}};
      for (std::size_t b = 0; b + 1 < blocks; ++b) {
        const std::int32_t rule = kY0 + static_cast<std::int32_t>(b) * kPitch + 166;
        lines.push_back({0, rule, 2000, rule});
      }
      EXPECT_EQ(segments, lines);
    }
    EXPECT_EQ(next, c.entries + 1);
  }
}

// The key is cut to the left column: x_mid - 4 = 988 pixels at a + 1 = 11 per character. 89
// characters take 979 and print whole; from 90 (990) the first 988 / 11 - 3 = 86 characters
// print, followed by "...". Accented letters count as one character.
TEST(SummaryPrint, ALongKeyIsCutToItsColumn) {
  struct Case {
    std::string key;
    std::string printed;
  };
  const std::string a86(86, 'a');
  const std::vector<Case> cases{
      {std::string(89, 'a'), std::string(89, 'a')},
      {std::string(90, 'a'), a86 + "..."},
      {std::string(200, 'b'), std::string(86, 'b') + "..."},
      {a86 + "éééé", a86 + "..."},
      {std::string(85, 'a') + "éééé", std::string(85, 'a') + "éééé"},  // 89 characters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const SummaryLineList lines{Line(c.key)};
    RecordingPrintTarget target;
    PrintSummary(target, Inputs(lines));
    ASSERT_EQ(target.sheets.size(), 1u);
    EXPECT_EQ(Keys(target.sheets[0]), std::vector<std::string>{c.printed});
  }
}

// The edge-banding line is listed in the window but not printed; the areas carry the unit's
// square, the lengths the unit, the rate "%".
TEST(SummaryPrint, PrintsSevenLinesInTheSummaryUnitWithoutTheEdgeBanding) {
  struct Case {
    const char* unit;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases{
      {"m", kSevenLines},
      {"mm",
       {"Nombre de panneaux : 3", "Surface totale des panneaux : 17,39 mm²",
        "Linéaire de découpe : 30,46 mm", "Nombre de pièces par panneau : 4",
        "Surface totale des pièces : 12,5 mm²", "Surface totale des chutes : 4,89 mm²",
        "Taux de chutes : 28,11 %"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    const SummaryLineList lines{Line("K")};
    RecordingPrintTarget target;
    PrintSummary(target, Inputs(lines, c.unit));
    ASSERT_EQ(target.sheets.size(), 1u);
    std::vector<std::string> printed;
    for (const Text& t : DrawnTexts(target.sheets[0]))
      if (t.x == kXMid + 1) printed.push_back(t.text);
    EXPECT_EQ(printed, c.lines);
    for (const Text& t : DrawnTexts(target.sheets[0]))
      EXPECT_EQ(t.text.find("bandes de champs"), std::string::npos) << t.text;
  }
}

// A print that fails sends nothing: a printer not ready starts no document; a failure once it
// has begun aborts it.
TEST(SummaryPrint, AFailedPrintGivesTheEnginesMessageAndLeavesNoDocument) {
  struct Case {
    const char* name;
    void (*plant)(RecordingPrintTarget&);
    PrintError::Reason reason;
    std::vector<std::string> events;
    const char* message;  // the start of the message for the user
  };
  const std::vector<Case> cases{
      {"printer not ready", [](RecordingPrintTarget& t) { t.failBegin = true; },
       PrintError::Reason::PrinterNotReady, {"Portrait", "BeginDoc"},
       "L'imprimante n'est pas prête : rien n'a été imprimé."},
      {"second sheet cannot start", [](RecordingPrintTarget& t) { t.failNewPageAt = 2; },
       PrintError::Reason::PageFailed, {"Portrait", "BeginDoc", "NewPage", "Abort"},
       "La page 2 n'a pas pu être commencée"},
      {"drawing of the second sheet fails", [](RecordingPrintTarget& t) { t.throwOnSheet = 2; },
       PrintError::Reason::DrawingFailed, {"Portrait", "BeginDoc", "NewPage", "Abort"},
       "Le dessin de la page 2 a échoué"},
      {"document cannot be finished", [](RecordingPrintTarget& t) { t.failEnd = true; },
       PrintError::Reason::DocumentFailed, {"Portrait", "BeginDoc", "NewPage", "EndDoc"},
       "L'impression n'a pas pu être terminée."},
  };
  const SummaryLineList lines = Lines(17);  // two sheets
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target;
    c.plant(target);
    try {
      PrintSummary(target, Inputs(lines));
      ADD_FAILURE() << "printed";
    } catch (const PrintError& e) {
      EXPECT_EQ(e.reason(), c.reason);
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
    EXPECT_EQ(target.events, c.events);
  }
}

TEST(SummaryPrint, BlocksPerSheetFollowThePageHeight) {
  struct Case {
    std::int32_t h, height, blocks;
  };
  const std::vector<Case> cases{
      {20, 2800, 16}, {20, 558, 3}, {20, 557, 2}, {20, 222, 1}, {20, 221, 1}, {20, 0, 1},
      // h = 40: step 44, y0 98, block 304, pitch 308: 98 + 304 + 308 = 710 holds two
      {40, 710, 2}, {40, 709, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.h) + " / " + std::to_string(c.height));
    EXPECT_EQ(SummaryBlocksPerSheet(SummarySheetGeometry{c.h, c.h / 2, 2000, c.height}),
              c.blocks);
  }
}

}  // namespace
}  // namespace tranchex
