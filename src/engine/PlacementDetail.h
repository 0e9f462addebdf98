#pragma once
// The engine's own helpers behind Placement.h, for the driver: the fit test worked out once per
// part in whole units, and the placement with the look-ahead given as a view of the later parts,
// so that a group held as runs of copies is scored without walking every copy. Each gives exactly
// the answers of the corresponding function of Placement.h.

#include <cstdint>

#include "engine/Records.h"

namespace tranchex::detail {

struct FreeRoom;

// PartFitsRect for one part and one pair of margins. A rectangle's width and height are whole
// numbers, so "room >= size" is "room >= the size rounded up": the sizes with their margins and
// the part's area are rounded up once, and each test is a few integer comparisons. A part whose
// sizes have no such form (a NaN) is tested by PartFitsRect itself.
class FitKey {
 public:
  FitKey() = default;
  FitKey(const TPanneau& part, double lengthMargin, double widthMargin);

  bool Fits(const TRect& rect, int panelGrain) const {
    if (!exact_) return SlowFits(rect, panelGrain);
    const std::int64_t w = Magnitude(static_cast<std::int64_t>(rect.right) - rect.left);
    const std::int64_t h = Magnitude(static_cast<std::int64_t>(rect.bottom) - rect.top);
    if (w * h < areaMin_) return false;
    const bool partFixed = grain_ == GrainHorizontal || grain_ == GrainVertical;
    const bool panelFixed = panelGrain == GrainHorizontal || panelGrain == GrainVertical;
    if (partFixed && panelFixed) return grain_ == panelGrain ? w >= a_ && h >= b_ : h >= a_ && w >= b_;
    if ((grain_ == GrainIndifferent && (panelFixed || panelGrain == GrainIndifferent)) ||
        (partFixed && panelGrain == GrainIndifferent))
      return hi_ <= (w > h ? w : h) && lo_ <= (w < h ? w : h);
    return false;
  }

  // Could some rectangle of a panel whose free rectangles have this room take the part? False
  // only when none can; always true for a part without a whole-unit form.
  bool MayFit(const FreeRoom& room) const;

  // No rectangle narrower than this (in either direction), or of a smaller area than the other,
  // takes the part, whatever the grains.
  std::int64_t SmallerSide() const { return lo_; }
  std::int64_t SmallestArea() const { return areaMin_; }
  // 2*m0 + L and 2*m1 + W rounded up, the larger of the two, and the part's grain.
  std::int64_t AlongX() const { return a_; }
  std::int64_t AlongY() const { return b_; }
  std::int64_t LargerSide() const { return hi_; }
  std::int32_t Grain() const { return grain_; }
  // The whole-unit form stands for the part: Fits never falls back to PartFitsRect.
  bool Exact() const { return exact_; }

 private:
  static std::int64_t Magnitude(std::int64_t v) { return v < 0 ? -v : v; }
  bool SlowFits(const TRect& rect, int panelGrain) const;

  std::int64_t areaMin_ = 0;  // the smallest width x height not below the part's Area
  std::int64_t a_ = 0;        // 2*m0 + L rounded up
  std::int64_t b_ = 0;        // 2*m1 + W rounded up
  std::int64_t lo_ = 0;       // the smaller and the larger of the two
  std::int64_t hi_ = 0;
  std::int32_t grain_ = 0;
  bool exact_ = false;
  // What PartFitsRect reads, for the parts without a whole-unit form.
  double area_ = 0.0;
  double length_ = 0.0;
  double width_ = 0.0;
  double lengthMargin_ = 0.0;
  double widthMargin_ = 0.0;
};

// The most a panel's free rectangles offer: the largest width x height and the widest smaller
// side among them. A part needing more of either fits none of them.
struct FreeRoom {
  std::int64_t largestArea = -1;
  std::int64_t widestSide = -1;
};
FreeRoom RoomOf(const Panneau_p& panel);

inline bool FitKey::MayFit(const FreeRoom& room) const {
  return !exact_ || (areaMin_ <= room.largestArea && lo_ <= room.widestSide);
}

// The parts after the offered one in its group, as the look-ahead score reads them.
class LaterParts {
 public:
  virtual ~LaterParts() = default;
  // ScoreFreeRect of the rectangle for these parts.
  virtual float Score(const Panneau_p& panel, const TRect& rect, const MarginsBlock& margins,
                      int criterion) const = 0;
};

// What an offer of the part leaves on a panel that holds parts and has free rectangles, before
// its rectangles are looked at: on a panel of indifferent grain outside a grid, or with its grid
// full, the turn preference worked out again (GridCapacityCheck); the part as the last offered.
// A refusal leaves nothing else.
void MarkOffer(Panneau_p& panel, const TPiece& part, const MarginsBlock& margins, int kerf);

// PlacePartInPanel with the part's fit test, its later parts and its PartCounts entry (nullptr
// when it has none) given by the caller, and, when known, the room of the panel's free
// rectangles (RoomOf), which spares walking them for a part that fits none.
bool PlacePart(Panneau_p& panel, TPiece& part, const FitKey& fit, const LaterParts& later,
               ID_NB_PIECE* count, const MarginsBlock& margins, int kerf, EngineContext& ctx,
               const FreeRoom* room = nullptr);

}  // namespace tranchex::detail
