#include "dialogs/DesignationPicker.h"

#include <QList>
#include <QString>

#include "job/JobRecordChecks.h"
#include "platform/TextIds.h"

namespace tranchex {

int DesignationRefusal(const QString& text) {
  // Characters as the user sees them: a letter outside the basic plane counts once.
  if (text.toUcs4().size() > static_cast<qsizetype>(kMaxDesignationLength))
    return TextId::PartForm::DesignationTooLong;
  if (CheckDesignation(text.toStdString(), 0)) return TextId::PartForm::InvalidDesignationText;
  return 0;
}

}  // namespace tranchex
