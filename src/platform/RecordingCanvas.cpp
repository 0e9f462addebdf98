#include "platform/RecordingCanvas.h"

#include <utility>

namespace tranchex {

RecordingCanvas::RecordingCanvas(CanvasSize deviceSize) : deviceSize_(deviceSize) {}

void RecordingCanvas::Record(CanvasCallKind kind, std::vector<CanvasPoint> points,
                             CanvasRect rect, std::string text) {
  CanvasCall call;
  call.kind = kind;
  call.points = std::move(points);
  call.rect = rect;
  call.text = std::move(text);
  call.mapMode = mode_;
  call.pen = pen_;
  call.brush = brush_;
  call.font = font_;
  call.clip = clip_;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::SetMapMode(MapMode mode) {
  mode_ = mode;
  Record(CanvasCallKind::SetMapMode);
}

CanvasPoint RecordingCanvas::LPtoDP(CanvasPoint logical) const {
  if (mode_ == MapMode::LoMetric) return {logical.x, -logical.y};
  return logical;
}

CanvasPoint RecordingCanvas::DPtoLP(CanvasPoint device) const {
  if (mode_ == MapMode::LoMetric) return {device.x, -device.y};
  return device;
}

void RecordingCanvas::SetPen(const CanvasPen& pen) {
  pen_ = pen;
  Record(CanvasCallKind::SetPen);
}

void RecordingCanvas::SetBrush(const CanvasBrush& brush) {
  brush_ = brush;
  Record(CanvasCallKind::SetBrush);
}

void RecordingCanvas::SetFont(const CanvasFont& font) {
  font_ = font;
  if (smallestFontSize_ > 0 && font_.size < smallestFontSize_) font_.size = smallestFontSize_;
  Record(CanvasCallKind::SetFont);
}

TextMetrics RecordingCanvas::GetTextMetrics() const {
  const int perPoint = mode_ == MapMode::LoMetric ? 4 : 2;
  TextMetrics m;
  m.height = font_.size > 0 ? font_.size * perPoint : 0;
  m.aveCharWidth = m.height / 2;
  return m;
}

CanvasSize RecordingCanvas::TextExtent(std::string_view text) const {
  const TextMetrics m = GetTextMetrics();
  return {CharacterCount(text) * m.aveCharWidth, m.height};
}

void RecordingCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  Record(CanvasCallKind::TextOut, {{x, y}}, {}, std::string(text));
}

void RecordingCanvas::TextRect(const CanvasRect& clip, std::int32_t x, std::int32_t y,
                               std::string_view text) {
  Record(CanvasCallKind::TextRect, {{x, y}}, clip, std::string(text));
}

void RecordingCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  position_ = {x, y};
  Record(CanvasCallKind::MoveTo, {position_});
}

void RecordingCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const CanvasPoint from = position_;
  position_ = {x, y};
  Record(CanvasCallKind::LineTo, {from, position_});
}

void RecordingCanvas::Polyline(std::span<const CanvasPoint> points) {
  Record(CanvasCallKind::Polyline, std::vector<CanvasPoint>(points.begin(), points.end()));
}

void RecordingCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom) {
  Record(CanvasCallKind::Rectangle, {}, {left, top, right, bottom});
}

void RecordingCanvas::FillRect(const CanvasRect& rect) {
  Record(CanvasCallKind::FillRect, {}, rect);
}

void RecordingCanvas::SetClipRect(const CanvasRect& rect) {
  clip_ = rect;
  Record(CanvasCallKind::SetClipRect, {}, rect);
}

void RecordingCanvas::ClearClip() {
  clip_.reset();
  Record(CanvasCallKind::ClearClip);
}

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasCallKind kind) const {
  std::vector<CanvasCall> out;
  for (const CanvasCall& call : calls_)
    if (call.kind == kind) out.push_back(call);
  return out;
}

std::vector<CanvasCall> RecordingCanvas::DrawingCalls() const {
  std::vector<CanvasCall> out;
  for (const CanvasCall& call : calls_) {
    switch (call.kind) {
      case CanvasCallKind::LineTo:
      case CanvasCallKind::Polyline:
      case CanvasCallKind::Rectangle:
      case CanvasCallKind::FillRect:
      case CanvasCallKind::TextOut:
      case CanvasCallKind::TextRect:
        out.push_back(call);
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace tranchex
