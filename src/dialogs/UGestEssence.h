#pragma once
// The species manager: the wood species list. The list shows the names sorted (by their bytes);
// a name typed in the field is added, the selected name is deleted. Job records, the open job's
// and those of saved job files, name a species by its place in the list, so places never move:
// an added name joins the list at once through AddSpecies (the species file first), at the next
// place free, and shows at the end of the shown list (with the names other copies of the program
// added meanwhile) until the next showing; a deleted name leaves the list's rows at once and is
// handed back in DeletedPlaces, for the main window to write when the form closes (its place
// then stays empty). OK sorts nothing. The close box (and Escape) keeps the adds and deletes but
// does not ask about the name in the field; Changed is reported either way.
//
// A species the open job uses (SpeciesInUse, handed in) is not deleted. Names the species file
// cannot hold are refused.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogFrame.h"
#include "dialogs/SpeciesBox.h"

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

  // The list shown (the main window hands in SpeciesNames) and how a name joins it; without an
  // adder no name is added.
  const std::vector<std::string>* SpeciesList = nullptr;
  SpeciesAdder AddSpecies;
  // 1 once a species was added or deleted during this showing.
  std::uint8_t Changed = 0;
  // In: for each place of the list as handed in, whether the open job names it.
  std::vector<bool> SpeciesInUse;
  // Out: the places of the names deleted during this showing, in the order deleted.
  std::vector<std::size_t> DeletedPlaces;

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
  bool AddTypedName();
  void BtnAjouterClick();
  void BtnSupprimerClick();
  void BtnOKClick();
  bool InList(const std::string& name) const;
  bool Deleted(std::size_t place) const;
  // The rows follow the list: a name gone from it (or deleted here) leaves them, a name that
  // joined it is added at the end, in place order.
  void FollowList();

  // The place in SpeciesList of each row of LbEssence.
  std::vector<std::size_t> shownPlaces_;
};

}  // namespace tranchex
