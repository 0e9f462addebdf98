#pragma once
// The species manager: the wood species list, edited in place. The list shows the names sorted
// (by their bytes); a name typed in the field is added at the end of the list, the selected name
// is deleted. Job records, the open job's and those of saved job files, name a species by its
// place in the list, so places never move: an added name takes a new place at the end (and the
// end of the shown list until the next showing), a deleted name leaves its place empty, and OK
// sorts nothing. The close box (and Escape) keeps the adds and deletes but does not ask about the
// name in the field; Changed is reported either way.
//
// A species the open job uses (SpeciesInUse, handed in) is not deleted. Names the species file
// cannot hold are refused.

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
  // In: for each place of the list as handed in, whether the open job names it.
  std::vector<bool> SpeciesInUse;

  // The question OK asks about a new name left in the field, and its caption: texts of the
  // program, not of the language table.
  static const QString kAddQuestion;
  static const QString kAddCaption;

 protected:
  void NewShowing() override;

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

  // The place in SpeciesList of each row of LbEssence.
  std::vector<std::size_t> shownPlaces_;
};

}  // namespace tranchex
