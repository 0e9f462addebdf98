#include "dialogs/NameListForm.h"

#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tranchex {

void ArrangeNameListForm(QDialog& form, QLineEdit* field, QListWidget* list, QPushButton* add,
                         QPushButton* remove, QPushButton* ok) {
  auto* side = new QVBoxLayout;
  side->addWidget(add);
  side->addWidget(remove);
  side->addStretch(1);
  side->addWidget(ok);
  auto* layout = new QGridLayout(&form);
  layout->addWidget(field, 0, 0);
  layout->addWidget(list, 1, 0);
  layout->addLayout(side, 0, 1, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QWidget::setTabOrder(field, list);
  QWidget::setTabOrder(list, add);
  QWidget::setTabOrder(add, remove);
  QWidget::setTabOrder(remove, ok);
}

void FillNameList(QListWidget* list, const std::vector<std::string>& names) {
  const QSignalBlocker blocker(list);
  list->clear();
  for (const std::string& name : names) list->addItem(QString::fromStdString(name));
  if (!names.empty()) list->setCurrentRow(0);
}

std::optional<std::size_t> SelectedListRow(const QListWidget* list, std::size_t rowCount) {
  const QListWidgetItem* item = list->currentItem();
  const int row = list->currentRow();
  if (item == nullptr || !item->isSelected() || row < 0 ||
      static_cast<std::size_t>(row) >= rowCount) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(row);
}

void RemoveListRow(QListWidget* list, std::size_t row) {
  const QSignalBlocker blocker(list);
  delete list->takeItem(static_cast<int>(row));
  list->setCurrentRow(-1);
  list->clearSelection();
}

}  // namespace tranchex
