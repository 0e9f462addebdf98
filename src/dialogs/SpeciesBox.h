#pragma once
// The species box of the entry forms: an editable combo box whose items are the species of the
// list, sorted by their names as every list shows them, each carrying its place in the list (the
// species index records hold). A name typed that the list lacks may join it, at the next place
// free, once checked and once the user agrees. An empty box (a species the list does not name)
// reads "Non spécifié", greyed.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;

namespace tranchex {

class Prompts;

// Adds a name to the species list for good (the main window's one home for it: the species file
// first): the name's place, or nothing when the list could not take it (the user has been told
// why, and the list is as it was). A form without one adds no species.
using SpeciesAdder = std::function<std::optional<int>(const std::string& name)>;

// Makes the species box editable, adding to its items only when asked, and completing exact
// names only (species names differ by their letter case too).
void MakeSpeciesBox(QComboBox& box);

// The list's species as the box's items, sorted by name; a deleted species (an empty name) has
// no item.
void FillSpeciesBox(QComboBox& box, const std::vector<std::string>* list);

// Shows a species; one the list does not name (a job from another machine) shows an empty box,
// never the name shown before.
void ShowSpeciesInBox(QComboBox& box, int species);

// The species the box shows, by its exact text: the place of the item chosen when its text is
// still the one shown, else of the first item of that text; -1 when no item carries the text.
int ShownSpeciesIndex(const QComboBox& box);

enum class TypedSpecies {
  Listed,    // the name shown is in the list
  Added,     // a new name, appended to the list and to the box's items and selected
  NotAdded,  // empty, refused (not storable, too long), declined, or no list to add to
};

// The name the box shows, once its field is left: a name the list lacks (exact letters) is
// checked as the species file must hold it (a refusal says why), then the user is asked whether
// to add it ("Nouvelle essence"); on Yes the adder puts it in the list, and the box is filled
// again (with the names other copies added meanwhile) showing it.
TypedSpecies OfferTypedSpecies(QComboBox& box, const std::vector<std::string>* list,
                               const SpeciesAdder& add, Prompts& prompts);

}  // namespace tranchex
