#pragma once
// The panel characteristics picker of the part form: one row per stock panel of the job, by its
// label. A row clicked shows the panel's grain and, in a complex job, its species and (unless the
// thickness margin lets parts take thicker stock) its thickness. OK or a double click returns
// the row; the close box (or Escape), or OK without a row, returns nothing. The list is only
// read.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/CharacteristicPicker.h"
#include "dialogs/DialogFrame.h"
#include "job/MeasureUnit.h"
#include "job/PanelCharacteristics.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tranchex {

class TFGestDonneesPanneaux : public DialogFrame, public CharacteristicPicker {
  Q_OBJECT

 public:
  TFGestDonneesPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QLabel* LblEssence = nullptr;
  QLineEdit* EdtEssence = nullptr;
  QLabel* LblSens = nullptr;
  QLineEdit* EdtSens = nullptr;
  QLabel* LblEpaisseur = nullptr;
  QLineEdit* EdtEpaisseur = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QListWidget* LbCaract = nullptr;
  QPushButton* BtnOK = nullptr;

  // ---- Written by the caller before the form is shown -----------------------------------------
  const CharacteristicList* Characteristics = nullptr;  // one entry per stock panel
  const std::vector<std::string>* SpeciesList = nullptr;  // what the species indexes name
  std::int32_t JobKind = 1;                               // 1 simple job, 2 complex job
  std::uint8_t ThickerStockAllowed = 0;  // 1: the thickness is not shown
  UNITE_MESURE Unit;

  // ---- Read by the caller once the form is closed ---------------------------------------------
  std::uint8_t Chosen = 0;         // 1: OK (or a double click) with a row selected
  std::int32_t SelectedIndex = -1;  // the entry of that row

  // CharacteristicPicker: the part form's pick.
  CharacteristicPickerOutput Pick(const CharacteristicPickerInput& input,
                                  QWidget& caller) override;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();
  void LbCaractClick();
  void BtnOKClick();
  // The entry of the selected row (row n shows entry n), or none.
  const CARACTPAN* SelectedEntry(int* index) const;
};

}  // namespace tranchex
