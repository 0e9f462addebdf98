// The unit of measure form.

#include "dialogs/USelUnite.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class UnitForm : public ::testing::Test {
 protected:
  void Show(const UNITE_MESURE& unit) {
    form.Unit = unit;
    ShowActive(form);
  }
  void Click(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, b->height() / 2)); }
  std::vector<bool> Checked() {
    return {form.RbtnMillimetre->isChecked(), form.RbtnCentimetre->isChecked(),
            form.RbtnMetre->isChecked(), form.RbtnPouce->isChecked()};
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TFSelUnite form{prompts, help};
};

const UNITE_MESURE kMm{10.0, "mm", "millimètres"};

TEST_F(UnitForm, Texts) {
  EXPECT_EQ(form.windowTitle(), Text(18));
  EXPECT_EQ(form.RbtnMillimetre->text(), Text(19));
  EXPECT_EQ(form.RbtnCentimetre->text(), Text(20));
  EXPECT_EQ(form.RbtnMetre->text(), Text(94));
  EXPECT_EQ(form.RbtnPouce->text(), Text(21));
  EXPECT_EQ(form.BtnOk->text(), QStringLiteral("OK"));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{110});
}

struct UnitCase {
  const char* button;
  double factor;
  const char* abbreviation;
};

TEST_F(UnitForm, EachButtonSetsItsUnit) {
  for (const UnitCase c : {UnitCase{"RbtnMillimetre", 10.0, "mm"},
                           UnitCase{"RbtnCentimetre", 100.0, "cm"},
                           UnitCase{"RbtnMetre", 10000.0, "m"},
                           UnitCase{"RbtnPouce", 254.0, "pouces"}}) {
    // Start from a unit none of the four, so every click is a change.
    Show(UNITE_MESURE{7.0, "x", "second"});
    Click(form.findChild<QRadioButton*>(QString::fromLatin1(c.button)));
    EXPECT_EQ(form.Unit.Factor, c.factor) << c.button;
    EXPECT_EQ(form.Unit.Abbreviation, c.abbreviation) << c.button;
    EXPECT_EQ(form.Unit.SecondText, "second") << c.button;  // not the form's to change
    EXPECT_EQ(form.UnitChanged, 1) << c.button;
    form.hide();
  }
}

TEST_F(UnitForm, OkWithoutAClickChangesNothing) {
  Show(kMm);
  EXPECT_EQ(Checked(), (std::vector<bool>{true, false, false, false}));
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_EQ(form.UnitChanged, 0);
  EXPECT_EQ(form.Unit.Factor, 10.0);
  EXPECT_EQ(form.Unit.Abbreviation, "mm");
  EXPECT_FALSE(form.isVisible());
}

TEST_F(UnitForm, AnUnknownAbbreviationChecksNoButton) {
  Show(kMm);
  form.hide();
  Show(UNITE_MESURE{254.0, "in", ""});
  EXPECT_EQ(Checked(), (std::vector<bool>{false, false, false, false}));
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_EQ(form.Unit.Abbreviation, "in");
  EXPECT_EQ(form.UnitChanged, 0);
}

TEST_F(UnitForm, ThereAndBackKeepsTheUnitButCountsAsAChange) {
  Show(kMm);
  Click(form.RbtnCentimetre);
  Click(form.RbtnMillimetre);
  EXPECT_EQ(form.Unit.Factor, 10.0);
  EXPECT_EQ(form.Unit.Abbreviation, "mm");
  EXPECT_EQ(form.UnitChanged, 1);
  // The next showing starts unchanged.
  form.hide();
  Show(form.Unit);
  EXPECT_EQ(form.UnitChanged, 0);
}

TEST_F(UnitForm, EscapeAndTheCloseBoxKeepTheUnitAsItStands) {
  Show(kMm);
  Click(form.RbtnPouce);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Unit.Abbreviation, "pouces");
  Show(kMm);
  Click(form.RbtnMetre);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Unit.Factor, 10000.0);
}

}  // namespace
}  // namespace tranchex::test
