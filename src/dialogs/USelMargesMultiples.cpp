#include "dialogs/USelMargesMultiples.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/MarginPicture.h"
#include "dialogs/USelMarge.h"
#include "job/JobRecordChecks.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace MarginText = TextId::MarginsForm;
namespace MultipleText = TextId::MultipleMarginsForm;

constexpr int kFieldWidth = 80;

}  // namespace

TSelMargesMultiples::TSelMargesMultiples(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 1040, prompts, help, parent) {
  setObjectName(QStringLiteral("SelMargesMultiples"));
  setWindowTitle(Text(MultipleText::Caption));

  Image1 = Named(new MarginPicture(this), "Image1");
  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  Label1 = Named(new QLabel(Text(MarginText::Label1), GroupBox1), "Label1");
  auto* explanation = new QVBoxLayout(GroupBox1);
  explanation->addWidget(Label1);

  GpbMarges = Named(new QGroupBox(this), "GpbMarges");
  LblEpaisseur = Named(new QLabel(Text(MultipleText::LblEpaisseur), GpbMarges), "LblEpaisseur");
  EdtEpaisseur = Named(new QLineEdit(GpbMarges), "EdtEpaisseur");
  LblLongueur = Named(new QLabel(Text(MultipleText::LblLongueur), GpbMarges), "LblLongueur");
  EdtMargeL = Named(new QLineEdit(GpbMarges), "EdtMargeL");
  LblLargeur = Named(new QLabel(Text(MultipleText::LblLargeur), GpbMarges), "LblLargeur");
  EdtMargeH = Named(new QLineEdit(GpbMarges), "EdtMargeH");
  auto* margins = new QGridLayout(GpbMarges);
  int row = 0;
  for (auto [label, field] : {std::pair{LblEpaisseur, EdtEpaisseur}, std::pair{LblLongueur, EdtMargeL},
                              std::pair{LblLargeur, EdtMargeH}}) {
    field->setFixedWidth(kFieldWidth);
    label->setBuddy(field);
    margins->addWidget(label, row, 0);
    margins->addWidget(field, row, 1);
    ++row;
  }
  margins->setColumnStretch(0, 1);

  GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
  LblTraitScie = Named(new QLabel(GroupBox2), "LblTraitScie");
  EdtTraitScie = Named(new QLineEdit(GroupBox2), "EdtTraitScie");
  EdtTraitScie->setFixedWidth(kFieldWidth);
  LblTraitScie->setBuddy(EdtTraitScie);
  auto* kerf = new QGridLayout(GroupBox2);
  kerf->addWidget(LblTraitScie, 0, 0);
  kerf->addWidget(EdtTraitScie, 0, 1);
  kerf->setColumnStretch(0, 1);

  BtnOk = Named(new QPushButton(Text(MarginText::BtnOk), this), "BtnOk");
  QFont bold = BtnOk->font();
  bold.setBold(true);
  BtnOk->setFont(bold);
  // No default button: Enter does nothing, even on OK.
  BtnOk->setAutoDefault(false);
  BtnOk->setDefault(false);

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
  layout->addWidget(GpbMarges);
  layout->addWidget(GroupBox2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(EdtEpaisseur, EdtMargeL);
  setTabOrder(EdtMargeL, EdtMargeH);
  setTabOrder(EdtMargeH, EdtTraitScie);
  setTabOrder(EdtTraitScie, BtnOk);

  // Each margin: its own member takes it once every part still fits; a refusal clears only it.
  const auto field = [this](QLineEdit* edit, int textId, double upperBound) {
    return std::make_unique<MarginField>(edit, textId, upperBound, Unit, DecimalSeparator,
                                         prompts_);
  };
  margeL_ = field(EdtMargeL, TextId::FieldChecks::InvalidMargin, kMaxJobMargin);
  margeL_->Verify = [this](double v) {
    MarginsBlock trial = Margins;
    trial.LengthMargin = v;
    return FitRefusal(trial);
  };
  margeL_->OnAccepted = [this](double v) { Margins.LengthMargin = v; };
  margeL_->OnRefused = [this] { Margins.LengthMargin = 0.0; };

  margeH_ = field(EdtMargeH, TextId::FieldChecks::InvalidMargin, kMaxJobMargin);
  margeH_->Verify = [this](double v) {
    MarginsBlock trial = Margins;
    trial.WidthMargin = v;
    return FitRefusal(trial);
  };
  margeH_->OnAccepted = [this](double v) { Margins.WidthMargin = v; };
  margeH_->OnRefused = [this] { Margins.WidthMargin = 0.0; };

  // The thickness is typed per face, below half the largest thickness margin; the job keeps the
  // total, twice the value.
  epaisseur_ = field(EdtEpaisseur, TextId::FieldChecks::InvalidMargin, kMaxJobMargin / 2);
  epaisseur_->Verify = [this](double v) {
    MarginsBlock trial = Margins;
    trial.ThicknessMargin = 2.0 * v;
    return FitRefusal(trial);
  };
  epaisseur_->OnAccepted = [this](double v) { Margins.ThicknessMargin = 2.0 * v; };
  epaisseur_->OnRefused = [this] { Margins.ThicknessMargin = 0.0; };

  // The kerf: a refusal keeps the last kerf taken.
  traitScie_ = field(EdtTraitScie, TextId::FieldChecks::InvalidKerf, kMaxJobKerf);
  traitScie_->OnAccepted = [this](double v) { Kerf = static_cast<std::int32_t>(v); };

  SetFieldExit(EdtEpaisseur, [this] { return epaisseur_->Exit(); });
  SetFieldExit(EdtMargeL, [this] { return margeL_->Exit(); });
  SetFieldExit(EdtMargeH, [this] { return margeH_->Exit(); });
  SetFieldExit(EdtTraitScie, [this] { return traitScie_->Exit(); });

  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  FormShow();
}

TSelMargesMultiples::~TSelMargesMultiples() = default;

// Differentiated margins are always tested against the panels of the part's thickness and
// species, whatever the job kind.
std::optional<QString> TSelMargesMultiples::FitRefusal(const MarginsBlock& trial) const {
  if (MarginsFitStock(PartList, PanelList, trial, true)) return std::nullopt;
  return NoLongerFitsMessage(WordParts, WordPanel);
}

void TSelMargesMultiples::NewShowing() {
  FormShow();
}

// Enter closes nothing here; Escape does nothing either (no cancel, no close box).
void TSelMargesMultiples::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      !(event->modifiers() & ~Qt::KeypadModifier)) {
    event->accept();
    return;
  }
  DialogFrame::keyPressEvent(event);
}

// The captions that say the unit handed in for this showing.
void TSelMargesMultiples::FormShow() {
  GpbMarges->setTitle(LabelInUnit(MarginText::LblMarge, Unit));
  LblTraitScie->setText(LabelInUnit(MarginText::LblTraitScie, Unit));
}

void TSelMargesMultiples::ShowMultipleMarginValues() {
  const bool showValues = ModifyMode == 1 &&
                          (Margins.LengthMargin != 0.0 || Margins.WidthMargin != 0.0 ||
                           Margins.ThicknessMargin != 0.0 || Kerf != 0);
  margeL_->Show(showValues ? Margins.LengthMargin : MarginDefault);
  margeH_->Show(showValues ? Margins.WidthMargin : MarginDefault);
  traitScie_->Show(showValues ? Kerf : KerfDefault);
  // The thickness field shows the job's per-face margin (half the total it keeps), so leaving
  // it, or OK, gives the job back the margin it had.
  const bool thickness = Margins.ThickerStockAllowed != 0;
  EdtEpaisseur->setEnabled(thickness);
  LblEpaisseur->setEnabled(thickness);
  if (thickness) {
    epaisseur_->Show(showValues ? Margins.ThicknessMargin / 2.0 : ThicknessMarginDefault);
  } else {
    epaisseur_->Clear();
  }
  // A job of bars has no width margin.
  const bool width = MarginsAllZero == 0;
  EdtMargeH->setEnabled(width);
  LblLargeur->setEnabled(width);
  if (!width) margeH_->Clear();
  (thickness ? EdtEpaisseur : EdtMargeL)->setFocus();
}

void TSelMargesMultiples::BtnOkClick() {
  if (EdtMargeL->text().isEmpty() && EdtMargeH->text().isEmpty() &&
      EdtEpaisseur->text().isEmpty() && EdtTraitScie->text().isEmpty()) {
    if (!ConfirmNothingEntered(prompts_)) return;
  }
  // What the fields show is what the job gets: each one not empty is checked as leaving it
  // would, fit test included; a refusal has said why and keeps the form open. A disabled field
  // is empty and keeps its member.
  if (!RunFieldExits({EdtEpaisseur, EdtMargeL, EdtMargeH, EdtTraitScie})) return;
  accept();
}

}  // namespace tranchex
