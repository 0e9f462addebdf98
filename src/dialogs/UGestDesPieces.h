#pragma once
// The part designations manager: the shop's list of designations, edited in place. In manage
// mode (the main window's command) names are added and deleted, and a name left typed in the
// field is offered for the list at OK; in pick mode (the part form's picker) the add and delete
// buttons stay disabled and OK takes the typed or clicked name, adding it silently when it is
// new. OK sorts the list by its Windows-1252 bytes after a change.
//
// The close box (and Escape) keeps the adds and deletes made so far, unsorted, and reports them
// as a change, but returns no designation. Every showing starts with no change and no choice.
// Names the part file cannot hold (over 49 characters, a character Windows-1252 lacks) are
// refused. Parts hold their own designation texts, so nothing of the job moves with the list.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DesignationPicker.h"
#include "dialogs/DialogFrame.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tranchex {

class TFGestDesPieces : public DialogFrame, public DesignationPicker {
  Q_OBJECT

 public:
  TFGestDesPieces(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QLineEdit* EdtDesPiece = nullptr;
  QListWidget* LbDesPieces = nullptr;
  QPushButton* BtnAjouter = nullptr;
  QPushButton* BtnSupprimer = nullptr;
  QPushButton* BtnOK = nullptr;

  // ---- Written by the caller before the form is shown -----------------------------------------
  // The list edited in place (the shop's DesignationNames).
  std::vector<std::string>* DesignationList = nullptr;
  std::uint8_t PickMode = 0;  // 0 manage mode, 1 pick mode

  // ---- Read by the caller once the form is closed ---------------------------------------------
  std::uint8_t Changed = 0;  // 1: a name was added or deleted during this showing
  std::uint8_t DesignationChosen = 0;  // 1: OK was pressed with a name in the field
  std::string ChosenDesignation;       // that name

  // DesignationPicker: the part form's pick, in pick mode over the list it hands in.
  DesignationPickerOutput Pick(const DesignationPickerInput& input, QWidget& caller) override;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void EdtDesPieceChange();
  void LbDesPiecesClick();
  // Adds the field's text at the end of the list; an empty or listed text is left alone. False
  // when the text was refused (the refusal has been shown).
  bool AddDesignation();
  void BtnAjouterClick();
  void BtnSupprimerClick();
  void BtnOKClick();
  bool InList(const std::string& name) const;
};

}  // namespace tranchex
