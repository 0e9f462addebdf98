#include "plan/DrawPartLabel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"
#include "plan/DrawingContext.h"

namespace tranchex {
namespace {

// A part whose outer rectangle is (0, height, width, 0) with the net rectangle `margin` inside.
TPiece Part(int number, int width, int height, int margin = 0) {
  TPiece p(width - 2 * margin, height - 2 * margin, 190, 0);
  p.Number = number;
  p.Footprint = TRect(0, height, width, 0);
  p.Rect = TRect(margin, height - margin, width - margin, margin);
  return p;
}

enum class Tier { None, Dimensioned, Dimensioned3pt, OneLine, ReferenceOnly };

const char* Name(Tier t) {
  switch (t) {
    case Tier::None: return "none";
    case Tier::Dimensioned: return "dimensioned";
    case Tier::Dimensioned3pt: return "dimensioned 3 pt";
    case Tier::OneLine: return "one line";
    case Tier::ReferenceOnly: return "reference only";
  }
  return "?";
}

// Which label the recording shows: arrowheads (in which font), one text, or the clipped
// reference.
Tier TierOf(const RecordingCanvas& canvas) {
  if (!canvas.CallsOf(CanvasCallKind::TextRect).empty()) return Tier::ReferenceOnly;
  const std::vector<CanvasCall> arrows = canvas.CallsOf(CanvasCallKind::Polyline);
  if (!arrows.empty())
    return arrows[0].font.size == 3 ? Tier::Dimensioned3pt : Tier::Dimensioned;
  if (!canvas.CallsOf(CanvasCallKind::TextOut).empty()) return Tier::OneLine;
  return Tier::None;
}

// Scale 1 and origin (0, 0): logical units are internal units. The recording canvas's 5-point
// font is 20 high and 10 wide, its 3-point font 12 high and 6 wide; d = 10. Bar jobs are drawn at
// scale 5, whose vertical scale 0.2 x 5 is exactly 1 (0.2 x 1 is not exactly 0.2, and the
// truncated quotients would land one unit short).
class PartLabelTest : public testing::Test {
 protected:
  PartLabelTest() {
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFontSize(5);
    canvas.ClearCalls();
    context.Texts = LoadDrawingTexts();
  }

  void Draw(const TPiece& part, const UNITE_MESURE& unit, double scale = 1.0) {
    DrawPartLabel(part, canvas, 0, 0, references, scale, unit, context);
  }

  void ExpectStateLeftBehind() {
    EXPECT_EQ(canvas.GetPen().color, (CanvasColor{0, 0, 0}));
    EXPECT_EQ(canvas.GetBrush(), (CanvasBrush{CanvasColor{255, 255, 255}, BrushStyle::Clear}));
    EXPECT_EQ(canvas.GetFont().size, 5);
    EXPECT_FALSE(canvas.GetClipRect().has_value());
  }

  RecordingCanvas canvas;
  DrawingContext context;
  std::vector<std::string> references{"a", "abc"};
  UNITE_MESURE mm;
  // A unit of one internal unit: every figure is the extent itself, two digits for the extents
  // of 10 to 99 the tier tests draw, so the texts keep their length while the sizes vary and
  // the tier boundaries are plain numbers.
  UNITE_MESURE units{1.0, "u", ""};
};

TEST_F(PartLabelTest, RichestLabelThatFits) {
  // Mode 20, reference "a": lines of two digits, one-line text "a 53x63" (7 characters).
  // Tier 1: gh >= 40 + 2 x 20 and gw >= 40 + 2 x 10. Tier 2: gh >= 40 + 2 x 12,
  // gw >= 40 + 2 x 6. Tier 3: gh > 12 + 10 and gw > 7 x 6 + 10.
  struct Case {
    int width, height;
    Tier tier;
  };
  const std::vector<Case> cases = {
      {60, 80, Tier::Dimensioned},      // both exactly at the >= boundary
      {59, 80, Tier::Dimensioned3pt},   // one unit narrow
      {60, 79, Tier::Dimensioned3pt},   // one unit low
      {52, 64, Tier::Dimensioned3pt},   // at the 3-point boundary
      {53, 63, Tier::OneLine},          // one unit low for 3 points, room for one line
      {51, 64, Tier::ReferenceOnly},    // one unit narrow for 3 points and for one line
      {53, 23, Tier::OneLine},          // one above each strict bound
      {52, 23, Tier::ReferenceOnly},    // width at the strict bound
      {53, 22, Tier::ReferenceOnly},    // height at the strict bound
  };
  context.DimensionDisplayMode = DimensionsOuterOnly;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    canvas.ClearCalls();
    Draw(Part(0, c.width, c.height), units);
    EXPECT_STREQ(Name(TierOf(canvas)), Name(c.tier));
    if (c.tier == Tier::OneLine) {
      const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCallKind::TextOut);
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].text,
                "a " + std::to_string(c.width) + "x" + std::to_string(c.height));
      EXPECT_EQ(texts[0].points[0], (CanvasPoint{5, c.height - 5}));
      EXPECT_EQ(texts[0].font.size, 3);
    }
    ExpectStateLeftBehind();
  }
}

TEST_F(PartLabelTest, LabelTextsByDisplayMode) {
  struct Case {
    int mode;
    bool turned;
    PartLabelTexts expected;
  };
  const std::vector<Case> cases = {
      {10, false, {"600", "300", "b 600x300", "b 600x300"}},
      {20, false, {"604", "304", "b 604x304", "b 604x304"}},
      {0, false, {"(600)[604]", "(300)[304]", "b (600x300)[604x304]", "b (600x300)"}},
      {1, false, {"(600)[604]", "(300)[304]", "b (600x300)[604x304]", "b [604x304]"}},
      {7, false, {"", "", "", ""}},
      // A part turned on the panel: its length is its vertical extent, on line 2.
      {10, true, {"300", "600,5", "b 300x600,5", "b 300x600,5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    context.DimensionDisplayMode = c.mode;
    TPiece part;
    if (c.turned) {
      part.Rect = TRect(20, 6025, 3020, 20);
      part.Footprint = TRect(0, 6045, 3040, 0);
    } else {
      part.Rect = TRect(20, 3020, 6020, 20);
      part.Footprint = TRect(0, 3040, 6040, 0);
    }
    const PartLabelTexts t = BuildPartLabelTexts(part, "b", mm, context);
    EXPECT_EQ(t.line1, c.expected.line1);
    EXPECT_EQ(t.line2, c.expected.line2);
    EXPECT_EQ(t.oneLine1, c.expected.oneLine1);
    EXPECT_EQ(t.oneLine2, c.expected.oneLine2);
  }
}

// A part's label keeps every tenth of a millimetre in metres and inches too.
TEST_F(PartLabelTest, LabelTextsKeepEveryTenthInEachUnit) {
  context.DimensionDisplayMode = 0;
  TPiece part;
  part.Rect = TRect(20, 3985, 7225, 20);       // 720,5 x 396,5 mm
  part.Footprint = TRect(0, 4005, 7245, 0);    // 724,5 x 400,5 mm
  const struct {
    UNITE_MESURE unit;
    PartLabelTexts expected;
  } cases[] = {
      {{10000.0, "m", ""},
       {"(0,7205)[0,7245]", "(0,3965)[0,4005]", "b (0,7205x0,3965)[0,7245x0,4005]",
        "b (0,7205x0,3965)"}},
      // 7205 / 254 = 28.3661, 3965 / 254 = 15.6102, 7245 / 254 = 28.5236, 4005 / 254 = 15.7677
      {{254.0, "pouces", ""},
       {"(28,366)[28,524]", "(15,61)[15,768]", "b (28,366x15,61)[28,524x15,768]",
        "b (28,366x15,61)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit.Abbreviation);
    const PartLabelTexts t = BuildPartLabelTexts(part, "b", c.unit, context);
    EXPECT_EQ(t.line1, c.expected.line1);
    EXPECT_EQ(t.line2, c.expected.line2);
    EXPECT_EQ(t.oneLine1, c.expected.oneLine1);
    EXPECT_EQ(t.oneLine2, c.expected.oneLine2);
  }
}

TEST_F(PartLabelTest, OneLineFallsBackToTheShorterText) {
  // 30 high: too low for a dimensioned label, room for one line of 3 points.
  struct Case {
    int mode;
    int width;
    std::string drawn;  // empty: no text at all
  };
  const std::vector<Case> cases = {
      {0, 120, "a (120x30)[120x30]"},  // 18 characters: 120 > 118
      {0, 70, "a (70x30)"},  // 16 characters would need 106: only the net sizes fit, 70 > 64
      {1, 70, "a [70x30]"},  // only the outer sizes
      {10, 70, "a 70x30"},
      {20, 70, "a 70x30"},
      {7, 70, ""},  // unknown mode: an empty one-line text, no label
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", width " << c.width);
    canvas.ClearCalls();
    context.DimensionDisplayMode = c.mode;
    Draw(Part(0, c.width, 30), units);
    const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCallKind::TextOut);
    if (c.drawn.empty()) {
      EXPECT_TRUE(texts.empty());
      EXPECT_STREQ(Name(TierOf(canvas)), Name(Tier::None));
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].text, c.drawn);
    }
    ExpectStateLeftBehind();
  }
}

TEST_F(PartLabelTest, UnknownModeKeepsDimensionLinesAndReference) {
  context.DimensionDisplayMode = 7;
  Draw(Part(0, 100, 100), units);
  EXPECT_STREQ(Name(TierOf(canvas)), Name(Tier::Dimensioned));
  const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCallKind::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "a");
}

TEST_F(PartLabelTest, ReferenceOnlyIsClippedAndInsetByAtMostFive) {
  struct Case {
    int width, height;
    bool bars;
    CanvasRect clip;
    CanvasPoint at;
  };
  const std::vector<Case> cases = {
      {40, 40, false, {0, 40, 40, 0}, {5, 35}},  // room: 5 and 5
      {10, 16, false, {0, 16, 10, 0}, {2, 14}},  // (10 - 6) / 2, (16 - 12) / 2
      {4, 8, false, {0, 8, 4, 0}, {-1, 10}},     // thinner than the text: outward
      {5, 9, false, {0, 9, 5, 0}, {0, 10}},      // -0.5 and -1.5 truncate toward zero
      // Bars, 4 x 8 at the plain scale: the rectangle is five times taller and the vertical
      // inset uses that height.
      {20, 40, true, {0, 40, 4, 0}, {-1, 35}},
  };
  context.DimensionDisplayMode = DimensionsOuterOnly;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.bars ? " bars" : ""));
    canvas.ClearCalls();
    context.MarginsAllZero = c.bars ? 1 : 0;
    Draw(Part(0, c.width, c.height), units, c.bars ? 5.0 : 1.0);
    const std::vector<CanvasCall> calls = canvas.CallsOf(CanvasCallKind::TextRect);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "a");
    EXPECT_EQ(calls[0].rect, c.clip);
    EXPECT_EQ(calls[0].points[0], c.at);
    EXPECT_EQ(calls[0].font.size, 3);
    EXPECT_EQ(calls[0].brush.style, BrushStyle::Clear);
    ExpectStateLeftBehind();
  }
}

TEST_F(PartLabelTest, NoReferenceWhenTheFontDoesNotGoDownToThreePoints) {
  canvas.SetSmallestFontSize(5);
  Draw(Part(0, 10, 16), units);
  EXPECT_TRUE(canvas.CallsOf(CanvasCallKind::TextRect).empty());
  EXPECT_TRUE(canvas.CallsOf(CanvasCallKind::TextOut).empty());
  EXPECT_EQ(canvas.GetFont().size, 5);
}

TEST_F(PartLabelTest, DimensionedLabelGeometry) {
  context.DimensionDisplayMode = DimensionsOuterOnly;
  Draw(Part(1, 3000, 2000), mm);  // reference "abc", figures "300" and "200"
  using P = std::vector<CanvasPoint>;
  const std::vector<CanvasCall> arrows = canvas.CallsOf(CanvasCallKind::Polyline);
  ASSERT_EQ(arrows.size(), 4u);
  EXPECT_EQ(arrows[0].points, (P{{10, 1970}, {0, 1960}, {10, 1950}}));  // 2d + h below the top
  EXPECT_EQ(arrows[1].points, (P{{2990, 1970}, {3000, 1960}, {2990, 1950}}));
  EXPECT_EQ(arrows[2].points, (P{{2970, 1990}, {2980, 2000}, {2990, 1990}}));  // 2d left
  EXPECT_EQ(arrows[3].points, (P{{2970, 10}, {2980, 0}, {2990, 10}}));

  const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCallKind::TextOut);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "abc");
  EXPECT_EQ(texts[0].points[0], (CanvasPoint{5, 1995}));
  EXPECT_EQ(texts[0].brush.style, BrushStyle::Clear);
  // Line 1 centred: min(3000 - (30 + 30), (3000 - 30) / 2).
  EXPECT_EQ(texts[1].text, "300");
  EXPECT_EQ(texts[1].points[0], (CanvasPoint{1485, 1990}));
  // Line 2 left of the width line, centred on the height: 2000 - (2000 - 20) / 2.
  EXPECT_EQ(texts[2].text, "200");
  EXPECT_EQ(texts[2].points[0], (CanvasPoint{2930, 1010}));
  for (int i : {1, 2}) {
    EXPECT_EQ(texts[i].brush.style, BrushStyle::Solid);
    EXPECT_EQ(texts[i].font.size, 5);
  }
  const std::vector<CanvasCall> boxes = canvas.CallsOf(CanvasCallKind::FillRect);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].rect, (CanvasRect{1485, 1990, 1515, 1970}));
  EXPECT_EQ(boxes[1].rect, (CanvasRect{2930, 1010, 2960, 990}));
  EXPECT_EQ(boxes[0].brush, (CanvasBrush{CanvasColor{255, 255, 255}, BrushStyle::Solid}));
  ExpectStateLeftBehind();
}

TEST_F(PartLabelTest, DimensionTextOverlappingTheReferenceIsLeftOut) {
  // Reference "abc" spans x 5..35; line 1, two digits, starts at min(wi - 50, (wi - 20) / 2).
  struct Case {
    int width;
    bool line1Drawn;
  };
  const std::vector<Case> cases = {
      {90, true},   // starts at 35: shares only the edge
      {89, false},  // starts at 34: overlaps
  };
  context.DimensionDisplayMode = DimensionsOuterOnly;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    canvas.ClearCalls();
    Draw(Part(1, c.width, 100), units);
    int line1 = 0;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCallKind::TextOut))
      if (call.points[0].y == 90) ++line1;
    EXPECT_EQ(line1, c.line1Drawn ? 1 : 0);
    EXPECT_EQ(canvas.CallsOf(CanvasCallKind::FillRect).size(), c.line1Drawn ? 2u : 1u);
  }
}

TEST_F(PartLabelTest, OutlinesThenHatchingClippedToTheNetRectangle) {
  struct Case {
    bool bars;
    int scale;
    CanvasRect net;
    int y0;
  };
  // Drawn: net 200 x 160 inside a 20 margin, m = 200, so k = 0, 40, ..., 400 at the plain
  // scale.
  const std::vector<Case> cases = {
      {false, 1, {20, 180, 220, 20}, 20},
      {true, 5, {20, 900, 220, 100}, 100},  // five times taller, same hatch range
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bars ? "bars" : "plain");
    canvas.ClearCalls();
    context.MarginsAllZero = c.bars ? 1 : 0;
    Draw(Part(0, 240 * c.scale, 200 * c.scale, 20 * c.scale), units, c.scale);
    const std::vector<CanvasCall>& calls = canvas.Calls();
    std::vector<CanvasCall> rects = canvas.CallsOf(CanvasCallKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].pen.color, (CanvasColor{0, 0, 0}));
    EXPECT_EQ(rects[1].pen.color, (CanvasColor{0, 255, 0}));
    EXPECT_EQ(rects[1].rect, c.net);

    std::vector<CanvasCall> hatch;
    bool clipped = false;
    bool cleared = false;
    for (const CanvasCall& call : calls) {
      if (call.kind == CanvasCallKind::SetClipRect) {
        clipped = true;
        EXPECT_EQ(call.rect, c.net);
      } else if (call.kind == CanvasCallKind::ClearClip && clipped) {
        cleared = true;
      } else if (call.kind == CanvasCallKind::LineTo && clipped && !cleared) {
        hatch.push_back(call);
      }
    }
    ASSERT_TRUE(cleared);
    ASSERT_EQ(hatch.size(), 11u);
    for (std::size_t i = 0; i < hatch.size(); ++i) {
      const int k = 40 * static_cast<int>(i);
      EXPECT_EQ(hatch[i].points, (std::vector<CanvasPoint>{{20, c.y0 + k}, {20 + k, c.y0}}));
      EXPECT_EQ(hatch[i].pen.color, (CanvasColor{0, 255, 0}));
      EXPECT_EQ(hatch[i].clip, c.net);
    }
  }
}

TEST_F(PartLabelTest, ReferenceLookedUpByPartNumberWithinTheList) {
  struct Case {
    int number;
    std::string reference;
  };
  const std::vector<Case> cases = {{1, "abc"}, {2, ""}, {-1, ""}, {1000000, ""}};
  context.DimensionDisplayMode = DimensionsOuterOnly;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    canvas.ClearCalls();
    context.CurrentPartReference = "old";
    Draw(Part(c.number, 3000, 2000), mm);
    EXPECT_EQ(context.CurrentPartReference, c.reference);
    const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCallKind::TextOut);
    EXPECT_EQ(texts.size(), c.reference.empty() ? 2u : 3u);  // the two figures, and the reference
  }
}

TEST_F(PartLabelTest, UnusableScaleDrawsNothing) {
  for (double scale : {0.0, -1.0, std::nan("")}) {
    DrawPartLabel(Part(0, 100, 100), canvas, 0, 0, references, scale, mm, context);
    EXPECT_TRUE(canvas.Calls().empty());
  }
}

}  // namespace
}  // namespace tranchex
