#pragma once
// The letter reference of a part number: the reference column of the exported cutting sheet
// for a part without a reference of its own, and the reference the part entry and the import
// propose for a new part.

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace tranchex {

// Numbers 0 to 25 give one lower-case letter, "a" to "z"; 26 to 701 give two ("aa", "az",
// "ba", ..., "zz"); 702 to 18277 give three ("aaa" after "zz", ..., "zzz"), so every part of a
// job of kMaxJobParts parts has letters that fit the three-character reference. A number beyond
// "zzz", or below 0, has no letters: the text is empty.
std::string ColumnLetters(std::int32_t number);

// The letters of the smallest number whose letters no reference of the list uses, the entry at
// `skip` left out (-1: none). A list of n references always leaves one of the first n + 1
// numbers free; empty only when every three-letter reference is taken.
std::string FirstFreeLetters(const std::vector<std::string>& references, std::int64_t skip = -1);

// First free letters handed out one after another, as FirstFreeLetters gives them when each
// reference handed out joins the list: Next gives the letters of the smallest number whose
// letters are not taken, and takes them (empty, and nothing taken, when none is free).
class FreeLetters {
 public:
  void Take(const std::string& reference) { taken_.insert(reference); }
  // Takes the letters when they are still free; false, and nothing taken, when they are not.
  bool TryTake(const std::string& letters) { return taken_.insert(letters).second; }
  std::string Next();

 private:
  std::unordered_set<std::string> taken_;
  std::int32_t next_ = 0;  // every number below has its letters taken
};

}  // namespace tranchex
