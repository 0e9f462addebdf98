#pragma once
// A group of parts as the driver works on it: every copy of a part stands in the group as its own
// record, and copies of one part lie side by side, so the group is held as runs of equal records
// with their counts. A pass offers the copies of a run one after the other, and the look-ahead of
// an offered copy reads the parts after it from an index of the runs built once per pass: its
// cost follows the number of distinct parts left, not the number of copies.

#include <cstddef>
#include <vector>

#include "engine/PanelIndex.h"
#include "engine/PlacementDetail.h"
#include "engine/Records.h"

namespace tranchex::detail {

// Are the two records the same, field for field (doubles bit for bit)?
bool SameRecord(const TPiece& a, const TPiece& b);

// Is there a working panel of a part's grain, a matching thickness and its species? The working
// panels only grow and keep those fields, so the answer is found once: the panels already looked
// at are not looked at again.
struct SameGrainSearch {
  std::size_t panelsSeen = 0;
  bool found = false;
};

// Copies side by side in a group that are the same record, field for field.
struct PartRun {
  TPiece part;                  // the record of every copy; never written
  std::size_t count = 0;        // copies left
  std::size_t placed = 0;       // copies placed during the current pass
  FitKey fit;                   // the part's fit test with the job's margins
  ID_NB_PIECE* entry = nullptr; // its PartCounts entry (the first with its number), or nullptr
  // Does some working panel have the part's grain, a matching thickness and its species? The
  // search the runs of parts of one grain, species and thickness share (the driver's), or the
  // run's own.
  SameGrainSearch* sameGrain = nullptr;
  SameGrainSearch ownSameGrain;
};

class GroupRuns {
 public:
  // `countsByPosition`: every entry of `counts` has its position as its part id, so the entry of
  // part number n is counts[n].
  GroupRuns(const PartList& group, const MarginsBlock& margins, PartCountList& counts,
            bool countsByPosition = false);

  // The runs in group order. A run whose copies are all placed may stay in the list with no
  // copy left (count 0) until many have emptied; it stands for nothing.
  std::vector<PartRun>& Runs() { return runs_; }
  bool Empty() const { return live_ == 0; }
  // The first run with copies left (the group's first part). Not for an empty group.
  const PartRun& Front();
  // Its index: no run before it has copies left.
  std::size_t FrontIndex() {
    Front();
    return front_;
  }

  // The first run at or after r with copies left whose part fits a free rectangle of the panel,
  // whose free rectangles offer `room`, or Runs().size(): the runs before it do not. r itself
  // when the runs are not indexed (a part number in more than one run) or the panel's grain is
  // not 0, 1 or 2.
  // `panel` (of that room) is the panel itself: a run is taken only when one of its free
  // rectangles fits the part.
  std::size_t NextMayFit(std::size_t r, const RoomKey& room, const Panneau_p& panel) const;

  // Builds the look-ahead index of the runs as they stand at the start of a pass.
  void StartPass();
  // One more copy of run r placed during the current pass.
  void Placed(std::size_t r) {
    if (runs_[r].placed++ == 0) touched_.push_back(r);
  }
  // Takes the copies placed in the pass out of their runs and drops the emptied runs. Returns
  // whether the pass placed anything.
  bool EndPass();
  // Writes the copies left back into the group, in order.
  void WriteBack(PartList& group) const;

  // ScoreFreeRect of the rectangle for the parts after copy c of run r: the same answer as
  // walking the group entry by entry.
  float Score(std::size_t r, std::size_t c, const Panneau_p& panel, const TRect& rect,
              int criterion) const;

 private:
  // The smallest area (criterion 1), or the largest length or width negated (2, 3), among the
  // runs from `first` on whose part fits the rectangle; infinity when none does. For runs of
  // unique numbers with plain sizes, on a panel of grain 0, 1 or 2.
  double BestFitting(std::size_t first, const Panneau_p& panel, const TRect& rect,
                     int criterion) const;
  float ScoreInOrder(std::size_t first, std::size_t from, const Panneau_p& panel,
                     const TRect& rect, int criterion) const;
  float ScoreSmallestArea(std::size_t first, std::size_t from, const Panneau_p& panel,
                          const TRect& rect) const;
  float ScoreLargestSize(std::size_t first, std::size_t from, const Panneau_p& panel,
                         const TRect& rect, int criterion) const;

  void BuildRunTree();
  void SetRunLeaf(std::size_t r);

  std::vector<PartRun> runs_;
  std::vector<std::size_t> touched_;  // the runs with copies placed during the current pass
  std::size_t live_ = 0;              // runs with copies left
  std::size_t front_ = 0;             // no run before it has copies left
  // Every part number in one run only: the runs that empty stay in the list (a look-ahead index
  // built on it holds), until they are half of it. Otherwise they leave it at once.
  bool unique_ = true;
  // Per panel grain, a min-tree over the runs of what their parts need of the largest free
  // rectangles (NeedOf; an emptied run needs more than any); leaves from runLeaves_.
  std::vector<RoomNeed> needs_[3];
  std::size_t runLeaves_ = 0;
  // With plain sizes, per criterion a min-tree over the same leaves of the runs' values: the
  // area, the length negated, the width negated (an emptied run: infinity). With the needs it
  // finds the best run that fits a rectangle without walking those that cannot do better.
  std::vector<double> values_[3];
  // Every run has a whole-unit fit test and a finite, positive area, length and width: then the
  // score is the best value over the later parts, whatever order they are looked at in.
  bool plain_ = true;
  bool changed_ = true;  // the runs differ from those the index was built on

  // The look-ahead reads the entry just after the offered copy, then every entry whose number
  // differs from the one before it: the runs starting such a stretch ("heads").
  std::vector<std::size_t> headAfter_;  // per run: the first head (position in heads) after it
  std::vector<std::size_t> heads_;      // run of each head
  std::vector<FitKey> headFit_;
  std::vector<double> headArea_, headLength_, headWidth_;
  // Bounds over the heads before position k (prefix) and from position k on (suffix).
  std::vector<double> prefixMinArea_;
  std::vector<std::int64_t> prefixMinRoomArea_, prefixMinSide_;
  std::vector<double> suffixMaxLength_, suffixMaxWidth_;
  std::vector<std::int64_t> suffixMinRoomArea_, suffixMinSide_;
};

// The look-ahead of copy c of run r.
class RunLaterParts final : public LaterParts {
 public:
  RunLaterParts(const GroupRuns& runs, std::size_t r, std::size_t c) : runs_(runs), r_(r), c_(c) {}
  float Score(const Panneau_p& panel, const TRect& rect, const MarginsBlock&,
              int criterion) const override {
    return runs_.Score(r_, c_, panel, rect, criterion);
  }

 private:
  const GroupRuns& runs_;
  std::size_t r_;
  std::size_t c_;
};

}  // namespace tranchex::detail
