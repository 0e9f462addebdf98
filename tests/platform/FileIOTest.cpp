#include "platform/FileIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/BinaryIO.h"
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

TEST(FileIO, AFailedWriteLeavesTheOldFileAsItWas) {
  test::TempDir dir;
  const fs::path file = dir.path() / "job.deb";
  WriteFileAtomic(file, "old");
  EXPECT_THROW(WriteFileAtomic(dir.path() / "no-such-folder" / "job.deb", "new"), FileAccessError);
  if (::geteuid() != 0) {  // root writes anywhere
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(WriteFileAtomic(file, "new"), FileAccessError);
    ::chmod(dir.path().c_str(), 0700);
  }
  // A target that is a folder can't be replaced by a file.
  fs::create_directory(dir.path() / "folder.deb");
  EXPECT_THROW(WriteFileAtomic(dir.path() / "folder.deb", "new"), FileAccessError);
  EXPECT_EQ(ReadFileBytes(file, 100), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace tranchex
