#include "exchange/OffcutTable.h"

#include "job/Outils_debit.h"

namespace tranchex {

std::int32_t OffcutColumnX(std::int32_t width, int column) {
  if (column == 0) return 1;
  return width / 5 + (width * (column - 1)) / 5 + 1;
}

std::int32_t OffcutTableHeight(std::int32_t textHeight, std::size_t offcuts) {
  return (textHeight + 4) * static_cast<std::int32_t>(offcuts) + 2;
}

void DrawOffcutTable(Canvas& c, const ExportSource& s, const OffcutTableGeometry& g) {
  const ExportTexts& t = s.Texts;
  // A white ground, the pen and brush given back afterwards.
  const CanvasPen pen = c.GetPen();
  const CanvasBrush brush = c.GetBrush();
  c.SetPen(CanvasPen{kCanvasWhite});
  c.SetBrush(CanvasBrush{kCanvasWhite});
  c.Rectangle(0, 0, g.ImageWidth, g.ImageHeight);
  c.SetPen(pen);
  c.SetBrush(brush);

  CanvasFont font = c.GetFont();
  font.bold = true;
  c.SetFont(font);
  const std::int32_t h = c.GetTextMetrics().height;
  for (int i = 0; i < 4; ++i) {
    const std::int32_t x = g.Width / 5 + (g.Width * i) / 5;
    c.MoveTo(x, 0);
    c.LineTo(x, g.Height);
  }
  const std::string titles[] = {t.Count, t.Length, t.Width, t.Thickness, t.Species};
  for (int i = 0; i < 5; ++i) c.TextOut(OffcutColumnX(g.Width, i), 1, titles[i]);
  c.MoveTo(0, h + 3);
  c.LineTo(g.RuleWidth, h + 3);
  font.bold = false;
  c.SetFont(font);

  const auto length = [&](double v) {
    return FormatSize(v, s.UnitFactor, s.DecimalSeparator);
  };
  const bool complex = s.Job.JobKind == 2;
  std::int32_t y = h + 3;
  for (const CHUTE& o : s.Job.Offcuts) {
    y += 2;
    const std::string cells[] = {std::to_string(o.Count), length(o.Length), length(o.Width),
                                 complex ? length(o.Thickness) : t.NotSpecified,
                                 ExportSpecies(s, o.Species)};
    for (int i = 0; i < 5; ++i) c.TextOut(OffcutColumnX(g.Width, i), y, cells[i]);
    y += h + 1;
    c.MoveTo(0, y);
    c.LineTo(g.Width, y);
  }
}

}  // namespace tranchex
