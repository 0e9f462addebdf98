// The letter reference of a part number.

#include "job/ColumnLetters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tranchex {
namespace {

TEST(ColumnLetters, OneLetterTwoLettersThenNone) {
  const struct {
    std::int32_t number;
    const char* letters;
  } cases[] = {
      {0, "a"},   {1, "b"},    {25, "z"},   {26, "aa"},  {27, "ab"},
      {51, "az"}, {52, "ba"},  {675, "yz"}, {676, "za"}, {701, "zz"},
      {702, ""},  {703, ""},   {100000, ""}, {std::numeric_limits<std::int32_t>::max(), ""},
      // Below 0 there is no letter: never a character before 'a'.
      {-1, ""},   {-26, ""},   {-27, ""},   {std::numeric_limits<std::int32_t>::min(), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnLetters(c.number), c.letters) << c.number;
}

TEST(ColumnLetters, EveryNumberFrom0To701HasItsOwnLowerCaseLetters) {
  std::string previous;
  for (std::int32_t n = 0; n <= 701; ++n) {
    const std::string letters = ColumnLetters(n);
    ASSERT_EQ(letters.size(), n < 26 ? 1u : 2u) << n;
    for (char c : letters) ASSERT_TRUE(c >= 'a' && c <= 'z') << n;
    // In order: one letter before two, then alphabetical.
    if (n > 0 && letters.size() == previous.size()) {
      EXPECT_LT(previous, letters) << n;
    }
    previous = letters;
  }
}

}  // namespace
}  // namespace tranchex
