// The recent-jobs list and its file "DBRS.dat".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job/FilesTestBytes.h"
#include "job/RecentJobs.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using test::PutText;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

RecentJobList List(const std::vector<std::pair<std::string, std::string>>& entries) {
  RecentJobList list;
  for (std::size_t i = 0; i < entries.size(); ++i) list[i] = {entries[i].first, entries[i].second};
  return list;
}

// The file: each entry's path then its name, 255-byte fields; what follows a NUL is filler.
std::string RecentFixture(const std::vector<std::pair<std::string, std::string>>& entries,
                          char filler = '\0') {
  std::string b(2550, filler);
  for (std::size_t i = 0; i < 5; ++i) {
    const auto& [path, name] = i < entries.size() ? entries[i] : std::pair<std::string, std::string>{};
    PutText(b, 510 * i, path);
    PutText(b, 510 * i + 255, name);
  }
  return b;
}

TEST(RecentJobsFile, ReadsAndWritesTheLayout) {
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"/home/léa/Mesdebits/Étagère.deb", "Étagère.deb"},  // UTF-8, as this system writes it
      {"/srv/a.deb", "a.deb"},
      {"", ""},
      {"/srv/" + std::string(245, 'x') + ".deb", std::string(245, 'x') + ".deb"},  // 254 bytes
  };
  const RecentJobList list = DecodeRecentJobs(RecentFixture(entries, '\x7F'));
  EXPECT_EQ(list, List(entries));
  EXPECT_EQ(EncodeRecentJobs(list), RecentFixture(entries));
}

TEST(RecentJobsFile, AFieldThatIsNotUtf8IsReadAsWindows1252) {
  const RecentJobList list = DecodeRecentJobs(RecentFixture({{"C:\\D\xE9\x62its\\t\xEAte.deb", "t\xEAte.deb"}}));
  EXPECT_EQ(list[0].Path, "C:\\Débits\\tête.deb");
  EXPECT_EQ(list[0].Name, "tête.deb");
}

TEST(RecentJobsFile, ReadsNoMoreEntriesThanTheBytesHold) {
  const std::string full = RecentFixture({{"/a/1.deb", "1.deb"}, {"/a/2.deb", "2.deb"},
                                          {"/a/3.deb", "3.deb"}, {"/a/4.deb", "4.deb"},
                                          {"/a/5.deb", "5.deb"}});
  const struct {
    const char* name;
    std::string bytes;
    std::size_t entries;
  } cases[] = {
      {"empty", "", 0},
      {"one entry", full.substr(0, 510), 1},
      {"two and a half", full.substr(0, 1020 + 300), 3},  // the third name's NUL is there
      {"path cut before its NUL", full.substr(0, 1020 + 5), 2},
      {"longer than five entries", full + std::string(3000, 'z'), 5},
  };
  for (const auto& c : cases) {
    const RecentJobList list = DecodeRecentJobs(c.bytes);
    std::size_t taken = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      if (!list[i].Name.empty()) {
        ++taken;
        EXPECT_EQ(list[i].Name, std::to_string(i + 1) + ".deb") << c.name;
      }
    }
    EXPECT_EQ(taken, c.entries) << c.name;
  }
  // A cut path is never offered: it would open another file.
  EXPECT_EQ(DecodeRecentJobs(full.substr(0, 1020 + 5))[2], DEBITS_RECENTS{});
}

TEST(RecentJobsFile, AnEntryTooLongForItsFieldsIsWrittenFree) {
  const std::string longPath = "/" + std::string(300, 'p') + "/job.deb";
  const RecentJobList list = List({{"/a/1.deb", "1.deb"}, {longPath, "job.deb"}, {"/a/3.deb", "3.deb"}});
  const RecentJobList back = DecodeRecentJobs(EncodeRecentJobs(list));
  EXPECT_EQ(back, List({{"/a/1.deb", "1.deb"}, {"", ""}, {"/a/3.deb", "3.deb"}}));
}

TEST(RecentJobsFile, FileRoundTripAndMissingFile) {
  TempDir dir;
  const fs::path file = RecentJobsFilePath(dir.path());
  EXPECT_EQ(file, dir.path() / "DBRS.dat");
  EXPECT_EQ(ReadRecentJobsFile(file), RecentJobList{});
  const RecentJobList list = List({{"/a/1.deb", "1.deb"}, {"/a/é.deb", "é.deb"}});
  WriteRecentJobsFile(file, list);
  EXPECT_EQ(ReadBytes(file).size(), 2550u);
  EXPECT_EQ(ReadRecentJobsFile(file), list);
  WriteBytes(file, RecentFixture({{"/b.deb", "b.deb"}}) + std::string(1 << 20, 'x'));
  EXPECT_EQ(ReadRecentJobsFile(file), List({{"/b.deb", "b.deb"}}));
  EXPECT_THROW(WriteRecentJobsFile(dir.path() / "absent" / "DBRS.dat", list), std::exception);
}

// ---- AddRecentJob -----------------------------------------------------------------------------

TEST(AddRecentJob, EntersEachSavedJobOnce) {
  const struct {
    const char* name;
    RecentJobList before;
    std::string path, jobName;
    RecentJobList after;
  } cases[] = {
      {"first job", {}, "/a/x.deb", "x.deb", List({{"/a/x.deb", "x.deb"}})},
      {"same name and path again", List({{"/a/x.deb", "x.deb"}}), "/a/x.deb", "x.deb",
       List({{"/a/x.deb", "x.deb"}})},
      {"same name in another folder", List({{"/a/x.deb", "x.deb"}}), "/b/x.deb", "x.deb",
       List({{"/a/x.deb", "x.deb"}, {"/b/x.deb", "x.deb"}})},
      {"names differing in case", List({{"/a/x.deb", "x.deb"}}), "/a/X.deb", "X.deb",
       List({{"/a/x.deb", "x.deb"}, {"/a/X.deb", "X.deb"}})},
      {"a free entry between taken ones",
       List({{"/a/1.deb", "1.deb"}, {"", ""}, {"/a/3.deb", "3.deb"}}), "/a/n.deb", "n.deb",
       List({{"/a/1.deb", "1.deb"}, {"/a/n.deb", "n.deb"}, {"/a/3.deb", "3.deb"}})},
      {"a sixth job drops the oldest",
       List({{"/1", "1"}, {"/2", "2"}, {"/3", "3"}, {"/4", "4"}, {"/5", "5"}}), "/6", "6",
       List({{"/2", "2"}, {"/3", "3"}, {"/4", "4"}, {"/5", "5"}, {"/6", "6"}})},
      {"a full list already holding the job",
       List({{"/1", "1"}, {"/2", "2"}, {"/3", "3"}, {"/4", "4"}, {"/5", "5"}}), "/3", "3",
       List({{"/1", "1"}, {"/2", "2"}, {"/3", "3"}, {"/4", "4"}, {"/5", "5"}})},
  };
  for (const auto& c : cases) {
    RecentJobList list = c.before;
    AddRecentJob(c.path, c.jobName, list);
    EXPECT_EQ(list, c.after) << c.name;
  }
}

}  // namespace
}  // namespace tranchex
