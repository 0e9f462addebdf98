#include "exchange/UOptionsImportation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace id = TextId::ImportOptionsForm;

constexpr int kHelpContext = 2030;

// The controls of one entry: its group, its column box and, for the fields that may be left to
// the import, its two radio buttons.
struct EntryControls {
  const char* Group;
  int TitleId;
  const char* Box;
  const char* Automatic;  // nullptr: the field is always given
  const char* Given;
};
constexpr std::array<EntryControls, kImportColumnCount> kEntries = {{
    {"GrpBxReference", TextId::Columns::TextReference, "CbxNumColRef", "RbtnAutomatiqueRef",
     "RbtnRenseigneRef"},
    {"GrpBxDesignation", TextId::Columns::TextDesignation, "CbxNumColDes", "RbtnAutomatiqueDes",
     "RbtnRenseigneDes"},
    {"GrpBxNombre", TextId::Columns::TextCount, "CbxNumColNB", nullptr, nullptr},
    {"GrpBxLongueur", TextId::Columns::TextLength, "CbxNumColLng", nullptr, nullptr},
    {"GrpBxLargeur", TextId::Columns::TextWidth, "CbxNumColLarg", nullptr, nullptr},
    {"GrpBxEpaisseur", TextId::Columns::TextThickness, "CbxNumColEp", "RbtnAutomatiqueEp",
     "RbtnRenseigneEp"},
    {"GrpBxEssence", TextId::Columns::TextSpecies, "CbxNumColEss", "RbtnAutomatiqueEss",
     "RbtnRenseigneEss"},
    {"GrpBxSens", id::GrpBxSens, "CbxNumColSens", "RbtnAutomatiqueSens", "RbtnRenseigneSens"},
}};

bool HasChoice(int entry) { return kEntries[static_cast<std::size_t>(entry)].Automatic != nullptr; }

}  // namespace

const std::array<FileUnitChoice, 4> kFileUnitChoices = {{
    {TextId::ImportForm::Millimetre, kMillimetreFactor, "mm"},
    {TextId::ImportForm::Centimetre, kCentimetreFactor, "cm"},
    {TextId::ImportForm::Pouce, kInchFactor, ""},
    {TextId::ImportForm::Metre, kMetreFactor, "m"},
}};

int FileUnitChoiceIndex(double factor) {
  int found = -1;
  for (std::size_t i = 0; i < kFileUnitChoices.size(); ++i) {
    if (kFileUnitChoices[i].Factor == factor) found = static_cast<int>(i);
  }
  return found;
}

TFOptionsImportation::TFOptionsImportation(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, kHelpContext, prompts, help, parent) {
  setObjectName(QStringLiteral("FOptionsImportation"));
  setWindowTitle(Text(id::Caption));

  LblDescription = Named(new QLabel(Text(id::LblDescription), this), "LblDescription");
  LblDescription->setWordWrap(true);
  auto* groups = new QGridLayout;
  for (std::size_t i = 0; i < kImportColumnCount; ++i) {
    const EntryControls& e = kEntries[i];
    const int entry = static_cast<int>(i);
    QGroupBox* group = Named(new QGroupBox(Text(e.TitleId), this), e.Group);
    Groups[i] = group;
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(Text(id::LblColonne), group), 0, 0);
    ColumnBoxes[i] = Named(new QComboBox(group), e.Box);
    grid->addWidget(ColumnBoxes[i], 0, 1);
    // The person's choice only: the form's own selections run no handler.
    connect(ColumnBoxes[i], &QComboBox::activated, this, [this, entry] { ColumnBoxChange(entry); });
    if (e.Automatic != nullptr) {
      AutomaticButtons[i] = Named(new QRadioButton(Text(id::Automatique), group), e.Automatic);
      GivenButtons[i] = Named(new QRadioButton(Text(id::Renseignee), group), e.Given);
      grid->addWidget(AutomaticButtons[i], 1, 0, 1, 2);
      grid->addWidget(GivenButtons[i], 2, 0, 1, 2);
      connect(AutomaticButtons[i], &QRadioButton::clicked, this,
              [this, entry] { SwitchEntry(entry, false); });
      connect(GivenButtons[i], &QRadioButton::clicked, this,
              [this, entry] { SwitchEntry(entry, true); });
    }
    if (entry == Grain) {
      LblValDefautSens =
          Named(new QLabel(Text(id::LblValDefautSens), group), "LblValDefautSens");
      CbxSens = Named(new QComboBox(group), "CbxSens");
      for (const std::string& word : LoadGrainTexts()) {
        CbxSens->addItem(QString::fromStdString(word));
      }
      grid->addWidget(LblValDefautSens, 3, 0);
      grid->addWidget(CbxSens, 3, 1);
    }
    groups->addWidget(group, entry / 4, entry % 4, Qt::AlignTop);
  }

  LblAjouts = Named(new QLabel(Text(id::LblAjouts), this), "LblAjouts");
  auto* additions = new QGridLayout;
  const auto addSwitch = [&](QCheckBox*& box, const char* boxName, QLabel*& label,
                             const char* labelName, int textId, int row) {
    box = Named(new QCheckBox(this), boxName);
    label = Named(new QLabel(Text(textId), this), labelName);
    label->setBuddy(box);
    additions->addWidget(box, row, 0);
    additions->addWidget(label, row, 1);
  };
  addSwitch(ChbxEssences, "ChbxEssences", LblEssences, "LblEssences", id::LblEssences, 0);
  addSwitch(ChbxDesignations, "ChbxDesignations", LblDesignations, "LblDesignations",
            id::LblDesignations, 1);
  addSwitch(ChbxDimensions, "ChbxDimensions", LblDimensions, "LblDimensions", id::LblDimensions,
            2);
  additions->setColumnStretch(1, 1);
  connect(ChbxEssences, &QCheckBox::clicked, this, [this](bool on) {
    AddSpecies = on ? 1 : 0;
    Changed = 1;
  });
  connect(ChbxDesignations, &QCheckBox::clicked, this, [this](bool on) {
    AddDesignations = on ? 1 : 0;
    Changed = 1;
  });
  connect(ChbxDimensions, &QCheckBox::clicked, this, [this](bool on) {
    AddDimensions = on ? 1 : 0;
    Changed = 1;
  });

  LblUnite = Named(
      new QLabel(QStringLiteral(
                     "Unité de mesure utilisée dans le fichier pour les dimensions des pièces"),
                 this),
      "LblUnite");
  CbxListeUnites = Named(new QComboBox(this), "CbxListeUnites");
  for (const FileUnitChoice& u : kFileUnitChoices) CbxListeUnites->addItem(Text(u.TextId));
  connect(CbxListeUnites, &QComboBox::activated, this, [this] { CbxListeUnitesClick(); });

  BtnOk = Named(new QPushButton(Text(id::BtnOk), this), "BtnOk");
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });

  auto* unitRow = new QHBoxLayout;
  unitRow->addWidget(LblUnite);
  unitRow->addWidget(CbxListeUnites);
  unitRow->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LblDescription);
  layout->addLayout(groups);
  layout->addWidget(LblAjouts);
  layout->addLayout(additions);
  layout->addLayout(unitRow);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetDefaultButton(BtnOk);
}

void TFOptionsImportation::NewShowing() {
  FormActivate();
}

bool TFOptionsImportation::Given(int entry) const {
  return ColumnList != nullptr && (*ColumnList)[static_cast<std::size_t>(entry)].Given != 0;
}

void TFOptionsImportation::FormActivate() {
  Changed = 0;
  activating_ = true;
  ChbxEssences->setChecked(AddSpecies != 0);
  ChbxDesignations->setChecked(AddDesignations != 0);
  ChbxDimensions->setChecked(AddDimensions != 0);

  presentCount_ = 0;
  if (ColumnList != nullptr && ColumnList->size() == kImportColumnCount) {
    for (std::size_t i = 0; i < kImportColumnCount; ++i) {
      if (Given(static_cast<int>(i))) ++presentCount_;
    }
  } else {
    ColumnList = nullptr;  // a map without its eight entries is not edited
  }
  for (QComboBox* box : ColumnBoxes) {
    box->clear();
    for (int n = 1; n <= presentCount_; ++n) box->addItem(QString::number(n));
    box->setCurrentIndex(-1);  // a field left to the import shows no column
  }
  for (int entry = 0; entry < static_cast<int>(kImportColumnCount); ++entry) {
    if (ColumnList == nullptr) break;
    const int column = (*ColumnList)[static_cast<std::size_t>(entry)].Column;
    if (!HasChoice(entry)) {
      ColumnBoxes[static_cast<std::size_t>(entry)]->setCurrentIndex(column - 1);
      continue;
    }
    if (Given(entry)) SelectColumn(entry, column);
    ShowEntryState(entry);
  }
  // The grain the import gives when the file has none, as it now stands.
  CbxSens->setCurrentIndex(DefaultGrain >= 0 && DefaultGrain <= 2 ? DefaultGrain : -1);

  if (const int unit = FileUnitChoiceIndex(UnitFactor); unit >= 0) {
    CbxListeUnites->setCurrentIndex(unit);
  }
  activating_ = false;
}

// The radio buttons, the column box and what follows from them, for an entry as the map has
// it. Designation and species left to the import can never be added to the reference lists.
void TFOptionsImportation::ShowEntryState(int entry) {
  const auto i = static_cast<std::size_t>(entry);
  const bool given = Given(entry);
  GivenButtons[i]->setChecked(given);
  AutomaticButtons[i]->setChecked(!given);
  ColumnBoxes[i]->setEnabled(given);
  if (entry == Grain) {
    CbxSens->setEnabled(!given);
    LblValDefautSens->setEnabled(!given);
  }
  const auto follow = [given](QCheckBox* box, QLabel* label, std::uint8_t& flag) {
    if (!given) {
      box->setChecked(false);
      flag = 0;
    }
    box->setEnabled(given);
    label->setEnabled(given);
  };
  if (entry == Designation) follow(ChbxDesignations, LblDesignations, AddDesignations);
  if (entry == Species) follow(ChbxEssences, LblEssences, AddSpecies);
}

void TFOptionsImportation::SwitchEntry(int entry, bool given) {
  if (activating_ || ColumnList == nullptr) return;
  OPTION_COL_IMPORT& e = (*ColumnList)[static_cast<std::size_t>(entry)];
  // A click on the button already checked changes nothing.
  if ((e.Given != 0) == given) return;
  e.Given = given ? 1 : 0;
  presentCount_ += given ? 1 : -1;
  FillImportColumnChoices(presentCount_);
  RenumberPresentImportColumns();
  ShowEntryState(entry);
  Changed = 1;
}

void TFOptionsImportation::FillImportColumnChoices(int presentCount) {
  for (std::size_t i = 0; i < kImportColumnCount; ++i) {
    QComboBox* box = ColumnBoxes[i];
    box->clear();
    if (!HasChoice(static_cast<int>(i)) || Given(static_cast<int>(i))) {
      for (int n = 1; n <= presentCount; ++n) box->addItem(QString::number(n));
    }
    box->setCurrentIndex(-1);
  }
}

// The given fields take the columns 1..k in entry order; fields left to the import keep their
// numbers.
void TFOptionsImportation::RenumberPresentImportColumns() {
  int column = 0;
  for (int entry = 0; entry < static_cast<int>(kImportColumnCount); ++entry) {
    if (!Given(entry)) continue;
    (*ColumnList)[static_cast<std::size_t>(entry)].Column = column + 1;
    SelectColumn(entry, column + 1);
    ++column;
  }
}

void TFOptionsImportation::SelectColumn(int entry, int column) {
  ColumnBoxes[static_cast<std::size_t>(entry)]->setCurrentIndex(column - 1);
}

// Every other entry that had the new column takes the old one.
void TFOptionsImportation::AssignImportColumn(int oldColumn, int newColumn, int entry) {
  for (int other = 0; other < static_cast<int>(kImportColumnCount); ++other) {
    if (other == entry) continue;
    OPTION_COL_IMPORT& e = (*ColumnList)[static_cast<std::size_t>(other)];
    if (e.Column != newColumn) continue;
    e.Column = oldColumn;
    if (e.Given != 0) SelectColumn(other, oldColumn);
  }
}

void TFOptionsImportation::ColumnBoxChange(int entry) {
  if (ColumnList == nullptr) return;
  const int chosen = ColumnBoxes[static_cast<std::size_t>(entry)]->currentIndex();
  if (chosen < 0) return;
  OPTION_COL_IMPORT& e = (*ColumnList)[static_cast<std::size_t>(entry)];
  const int newColumn = chosen + 1;
  AssignImportColumn(e.Column, newColumn, entry);
  e.Column = newColumn;
  Changed = 1;
}

// A unit chosen for the file is a change: the import form takes it back only then.
void TFOptionsImportation::CbxListeUnitesClick() {
  const int chosen = CbxListeUnites->currentIndex();
  if (chosen < 0 || chosen >= static_cast<int>(kFileUnitChoices.size())) return;
  const FileUnitChoice& unit = kFileUnitChoices[static_cast<std::size_t>(chosen)];
  if (unit.Factor != UnitFactor || unit.Abbreviation != UnitAbbreviation) Changed = 1;
  UnitFactor = unit.Factor;
  UnitAbbreviation = unit.Abbreviation;
  if (UnitFactor != ProgramFactor) {
    prompts_.Notice(Text(id::Caption), Text(id::UnitDiffers), PromptIcon::Exclamation);
  }
}

QString TFOptionsImportation::ConfirmationText() const {
  QString text = Text(id::SummaryStart);
  if (ColumnList == nullptr) return text + Text(id::SummaryEnd);
  const std::vector<OPTION_COL_IMPORT>& map = *ColumnList;
  const auto title = [&](std::size_t i) {
    return map[i].Title.empty() ? Text(kEntries[i].TitleId) : QString::fromStdString(map[i].Title);
  };
  for (int c = 1; c <= static_cast<int>(kImportColumnCount); ++c) {
    for (std::size_t i = 0; i < kImportColumnCount; ++i) {
      if (map[i].Given == 0 || map[i].Column != c) continue;
      text += Text(id::SummaryColumn) + QString::number(c) + QStringLiteral(" - ") +
              QString::number(map[i].Column) + QStringLiteral(" : ") + title(i) +
              QStringLiteral("\n");
    }
  }
  for (int c = 1; c <= static_cast<int>(kImportColumnCount); ++c) {
    for (std::size_t i = 0; i < kImportColumnCount; ++i) {
      if (map[i].Given != 0 || map[i].Column != c) continue;
      text += title(i);
      if (i == Grain) {
        text += QString::fromStdString(
            ReplacePlaceholder(Text(id::SummaryDefaultGrain).toStdString(), "valdef",
                               CbxSens->currentText().toLower().toStdString()));
      } else {
        text += Text(id::SummaryAutomatic);
      }
    }
  }
  return text + Text(id::SummaryEnd);
}

void TFOptionsImportation::BtnOkClick() {
  if (Changed == 0) {
    accept();
    return;
  }
  if (!Given(Grain) && CbxSens->currentIndex() < 0) {
    prompts_.Notice(Text(id::MessageCaption), Text(id::NoDefaultGrain), PromptIcon::Exclamation);
    return;
  }
  // The options file holds a grain of 0, 1 or 2 only: an empty box (possible only while the
  // file gives the grain) keeps the grain handed in, or the factory grain for one it refuses.
  if (CbxSens->currentIndex() >= 0) {
    DefaultGrain = CbxSens->currentIndex();
  } else if (DefaultGrain < 0 || DefaultGrain > 2) {
    DefaultGrain = Settings{}.ImportDefaultGrain;
  }
  // Leaving the question (Escape) is no confirmation: the form stays open, edits kept.
  if (prompts_.Ask(Text(id::MessageCaption), ConfirmationText(), PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes) {
    return;
  }
  accept();
}

bool TFOptionsImportation::EditImportSettings(const QWidget& opener, Settings& settings,
                                              UNITE_MESURE& fileUnit) {
  PlaceDialog(*this, opener, 0);
  AddSpecies = settings.ImportAddSpecies;
  AddDesignations = settings.ImportAddDesignations;
  AddDimensions = settings.ImportAddDimensions;
  DefaultGrain = settings.ImportDefaultGrain;
  ColumnList = &settings.ImportColumns;
  UnitFactor = fileUnit.Factor;
  UnitAbbreviation = fileUnit.Abbreviation;
  ProgramFactor = settings.MeasureUnit.Factor;
  prompts_.ShowModal(*this);
  // Nothing changed: every setting and flag as it was (a flag raised earlier stays raised).
  if (Changed == 0) return false;
  settings.ImportAddSpecies = AddSpecies;
  settings.ImportAddDesignations = AddDesignations;
  settings.ImportAddDimensions = AddDimensions;
  settings.ImportDefaultGrain = DefaultGrain;
  settings.OptionsFileDirty = 1;
  fileUnit.Factor = UnitFactor;
  fileUnit.Abbreviation = UnitAbbreviation;
  return true;
}

}  // namespace tranchex
