#include "exchange/UImportation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "exchange/UOptionsImportation.h"
#include "job/Settings.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace id = TextId::ImportForm;

constexpr int kHelpContext = 170;

struct FileUnitChoice {
  int TextId;
  double Factor;
  int AbbreviationId;  // 0: the abbreviation below
  const char* Abbreviation;
};
constexpr std::array<FileUnitChoice, 4> kUnits = {{
    {id::Millimetre, kMillimetreFactor, 0, "mm"},
    {id::Centimetre, kCentimetreFactor, 0, "cm"},
    {id::Pouce, kInchFactor, id::InchAbbreviation, ""},
    {id::Metre, kMetreFactor, 0, "m"},
}};

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
  BtnOK = Named(new QPushButton(Text(id::BtnOK), this), "BtnOK");
  BtnAnnuler = Named(new QPushButton(Text(id::BtnAnnuler), this), "BtnAnnuler");
  BtnOptionsImportaton = Named(
      new QPushButton(QStringLiteral("Options d'importation"), this), "BtnOptionsImportaton");
  LblUnite = Named(new QLabel(Text(id::LblUnite), this), "LblUnite");
  CbxListeUnites = Named(new QComboBox(this), "CbxListeUnites");
  for (const FileUnitChoice& u : kUnits) CbxListeUnites->addItem(Text(u.TextId));
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

void TFImportation::showEvent(QShowEvent* event) {
  FormActivate();
  DialogFrame::showEvent(event);
}

// Every showing starts with the headings line skipped and nothing accepted yet.
void TFImportation::FormActivate() {
  Accepted = 0;
  FirstLineHeadings = 1;
  CbxEntetes->setChecked(true);
  programFactor_ = FileUnit.Factor;
  int selected = -1;
  for (std::size_t i = 0; i < kUnits.size(); ++i) {
    if (kUnits[i].Factor == FileUnit.Factor) selected = static_cast<int>(i);
  }
  CbxListeUnites->setCurrentIndex(selected);
}

void TFImportation::CbxListeUnitesClick() {
  const int chosen = CbxListeUnites->currentIndex();
  if (chosen < 0 || chosen >= static_cast<int>(kUnits.size())) return;
  const FileUnitChoice& unit = kUnits[static_cast<std::size_t>(chosen)];
  FileUnit.Factor = unit.Factor;
  FileUnit.Abbreviation =
      unit.AbbreviationId != 0 ? Text(unit.AbbreviationId).toStdString() : unit.Abbreviation;
  if (FileUnit.Factor != programFactor_) {
    prompts_.Notice(Text(id::Caption), Text(id::UnitDiffers), PromptIcon::Exclamation);
  }
}

void TFImportation::BtnOptionsImportatonClick() {
  if (OptionsForm == nullptr || ImportSettings == nullptr) return;
  OptionsForm->EditImportSettings(*this, *ImportSettings, FileUnit);
}

}  // namespace tranchex
