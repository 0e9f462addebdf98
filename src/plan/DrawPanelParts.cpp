#include "plan/DrawPanelParts.h"

#include <algorithm>

#include "plan/DrawPanelHeading.h"
#include "plan/DrawPartLabel.h"
#include "plan/DrawingGeometry.h"

namespace tranchex {

namespace {

using namespace drawing;

constexpr std::int64_t kOneLineInset = 5;

void DrawOffcut(Canvas& canvas, const MONRect& r, const PlanMapping& map, std::int64_t h,
                std::int64_t c, const UNITE_MESURE& unit, char sep) {
  const std::int64_t left = map.X(r.left);
  const std::int64_t top = map.Y(r.top);
  const std::int64_t right = map.X(r.right);
  const std::int64_t bottom = map.Y(r.bottom);
  Rectangle(canvas, left, top, right, bottom);

  const std::int64_t width = static_cast<std::int64_t>(r.right) - r.left;
  const std::int64_t height = static_cast<std::int64_t>(r.top) - r.bottom;
  const std::string sW = LengthText(width, unit, sep);
  const std::string sH = LengthText(height, unit, sep);
  // The fit tests use the plain scale in both directions.
  const double w = static_cast<double>(width) / map.scale;
  const double v = static_cast<double>(height) / map.scale;
  const std::int64_t lenW = CharacterCount(sW) * c;
  const std::int64_t lenH = CharacterCount(sH) * c;

  if (v >= static_cast<double>(4 * kGap + 2 * h) &&
      w >= static_cast<double>(4 * kGap + std::max(lenW, lenH))) {
    HorizontalDimensionLine(canvas, left, right, top - (2 * kGap + h));
    VerticalDimensionLine(canvas, right - 2 * kGap, top, bottom);
    const std::int64_t wi = Trunc(w);
    // Centred over the length line, but at least 4d clear of the right edge.
    const std::int64_t a = wi - (4 * kGap + lenW);
    const std::int64_t b = Div(wi - lenW, 2);
    Text(canvas, left + std::min(a, b), top - kGap, sW);
    // Left of the width line, centred on the height at the plain scale, at least 3d down.
    Text(canvas, left + wi - (4 * kGap + lenH),
         top - std::max(3 * kGap, Div(Trunc(v) - h, 2)), sH);
    return;
  }

  const std::string s = sW + "x" + sH;
  if (v > static_cast<double>(h + 10) && w > static_cast<double>(CharacterCount(s) * c + 10))
    Text(canvas, left + kOneLineInset, top - kOneLineInset, s);
}

}  // namespace

void DrawPanelParts(const Panneau_p& panel, Canvas& canvas, std::int32_t originX,
                    std::int32_t originY, double scale, const std::vector<std::string>& species,
                    const std::vector<std::string>& designations,
                    const std::vector<std::string>& references, std::int32_t contextCode,
                    const UNITE_MESURE& unit, DrawingContext& context) {
  if (!UsableScale(scale)) return;

  const TextMetrics tm = canvas.GetTextMetrics();
  const PlanMapping map(originX, originY, scale, context.MarginsAllZero != 0);

  canvas.SetPenColor(kBlack);
  canvas.SetFontColor(kBlack);
  DrawPanelHeading(panel, canvas, originX, originY, scale, species, designations, references,
                   contextCode, unit, context);

  canvas.SetPenColor(kBlue);
  for (const MONRect& r : panel.FreeRects)
    DrawOffcut(canvas, r, map, tm.height, tm.aveCharWidth, unit, context.DecimalSeparator);

  for (const TPiece& part : panel.PlacedParts) {
    context.CurrentPartReference = drawing::TextAt(references, PartNumber(part));
    DrawPartLabel(part, canvas, originX, originY, references, scale, unit, context);
  }
}

}  // namespace tranchex
