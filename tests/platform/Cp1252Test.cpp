#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace tranchex {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Cp1252ToUtf8(all);
  const auto back = Utf8ToCp1252(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

struct Mapping {
  unsigned char byte;
  const char* utf8;
};

TEST(Cp1252, DecodesTheFrenchAndTheHighControlCharacters) {
  const Mapping cases[] = {
      {0x41, "A"},          {0xE9, "é"},          {0xE8, "è"},          {0xC9, "É"},
      {0xE0, "à"},          {0xE7, "ç"},          {0xB2, "²"},          {0xB0, "°"},
      {0x80, "\u20AC"},     {0x9C, "\u0153"},     {0x8C, "\u0152"},     {0x92, "\u2019"},
      {0x85, "\u2026"},     {0x96, "\u2013"},     {0x9F, "\u0178"},     {0x81, "\u0081"},
  };
  for (const auto& c : cases) {
    const std::string one(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1252ToUtf8(one), c.utf8) << "byte " << int(c.byte);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), one) << "byte " << int(c.byte);
  }
}

TEST(Cp1252, RefusesWhatTheCodePageCannotHoldAndSaysWhere) {
  struct Case {
    const char* text;
    std::size_t badOffset;
  };
  const Case cases[] = {
      {"chêne \u4E2D", 7},       // a CJK ideograph after "chêne " (ê takes two bytes)
      {"ab\u0107", 2},           // c with acute: Latin Extended-A, not in the code page
      {"\xF0\x9F\x8C\xB2", 0},   // an emoji
      {"ok\xC3", 2},             // a cut UTF-8 sequence
      {"\xC0\xAF", 0},           // an overlong form
      {"x\xED\xA0\x80", 1},      // a surrogate
  };
  for (const auto& c : cases) {
    std::size_t bad = 999;
    EXPECT_FALSE(Utf8ToCp1252(c.text, &bad).has_value()) << c.text;
    EXPECT_EQ(bad, c.badOffset) << c.text;
    EXPECT_FALSE(IsCp1252Encodable(c.text));
  }
  EXPECT_TRUE(IsCp1252Encodable("Chêne massif 18 mm – 2 × 3 €"));
  EXPECT_FALSE(IsCp1252Encodable("2 \u2212 3"));  // the minus sign is not the hyphen
}

// Byte order of the code page: 'C' 0x43 < 'H' 0x48 < 'c' 0x63 < 0xC9 'É' < 0xE9 'é'; a euro
// sign (0x80) after 'z' (0x7A); a character the code page lacks after every byte.
TEST(Cp1252, SortsByTheBytesOfTheCodePage) {
  struct Case {
    const char* a;
    const char* b;  // a sorts strictly before b
  };
  const Case cases[] = {
      {"Chêne", "Hêtre"},         {"Hêtre", "chêne"},        {"chêne", "Érable"},
      {"Érable", "érable"},       {"Zebrano", "aulne"},      {"Pin", "Pin sylvestre"},
      {"", "A"},                  {"Orme \u2212", "Orme \u2260"}, {"Orme z", "Orme \u20AC"},
      {"Orme \u00FF", "Orme \u2212"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Cp1252Less(c.a, c.b)) << c.a << " < " << c.b;
    EXPECT_FALSE(Cp1252Less(c.b, c.a)) << c.b << " > " << c.a;
  }
  EXPECT_FALSE(Cp1252Less("Chêne", "Chêne"));
  EXPECT_FALSE(Cp1252Less("", ""));
}

}  // namespace
}  // namespace tranchex
