#include "dialogs/UFSelExport.h"
#include "platform/TextIds.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tranchex {
namespace ExportFormText = TextId::ExportForm;

TFSelExport::TFSelExport(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 90, prompts, help, parent) {
  setObjectName(QStringLiteral("FSelExport"));
  setWindowTitle(Text(ExportFormText::Caption));

  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  RbtnFiche = Named(new QRadioButton(Text(ExportFormText::RbtnFiche), GroupBox1), "RbtnFiche");
  auto* sheetLayout = new QVBoxLayout(GroupBox1);
  sheetLayout->addWidget(RbtnFiche);

  GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
  RbtnDebit = Named(new QRadioButton(Text(ExportFormText::RbtnDebit), GroupBox2), "RbtnDebit");
  Label1 = Named(new QLabel(Text(ExportFormText::Label1), GroupBox2), "Label1");
  auto* jobLayout = new QVBoxLayout(GroupBox2);
  jobLayout->addWidget(RbtnDebit);
  jobLayout->addWidget(Label1);

  BtnAnnuler = Named(new QPushButton(Text(ExportFormText::BtnAnnuler), this), "BtnAnnuler");
  QFont cancelFont = BtnAnnuler->font();
  cancelFont.setBold(true);
  cancelFont.setPixelSize(13);
  BtnAnnuler->setFont(cancelFont);
  BtnAnnuler->setMinimumWidth(80);
  // Reached by a click, never by Tab.
  BtnAnnuler->setFocusPolicy(Qt::ClickFocus);
  BtnOk = Named(new QPushButton(Text(ExportFormText::BtnOk), this), "BtnOk");
  QFont okFont = BtnOk->font();
  okFont.setBold(true);
  BtnOk->setFont(okFont);
  BtnOk->setMinimumWidth(80);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnAnnuler);
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);

  // The layout takes the room its texts need, at least the form's usual 262 x 174.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 5, 10, 10);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addLayout(buttons);
  setMinimumSize(262, 174);
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  setTabOrder(RbtnFiche, RbtnDebit);
  setTabOrder(RbtnDebit, BtnOk);
  // Enter has no button of its own (a button with the focus answers Space); Escape is Annuler.
  SetDefaultButton(nullptr);
  SetEscapeAction([this] { BtnAnnulerClick(); });

  // The two choices sit in two group boxes: the handlers keep exactly one of them checked.
  KeepCheckedOnClick(RbtnFiche);
  KeepCheckedOnClick(RbtnDebit);
  connect(RbtnFiche, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RbtnFicheClick();
  });
  connect(RbtnDebit, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RbtnDebitClick();
  });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnAnnuler, &QPushButton::clicked, this, [this] { BtnAnnulerClick(); });
}

void TFSelExport::NewShowing() {
  FormActivate();
}

// Every showing starts on the cutting sheet, and nothing is confirmed until OK.
void TFSelExport::FormActivate() {
  ExportConfirmed = false;
  ExportCuttingSheet = 1;
  RbtnFiche->setChecked(true);
  RbtnFiche->setFocus();
}

void TFSelExport::RbtnFicheClick() {
  ExportCuttingSheet = 1;
  RbtnDebit->setChecked(false);
}

void TFSelExport::RbtnDebitClick() {
  ExportCuttingSheet = 0;
  RbtnFiche->setChecked(false);
}

void TFSelExport::BtnOkClick() {
  ExportConfirmed = true;
  accept();
}

void TFSelExport::BtnAnnulerClick() {
  ExportConfirmed = false;
  reject();
}

}  // namespace tranchex
