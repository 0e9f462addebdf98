#include "exchange/OffcutFilterEntry.h"

#include <cstdint>

#include "job/NumberEntry.h"
#include "job/Outils_debit.h"

namespace tranchex {

std::optional<double> CheckFilterEntry(std::string_view text, FilterField field, double factor,
                                       double maxLength, char decimalSeparator) {
  const std::optional<double> typed = ParseRegionalNumber(text, decimalSeparator);
  if (!typed) return std::nullopt;
  const bool surface = field == FilterField::Surface;
  const long double scale = surface ? static_cast<long double>(factor) * factor : factor;
  const std::optional<std::int64_t> stored = RoundDouble(static_cast<long double>(*typed) * scale);
  if (!stored) return std::nullopt;
  const long double bound =
      surface ? static_cast<long double>(maxLength) * maxLength : maxLength;
  const long double value = static_cast<long double>(*stored);
  if (value < 0 || value >= bound) return std::nullopt;
  return static_cast<double>(*stored);
}

std::string FilterValueText(double stored, FilterField field, double factor,
                            char decimalSeparator) {
  const double scale = field == FilterField::Surface ? factor * factor : factor;
  return FormatTwoDecimals(stored / scale, decimalSeparator);
}

}  // namespace tranchex
