#include "job/CutLineOrder.h"

#include <algorithm>
#include <cstddef>
#include <vector>

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
  struct Weighed {
    std::int64_t weight;
    LIGNE line;
  };
  std::vector<Weighed> weighed;
  for (Panneau_p& panel : panels) {
    std::vector<LIGNE>& lines = panel.CutLines;
    if (lines.size() <= 1) continue;
    const TRect& r = panel.Rect;
    // Heaviest first; lines of equal weight keep their order. Each weight is worked out once.
    weighed.clear();
    for (const LIGNE& line : lines)
      weighed.push_back({CutLineWeight(line, r.left, r.top, r.right, r.bottom), line});
    std::stable_sort(weighed.begin(), weighed.end(),
                     [](const Weighed& a, const Weighed& b) { return a.weight > b.weight; });
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = weighed[i].line;
  }
}

}  // namespace tranchex
