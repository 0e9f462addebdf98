#pragma once
// The job summary on paper: the summary window's "Imprimer", printed on the printer as it stands
// (no print dialog), portrait.
//
// Every sheet is drawn in printer pixels (y downward) with the canvas's default face at 10
// points, h the height and a the average character width of that font (regular), W x H the
// printable area:
//
//   - the title ("Récapitulatif du débit") at x = (W - characters of the title x a) / 2, y = 2;
//   - the panel kinds' blocks start at y0 = 2 + 2h + 16;
//   - the column line from (x_mid, y0) down to (x_mid, H), x_mid = (W - 16) / 2;
//   - each panel kind's block: its key in bold at (1, y), cut with "..." unless its characters
//     at a + 1 each take less than x_mid - 4 (EllipsizeText); then, regular, the detail lines
//     0, 1, 2, 3, 5, 6 and 7 at (x_mid + 1, y), one below the other h + 4 apart. The
//     edge-banding line (4) is listed in the window but never printed;
//   - between two blocks of one sheet, a rule across the sheet at the last line's y + h + 2; the
//     next block starts h + 4 below that line. One block draws no rule.
//
// A block is never split across sheets: a block that would reach below H goes to the next
// sheet, which again has the title and the column line. So every sheet holds the same number of
// blocks (SummaryBlocksPerSheet), the last one fewer; an empty summary prints one sheet with the
// title and the column line. A sheet too short for even one block still gets one block, cut at
// its bottom edge, so the printout always ends.
//
// Nothing of the summary lines is changed. A printer that is not ready, a sheet that cannot be
// started, a drawing that fails or a document that cannot be finished throws PrintError (its
// message for the user); a document begun is then aborted, so nothing half printed is left.

#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/SummaryDetails.h"
#include "job/ResultLists.h"
#include "plan/Printing.h"

namespace tranchex {

inline constexpr int kSummaryPrintFontSize = 10;  // points

// What the printout reads; nothing of it is written.
struct SummaryPrintInputs {
  const SummaryLineList& Lines;
  const SummaryTexts& Texts;  // Title is the printed title
  std::string UnitText;       // "m" or the unit's abbreviation; areas add "²"
  char DecimalSeparator = ',';
};

// The geometry of the printed summary for a printable area and the measures of its font.
struct SummarySheetGeometry {
  std::int32_t LineHeight = 0;  // h
  std::int32_t CharWidth = 0;   // a
  std::int32_t PageWidth = 0;   // W
  std::int32_t PageHeight = 0;  // H

  std::int32_t Step() const { return LineHeight + 4; }
  std::int32_t TitleY() const { return 2; }
  std::int32_t FirstBlockY() const { return 2 + 2 * LineHeight + 16; }
  std::int32_t ColumnX() const { return (PageWidth - 16) / 2; }
  // From a block's top to the bottom of its last printed line: seven lines, six steps apart.
  std::int32_t BlockHeight() const { return 6 * Step() + LineHeight; }
  // From a block's top to the next block's top.
  std::int32_t BlockPitch() const { return 7 * Step(); }
};

// How many blocks a sheet holds: the blocks from y0 that end at or above H; at least one.
std::int32_t SummaryBlocksPerSheet(const SummarySheetGeometry& geometry);

// How many sheets the summary of that many panel kinds takes; at least one.
std::int32_t SummarySheetCount(std::size_t entries, const SummarySheetGeometry& geometry);

// Prints the summary on the target (see above).
PrintReport PrintSummary(PrintTarget& target, const SummaryPrintInputs& inputs);

}  // namespace tranchex
