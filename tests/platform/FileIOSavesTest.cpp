// Saves that leave nothing behind: the temporary files a killed save left are removed by the next
// save of the same file, and only those marked as ours; two processes saving one file at once
// never fail; the temporary name fits the folder's name limit; the write decision follows the
// owner, group and others bits; a folder that forbids creating a file, or does not exist, is
// named as the cause; a chain of relative links is written at its end.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <set>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "support/AsOrdinaryUser.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

void Touch(const fs::path& file, const std::string& bytes = "partial") {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  ::close(fd);
}

// Owner 1000, group 1000; the user 2000 is or is not in the group. The group's and the others'
// bits are set apart, so that a decision that reads the wrong ones is caught.
TEST(WriteDecision, OwnerGroupAndOthersBitsEachDecideForTheirOwn) {
  const gid_t inGroup[] = {50, 1000};
  const gid_t notInGroup[] = {50, 2000};
  const struct {
    const char* name;
    mode_t mode;
    uid_t user;
    bool member;
    bool allowed;
  } cases[] = {
      {"owner, owner's bit", 0200, 1000, false, true},
      {"owner, only the group's and others' bits", 0066, 1000, true, false},
      {"group member, group's bit", 0020, 2000, true, true},
      {"group member, only the others' bit", 0002, 2000, true, false},
      {"group member, only the owner's bit", 0600, 2000, true, false},
      {"not in the group, others' bit", 0002, 2000, false, true},
      {"not in the group, only the group's bit", 0020, 2000, false, false},
      {"administrator, not the owner, no write bit", 0444, 0, false, false},
      {"administrator, not the owner, others' bit", 0446, 0, false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PermissionsAllowWriting(c.mode, 1000, 1000, c.user,
                                      c.member ? std::span<const gid_t>(inGroup)
                                               : std::span<const gid_t>(notInGroup)),
              c.allowed)
        << c.name;
  }
}

// A save killed part-way leaves its temporary file; the next save of that file removes every
// such leftover, marked as this program's own, and nothing else: not another job's, not a file
// the user or another program named after the job (a backup, another program's temporary file
// of six letters or digits), not a name of another length or with other characters, not a
// folder, not one a live save still holds.
TEST(FileIOSaves, TheNextSaveRemovesTheLeftoversOfItsOwnFile) {
  test::TempDir dir;
  const fs::path job = dir.path() / "cuisine.deb";
  Touch(dir.path() / ".cuisine.deb.tranchex-Ab12Cd");
  Touch(dir.path() / ".cuisine.deb.tranchex-x9Y8z7", std::string(100000, 'p'));
  const std::set<std::string> kept = {
      ".cuisine.deb.backup",           // the user's copies
      ".cuisine.deb.ancien",
      ".cuisine.deb.copie1",
      ".cuisine.deb.Ab12Cd",           // another program's temporary file (rsync names its so)
      ".commode.deb.tranchex-Ab12Cd",  // another job's
      "cuisine.deb.tranchex-Ab12Cd",   // not hidden
      ".cuisine.deb.tranchex-Ab12C",   // five characters
      ".cuisine.deb.tranchex-Ab12Cd7", // seven
      ".cuisine.deb.tranchex-Ab-2Cd",  // not a letter or a digit
      ".cuisine.deb.tranchexAb12Cd",   // no dash
      ".cuisine.deb.tranchex-Held01",  // a save still going on holds it
  };
  for (const std::string& name : kept) Touch(dir.path() / name);
  fs::create_directory(dir.path() / ".cuisine.deb.tranchex-Dir123");
  const int held =
      ::open((dir.path() / ".cuisine.deb.tranchex-Held01").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  WriteFileAtomic(job, "saved");
  ::close(held);

  std::set<std::string> expected = kept;
  expected.insert({"cuisine.deb", ".cuisine.deb.tranchex-Dir123"});
  EXPECT_EQ(Names(dir.path()), expected);
  EXPECT_EQ(ReadFileBytes(job, 100), "saved");
}

// Two processes save one job in turns as fast as they can, each save's clean-up looking at the
// other's temporary files: no save fails, the job is always one of the texts saved, whole, and
// nothing is left beside it.
TEST(FileIOSaves, TwoProcessesSavingOneJobAtOnceNeverFail) {
  test::TempDir dir;
  const fs::path job = dir.path() / "cuisine.deb";
  constexpr int kSaves = 3000;
  // Each text is long enough for a reader to catch one half written, and says who wrote it.
  const auto text = [](char writer, int save) {
    return std::string(4000 + save % 97, writer) + std::to_string(save);
  };
  WriteFileAtomic(job, text('a', 0));
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::vector<pid_t> writers;
  for (char writer : {'a', 'b'}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      std::string failures;
      for (int save = 1; save <= kSaves; ++save) {
        try {
          WriteFileAtomic(job, text(writer, save));
        } catch (const FileAccessError& e) {
          failures += std::string(e.what()) + "\n";
        }
      }
      (void)!::write(pipeFds[1], failures.data(), failures.size());
      ::_exit(0);
    }
    writers.push_back(child);
  }
  ::close(pipeFds[1]);
  // Read while they write, until both are done: every read is one whole text.
  const auto whole = [&](const std::string& bytes) {
    if (bytes.empty()) return false;
    const std::size_t run = bytes.find_first_not_of(bytes.front());
    if (run == std::string::npos) return false;
    int save = 0;
    const auto read = std::from_chars(bytes.data() + run, bytes.data() + bytes.size(), save);
    return read.ec == std::errc() && bytes == text(bytes.front(), save);
  };
  int reads = 0;
  std::string broken;
  for (pollfd done{pipeFds[0], POLLIN, 0}; ::poll(&done, 1, 0) == 0; ++reads) {
    const std::string bytes = ReadFileBytes(job, 10000);
    if (!whole(bytes) && broken.empty()) {
      broken = bytes.substr(0, 40) + "... " + std::to_string(bytes.size());
    }
  }
  std::string failures;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) failures.append(buffer, n);
  ::close(pipeFds[0]);
  for (pid_t child : writers) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  EXPECT_EQ(failures, "");
  EXPECT_EQ(broken, "") << "after " << reads << " reads";
  EXPECT_EQ(Names(dir.path()), std::set<std::string>{"cuisine.deb"});
  const std::string last = ReadFileBytes(job, 10000);
  EXPECT_TRUE(last == text('a', kSaves) || last == text('b', kSaves)) << last.substr(0, 40);
}

// Job names of 248 to 255 bytes are saved: the temporary name is kept within the folder's limit,
// never cutting a character in two, and leftovers of such a name are found again.
TEST(FileIOSaves, ALongNameIsSavedWithinTheFolderNameLimit) {
  test::TempDir dir;
  const std::string accented = "a" + [] {
    std::string s;
    for (int i = 0; i < 127; ++i) s += "\xC3\xA9";  // é
    return s;
  }();
  std::vector<std::string> names;
  for (std::size_t n = 248; n <= 255; ++n) names.push_back(std::string(n - 4, 'j') + ".deb");
  names.push_back(accented);
  ASSERT_EQ(accented.size(), 255u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name.size());
    const std::string prefix = TemporaryNamePrefix(name, 255);
    EXPECT_LE(prefix.size() + 6, 255u);
    const std::string mark = ".tranchex-";
    EXPECT_EQ(prefix.front(), '.');
    ASSERT_GT(prefix.size(), mark.size() + 1);
    EXPECT_EQ(prefix.substr(prefix.size() - mark.size()), mark);
    const std::size_t kept = prefix.size() - 1 - mark.size();
    EXPECT_GE(kept, 255u - 6 - 1 - mark.size() - 1);
    EXPECT_EQ(name.compare(0, kept, prefix, 1, kept), 0);
    // The cut falls between two characters.
    EXPECT_NE(static_cast<unsigned char>(name[kept]) & 0xC0, 0x80);

    Touch(dir.path() / (prefix + "Zz9Zz9"));
    WriteFileAtomic(dir.path() / name, "long " + name.substr(0, 3));
    EXPECT_EQ(ReadFileBytes(dir.path() / name, 100), "long " + name.substr(0, 3));
    EXPECT_FALSE(fs::exists(dir.path() / (prefix + "Zz9Zz9")));
  }
  EXPECT_EQ(Names(dir.path()).size(), names.size());
  // A short name is kept whole.
  EXPECT_EQ(TemporaryNamePrefix("job.deb", 255), ".job.deb.tranchex-");
  // A name that is not UTF-8 is cut near the limit all the same, never to nothing.
  const std::string notUtf8 = TemporaryNamePrefix(std::string(300, '\x80'), 255);
  EXPECT_LE(notUtf8.size() + 6, 255u);
  EXPECT_GE(notUtf8.size() + 6, 255u - 3);
}

// A job the user may write, in a folder where the user may not create a file: the message names
// the folder. Run as an ordinary user (root may create anywhere): a child process takes the
// "nobody" identity when the test runs as root.
TEST(FileIOSaves, AFolderThatForbidsCreatingAFileSaysSo) {
  test::TempDir dir;
  const fs::path folder = dir.path() / "partage";
  fs::create_directory(folder);
  const fs::path job = folder / "armoire.deb";
  WriteFileAtomic(job, "old");
  fs::permissions(job, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                           ~fs::perms::others_exec);  // rw for everyone
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(dir.path(), fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
  if (::geteuid() != 0) fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);

  const test::ChildReport report = test::RunAsOrdinaryUser([&] {
    std::string told = "no error";
    try {
      WriteFileAtomic(job, "new");
    } catch (const FileAccessError& e) {
      told = e.what();
    }
    return told;
  });
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  ASSERT_TRUE(report.Ended);
  const std::string& told = report.Told;
  EXPECT_NE(told.find("Le dossier " + folder.string() + " ne permet pas d'y créer un fichier"),
            std::string::npos)
      << told;
  EXPECT_EQ(ReadFileBytes(job, 100), "old");
  EXPECT_EQ(Names(folder), std::set<std::string>{"armoire.deb"});
}

// A relative link pointing at another relative link in another folder, and that one at a third
// one folder deeper: each target is read from its own link's folder, so the write lands in the
// final target; the links stay, and nothing appears beside any of them.
TEST(FileIOSaves, ARelativeLinkChainAcrossFoldersIsWrittenAtItsEnd) {
  test::TempDir dir;
  for (const char* sub : {"travail", "liens", "liens/profond", "partage"}) {
    fs::create_directory(dir.path() / sub);
  }
  const fs::path target = dir.path() / "partage" / "armoire.deb";
  WriteFileAtomic(target, "old");
  const fs::path third = dir.path() / "liens" / "profond" / "relais.deb";
  const fs::path second = dir.path() / "liens" / "relais.deb";
  const fs::path first = dir.path() / "travail" / "armoire.deb";
  fs::create_symlink(fs::path("..") / ".." / "partage" / "armoire.deb", third);
  fs::create_symlink(fs::path("profond") / "relais.deb", second);
  fs::create_symlink(fs::path("..") / "liens" / "relais.deb", first);

  WriteFileAtomic(first, "new");

  EXPECT_EQ(ReadFileBytes(target, 100), "new");
  EXPECT_TRUE(fs::is_symlink(first));
  EXPECT_TRUE(fs::is_symlink(second));
  EXPECT_TRUE(fs::is_symlink(third));
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"travail", "liens", "partage"}));
  EXPECT_EQ(Names(dir.path() / "travail"), std::set<std::string>{"armoire.deb"});
  EXPECT_EQ(Names(dir.path() / "liens"), (std::set<std::string>{"relais.deb", "profond"}));
  EXPECT_EQ(Names(dir.path() / "liens" / "profond"), std::set<std::string>{"relais.deb"});
  EXPECT_EQ(Names(dir.path() / "partage"), std::set<std::string>{"armoire.deb"});
}

// A job saved into a folder that does not exist, or whose folder is a file: the message names
// the folder, and nothing is made.
TEST(FileIOSaves, AFolderThatDoesNotExistIsNamed) {
  test::TempDir dir;
  Touch(dir.path() / "fichier");
  for (const fs::path& folder : {dir.path() / "absent", dir.path() / "absent" / "plus-bas",
                                 dir.path() / "fichier"}) {
    SCOPED_TRACE(folder.string());
    try {
      WriteFileAtomic(folder / "armoire.deb", "new");
      ADD_FAILURE() << "no failure";
    } catch (const FileAccessError& e) {
      EXPECT_EQ(std::string(e.what()), "Le dossier " + folder.string() + " n'existe pas : " +
                                           (folder / "armoire.deb").string() +
                                           " ne peut pas y être enregistré");
    }
    EXPECT_EQ(MissingFolder(folder / "armoire.deb"), folder);
  }
  // Through a link whose target's folder is missing, that folder is the one named.
  fs::create_symlink(dir.path() / "ailleurs" / "armoire.deb", dir.path() / "lien.deb");
  EXPECT_EQ(MissingFolder(dir.path() / "lien.deb"), dir.path() / "ailleurs");
  EXPECT_EQ(MissingFolder(dir.path() / "nouveau.deb"), std::nullopt);
  EXPECT_EQ(MissingFolder("nouveau.deb"), std::nullopt);
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"fichier", "lien.deb"}));
}

// Something to print into that is not a regular file is refused at once, through a link too; a
// file not there yet, or a regular one, is no fault.
TEST(FileIOSaves, ATargetThatIsNotARegularFileIsRefusedAtOnce) {
  test::TempDir dir;
  test::Fifo fifo(dir.path() / "plan.pdf", "");
  ASSERT_TRUE(fifo.made());
  fs::create_symlink(fifo.path(), dir.path() / "lien.pdf");
  EXPECT_THROW(RefuseNonRegularTarget(fifo.path()), FileAccessError);
  EXPECT_THROW(RefuseNonRegularTarget(dir.path() / "lien.pdf"), FileAccessError);
  EXPECT_THROW(RefuseNonRegularTarget(dir.path()), FileAccessError);
  EXPECT_NO_THROW(RefuseNonRegularTarget(dir.path() / "nouveau.pdf"));
  WriteFileAtomic(dir.path() / "ancien.pdf", "%PDF");
  EXPECT_NO_THROW(RefuseNonRegularTarget(dir.path() / "ancien.pdf"));
}

}  // namespace
}  // namespace tranchex
