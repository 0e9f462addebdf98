#include "job/SpeciesList.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/Cp1252.h"

namespace tranchex {
namespace {

// Calls f with every species index the job holds (a reference into the job, const when the job
// is).
template <class Job, class F>
void ForEachSpecies(Job& job, F&& f) {
  for (auto& panel : job.JobPanels) f(panel.Species);
  for (auto& part : job.JobParts) f(part.Species);
  for (auto& panel : job.ResultPanels) {
    f(panel.Species);
    for (auto& part : panel.PlacedParts) f(part.Species);
  }
  for (auto& group : job.PartGroups) {
    for (auto& part : group) f(part.Species);
  }
  for (auto& offcut : job.Offcuts) f(offcut.Species);
  for (auto& characteristic : job.PanelCharacteristics) f(characteristic.Species);
}

std::int32_t ClampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::vector<std::size_t> SpeciesShownOrder(const std::vector<std::string>& names) {
  std::vector<std::size_t> order;
  order.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!names[i].empty()) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Cp1252Less(names[a], names[b]);
  });
  return order;
}

std::vector<bool> SpeciesUsedByJob(const JobState& job, std::size_t listSize) {
  std::vector<bool> used(listSize, false);
  ForEachSpecies(job, [&](std::int32_t species) {
    if (species >= 0 && static_cast<std::size_t>(species) < listSize)
      used[static_cast<std::size_t>(species)] = true;
  });
  return used;
}

bool RemapJobSpecies(JobState& job, const std::vector<int>& origins, std::size_t oldSize) {
  const std::int64_t newSize = static_cast<std::int64_t>(origins.size());
  const std::int64_t growth = std::max<std::int64_t>(0, newSize - static_cast<std::int64_t>(oldSize));
  std::vector<std::int64_t> newPosition(oldSize, -1);
  for (std::size_t i = 0; i < origins.size(); ++i) {
    const int origin = origins[i];
    if (origin >= 0 && static_cast<std::size_t>(origin) < oldSize)
      newPosition[static_cast<std::size_t>(origin)] = static_cast<std::int64_t>(i);
  }
  // Past the list: the largest position any record will hold before the deleted ones are placed.
  std::int64_t past = newSize - 1;
  ForEachSpecies(job, [&](std::int32_t& species) {
    if (species >= 0 && static_cast<std::size_t>(species) >= oldSize)
      past = std::max(past, species + growth);
  });
  std::vector<std::int64_t> deletedPosition(oldSize, -1);
  bool changed = false;
  ForEachSpecies(job, [&](std::int32_t& species) {
    if (species < 0) return;
    std::int64_t target = 0;
    const auto s = static_cast<std::size_t>(species);
    if (s >= oldSize) {
      target = species + growth;
    } else if (newPosition[s] >= 0) {
      target = newPosition[s];
    } else {
      if (deletedPosition[s] < 0) deletedPosition[s] = ++past;
      target = deletedPosition[s];
    }
    const std::int32_t remapped = ClampToInt32(target);
    if (remapped != species) {
      species = remapped;
      changed = true;
    }
  });
  return changed;
}

}  // namespace tranchex
