#pragma once
// The standard-size picker as the entry forms see it: what they hand it before it is shown and
// what they read once it is closed. An entry form holds a SizePicker* and works without one
// (its size buttons are then disabled and a right click on a size field opens nothing); the
// program plugs in the standard-dimensions manager, the tests a fake.

#include <cstdint>
#include <vector>

#include "engine/Records.h"
#include "job/Settings.h"

class QWidget;

namespace tranchex {

// Written by the entry form before the picker is shown.
struct SizePickerInput {
  // The list picked from, and added to or deleted from by the picker: the standard panel sizes
  // from the panel form, the standard part sizes from the part form.
  std::vector<DIMENSIONS>* SizeList = nullptr;
  // The job's stock panels, whose thicknesses filter the sizes offered; none from the panel form.
  const PanelList* SizePanelList = nullptr;
  std::int32_t SizeJobKind = 1;   // 1 simple job, 2 complex job
  std::uint8_t SizePickMode = 1;  // 1: a size is picked
  // Who asks: 1 simple and 2 complex job from the panel form; 3 simple job, 4 complex job
  // without and 5 with a thickness margin from the part form.
  std::int32_t SizeContext = 1;
  // The caller's current size in internal units; 0 for an empty field.
  std::int32_t SizeLength = 0;
  std::int32_t SizeWidth = 0;
  std::int32_t SizeThickness = 0;
};

// Read by the entry form once the picker is closed.
struct SizePickerOutput {
  std::uint8_t SizePicked = 0;  // 1: the user chose a size
  std::int32_t SizeLength = 0;  // the size chosen, internal units
  std::int32_t SizeWidth = 0;
  std::int32_t SizeThickness = 0;
  // The picker's thickness field was not empty: the chosen size carries a thickness.
  bool ThicknessGiven = false;
  // 1 when the picker added or deleted a size during this showing (closed by OK or not).
  std::uint8_t SizeChanged = 0;
};

class SizePicker {
 public:
  virtual ~SizePicker() = default;
  // Places itself over caller (centred on its client area, 14 pixels below its top), shows
  // itself modally and reports what was chosen.
  virtual SizePickerOutput Pick(const SizePickerInput& input, QWidget& caller) = 0;
};

}  // namespace tranchex
