#include "dialogs/USelModeAffPanneaux.h"

#include <QFont>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/TextIds.h"

namespace tranchex {

TFSelModeAffPanneaux::TFSelModeAffPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 0, prompts, help, parent) {
  setObjectName(QStringLiteral("FSelModeAffPanneaux"));
  setWindowTitle(Text(TextId::PanelDisplayModeForm::Caption));

  RbtnAffPieces = new QRadioButton(Text(TextId::PanelDisplayModeForm::RbtnAffPieces), this);
  RbtnAffPieces->setObjectName(QStringLiteral("RbtnAffPieces"));
  RbtnAffTraitsCoupe = new QRadioButton(Text(TextId::PanelDisplayModeForm::RbtnAffTraitsCoupe), this);
  RbtnAffTraitsCoupe->setObjectName(QStringLiteral("RbtnAffTraitsCoupe"));
  BtnOk = new QPushButton(Text(TextId::PanelDisplayModeForm::BtnOk), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  QFont bold = BtnOk->font();
  bold.setBold(true);
  BtnOk->setFont(bold);
  BtnOk->setMinimumWidth(80);

  // The layout takes the room its texts need, at least the form's usual 278 x 145.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 13, 24, 13);
  layout->addWidget(RbtnAffPieces);
  layout->addWidget(RbtnAffTraitsCoupe);
  layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
  setMinimumSize(278, 145);
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  setTabOrder(RbtnAffPieces, RbtnAffTraitsCoupe);
  setTabOrder(RbtnAffTraitsCoupe, BtnOk);
  SetDefaultButton(BtnOk);
  // No close box, no cancel button: Escape closes the form as OK does, and the last click
  // stands all the same.
  SetEscapeAction([this] { accept(); });

  connect(RbtnAffPieces, &QRadioButton::clicked, this, [this] { RbtnAffPiecesClick(); });
  connect(RbtnAffTraitsCoupe, &QRadioButton::clicked, this,
          [this] { RbtnAffTraitsCoupeClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
}

void TFSelModeAffPanneaux::NewShowing() {
  FormShow();
}

void TFSelModeAffPanneaux::FormShow() {
  // Any other value leaves the buttons as they are.
  if (DrawMode == 0) RbtnAffPieces->setChecked(true);
  if (DrawMode == 1) RbtnAffTraitsCoupe->setChecked(true);
}

void TFSelModeAffPanneaux::RbtnAffPiecesClick() { DrawMode = 0; }

void TFSelModeAffPanneaux::RbtnAffTraitsCoupeClick() { DrawMode = 1; }

void TFSelModeAffPanneaux::BtnOkClick() { accept(); }

}  // namespace tranchex
