#pragma once
// Fitting and placing one part on one panel: the fit test, the part's orientation and footprint,
// the guillotine split of the receiving free rectangle with its look-ahead score, the grid mode
// of panels of indifferent grain, and the saw-cut lines.
//
// All sizes in tenths of a millimetre; rectangles y upward (see Records.h). Sums, differences and
// ratios are worked out in long double from the doubles and ints as they stand and truncated
// toward zero once, where they become a coordinate or a count; every room-versus-size
// comparison is room >= size, so ties fit. Look-ahead scores are floats.
//
// Shorthand: m0 = LengthMargin, m1 = WidthMargin, tm = ThicknessMargin, k = saw kerf,
// L = part Length, W = part Width. A part lies "along" with its length along x: its footprint
// is fx = L + 2*m0 by fy = W + 2*m1. "Turned": fx = W + 2*m1 by fy = L + 2*m0.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/Records.h"

namespace tranchex {

// Does the part, with its margins, fit the rectangle on a panel of the given grain?
// False when the part's Area exceeds the rectangle's; then, with A = 2*m0 + L, B = 2*m1 + W and
// the rectangle's width w and height h: same fixed grains need w >= A and h >= B; different
// fixed grains need h >= A and w >= B (the part turns); an indifferent grain on either side
// accepts either orientation; grains outside 0..2 never fit.
bool PartFitsRect(const TPanneau& part, const TRect& rect, double lengthMargin, double widthMargin,
                  int panelGrain);
bool PartFitsRect(const TPanneau& part, const TRect& rect, const MarginsBlock& margins,
                  int panelGrain);

// Does a panel of this thickness match the part? It must equal part Thickness + tm, plus, when
// ThickerStockAllowed is set, |trunc(panel - (part + tm))|: a thicker panel qualifies by a whole
// number of units only. A thinner panel never matches. Compared exactly in double.
bool ThicknessMatches(double panelThickness, double partThickness, const MarginsBlock& margins);

// The orientation the part takes in the receiving rectangle on a panel of the given grain:
// true = turned, false = along, nullopt for a grain outside 0..2.
// Fixed grains on both sides: along when equal, turned when different. Otherwise turned when
// (height >= 2*m0 + L and the turn preference is not 0) or width < 2*m0 + L; and when that
// choice would take the footprint out of the rectangle while the other orientation fits, the
// other orientation is taken (the length-only rule cannot see a larger width margin).
std::optional<bool> PartTurnedIn(int panelGrain, const TPanneau& part, const TRect& rect,
                                 const MarginsBlock& margins, std::uint8_t turnPreference);

// Places the part in the upper-left corner (l, t) of the receiving rectangle: writes the part's
// Rect (its net position, inside the margins) and Footprint (the space it takes, from (l, t)).
// Writes nothing for a grain outside 0..2.
void PartFootprint(const Panneau_p& panel, TPiece& part, const TRect& rect,
                   const MarginsBlock& margins, std::uint8_t turnPreference);

// Look-ahead value of a rectangle for the parts after index i of the group: the smallest of
// (criterion 1) part Area / rectangle area, (2) 1 / Length, (3) 1 / Width over the later parts
// that fit it on this panel; 1.0 when none fits or for another criterion. Lower is better.
float ScoreFreeRect(const Panneau_p& panel, const TRect& rect, std::size_t i, const PartList& group,
                    const MarginsBlock& margins, int criterion);

// Score of a split into two rectangles: the mean of the two scores when both are below 1.0,
// else their sum. Lower is better.
float ScoreSplit(const Panneau_p& panel, const TRect& r1, const TRect& r2, std::size_t i,
                 const PartList& group, const MarginsBlock& margins, int criterion);

// Cuts what the part leaves of the receiving rectangle into at most two free rectangles,
// appended to panel.FreeRects (the receiving rectangle itself stays; the caller removes it),
// adds the two cut lengths to CutLength and appends up to two cut lines to CutLines.
//   order A: cut beside the part over the full height first; A1 below the part as wide as its
//            footprint, A2 the full-height strip to its right.
//   order B: cut below the part over the full width first; B1 the full-width strip below, B2
//            to the right of the part as tall as its footprint.
// In grid mode the order is fixed by ctx.GridSplitChoice (0: A, else B); otherwise the lower
// ScoreSplit wins, ties going to the order holding the largest single rectangle (A on a full
// tie). A side with room for the part but not for the part and a kerf yields no rectangle.
void SplitFreeRect(Panneau_p& panel, TRect rect, const TPiece& part, const PartList& group,
                   std::size_t i, int kerf, const MarginsBlock& margins,
                   std::uint8_t turnPreference, const EngineContext& ctx);

// Copies of a part in a rectangle as a regular grid, using the LENGTH margin on both sides:
// turned = trunc(h / (2*m0 + L + k)) * trunc(w / (2*m0 + W + k)),
// along  = trunc(w / (2*m0 + L + k)) * trunc(h / (2*m0 + W + k)).
struct GridCounts {
  std::int64_t turned = 0;
  std::int64_t along = 0;
};
GridCounts ComputeGridCounts(const TPanneau& part, const TRect& rect, double lengthMargin, int kerf);

// Resets the turn preference before a placement outside a full grid: 1 unless the first free
// rectangle is still the whole panel, the part's Quantity is positive, the part fits it, and the
// turned grid holds no more than min(Quantity, along grid); then 0.
void GridCapacityCheck(const TPanneau& part, const TRect& panelRect, const TRect& firstFree,
                       std::uint8_t& turnPreference, const MarginsBlock& margins, int kerf);

// The PartCounts entry of a part number (the first whose PartId is the number), or nullptr.
ID_NB_PIECE* FindPartCount(PartCountList& counts, std::int32_t number);
const ID_NB_PIECE* FindPartCount(const PartCountList& counts, std::int32_t number);

// Offers part = group[i] to the panel. The first free rectangle (in FreeRectLess order) that
// the part fits, on a panel of matching thickness and the part's species, receives it: the
// part's Rect and Footprint are written, the rectangle is split and removed, the free list is
// re-sorted, a copy of the part is appended to PlacedParts and its PartCounts entry goes down by
// one. Returns whether the part was placed. On a panel of indifferent grain the grid fields
// (and ctx.GridSplitChoice) are updated first; LastPart is set to the part's number either way.
bool PlacePartInPanel(Panneau_p& panel, TPiece& part, const PartList& group, std::size_t i,
                      const MarginsBlock& margins, int kerf, EngineContext& ctx);

// Does the new line lie on the existing one? Coordinates compared at whole millimetres,
// c(v) = ceil(v * 0.1) in double: vertical lines at the same x with the existing one spanning
// the new one (e.y1 >= n.y1, e.y2 <= n.y2), or horizontal likewise (e.x1 <= n.x1, e.x2 >= n.x2).
bool RectsAligned(const LIGNE& existing, const LIGNE& added);

// Do the two rectangles share an area? Touching edges do not count.
bool RectsOverlapStrict(const TRect& a, const TRect& b);

}  // namespace tranchex
