#pragma once
// The small pieces the plan drawings share: the model-to-logical mapping, checked look-ups in
// the text lists, the dimension-line arrows and the guard against unusable scales.
//
// Coordinates are worked out in 64 bits and clamped to the 32-bit range only when they reach the
// canvas, so no record, origin or scale can make the arithmetic overflow.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "platform/Canvas.h"
#include "plan/DrawingContext.h"
#include "job/MeasureUnit.h"
#include "job/Outils_debit.h"

namespace tranchex::drawing {

// The gap between an outline and its dimension line or text, logical units.
inline constexpr std::int64_t kGap = 10;
// Arrowheads are this long and reach this far to each side.
inline constexpr std::int64_t kArrow = 10;

inline constexpr CanvasColor kBlack{0, 0, 0};
inline constexpr CanvasColor kBlue{0, 0, 255};
inline constexpr CanvasColor kGreen{0, 255, 0};
inline constexpr CanvasColor kWhite{255, 255, 255};

// A drawing divides by the scale: zero, a negative or a non-finite scale draws nothing.
inline bool UsableScale(double scale) { return std::isfinite(scale) && scale > 0.0; }

// trunc toward zero, in 64 bits; NaN gives 0 and values beyond +-10^18 are held there, so a
// few such values still add up without overflow.
inline std::int64_t Trunc(long double v) {
  constexpr long double kLimit = 1e18L;
  if (std::isnan(v)) return 0;
  if (v >= kLimit) return static_cast<std::int64_t>(kLimit);
  if (v <= -kLimit) return -static_cast<std::int64_t>(kLimit);
  return static_cast<std::int64_t>(v);
}

// Integer division rounding toward zero (what C++ "/" does on integers).
inline std::int64_t Div(std::int64_t a, std::int64_t b) { return a / b; }

inline std::int32_t Clamp32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

inline CanvasPoint Pt(std::int64_t x, std::int64_t y) { return {Clamp32(x), Clamp32(y)}; }

// Model (internal units, y upward) to logical units: X(x) = trunc(x / scale) + origin x and
// Y(y) = trunc(y / vscale) + origin y, where vscale is the scale, or 0.2 x scale for a bar job
// (its vertical distances are drawn five times larger).
struct PlanMapping {
  PlanMapping(std::int32_t originX, std::int32_t originY, double scale_, bool marginsAllZero)
      : ox(originX), oy(originY), scale(scale_), vscale(marginsAllZero ? scale_ * 0.2 : scale_) {}

  std::int64_t X(long double x) const { return Trunc(x / scale) + ox; }
  std::int64_t Y(long double y) const { return Trunc(y / vscale) + oy; }

  std::int64_t ox;
  std::int64_t oy;
  double scale;
  double vscale;
};

// The entry at the index, or an empty text when the index names no entry.
inline const std::string& TextAt(const std::vector<std::string>& list, std::int64_t index) {
  static const std::string kEmpty;
  if (index < 0 || static_cast<std::uint64_t>(index) >= list.size()) return kEmpty;
  return list[static_cast<std::size_t>(index)];
}

// A length in internal units as the plans show it: in the unit, every tenth of a millimetre kept.
inline std::string LengthText(long double length, const UNITE_MESURE& unit, char separator) {
  return FormatSize(static_cast<double>(length), unit.Factor, separator);
}

// The canvas calls of the routines, with 64-bit coordinates clamped on the way.
inline void MoveTo(Canvas& canvas, std::int64_t x, std::int64_t y) {
  canvas.MoveTo(Clamp32(x), Clamp32(y));
}
inline void LineTo(Canvas& canvas, std::int64_t x, std::int64_t y) {
  canvas.LineTo(Clamp32(x), Clamp32(y));
}
inline void Polyline3(Canvas& canvas, CanvasPoint a, CanvasPoint b, CanvasPoint c) {
  const CanvasPoint points[3] = {a, b, c};
  canvas.Polyline(points);
}
inline void Rectangle(Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
                      std::int64_t bottom) {
  canvas.Rectangle(Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom));
}
// An empty text draws nothing.
inline void Text(Canvas& canvas, std::int64_t x, std::int64_t y, const std::string& text) {
  if (!text.empty()) canvas.TextOut(Clamp32(x), Clamp32(y), text);
}

// A horizontal dimension line at height y from left to right, an arrowhead at each end:
// arrowhead, line, arrowhead.
inline void HorizontalDimensionLine(Canvas& canvas, std::int64_t left, std::int64_t right,
                                    std::int64_t y) {
  Polyline3(canvas, Pt(left + kArrow, y + kArrow), Pt(left, y), Pt(left + kArrow, y - kArrow));
  MoveTo(canvas, left, y);
  LineTo(canvas, right, y);
  Polyline3(canvas, Pt(right - kArrow, y + kArrow), Pt(right, y),
            Pt(right - kArrow, y - kArrow));
}

// A vertical dimension line at x from top down to bottom, an arrowhead at each end.
inline void VerticalDimensionLine(Canvas& canvas, std::int64_t x, std::int64_t top,
                                  std::int64_t bottom) {
  Polyline3(canvas, Pt(x - kArrow, top - kArrow), Pt(x, top), Pt(x + kArrow, top - kArrow));
  MoveTo(canvas, x, top);
  LineTo(canvas, x, bottom);
  Polyline3(canvas, Pt(x - kArrow, bottom + kArrow), Pt(x, bottom),
            Pt(x + kArrow, bottom + kArrow));
}

}  // namespace tranchex::drawing
