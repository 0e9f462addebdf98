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

// Reads the whole file. Throws FileAccessError when it can't be opened or read, and
// FileFormatError when it is larger than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Writes a temporary file in the same folder, flushes it to disk and renames it over the target.
// On any failure the target is untouched, the temporary file removed, and FileAccessError thrown.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tranchex
