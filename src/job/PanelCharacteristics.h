#pragma once
// The characteristics of the job's stock panels, one entry per panel in entry order, offered to
// the part dialog so that a part can take the thickness, species and grain of a panel.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "job/ListTexts.h"
#include "job/MeasureUnit.h"

namespace tranchex {

struct CARACTPAN {
  // "LxW - grain" (complex job: "LxWxT - species - grain") in the current unit, no unit text.
  std::string Label;
  std::int32_t Grain = 0;
  std::int32_t Species = 0;
  double Thickness = 0;  // tenths of a millimetre
  friend bool operator==(const CARACTPAN&, const CARACTPAN&) = default;
};

using CharacteristicList = std::vector<CARACTPAN>;

// The label of one stock panel (see CARACTPAN::Label); a part is described the same way.
std::string PanelCharacteristicLabel(const TPanneau& panel,
                                     const std::vector<std::string>& speciesNames,
                                     const UNITE_MESURE& unit, std::int32_t jobKind,
                                     const ListTexts& texts);

// Rebuilds the list, one entry per stock panel; equal panels give equal entries. An empty panel
// list leaves the list as it was.
void BuildPanelCharacteristics(CharacteristicList& characteristics, const PanelList& panels,
                               const std::vector<std::string>& speciesNames,
                               const UNITE_MESURE& unit, std::int32_t jobKind,
                               const ListTexts& texts);

}  // namespace tranchex
