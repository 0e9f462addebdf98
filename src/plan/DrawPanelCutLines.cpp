#include "plan/DrawPanelCutLines.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "plan/DrawPanelHeading.h"
#include "plan/DrawingGeometry.h"

namespace tranchex {

namespace {

using namespace drawing;

constexpr std::array<CanvasColor, 14> kCutLineColours = {{
    {0x00, 0x00, 0xFF},  // blue
    {0x00, 0xFF, 0xFF},  // aqua
    {0x80, 0x80, 0x80},  // grey
    {0xFF, 0x00, 0xFF},  // fuchsia
    {0x00, 0x80, 0x00},  // green
    {0x00, 0xFF, 0x00},  // lime
    {0xC0, 0xC0, 0xC0},  // silver
    {0x80, 0x00, 0x00},  // maroon
    {0x00, 0x00, 0x80},  // navy
    {0x80, 0x80, 0x00},  // olive
    {0x80, 0x00, 0x80},  // purple
    {0xFF, 0x00, 0x00},  // red
    {0x00, 0x80, 0x80},  // teal
    {0xFF, 0xFF, 0x00},  // yellow
}};
constexpr CanvasColor kGrey{0x80, 0x80, 0x80};

constexpr std::int64_t kLabelGap = 10;

// Closed intervals: boxes that share only an edge or a corner collide too.
bool BoxesMeet(const TRect& a, const TRect& b) { return RectsOverlapOrTouch(a, b); }

}  // namespace

CanvasColor CutLineColour(std::size_t position) {
  return position < kCutLineColours.size() ? kCutLineColours[position] : kGrey;
}

void DrawPanelCutLines(const Panneau_p& panel, Canvas& canvas, std::int32_t originX,
                       std::int32_t originY, double scale,
                       const std::vector<std::string>& species,
                       const std::vector<std::string>& designations,
                       const std::vector<std::string>& references, std::int32_t contextCode,
                       const UNITE_MESURE& unit, DrawingContext& context) {
  if (!UsableScale(scale)) return;

  const std::int64_t h = canvas.GetTextMetrics().height;
  const PlanMapping map(originX, originY, scale, context.MarginsAllZero != 0);
  const bool showLengths = context.CutLineLabelMode == 1;
  std::vector<TRect> labelBoxes;

  canvas.SetPenColor(kBlack);
  canvas.SetFontColor(kBlack);
  DrawPanelHeading(panel, canvas, originX, originY, scale, species, designations, references,
                   contextCode, unit, context);

  const std::int64_t panelRight = map.X(panel.Rect.right);
  for (std::size_t i = 0; i < panel.CutLines.size(); ++i) {
    const LIGNE& cut = panel.CutLines[i];
    const std::int64_t len = std::max(std::abs(static_cast<std::int64_t>(cut.x2) - cut.x1),
                                      std::abs(static_cast<std::int64_t>(cut.y2) - cut.y1));
    const bool fullLength = static_cast<double>(len) == panel.Length ||
                            static_cast<double>(len) == panel.Width;
    const std::string number = fullLength ? "(" + std::to_string(i + 1) + ")" : std::string();
    const std::string separator = fullLength ? " - " : "";
    const std::int64_t e = fullLength ? h : 0;

    const CanvasColor colour = CutLineColour(i);
    canvas.SetPenColor(colour);
    canvas.SetFontColor(colour);

    MoveTo(canvas, map.X(cut.x1), map.Y(cut.y1));
    LineTo(canvas, map.X(cut.x2), map.Y(cut.y2));

    const std::string dim =
        showLengths ? "{" + LengthText(len, unit, context.DecimalSeparator) + "}" : std::string();

    const std::int64_t x0 = map.X(cut.x1) + kLabelGap;
    const std::int64_t y0 = map.Y(cut.y1) - kLabelGap;
    const bool vertical = cut.x1 == cut.x2;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    if (vertical) {
      right = x0 + std::max(canvas.TextWidth(dim), canvas.TextWidth(number));
      bottom = number.empty() ? y0 - canvas.TextHeight(dim) : y0 - h - canvas.TextHeight(dim);
    } else {
      right = x0 + canvas.TextWidth(number);
      if (showLengths) right += canvas.TextWidth(separator + dim);
      bottom = y0 - std::max(canvas.TextHeight(dim), canvas.TextHeight(number));
    }
    const TRect box(Clamp32(x0), Clamp32(y0), Clamp32(right), Clamp32(bottom));

    const bool collides =
        std::any_of(labelBoxes.begin(), labelBoxes.end(),
                    [&](const TRect& earlier) { return BoxesMeet(box, earlier); }) ||
        panelRight < right;
    if (collides) continue;

    Text(canvas, x0, y0, number);
    if (showLengths) {
      if (vertical)
        Text(canvas, x0, y0 - e, dim);
      else
        Text(canvas, x0 + canvas.TextWidth(number), y0, separator + dim);
    }
    labelBoxes.push_back(box);
  }

  canvas.SetFontColor(kBlack);
}

}  // namespace tranchex
