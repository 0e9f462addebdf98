// The letter reference of a part number.

#include "job/ColumnLetters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tranchex {
namespace {

TEST(ColumnLetters, OneTwoThenThreeLettersThenNone) {
  const struct {
    std::int32_t number;
    const char* letters;
  } cases[] = {
      {0, "a"},   {1, "b"},    {25, "z"},   {26, "aa"},  {27, "ab"},
      {51, "az"}, {52, "ba"},  {675, "yz"}, {676, "za"}, {701, "zz"},
      // Three letters after "zz", so that the last part of a 10,000-part job has some.
      {702, "aaa"}, {703, "aab"}, {727, "aaz"}, {728, "aba"}, {1377, "azz"}, {1378, "baa"},
      {9999, "ntp"}, {18277, "zzz"},
      {18278, ""}, {100000, ""}, {std::numeric_limits<std::int32_t>::max(), ""},
      // Below 0 there is no letter: never a character before 'a'.
      {-1, ""},   {-26, ""},   {-27, ""},   {std::numeric_limits<std::int32_t>::min(), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnLetters(c.number), c.letters) << c.number;
}

TEST(ColumnLetters, EveryNumberUpToZzzHasItsOwnLowerCaseLetters) {
  std::string previous;
  for (std::int32_t n = 0; n <= 18277; ++n) {
    const std::string letters = ColumnLetters(n);
    ASSERT_EQ(letters.size(), n < 26 ? 1u : n < 702 ? 2u : 3u) << n;
    for (char c : letters) ASSERT_TRUE(c >= 'a' && c <= 'z') << n;
    // In order: one letter before two, then alphabetical.
    if (n > 0 && letters.size() == previous.size()) {
      EXPECT_LT(previous, letters) << n;
    }
    previous = letters;
  }
}

// The first letters no other reference uses: gaps are filled first, typed references that look
// like letters count, and a full run of 10,000 still leaves a free one.
TEST(ColumnLetters, FirstFreeLettersSkipsTheUsedOnes) {
  EXPECT_EQ(FirstFreeLetters({}), "a");
  EXPECT_EQ(FirstFreeLetters({"a", "c"}), "b");
  EXPECT_EQ(FirstFreeLetters({"P12", "X", "a"}), "b");
  // The entry left out does not count as used.
  EXPECT_EQ(FirstFreeLetters({"a", "b"}, 0), "a");

  std::vector<std::string> taken;
  for (std::int32_t n = 0; n < 9999; ++n) taken.push_back(ColumnLetters(n));
  EXPECT_EQ(FirstFreeLetters(taken), "ntp");
  taken[800] = "P12";
  EXPECT_EQ(FirstFreeLetters(taken), ColumnLetters(800));
  EXPECT_EQ(ColumnLetters(800).size(), 3u);
}

}  // namespace
}  // namespace tranchex
