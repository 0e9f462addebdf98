#pragma once
// The job summary window: one entry per kind of stock panel the plan uses, its eight figures in
// a second list, and a click on a figure shows its designation and bare value, which "Copier"
// puts on the clipboard. "Imprimer" prints the whole summary on the printer it was handed,
// without a print dialog (SummaryPrint.h); a failed print is reported with the print engine's
// message. It computes nothing: the lines come ready-made from the job.

#include <string>

#include "dialogs/DialogFrame.h"
#include "exchange/SummaryDetails.h"
#include "job/ResultLists.h"

class QLineEdit;
class QPrinter;
class QListWidget;
class QPushButton;

namespace tranchex {

class TFListesChutes;

class TFCaractPanneaux : public DialogFrame {
  Q_OBJECT

 public:
  TFCaractPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // Set by the opener before each showing.
  const SummaryLineList* SummaryLines = nullptr;
  SummaryTexts Texts;
  std::string UnitText = "mm";
  char DecimalSeparator = ',';
  // The offcut list window "Liste des chutes" opens, its inputs set by the main window.
  TFListesChutes* OffcutList = nullptr;
  // Where "Imprimer" prints: the main window's printer for the run. None: the button is grey.
  QPrinter* Printer = nullptr;

  QListWidget* LstBxPanneaux = nullptr;
  QListWidget* LstBxDetail = nullptr;
  QLineEdit* EdtDesignation = nullptr;
  QLineEdit* EdtValeur = nullptr;
  QPushButton* BtnCopier = nullptr;
  QPushButton* BtnImprimer = nullptr;
  QPushButton* BtnListeChutes = nullptr;
  QPushButton* BtnQuitter = nullptr;

  void LstBxPanneauxClick();
  void LstBxDetailClick();
  void BtnCopierClick();
  void BtnImprimerClick();
  void BtnListeChutesClick();

 protected:
  void NewShowing() override;

 private:
  // The lists are filled when the window shows, so a repaint keeps the selection.
  void FormShow();
  void ShowDetails(int entry);
};

}  // namespace tranchex
