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
  const std::string typed = field_->text().toStdString();
  const EntryRange range = sources_.Range();
  std::optional<AcceptedEntry> entry;
  if (rule_.IsCount) {
    entry = CheckCountEntry(typed, range);
  } else {
    entry = CheckLengthEntry(typed, sources_.Unit().Factor, range, sources_.DecimalSeparator());
  }
  if (!entry) {
    // A count says its range only when it is a whole number past the top.
    bool withRange = !rule_.IsCount;
    if (rule_.IsCount) {
      const auto whole = CheckCountEntry(typed, EntryRange{-2147483648.0, true, 2147483647.0, true});
      withRange = whole && whole->Value > range.Upper;
    }
    Refuse(withRange);
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
  if (OnAccepted) OnAccepted(entry->Value);
  return true;
}

void CheckedField::RefuseValue(const std::optional<QString>& message) {
  if (!message) {
    Refuse(true);
    return;
  }
  prompts_.Notice(DialogFrame::Text(TextId::FieldChecks::Caption), *message, PromptIcon::Warning);
  PutBack();
}

void CheckedField::Refuse(bool withRange) {
  std::string message = DialogFrame::Text(rule_.FieldTextId).toStdString() + rule_.MessageEnd;
  if (withRange && rule_.RangeTextId != 0) {
    const UNITE_MESURE& unit = sources_.Unit();
    const char separator = sources_.DecimalSeparator();
    const EntryRange range = sources_.Range();
    const std::string rangeText = DialogFrame::Text(rule_.RangeTextId).toStdString();
    if (rule_.IsCount) {
      message += "\n" + ReplaceVal1Val2Placeholders(rangeText, "0",
                                                    FormatGeneral(range.Upper, separator), "");
    } else {
      message = RangeRefusalMessage(message, rangeText, range.Upper, unit, separator);
    }
  }
  prompts_.Notice(DialogFrame::Text(TextId::FieldChecks::Caption), QString::fromStdString(message), PromptIcon::Warning);
  PutBack();
}

// After a refusal: the field shows what the form says, keeps the focus, and the form hears of it.
void CheckedField::PutBack() {
  switch (rule_.OnRefusal) {
    case RefusedFieldText::StoredValue:
      if (rule_.IsCount) {
        field_->setText(QString::number(static_cast<qint64>(std::llround(sources_.Stored()))));
      } else {
        field_->setText(QString::fromStdString(StoredValueText(
            sources_.Stored(), sources_.Unit().Factor, sources_.DecimalSeparator())));
      }
      break;
    case RefusedFieldText::Empty:
      field_->setText(QString());
      break;
    case RefusedFieldText::One:
      field_->setText(QStringLiteral("1"));
      break;
    case RefusedFieldText::Kept:
      break;
  }
  field_->setFocus();
  if (OnRefused) OnRefused();
}

}  // namespace tranchex
