#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/BinaryIO.h"

namespace tranchex {
namespace {

std::string Describe(const std::filesystem::path& path, const char* action) {
  return std::string(action) + " " + path.string() + " : " + std::strerror(errno);
}

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileAccessError("Impossible d'ouvrir " + path.string());
  std::string bytes;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + got > maxBytes) {
      throw FileFormatError("Fichier trop grand : " + path.string(), maxBytes);
    }
    bytes.append(buffer, got);
  }
  if (in.bad()) throw FileAccessError("Erreur de lecture de " + path.string());
  return bytes;
}

void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileAccessError(Describe(path, "Impossible d'écrire"));
  auto fail = [&](const char* action) {
    const std::string message = Describe(path, action);
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
  struct stat st {};
  const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0) fail("Impossible d'écrire");
  if (::fsync(fd) != 0) fail("Impossible d'écrire");
  if (::close(fd) != 0) {
    const std::string message = Describe(path, "Impossible d'écrire");
    ::unlink(pattern.c_str());
    throw FileAccessError(message);
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) {
    const std::string message = Describe(path, "Impossible de remplacer");
    ::unlink(pattern.c_str());
    throw FileAccessError(message);
  }
}

}  // namespace tranchex
