#pragma once
// A numeric field checked when the person leaves it: the text is read with the regional decimal
// separator, scaled by the unit and rounded, held against the field's bounds, and either taken
// (the pending value and its dirty mark) or refused with a message in the form's warning box,
// the field put back as the form says and the focus kept there.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

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
  Kept,         // the text as typed
};

// When the exit reads the field.
enum class FieldExitGuard {
  Modified,  // only when the text was changed since it was last set
  NotEmpty,  // whenever the text is not empty
  ModifiedNotEmpty,  // only when the text was changed since it was last set and is not empty
};

struct CheckedFieldRule {
  bool IsCount = false;  // a count: whole numbers, no unit
  FieldExitGuard Guard = FieldExitGuard::Modified;
  RefusedFieldText OnRefusal = RefusedFieldText::StoredValue;
  int FieldTextId = TextId::FieldChecks::InvalidLength;  // the field's own message
  // Written right after the field's message (" !" after text 112 "Valeur non valide").
  const char* MessageEnd = "";
  // The range text after the field's message: always for a value in the unit; for a count only
  // when the value is a whole number above the upper bound. 0: a message without the range.
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

  // Asked about a value within the bounds before it is taken (the margins ask whether every part
  // still fits); a message refuses the value and is shown in place of the range message.
  std::function<std::optional<QString>(std::int32_t)> Verify;
  // Called with the accepted value (internal units, or the count).
  std::function<void(std::int32_t)> OnAccepted;
  // Called after a refusal, once the field has been put back (the pending value and dirty mark
  // of the record are the form's to reset).
  std::function<void()> OnRefused;

  // The exit. False when the value was refused.
  bool Exit();

  // Refuses the value the field stands for, as the exit does: with this message in the form's
  // warning box (or, without one, the field's own message and its range), the field put back as
  // the rule says, the focus kept there and OnRefused called.
  void RefuseValue(const std::optional<QString>& message);

  QLineEdit* Field() const { return field_; }

 private:
  void Refuse(bool withRange);
  void PutBack();

  QLineEdit* field_;
  CheckedFieldRule rule_;
  Sources sources_;
  Prompts& prompts_;
};

}  // namespace tranchex
