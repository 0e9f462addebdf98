#pragma once
// Checked look-ups in the job's lists: the views and printouts never trust an index from a
// file or a part number to lie inside its list.

#include <cstdint>
#include <string>
#include <vector>

namespace tranchex {

template <class List>
bool ValidIndex(const List& list, std::int64_t i) {
  return i >= 0 && i < static_cast<std::int64_t>(list.size());
}

// The entry at i, or an empty text when the list has none there.
inline const std::string& EntryOrEmpty(const std::vector<std::string>& list, std::int64_t i) {
  static const std::string kEmpty;
  return ValidIndex(list, i) ? list[static_cast<std::size_t>(i)] : kEmpty;
}

// The name at a place of the species list; nothing when the place is past the list (a job from
// another machine) or its species was deleted (an empty name keeps the place).
inline const std::string* SpeciesNameAt(const std::vector<std::string>& names,
                                        std::int64_t species) {
  if (!ValidIndex(names, species)) return nullptr;
  const std::string& name = names[static_cast<std::size_t>(species)];
  return name.empty() ? nullptr : &name;
}

}  // namespace tranchex
