// The about box: its caption and text, no close box, OK or Enter closes it, Escape and the window
// manager's close do not, and it has no help topic.

#include "dialogs/UApropos.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "dialogs/DialogKit.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

class AboutBox : public ::testing::Test {
 protected:
  ScriptedPrompts prompts;
  RecordingHelp help;
  TFApropos form{prompts, help};
};

TEST_F(AboutBox, ShowsTheProductItsVersionAndNoCloseBox) {
  ShowActive(form);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("A propos de Tranchex"));
  const QStringList lines = form.LblRens->text().split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("Tranchex"));
  EXPECT_EQ(lines[1], QStringLiteral("Version 1.6"));
  EXPECT_EQ(form.BtnOk->text(), QStringLiteral("OK"));
  // No system menu, hence no close box.
  EXPECT_FALSE(form.windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowTitleHint);
}

TEST_F(AboutBox, OkOrEnterClosesItNothingElseDoes) {
  struct Case {
    const char* how;
    bool closes;
  };
  const Case cases[] = {{"Escape", false}, {"close", false}, {"F1", false},
                        {"Enter", true},   {"Return", true}, {"OK", true}};
  for (const Case& c : cases) {
    const std::string how = c.how;
    ShowActive(form);
    form.setResult(QDialog::Rejected);
    if (how == "Escape") QTest::keyClick(&form, Qt::Key_Escape);
    if (how == "close") form.close();
    if (how == "F1") QTest::keyClick(&form, Qt::Key_F1);
    if (how == "Enter") QTest::keyClick(&form, Qt::Key_Enter, Qt::KeypadModifier);
    if (how == "Return") QTest::keyClick(&form, Qt::Key_Return);
    if (how == "OK") QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    EXPECT_EQ(form.isVisible(), !c.closes) << c.how;
    if (c.closes) {
      EXPECT_EQ(form.result(), QDialog::Accepted) << c.how;
    }
    form.hide();
  }
  // The box has no topic of its own in the help.
  EXPECT_TRUE(help.contexts.empty());
  EXPECT_TRUE(prompts.asked.empty());
}

}  // namespace
}  // namespace tranchex::test
