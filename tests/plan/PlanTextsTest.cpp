// The language texts of the drawings, the cutting sheet and the printouts.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "plan/CuttingSheet.h"
#include "plan/DrawingContext.h"
#include "plan/Printing.h"

namespace tranchex {
namespace {

const std::array<std::string, 3> kGrainWords = {"Horizontal", "Vertical", "Indifférent"};

// The words every part or panel description shares.
void ExpectDescriptionWords(const DescriptionTexts& t, const char* who) {
  EXPECT_EQ(t.TextCount, "Nombre") << who;
  EXPECT_EQ(t.TextThickness, "Epaisseur") << who;
  EXPECT_EQ(t.TextSpecies, "Essence") << who;
  EXPECT_EQ(t.TextGrain, "Sens du fil") << who;
  EXPECT_EQ(t.TextNotSpecified, "Non spécifié") << who;
  EXPECT_EQ(t.GrainTexts, kGrainWords) << who;
}

TEST(DrawingTexts, LanguageTextsWithTheDefaultWords) {
  const DrawingTexts t = LoadDrawingTexts();
  ExpectDescriptionWords(t, "drawing");
  EXPECT_EQ(t.WordPart, "Pièce");
  EXPECT_EQ(t.WordPanel, "Panneau");
  EXPECT_EQ(t.WordPanels, "Panneaux");
}

TEST(CuttingSheetTexts, LanguageTexts) {
  const CuttingSheetTexts t = LoadCuttingSheetTexts();
  ExpectDescriptionWords(t, "sheet");
  EXPECT_EQ(t.TextReference, "Référence");
  EXPECT_EQ(t.TextDesignation, "Désignation");
  EXPECT_EQ(t.TextLength, "Longueur");
  EXPECT_EQ(t.TextWidth, "Largeur");
}

TEST(PrintTexts, LanguageTexts) {
  const PrintTexts t = LoadPrintTexts();
  EXPECT_EQ(t.TextScale, "Echelle");
  ExpectDescriptionWords(t.Sheet, "printed sheet");
  EXPECT_EQ(t.Sheet.TextReference, "Référence");
  EXPECT_EQ(t.Sheet.TextDesignation, "Désignation");
  EXPECT_EQ(t.Sheet.TextLength, "Longueur");
  EXPECT_EQ(t.Sheet.TextWidth, "Largeur");
}

}  // namespace
}  // namespace tranchex
