#pragma once
// Small builders for engine tests, and a check that a layout is sound (every footprint inside
// its panel, no two footprints sharing an area, no free rectangle over a footprint).

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "engine/Engine.h"
#include "support/LayoutChecker.h"

namespace tranchex::test {

// Arguments in the order of every test fixture: length, width, quantity where it applies,
// grain, thickness, species, then what only these builders take.
inline TPiece MakePart(double length, double width, int quantity = 1,
                       int grain = GrainIndifferent, double thickness = 190.0, int species = 0,
                       int number = 0) {
  TPiece part(length, width, thickness, species);
  part.Grain = grain;
  part.Number = number;
  part.Quantity = quantity;
  return part;
}

// A grain other than 0, 1 or 2 is refused, so a call written in another order fails instead of
// building another panel.
inline Panneau_p MakePanel(double length, double width, int grain = GrainIndifferent,
                           double thickness = 190.0, int species = 0, int entryIndex = 0) {
  if (grain != GrainHorizontal && grain != GrainVertical && grain != GrainIndifferent)
    throw std::invalid_argument(
        "MakePanel(length, width, grain, thickness, species, entry): grain " +
        std::to_string(grain));
  Panneau_p panel(length, width, thickness, species);
  panel.Grain = grain;
  panel.EntryIndex = entryIndex;
  return panel;
}

inline MarginsBlock MakeMargins(double length = 0.0, double width = 0.0, double thickness = 0.0,
                                bool thickerAllowed = false) {
  MarginsBlock m;
  m.LengthMargin = length;
  m.WidthMargin = width;
  m.ThicknessMargin = thickness;
  m.ThickerStockAllowed = thickerAllowed ? 1 : 0;
  return m;
}

// Expects the layout of one panel to be sound.
inline void ExpectSoundLayout(const Panneau_p& panel, const std::string& what = "") {
  SCOPED_TRACE(what);
  for (std::size_t a = 0; a < panel.PlacedParts.size(); ++a) {
    const TPiece& p = panel.PlacedParts[a];
    EXPECT_TRUE(Inside(p.Footprint, panel.Rect)) << "part " << a << " footprint " << p.Footprint;
    EXPECT_TRUE(Inside(p.Rect, p.Footprint)) << "part " << a << " rect " << p.Rect;
    for (std::size_t b = a + 1; b < panel.PlacedParts.size(); ++b)
      EXPECT_FALSE(RectsOverlapStrict(p.Footprint, panel.PlacedParts[b].Footprint))
          << "parts " << a << " and " << b << ": " << p.Footprint << " / "
          << panel.PlacedParts[b].Footprint;
    for (const MONRect& free : panel.FreeRects)
      EXPECT_FALSE(RectsOverlapStrict(p.Footprint, free))
          << "part " << a << " under free rect " << free;
  }
}

}  // namespace tranchex::test
