#pragma once
// An exclusive lock on a lock file of our own, held while the object lives: how the copies of
// the program on one data folder take turns at a file they all change (read, change, write
// back). The lock is the kernel's (flock): a copy that dies lets go of it at once, and the lock
// file left behind is no lock.

#include <chrono>
#include <filesystem>

namespace tranchex {

class ExclusiveFileLock {
 public:
  // Takes the lock, creating the lock file when it is missing, waiting at most `patience` for
  // another copy to let go. Throws FileAccessError (FileIO.h) with the reason when the lock file
  // cannot be opened (a folder that does not let us create it, anything but a regular file,
  // never followed through a symbolic link) or when the other copy holds it past the wait.
  ExclusiveFileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience);
  ~ExclusiveFileLock();
  ExclusiveFileLock(const ExclusiveFileLock&) = delete;
  ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace tranchex
