#pragma once
// Blanks around a text typed by a user or written in a settings file: spaces and tabs.

#include <string_view>

namespace tranchex {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without the spaces and tabs at either end.
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tranchex
