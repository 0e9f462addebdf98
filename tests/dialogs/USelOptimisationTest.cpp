// The optimisation criteria form: the buttons checked from the two values handed in, the values
// set by the clicks, and every way of closing returning them.

#include "dialogs/USelOptimisation.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

class CriteriaForm : public ::testing::Test {
 protected:
  void Show(int criterion, int newPanel) {
    form.OptimisationCriterion = criterion;
    form.NewPanelChoice = newPanel;
    ShowActive(form);
  }
  // The checked buttons as "surface/longueur/largeur | petit/grand", one character each.
  std::string Checked() const {
    std::string s;
    for (const QRadioButton* b : {form.RbtnSurface, form.RbtnLongueur, form.RbtnLargeur}) {
      s += b->isChecked() ? '1' : '0';
    }
    s += '|';
    for (const QRadioButton* b : {form.RbtnPlusPetit, form.RbtnPlusGrand}) {
      s += b->isChecked() ? '1' : '0';
    }
    return s;
  }
  void Click(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TFOptimisation form{prompts, help};
};

TEST_F(CriteriaForm, ShowsItsTextsInFrench) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Critères d'optimisation de découpe"));
  EXPECT_EQ(form.RbtnSurface->text(), QStringLiteral("Leurs surfaces"));
  EXPECT_EQ(form.RbtnLongueur->text(), QStringLiteral("Leurs longueurs"));
  EXPECT_EQ(form.RbtnLargeur->text(), QStringLiteral("Leurs largeurs"));
  EXPECT_EQ(form.RgpSelNouvPan->title(),
            QStringLiteral("Création automatique d'un nouveau panneau"));
  EXPECT_EQ(form.RbtnPlusPetit->text(), QStringLiteral("La plus petite surface"));
  EXPECT_EQ(form.RbtnPlusGrand->text(), QStringLiteral("La plus grande surface"));
  EXPECT_TRUE(form.LblSelNouvPan->text().startsWith(QStringLiteral("Lorsqu'il est nécessaire")));
}

// Each value checks its own button; a value out of range checks none of its set and is
// returned unchanged when nothing is clicked.
TEST_F(CriteriaForm, TheValuesHandedInCheckTheirButtons) {
  struct Case {
    int criterion, newPanel;
    const char* checked;
  };
  const Case cases[] = {{1, 2, "100|01"}, {2, 1, "010|10"}, {3, 2, "001|01"},
                        {0, 1, "000|10"}, {4, 3, "000|00"}, {-1, 0, "000|00"}};
  for (const Case& c : cases) {
    Show(c.criterion, c.newPanel);
    EXPECT_EQ(Checked(), c.checked) << c.criterion << "/" << c.newPanel;
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.OptimisationCriterion, c.criterion);
    EXPECT_EQ(form.NewPanelChoice, c.newPanel);
  }
}

// The two sets are exclusive each on its own: a click in one leaves the other as it was.
TEST_F(CriteriaForm, ClicksSetTheValuesAndTheSetsStayApart) {
  Show(1, 2);
  Click(form.RbtnLargeur);
  EXPECT_EQ(form.OptimisationCriterion, 3);
  EXPECT_EQ(Checked(), "001|01");
  Click(form.RbtnPlusPetit);
  EXPECT_EQ(form.NewPanelChoice, 1);
  EXPECT_EQ(Checked(), "001|10");
  Click(form.RbtnLongueur);
  EXPECT_EQ(Checked(), "010|10");
  EXPECT_EQ(form.OptimisationCriterion, 2);
  EXPECT_EQ(form.NewPanelChoice, 1);
}

// An out-of-range value is replaced only by a click in its own set.
TEST_F(CriteriaForm, AClickMendsOnlyItsOwnSet) {
  Show(9, 9);
  Click(form.RbtnPlusGrand);
  EXPECT_EQ(Checked(), "000|01");
  EXPECT_EQ(form.OptimisationCriterion, 9);
  EXPECT_EQ(form.NewPanelChoice, 2);
}

// There is no cancel: OK, Enter and Escape all close with the values as they stand.
TEST_F(CriteriaForm, EveryWayOfClosingReturnsTheValues) {
  for (const char* way : {"ok", "enter", "escape"}) {
    Show(1, 2);
    Click(form.RbtnLongueur);
    Click(form.RbtnPlusPetit);
    const std::string w = way;
    if (w == "ok") QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    if (w == "enter") QTest::keyClick(&form, Qt::Key_Return);
    if (w == "escape") QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible()) << way;
    EXPECT_EQ(form.OptimisationCriterion, 2) << way;
    EXPECT_EQ(form.NewPanelChoice, 1) << way;
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(CriteriaForm, HasNoCloseBoxAndItsHelpIsContext190) {
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  Show(1, 2);
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{190});
}

}  // namespace
}  // namespace tranchex::test
