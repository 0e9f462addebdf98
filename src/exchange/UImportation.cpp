#include "exchange/UImportation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "exchange/UOptionsImportation.h"
#include "job/Settings.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace id = TextId::ImportForm;

constexpr int kHelpContext = 170;


}  // namespace

TFImportation::TFImportation(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, kHelpContext, prompts, help, parent) {
  setObjectName(QStringLiteral("FImportation"));
  setWindowTitle(Text(id::Caption));

  GroupBox = Named(new QGroupBox(Text(id::GroupBox), this), "GroupBox");
  Label = Named(new QLabel(Text(id::Label), GroupBox), "Label");
  auto* inGroup = new QVBoxLayout(GroupBox);
  inGroup->addWidget(Label);
  CbxEntetes = Named(new QCheckBox(Text(id::CbxEntetes), this), "CbxEntetes");
  LblUniteFichier = Named(new QLabel(this), "LblUniteFichier");
  BtnOK = Named(new QPushButton(Text(id::BtnOK), this), "BtnOK");
  BtnAnnuler = Named(new QPushButton(Text(id::BtnAnnuler), this), "BtnAnnuler");
  BtnOptionsImportaton = Named(
      new QPushButton(QStringLiteral("Options d'importation"), this), "BtnOptionsImportaton");
  LblUnite = Named(new QLabel(Text(id::LblUnite), this), "LblUnite");
  CbxListeUnites = Named(new QComboBox(this), "CbxListeUnites");
  for (const FileUnitChoice& u : kFileUnitChoices) CbxListeUnites->addItem(Text(u.TextId));
  LblUnite->setVisible(false);
  CbxListeUnites->setVisible(false);

  auto* unitRow = new QHBoxLayout;
  unitRow->addWidget(LblUnite);
  unitRow->addWidget(CbxListeUnites);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnOptionsImportaton);
  buttons->addStretch(1);
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnAnnuler);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox);
  layout->addWidget(CbxEntetes);
  layout->addWidget(LblUniteFichier);
  layout->addLayout(unitRow);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetDefaultButton(BtnOK);
  SetCancelButton(BtnAnnuler);

  connect(CbxEntetes, &QCheckBox::toggled, this,
          [this](bool on) { FirstLineHeadings = on ? 1 : 0; });
  connect(CbxListeUnites, &QComboBox::activated, this, [this] { CbxListeUnitesClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] {
    Accepted = 1;
    accept();
  });
  connect(BtnAnnuler, &QPushButton::clicked, this, [this] {
    Accepted = 0;
    reject();
  });
  connect(BtnOptionsImportaton, &QPushButton::clicked, this,
          [this] { BtnOptionsImportatonClick(); });
}

void TFImportation::NewShowing() {
  FormActivate();
}

// Every showing starts with the headings line skipped and nothing accepted yet.
void TFImportation::FormActivate() {
  Accepted = 0;
  FirstLineHeadings = 1;
  CbxEntetes->setChecked(true);
  if (!following_) programFactor_ = FileUnit.Factor;
  CbxListeUnites->setCurrentIndex(FileUnitChoiceIndex(FileUnit.Factor));
  ShowFileUnit();
}

void TFImportation::FollowProgramUnit(const UNITE_MESURE& programUnit) {
  if (following_ && programUnit.Factor == programFactor_) return;
  FileUnit.Factor = programUnit.Factor;
  FileUnit.Abbreviation = programUnit.Abbreviation;
  programFactor_ = programUnit.Factor;
  following_ = true;
}

// The inch has no abbreviation in the column options: its own word stands in.
void TFImportation::ShowFileUnit() {
  QString name = QString::fromStdString(FileUnit.Abbreviation);
  if (name.isEmpty() && FileUnit.Factor == kInchFactor) name = Text(id::InchAbbreviation);
  LblUniteFichier->setText(QStringLiteral("Unité du fichier : ") + name);
}

void TFImportation::CbxListeUnitesClick() {
  const int chosen = CbxListeUnites->currentIndex();
  if (chosen < 0 || chosen >= static_cast<int>(kFileUnitChoices.size())) return;
  const FileUnitChoice& unit = kFileUnitChoices[static_cast<std::size_t>(chosen)];
  FileUnit.Factor = unit.Factor;
  // This form names the inch by its own text.
  FileUnit.Abbreviation = unit.Factor == kInchFactor ? Text(id::InchAbbreviation).toStdString()
                                                     : std::string(unit.Abbreviation);
  ShowFileUnit();
  if (FileUnit.Factor != programFactor_) {
    prompts_.Notice(Text(id::Caption), Text(id::UnitDiffers), PromptIcon::Exclamation);
  }
}

void TFImportation::BtnOptionsImportatonClick() {
  if (OptionsForm == nullptr || ImportSettings == nullptr) return;
  OptionsForm->EditImportSettings(*this, *ImportSettings, FileUnit);
  ShowFileUnit();
}

}  // namespace tranchex
