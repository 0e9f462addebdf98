#include "platform/FileIO.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/BinaryIO.h"
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

}  // namespace
}  // namespace tranchex
