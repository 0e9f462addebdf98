#pragma once
// The plain records of the cutting model: panels, parts, free rectangles, saw-cut lines, part
// counts and the margins, plus the engine's context (its counters and choices).
//
// Units and frame
// ---------------
// Every length, width, thickness, margin, kerf and coordinate is in tenths of a millimetre
// (1 unit = 0.1 mm); areas are in square units. Entered sizes are doubles; rectangles and lines
// are ints obtained by truncation toward zero, never by rounding.
//
// A panel is laid out in its own frame: x runs along the panel's length, y along its width,
// origin at the lower-left corner, y UPWARD. A rectangle is (left, top, right, bottom) with
// top >= bottom: its width is right - left, its height is top - bottom. A whole panel is
// (0, trunc(Width), trunc(Length), 0).
//
// Byte layouts (documentation only: the job file serialises these records field by field, the
// records themselves hold no serialisation). Little-endian, doubles are IEEE 754 binary64.
//   TRect / MONRect  16 bytes: int32 left @0, top @4, right @8, bottom @12.
//   TPanneau         64 bytes: double Area @0, TRect Rect @8, double Length @24, Width @32,
//                              Thickness @40, int32 Species @48, Grain @52, Quantity @56,
//                              DesignationIndex @60.
//   TPiece           88 bytes: TPanneau @0, TRect Footprint @64, 4 bytes of no use @80,
//                              int32 Number @84.
//   Panneau_p       304 bytes: TPanneau @0, three 72-byte list headers FreeRects @64,
//                              PlacedParts @136, CutLines @208 (of a stored panel only the
//                              element count of each header, at header offset 48, is
//                              written: record offsets 112, 184, 256; a stored panel is a stock
//                              panel and its PlacedParts count is 0), byte GridRotate @280,
//                              3 bytes of no use, int32 GridCount @284, byte GridMode @288,
//                              3 bytes of no use, int32 CutLength @292, LastPart @296,
//                              EntryIndex @300.
//   LIGNE            16 bytes: int32 x1 @0, y1 @4, x2 @8, y2 @12.
//   ID_NB_PIECE       8 bytes: int32 PartId @0, Count @4.
//   MarginsBlock     32 bytes: double LengthMargin @0, WidthMargin @8, ThicknessMargin @16,
//                              byte DifferentiatedMargins @24, byte ThickerStockAllowed @25,
//                              2 + 4 bytes of no use.

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

namespace tranchex {

// Grain direction ("sens du fil").
enum GrainDirection : std::int32_t {
  GrainHorizontal = 0,   // grain along the length (x)
  GrainVertical = 1,     // grain along the width (y)
  GrainIndifferent = 2,  // no grain: a part may turn when its grain or the panel's is this
};

// Truncates toward zero to an int, as every length becomes a coordinate or a count. Values
// beyond the int32 range are clamped to it and NaN gives 0, so no input can make the
// conversion undefined.
inline std::int32_t TruncToInt(long double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (v <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// An integer rectangle in a panel's frame (y upward, top >= bottom).
struct TRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
      : left(l), top(t), right(r), bottom(b) {}
  constexpr std::int32_t Width() const { return right - left; }
  constexpr std::int32_t Height() const { return top - bottom; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

// A free rectangle of a panel layout: a TRect and nothing more.
struct MONRect : TRect {
  using TRect::TRect;
  constexpr MONRect() = default;
  constexpr MONRect(const TRect& r) : TRect(r) {}  // NOLINT: implicit on purpose
};

// A saw-cut line on a result panel. A horizontal line has y1 == y2 and runs from left (x1) to
// right (x2); a vertical line has x1 == x2 and runs from top (y1) down to bottom (y2).
struct LIGNE {
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
  friend constexpr bool operator==(const LIGNE&, const LIGNE&) = default;
};

// One entry of the job's part counts: a part number and the copies of it still to place. The
// pipeline sets Count to the part's quantity; every placement takes one off.
struct ID_NB_PIECE {
  std::int32_t PartId = 0;
  std::int32_t Count = 0;
  friend constexpr bool operator==(const ID_NB_PIECE&, const ID_NB_PIECE&) = default;
};

// The job's margins, in tenths of a millimetre.
struct MarginsBlock {
  double LengthMargin = 0.0;     // added on each side of a part along its length
  double WidthMargin = 0.0;      // added on each side of a part along its width
  double ThicknessMargin = 0.0;  // added to a part's thickness when a panel thickness is matched
  std::uint8_t DifferentiatedMargins = 0;  // length and width margins entered apart (dialogs only)
  std::uint8_t ThickerStockAllowed = 0;    // 1: a panel may be thicker than part thickness +
                                           // ThicknessMargin by a whole number of units
  // Bytes 26-31 of the stored block: 2 bytes of padding and a reserved integer. Nothing reads
  // them; the job file carries them unchanged from a load to the next save.
  std::uint16_t Padding = 0;
  std::int32_t Reserved = 0;
};

// The base of every panel and part.
struct TPanneau {
  double Area = 0.0;  // Length x Width, from the doubles (square units)
  // The panel's own rectangle (0, trunc(Width), trunc(Length), 0). For a part: that rectangle
  // until the part is placed, then its net position on the panel (inside its margins).
  TRect Rect;
  double Length = 0.0;     // along x
  double Width = 0.0;      // along y
  double Thickness = 0.0;
  std::int32_t Species = 0;  // index into the species list
  std::int32_t Grain = GrainHorizontal;  // GrainDirection
  std::int32_t Quantity = 1;  // copies entered
  // For a part: position of its designation in the job's designation list. No use for a panel.
  std::int32_t DesignationIndex = 0;

  TPanneau() = default;
  // Stores the four values, Area = length x width and Rect = the whole rectangle
  // (0, trunc(width), trunc(length), 0). Grain starts horizontal and Quantity at 1.
  TPanneau(double length, double width, double thickness, int species);
};

// A part to cut: a TPanneau plus where it goes and its number.
struct TPiece : TPanneau {
  // The space the placed part takes, margins included: left and top are the upper-left corner of
  // the free rectangle that received it.
  TRect Footprint;
  std::int32_t Unused = 0;  // bytes of no use, carried along by copies
  // Part number: the part's position 0..n-1 in the job's part list; the key of its PartCounts
  // entry. All copies of one part carry the same number; two different parts never do.
  std::int32_t Number = 0;

  TPiece() = default;
  TPiece(double length, double width, double thickness, int species)
      : TPanneau(length, width, thickness, species) {}
};

// A stock panel, or a result panel with its layout.
//
// Copying follows the panel copy rule (see the copy constructor); moving keeps everything, so a
// list that reallocates or a sort never changes a layout.
struct Panneau_p : TPanneau {
  // Free rectangles, kept in FreeRectLess order by the placement.
  std::vector<MONRect> FreeRects;
  // Parts placed on the panel, in placing order; each Rect is the net position, each Footprint
  // the space taken.
  std::vector<TPiece> PlacedParts;
  // Saw cuts to draw, in the order they were added.
  std::vector<LIGNE> CutLines;
  // 1: turn parts of indifferent grain when they fit (turn preference). Starts at 0, which keeps
  // such parts with their length along x unless they only fit turned.
  std::uint8_t GridRotate = 0;
  std::int32_t GridCount = 0;   // copies of the first part that fit the empty panel as a grid
  std::uint8_t GridMode = 0;    // 1: the panel is filled as a grid, split order fixed
  std::int32_t CutLength = 0;   // total saw-cut length of the layout
  std::int32_t LastPart = -1;   // number of the last part offered by the placement; -1 when none
  // Position of the stock panel in the panel-entry list; copies keep their stock panel's index.
  std::int32_t EntryIndex = 0;

  Panneau_p() : Panneau_p(0.0, 0.0, 0.0, 0) {}
  // Rect = (0, trunc(width), trunc(length), 0), FreeRects = [Rect], no part, no line,
  // CutLength 0, LastPart -1, EntryIndex 0.
  Panneau_p(double length, double width, double thickness, int species);

  // The copy rule: Rect, sizes, species, quantity, grain, area, CutLength and EntryIndex are
  // copied; LastPart becomes -1; GridRotate, GridCount, GridMode and DesignationIndex are not
  // copied (they keep their starting values). When the source has no placed part the copy gets
  // FreeRects = [Rect] and no cut line, whatever the source's lists hold; otherwise the three
  // lists are copied in order. Copy assignment follows the same rule.
  Panneau_p(const Panneau_p& src);
  Panneau_p& operator=(const Panneau_p& src);
  Panneau_p(Panneau_p&&) noexcept = default;
  Panneau_p& operator=(Panneau_p&&) noexcept = default;
  ~Panneau_p() = default;
};

using PartList = std::vector<TPiece>;
using PanelList = std::vector<Panneau_p>;
using PartGroupList = std::vector<PartList>;  // one part list per material (species, thickness)
using PartCountList = std::vector<ID_NB_PIECE>;

// Optimisation criterion: the order of the parts inside a group, largest first.
enum OptimisationCriterionValue : int {
  CriterionArea = 1,
  CriterionLength = 2,
  CriterionWidth = 3,
};

// New-panel choice: the stock panel copied when a group needs one more panel.
enum NewPanelChoiceValue : int {
  ChooseSmallestPanel = 1,  // any value other than 2 means the smallest
  ChooseLargestPanel = 2,
};

// What the engine keeps between calls; owned by the job and handed to the engine.
struct EngineContext {
  // Next part number handed out by AssignPartNumber.
  int PartCounter = 0;
  int OptimisationCriterion = CriterionArea;  // OptimisationCriterionValue
  int NewPanelChoice = ChooseLargestPanel;    // NewPanelChoiceValue
  // Split order used while a panel is in grid mode: 0 order A (beside the part first), any
  // other value order B (below the part first). Written by the grid step of whichever empty
  // panel last ran it.
  int GridSplitChoice = 0;
  // One entry per part of the job, Count = copies still to place. With numbers equal to
  // positions, entry k is the part numbered k.
  PartCountList PartCounts;
};

// ---- Record operations ------------------------------------------------------------------------

// Rect = (0, trunc(Width), trunc(Length), 0) and Area = Width x Length (from the doubles).
void PanelFromDimensions(TPanneau& panel);

// PanelFromDimensions, then the first free rectangle becomes the whole panel (appended when
// FreeRects is empty). Other free rectangles, parts and lines are left as they are.
void ResizePanelLayout(Panneau_p& panel);

inline std::int32_t PanelCutLength(const Panneau_p& p) { return p.CutLength; }
inline void SetLastPlacedPart(Panneau_p& p, std::int32_t number) { p.LastPart = number; }
inline std::int32_t PanelEntryIndex(const Panneau_p& p) { return p.EntryIndex; }
inline void SetPanelEntryIndex(Panneau_p& p, std::int32_t index) { p.EntryIndex = index; }
inline std::int32_t PartNumber(const TPiece& p) { return p.Number; }

// Number := ctx.PartCounter, then the counter goes up by one. Returns the part.
TPiece& AssignPartNumber(TPiece& part, EngineContext& ctx);

// Gives the parts of a job list their positions as numbers (0..n-1) and sets the counter to n,
// so that numbers stay distinct after a load or an edit.
void RenumberParts(PartList& jobParts, EngineContext& ctx);

// True when every part's number is its position in the list.
bool PartNumbersArePositions(const PartList& jobParts);

// trunc(2 x (Length + Width)): the perimeter, for the edge-banding length.
std::int32_t PanelPerimeter(const TPanneau& p);

// (right - left) x (top - bottom), in 64 bits.
std::int64_t RectArea(const TRect& r);

// RectArea of a's Rect < that of b's: panels smallest first.
bool PartAreaLess(const TPanneau& a, const TPanneau& b);

// Parts largest first by the criterion: 1 Rect area, 2 Rect width (trunc of the length),
// 3 Rect height (trunc of the width). Equal keys, or another criterion, give false.
bool PartCriterionGreater(const TPanneau& a, const TPanneau& b, int criterion);

// The order of a panel's free rectangles: smaller area first; among equal areas the one nearer
// the upper-left corner. NOT a strict weak ordering (same corner, or one higher but further
// right, answer false both ways): sort with SortFreeRects, never std::sort.
bool FreeRectLess(const TRect& a, const TRect& b);

// Stable insertion sort by FreeRectLess; safe with that comparator.
void SortFreeRects(std::vector<MONRect>& rects);

// Stable sort of panels by an integer key, smallest first: the keys are sorted with the panels'
// positions and each panel is moved once (a panel is large; merging them moves each many times).
void SortPanelsByKey(PanelList& panels, std::int64_t (*key)(const Panneau_p&));

// Printing for test diagnostics.
std::ostream& operator<<(std::ostream& os, const TRect& r);
std::ostream& operator<<(std::ostream& os, const LIGNE& l);

}  // namespace tranchex
