#pragma once
// The panel characteristics picker as the part form sees it: the characteristics of the job's
// stock panels (one entry per panel, in panel order) go in, the position of the entry chosen
// comes out. The form holds a CharacteristicPicker* and works without one (its three
// characteristics buttons are then disabled); the program plugs in the picker window, the tests
// a fake.

#include <cstdint>
#include <string>
#include <vector>

#include "job/MeasureUnit.h"
#include "job/PanelCharacteristics.h"

class QWidget;

namespace tranchex {

// Written by the part form before the picker is shown.
struct CharacteristicPickerInput {
  // The entries offered; their labels are what the picker shows.
  const tranchex::CharacteristicList* CharacteristicList = nullptr;
  // The species names the entries' species indexes refer to.
  const std::vector<std::string>* CharacteristicSpecies = nullptr;
  std::int32_t CharacteristicJobKind = 1;  // 1 simple job, 2 complex job
  // 1: the job's thickness margin lets a part take thicker stock, so a panel's thickness is not
  // offered (the part's thickness stays as typed).
  std::uint8_t CharacteristicThickerStockAllowed = 0;
  UNITE_MESURE CharacteristicUnit;  // the unit thicknesses are shown in
};

// Read by the part form once the picker is closed.
struct CharacteristicPickerOutput {
  std::uint8_t CharacteristicChosen = 0;   // 1: an entry was chosen
  std::int32_t ChosenCharacteristic = -1;  // its position in CharacteristicList
};

class CharacteristicPicker {
 public:
  virtual ~CharacteristicPicker() = default;
  // Places itself over caller (centred on its client area, 14 pixels below its top), shows
  // itself modally and reports what was chosen.
  virtual CharacteristicPickerOutput Pick(const CharacteristicPickerInput& input,
                                          QWidget& caller) = 0;
};

}  // namespace tranchex
