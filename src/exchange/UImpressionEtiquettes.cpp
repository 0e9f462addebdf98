#include "exchange/UImpressionEtiquettes.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <optional>

#include "dialogs/PrintOutput.h"
#include "exchange/LabelPrinting.h"
#include "job/ListLookup.h"
#include "job/NumberEntry.h"
#include "plan/QtPrintTarget.h"
#include "platform/Cp1252.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace LabelFormText = TextId::LabelForm;
namespace {

// Measures of the form, in pixels.
constexpr int kClientWidth = 391;
constexpr int kClientHeight = 304;
constexpr int kRowPitch = 29;
constexpr int kFirstRow = 19;
constexpr int kCaptionX = 7;
constexpr int kEditX = 138;
constexpr int kEditWidth = 90;
constexpr int kEditHeight = 21;
constexpr int kButtonY = 268;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;

// Label values: whole numbers of tenths of a millimetre in 1..2000, no unit.
const EntryRange kLabelValueRange{static_cast<double>(kLabelValueMin), true,
                                  static_cast<double>(kLabelValueMax), true};

// The wait cursor while the labels go to the printer.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TFImpEtiquettes::TFImpEtiquettes(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 130, prompts, help, parent) {
  setObjectName(QStringLiteral("FImpEtiquettes"));
  setWindowTitle(Text(LabelFormText::Caption));
  setFixedSize(kClientWidth, kClientHeight);

  LblCommentaire = Named(new QLabel(Text(LabelFormText::LblCommentaire), this), "LblCommentaire");
  LblCommentaire->setGeometry(10, 2, kClientWidth - 20, 17);
  LblReference = Named(new QLabel(Text(LabelFormText::LblReference) + QStringLiteral(" :"), this), "LblReference");
  LblReference->setGeometry(10, 19, 126, 17);
  LbxEtiquette = Named(new QListWidget(this), "LbxEtiquette");
  LbxEtiquette->setGeometry(10, 36, 126, 220);
  LbxEtiquette->setSortingEnabled(false);
  LbxEtiquette->setSelectionMode(QAbstractItemView::SingleSelection);

  GrpbxDescription = Named(new QGroupBox(Text(LabelFormText::GrpbxDescription), this), "GrpbxDescription");
  GrpbxDescription->setGeometry(144, 31, 237, 226);
  struct Row {
    QLabel** Caption;
    const char* CaptionName;
    QLineEdit** Edit;
    const char* EditName;
    int TextId;
  };
  const Row rows[] = {
      {&LblModele, "LblModele", &EdtModele, "EdtModele", LabelFormText::LblReference},
      {&LblHauteur, "LblHauteur", &EdtHauteur, "EdtHauteur", LabelFormText::LblHauteur},
      {&LblLargeur, "LblLargeur", &EdtLargeur, "EdtLargeur", LabelFormText::LblLargeur},
      {&LblMargeHaut, "LblMargeHaut", &EdtMargeHaut, "EdtMargeHaut", LabelFormText::LblMargeHaut},
      {&LblMargeBas, "LblMargeBas", &EdtMargeBas, "EdtMargeBas", LabelFormText::LblMargeBas},
      {&LblPasVertical, "LblPasVertical", &EdtPasVertical, "EdtPasVertical", LabelFormText::LblPasVertical},
      {&LblPasHorizontal, "LblPasHorizontal", &EdtPasHorizontal, "EdtPasHorizontal", LabelFormText::LblPasHorizontal},
  };
  int y = kFirstRow;
  for (const Row& row : rows) {
    *row.Caption = Named(new QLabel(Text(row.TextId), GrpbxDescription), row.CaptionName);
    (*row.Caption)->setGeometry(kCaptionX, y + 2, kEditX - kCaptionX - 4, kEditHeight - 4);
    *row.Edit = Named(new QLineEdit(GrpbxDescription), row.EditName);
    (*row.Edit)->setGeometry(kEditX, y, kEditWidth, kEditHeight);
    (*row.Caption)->setBuddy(*row.Edit);
    y += kRowPitch;
  }
  // The labels file keeps 14 characters of a reference.
  EdtModele->setMaxLength(kLabelNameMaxCharacters);
  // "Marge bas" is the text's left inset: what its caption does not say.
  const QString leftInset = QStringLiteral("Retrait du texte depuis le bord gauche de l'étiquette");
  LblMargeBas->setToolTip(leftInset);
  EdtMargeBas->setToolTip(leftInset);
  const QString topInset = QStringLiteral("Retrait du texte depuis le bord haut de l'étiquette");
  LblMargeHaut->setToolTip(topInset);
  EdtMargeHaut->setToolTip(topInset);

  auto button = [this](const char* name, int textId, int x) {
    auto* b = Named(new QPushButton(Text(textId), this), name);
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
    b->setGeometry(x, kButtonY, kButtonWidth, kButtonHeight);
    return b;
  };
  BtnImprimer = button("BtnImprimer", LabelFormText::BtnImprimer, 10);
  BtnAjouter = button("BtnAjouter", LabelFormText::BtnAjouter, 107);
  BtnSupprimer = button("BtnSupprimer", LabelFormText::BtnSupprimer, 204);
  BtnQuitter = button("BtnQuitter", LabelFormText::BtnQuitter, 301);

  // Tab order: the list, the fields in row order, then the four buttons.
  QWidget* order[] = {LbxEtiquette, EdtModele,   EdtHauteur,       EdtLargeur,
                      EdtMargeHaut, EdtMargeBas, EdtPasVertical,   EdtPasHorizontal,
                      BtnImprimer,  BtnAjouter,  BtnSupprimer,     BtnQuitter};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // The six value fields are checked when left: a whole number in 1..2000, or the message
  // "Valeur non valide !" with the text kept as typed and the focus back.
  valueFields_ = {EdtHauteur, EdtLargeur, EdtMargeHaut, EdtMargeBas, EdtPasVertical,
                  EdtPasHorizontal};
  CheckedFieldRule rule;
  rule.IsCount = true;
  rule.Guard = FieldExitGuard::ModifiedNotEmpty;
  rule.OnRefusal = RefusedFieldText::Kept;
  rule.FieldTextId = 112;
  rule.MessageEnd = " !";
  rule.RangeTextId = 0;
  for (QLineEdit* field : valueFields_) {
    auto check = std::make_unique<CheckedField>(
        field, rule,
        CheckedField::Sources{[this]() -> const UNITE_MESURE& { return Unit; },
                              [] { return kLabelValueRange; }, [] { return 0.0; },
                              [this] { return DecimalSeparator; }},
        prompts_);
    CheckedField* raw = check.get();
    SetFieldExit(field, [raw] { return raw->Exit(); });
    checks_.push_back(std::move(check));
  }

  for (QLineEdit* field : {EdtModele, EdtHauteur, EdtLargeur, EdtMargeHaut, EdtMargeBas,
                           EdtPasVertical, EdtPasHorizontal}) {
    connect(field, &QLineEdit::textChanged, this, [this] { EdtModeleChange(); });
  }
  // A click on an entry, or the keyboard moving the selection.
  connect(LbxEtiquette, &QListWidget::itemClicked, this, [this] { LbxEtiquetteClick(); });
  connect(LbxEtiquette, &QListWidget::currentRowChanged, this, [this] { LbxEtiquetteClick(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  connect(BtnAjouter, &QPushButton::clicked, this, [this] { BtnAjouterClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnQuitter, &QPushButton::clicked, this, [this] { accept(); });
}

TFImpEtiquettes::~TFImpEtiquettes() = default;

bool TFImpEtiquettes::LabelFieldsFilled() const {
  for (const QLineEdit* field : {EdtModele, EdtHauteur, EdtLargeur, EdtMargeHaut, EdtMargeBas,
                                 EdtPasVertical, EdtPasHorizontal}) {
    if (field->text().isEmpty()) return false;
  }
  return true;
}

void TFImpEtiquettes::NewShowing() {
  FormShow();
}

int TFImpEtiquettes::SelectedRow() const {
  const int row = LbxEtiquette->currentRow();
  if (row < 0 || LbxEtiquette->item(row) == nullptr || !LbxEtiquette->item(row)->isSelected())
    return -1;
  return row;
}

// The reference and the six values, as stored: whole numbers, no unit. Set by the form, so the
// fields are not checked when left.
void TFImpEtiquettes::ShowFormat(std::size_t index) {
  const ETIQUETTE& f = (*Formats)[index];
  EdtModele->setText(QString::fromStdString(f.Name));
  const std::vector<std::int32_t> values = LabelFormatValues(f);
  for (std::size_t i = 0; i < valueFields_.size(); ++i)
    valueFields_[i]->setText(QString::number(values[i]));
}

void TFImpEtiquettes::FormShow() {
  {
    const QSignalBlocker blocker(LbxEtiquette);
    LbxEtiquette->clear();
    if (Formats != nullptr) {
      for (const ETIQUETTE& f : *Formats) LbxEtiquette->addItem(QString::fromStdString(f.Name));
    }
  }
  if (Formats != nullptr && !Formats->empty()) {
    {
      const QSignalBlocker blocker(LbxEtiquette);
      LbxEtiquette->setCurrentRow(0);
    }
    ShowFormat(0);
    BtnAjouter->setEnabled(true);
    BtnSupprimer->setEnabled(true);
  } else {
    BtnAjouter->setEnabled(false);
    BtnSupprimer->setEnabled(false);
    BtnImprimer->setEnabled(false);
  }
  Changed = false;
}

void TFImpEtiquettes::LbxEtiquetteClick() {
  const int row = SelectedRow();
  if (row < 0 || Formats == nullptr || !ValidIndex(*Formats, row)) return;
  ShowFormat(static_cast<std::size_t>(row));
  BtnImprimer->setEnabled(JobLoaded);
  BtnSupprimer->setEnabled(true);
}

void TFImpEtiquettes::EdtModeleChange() { BtnAjouter->setEnabled(LabelFieldsFilled()); }

void TFImpEtiquettes::RefuseField(QLineEdit* field) {
  prompts_.Notice(Text(TextId::FieldChecks::Caption), Text(TextId::FieldChecks::Caption) + QStringLiteral(" !"), PromptIcon::Warning);
  field->setFocus();
}

void TFImpEtiquettes::BtnAjouterClick() {
  if (Formats == nullptr || !LabelFieldsFilled()) return;
  const std::string name = EdtModele->text().toStdString();
  // The same reference, letter for letter: nothing is added, nothing is said.
  for (const ETIQUETTE& f : *Formats) {
    if (f.Name == name) return;
  }
  // The labels file holds a reference in 14 Windows-1252 characters.
  if (CharacterCount(name) > kLabelNameMaxCharacters || !IsCp1252Encodable(name)) {
    RefuseField(EdtModele);
    return;
  }
  // Every value, also one a shown format filled in and no one typed.
  std::array<std::int32_t, 6> values{};
  for (std::size_t i = 0; i < valueFields_.size(); ++i) {
    const std::optional<AcceptedEntry> entry =
        CheckCountEntry(valueFields_[i]->text().toStdString(), kLabelValueRange);
    if (!entry) {
      RefuseField(valueFields_[i]);
      return;
    }
    values[i] = entry->Value;
  }
  ETIQUETTE format;
  format.Name = name;
  format.Height = values[0];
  format.Width = values[1];
  format.TopMargin = values[2];
  format.BottomMargin = values[3];
  format.VerticalPitch = values[4];
  format.HorizontalPitch = values[5];
  Formats->push_back(format);
  {
    const QSignalBlocker blocker(LbxEtiquette);
    LbxEtiquette->addItem(QString::fromStdString(name));
  }
  Changed = true;
}

// The format at the selected position goes: by position, so that of two formats of one name the
// one selected is the one deleted.
void TFImpEtiquettes::BtnSupprimerClick() {
  const int row = SelectedRow();
  if (row < 0 || Formats == nullptr) return;
  {
    const QSignalBlocker blocker(LbxEtiquette);
    delete LbxEtiquette->takeItem(row);
    LbxEtiquette->clearSelection();
    LbxEtiquette->setCurrentRow(-1);
  }
  if (ValidIndex(*Formats, row)) Formats->erase(Formats->begin() + row);
  for (QLineEdit* field : {EdtModele, EdtHauteur, EdtLargeur, EdtMargeHaut, EdtMargeBas,
                           EdtPasVertical, EdtPasHorizontal}) {
    field->clear();
  }
  Changed = true;
  if (Formats->empty()) {
    BtnImprimer->setEnabled(false);
    BtnSupprimer->setEnabled(false);
  }
}

void TFImpEtiquettes::BtnImprimerClick() {
  const int row = SelectedRow();
  if (row < 0 || Formats == nullptr || !ValidIndex(*Formats, row)) return;
  if (Parts == nullptr || References == nullptr || Designations == nullptr || Printer == nullptr)
    return;
  const LabelPrintInputs inputs{.Format = (*Formats)[static_cast<std::size_t>(row)],
                                .Parts = *Parts,
                                .References = *References,
                                .Designations = *Designations,
                                .JobKind = JobKind,
                                .Unit = Unit,
                                .DecimalSeparator = DecimalSeparator};
  // A printer that writes to a file asks for it: an earlier print is never overwritten unasked.
  if (!AskPrintFile(*Printer, prompts_, BtnImprimer->text())) return;
  LabelPrintReport report;
  try {
    const WaitCursor busy;
    QtPrintTarget target(*Printer);
    report = PrintLabels(target, inputs);
  } catch (const PrintError& e) {
    prompts_.Notice(windowTitle(), QString::fromStdString(e.what()), PromptIcon::Warning);
    return;
  }
  switch (report.Status) {
    case LabelPrintStatus::Printed:
      TellPrintFile(*Printer, prompts_, windowTitle());
      break;
    case LabelPrintStatus::FormatRefused:
      prompts_.Notice(windowTitle(), QString::fromStdString(report.Message), PromptIcon::Warning);
      break;
    case LabelPrintStatus::NothingToPrint:
      prompts_.Notice(windowTitle(), QString::fromStdString(report.Message),
                      PromptIcon::Information);
      break;
  }
}

}  // namespace tranchex
