// The real message boxes: leaving a question with Escape is never an answer of No.
//
// The box runs its own modal loop, so the steps run from a timer inside it. A step only acts and
// records what it saw: the assertions come after Ask has returned, and a box the step left open
// is rejected, so a failing step fails its test instead of leaving the suite waiting on a box.

#include "platform/Prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>
#include <string>

namespace tranchex {
namespace {

// What the box showed, and whether the step closed it.
struct Seen {
  bool shown = false;             // a message box was the active modal window
  std::set<std::string> buttons;  // the texts of its visible buttons
  bool closedByStep = false;      // the step's own action closed it
};

// Asks, runs `step` on the box once it is shown, and closes the box if the step did not.
PromptAnswer AskAndThen(PromptButtons buttons, const std::function<void(QMessageBox&)>& step,
                        Seen& seen) {
  QtPrompts prompts(nullptr);
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen.shown = true;
      for (QAbstractButton* b : box->buttons()) {
        if (b->isVisible()) seen.buttons.insert(b->text().toStdString());
      }
      step(*box);
      seen.closedByStep = !box->isVisible();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* open = qobject_cast<QMessageBox*>(w); open != nullptr && open->isVisible()) {
        open->reject();
      }
    }
  });
  return prompts.Ask(QStringLiteral("Tranchex"), QStringLiteral("Question ?"), buttons);
}

// A step that clicks the button with that text, when the box has one.
std::function<void(QMessageBox&)> Click(const QString& text) {
  return [text](QMessageBox& box) {
    for (QAbstractButton* b : box.buttons()) {
      if (b->text() == text && b->isVisible()) {
        b->click();
        return;
      }
    }
  };
}

TEST(QtPrompts, EscapeOrClosingTheBoxIsNoAnswer) {
  const struct {
    const char* name;
    std::function<void(QMessageBox&)> step;
  } steps[] = {
      {"Escape", [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }},
      {"close", [](QMessageBox& b) { b.close(); }},
  };
  for (PromptButtons buttons : {PromptButtons::YesNo, PromptButtons::YesNoCancel}) {
    for (const auto& s : steps) {
      SCOPED_TRACE(std::string(s.name) +
                   (buttons == PromptButtons::YesNo ? " on Yes/No" : " on Yes/No/Cancel"));
      Seen seen;
      const PromptAnswer answer = AskAndThen(buttons, s.step, seen);
      EXPECT_TRUE(seen.shown);
      EXPECT_TRUE(seen.closedByStep);
      EXPECT_EQ(answer, PromptAnswer::Cancel);
    }
  }
}

TEST(QtPrompts, TheButtonsAnswerAndAYesNoQuestionShowsNoCancel) {
  const struct {
    const char* name;
    PromptButtons buttons;
    const char* click;
    std::set<std::string> shownButtons;
    PromptAnswer answer;
  } cases[] = {
      {"No on Yes/No", PromptButtons::YesNo, "&Non", {"&Oui", "&Non"}, PromptAnswer::No},
      {"Yes on Yes/No", PromptButtons::YesNo, "&Oui", {"&Oui", "&Non"}, PromptAnswer::Yes},
      {"Yes on Yes/No/Cancel", PromptButtons::YesNoCancel, "&Oui", {"&Oui", "&Non", "Annuler"},
       PromptAnswer::Yes},
      {"Cancel on Yes/No/Cancel", PromptButtons::YesNoCancel, "Annuler",
       {"&Oui", "&Non", "Annuler"}, PromptAnswer::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    const PromptAnswer answer = AskAndThen(c.buttons, Click(QString::fromUtf8(c.click)), seen);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.buttons, c.shownButtons);
    EXPECT_TRUE(seen.closedByStep);
    EXPECT_EQ(answer, c.answer);
  }
}


// A message quoting an imported cell or a file name is shown as the text it is: tags drawn as
// characters, no image loaded, line breaks kept.
TEST(QtPrompts, OutsideTextIsShownAsPlainText) {
  const QString hostile = QStringLiteral(
      "Erreur ligne 3\n<h1>GROS</h1><img src=\"/tmp/image.png\">");
  struct Shown {
    bool seen = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
  };
  auto watch = [](Shown& shown) {
    QTimer::singleShot(0, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown.seen = true;
        shown.format = box->textFormat();
        shown.text = box->text();
      }
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* open = qobject_cast<QMessageBox*>(w); open != nullptr && open->isVisible()) {
          open->reject();
        }
      }
    });
  };
  QtPrompts prompts(nullptr);
  Shown notice;
  watch(notice);
  prompts.Notice(QStringLiteral("Tranchex"), hostile, PromptIcon::Information);
  Shown question;
  watch(question);
  prompts.Ask(QStringLiteral("Tranchex"), hostile, PromptButtons::YesNo);
  for (const Shown* shown : {&notice, &question}) {
    EXPECT_TRUE(shown->seen);
    EXPECT_EQ(shown->format, Qt::PlainText);
    EXPECT_EQ(shown->text, hostile);
  }
}

}  // namespace
}  // namespace tranchex

namespace tranchex {
namespace {

// A box asked while a form is open goes over that form (a form that stays on top would hide a
// box over the main window); otherwise over the window the prompts were given.
TEST(QtPrompts, ABoxOpensOverTheOpenForm) {
  QWidget window;
  window.show();
  QtPrompts prompts(&window);
  for (bool formOpen : {true, false}) {
    SCOPED_TRACE(formOpen);
    QDialog form(&window);
    form.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    form.setWindowModality(Qt::ApplicationModal);
    if (formOpen) form.show();
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        owner = box->parentWidget();
        box->reject();
      }
    });
    prompts.Notice(QStringLiteral("Tranchex"), QStringLiteral("Terminé."),
                   PromptIcon::Information);
    EXPECT_EQ(owner, formOpen ? static_cast<QWidget*>(&form) : &window);
    form.hide();
  }
}

}  // namespace
}  // namespace tranchex
