#include "engine/GroupRuns.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <unordered_set>

#include "engine/Placement.h"

namespace tranchex::detail {

namespace {

using Ext = long double;

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

bool SameRecord(const TPiece& a, const TPiece& b) {
  return SameBits(a.Area, b.Area) && a.Rect == b.Rect && SameBits(a.Length, b.Length) &&
         SameBits(a.Width, b.Width) && SameBits(a.Thickness, b.Thickness) &&
         a.Species == b.Species && a.Grain == b.Grain && a.Quantity == b.Quantity &&
         a.DesignationIndex == b.DesignationIndex && a.Footprint == b.Footprint &&
         a.Unused == b.Unused && a.Number == b.Number;
}

namespace {

bool PlainSize(double v) { return std::isfinite(v) && v > 0; }

// One step of the look-ahead walk: the part's value when it fits, kept when below the best.
void Visit(const PartRun& run, const Panneau_p& panel, const TRect& rect, std::int64_t area,
           int criterion, float& best) {
  if (run.count == 0 || !run.fit.Fits(rect, panel.Grain)) return;  // an emptied run is no part
  Ext value;
  if (criterion == CriterionArea) {
    if (area == 0) return;
    value = static_cast<Ext>(run.part.Area) / static_cast<Ext>(area);
  } else {
    const Ext size = criterion == CriterionLength ? run.part.Length : run.part.Width;
    if (size == 0) return;
    value = 1 / size;
  }
  if (value < static_cast<Ext>(best)) best = static_cast<float>(value);
}

// The walk keeps a value when it is below the best so far (a float, starting at 1.0) and then
// holds it rounded to a float. Rounding keeps order, so whatever the order of the values, the
// walk ends with the smallest value rounded, or 1.0 when no value is below 1.0.
float BestOf(Ext smallest) {
  return smallest < static_cast<Ext>(1.0f) ? static_cast<float>(smallest) : 1.0f;
}

}  // namespace

GroupRuns::GroupRuns(const PartList& group, const MarginsBlock& margins, PartCountList& counts,
                     bool countsByPosition) {
  for (const TPiece& part : group) {
    if (!runs_.empty() && SameRecord(runs_.back().part, part)) {
      ++runs_.back().count;
      continue;
    }
    PartRun run;
    run.part = part;
    run.count = 1;
    run.fit = FitKey(part, margins.LengthMargin, margins.WidthMargin);
    const auto n = static_cast<std::size_t>(part.Number);
    run.entry = countsByPosition && part.Number >= 0 && n < counts.size()
                    ? &counts[n]
                    : FindPartCount(counts, part.Number);
    plain_ = plain_ && run.fit.Exact() && PlainSize(part.Area) && PlainSize(part.Length) &&
             PlainSize(part.Width);
    runs_.push_back(run);
  }
  live_ = runs_.size();
  std::unordered_set<std::int32_t> numbers;
  for (const PartRun& run : runs_) unique_ = unique_ && numbers.insert(run.part.Number).second;
  if (unique_) BuildRunTree();
}

const PartRun& GroupRuns::Front() {
  while (front_ < runs_.size() && runs_[front_].count == 0) ++front_;
  return runs_[front_];
}

namespace {

constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
constexpr RoomNeed kNeedsTooMuch{kMost, kMost, kMost, kMost, kMost, false};

RoomNeed Least(const RoomNeed& a, const RoomNeed& b) {
  return RoomNeed{std::min(a.width, b.width), std::min(a.height, b.height),
                  std::min(a.smaller, b.smaller), std::min(a.larger, b.larger),
                  std::min(a.area, b.area), false};
}

}  // namespace

void GroupRuns::BuildRunTree() {
  runLeaves_ = 1;
  while (runLeaves_ < runs_.size()) runLeaves_ *= 2;
  for (std::int32_t grain = 0; grain < 3; ++grain) {
    std::vector<RoomNeed>& tree = needs_[grain];
    tree.assign(2 * runLeaves_, kNeedsTooMuch);
    for (std::size_t r = 0; r < runs_.size(); ++r) {
      const RoomNeed need = NeedOf(runs_[r].fit, grain);
      if (runs_[r].count > 0 && !need.never) tree[runLeaves_ + r] = need;
    }
    for (std::size_t n = runLeaves_ - 1; n >= 1; --n) tree[n] = Least(tree[2 * n], tree[2 * n + 1]);
  }
  if (!plain_) return;
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (int criterion = CriterionArea; criterion <= CriterionWidth; ++criterion) {
    std::vector<double>& tree = values_[criterion - 1];
    tree.assign(2 * runLeaves_, inf);
    for (std::size_t r = 0; r < runs_.size(); ++r) {
      const TPiece& part = runs_[r].part;
      if (runs_[r].count > 0)
        tree[runLeaves_ + r] = criterion == CriterionArea     ? part.Area
                               : criterion == CriterionLength ? -part.Length
                                                              : -part.Width;
    }
    for (std::size_t n = runLeaves_ - 1; n >= 1; --n) tree[n] = std::min(tree[2 * n], tree[2 * n + 1]);
  }
}

void GroupRuns::SetRunLeaf(std::size_t r) {
  // Only an emptied run changes: it needs more than any room.
  for (std::vector<RoomNeed>& tree : needs_) {
    std::size_t n = runLeaves_ + r;
    tree[n] = kNeedsTooMuch;
    for (n /= 2; n >= 1; n /= 2) tree[n] = Least(tree[2 * n], tree[2 * n + 1]);
  }
  if (!plain_) return;
  for (std::vector<double>& tree : values_) {
    std::size_t n = runLeaves_ + r;
    tree[n] = std::numeric_limits<double>::infinity();
    for (n /= 2; n >= 1; n /= 2) tree[n] = std::min(tree[2 * n], tree[2 * n + 1]);
  }
}

std::size_t GroupRuns::NextMayFit(std::size_t r, const RoomKey& room,
                                  const Panneau_p& panel) const {
  const std::int32_t panelGrain = panel.Grain;
  if (!unique_ || panelGrain < 0 || panelGrain > 2) return r;
  const std::vector<RoomNeed>& tree = needs_[panelGrain];
  std::size_t best = runs_.size();
  if (!Admits(room, tree[1])) return best;
  // The first run that fits each free rectangle, the first of them: asked of one rectangle at a
  // time, a node's least needs are not met by the widest of one rectangle and the tallest of
  // another, so the runs that fit none are seldom visited.
  for (const MONRect& rect : panel.FreeRects) {
    const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
    const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.bottom) - rect.top);
    const RoomKey key{w, h, std::min(w, h), w * h};
    // The first leaf from r on, before the best so far, whose needs the rectangle meets; a node
    // whose least needs it does not meet holds none.
    const auto first = [&](const auto& self, std::size_t n, std::size_t lo,
                           std::size_t hi) -> std::size_t {
      if (hi <= r || lo >= best || !Admits(key, tree[n])) return runs_.size();
      if (hi - lo == 1)
        return lo < runs_.size() && runs_[lo].fit.Fits(rect, panelGrain) ? lo : runs_.size();
      const std::size_t mid = lo + (hi - lo) / 2;
      const std::size_t left = self(self, 2 * n, lo, mid);
      return left < runs_.size() ? left : self(self, 2 * n + 1, mid, hi);
    };
    best = std::min(best, first(first, 1, 0, runLeaves_));
  }
  return best;
}

void GroupRuns::StartPass() {
  // The index reads the runs' records and order, not their counts: it holds until a run empties.
  if (!changed_) return;
  changed_ = false;
  const std::size_t n = runs_.size();
  heads_.clear();
  headAfter_.assign(n, 0);
  for (std::size_t r = 0; r < n; ++r)
    if (r == 0 || runs_[r].part.Number != runs_[r - 1].part.Number) heads_.push_back(r);
  for (std::size_t r = n, k = heads_.size(); r-- > 0;) {
    headAfter_[r] = k;
    if (k > 0 && heads_[k - 1] == r) --k;
  }
  const std::size_t m = heads_.size();
  headFit_.resize(m);
  headArea_.resize(m);
  headLength_.resize(m);
  headWidth_.resize(m);
  for (std::size_t k = 0; k < m; ++k) {
    const PartRun& run = runs_[heads_[k]];
    headFit_[k] = run.fit;
    headArea_[k] = run.part.Area;
    headLength_[k] = run.part.Length;
    headWidth_[k] = run.part.Width;
  }
  if (!plain_) return;
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
  prefixMinArea_.assign(m + 1, inf);
  prefixMinRoomArea_.assign(m + 1, most);
  prefixMinSide_.assign(m + 1, most);
  for (std::size_t k = 0; k < m; ++k) {
    prefixMinArea_[k + 1] = std::min(prefixMinArea_[k], headArea_[k]);
    prefixMinRoomArea_[k + 1] = std::min(prefixMinRoomArea_[k], headFit_[k].SmallestArea());
    prefixMinSide_[k + 1] = std::min(prefixMinSide_[k], headFit_[k].SmallerSide());
  }
  suffixMaxLength_.assign(m + 1, 0.0);
  suffixMaxWidth_.assign(m + 1, 0.0);
  suffixMinRoomArea_.assign(m + 1, most);
  suffixMinSide_.assign(m + 1, most);
  for (std::size_t k = m; k-- > 0;) {
    suffixMaxLength_[k] = std::max(suffixMaxLength_[k + 1], headLength_[k]);
    suffixMaxWidth_[k] = std::max(suffixMaxWidth_[k + 1], headWidth_[k]);
    suffixMinRoomArea_[k] = std::min(suffixMinRoomArea_[k + 1], headFit_[k].SmallestArea());
    suffixMinSide_[k] = std::min(suffixMinSide_[k + 1], headFit_[k].SmallerSide());
  }
}

bool GroupRuns::EndPass() {
  // Only the runs that placed copies change; the list is walked only when one of them empties.
  const bool placed = !touched_.empty();
  bool emptied = false;
  for (const std::size_t r : touched_) {
    PartRun& run = runs_[r];
    run.count -= run.placed;
    run.placed = 0;
    if (run.count == 0) {
      emptied = true;
      --live_;
      if (unique_) SetRunLeaf(r);
    }
  }
  touched_.clear();
  // Emptied runs stay while they are fewer than those left, when they need not leave at once.
  if (emptied && (!unique_ || 2 * live_ < runs_.size())) {
    std::erase_if(runs_, [](const PartRun& run) { return run.count == 0; });
    front_ = 0;
    changed_ = true;
    if (unique_) BuildRunTree();
  }
  return placed;
}

void GroupRuns::WriteBack(PartList& group) const {
  group.clear();
  for (const PartRun& run : runs_) group.insert(group.end(), run.count, run.part);
}

float GroupRuns::Score(std::size_t r, std::size_t c, const Panneau_p& panel, const TRect& rect,
                       int criterion) const {
  if (criterion < CriterionArea || criterion > CriterionWidth) return 1.0f;
  // The entry just after copy c: the next copy of the run, or the first of the next run.
  const std::size_t first = c + 1 < runs_[r].count ? r : r + 1;
  if (first >= runs_.size()) return 1.0f;
  const std::size_t from = headAfter_[first];
  // Criterion 1 divides by the rectangle's area: an empty rectangle keeps no value.
  if (criterion == CriterionArea && RectArea(rect) == 0) return 1.0f;
  // (Over a rectangle of negative area the best value is the largest part that fits.)
  if (plain_ && unique_ && panel.Grain >= 0 && panel.Grain <= 2 &&
      (criterion != CriterionArea || RectArea(rect) > 0)) {
    // Every run is a head: the best value among the runs from `first` on that fit.
    const double best = BestFitting(first, panel, rect, criterion);
    if (std::isinf(best)) return 1.0f;
    if (criterion == CriterionArea)
      return BestOf(static_cast<Ext>(best) / static_cast<Ext>(RectArea(rect)));
    return BestOf(1 / static_cast<Ext>(-best));
  }
  if (plain_) {
    if (criterion != CriterionArea) return ScoreLargestSize(first, from, panel, rect, criterion);
    if (RectArea(rect) > 0) return ScoreSmallestArea(first, from, panel, rect);
  }
  return ScoreInOrder(first, from, panel, rect, criterion);
}

double GroupRuns::BestFitting(std::size_t first, const Panneau_p& panel, const TRect& rect,
                              int criterion) const {
  const std::int32_t grain = panel.Grain;
  const std::vector<RoomNeed>& needs = needs_[grain];
  const std::vector<double>& values = values_[criterion - 1];
  const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
  const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.bottom) - rect.top);
  const RoomKey key{w, h, std::min(w, h), w * h};
  double best = std::numeric_limits<double>::infinity();
  // Groups come largest first: the smallest areas lie at the end, the longest at the front.
  const bool fromTheEnd = criterion == CriterionArea;
  const auto visit = [&](const auto& self, std::size_t n, std::size_t lo, std::size_t hi) -> void {
    if (hi <= first || values[n] >= best || !Admits(key, needs[n])) return;
    if (hi - lo == 1) {
      if (lo < runs_.size() && runs_[lo].count > 0 && runs_[lo].fit.Fits(rect, grain)) best = values[n];
      return;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    if (fromTheEnd) {
      self(self, 2 * n + 1, mid, hi);
      self(self, 2 * n, lo, mid);
    } else {
      self(self, 2 * n, lo, mid);
      self(self, 2 * n + 1, mid, hi);
    }
  };
  visit(visit, 1, 0, runLeaves_);
  return best;
}

float GroupRuns::ScoreInOrder(std::size_t first, std::size_t from, const Panneau_p& panel,
                              const TRect& rect, int criterion) const {
  const std::int64_t area = RectArea(rect);
  float best = 1.0f;
  Visit(runs_[first], panel, rect, area, criterion, best);
  for (std::size_t k = from; k < heads_.size(); ++k)
    Visit(runs_[heads_[k]], panel, rect, area, criterion, best);
  return best;
}

// Criterion 1: the value is the part's area over the rectangle's, so the best is the smallest
// area that fits. Groups come largest first, so the walk goes from the end, and stops as soon as
// no head before the current one could fit or do better.
float GroupRuns::ScoreSmallestArea(std::size_t first, std::size_t from, const Panneau_p& panel,
                                   const TRect& rect) const {
  const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
  const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.top) - rect.bottom);
  const std::int64_t room = w * h;
  const std::int64_t side = std::min(w, h);
  double best = std::numeric_limits<double>::infinity();
  // The bounds count emptied runs too: they stay bounds.
  if (runs_[first].count > 0 && runs_[first].fit.Fits(rect, panel.Grain)) best = runs_[first].part.Area;
  for (std::size_t k = heads_.size(); k-- > from;) {
    if (prefixMinArea_[k + 1] >= best || prefixMinRoomArea_[k + 1] > room ||
        prefixMinSide_[k + 1] > side)
      break;
    if (headArea_[k] < best && runs_[heads_[k]].count > 0 && headFit_[k].Fits(rect, panel.Grain))
      best = headArea_[k];
  }
  if (std::isinf(best)) return 1.0f;
  return BestOf(static_cast<Ext>(best) / static_cast<Ext>(RectArea(rect)));
}

// Criteria 2 and 3: the value is one over the part's length (width), so the best is the longest
// (widest) part that fits; the walk goes from the front.
float GroupRuns::ScoreLargestSize(std::size_t first, std::size_t from, const Panneau_p& panel,
                                  const TRect& rect, int criterion) const {
  const bool byLength = criterion == CriterionLength;
  const std::vector<double>& size = byLength ? headLength_ : headWidth_;
  const std::vector<double>& suffixMax = byLength ? suffixMaxLength_ : suffixMaxWidth_;
  const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
  const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.top) - rect.bottom);
  const std::int64_t room = w * h;
  const std::int64_t side = std::min(w, h);
  double best = 0.0;
  if (runs_[first].count > 0 && runs_[first].fit.Fits(rect, panel.Grain))
    best = byLength ? runs_[first].part.Length : runs_[first].part.Width;
  for (std::size_t k = from; k < heads_.size(); ++k) {
    if (suffixMax[k] <= best || suffixMinRoomArea_[k] > room || suffixMinSide_[k] > side) break;
    if (size[k] > best && runs_[heads_[k]].count > 0 && headFit_[k].Fits(rect, panel.Grain))
      best = size[k];
  }
  if (best == 0.0) return 1.0f;
  return BestOf(1 / static_cast<Ext>(best));
}

}  // namespace tranchex::detail
