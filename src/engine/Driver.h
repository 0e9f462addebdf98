#pragma once
// The top of the optimiser: places every part of every group on the working panels, adding a
// copy of a stock panel whenever a group has parts left; the new-panel choice; and the list
// operations the cutting pipeline runs before it (grouping, sorting, the all-bars tests).
//
// Thickness match (ThicknessMatches, Placement.h): a panel matches a part when its thickness is
// exactly part thickness + ThicknessMargin, or, with ThickerStockAllowed, that plus a whole
// number of units.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "engine/Records.h"

namespace tranchex {

// No stock panel can take a part: none has its species, a matching thickness and room for it
// (with its margins, in an allowed orientation). Carries a copy of the part.
class NoPanelFitsError : public std::runtime_error {
 public:
  explicit NoPanelFitsError(const TPiece& part);
  const TPiece& part() const { return part_; }
  std::int32_t partNumber() const { return part_.Number; }

 private:
  TPiece part_;
};

// The parts handed to the engine are not numbered as the engine needs: every number must be the
// part's position in the job's part list, which is also the index of its PartCounts entry, and
// two different parts never share one. A fault of the caller, not of the job.
class PartNumberError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// One PartCounts entry per part of the job list, in order: {Number, Quantity}.
PartCountList BuildPartCounts(const PartList& jobParts);

// Throws PartNumberError unless every part of the groups has a number n >= 0 whose entry
// counts[n] has PartId n, and parts sharing a number are copies of one part (same sizes,
// species, grain, quantity and designation).
void ValidatePartNumbers(const PartGroupList& groups, const PartCountList& counts);

// Places every part of every group (groups in order, each group in its order) on the working
// panels, removing the placed parts from the groups. Per group: a first pass offers each part to
// every working panel from index 0; while parts remain, a copy of the stock panel chosen for the
// group's first remaining part (ctx.NewPanelChoice 2: the largest that takes it, else the
// smallest) is appended and the next pass offers the parts to that panel only.
//
// Throws NoPanelFitsError when no stock panel can take the first remaining part of a group, or
// when a pass after the first places nothing (the run would never end); the panels added so far
// stay at the end of `panels` and the groups keep their unplaced parts. Throws PartNumberError
// (before placing anything) when the numbers fail ValidatePartNumbers against ctx.PartCounts.
void RunCuttingOptimisation(PartGroupList& groups, PanelList& panels, const PanelList& stock,
                            const MarginsBlock& margins, int kerf, EngineContext& ctx);

// The stock panels that can take the part: matching thickness, the part's species, the part's
// grain when some stock panel has the part's grain, thickness and species, and the part fits the
// panel's first free rectangle (its Rect when it has none) on the panel's grain. Of these, the
// largest (ties: first in stock order) or the smallest (ties: first) by Area, the running best
// area held truncated to a whole number. Throws NoPanelFitsError when there is none.
const Panneau_p& ChooseLargestPanelForPart(const PanelList& stock, const TPiece& part,
                                           const MarginsBlock& margins);
const Panneau_p& ChooseSmallestPanelForPart(const PanelList& stock, const TPiece& part,
                                            const MarginsBlock& margins);

// With ThickerStockAllowed: should working panel j be passed over because a panel after it (up to
// index last) is thinner relative to the part (Thickness / (part thickness + tm) smaller than
// panel j's, taken in float), at least as thick as part + tm, of the part's species, and has a
// free rectangle the part fits on that panel's grain? False when the flag is clear or j == last.
bool ChoosePanelByRatio(const PanelList& panels, const TPiece& part, const MarginsBlock& margins,
                        std::size_t j, std::size_t last);

// The first group holding a part of the part's species and exactly its thickness; its index is
// written to `index`. False (index untouched) when there is none.
bool FindPartGroup(const PartGroupList& groups, const TPiece& part, int& index);

// Sorts each group largest first by PartCriterionGreater with the criterion (1 area, 2 length,
// 3 width of the part's Rect). Stable, so equal keys keep their order and runs repeat.
void SortPartGroups(PartGroupList& groups, int criterion);

// Empties the list of groups.
void FreePartGroups(PartGroupList& groups);

// Resets each panel's free list to the whole panel (ResizePanelLayout after emptying FreeRects),
// then sorts the panels smallest Rect area first. Stable.
void SortPanels(PanelList& panels);

// True when every record has exactly the first record's Width and Thickness and both are exactly
// 100.0 (a job of bars). False for an empty list.
bool PartsAllWidthThickness100(const PartList& parts);
bool PanelsAllWidthThickness100(const PanelList& panels);

}  // namespace tranchex
