#include "dialogs/UAffichage.h"

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

namespace DisplayText = TextId::DisplayForm;

}  // namespace

TFAffichage::TFAffichage(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 2020, prompts, help, parent) {
  setObjectName(QStringLiteral("FAffichage"));
  setWindowTitle(Text(DisplayText::Caption));

  // The part dimensions on the plans: four exclusive buttons in one group.
  GpbPlanCoupe = Named(new QGroupBox(Text(DisplayText::GpbPlanCoupe), this), "GpbPlanCoupe");
  Label1 = Named(new QLabel(Text(DisplayText::Label1), GpbPlanCoupe), "Label1");
  RbtnFiniesSeul = Named(new QRadioButton(Text(DisplayText::RbtnFiniesSeul), GpbPlanCoupe),
                         "RbtnFiniesSeul");
  RbtnNettesSeul = Named(new QRadioButton(Text(DisplayText::RbtnNettesSeul), GpbPlanCoupe),
                         "RbtnNettesSeul");
  RbtnNettes = Named(new QRadioButton(GpbPlanCoupe), "RbtnNettes");
  LblNettes = Named(new QLabel(Text(DisplayText::LblNettes), GpbPlanCoupe), "LblNettes");
  RbtnFinies = Named(new QRadioButton(GpbPlanCoupe), "RbtnFinies");
  LblFinies = Named(new QLabel(Text(DisplayText::LblFinies), GpbPlanCoupe), "LblFinies");
  LblNettes->setBuddy(RbtnNettes);
  LblFinies->setBuddy(RbtnFinies);
  auto* plan = new QGridLayout(GpbPlanCoupe);
  plan->addWidget(Label1, 0, 0, 1, 2);
  plan->addWidget(RbtnFiniesSeul, 1, 0, 1, 2);
  plan->addWidget(RbtnNettesSeul, 2, 0, 1, 2);
  plan->addWidget(RbtnNettes, 3, 0, Qt::AlignTop);
  plan->addWidget(LblNettes, 3, 1);
  plan->addWidget(RbtnFinies, 4, 0, Qt::AlignTop);
  plan->addWidget(LblFinies, 4, 1);
  plan->setColumnStretch(1, 1);

  // The cut-line labels.
  GpbTraitsCoupe =
      Named(new QGroupBox(Text(DisplayText::GpbTraitsCoupe), this), "GpbTraitsCoupe");
  Label2 = Named(new QLabel(Text(DisplayText::Label2), GpbTraitsCoupe), "Label2");
  Label2->setWordWrap(true);
  RbtnNumSeul =
      Named(new QRadioButton(Text(DisplayText::RbtnNumSeul), GpbTraitsCoupe), "RbtnNumSeul");
  RbtnNumDim =
      Named(new QRadioButton(Text(DisplayText::RbtnNumDim), GpbTraitsCoupe), "RbtnNumDim");
  auto* cuts = new QVBoxLayout(GpbTraitsCoupe);
  cuts->addWidget(Label2);
  cuts->addWidget(RbtnNumSeul);
  cuts->addWidget(RbtnNumDim);

  // The summary's unit: a group of two items, the item index being the setting.
  GpbRecap = Named(new QGroupBox(Text(DisplayText::GpbRecap), this), "GpbRecap");
  RbtnRecapUnite =
      Named(new QRadioButton(Text(DisplayText::RecapInUnit), GpbRecap), "RbtnRecapUnite");
  RbtnRecapMetres =
      Named(new QRadioButton(Text(DisplayText::RecapInMetres), GpbRecap), "RbtnRecapMetres");
  auto* recap = new QVBoxLayout(GpbRecap);
  recap->addWidget(RbtnRecapUnite);
  recap->addWidget(RbtnRecapMetres);

  BtnOk = Named(new QPushButton(Text(DisplayText::BtnOk), this), "BtnOk");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GpbPlanCoupe);
  layout->addWidget(GpbTraitsCoupe);
  layout->addWidget(GpbRecap);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The explanation of the cut-line labels wraps to the width of the dimensions group.
  Label2->setMaximumWidth(Label1->sizeHint().width());

  // A click (or an arrow key) on a button sets its value at once; the buttons checked to show
  // the values handed in set nothing.
  auto setsValue = [this](QRadioButton* button, std::int32_t& member, std::int32_t value) {
    connect(button, &QRadioButton::clicked, this, [button, &member, value] {
      if (button->isChecked()) member = value;
    });
  };
  setsValue(RbtnFiniesSeul, DimensionDisplayMode, 20);
  setsValue(RbtnNettesSeul, DimensionDisplayMode, 10);
  setsValue(RbtnNettes, DimensionDisplayMode, 0);
  setsValue(RbtnFinies, DimensionDisplayMode, 1);
  setsValue(RbtnNumSeul, CutLineLabelMode, 0);
  setsValue(RbtnNumDim, CutLineLabelMode, 1);
  setsValue(RbtnRecapUnite, SummaryInMetres, 0);
  setsValue(RbtnRecapMetres, SummaryInMetres, 1);

  // Enter closes the form as OK does; so do the close box and Escape, the values standing.
  SetDefaultButton(BtnOk);
  connect(BtnOk, &QPushButton::clicked, this, [this] { accept(); });
}

void TFAffichage::ShowDisplayOptions() {
  switch (DimensionDisplayMode) {
    case 0:
      RbtnNettes->setChecked(true);
      break;
    case 1:
      RbtnFinies->setChecked(true);
      break;
    case 10:
      RbtnNettesSeul->setChecked(true);
      break;
    case 20:
      RbtnFiniesSeul->setChecked(true);
      break;
    default:
      break;
  }
  if (CutLineLabelMode == 0) RbtnNumSeul->setChecked(true);
  if (CutLineLabelMode == 1) RbtnNumDim->setChecked(true);
  if (SummaryInMetres == 0) RbtnRecapUnite->setChecked(true);
  if (SummaryInMetres == 1) RbtnRecapMetres->setChecked(true);
}

}  // namespace tranchex
