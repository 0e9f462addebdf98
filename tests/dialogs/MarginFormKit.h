#pragma once
// What the tests of the two margin forms share: the messages they expect, worked out from the
// texts, and typing into a field as a person does.

#include <QLineEdit>
#include <QString>
#include <QTest>

#include "platform/Texts.h"

namespace tranchex::test {

inline QString MarginText(int id) { return QString::fromStdString(LoadString(id)); }

// A refused value: the field's message (105 margin, 106 kerf), a line break and the range text
// from 0 to upper (as the form shows it: "100 mm", "3,94 pouces").
inline QString RangeRefusal(int fieldTextId, const QString& upper) {
  return MarginText(fieldTextId) + QStringLiteral("\n") +
         MarginText(118)
             .replace(QStringLiteral("val1"), QStringLiteral("0"))
             .replace(QStringLiteral("val2"), upper);
}

// A margin with which a part no longer fits, with the words given (in lower case).
inline QString NoLongerFits(const QString& parts, const QString& panel) {
  return MarginText(105) + QStringLiteral("\n") + MarginText(172) + parts + MarginText(173) +
         panel + QStringLiteral(" !");
}

// Replaces the field's text by typing, leaving the focus in it.
inline void TypeInto(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

}  // namespace tranchex::test
