#include "plan/DrawPanelHeading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"
#include "plan/DrawingContext.h"
#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

// A text as drawn: where its top-left corner went.
struct Placed {
  std::string text;
  int x;
  int y;
  friend bool operator==(const Placed&, const Placed&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Placed& p) {
    return os << '"' << p.text << "\" @(" << p.x << ", " << p.y << ")";
  }
};

std::vector<Placed> TextsOf(const RecordingCanvas& canvas) {
  std::vector<Placed> out;
  for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::TextOut))
    out.push_back({call.text, call.points[0].x, call.points[0].y});
  return out;
}

// A 600 x 300 mm record (6000 x 3000 internal units) drawn at scale 10 with its point (0, 0) at
// (100, -1000): Left 100, Right 700, Top -700, Bottom -1000. The 5-point font of the recording
// canvas is 20 units high and 10 wide, so row k has its top at -700 + 40k + 10.
class HeadingTest : public testing::Test {
 protected:
  HeadingTest() {
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFontSize(5);
    canvas.ClearCalls();
    context.Texts = LoadDrawingTexts();
    context.CurrentPartReference = "b";
    part = TPiece(6000, 3000, 190, 1);
    part.Grain = GrainVertical;
    part.Quantity = 4;
    part.DesignationIndex = 1;
  }

  void Draw(const TPanneau& record, int code) {
    DrawPanelHeading(record, canvas, 100, -1000, 10.0, species, designations, references, code,
                     mm, context);
  }

  RecordingCanvas canvas;
  DrawingContext context;
  UNITE_MESURE mm;  // factor 10, "mm"
  std::vector<std::string> species{"Chêne", "HÊTRE"};
  std::vector<std::string> designations{"Montant", "Traverse"};
  std::vector<std::string> references{"a", "b"};
  TPiece part;
};

constexpr int kRow(int k) { return -700 + 40 * k + 10; }

TEST_F(HeadingTest, PartsViewWritesTheRowsFromTheTopDownThenTheFigures) {
  Draw(part, kContextPartsComplex);
  const std::vector<Placed> expected = {
      {"Ref : b", 100, kRow(8)},
      {"Pièce : Traverse", 100, kRow(7)},
      {"Dimensions : 600x300 mm", 100, kRow(6)},
      {"Nombre : 4", 100, kRow(5)},
      {"Sens du fil : vertical", 100, kRow(4)},
      {"Essence : hêtre", 100, kRow(3)},
      {"Epaisseur : 19 mm", 100, kRow(2)},
      // The length figure: 100 + |300 - (3 div 2) x 10|, its top h + 30 above the outline.
      {"600", 390, -650},
      // The width figure: 40 right of the outline, top at -1000 + |150 + 10|.
      {"300", 740, -840},
  };
  EXPECT_EQ(TextsOf(canvas), expected);
}

// In metres and inches the figures keep every tenth of a millimetre: 720,5 x 396,5 x 19 mm is
// never shown as 0,72 x 0,4 x 0,02.
TEST_F(HeadingTest, FiguresKeepEveryTenthInEachUnit) {
  struct Case {
    UNITE_MESURE unit;
    const char* dimensions;
    const char* thickness;
    const char* length;
    const char* width;
  };
  const Case cases[] = {
      {{10.0, "mm", ""}, "Dimensions : 720,5x396,5 mm", "Epaisseur : 19 mm", "720,5", "396,5"},
      {{100.0, "cm", ""}, "Dimensions : 72,05x39,65 cm", "Epaisseur : 1,9 cm", "72,05", "39,65"},
      {{10000.0, "m", ""}, "Dimensions : 0,7205x0,3965 m", "Epaisseur : 0,019 m", "0,7205",
       "0,3965"},
      // 7205 / 254 = 28.3661, 3965 / 254 = 15.6102, 190 / 254 = 0.7480
      {{254.0, "pouces", ""}, "Dimensions : 28,366x15,61 pouces", "Epaisseur : 0,748 pouces",
       "28,366", "15,61"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit.Abbreviation);
    canvas.ClearCalls();
    TPiece record(7205, 3965, 190, 1);
    record.Grain = GrainVertical;
    record.Quantity = 1;
    record.DesignationIndex = 1;
    DrawPanelHeading(record, canvas, 100, -1000, 10.0, species, designations, references,
                     kContextPartsComplex, c.unit, context);
    const std::vector<Placed> texts = TextsOf(canvas);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[2].text, c.dimensions);
    EXPECT_EQ(texts[6].text, c.thickness);
    EXPECT_EQ(texts[7].text, c.length);
    EXPECT_EQ(texts[8].text, c.width);
  }
}

TEST_F(HeadingTest, SimpleJobLeavesThicknessAndSpeciesRowsBlank) {
  Draw(part, kContextPartsSimple);
  const std::vector<Placed> texts = TextsOf(canvas);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[4], (Placed{"Sens du fil : vertical", 100, kRow(4)}));
  for (const Placed& p : texts) {
    EXPECT_NE(p.y, kRow(2)) << p;
    EXPECT_NE(p.y, kRow(3)) << p;
  }
}

TEST_F(HeadingTest, PanelsViewWritesOnePanelLineWithTheCount) {
  struct Case {
    int count;
    std::string wordPanel, wordPanels;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {3, "Panneau", "Panneaux", "Panneau : 2800x2070 mm - sens du fil horizontal - (3 panneaux)"},
      {1, "Panneau", "Panneaux", "Panneau : 2800x2070 mm - sens du fil horizontal - (1 panneau)"},
      {0, "Panneau", "Panneaux", "Panneau : 2800x2070 mm - sens du fil horizontal - (0 panneaux)"},
      {2, "Panneau", "Panneaux", "Panneau : 2800x2070 mm - sens du fil horizontal - (2 panneaux)"},
      // The user's own words, lower-cased in the count only.
      {1, "PLATEAU", "PLATEAUX", "PLATEAU : 2800x2070 mm - sens du fil horizontal - (1 plateau)"},
      {5, "PLATEAU", "PLATEAUX", "PLATEAU : 2800x2070 mm - sens du fil horizontal - (5 plateaux)"},
  };
  const Panneau_p panel = test::MakePanel(28000, 20700, GrainHorizontal, 190, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    canvas.ClearCalls();
    context.DisplayedPanelCount = c.count;
    context.Texts.WordPanel = c.wordPanel;
    context.Texts.WordPanels = c.wordPanels;
    Draw(panel, kContextPanelsComplex);
    const std::vector<Placed> texts = TextsOf(canvas);
    // Panel line (row 4), species (row 3), thickness (row 2), length and width figures.
    ASSERT_EQ(texts.size(), 5u);
    const int top = -1000 + 2070;
    EXPECT_EQ(texts[0], (Placed{c.expected, 100, top + 4 * 40 + 10}));
    EXPECT_EQ(texts[1].text, "Essence : chêne");
    EXPECT_EQ(texts[2].text, "Epaisseur : 19 mm");
    for (const Placed& p : texts) EXPECT_LT(p.y, top + 5 * 40 + 10) << "rows 5 to 8 stay blank";
  }
}

TEST_F(HeadingTest, SpeciesRow) {
  struct Case {
    std::vector<std::string> list;
    int index;
    std::string expected;  // empty: no species row
  };
  const std::vector<Case> cases = {
      {{"Chêne", "HÊTRE"}, 0, "Essence : chêne"},
      {{"Chêne", "HÊTRE"}, 1, "Essence : hêtre"},
      {{"Chêne", "HÊTRE"}, 2, "Non spécifié"},   // past the end: the word alone
      {{"Chêne", "HÊTRE"}, -1, "Non spécifié"},  // negative
      {{}, 0, ""},                                // no species list: no row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    canvas.ClearCalls();
    species = c.list;
    part.Species = c.index;
    Draw(part, kContextPartsComplex);
    std::string row3;
    for (const Placed& p : TextsOf(canvas))
      if (p.y == kRow(3)) row3 = p.text;
    EXPECT_EQ(row3, c.expected);
  }
}

TEST_F(HeadingTest, GrainOutsideTheThreeDirectionsGivesNoGrainWord) {
  for (int grain : {3, -1, 1000}) {
    SCOPED_TRACE(grain);
    canvas.ClearCalls();
    part.Grain = grain;
    Draw(part, kContextPartsComplex);
    EXPECT_EQ(TextsOf(canvas)[4], (Placed{"Sens du fil : ", 100, kRow(4)}));

    canvas.ClearCalls();
    Panneau_p panel = test::MakePanel(6000, 3000);
    panel.Grain = grain;
    context.DisplayedPanelCount = 1;
    Draw(panel, kContextPanelsSimple);
    EXPECT_EQ(TextsOf(canvas)[0].text, "Panneau : 600x300 mm - sens du fil  - (1 panneau)");
  }
}

TEST_F(HeadingTest, DesignationRowNeedsAnEntryAtTheIndex) {
  struct Case {
    std::vector<std::string> list;
    int index;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"Montant", "Traverse"}, 0, "Pièce : Montant"},
      {{"Montant", "Traverse"}, 2, ""},
      {{"Montant", "Traverse"}, -3, ""},
      {{}, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    canvas.ClearCalls();
    designations = c.list;
    part.DesignationIndex = c.index;
    Draw(part, kContextPartsComplex);
    std::string row7;
    for (const Placed& p : TextsOf(canvas))
      if (p.y == kRow(7)) row7 = p.text;
    EXPECT_EQ(row7, c.expected);
  }
}

TEST_F(HeadingTest, DimensionLinesAndOutlineComeLastInThisOrder) {
  Draw(part, kContextPartsComplex);
  const std::vector<CanvasCall> calls = canvas.DrawingCalls();
  ASSERT_EQ(calls.size(), 16u);
  std::vector<CanvasCallKind> kinds;
  for (std::size_t i = 7; i < calls.size(); ++i) kinds.push_back(calls[i].kind);
  using K = CanvasCallKind;
  const std::vector<K> expected = {K::TextOut,  K::Polyline, K::LineTo,  K::Polyline,
                                   K::TextOut,  K::Polyline, K::LineTo,  K::Polyline,
                                   K::Rectangle};
  EXPECT_EQ(kinds, expected);

  // Length line 20 above the outline, width line 20 to its right, arrowheads 10 by 10.
  EXPECT_EQ(calls[8].points,
            (std::vector<CanvasPoint>{{110, -670}, {100, -680}, {110, -690}}));
  EXPECT_EQ(calls[9].points, (std::vector<CanvasPoint>{{100, -680}, {700, -680}}));
  EXPECT_EQ(calls[10].points,
            (std::vector<CanvasPoint>{{690, -670}, {700, -680}, {690, -690}}));
  EXPECT_EQ(calls[12].points,
            (std::vector<CanvasPoint>{{710, -710}, {720, -700}, {730, -710}}));
  EXPECT_EQ(calls[13].points, (std::vector<CanvasPoint>{{720, -700}, {720, -1000}}));
  EXPECT_EQ(calls[14].points,
            (std::vector<CanvasPoint>{{710, -990}, {720, -1000}, {730, -990}}));
  EXPECT_EQ(calls[15].rect, (CanvasRect{100, -700, 700, -1000}));
}

TEST_F(HeadingTest, ChangesNoCanvasSetting) {
  canvas.SetPen({CanvasColor{1, 2, 3}, 2, PenStyle::Dash});
  canvas.SetBrush({CanvasColor{4, 5, 6}, BrushStyle::Clear});
  const CanvasFont font = canvas.GetFont();
  canvas.ClearCalls();
  Draw(part, kContextPartsComplex);
  for (const CanvasCall& call : canvas.Calls()) {
    EXPECT_NE(call.kind, CanvasCallKind::SetPen);
    EXPECT_NE(call.kind, CanvasCallKind::SetBrush);
    EXPECT_NE(call.kind, CanvasCallKind::SetFont);
    EXPECT_NE(call.kind, CanvasCallKind::SetMapMode);
  }
  EXPECT_EQ(canvas.GetPen(), (CanvasPen{CanvasColor{1, 2, 3}, 2, PenStyle::Dash}));
  EXPECT_EQ(canvas.GetBrush(), (CanvasBrush{CanvasColor{4, 5, 6}, BrushStyle::Clear}));
  EXPECT_EQ(canvas.GetFont(), font);
}

TEST_F(HeadingTest, BarJobStretchesTheVerticalAxisButNotTheRowSpacing) {
  context.MarginsAllZero = 1;
  Draw(part, kContextPartsComplex);
  // vscale 2: Top = 3000 / 2 - 1000 = 500; rows still h + 20 apart.
  const std::vector<Placed> texts = TextsOf(canvas);
  EXPECT_EQ(texts[0], (Placed{"Ref : b", 100, 500 + 8 * 40 + 10}));
  EXPECT_EQ(texts[6], (Placed{"Epaisseur : 19 mm", 100, 500 + 2 * 40 + 10}));
  EXPECT_EQ(texts[7], (Placed{"600", 390, 500 + 50}));
  // The width figure is centred on the stretched height: -1000 + |750 + 10|.
  EXPECT_EQ(texts[8], (Placed{"300", 740, -240}));
  EXPECT_EQ(canvas.CallsOf(CanvasCallKind::Rectangle)[0].rect,
            (CanvasRect{100, 500, 700, -1000}));
  // Arrowheads keep their size.
  EXPECT_EQ(canvas.CallsOf(CanvasCallKind::Polyline)[0].points,
            (std::vector<CanvasPoint>{{110, 530}, {100, 520}, {110, 510}}));
}

TEST_F(HeadingTest, FigurePlacementEdges) {
  struct Case {
    const char* what;
    double length, width, scale;
    Placed lengthFigure, widthFigure;
  };
  const std::vector<Case> cases = {
      // Drawn 10 high: |5 + 10| < h, so the figure's top rests one text height above the origin.
      {"thin record", 6000, 100, 10.0, {"600", 390, -990 + 20 + 30}, {"10", 740, -1000 + 20}},
      // "1234,5" (6 characters) is wider than the 12 units drawn: |6 - 30| keeps it right of the
      // origin.
      {"short record", 12345, 3000, 1000.0, {"1234,5", 124, -997 + 20 + 30}, {"300", 152, -980}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas.ClearCalls();
    const TPanneau record(c.length, c.width, 190, 0);
    DrawPanelHeading(record, canvas, 100, -1000, c.scale, species, designations, references,
                     kContextPanelsSimple, mm, context);
    const std::vector<Placed> texts = TextsOf(canvas);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], c.lengthFigure);
    EXPECT_EQ(texts[texts.size() - 1], c.widthFigure);
  }
}

TEST_F(HeadingTest, UnusableScaleDrawsNothing) {
  for (double scale : {0.0, -10.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(scale);
    DrawPanelHeading(part, canvas, 100, -1000, scale, species, designations, references,
                     kContextPartsComplex, mm, context);
    EXPECT_TRUE(canvas.Calls().empty());
  }
}

}  // namespace
}  // namespace tranchex
