#include "dialogs/USelPieces.h"

#include <QCheckBox>
#include <QComboBox>
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

#include "dialogs/CharacteristicPicker.h"
#include "dialogs/CheckedField.h"
#include "dialogs/DesignationPicker.h"
#include "dialogs/SizePicker.h"
#include "dialogs/SpeciesBox.h"
#include "engine/FitChecks.h"
#include "job/ColumnLetters.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "job/Outils_debit.h"
#include "platform/Bitmaps.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

namespace PartText = TextId::PartForm;
namespace PanelText = TextId::PanelForm;

const char* const kGrainPictures[] = {"sens_horiz", "sens_vert", "sens_non"};

QString Lower(const std::string& word) { return QString::fromStdString(word).toLower(); }

// Characters as the user sees them: a letter outside the basic plane counts once.
qsizetype CharacterCount(const QString& text) { return text.toUcs4().size(); }

bool SameGrainPanel(const PanelList& panels, int grain) {
  return std::any_of(panels.begin(), panels.end(),
                     [grain](const Panneau_p& p) { return p.Grain == grain; });
}

// The bound of one size: `own` is the largest stock size along the same side, `other` along the
// other side. A part of fixed grain lies as a panel of its grain does; when no panel has its
// grain, a vertical part lies across a horizontal panel, so its length meets the widths and its
// width the lengths.
std::optional<PartSizeBound> SizeBound(const PanelList& panels, int grain, double own,
                                       double other) {
  if (grain < 0 || grain > 2) return std::nullopt;
  if (grain == GrainIndifferent) return PartSizeBound{std::max(own, other), true};
  if (SameGrainPanel(panels, grain)) return PartSizeBound{own, false};
  return PartSizeBound{grain == GrainHorizontal ? own : other, true};
}

}  // namespace

std::optional<PartSizeBound> PartLengthBound(const PanelList& panels, int grain) {
  return SizeBound(panels, grain, LargestPanelLength(panels), LargestPanelWidth(panels));
}

std::optional<PartSizeBound> PartWidthBound(const PanelList& panels, int grain) {
  return SizeBound(panels, grain, LargestPanelWidth(panels), LargestPanelLength(panels));
}

TSelPieces::TSelPieces(const Settings& settings, Prompts& prompts, HelpViewer& help,
                       QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 1040, prompts, help, parent), settings_(settings) {
  setObjectName(QStringLiteral("SelPieces"));
  setWindowTitle(QStringLiteral("Sélection des pièces"));
  BuildLayout();
  navigator_ = std::make_unique<RecordNavigator>(
      RecordNavigator::Controls{BtnPremier, BtnPred, BtnSuivant, BtnDernier, BtnNouveau,
                                EdtCompteur},
      RecordNavigator::Hooks{
          [this] { return PartList ? static_cast<int>(PartList->size()) : 0; },
          [this] { return AnyDirty(); },
          [this] {
            switch (CheckAndCommit()) {
              case LeaveOutcome::Left:
                return true;
              case LeaveOutcome::Refused:
                Refuse(RefusalMessage());
                RestoreSwap();
                navigator_->RecordTouched();
                return false;
              case LeaveOutcome::Abandoned:
                return false;
            }
            return false;
          },
          [this] {
            const QString question = Text(PartText::UntouchedStart) +
                                     Lower(settings_.WordPart) + Text(PartText::UntouchedEnd);
            const QString caption = Text(PartText::Caption) + Lower(settings_.WordParts);
            if (prompts_.Ask(caption, question, PromptButtons::YesNo) == PromptAnswer::No)
              return RecordNavigator::UntouchedChoice::Drop;
            // Kept: the sizes are still to be entered, so the record cannot be left.
            Refuse(RefusalMessage());
            navigator_->RecordTouched();
            return RecordNavigator::UntouchedChoice::Stay;
          },
          [this] {
            PartList->pop_back();
            PartDesignationList->pop_back();
            PartReferenceList->pop_back();
            if (PartList->size() <= 1) BtnSupprimer->setEnabled(false);
          },
          [this](RecordNavigator::Move) { DisplayRecord(navigator_->Index()); }});
  FormCreate();
  ConnectHandlers();
}

TSelPieces::~TSelPieces() = default;

// ---- Creation -------------------------------------------------------------------------------

void TSelPieces::BuildLayout() {
  PanelDessin = Named(new QFrame(this), "PanelDessin");
  PanelDessin->setFrameShape(QFrame::Panel);
  PanelDessin->setFrameShadow(QFrame::Sunken);
  Image = Named(new QLabel(PanelDessin), "Image");
  Image->setScaledContents(true);
  Image->setFixedSize(96, 64);
  auto* pictureLayout = new QVBoxLayout(PanelDessin);
  pictureLayout->setContentsMargins(2, 2, 2, 2);
  pictureLayout->addWidget(Image);

  lblReference = Named(new QLabel(this), "lblReference");
  lblDesignation = Named(new QLabel(this), "lblDesignation");
  lblLongueur = Named(new QLabel(this), "lblLongueur");
  lblLargeur = Named(new QLabel(this), "lblLargeur");
  lblSens = Named(new QLabel(this), "lblSens");
  EdtReference = Named(new QLineEdit(this), "EdtReference");
  EdtDesignation = Named(new QLineEdit(this), "EdtDesignation");
  EdtLongueur = Named(new QLineEdit(this), "EdtLongueur");
  EdtLargeur = Named(new QLineEdit(this), "EdtLargeur");
  CbxSens = Named(new QComboBox(this), "CbxSens");
  BitBtnLongueur = Named(new QToolButton(this), "BitBtnLongueur");
  BitBtnLargeur = Named(new QToolButton(this), "BitBtnLargeur");
  BitBtnDesignation = Named(new QToolButton(this), "BitBtnDesignation");
  BitBtnSens = Named(new QToolButton(this), "BitBtnSens");
  for (QToolButton* b : {BitBtnLongueur, BitBtnLargeur, BitBtnDesignation, BitBtnSens}) {
    b->setText(QStringLiteral("..."));
    b->setFocusPolicy(Qt::TabFocus);
  }
  EdtReference->setFixedWidth(50);
  for (QLineEdit* e : {EdtLongueur, EdtLargeur}) e->setFixedWidth(90);

  auto* fields = new QGridLayout;
  fields->addWidget(lblReference, 0, 0);
  fields->addWidget(EdtReference, 0, 1);
  fields->addWidget(lblDesignation, 1, 0);
  auto* designation = new QHBoxLayout;
  designation->addWidget(EdtDesignation, 1);
  designation->addWidget(BitBtnDesignation);
  fields->addLayout(designation, 1, 1, 1, 2);
  fields->addWidget(lblLongueur, 2, 0);
  fields->addWidget(EdtLongueur, 2, 1);
  fields->addWidget(BitBtnLongueur, 2, 2, Qt::AlignLeft);
  fields->addWidget(lblLargeur, 3, 0);
  fields->addWidget(EdtLargeur, 3, 1);
  fields->addWidget(BitBtnLargeur, 3, 2, Qt::AlignLeft);
  fields->addWidget(lblSens, 4, 0);
  fields->addWidget(CbxSens, 4, 1);
  fields->addWidget(BitBtnSens, 4, 2, Qt::AlignLeft);
  auto* top = new QHBoxLayout;
  top->addLayout(fields);
  top->addStretch(1);
  top->addWidget(PanelDessin, 0, Qt::AlignTop);

  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  ChbNbPieces = Named(new QCheckBox(GroupBox1), "ChbNbPieces");
  lblNb = Named(new QLabel(GroupBox1), "lblNb");
  EdtNb = Named(new QLineEdit(GroupBox1), "EdtNb");
  EdtNb->setFixedWidth(90);
  auto* countLayout = new QHBoxLayout(GroupBox1);
  countLayout->addWidget(ChbNbPieces);
  countLayout->addStretch(1);
  countLayout->addWidget(lblNb);
  countLayout->addWidget(EdtNb);

  GpbDebitComplexe = Named(new QGroupBox(this), "GpbDebitComplexe");
  lblEpaisseur = Named(new QLabel(GpbDebitComplexe), "lblEpaisseur");
  EdtEpaisseur = Named(new QLineEdit(GpbDebitComplexe), "EdtEpaisseur");
  EdtEpaisseur->setFixedWidth(90);
  CbxEpaisseur = Named(new QComboBox(GpbDebitComplexe), "CbxEpaisseur");
  lblEssence = Named(new QLabel(GpbDebitComplexe), "lblEssence");
  CbxEssence = Named(new QComboBox(GpbDebitComplexe), "CbxEssence");
  MakeSpeciesBox(*CbxEssence);
  CbxEssence->setMinimumWidth(180);
  BitBtnEpaisseur = Named(new QToolButton(GpbDebitComplexe), "BitBtnEpaisseur");
  BitBtnEssence = Named(new QToolButton(GpbDebitComplexe), "BitBtnEssence");
  for (QToolButton* b : {BitBtnEpaisseur, BitBtnEssence}) {
    b->setText(QStringLiteral("..."));
    b->setFocusPolicy(Qt::TabFocus);
  }
  auto* complexLayout = new QGridLayout(GpbDebitComplexe);
  complexLayout->addWidget(lblEpaisseur, 0, 0);
  complexLayout->addWidget(EdtEpaisseur, 0, 1);
  complexLayout->addWidget(CbxEpaisseur, 0, 2);
  complexLayout->addWidget(BitBtnEpaisseur, 0, 3);
  complexLayout->addWidget(lblEssence, 1, 0);
  complexLayout->addWidget(CbxEssence, 1, 1, 1, 2);
  complexLayout->addWidget(BitBtnEssence, 1, 3);

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
  layout->addWidget(GroupBox1);
  layout->addWidget(GpbDebitComplexe);
  layout->addSpacing(6);
  layout->addLayout(moves);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {EdtReference, EdtDesignation, EdtLongueur, EdtLargeur, CbxSens,
                      ChbNbPieces,  EdtNb,          EdtEpaisseur, CbxEpaisseur, CbxEssence,
                      BtnPred,      BtnSuivant,     BtnAnnul,    BtnNouveau,  BtnSupprimer,
                      BtnTerminer,  BtnPremier,     BtnDernier};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  for (QLineEdit* e : {EdtDesignation, EdtLongueur, EdtLargeur, EdtEpaisseur})
    e->installEventFilter(this);
}

void TSelPieces::FormCreate() {
  grainTexts_ = {Text(TextId::Grain::Horizontal), Text(TextId::Grain::Vertical),
                 Text(TextId::Grain::Indifferent)};
  CbxSens->clear();
  for (const QString& grain : grainTexts_) CbxSens->addItem(grain);
  CbxSens->setCurrentIndex(GrainHorizontal);

  lblReference->setText(Text(PartText::LblReference));
  lblDesignation->setText(Text(PartText::LblDesignation));
  lblSens->setText(Text(PanelText::LblSens));
  lblNb->setText(Text(PanelText::LblNb));
  lblEssence->setText(Text(PanelText::LblEssence));
  BtnAnnul->setText(Text(PanelText::BtnAnnul));
  BtnTerminer->setText(Text(PanelText::BtnTerminer));
  BtnPred->setText(Text(PanelText::BtnPred));
  BtnSuivant->setText(Text(PanelText::BtnSuivant));
  ChbNbPieces->setText(Text(PartText::ChbNbPieces));
  GpbDebitComplexe->setTitle(Text(PanelText::GpbDebitComplexe));
  BtnNouveau->setText(Text(PanelText::BtnNouveau));
  BtnSupprimer->setText(Text(PanelText::BtnSupprimer));
  BtnPremier->setText(Text(PanelText::BtnPremier));
  BtnDernier->setText(Text(PanelText::BtnDernier));
  BtnPred->setEnabled(false);
  BtnPremier->setEnabled(false);
  BitBtnLongueur->setToolTip(Text(PanelText::BitBtnLongueurHint));
  BitBtnLargeur->setToolTip(Text(PanelText::BitBtnLargeurHint));
  BitBtnDesignation->setToolTip(Text(PartText::BitBtnDesignationHint));
  BitBtnEpaisseur->setToolTip(Text(PartText::BitBtnEpaisseurHint));
  BitBtnEssence->setToolTip(Text(PartText::BitBtnEssenceHint));
  BitBtnSens->setToolTip(Text(PartText::BitBtnSensHint));

  MakeCheckedFields();

  SetFieldExit(EdtReference, [this] { return EdtReferenceExit(); });
  SetFieldExit(EdtDesignation, [this] { return EdtDesignationExit(); });
  SetFieldExit(EdtLongueur, [this] { return EdtLongueurExit(); });
  SetFieldExit(EdtLargeur, [this] { return EdtLargeurExit(); });
  SetFieldExit(EdtEpaisseur, [this] { return EdtEpaisseurExit(); });
  SetFieldExit(EdtNb, [this] { return EdtNbExit(); });
  SetFieldExit(CbxEssence, [this] { return CbxEssenceExit(); });

  SetCancelButton(BtnAnnul);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setDefault(false);
}

// The size fields are read whenever they are left with a text, typed or not: a grain chosen
// since may have lowered their bound. A value shown stands for itself (CheckedField), so what is
// checked and kept is the stored or picked size, never its rounded text.
void TSelPieces::MakeCheckedFields() {
  const auto unit = [this]() -> const UNITE_MESURE& { return Unit; };
  const auto separator = [] { return RegionalDecimalSeparator(); };
  const auto makeSize = [&](SizeField which, double& pending, std::uint8_t& dirty) {
    const bool isLength = which == SizeField::Length;
    CheckedFieldRule rule;
    rule.Guard = FieldExitGuard::NotEmpty;
    rule.OnRefusal = RefusedFieldText::Empty;
    rule.FieldTextId =
        isLength ? TextId::FieldChecks::InvalidLength : TextId::FieldChecks::InvalidWidth;
    auto field = std::make_unique<CheckedField>(
        isLength ? EdtLongueur : EdtLargeur, rule,
        CheckedField::Sources{unit, [this, which] { return SizeRange(which); },
                              [] { return 0.0; }, separator},
        prompts_);
    field->RangeRefusal = [this, which](std::optional<double> value) {
      return SizeRefusal(which, value);
    };
    field->OnAccepted = [this, &pending, &dirty](double value) {
      pending = value;
      dirty = 1;
      navigator_->RecordTouched();
    };
    field->OnRefused = [&pending, &dirty] {
      pending = 0.0;
      dirty = 0;
    };
    return field;
  };
  length_ = makeSize(SizeField::Length, PendingLength, LengthDirty);
  width_ = makeSize(SizeField::Width, PendingWidth, WidthDirty);

  // The typed thickness: above 0 and up to the thickest stock panel, so some panel is thick
  // enough for it.
  CheckedFieldRule thicknessRule;
  thicknessRule.Guard = FieldExitGuard::Modified;
  thicknessRule.OnRefusal = RefusedFieldText::Empty;
  thicknessRule.FieldTextId = TextId::FieldChecks::InvalidThickness;
  thickness_ = std::make_unique<CheckedField>(
      EdtEpaisseur, thicknessRule,
      CheckedField::Sources{
          unit,
          [this] { return EntryRange{0.0, false, LargestPanelThickness(*PanelList), true}; },
          [] { return 0.0; }, separator},
      prompts_);
  thickness_->OnAccepted = [this](double value) {
    PendingThickness = value;
    ThicknessDirty = 1;
    navigator_->RecordTouched();
  };
  thickness_->OnRefused = [this] { ThicknessDirty = 0; };

  CheckedFieldRule rule;
  rule.IsCount = true;
  rule.Guard = FieldExitGuard::Modified;
  rule.OnRefusal = RefusedFieldText::StoredValue;
  rule.FieldTextId = TextId::FieldChecks::InvalidCount;
  count_ = std::make_unique<CheckedField>(
      EdtNb, rule,
      CheckedField::Sources{
          [this]() -> const UNITE_MESURE& { return Unit; },
          [] { return EntryRange{0.0, false, static_cast<double>(kMaxQuantity), true}; },
          [this] {
            return static_cast<double>(
                (*PartList)[static_cast<std::size_t>(navigator_->Index())].Quantity);
          },
          [] { return RegionalDecimalSeparator(); }},
      prompts_);
  count_->OnAccepted = [this](double value) {
    PendingCount = static_cast<std::int32_t>(value);
    CountDirty = 1;
    navigator_->RecordTouched();
  };
  count_->OnRefused = [this] {
    PendingCount = (*PartList)[static_cast<std::size_t>(navigator_->Index())].Quantity;
    CountDirty = 0;
  };
}

// The bounds of a size: above 0, at most what the stock panels allow for the grain shown.
EntryRange TSelPieces::SizeRange(SizeField which) const {
  const auto bound = which == SizeField::Length ? PartLengthBound(*PanelList, PendingGrain)
                                                : PartWidthBound(*PanelList, PendingGrain);
  const double upper = bound ? std::min(bound->Bound, kMaxRecordSize) : kMaxRecordSize;
  return EntryRange{0.0, false, upper, true};
}

// The refusal of a size names the bound that refused it: the stock's size along that side for a
// value of 0 or less, the larger stock size for a text that is no number, else the grain's
// bound, with the invitation to change the grain when the bound comes from it.
QString TSelPieces::SizeRefusal(SizeField which, std::optional<double> value) const {
  const bool isLength = which == SizeField::Length;
  const double maxL = LargestPanelLength(*PanelList);
  const double maxW = LargestPanelWidth(*PanelList);
  PartSizeBound bound{std::max(maxL, maxW), false};
  if (value && *value <= 0.0) {
    bound = PartSizeBound{isLength ? maxL : maxW, false};
  } else if (value) {
    const auto grainBound = isLength ? PartLengthBound(*PanelList, PendingGrain)
                                     : PartWidthBound(*PanelList, PendingGrain);
    bound = grainBound && *value > grainBound->Bound ? *grainBound
                                                     : PartSizeBound{kMaxRecordSize, false};
  }
  const char separator = RegionalDecimalSeparator();
  const std::string boundText =
      UpperBoundText(bound.Bound, true, Unit.Factor, separator) + " " + Unit.Abbreviation;
  std::string range = LoadString(bound.FromGrain ? PartText::GrainRangeText
                                                 : TextId::FieldChecks::RangeText);
  range = ReplaceVal1Val2Placeholders(range, "0", boundText, "");
  range = ReplacePlaceholder(range, "pièce", LowerCaseText(settings_.WordPart));
  range = ReplacePlaceholder(range, "panneau", LowerCaseText(settings_.WordPanel));
  return Text(isLength ? TextId::FieldChecks::InvalidLength : TextId::FieldChecks::InvalidWidth) +
         QStringLiteral("\n") + QString::fromStdString(range);
}

// A change of a size text, typed or set by the form: with the other size filled the record can
// be added to or finished; an emptied size is no size.
void TSelPieces::SizeChange(QLineEdit* own, QLineEdit* other, double& pending) {
  if (!other->text().isEmpty()) {
    BtnNouveau->setEnabled(true);
    BtnTerminer->setEnabled(true);
  }
  if (own->text().isEmpty()) pending = 0.0;
}

void TSelPieces::ConnectHandlers() {
  connect(BtnPremier, &QPushButton::clicked, this, [this] { BtnPremierClick(); });
  connect(BtnPred, &QPushButton::clicked, this, [this] { BtnPredClick(); });
  connect(BtnSuivant, &QPushButton::clicked, this, [this] { BtnSuivantClick(); });
  connect(BtnDernier, &QPushButton::clicked, this, [this] { BtnDernierClick(); });
  connect(BtnNouveau, &QPushButton::clicked, this, [this] { BtnNouveauClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnTerminer, &QPushButton::clicked, this, [this] { BtnTerminerClick(); });
  connect(BtnAnnul, &QPushButton::clicked, this, [this] { BtnAnnulClick(); });
  connect(ChbNbPieces, &QCheckBox::toggled, this, [this] { ChbNbPiecesClick(); });
  // Choices of the user only: the form showing a record is no edit.
  connect(CbxSens, &QComboBox::activated, this, [this] { CbxSensClick(); });
  connect(CbxEpaisseur, &QComboBox::activated, this, [this] { CbxEpaisseurChange(); });
  for (QToolButton* b : {BitBtnLongueur, BitBtnLargeur})
    connect(b, &QToolButton::clicked, this, [this] { BitBtnLongueurClick(); });
  connect(BitBtnDesignation, &QToolButton::clicked, this, [this] { BitBtnDesignationClick(); });
  for (QToolButton* b : {BitBtnSens, BitBtnEpaisseur, BitBtnEssence})
    connect(b, &QToolButton::clicked, this, [this] { BitBtnSensClick(); });
  connect(EdtLongueur, &QLineEdit::textChanged, this,
          [this] { SizeChange(EdtLongueur, EdtLargeur, PendingLength); });
  connect(EdtLargeur, &QLineEdit::textChanged, this,
          [this] { SizeChange(EdtLargeur, EdtLongueur, PendingWidth); });
}

// ---- Showing --------------------------------------------------------------------------------

// The reference lists changed by this showing's pickers are reported after it, whatever
// happens to the records in between (a delete shows the first record again).
void TSelPieces::NewShowing() {
  PartSizesChanged = 0;
  DesignationsChanged = 0;
  SpeciesChanged = 0;
  setWindowTitle(Text(PartText::Caption) + Lower(settings_.WordParts));
  const QString inUnit = Text(PanelText::InUnit) + QString::fromStdString(Unit.Abbreviation);
  lblLongueur->setText(Text(PanelText::LblLongueur) + inUnit);
  lblLargeur->setText(Text(PanelText::LblLargeur) + inUnit);
  lblEpaisseur->setText(Text(PanelText::LblEpaisseur) + inUnit);
}

QString TSelPieces::RefusalMessage() const {
  return Text(PartText::RefusalStart) + Lower(settings_.WordPart) +
         Text(PartText::RefusalMiddle) + Lower(settings_.WordPanels) + Text(PartText::RefusalEnd);
}

// The whole question, every "val1" the part word and every "val2" the panel word.
QString TSelPieces::SwapQuestion() const {
  QString text = Text(PartText::SwapQuestion);
  text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("val1"), Lower(settings_.WordPart));
  text.replace(QStringLiteral("val2"), Lower(settings_.WordPanel));
  return text;
}

void TSelPieces::Refuse(const QString& message) {
  prompts_.Notice(Text(TextId::FieldChecks::Caption), message, PromptIcon::Warning);
}

bool TSelPieces::AnyDirty() const {
  return DesignationDirty || ReferenceDirty || LengthDirty || WidthDirty || CountDirty ||
         GrainDirty || ThicknessDirty || SpeciesEdited;
}

void TSelPieces::ClearPendingMarks() {
  DesignationDirty = 0;
  ReferenceDirty = 0;
  LengthDirty = 0;
  WidthDirty = 0;
  CountDirty = 0;
  GrainDirty = 0;
  ThicknessDirty = 0;
  SpeciesEdited = 0;
}

void TSelPieces::ShowGrainPicture() {
  const int grain = CbxSens->currentIndex();
  if (grain >= 0 && grain < 3)
    Image->setPixmap(LoadNamedBitmap(QString::fromLatin1(kGrainPictures[grain])));
}

void TSelPieces::SetGrain(int grain) {
  CbxSens->setCurrentIndex(grain >= 0 && grain < CbxSens->count() ? grain : -1);
  ShowGrainPicture();
}

// The thickness items: the panel thicknesses in panel order, equal neighbours merged, each
// carrying the panel's own value so that a choice stores it exactly, and written to the tenth of
// a millimetre so that no two stock thicknesses read alike (19 and 22 mm in metres: "0,019",
// "0,022").
void TSelPieces::FillChoiceBoxes() {
  CbxEpaisseur->clear();
  double previous = 0.0;
  for (const Panneau_p& panel : *PanelList) {
    if (panel.Thickness == previous) continue;
    CbxEpaisseur->addItem(QString::fromStdString(FormatSize(panel.Thickness, Unit.Factor,
                                                            RegionalDecimalSeparator())),
                          panel.Thickness);
    previous = panel.Thickness;
  }
  FillSpeciesBox(*CbxEssence, SpeciesList);
}

void TSelPieces::ShowThickness(double thickness) {
  thickness_->Show(thickness);
  const int item = CbxEpaisseur->findData(thickness);
  if (item >= 0) CbxEpaisseur->setCurrentIndex(item);
}

void TSelPieces::EnableKindControls() {
  const bool complex = JobKind == 2;
  const bool typed = complex && Margins.ThickerStockAllowed != 0;
  GpbDebitComplexe->setEnabled(complex);
  lblEpaisseur->setEnabled(complex);
  EdtEpaisseur->setEnabled(typed);
  CbxEpaisseur->setEnabled(complex && !typed);
  lblEssence->setEnabled(complex);
  CbxEssence->setEnabled(complex);
  EnablePickers();
}

// A picker button is usable when the form was handed a picker and what it picks from.
void TSelPieces::EnablePickers() {
  const bool complex = JobKind == 2;
  const bool typed = complex && Margins.ThickerStockAllowed != 0;
  BitBtnLongueur->setEnabled(Picker != nullptr);
  BitBtnLargeur->setEnabled(Picker != nullptr);
  BitBtnDesignation->setEnabled(DesignationsPicker != nullptr && DesignationList != nullptr);
  const bool characteristics = CharacteristicsPicker != nullptr &&
                               PanelCharacteristicList != nullptr &&
                               !PanelCharacteristicList->empty();
  // In a simple job without grain directions a pick would have nothing to take.
  BitBtnSens->setEnabled(characteristics && (complex || settings_.GrainDirectionEnabled));
  BitBtnEpaisseur->setEnabled(characteristics && complex && !typed);
  BitBtnEssence->setEnabled(characteristics && complex);
}

// The first letters (a, b, ..., zz, aaa, ...) no other part uses.
QString TSelPieces::FreeReference(int skip) const {
  return QString::fromStdString(FirstFreeLetters(*PartReferenceList, skip));
}

void TSelPieces::ShowPartRecord() {
  if (PartList == nullptr || PanelList == nullptr || PartDesignationList == nullptr ||
      PartReferenceList == nullptr)
    return;
  ClearPendingMarks();
  FillChoiceBoxes();
  if (settings_.GrainDirectionEnabled) {
    lblSens->setEnabled(true);
    CbxSens->setEnabled(true);
  } else {
    lblSens->setEnabled(false);
    CbxSens->setEnabled(false);
  }
  if (PartList->empty()) {
    const Panneau_p* first = PanelList->empty() ? nullptr : &PanelList->front();
    TPiece part(0.0, 0.0, first ? first->Thickness : 0.0, first ? first->Species : 0);
    part.Quantity = 1;
    part.Grain = settings_.GrainDirectionEnabled ? GrainHorizontal : GrainIndifferent;
    part.Number = 0;
    part.DesignationIndex = 0;
    PanelFromDimensions(part);
    PartList->push_back(part);
    PartDesignationList->push_back("Piece1");
    PartReferenceList->push_back(FreeReference(0).toStdString());
  }
  BtnSupprimer->setEnabled(PartList->size() > 1);
  navigator_->Reset();
  DisplayRecord(0);
  // A first record without sizes cannot be added to before they are typed.
  if ((*PartList)[0].Length <= 0.0 || (*PartList)[0].Width <= 0.0) BtnNouveau->setEnabled(false);
  BtnAnnul->setEnabled(true);
  EnableKindControls();
  ChbNbPieces->setChecked(false);
  EdtNb->setEnabled(false);
}

// The record at index in the fields; the pending values, the grain included, become its own.
void TSelPieces::DisplayRecord(int index) {
  const TPiece& part = (*PartList)[static_cast<std::size_t>(index)];
  EdtDesignation->setText(
      QString::fromStdString((*PartDesignationList)[static_cast<std::size_t>(index)]));
  EdtReference->setText(
      QString::fromStdString((*PartReferenceList)[static_cast<std::size_t>(index)]));
  PendingLength = part.Length;
  if (part.Length > 0.0) {
    length_->Show(part.Length);
  } else {
    length_->Clear();
  }
  PendingWidth = part.Width;
  if (part.Width > 0.0) {
    width_->Show(part.Width);
  } else {
    width_->Clear();
  }
  PendingCount = part.Quantity;
  EdtNb->setText(QString::number(part.Quantity));
  // The record's own grain, also when the grain box is off: a turn turns it, nothing replaces it.
  SetGrain(part.Grain);
  PendingGrain = CbxSens->currentIndex();
  PendingThickness = part.Thickness;
  if (JobKind == 2) {
    ShowThickness(part.Thickness);
    ShowSpeciesInBox(*CbxEssence, part.Species);
    speciesShown_ = ShownSpeciesIndex(*CbxEssence);
  } else {
    thickness_->Clear();
  }
  FocusWithoutExit(EdtReference);  // each record is typed from its first field
}

// ---- Writing a record -----------------------------------------------------------------------

void TSelPieces::CommitPartEdits() {
  const std::size_t index = static_cast<std::size_t>(navigator_->Index());
  TPiece& part = (*PartList)[index];
  if (DesignationDirty) {
    part.DesignationIndex = static_cast<std::int32_t>(index);
    (*PartDesignationList)[index] = EdtDesignation->text().toStdString();
    DesignationDirty = 0;
  }
  if (ReferenceDirty) {
    (*PartReferenceList)[index] = EdtReference->text().toStdString();
    ReferenceDirty = 0;
  }
  if (LengthDirty) {
    part.Length = PendingLength;
    PanelFromDimensions(part);
    LengthDirty = 0;
  }
  if (WidthDirty) {
    part.Width = PendingWidth;
    PanelFromDimensions(part);
    WidthDirty = 0;
  }
  if (CountDirty) {
    part.Quantity = PendingCount;
    CountDirty = 0;
  }
  if (GrainDirty) {
    if (CbxSens->currentIndex() >= 0) part.Grain = CbxSens->currentIndex();
    GrainDirty = 0;
  }
  if (ThicknessDirty) {
    part.Thickness = PendingThickness;
    ThicknessDirty = 0;
  }
  if (SpeciesEdited) {
    if (const int species = ShownSpeciesIndex(*CbxEssence); species >= 0) part.Species = species;
    SpeciesEdited = 0;
  }
}

// A width above the length: the user may have the part turned. False when he declines.
bool TSelPieces::AskSwap() {
  swapped_ = false;
  if (!(PendingWidth > PendingLength)) return true;
  keptLength_ = PendingLength;
  keptWidth_ = PendingWidth;
  keptGrain_ = CbxSens->currentIndex();
  if (prompts_.Ask(Text(PartText::SwapCaption), SwapQuestion(), PromptButtons::YesNo,
                   PromptIcon::Warning) != PromptAnswer::Yes)
    return false;
  int grain = keptGrain_;
  RotatePartInDialog(PendingLength, PendingWidth, grain);
  CbxSens->setCurrentIndex(grain);
  PendingGrain = grain;
  LengthDirty = 1;
  WidthDirty = 1;
  GrainDirty = 1;
  swapped_ = true;
  return true;
}

// A refused leave puts the values from before the swap back as pending edits: the next commit
// writes them over what the refused one stored.
void TSelPieces::RestoreSwap() {
  if (!swapped_) return;
  PendingLength = keptLength_;
  PendingWidth = keptWidth_;
  CbxSens->setCurrentIndex(keptGrain_);
  PendingGrain = keptGrain_;
  ShowGrainPicture();
  LengthDirty = 1;
  WidthDirty = 1;
  GrainDirty = 1;
  swapped_ = false;
}

TSelPieces::LeaveOutcome TSelPieces::CheckAndCommit() {
  swapped_ = false;
  if (PendingLength == 0.0 || PendingWidth == 0.0) return LeaveOutcome::Refused;
  if (!AskSwap()) return LeaveOutcome::Abandoned;
  CommitPartEdits();
  const TPiece& part = (*PartList)[static_cast<std::size_t>(navigator_->Index())];
  if (!PartFitsSomePanel(*PanelList, part, Margins, ModifyMode == 1)) return LeaveOutcome::Refused;
  return LeaveOutcome::Left;
}

// ---- Buttons --------------------------------------------------------------------------------

void TSelPieces::Navigate(RecordNavigator::Move move) {
  if (!LeaveFocusedField()) return;
  try {
    navigator_->Go(move);
  } catch (const std::exception&) {
    Refuse(RefusalMessage());
  }
}

void TSelPieces::BtnPremierClick() { Navigate(RecordNavigator::Move::First); }
void TSelPieces::BtnPredClick() { Navigate(RecordNavigator::Move::Previous); }
void TSelPieces::BtnSuivantClick() { Navigate(RecordNavigator::Move::Next); }
void TSelPieces::BtnDernierClick() { Navigate(RecordNavigator::Move::Last); }

void TSelPieces::BtnNouveauClick() {
  if (!LeaveFocusedField()) return;
  try {
    if (const auto fault = CheckJobListSizes(1, static_cast<std::int64_t>(PartList->size()) + 1)) {
      Refuse(QString::fromStdString(fault->message));
      return;
    }
    swapped_ = false;
    if (PendingLength <= 0.5 || PendingWidth <= 0.5) {
      Refuse(RefusalMessage());
      return;
    }
    if (!AskSwap()) return;
    CommitPartEdits();
    if (!PartFitsSomePanel(*PanelList, (*PartList)[static_cast<std::size_t>(navigator_->Index())],
                           Margins, ModifyMode == 1)) {
      Refuse(RefusalMessage());
      RestoreSwap();
      return;
    }

    // The record first: should it fail to be added, the form stays on the record it showed.
    const int position = navigator_->NewRecordIndex();
    const Panneau_p* first = PanelList->empty() ? nullptr : &PanelList->front();
    TPiece part(0.0, 0.0, first ? first->Thickness : 0.0, first ? first->Species : 0);
    if (Engine != nullptr) AssignPartNumber(part, *Engine);
    part.Number = position;  // numbers are positions
    if (Engine != nullptr) Engine->PartCounter = std::max(Engine->PartCounter, position + 1);
    part.Quantity = 1;
    part.Grain = settings_.GrainDirectionEnabled ? GrainHorizontal : GrainIndifferent;
    // The designation entry appended with it is its own.
    part.DesignationIndex = static_cast<std::int32_t>(PartDesignationList->size());
    PanelFromDimensions(part);
    const QString designation = QStringLiteral("Piece") + QString::number(position + 1);
    const QString reference = FreeReference(-1);
    PartList->push_back(part);
    PartDesignationList->push_back(designation.toStdString());
    PartReferenceList->push_back(reference.toStdString());

    ClearPendingMarks();
    BtnSupprimer->setEnabled(true);
    // Shown first: the size texts emptied here enable nothing once the record is marked new.
    DisplayRecord(position);
    navigator_->NewRecordAppended();
  } catch (const std::exception&) {
    Refuse(RefusalMessage());
  }
}

// The record shown goes from the three lists; the others keep their positions as numbers.
void TSelPieces::BtnSupprimerClick() {
  const std::size_t index = static_cast<std::size_t>(navigator_->Index());
  if (index >= PartList->size()) return;
  PartList->erase(PartList->begin() + static_cast<std::ptrdiff_t>(index));
  PartDesignationList->erase(PartDesignationList->begin() + static_cast<std::ptrdiff_t>(index));
  PartReferenceList->erase(PartReferenceList->begin() + static_cast<std::ptrdiff_t>(index));
  for (std::size_t i = 0; i < PartList->size(); ++i) {
    (*PartList)[i].Number = static_cast<std::int32_t>(i);
    (*PartList)[i].DesignationIndex = static_cast<std::int32_t>(i);
  }
  if (Engine != nullptr) Engine->PartCounter = static_cast<int>(PartList->size());
  ClearPendingMarks();
  navigator_->ClearNewFlags();
  if (PartList->size() <= 1 || index == 0) {
    ShowPartRecord();
  } else {
    // The neighbour before it is shown as it is stored: nothing to write or test.
    navigator_->StepBackAfterDelete();
  }
  if (PartList->size() <= 1) BtnSupprimer->setEnabled(false);
}

void TSelPieces::BtnTerminerClick() {
  if (!LeaveFocusedField()) return;
  try {
    swapped_ = false;
    const int index = navigator_->Index();
    const bool incomplete = PendingLength == 0.0 || PendingWidth == 0.0;
    const bool lastNew =
        index > 0 && index == static_cast<int>(PartList->size()) - 1 && navigator_->CurrentIsNew();
    // Only a new last record may be left incomplete: it is dropped. Any other record with a
    // size missing is refused, as the first one is.
    if (incomplete && !lastNew) {
      Refuse(RefusalMessage());
      return;
    }
    if (!AskSwap()) return;
    if (PendingLength == 0.0 || PendingWidth == 0.0) {
      PartList->pop_back();
      PartDesignationList->pop_back();
      PartReferenceList->pop_back();
      ClearPendingMarks();
    } else {
      CommitPartEdits();
      if (!PartFitsSomePanel(*PanelList, (*PartList)[static_cast<std::size_t>(index)], Margins,
                             ModifyMode == 1)) {
        Refuse(RefusalMessage());
        RestoreSwap();
        return;
      }
    }
    Finished = 1;
    navigator_->Leave();
    accept();
  } catch (const std::exception&) {
    Refuse(RefusalMessage());
  }
}

void TSelPieces::BtnAnnulClick() {
  Finished = 0;
  navigator_->Leave();
  reject();
}

void TSelPieces::ChbNbPiecesClick() { EdtNb->setEnabled(ChbNbPieces->isChecked()); }

// ---- Fields ---------------------------------------------------------------------------------

bool TSelPieces::EdtLongueurExit() { return length_->Exit(); }
bool TSelPieces::EdtLargeurExit() { return width_->Exit(); }
bool TSelPieces::EdtNbExit() { return count_->Exit(); }
bool TSelPieces::EdtEpaisseurExit() { return thickness_->Exit(); }

// A thickness chosen is the panel's own, stored as it is.
void TSelPieces::CbxEpaisseurChange() {
  const double value = CbxEpaisseur->currentData().toDouble();
  if (value > 0.0 && value <= kMaxRecordThickness &&
      (JobKind != 2 || PanelThicknessExists(*PanelList, static_cast<int>(value)))) {
    PendingThickness = value;
    ThicknessDirty = 1;
    navigator_->RecordTouched();
    return;
  }
  Refuse(Text(TextId::FieldChecks::InvalidThickness) + QStringLiteral("\n") +
         Text(PartText::ThicknessAboveStock));
  CbxEpaisseur->setCurrentIndex(0);
  ThicknessDirty = 0;
}

// A name typed that the list lacks may join the species list; the part still takes only a
// species some stock panel has. A refused species puts back the one shown before, which the
// record keeps (the first panel's when that one is no stock species either).
bool TSelPieces::CbxEssenceExit() {
  if (JobKind != 2) return true;
  const TypedSpecies typed = OfferTypedSpecies(*CbxEssence, SpeciesList, AddSpecies, prompts_);
  if (typed == TypedSpecies::Added) SpeciesChanged = 1;
  if (typed == TypedSpecies::NotAdded) {
    ShowSpeciesInBox(*CbxEssence, speciesShown_);
    return true;
  }
  const int species = ShownSpeciesIndex(*CbxEssence);
  if (!PanelSpeciesExists(*PanelList, species)) {
    Refuse(Text(PartText::SpeciesNotInStock) + Lower(settings_.WordPanels) +
           QStringLiteral(" !"));
    if (!PanelSpeciesExists(*PanelList, speciesShown_) && !PanelList->empty())
      speciesShown_ = PanelList->front().Species;
    ShowSpeciesInBox(*CbxEssence, speciesShown_);
    return true;
  }
  ShowSpeciesInBox(*CbxEssence, species);
  speciesShown_ = species;
  SpeciesEdited = 1;
  navigator_->RecordTouched();
  return true;
}

void TSelPieces::CbxSensClick() {
  ShowGrainPicture();
  PendingGrain = CbxSens->currentIndex();
  GrainDirty = 1;
  navigator_->RecordTouched();
  // Sizes already entered are held against the bounds of the new grain.
  EdtLongueurExit();
  EdtLargeurExit();
}

// A reference names one part of the job: one to three characters, none another part uses.
bool TSelPieces::EdtReferenceExit() {
  if (!EdtReference->isModified()) return true;
  EdtReference->setModified(false);
  const std::size_t index = static_cast<std::size_t>(navigator_->Index());
  const QString text = EdtReference->text();
  const std::string bytes = text.toStdString();
  int refusal = 0;
  if (text.isEmpty()) {
    refusal = PartText::ReferenceEmpty;
  } else if (CharacterCount(text) > static_cast<qsizetype>(kMaxReferenceLength)) {
    refusal = PartText::ReferenceTooLong;
  } else if (CheckReference(bytes, index)) {
    refusal = PartText::InvalidReferenceText;
  } else {
    for (std::size_t i = 0; i < PartReferenceList->size(); ++i)
      if (i != index && (*PartReferenceList)[i] == bytes) refusal = PartText::ReferenceInUse;
  }
  if (refusal == 0) {
    ReferenceDirty = 1;
    navigator_->RecordTouched();
    return true;
  }
  Refuse(Text(refusal));
  EdtReference->setText(QString::fromStdString((*PartReferenceList)[index]));
  ReferenceDirty = 0;
  EdtReference->setFocus();
  return false;
}

bool TSelPieces::EdtDesignationExit() {
  if (!EdtDesignation->isModified()) return true;
  EdtDesignation->setModified(false);
  const std::size_t index = static_cast<std::size_t>(navigator_->Index());
  const int refusal = DesignationRefusal(EdtDesignation->text());
  if (refusal == 0) {
    DesignationDirty = 1;
    navigator_->RecordTouched();
    return true;
  }
  Refuse(Text(refusal));
  EdtDesignation->setText(QString::fromStdString((*PartDesignationList)[index]));
  DesignationDirty = 0;
  EdtDesignation->setFocus();
  return false;
}

// ---- The standard-size picker ---------------------------------------------------------------

bool TSelPieces::eventFilter(QObject* watched, QEvent* event) {
  if (DialogFrame::eventFilter(watched, event)) return true;
  if (watched == EdtDesignation && BitBtnDesignation->isEnabled()) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      BitBtnDesignationClick();
      return true;
    }
    // The right button opens the picker, not the field's own menu.
    if (event->type() == QEvent::ContextMenu) return true;
  }
  const bool sizeField = watched == EdtLongueur || watched == EdtLargeur || watched == EdtEpaisseur;
  if (sizeField && Picker != nullptr) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      BitBtnLongueurClick();
      return true;
    }
    if (event->type() == QEvent::ContextMenu) return true;
  }
  return false;
}

void TSelPieces::BitBtnLongueurClick() {
  if (Picker == nullptr) return;
  // Another field being left is checked first, and a refusal stops the pick; the size fields
  // are checked below, where a refused size goes to the picker as none.
  QWidget* focus = focusWidget();
  if (focus != EdtLongueur && focus != EdtLargeur && focus != EdtEpaisseur &&
      !LeaveFocusedField())
    return;
  SizePickerInput in;
  in.SizeList = PartSizeList;
  in.SizePanelList = PanelList;
  in.SizeJobKind = JobKind;
  in.SizePickMode = 1;
  in.SizeContext = JobKind == 1 ? 3 : (Margins.ThickerStockAllowed != 0 ? 5 : 4);
  // Values typed and not yet checked are checked first: the picker starts from accepted ones.
  if (EdtLongueur->isModified()) EdtLongueurExit();
  if (EdtLargeur->isModified()) EdtLargeurExit();
  if (EdtEpaisseur->isModified()) EdtEpaisseurExit();
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
    if (JobKind == 2 && EdtEpaisseur->isEnabled() && out.ThicknessGiven &&
        usable(out.SizeThickness, kMaxRecordThickness)) {
      PendingThickness = out.SizeThickness;
      thickness_->Show(PendingThickness);
      ThicknessDirty = 1;
    }
  }
  if (out.SizeChanged) PartSizesChanged = 1;
}

// ---- The designation picker -----------------------------------------------------------------

void TSelPieces::BitBtnDesignationClick() {
  if (DesignationsPicker == nullptr || DesignationList == nullptr) return;
  // The field being left is checked first; a refusal stops the pick.
  if (!LeaveFocusedField()) return;
  DesignationPickerInput in;
  in.ManagedDesignationList = DesignationList;
  in.DesignationPickMode = 1;
  const DesignationPickerOutput out = DesignationsPicker->Pick(in, *this);
  // Designations added or deleted stay in the list whatever the pick: its file is rewritten.
  if (out.DesignationsChanged) DesignationsChanged = 1;
  if (!out.DesignationChosen) return;
  const QString text = QString::fromStdString(out.ChosenDesignation);
  // A designation the job cannot hold is not taken, as if it were typed.
  if (const int refusal = DesignationRefusal(text)) {
    Refuse(Text(refusal));
    return;
  }
  EdtDesignation->setText(text);
  EdtDesignation->setModified(false);
  DesignationDirty = 1;
  navigator_->RecordTouched();
}

// ---- The panel characteristics picker -------------------------------------------------------

// The part takes a stock panel's grain (a grain choice: picture, sizes held against it again)
// and, in a complex job, its species and, when the thickness is chosen among the panels', its
// thickness: the item of the same value, since equal neighbours share one item.
void TSelPieces::BitBtnSensClick() {
  if (CharacteristicsPicker == nullptr || PanelCharacteristicList == nullptr) return;
  if (!LeaveFocusedField()) return;
  CharacteristicPickerInput in;
  in.CharacteristicList = PanelCharacteristicList;
  in.CharacteristicSpecies = SpeciesList;
  in.CharacteristicJobKind = JobKind;
  in.CharacteristicThickerStockAllowed = Margins.ThickerStockAllowed;
  in.CharacteristicUnit = Unit;
  const CharacteristicPickerOutput out = CharacteristicsPicker->Pick(in, *this);
  if (!out.CharacteristicChosen || out.ChosenCharacteristic < 0 ||
      static_cast<std::size_t>(out.ChosenCharacteristic) >= PanelCharacteristicList->size())
    return;
  const CARACTPAN chosen =
      (*PanelCharacteristicList)[static_cast<std::size_t>(out.ChosenCharacteristic)];

  if (settings_.GrainDirectionEnabled && chosen.Grain >= 0 && chosen.Grain < CbxSens->count()) {
    CbxSens->setCurrentIndex(chosen.Grain);
    CbxSensClick();
  }
  if (JobKind != 2) return;
  if (chosen.Species >= 0 && CbxEssence->findData(chosen.Species) >= 0) {
    ShowSpeciesInBox(*CbxEssence, chosen.Species);
    speciesShown_ = chosen.Species;
    SpeciesEdited = 1;
    navigator_->RecordTouched();
  }
  if (Margins.ThickerStockAllowed == 0) {
    const int item = CbxEpaisseur->findData(chosen.Thickness);
    if (item >= 0) {
      CbxEpaisseur->setCurrentIndex(item);
      PendingThickness = chosen.Thickness;
      ThicknessDirty = 1;
      navigator_->RecordTouched();
    }
  }
}

}  // namespace tranchex
