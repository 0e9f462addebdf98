#pragma once
// The page lists of the paged views: the row ranges of the cutting-sheet pages, and the page
// list of the panels view, where a result panel whose layout repeats an earlier one is not a
// page of its own. With the queries that turn page numbers into panel indexes and back.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"

namespace tranchex {

// The three views of a computed job, by the numbers the view state keeps.
inline constexpr std::int32_t kPartsView = 10;
inline constexpr std::int32_t kPanelsView = 20;
inline constexpr std::int32_t kCuttingSheetView = 30;

// One page of the cutting sheet: the first and the last row (inclusive), indexes in the parts.
struct PAGE {
  std::int32_t FirstRow = 0;
  std::int32_t LastRow = 0;
  friend constexpr bool operator==(const PAGE&, const PAGE&) = default;
};

// One entry of the panels view's page list, for the result panel at the same index. The first
// panel of a layout holds its signature and the number of panels cut to that layout; every later
// panel of the same layout holds an empty signature and -1 (it is not shown).
struct AFF_PANNEAU {
  std::string Signature;
  std::int32_t Count = 0;
  friend bool operator==(const AFF_PANNEAU&, const AFF_PANNEAU&) = default;
};

using PageList = std::vector<PAGE>;
using PanelPageList = std::vector<AFF_PANNEAU>;

// Rebuilds the pages: ceil(N / K) pages of K rows, the last holding the rest; no part gives the
// single page {0, -1}. Zero rows per page is taken as one.
void PaginateRows(const PartList& parts, PageList& pages, std::uint32_t rowsPerPage);

// The layout signature of a result panel: its length, width, thickness, species and grain, then
// the number and the left and top coordinates of each placed part, in placing order. Fields are
// kept apart by a separator, so two different layouts never share a signature.
std::string PanelSignature(const Panneau_p& panel, char decimalSeparator);

// Rebuilds the page list, one entry per result panel. An empty panel list leaves the page list
// as it was.
void BuildPanelDisplayList(PanelPageList& pages, const PanelList& panels, char decimalSeparator);

// An entry is displayed when its count is not -1; pages count the displayed entries from 1.

// Moves the index to the next displayed entry and returns its page number; at the last page
// the index stays and the current page number comes back. An empty list gives index 0, page 0.
std::int32_t NextDisplayedPanel(std::int32_t& index, const PanelPageList& pages);

// Moves the index to the previous displayed entry and returns its page number; at the first page
// nothing moves. An empty list gives index 0, page 0.
std::int32_t PreviousDisplayedPanel(std::int32_t& index, const PanelPageList& pages);

// The number of pages; 0 for an empty list.
std::int32_t CountDisplayedPanels(const PanelPageList& pages);

// The index of the last displayed entry; 0 for an empty list.
std::int32_t LastDisplayedPanel(const PanelPageList& pages);

// The index of the displayed entry that is page k + 1; -1 when there is no such page.
std::int32_t DisplayedPanelIndex(const PanelPageList& pages, std::int32_t k);

// The count of the displayed entry that is page k + 1 (how many identical panels it stands
// for); 0 when there is no such page.
std::int32_t DisplayedPanelRepeat(const PanelPageList& pages, std::int32_t k);

}  // namespace tranchex
