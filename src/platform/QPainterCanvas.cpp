#include "platform/QPainterCanvas.h"

#include <QBrush>
#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QRectF>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tranchex {

namespace {

constexpr double kTenthsOfMmPerInch = 254.0;

QColor ToQColor(CanvasColor c) { return QColor(c.r, c.g, c.b); }

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::int32_t RoundToInt(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::round(v);
  if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

bool SameFace(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char ch) {
      return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter) {
  if (QPaintDevice* device = painter_.device()) {
    if (device->logicalDpiX() > 0) dpiX_ = device->logicalDpiX();
    if (device->logicalDpiY() > 0) dpiY_ = device->logicalDpiY();
  }
  painter_.save();
  painter_.resetTransform();
  // Read after the reset, so the region is in device pixels like every clip the canvas sets.
  hadClipping_ = painter_.hasClipping();
  if (hadClipping_) initialClip_ = painter_.clipRegion();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  SetFont(font_);
}

QPainterCanvas::~QPainterCanvas() { painter_.restore(); }

QString QPainterCanvas::ResolveFontFamily(std::string_view face) {
  if (SameFace(face, "Arial")) return QStringLiteral("Liberation Sans");
  if (SameFace(face, "Times New Roman")) return QStringLiteral("Liberation Serif");
  if (SameFace(face, "Courier New")) return QStringLiteral("Liberation Mono");
  return FromUtf8(face);
}

QFont QPainterCanvas::ToQFont(const CanvasFont& font) {
  QFont f(ResolveFontFamily(font.face));
  // Point sizes become pixels through the paint device's resolution when the font is used on
  // it (QFontMetricsF with the device, QPainter::setFont on its painter).
  f.setPointSizeF(font.size > 0 ? font.size : 1);
  f.setBold(font.bold);
  // Unhinted outlines scale linearly, so a text takes the same room on screen and on paper.
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferOutline);
  return f;
}

double QPainterCanvas::LogicalPerPixelX() const {
  return mode_ == MapMode::LoMetric ? kTenthsOfMmPerInch / dpiX_ : 1.0;
}

double QPainterCanvas::LogicalPerPixelY() const {
  return mode_ == MapMode::LoMetric ? kTenthsOfMmPerInch / dpiY_ : 1.0;
}

QPointF QPainterCanvas::ToDeviceF(CanvasPoint p) const {
  if (mode_ == MapMode::LoMetric)
    return QPointF(p.x * dpiX_ / kTenthsOfMmPerInch, -p.y * dpiY_ / kTenthsOfMmPerInch);
  return QPointF(p.x, p.y);
}

QPoint QPainterCanvas::ToDevice(CanvasPoint p) const {
  const QPointF d = ToDeviceF(p);
  return QPoint(RoundToInt(d.x()), RoundToInt(d.y()));
}

CanvasPoint QPainterCanvas::LPtoDP(CanvasPoint logical) const {
  const QPoint d = ToDevice(logical);
  return {d.x(), d.y()};
}

CanvasPoint QPainterCanvas::DPtoLP(CanvasPoint device) const {
  if (mode_ == MapMode::LoMetric)
    return {RoundToInt(device.x * kTenthsOfMmPerInch / dpiX_),
            RoundToInt(-device.y * kTenthsOfMmPerInch / dpiY_)};
  return device;
}

CanvasSize QPainterCanvas::DeviceSize() const {
  const QPaintDevice* device = painter_.device();
  if (device == nullptr) return {};
  return {device->width(), device->height()};
}

QRect QPainterCanvas::DeviceRect(const CanvasRect& r) const {
  const QPoint a = ToDevice({r.left, r.top});
  const QPoint b = ToDevice({r.right, r.bottom});
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void QPainterCanvas::SetFont(const CanvasFont& font) {
  font_ = font;
  qfont_ = ToQFont(font);
}

TextMetrics QPainterCanvas::GetTextMetrics() const {
  const QFontMetricsF fm(qfont_, painter_.device());
  TextMetrics m;
  m.height = RoundToInt((fm.ascent() + fm.descent()) * LogicalPerPixelY());
  m.aveCharWidth = RoundToInt(fm.averageCharWidth() * LogicalPerPixelX());
  return m;
}

CanvasSize QPainterCanvas::TextExtent(std::string_view text) const {
  const QFontMetricsF fm(qfont_, painter_.device());
  return {RoundToInt(fm.horizontalAdvance(FromUtf8(text)) * LogicalPerPixelX()),
          RoundToInt((fm.ascent() + fm.descent()) * LogicalPerPixelY())};
}

void QPainterCanvas::DrawTextAt(QPointF topLeft, const QString& text) {
  const QFontMetricsF fm(qfont_, painter_.device());
  if (brush_.style == BrushStyle::Solid) {
    painter_.fillRect(QRectF(topLeft.x(), topLeft.y(), fm.horizontalAdvance(text),
                             fm.ascent() + fm.descent()),
                      ToQColor(brush_.color));
  }
  painter_.setFont(qfont_);
  painter_.setPen(QPen(ToQColor(font_.color)));
  painter_.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
}

void QPainterCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  if (text.empty()) return;
  DrawTextAt(QPointF(ToDevice({x, y})), FromUtf8(text));
}

void QPainterCanvas::TextRect(const CanvasRect& clip, std::int32_t x, std::int32_t y,
                              std::string_view text) {
  const QRect box = DeviceRect(clip);
  painter_.save();
  painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  if (brush_.style == BrushStyle::Solid) painter_.fillRect(box, ToQColor(brush_.color));
  const CanvasBrush kept = brush_;
  brush_.style = BrushStyle::Clear;  // the rectangle is the text's whole background
  if (!text.empty()) DrawTextAt(QPointF(ToDevice({x, y})), FromUtf8(text));
  brush_ = kept;
  painter_.restore();
}

void QPainterCanvas::ApplyPen() {
  if (pen_.style == PenStyle::Clear) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  const double perPixel = std::max(LogicalPerPixelX(), LogicalPerPixelY());
  const int width = std::max(1, RoundToInt(pen_.width / perPixel));
  QPen pen(ToQColor(pen_.color));
  pen.setWidth(width);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  switch (pen_.style) {
    case PenStyle::Dash: pen.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: pen.setStyle(Qt::DotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void QPainterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  ApplyPen();
  painter_.drawLine(ToDevice(position_), ToDevice({x, y}));
  position_ = {x, y};
}

void QPainterCanvas::Polyline(std::span<const CanvasPoint> points) {
  if (points.size() < 2) return;
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const CanvasPoint& p : points) polygon.append(ToDevice(p));
  ApplyPen();
  painter_.drawPolyline(polygon);
}

void QPainterCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
  const QRect box = DeviceRect({left, top, right, bottom});
  if (brush_.style == BrushStyle::Solid) painter_.fillRect(box, ToQColor(brush_.color));
  if (pen_.style == PenStyle::Clear) return;
  ApplyPen();
  // An aliased outline of QRect(x, y, w, h) covers the pixels x..x+w and y..y+h.
  painter_.drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
}

void QPainterCanvas::FillRect(const CanvasRect& rect) {
  if (brush_.style != BrushStyle::Solid) return;
  // The far edges are left out, so an empty rectangle fills nothing and a text's box is filled
  // exactly where the text goes.
  const QPoint a = ToDevice({rect.left, rect.top});
  const QPoint b = ToDevice({rect.right, rect.bottom});
  const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QSize(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())));
  if (!box.isEmpty()) painter_.fillRect(box, ToQColor(brush_.color));
}

void QPainterCanvas::SetClipRect(const CanvasRect& rect) {
  clip_ = rect;
  QRegion region(DeviceRect(rect));
  if (hadClipping_) region = region.intersected(initialClip_);
  painter_.setClipRegion(region);
}

void QPainterCanvas::ClearClip() {
  clip_.reset();
  if (hadClipping_)
    painter_.setClipRegion(initialClip_);
  else
    painter_.setClipping(false);
}

}  // namespace tranchex
