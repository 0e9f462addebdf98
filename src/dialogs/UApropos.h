#pragma once
// The about box: the product name, its version and a line on what it does. It has no close box;
// its OK button or Enter closes it. It holds no data.

#include "dialogs/DialogFrame.h"

class QLabel;
class QPushButton;

namespace tranchex {

class TFApropos : public DialogFrame {
  Q_OBJECT

 public:
  TFApropos(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QLabel* LblRens = nullptr;
  QPushButton* BtnOk = nullptr;
};

}  // namespace tranchex
