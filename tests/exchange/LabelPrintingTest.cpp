// Part labels on a recording print target: the label text, its two lines, the grid of labels on
// the sheets, and what stops a print. The target is a 254 dpi device (one pixel is 0.1 mm); its
// canvas measures 16 units per character in the default 8-point font, so a 635-wide label holds
// 39 characters per line.

#include "exchange/LabelPrinting.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/RecordingPrintTarget.h"

namespace tranchex {
namespace {

using test::RecordingPrintTarget;

const UNITE_MESURE kMm{10.0, "mm", ""};
const UNITE_MESURE kInches{254.0, "pouces", ""};
const UNITE_MESURE kMetres{10000.0, "m", ""};

// The two A4 label sheets the shop buys, as formats: 3 x 7 labels of 63.5 x 38.1 mm and 2 x 8
// labels of 99.1 x 33.9 mm, their sheet margins put into "Marge haut" and "Marge bas".
const ETIQUETTE kSheet3x7{"3x7", 381, 635, 170, 95, 381, 660};
const ETIQUETTE kSheet2x8{"2x8", 339, 991, 150, 70, 339, 1016};

// 63.5 x 38.1 mm labels, 66 mm apart across, with 3 mm text insets.
const ETIQUETTE kInsets3mm{"3mm", 381, 635, 30, 30, 381, 660};

constexpr CanvasSize kA4{2100, 2970};
// A4 inside the 3.53 mm page margins that Qt's PDF printer keeps by default.
constexpr CanvasSize kA4WithMargins{2029, 2899};

TPiece Part(double length, double width, double thickness, std::int32_t quantity,
            std::int32_t number) {
  TPiece p;
  p.Length = length;
  p.Width = width;
  p.Thickness = thickness;
  p.Quantity = quantity;
  p.Number = number;
  return p;
}

// The texts and parts of one print.
struct Job {
  PartList parts;
  std::vector<std::string> references;
  std::vector<std::string> designations;
  std::int32_t kind = 1;
  UNITE_MESURE unit = kMm;
};

// One part of 600 x 400 x 19 mm with its reference and designation, in that quantity.
Job OnePart(std::int32_t quantity, std::string reference = "a",
            std::string designation = "Montant") {
  Job job;
  job.parts = {Part(6000, 4000, 190, quantity, 0)};
  job.references = {std::move(reference)};
  job.designations = {std::move(designation)};
  return job;
}

LabelPrintReport Print(RecordingPrintTarget& target, const ETIQUETTE& format, const Job& job) {
  return PrintLabels(target, LabelPrintInputs{.Format = format,
                                              .Parts = job.parts,
                                              .References = job.references,
                                              .Designations = job.designations,
                                              .JobKind = job.kind,
                                              .Unit = job.unit,
                                              .DecimalSeparator = ','});
}

std::vector<CanvasCall> Texts(const std::vector<CanvasCall>& sheet) {
  std::vector<CanvasCall> out;
  for (const CanvasCall& call : sheet)
    if (call.kind == CanvasCallKind::TextRect) out.push_back(call);
  return out;
}

std::vector<std::string> TextsOf(const RecordingPrintTarget& target) {
  std::vector<std::string> out;
  for (const auto& sheet : target.sheets)
    for (const CanvasCall& call : Texts(sheet)) out.push_back(call.text);
  return out;
}

// ---- The label text ---------------------------------------------------------------------------

TEST(LabelText, SimpleAndComplexJobsInMillimetresAndInches) {
  struct Case {
    const char* name;
    std::int32_t kind;
    UNITE_MESURE unit;
    double length, width, thickness;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"simple, mm", 1, kMm, 6000, 4000, 190, "Ref: a - Montant 600x400 mm"},
      {"complex, mm", 2, kMm, 6000, 4000, 190, "Ref: a - Montant 600x400x19 mm"},
      {"complex, mm, tenths", 2, kMm, 12345, 4005, 185, "Ref: a - Montant 1234,5x400,5x18,5 mm"},
      // 6000 / 254 = 23.6220, 4000 / 254 = 15.7480, 190 / 254 = 0.7480: three decimals of an
      // inch hold every tenth of a millimetre.
      {"simple, inches", 1, kInches, 6000, 4000, 190, "Ref: a - Montant 23,622x15,748 pouces"},
      {"complex, inches", 2, kInches, 6000, 4000, 190,
       "Ref: a - Montant 23,622x15,748x0,748 pouces"},
      // Metres: four decimals; a thickness of 19 mm reads 0,019, never 0,02.
      {"complex, metres", 2, kMetres, 3005, 2000, 190, "Ref: a - Montant 0,3005x0,2x0,019 m"},
      {"simple, metres", 1, kMetres, 7205, 3965, 190, "Ref: a - Montant 0,7205x0,3965 m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Job job = OnePart(1);
    job.parts[0] = Part(c.length, c.width, c.thickness, 1, 0);
    job.kind = c.kind;
    job.unit = c.unit;
    EXPECT_EQ(LabelText(job.parts[0], job.references, job.designations, c.kind, c.unit, ','),
              c.expected);
    // The print draws that text; on a label 200 mm wide (125 characters) on one line.
    RecordingPrintTarget target(kA4);
    Print(target, ETIQUETTE{"large", 381, 2000, 170, 95, 381, 2000}, job);
    EXPECT_EQ(TextsOf(target), std::vector<std::string>{c.expected});
  }
}

TEST(LabelText, ReferencesAndDesignationsAreThoseOfThePartNumber) {
  Job job;
  // Listed out of number order; the third part's number lies beyond both text lists.
  job.parts = {Part(6000, 4000, 190, 1, 1), Part(3000, 2000, 190, 1, 0),
               Part(1000, 1000, 190, 1, 7)};
  job.references = {"a", "b"};
  job.designations = {"Montant", "Traverse"};
  RecordingPrintTarget target(kA4);
  Print(target, kSheet3x7, job);
  EXPECT_EQ(TextsOf(target), (std::vector<std::string>{"Ref: b - Traverse 600x400 mm",
                                                       "Ref: a - Montant 300x200 mm",
                                                       "Ref:  -  100x100 mm"}));
}

// ---- The two lines ------------------------------------------------------------------------------

TEST(LabelLines, TextsAreSplitAfterTheFourthBlankAndNothingIsLost) {
  struct Case {
    const char* name;
    const char* text;
    std::int32_t perLine;
    const char* first;
    const char* second;  // nullptr: one line
  };
  const std::vector<Case> cases = {
      // "bâti": an accented letter is one character.
      {"exactly as many characters as fit", "Ref: a - Traverse haute bâti 600x400 mm", 39,
       "Ref: a - Traverse haute bâti 600x400 mm", nullptr},
      {"one character more", "Ref: a - Traverse haute bâtis 600x400 mm", 39,
       "Ref: a - Traverse", "haute bâtis 600x400 mm"},
      {"a designation without blanks breaks before the dimensions",
       "Ref: a - Montant 600x400 mm", 20, "Ref: a - Montant", "600x400 mm"},
      {"a reference with a blank moves the fourth blank forward",
       "Ref: a b - Montant 600x400 mm", 20, "Ref: a b -", "Montant 600x400 mm"},
      // The text before the fourth blank is 39 characters: its first 30 go on line 1 (the cut
      // falls after "è", a two-byte character), the rest of it starts line 2.
      {"a first piece longer than 30 characters",
       "Ref: a - Panneau-de-fond-arrière-gauche 600x400 mm", 39,
       "Ref: a - Panneau-de-fond-arriè", "re-gauche 600x400 mm"},
      {"a first piece of exactly 30 characters",
       "Ref: a - Panneau-de-fond-arriè 600x400 mm", 39, "Ref: a - Panneau-de-fond-arriè",
       "600x400 mm"},
      {"a width under one character: every text wraps", "Ref: a - Montant 600x400 mm", 0,
       "Ref: a - Montant", "600x400 mm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LabelLines lines = SplitLabelText(c.text, c.perLine);
    EXPECT_EQ(lines.First, c.first);
    EXPECT_EQ(lines.Wrapped, c.second != nullptr);
    EXPECT_EQ(lines.Second, c.second ? c.second : "");
  }
}

TEST(LabelLines, CharactersPerLineComeFromTheDefaultFontBeforeTheLabelSize) {
  struct Case {
    const char* name;
    std::int32_t width;
    std::string designation;
    std::vector<std::string> drawn;
  };
  const std::vector<Case> cases = {
      {"39 characters in 635", 635, "Traverse haute bâti",
       {"Ref: a - Traverse haute bâti 600x400 mm"}},
      {"40 characters in 635", 635, "Traverse haute bâtis",
       {"Ref: a - Traverse", "haute bâtis 600x400 mm"}},
      // 624 / 16 = 39 characters; 623 / 16 = 38.
      {"39 characters in 624", 624, "Traverse haute bâti",
       {"Ref: a - Traverse haute bâti 600x400 mm"}},
      {"39 characters in 623", 623, "Traverse haute bâti",
       {"Ref: a - Traverse", "haute bâti 600x400 mm"}},
      {"a label narrower than one character", 15, "Montant",
       {"Ref: a - Montant", "600x400 mm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ETIQUETTE format = kSheet3x7;
    format.Width = c.width;
    RecordingPrintTarget target(kA4);
    Print(target, format, OnePart(1, "a", c.designation));
    ASSERT_EQ(target.sheets.size(), 1u);
    const std::vector<CanvasCall> texts = Texts(target.sheets[0]);
    ASSERT_EQ(texts.size(), c.drawn.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].text, c.drawn[i]);
      // The second line 5 mm below the first, both clipped to the label's rectangle.
      EXPECT_EQ(texts[i].points[0], (CanvasPoint{95, -170 - 50 * static_cast<int>(i)}));
      EXPECT_EQ(texts[i].rect, (CanvasRect{95, -381, c.width, -170}));
      // Drawn in the 0.1 mm mapping, 5 points, without a background.
      EXPECT_EQ(texts[i].mapMode, MapMode::LoMetric);
      EXPECT_EQ(texts[i].font.size, 5);
      EXPECT_EQ(texts[i].font.face, CanvasFont{}.face);
      EXPECT_EQ(texts[i].brush.style, BrushStyle::Clear);
    }
  }
}

// ---- The grid -----------------------------------------------------------------------------------

// (column, row) of each label of a sheet.
using Cells = std::vector<std::pair<int, int>>;

// The first count cells of a grid of that many columns, row after row.
Cells Filled(int columns, int count) {
  Cells cells;
  for (int i = 0; i < count; ++i) cells.push_back({i % columns, i / columns});
  return cells;
}

TEST(LabelGrid, LabelsFillTheRowsThenTheSheetsOfTheFormat) {
  struct Case {
    const char* name;
    ETIQUETTE format;
    CanvasSize page;
    std::vector<std::int32_t> quantities;
    std::vector<Cells> sheets;
  };
  const std::vector<Case> cases = {
      {"3 x 7, 25 labels: a row break every 3, a sheet break after 21", kSheet3x7, kA4, {25},
       {Filled(3, 21), Filled(3, 4)}},
      {"3 x 7, exactly 21 labels: one sheet and no blank one after", kSheet3x7, kA4, {21},
       {Filled(3, 21)}},
      {"3 x 7 inside Qt's page margins", kSheet3x7, kA4WithMargins, {22},
       {Filled(3, 21), Filled(3, 1)}},
      {"2 x 8, 25 labels", kSheet2x8, kA4, {25}, {Filled(2, 16), Filled(2, 9)}},
      {"2 x 8 inside Qt's page margins", kSheet2x8, kA4WithMargins, {16}, {Filled(2, 16)}},
      // A shop's format with 3 mm insets and a 66 mm pitch: a fourth column would start
      // 198 mm in and end past the 210 mm page, an eighth row end past its bottom.
      {"63.5 x 38.1 with 3 mm insets: 3 x 7 labels on A4, every one whole", kInsets3mm, kA4,
       {100}, {Filled(3, 21), Filled(3, 21), Filled(3, 21), Filled(3, 21), Filled(3, 16)}},
      // The third column ends at 2 x 660 + 635 = 1955, the seventh row at 6 x 381 + 381 = 2667.
      {"a third column ending exactly at the printable edge fits", kSheet3x7, {1955, 2970}, {21},
       {Filled(3, 21)}},
      {"a tenth of a millimetre narrower: two columns", kSheet3x7, {1954, 2970}, {15},
       {Filled(2, 14), Filled(2, 1)}},
      {"a seventh row ending exactly at the printable bottom fits", kSheet3x7, {2100, 2667}, {22},
       {Filled(3, 21), Filled(3, 1)}},
      {"a tenth of a millimetre lower: six rows", kSheet3x7, {2100, 2666}, {19},
       {Filled(3, 18), Filled(3, 1)}},
      // 1016 + 991 > 1100: the second column would end past the page.
      {"a page narrower than two columns: a single column", kSheet2x8, {1100, 2970}, {10},
       {Filled(1, 8), Filled(1, 2)}},
      // 381 > 300: a label higher than the page is printed alone on its sheet.
      {"a page lower than twice the top margin: one label per sheet", kSheet3x7, {2100, 300},
       {3}, {Filled(3, 1), Filled(3, 1), Filled(3, 1)}},
      {"quantities 0, 3 and 1: four labels in consecutive cells", kSheet3x7, kA4, {0, 3, -2, 1},
       {Filled(3, 4)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Job job;
    for (std::size_t i = 0; i < c.quantities.size(); ++i) {
      job.parts.push_back(Part(6000, 4000, 190, c.quantities[i], static_cast<int>(i)));
      job.references.push_back(std::string(1, static_cast<char>('a' + i)));
      job.designations.push_back("Montant");
    }
    RecordingPrintTarget target(c.page);
    const LabelPrintReport report = Print(target, c.format, job);
    EXPECT_EQ(report.Status, LabelPrintStatus::Printed);
    EXPECT_EQ(report.Sheets, static_cast<int>(c.sheets.size()));
    std::vector<std::string> events = {"Portrait", "BeginDoc"};
    for (std::size_t s = 1; s < c.sheets.size(); ++s) events.push_back("NewPage");
    events.push_back("EndDoc");
    EXPECT_EQ(target.events, events);
    ASSERT_EQ(target.sheets.size(), c.sheets.size());

    const ETIQUETTE& f = c.format;
    std::int64_t labels = 0;
    for (std::size_t s = 0; s < c.sheets.size(); ++s) {
      const std::vector<CanvasCall> texts = Texts(target.sheets[s]);
      ASSERT_EQ(texts.size(), c.sheets[s].size()) << "sheet " << s + 1;
      labels += static_cast<std::int64_t>(texts.size());
      for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [k, r] = c.sheets[s][i];
        SCOPED_TRACE("sheet " + std::to_string(s + 1) + ", cell (" + std::to_string(k) + ", " +
                     std::to_string(r) + ")");
        // The text at (k.hp + bm, r.vp + tm) from the printable area's top-left corner, clipped
        // to the cell's right and lower edges.
        EXPECT_EQ(texts[i].points[0],
                  (CanvasPoint{k * f.HorizontalPitch + f.BottomMargin,
                               -(r * f.VerticalPitch + f.TopMargin)}));
        EXPECT_EQ(texts[i].rect, (CanvasRect{k * f.HorizontalPitch + f.BottomMargin,
                                             -(r * f.VerticalPitch + f.Height),
                                             k * f.HorizontalPitch + f.Width,
                                             -(r * f.VerticalPitch + f.TopMargin)}));
      }
    }
    EXPECT_EQ(report.Labels, labels);
  }
}

// A printer's printable area is rarely a whole number of tenths of a millimetre: a last column or
// row that ends within a hundredth of a millimetre past it still prints, one that ends further
// past it goes to the next row or sheet; the width and the height alike.
TEST(LabelGrid, ALabelEndingAHundredthOfAMillimetrePastTheAreaStillFits) {
  // kSheet3x7: the third column ends at 1955, the seventh row at 2667 (tenths of a millimetre).
  const struct {
    double width, height;
    std::vector<Cells> sheets;  // of 22 labels
  } cases[] = {
      {1955.0, 2667.0, {Filled(3, 21), Filled(3, 1)}},
      {1954.9, 2667.0, {Filled(3, 21), Filled(3, 1)}},
      {1955.0, 2666.9, {Filled(3, 21), Filled(3, 1)}},
      {1954.9, 2666.9, {Filled(3, 21), Filled(3, 1)}},
      {1954.85, 2667.0, {Filled(2, 14), Filled(2, 8)}},
      {1955.0, 2666.85, {Filled(3, 18), Filled(3, 4)}},
      {1954.85, 2666.85, {Filled(2, 12), Filled(2, 10)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Job job;
    job.parts.push_back(Part(6000, 4000, 190, 22, 0));
    job.references.push_back("a");
    job.designations.push_back("Montant");
    RecordingPrintTarget target(kA4);
    target.unroundedPortrait = std::pair{c.width, c.height};
    const LabelPrintReport report = Print(target, kSheet3x7, job);
    EXPECT_EQ(report.Labels, 22);
    ASSERT_EQ(target.sheets.size(), c.sheets.size());
    for (std::size_t s = 0; s < c.sheets.size(); ++s) {
      const std::vector<CanvasCall> texts = Texts(target.sheets[s]);
      ASSERT_EQ(texts.size(), c.sheets[s].size()) << "sheet " << s + 1;
      for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [k, r] = c.sheets[s][i];
        EXPECT_EQ(texts[i].points[0],
                  (CanvasPoint{k * kSheet3x7.HorizontalPitch + kSheet3x7.BottomMargin,
                               -(r * kSheet3x7.VerticalPitch + kSheet3x7.TopMargin)}))
            << "sheet " << s + 1 << ", label " << i + 1;
      }
    }
  }
}

TEST(LabelGrid, AQuantityOf3GivesThreeIdenticalLabels) {
  RecordingPrintTarget target(kA4);
  Print(target, kSheet3x7, OnePart(3, "b", "Tablette"));
  EXPECT_EQ(TextsOf(target), std::vector<std::string>(3, "Ref: b - Tablette 600x400 mm"));
}

// ---- What stops a print -------------------------------------------------------------------------

TEST(LabelPrint, AFormatValueOutside1To2000IsRefusedBeforeAnyDocument) {
  struct Case {
    std::int32_t ETIQUETTE::*field;
    const char* caption;
    std::int32_t value;
  };
  const std::vector<Case> cases = {
      {&ETIQUETTE::Height, "Hauteur", 0},
      {&ETIQUETTE::Width, "Largeur", 2001},
      {&ETIQUETTE::TopMargin, "Marge haut", -1},
      {&ETIQUETTE::BottomMargin, "Marge bas", 0},
      // A pitch of 0 would stack every label on one spot.
      {&ETIQUETTE::VerticalPitch, "Pas vertical", 0},
      {&ETIQUETTE::HorizontalPitch, "Pas horizontal", 0},
      {&ETIQUETTE::HorizontalPitch, "Pas horizontal", 2001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.value));
    ETIQUETTE format = kSheet3x7;
    format.*c.field = c.value;
    RecordingPrintTarget target(kA4);
    const LabelPrintReport report = Print(target, format, OnePart(2));
    EXPECT_EQ(report.Status, LabelPrintStatus::FormatRefused);
    EXPECT_TRUE(target.events.empty());
    EXPECT_NE(report.Message.find("« 3x7 »"), std::string::npos) << report.Message;
    EXPECT_NE(report.Message.find(std::string("« ") + c.caption + " » vaut " +
                                  std::to_string(c.value)),
              std::string::npos)
        << report.Message;
  }
  // The bounds themselves print.
  RecordingPrintTarget target(kA4);
  EXPECT_EQ(Print(target, ETIQUETTE{"bornes", 2000, 2000, 1, 1, 2000, 2000}, OnePart(1)).Status,
            LabelPrintStatus::Printed);
}

TEST(LabelPrint, NoLabelToPrintStartsNoDocumentAndSaysSo) {
  const std::vector<std::pair<const char*, Job>> cases = {
      {"every quantity 0", OnePart(0)},
      {"a negative quantity", OnePart(-3)},
      {"no part", Job{}},
  };
  for (const auto& [name, job] : cases) {
    SCOPED_TRACE(name);
    RecordingPrintTarget target(kA4);
    const LabelPrintReport report = Print(target, kSheet3x7, job);
    EXPECT_EQ(report.Status, LabelPrintStatus::NothingToPrint);
    EXPECT_FALSE(report.Message.empty());
    EXPECT_TRUE(target.events.empty());
  }
}

TEST(LabelPrint, AFailureIsReportedAndTheDocumentAborted) {
  struct Case {
    const char* name;
    void (*plant)(RecordingPrintTarget&);
    PrintError::Reason reason;
    std::vector<std::string> events;
  };
  const std::vector<Case> cases = {
      {"printer not ready", [](RecordingPrintTarget& t) { t.failBegin = true; },
       PrintError::Reason::PrinterNotReady, {"Portrait", "BeginDoc"}},
      {"second sheet refused", [](RecordingPrintTarget& t) { t.failNewPageAt = 2; },
       PrintError::Reason::PageFailed, {"Portrait", "BeginDoc", "NewPage", "Abort"}},
      {"drawing fails on the second sheet", [](RecordingPrintTarget& t) { t.throwOnSheet = 2; },
       PrintError::Reason::DrawingFailed, {"Portrait", "BeginDoc", "NewPage", "Abort"}},
      {"document cannot be finished", [](RecordingPrintTarget& t) { t.failEnd = true; },
       PrintError::Reason::DocumentFailed, {"Portrait", "BeginDoc", "NewPage", "EndDoc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrintTarget target(kA4);
    c.plant(target);
    try {
      Print(target, kSheet3x7, OnePart(25));
      ADD_FAILURE() << "no PrintError";
    } catch (const PrintError& e) {
      EXPECT_EQ(e.reason(), c.reason);
      EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_EQ(target.events, c.events);
  }
}

}  // namespace
}  // namespace tranchex
