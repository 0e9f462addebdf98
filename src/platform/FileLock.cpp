#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "platform/FileIO.h"

namespace tranchex {
namespace {

// The lock file, opened without waiting on it (a FIFO does not hold the open) and without
// following a link. A lock file we may only read still takes the lock.
int OpenLockFile(const std::filesystem::path& path) {
  constexpr int kFlags = O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | kFlags, 0666);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | kFlags, 0666);
  if (fd < 0) {
    throw FileAccessError("Impossible d'ouvrir le verrou " + path.string() + " : " +
                          std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw FileAccessError("Le verrou " + path.string() + " n'est pas un fichier ordinaire");
  }
  return fd;
}

}  // namespace

ExclusiveFileLock::ExclusiveFileLock(const std::filesystem::path& lockFile,
                                     std::chrono::milliseconds patience)
    : fd_(OpenLockFile(lockFile)) {
  const auto giveUp = std::chrono::steady_clock::now() + patience;
  // Never an endless wait: a copy stopped while it holds the lock must not freeze this one.
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
      ::close(fd_);
      throw FileAccessError(error == EWOULDBLOCK
                                ? "Une autre fenêtre de Tranchex garde le verrou " +
                                      lockFile.string()
                                : "Impossible de prendre le verrou " + lockFile.string() +
                                      " : " + std::strerror(error));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

ExclusiveFileLock::~ExclusiveFileLock() {
  // Closing the last descriptor lets go of the lock.
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tranchex
