// The species list: which names the species file can hold, the order the lists show, the named
// places, the open job's places past the list, and the species file shared by two copies of the
// program on one data folder.

#include "job/SpeciesList.h"
#include "job/ListLookup.h"
#include "job/SettingsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/FullDisk.h"
#include "support/TempDir.h"

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

struct MoveCase {
  const char* what;
  std::size_t oldSize, newSize;
  std::int32_t before;
  std::int32_t after;
};

// Places never move; a place past the list moves by as many places as the list grew, so it never
// takes the name of a species added.
TEST(MoveSpeciesPastList, OnlyPlacesPastTheOldListMove) {
  const MoveCase cases[] = {
      {"a listed species stays", 3, 5, 0, 0},
      {"the last listed species stays", 3, 5, 2, 2},
      {"past the list, never the added names", 3, 5, 3, 5},
      {"far past the list", 3, 4, 7, 8},
      {"negative stays", 3, 5, -1, -1},
      {"the list did not grow", 3, 3, 4, 4},
      {"no species stays no species", 3, 5, kNoSpecies, kNoSpecies},
      {"the largest position stays in range", 3, 5, kNoSpecies - 1, kNoSpecies},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.what);
    JobState job = JobNaming(c.before);
    const bool moved = MoveSpeciesPastList(job, {}, c.oldSize, c.newSize);
    EXPECT_EQ(moved, c.before != c.after);
    EXPECT_EQ(SpeciesOf(job), std::vector<std::int32_t>(7, c.after));
  }
}

// The working copies of the entry forms move with the job, each once, a list of the job's own
// never twice.
TEST(MoveSpeciesPastList, TheFormsCopiesMoveOnce) {
  JobState job = JobNaming(3);
  PanelList panels = job.JobPanels;
  PartList parts = job.JobParts;
  const SpeciesRecordCopies copies{{&panels, &panels, &job.JobPanels}, {&parts, &job.JobParts}};
  EXPECT_TRUE(MoveSpeciesPastList(job, copies, 3, 4));
  EXPECT_EQ(SpeciesOf(job), std::vector<std::int32_t>(7, 4));
  EXPECT_EQ(panels[0].Species, 4);
  EXPECT_EQ(parts[0].Species, 4);
}

// ---- The species file shared by two copies on one data folder --------------------------------

// The names FEssences.dat holds on disk.
std::vector<std::string> OnDisk(const std::filesystem::path& folder) {
  Settings read;
  LoadSpeciesFile(folder, read);
  return read.SpeciesNames;
}

// Two copies read the same list, then each adds its own wood: each name takes its own place, the
// second copy takes in the first's name, and the file holds both where they were given. The
// first copy sees the second's name once it adds again, or takes the file in.
TEST(SpeciesFile, TwoCopiesNeverGiveOnePlaceTwice) {
  test::TempDir dir;
  Settings a;
  a.SpeciesNames = {"Chêne", "", "Hêtre"};  // a deleted species keeps its place
  SaveSpeciesFile(dir.path(), a);
  Settings b = a;

  EXPECT_EQ(AddSpeciesToFile(dir.path(), a, {"Érable"}), std::vector<std::int32_t>{3});
  EXPECT_EQ(OnDisk(dir.path()), (std::vector<std::string>{"Chêne", "", "Hêtre", "Érable"}));
  EXPECT_EQ(AddSpeciesToFile(dir.path(), b, {"Frêne", "Érable"}),
            (std::vector<std::int32_t>{4, 3}));
  const std::vector<std::string> both = {"Chêne", "", "Hêtre", "Érable", "Frêne"};
  EXPECT_EQ(b.SpeciesNames, both);
  EXPECT_EQ(OnDisk(dir.path()), both);

  TakeInSpeciesFile(dir.path(), a);
  EXPECT_EQ(a.SpeciesNames, both);
  // A name the list has is not added again, whatever its case: "frêne" is another name.
  EXPECT_EQ(AddSpeciesToFile(dir.path(), a, {"Frêne", "frêne"}),
            (std::vector<std::int32_t>{4, 5}));
  // A delete by one copy empties the place for the other at its next take-in; the place is never
  // given again.
  DeleteSpeciesFromFile(dir.path(), b, {3});
  EXPECT_EQ(b.SpeciesNames[3], "");
  TakeInSpeciesFile(dir.path(), a);
  EXPECT_EQ(a.SpeciesNames,
            (std::vector<std::string>{"Chêne", "", "Hêtre", "", "Frêne", "frêne"}));
  EXPECT_EQ(AddSpeciesToFile(dir.path(), a, {"Érable"}), std::vector<std::int32_t>{6});
}

// Names of this copy the file lacks (a file deleted or put back from an older copy) are kept
// past what the file holds; a missing file is written whole.
TEST(SpeciesFile, TheFileIsTakenInWhereItHasPlaces) {
  test::TempDir dir;
  Settings s;
  s.SpeciesNames = {"Chêne", "Hêtre", "Pin"};
  TakeInSpeciesFile(dir.path(), s);  // no file: nothing changes
  EXPECT_EQ(s.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin"}));
  EXPECT_EQ(AddSpeciesToFile(dir.path(), s, {"Noyer"}), std::vector<std::int32_t>{3});
  EXPECT_EQ(OnDisk(dir.path()), (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Noyer"}));
  Settings older;
  older.SpeciesNames = {"Chêne", "Orme"};
  SaveSpeciesFile(dir.path(), older);
  TakeInSpeciesFile(dir.path(), s);
  EXPECT_EQ(s.SpeciesNames, (std::vector<std::string>{"Chêne", "Orme", "Pin", "Noyer"}));
}

// A list that cannot be written refuses the change, names the file and why, and changes nothing:
// neither the list nor the file. The causes stop root too: a folder where the species file or
// its lock would be, a disk that is full.
TEST(SpeciesFile, AListThatCannotBeWrittenRefusesTheChange) {
  const char* causes[] = {"species file is a folder", "lock is a folder", "disk full"};
  for (const char* cause : causes) {
    SCOPED_TRACE(cause);
    test::TempDir dir;
    Settings s;
    s.SpeciesNames = {"Chêne", "Hêtre"};
    const std::string what(cause);
    if (what == "species file is a folder") {
      std::filesystem::create_directory(dir.path() / kSpeciesFileName);
    } else {
      SaveSpeciesFile(dir.path(), s);
      if (what == "lock is a folder")
        std::filesystem::create_directory(dir.path() / kSpeciesLockFileName);
    }
    const auto attempt = [&](auto change) {
      try {
        change();
      } catch (const SettingsFileError& e) {
        EXPECT_EQ(e.fileName(), kSpeciesFileName);
        EXPECT_FALSE(std::string(e.what()).empty());
        return true;
      }
      return false;
    };
    if (what == "disk full") {
      test::FullDisk disk(120);
      ASSERT_TRUE(disk.active());
      EXPECT_TRUE(attempt([&] { AddSpeciesToFile(dir.path(), s, {"Sapin"}); }));
    } else {
      EXPECT_TRUE(attempt([&] { AddSpeciesToFile(dir.path(), s, {"Sapin"}); }));
      EXPECT_TRUE(attempt([&] { DeleteSpeciesFromFile(dir.path(), s, {0}); }));
    }
    EXPECT_EQ(s.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre"}));
    if (what != "species file is a folder") {
      EXPECT_EQ(OnDisk(dir.path()), (std::vector<std::string>{"Chêne", "Hêtre"}));
    }
  }
}

// The species file's reader takes at most 100,000 places, deleted ones included: the list never
// grows past them, so no start ever refuses it.
TEST(SpeciesFile, NoAdditionPastTheReadersBound) {
  test::TempDir dir;
  Settings s;
  s.SpeciesNames.assign(kMaxSpeciesPlaces - 1, std::string());
  s.SpeciesNames[0] = "Chêne";
  SaveSpeciesFile(dir.path(), s);
  EXPECT_EQ(AddSpeciesToFile(dir.path(), s, {"Sapin"}),
            std::vector<std::int32_t>{static_cast<std::int32_t>(kMaxSpeciesPlaces - 1)});
  const std::vector<std::string> full = s.SpeciesNames;
  try {
    AddSpeciesToFile(dir.path(), s, {"Pin"});
    ADD_FAILURE() << "a place past the bound was given";
  } catch (const SettingsFileError& e) {
    EXPECT_EQ(e.fileName(), kSpeciesFileName);
    EXPECT_NE(std::string(e.what()).find("100000"), std::string::npos) << e.what();
  }
  EXPECT_EQ(s.SpeciesNames, full);
  // What is on disk is still read whole at a start.
  Settings restarted;
  const FileLoadResult read = LoadSpeciesFile(dir.path(), restarted);
  EXPECT_EQ(read.Status, FileLoadStatus::Loaded);
  EXPECT_EQ(restarted.SpeciesNames.size(), kMaxSpeciesPlaces);
  EXPECT_EQ(restarted.SpeciesNames.back(), "Sapin");
}

// The one home: a species another copy added, and the one added here, never take the places
// the open job's records past the list name; the job's copies in the forms follow too, and the
// job is then modified.
TEST(SpeciesFile, AnAdditionMovesTheJobsPlacesPastTheList) {
  test::TempDir dir;
  Settings other;
  other.SpeciesNames = {"Chêne", "Hêtre"};
  SaveSpeciesFile(dir.path(), other);
  Settings s = other;
  AddSpeciesToFile(dir.path(), other, {"Frêne"});  // place 2, by another copy

  JobState job = JobNaming(2);  // a job from another machine: place 2, past this copy's list
  job.JobParts[0].Species = 0;
  job.JobModified = 0;
  PanelList panels = job.JobPanels;
  const std::vector<std::int32_t> places =
      AddSpecies(dir.path(), s, job, SpeciesRecordCopies{{&panels}, {}}, {"Sapin"});
  EXPECT_EQ(places, std::vector<std::int32_t>{3});
  EXPECT_EQ(s.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Frêne", "Sapin"}));
  std::vector<std::int32_t> expected(7, 4);
  expected[1] = 0;
  EXPECT_EQ(SpeciesOf(job), expected);
  EXPECT_EQ(panels[0].Species, 4);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(SpeciesNameAt(s.SpeciesNames, job.JobPanels[0].Species), nullptr);

  // Nothing past the list: the job is not modified.
  JobState listed = JobNaming(1);
  listed.JobModified = 0;
  AddSpecies(dir.path(), s, listed, {}, {"Pin"});
  EXPECT_EQ(SpeciesOf(listed), std::vector<std::int32_t>(7, 1));
  EXPECT_EQ(listed.JobModified, 0);
}

}  // namespace
}  // namespace tranchex
