#pragma once
// The cutting order of a laid-out panel's saw cuts. Cuts that cross the whole panel weigh more
// than partial ones; among cuts of one kind, higher horizontal cuts and vertical cuts farther
// from the right edge weigh more. The cut-line drawing numbers the lines in this order.

#include <cstdint>

#include "engine/Records.h"

namespace tranchex {

// The weight of a cut line on a panel rectangle (y upward). With W and H the panel's width and
// height and (x, y) the line's first point, "div" truncating toward zero:
//   horizontal across the panel  4 x length x (y div 100)
//   horizontal, partial          2 x length x (y div 200 - x div 1000)
//   vertical across the panel    2 x length x ((W - x) div 200)
//   vertical, partial            1 x length x ((W - x) div 400 - (H - y) div 400)
// A line of zero length counts as vertical. A line that is neither horizontal nor vertical
// weighs 0. Worked in 64 bits, so no panel size overflows it.
std::int64_t CutLineWeight(const LIGNE& line, std::int32_t left, std::int32_t top,
                           std::int32_t right, std::int32_t bottom);

// True when line a weighs less than line b.
bool CompareCutLines(LIGNE a, LIGNE b, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom);

// Sorts every panel's cut lines in place, heaviest first; lines of equal weight keep their
// relative order.
void OrderCutLines(PanelList& panels);

}  // namespace tranchex
