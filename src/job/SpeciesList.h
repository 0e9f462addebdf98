#pragma once
// The wood species list and the job records that name a species by its place in it. A job file
// holds places, not names, so places never move: a species added takes a new place at the end,
// a species deleted leaves its place with an empty name (never shown, never taken again), and
// the lists show the names sorted by their bytes without reordering the list itself. A job
// saved at any time thus reopens with its own species; a record whose species was deleted
// reads "Non spécifié".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "job/JobRecordChecks.h"
#include "job/JobState.h"
#include "job/SettingsFiles.h"

namespace tranchex {

// The places of the species a list shows, in the order it shows them: every place whose name is
// not empty, by the names' Windows-1252 bytes (Cp1252Less), equal names in place order.
std::vector<std::size_t> SpeciesShownOrder(const std::vector<std::string>& names);

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
