#pragma once
// The letter reference of a part number: the reference column of the exported cutting sheet
// for a part without a reference of its own, and the reference the part entry and the import
// propose for a new part.

#include <cstdint>
#include <string>
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

}  // namespace tranchex
