#include "dialogs/UGestDonneesPanneaux.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "dialogs/CheckedField.h"
#include "job/ListTexts.h"
#include "job/ListLookup.h"
#include "job/NumberEntry.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace FormText = TextId::CharacteristicsForm;

void SetFieldColour(QLineEdit& field, const QColor& colour) {
  QPalette palette = field.palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, QPalette::Base, colour);
  field.setPalette(palette);
}

}  // namespace

TFGestDonneesPanneaux::TFGestDonneesPanneaux(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 0, prompts, help, parent) {
  setObjectName(QStringLiteral("FGestDonneesPanneaux"));
  setWindowTitle(Text(FormText::Caption));

  LblEssence = Named(new QLabel(Text(FormText::LblEssence), this), "LblEssence");
  EdtEssence = Named(new QLineEdit(this), "EdtEssence");
  LblSens = Named(new QLabel(Text(FormText::LblSens), this), "LblSens");
  EdtSens = Named(new QLineEdit(this), "EdtSens");
  LblEpaisseur = Named(new QLabel(Text(FormText::LblEpaisseur), this), "LblEpaisseur");
  EdtEpaisseur = Named(new QLineEdit(this), "EdtEpaisseur");
  for (QLineEdit* field : {EdtEssence, EdtSens, EdtEpaisseur}) field->setReadOnly(true);
  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  Label1 = Named(new QLabel(Text(FormText::Instruction), GroupBox1), "Label1");
  Label1->setWordWrap(true);
  LbCaract = Named(new QListWidget(this), "LbCaract");
  LbCaract->setSelectionMode(QAbstractItemView::SingleSelection);
  LbCaract->setMinimumSize(340, 180);
  BtnOK = Named(new QPushButton(QStringLiteral("Ok"), this), "BtnOK");
  QFont bold = BtnOK->font();
  bold.setBold(true);
  bold.setPixelSize(12);
  BtnOK->setFont(bold);

  auto* fields = new QGridLayout;
  fields->addWidget(LblEssence, 0, 0);
  fields->addWidget(EdtEssence, 1, 0);
  fields->addWidget(LblSens, 0, 1);
  fields->addWidget(EdtSens, 1, 1);
  fields->addWidget(LblEpaisseur, 0, 2);
  fields->addWidget(EdtEpaisseur, 1, 2);
  auto* groupLayout = new QVBoxLayout(GroupBox1);
  groupLayout->addWidget(Label1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(GroupBox1);
  layout->addWidget(LbCaract, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetDefaultButton(BtnOK);

  connect(LbCaract, &QListWidget::itemSelectionChanged, this, [this] { LbCaractClick(); });
  connect(LbCaract, &QListWidget::itemClicked, this, [this] { LbCaractClick(); });
  connect(LbCaract, &QListWidget::itemDoubleClicked, this, [this] { BtnOKClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

CharacteristicPickerOutput TFGestDonneesPanneaux::Pick(const CharacteristicPickerInput& input,
                                                       QWidget& caller) {
  Characteristics = input.CharacteristicList;
  SpeciesList = input.CharacteristicSpecies;
  JobKind = input.CharacteristicJobKind;
  ThickerStockAllowed = input.CharacteristicThickerStockAllowed;
  Unit = input.CharacteristicUnit;
  PlaceDialog(*this, caller, 14);
  prompts_.ShowModal(*this);
  CharacteristicPickerOutput out;
  out.CharacteristicChosen = Chosen;
  out.ChosenCharacteristic = Chosen ? SelectedIndex : -1;
  return out;
}

void TFGestDonneesPanneaux::NewShowing() {
  FormActivate();
}

void TFGestDonneesPanneaux::FormActivate() {
  {
    const QSignalBlocker blocker(LbCaract);
    LbCaract->clear();
  }
  for (QLineEdit* field : {EdtEssence, EdtSens, EdtEpaisseur}) {
    field->setText(QString());
    field->setEnabled(false);
  }
  // The species and the thickness say nothing in a simple job.
  const QColor colour = JobKind == 1 ? palette().color(QPalette::Button) : QColor(Qt::white);
  SetFieldColour(*EdtEssence, colour);
  SetFieldColour(*EdtEpaisseur, colour);
  if (Characteristics != nullptr) {
    const QSignalBlocker blocker(LbCaract);
    for (const CARACTPAN& entry : *Characteristics) {
      LbCaract->addItem(QString::fromStdString(entry.Label));
    }
  }
  // A choice never outlives its showing, however the form is closed.
  Chosen = 0;
  SelectedIndex = -1;
  LbCaract->setFocus();
}

const CARACTPAN* TFGestDonneesPanneaux::SelectedEntry(int* index) const {
  QListWidgetItem* item = LbCaract->currentItem();
  const int row = LbCaract->currentRow();
  if (item == nullptr || !item->isSelected() || row < 0 || Characteristics == nullptr ||
      static_cast<std::size_t>(row) >= Characteristics->size()) {
    return nullptr;
  }
  if (index != nullptr) *index = row;
  return &(*Characteristics)[static_cast<std::size_t>(row)];
}

void TFGestDonneesPanneaux::LbCaractClick() {
  const CARACTPAN* entry = SelectedEntry(nullptr);
  if (entry == nullptr) return;
  const std::array<std::string, 3> grains = LoadGrainTexts();
  EdtSens->setText(entry->Grain >= 0 && entry->Grain <= 2
                       ? QString::fromStdString(grains[static_cast<std::size_t>(entry->Grain)])
                       : QString());
  if (JobKind != 2) return;
  const std::string* name =
      SpeciesList != nullptr ? SpeciesNameAt(*SpeciesList, entry->Species) : nullptr;
  // A species past the list (a job from another machine) or deleted is named as the lists name
  // it.
  EdtEssence->setText(name != nullptr ? QString::fromStdString(*name)
                                      : Text(TextId::Columns::TextNotSpecified));
  EdtEpaisseur->setText(QString());
  if (ThickerStockAllowed == 0 && IsUsableUnitFactor(Unit.Factor)) {
    EdtEpaisseur->setText(QString::fromStdString(
        FormatSize(entry->Thickness, Unit.Factor, RegionalDecimalSeparator())));
  }
}

void TFGestDonneesPanneaux::BtnOKClick() {
  int index = -1;
  if (SelectedEntry(&index) != nullptr) {
    SelectedIndex = index;
    Chosen = 1;
  }
  accept();
}

}  // namespace tranchex
