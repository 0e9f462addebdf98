// The species list: which names the species file can hold, the order the lists show, the named
// places, and the open job's records following their names when the list is edited.

#include "job/SpeciesList.h"
#include "job/ListLookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tranchex {
namespace {

TEST(CheckSpeciesName, FortyNineCharactersOfTheCodePage) {
  struct Case {
    std::string name;
    SpeciesNameFault fault;
  };
  std::string accented49;
  for (int i = 0; i < 49; ++i) accented49 += "é";  // 98 bytes of UTF-8, 49 characters
  const Case cases[] = {
      {"Chêne", SpeciesNameFault::None},
      {std::string(49, 'a'), SpeciesNameFault::None},
      {std::string(50, 'a'), SpeciesNameFault::TooLong},
      {accented49, SpeciesNameFault::None},
      {accented49 + "é", SpeciesNameFault::TooLong},
      {"Ébène à 20 €", SpeciesNameFault::None},
      {"Chêne \u2212 massif", SpeciesNameFault::NotStorable},  // a minus sign, not a hyphen
      {"\xC3", SpeciesNameFault::NotStorable},                 // cut in the middle of a character
  };
  for (const Case& c : cases) EXPECT_EQ(CheckSpeciesName(c.name), c.fault) << c.name;
}

TEST(SpeciesShownOrder, NamedPlacesInByteOrder) {
  // Places 2 and 5 hold deleted species; equal names keep their place order.
  const std::vector<std::string> names = {"Pin", "Chêne", "", "aulne", "Érable", "", "Hêtre",
                                          "Chêne"};
  EXPECT_EQ(SpeciesShownOrder(names), (std::vector<std::size_t>{1, 7, 6, 0, 3, 4}));
  EXPECT_TRUE(SpeciesShownOrder({"", ""}).empty());
}

TEST(SpeciesNameAt, OnlyANamedPlaceNamesASpecies) {
  const std::vector<std::string> names = {"Chêne", "", "Pin"};
  ASSERT_NE(SpeciesNameAt(names, 0), nullptr);
  EXPECT_EQ(*SpeciesNameAt(names, 2), "Pin");
  for (const std::int64_t species : {std::int64_t{-1}, std::int64_t{1}, std::int64_t{3}})
    EXPECT_EQ(SpeciesNameAt(names, species), nullptr) << species;
}

// A job with one record holding `species` in each list that names a species.
JobState JobNaming(std::int32_t species) {
  JobState job;
  Panneau_p panel(1000, 500, 190, species);
  job.JobPanels.push_back(panel);
  TPiece part(100, 100, 190, species);
  job.JobParts.push_back(part);
  Panneau_p laidOut = panel;
  laidOut.PlacedParts.push_back(part);
  job.ResultPanels.push_back(laidOut);
  job.PartGroups.push_back({part});
  CHUTE offcut;
  offcut.Species = species;
  job.Offcuts.push_back(offcut);
  CARACTPAN characteristic;
  characteristic.Species = species;
  job.PanelCharacteristics.push_back(characteristic);
  return job;
}

// Every species index of the job, in a fixed walk order.
std::vector<std::int32_t> SpeciesOf(const JobState& job) {
  std::vector<std::int32_t> out;
  for (const Panneau_p& p : job.JobPanels) out.push_back(p.Species);
  for (const TPiece& p : job.JobParts) out.push_back(p.Species);
  for (const Panneau_p& p : job.ResultPanels) {
    out.push_back(p.Species);
    for (const TPiece& q : p.PlacedParts) out.push_back(q.Species);
  }
  for (const PartList& g : job.PartGroups)
    for (const TPiece& p : g) out.push_back(p.Species);
  for (const CHUTE& c : job.Offcuts) out.push_back(c.Species);
  for (const CARACTPAN& c : job.PanelCharacteristics) out.push_back(c.Species);
  return out;
}

TEST(SpeciesUsedByJob, EveryListCountsAndPositionsPastTheListDoNot) {
  for (const std::int32_t s : {0, 2}) {
    JobState job = JobNaming(s);
    const std::vector<bool> used = SpeciesUsedByJob(job, 3);
    EXPECT_EQ(used, (std::vector<bool>{s == 0, false, s == 2})) << s;
  }
  // Each list on its own marks its species.
  JobState job;
  CHUTE offcut;
  offcut.Species = 1;
  job.Offcuts.push_back(offcut);
  EXPECT_EQ(SpeciesUsedByJob(job, 3), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(SpeciesUsedByJob(JobNaming(5), 3), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(SpeciesUsedByJob(JobNaming(-1), 3), (std::vector<bool>{false, false, false}));
}

struct RemapCase {
  const char* what;
  std::size_t oldSize;
  std::vector<int> origins;  // the new list: each entry's old position, -1 for an added name
  std::int32_t before;
  std::int32_t after;
};

TEST(RemapJobSpecies, RecordsFollowTheirNames) {
  // Before: Hêtre, Chêne, Pin. "Aulne" added and the list sorted: Aulne, Chêne, Hêtre, Pin.
  const std::vector<int> addAndSort = {-1, 1, 0, 2};
  // Before: Aulne, Chêne, Hêtre. Aulne deleted: Chêne, Hêtre.
  const std::vector<int> deleteFirst = {1, 2};
  const RemapCase cases[] = {
      {"Hêtre moves down", 3, addAndSort, 0, 2},
      {"Chêne stays", 3, addAndSort, 1, 1},
      {"Pin moves down", 3, addAndSort, 2, 3},
      {"past the list, never the added name", 3, addAndSort, 3, 4},
      {"far past the list", 3, addAndSort, 7, 8},
      {"negative stays", 3, addAndSort, -1, -1},
      {"after a delete, Chêne moves up", 3, deleteFirst, 1, 0},
      {"after a delete, Hêtre moves up", 3, deleteFirst, 2, 1},
      {"past a shorter list stays", 3, deleteFirst, 3, 3},
      {"nothing edited", 3, {0, 1, 2}, 2, 2},
      {"nothing edited, past the list", 3, {0, 1, 2}, 4, 4},
      {"the largest position stays in range", 3, addAndSort, 2147483647, 2147483647},
  };
  for (const RemapCase& c : cases) {
    SCOPED_TRACE(c.what);
    JobState job = JobNaming(c.before);
    const bool changed = RemapJobSpecies(job, c.origins, c.oldSize);
    EXPECT_EQ(changed, c.before != c.after);
    EXPECT_EQ(SpeciesOf(job), std::vector<std::int32_t>(7, c.after));
  }
}

// The manager refuses to delete a species the job uses; were one deleted all the same, its
// records would name no species ("Non spécifié"), apart from every other position.
TEST(RemapJobSpecies, ADeletedSpeciesEndsPastEveryOtherPosition) {
  JobState job = JobNaming(1);
  job.JobPanels[0].Species = 0;
  job.JobParts[0].Species = 4;  // past the list already
  EXPECT_TRUE(RemapJobSpecies(job, {0}, 2));  // "B" deleted from A, B
  const std::vector<std::int32_t> species = SpeciesOf(job);
  EXPECT_EQ(species[0], 0);
  EXPECT_EQ(species[1], 4);
  for (std::size_t i = 2; i < species.size(); ++i) EXPECT_EQ(species[i], 5) << i;
}

}  // namespace
}  // namespace tranchex
