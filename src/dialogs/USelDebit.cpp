#include "dialogs/USelDebit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace JobKindText = TextId::JobKindForm;

}  // namespace

TFSelDebit::TFSelDebit(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 1020, prompts, help, parent) {
  setObjectName(QStringLiteral("FSelDebit"));
  setWindowTitle(Text(JobKindText::Caption));

  GpbDebitSimple = Named(new QGroupBox(Text(JobKindText::GpbDebitSimple), this), "GpbDebitSimple");
  RbtnDebitSimple = Named(new QRadioButton(Text(JobKindText::RbtnDebitSimple), GpbDebitSimple), "RbtnDebitSimple");
  Label1 = Named(new QLabel(Text(JobKindText::Label1), GpbDebitSimple), "Label1");
  auto* simpleLayout = new QVBoxLayout(GpbDebitSimple);
  simpleLayout->addWidget(RbtnDebitSimple);
  simpleLayout->addWidget(Label1);

  GpbDebitComplexe = Named(new QGroupBox(Text(JobKindText::GpbDebitComplexe), this), "GpbDebitComplexe");
  RbtnDebitComplexe = Named(new QRadioButton(Text(JobKindText::RbtnDebitComplexe), GpbDebitComplexe), "RbtnDebitComplexe");
  Label2 = Named(new QLabel(Text(JobKindText::Label2), GpbDebitComplexe), "Label2");
  CBoxMargesDiff = Named(new QCheckBox(GpbDebitComplexe), "CBoxMargesDiff");
  LblMargesDiff = Named(new QLabel(Text(JobKindText::LblMargesDiff), GpbDebitComplexe), "LblMargesDiff");
  CBoxLongueurLargeur = Named(new QCheckBox(GpbDebitComplexe), "CBoxLongueurLargeur");
  CBoxLongueurLargeur->setTristate(true);
  LblLongeurLargeur = Named(new QLabel(Text(JobKindText::LblLongeurLargeur), GpbDebitComplexe), "LblLongeurLargeur");
  CBoxEpaisseur = Named(new QCheckBox(GpbDebitComplexe), "CBoxEpaisseur");
  LblEpaisseur = Named(new QLabel(Text(JobKindText::LblEpaisseur), GpbDebitComplexe), "LblEpaisseur");
  auto* complexLayout = new QGridLayout(GpbDebitComplexe);
  complexLayout->addWidget(RbtnDebitComplexe, 0, 0, 1, 3);
  complexLayout->addWidget(Label2, 1, 0, 1, 3);
  complexLayout->addWidget(CBoxMargesDiff, 2, 0);
  complexLayout->addWidget(LblMargesDiff, 2, 1, 1, 2);
  complexLayout->addWidget(CBoxLongueurLargeur, 3, 1);
  complexLayout->addWidget(LblLongeurLargeur, 3, 2);
  complexLayout->addWidget(CBoxEpaisseur, 4, 1);
  complexLayout->addWidget(LblEpaisseur, 4, 2);
  complexLayout->setColumnStretch(2, 1);

  GpbAide = Named(new QGroupBox(this), "GpbAide");
  LblAide = Named(new QLabel(Text(JobKindText::LblAide), GpbAide), "LblAide");
  auto* helpLayout = new QVBoxLayout(GpbAide);
  helpLayout->addWidget(LblAide);

  btnAnnul = Named(new QPushButton(Text(JobKindText::btnAnnul), this), "btnAnnul");
  btnOk = Named(new QPushButton(Text(JobKindText::btnOk), this), "btnOk");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnAnnul);
  buttons->addWidget(btnOk);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GpbDebitSimple);
  layout->addWidget(GpbDebitComplexe);
  layout->addWidget(GpbAide);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetDefaultButton(btnOk);
  SetCancelButton(btnAnnul);

  // Setting a box or a button from code runs its handler when its state changes: the handlers
  // rely on that chain.
  // The two job kinds sit in two group boxes: the handlers keep exactly one of them checked.
  KeepCheckedOnClick(RbtnDebitSimple);
  KeepCheckedOnClick(RbtnDebitComplexe);
  connect(RbtnDebitSimple, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RbtnDebitSimpleClick();
  });
  connect(RbtnDebitComplexe, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RbtnDebitComplexeClick();
  });
  connect(CBoxMargesDiff, &QCheckBox::stateChanged, this, [this] { CBoxMargesDiffClick(); });
  connect(CBoxLongueurLargeur, &QCheckBox::stateChanged, this,
          [this] { CBoxLongueurLargeurClick(); });
  connect(CBoxEpaisseur, &QCheckBox::stateChanged, this, [this] { CBoxEpaisseurClick(); });
  connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  connect(btnAnnul, &QPushButton::clicked, this, [this] { btnAnnulClick(); });
}

void TFSelDebit::NewShowing() {
  FormActivate();
}

// Every showing starts as a simple job without differentiated margins. JobKind and Accepted
// keep their values until a button writes them.
void TFSelDebit::FormActivate() {
  RbtnDebitSimple->setChecked(true);
  for (QWidget* w : std::initializer_list<QWidget*>{CBoxMargesDiff, LblMargesDiff,
                                                    CBoxLongueurLargeur, LblLongeurLargeur,
                                                    CBoxEpaisseur, LblEpaisseur})
    w->setEnabled(false);
  Margins.DifferentiatedMargins = 0;
  Margins.ThickerStockAllowed = 0;
}

void TFSelDebit::RbtnDebitSimpleClick() {
  RbtnDebitComplexe->setChecked(false);
  CBoxMargesDiff->setEnabled(false);
  LblMargesDiff->setEnabled(false);
  CBoxMargesDiff->setChecked(false);
  CBoxLongueurLargeur->setCheckState(Qt::Unchecked);
  CBoxLongueurLargeur->setEnabled(false);
  LblLongeurLargeur->setEnabled(false);
  CBoxEpaisseur->setEnabled(false);
  LblEpaisseur->setEnabled(false);
}

// A complex job starts with the margins not differentiated.
void TFSelDebit::RbtnDebitComplexeClick() {
  RbtnDebitSimple->setChecked(false);
  CBoxMargesDiff->setEnabled(true);
  CBoxMargesDiff->setChecked(false);
  LblMargesDiff->setEnabled(true);
  CBoxLongueurLargeur->setCheckState(Qt::Unchecked);
  CBoxLongueurLargeur->setEnabled(false);
  LblLongeurLargeur->setEnabled(false);
  CBoxEpaisseur->setEnabled(false);
  LblEpaisseur->setEnabled(false);
}

void TFSelDebit::CBoxMargesDiffClick() {
  if (CBoxMargesDiff->isChecked()) {
    CBoxLongueurLargeur->setCheckState(Qt::PartiallyChecked);
    Margins.DifferentiatedMargins = 1;
    CBoxLongueurLargeur->setEnabled(true);
    LblLongeurLargeur->setEnabled(true);
    CBoxEpaisseur->setEnabled(true);
    LblEpaisseur->setEnabled(true);
  } else {
    CBoxLongueurLargeur->setCheckState(Qt::Unchecked);
    CBoxLongueurLargeur->setEnabled(false);
    LblLongeurLargeur->setEnabled(false);
    CBoxEpaisseur->setEnabled(false);
    CBoxEpaisseur->setChecked(false);
    LblEpaisseur->setEnabled(false);
    Margins.DifferentiatedMargins = 0;
    Margins.ThickerStockAllowed = 0;
  }
}

// The length and width box only shows that both margins are entered apart: a click never
// changes it.
void TFSelDebit::CBoxLongueurLargeurClick() {
  CBoxLongueurLargeur->setCheckState(CBoxMargesDiff->isChecked() ? Qt::PartiallyChecked
                                                                 : Qt::Unchecked);
}

void TFSelDebit::CBoxEpaisseurClick() {
  if (!CBoxMargesDiff->isChecked()) CBoxEpaisseur->setChecked(false);
  Margins.ThickerStockAllowed = CBoxEpaisseur->isChecked() ? 1 : 0;
}

void TFSelDebit::btnOkClick() {
  if (RbtnDebitSimple->isChecked()) JobKind = 1;
  if (RbtnDebitComplexe->isChecked()) JobKind = 2;
  Accepted = 1;
  accept();
}

void TFSelDebit::btnAnnulClick() {
  Accepted = 0;
  reject();
}

}  // namespace tranchex
