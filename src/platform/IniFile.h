#pragma once
// A small reader of INI text, as the Windows profile functions read it: "[section]" lines,
// "key=value" lines, ";" comment lines, anything else ignored. Sections and keys are found
// without regard to ASCII case; of a repeated section or key the first counts. A value loses the
// blanks around it and one pair of enclosing quotes; a missing section or key reads as "".

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tranchex {

// The largest INI file read; a larger one is refused as a whole.
inline constexpr std::size_t kMaxIniFileBytes = 64 * 1024;

class IniFile {
 public:
  // Reads the text; nullopt when it is no text (it holds a NUL byte). A UTF-8 byte order mark
  // at the start is dropped; lines end with LF, CR LF or CR.
  static std::optional<IniFile> Parse(std::string_view text);

  // The value of the key in the section, as stored (bytes); "" when either is missing.
  std::string Value(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string Key;
    std::string Value;
  };
  struct Section {
    std::string Name;
    std::vector<Entry> Entries;
  };
  std::vector<Section> sections_;
};

// Reads the INI file at the path; nullopt when it is missing, unreadable, larger than
// kMaxIniFileBytes or no text.
std::optional<IniFile> OpenIniFile(const std::filesystem::path& path);

}  // namespace tranchex
