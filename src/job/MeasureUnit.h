#pragma once
// The unit of measure: how lengths held in tenths of a millimetre are shown and entered.
// Displayed values are divided by the factor; entered values are multiplied by it.

#include <cmath>
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

inline constexpr double kMillimetreFactor = 10.0;
inline constexpr double kCentimetreFactor = 100.0;
inline constexpr double kMetreFactor = 10000.0;
inline constexpr double kInchFactor = 254.0;

// A factor every length may be divided by: a finite number above 0 (a factor of 0 or NaN would
// turn every displayed length into infinity or NaN). The files refuse any other.
inline bool IsUsableUnitFactor(double factor) {
  return std::isfinite(factor) && factor > 0.0 && factor <= 1.0e9;
}

}  // namespace tranchex
