#pragma once
// A numeric field checked when the person leaves it: the text is read with the regional decimal
// separator, scaled by the unit and rounded, held against the field's bounds, and either taken
// (the pending value and its dirty mark) or refused with a message in the form's warning box,
// the field put back as the form says and the focus kept there.
//
// A value the form shows (a stored size, a picked one, one just accepted) is shown rounded, but
// the field stands for the exact value until the person changes its text: an exit then checks
// and gives back that value, never the one its rounded text would read as. So a size passed
// through, in any unit, is the size kept.

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
  std::function<std::optional<QString>(double)> Verify;
  // Called with the accepted value (internal units, or the count).
  std::function<void(double)> OnAccepted;
  // The message of a value outside the bounds, in place of the field's own message and its
  // range, for a field whose message depends on why (the value read, in internal units; nothing
  // when the text is no number that fits). Unset: the field's message and its range.
  std::function<QString(std::optional<double>)> RangeRefusal;
  // Called after a refusal, once the field has been put back (the pending value and dirty mark
  // of the record are the form's to reset).
  std::function<void()> OnRefused;

  // The exit. False when the value was refused.
  bool Exit();

  // Shows a value (internal units, or a count) and stands for it until the text is changed.
  void Show(double value);
  // Empties the field; it stands for no value.
  void Clear();
  // The exact value the field stands for: the one shown, while its text is the one shown.
  std::optional<double> ShownValue() const;

  // Refuses the value the field stands for, as the exit does: with this message in the form's
  // warning box (or, without one, the field's own message and its range), the field put back as
  // the rule says, the focus kept there and OnRefused called.
  void RefuseValue(const std::optional<QString>& message);

  QLineEdit* Field() const { return field_; }

 private:
  void Refuse(bool withRange, std::optional<double> value);
  void PutBack();
  bool Take(double value);

  QLineEdit* field_;
  CheckedFieldRule rule_;
  Sources sources_;
  Prompts& prompts_;
  std::optional<double> shown_;
  QString shownText_;
};

}  // namespace tranchex
