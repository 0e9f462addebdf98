#include "dialogs/USelPanneaux.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "dialogs/CheckedField.h"
#include "dialogs/SizePicker.h"
#include "dialogs/SpeciesBox.h"
#include "engine/FitChecks.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "platform/Bitmaps.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace PanelText = TextId::PanelForm;

// A new record's thickness, and the thickness shown for an empty list: 10 mm.
constexpr double kDefaultThickness = 100.0;

// The grain pictures, by grain value.
const char* const kGrainPictures[] = {"sens_horiz", "sens_vert", "sens_non"};

QString Lower(const std::string& word) { return QString::fromStdString(word).toLower(); }

// The first letter in capitals, for a rule's message shown on its own.
QString Sentence(const std::string& text) {
  QString s = QString::fromStdString(text);
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s;
}

}  // namespace

TSelPanneaux::TSelPanneaux(const Settings& settings, Prompts& prompts, HelpViewer& help,
                           QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 1030, prompts, help, parent), settings_(settings) {
  setObjectName(QStringLiteral("SelPanneaux"));
  setWindowTitle(QStringLiteral("Sélection des panneaux"));
  BuildLayout();
  navigator_ = std::make_unique<RecordNavigator>(
      RecordNavigator::Controls{BtnPremier, BtnPred, BtnSuivant, BtnDernier, BtnNouveau,
                                EdtCompteur},
      RecordNavigator::Hooks{
          [this] { return PanelList ? static_cast<int>(PanelList->size()) : 0; },
          [this] {
            return LengthDirty || WidthDirty || CountDirty || GrainDirty || ThicknessDirty ||
                   SpeciesEdited;
          },
          [this] { return LeaveRecord(); },
          [this] {
            // Kept unless the answer is No: a question left without an answer drops nothing.
            const PromptAnswer answer =
                prompts_.Ask(formCaption_, msgUntouched_, PromptButtons::YesNo);
            return answer == PromptAnswer::No ? RecordNavigator::UntouchedChoice::Drop
                                              : RecordNavigator::UntouchedChoice::Keep;
          },
          [this] {
            PanelList->pop_back();
            if (PanelList->size() <= 1) BtnSupprimer->setEnabled(false);
          },
          [this](RecordNavigator::Move) { DisplayRecord(navigator_->Index()); }});
  FormCreate();
  MakeCheckedFields();
  ConnectHandlers();
}

TSelPanneaux::~TSelPanneaux() = default;

// ---- Creation -------------------------------------------------------------------------------

void TSelPanneaux::BuildLayout() {
  PanelDessin = Named(new QFrame(this), "PanelDessin");
  PanelDessin->setFrameShape(QFrame::Panel);
  PanelDessin->setFrameShadow(QFrame::Sunken);
  Image = Named(new QLabel(PanelDessin), "Image");
  Image->setScaledContents(true);
  Image->setFixedSize(96, 64);
  auto* pictureLayout = new QVBoxLayout(PanelDessin);
  pictureLayout->setContentsMargins(2, 2, 2, 2);
  pictureLayout->addWidget(Image);

  lblLongueur = Named(new QLabel(this), "lblLongueur");
  lblLargeur = Named(new QLabel(this), "lblLargeur");
  lblSens = Named(new QLabel(this), "lblSens");
  EdtLongueur = Named(new QLineEdit(this), "EdtLongueur");
  EdtLargeur = Named(new QLineEdit(this), "EdtLargeur");
  BitBtnLongueur = Named(new QToolButton(this), "BitBtnLongueur");
  BitBtnLargeur = Named(new QToolButton(this), "BitBtnLargeur");
  CbxSens = Named(new QComboBox(this), "CbxSens");
  for (QLineEdit* e : {EdtLongueur, EdtLargeur}) e->setFixedWidth(90);

  auto* sizes = new QGridLayout;
  sizes->addWidget(lblLongueur, 0, 0);
  sizes->addWidget(EdtLongueur, 0, 1);
  sizes->addWidget(BitBtnLongueur, 0, 2);
  sizes->addWidget(lblLargeur, 1, 0);
  sizes->addWidget(EdtLargeur, 1, 1);
  sizes->addWidget(BitBtnLargeur, 1, 2);
  sizes->addWidget(lblSens, 2, 0);
  sizes->addWidget(CbxSens, 2, 1, 1, 2);
  auto* top = new QHBoxLayout;
  top->addLayout(sizes);
  top->addStretch(1);
  top->addWidget(PanelDessin, 0, Qt::AlignTop);

  GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
  ChbNbPanneaux = Named(new QCheckBox(GroupBox2), "ChbNbPanneaux");
  lblNb = Named(new QLabel(GroupBox2), "lblNb");
  EdtNb = Named(new QLineEdit(GroupBox2), "EdtNb");
  EdtNb->setFixedWidth(90);
  auto* countLayout = new QHBoxLayout(GroupBox2);
  countLayout->addWidget(ChbNbPanneaux);
  countLayout->addStretch(1);
  countLayout->addWidget(lblNb);
  countLayout->addWidget(EdtNb);

  GpbDebitComplexe = Named(new QGroupBox(this), "GpbDebitComplexe");
  lblEpaisseur = Named(new QLabel(GpbDebitComplexe), "lblEpaisseur");
  EdtEpaisseur = Named(new QLineEdit(GpbDebitComplexe), "EdtEpaisseur");
  EdtEpaisseur->setFixedWidth(90);
  BitBtnEpaisseur = Named(new QToolButton(GpbDebitComplexe), "BitBtnEpaisseur");
  lblEssence = Named(new QLabel(GpbDebitComplexe), "lblEssence");
  CbxEssence = Named(new QComboBox(GpbDebitComplexe), "CbxEssence");
  MakeSpeciesBox(*CbxEssence);
  CbxEssence->setMinimumWidth(180);
  auto* complexLayout = new QGridLayout(GpbDebitComplexe);
  complexLayout->addWidget(lblEpaisseur, 0, 0);
  complexLayout->addWidget(EdtEpaisseur, 0, 1);
  complexLayout->addWidget(BitBtnEpaisseur, 0, 2, Qt::AlignLeft);
  complexLayout->addWidget(lblEssence, 1, 0);
  complexLayout->addWidget(CbxEssence, 1, 1, 1, 3);
  complexLayout->setColumnStretch(3, 1);

  const RecordButtonBar bar = CreateRecordButtonBar(*this);
  BtnPremier = bar.BtnPremier;
  BtnPred = bar.BtnPred;
  EdtCompteur = bar.EdtCompteur;
  BtnSuivant = bar.BtnSuivant;
  BtnDernier = bar.BtnDernier;
  BtnNouveau = bar.BtnNouveau;
  BtnSupprimer = bar.BtnSupprimer;
  BtnAnnul = bar.BtnAnnul;
  BtnTerminer = bar.BtnTerminer;
  QHBoxLayout* moves = bar.Moves;
  QHBoxLayout* buttons = bar.Buttons;

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(GroupBox2);
  layout->addWidget(GpbDebitComplexe);
  layout->addSpacing(6);
  layout->addLayout(moves);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The order Tab follows.
  QWidget* order[] = {EdtLongueur, EdtLargeur,   CbxSens,     ChbNbPanneaux,  EdtNb,
                      EdtEpaisseur, CbxEssence,  BitBtnEpaisseur, BtnPred,    BtnSuivant,
                      BtnAnnul,    BtnNouveau,   BtnSupprimer, BtnTerminer,   BtnPremier,
                      BtnDernier,  BitBtnLongueur, BitBtnLargeur};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  for (QToolButton* b : {BitBtnLongueur, BitBtnLargeur, BitBtnEpaisseur}) {
    b->setText(QStringLiteral("..."));
    b->setFocusPolicy(Qt::TabFocus);
  }
  for (QLineEdit* e : {EdtLongueur, EdtLargeur, EdtEpaisseur}) e->installEventFilter(this);
}

void TSelPanneaux::FormCreate() {
  grainTexts_ = {Text(TextId::Grain::Horizontal), Text(TextId::Grain::Vertical),
                 Text(TextId::Grain::Indifferent)};
  caption_ = Text(TextId::FieldChecks::Caption);
  msgLength_ = Text(TextId::FieldChecks::InvalidLength);
  msgWidth_ = Text(TextId::FieldChecks::InvalidWidth);
  msgDeleteCaption_ = Text(PanelText::DeleteCaption);
  msgLengthBelowWidth_ = Text(PanelText::LengthBelowWidth);

  BitBtnLongueur->setToolTip(Text(PanelText::BitBtnLongueurHint));
  BitBtnLargeur->setToolTip(Text(PanelText::BitBtnLargeurHint));
  BitBtnEpaisseur->setToolTip(Text(PanelText::BitBtnEpaisseurHint));

  CbxSens->clear();
  for (const QString& grain : grainTexts_) CbxSens->addItem(grain);
  CbxSens->setCurrentIndex(GrainHorizontal);

  lblSens->setText(Text(PanelText::LblSens));
  lblNb->setText(Text(PanelText::LblNb));
  lblEssence->setText(Text(PanelText::LblEssence));
  BtnAnnul->setText(Text(PanelText::BtnAnnul));
  BtnTerminer->setText(Text(PanelText::BtnTerminer));
  BtnPred->setText(Text(PanelText::BtnPred));
  BtnSuivant->setText(Text(PanelText::BtnSuivant));
  ChbNbPanneaux->setText(Text(PanelText::ChbNbPanneaux));
  GpbDebitComplexe->setTitle(Text(PanelText::GpbDebitComplexe));
  BtnNouveau->setText(Text(PanelText::BtnNouveau));
  BtnSupprimer->setText(Text(PanelText::BtnSupprimer));
  BtnPremier->setText(Text(PanelText::BtnPremier));
  BtnDernier->setText(Text(PanelText::BtnDernier));
  BtnPred->setEnabled(false);
  BtnPremier->setEnabled(false);
  BtnAnnul->setEnabled(true);

  ComposeWordTexts();
  // Escape cancels; Enter runs no button of its own (a person typing sizes is not finishing).
  SetCancelButton(BtnAnnul);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setDefault(false);
}

// The caption and the messages that carry the user's words for panels and parts, in lower case.
// Composed at each showing, so words changed in the options show at once.
void TSelPanneaux::ComposeWordTexts() {
  const QString panel = Lower(settings_.WordPanel);
  const QString panels = Lower(settings_.WordPanels);
  const QString parts = Lower(settings_.WordParts);
  formCaption_ = Text(PanelText::Caption) + panels;
  msgUntouched_ = Text(PanelText::UntouchedStart) + panel + Text(PanelText::UntouchedEnd);
  msgEditInvalid_ = Text(PanelText::EditInvalidStart) + panel + Text(PanelText::PartsOf) + parts +
                    Text(PanelText::NoPanelTakes) + panel + QStringLiteral(" !");
  msgListInvalid_ = Text(PanelText::ListInvalidStart) + panels + Text(PanelText::PartsOf) + parts +
                    Text(PanelText::NoPanelTakes) + panel + QStringLiteral(" !");
  msgRemoveParts_ = Text(PanelText::RemovePartsStart) + panel + Text(PanelText::RemovePartsMiddle) +
                    parts + Text(PanelText::RemovePartsEnd);
  msgDelete_ = Text(PanelText::DeleteStart) + parts + Text(PanelText::DeleteMiddle) + panel +
               Text(PanelText::DeleteEnd) + panel + QStringLiteral(" ?");
  setWindowTitle(formCaption_);
}

void TSelPanneaux::MakeCheckedFields() {
  const auto unit = [this]() -> const UNITE_MESURE& { return Unit; };
  const auto separator = [] { return RegionalDecimalSeparator(); };
  auto make = [&](QLineEdit* field, int textId, std::function<EntryRange()> range,
                  std::function<double()> stored, bool isCount) {
    CheckedFieldRule rule;
    rule.IsCount = isCount;
    rule.Guard = FieldExitGuard::Modified;
    rule.OnRefusal = RefusedFieldText::StoredValue;
    rule.FieldTextId = textId;
    return std::make_unique<CheckedField>(
        field, rule, CheckedField::Sources{unit, std::move(range), std::move(stored), separator},
        prompts_);
  };
  length_ = make(
      EdtLongueur, TextId::FieldChecks::InvalidLength,
      [this] { return EntryRange{0.0, false, settings_.MaxLength, true}; },
      [this] { return Shown().Length; }, false);
  width_ = make(
      EdtLargeur, TextId::FieldChecks::InvalidWidth,
      [this] { return EntryRange{0.0, false, settings_.MaxWidth, true}; },
      [this] { return Shown().Width; }, false);
  thickness_ = make(
      EdtEpaisseur, TextId::FieldChecks::InvalidThickness,
      [] { return EntryRange{0.0, false, kMaxRecordThickness, true}; },
      [this] { return Shown().Thickness; }, false);
  count_ = make(
      EdtNb, TextId::FieldChecks::InvalidCount,
      [] { return EntryRange{0.0, false, static_cast<double>(kMaxQuantity), true}; },
      [this] { return static_cast<double>(Shown().Quantity); }, true);

  // An accepted value is pending for the record; a refused one brings the record's value back.
  auto accepted = [this](double& pending, std::uint8_t& dirty) {
    return [this, &pending, &dirty](double value) {
      pending = value;
      dirty = 1;
      navigator_->RecordTouched();
      BtnNouveau->setEnabled(true);
    };
  };
  length_->OnAccepted = accepted(PendingLength, LengthDirty);
  width_->OnAccepted = accepted(PendingWidth, WidthDirty);
  thickness_->OnAccepted = accepted(PendingThickness, ThicknessDirty);
  count_->OnAccepted = [this](double value) {
    PendingCount = static_cast<std::int32_t>(value);
    CountDirty = 1;
    navigator_->RecordTouched();
    BtnNouveau->setEnabled(true);
  };
  length_->OnRefused = [this] {
    PendingLength = Shown().Length;
    LengthDirty = 0;
  };
  width_->OnRefused = [this] {
    PendingWidth = Shown().Width;
    WidthDirty = 0;
  };
  thickness_->OnRefused = [this] {
    PendingThickness = Shown().Thickness;
    ThicknessDirty = 0;
  };
  count_->OnRefused = [this] {
    PendingCount = Shown().Quantity;
    CountDirty = 0;
  };

  SetFieldExit(EdtLongueur, [this] { return EdtLongueurExit(); });
  SetFieldExit(EdtLargeur, [this] { return EdtLargeurExit(); });
  SetFieldExit(EdtEpaisseur, [this] { return EdtEpaisseurExit(); });
  SetFieldExit(EdtNb, [this] { return EdtNbExit(); });
  SetFieldExit(CbxEssence, [this] { return CbxEssenceExit(); });
}

void TSelPanneaux::ConnectHandlers() {
  connect(BtnPremier, &QPushButton::clicked, this, [this] { BtnPremierClick(); });
  connect(BtnPred, &QPushButton::clicked, this, [this] { BtnPredClick(); });
  connect(BtnSuivant, &QPushButton::clicked, this, [this] { BtnSuivantClick(); });
  connect(BtnDernier, &QPushButton::clicked, this, [this] { BtnDernierClick(); });
  connect(BtnNouveau, &QPushButton::clicked, this, [this] { BtnNouveauClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnTerminer, &QPushButton::clicked, this, [this] { BtnTerminerClick(); });
  connect(BtnAnnul, &QPushButton::clicked, this, [this] { BtnAnnulClick(); });
  // Ticked or unticked by the user or by the form alike.
  connect(ChbNbPanneaux, &QCheckBox::toggled, this, [this] { ChbNbPanneauxClick(); });
  // A choice of the user only: the form setting the grain of a record shown is no edit.
  connect(CbxSens, &QComboBox::activated, this, [this] { CbxSensClick(); });
  connect(EdtLongueur, &QLineEdit::textChanged, this, [this] { EdtLongueurChange(); });
  connect(EdtLargeur, &QLineEdit::textChanged, this, [this] { EdtLargeurChange(); });
  for (QToolButton* b : {BitBtnLongueur, BitBtnLargeur, BitBtnEpaisseur})
    connect(b, &QToolButton::clicked, this, [this] { BitBtnLongueurClick(); });
}

// ---- Showing --------------------------------------------------------------------------------

void TSelPanneaux::NewShowing() {
  FormShow();
}

void TSelPanneaux::FormShow() {
  ComposeWordTexts();
  const QString inUnit = Text(PanelText::InUnit) + QString::fromStdString(Unit.Abbreviation);
  lblLongueur->setText(Text(PanelText::LblLongueur) + inUnit);
  lblLargeur->setText(Text(PanelText::LblLargeur) + inUnit);
  lblEpaisseur->setText(Text(PanelText::LblEpaisseur) + inUnit);
  SpeciesChanged = 0;
  PanelSizesChanged = 0;
}

const Panneau_p& TSelPanneaux::Shown() const {
  return (*PanelList)[static_cast<std::size_t>(navigator_->Index())];
}

void TSelPanneaux::ClearPendingMarks() {
  LengthDirty = 0;
  WidthDirty = 0;
  CountDirty = 0;
  GrainDirty = 0;
  ThicknessDirty = 0;
  SpeciesEdited = 0;
}

void TSelPanneaux::FillSpeciesBox() { tranchex::FillSpeciesBox(*CbxEssence, SpeciesList); }

void TSelPanneaux::ShowGrainPicture() {
  const QString text = CbxSens->currentText();
  for (int grain = 0; grain < 3; ++grain) {
    if (text == grainTexts_[static_cast<std::size_t>(grain)]) {
      Image->setPixmap(LoadNamedBitmap(QString::fromLatin1(kGrainPictures[grain])));
      return;
    }
  }
}

void TSelPanneaux::SetGrain(int grain) {
  CbxSens->setCurrentIndex(grain >= 0 && grain < CbxSens->count() ? grain : -1);
  ShowGrainPicture();
}

void TSelPanneaux::ShowSpecies(int species) {
  ShowSpeciesInBox(*CbxEssence, species);
  speciesShown_ = CbxEssence->currentText();
}

int TSelPanneaux::ShownSpeciesIndex() const { return tranchex::ShownSpeciesIndex(*CbxEssence); }

void TSelPanneaux::EnableKindControls() {
  const bool complex = JobKind == 2;
  for (QWidget* w : std::initializer_list<QWidget*>{GpbDebitComplexe, lblEpaisseur, EdtEpaisseur,
                                                    lblEssence, CbxEssence})
    w->setEnabled(complex);
  EnablePicker();
}

void TSelPanneaux::EnablePicker() {
  const bool picker = Picker != nullptr;
  BitBtnLongueur->setEnabled(picker);
  BitBtnLargeur->setEnabled(picker);
  BitBtnEpaisseur->setEnabled(picker && JobKind == 2);
}

void TSelPanneaux::ShowPanelRecord() {
  if (PanelList == nullptr) return;
  ClearPendingMarks();
  if (JobKind == 2) FillSpeciesBox();

  // The grain box: free in the modification that ends an import, else as the options say.
  if (ImportPending == 1) {
    lblSens->setEnabled(true);
    CbxSens->setEnabled(true);
    if (ImportGrain != -1) SetGrain(ImportGrain);
  } else if (settings_.GrainDirectionEnabled) {
    lblSens->setEnabled(true);
    CbxSens->setEnabled(true);
  } else {
    SetGrain(GrainIndifferent);
    lblSens->setEnabled(false);
    CbxSens->setEnabled(false);
  }

  if (PanelList->empty()) {
    BtnSupprimer->setEnabled(false);
    length_->Show(settings_.DefaultPanelLength);
    width_->Show(settings_.DefaultPanelWidth);
    if (settings_.GrainDirectionEnabled) SetGrain(GrainHorizontal);
    count_->Show(1);
    thickness_->Clear();
    if (JobKind == 2) {
      thickness_->Show(kDefaultThickness);
      ShowSpecies(0);
    }
    PendingLength = settings_.DefaultPanelLength;
    PendingWidth = settings_.DefaultPanelWidth;
    PendingCount = 1;
    PendingThickness = kDefaultThickness;
    Panneau_p panel(settings_.DefaultPanelLength, settings_.DefaultPanelWidth, kDefaultThickness,
                    0);
    panel.Grain = std::max(0, CbxSens->currentIndex());
    panel.Quantity = 1;
    SetPanelEntryIndex(panel, 0);
    PanelList->push_back(std::move(panel));
  } else {
    BtnSupprimer->setEnabled(true);
  }
  navigator_->Reset();
  DisplayRecord(0);
  BtnAnnul->setEnabled(true);
  EnableKindControls();
  ChbNbPanneaux->setChecked(false);
  EdtNb->setEnabled(false);
}

// The record at index in the fields; the pending values become its own.
void TSelPanneaux::DisplayRecord(int index) {
  const Panneau_p& panel = (*PanelList)[static_cast<std::size_t>(index)];
  PendingLength = panel.Length;
  length_->Show(panel.Length);
  PendingWidth = panel.Width;
  width_->Show(panel.Width);
  PendingCount = panel.Quantity;
  count_->Show(panel.Quantity);
  SetGrain(panel.Grain);
  PendingThickness = panel.Thickness;
  if (JobKind == 2) {
    thickness_->Show(panel.Thickness);
    ShowSpecies(panel.Species);
  } else {
    thickness_->Clear();
  }
  FocusWithoutExit(EdtLongueur);  // each record is typed from its first field
}

// ---- Writing a record -----------------------------------------------------------------------

// The pending edits into the record shown. A length below the width is refused (at the finish
// with the rule spelt out); what follows the refused field stays pending.
bool TSelPanneaux::CommitPanelEdits(bool finishing) {
  Panneau_p& panel = (*PanelList)[static_cast<std::size_t>(navigator_->Index())];
  const auto refuse = [&](const QString& message, QLineEdit* field) {
    prompts_.Notice(caption_,
                    finishing ? message + QStringLiteral("\n") + msgLengthBelowWidth_ : message,
                    PromptIcon::Warning);
    field->setFocus();
    return false;
  };
  if (LengthDirty) {
    if (PendingWidth > PendingLength) return refuse(msgLength_, EdtLongueur);
    panel.Length = PendingLength;
    ResizePanelLayout(panel);
    LengthDirty = 0;
  }
  if (WidthDirty) {
    if (PendingWidth > PendingLength) return refuse(msgWidth_, EdtLargeur);
    panel.Width = PendingWidth;
    ResizePanelLayout(panel);
    WidthDirty = 0;
  }
  if (CountDirty) {
    panel.Quantity = PendingCount;
    CountDirty = 0;
  }
  if (GrainDirty) {
    if (CbxSens->currentIndex() >= 0) panel.Grain = CbxSens->currentIndex();
    GrainDirty = 0;
  }
  if (ThicknessDirty) {
    panel.Thickness = PendingThickness;
    ThicknessDirty = 0;
  }
  if (SpeciesEdited) {
    // A name that is in no item (declined, or emptied) leaves the record's species as it was.
    const int species = ShownSpeciesIndex();
    if (species >= 0) panel.Species = species;
    SpeciesEdited = 0;
  }
  return true;
}

// Leaving the record shown: its edits are written, then, when a job is modified and the record
// was not created just now, the job's parts must still fit.
bool TSelPanneaux::LeaveRecord() {
  if (!CommitPanelEdits(false)) return false;
  const bool check = ModifyMode == 1 && !navigator_->CurrentIsNew();
  static const tranchex::PartList kNoParts;
  if (!PartsStillFitAfterPanelEdit(*PanelList, Shown(), PartList ? *PartList : kNoParts, Margins,
                                   check)) {
    ReportFailure();
    return false;
  }
  return true;
}

// The refusal of a record that cannot be left, also said of any failure while leaving it.
void TSelPanneaux::ReportFailure() {
  prompts_.Notice(caption_, msgEditInvalid_ + QStringLiteral("\n\n") + msgRemoveParts_,
                  PromptIcon::Warning);
}

// ---- Buttons --------------------------------------------------------------------------------

void TSelPanneaux::Navigate(RecordNavigator::Move move) {
  // A field still being typed in is left first (a button pressed from the keyboard).
  if (!LeaveFocusedField()) return;
  try {
    navigator_->Go(move);
  } catch (const std::exception&) {
    ReportFailure();
  }
}

void TSelPanneaux::BtnPremierClick() { Navigate(RecordNavigator::Move::First); }
void TSelPanneaux::BtnPredClick() { Navigate(RecordNavigator::Move::Previous); }
void TSelPanneaux::BtnSuivantClick() { Navigate(RecordNavigator::Move::Next); }
void TSelPanneaux::BtnDernierClick() { Navigate(RecordNavigator::Move::Last); }

void TSelPanneaux::BtnNouveauClick() {
  if (!LeaveFocusedField()) return;
  try {
    // A job holds at most kMaxJobPanels stock entries: more could be neither laid out nor saved.
    if (const auto fault = CheckJobListSizes(static_cast<std::int64_t>(PanelList->size()) + 1, 0)) {
      prompts_.Notice(caption_, Sentence(fault->message), PromptIcon::Warning);
      return;
    }
    if (!LeaveRecord()) return;

    // The record first: should it fail to be added, the form stays on the record it showed.
    int grain = GrainHorizontal;
    if (ImportPending == 1) {
      grain = ImportGrain != -1 ? ImportGrain : std::max(0, CbxSens->currentIndex());
    } else if (!settings_.GrainDirectionEnabled) {
      grain = GrainIndifferent;
    }
    const double thickness = ImportPending == 1 && JobKind == 1 && PartList && !PartList->empty()
                                 ? PartList->front().Thickness
                                 : kDefaultThickness;
    Panneau_p panel(settings_.DefaultPanelLength, settings_.DefaultPanelWidth, thickness, 0);
    panel.Quantity = 1;
    panel.Grain = grain;
    SetPanelEntryIndex(panel, navigator_->NewRecordIndex());
    PanelList->push_back(std::move(panel));

    // The fields show it; nothing is pending, the record holds what they show.
    length_->Show(settings_.DefaultPanelLength);
    width_->Show(settings_.DefaultPanelWidth);
    if (ImportPending == 1) {
      lblSens->setEnabled(true);
      CbxSens->setEnabled(true);
    }
    SetGrain(grain);
    count_->Show(1);
    ShowSpecies(0);
    PendingThickness = thickness;
    thickness_->Show(thickness);
    PendingLength = settings_.DefaultPanelLength;
    PendingWidth = settings_.DefaultPanelWidth;
    PendingCount = 1;

    BtnSupprimer->setEnabled(true);
    navigator_->NewRecordAppended();
    FocusWithoutExit(EdtLongueur);  // each record is typed from its first field
  } catch (const std::exception&) {
    ReportFailure();
  }
}

// The record shown goes, its pending edits with it. When the job is modified and some part
// needs it, the user is asked first.
void TSelPanneaux::BtnSupprimerClick() {
  static const tranchex::PartList kNoParts;
  const std::size_t index = static_cast<std::size_t>(navigator_->Index());
  if (!PartsStillFitAfterPanelDelete(*PanelList, Shown(), PartList ? *PartList : kNoParts,
                                     Margins, ModifyMode == 1)) {
    if (prompts_.Ask(msgDeleteCaption_, msgDelete_, PromptButtons::YesNo) != PromptAnswer::Yes)
      return;
  }
  PanelList->erase(PanelList->begin() + static_cast<std::ptrdiff_t>(index));
  ClearPendingMarks();
  navigator_->ClearNewFlags();
  if (PanelList->size() <= 1 || index == 0) {
    ShowPanelRecord();
  } else {
    navigator_->StepBackAfterDelete();
  }
  if (PanelList->size() <= 1) BtnSupprimer->setEnabled(false);
}

void TSelPanneaux::BtnTerminerClick() {
  if (!LeaveFocusedField()) return;
  try {
    if (!CommitPanelEdits(true)) return;
    static const tranchex::PartList kNoParts;
    // The whole list is what the job will be cut from, a record just added included.
    const bool check = ModifyMode == 1;
    if (!AllPartsFitSomePanel(*PanelList, PartList ? *PartList : kNoParts, Margins, check)) {
      prompts_.Notice(caption_, msgListInvalid_, PromptIcon::Warning);
      return;
    }
    // Copies in all: a stock list past the job's limit could not be laid out.
    if (const auto fault = CheckJobCopies(*PanelList, kNoParts)) {
      prompts_.Notice(caption_, Sentence(fault->message), PromptIcon::Warning);
      return;
    }
    Finished = 1;
    navigator_->Leave();
    accept();
  } catch (const std::exception&) {
    ReportFailure();
  }
}

void TSelPanneaux::BtnAnnulClick() {
  Finished = 0;
  navigator_->Leave();
  reject();
}

void TSelPanneaux::ChbNbPanneauxClick() { EdtNb->setEnabled(ChbNbPanneaux->isChecked()); }

// ---- Fields ---------------------------------------------------------------------------------

bool TSelPanneaux::EdtLongueurExit() { return length_->Exit(); }
bool TSelPanneaux::EdtLargeurExit() { return width_->Exit(); }
bool TSelPanneaux::EdtEpaisseurExit() { return thickness_->Exit(); }
bool TSelPanneaux::EdtNbExit() { return count_->Exit(); }

void TSelPanneaux::EdtLongueurChange() {
  if (!EdtLargeur->text().isEmpty()) BtnTerminer->setEnabled(true);
}

void TSelPanneaux::EdtLargeurChange() {
  if (!EdtLongueur->text().isEmpty()) BtnTerminer->setEnabled(true);
}

void TSelPanneaux::CbxSensClick() {
  ShowGrainPicture();
  GrainDirty = 1;
  navigator_->RecordTouched();
  BtnNouveau->setEnabled(true);
}

// A typed name that is in no item (exact letters, case counts) may join the species list. A
// name not added, refused or emptied puts the species shown before back in the box.
bool TSelPanneaux::CbxEssenceExit() {
  const TypedSpecies typed = OfferTypedSpecies(*CbxEssence, SpeciesList, AddSpecies, prompts_);
  if (typed == TypedSpecies::Added) SpeciesChanged = 1;
  const bool keepTyped = typed != TypedSpecies::NotAdded;
  if (keepTyped) {
    // A listed name typed by hand selects its item.
    if (ShownSpeciesIndex() >= 0) ShowSpeciesInBox(*CbxEssence, ShownSpeciesIndex());
    speciesShown_ = CbxEssence->currentText();
  } else {
    const int index = CbxEssence->findText(speciesShown_, Qt::MatchExactly | Qt::MatchCaseSensitive);
    CbxEssence->setCurrentIndex(speciesShown_.isEmpty() ? -1 : index);
    CbxEssence->setEditText(speciesShown_);
  }
  SpeciesEdited = 1;
  navigator_->RecordTouched();
  BtnNouveau->setEnabled(true);
  return true;
}

// ---- The standard-size picker ---------------------------------------------------------------

bool TSelPanneaux::eventFilter(QObject* watched, QEvent* event) {
  if (DialogFrame::eventFilter(watched, event)) return true;
  const bool sizeField = watched == EdtLongueur || watched == EdtLargeur || watched == EdtEpaisseur;
  if (sizeField && Picker != nullptr) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      BitBtnLongueurClick();
      return true;
    }
    // The right button opens the picker, not the field's own menu.
    if (event->type() == QEvent::ContextMenu) return true;
  }
  return false;
}

void TSelPanneaux::BitBtnLongueurClick() {
  if (Picker == nullptr) return;
  SizePickerInput in;
  in.SizeList = PanelSizeList;
  in.SizePanelList = nullptr;
  in.SizeJobKind = JobKind;
  in.SizePickMode = 1;
  in.SizeContext = JobKind == 1 ? 1 : 2;
  // Sizes typed and not yet checked are checked first: the picker starts from accepted values.
  length_->Exit();
  width_->Exit();
  thickness_->Exit();
  in.SizeLength = EdtLongueur->text().isEmpty() ? 0 : static_cast<std::int32_t>(PendingLength);
  in.SizeWidth = EdtLargeur->text().isEmpty() ? 0 : static_cast<std::int32_t>(PendingWidth);
  in.SizeThickness =
      EdtEpaisseur->text().isEmpty() ? 0 : static_cast<std::int32_t>(PendingThickness);

  const SizePickerOutput out = Picker->Pick(in, *this);
  if (out.SizePicked) {
    // A size outside what a record may hold is not taken.
    const auto usable = [](std::int32_t v, double max) { return v > 0 && v <= max; };
    if (usable(out.SizeLength, kMaxRecordSize)) {
      PendingLength = out.SizeLength;
      length_->Show(PendingLength);
      LengthDirty = 1;
    }
    if (usable(out.SizeWidth, kMaxRecordSize)) {
      PendingWidth = out.SizeWidth;
      width_->Show(PendingWidth);
      WidthDirty = 1;
    }
    if (JobKind == 2 && out.ThicknessGiven && usable(out.SizeThickness, kMaxRecordThickness)) {
      PendingThickness = out.SizeThickness;
      thickness_->Show(PendingThickness);
      ThicknessDirty = 1;
    }
  }
  if (out.SizeChanged) PanelSizesChanged = 1;
}

}  // namespace tranchex
