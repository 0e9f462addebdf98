#pragma once
// The export choice form: export the cutting sheet (the parts as entered) or the computed job
// (the laid-out panels with their parts), with a warning that a computed job exported this way
// cannot be imported again. The export command shows it, then reads ExportConfirmed and
// ExportCuttingSheet.
//
// Every showing starts on the cutting sheet and unconfirmed: only OK confirms, and Escape is
// Annuler, so a form closed any other way never passes for an earlier OK.

#include <cstdint>

#include "dialogs/DialogFrame.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tranchex {

class TFSelExport : public DialogFrame {
  Q_OBJECT

 public:
  TFSelExport(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RbtnFiche = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QRadioButton* RbtnDebit = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* BtnAnnuler = nullptr;
  QPushButton* BtnOk = nullptr;

  // 1 export the cutting sheet, 0 the computed job.
  std::int32_t ExportCuttingSheet = 1;
  // True after OK; false after Annuler, Escape, and at every showing.
  bool ExportConfirmed = false;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void RbtnFicheClick();
  void RbtnDebitClick();
  void BtnOkClick();
  void BtnAnnulerClick();
};

}  // namespace tranchex
