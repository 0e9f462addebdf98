#pragma once
// Laid-out panels built by hand for the result-list tests: a panel, the parts placed on it, its
// free rectangles and its cut lines, as the optimiser would leave them.

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "engine/Records.h"

namespace tranchex::test {

// The test fixtures take their arguments in one order: length, width, quantity where it applies,
// grain, thickness, species (as AddStock, AddPart and JobBuilder do). A grain other than 0, 1 or
// 2 is refused, so a call written in another order fails instead of building another panel; a
// test of a strange grain sets Grain itself.
inline Panneau_p MakePanel(double length, double width, int grain = GrainHorizontal,
                           double thickness = 190.0, int species = 0) {
  if (grain != GrainHorizontal && grain != GrainVertical && grain != GrainIndifferent)
    throw std::invalid_argument("MakePanel(length, width, grain, thickness, species): grain " +
                                std::to_string(grain));
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  return p;
}

// A part numbered `number`, placed with its upper-left corner at (left, top).
inline TPiece PlacedPart(int number, double length, double width, int left, int top) {
  TPiece part(length, width, 190.0, 0);
  part.Number = number;
  part.Rect = TRect(left, top, left + static_cast<int>(length), top - static_cast<int>(width));
  part.Footprint = part.Rect;
  return part;
}

// `count` parts of 100 x 100 along the top edge.
inline void PlaceParts(Panneau_p& panel, int count) {
  for (int i = 0; i < count; ++i)
    panel.PlacedParts.push_back(
        PlacedPart(i, 100.0, 100.0, i * 100, static_cast<int>(panel.Width)));
}

inline void SetFreeRects(Panneau_p& panel, std::initializer_list<MONRect> rects) {
  panel.FreeRects.assign(rects.begin(), rects.end());
}

}  // namespace tranchex::test
