// The export choice form: its texts, the two exclusive choices, OK and Annuler, and a showing
// that always starts on the cutting sheet and unconfirmed.

#include "dialogs/UFSelExport.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class ExportChoiceForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFSelExport>(prompts, help);
    ShowActive(*form);
  }
  void Click(const std::string& name) {
    QWidget* w = form->findChild<QWidget*>(QString::fromStdString(name));
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
  }
  // Exactly one choice checked, and the member says which.
  void ExpectChoice(int cuttingSheet, const std::string& step) {
    EXPECT_EQ(form->ExportCuttingSheet, cuttingSheet) << step;
    EXPECT_EQ(form->RbtnFiche->isChecked(), cuttingSheet == 1) << step;
    EXPECT_EQ(form->RbtnDebit->isChecked(), cuttingSheet == 0) << step;
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::unique_ptr<TFSelExport> form;
};

TEST_F(ExportChoiceForm, TextsButtonsAndHelp) {
  EXPECT_EQ(form->windowTitle(), Text(209));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Exportation"));
  EXPECT_EQ(form->RbtnFiche->text(), Text(210));
  EXPECT_EQ(form->RbtnDebit->text(), Text(211));
  EXPECT_EQ(form->Label1->text(), Text(212));
  // The warning's four lines.
  EXPECT_EQ(form->Label1->text().count(QLatin1Char('\n')), 3);
  EXPECT_TRUE(form->Label1->text().endsWith(QStringLiteral("dans\nTranchex.")));
  EXPECT_EQ(form->RbtnFiche->parentWidget(), form->GroupBox1);
  EXPECT_EQ(form->RbtnDebit->parentWidget(), form->GroupBox2);
  EXPECT_EQ(form->Label1->parentWidget(), form->GroupBox2);
  EXPECT_EQ(form->BtnOk->text(), Text(36));
  EXPECT_EQ(form->BtnAnnuler->text(), Text(37));
  EXPECT_TRUE(form->BtnOk->font().bold());
  EXPECT_TRUE(form->BtnAnnuler->font().bold());
  EXPECT_EQ(form->BtnAnnuler->font().pixelSize(), 13);
  // Neither button is the form's default.
  EXPECT_FALSE(form->BtnOk->isDefault());
  EXPECT_FALSE(form->BtnAnnuler->isDefault());
  EXPECT_GE(form->width(), 262);
  EXPECT_GE(form->height(), 174);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowCloseButtonHint);
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{90});
}

TEST_F(ExportChoiceForm, OkUntouchedExportsTheCuttingSheet) {
  ExpectChoice(1, "shown");
  Click("BtnOk");
  EXPECT_TRUE(form->ExportConfirmed);
  EXPECT_EQ(form->result(), QDialog::Accepted);
  ExpectChoice(1, "OK");
  EXPECT_FALSE(form->isVisible());
}

TEST_F(ExportChoiceForm, ClicksKeepExactlyOneChoice) {
  const struct {
    const char* name;
    std::vector<std::string> clicks;
    int cuttingSheet;
  } cases[] = {
      {"computed job", {"RbtnDebit"}, 0},
      {"back to the sheet", {"RbtnDebit", "RbtnFiche"}, 1},
      {"the checked sheet clicked again", {"RbtnFiche", "RbtnFiche"}, 1},
      {"the checked job clicked again", {"RbtnDebit", "RbtnDebit"}, 0},
  };
  for (const auto& c : cases) {
    ShowActive(*form);
    ExpectChoice(1, std::string(c.name) + ": shown");
    for (const std::string& click : c.clicks) {
      Click(click);
      ExpectChoice(click == "RbtnFiche" ? 1 : 0, std::string(c.name) + ": " + click);
    }
    Click("BtnOk");
    EXPECT_TRUE(form->ExportConfirmed) << c.name;
    ExpectChoice(c.cuttingSheet, c.name);
  }
}

TEST_F(ExportChoiceForm, EachShowingStartsOnTheCuttingSheetAndUnconfirmed) {
  Click("RbtnDebit");
  Click("BtnOk");
  ASSERT_TRUE(form->ExportConfirmed);
  ASSERT_EQ(form->ExportCuttingSheet, 0);
  ShowActive(*form);
  ExpectChoice(1, "shown again");
  // An earlier OK never stands for this showing.
  EXPECT_FALSE(form->ExportConfirmed);
}

TEST_F(ExportChoiceForm, AnnulerAndEscapeCancelEvenAfterAnEarlierOk) {
  for (const char* how : {"BtnAnnuler", "Escape"}) {
    Click("BtnOk");
    ASSERT_TRUE(form->ExportConfirmed);
    ShowActive(*form);
    Click("RbtnDebit");
    if (std::string(how) == "Escape") {
      QTest::keyClick(form.get(), Qt::Key_Escape);
    } else {
      Click(how);
    }
    EXPECT_FALSE(form->ExportConfirmed) << how;
    EXPECT_EQ(form->result(), QDialog::Rejected) << how;
    EXPECT_FALSE(form->isVisible()) << how;
    ShowActive(*form);
  }
}

TEST_F(ExportChoiceForm, EnterOnAChoiceDoesNothingAndTabSkipsAnnuler) {
  form->RbtnFiche->setFocus();
  QTest::keyClick(form->RbtnFiche, Qt::Key_Return);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->ExportConfirmed);
  // Tab: the sheet, the computed job, OK; Annuler is reached by a click only.
  std::vector<QWidget*> visited;
  for (int i = 0; i < 3; ++i) {
    PressTab(QApplication::focusWidget());
    visited.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(visited, (std::vector<QWidget*>{form->RbtnDebit, form->BtnOk, form->RbtnFiche}));
  // Not even on OK: only a click or Space presses it.
  form->BtnOk->setFocus();
  QTest::keyClick(form->BtnOk, Qt::Key_Return);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->ExportConfirmed);
  QTest::keyClick(form->BtnOk, Qt::Key_Space);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->ExportConfirmed);
}

TEST_F(ExportChoiceForm, HasNoCloseBox) {
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->ExportConfirmed);
}

}  // namespace
}  // namespace tranchex::test
