// The shared loaders of language texts: the words that describe a part or a panel and the
// default words for panels and parts.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "job/ListTexts.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"

namespace tranchex {
namespace {

const std::array<std::string, 3> kGrainWords = {"Horizontal", "Vertical", "Indifférent"};

TEST(DescriptionTexts, LanguageTexts) {
  const DescriptionTexts t = LoadDescriptionTexts();
  EXPECT_EQ(t.TextCount, "Nombre");
  EXPECT_EQ(t.TextThickness, "Epaisseur");
  EXPECT_EQ(t.TextSpecies, "Essence");
  EXPECT_EQ(t.TextGrain, "Sens du fil");
  EXPECT_EQ(t.TextNotSpecified, "Non spécifié");
  EXPECT_EQ(t.GrainTexts, kGrainWords);
  EXPECT_EQ(LoadGrainTexts(), kGrainWords);
}

TEST(DefaultWords, LanguageTexts) {
  const DefaultWords w = LoadDefaultWords();
  EXPECT_EQ(w.WordPanel, "Panneau");
  EXPECT_EQ(w.WordPanels, "Panneaux");
  EXPECT_EQ(w.WordPart, "Pièce");
  EXPECT_EQ(w.WordParts, "Pièces");
}

// The user's words are replaced by the language texts; nothing else of the settings moves.
TEST(DefaultWords, ReplaceTheUsersWords) {
  Settings s;
  s.WordPanel = "Plateau";
  s.WordPanels = "Plateaux";
  s.WordPart = "Élément";
  s.WordParts = "Éléments";
  s.CustomWordsLoaded = 1;
  s.MaxLength = 12345.0;
  ApplyDefaultWords(s);
  EXPECT_EQ(s.WordPanel, "Panneau");
  EXPECT_EQ(s.WordPanels, "Panneaux");
  EXPECT_EQ(s.WordPart, "Pièce");
  EXPECT_EQ(s.WordParts, "Pièces");
  EXPECT_EQ(s.CustomWordsLoaded, 1);
  EXPECT_EQ(s.MaxLength, 12345.0);
}

}  // namespace
}  // namespace tranchex
