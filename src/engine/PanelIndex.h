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
// Per kind of panel (species, thickness, grain) a max-tree over those panels in list order holds
// what their free rectangles offer (widest, tallest, the widest smaller side, the largest area),
// so the first that may take a part is found in logarithmic time.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "engine/PlacementDetail.h"
#include "engine/Records.h"

namespace tranchex::detail {

// What the free rectangles of a panel offer, each the largest among them (widths and heights as
// magnitudes). All -1 for a panel without free rectangles, or one the index leaves to the walk.
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

// The working panels by kind, with the panels without parts that the walk still offers each
// copy in turn ("stops"), and the log of the offers whose marks are written at the end.
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

  // Before the copies of a run are offered: the kinds of panel they may go to.
  void BeginRun(const TPiece& part, const FitKey& fit, bool sameGrain);
  // With thicker stock allowed: can no working panel be passed over for the run's part because
  // a thinner one further on could take it? True when for no two kinds of panel, the second of
  // the part's species and at least as thick as the part needs, the second is thinner relative
  // to the part than the first (their ratios compared as the ratio test compares them).
  bool NoneThinner() const { return noneThinner_; }
  // Untouched stock copies, from `from` to `to` - 1, are offered one by one from now on.
  void Revealed(std::size_t from, std::size_t to);
  // The first panel at or after `from` that the walk must offer the current copy to: a panel
  // without parts still offered in turn, or one of the run's kinds with a free rectangle that
  // fits it. kNone when there is none.
  std::size_t Next(std::size_t from);
  // Panel j, holding parts, refused a copy of the current run: the run's other copies pass over
  // it (nothing of it changes until the run ends).
  void Refused(std::size_t j);

  // The offer of a copy of the current run ends. It reached every panel from `from` to `to`
  // (those of the part's grain only when `sameGrainOnly`); `passedOver`: the index passed over
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
    std::vector<RoomKey> tree;           // max-tree over those panels; leaves from `leaves`
    std::size_t leaves = 0;
  };
  struct Candidate {
    std::size_t kind;
    RoomNeed need;
  };
  struct Offer {
    std::size_t from;
    std::size_t to;
    std::int32_t grain;  // -1: every grain
    std::uint32_t part;  // in parts_
    std::size_t walk;    // the offer's place among all the offers
  };

  std::size_t KindOf(const Panneau_p& panel);
  void Append(std::size_t j, const Panneau_p& panel);
  void SetLeaf(std::size_t j, const RoomKey& key);
  std::size_t FirstIn(const Kind& kind, std::size_t from, const RoomNeed& need) const;

  const MarginsBlock& margins_;
  int kerf_;
  const PanelList& panels_;
  std::vector<Kind> kinds_;
  std::vector<std::uint32_t> kindOf_;   // per panel
  std::vector<std::uint32_t> slotOf_;   // per panel: its position among its kind's panels
  std::set<std::size_t> stops_;
  std::vector<Candidate> candidates_;
  std::vector<std::size_t> refused_;    // panels passed over for the rest of the run
  std::vector<std::size_t> unfit_;      // panels Next found no room in, to be passed over
  FitKey fit_;                          // its fit test
  bool noneThinner_ = true;
  TPiece part_;                         // the part of the current run
  bool partNoted_ = false;              // ... is the last of parts_
  std::vector<TPiece> parts_;           // the parts of the noted offers
  std::vector<Offer> offers_;
  std::size_t walks_ = 0;  // offers ended so far
  // Per panel: the first offer (by walks_) later than the marks it was given in turn.
  std::vector<std::size_t> markedBefore_;
};

}  // namespace tranchex::detail
