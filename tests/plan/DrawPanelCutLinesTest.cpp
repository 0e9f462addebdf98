#include "plan/DrawPanelCutLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"
#include "plan/DrawPanelHeading.h"
#include "plan/DrawingContext.h"
#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

constexpr CanvasColor kBlack{0, 0, 0};

struct Placed {
  std::string text;
  int x;
  int y;
  friend bool operator==(const Placed&, const Placed&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Placed& p) {
    return os << '"' << p.text << "\" @(" << p.x << ", " << p.y << ")";
  }
};

LIGNE Cut(int x1, int y1, int x2, int y2) { return LIGNE{x1, y1, x2, y2}; }

// A 6000 x 3000 panel drawn at scale 10 from (0, 0): 600 x 300 logical units, right edge at 600.
// The 5-point font of the recording canvas is 20 high and 10 wide per character, so "(1)" is
// 30 wide and a label starts 10 right of and 10 below its cut's first end.
class CutLinesTest : public testing::Test {
 protected:
  CutLinesTest() {
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFontSize(5);
    canvas.ClearCalls();
    context.Texts = LoadDrawingTexts();
  }

  void Draw(const std::vector<LIGNE>& cuts, double length = 6000, double width = 3000) {
    Panneau_p panel = test::MakePanel(length, width);
    panel.CutLines = cuts;
    DrawPanelCutLines(panel, canvas, 0, 0, 10.0, species, designations, references,
                      kContextPanelsSimple, mm, context);
  }

  // The texts drawn after the heading (in a cut's colour, not black).
  std::vector<Placed> LabelTexts() const {
    std::vector<Placed> out;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::TextOut))
      if (!(call.font.color == kBlack))
        out.push_back({call.text, call.points[0].x, call.points[0].y});
    return out;
  }

  // The cut lines: LineTo calls drawn with a coloured pen.
  std::vector<CanvasCall> CutLineCalls() const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::LineTo))
      if (!(call.pen.color == kBlack)) out.push_back(call);
    return out;
  }

  RecordingCanvas canvas;
  DrawingContext context;
  UNITE_MESURE mm;
  std::vector<std::string> species, designations, references;
};

TEST_F(CutLinesTest, ColoursFollowTheCuttingOrderThenTurnGrey) {
  std::vector<LIGNE> cuts;
  for (int i = 0; i < 20; ++i) cuts.push_back(Cut(0, 2900 - 140 * i, 1000, 2900 - 140 * i));
  Draw(cuts);
  const std::vector<CanvasColor> expected = {
      {0, 0, 255},   {0, 255, 255},   {128, 128, 128}, {255, 0, 255},   {0, 128, 0},
      {0, 255, 0},   {192, 192, 192}, {128, 0, 0},     {0, 0, 128},     {128, 128, 0},
      {128, 0, 128}, {255, 0, 0},     {0, 128, 128},   {255, 255, 0},   {128, 128, 128},
      {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}};
  const std::vector<CanvasCall> lines = CutLineCalls();
  ASSERT_EQ(lines.size(), 20u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].pen.color, expected[i]) << "cut " << i;
    EXPECT_EQ(CutLineColour(i), expected[i]) << "cut " << i;
    const int y = 290 - 14 * static_cast<int>(i);
    EXPECT_EQ(lines[i].points, (std::vector<CanvasPoint>{{0, y}, {100, y}}));
  }
}

TEST_F(CutLinesTest, OnlyFullLengthCutsShowTheirNumber) {
  std::vector<LIGNE> cuts;
  for (int i = 0; i < 7; ++i) {
    const int y = 2900 - 400 * i;
    const bool full = i % 3 == 0;
    cuts.push_back(Cut(0, y, full ? 6000 : 1000, y));
  }
  Draw(cuts);
  const std::vector<Placed> expected = {
      {"(1)", 10, 280}, {"(4)", 10, 160}, {"(7)", 10, 40}};
  EXPECT_EQ(LabelTexts(), expected);
}

TEST_F(CutLinesTest, FullLengthComparesWithTheRealSizes) {
  struct Case {
    double length, width;
    LIGNE cut;
    bool numbered;
  };
  const std::vector<Case> cases = {
      {6000, 3000, Cut(0, 1500, 6000, 1500), true},
      {6000.5, 3000, Cut(0, 1500, 6000, 1500), false},  // a fraction of a unit: never full
      {6000.5, 3000, Cut(2000, 3000, 2000, 0), true},   // the width still matches
      {6000, 3000.2, Cut(2000, 3000, 2000, 0), false},
      {6000, 3000, Cut(0, 1500, 5999, 1500), false},
      {6000, 3000, Cut(2000, 0, 2000, 3000), true},  // either direction
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " x " << c.width << ", " << c.cut);
    canvas.ClearCalls();
    Draw({c.cut}, c.length, c.width);
    EXPECT_EQ(LabelTexts().size(), c.numbered ? 1u : 0u);
  }
}

TEST_F(CutLinesTest, LabelTextsWithLengths) {
  struct Case {
    const char* what;
    int mode;
    LIGNE cut;
    std::vector<Placed> texts;
  };
  const std::vector<Case> cases = {
      {"full vertical", 1, Cut(2000, 3000, 2000, 0), {{"(1)", 210, 290}, {"{300}", 210, 270}}},
      {"full horizontal", 1, Cut(0, 1500, 6000, 1500), {{"(1)", 10, 140}, {" - {600}", 40, 140}}},
      {"short horizontal", 1, Cut(0, 1500, 4500, 1500), {{"{450}", 10, 140}}},
      {"short vertical", 1, Cut(2000, 3000, 2000, 1000), {{"{200}", 210, 290}}},
      {"full vertical, numbers only", 0, Cut(2000, 3000, 2000, 0), {{"(1)", 210, 290}}},
      {"short, numbers only", 0, Cut(0, 1500, 4500, 1500), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas.ClearCalls();
    context.CutLineLabelMode = c.mode;
    Draw({c.cut});
    EXPECT_EQ(LabelTexts(), c.texts);
    for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::TextOut))
      if (!(call.font.color == kBlack)) {
        EXPECT_EQ(call.font.color, (CanvasColor{0, 0, 255}));
      }
  }
}

TEST_F(CutLinesTest, LabelTouchingAnEarlierLabelIsLeftOut) {
  // The first label's box is (10, 190, 40, 170); the second starts 10 below its cut.
  struct Case {
    int secondY;
    bool drawn;
  };
  const std::vector<Case> cases = {
      {1800, false},  // its top at 170: shares the edge
      {1790, true},   // its top at 169: one unit away
      {1900, false},  // overlapping
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondY);
    canvas.ClearCalls();
    Draw({Cut(0, 2000, 6000, 2000), Cut(0, c.secondY, 6000, c.secondY)});
    EXPECT_EQ(LabelTexts().size(), c.drawn ? 2u : 1u);
    EXPECT_EQ(CutLineCalls().size(), 2u);  // the line is drawn either way
  }
}

TEST_F(CutLinesTest, LabelPastThePanelsRightEdgeIsLeftOut) {
  struct Case {
    int x;
    bool drawn;
  };
  // "(1)" from X + 10 to X + 40 against the right edge at 600.
  const std::vector<Case> cases = {{5600, true}, {5610, false}, {5990, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    canvas.ClearCalls();
    Draw({Cut(c.x, 3000, c.x, 0)});
    EXPECT_EQ(LabelTexts().size(), c.drawn ? 1u : 0u);
    EXPECT_EQ(CutLineCalls().size(), 1u);
  }
}

TEST_F(CutLinesTest, EmptyLabelsStillReserveTheirBox) {
  // Numbers only: the short cut shows nothing but keeps the box (110, top, 110, top - 20); the
  // full cut's label (110, 290, 140, 250) is left out when it meets that box.
  struct Case {
    int shortTop;
    bool numberDrawn;
  };
  const std::vector<Case> cases = {{2600, false}, {2590, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shortTop);
    canvas.ClearCalls();
    Draw({Cut(1000, c.shortTop, 1000, 500), Cut(1000, 3000, 1000, 0)});
    const std::vector<Placed> texts = LabelTexts();
    if (c.numberDrawn)
      EXPECT_EQ(texts, (std::vector<Placed>{{"(2)", 110, 290}}));
    else
      EXPECT_TRUE(texts.empty());
  }
}

TEST_F(CutLinesTest, BarJobStretchesVerticalPositionsOnly) {
  context.MarginsAllZero = 1;
  context.CutLineLabelMode = 1;
  Draw({Cut(2000, 3000, 2000, 0)});  // vscale 2: five times taller than at scale 10
  const std::vector<CanvasCall> lines = CutLineCalls();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{200, 1500}, {200, 0}}));
  EXPECT_EQ(LabelTexts(),
            (std::vector<Placed>{{"(1)", 210, 1490}, {"{300}", 210, 1470}}));
}

TEST_F(CutLinesTest, HeadingFirstAndTheStateLeftBehind) {
  struct Case {
    int cuts;
    CanvasColor pen;
  };
  const std::vector<Case> cases = {
      {0, {0, 0, 0}},
      {1, {0, 0, 255}},
      {3, {128, 128, 128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cuts);
    canvas.ClearCalls();
    canvas.SetPenColor(CanvasColor{9, 9, 9});
    canvas.SetFontColor(CanvasColor{9, 9, 9});
    std::vector<LIGNE> cuts;
    for (int i = 0; i < c.cuts; ++i) cuts.push_back(Cut(0, 2900 - 400 * i, 6000, 2900 - 400 * i));
    Draw(cuts);
    EXPECT_EQ(canvas.GetPen().color, c.pen);
    EXPECT_EQ(canvas.GetFont().color, kBlack);

    // The heading (outline last) comes before every cut.
    const std::vector<CanvasCall> drawn = canvas.DrawingCalls();
    std::size_t outline = drawn.size();
    for (std::size_t i = 0; i < drawn.size(); ++i)
      if (drawn[i].kind == CanvasCallKind::Rectangle) outline = i;
    ASSERT_LT(outline, drawn.size());
    EXPECT_EQ(drawn[outline].rect, (CanvasRect{0, 300, 600, 0}));
    EXPECT_EQ(drawn[outline].pen.color, kBlack);
    EXPECT_EQ(drawn.size() - outline - 1, 2u * c.cuts);  // each cut: its line and its number
  }
}

TEST_F(CutLinesTest, UnusableScaleDrawsNothing) {
  Panneau_p panel = test::MakePanel(6000, 3000);
  panel.CutLines = {Cut(0, 1500, 6000, 1500)};
  for (double scale : {0.0, -10.0, std::nan("")}) {
    DrawPanelCutLines(panel, canvas, 0, 0, scale, species, designations, references,
                      kContextPanelsSimple, mm, context);
    EXPECT_TRUE(canvas.Calls().empty());
  }
}

}  // namespace
}  // namespace tranchex
