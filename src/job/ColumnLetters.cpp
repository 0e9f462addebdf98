#include "job/ColumnLetters.h"

namespace tranchex {
namespace {

constexpr std::int32_t kOneLetter = 26;
constexpr std::int32_t kUpToTwoLetters = kOneLetter + 26 * 26;            // 702
constexpr std::int32_t kUpToThreeLetters = kUpToTwoLetters + 26 * 26 * 26;  // 18278

}  // namespace

std::string ColumnLetters(std::int32_t number) {
  // A negative number would give characters before 'a'.
  if (number < 0 || number >= kUpToThreeLetters) return {};
  std::size_t width = 1;
  std::int32_t rank = number;  // the rank among the texts of that many letters
  if (number >= kUpToTwoLetters) {
    width = 3;
    rank = number - kUpToTwoLetters;
  } else if (number >= kOneLetter) {
    width = 2;
    rank = number - kOneLetter;
  }
  std::string letters(width, 'a');
  for (std::size_t i = width; i-- > 0;) {
    letters[i] = static_cast<char>('a' + rank % 26);
    rank /= 26;
  }
  return letters;
}

std::string FirstFreeLetters(const std::vector<std::string>& references, std::int64_t skip) {
  FreeLetters letters;
  for (std::size_t i = 0; i < references.size(); ++i) {
    if (static_cast<std::int64_t>(i) != skip) letters.Take(references[i]);
  }
  return letters.Next();
}

std::string FreeLetters::Next() {
  for (; next_ < kUpToThreeLetters; ++next_) {
    std::string letters = ColumnLetters(next_);
    if (taken_.count(letters) == 0) {
      taken_.insert(letters);
      ++next_;
      return letters;
    }
  }
  return {};
}

}  // namespace tranchex
