#include "job/PanelCharacteristics.h"

#include "job/Outils_debit.h"

namespace tranchex {

namespace {

constexpr std::int32_t kComplexJob = 2;

}  // namespace

std::string PanelCharacteristicLabel(const TPanneau& panel,
                                     const std::vector<std::string>& speciesNames,
                                     const UNITE_MESURE& unit, std::int32_t jobKind,
                                     const ListTexts& texts) {
  const double f = unit.Factor;
  const char sep = texts.DecimalSeparator;
  // Every tenth shown: 19 and 22 mm stock must not both read "0,02" in metres.
  std::string label = FormatSize(panel.Length, f, sep);
  label += "x";
  label += FormatSize(panel.Width, f, sep);
  if (jobKind == kComplexJob) {
    label += "x";
    label += FormatSize(panel.Thickness, f, sep);
    label += " - ";
    label += SpeciesLabel(speciesNames, panel.Species, texts);
  }
  label += " - ";
  label += GrainLabel(panel.Grain, texts);
  return label;
}

void BuildPanelCharacteristics(CharacteristicList& characteristics, const PanelList& panels,
                               const std::vector<std::string>& speciesNames,
                               const UNITE_MESURE& unit, std::int32_t jobKind,
                               const ListTexts& texts) {
  if (panels.empty()) return;
  characteristics.clear();
  characteristics.reserve(panels.size());
  for (const Panneau_p& panel : panels) {
    CARACTPAN entry;
    entry.Label = PanelCharacteristicLabel(panel, speciesNames, unit, jobKind, texts);
    entry.Grain = panel.Grain;
    entry.Species = panel.Species;
    entry.Thickness = panel.Thickness;
    characteristics.push_back(std::move(entry));
  }
}

}  // namespace tranchex
