// The named text ids fetch the texts they are named for, one case from each group of names.

#include <gtest/gtest.h>

#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

TEST(TextIds, EachGroupFetchesItsOwnWording) {
  struct Case {
    const char* name;
    int id;
    const char* text;
  };
  const Case cases[] = {
      {"MainForm::AppTitle", TextId::MainForm::AppTitle, "Tranchex"},
      {"MainForm::Enre", TextId::MainForm::Enre, "Enre&gistrer sous..."},
      {"MainForm::DimensionsOf", TextId::MainForm::DimensionsOf, "Dimensions des "},
      {"MainForm::SBtnFicheHint", TextId::MainForm::SBtnFicheHint, "Fiche de débit"},
      {"Words::WordParts", TextId::Words::WordParts, "Pièces"},
      {"Columns::TextGrain", TextId::Columns::TextGrain, "Sens du fil"},
      {"Columns::TextNotSpecified", TextId::Columns::TextNotSpecified, "Non spécifié"},
      {"Columns::TextScale", TextId::Columns::TextScale, "Echelle"},
      {"Grain::Indifferent", TextId::Grain::Indifferent, "Indifférent"},
      {"Messages::MsgOpenCancelled", TextId::Messages::MsgOpenCancelled,
       "Annulation de l'ouverture débit !"},
      {"Messages::MsgReadOnlyFile", TextId::Messages::MsgReadOnlyFile,
       "Fichier en lecture seule\nEnregistrement des mofications impossibles !"},
      {"PanelDisplayModeForm::RbtnAffPieces", TextId::PanelDisplayModeForm::RbtnAffPieces,
       "Affichage des pièces"},
      {"JobFile::TagText", TextId::JobFile::TagText, "1.6"},
      {"Version::VersionText", TextId::Version::VersionText, "1.6"},
      {"PageWindows::UpdateCaption", TextId::PageWindows::UpdateCaption,
       "Nouvelle mise à jour détectée"},
      {"PageWindows::BtnFermer", TextId::PageWindows::BtnFermer, "Fermer"},
      {"MarginsForm::NoLongerFits2", TextId::MarginsForm::NoLongerFits2,
       " que vous avez saisi ne peut plus être insérée dans aucun "},
      {"MultipleMarginsForm::Caption", TextId::MultipleMarginsForm::Caption,
       "Marges de sécurité et trait de scie"},
      {"SpeciesForm::Caption", TextId::SpeciesForm::Caption, "Gestionnaire des essences"},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadString(c.id), c.text) << c.name;
}

// The texts only a language library would carry are supplied by the program's own table.
TEST(TextIds, TextsOfTheLanguageLibraryAreSuppliedToo) {
  const int ids[] = {TextId::Messages::MsgWebPageCaption,
                     TextId::MainForm::GestionDesignationsPieces,
                     TextId::MainForm::SBtnModeAffPanneauxHint,
                     TextId::OffcutExport::TextOffcutFileName,
                     TextId::MainForm::ImportationFichesDebit,
                     TextId::OffcutExport::TextOffcutExport,
                     TextId::MainForm::MiseANiveau,
                     TextId::SpeciesForm::SpeciesInUse,
                     TextId::SpeciesForm::NameTooLong,
                     TextId::SpeciesForm::NameNotStorable};
  for (int id : ids) {
    ASSERT_NE(ProgramTexts().find(id), nullptr) << "id " << id;
    EXPECT_FALSE(ProgramTexts().find(id)->empty()) << "id " << id;
  }
}

}  // namespace
}  // namespace tranchex
