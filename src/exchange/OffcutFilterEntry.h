#pragma once
// The values typed in the offcut filter form: a minimum length or width in the unit of measure,
// a minimum surface in its square, each turned into stored units and checked.

#include <optional>
#include <string>
#include <string_view>

namespace tranchex {

enum class FilterField { Length, Width, Surface };

// The typed text in stored units, rounded half away from zero: a length or width when
// 0 <= value < maxLength, a surface when 0 <= value < maxLength². The surface goes through the
// 64-bit rounding: the square of the largest length is beyond 32 bits. Nothing for a text that
// is no number or a value out of bounds.
std::optional<double> CheckFilterEntry(std::string_view text, FilterField field, double factor,
                                       double maxLength, char decimalSeparator);

// The text the field shows for a stored value: two decimals in the unit (or its square).
std::string FilterValueText(double stored, FilterField field, double factor,
                            char decimalSeparator);

}  // namespace tranchex
