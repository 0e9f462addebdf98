#include "engine/PanelIndex.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <utility>

#include "engine/Placement.h"

namespace tranchex::detail {

namespace {

bool IsFixed(std::int32_t grain) { return grain == GrainHorizontal || grain == GrainVertical; }

RoomKey Combine(const RoomKey& a, const RoomKey& b) {
  return RoomKey{std::max(a.width, b.width), std::max(a.height, b.height),
                 std::max(a.smaller, b.smaller), std::max(a.area, b.area)};
}

}  // namespace

// Widths and heights as the fit test reads them: magnitudes.
RoomKey RoomKeyOf(const Panneau_p& panel) {
  RoomKey key;
  if (panel.PlacedParts.empty()) return key;
  for (const MONRect& rect : panel.FreeRects) {
    const std::int64_t w = std::llabs(static_cast<std::int64_t>(rect.right) - rect.left);
    const std::int64_t h = std::llabs(static_cast<std::int64_t>(rect.bottom) - rect.top);
    key.width = std::max(key.width, w);
    key.height = std::max(key.height, h);
    key.smaller = std::max(key.smaller, std::min(w, h));
    key.area = std::max(key.area, w * h);
  }
  return key;
}

// What FitKey::Fits asks of a rectangle on a panel of the grain, as lower bounds.
RoomNeed NeedOf(const FitKey& fit, std::int32_t panelGrain) {
  RoomNeed need;
  if (!fit.Exact()) return need;  // tested by PartFitsRect itself: may fit anywhere
  const std::int32_t partGrain = fit.Grain();
  // Either way the part lies, its smaller side needs the rectangle's smaller side, its larger
  // side the larger one.
  need.smaller = fit.SmallerSide();
  need.larger = fit.LargerSide();
  if (IsFixed(partGrain) && IsFixed(panelGrain)) {
    const bool along = partGrain == panelGrain;
    need.width = along ? fit.AlongX() : fit.AlongY();
    need.height = along ? fit.AlongY() : fit.AlongX();
  } else if (!(partGrain == GrainIndifferent && (IsFixed(panelGrain) || panelGrain == GrainIndifferent)) &&
             !(IsFixed(partGrain) && panelGrain == GrainIndifferent)) {
    need.never = true;
  }
  need.area = fit.SmallestArea();
  // A rectangle's sides and area are never below 0.
  for (std::int64_t* v : {&need.width, &need.height, &need.smaller, &need.larger, &need.area})
    *v = std::max<std::int64_t>(*v, 0);
  return need;
}

bool Admits(const RoomKey& key, const RoomNeed& need) {
  return !need.never && key.width >= need.width && key.height >= need.height &&
         key.smaller >= need.smaller && std::max(key.width, key.height) >= need.larger &&
         key.area >= need.area;
}

namespace {

// The first leaf at or after `from` whose key admits the need and that `takes`; a node whose key
// does not admit it holds none.
template <typename Takes>
std::size_t FirstAdmitted(const std::vector<RoomKey>& tree, std::size_t node, std::size_t lo,
                          std::size_t hi, std::size_t from, const RoomNeed& need,
                          const Takes& takes) {
  if (hi <= from || !Admits(tree[node], need)) return PanelIndex::kNone;
  if (hi - lo == 1) return takes(lo) ? lo : PanelIndex::kNone;
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::size_t left = FirstAdmitted(tree, 2 * node, lo, mid, from, need, takes);
  if (left != PanelIndex::kNone) return left;
  return FirstAdmitted(tree, 2 * node + 1, mid, hi, from, need, takes);
}

}  // namespace

bool PanelIndex::Serves(const PanelList& panels, const PanelList& stock) {
  const auto known = [](const Panneau_p& p) { return IsFixed(p.Grain) || p.Grain == GrainIndifferent; };
  return std::all_of(panels.begin(), panels.end(), known) &&
         std::all_of(stock.begin(), stock.end(), known);
}

PanelIndex::PanelIndex(const PanelList& panels, const std::function<bool(std::size_t)>& hidden,
                       const MarginsBlock& margins, int kerf)
    : margins_(margins), kerf_(kerf), panels_(panels) {
  kindOf_.reserve(panels.size());
  slotOf_.reserve(panels.size());
  markedBefore_.reserve(panels.size());
  for (std::size_t j = 0; j < panels.size(); ++j) {
    Append(j, panels[j]);
    if (panels[j].PlacedParts.empty() && !hidden(j)) stops_.insert(stops_.end(), j);
  }
}

std::size_t PanelIndex::KindOf(const Panneau_p& panel) {
  // Panels of one kind mostly come one after the other.
  const auto same = [&](const Kind& k) {
    return k.species == panel.Species && k.grain == panel.Grain &&
           std::bit_cast<std::uint64_t>(k.thickness) == std::bit_cast<std::uint64_t>(panel.Thickness);
  };
  if (!kindOf_.empty() && same(kinds_[kindOf_.back()])) return kindOf_.back();
  for (std::size_t k = 0; k < kinds_.size(); ++k)
    if (same(kinds_[k])) return k;
  kinds_.push_back(Kind{panel.Species, panel.Thickness, panel.Grain, {}, {}, 0});
  return kinds_.size() - 1;
}

void PanelIndex::Append(std::size_t j, const Panneau_p& panel) {
  const std::size_t k = KindOf(panel);
  Kind& kind = kinds_[k];
  const std::size_t slot = kind.positions.size();
  kind.positions.push_back(j);
  kindOf_.push_back(static_cast<std::uint32_t>(k));
  slotOf_.push_back(static_cast<std::uint32_t>(slot));
  markedBefore_.push_back(0);
  if (slot >= kind.leaves) {
    // Twice the room, the leaves kept, the inner nodes worked out again.
    const std::size_t leaves = std::max<std::size_t>(1, 2 * kind.leaves);
    std::vector<RoomKey> tree(2 * leaves);
    for (std::size_t s = 0; s < kind.leaves; ++s) tree[leaves + s] = kind.tree[kind.leaves + s];
    for (std::size_t n = leaves - 1; n >= 1; --n) tree[n] = Combine(tree[2 * n], tree[2 * n + 1]);
    kind.tree = std::move(tree);
    kind.leaves = leaves;
  }
  SetLeaf(j, RoomKeyOf(panel));
}

void PanelIndex::SetLeaf(std::size_t j, const RoomKey& key) {
  Kind& kind = kinds_[kindOf_[j]];
  std::size_t n = kind.leaves + slotOf_[j];
  kind.tree[n] = key;
  for (n /= 2; n >= 1; n /= 2) kind.tree[n] = Combine(kind.tree[2 * n], kind.tree[2 * n + 1]);
}

void PanelIndex::Added(const PanelList& panels) {
  const std::size_t j = panels.size() - 1;
  Append(j, panels[j]);
  if (panels[j].PlacedParts.empty()) stops_.insert(stops_.end(), j);
}

void PanelIndex::Placed(const PanelList& panels, std::size_t j, std::size_t newLeader) {
  stops_.erase(j);
  if (newLeader != kNone) stops_.insert(newLeader);
  SetLeaf(j, RoomKeyOf(panels[j]));
}

void PanelIndex::BeginRun(const TPiece& part, const FitKey& fit, bool sameGrain) {
  for (const std::size_t j : refused_) SetLeaf(j, RoomKeyOf(panels_[j]));
  refused_.clear();
  part_ = part;
  fit_ = fit;
  partNoted_ = false;
  candidates_.clear();
  for (std::size_t k = 0; k < kinds_.size(); ++k) {
    const Kind& kind = kinds_[k];
    if (kind.species != part.Species || !ThicknessMatches(kind.thickness, part.Thickness, margins_))
      continue;
    if (sameGrain && kind.grain != part.Grain) continue;
    const RoomNeed need = NeedOf(fit, kind.grain);
    if (!need.never) candidates_.push_back(Candidate{k, need});
  }
  noneThinner_ = true;
  if (margins_.ThickerStockAllowed == 0) return;
  // The ratio test (ChoosePanelByRatio): panel k is thinner relative to the part than panel j
  // when k's thickness over the part's need, in double, is below j's, taken in float.
  const long double needed = static_cast<long double>(part.Thickness) + margins_.ThicknessMargin;
  const double neededDouble = part.Thickness + margins_.ThicknessMargin;
  for (const Kind& j : kinds_) {
    const float ratioJ = static_cast<float>(static_cast<long double>(j.thickness) / needed);
    for (const Kind& k : kinds_) {
      if (k.species == part.Species && neededDouble <= k.thickness &&
          k.thickness / neededDouble < ratioJ) {
        noneThinner_ = false;
        return;
      }
    }
  }
}

void PanelIndex::Revealed(std::size_t from, std::size_t to) {
  for (std::size_t k = from; k < to; ++k) stops_.insert(k);
}

std::size_t PanelIndex::Next(std::size_t from) {
  const auto stop = stops_.lower_bound(from);
  std::size_t best = stop == stops_.end() ? kNone : *stop;
  std::vector<std::size_t>& unfit = unfit_;
  for (const Candidate& c : candidates_) {
    const Kind& kind = kinds_[c.kind];
    const auto first = std::lower_bound(kind.positions.begin(), kind.positions.end(), from);
    // A panel is named only when one of its free rectangles fits the part; one that has none
    // is passed over by the run's other copies too.
    const auto takes = [&](std::size_t slot) {
      const Panneau_p& panel = panels_[kind.positions[slot]];
      const bool fits = std::any_of(panel.FreeRects.begin(), panel.FreeRects.end(),
                                    [&](const MONRect& rect) { return fit_.Fits(rect, kind.grain); });
      if (!fits) unfit.push_back(kind.positions[slot]);
      return fits;
    };
    const std::size_t slot =
        FirstAdmitted(kind.tree, 1, 0, kind.leaves,
                      static_cast<std::size_t>(first - kind.positions.begin()), c.need, takes);
    if (slot != kNone) best = std::min(best, kind.positions[slot]);
  }
  for (const std::size_t j : unfit_) Refused(j);
  unfit_.clear();
  return best;
}

void PanelIndex::Refused(std::size_t j) {
  SetLeaf(j, RoomKey{});
  refused_.push_back(j);
}

void PanelIndex::OfferedInTurn(std::size_t j, bool placed) {
  markedBefore_[j] = walks_ + (placed ? 1 : 0);
}

void PanelIndex::NoteOffer(std::size_t from, std::size_t to, bool sameGrainOnly,
                           bool passedOver) {
  const std::size_t walk = walks_++;
  if (!passedOver) return;
  if (!partNoted_) {
    parts_.push_back(part_);
    partNoted_ = true;
  }
  offers_.push_back(Offer{from, to, sameGrainOnly ? part_.Grain : -1,
                          static_cast<std::uint32_t>(parts_.size() - 1), walk});
}

void PanelIndex::Settle(PanelList& panels) const {
  if (offers_.empty()) return;
  const std::size_t n = panels.size();
  // For each grain, the last offer that reached each panel: the offers from the last back, each
  // taking the panels of its range that no later one took (skipping the taken ones).
  std::vector<std::size_t> next(n + 1);
  std::vector<std::size_t> last(n);
  const auto find = [&](std::size_t x) {
    std::size_t root = x;
    while (next[root] != root) root = next[root];
    while (next[x] != root) x = std::exchange(next[x], root);
    return root;
  };
  for (const std::int32_t grain : {GrainHorizontal, GrainVertical, GrainIndifferent}) {
    for (std::size_t x = 0; x <= n; ++x) next[x] = x;
    std::fill(last.begin(), last.end(), kNone);
    for (std::size_t e = offers_.size(); e-- > 0;) {
      const Offer& offer = offers_[e];
      if (offer.grain != -1 && offer.grain != grain) continue;
      const std::size_t to = std::min(offer.to, n - 1);
      for (std::size_t x = find(offer.from); x <= to; x = find(x)) {
        last[x] = e;
        next[x] = x + 1;
      }
    }
    for (std::size_t j = 0; j < n; ++j) {
      Panneau_p& panel = panels[j];
      if (panel.Grain != grain || panel.PlacedParts.empty() || panel.FreeRects.empty()) continue;
      const std::size_t e = last[j];
      if (e == kNone || offers_[e].walk < markedBefore_[j]) continue;
      MarkOffer(panel, parts_[offers_[e].part], margins_, kerf_);
    }
  }
}

}  // namespace tranchex::detail
