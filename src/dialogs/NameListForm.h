#pragma once
// What the two name-list managers (species and part designations) share: the arrangement of
// their controls and the filling of their list.

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

}  // namespace tranchex
