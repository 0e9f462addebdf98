#pragma once
// The panel drawing mode dialog: the panels view draws each layout with its parts or with its
// saw cuts. The main window sets DrawMode, shows the form modally and reads DrawMode back
// whatever closed it.

#include <cstdint>

#include "dialogs/DialogFrame.h"

class QPushButton;
class QRadioButton;

namespace tranchex {

class TFSelModeAffPanneaux : public DialogFrame {
  Q_OBJECT

 public:
  TFSelModeAffPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent = nullptr);

  QRadioButton* RbtnAffPieces = nullptr;
  QRadioButton* RbtnAffTraitsCoupe = nullptr;
  QPushButton* BtnOk = nullptr;

  // 0 draw the parts, 1 draw the cut lines. A click takes effect at once.
  std::int32_t DrawMode = 0;

 protected:
  void NewShowing() override;

 private:
  void FormShow();
  void RbtnAffPiecesClick();
  void RbtnAffTraitsCoupeClick();
  void BtnOkClick();
};

}  // namespace tranchex
