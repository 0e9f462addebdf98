#include "job/SpeciesList.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "job/SettingsFiles.h"
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

bool MoveSpeciesPastList(JobState& job, const SpeciesRecordCopies& copies, std::size_t oldSize,
                         std::size_t newSize) {
  if (newSize <= oldSize) return false;
  const auto growth = static_cast<std::int64_t>(newSize - oldSize);
  bool moved = false;
  const auto move = [&](std::int32_t& species) {
    if (species < 0 || static_cast<std::size_t>(species) < oldSize) return;
    const std::int32_t next = ClampToInt32(species + growth);
    if (next != species) {
      species = next;
      moved = true;
    }
  };
  ForEachSpecies(job, move);
  // Each copy once, and never a list of the job's own.
  std::vector<const void*> done{&job.JobPanels, &job.JobParts};
  const auto once = [&](const void* list) {
    if (list == nullptr || std::find(done.begin(), done.end(), list) != done.end()) return false;
    done.push_back(list);
    return true;
  };
  for (PanelList* panels : copies.Panels) {
    if (!once(panels)) continue;
    for (auto& panel : *panels) move(panel.Species);
  }
  for (PartList* parts : copies.Parts) {
    if (!once(parts)) continue;
    for (auto& part : *parts) move(part.Species);
  }
  return moved;
}

namespace {

// The job's places past the list follow the list's growth from oldSize.
void FollowGrowth(Settings& settings, JobState& job, const SpeciesRecordCopies& copies,
                  std::size_t oldSize) {
  if (MoveSpeciesPastList(job, copies, oldSize, settings.SpeciesNames.size())) job.JobModified = 1;
}

}  // namespace

std::vector<std::int32_t> AddSpecies(const std::filesystem::path& dataFolder, Settings& settings,
                                     JobState& job, const SpeciesRecordCopies& copies,
                                     const std::vector<std::string>& names) {
  const std::size_t oldSize = settings.SpeciesNames.size();
  std::vector<std::int32_t> places = AddSpeciesToFile(dataFolder, settings, names);
  FollowGrowth(settings, job, copies, oldSize);
  return places;
}

void TakeInSpecies(const std::filesystem::path& dataFolder, Settings& settings, JobState& job,
                   const SpeciesRecordCopies& copies) {
  const std::size_t oldSize = settings.SpeciesNames.size();
  TakeInSpeciesFile(dataFolder, settings);
  FollowGrowth(settings, job, copies, oldSize);
}

void DeleteSpecies(const std::filesystem::path& dataFolder, Settings& settings, JobState& job,
                   const SpeciesRecordCopies& copies, const std::vector<std::size_t>& places) {
  const std::size_t oldSize = settings.SpeciesNames.size();
  DeleteSpeciesFromFile(dataFolder, settings, places);
  FollowGrowth(settings, job, copies, oldSize);
}

}  // namespace tranchex
