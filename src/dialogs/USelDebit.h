#pragma once
// The job kind form, first of a new job: a simple job (one species, one panel thickness) or a
// complex one, and for a complex job whether its margins are differentiated (length and width
// apart, and a planing margin added to the parts' thickness). The main window copies JobKind
// and Margins into the job, then abandons the new job when Accepted is 0.

#include <cstdint>

#include "dialogs/DialogFrame.h"
#include "engine/Records.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tranchex {

class TFSelDebit : public DialogFrame {
  Q_OBJECT

 public:
  TFSelDebit(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QGroupBox* GpbDebitSimple = nullptr;
  QRadioButton* RbtnDebitSimple = nullptr;
  QLabel* Label1 = nullptr;
  QGroupBox* GpbDebitComplexe = nullptr;
  QRadioButton* RbtnDebitComplexe = nullptr;
  QLabel* Label2 = nullptr;
  QCheckBox* CBoxMargesDiff = nullptr;
  QLabel* LblMargesDiff = nullptr;
  QCheckBox* CBoxLongueurLargeur = nullptr;  // grey while the margins are differentiated
  QLabel* LblLongeurLargeur = nullptr;
  QCheckBox* CBoxEpaisseur = nullptr;
  QLabel* LblEpaisseur = nullptr;
  QPushButton* btnAnnul = nullptr;
  QPushButton* btnOk = nullptr;
  QGroupBox* GpbAide = nullptr;
  QLabel* LblAide = nullptr;

  // 1 simple job, 2 complex job: written by OK only, kept from the last showing otherwise.
  std::int32_t JobKind = 0;
  // 1 after OK, 0 after Cancel.
  std::uint8_t Accepted = 0;
  // The dialog writes only the two flags (DifferentiatedMargins, ThickerStockAllowed: the
  // planing margin on the thickness); the margins themselves stay 0.
  MarginsBlock Margins;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void RbtnDebitSimpleClick();
  void RbtnDebitComplexeClick();
  void CBoxMargesDiffClick();
  void CBoxLongueurLargeurClick();
  void CBoxEpaisseurClick();
  void btnOkClick();
  void btnAnnulClick();
};

}  // namespace tranchex
