#include "job/ListTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace tranchex {
namespace {

TEST(LowerCaseText, WindowsLatinCapitals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Chêne", "chêne"},
      {"ÉRABLE SYCOMORE", "érable sycomore"},
      {"ÀÂÇÈÉÊËÎÏÔÙÛÜÞ", "àâçèéêëîïôùûüþ"},
      {"ŒUVRE ŠŽŸ", "œuvre šžÿ"},
      {"2×3 ß", "2×3 ß"},  // no lower case of its own
      {"Indifférent", "indifférent"},
      {"", ""},
      {std::string("A\xFF" "B"), std::string("a\xFF" "b")},  // a malformed byte passes through
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(LowerCaseText(in), out) << in;
}

TEST(ListTexts, LanguageTexts) {
  const ListTexts t = LoadListTexts(',');
  EXPECT_EQ(t.GrainTexts[0], "Horizontal");
  EXPECT_EQ(t.GrainTexts[1], "Vertical");
  EXPECT_EQ(t.GrainTexts[2], "Indifférent");
  EXPECT_EQ(t.NotSpecified, "Non spécifié");
  EXPECT_EQ(t.DecimalSeparator, ',');
  EXPECT_EQ(GrainLabel(2, t), "indifférent");
  EXPECT_EQ(GrainLabel(3, t), "");
  EXPECT_EQ(GrainLabel(-1, t), "");
  EXPECT_EQ(SpeciesLabel({"Noyer"}, 0, t), "noyer");
  EXPECT_EQ(SpeciesLabel({"Noyer"}, 1, t), "Non spécifié");
}

}  // namespace
}  // namespace tranchex
