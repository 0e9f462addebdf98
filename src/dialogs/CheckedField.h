#pragma once
// A numeric field checked when the person leaves it: the text is read with the regional decimal
// separator, scaled by the unit and rounded, held against the field's bounds, and either taken
// (the pending value and its dirty mark) or refused with a message in the form's warning box,
// the field put back as the form says and the focus kept there.

#include <QString>
#include <cstdint>
#include <functional>

#include "job/MeasureUnit.h"
#include "job/NumberEntry.h"
#include "platform/TextIds.h"

class QLineEdit;

namespace tranchex {

class Prompts;

// What the field shows after a refusal.
enum class RefusedFieldText {
  StoredValue,  // the value of the record shown, in the unit (a count: the record's count)
  Empty,        // nothing
  One,          // "1" (a count)
};

// When the exit reads the field.
enum class FieldExitGuard {
  Modified,  // only when the text was changed since it was last set
  NotEmpty,  // whenever the text is not empty
};

struct CheckedFieldRule {
  bool IsCount = false;  // a count: whole numbers, no unit
  FieldExitGuard Guard = FieldExitGuard::Modified;
  RefusedFieldText OnRefusal = RefusedFieldText::StoredValue;
  int FieldTextId = TextId::FieldChecks::InvalidLength;  // the field's own message ("Valeur non valide pour une longueur !")
  // The range text after the field's message: always for a value in the unit; for a count only
  // when the value is a whole number above the upper bound.
  int RangeTextId = TextId::FieldChecks::RangeText;
};

// The decimal separator of the user's regional settings, as one ASCII character (',' when the
// locale's is not one).
char RegionalDecimalSeparator();

class CheckedField {
 public:
  // What the field needs of its form at each exit: the unit, the bounds (internal units), the
  // stored value of the record shown (internal units), the regional decimal separator.
  struct Sources {
    std::function<const UNITE_MESURE&()> Unit;
    std::function<EntryRange()> Range;
    std::function<double()> Stored;
    std::function<char()> DecimalSeparator;
  };

  CheckedField(QLineEdit* field, CheckedFieldRule rule, Sources sources, Prompts& prompts);

  // Called with the accepted value (internal units, or the count).
  std::function<void(std::int32_t)> OnAccepted;
  // Called after a refusal, once the field has been put back (the pending value and dirty mark
  // of the record are the form's to reset).
  std::function<void()> OnRefused;

  // The exit. False when the value was refused.
  bool Exit();

  QLineEdit* Field() const { return field_; }

 private:
  void Refuse(bool withRange);

  QLineEdit* field_;
  CheckedFieldRule rule_;
  Sources sources_;
  Prompts& prompts_;
};

}  // namespace tranchex
