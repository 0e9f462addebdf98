#include "platform/Texts.h"

#include <gtest/gtest.h>

namespace tranchex {
namespace {

TEST(TextTable, TheProgramTableParsesWhole) {
  TextTable table;
  std::string error;
  EXPECT_TRUE(table.parse(kEmbeddedTextTable, &error)) << error;
  EXPECT_EQ(table.size(), ProgramTexts().size());
}

TEST(TextTable, ReadsEscapesAndKeepsSpaces) {
  TextTable table;
  ASSERT_TRUE(table.parse("# comment\n\n7\t en \n8\tune\\ndeux\\\\trois\\tq\r\n9\t\n"));
  EXPECT_EQ(*table.find(7), " en ");
  EXPECT_EQ(*table.find(8), "une\ndeux\\trois\tq");
  EXPECT_EQ(*table.find(9), "");
  EXPECT_EQ(table.find(10), nullptr);
}

TEST(TextTable, RefusesMalformedLines) {
  const char* bad[] = {"12 no tab\n", "x\ttext\n", "-1\ttext\n", "1\tbad \\q escape\n",
                       "1\ta\n1\tb\n", "1\ttrailing backslash\\\n"};
  for (const char* source : bad) {
    TextTable table;
    std::string error;
    EXPECT_FALSE(table.parse(source, &error)) << source;
    EXPECT_FALSE(error.empty());
  }
}

TEST(LoadString, GivesTheWholeTextWhateverTheBuffer) {
  EXPECT_EQ(LoadString(0, 20), "Tranchex");
  EXPECT_EQ(LoadString(0, 3), "Tranchex");
  EXPECT_EQ(LoadString(999999, 100), "");
}

}  // namespace
}  // namespace tranchex

namespace tranchex {
namespace {

// A sample of the texts the program shows, word for word, from each part of the program.
TEST(LoadString, TheTableHoldsTheProgramsOwnWording) {
  struct Case {
    int id;
    const char* text;
  };
  const Case cases[] = {
      // main window, job commands, update check
      {1, "&Fichier"},
      {5, "Enre&gistrer sous..."},
      {47, " en "},
      {101, "Voulez-vous enregistrer les modifications apportées à"},
      {126, "Erreur dans l'ouverture du fichier !"},
      {148, "Non spécifié"},
      {184, "Dimensions des "},
      {214, "Pour accéder à cette page web, lancer manuellement votre navigateur et saisissez dans "
            "la barre d'adresse :\n"},
      {234, "Une nouvelle mise à jour est disponible.\nVoulez-vous accéder au téléchargement de "
            "cette mise à jour ?\nAttention après avoir lancé le téléchargement, vous devrez\n"
            "fermer le programme en cour pour pouvoir installer la mise à jour !"},
      // plans and entry dialogs
      {53, "Indifférent"},
      {118, "Vous devez saisir une valeur comprise entre val1 et val2 et utiliser pour les nombres "
            "décimaux le séparateur décimal paramétré dans les options régionales et "
            "linguistiques de votre ordinateur."},
      {139, "Surface totale des chutes : "},
      {240, "Cette réference exite déja !"},
      {250, ".\n\nVoulez vous vraiment supprimer ce "},
      {266, "Vous devez saisir une valeur comprise entre val1 et val2 ou modifier le sens du fil "
            "pour permettre un placement différent de la pièce dans le panneau."},
      // options, import, export, summary
      {196, "Afficher les dimensions en mètres (m) et en mètres carrés (m²)"},
      {212, "Attention ! Un débit exporté par ce moyen est\ndestiné à être importé dans d'autres "
            "applications\net ne peut pas être réimporté ensuite dans\nTranchex."},
      {254, "Leurs surfaces"},
      {265, "Impossible d'ouvrir le fichier val. Celui-ci est peut-être verrouillé par un autre "
            "programme."},
      {267, "L'unité de mesure sélectionnée pour le fichier de débit est différente de celle "
            "définie dans Tranchex.\nLes dimensions des pièces seront automatiquement converties "
            "dans l'unité de mesure de Tranchex."},
  };
  for (const auto& c : cases) EXPECT_EQ(LoadString(c.id, 100), c.text) << "id " << c.id;
}

TEST(LoadString, ALongMessageIsNeverCutByItsBuffer) {
  const std::string swap = LoadString(204, 400);
  EXPECT_GT(swap.size(), 400u);
  EXPECT_TRUE(swap.ends_with("cliquez sur Non pour modifier vous-même les dimensions de la val1."));
}

}  // namespace
}  // namespace tranchex
