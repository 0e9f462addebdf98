#include "engine/SeedAndGroup.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "engine/Driver.h"

namespace tranchex {

void SeedAndGroup(const PanelList& stock, PartList& parts, int jobKind, EngineContext& ctx,
                  PanelList& working, PartGroupList& groups) {
  working.clear();
  std::size_t stockCopies = 0;
  for (const Panneau_p& panel : stock)
    stockCopies += panel.Quantity > 0 ? static_cast<std::size_t>(panel.Quantity) : 0;
  working.reserve(stockCopies);
  for (const Panneau_p& panel : stock) {
    for (std::int32_t q = 0; q < panel.Quantity; ++q) working.push_back(panel);
  }

  // Numbers are the parts' positions, so references, designations and counts always belong to
  // the part that carries them.
  FreePartGroups(groups);
  RenumberParts(parts, ctx);
  ctx.PartCounts = BuildPartCounts(parts);
  // Each part's group first, then every group filled at its final size: the copies are written
  // once. A complex job's part joins the first group holding a copy of its species and thickness
  // (FindPartGroup), found here by its material instead of by walking the copies.
  std::vector<std::size_t> groupOf(parts.size());
  std::vector<std::size_t> copies;
  std::map<std::pair<std::int32_t, std::uint64_t>, std::size_t> groupOfMaterial;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const TPiece& part = parts[i];
    const std::size_t quantity = part.Quantity > 0 ? static_cast<std::size_t>(part.Quantity) : 0;
    std::size_t g = 0;
    if (jobKind == 1) {
      if (copies.empty()) copies.push_back(0);
    } else {
      // Equal thicknesses are equal doubles: a zero of either sign is one key.
      const double thickness = part.Thickness == 0.0 ? 0.0 : part.Thickness;
      const auto key = std::make_pair(part.Species, std::bit_cast<std::uint64_t>(thickness));
      const auto found = groupOfMaterial.find(key);
      if (found != groupOfMaterial.end()) {
        g = found->second;
      } else {
        g = copies.size();
        copies.push_back(0);
        // A group that receives no copy holds no material: the next part finds no group.
        if (quantity > 0) groupOfMaterial.emplace(key, g);
      }
    }
    groupOf[i] = g;
    copies[g] += quantity;
  }
  groups.resize(copies.size());
  for (std::size_t g = 0; g < copies.size(); ++g) groups[g].reserve(copies[g]);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    PartList& group = groups[groupOf[i]];
    if (parts[i].Quantity > 0)
      group.insert(group.end(), static_cast<std::size_t>(parts[i].Quantity), parts[i]);
  }

  SortPartGroups(groups, ctx.OptimisationCriterion);
  SortPanels(working);
}

void PutPanelsInEntryOrder(PanelList& panels) {
  SortPanelsByKey(panels, [](const Panneau_p& p) -> std::int64_t { return PanelEntryIndex(p); });
}

}  // namespace tranchex
