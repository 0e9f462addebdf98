#include "job/StandardSizes.h"

#include <algorithm>

#include "engine/FitChecks.h"
#include "job/NumberEntry.h"

namespace tranchex {

std::string StandardSizeText(double length, double width, std::optional<double> thickness,
                             double factor, char decimalSeparator) {
  std::string text = StoredValueText(length, factor, decimalSeparator) + " x " +
                     StoredValueText(width, factor, decimalSeparator);
  if (thickness) text += " x " + StoredValueText(*thickness, factor, decimalSeparator);
  return text;
}

std::vector<StandardSizeRow> ListStandardSizes(const std::vector<DIMENSIONS>& sizes,
                                               bool managing, std::int32_t kind,
                                               const PanelList* panels, double factor,
                                               char decimalSeparator) {
  std::vector<StandardSizeRow> rows;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const DIMENSIONS& size = sizes[i];
    const bool withThickness = managing || kind == 2;
    if (!managing) {
      if (size.Kind != kind) continue;
      if (panels != nullptr && !PanelThicknessExists(*panels, size.Thickness)) continue;
    }
    std::string text =
        StandardSizeText(size.Length, size.Width,
                         withThickness ? std::optional<double>(size.Thickness) : std::nullopt,
                         factor, decimalSeparator);
    if (managing && std::any_of(rows.begin(), rows.end(),
                                [&](const StandardSizeRow& row) { return row.Text == text; })) {
      continue;
    }
    rows.push_back({std::move(text), i});
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
