#include "engine/SeedAndGroup.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/Driver.h"

namespace tranchex {

void SeedAndGroup(const PanelList& stock, PartList& parts, int jobKind, EngineContext& ctx,
                  PanelList& working, PartGroupList& groups) {
  working.clear();
  for (const Panneau_p& panel : stock) {
    for (std::int32_t q = 0; q < panel.Quantity; ++q) working.push_back(panel);
  }

  // Numbers are the parts' positions, so references, designations and counts always belong to
  // the part that carries them.
  FreePartGroups(groups);
  RenumberParts(parts, ctx);
  ctx.PartCounts = BuildPartCounts(parts);
  for (const TPiece& part : parts) {
    int index = -1;
    if (jobKind == 1) {
      if (groups.empty()) groups.emplace_back();
      index = 0;
    } else if (!FindPartGroup(groups, part, index)) {
      groups.emplace_back();
      index = static_cast<int>(groups.size()) - 1;
    }
    PartList& group = groups[static_cast<std::size_t>(index)];
    if (part.Quantity > 0) group.insert(group.end(), static_cast<std::size_t>(part.Quantity), part);
  }

  SortPartGroups(groups, ctx.OptimisationCriterion);
  SortPanels(working);
}

void PutPanelsInEntryOrder(PanelList& panels) {
  std::stable_sort(panels.begin(), panels.end(), [](const Panneau_p& a, const Panneau_p& b) {
    return PanelEntryIndex(a) < PanelEntryIndex(b);
  });
}

}  // namespace tranchex
