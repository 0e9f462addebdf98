#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/BinaryIO.h"

namespace tranchex {
namespace {

std::string Describe(const std::filesystem::path& path, const char* action) {
  return std::string(action) + " " + path.string() + " : " + std::strerror(errno);
}

// A FIFO, a device or a folder is no file of ours: opening a FIFO to read would wait for a
// writer for ever.
std::string NotAFileText(const std::filesystem::path& path) {
  return path.string() + " n'est pas un fichier ordinaire";
}

// Opens an existing file to read without ever waiting on it: the open does not block on a FIFO,
// and anything but a regular file is refused before a byte is read.
int OpenRegularFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw FileAccessError("Impossible d'ouvrir " + path.string());
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw FileAccessError(NotAFileText(path));
  }
  return fd;
}

// An open descriptor, closed however the read ends.
struct OpenFile {
  int fd;
  ~OpenFile() { ::close(fd); }
};

// Reads from fd up to limit bytes.
std::string ReadUpTo(int fd, std::size_t limit, const std::filesystem::path& path) {
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileAccessError("Erreur de lecture de " + path.string());
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

// Whether the permission bits let this process write the file, for the owner, the group or the
// others as it stands to the file. Decided by the bits alone, so that a file the user made
// read-only stays so for an administrator too.
bool PermissionsAllowWriting(const struct stat& st) {
  const uid_t uid = ::geteuid();
  if (st.st_uid == uid) return (st.st_mode & S_IWUSR) != 0;
  bool inGroup = st.st_gid == ::getegid();
  if (!inGroup) {
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
      std::vector<gid_t> groups(static_cast<std::size_t>(count));
      const int got = ::getgroups(count, groups.data());
      for (int i = 0; i < got && !inGroup; ++i) {
        inGroup = groups[static_cast<std::size_t>(i)] == st.st_gid;
      }
    }
  }
  return (st.st_mode & (inGroup ? S_IWGRP : S_IWOTH)) != 0;
}

}  // namespace

std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  // A loop of links ends somewhere: the system's own bound on a chain.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(current, ec);
    if (ec) return current;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  errno = ELOOP;
  throw FileAccessError(Describe(path, "Impossible d'écrire"));
}

std::string ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes) {
  // One byte more than allowed tells a longer file.
  std::string bytes = ReadFileStart(path, maxBytes + 1);
  if (bytes.size() > maxBytes) {
    throw FileFormatError("Fichier trop grand : " + path.string(), maxBytes);
  }
  return bytes;
}

std::string ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes) {
  const OpenFile file{OpenRegularFile(path)};
  return ReadUpTo(file.fd, maxBytes, path);
}

void WriteFileAtomic(const std::filesystem::path& linkOrFile, std::string_view bytes) {
  // Through a link, the file written is the link's target: the link stays, and so does a file
  // kept on a shared drive.
  const std::filesystem::path path = ResolveLinks(linkOrFile);
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) throw FileAccessError(NotAFileText(linkOrFile));
  if (exists && !PermissionsAllowWriting(existing)) {
    throw FileAccessError("Fichier en lecture seule : " + linkOrFile.string());
  }

  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileAccessError(Describe(linkOrFile, "Impossible d'écrire"));
  auto fail = [&](const char* action) {
    const std::string message = Describe(linkOrFile, action);
    ::close(fd);
    ::unlink(pattern.c_str());
    throw FileAccessError(message);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("Impossible d'écrire");
    }
    done += static_cast<std::size_t>(n);
  }
  // Keep the permissions of a file we replace; a new one gets the usual rw-r--r--.
  const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0) fail("Impossible d'écrire");
  if (::fsync(fd) != 0) fail("Impossible d'écrire");
  if (::close(fd) != 0) {
    const std::string message = Describe(linkOrFile, "Impossible d'écrire");
    ::unlink(pattern.c_str());
    throw FileAccessError(message);
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) {
    const std::string message = Describe(linkOrFile, "Impossible de remplacer");
    ::unlink(pattern.c_str());
    throw FileAccessError(message);
  }
}

}  // namespace tranchex
