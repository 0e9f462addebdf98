#include "platform/IniFile.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Blanks.h"
#include "platform/FileIO.h"

namespace tranchex {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

}  // namespace

std::optional<IniFile> IniFile::Parse(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  IniFile ini;
  Section* current = nullptr;  // keys before any section belong to none
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      text.remove_prefix(end + ((text[end] == '\r' && end + 1 < text.size() &&
                                 text[end + 1] == '\n') ? 2 : 1));
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      ini.sections_.push_back({std::string(TrimBlanks(line.substr(1, close - 1))), {}});
      current = &ini.sections_.back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || current == nullptr) continue;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    current->Entries.push_back(
        {std::string(key), std::string(Unquote(TrimBlanks(line.substr(equals + 1))))});
  }
  return ini;
}

std::string IniFile::Value(std::string_view section, std::string_view key) const {
  const auto s = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& x) { return SameIgnoringCase(x.Name, section); });
  if (s == sections_.end()) return {};
  const auto e = std::find_if(s->Entries.begin(), s->Entries.end(),
                              [&](const Entry& x) { return SameIgnoringCase(x.Key, key); });
  return e == s->Entries.end() ? std::string() : e->Value;
}

std::optional<IniFile> OpenIniFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  try {
    return IniFile::Parse(ReadFileBytes(path, kMaxIniFileBytes));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace tranchex
