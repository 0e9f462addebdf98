#pragma once
// The letter reference of a part number: the reference column of the exported cutting sheet,
// and the reference the part entry and the import propose for a new part.

#include <cstdint>
#include <string>

namespace tranchex {

// Numbers 0 to 25 give one lower-case letter, "a" to "z"; 26 to 701 give two, the first for
// the number / 26 - 1 and the second for the number % 26 ("aa", "az", "ba", ..., "zz"). A number
// from 702 on, or below 0, has no letters: the text is empty.
std::string ColumnLetters(std::int32_t number);

}  // namespace tranchex
