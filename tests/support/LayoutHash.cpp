#include "support/LayoutHash.h"

#include <cstdio>

namespace tranchex::test {

void LayoutHasher::Add(std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  for (int byte = 0; byte < 8; ++byte) {
    hash_ ^= (bits >> (8 * byte)) & 0xffu;
    hash_ *= 1099511628211ull;
  }
}

void LayoutHasher::Add(const TRect& r) {
  Add(r.left);
  Add(r.top);
  Add(r.right);
  Add(r.bottom);
}

void LayoutHasher::Add(const LIGNE& l) {
  Add(l.x1);
  Add(l.y1);
  Add(l.x2);
  Add(l.y2);
}

void LayoutHasher::Add(const TestRun& run) {
  // Every list is preceded by its length, so that no two different outcomes feed the same words.
  Add(static_cast<std::int64_t>(run.panels.size()));
  for (const Panneau_p& panel : run.panels) {
    Add(panel.EntryIndex);
    Add(panel.Rect);
    Add(panel.GridRotate);
    Add(panel.GridCount);
    Add(panel.GridMode);
    Add(panel.CutLength);
    Add(panel.LastPart);
    Add(static_cast<std::int64_t>(panel.PlacedParts.size()));
    for (const TPiece& part : panel.PlacedParts) {
      Add(part.Number);
      Add(part.Rect);
      Add(part.Footprint);
    }
    Add(static_cast<std::int64_t>(panel.FreeRects.size()));
    for (const MONRect& free : panel.FreeRects) Add(free);
    Add(static_cast<std::int64_t>(panel.CutLines.size()));
    for (const LIGNE& line : panel.CutLines) Add(line);
  }
  Add(run.ctx.GridSplitChoice);
  Add(static_cast<std::int64_t>(run.ctx.PartCounts.size()));
  for (const ID_NB_PIECE& count : run.ctx.PartCounts) {
    Add(count.PartId);
    Add(count.Count);
  }
  Add(run.failed ? 1 : 0);
  if (run.failed) {
    Add(run.unplaceable.Number);
    Add(run.unplaceable.Rect);
  }
}

std::uint64_t LayoutHash(const TestRun& run) {
  LayoutHasher hasher;
  hasher.Add(run);
  return hasher.Value();
}

std::string HashText(std::uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace tranchex::test
