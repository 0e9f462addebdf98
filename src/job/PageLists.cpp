#include "job/PageLists.h"

#include <cstddef>
#include <unordered_map>

#include "job/Outils_debit.h"

namespace tranchex {

namespace {

constexpr std::int32_t kRepeat = -1;
constexpr char kSignatureSeparator = '|';

bool Displayed(const AFF_PANNEAU& entry) { return entry.Count != kRepeat; }

// Walks the entries from 0 up to and including `index`: the number of displayed entries met
// (the page number of the last one) and the index of the last one, -1 when none.
void WalkTo(std::int32_t index, const PanelPageList& pages, std::int32_t& page,
            std::int32_t& last) {
  page = 0;
  last = -1;
  const std::int32_t size = static_cast<std::int32_t>(pages.size());
  for (std::int32_t i = 0; i <= index && i < size; ++i) {
    if (Displayed(pages[static_cast<std::size_t>(i)])) {
      ++page;
      last = i;
    }
  }
}

// The displayed entry that is page k + 1, or -1.
std::int32_t DisplayedEntry(const PanelPageList& pages, std::int32_t k) {
  if (k < 0) return -1;
  std::int32_t ordinal = 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!Displayed(pages[i])) continue;
    if (ordinal == k) return static_cast<std::int32_t>(i);
    ++ordinal;
  }
  return -1;
}

}  // namespace

void PaginateRows(const PartList& parts, PageList& pages, std::uint32_t rowsPerPage) {
  pages.clear();
  // At least one row per page: a window too small for one row still shows one.
  const std::uint64_t k = rowsPerPage == 0 ? 1 : rowsPerPage;
  const std::uint64_t n = parts.size();
  if (n == 0) {
    pages.push_back({0, -1});
    return;
  }
  std::uint64_t first = 0;
  std::uint64_t last = n > k - 1 ? k - 1 : n - 1;
  pages.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)});
  while (n - 1 > last) {
    first = last + 1;
    last = n > first + k - 1 ? first + k - 1 : n - 1;
    pages.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)});
  }
}

std::string PanelSignature(const Panneau_p& panel, char decimalSeparator) {
  std::string s;
  const auto add = [&s](const std::string& field) {
    s += field;
    s += kSignatureSeparator;
  };
  add(FormatGeneral(panel.Length, decimalSeparator));
  add(FormatGeneral(panel.Width, decimalSeparator));
  add(FormatGeneral(panel.Thickness, decimalSeparator));
  add(std::to_string(panel.Species));
  add(std::to_string(panel.Grain));
  for (const TPiece& part : panel.PlacedParts) {
    add(std::to_string(PartNumber(part)));
    add(std::to_string(part.Rect.left));
    add(std::to_string(part.Rect.top));
  }
  return s;
}

void BuildPanelDisplayList(PanelPageList& pages, const PanelList& panels, char decimalSeparator) {
  if (panels.empty()) return;
  pages.clear();
  pages.reserve(panels.size());
  // Each layout's first entry, found by its signature: the list is built in one pass.
  std::unordered_map<std::string, std::size_t> firstEntry;
  firstEntry.reserve(panels.size());
  for (const Panneau_p& panel : panels) {
    std::string signature = PanelSignature(panel, decimalSeparator);
    const auto found = firstEntry.find(signature);
    if (found != firstEntry.end()) {
      pages[found->second].Count += 1;
      pages.push_back({std::string(), kRepeat});
    } else {
      firstEntry.emplace(signature, pages.size());
      pages.push_back({std::move(signature), 1});
    }
  }
}

std::int32_t NextDisplayedPanel(std::int32_t& index, const PanelPageList& pages) {
  if (pages.empty()) {
    index = 0;
    return 0;
  }
  std::int32_t page = 0;
  std::int32_t current = -1;
  WalkTo(index, pages, page, current);
  const std::int32_t size = static_cast<std::int32_t>(pages.size());
  for (std::int32_t j = current + 1; j < size; ++j) {
    if (Displayed(pages[static_cast<std::size_t>(j)])) {
      current = j;
      ++page;
      break;
    }
  }
  if (current >= 0) index = current;
  return page;
}

std::int32_t PreviousDisplayedPanel(std::int32_t& index, const PanelPageList& pages) {
  if (pages.empty()) {
    index = 0;
    return 0;
  }
  std::int32_t page = 0;
  std::int32_t current = -1;
  WalkTo(index, pages, page, current);
  if (current < 0) return page;  // no displayed entry up to the index: nothing to go back to
  for (std::int32_t j = current - 1; j >= 0; --j) {
    if (Displayed(pages[static_cast<std::size_t>(j)])) {
      current = j;
      --page;
      break;
    }
  }
  index = current;
  return page;
}

std::int32_t CountDisplayedPanels(const PanelPageList& pages) {
  std::int32_t count = 0;
  for (const AFF_PANNEAU& entry : pages)
    if (Displayed(entry)) ++count;
  return count;
}

std::int32_t LastDisplayedPanel(const PanelPageList& pages) {
  for (std::size_t i = pages.size(); i-- > 0;)
    if (Displayed(pages[i])) return static_cast<std::int32_t>(i);
  return 0;
}

std::int32_t DisplayedPanelIndex(const PanelPageList& pages, std::int32_t k) {
  return DisplayedEntry(pages, k);
}

std::int32_t DisplayedPanelRepeat(const PanelPageList& pages, std::int32_t k) {
  const std::int32_t i = DisplayedEntry(pages, k);
  return i < 0 ? 0 : pages[static_cast<std::size_t>(i)].Count;
}

}  // namespace tranchex
