// The part designations manager in its two modes: what a showing starts with, the adds and
// deletes, the question OK asks in manage mode, the sort, the names refused, the close box and
// Escape, and the picker the part form sees.

#include "dialogs/UGestDesPieces.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;
using Names = std::vector<std::string>;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

constexpr std::uint8_t kManage = 0;
constexpr std::uint8_t kPick = 1;

class DesignationsForm : public ::testing::Test {
 protected:
  void Show(std::uint8_t mode, Names names) {
    list = std::move(names);
    form.DesignationList = &list;
    form.PickMode = mode;
    ShowActive(form);
  }
  void Type(const QString& text) {
    form.EdtDesPiece->setFocus();
    form.EdtDesPiece->selectAll();
    QTest::keyClick(form.EdtDesPiece, Qt::Key_Delete);
    // Typed as the keyboard would insert it (accented letters included).
    form.EdtDesPiece->insert(text);
  }
  void Select(int row) {
    QListWidgetItem* item = form.LbDesPieces->item(row);
    QTest::mouseClick(form.LbDesPieces->viewport(), Qt::LeftButton, {},
                      form.LbDesPieces->visualItemRect(item).center());
  }
  void Add(const QString& text) {
    Type(text);
    Click(form.BtnAjouter);
  }
  static void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  Names Rows() const {
    Names out;
    for (int i = 0; i < form.LbDesPieces->count(); ++i)
      out.push_back(form.LbDesPieces->item(i)->text().toStdString());
    return out;
  }
  // Add and delete enabled, as "10", "01"...
  std::string Buttons() const {
    return std::string(form.BtnAjouter->isEnabled() ? "1" : "0") +
           (form.BtnSupprimer->isEnabled() ? "1" : "0");
  }
  std::string Edit() const { return form.EdtDesPiece->text().toStdString(); }

  ScriptedPrompts prompts;
  RecordingHelp help;
  Names list;
  TFGestDesPieces form{prompts, help};
};

TEST_F(DesignationsForm, CaptionsHelpAndFrame) {
  EXPECT_EQ(form.windowTitle(), Text(268));
  EXPECT_EQ(form.BtnAjouter->text(), Text(59));
  EXPECT_EQ(form.BtnSupprimer->text(), Text(60));
  EXPECT_EQ(form.BtnOK->text(), Text(36));
  for (QPushButton* b : {form.BtnAjouter, form.BtnSupprimer, form.BtnOK}) {
    EXPECT_TRUE(b->font().bold());
    EXPECT_EQ(b->font().pixelSize(), 12);
  }
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  Show(kManage, {"Montant"});
  QTest::keyClick(form.EdtDesPiece, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{210});
}

struct OpeningCase {
  const char* name;
  std::uint8_t mode;
  Names list;
  std::string edit;     // the field once shown
  std::string buttons;  // add and delete once shown
  std::string typed;    // add and delete after typing a name
  std::string clicked;  // add and delete after clicking the last row ("" without rows)
};

// The rows are the list in its order; the first row is selected and in the field. Typing
// enables only the add, and only in manage mode; a row clicked enables both in manage mode.
TEST_F(DesignationsForm, WhatEachModeOpensWith) {
  const OpeningCase cases[] = {
      {"manage, empty", kManage, {}, "", "00", "10", ""},
      {"pick, empty", kPick, {}, "", "00", "00", ""},
      {"manage", kManage, {"Pied", "Montant"}, "Pied", "11", "10", "11"},
      {"pick", kPick, {"Pied", "Montant"}, "Pied", "00", "00", "00"},
  };
  for (const OpeningCase& c : cases) {
    SCOPED_TRACE(c.name);
    // Whatever an earlier showing left, a showing starts with no change and no choice.
    form.Changed = 1;
    form.DesignationChosen = 1;
    form.ChosenDesignation = "Ancienne";
    Show(c.mode, c.list);
    EXPECT_EQ(Rows(), c.list);
    EXPECT_EQ(form.LbDesPieces->currentRow(), c.list.empty() ? -1 : 0);
    EXPECT_EQ(Edit(), c.edit);
    EXPECT_EQ(Buttons(), c.buttons);
    EXPECT_EQ(form.Changed, 0);
    EXPECT_EQ(form.DesignationChosen, 0);
    EXPECT_EQ(form.ChosenDesignation, "");
    Type(QStringLiteral("Traverse"));
    EXPECT_EQ(Buttons(), c.typed);
    if (!c.list.empty()) {
      Select(static_cast<int>(c.list.size()) - 1);
      EXPECT_EQ(Edit(), c.list.back());
      EXPECT_EQ(Buttons(), c.clicked);
    }
    form.hide();
  }
}

// A name is added at the end of the list and of the rows, the field keeping it; a name already
// listed is not added again, one differing only in case is another name.
TEST_F(DesignationsForm, AddsAtTheEnd) {
  Show(kManage, {"Pied", "Montant"});
  Add(QStringLiteral("Pied"));
  EXPECT_EQ(form.Changed, 0);
  EXPECT_EQ(list, (Names{"Pied", "Montant"}));
  Add(QStringLiteral("pied"));
  Add(QStringLiteral("Traverse"));
  EXPECT_EQ(list, (Names{"Pied", "Montant", "pied", "Traverse"}));
  EXPECT_EQ(Rows(), list);
  EXPECT_EQ(Edit(), "Traverse");
  EXPECT_EQ(form.Changed, 1);
  EXPECT_TRUE(prompts.asked.empty());
}

// Texts compared byte by byte in Windows-1252: capitals before small letters, accented letters
// (and Œ) after every plain one, a name before the longer names it starts.
TEST_F(DesignationsForm, OkSortsByTheCodePageBytesAfterAChange) {
  Show(kManage, {"Pied"});
  for (const char* name : {"étagère", "Zinc", "abattant", "Étai", "Œillet", "Pied de table",
                           "Montant"}) {
    Add(QString::fromUtf8(name));
  }
  Click(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(list, (Names{"Montant", "Pied", "Pied de table", "Zinc", "abattant", "Œillet",
                         "Étai", "étagère"}));
  EXPECT_EQ(form.DesignationChosen, 1);
  EXPECT_EQ(form.ChosenDesignation, "Montant");
  EXPECT_TRUE(prompts.asked.empty());

  // Without a change the list keeps its order.
  Show(kManage, {"Pied", "Montant"});
  Click(form.BtnOK);
  EXPECT_EQ(list, (Names{"Pied", "Montant"}));
  EXPECT_EQ(form.Changed, 0);
}

// The delete takes the selected row and its entry; nothing stays selected, the field is emptied
// and both buttons are disabled. OK with the empty field returns no choice, and sorts.
TEST_F(DesignationsForm, DeleteThenOkWithAnEmptyField) {
  Show(kManage, {"Traverse", "Pied", "Montant", "Chant"});
  Select(2);
  Click(form.BtnSupprimer);
  EXPECT_EQ(list, (Names{"Traverse", "Pied", "Chant"}));
  EXPECT_EQ(Rows(), list);
  EXPECT_TRUE(form.LbDesPieces->selectedItems().isEmpty());
  EXPECT_EQ(Edit(), "");
  EXPECT_EQ(Buttons(), "00");
  EXPECT_EQ(form.Changed, 1);
  Click(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.DesignationChosen, 0);
  EXPECT_EQ(list, (Names{"Chant", "Pied", "Traverse"}));
  EXPECT_TRUE(prompts.asked.empty());

  Show(kManage, {"Pied"});
  Select(0);
  Click(form.BtnSupprimer);
  EXPECT_TRUE(list.empty());
  Click(form.BtnOK);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(form.DesignationChosen, 0);
}

struct OkCase {
  const char* name;
  std::uint8_t mode;
  const char* typed;
  bool asked;                 // the question is asked
  PromptAnswer answer;
  Names listAfter;
  bool closed;
  std::uint8_t chosen;
  const char* choice;
  std::uint8_t changed;
};

// OK with a name in the field: pick mode adds a new one silently and returns it; manage mode
// asks about a new one (Yes adds it, No returns it unadded, a question left unanswered goes
// back to the form); a listed name is returned as it is.
TEST_F(DesignationsForm, OkWithANameInTheField) {
  const OkCase cases[] = {
      {"pick, new", kPick, "Chant", false, PromptAnswer::No, {"Chant", "Pied", "Traverse"}, true,
       1, "Chant", 1},
      {"pick, listed", kPick, "Traverse", false, PromptAnswer::No, {"Traverse", "Pied"}, true, 1,
       "Traverse", 0},
      {"manage, new, yes", kManage, "Chant", true, PromptAnswer::Yes,
       {"Chant", "Pied", "Traverse"}, true, 1, "Chant", 1},
      {"manage, new, no", kManage, "Chant", true, PromptAnswer::No, {"Traverse", "Pied"}, true, 1,
       "Chant", 0},
      {"manage, new, unanswered", kManage, "Chant", true, PromptAnswer::Cancel,
       {"Traverse", "Pied"}, false, 0, "", 0},
      {"manage, listed", kManage, "Pied", false, PromptAnswer::No, {"Traverse", "Pied"}, true, 1,
       "Pied", 0},
  };
  for (const OkCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    if (c.asked) prompts.answers = {c.answer};
    Show(c.mode, {"Traverse", "Pied"});
    Type(QString::fromUtf8(c.typed));
    Click(form.BtnOK);
    const auto questions = prompts.Of(Kind::Ask);
    ASSERT_EQ(questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(questions[0].caption, Text(268));
      EXPECT_EQ(questions[0].text, Text(269));
      EXPECT_EQ(questions[0].buttons, PromptButtons::YesNo);
      EXPECT_EQ(questions[0].icon, PromptIcon::Question);
    }
    EXPECT_EQ(list, c.listAfter);
    EXPECT_EQ(form.isVisible(), !c.closed);
    EXPECT_EQ(form.DesignationChosen, c.chosen);
    EXPECT_EQ(form.ChosenDesignation, c.choice);
    EXPECT_EQ(form.Changed, c.changed);
    EXPECT_TRUE(prompts.Exhausted());
    form.hide();
  }
}

struct RefusalCase {
  const char* name;
  std::uint8_t mode;
  QString typed;
  int notice;  // the text shown; 0: the name is taken
};

// A name a part could not hold is refused with the part form's message, and the form stays open
// to mend it: over 49 characters, or a character Windows-1252 lacks. 49 accented letters are
// 49 characters.
TEST_F(DesignationsForm, NamesAPartCannotHoldAreRefused) {
  const QString fifty(50, QLatin1Char('x'));
  const QString fortyNine(49, QChar(0xE9));
  const RefusalCase cases[] = {
      {"manage, too long", kManage, fifty, 17},
      {"manage, not Windows-1252", kManage, QStringLiteral("Ωmega"), 120},
      {"manage, 49 characters", kManage, fortyNine, 0},
      {"pick, too long", kPick, fifty, 17},
      {"pick, not Windows-1252", kPick, QStringLiteral("Ωmega"), 120},
      {"pick, 49 characters", kPick, fortyNine, 0},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    if (c.mode == kManage) prompts.answers = {PromptAnswer::Yes};
    Show(c.mode, {"Pied"});
    Type(c.typed);
    if (c.mode == kManage) Click(form.BtnAjouter);
    Click(form.BtnOK);
    if (c.notice == 0) {
      EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
      EXPECT_EQ(list, (Names{"Pied", c.typed.toStdString()}));
      EXPECT_FALSE(form.isVisible());
      EXPECT_EQ(form.ChosenDesignation, c.typed.toStdString());
      if (c.mode == kManage) prompts.answers.clear();  // the add needed no question
    } else {
      // Manage mode: refused at the add and again at OK, after Yes.
      const qsizetype times = c.mode == kManage ? 2 : 1;
      EXPECT_EQ(prompts.NoticeTexts(), QStringList(QList<QString>(times, Text(c.notice))));
      const auto notices = prompts.Of(Kind::Notice);
      EXPECT_EQ(notices.back().icon, PromptIcon::Warning);
      EXPECT_EQ(list, Names{"Pied"});
      EXPECT_TRUE(form.isVisible());
      EXPECT_EQ(form.DesignationChosen, 0);
      EXPECT_EQ(form.Changed, 0);
    }
    EXPECT_TRUE(prompts.Exhausted());
    form.hide();
  }
}

// The close box and Escape return no choice, even after an OK at an earlier showing; adds made
// before them stay in the list, unsorted, and are reported as a change.
TEST_F(DesignationsForm, CloseBoxAndEscapeReturnNoChoice) {
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "close box");
    const auto closeWithoutOk = [&] {
      if (escape) {
        QTest::keyClick(form.EdtDesPiece, Qt::Key_Escape);
      } else {
        form.close();
      }
    };
    Show(kPick, {"Pied", "Montant"});
    Click(form.BtnOK);
    ASSERT_EQ(form.DesignationChosen, 1);

    Show(kPick, {"Pied", "Montant"});
    Type(QStringLiteral("Traverse"));
    closeWithoutOk();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.DesignationChosen, 0);
    EXPECT_EQ(form.Changed, 0);
    EXPECT_EQ(list, (Names{"Pied", "Montant"}));

    Show(kManage, {"Pied", "Montant"});
    Add(QStringLiteral("Chant"));
    closeWithoutOk();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.DesignationChosen, 0);
    EXPECT_EQ(form.Changed, 1);
    EXPECT_EQ(list, (Names{"Pied", "Montant", "Chant"}));
  }
  EXPECT_TRUE(prompts.asked.empty());
}

// The part form's picker: shown in pick mode over the list handed in, placed over the caller
// (centred on it, 14 pixels below its top), and what it reports.
TEST_F(DesignationsForm, AsThePartFormsPicker) {
  QWidget caller;
  caller.setGeometry(200, 150, 600, 400);
  caller.show();
  Names shop{"Pied", "Montant"};
  DesignationPickerInput in;
  in.ManagedDesignationList = &shop;
  in.DesignationPickMode = 1;

  QPoint shownAt;
  std::string buttons;
  prompts.modals.push_back([&](QDialog&) {
    shownAt = form.pos();
    buttons = Buttons();
    Type(QStringLiteral("Chant"));
    Click(form.BtnOK);
    return form.result();
  });
  DesignationPickerOutput out = form.Pick(in, caller);
  EXPECT_EQ(prompts.Of(Kind::Modal).at(0).text, QStringLiteral("FGestDesPieces"));
  EXPECT_EQ(shownAt, QPoint(caller.x() + caller.width() / 2 - form.width() / 2, caller.y() + 14));
  EXPECT_EQ(buttons, "00");
  EXPECT_EQ(out.DesignationChosen, 1);
  EXPECT_EQ(out.ChosenDesignation, "Chant");
  EXPECT_EQ(out.DesignationsChanged, 1);
  EXPECT_EQ(shop, (Names{"Chant", "Montant", "Pied"}));

  // Closed without OK: nothing chosen, nothing changed.
  prompts.modals.push_back([&](QDialog&) {
    Select(1);
    form.close();
    return form.result();
  });
  out = form.Pick(in, caller);
  EXPECT_EQ(out.DesignationChosen, 0);
  EXPECT_EQ(out.ChosenDesignation, "");
  EXPECT_EQ(out.DesignationsChanged, 0);
  EXPECT_TRUE(prompts.Exhausted());
}

// A restore after a minimise is no new showing: the name added before it is still reported,
// the rows and the field as they were left.
TEST_F(DesignationsForm, AMinimiseKeepsTheChange) {
  Show(kManage, {"Montant", "Pied"});
  Add(QStringLiteral("Traverse"));
  MinimiseAndRestore(form);
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(Rows(), (Names{"Montant", "Pied", "Traverse"}));
  EXPECT_EQ(Edit(), "Traverse");
  Click(form.BtnOK);
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(list, (Names{"Montant", "Pied", "Traverse"}));
}

}  // namespace
}  // namespace tranchex::test
