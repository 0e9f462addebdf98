#include "plan/DrawPartLabel.h"

#include <algorithm>
#include <utility>

#include "engine/Placement.h"
#include "plan/DrawingGeometry.h"

namespace tranchex {

namespace {

using namespace drawing;

constexpr int kFallbackFontSize = 3;   // points
constexpr std::int64_t kHatchPitch = 40;
constexpr std::int64_t kReferenceInset = 5;

// A box for a text whose top-left corner is (left, top), y upward.
TRect TextBox(const Canvas& canvas, std::int64_t left, std::int64_t top, const std::string& text) {
  const CanvasSize size = canvas.TextExtent(text);
  return TRect(Clamp32(left), Clamp32(top), Clamp32(left + size.cx), Clamp32(top - size.cy));
}

// Does the dimensioned label fit with these font measures?
bool DimensionedLabelFits(double gw, double gh, std::int64_t h, std::int64_t c,
                          const PartLabelTexts& texts) {
  const std::int64_t longest =
      std::max(CharacterCount(texts.line1), CharacterCount(texts.line2));
  return gh >= static_cast<double>(4 * kGap + 2 * h) &&
         gw >= static_cast<double>(4 * kGap + longest * c);
}

bool OneLineFits(double gw, double gh, std::int64_t h, std::int64_t c, const std::string& text) {
  return gh > static_cast<double>(h + 10) &&
         gw > static_cast<double>(CharacterCount(text) * c + 10);
}

// The outer rectangle in logical units.
struct OuterBox {
  std::int64_t left, top, right, bottom;
};

void DrawDimensionedLabel(Canvas& canvas, const OuterBox& o, double gw, double gh,
                          std::int64_t h, std::int64_t c, const std::string& reference,
                          const PartLabelTexts& texts) {
  HorizontalDimensionLine(canvas, o.left, o.right, o.top - (2 * kGap + h));
  VerticalDimensionLine(canvas, o.right - 2 * kGap, o.top, o.bottom);

  const std::int64_t wi = Trunc(gw);
  const std::int64_t hi = Trunc(gh);
  const std::int64_t len1 = CharacterCount(texts.line1) * c;
  const std::int64_t len2 = CharacterCount(texts.line2) * c;

  const TRect refBox =
      TextBox(canvas, o.left + kReferenceInset, o.top - kReferenceInset, reference);
  const TRect box1 = TextBox(canvas, o.left + std::min(wi - (3 * kGap + len1), Div(wi - len1, 2)),
                             o.top - kGap, texts.line1);
  const TRect box2 = TextBox(canvas, o.left + wi - (4 * kGap + len2),
                             o.top - std::max(3 * kGap, Div(hi - h, 2)), texts.line2);

  Text(canvas, refBox.left, refBox.top, reference);
  canvas.SetBrushStyle(BrushStyle::Solid);
  for (const auto& [box, text] : {std::pair{box1, &texts.line1}, std::pair{box2, &texts.line2}}) {
    if (RectsOverlapStrict(box, refBox)) continue;
    canvas.FillRect({box.left, box.top, box.right, box.bottom});
    Text(canvas, box.left, box.top, *text);
  }
  canvas.SetBrushStyle(BrushStyle::Clear);
}

}  // namespace

PartLabelTexts BuildPartLabelTexts(const TPiece& part, const std::string& reference,
                                   const UNITE_MESURE& unit, const DrawingContext& context) {
  const char sep = context.DecimalSeparator;
  const std::string nh = LengthText(part.Rect.Width(), unit, sep);
  const std::string nv = LengthText(part.Rect.Height(), unit, sep);
  const std::string oh = LengthText(part.Footprint.Width(), unit, sep);
  const std::string ov = LengthText(part.Footprint.Height(), unit, sep);

  PartLabelTexts t;
  switch (context.DimensionDisplayMode) {
    case DimensionsNetOnly:
      t.line1 = nh;
      t.line2 = nv;
      t.oneLine1 = t.oneLine2 = reference + " " + nh + "x" + nv;
      break;
    case DimensionsOuterOnly:
      t.line1 = oh;
      t.line2 = ov;
      t.oneLine1 = t.oneLine2 = reference + " " + oh + "x" + ov;
      break;
    case DimensionsNetAndOuterSmallNet:
    case DimensionsNetAndOuterSmallOuter:
      t.line1 = "(" + nh + ")" + "[" + oh + "]";
      t.line2 = "(" + nv + ")" + "[" + ov + "]";
      t.oneLine1 = reference + " " + "(" + nh + "x" + nv + ")" + "[" + oh + "x" + ov + "]";
      t.oneLine2 = context.DimensionDisplayMode == DimensionsNetAndOuterSmallNet
                       ? reference + " " + "(" + nh + "x" + nv + ")"
                       : reference + " " + "[" + oh + "x" + ov + "]";
      break;
    default:
      break;  // an unknown mode writes no dimension
  }
  return t;
}

void DrawPartLabel(const TPiece& part, Canvas& canvas, std::int32_t originX,
                   std::int32_t originY, const std::vector<std::string>& references,
                   double scale, const UNITE_MESURE& unit, DrawingContext& context) {
  if (!UsableScale(scale)) return;

  TextMetrics tm = canvas.GetTextMetrics();
  std::int64_t h = tm.height;
  std::int64_t c = tm.aveCharWidth;
  const PlanMapping map(originX, originY, scale, context.MarginsAllZero != 0);

  context.CurrentPartReference = TextAt(references, part.Number);
  const std::string reference = context.CurrentPartReference;

  const TRect& net = part.Rect;
  const TRect& outer = part.Footprint;
  const OuterBox o{map.X(outer.left), map.Y(outer.top), map.X(outer.right), map.Y(outer.bottom)};

  canvas.SetPenColor(kBlack);
  Rectangle(canvas, o.left, o.top, o.right, o.bottom);

  canvas.SetPenColor(kGreen);
  const std::int64_t nLeft = map.X(net.left);
  const std::int64_t nTop = map.Y(net.top);
  const std::int64_t nRight = map.X(net.right);
  const std::int64_t nBottom = map.Y(net.bottom);
  Rectangle(canvas, nLeft, nTop, nRight, nBottom);

  // Hatching at 45 degrees, clipped to the net rectangle. Its range uses the plain scale.
  canvas.SetClipRect({Clamp32(nLeft), Clamp32(nTop), Clamp32(nRight), Clamp32(nBottom)});
  {
    const std::int64_t w = Trunc(net.right / scale) - Trunc(net.left / scale);
    const std::int64_t v = Trunc(net.top / scale) - Trunc(net.bottom / scale);
    const std::int64_t m = std::max(w, v);
    for (std::int64_t k = 0; k <= 2 * m; k += kHatchPitch) {
      MoveTo(canvas, nLeft, nBottom + k);
      LineTo(canvas, nLeft + k, nBottom);
    }
  }
  canvas.ClearClip();

  canvas.SetBrush({kWhite, BrushStyle::Clear});
  canvas.SetPenColor(kBlack);

  const PartLabelTexts texts = BuildPartLabelTexts(part, reference, unit, context);
  const double gw = static_cast<double>(outer.Width()) / scale;
  const double gh = static_cast<double>(outer.Height()) / scale;

  // Tier 1: the caller's font.
  if (DimensionedLabelFits(gw, gh, h, c, texts)) {
    DrawDimensionedLabel(canvas, o, gw, gh, h, c, reference, texts);
    return;
  }

  const int savedSize = canvas.GetFont().size;
  canvas.SetFontSize(kFallbackFontSize);
  tm = canvas.GetTextMetrics();
  h = tm.height;
  c = tm.aveCharWidth;

  if (DimensionedLabelFits(gw, gh, h, c, texts)) {
    // Tier 2: the same in 3 points.
    DrawDimensionedLabel(canvas, o, gw, gh, h, c, reference, texts);
  } else if (OneLineFits(gw, gh, h, c, texts.oneLine1)) {
    // Tier 3: one line.
    Text(canvas, o.left + kReferenceInset, o.top - kReferenceInset, texts.oneLine1);
  } else if (OneLineFits(gw, gh, h, c, texts.oneLine2)) {
    Text(canvas, o.left + kReferenceInset, o.top - kReferenceInset, texts.oneLine2);
  } else if (canvas.GetFont().size == kFallbackFontSize && !reference.empty()) {
    // Tier 4: the reference alone, clipped to the outer rectangle, inset by at most 5 units.
    const long double drawnHeight = static_cast<long double>(outer.Height()) / map.vscale;
    const std::int64_t t =
        Trunc(std::min<long double>(5.0L, (drawnHeight - static_cast<long double>(h)) / 2));
    const std::int64_t s =
        Trunc(std::min<long double>(5.0L, (gw - static_cast<long double>(c)) / 2));
    canvas.TextRect({Clamp32(o.left), Clamp32(o.top), Clamp32(o.right), Clamp32(o.bottom)},
                    Clamp32(o.left + s), Clamp32(o.top - t), reference);
  }
  canvas.SetFontSize(savedSize);
}

}  // namespace tranchex
