#pragma once
// The form that asks what to modify in the job: its stock panels, its parts, its margins or saw
// kerf, its optimisation criteria. The main window enables the boxes whose forms it can show,
// shows this form and reads the four answers, whatever closed it; it then shows the chosen
// forms in its own order and lays the job out again.

#include <cstdint>

#include "dialogs/DialogFrame.h"
#include "job/Settings.h"

class QCheckBox;
class QPushButton;

namespace tranchex {

class TFSelMod : public DialogFrame {
  Q_OBJECT

 public:
  // settings: the user's words for panels and parts, put into two captions at each showing.
  TFSelMod(const Settings& settings, Prompts& prompts, HelpViewer& help,
           QWidget* parent = nullptr);

  QCheckBox* ChbModifPanneaux = nullptr;
  QCheckBox* ChbModifPieces = nullptr;
  QCheckBox* ChbModifMarge = nullptr;
  QCheckBox* ChkBoxCriteresOptimisation = nullptr;
  QPushButton* BtnOk = nullptr;

  // In: 1 while the import that ends with a modification runs; the margins box then starts
  // ticked, when the main window has enabled it.
  std::uint8_t MarginsPending = 0;

  // Out, each equal to its box: 1 ticked.
  std::uint8_t ModifyPanels = 0;
  std::uint8_t ModifyParts = 0;
  std::uint8_t ModifyMargins = 0;
  std::uint8_t ModifyCriteria = 0;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void FormShow();
  void BtnOkClick();

  const Settings& settings_;
  QString panelsStart_;  // "Modifier les "
  QString partsStart_;   // "Modifier les "
};

}  // namespace tranchex
