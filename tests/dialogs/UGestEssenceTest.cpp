// The species manager: adds, deletes, the order shown, the close box, the names it refuses and
// the positions it keeps for the open job.

#include "dialogs/UGestEssence.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class SpeciesForm : public ::testing::Test {
 protected:
  void Show(std::vector<std::string> names, std::vector<bool> inUse = {}) {
    list = std::move(names);
    form.SpeciesList = &list;
    form.SpeciesInUse = std::move(inUse);
    // As the main window's home does: the name joins the list at the next place (after what
    // another copy added meanwhile, when a test says so).
    form.AddSpecies = [this](const std::string& name) -> std::optional<int> {
      if (refuseAdds) return std::nullopt;
      for (const std::string& other : addedElsewhere) list.push_back(other);
      addedElsewhere.clear();
      list.push_back(name);
      return static_cast<int>(list.size() - 1);
    };
    ShowActive(form);
  }
  // The list once the main window has written the deletes the form hands back.
  std::vector<std::string> AfterDeletes() const {
    std::vector<std::string> out = list;
    for (const std::size_t place : form.DeletedPlaces) out.at(place).clear();
    return out;
  }
  void Type(const QString& text) {
    form.EdtEssence->setFocus();
    form.EdtEssence->selectAll();
    QTest::keyClick(form.EdtEssence, Qt::Key_Delete);
    // Typed as the keyboard would insert it (accented letters included).
    form.EdtEssence->insert(text);
  }
  void Select(int row) {
    QListWidgetItem* item = form.LbEssence->item(row);
    QTest::mouseClick(form.LbEssence->viewport(), Qt::LeftButton, {},
                      form.LbEssence->visualItemRect(item).center());
  }
  void ClickButton(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  std::vector<std::string> Items() const {
    std::vector<std::string> out;
    for (int i = 0; i < form.LbEssence->count(); ++i)
      out.push_back(form.LbEssence->item(i)->text().toStdString());
    return out;
  }
  // Add and delete enabled, as "10", "01"...
  std::string Buttons() const {
    return std::string(form.BtnAjouter->isEnabled() ? "1" : "0") +
           (form.BtnSupprimer->isEnabled() ? "1" : "0");
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::vector<std::string> list;
  bool refuseAdds = false;
  std::vector<std::string> addedElsewhere;
  TFGestEssence form{prompts, help};
};

TEST_F(SpeciesForm, ShowsTheListWithTheFirstSelected) {
  EXPECT_EQ(form.windowTitle(), Text(58));
  EXPECT_EQ(form.BtnAjouter->text(), Text(59));
  EXPECT_EQ(form.BtnSupprimer->text(), Text(60));
  EXPECT_EQ(form.BtnOK->text(), Text(36));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  form.Changed = 1;
  // Shown sorted by their bytes; a deleted species (an empty name) is not shown.
  Show({"Pin", "", "Chêne"});
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Pin"}));
  EXPECT_EQ(form.LbEssence->currentRow(), 0);
  EXPECT_EQ(form.EdtEssence->text(), QStringLiteral("Chêne"));
  EXPECT_EQ(Buttons(), "11");
  EXPECT_EQ(form.Changed, 0);
  QTest::keyClick(form.EdtEssence, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{100});
  form.hide();
  Show({});
  EXPECT_EQ(Buttons(), "00");
  form.hide();
  Show({""});
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Buttons(), "00");
}

// A name is added at the end of the list and of the rows. Places never move: OK sorts nothing,
// the next showing shows the names sorted by the bytes of the code page. Adding a name already
// there does nothing; one differing in case is another name.
TEST_F(SpeciesForm, AddsAtTheEndAndShowsSortedNextTime) {
  Show({"Pin", "Hêtre", "Chêne"});
  Type(QStringLiteral("Pin"));
  ClickButton(form.BtnAjouter);
  EXPECT_EQ(form.Changed, 0);
  EXPECT_EQ(list.size(), 3u);
  Type(QStringLiteral("Aulne"));
  EXPECT_EQ(Buttons(), "10");
  ClickButton(form.BtnAjouter);
  Type(QStringLiteral("chêne"));
  ClickButton(form.BtnAjouter);
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Hêtre", "Chêne", "Aulne", "chêne"}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Aulne", "chêne"}));
  EXPECT_EQ(form.Changed, 1);
  EXPECT_TRUE(prompts.asked.empty());
  ClickButton(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Hêtre", "Chêne", "Aulne", "chêne"}));
  Show(list);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Aulne", "Chêne", "Hêtre", "Pin", "chêne"}));
}

TEST_F(SpeciesForm, WithoutAChangeOkKeepsTheOrder) {
  Show({"Pin", "Chêne"});
  ClickButton(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Chêne"}));
  EXPECT_EQ(form.Changed, 0);
}

// A delete empties the species' place, which stays; no row is selected after it (whatever the
// list would select in its place) and both buttons are disabled.
TEST_F(SpeciesForm, DeleteLeavesNothingSelected) {
  Show({"Pin", "Hêtre", "Chêne"});
  Select(1);
  EXPECT_EQ(form.EdtEssence->text(), QStringLiteral("Hêtre"));
  EXPECT_EQ(Buttons(), "11");
  ClickButton(form.BtnSupprimer);
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Hêtre", "Chêne"}));  // written at OK
  EXPECT_EQ(form.DeletedPlaces, std::vector<std::size_t>{1});
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Pin"}));
  EXPECT_TRUE(form.LbEssence->selectedItems().isEmpty());
  EXPECT_TRUE(form.EdtEssence->text().isEmpty());
  EXPECT_EQ(Buttons(), "00");
  EXPECT_EQ(form.Changed, 1);
  // Typing after a selection disables the delete until a row is selected again.
  Select(0);
  Type(QStringLiteral("Orme"));
  EXPECT_EQ(Buttons(), "10");
  Select(0);
  EXPECT_EQ(Buttons(), "11");
  form.EdtEssence->setText(QString());
  ClickButton(form.BtnOK);
  EXPECT_EQ(AfterDeletes(), (std::vector<std::string>{"Pin", "", "Chêne"}));
  // A name added later takes a new place: the emptied one is never given again.
  Show(AfterDeletes());
  Type(QStringLiteral("Orme"));
  ClickButton(form.BtnAjouter);
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "", "Chêne", "Orme"}));
}

TEST_F(SpeciesForm, DeletingTheLastSpeciesLeavesAnEmptyList) {
  Show({"Pin"});
  Select(0);
  ClickButton(form.BtnSupprimer);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Buttons(), "00");
  ClickButton(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(AfterDeletes(), std::vector<std::string>{""});
}

// The open job names Hêtre: it stays, with a message; an unused species goes.
TEST_F(SpeciesForm, ASpeciesTheOpenJobUsesIsNotDeleted) {
  Show({"Pin", "Hêtre", "Chêne"}, {false, true, false});
  Select(1);
  ClickButton(form.BtnSupprimer);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{Text(401)});
  EXPECT_EQ(prompts.asked[0].caption, Text(58));
  EXPECT_TRUE(form.DeletedPlaces.empty());
  EXPECT_EQ(form.Changed, 0);
  // Rows shown: Chêne, Hêtre, Pin. Once an earlier row is gone, the used species has moved up
  // a row: still refused.
  Select(0);
  ClickButton(form.BtnSupprimer);
  Select(0);
  ClickButton(form.BtnSupprimer);
  EXPECT_EQ(AfterDeletes(), (std::vector<std::string>{"Pin", "Hêtre", ""}));
  EXPECT_EQ(prompts.NoticeTexts().size(), 2);
}

TEST_F(SpeciesForm, NamesTheFileCannotHoldAreRefused) {
  struct Case {
    QString name;
    int message;  // 0: added
  };
  const Case cases[] = {
      {QString(49, QChar(u'é')), 0},
      {QString(50, QChar(u'a')), 402},
      {QStringLiteral("Chêne \u2212 massif"), 403},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    Show({"Pin"});
    prompts.asked.clear();
    Type(c.name);
    ClickButton(form.BtnAjouter);
    EXPECT_EQ(list.size(), c.message == 0 ? 2u : 1u);
    EXPECT_EQ(prompts.NoticeTexts(), c.message == 0 ? QStringList{} : QStringList{Text(c.message)});
    form.hide();
  }
}

// A new name left in the field: OK asks; Yes adds it at the end, No closes without it.
TEST_F(SpeciesForm, OkAsksAboutANameLeftInTheField) {
  for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
    const bool yes = answer == PromptAnswer::Yes;
    SCOPED_TRACE(yes ? "Yes" : "No");
    Show({"Pin", "Chêne"});
    prompts.asked.clear();
    Type(QStringLiteral("Aulne"));
    prompts.answers = {answer};
    ClickButton(form.BtnOK);
    ASSERT_EQ(prompts.QuestionTexts(),
              QStringList{QStringLiteral("Voulez vous ajouter cette essence à la liste ?")});
    EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Gestionnaire des essences"));
    EXPECT_FALSE(form.isVisible());
    const std::vector<std::string> expected =
        yes ? std::vector<std::string>{"Pin", "Chêne", "Aulne"}
            : std::vector<std::string>{"Pin", "Chêne"};
    EXPECT_EQ(list, expected);
    EXPECT_EQ(form.Changed, yes ? 1 : 0);
  }
}

// The close box keeps what was added and deleted, asks nothing, and reports the change.
TEST_F(SpeciesForm, TheCloseBoxKeepsTheAdds) {
  Show({"Pin", "Chêne"});
  Type(QStringLiteral("Aulne"));
  ClickButton(form.BtnAjouter);
  Type(QStringLiteral("Orme"));
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Chêne", "Aulne"}));
  EXPECT_EQ(form.Changed, 1);
}

// A restore after a minimise is no new showing: the delete and the add made before it are still
// reported, and the rows stay as they were left.
TEST_F(SpeciesForm, AMinimiseKeepsTheChanges) {
  Show({"Pin", "Hêtre", "Chêne"});
  Select(1);  // Hêtre
  ClickButton(form.BtnSupprimer);
  Type(QStringLiteral("Aulne"));
  ClickButton(form.BtnAjouter);
  MinimiseAndRestore(form);
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Pin", "Aulne"}));
  EXPECT_EQ(form.EdtEssence->text(), QStringLiteral("Aulne"));
  // The rows still stand for their places: deleting "Pin" (row 1) empties place 0.
  Select(1);
  ClickButton(form.BtnSupprimer);
  ClickButton(form.BtnOK);
  EXPECT_EQ(AfterDeletes(), (std::vector<std::string>{"", "", "Chêne", "Aulne"}));
  EXPECT_EQ(form.Changed, 1);
}

// A name joins the list only through the adder: one it refuses (a list that cannot be written,
// which has said why) adds no row and no change. Names another copy added meanwhile join the rows
// at the end with the name added. A name deleted here and typed again is simply kept.
TEST_F(SpeciesForm, NamesJoinThroughTheAdderWithThoseOfAnotherCopy) {
  Show({"Pin", "Chêne"});
  refuseAdds = true;
  Type(QStringLiteral("Aulne"));
  ClickButton(form.BtnAjouter);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Pin"}));
  EXPECT_EQ(form.Changed, 0);
  refuseAdds = false;
  addedElsewhere = {"Frêne"};
  ClickButton(form.BtnAjouter);
  EXPECT_EQ(list, (std::vector<std::string>{"Pin", "Chêne", "Frêne", "Aulne"}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Pin", "Frêne", "Aulne"}));
  EXPECT_EQ(form.Changed, 1);

  Select(1);  // Pin
  ClickButton(form.BtnSupprimer);
  EXPECT_EQ(form.DeletedPlaces, std::vector<std::size_t>{0});
  Type(QStringLiteral("Pin"));
  ClickButton(form.BtnAjouter);
  EXPECT_TRUE(form.DeletedPlaces.empty());
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Chêne", "Frêne", "Aulne", "Pin"}));
}

}  // namespace
}  // namespace tranchex::test
