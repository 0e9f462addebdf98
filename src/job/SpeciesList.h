#pragma once
// The wood species list and the job records that name a species by its position in it. Adding,
// deleting or sorting species moves positions, so the open job's records follow the names: the
// species manager keeps, for each entry of the edited list, the position the entry had before,
// and the main window rewrites the job's species with it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "job/JobRecordChecks.h"
#include "job/JobState.h"
#include "job/SettingsFiles.h"

namespace tranchex {

// Sorts the names by their Windows-1252 bytes (Cp1252Less), keeping equal names in their order,
// and moves origins (one entry per name) along with them.
void SortSpeciesNames(std::vector<std::string>& names, std::vector<int>& origins);

// For each position of a species list of listSize entries: true when a record of the job names
// it (stock panels, parts, laid-out panels and their parts, part groups, offcuts, panel
// characteristics).
std::vector<bool> SpeciesUsedByJob(const JobState& job, std::size_t listSize);

// Rewrites every species of the job after its list was edited. origins holds, for each entry of
// the list as it now stands, the position it had in the list of oldSize entries, or -1 for a
// name added. A species that kept its name takes the name's new position. A position past the
// old list (a job from another machine: "Non spécifié") stays past the new one, moved by as many
// entries as the list grew, so it never takes the name of an added species; a species whose
// entry was deleted gets a position past every other. Negative positions stay. True when some
// record changed.
bool RemapJobSpecies(JobState& job, const std::vector<int>& origins, std::size_t oldSize);

}  // namespace tranchex
