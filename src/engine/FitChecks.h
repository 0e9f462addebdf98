#pragma once
// Queries the panel and part entry dialogs ask while the user types: largest stock sizes,
// whether a thickness or species exists, whether a reference is taken, whether parts still fit
// some stock panel after an entry, an edit or a deletion. None of them changes a list; the only
// side effect is that the single-part checks clear the caller's margins when the modify flag is
// false (margins are not asked yet while a new job is entered).
//
// "Fits panel k": PartFitsRect(part, k.Rect, LengthMargin, WidthMargin, k.Grain), the part
// against the whole panel. "Thickness match": ThicknessMatches (Placement.h).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/Records.h"

namespace tranchex {

// Largest Length, Width or Thickness over the panels, starting from 0.0 (so an empty list, or
// one of values <= 0.0, gives 0.0).
double LargestPanelLength(const PanelList& panels);
double LargestPanelWidth(const PanelList& panels);
double LargestPanelThickness(const PanelList& panels);

// Some panel exactly this thick (thickness as a whole number of units, compared as a double).
bool PanelThicknessExists(const PanelList& panels, int thickness);
// Some panel at least this thick.
bool PanelThickEnoughExists(const PanelList& panels, int thickness);
// Some panel of this species index.
bool PanelSpeciesExists(const PanelList& panels, int species);
// The reference text is already in the list (same bytes, case counts).
bool ReferenceInUse(const std::vector<std::string>& references, const std::string& reference);

// Does the part fit some stock panel of matching thickness and its species? When some panel has
// the part's grain, matching thickness and species, only panels of the part's grain count.
// With modifyMode false the three margins of `margins` are first set to 0.0 (in the caller's
// block).
bool PartFitsSomePanel(const PanelList& panels, const TPiece& part, MarginsBlock& margins,
                       bool modifyMode);

// The same over the panels that differ from `excluded` in Grain, Species, Thickness, Length or
// Width; the same-grain test here asks only for a (non-excluded) panel of the part's grain.
bool PartFitsSomeOtherPanel(const PanelList& panels, const Panneau_p& excluded, const TPiece& part,
                            MarginsBlock& margins, bool modifyMode);

// Does every part fit some panel of matching thickness and its species (grain not asked)?
// True when modifyMode is false or there is no part.
bool AllPartsFitSomePanel(const PanelList& panels, const PartList& parts,
                          const MarginsBlock& margins, bool modifyMode);

// The margins dialogs' test: does every part, with the length and width margins around it, fit
// on some whole stock panel (the panel's rectangle and grain, not its free areas)? With
// matchMaterial (a complex job; always for differentiated margins) that panel must also match
// the part's thickness with the thickness margin (ThicknessMatches) and have its species; without
// it (a simple job) thickness and species play no part. No part: true.
bool EveryPartFitsStock(const PanelList& panels, const PartList& parts,
                        const MarginsBlock& margins, bool matchMaterial);

// The same test, naming the first part that no panel takes; nothing when every part is taken.
std::optional<std::size_t> FirstPartNoStockTakes(const PanelList& panels, const PartList& parts,
                                                 const MarginsBlock& margins, bool matchMaterial);

// After panel `edited` was changed: true when some panel of its grain, species and exact
// thickness takes some part (of that panel's grain, when some part has the edited panel's
// grain), or when some part still fits some panel (PartFitsSomePanel). True when modifyMode is
// false or there is no part.
bool PartsStillFitAfterPanelEdit(const PanelList& panels, const Panneau_p& edited,
                                 const PartList& parts, MarginsBlock& margins, bool modifyMode);

// Before panel `deleted` is removed: as above over the panels of its grain, species and exact
// thickness that differ from it in Length or Width, the single-part check being
// PartFitsSomeOtherPanel. True when modifyMode is false or there is no part.
bool PartsStillFitAfterPanelDelete(const PanelList& panels, const Panneau_p& deleted,
                                   const PartList& parts, MarginsBlock& margins, bool modifyMode);

// Turns the part being entered by a quarter turn: swaps the two values and, for a fixed grain,
// swaps the grain (0 <-> 1). `grainIndex` is the grain selector's item index (0 horizontal,
// 1 vertical, 2 indifferent; -1 when nothing is selected); any other index changes nothing.
void RotatePartInDialog(double& length, double& width, int& grainIndex);

// The grain all parts share, or -1 when they differ or there is no part.
int CommonPartGrain(const PartList& parts);

}  // namespace tranchex
