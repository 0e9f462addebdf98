#pragma once
// The display options form: which part dimensions the plans write, whether the summary gives
// metres and square metres, and what labels the cut lines. The main window copies its three
// settings into the members, calls ShowDisplayOptions, shows the form and copies the members
// back whatever closed it: a click changes its member at once, and there is no cancel. Enter
// answers OK.

#include <cstdint>

#include "dialogs/DialogFrame.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tranchex {

class TFAffichage : public DialogFrame {
  Q_OBJECT

 public:
  TFAffichage(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QGroupBox* GpbPlanCoupe = nullptr;
  QLabel* Label1 = nullptr;
  QRadioButton* RbtnFiniesSeul = nullptr;  // mode 20: overall dimensions only
  QRadioButton* RbtnNettesSeul = nullptr;  // mode 10: net dimensions only
  QRadioButton* RbtnNettes = nullptr;      // mode 0, captioned by LblNettes
  QLabel* LblNettes = nullptr;
  QRadioButton* RbtnFinies = nullptr;  // mode 1, captioned by LblFinies
  QLabel* LblFinies = nullptr;
  QGroupBox* GpbTraitsCoupe = nullptr;
  QLabel* Label2 = nullptr;
  QRadioButton* RbtnNumSeul = nullptr;  // cut numbers only
  QRadioButton* RbtnNumDim = nullptr;   // cut numbers and lengths
  QGroupBox* GpbRecap = nullptr;        // its two items, in the order of their index
  QRadioButton* RbtnRecapUnite = nullptr;
  QRadioButton* RbtnRecapMetres = nullptr;
  QPushButton* BtnOk = nullptr;

  // In and out: 20 overall only, 10 net only, 0 both (net on small parts), 1 both (overall on
  // small parts).
  std::int32_t DimensionDisplayMode = 20;
  std::int32_t SummaryInMetres = 0;   // 0 the unit of measure, 1 metres and square metres
  std::int32_t CutLineLabelMode = 0;  // 0 cut numbers only, 1 numbers and lengths

  // Checks the buttons of the members' values; a value that is none of a group's leaves that
  // group as it was.
  void ShowDisplayOptions();
};

}  // namespace tranchex
