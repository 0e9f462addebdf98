#pragma once
// The canvas on a QPainter: a widget, a QImage, a QPrinter or a PDF writer alike.
//
// The canvas maps every logical point to device pixels itself and draws with the painter's
// transform left at identity, so texts stay upright under the y-up mapping and pen widths and
// font sizes are not distorted. The 0.1 mm mapping and the font sizes use the paint device's
// logical resolution (logicalDpiX/Y): a 10-point text is 10/72 inch high on the screen, on an
// image of any resolution and on paper.
//
// Fonts: the faces the plans are drawn with resolve to the metric-compatible Liberation faces
// ("Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif", "Courier New" ->
// "Liberation Mono"), so texts take the room the layouts were measured for.
//
// Lines and shape outlines are drawn without antialiasing (crisp on every device); texts are
// antialiased. The painter must be active for the canvas's whole life; the canvas restores the
// painter's render hints, pen, brush, font and clipping when it is destroyed.

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>

#include "platform/Canvas.h"

namespace tranchex {

class QPainterCanvas final : public Canvas {
 public:
  explicit QPainterCanvas(QPainter& painter);
  ~QPainterCanvas() override;
  QPainterCanvas(const QPainterCanvas&) = delete;
  QPainterCanvas& operator=(const QPainterCanvas&) = delete;

  // The face a font name is drawn with (see above); other names are kept.
  static QString ResolveFontFamily(std::string_view face);
  // The Qt font of a canvas font; its point size turns into pixels on the device it is used on.
  static QFont ToQFont(const CanvasFont& font);

  void SetMapMode(MapMode mode) override { mode_ = mode; }
  MapMode GetMapMode() const override { return mode_; }
  CanvasPoint LPtoDP(CanvasPoint logical) const override;
  CanvasPoint DPtoLP(CanvasPoint device) const override;
  CanvasSize DeviceSize() const override;

  void SetPen(const CanvasPen& pen) override { pen_ = pen; }
  CanvasPen GetPen() const override { return pen_; }
  void SetBrush(const CanvasBrush& brush) override { brush_ = brush; }
  CanvasBrush GetBrush() const override { return brush_; }
  void SetFont(const CanvasFont& font) override;
  CanvasFont GetFont() const override { return font_; }

  TextMetrics GetTextMetrics() const override;
  CanvasSize TextExtent(std::string_view text) const override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  void TextRect(const CanvasRect& clip, std::int32_t x, std::int32_t y,
                std::string_view text) override;

  void MoveTo(std::int32_t x, std::int32_t y) override { position_ = {x, y}; }
  void LineTo(std::int32_t x, std::int32_t y) override;
  CanvasPoint PenPosition() const override { return position_; }
  void Polyline(std::span<const CanvasPoint> points) override;
  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
  void FillRect(const CanvasRect& rect) override;

  void SetClipRect(const CanvasRect& rect) override;
  void ClearClip() override;
  std::optional<CanvasRect> GetClipRect() const override { return clip_; }

 private:
  QPointF ToDeviceF(CanvasPoint p) const;
  QPoint ToDevice(CanvasPoint p) const;
  // The device pixels between two logical corners, edges included.
  QRect DeviceRect(const CanvasRect& r) const;
  double LogicalPerPixelX() const;
  double LogicalPerPixelY() const;
  void ApplyPen();
  void DrawTextAt(QPointF topLeft, const QString& text);

  QPainter& painter_;
  double dpiX_ = 96.0;
  double dpiY_ = 96.0;
  MapMode mode_ = MapMode::Pixels;
  CanvasPen pen_;
  CanvasBrush brush_;
  CanvasFont font_;
  QFont qfont_;
  CanvasPoint position_;
  std::optional<CanvasRect> clip_;
  // The painter's own clipping when the canvas was made: kept under ours, restored at the end.
  bool hadClipping_ = false;
  QRegion initialClip_;
};

}  // namespace tranchex
