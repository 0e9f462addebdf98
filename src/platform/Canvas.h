#pragma once
// The surface the plans are drawn on: a window, an image, a printer page or a recorder. The
// drawing routines know nothing else of the device.
//
// Coordinates
// -----------
// Two mapping modes:
//   - MapMode::LoMetric: one logical unit is 0.1 mm on every device, x to the right, y UPWARD.
//     The logical origin sits at the device's top-left corner, so what is visible has y <= 0
//     (a drawing whose origin should be 2 mm above the bottom edge of a 100 mm high area puts
//     it at y = 20 - 1000).
//   - MapMode::Pixels: one logical unit is one device pixel, y downward, origin top-left.
// Device coordinates are pixels of the paint device (y downward). LPtoDP and DPtoLP convert
// points, rounding to the nearest whole unit.
//
// Text
// ----
// TextOut places a text by the top-left corner of its box; the text hangs below that point
// (toward lower y in LoMetric, higher y in pixels) and always reads upright. The box is
// TextExtent wide and the font's height high. With a solid brush the box is first filled with
// the brush colour (opaque text); with a clear brush only the glyphs are drawn (transparent).
// Font sizes are points (1/72 inch) on every device; text metrics and extents come back in
// logical units of the current mapping mode. A text's "characters" are UTF-8 code points.
//
// State
// -----
// The pen, brush, font, mapping mode, clip rectangle and current position stay as they were set
// until changed; every routine documents what it leaves behind. A fresh canvas has the pixels
// mode, a black solid pen of width 1, a white solid brush, the font "Arial" at 8 points in
// black, no clip and the current position (0, 0).
//
// Shapes
// ------
// Rectangle draws the outline with the pen and fills the inside with the brush (nothing inside
// with a clear brush); the outline runs through both corners. FillRect fills with the brush
// only (nothing with a clear brush), from the rectangle's upper-left corner on the device up to,
// not including, its right and bottom edges: an empty rectangle fills nothing.
// Pen widths are logical units; a pen is never drawn thinner than one device pixel.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tranchex {

struct CanvasColor {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(const CanvasColor&, const CanvasColor&) = default;
};

inline constexpr CanvasColor kCanvasBlack{0, 0, 0};
inline constexpr CanvasColor kCanvasWhite{255, 255, 255};

enum class MapMode {
  Pixels,    // one unit per device pixel, y downward
  LoMetric,  // one unit per 0.1 mm, y upward
};

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class BrushStyle { Solid, Clear };

struct CanvasPen {
  CanvasColor color = kCanvasBlack;
  int width = 1;  // logical units; at least one device pixel is drawn
  PenStyle style = PenStyle::Solid;
  friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
  CanvasColor color = kCanvasWhite;
  BrushStyle style = BrushStyle::Solid;  // Clear also makes text backgrounds transparent
  friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

struct CanvasFont {
  std::string face = "Arial";
  int size = 8;  // points
  bool bold = false;
  CanvasColor color = kCanvasBlack;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

struct CanvasPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

struct CanvasSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend constexpr bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

// A rectangle by its edges, in logical units. In LoMetric top is the higher y; the canvas takes
// the corners in either order.
struct CanvasRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend constexpr bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// The measures of the current font, in logical units.
struct TextMetrics {
  std::int32_t height = 0;        // character cell height (ascent + descent)
  std::int32_t aveCharWidth = 0;  // average character width
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // ---- Mapping ----------------------------------------------------------------------------
  virtual void SetMapMode(MapMode mode) = 0;
  virtual MapMode GetMapMode() const = 0;
  virtual CanvasPoint LPtoDP(CanvasPoint logical) const = 0;
  virtual CanvasPoint DPtoLP(CanvasPoint device) const = 0;
  // The paint device's size in device pixels (a printer: its printable page).
  virtual CanvasSize DeviceSize() const = 0;

  // ---- Drawing tools ----------------------------------------------------------------------
  virtual void SetPen(const CanvasPen& pen) = 0;
  virtual CanvasPen GetPen() const = 0;
  virtual void SetBrush(const CanvasBrush& brush) = 0;
  virtual CanvasBrush GetBrush() const = 0;
  virtual void SetFont(const CanvasFont& font) = 0;
  virtual CanvasFont GetFont() const = 0;

  // One attribute at a time, the others kept.
  void SetPenColor(CanvasColor color) {
    CanvasPen pen = GetPen();
    pen.color = color;
    SetPen(pen);
  }
  void SetBrushColor(CanvasColor color) {
    CanvasBrush brush = GetBrush();
    brush.color = color;
    SetBrush(brush);
  }
  void SetBrushStyle(BrushStyle style) {
    CanvasBrush brush = GetBrush();
    brush.style = style;
    SetBrush(brush);
  }
  void SetFontColor(CanvasColor color) {
    CanvasFont font = GetFont();
    font.color = color;
    SetFont(font);
  }
  void SetFontSize(int points) {
    CanvasFont font = GetFont();
    font.size = points;
    SetFont(font);
  }
  void SetFontBold(bool bold) {
    CanvasFont font = GetFont();
    font.bold = bold;
    SetFont(font);
  }

  // ---- Text -------------------------------------------------------------------------------
  virtual TextMetrics GetTextMetrics() const = 0;
  // Width and height of the text's box in the current font (the height is the font's height,
  // also for an empty text).
  virtual CanvasSize TextExtent(std::string_view text) const = 0;
  std::int32_t TextWidth(std::string_view text) const { return TextExtent(text).cx; }
  std::int32_t TextHeight(std::string_view text) const { return TextExtent(text).cy; }
  // The text with its box's top-left corner at (x, y).
  virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
  // The same, clipped to the rectangle; a solid brush fills the whole rectangle first.
  virtual void TextRect(const CanvasRect& clip, std::int32_t x, std::int32_t y,
                        std::string_view text) = 0;

  // ---- Lines and shapes -------------------------------------------------------------------
  virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
  // A line from the current position to (x, y), which becomes the current position.
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  virtual CanvasPoint PenPosition() const = 0;
  // Connected lines through the points, in order; the current position does not change.
  virtual void Polyline(std::span<const CanvasPoint> points) = 0;
  virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) = 0;
  virtual void FillRect(const CanvasRect& rect) = 0;

  // ---- Clipping -----------------------------------------------------------------------------
  // From now on nothing is drawn outside the rectangle (logical coordinates, edges included).
  // Replaces an earlier clip rectangle.
  virtual void SetClipRect(const CanvasRect& rect) = 0;
  virtual void ClearClip() = 0;
  virtual std::optional<CanvasRect> GetClipRect() const = 0;
};

// The number of characters of a UTF-8 text: the bytes that start a character (a byte that is
// not a continuation byte 10xxxxxx), so "Réf" counts 3.
inline std::int32_t CharacterCount(std::string_view text) {
  std::int32_t n = 0;
  for (const char ch : text)
    if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u) ++n;
  return n;
}

}  // namespace tranchex
