#pragma once
// Whole-file reading with a size bound, and atomic writing: a file is written whole or not at all.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tranchex {

class FileAccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the whole file. Throws FileAccessError when it can't be opened or read, or is not a
// regular file (a FIFO is refused at once, never waited on), and FileFormatError when it is
// larger than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes);
// The same for the first maxBytes of a file; a longer file is no fault.
std::string ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes);

// The file a path names once its symbolic links are followed (a link whose target is missing
// names that target); a path that is no link is itself.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target.
// Through a symbolic link the target is the link's file, and the link stays. An existing file
// that is not a regular file, or whose permission bits do not let us write it (read-only for
// us, whoever we are), is not replaced. On any failure the target is untouched, the temporary
// file removed, and FileAccessError thrown.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tranchex
