#pragma once
// What a person types into a numeric field: read with the regional decimal separator, scaled by
// the unit factor, rounded to whole internal units, held against the field's bounds, and shown
// again. Qt-free, so the dialogs and the import read numbers by one rule.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "job/MeasureUnit.h"

namespace tranchex {

// The number a text holds, read as a person types it: blanks around it are ignored; an optional
// sign, digits with at most one decimalSeparator, an optional exponent ("1e3", "2,5E-1"). No
// group separators ("1 200,5" is no number), no other separator than decimalSeparator ("12.5"
// is no number under a comma), no "nan" or "inf", at least one digit. Nothing when the text is
// not such a number or its value is not finite.
std::optional<double> ParseRegionalNumber(std::string_view text, char decimalSeparator);

// The bounds of a field, in internal units (or plain counts). A bound may include its value
// or exclude it.
struct EntryRange {
  double Lower = 0.0;
  bool LowerIncluded = false;
  double Upper = 0.0;
  bool UpperIncluded = true;
  bool Holds(double value) const;
};

// An entry the field accepted: its value in internal units, rounded half away from zero to a
// whole number, and the text the field shows afterwards.
struct AcceptedEntry {
  std::int32_t Value = 0;
  std::string Text;
};

// A length (or any value shown in the unit): the typed number times factor, rounded half away
// from zero to a 32-bit integer, then held against range. Accepted, the field shows the stored
// value as every size is shown (FormatSize: each tenth of a millimetre) when that differs from
// the number as typed (in millimetres "1200,06" becomes "1200,1", in metres "0,72051" becomes
// "0,7205"), and keeps the typed text otherwise ("1200,0" stays). Nothing when
// the text is no number, the scaled value does not fit 32 bits, or it is out of range.
std::optional<AcceptedEntry> CheckLengthEntry(std::string_view typed, double factor,
                                              const EntryRange& range, char decimalSeparator);

// A count: a whole number in decimal digits (an optional sign, blanks around), no unit, held
// against range. "2,5", "", letters are no count. The field keeps the typed text.
std::optional<AcceptedEntry> CheckCountEntry(std::string_view typed, const EntryRange& range);

// An upper bound as a refusal names it: bound / factor with at most two decimals. A bound the
// field accepts must be accepted when typed back, so where the nearest text would read back
// past it, the text is rounded down instead (2800 mm in inches: "110,23", since "110,24" is
// 2800,1 mm). An excluded bound is named as it is.
std::string UpperBoundText(double upperBound, bool upperIncluded, double factor,
                           char decimalSeparator);

// The message of a refused value: the field's own text, a line break, and the range text
// ("Vous devez saisir une valeur comprise entre val1 et val2 ...") with "0" for val1 and the
// upper bound in the unit (UpperBoundText), a blank and the unit's abbreviation for val2
// ("6000 mm").
std::string RangeRefusalMessage(std::string_view fieldText, std::string_view rangeText,
                                double upperBound, const UNITE_MESURE& unit,
                                char decimalSeparator, bool upperIncluded = true);

}  // namespace tranchex
