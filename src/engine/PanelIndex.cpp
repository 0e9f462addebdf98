#include "engine/PanelIndex.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <utility>

#include "engine/Placement.h"

namespace tranchex::detail {

namespace {

bool IsFixed(std::int32_t grain) { return grain == GrainHorizontal || grain == GrainVertical; }

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

std::uint32_t Side(std::int32_t a, std::int32_t b) {
  return static_cast<std::uint32_t>(std::llabs(static_cast<std::int64_t>(a) - b));
}

// Adds a corner to the staircase: dropped when a corner covers it, dropping those it covers;
// past kCorners the two neighbours whose merged corner adds the least room become that corner.
void AddCorner(Room& room, std::uint32_t w, std::uint32_t h) {
  std::uint32_t n = room.count;
  for (std::uint32_t i = 0; i < n; ++i)
    if (room.width[i] >= w && room.height[i] >= h) return;
  std::uint32_t kept = 0;
  std::uint32_t at = 0;  // where the corner goes among those kept: widths descending
  for (std::uint32_t i = 0; i < n; ++i) {
    if (w >= room.width[i] && h >= room.height[i]) continue;
    if (room.width[i] > w) at = kept + 1;
    room.width[kept] = room.width[i];
    room.height[kept] = room.height[i];
    ++kept;
  }
  for (std::uint32_t i = kept; i > at; --i) {
    room.width[i] = room.width[i - 1];
    room.height[i] = room.height[i - 1];
  }
  room.width[at] = w;
  room.height[at] = h;
  n = kept + 1;
  if (n > Room::kCorners) {
    std::uint32_t best = 0;
    std::uint64_t added = ~std::uint64_t{0};
    for (std::uint32_t i = 0; i + 1 < n; ++i) {
      const std::uint64_t more = static_cast<std::uint64_t>(room.width[i] - room.width[i + 1]) *
                                 (room.height[i + 1] - room.height[i]);
      if (more < added) {
        added = more;
        best = i;
      }
    }
    // The wider one's width, the taller one's height.
    room.height[best] = room.height[best + 1];
    for (std::uint32_t i = best + 1; i + 1 < n; ++i) {
      room.width[i] = room.width[i + 1];
      room.height[i] = room.height[i + 1];
    }
    --n;
  }
  room.count = n;
  for (std::uint32_t i = n; i <= Room::kCorners; ++i) room.width[i] = room.height[i] = 0;
}

Room Combine(const Room& a, const Room& b) {
  Room room = a;
  for (std::uint32_t i = 0; i < b.count; ++i) AddCorner(room, b.width[i], b.height[i]);
  return room;
}

// A panel without parts is left to the walk: no room.
Room StaircaseOf(const Panneau_p& panel) {
  Room room;
  if (panel.PlacedParts.empty()) return room;
  for (const MONRect& rect : panel.FreeRects)
    AddCorner(room, Side(rect.right, rect.left), Side(rect.bottom, rect.top));
  return room;
}

// Could a rectangle within one of the corners fit the need? Exactly whether one of the
// rectangles does while the corners are the rectangles.
bool Admits(const Room& room, const RoomNeed& need) {
  if (need.never) return false;
  for (std::uint32_t i = 0; i < room.count; ++i) {
    const std::int64_t w = room.width[i];
    const std::int64_t h = room.height[i];
    if (w >= need.width && h >= need.height && std::min(w, h) >= need.smaller &&
        std::max(w, h) >= need.larger && w * h >= need.area)
      return true;
  }
  return false;
}

// The first leaf from `from` to `to` - 1 whose room admits the need and that `takes`; a node
// whose room does not admit it holds none.
template <typename Takes>
std::size_t FirstAdmitted(const std::vector<Room>& tree, std::size_t node, std::size_t lo,
                          std::size_t hi, std::size_t from, std::size_t to, const RoomNeed& need,
                          const Takes& takes) {
  if (hi <= from || lo >= to || !Admits(tree[node], need)) return PanelIndex::kNone;
  if (hi - lo == 1) return takes(lo) ? lo : PanelIndex::kNone;
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::size_t left = FirstAdmitted(tree, 2 * node, lo, mid, from, to, need, takes);
  if (left != PanelIndex::kNone) return left;
  return FirstAdmitted(tree, 2 * node + 1, mid, hi, from, to, need, takes);
}

// The last leaf whose room admits the need and that `takes`.
template <typename Takes>
std::size_t LastAdmitted(const std::vector<Room>& tree, std::size_t node, std::size_t lo,
                         std::size_t hi, const RoomNeed& need, const Takes& takes) {
  if (!Admits(tree[node], need)) return PanelIndex::kNone;
  if (hi - lo == 1) return takes(lo) ? lo : PanelIndex::kNone;
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::size_t right = LastAdmitted(tree, 2 * node + 1, mid, hi, need, takes);
  if (right != PanelIndex::kNone) return right;
  return LastAdmitted(tree, 2 * node, lo, mid, need, takes);
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
  shapeOf_.reserve(panels.size());
  markedBefore_.reserve(panels.size());
  for (std::size_t j = 0; j < panels.size(); ++j) {
    Append(j, panels[j]);
    if (panels[j].PlacedParts.empty() && !hidden(j)) {
      std::set<std::size_t>& stops = kinds_[kindOf_[j]].stops;
      stops.insert(stops.end(), j);
    }
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
  kinds_.push_back(Kind{panel.Species, panel.Thickness, panel.Grain, {}, {}, 0, {}});
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
  // A panel without parts joins the others of its kind and layout (mostly the one before it).
  std::uint32_t shape = static_cast<std::uint32_t>(-1);
  if (panel.PlacedParts.empty()) {
    const auto same = [&](const EmptyShape& s) {
      return s.kind == k && std::equal(s.rects.begin(), s.rects.end(), panel.FreeRects.begin(),
                                       panel.FreeRects.end());
    };
    std::size_t s = shapes_.size();
    if (j > 0 && shapeOf_[j - 1] != static_cast<std::uint32_t>(-1) && same(shapes_[shapeOf_[j - 1]]))
      s = shapeOf_[j - 1];
    else
      s = static_cast<std::size_t>(std::find_if(shapes_.begin(), shapes_.end(), same) - shapes_.begin());
    if (s == shapes_.size())
      shapes_.push_back(EmptyShape{k, {panel.FreeRects.begin(), panel.FreeRects.end()}, {}});
    shapes_[s].positions.push_back(j);
    shape = static_cast<std::uint32_t>(s);
  }
  shapeOf_.push_back(shape);
  if (slot >= kind.leaves) {
    // Twice the room, the leaves kept, the inner nodes worked out again.
    const std::size_t leaves = std::max<std::size_t>(1, 2 * kind.leaves);
    std::vector<Room> tree(2 * leaves);
    for (std::size_t s = 0; s < kind.leaves; ++s) tree[leaves + s] = kind.tree[kind.leaves + s];
    for (std::size_t n = leaves - 1; n >= 1; --n) tree[n] = Combine(tree[2 * n], tree[2 * n + 1]);
    kind.tree = std::move(tree);
    kind.leaves = leaves;
  }
  SetLeaf(j, StaircaseOf(panel));
}

void PanelIndex::SetLeaf(std::size_t j, const Room& room) {
  Kind& kind = kinds_[kindOf_[j]];
  std::size_t n = kind.leaves + slotOf_[j];
  if (kind.tree[n] == room) return;
  kind.tree[n] = room;
  for (n /= 2; n >= 1; n /= 2) {
    Room combined = Combine(kind.tree[2 * n], kind.tree[2 * n + 1]);
    if (combined == kind.tree[n]) break;  // nothing above changes either
    kind.tree[n] = combined;
  }
}

void PanelIndex::Added(const PanelList& panels) {
  const std::size_t j = panels.size() - 1;
  Append(j, panels[j]);
  if (panels[j].PlacedParts.empty()) {
    std::set<std::size_t>& stops = kinds_[kindOf_[j]].stops;
    stops.insert(stops.end(), j);
  }
}

void PanelIndex::Placed(const PanelList& panels, std::size_t j, std::size_t newLeader) {
  kinds_[kindOf_[j]].stops.erase(j);
  if (newLeader != kNone) kinds_[kindOf_[newLeader]].stops.insert(newLeader);
  SetLeaf(j, StaircaseOf(panels[j]));
  // Only the last panel of its kind that may take the part can stop being so: the others
  // lose room or stay as they were.
  const std::size_t k = kindOf_[j];
  if (ratio_ && k < lastKnown_.size() && lastKnown_[k] && lastThatMayTake_[k] == j) {
    lastKnown_[k] = false;
    reachKnown_ = false;
  }
}

bool PanelIndex::Takes(const Panneau_p& panel, std::int32_t grain) const {
  return std::any_of(panel.FreeRects.begin(), panel.FreeRects.end(),
                     [&](const MONRect& rect) { return fit_.Fits(rect, grain); });
}

void PanelIndex::BeginRun(const TPiece& part, const FitKey& fit, bool sameGrain) {
  for (const std::size_t j : refused_) SetLeaf(j, StaircaseOf(panels_[j]));
  refused_.clear();
  part_ = part;
  fit_ = fit;
  sameGrain_ = sameGrain;
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
  ratio_ = false;
  anyOwnKindThinner_ = false;
  if (margins_.ThickerStockAllowed == 0) return;
  // The ratio test (ChoosePanelByRatio): a panel of kind k, of the part's species and at least
  // as thick as the part needs, is thinner relative to the part than a panel of kind j when k's
  // thickness over the part's need, in double, is below j's, taken in float.
  const long double needed = static_cast<long double>(part.Thickness) + margins_.ThicknessMargin;
  const double neededDouble = part.Thickness + margins_.ThicknessMargin;
  thinner_.assign(kinds_.size(), {});
  ownKindThinner_.assign(kinds_.size(), false);
  for (std::size_t j = 0; j < kinds_.size(); ++j) {
    const float ratioJ = static_cast<float>(static_cast<long double>(kinds_[j].thickness) / needed);
    for (std::size_t k = 0; k < kinds_.size(); ++k) {
      const Kind& kind = kinds_[k];
      if (kind.species == part.Species && neededDouble <= kind.thickness &&
          kind.thickness / neededDouble < ratioJ) {
        thinner_[j].push_back(k);
        ratio_ = true;
        if (k == j) ownKindThinner_[j] = anyOwnKindThinner_ = true;
      }
    }
  }
  lastThatMayTake_.assign(kinds_.size(), kNone);
  lastKnown_.assign(kinds_.size(), false);
  reach_.assign(kinds_.size(), 0);
  reachKnown_ = false;
}

// The last panel of the kind with a free rectangle that fits the part, with parts or without.
std::size_t PanelIndex::LastThatMayTake(std::size_t k) {
  if (lastKnown_[k]) return lastThatMayTake_[k];
  const Kind& kind = kinds_[k];
  std::size_t last = kNone;
  for (EmptyShape& shape : shapes_) {
    if (shape.kind != k) continue;
    while (!shape.positions.empty() && !panels_[shape.positions.back()].PlacedParts.empty())
      shape.positions.pop_back();
    if (shape.positions.empty() || (last != kNone && shape.positions.back() < last)) continue;
    if (Takes(panels_[shape.positions.back()], kind.grain)) last = shape.positions.back();
  }
  const auto takes = [&](std::size_t slot) {
    const std::size_t j = kind.positions[slot];
    if (Takes(panels_[j], kind.grain)) return true;
    unfit_.push_back(j);
    return false;
  };
  const std::size_t slot = LastAdmitted(kind.tree, 1, 0, kind.leaves, NeedOf(fit_, kind.grain), takes);
  for (const std::size_t j : unfit_) Refused(j);
  unfit_.clear();
  if (slot != kNone) last = last == kNone ? kind.positions[slot] : std::max(last, kind.positions[slot]);
  lastKnown_[k] = true;
  lastThatMayTake_[k] = last;
  return last;
}

std::size_t PanelIndex::Reach(std::size_t k) {
  if (!ratio_) return 0;
  if (!reachKnown_) {
    for (std::size_t j = 0; j < kinds_.size(); ++j) {
      std::size_t reach = 0;
      for (const std::size_t thinner : thinner_[j]) {
        const std::size_t last = LastThatMayTake(thinner);
        if (last != kNone) reach = std::max(reach, last);
      }
      reach_[j] = reach;
    }
    reachKnown_ = true;
  }
  return reach_[k];
}

void PanelIndex::Revealed(std::size_t from, std::size_t to) {
  for (std::size_t k = from; k < to; ++k) kinds_[kindOf_[k]].stops.insert(k);
}

std::size_t PanelIndex::Next(std::size_t from) {
  std::size_t best = kNone;
  for (std::size_t k = 0; k < kinds_.size(); ++k) {
    const Kind& kind = kinds_[k];
    // The panels of another grain are not offered the part at all.
    if (kind.stops.empty() || (sameGrain_ && kind.grain != part_.Grain)) continue;
    const auto stop = kind.stops.lower_bound(std::max(from, Reach(k)));
    if (stop != kind.stops.end()) best = std::min(best, *stop);
  }
  for (const Candidate& c : candidates_) {
    const Kind& kind = kinds_[c.kind];
    const std::size_t at = std::max(from, Reach(c.kind));
    const auto first = std::lower_bound(kind.positions.begin(), kind.positions.end(), at);
    const auto end = best == kNone ? kind.positions.end()
                                   : std::lower_bound(first, kind.positions.end(), best);
    if (first == end) continue;
    // A panel is named only when one of its free rectangles fits the part; one that has none
    // is passed over by the run's other copies too.
    const auto takes = [&](std::size_t slot) {
      const std::size_t j = kind.positions[slot];
      if (Takes(panels_[j], kind.grain)) return true;
      unfit_.push_back(j);
      return false;
    };
    const std::size_t slot =
        FirstAdmitted(kind.tree, 1, 0, kind.leaves,
                      static_cast<std::size_t>(first - kind.positions.begin()),
                      static_cast<std::size_t>(end - kind.positions.begin()), c.need, takes);
    if (slot != kNone) best = std::min(best, kind.positions[slot]);
  }
  for (const std::size_t j : unfit_) Refused(j);
  unfit_.clear();
  return best;
}

void PanelIndex::Refused(std::size_t j) {
  SetLeaf(j, Room{});
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
  std::size_t reach = kNone;
  if (ratio_ && !kinds_.empty()) {
    // The reaches the walk went by (nothing changed since it began), kept once while they stay.
    Reach(0);
    const std::size_t n = kinds_.size();
    if (offers_.empty() || offers_.back().reach == kNone || offers_.back().reaches != n ||
        !std::equal(reach_.begin(), reach_.end(), reaches_.end() - static_cast<std::ptrdiff_t>(n))) {
      reaches_.insert(reaches_.end(), reach_.begin(), reach_.end());
    }
    reach = reaches_.size() - n;
  }
  offers_.push_back(Offer{from, to, sameGrainOnly ? part_.Grain : -1,
                          static_cast<std::uint32_t>(parts_.size() - 1), walk, reach,
                          kinds_.size()});
}

void PanelIndex::Settle(PanelList& panels) const {
  if (offers_.empty()) return;
  const std::size_t n = panels.size();
  // For each kind, the last offer that reached each of its panels: the offers from the last
  // back, each taking the panels of its range that no later one took (skipping the taken ones).
  std::vector<std::size_t> next;
  std::vector<std::size_t> last;
  const auto find = [&](std::size_t x) {
    std::size_t root = x;
    while (next[root] != root) root = next[root];
    while (next[x] != root) x = std::exchange(next[x], root);
    return root;
  };
  std::size_t reached = 0;  // no offer reached a panel after it
  for (const Offer& offer : offers_) reached = std::max(reached, std::min(offer.to, n - 1));
  for (std::size_t k = 0; k < kinds_.size(); ++k) {
    const Kind& kind = kinds_[k];
    const std::vector<std::size_t>& positions = kind.positions;
    const std::size_t slots = positions.size();
    next.resize(slots + 1);
    for (std::size_t x = 0; x <= slots; ++x) next[x] = x;
    last.assign(slots, kNone);
    // The panels some offer may have reached, to be taken before the walk back stops.
    std::size_t left = static_cast<std::size_t>(
        std::upper_bound(positions.begin(), positions.end(), reached) - positions.begin());
    for (std::size_t e = offers_.size(); e-- > 0 && left > 0;) {
      const Offer& offer = offers_[e];
      if (offer.grain != -1 && offer.grain != kind.grain) continue;
      std::size_t from = offer.from;
      if (offer.reach != kNone && k < offer.reaches) from = std::max(from, reaches_[offer.reach + k]);
      const std::size_t to = std::min(offer.to, n - 1);
      if (from > to) continue;
      const auto begin = std::lower_bound(positions.begin(), positions.end(), from);
      const auto end = std::upper_bound(begin, positions.end(), to);
      const auto endSlot = static_cast<std::size_t>(end - positions.begin());
      for (std::size_t x = find(static_cast<std::size_t>(begin - positions.begin())); x < endSlot;
           x = find(x)) {
        last[x] = e;
        next[x] = x + 1;
        --left;
      }
    }
    for (std::size_t x = 0; x < slots; ++x) {
      Panneau_p& panel = panels[positions[x]];
      if (panel.PlacedParts.empty() || panel.FreeRects.empty()) continue;
      const std::size_t e = last[x];
      if (e == kNone || offers_[e].walk < markedBefore_[positions[x]]) continue;
      MarkOffer(panel, parts_[offers_[e].part], margins_, kerf_);
    }
  }
}

}  // namespace tranchex::detail
