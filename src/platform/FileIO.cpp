#include "platform/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

// The groups this process is a member of: its own group and the supplementary ones.
std::vector<gid_t> ProcessGroups() {
  std::vector<gid_t> groups{::getegid()};
  const int count = ::getgroups(0, nullptr);
  if (count > 0) {
    std::vector<gid_t> more(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, more.data());
    if (got > 0) groups.insert(groups.end(), more.begin(), more.begin() + got);
  }
  return groups;
}

// The longest file name the folder takes.
std::size_t NameMax(const std::filesystem::path& folder) {
  const long max = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return max > 0 ? static_cast<std::size_t>(max) : 255;
}

// The characters mkstemp puts in place of "XXXXXX".
constexpr std::size_t kUniqueChars = 6;
// What stands between a file's name and those characters in its temporary file's name: no other
// program and no user names a file so, so the clean-up below takes only what we left.
constexpr std::string_view kTemporaryMark = ".tranchex-";
// New temporary files tried before a write gives up, each taken by another write's clean-up.
constexpr int kTemporaryAttempts = 100;

bool IsOurUniquePart(std::string_view tail) {
  return tail.size() == kUniqueChars &&
         std::all_of(tail.begin(), tail.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

// Removes the temporary files that earlier writes of the same file left in the folder (a
// program killed part-way): names made of the prefix and six letters or digits, regular files
// that no writer holds. A writer holds its temporary file locked until the rename, so a write
// still going on, in this program or another, keeps its file. The file is removed while locked,
// and only when its name still names it: a file already renamed over its target stays.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> leftovers;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() == prefix.size() + kUniqueChars && name.substr(0, prefix.size()) == prefix &&
        IsOurUniquePart(name.substr(prefix.size()))) {
      leftovers.emplace_back(name);
    }
  }
  ::closedir(dir);
  for (const std::string& name : leftovers) {
    const std::filesystem::path path = folder / name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
}

// Makes a new temporary file from `pattern` (its name replaces the pattern) and locks it, so that
// no clean-up takes it while it is written. A clean-up can come between the making and the lock:
// it holds the file locked while it removes it, so a file we cannot lock, or find removed once
// locked, is given up and another made. A folder whose files take no lock keeps its files
// unlocked, as its clean-up cannot lock them either. -1 with errno when no file could be made.
int MakeLockedTemporary(std::string& pattern) {
  const std::string base = pattern;
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    pattern = base;
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK) return fd;
    } else {
      struct stat st {};
      if (::fstat(fd, &st) != 0 || st.st_nlink > 0) return fd;
    }
    ::close(fd);
  }
  errno = EAGAIN;
  return -1;
}

}  // namespace

bool PermissionsAllowWriting(mode_t mode, uid_t owner, gid_t group, uid_t user,
                             std::span<const gid_t> groups) {
  if (owner == user) return (mode & S_IWUSR) != 0;
  const bool inGroup = std::find(groups.begin(), groups.end(), group) != groups.end();
  return (mode & (inGroup ? S_IWGRP : S_IWOTH)) != 0;
}

std::string TemporaryNamePrefix(const std::string& fileName, std::size_t nameMax) {
  const std::size_t fixed = 1 + kTemporaryMark.size() + kUniqueChars;
  const std::size_t room = nameMax > fixed ? nameMax - fixed : 1;
  std::size_t keep = std::min(fileName.size(), room);
  // Never cut a character of more than one byte in two. A character is four bytes at most: a
  // name that is not UTF-8 is cut near the limit all the same.
  for (int back = 0; back < 3 && keep > 0 && keep < fileName.size() &&
                     (static_cast<unsigned char>(fileName[keep]) & 0xC0) == 0x80;
       ++back) {
    --keep;
  }
  return "." + fileName.substr(0, keep) + std::string(kTemporaryMark);
}

std::optional<std::filesystem::path> MissingFolder(const std::filesystem::path& linkOrFile) {
  std::filesystem::path path;
  try {
    path = ResolveLinks(linkOrFile);
  } catch (const FileAccessError&) {
    return std::nullopt;  // a loop of links is no missing folder
  }
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return std::nullopt;
    return folder;
  }
  if (errno == ENOENT || errno == ENOTDIR) return folder;
  return std::nullopt;
}

void RefuseNonRegularTarget(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw FileAccessError(NotAFileText(path));
  }
}

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
  if (exists && !PermissionsAllowWriting(existing.st_mode, existing.st_uid, existing.st_gid,
                                         ::geteuid(), ProcessGroups())) {
    throw FileAccessError("Fichier en lecture seule : " + linkOrFile.string());
  }

  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const std::string prefix = TemporaryNamePrefix(path.filename().string(), NameMax(folder));
  RemoveLeftoverTemporaries(folder, prefix);
  std::string pattern = (folder / (prefix + std::string(kUniqueChars, 'X'))).string();
  const int fd = MakeLockedTemporary(pattern);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      if (const auto missing = MissingFolder(path)) {
        throw FileAccessError("Le dossier " + missing->string() + " n'existe pas : " +
                              linkOrFile.string() + " ne peut pas y être enregistré");
      }
    }
    if (error == EACCES || error == EPERM || error == EROFS) {
      throw FileAccessError("Le dossier " + folder.string() +
                            " ne permet pas d'y créer un fichier : " + linkOrFile.string() +
                            " ne peut pas y être enregistré (" + std::strerror(error) + ")");
    }
    errno = error;
    throw FileAccessError(Describe(linkOrFile, "Impossible d'écrire"));
  }
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
  // Renamed while still open and locked: a clean-up by another write never takes it for a
  // leftover. The bytes are on disk already, so the close has nothing left to fail on.
  if (::rename(pattern.c_str(), path.c_str()) != 0) fail("Impossible de remplacer");
  ::close(fd);
}

}  // namespace tranchex
