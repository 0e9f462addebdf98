#include "job/StandardSizes.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

#include "engine/FitChecks.h"
#include "job/Outils_debit.h"

namespace tranchex {

std::string StandardSizeText(double length, double width, std::optional<double> thickness,
                             double factor, char decimalSeparator) {
  std::string text = FormatSize(length, factor, decimalSeparator) + " x " +
                     FormatSize(width, factor, decimalSeparator);
  if (thickness) text += " x " + FormatSize(*thickness, factor, decimalSeparator);
  return text;
}

namespace {

// The stored values of a size, whatever its kind: the two records of a size serving both kinds
// give the same key.
struct SizeValues {
  std::int32_t Length;
  std::int32_t Width;
  std::int32_t Thickness;
  bool operator==(const SizeValues&) const = default;
};

struct SizeValuesHash {
  std::size_t operator()(const SizeValues& v) const {
    const auto word = [](std::int32_t x) {
      return static_cast<std::uint64_t>(static_cast<std::uint32_t>(x));
    };
    // Length and width fill 64 bits; the thickness is mixed in by a multiply.
    const std::uint64_t key = (word(v.Length) << 32) | word(v.Width);
    return std::hash<std::uint64_t>{}(key ^ (word(v.Thickness) * 0x9E3779B97F4A7C15ull));
  }
};

}  // namespace

std::vector<StandardSizeRow> ListStandardSizes(const std::vector<DIMENSIONS>& sizes,
                                               bool managing, std::int32_t kind,
                                               const PanelList* panels, double factor,
                                               char decimalSeparator) {
  std::vector<StandardSizeRow> rows;
  // Managing, a size is listed once, found by its stored values: two sizes whose texts read
  // alike in a coarse unit are still two rows.
  std::unordered_set<SizeValues, SizeValuesHash> listed;
  if (managing) listed.reserve(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const DIMENSIONS& size = sizes[i];
    const bool withThickness = managing || kind == 2;
    if (!managing) {
      if (size.Kind != kind) continue;
      if (panels != nullptr && !PanelThicknessExists(*panels, size.Thickness)) continue;
    }
    if (managing && !listed.insert({size.Length, size.Width, size.Thickness}).second) continue;
    rows.push_back({StandardSizeText(size.Length, size.Width,
                                     withThickness ? std::optional<double>(size.Thickness)
                                                   : std::nullopt,
                                     factor, decimalSeparator),
                    i});
  }
  return rows;
}

std::optional<std::size_t> PreselectedStandardSize(const std::vector<DIMENSIONS>& sizes,
                                                   std::int32_t kind, std::int32_t length,
                                                   std::int32_t width, std::int32_t thickness) {
  if (length == 0 && width == 0 && thickness == 0) return std::nullopt;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const DIMENSIONS& size = sizes[i];
    if (size.Kind != kind) continue;
    if (length != 0 && size.Length != length) continue;
    if (width != 0 && size.Width != width) continue;
    if (thickness != 0 && size.Thickness != thickness) continue;
    return i;
  }
  return std::nullopt;
}

bool StandardSizeStored(const std::vector<DIMENSIONS>& sizes, std::int32_t length,
                        std::int32_t width, std::int32_t thickness, std::int32_t kind) {
  return std::any_of(sizes.begin(), sizes.end(), [&](const DIMENSIONS& size) {
    return size.Length == length && size.Width == width && size.Thickness == thickness &&
           size.Kind == kind;
  });
}

std::size_t AppendStandardSize(std::vector<DIMENSIONS>& sizes, std::int32_t length,
                               std::int32_t width, std::int32_t thickness, std::int32_t kind,
                               bool managing) {
  if (managing) {
    if (thickness == kSimpleJobSizeThickness) sizes.push_back({length, width, thickness, 1});
    sizes.push_back({length, width, thickness, 2});
  } else {
    sizes.push_back({length, width, kind == 1 ? kSimpleJobSizeThickness : thickness, kind});
  }
  return sizes.size() - 1;
}

void EraseStandardSize(std::vector<DIMENSIONS>& sizes, std::size_t record) {
  if (record >= sizes.size()) return;
  const DIMENSIONS erased = sizes[record];
  sizes.erase(sizes.begin() + static_cast<std::ptrdiff_t>(record));
  const auto twin = std::find_if(sizes.begin(), sizes.end(), [&](const DIMENSIONS& size) {
    return size.Length == erased.Length && size.Width == erased.Width &&
           size.Thickness == erased.Thickness;
  });
  if (twin != sizes.end()) sizes.erase(twin);
}

}  // namespace tranchex
