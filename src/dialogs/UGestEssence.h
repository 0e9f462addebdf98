#pragma once
// The species manager: the wood species list, edited in place. A name typed in the field is
// added at the end of the list, the selected name is deleted, and OK sorts the list after a
// change. The close box (and Escape) keeps the adds and deletes but neither asks about the name
// in the field nor sorts; Changed is reported either way.
//
// Job records name a species by its position in the list, so the form keeps, for each entry of
// the list, the position it had when the form was shown (SpeciesOrigins), for the main window to
// move the open job's species along; and it refuses to delete a species the open job uses
// (SpeciesInUse, handed in). Names the species file cannot hold are refused.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tranchex {

class TFGestEssence : public DialogFrame {
  Q_OBJECT

 public:
  TFGestEssence(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QListWidget* LbEssence = nullptr;
  QLineEdit* EdtEssence = nullptr;
  QPushButton* BtnAjouter = nullptr;
  QPushButton* BtnSupprimer = nullptr;
  QPushButton* BtnOK = nullptr;

  // The list edited in place (the main window hands in SpeciesNames).
  std::vector<std::string>* SpeciesList = nullptr;
  // 1 once a species was added or deleted during this showing.
  std::uint8_t Changed = 0;
  // In: for each position of the list as handed in, whether the open job names it.
  std::vector<bool> SpeciesInUse;
  // Out: for each entry of the list, its position when the form was shown; -1 for a name added.
  std::vector<int> SpeciesOrigins;

  // The question OK asks about a new name left in the field, and its caption: texts of the
  // program, not of the language table.
  static const QString kAddQuestion;
  static const QString kAddCaption;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void LbEssenceClick();
  void EdtEssenceChange();
  // Step 2 of both the add button and OK's question: false when the name was refused.
  bool AddSpecies();
  void BtnAjouterClick();
  void BtnSupprimerClick();
  void BtnOKClick();
  bool InList(const std::string& name) const;
};

}  // namespace tranchex
