#include "plan/CuttingSheet.h"
#include "job/ListLookup.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Records.h"
#include "job/ListTexts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "job/Outils_debit.h"

namespace tranchex {

namespace {

// The first n characters (UTF-8 code points) of a text; nothing for n <= 0.
std::string FirstCharacters(const std::string& text, std::int32_t n) {
  std::string out;
  std::int32_t characters = 0;
  for (const char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u && ++characters > n) break;
    out += ch;
  }
  return out;
}

}  // namespace

CuttingSheetTexts LoadCuttingSheetTexts() {
  CuttingSheetTexts t;
  static_cast<DescriptionTexts&>(t) = LoadDescriptionTexts();
  t.TextReference = LoadString(TextId::Columns::TextReference);
  t.TextDesignation = LoadString(TextId::Columns::TextDesignation);
  t.TextLength = LoadString(TextId::Columns::TextLength);
  t.TextWidth = LoadString(TextId::Columns::TextWidth);
  return t;
}

CuttingSheetColumns ComputeCuttingSheetColumns(std::int32_t width, std::int32_t aveCharWidth) {
  const std::int32_t aw = std::max(1, aveCharWidth);
  CuttingSheetColumns c;
  c.ReferenceWidth = 4 * aw;
  const std::int64_t shared = static_cast<std::int64_t>(width) - c.ReferenceWidth;
  c.Edges[0] = c.ReferenceWidth;
  for (int i = 1; i <= 7; ++i)
    c.Edges[static_cast<std::size_t>(i)] =
        static_cast<std::int32_t>((shared * i) / 7 + c.ReferenceWidth);
  // The designation column is a seventh of the shared width, like every other column.
  c.DesignationLimit = static_cast<std::int32_t>((shared / 7) / aw - 1);
  return c;
}

std::int32_t CuttingSheetRowHeight(std::int32_t textHeight) { return std::abs(textHeight) + 3; }

std::uint32_t CuttingSheetRowsPerPage(std::int32_t pageHeight, std::int32_t textHeight) {
  // The header takes one row's height: row k (from 0) has its rule at (k + 2) x row height,
  // which must lie on the page (pixels 0 to pageHeight - 1).
  const std::int64_t row = CuttingSheetRowHeight(textHeight);
  const std::int64_t rows = (static_cast<std::int64_t>(pageHeight) - 1) / row - 1;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(rows, 1, 1 << 20));
}

void DrawCuttingSheetPage(Canvas& canvas, const CuttingSheetLayout& layout, const PAGE& page,
                          const JobState& job, const std::vector<std::string>& species,
                          const UNITE_MESURE& unit, const CuttingSheetTexts& texts,
                          char decimalSeparator) {
  const std::int32_t w = layout.Width;
  const std::int32_t h = layout.TextHeight;
  const CuttingSheetColumns columns = ComputeCuttingSheetColumns(w, layout.AveCharWidth);
  const auto& x = columns.Edges;

  for (int i = 0; i <= 7; ++i) {
    canvas.MoveTo(x[static_cast<std::size_t>(i)], 0);
    canvas.LineTo(x[static_cast<std::size_t>(i)], layout.RuleBottom);
  }

  canvas.SetFontBold(true);
  std::int32_t y = layout.Top;
  // The first three characters of the reference word ("Réf").
  canvas.TextOut(1, y, FirstCharacters(texts.TextReference, 3));
  canvas.TextOut(x[0] + 1, y, texts.TextDesignation);
  canvas.TextOut(x[1] + 1, y, texts.TextCount);
  canvas.TextOut(x[2] + 1, y, texts.TextLength);
  canvas.TextOut(x[3] + 1, y, texts.TextWidth);
  canvas.TextOut(x[4] + 1, y, texts.TextThickness);
  canvas.TextOut(x[5] + 1, y, texts.TextSpecies);
  canvas.TextOut(x[6] + 1, y, texts.TextGrain);

  canvas.SetFontBold(false);
  canvas.MoveTo(0, y + h + 2);
  canvas.LineTo(w, y + h + 2);
  y += h + 2;

  const double factor = unit.Factor;
  for (std::int64_t r = page.FirstRow; r <= page.LastRow; ++r) {
    // A row the part list does not hold ends the page.
    if (!ValidIndex(job.JobParts, r)) break;
    const TPiece& part = job.JobParts[static_cast<std::size_t>(r)];
    y += 2;
    canvas.TextOut(2, y, EntryOrEmpty(job.JobReferences, PartNumber(part)));
    canvas.TextOut(x[0] + 1, y,
                   FirstCharacters(EntryOrEmpty(job.JobDesignations, r), columns.DesignationLimit));
    canvas.TextOut(x[1] + 1, y, std::to_string(part.Quantity));
    canvas.TextOut(x[2] + 1, y, FormatSize(part.Length, factor, decimalSeparator));
    canvas.TextOut(x[3] + 1, y, FormatSize(part.Width, factor, decimalSeparator));
    if (job.JobKind == 1) {
      canvas.TextOut(x[4] + 1, y, texts.TextNotSpecified);
      canvas.TextOut(x[5] + 1, y, texts.TextNotSpecified);
    } else {
      canvas.TextOut(x[4] + 1, y, FormatSize(part.Thickness, factor, decimalSeparator));
      // A species the local list lacks (a job from another shop, a species deleted) reads
      // "Non spécifié", as in the other views.
      const std::string* name = SpeciesNameAt(species, part.Species);
      canvas.TextOut(x[5] + 1, y, name != nullptr ? *name : texts.TextNotSpecified);
    }
    const std::string grain = part.Grain >= 0 && part.Grain <= 2
                                  ? texts.GrainTexts[static_cast<std::size_t>(part.Grain)]
                                  : std::string();
    canvas.TextOut(x[6] + 1, y, grain);
    y += h + 1;
    canvas.MoveTo(0, y);
    canvas.LineTo(w, y);
  }
}

}  // namespace tranchex
