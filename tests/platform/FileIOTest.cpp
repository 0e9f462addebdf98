#include "platform/FileIO.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/BinaryIO.h"
#include "support/Fifo.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;

TEST(FileIO, WritesWholeAndReadsBack) {
  test::TempDir dir;
  const fs::path file = dir.path() / "job.deb";
  const std::string bytes("\0\x01\xFFtext", 7);
  WriteFileAtomic(file, bytes);
  EXPECT_EQ(ReadFileBytes(file, 100), bytes);
  WriteFileAtomic(file, "shorter");
  EXPECT_EQ(ReadFileBytes(file, 100), "shorter");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIO, ReadRefusesAFileLargerThanItsBound) {
  test::TempDir dir;
  const fs::path file = dir.path() / "big.dat";
  WriteFileAtomic(file, std::string(1000, 'x'));
  EXPECT_NO_THROW(ReadFileBytes(file, 1000));
  EXPECT_THROW(ReadFileBytes(file, 999), FileFormatError);
  EXPECT_THROW(ReadFileBytes(dir.path() / "missing.dat", 10), FileAccessError);
}

// Each cause stops root as well as anyone: a missing folder, a folder that is a regular file, a
// folder in place of the file, a disk that fills up half-way.
TEST(FileIO, AFailedWriteLeavesTheOldFileAsItWas) {
  test::TempDir dir;
  const fs::path file = dir.path() / "job.deb";
  WriteFileAtomic(file, "old");
  WriteFileAtomic(dir.path() / "notes.txt", "a file, not a folder");
  fs::create_directory(dir.path() / "folder.deb");
  const std::string longer(100000, 'n');
  const struct {
    const char* name;
    fs::path target;
    std::uintmax_t diskBytes;  // 0: the disk has room
  } cases[] = {
      {"missing folder", dir.path() / "no-such-folder" / "job.deb", 0},
      {"folder that is a file", dir.path() / "notes.txt" / "job.deb", 0},
      {"folder in place of the file", dir.path() / "folder.deb", 0},
      {"disk full after 1000 bytes", file, 1000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      std::optional<test::FullDisk> disk;
      if (c.diskBytes > 0) {
        disk.emplace(c.diskBytes);
        ASSERT_TRUE(disk->active());
      }
      EXPECT_THROW(WriteFileAtomic(c.target, longer), FileAccessError);
    }
    EXPECT_EQ(ReadFileBytes(file, 100), "old");
    EXPECT_EQ(ReadFileBytes(dir.path() / "notes.txt", 100), "a file, not a folder");
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.deb"));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
  }
  // With room on the disk again, the same write goes through.
  WriteFileAtomic(file, longer);
  EXPECT_EQ(ReadFileBytes(file, longer.size()), longer);
}


fs::perms Mode(const fs::path& file) { return fs::status(file).permissions(); }

// A file the user made read-only is not replaced, whoever runs the program: the permission bits
// decide, not whether an open would succeed (it would for an administrator).
TEST(FileIO, AReadOnlyFileIsNotReplaced) {
  test::TempDir dir;
  const fs::path file = dir.path() / "job.deb";
  WriteFileAtomic(file, "old");
  for (fs::perms mode : {fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                         fs::perms::owner_read | fs::perms::group_all | fs::perms::others_all}) {
    fs::permissions(file, mode);
    EXPECT_THROW(WriteFileAtomic(file, "new"), FileAccessError);
    EXPECT_EQ(ReadFileBytes(file, 100), "old");
    EXPECT_EQ(Mode(file), mode);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  }
  // Writable again by its owner, it is replaced and keeps its mode.
  const fs::perms writable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, writable);
  WriteFileAtomic(file, "new");
  EXPECT_EQ(ReadFileBytes(file, 100), "new");
  EXPECT_EQ(Mode(file), writable);
}

// A file kept elsewhere behind a link (a list on a shared drive) is written where it lives: the
// link stays a link and the shared file gets the new bytes, with its own mode.
TEST(FileIO, AWriteGoesThroughSymbolicLinks) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "shared");
  fs::create_directory(dir.path() / "data");
  const fs::path target = dir.path() / "shared" / "FEssences.dat";
  WriteFileAtomic(target, "old");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                         fs::perms::group_write;
  fs::permissions(target, mode);
  const struct {
    const char* name;
    fs::path link;
    fs::path pointsTo;  // what the link holds
  } cases[] = {
      {"absolute link", dir.path() / "data" / "a.dat", target},
      {"relative link", dir.path() / "data" / "r.dat", fs::path("..") / "shared" / "FEssences.dat"},
      {"link to a link", dir.path() / "data" / "c.dat", dir.path() / "data" / "a.dat"},
  };
  int round = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::create_symlink(c.pointsTo, c.link);
    const std::string bytes = "new " + std::to_string(++round);
    WriteFileAtomic(c.link, bytes);
    EXPECT_TRUE(fs::is_symlink(c.link));
    EXPECT_EQ(fs::read_symlink(c.link), c.pointsTo);
    EXPECT_EQ(ReadFileBytes(target, 100), bytes);
    EXPECT_EQ(Mode(target), mode);
    // No temporary file left beside the target, none beside the link.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "shared"), fs::directory_iterator()), 1);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "data"), fs::directory_iterator()), 3);
  // A link whose file is not there yet makes that file.
  const fs::path dangling = dir.path() / "data" / "d.dat";
  fs::create_symlink(dir.path() / "shared" / "new.dat", dangling);
  WriteFileAtomic(dangling, "made");
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadFileBytes(dir.path() / "shared" / "new.dat", 100), "made");
  // A read-only target behind a link is refused as the file itself would be.
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_THROW(WriteFileAtomic(dir.path() / "data" / "a.dat", "refused"), FileAccessError);
  EXPECT_EQ(ReadFileBytes(target, 100), "new 3");
}

// A FIFO in place of a file is refused at once by the readers (never waited on) and is not
// replaced by the writer.
TEST(FileIO, AFileThatIsNotARegularFileIsRefused) {
  test::TempDir dir;
  {
    test::Fifo fifo(dir.path() / "job.deb", "bytes a reader must not take");
    ASSERT_TRUE(fifo.made());
    EXPECT_THROW(ReadFileBytes(fifo.path(), 100), FileAccessError);
    EXPECT_THROW(ReadFileStart(fifo.path(), 100), FileAccessError);
    EXPECT_THROW(WriteFileAtomic(fifo.path(), "new"), FileAccessError);
    EXPECT_EQ(fs::status(fifo.path()).type(), fs::file_type::fifo);
  }
  EXPECT_THROW(ReadFileBytes(dir.path(), 100), FileAccessError);
  // The start of a file is read without the bound being a fault.
  WriteFileAtomic(dir.path() / "long.dat", "0123456789");
  EXPECT_EQ(ReadFileStart(dir.path() / "long.dat", 4), "0123");
  EXPECT_EQ(ReadFileStart(dir.path() / "long.dat", 40), "0123456789");
}

}  // namespace
}  // namespace tranchex
