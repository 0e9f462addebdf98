#include "exchange/SummaryPrint.h"

#include <algorithm>
#include <iterator>

#include "job/Outils_debit.h"
#include "platform/Canvas.h"

namespace tranchex {

namespace {

// The detail lines a block prints, in order: every one but the edge banding.
constexpr int kPrintedLines[] = {0, 1, 2, 3, 5, 6, 7};
static_assert(std::find(std::begin(kPrintedLines), std::end(kPrintedLines), kEdgeBandingLine) ==
              std::end(kPrintedLines));

// Every sheet starts from the same state, whatever the printer kept of the one before: pixels,
// black pen, white solid brush, the default face at 10 points, regular, no clip.
void StartSummarySheet(Canvas& canvas) {
  canvas.ClearClip();
  canvas.SetMapMode(MapMode::Pixels);
  canvas.SetPen(CanvasPen{});
  canvas.SetBrush(CanvasBrush{});
  CanvasFont font;
  font.size = kSummaryPrintFontSize;
  canvas.SetFont(font);
}

// The title and the column line of a sheet; leaves the font regular.
void DrawSummaryHeadings(Canvas& canvas, const SummarySheetGeometry& g, const std::string& title) {
  canvas.SetFontBold(false);
  canvas.TextOut((g.PageWidth - CharacterCount(title) * g.CharWidth) / 2, g.TitleY(), title);
  canvas.MoveTo(g.ColumnX(), g.FirstBlockY());
  canvas.LineTo(g.ColumnX(), g.PageHeight);
}

// One panel kind's block from y: the key in bold on the left, the seven printed detail lines on
// the right. Returns the y of its last line.
std::int32_t DrawSummaryBlock(Canvas& canvas, const SummarySheetGeometry& g, const METRAGE& line,
                              const SummaryPrintInputs& in, std::int32_t y) {
  canvas.SetFontBold(true);
  canvas.TextOut(1, y, EllipsizeText(line.Key, g.CharWidth + 1, g.ColumnX() - 4));
  canvas.SetFontBold(false);
  const auto details = SummaryDetails(line, in.Texts, in.UnitText, in.DecimalSeparator);
  bool first = true;
  for (const int i : kPrintedLines) {
    if (!first) y += g.Step();
    first = false;
    canvas.TextOut(g.ColumnX() + 1, y, details[static_cast<std::size_t>(i)].ListText);
  }
  return y;
}

}  // namespace

std::int32_t SummaryBlocksPerSheet(const SummarySheetGeometry& g) {
  const std::int32_t room = g.PageHeight - g.FirstBlockY() - g.BlockHeight();
  if (room < 0 || g.BlockPitch() <= 0) return 1;
  return room / g.BlockPitch() + 1;
}

std::int32_t SummarySheetCount(std::size_t entries, const SummarySheetGeometry& g) {
  if (entries == 0) return 1;
  const auto perSheet = static_cast<std::size_t>(SummaryBlocksPerSheet(g));
  return static_cast<std::int32_t>((entries + perSheet - 1) / perSheet);
}

PrintReport PrintSummary(PrintTarget& target, const SummaryPrintInputs& in) {
  PrintDocument doc(target, PrintOrientation::Portrait);
  return doc.Run([&] {
    StartSummarySheet(doc.canvas());
    const TextMetrics metrics = doc.canvas().GetTextMetrics();
    const SummarySheetGeometry g{metrics.height, metrics.aveCharWidth, target.PageWidth(),
                                 target.PageHeight()};
    const auto perSheet = static_cast<std::size_t>(SummaryBlocksPerSheet(g));
    DrawSummaryHeadings(doc.canvas(), g, in.Texts.Title);

    std::int32_t y = g.FirstBlockY();
    for (std::size_t i = 0; i < in.Lines.size(); ++i) {
      if (i > 0 && i % perSheet == 0) {
        doc.NextSheet();
        StartSummarySheet(doc.canvas());
        DrawSummaryHeadings(doc.canvas(), g, in.Texts.Title);
        y = g.FirstBlockY();
      }
      Canvas& canvas = doc.canvas();
      const std::int32_t last = DrawSummaryBlock(canvas, g, in.Lines[i], in, y);
      // A rule only between two blocks of the same sheet.
      const bool nextOnThisSheet = i + 1 < in.Lines.size() && (i + 1) % perSheet != 0;
      if (nextOnThisSheet) {
        canvas.MoveTo(0, last + g.LineHeight + 2);
        canvas.LineTo(g.PageWidth, last + g.LineHeight + 2);
      }
      y = last + g.Step();
    }
  });
}

}  // namespace tranchex
