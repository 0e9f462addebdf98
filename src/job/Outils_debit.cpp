#include "job/Outils_debit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tranchex {
namespace {

namespace fs = std::filesystem;

// 2^63: the first long double whole number that int64 can't hold.
constexpr long double kInt64Bound = 9223372036854775808.0L;

// Writes a whole number of the double range in decimal, without a minus sign for zero.
std::string WholeNumberText(long double whole) {
  if (whole == 0) return "0";
  char buf[512];  // the largest double has 309 digits
  const auto result = std::to_chars(buf, buf + sizeof buf, whole, std::chars_format::fixed, 0);
  return std::string(buf, result.ptr);
}

// x x 10^decimals, rounded half away from zero, then brought back and written in the general
// format. The product is a double, as a shop's figures have always been rounded: 0.0185 m (the
// double just below it) times 1000 is 18.5 and shows "0,019", and 511.65 mm in cm shows
// "51,17" like 511.7 mm, so both panels make one summary line. The rounding itself is in 64
// bits, so large values round right.
std::string FormatRounded(double x, int decimals, char decimalSeparator) {
  double powerDouble = 1.0;
  for (int i = 0; i < decimals; ++i) powerDouble *= 10.0;
  const long double power = powerDouble;
  const double scaled = x * powerDouble;
  if (const auto n = RoundDouble(scaled)) {
    return FormatGeneral(static_cast<long double>(*n) / power, decimalSeparator);
  }
  // Beyond 2^63 a long double holds whole numbers only: nothing to round. NaN and the
  // infinities pass through to their own texts.
  return FormatGeneral(scaled / power, decimalSeparator);
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

// ---- Rounding -----------------------------------------------------------------------------

std::optional<std::int64_t> RoundDouble(long double x) {
  if (!std::isfinite(x)) return std::nullopt;
  long double r;
  if (x >= 0) {
    const long double lower = std::floor(x);
    r = x - lower < 0.5L ? lower : std::ceil(x);
  } else {
    const long double upper = std::ceil(x);
    r = x - upper > -0.5L ? upper : std::floor(x);
  }
  if (r >= kInt64Bound || r < -kInt64Bound) return std::nullopt;
  return static_cast<std::int64_t>(r);
}

std::optional<int> RoundHalfAway(double x) {
  const auto r = RoundDouble(x);
  if (!r || *r > std::numeric_limits<int>::max() || *r < std::numeric_limits<int>::min()) {
    return std::nullopt;
  }
  return static_cast<int>(*r);
}

// ---- Number texts ---------------------------------------------------------------------------

std::string FormatGeneral(long double x, char decimalSeparator) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  if (x == 0) return "0";

  // 15 significant digits, d.dddddddddddddde±x; std::to_chars ignores the locale.
  char buf[64];
  const auto result =
      std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
  std::string_view text(buf, static_cast<std::size_t>(result.ptr - buf));
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  std::string digits;
  for (const char c : text.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  std::string_view exponentText = text.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (std::fabs(x) < 0.00001L || exponent >= 15) {
    out += digits.front();
    if (digits.size() > 1) {
      out += decimalSeparator;
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent >= 0) {
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out += decimalSeparator;
      out.append(digits, integerDigits);
    }
  } else {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

std::string FormatTwoDecimals(double x, char decimalSeparator) {
  return FormatRounded(x, 2, decimalSeparator);
}

std::string FormatThreeDecimals(double x, char decimalSeparator) {
  return FormatRounded(x, 3, decimalSeparator);
}

int SizeDecimals(double factor) {
  int decimals = 0;
  double power = 1.0;
  // The smallest power of ten at least the factor: a tenth of a millimetre then moves the last
  // digit by at least one, so every stored tenth has a text of its own.
  while (power < factor && decimals < 9) {
    power *= 10.0;
    ++decimals;
  }
  return decimals;
}

std::string FormatSize(double tenths, double factor, char decimalSeparator) {
  if (!IsUsableUnitFactor(factor)) return FormatGeneral(tenths, decimalSeparator);
  return FormatRounded(tenths / factor, SizeDecimals(factor), decimalSeparator);
}

std::string FormatWithDecimalPoint(double x) {
  if (!std::isfinite(x)) return FormatGeneral(x, '.');
  if (x == std::trunc(x)) return WholeNumberText(x);
  // Not whole, so |x| < 2^52 and x x 100 fits in int64. Rounding the whole value (not only its
  // fraction) carries 2.999 over to 3.00.
  const std::int64_t cents = *RoundDouble(static_cast<long double>(x) * 100.0L);
  const std::uint64_t magnitude =
      cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  std::string out = cents < 0 ? "-" : "";
  out += std::to_string(magnitude / 100);
  out += '.';
  out += static_cast<char>('0' + magnitude % 100 / 10);
  out += static_cast<char>('0' + magnitude % 10);
  return out;
}

std::string FormatScaleLabel(std::string_view prefix, float scale) {
  std::string out(prefix);
  out += " : 1/";
  if (!std::isfinite(scale)) {
    out += '?';
    return out;
  }
  // The scale divides lengths in 0.1 mm into drawing units of 0.1 mm, so it is the ratio itself:
  // a plan drawn at 12.2 is about one twelfth of the real size. A plan at full size or enlarged
  // (a scale of 1 or less) reads 1/1.
  if (scale <= 1.0f) {
    out += '1';
    return out;
  }
  // Beyond 2^63 a float holds whole numbers only: nothing to round.
  const std::optional<std::int64_t> nearest = RoundDouble(scale);
  out += nearest ? std::to_string(*nearest) : WholeNumberText(scale);
  return out;
}

// ---- Texts ----------------------------------------------------------------------------------

std::string EllipsizeText(std::string_view text, int characterWidth, int availableWidth) {
  if (characterWidth <= 0) return std::string(text);
  const auto characters = static_cast<std::int64_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsUtf8Continuation(c); }));
  if (characters * characterWidth < availableWidth) return std::string(text);
  const int keep = availableWidth / characterWidth - 3;
  if (keep <= 0) return "...";
  std::size_t end = 0;
  for (int seen = 0; end < text.size(); ++end) {
    if (IsUtf8Continuation(text[end])) continue;
    if (seen == keep) break;
    ++seen;
  }
  std::string out(text.substr(0, end));
  out += "...";
  return out;
}

std::string ReplacePlaceholder(std::string_view message, std::string_view placeholder,
                               std::string_view value) {
  const std::size_t p = placeholder.empty() ? std::string_view::npos : message.find(placeholder);
  if (p == std::string_view::npos) return std::string(message);
  std::string out(message.substr(0, p));
  out += value;
  out += message.substr(p + placeholder.size());
  return out;
}

std::string ReplaceValPlaceholder(std::string_view message, std::string_view value) {
  return ReplacePlaceholder(message, "val", value);
}

std::string ReplaceVal1Val2Placeholders(std::string_view message, std::string_view first,
                                        std::string_view second, std::string_view third) {
  const std::size_t p1 = message.find("val1");
  if (p1 == std::string_view::npos) return std::string(message);
  std::string out(message.substr(0, p1));
  out += first;
  std::size_t rest = p1 + 4;

  const std::size_t p2 = second.empty() ? std::string_view::npos : message.find("val2", rest);
  if (p2 != std::string_view::npos) {
    out += message.substr(rest, p2 - rest);
    out += second;
    rest = p2 + 4;
    const std::size_t p3 = third.empty() ? std::string_view::npos : message.find("panel", rest);
    if (p3 != std::string_view::npos) {
      out += message.substr(rest, p3 - rest);
      out += third;
      rest = p3 + 5;
    }
  }
  out += message.substr(rest);
  return out;
}

// ---- Paths and files ------------------------------------------------------------------------

std::string ExtractFileNamePart(std::string_view path) {
  const std::size_t p = path.rfind('/');
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string ExtractExtensionPart(std::string_view name) {
  const std::size_t p = name.rfind('.');
  return std::string(p == std::string_view::npos ? name : name.substr(p + 1));
}

std::string ExtractDirectoryPart(std::string_view path) {
  const std::size_t p = path.rfind('/');
  return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

void CopyUnit(const UNITE_MESURE& source, UNITE_MESURE& destination) {
  destination.Factor = source.Factor;
  destination.Abbreviation = source.Abbreviation;
}

bool ClearReadOnly(const fs::path& fileName) {
  auto ownerWritable = [](const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
  };
  std::error_code ec;
  fs::file_status status = fs::status(fileName, ec);
  if (status.type() == fs::file_type::not_found) return true;
  if (ec) return false;
  if (!ownerWritable(status)) {
    // A failure here shows in the second reading.
    fs::permissions(fileName, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  status = fs::status(fileName, ec);
  if (status.type() == fs::file_type::not_found) return true;
  return !ec && ownerWritable(status);
}

}  // namespace tranchex
