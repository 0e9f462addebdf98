// The form that asks what to modify: its ticks at each showing, the answers that mirror them,
// its captions with the shop's words, and a form that closes through OK alone.

#include "dialogs/SelModif.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "dialogs/DialogKit.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

class ModifyChoice : public ::testing::Test {
 protected:
  void Show(std::uint8_t marginsPending = 0) {
    form.MarginsPending = marginsPending;
    ShowActive(form);
  }
  // The four answers: panels, parts, margins, criteria.
  std::vector<int> Answers() const {
    return {form.ModifyPanels, form.ModifyParts, form.ModifyMargins, form.ModifyCriteria};
  }
  std::vector<int> Ticks() const {
    return {form.ChbModifPanneaux->isChecked(), form.ChbModifPieces->isChecked(),
            form.ChbModifMarge->isChecked(), form.ChkBoxCriteresOptimisation->isChecked()};
  }

  Settings settings = TestSettings();
  ScriptedPrompts prompts;
  RecordingHelp help;
  TFSelMod form{settings, prompts, help};
};

TEST_F(ModifyChoice, EachShowingStartsFromTheSameTicks) {
  struct Case {
    std::uint8_t marginsPending;
    std::vector<int> answers;
  };
  for (const Case& c : {Case{0, {1, 1, 0, 0}}, Case{1, {1, 1, 1, 0}}, Case{0, {1, 1, 0, 0}}}) {
    // Whatever the last showing left.
    form.ChkBoxCriteresOptimisation->setChecked(true);
    form.ChbModifPanneaux->setChecked(false);
    form.ChbModifMarge->setChecked(true);
    Show(c.marginsPending);
    QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Answers(), c.answers) << int(c.marginsPending);
  }
}

// A box shows what will happen: the margins box is ticked for an import only when the main
// window has enabled it, that is when the margins form will open.
TEST_F(ModifyChoice, TheMarginsBoxIsTickedOnlyWhenItsFormWillOpen) {
  for (const bool enabled : {false, true}) {
    form.ChbModifMarge->setEnabled(enabled);
    Show(1);
    EXPECT_EQ(form.ChbModifMarge->isChecked(), enabled);
    EXPECT_EQ(form.ModifyMargins, enabled ? 1 : 0);
    QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  }
}

TEST_F(ModifyChoice, TheAnswersFollowTheBoxes) {
  Show();
  for (QCheckBox* box : {form.ChbModifPanneaux, form.ChbModifPieces}) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
  }
  EXPECT_EQ(Answers(), (std::vector<int>{0, 0, 0, 0}));
  QTest::mouseClick(form.ChkBoxCriteresOptimisation, Qt::LeftButton, {},
                    QPoint(5, form.ChkBoxCriteresOptimisation->height() / 2));
  EXPECT_EQ(Answers(), (std::vector<int>{0, 0, 0, 1}));
  EXPECT_EQ(Answers(), Ticks());
}

TEST_F(ModifyChoice, CaptionsTakeTheShopsWordsAtEachShowing) {
  Show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Options des modifications"));
  EXPECT_EQ(form.ChbModifPanneaux->text(), QStringLiteral("Modifier les panneaux"));
  EXPECT_EQ(form.ChbModifPieces->text(), QStringLiteral("Modifier les pièces"));
  EXPECT_EQ(form.ChbModifMarge->text(), QStringLiteral("Modifier la marge ou le trait de scie"));
  EXPECT_EQ(form.ChkBoxCriteresOptimisation->text(),
            QStringLiteral("Modifier le critère d'optimisation"));
  EXPECT_EQ(form.BtnOk->text(), QStringLiteral("OK"));
  form.hide();
  settings.WordPanels = "Plateaux";
  settings.WordParts = "Débits";
  Show();
  EXPECT_EQ(form.ChbModifPanneaux->text(), QStringLiteral("Modifier les plateaux"));
  EXPECT_EQ(form.ChbModifPieces->text(), QStringLiteral("Modifier les débits"));
  EXPECT_EQ(form.ChbModifMarge->text(), QStringLiteral("Modifier la marge ou le trait de scie"));
}

TEST_F(ModifyChoice, EscapeDoesNothingEnterIsOkAndF1ItsHelp) {
  Show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  form.close();
  EXPECT_TRUE(form.isVisible());
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{40});
  QTest::keyClick(&form, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

// A restore after a minimise is no new showing: the boxes stay as they were clicked.
TEST_F(ModifyChoice, AMinimiseKeepsTheTicks) {
  Show();
  QTest::mouseClick(form.ChbModifPanneaux, Qt::LeftButton, {},
                    QPoint(5, form.ChbModifPanneaux->height() / 2));
  QTest::mouseClick(form.ChkBoxCriteresOptimisation, Qt::LeftButton, {},
                    QPoint(5, form.ChkBoxCriteresOptimisation->height() / 2));
  MinimiseAndRestore(form);
  EXPECT_EQ(Ticks(), (std::vector<int>{0, 1, 0, 1}));
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_EQ(Answers(), (std::vector<int>{0, 1, 0, 1}));
}

}  // namespace
}  // namespace tranchex::test
