#pragma once
// The wood species list and the job records that name a species by its place in it. A job file
// holds places, not names, so places never move: a species added takes the next place free in
// the species file, written there before any record can name it (every copy of the program on
// the data folder sees it), a species deleted leaves its place with an empty name (never shown,
// never taken again), and
// the lists show the names sorted by their bytes without reordering the list itself. A job
// saved at any time thus reopens with its own species; a record whose species was deleted
// reads "Non spécifié".

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "engine/Records.h"
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

// A record of no species: a cutting sheet's "Non spécifié" in a complex job. A place past any
// list the species file can hold, so it reads "Non spécifié" everywhere, never takes a name, and
// shares a stock panel with no listed species.
inline constexpr std::int32_t kNoSpecies = std::numeric_limits<std::int32_t>::max();

// Records outside the job that follow its places: the working copies the entry forms edit. A
// list that is the job's own is moved once.
struct SpeciesRecordCopies {
  std::vector<PanelList*> Panels;
  std::vector<PartList*> Parts;
};

// After the list grew from oldSize to newSize entries: a place at or past oldSize (a job from
// another machine, or no species: "Non spécifié") moves by as many places, so that it never
// takes the name of a species added (kNoSpecies stays). Places inside the old list never move.
// True when some record moved.
bool MoveSpeciesPastList(JobState& job, const SpeciesRecordCopies& copies, std::size_t oldSize,
                         std::size_t newSize);

// ---- The one home of every change of the species list ----------------------------------------
// The file first, under its lock, with what other copies wrote taken in (SettingsFiles.h); then
// the open job's places past the list, and its copies', move past the names that joined it, and
// the job is modified when one moved. A change that cannot be written throws SettingsFileError
// and changes nothing.

// The places of the names (those the list lacks take the next places free).
std::vector<std::int32_t> AddSpecies(const std::filesystem::path& dataFolder, Settings& settings,
                                     JobState& job, const SpeciesRecordCopies& copies,
                                     const std::vector<std::string>& names);
// What other copies wrote, without writing (never throws: an unreadable file is left alone).
void TakeInSpecies(const std::filesystem::path& dataFolder, Settings& settings, JobState& job,
                   const SpeciesRecordCopies& copies);
// The names at these places deleted for good (their places stay empty).
void DeleteSpecies(const std::filesystem::path& dataFolder, Settings& settings, JobState& job,
                   const SpeciesRecordCopies& copies, const std::vector<std::size_t>& places);

}  // namespace tranchex
