#include "job/ColumnLetters.h"

namespace tranchex {

std::string ColumnLetters(std::int32_t number) {
  // A negative number would give characters before 'a'.
  if (number < 0) return {};
  const std::int32_t q = number / 26;
  const std::int32_t r = number % 26;
  if (q == 0) return std::string(1, static_cast<char>('a' + r));
  if (q <= 26) return {static_cast<char>('a' + q - 1), static_cast<char>('a' + r)};
  return {};
}

}  // namespace tranchex
