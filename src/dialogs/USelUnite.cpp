#include "dialogs/USelUnite.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/TextIds.h"

namespace tranchex {
namespace {
namespace UnitText = TextId::UnitForm;
}  // namespace

TFSelUnite::TFSelUnite(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 110, prompts, help, parent) {
  setObjectName(QStringLiteral("FSelUnite"));
  setWindowTitle(Text(UnitText::Caption));
  setMinimumWidth(260);  // room for the caption

  auto radio = [this](const char* name, int captionId) {
    auto* button = new QRadioButton(Text(captionId), this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
  };
  RbtnMillimetre = radio("RbtnMillimetre", UnitText::RbtnMillimetre);
  RbtnCentimetre = radio("RbtnCentimetre", UnitText::RbtnCentimetre);
  RbtnMetre = radio("RbtnMetre", UnitText::RbtnMetre);
  RbtnPouce = radio("RbtnPouce", UnitText::RbtnPouce);
  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));

  auto* layout = new QVBoxLayout(this);
  for (QRadioButton* b : {RbtnMillimetre, RbtnCentimetre, RbtnMetre, RbtnPouce})
    layout->addWidget(b);
  layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  choices_ = {UnitChoice{RbtnMillimetre, kMillimetreFactor, Text(UnitText::Millimetres)},
              UnitChoice{RbtnCentimetre, kCentimetreFactor, Text(UnitText::Centimetres)},
              UnitChoice{RbtnPouce, kInchFactor, Text(UnitText::Inches)},
              UnitChoice{RbtnMetre, kMetreFactor, Text(UnitText::Metres)}};
  for (const UnitChoice& choice : choices_) {
    connect(choice.Button, &QRadioButton::toggled, this, [this, choice](bool on) {
      if (on) UnitClick(choice);
    });
  }
  SetDefaultButton(BtnOk);
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
}

void TFSelUnite::NewShowing() {
  FormShow();
}

// The button of the unit handed in is checked (its handler then changes nothing); a unit whose
// abbreviation is none of the four leaves every button unchecked.
void TFSelUnite::FormShow() {
  for (const UnitChoice& choice : choices_) choice.Button->setAutoExclusive(false);
  for (const UnitChoice& choice : choices_) choice.Button->setChecked(false);
  for (const UnitChoice& choice : choices_) choice.Button->setAutoExclusive(true);
  for (const UnitChoice& choice : choices_) {
    if (QString::fromStdString(Unit.Abbreviation) == choice.Abbreviation)
      choice.Button->setChecked(true);
  }
  UnitChanged = 0;
}

void TFSelUnite::UnitClick(const UnitChoice& choice) {
  if (QString::fromStdString(Unit.Abbreviation) == choice.Abbreviation) return;
  Unit.Factor = choice.Factor;
  Unit.Abbreviation = choice.Abbreviation.toStdString();
  UnitChanged = 1;
}

void TFSelUnite::BtnOkClick() { accept(); }

}  // namespace tranchex
