#pragma once
// The optimisation criteria form: the order in which the parts go into the panels (by area,
// length or width) and, when a stock panel must be added for a part, whether the smallest or
// the largest of those it fits is taken. There is no cancel: however the form is closed, its
// two members hold the values to copy back.

#include <cstdint>

#include "dialogs/DialogFrame.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tranchex {

class TFOptimisation : public DialogFrame {
  Q_OBJECT

 public:
  TFOptimisation(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QGroupBox* RgpSelCritOptim = nullptr;
  QLabel* LblCritOptim = nullptr;
  QRadioButton* RbtnSurface = nullptr;
  QRadioButton* RbtnLongueur = nullptr;
  QRadioButton* RbtnLargeur = nullptr;
  QGroupBox* RgpSelNouvPan = nullptr;
  QLabel* LblSelNouvPan = nullptr;
  QRadioButton* RbtnPlusPetit = nullptr;
  QRadioButton* RbtnPlusGrand = nullptr;
  QPushButton* BtnOk = nullptr;

  // 1 area, 2 length, 3 width (OptimisationCriterionValue).
  std::int32_t OptimisationCriterion = 1;
  // 1 the smallest panel the part fits, 2 the largest (NewPanelChoiceValue).
  std::int32_t NewPanelChoice = 2;

 protected:
  void NewShowing() override;

 private:
  void FormActivate();

  QButtonGroup* criterionButtons_ = nullptr;
  QButtonGroup* newPanelButtons_ = nullptr;
};

}  // namespace tranchex
