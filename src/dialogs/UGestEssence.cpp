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

void TFGestEssence::NewShowing() { FormShow(); }

void TFGestEssence::FormShow() {
  const std::vector<std::string> none;
  const std::vector<std::string>& list = SpeciesList != nullptr ? *SpeciesList : none;
  shownPlaces_ = SpeciesShownOrder(list);
  std::vector<std::string> names;
  names.reserve(shownPlaces_.size());
  for (const std::size_t place : shownPlaces_) names.push_back(list[place]);
  FillNameList(LbEssence, names);
  DeletedPlaces.clear();
  if (!names.empty()) {
    EdtEssence->setText(QString::fromStdString(names.front()));
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

bool TFGestEssence::Deleted(std::size_t place) const {
  return std::find(DeletedPlaces.begin(), DeletedPlaces.end(), place) != DeletedPlaces.end();
}

void TFGestEssence::FollowList() {
  if (SpeciesList == nullptr) return;
  const std::vector<std::string>& list = *SpeciesList;
  const QSignalBlocker blocker(LbEssence);
  for (std::size_t r = shownPlaces_.size(); r-- > 0;) {
    const std::size_t place = shownPlaces_[r];
    if (place < list.size() && !list[place].empty() && !Deleted(place)) continue;
    RemoveListRow(LbEssence, r);
    shownPlaces_.erase(shownPlaces_.begin() + static_cast<std::ptrdiff_t>(r));
  }
  for (std::size_t place = 0; place < list.size(); ++place) {
    if (list[place].empty() || Deleted(place) ||
        std::find(shownPlaces_.begin(), shownPlaces_.end(), place) != shownPlaces_.end()) {
      continue;
    }
    shownPlaces_.push_back(place);
    LbEssence->addItem(QString::fromStdString(list[place]));
  }
}

bool TFGestEssence::AddTypedName() {
  const std::string name = EdtEssence->text().toStdString();
  if (name.empty() || SpeciesList == nullptr) return true;
  if (InList(name)) {
    // A name deleted during this showing and typed again is simply kept.
    const auto place = static_cast<std::size_t>(
        std::find(SpeciesList->begin(), SpeciesList->end(), name) - SpeciesList->begin());
    if (Deleted(place)) {
      std::erase(DeletedPlaces, place);
      FollowList();
    }
    return true;
  }
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
  // The adder has said why a name could not join the list.
  if (!AddSpecies || !AddSpecies(name)) return false;
  FollowList();
  Changed = 1;
  return true;
}

void TFGestEssence::BtnAjouterClick() { AddTypedName(); }

void TFGestEssence::BtnSupprimerClick() {
  if (SpeciesList == nullptr) return;
  const std::optional<std::size_t> row = SelectedListRow(LbEssence, shownPlaces_.size());
  if (!row) return;
  const std::size_t r = *row;
  const std::size_t place = shownPlaces_[r];
  if (place >= SpeciesList->size()) return;
  // The open job's records would lose their species.
  if (place < SpeciesInUse.size() && SpeciesInUse[place]) {
    prompts_.Notice(Text(SpeciesText::Caption), Text(SpeciesText::SpeciesInUse),
                    PromptIcon::Warning);
    return;
  }
  // The place stays, to be emptied when the form closes: a saved job that names it then reads
  // "Non spécifié", never the species a later add would put there.
  RemoveListRow(LbEssence, r);
  DeletedPlaces.push_back(place);
  shownPlaces_.erase(shownPlaces_.begin() + static_cast<std::ptrdiff_t>(r));
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
      if (!AddTypedName()) return;
    }
  }
  // Nothing is sorted in the list itself: its places are what job files name. The next showing
  // shows the names sorted.
  accept();
}

}  // namespace tranchex
