#include "dialogs/SelModif.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace ModifyText = TextId::ModifyForm;

QCheckBox* NamedBox(QWidget* parent, const char* name) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

TFSelMod::TFSelMod(const Settings& settings, Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::NoCloseBox, 40, prompts, help, parent), settings_(settings) {
  setObjectName(QStringLiteral("FSelMod"));
  ChbModifPanneaux = NamedBox(this, "ChbModifPanneaux");
  ChbModifPieces = NamedBox(this, "ChbModifPieces");
  ChbModifMarge = NamedBox(this, "ChbModifMarge");
  ChkBoxCriteresOptimisation = NamedBox(this, "ChkBoxCriteresOptimisation");
  BtnOk = new QPushButton(this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));

  ChkBoxCriteresOptimisation->setText(Text(ModifyText::ChkBoxCriteresOptimisation));
  setWindowTitle(Text(ModifyText::Caption));
  panelsStart_ = Text(ModifyText::PanelsStart);
  partsStart_ = Text(ModifyText::PartsStart);
  ChbModifMarge->setText(Text(ModifyText::ChbModifMarge));
  BtnOk->setText(Text(ModifyText::BtnOk));

  auto* layout = new QVBoxLayout(this);
  for (QCheckBox* box :
       {ChbModifPanneaux, ChbModifPieces, ChbModifMarge, ChkBoxCriteresOptimisation})
    layout->addWidget(box);
  layout->addSpacing(6);
  layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Each box keeps its answer equal to its state, whoever changes it.
  const std::pair<QCheckBox*, std::uint8_t*> answers[] = {
      {ChbModifPanneaux, &ModifyPanels},
      {ChbModifPieces, &ModifyParts},
      {ChbModifMarge, &ModifyMargins},
      {ChkBoxCriteresOptimisation, &ModifyCriteria}};
  for (const auto& [box, answer] : answers) {
    connect(box, &QCheckBox::toggled, this, [answer = answer](bool on) { *answer = on ? 1 : 0; });
  }
  SetDefaultButton(BtnOk);
  // No cancel: Escape does nothing, the form closes only through OK.
  SetEscapeAction([] {});
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
}

void TFSelMod::NewShowing() {
  FormActivate();
  FormShow();
}

// Every showing starts with the panels and parts ticked, the criteria not, the margins as the
// import asks when their form can open at all: a box shows what will happen.
void TFSelMod::FormActivate() {
  ChkBoxCriteresOptimisation->setChecked(false);
  ChbModifPanneaux->setChecked(true);
  ChbModifPieces->setChecked(true);
  ChbModifMarge->setChecked(MarginsPending != 0 && ChbModifMarge->isEnabled());
}

void TFSelMod::FormShow() {
  ChbModifPanneaux->setText(panelsStart_ + QString::fromStdString(settings_.WordPanels).toLower());
  ChbModifPieces->setText(partsStart_ + QString::fromStdString(settings_.WordParts).toLower());
}

void TFSelMod::BtnOkClick() { accept(); }

}  // namespace tranchex
