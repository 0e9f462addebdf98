#include "dialogs/UApropos.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TextIds.h"

namespace tranchex {

TFApropos::TFApropos(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 0, prompts, help, parent) {
  setObjectName(QStringLiteral("FApropos"));
  setWindowTitle(Text(TextId::AboutForm::Caption));

  LblRens = Named(new QLabel(Text(TextId::AboutForm::LblRens), this), "LblRens");
  LblRens->setAlignment(Qt::AlignCenter);
  BtnOk = Named(new QPushButton(Text(TextId::AboutForm::BtnOk), this), "BtnOk");
  QFont bold = BtnOk->font();
  bold.setBold(true);
  BtnOk->setFont(bold);
  BtnOk->setMinimumWidth(80);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 13);
  layout->setSpacing(14);
  layout->addWidget(LblRens);
  layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
  setMinimumWidth(300);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Enter answers OK; with no close box and no cancel button, Escape does nothing.
  SetDefaultButton(BtnOk);
  connect(BtnOk, &QPushButton::clicked, this, [this] { accept(); });
}

}  // namespace tranchex
