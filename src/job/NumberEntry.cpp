#include "job/NumberEntry.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "job/Outils_debit.h"
#include "platform/Blanks.h"

namespace tranchex {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseRegionalNumber(std::string_view text, char decimalSeparator) {
  text = TrimBlanks(text);
  // Rewritten with a point for the standard conversion, after checking every character.
  std::string plain;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  bool digits = false;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digits = true;
      plain += c;
    } else if (c == decimalSeparator && !separator) {
      separator = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    bool exponentDigits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      exponentDigits = true;
      plain += text[i];
    }
    if (!exponentDigits) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0.0;
  const char* first = plain.data();
  if (!plain.empty() && plain.front() == '-' && plain.size() > 1 && plain[1] == '.') {
    plain.insert(1, "0");
    first = plain.data();
  } else if (!plain.empty() && plain.front() == '.') {
    plain.insert(0, "0");
    first = plain.data();
  }
  const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

bool EntryRange::Holds(double value) const {
  const bool aboveLower = LowerIncluded ? value >= Lower : value > Lower;
  const bool belowUpper = UpperIncluded ? value <= Upper : value < Upper;
  return aboveLower && belowUpper;
}

std::optional<AcceptedEntry> CheckLengthEntry(std::string_view typed, double factor,
                                              const EntryRange& range, char decimalSeparator) {
  const std::optional<double> number = ParseRegionalNumber(typed, decimalSeparator);
  if (!number) return std::nullopt;
  const std::optional<int> value = RoundHalfAway(*number * factor);
  if (!value || !range.Holds(*value)) return std::nullopt;
  AcceptedEntry entry{*value, std::string(typed)};
  // The stored value as sizes are shown, against the typed number in general form.
  const std::string stored = FormatSize(*value, factor, decimalSeparator);
  if (stored != FormatGeneral(*number, decimalSeparator)) entry.Text = stored;
  return entry;
}

std::optional<AcceptedEntry> CheckCountEntry(std::string_view typed, const EntryRange& range) {
  std::string_view text = TrimBlanks(typed);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 0x7FFFFFFFLL) return std::nullopt;
  }
  if (negative) value = -value;
  if (!range.Holds(static_cast<double>(value))) return std::nullopt;
  return AcceptedEntry{static_cast<std::int32_t>(value), std::string(typed)};
}

std::string UpperBoundText(double upperBound, bool upperIncluded, double factor,
                           char decimalSeparator) {
  const double shown = upperBound / factor;
  std::string text = FormatTwoDecimals(shown, decimalSeparator);
  if (!upperIncluded || !std::isfinite(shown) || std::fabs(shown) > 1e12) return text;
  const auto readsBackWithin = [&](const std::string& candidate) {
    const std::optional<double> number = ParseRegionalNumber(candidate, decimalSeparator);
    if (!number) return true;
    const std::optional<int> value = RoundHalfAway(*number * factor);
    return !value || *value <= upperBound;
  };
  // The hundredths below the bound, one step further down at most for a value a hair under a
  // hundredth.
  double hundredths = std::floor(shown * 100.0);
  for (int step = 0; step < 3 && !readsBackWithin(text); ++step) {
    text = FormatTwoDecimals(hundredths / 100.0, decimalSeparator);
    hundredths -= 1.0;
  }
  return text;
}

std::string RangeRefusalMessage(std::string_view fieldText, std::string_view rangeText,
                                double upperBound, const UNITE_MESURE& unit,
                                char decimalSeparator, bool upperIncluded) {
  const std::string upper =
      UpperBoundText(upperBound, upperIncluded, unit.Factor, decimalSeparator) + " " +
      unit.Abbreviation;
  return std::string(fieldText) + "\n" + ReplaceVal1Val2Placeholders(rangeText, "0", upper, "");
}

}  // namespace tranchex
