#pragma once
// The designation picker as the part form sees it: what the form hands it before it is shown and
// what it reads once it is closed. The form holds a DesignationPicker* and works without one (its
// designation button is then disabled and a right click on the designation opens nothing); the
// program plugs in the designations manager in its pick mode, the tests a fake.

#include <cstdint>
#include <string>
#include <vector>

class QString;
class QWidget;

namespace tranchex {

// The language text that refuses a designation (over 49 characters, or a character the job file
// cannot hold); 0 when it is kept, the empty text included. The part form checks what is typed or
// picked with it, the designations manager what joins the list.
int DesignationRefusal(const QString& text);

// Written by the part form before the picker is shown.
struct DesignationPickerInput {
  // The shop's designations: picked from, and added to or deleted from by the picker.
  std::vector<std::string>* ManagedDesignationList = nullptr;
  std::uint8_t DesignationPickMode = 1;  // 1: a designation is picked
};

// Read by the part form once the picker is closed.
struct DesignationPickerOutput {
  std::uint8_t DesignationsChanged = 0;  // 1: the user added or deleted designations
  std::uint8_t DesignationChosen = 0;    // 1: the user chose one
  std::string ChosenDesignation;         // the designation chosen
};

class DesignationPicker {
 public:
  virtual ~DesignationPicker() = default;
  // Places itself over caller (centred on its client area, 14 pixels below its top), shows
  // itself modally and reports what was chosen.
  virtual DesignationPickerOutput Pick(const DesignationPickerInput& input, QWidget& caller) = 0;
};

}  // namespace tranchex
