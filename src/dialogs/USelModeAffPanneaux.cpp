#include "dialogs/USelModeAffPanneaux.h"

#include <QFont>
#include <QPushButton>
#include <QRadioButton>

#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

}  // namespace

TFSelModeAffPanneaux::TFSelModeAffPanneaux(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  // No close box: the form closes through its button (Escape closes it too, and the last click
  // stands all the same).
  setObjectName(QStringLiteral("FSelModeAffPanneaux"));
  setWindowTitle(QStringLiteral("Mode d'affiche des panneaux"));
  setFixedSize(278, 145);

  RbtnAffPieces = new QRadioButton(this);
  RbtnAffPieces->setObjectName(QStringLiteral("RbtnAffPieces"));
  RbtnAffPieces->setGeometry(24, 13, 169, 17);
  RbtnAffPieces->setText(Text(TextId::PanelDisplayModeForm::RbtnAffPieces));

  RbtnAffTraitsCoupe = new QRadioButton(this);
  RbtnAffTraitsCoupe->setObjectName(QStringLiteral("RbtnAffTraitsCoupe"));
  RbtnAffTraitsCoupe->setGeometry(24, 43, 169, 17);
  RbtnAffTraitsCoupe->setText(Text(TextId::PanelDisplayModeForm::RbtnAffTraitsCoupe));

  BtnOk = new QPushButton(this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setGeometry(88, 72, 80, 25);
  QFont bold = BtnOk->font();
  bold.setBold(true);
  BtnOk->setFont(bold);
  BtnOk->setText(Text(TextId::PanelDisplayModeForm::BtnOk));
  BtnOk->setAutoDefault(true);
  BtnOk->setDefault(true);

  setTabOrder(RbtnAffPieces, RbtnAffTraitsCoupe);
  setTabOrder(RbtnAffTraitsCoupe, BtnOk);

  connect(RbtnAffPieces, &QRadioButton::clicked, this, [this] { RbtnAffPiecesClick(); });
  connect(RbtnAffTraitsCoupe, &QRadioButton::clicked, this,
          [this] { RbtnAffTraitsCoupeClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
}

void TFSelModeAffPanneaux::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
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
