// The plans rendered through QPainter into images: what the joiner sees, sampled pixel by pixel.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <string>
#include <vector>

#include "platform/QPainterCanvas.h"
#include "plan/DrawPanelCutLines.h"
#include "plan/DrawPanelHeading.h"
#include "plan/DrawPanelParts.h"
#include "plan/DrawingContext.h"
#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

QImage WhiteImage(int width, int height, int dpi) {
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  return image;
}

std::string Describe(QRgb c) {
  return "rgb(" + std::to_string(qRed(c)) + ", " + std::to_string(qGreen(c)) + ", " +
         std::to_string(qBlue(c)) + ")";
}

// The bounding box of the dark pixels (ink) of an image.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool any() const { return right >= 0; }
  int height() const { return bottom - top + 1; }
};

Ink InkOf(const QImage& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
  return ink;
}

// How much ink the rows hold, antialiased edges counted by their darkness.
int InkWeight(const QImage& image, int top, int bottom) {
  int n = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = 0; x < image.width(); ++x) n += 255 - qGray(image.pixel(x, y));
  return n;
}

// A 6000 x 3000 panel at scale 10 on a 254 dpi image (one logical unit per pixel), its point
// (0, 0) at (50, -550): a model point (x, y) lands on pixel (50 + x / 10, 550 - y / 10).
class RenderPlanTest : public testing::Test {
 protected:
  RenderPlanTest() : image(WhiteImage(700, 600, 254)) {
    context.Texts = LoadDrawingTexts();
    context.DimensionDisplayMode = DimensionsOuterOnly;
    panel = test::MakePanel(6000, 3000);
  }

  template <class Draw>
  void Render(Draw draw) {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFontSize(5);
    draw(canvas);
  }

  QRgb At(int x, int y) const { return image.pixel(x, y); }

  QImage image;
  DrawingContext context;
  UNITE_MESURE mm;
  std::vector<std::string> species{"Chêne"};
  std::vector<std::string> designations{"Montant"};
  std::vector<std::string> references{"a"};
  Panneau_p panel;
};

TEST_F(RenderPlanTest, PartIsHatchedInsideItsNetRectangleOnly) {
  // Outer rectangle pixels x 50..250, y 250..450; net rectangle x 60..240, y 260..440. Hatch
  // line k runs from (60, 440 - k) to (60 + k, 440): the pixels where (x - 60) + (440 - y) = k.
  TPiece part(1800, 1800, 190, 0);
  part.Number = 0;
  part.Footprint = TRect(0, 3000, 2000, 1000);
  part.Rect = TRect(100, 2900, 1900, 1100);
  panel.PlacedParts.push_back(part);
  test::SetFreeRects(panel, {MONRect(2000, 3000, 6000, 0), MONRect(0, 1000, 2000, 0)});
  Render([&](Canvas& canvas) {
    DrawPanelParts(panel, canvas, 50, -550, 10.0, species, designations, references,
                   kContextPanelsComplex, mm, context);
  });

  const QRgb green = qRgb(0, 255, 0);
  struct Sample {
    int x, y;
    bool hatched;
    const char* where;
  };
  const std::vector<Sample> samples = {
      {100, 400, true, "k = 80, inside"},
      {150, 370, true, "k = 160, inside"},
      {60, 350, true, "the net outline"},
      {55, 435, false, "k = 0 continued into the margin"},
      {300, 320, false, "k = 360 continued into the offcut"},
      {105, 245, false, "k = 240 continued above the panel"},
  };
  for (const Sample& s : samples) {
    EXPECT_EQ(At(s.x, s.y) == green, s.hatched)
        << s.where << " (" << s.x << ", " << s.y << "): " << Describe(At(s.x, s.y));
  }
}

TEST_F(RenderPlanTest, CutLinesWhereTheLayoutHasThem) {
  panel.CutLines = {LIGNE{2000, 3000, 2000, 0}, LIGNE{2000, 1500, 6000, 1500}};
  Render([&](Canvas& canvas) {
    DrawPanelCutLines(panel, canvas, 50, -550, 10.0, species, designations, references,
                      kContextPanelsComplex, mm, context);
  });
  struct Sample {
    int x, y;
    QRgb colour;
    const char* where;
  };
  const std::vector<Sample> samples = {
      {250, 480, qRgb(0, 0, 255), "first cut (blue), vertical at x 2000"},
      {250, 300, qRgb(0, 0, 255), "first cut near its top"},
      {500, 400, qRgb(0, 255, 255), "second cut (aqua), horizontal at y 1500"},
      {640, 400, qRgb(0, 255, 255), "second cut near its end"},
      {253, 480, qRgb(255, 255, 255), "beside the first cut"},
      {500, 403, qRgb(255, 255, 255), "below the second cut"},
  };
  for (const Sample& s : samples)
    EXPECT_EQ(At(s.x, s.y), s.colour)
        << s.where << " (" << s.x << ", " << s.y << "): " << Describe(At(s.x, s.y));
  // The first cut's number "(1)" in blue, right of and below its upper end at (250, 250).
  bool numberFound = false;
  for (int y = 260; y < 300 && !numberFound; ++y)
    for (int x = 260; x < 300 && !numberFound; ++x)
      numberFound = qBlue(At(x, y)) > 200 && qRed(At(x, y)) < 100;
  EXPECT_TRUE(numberFound);
}

TEST(RenderText, UprightAndInTruePointsOnEveryResolution) {
  // Liberation Sans: capital height 1409/2048 em, cell height (ascent + descent) 2288/2048 em.
  for (int dpi : {96, 254, 600}) {
    SCOPED_TRACE(dpi);
    const double em = 10.0 * dpi / 72.0;  // pixels of a 10-point em
    QImage t = WhiteImage(2 * dpi, 2 * dpi, dpi);
    QImage h = WhiteImage(2 * dpi, 2 * dpi, dpi);
    TextMetrics metrics;
    CanvasPoint anchor;
    for (QImage* image : {&t, &h}) {
      QPainter painter(image);
      QPainterCanvas canvas(painter);
      canvas.SetMapMode(MapMode::LoMetric);
      canvas.SetFont({"Arial", 10, false, kCanvasBlack});
      canvas.SetBrushStyle(BrushStyle::Clear);
      canvas.TextOut(100, -100, image == &t ? "T" : "H");
      metrics = canvas.GetTextMetrics();
      anchor = canvas.LPtoDP({100, -100});
    }
    // The cell is 10 points high in logical units whatever the resolution: 35.3 x 1.117 (a
    // screen rounds the font to whole pixels, hence the tolerance).
    EXPECT_NEAR(metrics.height, 39.4, 2.0);

    const Ink inkH = InkOf(h);
    ASSERT_TRUE(inkH.any());
    EXPECT_NEAR(inkH.height(), em * 1409.0 / 2048.0, std::max(1.5, em * 0.04));
    // It hangs below its anchor, inside the cell.
    EXPECT_GE(inkH.top, anchor.y);
    EXPECT_LE(inkH.bottom, anchor.y + std::lround(em * 2288.0 / 2048.0));
    EXPECT_GE(inkH.left, anchor.x - 1);

    // Upright: a "T" has its bar at the top.
    const Ink inkT = InkOf(t);
    ASSERT_TRUE(inkT.any());
    const int third = inkT.height() / 3;
    EXPECT_GT(InkWeight(t, inkT.top, inkT.top + third - 1),
              2 * InkWeight(t, inkT.bottom - third + 1, inkT.bottom));
  }
}

TEST(RenderText, ArialIsDrawnWithLiberationSans) {
  struct Case {
    const char* face;
    const char* family;
  };
  const std::vector<Case> cases = {
      {"Arial", "Liberation Sans"},
      {"arial", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"Liberation Sans", "Liberation Sans"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QPainterCanvas::ResolveFontFamily(c.face), QString::fromUtf8(c.family)) << c.face;
  }
  const QFont font = QPainterCanvas::ToQFont({"Arial", 5, true, kCanvasBlack});
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  EXPECT_TRUE(QFontInfo(font).bold());
}

TEST(RenderText, SolidBrushMakesTheTextBackgroundOpaque) {
  struct Case {
    BrushStyle style;
    QRgb background;
  };
  const std::vector<Case> cases = {
      {BrushStyle::Solid, qRgb(255, 255, 255)},
      {BrushStyle::Clear, qRgb(255, 0, 0)},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(100, 60, 96);
    image.fill(Qt::red);
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      canvas.SetFontSize(20);
      canvas.SetBrush({kCanvasWhite, c.style});
      canvas.TextOut(10, 10, ".");  // the box's top-left corner holds no glyph
    }
    EXPECT_EQ(image.pixel(12, 12), c.background) << Describe(image.pixel(12, 12));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));  // outside the box
  }
}

TEST(RenderText, TextRectClipsToItsRectangle) {
  QImage image = WhiteImage(200, 60, 96);
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.SetFontSize(12);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.TextRect({10, 10, 30, 40}, 10, 10, "MMMMMMMM");
  }
  const Ink ink = InkOf(image);
  ASSERT_TRUE(ink.any());
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 30);
}

TEST(RenderCanvas, LogicalToDevicePoints) {
  struct Case {
    int dpi;
    MapMode mode;
    CanvasPoint logical, device;
  };
  const std::vector<Case> cases = {
      {254, MapMode::LoMetric, {100, -200}, {100, 200}},
      {96, MapMode::LoMetric, {100, -200}, {38, 76}},
      {600, MapMode::LoMetric, {100, -200}, {236, 472}},
      {600, MapMode::Pixels, {100, 200}, {100, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    QImage image = WhiteImage(10, 10, c.dpi);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.SetMapMode(c.mode);
    EXPECT_EQ(canvas.LPtoDP(c.logical), c.device);
    if (c.dpi != 96) {  // 96 dpi rounds: 38 pixels are 100.5 units
      EXPECT_EQ(canvas.DPtoLP(c.device), c.logical);
    }
    EXPECT_EQ(canvas.DeviceSize(), (CanvasSize{10, 10}));
  }
}

TEST(RenderCanvas, PdfPageKeepsTheMillimetresAndPoints) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(600);
  DrawingContext context;
  context.Texts = LoadDrawingTexts();
  {
    QPainter painter(&writer);
    QPainterCanvas canvas(painter);
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.SetFont({"Arial", 10, false, kCanvasBlack});
    EXPECT_NEAR(canvas.GetTextMetrics().height, 39.4, 2.0);
    EXPECT_EQ(canvas.LPtoDP({100, -200}), (CanvasPoint{236, 472}));
    const CanvasSize page = canvas.DeviceSize();
    EXPECT_EQ(page.cx, writer.width());
    EXPECT_EQ(page.cy, writer.height());
    Panneau_p panel = test::MakePanel(6000, 3000);
    panel.CutLines = {LIGNE{2000, 3000, 2000, 0}};
    DrawPanelCutLines(panel, canvas, 100, -1000, 10.0, {}, {}, {}, kContextPanelsSimple,
                      UNITE_MESURE{}, context);
  }
  buffer.close();
  EXPECT_TRUE(buffer.data().startsWith("%PDF"));
}

}  // namespace
}  // namespace tranchex
