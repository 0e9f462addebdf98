// The stock panels derived for imported parts: one per material, sized from the parts, the
// default panel size and the allowance, and the job kind that follows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Placement.h"
#include "exchange/ImportPanels.h"

namespace tranchex {
namespace {

struct PartSpec {
  double Length, Width, Thickness;
  int Species, Grain;
};

struct PanelSpec {
  double Length, Width, Thickness;
  int Species, Grain;
};

PartList Parts(const std::vector<PartSpec>& specs) {
  PartList parts;
  for (const PartSpec& s : specs) {
    TPiece p(s.Length, s.Width, s.Thickness, s.Species);
    p.Grain = s.Grain;
    p.Number = static_cast<std::int32_t>(parts.size());
    parts.push_back(p);
  }
  return parts;
}

UNITE_MESURE Unit(const char* name, double factor) {
  UNITE_MESURE unit;
  unit.Factor = factor;
  unit.Abbreviation = name;
  return unit;
}

// Each built panel: its sizes, material and grain, one copy, its own rectangle and area, the
// whole panel free, nothing placed.
void ExpectPanels(const PanelList& got, const std::vector<PanelSpec>& want, const std::string& name) {
  ASSERT_EQ(got.size(), want.size()) << name;
  for (std::size_t i = 0; i < want.size(); ++i) {
    const Panneau_p& p = got[i];
    const PanelSpec& w = want[i];
    EXPECT_EQ(p.Length, w.Length) << name << " panel " << i;
    EXPECT_EQ(p.Width, w.Width) << name << " panel " << i;
    EXPECT_EQ(p.Thickness, w.Thickness) << name << " panel " << i;
    EXPECT_EQ(p.Species, w.Species) << name << " panel " << i;
    EXPECT_EQ(p.Grain, w.Grain) << name << " panel " << i;
    EXPECT_EQ(p.Quantity, 1) << name << " panel " << i;
    const TRect whole(0, static_cast<std::int32_t>(w.Width), static_cast<std::int32_t>(w.Length), 0);
    EXPECT_EQ(p.Rect, whole) << name << " panel " << i;
    EXPECT_EQ(p.Area, w.Length * w.Width) << name << " panel " << i;
    ASSERT_EQ(p.FreeRects.size(), 1u) << name << " panel " << i;
    EXPECT_EQ(TRect(p.FreeRects[0]), whole) << name << " panel " << i;
    EXPECT_TRUE(p.PlacedParts.empty()) << name << " panel " << i;
    EXPECT_EQ(p.EntryIndex, 0) << name << " panel " << i;
  }
}

TEST(ImportPanelsTest, OnePanelPerMaterialSizedFromItsParts) {
  struct Case {
    const char* name;
    std::vector<PartSpec> parts;
    UNITE_MESURE unit;
    ImportPanelSizes sizes;
    std::vector<PanelSpec> panels;
    int kind;
    std::vector<int> partSpecies;  // after the call
  };
  const UNITE_MESURE mm = Unit("mm", 10.0);
  const ImportPanelSizes factory{25000.0, 12500.0, 100.0};
  const std::vector<Case> cases = {
      {"one species, one thickness: a simple job",
       {{20000, 8000, 190, 3, 0}, {6000, 4000, 190, 3, 2}}, mm, factory,
       {{25000, 12500, 190, 0, 0}}, 1, {0, 0}},
      {"two species", {{20000, 8000, 190, 1, 0}, {20000, 8000, 190, 2, 1}}, mm, factory,
       {{25000, 12500, 190, 1, 0}, {25000, 12500, 190, 2, 1}}, 2, {1, 2}},
      {"two thicknesses", {{20000, 8000, 190, 1, 0}, {6000, 4000, 220, 1, 2}}, mm, factory,
       {{25000, 12500, 190, 1, 0}, {25000, 12500, 220, 1, 2}}, 2, {1, 1}},
      {"a 3000 x 1000 mm part", {{30000, 10000, 190, 0, 0}}, mm, factory,
       {{30200, 12500, 190, 0, 0}}, 1, {0}},
      {"a part that fits leaves the panel", {{20000, 8000, 190, 0, 0}, {24000, 12000, 190, 0, 0}},
       mm, factory, {{25000, 12500, 190, 0, 0}}, 1, {0, 0}},
      {"a part that does not fit grows it square",
       {{20000, 8000, 190, 0, 0}, {30000, 10000, 190, 0, 0}}, mm, factory,
       {{30200, 30200, 190, 0, 0}}, 1, {0, 0}},
      {"a vertical part on a horizontal panel is tried turned",
       {{20000, 8000, 190, 0, 0}, {20000, 8000, 190, 0, 1}}, mm, factory,
       {{25000, 20200, 190, 0, 0}}, 1, {0, 0}},
      {"turned, it fits", {{20000, 8000, 190, 0, 0}, {12000, 11000, 190, 0, 1}}, mm, factory,
       {{25000, 12500, 190, 0, 0}}, 1, {0, 0}},
      {"a unit named in", {{30000, 10000, 190, 0, 0}}, Unit("in", 254.0), factory,
       {{30201, 12500, 190, 0, 0}}, 1, {0}},
      {"a unit named pouces", {{30000, 10000, 190, 0, 0}}, Unit("pouces", 254.0), factory,
       {{30200, 12500, 190, 0, 0}}, 1, {0}},
      {"the inch of the import dialogs", {{30000, 10000, 190, 0, 0}}, Unit("", 254.0), factory,
       {{30200, 12500, 190, 0, 0}}, 1, {0}},
      {"one thickness off whole units", {{20000, 8000, 190.5, 1, 0}, {6000, 4000, 190.5, 1, 0}},
       Unit("", 254.0), factory, {{25000, 12500, 190.5, 0, 0}}, 1, {0, 0}},
      {"thicknesses a fraction apart",
       {{20000, 8000, 190.5, 1, 0}, {6000, 4000, 190.50000001, 1, 0}}, Unit("", 254.0), factory,
       {{25000, 12500, 190.5, 1, 0}, {25000, 12500, 190.50000001, 1, 0}}, 2, {1, 1}},
      {"a default margin of 15 mm widens the allowance", {{30000, 10000, 190, 0, 0}}, mm,
       {25000.0, 12500.0, 150.0}, {{30300, 12500, 190, 0, 0}}, 1, {0}},
      {"small default panels", {{6000, 4000, 190, 0, 2}}, mm, {1000.0, 500.0, 100.0},
       {{6200, 4200, 190, 0, 2}}, 1, {0}},
      // Sides are whole units, rounded up: the rectangle is then the whole panel, and a part of
      // 2500,05 mm keeps its 20 mm of room.
      {"a part off whole units", {{25000.5, 13000, 190, 0, 1}}, mm, factory,
       {{25201, 13200, 190, 0, 1}}, 1, {0}},
      {"grown square from a part off whole units",
       {{20000, 8000, 190, 0, 0}, {30000.25, 10000, 190, 0, 0}}, mm, factory,
       {{30201, 30201, 190, 0, 0}}, 1, {0, 0}},
      // No side past the longest a job holds, 1 km.
      {"a 1 km part", {{10000000, 4000, 190, 0, 0}}, mm, factory,
       {{10000000, 12500, 190, 0, 0}}, 1, {0}},
      {"grown square to 1 km at most", {{20000, 8000, 190, 0, 0}, {9999900, 4000, 190, 0, 1}},
       mm, factory, {{10000000, 10000000, 190, 0, 0}}, 1, {0, 0}},
  };
  for (const Case& c : cases) {
    PartList parts = Parts(c.parts);
    PanelList panels;
    std::int32_t kind = 0;
    CompleteImportedPanels(parts, panels, MarginsBlock{}, c.unit, c.sizes, kind);
    ExpectPanels(panels, c.panels, c.name);
    EXPECT_EQ(kind, c.kind) << c.name;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      EXPECT_EQ(parts[i].Species, c.partSpecies[i]) << c.name << " part " << i;
    }
  }
}

TEST(ImportPanelsTest, BarsGetPanelsByLength) {
  struct Case {
    const char* name;
    std::vector<PartSpec> parts;
    double defaultMargin;
    std::vector<PanelSpec> panels;
  };
  const std::vector<Case> cases = {
      {"one bar: a complex job all the same", {{15000, 100, 100, 0, 0}}, 100.0,
       {{15200, 100, 100, 0, 0}}},
      {"a longer bar lengthens the panel", {{15000, 100, 100, 0, 0}, {20000, 100, 100, 0, 0}},
       100.0, {{20200, 100, 100, 0, 0}}},
      {"a shorter bar leaves it", {{15000, 100, 100, 0, 2}, {10000, 100, 100, 0, 0}}, 100.0,
       {{15200, 100, 100, 0, 2}}},
      {"two species", {{15000, 100, 100, 1, 0}, {9000, 100, 100, 2, 1}}, 100.0,
       {{15200, 100, 100, 1, 0}, {9200, 100, 100, 2, 1}}},
      {"a default margin of 15 mm", {{15000, 100, 100, 0, 0}}, 150.0, {{15300, 100, 100, 0, 0}}},
      // A bar crossing a panel as narrow as itself would never fit: each fixed grain gets a
      // panel of its own, and an indifferent bar lies along the first.
      {"bars of the two fixed grains",
       {{15000, 100, 100, 0, 0}, {18000, 100, 100, 0, 1}, {20000, 100, 100, 0, 0}}, 100.0,
       {{20200, 100, 100, 0, 0}, {18200, 100, 100, 0, 1}}},
      {"an indifferent bar lies along a fixed panel",
       {{15000, 100, 100, 0, 1}, {18000, 100, 100, 0, 2}}, 100.0, {{18200, 100, 100, 0, 1}}},
      {"a fixed bar lies along an indifferent panel",
       {{15000, 100, 100, 0, 2}, {18000, 100, 100, 0, 0}, {9000, 100, 100, 0, 1}}, 100.0,
       {{18200, 100, 100, 0, 2}}},
      {"bar lengths off whole units", {{15000.5, 100, 100, 0, 0}}, 100.0,
       {{15201, 100, 100, 0, 0}}},
  };
  for (const Case& c : cases) {
    const PartList parts = Parts(c.parts);
    PanelList panels;
    std::int32_t kind = 0;
    CompleteImportedPanelsByLength(parts, panels, MarginsBlock{}, c.defaultMargin, kind);
    ExpectPanels(panels, c.panels, c.name);
    EXPECT_EQ(kind, 2) << c.name;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      EXPECT_EQ(parts[i].Species, c.parts[i].Species) << c.name;
    }
  }
}

// Fitted with the default margin on each side, as the import fits them, every part fits the
// panel of its material with that margin: the one that sized it and the later ones, sizes off
// whole units and bars of every grain included.
TEST(ImportPanelsTest, EveryPartFitsItsPanelOnceTheDefaultMarginIsSet) {
  for (double margin : {100.0, 150.0, 400.0}) {
    PartList parts = Parts({{20000, 8000, 190, 0, 0},
                            {24000, 12000, 190, 0, 0},
                            {30000, 10000, 190, 0, 0},
                            {12000, 11000, 190, 0, 1},
                            {40000, 30000, 220, 1, 2},
                            {40000.7, 30000.3, 220, 1, 1}});
    PanelList panels;
    std::int32_t kind = 0;
    MarginsBlock margins;
    margins.LengthMargin = margin;
    margins.WidthMargin = margin;
    CompleteImportedPanels(parts, panels, margins, Unit("mm", 10.0),
                           ImportPanelSizes{25000.0, 12500.0, margin}, kind);
    ASSERT_EQ(panels.size(), 2u);
    for (const TPiece& part : parts) {
      const Panneau_p& panel = panels[part.Thickness == 190 ? 0 : 1];
      EXPECT_TRUE(PartFitsRect(part, panel.Rect, margin, margin, panel.Grain))
          << "margin " << margin << " part " << part.Number;
    }
  }
  const PartList bars = Parts({{15000, 100, 100, 0, 0}, {25000, 100, 100, 0, 0},
                               {20000.5, 100, 100, 0, 1}, {30000, 100, 100, 0, 2}});
  PanelList panels;
  std::int32_t kind = 0;
  MarginsBlock barMargins;
  barMargins.LengthMargin = 300.0;
  CompleteImportedPanelsByLength(bars, panels, barMargins, 300.0, kind);
  ASSERT_EQ(panels.size(), 2u);
  for (const TPiece& bar : bars) {
    const Panneau_p& panel = panels[bar.Grain == 1 ? 1 : 0];
    EXPECT_TRUE(PartFitsRect(bar, panel.Rect, 300.0, 0.0, panel.Grain)) << bar.Number;
  }
}

TEST(ImportPanelsTest, NoPartsBuildNoPanel) {
  PartList parts;
  PanelList panels;
  std::int32_t kind = 7;
  CompleteImportedPanels(parts, panels, MarginsBlock{}, Unit("mm", 10.0), ImportPanelSizes{}, kind);
  CompleteImportedPanelsByLength(parts, panels, MarginsBlock{}, 100.0, kind);
  EXPECT_TRUE(panels.empty());
  EXPECT_EQ(kind, 7);
}

TEST(ImportPanelsTest, TheAllowanceIsTwoHundredOrTwoHundredAndOneAndAtLeastTwoMargins) {
  EXPECT_EQ(ImportedPanelAllowance(Unit("mm", 10.0), 100.0), 200.0);
  EXPECT_EQ(ImportedPanelAllowance(Unit("in", 254.0), 100.0), 201.0);
  EXPECT_EQ(ImportedPanelAllowance(Unit("In", 254.0), 0.0), 200.0);
  EXPECT_EQ(ImportedPanelAllowance(Unit("cm", 100.0), 100.5), 201.0);
  EXPECT_EQ(ImportedPanelAllowance(Unit("in", 254.0), 250.0), 500.0);
}

}  // namespace
}  // namespace tranchex
