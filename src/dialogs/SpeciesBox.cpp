#include "dialogs/SpeciesBox.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QString>
#include <algorithm>

#include "job/JobRecordChecks.h"
#include "job/SpeciesList.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {

void MakeSpeciesBox(QComboBox& box) {
  box.setEditable(true);
  box.setInsertPolicy(QComboBox::NoInsert);  // a name joins the list only when asked
  box.completer()->setCaseSensitivity(Qt::CaseSensitive);
  // Shown only while the box is empty, never taken as a typed name.
  box.lineEdit()->setPlaceholderText(
      QString::fromStdString(LoadString(TextId::Columns::TextNotSpecified)));
}

void FillSpeciesBox(QComboBox& box, const std::vector<std::string>* list) {
  box.clear();
  if (list == nullptr) return;
  for (const std::size_t place : SpeciesShownOrder(*list))
    box.addItem(QString::fromStdString((*list)[place]), static_cast<int>(place));
}

void ShowSpeciesInBox(QComboBox& box, int species) {
  const int item = species >= 0 ? box.findData(species) : -1;
  if (item >= 0) {
    box.setCurrentIndex(item);
    box.setEditText(box.itemText(item));
  } else {
    box.setCurrentIndex(-1);
    box.setEditText(QString());
  }
}

int ShownSpeciesIndex(const QComboBox& box) {
  const QString text = box.currentText();
  if (text.isEmpty()) return -1;
  const int current = box.currentIndex();
  if (current >= 0 && box.itemText(current) == text) return box.itemData(current).toInt();
  for (int i = 0; i < box.count(); ++i) {
    if (box.itemText(i) == text) return box.itemData(i).toInt();
  }
  return -1;
}

TypedSpecies OfferTypedSpecies(QComboBox& box, const std::vector<std::string>* list,
                               const SpeciesAdder& add, Prompts& prompts) {
  const QString text = box.currentText();
  const std::string name = text.toStdString();
  if (list != nullptr && std::find(list->begin(), list->end(), name) != list->end())
    return TypedSpecies::Listed;
  if (text.isEmpty() || list == nullptr || !add) return TypedSpecies::NotAdded;
  const QString caption =
      QString::fromStdString(LoadString(TextId::PanelForm::NewSpeciesCaption));
  if (const auto why = SpeciesNameRefusal(name)) {
    prompts.Notice(caption, QString::fromStdString(*why), PromptIcon::Warning);
    return TypedSpecies::NotAdded;
  }
  if (prompts.Ask(caption, QString::fromStdString(LoadString(TextId::PanelForm::NewSpeciesQuestion)),
                  PromptButtons::YesNo) != PromptAnswer::Yes)
    return TypedSpecies::NotAdded;
  const std::optional<int> place = add(name);
  if (!place) return TypedSpecies::NotAdded;
  FillSpeciesBox(box, list);
  ShowSpeciesInBox(box, *place);
  return TypedSpecies::Added;
}

}  // namespace tranchex
