#include "engine/Records.h"

#include <algorithm>
#include <utility>

namespace tranchex {

namespace {

TRect WholeRect(double length, double width) {
  return TRect(0, TruncToInt(width), TruncToInt(length), 0);
}

}  // namespace

TPanneau::TPanneau(double length, double width, double thickness, int species)
    : Area(length * width),
      Rect(WholeRect(length, width)),
      Length(length),
      Width(width),
      Thickness(thickness),
      Species(species) {}

Panneau_p::Panneau_p(double length, double width, double thickness, int species)
    : TPanneau(length, width, thickness, species), FreeRects{MONRect(Rect)} {}

Panneau_p::Panneau_p(const Panneau_p& src) : TPanneau() {
  Rect = src.Rect;
  if (src.PlacedParts.empty()) {
    FreeRects.assign(1, MONRect(Rect));
  } else {
    FreeRects = src.FreeRects;
    PlacedParts = src.PlacedParts;
    CutLines = src.CutLines;
  }
  Length = src.Length;
  Width = src.Width;
  Thickness = src.Thickness;
  Species = src.Species;
  Quantity = src.Quantity;
  Grain = src.Grain;
  Area = src.Area;
  CutLength = src.CutLength;
  EntryIndex = src.EntryIndex;
  LastPart = -1;
}

Panneau_p& Panneau_p::operator=(const Panneau_p& src) {
  if (this != &src) {
    Panneau_p copy(src);
    *this = std::move(copy);
  }
  return *this;
}

void PanelFromDimensions(TPanneau& panel) {
  panel.Rect = WholeRect(panel.Length, panel.Width);
  panel.Area = panel.Width * panel.Length;
}

void ResizePanelLayout(Panneau_p& panel) {
  PanelFromDimensions(panel);
  const MONRect whole(TRect(0, TruncToInt(panel.Width), TruncToInt(panel.Length), 0));
  if (panel.FreeRects.empty())
    panel.FreeRects.push_back(whole);
  else
    panel.FreeRects.front() = whole;
}

TPiece& AssignPartNumber(TPiece& part, EngineContext& ctx) {
  part.Number = ctx.PartCounter;
  ctx.PartCounter += 1;
  return part;
}

void RenumberParts(PartList& jobParts, EngineContext& ctx) {
  for (std::size_t i = 0; i < jobParts.size(); ++i) jobParts[i].Number = static_cast<std::int32_t>(i);
  ctx.PartCounter = static_cast<int>(jobParts.size());
}

bool PartNumbersArePositions(const PartList& jobParts) {
  for (std::size_t i = 0; i < jobParts.size(); ++i)
    if (jobParts[i].Number != static_cast<std::int32_t>(i)) return false;
  return true;
}

std::int32_t PanelPerimeter(const TPanneau& p) {
  return TruncToInt(2.0L * (static_cast<long double>(p.Length) + p.Width));
}

std::int64_t RectArea(const TRect& r) {
  return (static_cast<std::int64_t>(r.right) - r.left) * (static_cast<std::int64_t>(r.top) - r.bottom);
}

bool PartAreaLess(const TPanneau& a, const TPanneau& b) { return RectArea(a.Rect) < RectArea(b.Rect); }

bool PartCriterionGreater(const TPanneau& a, const TPanneau& b, int criterion) {
  switch (criterion) {
    case CriterionArea:
      return RectArea(a.Rect) > RectArea(b.Rect);
    case CriterionLength:
      return static_cast<std::int64_t>(a.Rect.right) - a.Rect.left >
             static_cast<std::int64_t>(b.Rect.right) - b.Rect.left;
    case CriterionWidth:
      return static_cast<std::int64_t>(a.Rect.top) - a.Rect.bottom >
             static_cast<std::int64_t>(b.Rect.top) - b.Rect.bottom;
    default:
      return false;
  }
}

bool FreeRectLess(const TRect& a, const TRect& b) {
  const std::int64_t areaA = RectArea(a);
  const std::int64_t areaB = RectArea(b);
  if (areaA != areaB) return areaA < areaB;
  // Equal areas: the one nearer the upper-left corner first.
  if (a.top > b.top && a.left < b.left) return true;
  if (a.left == b.left) {
    if (a.top > b.top) return true;
    if (a.top < b.top) return false;
  }
  if (a.top == b.top) {
    if (a.left < b.left) return true;
    if (a.left > b.left) return false;
  }
  // Same corner, or one higher but further right: neither comes first.
  return false;
}

void SortPanelsByKey(PanelList& panels, std::int64_t (*key)(const Panneau_p&)) {
  std::vector<std::pair<std::int64_t, std::size_t>> order;
  order.reserve(panels.size());
  for (std::size_t i = 0; i < panels.size(); ++i) order.emplace_back(key(panels[i]), i);
  // Equal keys keep their positions' order: the order of a stable sort.
  std::sort(order.begin(), order.end());
  PanelList sorted;
  sorted.reserve(panels.size());
  for (const auto& entry : order) sorted.push_back(std::move(panels[entry.second]));
  panels = std::move(sorted);
}

void SortFreeRects(std::vector<MONRect>& rects) {
  for (std::size_t i = 1; i < rects.size(); ++i) {
    const MONRect moving = rects[i];
    std::size_t j = i;
    while (j > 0 && FreeRectLess(moving, rects[j - 1])) {
      rects[j] = rects[j - 1];
      --j;
    }
    rects[j] = moving;
  }
}

std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "(l " << r.left << ", t " << r.top << ", r " << r.right << ", b " << r.bottom << ")";
}

std::ostream& operator<<(std::ostream& os, const LIGNE& l) {
  return os << "[(" << l.x1 << ", " << l.y1 << ") -> (" << l.x2 << ", " << l.y2 << ")]";
}

}  // namespace tranchex
