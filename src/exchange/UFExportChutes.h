#pragma once
// The offcut filter form: a minimum length and width, or a minimum surface. The offcut export
// asks it before each export (export mode); the settings command keeps its values as the
// program's filter (settings mode). The callers give it the values and read them back.

#include <cstdint>
#include <string>

#include "dialogs/DialogFrame.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tranchex {

class TFExportChutes : public DialogFrame {
  Q_OBJECT

 public:
  TFExportChutes(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  // Set by the caller before each showing.
  std::int32_t FilterMode = 0;      // 0 by length and width, 1 by surface
  double FilterMinLength = 2000.0;  // internal units
  double FilterMinWidth = 2000.0;
  double FilterMinSurface = 4000000.0;  // square internal units
  bool SettingsMode = false;
  double UnitFactor = 10.0;
  std::string UnitText = "mm";
  double MaxLength = 60000.0;
  char DecimalSeparator = ',';
  // Results, reset at each showing.
  bool FilterChanged = false;    // settings mode: something was edited, then OK
  bool FilterConfirmed = false;  // OK closed the form

  QRadioButton* RbtnDimensions = nullptr;
  QRadioButton* RbtnSurface = nullptr;
  QLabel* lblLongueur = nullptr;
  QLabel* lblLargeur = nullptr;
  QLabel* lblSurface = nullptr;
  QLineEdit* EdtLongueur = nullptr;
  QLineEdit* EdtLargeur = nullptr;
  QLineEdit* EdtSurface = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnAnnuler = nullptr;
  QPushButton* BtnParamDefaut = nullptr;

  void BtnOkClick();
  void BtnParamDefautClick();

 protected:
  void NewShowing() override;

 private:
  void ShowValues();
  void SetMode(std::int32_t mode);
  bool FieldExit(QLineEdit* field, int kind);
  bool edited_ = false;
};

}  // namespace tranchex
