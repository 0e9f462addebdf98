#include "dialogs/USelOptimisation.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/Records.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace OptimisationText = TextId::OptimisationForm;

constexpr int kHelpContext = 190;
constexpr int kLabelWidth = 330;

// Checks the button whose id is `value`; a value no button has leaves the whole set unchecked.
void CheckButtonOf(QButtonGroup& group, int value) {
  group.setExclusive(false);
  for (QAbstractButton* button : group.buttons()) button->setChecked(group.id(button) == value);
  group.setExclusive(true);
}

}  // namespace

TFOptimisation::TFOptimisation(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, kHelpContext, prompts, help, parent) {
  setObjectName(QStringLiteral("FOptimisation"));
  setWindowTitle(Text(OptimisationText::Caption));

  RgpSelCritOptim =
      Named(new QGroupBox(Text(OptimisationText::RgpSelCritOptim), this), "RgpSelCritOptim");
  LblCritOptim =
      Named(new QLabel(Text(OptimisationText::LblCritOptim), RgpSelCritOptim), "LblCritOptim");
  RbtnSurface =
      Named(new QRadioButton(Text(OptimisationText::RbtnSurface), RgpSelCritOptim), "RbtnSurface");
  RbtnLongueur = Named(new QRadioButton(Text(OptimisationText::RbtnLongueur), RgpSelCritOptim),
                       "RbtnLongueur");
  RbtnLargeur =
      Named(new QRadioButton(Text(OptimisationText::RbtnLargeur), RgpSelCritOptim), "RbtnLargeur");
  auto* criterionLayout = new QVBoxLayout(RgpSelCritOptim);
  criterionLayout->addWidget(LblCritOptim);
  criterionLayout->addWidget(RbtnSurface);
  criterionLayout->addWidget(RbtnLongueur);
  criterionLayout->addWidget(RbtnLargeur);

  RgpSelNouvPan =
      Named(new QGroupBox(Text(OptimisationText::RgpSelNouvPan), this), "RgpSelNouvPan");
  LblSelNouvPan =
      Named(new QLabel(Text(OptimisationText::LblSelNouvPan), RgpSelNouvPan), "LblSelNouvPan");
  RbtnPlusPetit = Named(new QRadioButton(Text(OptimisationText::RbtnPlusPetit), RgpSelNouvPan),
                        "RbtnPlusPetit");
  RbtnPlusGrand = Named(new QRadioButton(Text(OptimisationText::RbtnPlusGrand), RgpSelNouvPan),
                        "RbtnPlusGrand");
  auto* newPanelLayout = new QVBoxLayout(RgpSelNouvPan);
  newPanelLayout->addWidget(LblSelNouvPan);
  newPanelLayout->addWidget(RbtnPlusPetit);
  newPanelLayout->addWidget(RbtnPlusGrand);
  for (QLabel* label : {LblCritOptim, LblSelNouvPan}) {
    label->setWordWrap(true);
    label->setFixedWidth(kLabelWidth);
  }

  BtnOk = Named(new QPushButton(Text(OptimisationText::BtnOk), this), "BtnOk");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RgpSelCritOptim);
  layout->addWidget(RgpSelNouvPan);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Each set is exclusive on its own: choosing a criterion leaves the panel choice alone.
  criterionButtons_ = new QButtonGroup(this);
  criterionButtons_->addButton(RbtnSurface, CriterionArea);
  criterionButtons_->addButton(RbtnLongueur, CriterionLength);
  criterionButtons_->addButton(RbtnLargeur, CriterionWidth);
  newPanelButtons_ = new QButtonGroup(this);
  newPanelButtons_->addButton(RbtnPlusPetit, ChooseSmallestPanel);
  newPanelButtons_->addButton(RbtnPlusGrand, ChooseLargestPanel);
  // The members change with the click, not when the form closes.
  connect(criterionButtons_, &QButtonGroup::idClicked, this,
          [this](int id) { OptimisationCriterion = id; });
  connect(newPanelButtons_, &QButtonGroup::idClicked, this,
          [this](int id) { NewPanelChoice = id; });

  // No cancel: Enter, OK and Escape all close with the values as they stand.
  SetDefaultButton(BtnOk);
  SetEscapeAction([this] { accept(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { accept(); });
}

void TFOptimisation::NewShowing() {
  FormActivate();
}

void TFOptimisation::FormActivate() {
  CheckButtonOf(*criterionButtons_, OptimisationCriterion);
  CheckButtonOf(*newPanelButtons_, NewPanelChoice);
}

}  // namespace tranchex
