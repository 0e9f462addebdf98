#pragma once
// A canvas that draws nothing and writes down every call, with fixed font measures: what the
// drawing tests and the developer tools read back.
//
// Fixed measures
// --------------
//   - LoMetric: a font of s points is 4 x s logical units high (5 points: 20 units).
//     Pixels: 2 x s pixels high.
//   - Average character width: half the height, rounded down (5 points: 10 units).
//   - TextExtent: characters x average width wide, the font height high (an empty text too).
//   - Bold changes nothing.
//   - LPtoDP: LoMetric as on a 254 dpi device (one logical unit per pixel): (x, y) -> (x, -y);
//     Pixels: unchanged.
//   - An optional smallest font size: a size below it is taken as that size, as on a device
//     whose fonts stop there (GetFont then reports the size actually taken).

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace tranchex {

enum class CanvasCallKind {
  SetMapMode,
  SetPen,
  SetBrush,
  SetFont,
  SetClipRect,
  ClearClip,
  MoveTo,
  LineTo,
  Polyline,
  Rectangle,
  FillRect,
  TextOut,
  TextRect,
};

// One call and the canvas state it was made with (for a Set call: the state after it).
struct CanvasCall {
  CanvasCallKind kind = CanvasCallKind::MoveTo;
  // MoveTo: the point. LineTo: the start (the current position) and the end. Polyline: every
  // point. TextOut and TextRect: the text's top-left corner.
  std::vector<CanvasPoint> points;
  // Rectangle, FillRect, SetClipRect: the rectangle as given. TextRect: its clip rectangle.
  CanvasRect rect;
  std::string text;  // TextOut, TextRect
  MapMode mapMode = MapMode::Pixels;
  CanvasPen pen;
  CanvasBrush brush;
  CanvasFont font;
  std::optional<CanvasRect> clip;
};

class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(CanvasSize deviceSize = {2000, 2000});

  void SetMapMode(MapMode mode) override;
  MapMode GetMapMode() const override { return mode_; }
  CanvasPoint LPtoDP(CanvasPoint logical) const override;
  CanvasPoint DPtoLP(CanvasPoint device) const override;
  CanvasSize DeviceSize() const override { return deviceSize_; }

  void SetPen(const CanvasPen& pen) override;
  CanvasPen GetPen() const override { return pen_; }
  void SetBrush(const CanvasBrush& brush) override;
  CanvasBrush GetBrush() const override { return brush_; }
  void SetFont(const CanvasFont& font) override;
  CanvasFont GetFont() const override { return font_; }

  TextMetrics GetTextMetrics() const override;
  CanvasSize TextExtent(std::string_view text) const override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  void TextRect(const CanvasRect& clip, std::int32_t x, std::int32_t y,
                std::string_view text) override;

  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  CanvasPoint PenPosition() const override { return position_; }
  void Polyline(std::span<const CanvasPoint> points) override;
  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
  void FillRect(const CanvasRect& rect) override;

  void SetClipRect(const CanvasRect& rect) override;
  void ClearClip() override;
  std::optional<CanvasRect> GetClipRect() const override { return clip_; }

  // ---- Reading back -------------------------------------------------------------------------
  const std::vector<CanvasCall>& Calls() const { return calls_; }
  std::vector<CanvasCall> CallsOf(CanvasCallKind kind) const;
  // The calls that put something on the device (lines, shapes, texts), in order.
  std::vector<CanvasCall> DrawingCalls() const;
  // Forgets the calls; the state stays.
  void ClearCalls() { calls_.clear(); }
  // Fonts below this size are taken at this size (0: no limit).
  void SetSmallestFontSize(int points) { smallestFontSize_ = points; }

 private:
  void Record(CanvasCallKind kind, std::vector<CanvasPoint> points = {}, CanvasRect rect = {},
              std::string text = {});

  CanvasSize deviceSize_;
  MapMode mode_ = MapMode::Pixels;
  CanvasPen pen_;
  CanvasBrush brush_;
  CanvasFont font_;
  CanvasPoint position_;
  std::optional<CanvasRect> clip_;
  int smallestFontSize_ = 0;
  std::vector<CanvasCall> calls_;
};

// Printing for test diagnostics and the tools.
inline std::ostream& operator<<(std::ostream& os, const CanvasColor& c) {
  return os << "rgb(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}
inline std::ostream& operator<<(std::ostream& os, const CanvasPoint& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const CanvasRect& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace tranchex
