#pragma once
// Where a copy of a part may go among many working panels, found without walking the panels that
// cannot take it.
//
// The driver offers each copy to the working panels in list order and the first that takes it
// keeps it. A panel that holds parts refuses a copy of another material, or one too large for
// all its free rectangles, and the only marks such a refusal leaves are the panel's last part
// offered and, on a panel of indifferent grain outside a grid, its turn preference, both
// overwritten by the next offer. So the index answers "the first panel from here on that may
// take the copy", and the walk notes each copy's offer as a range of panels; the marks of the
// panels passed over are written once, from the last offer that reached each, when the layout
// ends (Settle). Panels without parts are offered the copy one by one as before: their grid
// fields and the split choice follow every offer.
//
// Per kind of panel (species, thickness, grain) a tree over those panels in list order holds what
// their free rectangles offer, as a staircase of the rectangles' corners (Room), so the first
// that may take a part is found in logarithmic time, without visiting the panels that hold
// room enough in total but no single rectangle that fits.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "engine/PlacementDetail.h"
#include "engine/Records.h"

namespace tranchex::detail {

// What the free rectangles of a panel offer, each the largest among them (widths and heights as
// magnitudes). All -1 for a panel without free rectangles or without parts.
struct RoomKey {
  std::int64_t width = -1;
  std::int64_t height = -1;
  std::int64_t smaller = -1;
  std::int64_t area = -1;
};

// What a part needs of the largest free rectangles of one kind of panel: a rectangle that fits
// the part has at least these (each 0 or more), so a panel whose key falls short of one of them
// cannot take it.
struct RoomNeed {
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t smaller = 0;
  std::int64_t larger = 0;
  std::int64_t area = 0;
  bool never = false;
};

RoomKey RoomKeyOf(const Panneau_p& panel);  // all -1 for a panel without parts
RoomNeed NeedOf(const FitKey& fit, std::int32_t panelGrain);
bool Admits(const RoomKey& key, const RoomNeed& need);

// The free rectangles of the panels under a node of the index as a staircase of at most
// kCorners corners, widths descending and heights ascending: every free rectangle lies within
// one corner (no wider, no taller). While the rectangles have few widths and heights that
// matter, the corners are the rectangles themselves and a need is admitted only where some
// rectangle fits it; with more, neighbouring corners are merged into one that covers both, the
// one that adds the least room first.
struct Room {
  static constexpr std::size_t kCorners = 4;
  std::uint32_t count = 0;
  std::uint32_t width[kCorners + 1] = {};
  std::uint32_t height[kCorners + 1] = {};
  bool operator==(const Room&) const = default;
};

// The working panels by kind, with the panels without parts that the walk still offers each
// copy in turn ("stops"), and the log of the offers whose marks are written at the end.
//
// With thicker stock allowed, a panel is passed over when a panel after it, thinner relative to
// the part, could take it (ChoosePanelByRatio). Within one offer nothing changes, so per kind of
// panel this is one position: the last panel that may take the part among the kinds thinner
// than it (its "reach"); the panels of the kind before it are passed over, the others offered.
// The last such panel of a kind changes only when a part is placed on it.
class PanelIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The index serves jobs where every panel has a grain 0, 1 or 2.
  static bool Serves(const PanelList& panels, const PanelList& stock);

  // `hidden` tells the untouched stock copies that the walk passes over with the first copy of
  // their block.
  PanelIndex(const PanelList& panels, const std::function<bool(std::size_t)>& hidden,
             const MarginsBlock& margins, int kerf);

  // A panel appended to the working list.
  void Added(const PanelList& panels);
  // The layout of panel j changed (a part placed on it); `newLeader` is the copy that now leads
  // its block of untouched stock copies, or kNone.
  void Placed(const PanelList& panels, std::size_t j, std::size_t newLeader);

  // Before the copies of a run are offered to the whole working list: the kinds of panel they
  // may go to, and with thicker stock the kinds each kind may be passed over for.
  void BeginRun(const TPiece& part, const FitKey& fit, bool sameGrain);
  // With thicker stock, for the current run: is panel j passed over for an equal panel after it
  // that may take the part (the ratios are compared in two precisions)? Then the untouched
  // copies of a block like it do not all answer alike, and are offered one by one.
  bool PassedOverForItsLike(std::size_t j) const {
    return ratio_ && ownKindThinner_[kindOf_[j]] && Takes(panels_[j], kinds_[kindOf_[j]].grain);
  }
  bool AnyPassedOverForItsLike() const { return anyOwnKindThinner_; }
  // Untouched stock copies, from `from` to `to` - 1, are offered one by one from now on.
  void Revealed(std::size_t from, std::size_t to);
  // The first panel at or after `from` that the walk must offer the current copy to: a panel
  // without parts still offered in turn, or one of the run's kinds with a free rectangle that
  // fits it; with thicker stock, not one the ratio test passes over. kNone when there is none.
  std::size_t Next(std::size_t from);
  // Panel j, holding parts, refused a copy of the current run: the run's other copies pass over
  // it (nothing of it changes until the run ends).
  void Refused(std::size_t j);

  // The offer of a copy of the current run ends, before the panel that took it (if any) is
  // told Placed. It reached every panel from `from` to `to` (those of the part's grain only when
  // `sameGrainOnly`) but those the ratio test passed over; `passedOver`: the index passed over
  // some of them, whose marks are to be written.
  void NoteOffer(std::size_t from, std::size_t to, bool sameGrainOnly, bool passedOver);

  // Panel j was offered a copy one by one (`placed`: and took it), or had its last part offered
  // written by the driver: its marks stand, unless a later noted offer reaches it.
  void OfferedInTurn(std::size_t j, bool placed);

  // Writes the marks of the offers into the panels holding parts: the last part offered and,
  // on panels of indifferent grain outside a grid, the turn preference that offer left.
  void Settle(PanelList& panels) const;

 private:
  struct Kind {
    std::int32_t species;
    double thickness;
    std::int32_t grain;
    std::vector<std::size_t> positions;  // its panels, in list order
    std::vector<Room> tree;              // over its panels holding parts; leaves from `leaves`
    std::size_t leaves = 0;
    std::set<std::size_t> stops;         // its panels without parts offered in turn
  };
  struct Candidate {
    std::size_t kind;
    RoomNeed need;
  };
  // The panels without parts of one kind and one layout (copies of one stock entry), in list
  // order; those that took a part since are dropped from the back when looked at.
  struct EmptyShape {
    std::size_t kind;
    std::vector<MONRect> rects;
    std::vector<std::size_t> positions;
  };
  struct Offer {
    std::size_t from;
    std::size_t to;
    std::int32_t grain;   // -1: every grain
    std::uint32_t part;   // in parts_
    std::size_t walk;     // the offer's place among all the offers
    std::size_t reach;    // its kinds' reaches in reaches_, or kNone: every panel reached
    std::size_t reaches;  // how many kinds there were
  };

  std::size_t KindOf(const Panneau_p& panel);
  void Append(std::size_t j, const Panneau_p& panel);
  void SetLeaf(std::size_t j, const Room& room);
  std::size_t Reach(std::size_t kind);
  std::size_t LastThatMayTake(std::size_t kind);
  bool Takes(const Panneau_p& panel, std::int32_t grain) const;

  const MarginsBlock& margins_;
  int kerf_;
  const PanelList& panels_;
  std::vector<Kind> kinds_;
  std::vector<std::uint32_t> kindOf_;   // per panel
  std::vector<std::uint32_t> slotOf_;   // per panel: its position among its kind's panels
  std::vector<std::uint32_t> shapeOf_;  // per panel: its shape, if it came without parts, else -1
  std::vector<EmptyShape> shapes_;
  std::vector<Candidate> candidates_;
  std::vector<std::size_t> refused_;    // panels passed over for the rest of the run
  std::vector<std::size_t> unfit_;      // panels found without room, to be passed over
  FitKey fit_;                          // its fit test
  bool sameGrain_ = false;              // the run's copies go to panels of its grain only
  TPiece part_;                         // the part of the current run
  bool partNoted_ = false;              // ... is the last of parts_
  // With thicker stock, for the current run: per kind, the kinds thinner than it relative to
  // the part that may hold it; the last panel of each such kind that may take it (kNone: none),
  // worked out again when a part is placed on it; and per kind its reach.
  bool ratio_ = false;
  std::vector<std::vector<std::size_t>> thinner_;
  std::vector<bool> ownKindThinner_;
  bool anyOwnKindThinner_ = false;
  std::vector<std::size_t> lastThatMayTake_;
  std::vector<bool> lastKnown_;
  std::vector<std::size_t> reach_;
  bool reachKnown_ = false;
  std::vector<TPiece> parts_;           // the parts of the noted offers
  std::vector<Offer> offers_;
  std::vector<std::size_t> reaches_;    // the reaches of the noted offers, kinds_.size() each
  std::size_t walks_ = 0;  // offers ended so far
  // Per panel: the first offer (by walks_) later than the marks it was given in turn.
  std::vector<std::size_t> markedBefore_;
};

}  // namespace tranchex::detail
