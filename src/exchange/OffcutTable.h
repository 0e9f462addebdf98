#pragma once
// The offcut table of the offcut list window: five columns (count, length, width, thickness,
// species) over every offcut, drawn on a canvas in pixels.

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/JobExport.h"
#include "platform/Canvas.h"

namespace tranchex {

struct OffcutTableGeometry {
  std::int32_t Width = 335;   // the visible table's width: the columns split it in five
  std::int32_t Height = 175;  // the visible table's height: the column lines run down it
  std::int32_t RuleWidth = 369;  // the title rule runs across the whole window
  std::int32_t ImageWidth = 335;
  std::int32_t ImageHeight = 500;
};

// The x of column i (0..4).
std::int32_t OffcutColumnX(std::int32_t width, int column);

// The height the table needs: (text height + 4) x offcuts + 2, the scroll rule of the window.
std::int32_t OffcutTableHeight(std::int32_t textHeight, std::size_t offcuts);

// Draws the table. Lengths divided by the unit factor; a simple job shows "Non spécifié" for
// the thickness and the species.
void DrawOffcutTable(Canvas& canvas, const ExportSource& source, const OffcutTableGeometry& g);

}  // namespace tranchex
