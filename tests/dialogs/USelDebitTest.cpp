// The job kind form: the radio buttons, the margin boxes and the two flags they set.

#include "dialogs/USelDebit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class JobKindForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFSelDebit>(prompts, help);
    ShowActive(*form);
  }
  void Click(const std::string& name) {
    QWidget* w = form->findChild<QWidget*>(QString::fromStdString(name));
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
  }
  // What must hold after any click: one kind checked, the margin boxes usable only in a complex
  // job, each flag exactly as its box.
  void ExpectInvariants(const std::string& step) {
    EXPECT_NE(form->RbtnDebitSimple->isChecked(), form->RbtnDebitComplexe->isChecked()) << step;
    if (form->RbtnDebitSimple->isChecked()) {
      EXPECT_FALSE(form->CBoxMargesDiff->isEnabled()) << step;
      EXPECT_FALSE(form->CBoxLongueurLargeur->isEnabled()) << step;
      EXPECT_FALSE(form->CBoxEpaisseur->isEnabled()) << step;
    }
    EXPECT_EQ(form->Margins.DifferentiatedMargins, form->CBoxMargesDiff->isChecked() ? 1 : 0)
        << step;
    EXPECT_EQ(form->Margins.ThickerStockAllowed, form->CBoxEpaisseur->isChecked() ? 1 : 0)
        << step;
    if (form->CBoxEpaisseur->isChecked()) {
      EXPECT_TRUE(form->CBoxMargesDiff->isChecked()) << step;
    }
    EXPECT_EQ(form->CBoxLongueurLargeur->checkState(),
              form->CBoxMargesDiff->isChecked() ? Qt::PartiallyChecked : Qt::Unchecked)
        << step;
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::unique_ptr<TFSelDebit> form;
};

TEST_F(JobKindForm, TextsAndButtons) {
  EXPECT_EQ(form->windowTitle(), Text(22));
  EXPECT_EQ(form->GpbDebitSimple->title(), Text(23));
  EXPECT_EQ(form->GpbDebitComplexe->title(), Text(24));
  EXPECT_EQ(form->RbtnDebitSimple->text(), Text(64));
  EXPECT_EQ(form->Label1->text(), Text(242));
  EXPECT_EQ(form->RbtnDebitComplexe->text(), Text(65));
  EXPECT_EQ(form->Label2->text(), Text(243));
  EXPECT_TRUE(form->Label2->text().startsWith(QStringLiteral("et\\ou plusieurs")));
  EXPECT_EQ(form->LblMargesDiff->text(), Text(84));
  EXPECT_EQ(form->LblLongeurLargeur->text(), Text(85));
  EXPECT_EQ(form->LblEpaisseur->text(), Text(86));
  EXPECT_EQ(form->LblAide->text(), Text(88));
  EXPECT_EQ(form->btnOk->text(), Text(36));
  EXPECT_EQ(form->btnAnnul->text(), Text(37));
  EXPECT_TRUE(form->btnOk->isDefault());
  EXPECT_FALSE(form->btnAnnul->autoDefault());
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{1020});
}

TEST_F(JobKindForm, OkUntouchedGivesASimpleJobAndZeroMargins) {
  ExpectInvariants("shown");
  Click("btnOk");
  EXPECT_EQ(form->JobKind, 1);
  EXPECT_EQ(form->Accepted, 1);
  const MarginsBlock zero;
  EXPECT_EQ(std::memcmp(&form->Margins.LengthMargin, &zero.LengthMargin, 3 * sizeof(double)), 0);
  EXPECT_EQ(form->Margins.DifferentiatedMargins, 0);
  EXPECT_EQ(form->Margins.ThickerStockAllowed, 0);
  EXPECT_EQ(form->Margins.Reserved, 0);
  EXPECT_FALSE(form->isVisible());
}

struct ClickCase {
  const char* name;
  std::vector<std::string> clicks;
  int differentiated;
  int thickness;
  int kind;  // after OK
};
void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class JobKindClicks : public JobKindForm, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(JobKindClicks, KeepTheControlsAndFlagsInStep) {
  const ClickCase& c = GetParam();
  for (const std::string& click : c.clicks) {
    Click(click);
    ExpectInvariants(click);
  }
  EXPECT_EQ(form->Margins.DifferentiatedMargins, c.differentiated);
  EXPECT_EQ(form->Margins.ThickerStockAllowed, c.thickness);
  Click("btnOk");
  EXPECT_EQ(form->JobKind, c.kind);
  EXPECT_EQ(form->Margins.LengthMargin, 0.0);
  EXPECT_EQ(form->Margins.WidthMargin, 0.0);
  EXPECT_EQ(form->Margins.ThicknessMargin, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, JobKindClicks,
    ::testing::Values(
        ClickCase{"Complex", {"RbtnDebitComplexe"}, 0, 0, 2},
        ClickCase{"ComplexDifferentiated", {"RbtnDebitComplexe", "CBoxMargesDiff"}, 1, 0, 2},
        ClickCase{"ComplexWithThickness",
                  {"RbtnDebitComplexe", "CBoxMargesDiff", "CBoxEpaisseur"}, 1, 1, 2},
        ClickCase{"ThicknessOnThenOff",
                  {"RbtnDebitComplexe", "CBoxMargesDiff", "CBoxEpaisseur", "CBoxEpaisseur"}, 1,
                  0, 2},
        ClickCase{"UncheckingDifferentiatedClearsBoth",
                  {"RbtnDebitComplexe", "CBoxMargesDiff", "CBoxEpaisseur", "CBoxMargesDiff"}, 0,
                  0, 2},
        ClickCase{"BackToSimpleClearsBoth",
                  {"RbtnDebitComplexe", "CBoxMargesDiff", "CBoxEpaisseur", "RbtnDebitSimple"},
                  0, 0, 1},
        ClickCase{"LengthWidthBoxNeverChanges",
                  {"RbtnDebitComplexe", "CBoxMargesDiff", "CBoxLongueurLargeur",
                   "CBoxLongueurLargeur"},
                  1, 0, 2},
        ClickCase{"ClickingTheCheckedKindKeepsIt", {"RbtnDebitSimple", "RbtnDebitSimple"}, 0, 0,
                  1},
        ClickCase{"ComplexClickedTwice", {"RbtnDebitComplexe", "RbtnDebitComplexe"}, 0, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobKindForm, EscapeCancelsAndKeepsTheLastKind) {
  Click("btnOk");
  ASSERT_EQ(form->JobKind, 1);
  ShowActive(*form);
  Click("RbtnDebitComplexe");
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_EQ(form->Accepted, 0);
  EXPECT_EQ(form->JobKind, 1);  // not written by Cancel
  EXPECT_FALSE(form->isVisible());
}

TEST_F(JobKindForm, TheNextShowingStartsAsASimpleJob) {
  Click("RbtnDebitComplexe");
  Click("CBoxMargesDiff");
  Click("CBoxEpaisseur");
  Click("btnOk");
  ASSERT_EQ(form->JobKind, 2);
  ShowActive(*form);
  EXPECT_TRUE(form->RbtnDebitSimple->isChecked());
  EXPECT_FALSE(form->RbtnDebitComplexe->isChecked());
  EXPECT_FALSE(form->CBoxMargesDiff->isChecked());
  EXPECT_FALSE(form->CBoxEpaisseur->isChecked());
  EXPECT_FALSE(form->CBoxMargesDiff->isEnabled());
  EXPECT_EQ(form->Margins.DifferentiatedMargins, 0);
  EXPECT_EQ(form->Margins.ThickerStockAllowed, 0);
  EXPECT_EQ(form->JobKind, 2);  // kept until a button writes it
}

TEST_F(JobKindForm, HasNoCloseBox) {
  EXPECT_FALSE(form->windowFlags() & Qt::WindowCloseButtonHint);
  form->close();
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace tranchex::test
