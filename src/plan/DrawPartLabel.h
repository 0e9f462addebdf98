#pragma once
// One placed part of a panel plan: its outer rectangle (margins included), its net rectangle
// hatched in green, and the richest label that fits.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "platform/Canvas.h"
#include "plan/DrawingContext.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// The dimension texts of a part's label, by the context's DimensionDisplayMode: two lines for
// the dimensioned label (horizontal extent, vertical extent) and two one-line texts, the second
// used when the first does not fit. Net sizes stand in parentheses, outer sizes in brackets.
struct PartLabelTexts {
  std::string line1;
  std::string line2;
  std::string oneLine1;
  std::string oneLine2;
};

PartLabelTexts BuildPartLabelTexts(const TPiece& part, const std::string& reference,
                                   const UNITE_MESURE& unit, const DrawingContext& context);

// Draws the part (Rect: net position, Footprint: outer rectangle) and sets the context's
// CurrentPartReference to references[part number] (empty when the list has no such entry).
//
// Label tiers, with d = 10 and gw, gh the outer extents divided by the plain scale:
//   1 the caller's font: gh >= 4d + 2h and gw >= 4d + longest dimension line x c: reference,
//     dimension lines and both texts;
//   2 the same in 3 points;
//   3 still 3 points: one-line text 1, else one-line text 2, when gh > h + 10 and
//     gw > characters x c + 10;
//   4 the reference alone, clipped to the outer rectangle (only when the font reads 3 points).
// A dimension text whose box overlaps the reference's box is left out.
//
// Leaves the pen black, the brush white and clear, the font size as on entry and no clip. A
// scale that is not a positive number draws nothing.
void DrawPartLabel(const TPiece& part, Canvas& canvas, std::int32_t originX,
                   std::int32_t originY, const std::vector<std::string>& references,
                   double scale, const UNITE_MESURE& unit, DrawingContext& context);

}  // namespace tranchex
