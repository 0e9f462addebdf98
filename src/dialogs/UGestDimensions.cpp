#include "dialogs/UGestDimensions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "dialogs/CheckedField.h"
#include "dialogs/NameListForm.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "job/Outils_debit.h"
#include "job/StandardSizes.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace DimensionsText = TextId::DimensionsForm;

}  // namespace

const QString TFGestDimensions::kThicknessBoxCaption =
    QStringLiteral("Sélectionner l'épaisseur");

TFGestDimensions::TFGestDimensions(const Settings& settings, Prompts& prompts, HelpViewer& help,
                                   QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 180, prompts, help, parent), settings_(settings) {
  setObjectName(QStringLiteral("FGestDimensions"));
  setWindowTitle(Text(DimensionsText::Caption));

  LblLongueur = Named(new QLabel(Text(DimensionsText::LblLongueur), this), "LblLongueur");
  LblLargeur = Named(new QLabel(Text(DimensionsText::LblLargeur), this), "LblLargeur");
  LblEpaisseur = Named(new QLabel(Text(DimensionsText::LblEpaisseur), this), "LblEpaisseur");
  EdtLongueur = Named(new QLineEdit(this), "EdtLongueur");
  EdtLargeur = Named(new QLineEdit(this), "EdtLargeur");
  EdtEpaisseur = Named(new QLineEdit(this), "EdtEpaisseur");
  LbDimensions = Named(new QListWidget(this), "LbDimensions");
  LbDimensions->setSelectionMode(QAbstractItemView::SingleSelection);
  // Every row is one line of text: the view need not measure each of many thousand rows.
  LbDimensions->setUniformItemSizes(true);
  LbDimensions->setMinimumSize(300, 170);
  CbxEpaisseur = Named(new QCheckBox(kThicknessBoxCaption, this), "CbxEpaisseur");
  BtnAjouter = Named(new QPushButton(Text(DimensionsText::BtnAjouter), this), "BtnAjouter");
  BtnSupprimer =
      Named(new QPushButton(Text(DimensionsText::BtnSupprimer), this), "BtnSupprimer");
  BtnOK = Named(new QPushButton(Text(DimensionsText::BtnOK), this), "BtnOK");
  QFont bold = BtnOK->font();
  bold.setBold(true);
  bold.setPointSize(9);
  for (QPushButton* b : {BtnAjouter, BtnSupprimer, BtnOK}) b->setFont(bold);

  auto* edits = new QGridLayout;
  int column = 0;
  for (auto [label, edit] : {std::pair<QLabel*, QLineEdit*>{LblLongueur, EdtLongueur},
                             {LblLargeur, EdtLargeur},
                             {LblEpaisseur, EdtEpaisseur}}) {
    edits->addWidget(label, 0, column);
    edits->addWidget(edit, 1, column);
    ++column;
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnAjouter);
  buttons->addWidget(BtnSupprimer);
  buttons->addWidget(BtnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(edits);
  layout->addWidget(LbDimensions);
  layout->addWidget(CbxEpaisseur);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(EdtLongueur, EdtLargeur);
  setTabOrder(EdtLargeur, EdtEpaisseur);
  setTabOrder(EdtEpaisseur, LbDimensions);
  setTabOrder(LbDimensions, BtnAjouter);
  setTabOrder(BtnAjouter, BtnSupprimer);
  setTabOrder(BtnSupprimer, BtnOK);
  setTabOrder(BtnOK, CbxEpaisseur);
  SetDefaultButton(BtnOK);

  // Each edit is checked when left after a change and only when it holds a text; a refused text
  // stays as typed, still marked as changed, so that it is checked again until mended.
  const auto unit = [this]() -> const UNITE_MESURE& { return settings_.MeasureUnit; };
  const auto separator = [] { return RegionalDecimalSeparator(); };
  auto make = [&](QLineEdit* edit, int textId, std::function<EntryRange()> range,
                  std::function<double()> current) {
    CheckedFieldRule rule;
    rule.Guard = FieldExitGuard::ModifiedNotEmpty;
    rule.OnRefusal = RefusedFieldText::Kept;
    rule.FieldTextId = textId;
    return std::make_unique<CheckedField>(
        edit, rule, CheckedField::Sources{unit, std::move(range), std::move(current), separator},
        prompts_);
  };
  length_ = make(
      EdtLongueur, TextId::FieldChecks::InvalidLength,
      [this] { return EntryRange{0.0, false, settings_.MaxLength, true}; },
      [this] { return static_cast<double>(CurrentLength); });
  width_ = make(
      EdtLargeur, TextId::FieldChecks::InvalidWidth,
      [this] { return EntryRange{0.0, false, settings_.MaxWidth, true}; },
      [this] { return static_cast<double>(CurrentWidth); });
  thickness_ = make(
      EdtEpaisseur, TextId::FieldChecks::InvalidThickness,
      [] { return EntryRange{0.0, false, kMaxRecordThickness, true}; },
      [this] { return static_cast<double>(CurrentThickness); });
  // An accepted value is the edit's size from now on; it is not checked again until changed.
  auto accepted = [](QLineEdit* edit, std::int32_t& current, bool& edited) {
    return [edit, &current, &edited](std::int32_t value) {
      current = value;
      edited = true;
      edit->setModified(false);
    };
  };
  length_->OnAccepted = accepted(EdtLongueur, CurrentLength, LengthEdited);
  width_->OnAccepted = accepted(EdtLargeur, CurrentWidth, WidthEdited);
  thickness_->OnAccepted = accepted(EdtEpaisseur, CurrentThickness, ThicknessEdited);
  length_->OnRefused = [this] { LengthEdited = false; };
  width_->OnRefused = [this] { WidthEdited = false; };
  thickness_->OnRefused = [this] { ThicknessEdited = false; };
  SetFieldExit(EdtLongueur, [this] { return length_->Exit(); });
  SetFieldExit(EdtLargeur, [this] { return width_->Exit(); });
  SetFieldExit(EdtEpaisseur, [this] { return thickness_->Exit(); });

  for (QLineEdit* edit : {EdtLongueur, EdtLargeur, EdtEpaisseur}) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { EdtChange(edit); });
  }
  // A row chosen by the person (mouse or keys), and a click on the chosen row, run the click
  // handler; the form's own changes of the list are made with its signals blocked.
  connect(LbDimensions, &QListWidget::itemSelectionChanged, this, [this] { LbDimensionsClick(); });
  connect(LbDimensions, &QListWidget::itemClicked, this, [this] { LbDimensionsClick(); });
  connect(LbDimensions, &QListWidget::itemDoubleClicked, this,
          [this] { LbDimensionsDblClick(); });
  connect(CbxEpaisseur, &QCheckBox::toggled, this, [this] { CbxEpaisseurClick(); });
  connect(BtnAjouter, &QPushButton::clicked, this, [this] { BtnAjouterClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

TFGestDimensions::~TFGestDimensions() = default;

SizePickerOutput TFGestDimensions::Pick(const SizePickerInput& input, QWidget& caller) {
  SizeList = input.SizeList;
  FilterPanels = input.SizePanelList;
  Kind = input.SizeJobKind;
  PickMode = input.SizePickMode;
  PickContext = input.SizeContext;
  PickedLength = input.SizeLength;
  PickedWidth = input.SizeWidth;
  PickedThickness = input.SizeThickness;
  PlaceDialog(*this, caller, 14);
  prompts_.ShowModal(*this);
  // The caller's panel list may not outlive its form.
  FilterPanels = nullptr;

  SizePickerOutput out;
  out.SizePicked = SizeChosen;
  out.SizeLength = PickedLength;
  out.SizeWidth = PickedWidth;
  out.SizeThickness = PickedThickness;
  out.ThicknessGiven = !EdtEpaisseur->text().isEmpty();
  out.SizeChanged = SizesChanged;
  return out;
}

void TFGestDimensions::NewShowing() {
  SizesChanged = 0;
  SizeChosen = 0;
  FormActivate();
}

// Run at every showing and after every delete. The current size is kept.
void TFGestDimensions::FormActivate() {
  {
    const QSignalBlocker blocker(LbDimensions);
    LbDimensions->clear();
  }
  RowRecords.clear();
  for (QLineEdit* edit : {EdtLongueur, EdtLargeur, EdtEpaisseur}) edit->setText(QString());
  ClearEdited();
  if (Managing()) Kind = 2;
  EnableThicknessControls();
  FillList();
  if (!Managing()) Preselect();
  BtnSupprimer->setEnabled(false);
  BtnAjouter->setEnabled(Managing());
}

void TFGestDimensions::EnableThicknessControls() {
  if (Kind == 1) {
    EdtEpaisseur->setEnabled(false);
    CbxEpaisseur->setEnabled(false);
    return;
  }
  switch (PickMode == 0 ? 0 : PickContext) {
    case 0:
      EdtEpaisseur->setEnabled(true);
      CbxEpaisseur->setEnabled(false);
      break;
    case 2:
    case 5:
      EdtEpaisseur->setEnabled(true);
      CbxEpaisseur->setEnabled(true);
      CbxEpaisseur->setChecked(true);
      break;
    case 4:
      EdtEpaisseur->setEnabled(false);
      CbxEpaisseur->setEnabled(false);
      CbxEpaisseur->setChecked(false);
      break;
    default:
      break;
  }
}

void TFGestDimensions::FillList() {
  if (SizeList == nullptr) return;
  const std::vector<StandardSizeRow> rows =
      ListStandardSizes(*SizeList, Managing(), Kind, Managing() ? nullptr : FilterPanels,
                        settings_.MeasureUnit.Factor, RegionalDecimalSeparator());
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(rows.size()));
  RowRecords.reserve(rows.size());
  for (const StandardSizeRow& row : rows) {
    texts.push_back(QString::fromStdString(row.Text));
    RowRecords.push_back(row.Record);
  }
  // One insertion for the whole list: a list of many thousand sizes opens at once.
  const QSignalBlocker blocker(LbDimensions);
  LbDimensions->addItems(texts);
}

void TFGestDimensions::Preselect() {
  if (SizeList == nullptr || SizeList->empty()) return;
  const std::optional<std::size_t> record =
      PreselectedStandardSize(*SizeList, Kind, PickedLength, PickedWidth, PickedThickness);
  if (!record) return;
  const DIMENSIONS& size = (*SizeList)[*record];
  {
    const QSignalBlocker blocker(LbDimensions);
    LbDimensions->setCurrentRow(-1);
    for (std::size_t row = 0; row < RowRecords.size(); ++row) {
      if (RowRecords[row] == *record) {
        LbDimensions->setCurrentRow(static_cast<int>(row));
        break;
      }
    }
  }
  CurrentLength = size.Length;
  CurrentWidth = size.Width;
  CurrentThickness = size.Thickness;
  EdtLongueur->setText(ShownValue(size.Length));
  EdtLargeur->setText(ShownValue(size.Width));
  if (Kind == 2) EdtEpaisseur->setText(ShownValue(size.Thickness));
}

void TFGestDimensions::EdtChange(QLineEdit* edit) {
  if (!edit->text().isEmpty()) {
    if (Managing()) BtnAjouter->setEnabled(true);
  } else {
    BtnAjouter->setEnabled(false);
  }
  BtnSupprimer->setEnabled(false);
}

void TFGestDimensions::LbDimensionsClick() {
  if (SizeList == nullptr) return;
  const std::optional<std::size_t> row = SelectedListRow(LbDimensions, RowRecords.size());
  if (!row || RowRecords[*row] >= SizeList->size()) return;
  const DIMENSIONS size = (*SizeList)[RowRecords[*row]];
  CurrentLength = size.Length;
  CurrentWidth = size.Width;
  CurrentThickness = size.Thickness;
  EdtLongueur->setText(ShownValue(size.Length));
  EdtLargeur->setText(ShownValue(size.Width));
  if (Kind == 2) {
    EdtEpaisseur->setText(QString());
    const bool thicknessTaken =
        Managing() || ((PickContext == 2 || PickContext == 5) && CbxEpaisseur->isChecked());
    if (thicknessTaken) EdtEpaisseur->setText(ShownValue(size.Thickness));
  }
  if (Managing()) {
    BtnAjouter->setEnabled(true);
    BtnSupprimer->setEnabled(true);
  }
}

void TFGestDimensions::LbDimensionsDblClick() {
  if (Managing()) return;
  LbDimensionsClick();
  BtnOKClick();
}

void TFGestDimensions::CbxEpaisseurClick() {
  EdtEpaisseur->setEnabled(CbxEpaisseur->isChecked());
}

bool TFGestDimensions::EditsHoldASize() const {
  return !EdtLongueur->text().isEmpty() && !EdtLargeur->text().isEmpty() &&
         (!EdtEpaisseur->text().isEmpty() || Kind == 1);
}

// A simple job's sizes are all 10 mm thick, whatever thickness was last shown.
std::int32_t TFGestDimensions::ThicknessToCompare() const {
  return Kind == 1 ? kSimpleJobSizeThickness : CurrentThickness;
}

void TFGestDimensions::ClearEdited() {
  LengthEdited = WidthEdited = ThicknessEdited = false;
}

bool TFGestDimensions::BtnAjouterClick() {
  if (SizeList == nullptr || !EditsHoldASize()) return true;
  if (CurrentWidth > CurrentLength) {
    prompts_.Notice(Text(TextId::FieldChecks::Caption), Text(DimensionsText::WidthAboveLength),
                    PromptIcon::Warning);
    return false;
  }
  if (StandardSizeStored(*SizeList, CurrentLength, CurrentWidth, ThicknessToCompare(), Kind)) {
    ClearEdited();
    return true;
  }
  RowRecords.push_back(AppendStandardSize(*SizeList, CurrentLength, CurrentWidth,
                                          CurrentThickness, Kind, Managing()));
  // The new row shows the size as typed, until the list is filled again.
  QString text = EdtLongueur->text() + QStringLiteral(" x ") + EdtLargeur->text();
  if (Kind == 2 || Managing()) text += QStringLiteral(" x ") + EdtEpaisseur->text();
  {
    const QSignalBlocker blocker(LbDimensions);
    LbDimensions->addItem(text);
  }
  SizesChanged = 1;
  ClearEdited();
  return true;
}

void TFGestDimensions::BtnSupprimerClick() {
  if (!Managing() || SizeList == nullptr) return;
  const std::optional<std::size_t> row = SelectedListRow(LbDimensions, RowRecords.size());
  if (!row) return;
  EraseStandardSize(*SizeList, RowRecords[*row]);
  FormActivate();
  SizesChanged = 1;
}

void TFGestDimensions::BtnOKClick() {
  // A refused entry stays on screen to be mended: the form neither adds nor closes.
  if (!RunFieldExits({EdtLongueur, EdtLargeur})) return;
  if (Kind == 2 && !RunFieldExits({EdtEpaisseur})) return;
  if (LengthEdited || WidthEdited || ThicknessEdited) {
    if (!Managing()) {
      if (!BtnAjouterClick()) return;
    } else if (SizeList != nullptr && EditsHoldASize() &&
               !StandardSizeStored(*SizeList, CurrentLength, CurrentWidth, ThicknessToCompare(),
                                   Kind)) {
      if (prompts_.Ask(Text(DimensionsText::Caption), Text(DimensionsText::AddQuestion),
                       PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes &&
          !BtnAjouterClick()) {
        return;
      }
    }
  }
  const bool sizeShown = !EdtLongueur->text().isEmpty() && !EdtLargeur->text().isEmpty() &&
                         (Kind == 1 || !EdtEpaisseur->text().isEmpty() ||
                          !CbxEpaisseur->isChecked());
  if (sizeShown) {
    PickedLength = CurrentLength;
    PickedWidth = CurrentWidth;
    if (Kind == 2) PickedThickness = CurrentThickness;
    SizeChosen = 1;
  } else {
    SizeChosen = 0;
  }
  accept();
}

QString TFGestDimensions::ShownValue(double value) const {
  return QString::fromStdString(
      FormatSize(value, settings_.MeasureUnit.Factor, RegionalDecimalSeparator()));
}

}  // namespace tranchex
