#include "dialogs/USelMarge.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/CheckedField.h"
#include "dialogs/MarginPicture.h"
#include "engine/FitChecks.h"
#include "job/JobRecordChecks.h"
#include "job/NumberEntry.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace MarginText = TextId::MarginsForm;

constexpr int kFieldWidth = 80;

}  // namespace

// ---- Shared with the differentiated margins form --------------------------------------------

QString NoLongerFitsMessage(const std::string& wordParts, const std::string& wordPanel) {
  return DialogFrame::Text(TextId::FieldChecks::InvalidMargin) + QStringLiteral("\n") +
         DialogFrame::Text(MarginText::NoLongerFits1) +
         QString::fromStdString(wordParts).toLower() +
         DialogFrame::Text(MarginText::NoLongerFits2) +
         QString::fromStdString(wordPanel).toLower() + QStringLiteral(" !");
}

QString LabelInUnit(int textId, const UNITE_MESURE& unit) {
  return DialogFrame::Text(textId) + DialogFrame::Text(MarginText::In) +
         QString::fromStdString(unit.Abbreviation);
}

bool MarginsFitStock(const tranchex::PartList* parts, const tranchex::PanelList* panels,
                     const MarginsBlock& margins, bool matchMaterial) {
  if (parts == nullptr || parts->empty()) return true;
  static const tranchex::PanelList kNoPanel;
  return EveryPartFitsStock(panels != nullptr ? *panels : kNoPanel, *parts, margins,
                            matchMaterial);
}

MarginField::MarginField(QLineEdit* field, int fieldTextId, double upperBound,
                         const UNITE_MESURE& unit, const char& decimalSeparator, Prompts& prompts)
{
  CheckedFieldRule rule;
  rule.Guard = FieldExitGuard::NotEmpty;
  rule.OnRefusal = RefusedFieldText::Empty;
  rule.FieldTextId = fieldTextId;
  const EntryRange range{0.0, true, upperBound, false};
  checked_ = std::make_unique<CheckedField>(
      field, rule,
      CheckedField::Sources{[&unit]() -> const UNITE_MESURE& { return unit; },
                            [range] { return range; }, [] { return 0.0; },
                            [&decimalSeparator] { return decimalSeparator; }},
      prompts);
  checked_->Verify = [this](double v) -> std::optional<QString> {
    if (Verify) return Verify(v);
    return std::nullopt;
  };
  checked_->OnAccepted = [this](double v) {
    if (OnAccepted) OnAccepted(v);
  };
  checked_->OnRefused = [this] {
    if (OnRefused) OnRefused();
  };
}

MarginField::~MarginField() = default;

void MarginField::Show(double value) { checked_->Show(value); }

void MarginField::Clear() { checked_->Clear(); }

bool MarginField::Exit() { return checked_->Exit(); }

bool ConfirmNothingEntered(Prompts& prompts) {
  return prompts.Ask(DialogFrame::Text(MarginText::NothingEnteredCaption),
                     DialogFrame::Text(MarginText::NothingEntered), PromptButtons::YesNo,
                     PromptIcon::Question) == PromptAnswer::Yes;
}

// ---- The form -------------------------------------------------------------------------------

TSelMarge::TSelMarge(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 20, prompts, help, parent) {
  setObjectName(QStringLiteral("SelMarge"));
  setWindowTitle(Text(MarginText::Caption));

  Image1 = Named(new MarginPicture(this), "Image1");

  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  Label1 = Named(new QLabel(Text(MarginText::Label1), GroupBox1), "Label1");
  auto* explanation = new QVBoxLayout(GroupBox1);
  explanation->addWidget(Label1);

  GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
  LblMarge = Named(new QLabel(GroupBox2), "LblMarge");
  EdtMarge = Named(new QLineEdit(GroupBox2), "EdtMarge");
  LblTraitScie = Named(new QLabel(GroupBox2), "LblTraitScie");
  EdtTraitScie = Named(new QLineEdit(GroupBox2), "EdtTraitScie");
  for (QLineEdit* e : {EdtMarge, EdtTraitScie}) e->setFixedWidth(kFieldWidth);
  LblMarge->setBuddy(EdtMarge);
  LblTraitScie->setBuddy(EdtTraitScie);
  auto* fields = new QGridLayout(GroupBox2);
  fields->addWidget(LblMarge, 0, 0);
  fields->addWidget(EdtMarge, 0, 1);
  fields->addWidget(LblTraitScie, 1, 0);
  fields->addWidget(EdtTraitScie, 1, 1);
  fields->setColumnStretch(0, 1);

  BtnOk = Named(new QPushButton(Text(MarginText::BtnOk), this), "BtnOk");
  QFont bold = BtnOk->font();
  bold.setBold(true);
  BtnOk->setFont(bold);

  auto* picture = new QHBoxLayout;
  picture->addStretch(1);
  picture->addWidget(Image1);
  picture->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(picture);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(EdtMarge, EdtTraitScie);
  setTabOrder(EdtTraitScie, BtnOk);

  // Enter answers OK; there is no cancel and Escape does nothing.
  SetDefaultButton(BtnOk);

  // The margin: both members take it once every part still fits; any refusal clears both.
  marge_ = std::make_unique<MarginField>(EdtMarge, TextId::FieldChecks::InvalidMargin,
                                         kMaxJobMargin, Unit, DecimalSeparator, prompts_);
  marge_->Verify = [this](double v) -> std::optional<QString> {
    MarginsBlock trial = Margins;
    trial.LengthMargin = v;
    trial.WidthMargin = v;
    if (MarginsFitStock(PartList, PanelList, trial, JobKind != 1)) return std::nullopt;
    return NoLongerFitsMessage(WordParts, WordPanel);
  };
  marge_->OnAccepted = [this](double v) {
    Margins.LengthMargin = v;
    Margins.WidthMargin = v;
  };
  marge_->OnRefused = [this] {
    Margins.LengthMargin = 0.0;
    Margins.WidthMargin = 0.0;
  };
  // The kerf: a refusal keeps the last kerf taken.
  traitScie_ = std::make_unique<MarginField>(EdtTraitScie, TextId::FieldChecks::InvalidKerf,
                                             kMaxJobKerf, Unit, DecimalSeparator, prompts_);
  traitScie_->OnAccepted = [this](double v) { Kerf = static_cast<std::int32_t>(v); };
  SetFieldExit(EdtMarge, [this] { return marge_->Exit(); });
  SetFieldExit(EdtTraitScie, [this] { return traitScie_->Exit(); });

  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  FormShow();
}

TSelMarge::~TSelMarge() = default;

void TSelMarge::NewShowing() {
  FormShow();
}

// The labels say the unit handed in for this showing.
void TSelMarge::FormShow() {
  LblMarge->setText(LabelInUnit(MarginText::LblMarge, Unit));
  LblTraitScie->setText(LabelInUnit(MarginText::LblTraitScie, Unit));
}

void TSelMarge::ShowMarginValues() {
  marge_->Show(ModifyMode == 0 ? MarginDefault : Margins.LengthMargin);
  traitScie_->Show(ModifyMode == 0 ? KerfDefault : Kerf);
  EdtMarge->setFocus();
}

void TSelMarge::BtnOkClick() {
  if (EdtMarge->text().isEmpty() && EdtTraitScie->text().isEmpty()) {
    if (!ConfirmNothingEntered(prompts_)) return;
  }
  // What the fields show is what the job gets: each one not empty is checked as leaving it
  // would, fit test included; a refusal has said why and keeps the form open.
  if (!RunFieldExits({EdtMarge, EdtTraitScie})) return;
  Margins.ThicknessMargin = 0.0;
  accept();
}

}  // namespace tranchex
