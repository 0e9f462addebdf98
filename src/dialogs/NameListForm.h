#pragma once
// What the two name-list managers (species and part designations) share: the arrangement of
// their controls and the filling of their list.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tranchex {

// The name field over the list on the left; "Ajouter" and "Supprimer" at the top and "OK" at
// the foot on the right. Tab goes field, list, Ajouter, Supprimer, OK.
void ArrangeNameListForm(QDialog& form, QLineEdit* field, QListWidget* list, QPushButton* add,
                         QPushButton* remove, QPushButton* ok);

// Shows the names, the first one current. The list's signals are blocked meanwhile: filling it
// is not a click of the person's.
void FillNameList(QListWidget* list, const std::vector<std::string>& names);

// The row the person has selected, when it stands for one of the `rowCount` entries behind the
// list; none when no row is selected.
std::optional<std::size_t> SelectedListRow(const QListWidget* list, std::size_t rowCount);

// Takes the row out of the list and leaves no row selected, whatever the list would select in
// its place; the list's signals are blocked meanwhile.
void RemoveListRow(QListWidget* list, std::size_t row);

}  // namespace tranchex
