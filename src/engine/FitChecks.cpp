#include "engine/FitChecks.h"

#include <algorithm>
#include <utility>

#include "engine/Placement.h"

namespace tranchex {

namespace {

template <typename Field>
double LargestOf(const PanelList& panels, Field field) {
  double largest = 0.0;
  for (const Panneau_p& panel : panels)
    if (panel.*field > largest) largest = panel.*field;
  return largest;
}

bool FitsPanel(const TPiece& part, const Panneau_p& panel, const MarginsBlock& margins) {
  return PartFitsRect(part, panel.Rect, margins.LengthMargin, margins.WidthMargin, panel.Grain);
}

bool TakesPart(const Panneau_p& panel, const TPiece& part, const MarginsBlock& margins) {
  return FitsPanel(part, panel, margins) &&
         ThicknessMatches(panel.Thickness, part.Thickness, margins) && panel.Species == part.Species;
}

bool SameAsExcluded(const Panneau_p& panel, const Panneau_p& excluded) {
  return panel.Grain == excluded.Grain && panel.Species == excluded.Species &&
         panel.Thickness == excluded.Thickness && panel.Length == excluded.Length &&
         panel.Width == excluded.Width;
}

void ClearMarginsUnlessModifying(MarginsBlock& margins, bool modifyMode) {
  if (modifyMode) return;
  margins.LengthMargin = 0.0;
  margins.WidthMargin = 0.0;
  margins.ThicknessMargin = 0.0;
}

enum class PanelChange { Edit, Delete };

bool PartsStillFit(const PanelList& panels, const Panneau_p& changed, const PartList& parts,
                   MarginsBlock& margins, bool modifyMode, PanelChange change) {
  if (!modifyMode) return true;
  // Without parts no part can lose its panel: a job of stock alone keeps every edit.
  if (parts.empty()) return true;
  const bool sameGrain = std::any_of(parts.begin(), parts.end(), [&](const TPiece& part) {
    return part.Grain == changed.Grain;
  });
  bool result = false;
  for (const Panneau_p& panel : panels) {
    if (panel.Grain != changed.Grain || panel.Species != changed.Species ||
        panel.Thickness != changed.Thickness)
      continue;
    if (change == PanelChange::Delete && panel.Length == changed.Length &&
        panel.Width == changed.Width)
      continue;
    for (const TPiece& part : parts) {
      if (sameGrain && part.Grain != panel.Grain) continue;
      if (TakesPart(panel, part, margins)) result = true;
      const bool single = change == PanelChange::Edit
                              ? PartFitsSomePanel(panels, part, margins, modifyMode)
                              : PartFitsSomeOtherPanel(panels, changed, part, margins, modifyMode);
      if (single) result = true;
    }
  }
  return result;
}

}  // namespace

double LargestPanelLength(const PanelList& panels) { return LargestOf(panels, &TPanneau::Length); }
double LargestPanelWidth(const PanelList& panels) { return LargestOf(panels, &TPanneau::Width); }
double LargestPanelThickness(const PanelList& panels) {
  return LargestOf(panels, &TPanneau::Thickness);
}

bool PanelThicknessExists(const PanelList& panels, int thickness) {
  return std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return panel.Thickness == static_cast<double>(thickness);
  });
}

bool PanelThickEnoughExists(const PanelList& panels, int thickness) {
  return std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return panel.Thickness >= static_cast<double>(thickness);
  });
}

bool PanelSpeciesExists(const PanelList& panels, int species) {
  return std::any_of(panels.begin(), panels.end(),
                     [&](const Panneau_p& panel) { return panel.Species == species; });
}

bool ReferenceInUse(const std::vector<std::string>& references, const std::string& reference) {
  return std::find(references.begin(), references.end(), reference) != references.end();
}

bool PartFitsSomePanel(const PanelList& panels, const TPiece& part, MarginsBlock& margins,
                       bool modifyMode) {
  ClearMarginsUnlessModifying(margins, modifyMode);
  const bool sameGrain = std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return panel.Grain == part.Grain &&
           ThicknessMatches(panel.Thickness, part.Thickness, margins) &&
           panel.Species == part.Species;
  });
  return std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return (!sameGrain || panel.Grain == part.Grain) && TakesPart(panel, part, margins);
  });
}

bool PartFitsSomeOtherPanel(const PanelList& panels, const Panneau_p& excluded, const TPiece& part,
                            MarginsBlock& margins, bool modifyMode) {
  ClearMarginsUnlessModifying(margins, modifyMode);
  const bool sameGrain = std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return !SameAsExcluded(panel, excluded) && panel.Grain == part.Grain;
  });
  return std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return !SameAsExcluded(panel, excluded) && (!sameGrain || panel.Grain == part.Grain) &&
           TakesPart(panel, part, margins);
  });
}

bool AllPartsFitSomePanel(const PanelList& panels, const PartList& parts,
                          const MarginsBlock& margins, bool modifyMode) {
  return !modifyMode || EveryPartFitsStock(panels, parts, margins, true);
}

std::optional<std::size_t> FirstPartNoStockTakes(const PanelList& panels, const PartList& parts,
                                                 const MarginsBlock& margins, bool matchMaterial) {
  const auto untaken = std::find_if(parts.begin(), parts.end(), [&](const TPiece& part) {
    return std::none_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
      return matchMaterial ? TakesPart(panel, part, margins) : FitsPanel(part, panel, margins);
    });
  });
  if (untaken == parts.end()) return std::nullopt;
  return static_cast<std::size_t>(untaken - parts.begin());
}

bool EveryPartFitsStock(const PanelList& panels, const PartList& parts,
                        const MarginsBlock& margins, bool matchMaterial) {
  return !FirstPartNoStockTakes(panels, parts, margins, matchMaterial);
}

bool PartsStillFitAfterPanelEdit(const PanelList& panels, const Panneau_p& edited,
                                 const PartList& parts, MarginsBlock& margins, bool modifyMode) {
  return PartsStillFit(panels, edited, parts, margins, modifyMode, PanelChange::Edit);
}

bool PartsStillFitAfterPanelDelete(const PanelList& panels, const Panneau_p& deleted,
                                   const PartList& parts, MarginsBlock& margins, bool modifyMode) {
  return PartsStillFit(panels, deleted, parts, margins, modifyMode, PanelChange::Delete);
}

void RotatePartInDialog(double& length, double& width, int& grainIndex) {
  switch (grainIndex) {
    case GrainHorizontal:
      std::swap(length, width);
      grainIndex = GrainVertical;
      break;
    case GrainVertical:
      std::swap(length, width);
      grainIndex = GrainHorizontal;
      break;
    case GrainIndifferent:
      std::swap(length, width);
      break;
    default:
      break;
  }
}

int CommonPartGrain(const PartList& parts) {
  if (parts.empty()) return -1;
  const int grain = parts.front().Grain;
  const bool allSame = std::all_of(parts.begin(), parts.end(),
                                   [&](const TPiece& part) { return part.Grain == grain; });
  return allSame ? grain : -1;
}

}  // namespace tranchex
