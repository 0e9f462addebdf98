#pragma once
// The cutting engine: records, placement, optimisation driver and entry fit checks. Qt-free.
//
// Typical run (what the cutting pipeline does):
//   EngineContext ctx;                         // criterion, new-panel choice
//   PanelList working;
//   PartGroupList groups;
//   SeedAndGroup(stockPanels, jobParts, jobKind, ctx, working, groups);
//                                               // stock copies, part numbers and counts,
//                                               // groups by material, both lists sorted
//   RunCuttingOptimisation(groups, working, stockPanels, margins, kerf, ctx);
//   PutPanelsInEntryOrder(working);
// Each working panel then holds its PlacedParts (Rect: net position, Footprint: space taken),
// its remaining FreeRects, its CutLines and CutLength, all in tenths of a millimetre, y upward.

#include "engine/Driver.h"        // IWYU pragma: export
#include "engine/FitChecks.h"     // IWYU pragma: export
#include "engine/Placement.h"     // IWYU pragma: export
#include "engine/Records.h"       // IWYU pragma: export
#include "engine/SeedAndGroup.h"  // IWYU pragma: export
