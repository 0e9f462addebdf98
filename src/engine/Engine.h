#pragma once
// The cutting engine: records, placement, optimisation driver and entry fit checks. Qt-free.
//
// Typical run (what the cutting pipeline does):
//   EngineContext ctx;                         // criterion, new-panel choice, part counts
//   ctx.PartCounts = BuildPartCounts(jobParts); // part numbers are positions in jobParts
//   PanelList working = ...;                    // Quantity copies of each stock panel
//   PartGroupList groups = ...;                 // Quantity copies of each part, per material
//   SortPartGroups(groups, ctx.OptimisationCriterion);
//   SortPanels(working);
//   RunCuttingOptimisation(groups, working, stockPanels, margins, kerf, ctx);
// Each working panel then holds its PlacedParts (Rect: net position, Footprint: space taken),
// its remaining FreeRects, its CutLines and CutLength, all in tenths of a millimetre, y upward.

#include "engine/Driver.h"     // IWYU pragma: export
#include "engine/FitChecks.h"  // IWYU pragma: export
#include "engine/Placement.h"  // IWYU pragma: export
#include "engine/Records.h"    // IWYU pragma: export
