#pragma once
// The cutting sheet: a ruled table of the job's parts, one row per part, drawn in pixels. The
// main window shows one page of it below its tool panel; the print commands put one page of it
// on each sheet of paper. Only the geometry differs: the width the columns share, how far down
// the vertical rules run, where the header sits and the font's measures.
//
// Columns, left to right: reference (4 average characters wide), designation, count, length,
// width, thickness, species, grain. With W the width and L = 4 x aw, the column edges are
// x(i) = ((W - L) x i) div 7 + L for i = 1..7, so x(7) = W; every text starts one pixel right of
// its column's left edge (the reference two pixels in the rows).
//
// Rows: the header texts (bold) at Top, a rule across the width at Top + h + 2, then each row
// takes h + 3 pixels: its texts two pixels below the rule above it, its own rule h + 1 below
// them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "job/PageLists.h"
#include "job/JobState.h"
#include "job/ListTexts.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// The words of the sheet: those that describe a part (column titles, the grain words, and
// TextNotSpecified for the thickness and species of a simple job) and the other column titles.
struct CuttingSheetTexts : DescriptionTexts {
  std::string TextReference;    // "Référence" (its first three characters head the column)
  std::string TextDesignation;  // "Désignation"
  std::string TextLength;       // "Longueur"
  std::string TextWidth;        // "Largeur"
};

// The language texts above.
CuttingSheetTexts LoadCuttingSheetTexts();

// Where one page of the sheet goes, in pixels, with the measures of the font it is drawn in
// (the caller sets the font and reads its metrics).
struct CuttingSheetLayout {
  std::int32_t Width = 0;         // W: the horizontal rules run from 0 to W
  std::int32_t RuleBottom = 0;    // the vertical rules run from y = 0 down to this
  std::int32_t Top = 0;           // y of the header texts
  std::int32_t TextHeight = 0;    // h
  std::int32_t AveCharWidth = 0;  // aw; taken as 1 when smaller
};

// The column geometry of a width.
struct CuttingSheetColumns {
  std::int32_t ReferenceWidth = 0;  // L = 4 x aw
  // Edges[i] = x(i) for i = 1..7; Edges[0] = L.
  std::array<std::int32_t, 8> Edges{};
  // How many characters of a designation are written: one less than the column holds, so the
  // text ends before the next column's rule. 0 or less: no designation at all.
  std::int32_t DesignationLimit = 0;
};

CuttingSheetColumns ComputeCuttingSheetColumns(std::int32_t width, std::int32_t aveCharWidth);

// Pixels one row takes (the header row too): |h| + 3.
std::int32_t CuttingSheetRowHeight(std::int32_t textHeight);

// How many part rows fit on a page of the given height below the header row, each with its
// rule inside the page: (pageHeight - 1) div (|h| + 3) - 1, at least 1.
std::uint32_t CuttingSheetRowsPerPage(std::int32_t pageHeight, std::int32_t textHeight);

// Draws one page: the vertical rules at L and x(1)..x(7) from 0 to RuleBottom; the header in
// bold; then in regular style the header rule and the rows page.FirstRow..page.LastRow of the
// job's parts (a page {0, -1} has none; a row the part list lacks ends the page). Lengths are
// divided by the unit's factor and written with two decimals; a simple job (JobKind 1) writes
// TextNotSpecified for thickness and species, and so does a species past the species list; a grain
// outside 0..2 writes nothing;
// the reference is the JobReferences entry at the part's number. Uses the canvas's pen and
// font face and size, in the pixels mapping; leaves the font regular.
void DrawCuttingSheetPage(Canvas& canvas, const CuttingSheetLayout& layout, const PAGE& page,
                          const JobState& job, const std::vector<std::string>& species,
                          const UNITE_MESURE& unit, const CuttingSheetTexts& texts,
                          char decimalSeparator);

}  // namespace tranchex
