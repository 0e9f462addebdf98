#pragma once
// What a layout starts from, and how it ends: the working panels seeded from the stock, the
// parts numbered, counted and grouped by material, both sorted for the optimiser; afterwards the
// panels put back in stock entry order. The cutting pipeline and the test runs share these, so
// every layout is made from the same start.

#include "engine/Records.h"

namespace tranchex {

// Before RunCuttingOptimisation:
//  - `working` := Quantity copies of each stock panel, in stock order (the copy rule gives each
//    one free rectangle, the whole panel); a quantity of 0 or less adds none;
//  - the parts are numbered by their positions (ctx.PartCounter := their count) and
//    ctx.PartCounts holds one {number, quantity} entry per part, a quantity of 0 included;
//  - `groups` := Quantity copies of each part, in part order: a simple job (jobKind 1) puts them
//    all in one group (none when there is no part); any other kind gives one group per species
//    and thickness, in the order in which each material first occurs (a part of quantity 0 may
//    open an empty group);
//  - each group sorted largest first by ctx.OptimisationCriterion, the working panels smallest
//    first (SortPartGroups, SortPanels).
void SeedAndGroup(const PanelList& stock, PartList& parts, int jobKind, EngineContext& ctx,
                  PanelList& working, PartGroupList& groups);

// After RunCuttingOptimisation (also after a run that stopped): the panels in ascending stock
// entry index, so the copies of one stock entry and the panels added for it sit side by side.
void PutPanelsInEntryOrder(PanelList& panels);

}  // namespace tranchex
