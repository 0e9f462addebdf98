// The eight detail lines of a summary line: the listed text, the designation and the bare value
// a click copies, in the unit of measure and in metres.

#include "exchange/SummaryDetails.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tranchex {
namespace {

struct Expected {
  const char* list;
  const char* designation;
  const char* value;
};

METRAGE SampleLine() {
  METRAGE m;
  m.Key = "2800x2070mm - horizontal";
  m.PanelCount = 3;
  m.PanelArea = 17.388L;
  m.PartsArea = 12.5L;
  m.CutLength = 30.456;
  m.PartsPerimeter = 45.125;  // exact in binary: rounds half away to 45,13
  m.WasteArea = 4.888L;
  m.WastePercent = 28.111;
  m.PartsPerPanel = 4;
  return m;
}

TEST(SummaryDetails, EightLinesWithTheirDesignationAndBareValue) {
  const SummaryTexts texts = LoadSummaryTexts("Panneaux", "Pièces", "Panneau");
  struct Case {
    const char* unit;
    std::vector<Expected> lines;
  };
  const std::vector<Case> cases{
      {"m",
       {{"Nombre de panneaux : 3", "Nombre de panneaux", "3"},
        {"Surface totale des panneaux : 17,39 m²", "Surface totale des panneaux", "17,39"},
        {"Linéaire de découpe : 30,46 m", "Linéaire de découpe", "30,46"},
        {"Nombre de pièces par panneau : 4", "Nombre de pièces par panneau", "4"},
        {"Longueur des bandes de champs : 45,13 m", "Bandes de champs", "45,13"},
        {"Surface totale des pièces : 12,5 m²", "Surface totale des pièces", "12,5"},
        {"Surface totale des chutes : 4,89 m²", "Surface des chutes", "4,89"},
        {"Taux de chutes : 28,11 %", "Taux de chutes", "28,11"}}},
      {"mm",
       {{"Nombre de panneaux : 3", "Nombre de panneaux", "3"},
        {"Surface totale des panneaux : 17,39 mm²", "Surface totale des panneaux", "17,39"},
        {"Linéaire de découpe : 30,46 mm", "Linéaire de découpe", "30,46"},
        {"Nombre de pièces par panneau : 4", "Nombre de pièces par panneau", "4"},
        {"Longueur des bandes de champs : 45,13 mm", "Bandes de champs", "45,13"},
        {"Surface totale des pièces : 12,5 mm²", "Surface totale des pièces", "12,5"},
        {"Surface totale des chutes : 4,89 mm²", "Surface des chutes", "4,89"},
        {"Taux de chutes : 28,11 %", "Taux de chutes", "28,11"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    const auto details = SummaryDetails(SampleLine(), texts, c.unit, ',');
    ASSERT_EQ(details.size(), c.lines.size());
    for (std::size_t i = 0; i < details.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(details[i].ListText, c.lines[i].list);
      EXPECT_EQ(details[i].Designation, c.lines[i].designation);
      EXPECT_EQ(details[i].Value, c.lines[i].value);
    }
  }
}

// The option words are lower-cased, accented capitals included.
TEST(SummaryDetails, OptionWordsAreLowerCased) {
  const SummaryTexts texts = LoadSummaryTexts("PLATEAUX", "ÉLÉMENTS", "PLATEAU");
  const auto details = SummaryDetails(SampleLine(), texts, "m", '.');
  EXPECT_EQ(details[0].ListText, "Nombre de plateaux : 3");
  EXPECT_EQ(details[3].Designation, "Nombre de éléments par plateau");
  EXPECT_EQ(details[1].Value, "17.39");
}

}  // namespace
}  // namespace tranchex
