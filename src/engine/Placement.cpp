#include "engine/Placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/PlacementDetail.h"

namespace tranchex {

namespace {

using Ext = long double;

bool IsKnownGrain(int grain) { return grain >= GrainHorizontal && grain <= GrainIndifferent; }
bool IsFixedGrain(int grain) { return grain == GrainHorizontal || grain == GrainVertical; }

// Footprint sizes of a part in one orientation.
struct FootprintSize {
  Ext fx;
  Ext fy;
};

FootprintSize FootprintOf(const TPanneau& part, const MarginsBlock& m, bool turned) {
  const Ext lengthWithMargins = static_cast<Ext>(part.Length) + 2 * static_cast<Ext>(m.LengthMargin);
  const Ext widthWithMargins = static_cast<Ext>(part.Width) + 2 * static_cast<Ext>(m.WidthMargin);
  return turned ? FootprintSize{widthWithMargins, lengthWithMargins}
                : FootprintSize{lengthWithMargins, widthWithMargins};
}

bool FootprintFitsRect(const FootprintSize& f, const TRect& r) {
  return static_cast<Ext>(r.Width()) >= f.fx && static_cast<Ext>(r.Height()) >= f.fy;
}

// trunc(a / b) as a grid factor; a non-positive step holds nothing.
std::int64_t GridFactor(std::int64_t room, Ext step) {
  if (!(step > 0)) return 0;
  return TruncToInt(static_cast<Ext>(room) / step);
}

}  // namespace

namespace {

bool FitsRoom(double area, double length, double width, int partGrain, const TRect& rect,
              double lengthMargin, double widthMargin, int panelGrain) {
  const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
  const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.bottom) - rect.top);
  if (static_cast<Ext>(area) > static_cast<Ext>(w * h)) return false;
  const Ext a = 2 * static_cast<Ext>(lengthMargin) + length;
  const Ext b = 2 * static_cast<Ext>(widthMargin) + width;
  const Ext we = static_cast<Ext>(w);
  const Ext he = static_cast<Ext>(h);
  const int pg = partGrain;
  if (IsFixedGrain(pg) && IsFixedGrain(panelGrain)) {
    if (pg == panelGrain) return we >= a && he >= b;
    return he >= a && we >= b;
  }
  if ((pg == GrainIndifferent && IsKnownGrain(panelGrain)) ||
      (IsFixedGrain(pg) && panelGrain == GrainIndifferent)) {
    return std::max(a, b) <= std::max(we, he) && std::min(a, b) <= std::min(we, he);
  }
  return false;
}

// The smallest whole number not below the size, held where comparisons with a rectangle's sides
// (0 to 2^32) keep their answers.
std::int64_t RoundUpSide(Ext size) {
  constexpr Ext bound = 1099511627776.0L;  // 2^40
  const Ext up = std::ceil(size);
  if (up > bound) return static_cast<std::int64_t>(bound);
  if (up < -bound) return -static_cast<std::int64_t>(bound);
  return static_cast<std::int64_t>(up);
}

}  // namespace

bool PartFitsRect(const TPanneau& part, const TRect& rect, double lengthMargin, double widthMargin,
                  int panelGrain) {
  return FitsRoom(part.Area, part.Length, part.Width, part.Grain, rect, lengthMargin, widthMargin,
                  panelGrain);
}

namespace detail {

FitKey::FitKey(const TPanneau& part, double lengthMargin, double widthMargin)
    : grain_(part.Grain),
      area_(part.Area),
      length_(part.Length),
      width_(part.Width),
      lengthMargin_(lengthMargin),
      widthMargin_(widthMargin) {
  const Ext a = 2 * static_cast<Ext>(lengthMargin) + part.Length;
  const Ext b = 2 * static_cast<Ext>(widthMargin) + part.Width;
  exact_ = !std::isnan(a) && !std::isnan(b);
  if (!exact_) return;
  a_ = RoundUpSide(a);
  b_ = RoundUpSide(b);
  lo_ = std::min(a_, b_);
  hi_ = std::max(a_, b_);
  // "Area > width x height" rejects; a NaN area rejects nothing.
  constexpr Ext limit = 9223372036854775807.0L;  // 2^63 - 1, exact in the extended type
  const Ext area = std::ceil(static_cast<Ext>(part.Area));
  if (std::isnan(area) || area <= -limit) {
    areaMin_ = std::numeric_limits<std::int64_t>::min();
  } else if (area > limit) {
    // No width x height reaches it: nothing fits.
    areaMin_ = std::numeric_limits<std::int64_t>::max();
    a_ = b_ = lo_ = hi_ = std::numeric_limits<std::int64_t>::max();
  } else {
    areaMin_ = static_cast<std::int64_t>(area);
  }
}

bool FitKey::SlowFits(const TRect& rect, int panelGrain) const {
  return FitsRoom(area_, length_, width_, grain_, rect, lengthMargin_, widthMargin_, panelGrain);
}

}  // namespace detail

bool PartFitsRect(const TPanneau& part, const TRect& rect, const MarginsBlock& margins,
                  int panelGrain) {
  return PartFitsRect(part, rect, margins.LengthMargin, margins.WidthMargin, panelGrain);
}

bool ThicknessMatches(double panelThickness, double partThickness, const MarginsBlock& margins) {
  const double needed = partThickness + margins.ThicknessMargin;
  double allowance = 0.0;
  if (margins.ThickerStockAllowed != 0) {
    const std::int32_t diff = TruncToInt(static_cast<Ext>(panelThickness) - needed);
    allowance = static_cast<double>(std::llabs(static_cast<std::int64_t>(diff)));
  }
  return panelThickness == needed + allowance;
}

std::optional<bool> PartTurnedIn(int panelGrain, const TPanneau& part, const TRect& rect,
                                 const MarginsBlock& margins, std::uint8_t turnPreference) {
  const int pg = part.Grain;
  if (!IsKnownGrain(pg) || !IsKnownGrain(panelGrain)) return std::nullopt;
  if (IsFixedGrain(pg) && IsFixedGrain(panelGrain)) return pg != panelGrain;

  const Ext lengthWithMargins = 2 * static_cast<Ext>(margins.LengthMargin) + part.Length;
  const Ext wr = static_cast<Ext>(rect.Width());
  const Ext hr = static_cast<Ext>(rect.Height());
  bool turned = (hr >= lengthWithMargins && turnPreference != 0) || wr < lengthWithMargins;
  // The rule above looks at the length only. With a width margin larger than the length margin
  // its choice can stick out of the rectangle (and overlap a neighbour) while the other
  // orientation fits: take the other one then.
  if (!FootprintFitsRect(FootprintOf(part, margins, turned), rect) &&
      FootprintFitsRect(FootprintOf(part, margins, !turned), rect))
    turned = !turned;
  return turned;
}

void PartFootprint(const Panneau_p& panel, TPiece& part, const TRect& rect,
                   const MarginsBlock& margins, std::uint8_t turnPreference) {
  const std::optional<bool> turned =
      PartTurnedIn(panel.Grain, part, rect, margins, turnPreference);
  if (!turned) return;
  const Ext l = rect.left;
  const Ext t = rect.top;
  const Ext m0 = margins.LengthMargin;
  const Ext m1 = margins.WidthMargin;
  const Ext len = part.Length;
  const Ext wid = part.Width;
  if (!*turned) {
    const std::int32_t left = TruncToInt(l + m0);
    const std::int32_t top = TruncToInt(t - m1);
    part.Rect = TRect(left, top, TruncToInt(left + len), TruncToInt(top - wid));
    part.Footprint = TRect(rect.left, rect.top, TruncToInt(l + len + 2 * m0),
                           TruncToInt(t - wid - 2 * m1));
  } else {
    const std::int32_t left = TruncToInt(l + m1);
    const std::int32_t top = TruncToInt(t - m0);
    part.Rect = TRect(left, top, TruncToInt(left + wid), TruncToInt(top - len));
    part.Footprint = TRect(rect.left, rect.top, TruncToInt(l + wid + 2 * m1),
                           TruncToInt(t - len - 2 * m0));
  }
}

float ScoreFreeRect(const Panneau_p& panel, const TRect& rect, std::size_t i, const PartList& group,
                    const MarginsBlock& margins, int criterion) {
  float best = 1.0f;
  if (criterion < CriterionArea || criterion > CriterionWidth) return best;
  const std::int64_t area = (static_cast<std::int64_t>(rect.right) - rect.left) *
                            (static_cast<std::int64_t>(rect.top) - rect.bottom);
  for (std::size_t j = i + 1; j < group.size(); ++j) {
    const TPiece& later = group[j];
    // Copies of one part lie side by side in a group and score alike: the first of a run speaks
    // for the rest.
    if (j > i + 1 && later.Number == group[j - 1].Number) continue;
    if (!PartFitsRect(later, rect, margins, panel.Grain)) continue;
    Ext value;
    if (criterion == CriterionArea) {
      if (area == 0) continue;
      value = static_cast<Ext>(later.Area) / static_cast<Ext>(area);
    } else {
      const Ext size = criterion == CriterionLength ? later.Length : later.Width;
      if (size == 0) continue;
      value = 1 / size;
    }
    if (value < static_cast<Ext>(best)) best = static_cast<float>(value);
  }
  return best;
}

namespace {

// The parts after index i of the group, walked as ScoreFreeRect walks them.
class GroupLaterParts final : public detail::LaterParts {
 public:
  GroupLaterParts(const PartList& group, std::size_t i) : group_(group), i_(i) {}
  float Score(const Panneau_p& panel, const TRect& rect, const MarginsBlock& margins,
              int criterion) const override {
    return ScoreFreeRect(panel, rect, i_, group_, margins, criterion);
  }

 private:
  const PartList& group_;
  std::size_t i_;
};

float ScoreSplitWith(const Panneau_p& panel, const TRect& r1, const TRect& r2,
                     const detail::LaterParts& later, const MarginsBlock& margins, int criterion) {
  const float s1 = later.Score(panel, r1, margins, criterion);
  const float s2 = later.Score(panel, r2, margins, criterion);
  if (s1 < 1.0f && s2 < 1.0f) return static_cast<float>((static_cast<Ext>(s1) + s2) * 0.5L);
  return static_cast<float>(static_cast<Ext>(s1) + s2);
}

void SplitFreeRectWith(Panneau_p& panel, TRect rect, const TPiece& part,
                       const detail::LaterParts& later, int kerf, const MarginsBlock& margins,
                       std::uint8_t turnPreference, const EngineContext& ctx) {
  const std::optional<bool> turned =
      PartTurnedIn(panel.Grain, part, rect, margins, turnPreference);
  if (!turned) return;
  const FootprintSize f = FootprintOf(part, margins, *turned);
  const Ext l = rect.left;
  const Ext t = rect.top;
  const Ext k = kerf;
  const Ext height = static_cast<Ext>(rect.Height());
  const Ext width = static_cast<Ext>(rect.Width());

  // Where the two cuts fall; a side with no room for the part and a kerf yields nothing.
  const std::int32_t yCut = height >= f.fy + k ? TruncToInt(t - f.fy - k) : rect.bottom;
  const std::int32_t xCut = width >= f.fx + k ? TruncToInt(l + f.fx + k) : rect.right;

  const TRect a1(rect.left, yCut, TruncToInt(l + f.fx), rect.bottom);
  const TRect a2(xCut, rect.top, rect.right, rect.bottom);
  const TRect b1(rect.left, yCut, rect.right, rect.bottom);
  const TRect b2(xCut, rect.top, rect.right, TruncToInt(t - f.fy));

  bool orderA;
  if (panel.GridMode == 1) {
    orderA = ctx.GridSplitChoice == 0;
  } else {
    const float sA = ScoreSplitWith(panel, a1, a2, later, margins, ctx.OptimisationCriterion);
    const float sB = ScoreSplitWith(panel, b1, b2, later, margins, ctx.OptimisationCriterion);
    if (sA < sB) {
      orderA = true;
    } else if (sB < sA) {
      orderA = false;
    } else {
      // Equal scores: the order holding the largest single rectangle, the first on a tie.
      const std::array<std::int64_t, 4> areas{RectArea(a1), RectArea(a2), RectArea(b1),
                                              RectArea(b2)};
      const auto largest = std::max_element(areas.begin(), areas.end());  // first of equals
      orderA = largest - areas.begin() < 2;
    }
  }
  const TRect& c1 = orderA ? a1 : b1;
  const TRect& c2 = orderA ? a2 : b2;

  const std::int64_t cut = static_cast<std::int64_t>(panel.CutLength) +
                           (static_cast<std::int64_t>(c1.right) - c1.left) +
                           (static_cast<std::int64_t>(c2.top) - c2.bottom);
  panel.CutLength = TruncToInt(static_cast<Ext>(cut));

  if (RectArea(c1) != 0) panel.FreeRects.push_back(MONRect(c1));
  if (RectArea(c2) != 0) panel.FreeRects.push_back(MONRect(c2));

  // Two lines, each with the rectangle it cuts off.
  LIGNE first;
  LIGNE second;
  const TRect* firstCuts;
  const TRect* secondCuts;
  if (orderA) {
    first = LIGNE{c1.right, c2.top, c1.right, c2.bottom};  // vertical, cuts off A2
    second = LIGNE{c1.left, c1.top, c1.right, c1.top};     // horizontal, cuts off A1
    firstCuts = &c2;
    secondCuts = &c1;
  } else {
    first = LIGNE{c1.left, c1.top, c1.right, c1.top};      // horizontal, cuts off B1
    second = LIGNE{c2.left, c2.top, c2.left, c2.bottom};   // vertical, cuts off B2
    firstCuts = &c1;
    secondCuts = &c2;
  }

  // A line lying on an earlier one is not drawn twice: the first earlier line that either new
  // line lies on decides for both.
  bool onFirst = false;
  bool onSecond = false;
  for (const LIGNE& existing : panel.CutLines) {
    onFirst = RectsAligned(existing, first);
    onSecond = RectsAligned(existing, second);
    if (onFirst || onSecond) break;
  }
  if (RectArea(*firstCuts) != 0 && !onFirst) panel.CutLines.push_back(first);
  if (RectArea(*secondCuts) != 0 && !onSecond) panel.CutLines.push_back(second);
}

}  // namespace

float ScoreSplit(const Panneau_p& panel, const TRect& r1, const TRect& r2, std::size_t i,
                 const PartList& group, const MarginsBlock& margins, int criterion) {
  return ScoreSplitWith(panel, r1, r2, GroupLaterParts(group, i), margins, criterion);
}

void SplitFreeRect(Panneau_p& panel, TRect rect, const TPiece& part, const PartList& group,
                   std::size_t i, int kerf, const MarginsBlock& margins,
                   std::uint8_t turnPreference, const EngineContext& ctx) {
  SplitFreeRectWith(panel, rect, part, GroupLaterParts(group, i), kerf, margins, turnPreference,
                    ctx);
}

GridCounts ComputeGridCounts(const TPanneau& part, const TRect& rect, double lengthMargin, int kerf) {
  const std::int64_t w = rect.Width();
  const std::int64_t h = rect.Height();
  const Ext m0 = lengthMargin;
  const Ext stepLength = 2 * m0 + part.Length + kerf;
  const Ext stepWidth = 2 * m0 + part.Width + kerf;
  GridCounts counts;
  counts.turned = GridFactor(h, stepLength) * GridFactor(w, stepWidth);
  counts.along = GridFactor(w, stepLength) * GridFactor(h, stepWidth);
  return counts;
}

void GridCapacityCheck(const TPanneau& part, const TRect& panelRect, const TRect& firstFree,
                       std::uint8_t& turnPreference, const MarginsBlock& margins, int kerf) {
  if (firstFree.Width() != panelRect.Width() || firstFree.Height() != panelRect.Height() ||
      part.Quantity <= 0 || !PartFitsRect(part, firstFree, margins, GrainIndifferent)) {
    turnPreference = 1;
    return;
  }
  const GridCounts counts = ComputeGridCounts(part, firstFree, margins.LengthMargin, kerf);
  turnPreference =
      counts.turned > std::min<std::int64_t>(part.Quantity, counts.along) ? 1 : 0;
}

ID_NB_PIECE* FindPartCount(PartCountList& counts, std::int32_t number) {
  for (ID_NB_PIECE& entry : counts)
    if (entry.PartId == number) return &entry;
  return nullptr;
}

const ID_NB_PIECE* FindPartCount(const PartCountList& counts, std::int32_t number) {
  return FindPartCount(const_cast<PartCountList&>(counts), number);
}

bool PlacePartInPanel(Panneau_p& panel, TPiece& part, const PartList& group, std::size_t i,
                      const MarginsBlock& margins, int kerf, EngineContext& ctx) {
  return detail::PlacePart(panel, part, detail::FitKey(part, margins.LengthMargin, margins.WidthMargin),
                           GroupLaterParts(group, i), FindPartCount(ctx.PartCounts, part.Number),
                           margins, kerf, ctx);
}

namespace detail {

FreeRoom RoomOf(const Panneau_p& panel) {
  FreeRoom room;
  for (const MONRect& rect : panel.FreeRects) {
    const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
    const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.bottom) - rect.top);
    room.largestArea = std::max(room.largestArea, w * h);
    room.widestSide = std::max(room.widestSide, std::min(w, h));
  }
  return room;
}

void MarkOffer(Panneau_p& panel, const TPiece& part, const MarginsBlock& margins, int kerf) {
  if (panel.Grain == GrainIndifferent &&
      (panel.GridMode == 0 ||
       panel.PlacedParts.size() >= static_cast<std::size_t>(std::max(panel.GridCount, 0))))
    GridCapacityCheck(part, panel.Rect, panel.FreeRects.front(), panel.GridRotate, margins, kerf);
  panel.LastPart = part.Number;
}

bool PlacePart(Panneau_p& panel, TPiece& part, const FitKey& fit, const LaterParts& later,
               ID_NB_PIECE* count, const MarginsBlock& margins, int kerf, EngineContext& ctx,
               const FreeRoom* room) {
  if (panel.FreeRects.empty()) return false;

  // Grid step: an empty panel of indifferent grain is laid out as a regular grid of its first
  // part when enough copies of it remain.
  if (panel.PlacedParts.empty()) {
    if (panel.Grain == GrainIndifferent) {
      const TRect whole = panel.FreeRects.front();
      if (fit.Fits(whole, GrainIndifferent)) {
        const GridCounts counts = ComputeGridCounts(part, whole, margins.LengthMargin, kerf);
        if (counts.turned > counts.along) {
          panel.GridCount = TruncToInt(static_cast<Ext>(counts.turned));
          panel.GridRotate = 1;
          ctx.GridSplitChoice = 0;
        } else {
          panel.GridCount = TruncToInt(static_cast<Ext>(counts.along));
          panel.GridRotate = 0;
          ctx.GridSplitChoice = 1;
        }
      } else {
        panel.GridCount = 0;
      }
      const std::int32_t remaining = count ? count->Count : 0;
      panel.GridMode = remaining >= panel.GridCount ? 1 : 0;
    }
    panel.LastPart = part.Number;
  } else {
    MarkOffer(panel, part, margins, kerf);
  }

  if (!ThicknessMatches(panel.Thickness, part.Thickness, margins) || part.Species != panel.Species)
    return false;
  if (room != nullptr && !fit.MayFit(*room)) return false;

  for (std::size_t r = 0; r < panel.FreeRects.size(); ++r) {
    const TRect receiving = panel.FreeRects[r];
    if (!fit.Fits(receiving, panel.Grain)) continue;
    PartFootprint(panel, part, receiving, margins, panel.GridRotate);
    SplitFreeRectWith(panel, receiving, part, later, kerf, margins, panel.GridRotate, ctx);
    panel.PlacedParts.push_back(part);
    panel.FreeRects.erase(panel.FreeRects.begin() + static_cast<std::ptrdiff_t>(r));
    SortFreeRects(panel.FreeRects);
    if (count != nullptr) count->Count -= 1;
    return true;
  }
  return false;
}

}  // namespace detail

bool RectsAligned(const LIGNE& existing, const LIGNE& added) {
  // Scaled in double on purpose: 1000 * 0.1 must give exactly 100, not a hair above it.
  const auto c = [](std::int32_t v) { return std::ceil(static_cast<double>(v) * 0.1); };
  const LIGNE& e = existing;
  const LIGNE& n = added;
  // The spans are compared first: they are plain integers and rule out most pairs.
  const bool vertical = e.y1 >= n.y1 && e.y2 <= n.y2 && c(e.x1) == c(e.x2) &&
                        c(e.x1) == c(n.x1) && c(e.x2) == c(n.x2);
  if (vertical) return true;
  return e.x1 <= n.x1 && e.x2 >= n.x2 && c(e.y1) == c(e.y2) && c(e.y1) == c(n.y1) &&
         c(e.y2) == c(n.y2);
}

bool RectsOverlapStrict(const TRect& a, const TRect& b) {
  return std::min(a.right, b.right) > std::max(a.left, b.left) &&
         std::max(a.bottom, b.bottom) < std::min(a.top, b.top);
}

}  // namespace tranchex
