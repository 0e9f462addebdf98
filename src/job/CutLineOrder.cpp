#include "job/CutLineOrder.h"

#include <cstddef>
#include <utility>

namespace tranchex {

std::int64_t CutLineWeight(const LIGNE& line, std::int32_t left, std::int32_t top,
                           std::int32_t right, std::int32_t bottom) {
  const std::int64_t w = static_cast<std::int64_t>(right) - left;
  const std::int64_t h = static_cast<std::int64_t>(top) - bottom;
  const std::int64_t x = line.x1;
  const std::int64_t y = line.y1;
  std::int64_t factor = 0;
  std::int64_t length = 0;
  std::int64_t position = 0;
  bool ruled = false;
  // The horizontal test first, the vertical one second: a line of zero length ends vertical.
  if (line.y1 == line.y2) {
    length = static_cast<std::int64_t>(line.x1) - line.x2;
    if (length < 0) length = -length;
    if (length == w) {
      factor = 4;
      position = y / 100;
    } else {
      factor = 2;
      position = y / 200 - x / 1000;
    }
    ruled = true;
  }
  if (line.x1 == line.x2) {
    length = static_cast<std::int64_t>(line.y1) - line.y2;
    if (length < 0) length = -length;
    if (length == h) {
      factor = 2;
      position = (w - x) / 200;
    } else {
      factor = 1;
      position = (w - x) / 400 - (h - y) / 400;
    }
    ruled = true;
  }
  if (!ruled) return 0;
  return factor * length * position;
}

bool CompareCutLines(LIGNE a, LIGNE b, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom) {
  return CutLineWeight(a, left, top, right, bottom) < CutLineWeight(b, left, top, right, bottom);
}

void OrderCutLines(PanelList& panels) {
  for (Panneau_p& panel : panels) {
    std::vector<LIGNE>& lines = panel.CutLines;
    const std::size_t n = lines.size();
    if (n <= 1) continue;
    const TRect& r = panel.Rect;
    // An exchange sort: a pair swaps only when the first weighs strictly less, so equal weights
    // keep their order.
    for (std::size_t pass = 0; pass + 1 < n; ++pass) {
      for (std::size_t j = 0; j + 1 < n; ++j) {
        if (CompareCutLines(lines[j], lines[j + 1], r.left, r.top, r.right, r.bottom))
          std::swap(lines[j], lines[j + 1]);
      }
    }
  }
}

}  // namespace tranchex
