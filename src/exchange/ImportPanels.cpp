#include "exchange/ImportPanels.h"

#include <algorithm>
#include <cmath>

#include "engine/Placement.h"
#include "job/JobRecordChecks.h"

namespace tranchex {
namespace {

// The first panel of the part's material (species index and thickness, compared exactly) from
// `from` on, or none. Grain and size play no part.
Panneau_p* PanelOfMaterial(PanelList& panels, const TPanneau& part, Panneau_p* from = nullptr) {
  Panneau_p* const end = panels.data() + panels.size();
  for (Panneau_p* panel = from ? from : panels.data(); panel != end; ++panel) {
    if (panel->Species == part.Species && panel->Thickness == part.Thickness) return panel;
  }
  return nullptr;
}

// A new stock panel of the part's material and grain, one copy.
Panneau_p NewPanelFor(const TPanneau& part, double length, double width) {
  Panneau_p panel(length, width, part.Thickness, part.Species);
  panel.Quantity = 1;
  panel.Grain = part.Grain;
  return panel;
}

// The room around a part never smaller than the margins it will get on both sides.
double AtLeastTwoMargins(double allowance, double defaultMargin) {
  return std::max(allowance, 2.0 * defaultMargin);
}

// A panel side that holds `needed`: whole units, so that the panel's rectangle (its sides
// truncated) is as large as the side, and never past the longest side a job holds. A part
// longer than that side allows with its margins is refused before (ImportedPartsProblem).
double PanelSide(double needed) { return std::min(std::ceil(needed), kMaxRecordSize); }

// A bar can lie along a panel of that grain: the same fixed grain, or either one indifferent.
// Bars of the other fixed grain would have to cross a panel as narrow as themselves.
bool LiesAlong(const TPanneau& part, const Panneau_p& panel) {
  const auto fixed = [](int grain) { return grain == GrainHorizontal || grain == GrainVertical; };
  return !(fixed(part.Grain) && fixed(panel.Grain) && part.Grain != panel.Grain);
}

}  // namespace

double ImportedPanelAllowance(const UNITE_MESURE& fileUnit, double defaultMargin) {
  return AtLeastTwoMargins(fileUnit.Abbreviation == "in" ? 201.0 : 200.0, defaultMargin);
}

void CompleteImportedPanels(PartList& parts, PanelList& panels, const MarginsBlock& margins,
                            const UNITE_MESURE& fileUnit, const ImportPanelSizes& sizes,
                            std::int32_t& jobKind) {
  if (parts.empty()) return;
  const double allowance = ImportedPanelAllowance(fileUnit, sizes.DefaultMargin);
  std::size_t built = 0;
  for (const TPiece& part : parts) {
    if (Panneau_p* panel = PanelOfMaterial(panels, part)) {
      if (!PartFitsRect(part, panel->Rect, margins, panel->Grain)) {
        // Square growth: the part then fits whichever way the grains turn it.
        const double side = PanelSide(std::max(part.Length + allowance, part.Width + allowance));
        panel->Length = std::max(panel->Length, side);
        panel->Width = std::max(panel->Width, side);
        ResizePanelLayout(*panel);
      }
      continue;
    }
    const double length = PanelSide(std::max(part.Length + allowance, sizes.DefaultPanelLength));
    const double width = PanelSide(std::max(part.Width + allowance, sizes.DefaultPanelWidth));
    panels.push_back(NewPanelFor(part, length, width));
    ++built;
  }
  jobKind = built == 1 ? 1 : 2;
  if (jobKind == 1) {
    // A simple job has one material: the species plays no part.
    for (TPiece& part : parts) part.Species = 0;
    for (Panneau_p& panel : panels) panel.Species = 0;
  }
}

void CompleteImportedPanelsByLength(const PartList& parts, PanelList& panels,
                                    const MarginsBlock& margins, double defaultMargin,
                                    std::int32_t& jobKind) {
  if (parts.empty()) return;
  const double allowance = AtLeastTwoMargins(200.0, defaultMargin);
  for (const TPiece& part : parts) {
    Panneau_p* panel = PanelOfMaterial(panels, part);
    while (panel != nullptr && !LiesAlong(part, *panel)) {
      panel = PanelOfMaterial(panels, part, panel + 1);
    }
    if (panel != nullptr) {
      if (!PartFitsRect(part, panel->Rect, margins, panel->Grain)) {
        panel->Length = std::max(panel->Length, PanelSide(part.Length + allowance));
        ResizePanelLayout(*panel);
      }
      continue;
    }
    panels.push_back(NewPanelFor(part, PanelSide(part.Length + allowance), part.Width));
  }
  jobKind = 2;
}

}  // namespace tranchex
