#include "platform/Texts.h"

#include <charconv>

namespace tranchex {
namespace {

bool Unescape(std::string_view in, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out.push_back(in[i]);
      continue;
    }
    if (++i == in.size()) return false;
    switch (in[i]) {
      case 'n': out.push_back('\n'); break;
      case 't': out.push_back('\t'); break;
      case '\\': out.push_back('\\'); break;
      default: return false;
    }
  }
  return true;
}

}  // namespace

bool TextTable::parse(std::string_view source, std::string* error) {
  std::size_t lineNo = 0;
  auto fail = [&](const std::string& why) {
    if (error) *error = "ligne " + std::to_string(lineNo) + " : " + why;
    return false;
  };
  while (!source.empty()) {
    ++lineNo;
    const std::size_t eol = source.find('\n');
    std::string_view line = source.substr(0, eol);
    source.remove_prefix(eol == std::string_view::npos ? source.size() : eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return fail("pas de tabulation après l'identifiant");
    int id = -1;
    const auto idText = line.substr(0, tab);
    const auto [ptr, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (ec != std::errc() || ptr != idText.data() + idText.size() || id < 0) {
      return fail("identifiant invalide");
    }
    std::string text;
    if (!Unescape(line.substr(tab + 1), text)) return fail("échappement invalide");
    if (!texts_.emplace(id, std::move(text)).second) {
      return fail("identifiant " + std::to_string(id) + " en double");
    }
  }
  return true;
}

const std::string* TextTable::find(int id) const {
  const auto it = texts_.find(id);
  return it == texts_.end() ? nullptr : &it->second;
}

const TextTable& ProgramTexts() {
  static const TextTable table = [] {
    TextTable t;
    t.parse(kEmbeddedTextTable);
    return t;
  }();
  return table;
}

std::string LoadString(int id, int /*bufferSize*/) {
  const std::string* text = ProgramTexts().find(id);
  return text ? *text : std::string();
}

}  // namespace tranchex
