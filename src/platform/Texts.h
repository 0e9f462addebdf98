#pragma once
// The French language texts, fetched by numeric id. The table lives in resources/texts.fr.txt
// (UTF-8, one "id<TAB>text" line per id, "\n" for a line break) and is compiled into the program.

#include <map>
#include <string>
#include <string_view>

namespace tranchex {

extern const char* const kEmbeddedTextTable;

class TextTable {
 public:
  // Parses the table format. Returns false and an explanation (with the line number) on a
  // malformed line or a duplicate id; the table then holds the lines read before it.
  bool parse(std::string_view source, std::string* error = nullptr);

  // The text of an id, or nullptr when the table has none.
  const std::string* find(int id) const;
  std::size_t size() const { return texts_.size(); }
  const std::map<int, std::string>& all() const { return texts_; }

 private:
  std::map<int, std::string> texts_;
};

// The program's own table, parsed once.
const TextTable& ProgramTexts();

// The text of an id; an id the table lacks gives an empty text. The buffer size the windows
// code passes is accepted for its call sites, but a text is never cut short by it: a message
// shown with its end missing is worse than a longer buffer.
std::string LoadString(int id, int bufferSize = 0);

}  // namespace tranchex
