#include "plan/DrawPanelParts.h"

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
constexpr CanvasColor kBlue{0, 0, 255};
constexpr CanvasColor kGreen{0, 255, 0};

// The calls made from the moment the pen turned blue (the offcuts) until it turned black again
// (the first part).
std::vector<CanvasCall> OffcutCalls(const RecordingCanvas& canvas) {
  std::vector<CanvasCall> out;
  bool blue = false;
  for (const CanvasCall& call : canvas.Calls()) {
    if (call.kind == CanvasCallKind::SetPen) {
      if (call.pen.color == kBlue) blue = true;
      else if (blue) break;
      continue;
    }
    if (blue) out.push_back(call);
  }
  return out;
}

std::vector<CanvasCall> OfKind(const std::vector<CanvasCall>& calls, CanvasCallKind kind) {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

// Scale 1 and origin (0, 0); the 5-point font of the recording canvas is 20 high, 10 wide.
class PanelPartsTest : public testing::Test {
 protected:
  PanelPartsTest() {
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFontSize(5);
    canvas.ClearCalls();
    context.Texts = LoadDrawingTexts();
    context.DisplayedPanelCount = 1;
  }

  void Draw(const Panneau_p& panel, const UNITE_MESURE& unit, double scale = 1.0) {
    DrawPanelParts(panel, canvas, 0, 0, scale, species, designations, references,
                   kContextPanelsComplex, unit, context);
  }

  RecordingCanvas canvas;
  DrawingContext context;
  UNITE_MESURE mm;
  // A unit of one internal unit: every figure is the extent itself, two digits for the
  // offcuts of 10 to 99 drawn, so the texts keep one length while the sizes vary.
  UNITE_MESURE units{1.0, "u", ""};
  std::vector<std::string> species{"Chêne"};
  std::vector<std::string> designations{"Montant", "Traverse"};
  std::vector<std::string> references{"a", "b"};
};

TEST_F(PanelPartsTest, HeadingThenOffcutsThenParts) {
  Panneau_p panel = test::MakePanel(3000, 2000);
  test::SetFreeRects(panel, {MONRect(1000, 2000, 3000, 0)});
  panel.PlacedParts.push_back(test::PlacedPart(1, 1000, 2000, 0, 2000));
  canvas.SetPenColor(CanvasColor{9, 9, 9});
  canvas.SetFontColor(CanvasColor{9, 9, 9});
  Draw(panel, mm);

  const std::vector<CanvasCall> rects = canvas.CallsOf(CanvasCallKind::Rectangle);
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[0].rect, (CanvasRect{0, 2000, 3000, 0}));  // the heading's outline
  EXPECT_EQ(rects[0].pen.color, kBlack);
  EXPECT_EQ(rects[1].rect, (CanvasRect{1000, 2000, 3000, 0}));  // the offcut
  EXPECT_EQ(rects[1].pen.color, kBlue);
  EXPECT_EQ(rects[2].pen.color, kBlack);  // the part's outer rectangle
  EXPECT_EQ(rects[3].pen.color, kGreen);  // and its net rectangle

  // Texts before the part: heading texts and the offcut's figures, all black.
  for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::TextOut))
    EXPECT_EQ(call.font.color, kBlack) << call.text;

  EXPECT_EQ(canvas.GetPen().color, kBlack);
  EXPECT_EQ(canvas.GetFont().color, kBlack);
  EXPECT_EQ(canvas.GetBrush(), (CanvasBrush{CanvasColor{255, 255, 255}, BrushStyle::Clear}));
  EXPECT_EQ(context.CurrentPartReference, "b");
}

TEST_F(PanelPartsTest, WithoutPartsThePenStaysBlueAndTheBrushUntouched) {
  Panneau_p panel = test::MakePanel(3000, 2000);
  canvas.SetBrush({CanvasColor{255, 255, 255}, BrushStyle::Solid});
  canvas.SetPenColor(CanvasColor{9, 9, 9});
  canvas.SetFontColor(CanvasColor{9, 9, 9});
  Draw(panel, mm);
  EXPECT_EQ(canvas.GetPen().color, kBlue);
  EXPECT_EQ(canvas.GetFont().color, kBlack);
  EXPECT_EQ(canvas.GetBrush(), (CanvasBrush{CanvasColor{255, 255, 255}, BrushStyle::Solid}));
}

TEST_F(PanelPartsTest, EmptyLayoutDrawsOnlyTheHeading) {
  Panneau_p panel = test::MakePanel(3000, 2000);
  panel.FreeRects.clear();
  Draw(panel, mm);

  RecordingCanvas alone;
  alone.SetMapMode(MapMode::LoMetric);
  alone.SetFontSize(5);
  DrawPanelHeading(panel, alone, 0, 0, 1.0, species, designations, references,
                   kContextPanelsComplex, mm, context);

  const std::vector<CanvasCall> a = canvas.DrawingCalls();
  const std::vector<CanvasCall> b = alone.DrawingCalls();
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].kind, b[i].kind);
    EXPECT_EQ(a[i].points, b[i].points);
    EXPECT_EQ(a[i].text, b[i].text);
  }
}

TEST_F(PanelPartsTest, OffcutTextTiers) {
  // Figures of two digits: full dimensioning needs v >= 4d + 2h = 80 and w >= 4d + 2 x 10 = 60;
  // the one-line text "61x79" needs v > h + 10 = 30 and w > 5 x 10 + 10 = 60.
  enum class Shown { Full, OneLine, Nothing };
  struct Case {
    int width, height;
    Shown shown;
  };
  const std::vector<Case> cases = {
      {60, 80, Shown::Full},     // both at the >= boundary
      {59, 80, Shown::Nothing},  // one unit narrow: not even the one line
      {61, 79, Shown::OneLine},  // one unit low
      {61, 31, Shown::OneLine},  // one above each strict bound
      {60, 31, Shown::Nothing},  // width at the strict bound
      {61, 30, Shown::Nothing},  // height at the strict bound
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    canvas.ClearCalls();
    Panneau_p panel = test::MakePanel(10000, 10000);
    test::SetFreeRects(panel, {MONRect(0, c.height, c.width, 0)});
    Draw(panel, units);
    const std::vector<CanvasCall> calls = OffcutCalls(canvas);
    const std::vector<CanvasCall> rects = OfKind(calls, CanvasCallKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);  // the rectangle is always drawn
    const std::vector<CanvasCall> texts = OfKind(calls, CanvasCallKind::TextOut);
    const std::size_t arrows = OfKind(calls, CanvasCallKind::Polyline).size();
    switch (c.shown) {
      case Shown::Full:
        EXPECT_EQ(arrows, 4u);
        ASSERT_EQ(texts.size(), 2u);
        break;
      case Shown::OneLine:
        EXPECT_EQ(arrows, 0u);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(texts[0].points[0], (CanvasPoint{5, c.height - 5}));
        break;
      case Shown::Nothing:
        EXPECT_EQ(arrows, 0u);
        EXPECT_TRUE(texts.empty());
        break;
    }
  }
}

TEST_F(PanelPartsTest, FullDimensioningGeometry) {
  struct Case {
    const char* what;
    bool bars;
    double scale;
    MONRect offcut;  // internal units
    std::string sW, sH;
    int top;          // drawn top edge
    CanvasPoint sWAt, sHAt;
  };
  const std::vector<Case> cases = {
      // w = 1000, v = 800: sW at min(1000 - 70, (1000 - 30) / 2), sH at 1000 - 60 and
      // 800 - max(30, (800 - 20) / 2).
      {"plain", false, 1.0, MONRect(0, 800, 1000, 0), "100", "80", 800, {485, 790}, {940, 410}},
      // Bars: drawn five times taller, while the fit tests and the centring of sH use 800.
      {"bars", true, 5.0, MONRect(0, 4000, 5000, 0), "500", "400", 4000, {485, 3990},
       {930, 3610}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas.ClearCalls();
    context.MarginsAllZero = c.bars ? 1 : 0;
    Panneau_p panel = test::MakePanel(50000, 50000);
    test::SetFreeRects(panel, {c.offcut});
    Draw(panel, mm, c.scale);
    const std::vector<CanvasCall> calls = OffcutCalls(canvas);
    ASSERT_EQ(OfKind(calls, CanvasCallKind::Rectangle)[0].rect,
              (CanvasRect{0, c.top, 1000, 0}));
    const std::vector<CanvasCall> arrows = OfKind(calls, CanvasCallKind::Polyline);
    ASSERT_EQ(arrows.size(), 4u);
    const int yL = c.top - 40;  // 2d + h below the top
    EXPECT_EQ(arrows[0].points, (std::vector<CanvasPoint>{{10, yL + 10}, {0, yL}, {10, yL - 10}}));
    EXPECT_EQ(arrows[2].points,
              (std::vector<CanvasPoint>{{970, c.top - 10}, {980, c.top}, {990, c.top - 10}}));
    const std::vector<CanvasCall> texts = OfKind(calls, CanvasCallKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, c.sW);
    EXPECT_EQ(texts[0].points[0], c.sWAt);
    EXPECT_EQ(texts[1].text, c.sH);
    EXPECT_EQ(texts[1].points[0], c.sHAt);
  }
}

TEST_F(PanelPartsTest, CurrentReferenceIsTheLastPartsWithinTheList) {
  struct Case {
    std::vector<int> numbers;
    std::string last;
  };
  const std::vector<Case> cases = {
      {{1, 0}, "a"},
      {{0, 1}, "b"},
      {{0, 7}, ""},   // past the end of the references
      {{1, -2}, ""},  // negative
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    Panneau_p panel = test::MakePanel(3000, 2000);
    panel.FreeRects.clear();
    int left = 0;
    for (int n : c.numbers) {
      panel.PlacedParts.push_back(test::PlacedPart(n, 1000, 1000, left, 2000));
      left += 1000;
    }
    Draw(panel, mm);
    EXPECT_EQ(context.CurrentPartReference, c.last);
  }
}

TEST_F(PanelPartsTest, UnusableScaleDrawsNothing) {
  Panneau_p panel = test::MakePanel(3000, 2000);
  panel.PlacedParts.push_back(test::PlacedPart(0, 1000, 1000, 0, 2000));
  for (double scale : {0.0, -2.0, std::nan("")}) {
    Draw(panel, mm, scale);
    EXPECT_TRUE(canvas.Calls().empty());
  }
}

}  // namespace
}  // namespace tranchex
