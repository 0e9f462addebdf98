#pragma once
// The stock panels of an imported cutting sheet: one panel per material (species index and
// thickness, compared exactly) of the parts, in the order each material first occurs, sized so
// that every part of its material fits it, and the job kind that follows. Panel sides are whole
// units (the rectangle of a panel is then its whole size) and at most the longest side a job
// holds. Nothing is shown or refused; an empty part list builds no panel.

#include <cstdint>

#include "engine/Records.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// The sizes a builder starts from, in internal units.
struct ImportPanelSizes {
  double DefaultPanelLength = 25000.0;  // smallest length of a new panel (parts of any width)
  double DefaultPanelWidth = 12500.0;   // smallest width of a new panel
  // The margin the job will get on each side of a part: the room added around a part is at
  // least twice this, so that the part that sized a panel still fits it once the margin is set.
  double DefaultMargin = 0.0;
};

// The room added to the part sizes that size a panel: 200 (20 mm), 201 for a file unit named
// exactly "in"; never less than twice the default margin.
double ImportedPanelAllowance(const UNITE_MESURE& fileUnit, double defaultMargin);

// Parts of any width. A new panel is max(part + allowance, default size) on each side; a panel
// of the part's material that it does not fit (PartFitsRect with the margins and the panel's
// grain) grows to at least max(length, width) + allowance on both sides. Job kind 1 when one
// panel was built, and then every part and the panel take species index 0; else 2. An empty
// list leaves the kind as it was.
void CompleteImportedPanels(PartList& parts, PanelList& panels, const MarginsBlock& margins,
                            const UNITE_MESURE& fileUnit, const ImportPanelSizes& sizes,
                            std::int32_t& jobKind);

// A job of bars (every part 100.0 wide and thick): a new panel is the part length + the length
// allowance (200.0, never less than twice the default margin) by the part width; a panel that a
// part does not fit only grows in length. A bar goes to the first panel of its material it can
// lie along (same grain, or one of the two indifferent): bars of the two fixed grains get a
// panel each. Job kind 2 always; species indexes unchanged.
void CompleteImportedPanelsByLength(const PartList& parts, PanelList& panels,
                                    const MarginsBlock& margins, double defaultMargin,
                                    std::int32_t& jobKind);

}  // namespace tranchex
