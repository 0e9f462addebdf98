#include "dialogs/UGestEssence.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "dialogs/NameListForm.h"
#include "job/SpeciesList.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {
namespace {

namespace SpeciesText = TextId::SpeciesForm;

}  // namespace

const QString TFGestEssence::kAddQuestion =
    QStringLiteral("Voulez vous ajouter cette essence à la liste ?");
const QString TFGestEssence::kAddCaption = QStringLiteral("Gestionnaire des essences");

TFGestEssence::TFGestEssence(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : DialogFrame(WindowKind::CloseBox, 100, prompts, help, parent) {
  setObjectName(QStringLiteral("FGestEssence"));
  setWindowTitle(Text(SpeciesText::Caption));

  LbEssence = Named(new QListWidget(this), "LbEssence");
  LbEssence->setSelectionMode(QAbstractItemView::SingleSelection);
  // Wide enough for the longest name the species file holds, in average characters.
  LbEssence->setMinimumSize(
      LbEssence->fontMetrics().averageCharWidth() * static_cast<int>(kMaxSpeciesNameLength) + 24,
      200);
  EdtEssence = Named(new QLineEdit(this), "EdtEssence");
  BtnAjouter = Named(new QPushButton(Text(SpeciesText::BtnAjouter), this), "BtnAjouter");
  BtnSupprimer = Named(new QPushButton(Text(SpeciesText::BtnSupprimer), this), "BtnSupprimer");
  BtnOK = Named(new QPushButton(Text(SpeciesText::BtnOK), this), "BtnOK");

  ArrangeNameListForm(*this, EdtEssence, LbEssence, BtnAjouter, BtnSupprimer, BtnOK);

  SetDefaultButton(BtnOK);

  // A selection made by the person (mouse or keys), and a click on the selected row, run the
  // click handler; the form's own changes of the list are made with its signals blocked.
  connect(LbEssence, &QListWidget::itemSelectionChanged, this, [this] { LbEssenceClick(); });
  connect(LbEssence, &QListWidget::itemClicked, this, [this] { LbEssenceClick(); });
  connect(EdtEssence, &QLineEdit::textChanged, this, [this] { EdtEssenceChange(); });
  connect(BtnAjouter, &QPushButton::clicked, this, [this] { BtnAjouterClick(); });
  connect(BtnSupprimer, &QPushButton::clicked, this, [this] { BtnSupprimerClick(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
}

void TFGestEssence::showEvent(QShowEvent* event) {
  FormShow();
  DialogFrame::showEvent(event);
}

void TFGestEssence::FormShow() {
  const std::vector<std::string> none;
  const std::vector<std::string>& list = SpeciesList != nullptr ? *SpeciesList : none;
  FillNameList(LbEssence, list);
  SpeciesOrigins.resize(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) SpeciesOrigins[i] = static_cast<int>(i);
  if (!list.empty()) {
    EdtEssence->setText(QString::fromStdString(list.front()));
    BtnAjouter->setEnabled(true);
    BtnSupprimer->setEnabled(true);
  } else {
    EdtEssence->setText(QString());
    BtnAjouter->setEnabled(false);
    BtnSupprimer->setEnabled(false);
  }
  Changed = 0;
  EdtEssence->setFocus();
}

void TFGestEssence::LbEssenceClick() {
  QListWidgetItem* item = LbEssence->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  EdtEssence->setText(item->text());
  BtnAjouter->setEnabled(true);
  BtnSupprimer->setEnabled(true);
}

void TFGestEssence::EdtEssenceChange() {
  const bool typed = !EdtEssence->text().isEmpty();
  BtnAjouter->setEnabled(typed);
  BtnSupprimer->setEnabled(false);
}

bool TFGestEssence::InList(const std::string& name) const {
  return SpeciesList != nullptr &&
         std::find(SpeciesList->begin(), SpeciesList->end(), name) != SpeciesList->end();
}

bool TFGestEssence::AddSpecies() {
  const std::string name = EdtEssence->text().toStdString();
  if (name.empty() || SpeciesList == nullptr || InList(name)) return true;
  switch (CheckSpeciesName(name)) {
    case SpeciesNameFault::None:
      break;
    case SpeciesNameFault::TooLong:
      prompts_.Notice(Text(SpeciesText::Caption), Text(SpeciesText::NameTooLong),
                      PromptIcon::Warning);
      return false;
    case SpeciesNameFault::NotStorable:
      prompts_.Notice(Text(SpeciesText::Caption), Text(SpeciesText::NameNotStorable),
                      PromptIcon::Warning);
      return false;
  }
  SpeciesList->push_back(name);
  SpeciesOrigins.push_back(-1);
  {
    const QSignalBlocker blocker(LbEssence);
    LbEssence->addItem(EdtEssence->text());
  }
  Changed = 1;
  return true;
}

void TFGestEssence::BtnAjouterClick() { AddSpecies(); }

void TFGestEssence::BtnSupprimerClick() {
  if (SpeciesList == nullptr) return;
  const std::optional<std::size_t> row = SelectedListRow(LbEssence, SpeciesList->size());
  if (!row) return;
  const std::size_t r = *row;
  // The open job's records would lose their species.
  const int origin = r < SpeciesOrigins.size() ? SpeciesOrigins[r] : -1;
  if (origin >= 0 && static_cast<std::size_t>(origin) < SpeciesInUse.size() &&
      SpeciesInUse[static_cast<std::size_t>(origin)]) {
    prompts_.Notice(Text(SpeciesText::Caption), Text(SpeciesText::SpeciesInUse),
                    PromptIcon::Warning);
    return;
  }
  // The row and the entry go together (equal names leave the same list whichever is erased).
  RemoveListRow(LbEssence, r);
  SpeciesList->erase(SpeciesList->begin() + static_cast<std::ptrdiff_t>(r));
  if (r < SpeciesOrigins.size()) {
    SpeciesOrigins.erase(SpeciesOrigins.begin() + static_cast<std::ptrdiff_t>(r));
  }
  EdtEssence->setText(QString());
  BtnAjouter->setEnabled(false);
  BtnSupprimer->setEnabled(false);
  Changed = 1;
}

void TFGestEssence::BtnOKClick() {
  const std::string name = EdtEssence->text().toStdString();
  if (!name.empty() && SpeciesList != nullptr && !InList(name)) {
    if (prompts_.Ask(kAddCaption, kAddQuestion, PromptButtons::YesNo, PromptIcon::Question) ==
        PromptAnswer::Yes) {
      // A name refused has said why; the form stays open to mend it.
      if (!AddSpecies()) return;
    }
  }
  if (Changed == 1 && SpeciesList != nullptr) SortSpeciesNames(*SpeciesList, SpeciesOrigins);
  accept();
}

}  // namespace tranchex
