// The real message boxes: leaving a question with Escape is never an answer of No.

#include "platform/Prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tranchex {
namespace {

// Runs `act` on the message box once it is shown, then returns what Ask answered.
PromptAnswer AskAndThen(PromptButtons buttons, std::function<void(QMessageBox&)> act) {
  QtPrompts prompts(nullptr);
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    act(*box);
  });
  return prompts.Ask(QStringLiteral("Tranchex"), QStringLiteral("Question ?"), buttons);
}

QPushButton* ButtonOf(QMessageBox& box, const QString& text) {
  for (QAbstractButton* b : box.buttons()) {
    if (b->text() == text) return qobject_cast<QPushButton*>(b);
  }
  return nullptr;
}

TEST(QtPrompts, EscapeOrClosingTheBoxIsNoAnswer) {
  for (PromptButtons buttons : {PromptButtons::YesNo, PromptButtons::YesNoCancel}) {
    EXPECT_EQ(AskAndThen(buttons, [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }),
              PromptAnswer::Cancel);
    EXPECT_EQ(AskAndThen(buttons, [](QMessageBox& b) { b.close(); }), PromptAnswer::Cancel);
  }
}

TEST(QtPrompts, TheButtonsAnswerAndAYesNoQuestionShowsNoCancel) {
  EXPECT_EQ(AskAndThen(PromptButtons::YesNo,
                       [](QMessageBox& b) {
                         QPushButton* cancel = ButtonOf(b, QStringLiteral("Annuler"));
                         EXPECT_TRUE(cancel == nullptr || !cancel->isVisible());
                         ButtonOf(b, QStringLiteral("&Non"))->click();
                       }),
            PromptAnswer::No);
  EXPECT_EQ(AskAndThen(PromptButtons::YesNoCancel,
                       [](QMessageBox& b) {
                         EXPECT_TRUE(ButtonOf(b, QStringLiteral("Annuler"))->isVisible());
                         ButtonOf(b, QStringLiteral("&Oui"))->click();
                       }),
            PromptAnswer::Yes);
}

}  // namespace
}  // namespace tranchex
