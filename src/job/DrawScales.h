#pragma once
// The common drawing scale of the panels view and of the parts view: a single-precision divisor
// by which lengths in tenths of a millimetre are divided to give drawing units (tenths of a
// millimetre on the device), chosen so that the longest length fits the area's width and the
// widest width its height, with the margin reserved on every side.

#include <cstdint>

#include "engine/Records.h"

namespace tranchex {

// The scale for the result panels. The sizes are in drawing units; twice the margin is taken
// from each direction. Outside the sound domain the result is still safe and found in bounded
// time:
//   - an empty list, or records without a size, give 0: there is nothing to draw, and a view
//     handed 0 draws nothing;
//   - an area dimension not larger than twice the margin (a window dragged small) gives the
//     scale at which the largest records fill the whole area, margins left out.
float ComputePanelDrawScale(std::int32_t areaHeight, std::int32_t areaWidth, std::int32_t margin,
                            const PanelList& panels);

// The same over the job's parts (0 for a job without parts).
float ComputePartDrawScale(std::int32_t areaHeight, std::int32_t areaWidth, std::int32_t margin,
                           const PartList& parts);

}  // namespace tranchex
