#include "dialogs/CheckedField.h"

#include <QLineEdit>
#include <QLocale>
#include <cmath>

#include "dialogs/DialogFrame.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"

namespace tranchex {

char RegionalDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) {
    return static_cast<char>(point.at(0).unicode());
  }
  return ',';
}

CheckedField::CheckedField(QLineEdit* field, CheckedFieldRule rule, Sources sources,
                           Prompts& prompts)
    : field_(field), rule_(rule), sources_(std::move(sources)), prompts_(prompts) {}

bool CheckedField::Exit() {
  if (rule_.Guard == FieldExitGuard::Modified && !field_->isModified()) return true;
  if (rule_.Guard == FieldExitGuard::NotEmpty && field_->text().isEmpty()) return true;
  if (rule_.Guard == FieldExitGuard::ModifiedNotEmpty &&
      (!field_->isModified() || field_->text().isEmpty())) {
    return true;
  }
  const EntryRange range = sources_.Range();
  // The value shown, not what its rounded text reads as.
  if (const std::optional<double> shown = ShownValue()) {
    if (!range.Holds(*shown)) {
      Refuse(true, *shown);
      return false;
    }
    return Take(*shown);
  }
  const std::string typed = field_->text().toStdString();
  const char separator = sources_.DecimalSeparator();
  std::optional<AcceptedEntry> entry;
  if (rule_.IsCount) {
    entry = CheckCountEntry(typed, range);
  } else {
    entry = CheckLengthEntry(typed, sources_.Unit().Factor, range, separator);
  }
  if (!entry) {
    // A count says its range only when it is a whole number past the top.
    bool withRange = !rule_.IsCount;
    std::optional<double> value;
    if (rule_.IsCount) {
      const auto whole =
          CheckCountEntry(typed, EntryRange{-2147483648.0, true, 2147483647.0, true});
      withRange = whole && whole->Value > range.Upper;
      if (whole) value = whole->Value;
    } else if (const std::optional<double> number = ParseRegionalNumber(typed, separator)) {
      if (const std::optional<int> scaled = RoundHalfAway(*number * sources_.Unit().Factor))
        value = *scaled;
    }
    Refuse(withRange, value);
    return false;
  }
  if (Verify) {
    if (const std::optional<QString> refusal = Verify(entry->Value)) {
      RefuseValue(refusal);
      return false;
    }
  }
  if (QString::fromStdString(entry->Text) != field_->text()) {
    field_->setText(QString::fromStdString(entry->Text));
  }
  // From here the field stands for the value taken, whatever its text rounds to.
  shown_ = entry->Value;
  shownText_ = field_->text();
  if (OnAccepted) OnAccepted(entry->Value);
  return true;
}

bool CheckedField::Take(double value) {
  if (Verify) {
    if (const std::optional<QString> refusal = Verify(value)) {
      RefuseValue(refusal);
      return false;
    }
  }
  if (OnAccepted) OnAccepted(value);
  return true;
}

void CheckedField::Show(double value) {
  if (rule_.IsCount) {
    field_->setText(QString::number(static_cast<qint64>(std::llround(value))));
  } else {
    field_->setText(QString::fromStdString(
        FormatSize(value, sources_.Unit().Factor, sources_.DecimalSeparator())));
  }
  shown_ = value;
  shownText_ = field_->text();
}

void CheckedField::Clear() {
  field_->setText(QString());
  shown_.reset();
  shownText_.clear();
}

std::optional<double> CheckedField::ShownValue() const {
  if (!shown_ || field_->text() != shownText_) return std::nullopt;
  return shown_;
}

void CheckedField::RefuseValue(const std::optional<QString>& message) {
  if (!message) {
    Refuse(true, ShownValue());
    return;
  }
  prompts_.Notice(DialogFrame::Text(TextId::FieldChecks::Caption), *message, PromptIcon::Warning);
  PutBack();
}

void CheckedField::Refuse(bool withRange, std::optional<double> value) {
  if (RangeRefusal && !rule_.IsCount) {
    prompts_.Notice(DialogFrame::Text(TextId::FieldChecks::Caption), RangeRefusal(value),
                    PromptIcon::Warning);
    PutBack();
    return;
  }
  std::string message = DialogFrame::Text(rule_.FieldTextId).toStdString() + rule_.MessageEnd;
  if (withRange && rule_.RangeTextId != 0) {
    const UNITE_MESURE& unit = sources_.Unit();
    const char separator = sources_.DecimalSeparator();
    const EntryRange range = sources_.Range();
    const std::string rangeText = DialogFrame::Text(rule_.RangeTextId).toStdString();
    if (rule_.IsCount) {
      // The smallest and largest counts the field takes, whole numbers both.
      const double lowest =
          range.LowerIncluded ? std::ceil(range.Lower) : std::floor(range.Lower) + 1.0;
      const double highest =
          range.UpperIncluded ? std::floor(range.Upper) : std::ceil(range.Upper) - 1.0;
      message += "\n" + ReplaceVal1Val2Placeholders(rangeText, FormatGeneral(lowest, separator),
                                                    FormatGeneral(highest, separator), "");
    } else {
      message = RangeRefusalMessage(message, rangeText, range.Upper, unit, separator,
                                    range.UpperIncluded);
    }
  }
  prompts_.Notice(DialogFrame::Text(TextId::FieldChecks::Caption), QString::fromStdString(message), PromptIcon::Warning);
  PutBack();
}

// After a refusal: the field shows what the form says, keeps the focus, and the form hears of it.
void CheckedField::PutBack() {
  switch (rule_.OnRefusal) {
    case RefusedFieldText::StoredValue:
      Show(sources_.Stored());
      break;
    case RefusedFieldText::Empty:
      Clear();
      break;
    case RefusedFieldText::One:
      field_->setText(QStringLiteral("1"));
      shown_.reset();
      break;
    case RefusedFieldText::Kept:
      shown_.reset();
      break;
  }
  field_->setFocus();
  if (OnRefused) OnRefused();
}

}  // namespace tranchex
