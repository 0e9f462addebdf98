#pragma once
// The unit of measure: how lengths held in tenths of a millimetre are shown and entered.
// Displayed values are divided by the factor; entered values are multiplied by it.

#include <string>

namespace tranchex {

// Internal units (tenths of a millimetre) per display unit: 10 millimetre, 100 centimetre,
// 10000 metre, 254 inch. The abbreviation is shown beside values; the second text is a further
// label kept and stored with the unit. Without a unit file the program works in millimetres.
struct UNITE_MESURE {
  double Factor = 10.0;
  std::string Abbreviation = "mm";
  std::string SecondText;
};

}  // namespace tranchex
