// The display options form: the buttons of the values handed in, a click changing its value at
// once, and the ways it closes.

#include "dialogs/UAffichage.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class DisplayForm : public ::testing::Test {
 protected:
  void Show(std::int32_t mode, std::int32_t metres, std::int32_t cuts) {
    form.DimensionDisplayMode = mode;
    form.SummaryInMetres = metres;
    form.CutLineLabelMode = cuts;
    form.ShowDisplayOptions();
    ShowActive(form);
  }
  static void Click(QRadioButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, b->height() / 2));
  }
  // The checked buttons, by name.
  QStringList Checked() {
    QStringList out;
    for (QRadioButton* b : form.findChildren<QRadioButton*>()) {
      if (b->isChecked()) out << b->objectName();
    }
    out.sort();
    return out;
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TFAffichage form{prompts, help};
};

TEST_F(DisplayForm, Texts) {
  EXPECT_EQ(form.windowTitle(), Text(193));
  EXPECT_EQ(form.GpbPlanCoupe->title(), Text(197));
  EXPECT_EQ(form.Label1->text(), Text(198));
  EXPECT_EQ(form.RbtnFiniesSeul->text(), Text(199));
  EXPECT_EQ(form.RbtnNettesSeul->text(), Text(200));
  EXPECT_TRUE(form.RbtnNettes->text().isEmpty());
  EXPECT_EQ(form.LblNettes->text(), Text(201));
  EXPECT_TRUE(form.RbtnFinies->text().isEmpty());
  EXPECT_EQ(form.LblFinies->text(), Text(202));
  EXPECT_EQ(form.GpbTraitsCoupe->title(), Text(287));
  EXPECT_EQ(form.Label2->text(), Text(288));
  EXPECT_EQ(form.RbtnNumSeul->text(), Text(289));
  EXPECT_EQ(form.RbtnNumDim->text(), Text(290));
  EXPECT_EQ(form.GpbRecap->title(), Text(194));
  EXPECT_EQ(form.RbtnRecapUnite->text(), Text(195));
  EXPECT_EQ(form.RbtnRecapMetres->text(), Text(196));
  EXPECT_EQ(form.BtnOk->text(), QStringLiteral("OK"));
  for (int id : {287, 288, 289, 290}) EXPECT_FALSE(Text(id).isEmpty()) << id;
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  Show(20, 0, 0);
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{2020});
}

struct ShownCase {
  std::int32_t mode, metres, cuts;
  std::vector<const char*> checked;
};

TEST_F(DisplayForm, TheValuesHandedInCheckTheirButtons) {
  const std::vector<ShownCase> cases = {
      {10, 1, 0, {"RbtnNettesSeul", "RbtnNumSeul", "RbtnRecapMetres"}},
      {20, 0, 1, {"RbtnFiniesSeul", "RbtnNumDim", "RbtnRecapUnite"}},
      {0, 0, 0, {"RbtnNettes", "RbtnNumSeul", "RbtnRecapUnite"}},
      {1, 1, 1, {"RbtnFinies", "RbtnNumDim", "RbtnRecapMetres"}},
  };
  for (const ShownCase& c : cases) {
    SCOPED_TRACE(c.mode);
    Show(c.mode, c.metres, c.cuts);
    QStringList expected;
    for (const char* name : c.checked) expected << QString::fromLatin1(name);
    expected.sort();
    EXPECT_EQ(Checked(), expected);
    // Handing in the values changes none of them.
    EXPECT_EQ(form.DimensionDisplayMode, c.mode);
    EXPECT_EQ(form.SummaryInMetres, c.metres);
    EXPECT_EQ(form.CutLineLabelMode, c.cuts);
    form.hide();
  }
  // Values that are none of a group's leave that group's buttons and the value as they were.
  Show(10, 1, 0);
  Show(7, 2, 3);
  EXPECT_EQ(Checked(), (QStringList{QStringLiteral("RbtnNettesSeul"), QStringLiteral("RbtnNumSeul"),
                                    QStringLiteral("RbtnRecapMetres")}));
  EXPECT_EQ(form.DimensionDisplayMode, 7);
  EXPECT_EQ(form.SummaryInMetres, 2);
  EXPECT_EQ(form.CutLineLabelMode, 3);
}

struct ClickCase {
  const char* button;
  std::int32_t mode, metres, cuts;
};

TEST_F(DisplayForm, AClickSetsItsValueAtOnce) {
  const std::vector<ClickCase> cases = {
      {"RbtnFiniesSeul", 20, 1, 0}, {"RbtnNettesSeul", 10, 1, 0}, {"RbtnNettes", 0, 1, 0},
      {"RbtnFinies", 1, 1, 0},      {"RbtnNumDim", 5, 1, 1},      {"RbtnRecapUnite", 5, 0, 0},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.button);
    Show(10, 1, 0);
    form.DimensionDisplayMode = 5;  // a value no button stands for: only a click changes it
    Click(form.findChild<QRadioButton*>(QString::fromLatin1(c.button)));
    EXPECT_EQ(form.DimensionDisplayMode, c.mode == 5 ? 5 : c.mode);
    EXPECT_EQ(form.SummaryInMetres, c.metres);
    EXPECT_EQ(form.CutLineLabelMode, c.cuts);
    form.hide();
  }
  // Four exclusive buttons: the last one clicked stands.
  Show(20, 0, 0);
  Click(form.RbtnFinies);
  Click(form.RbtnNettes);
  EXPECT_EQ(form.DimensionDisplayMode, 0);
  EXPECT_EQ(Checked(), (QStringList{QStringLiteral("RbtnNettes"), QStringLiteral("RbtnNumSeul"),
                                    QStringLiteral("RbtnRecapUnite")}));
}

TEST_F(DisplayForm, EnterOkEscapeAndTheCloseBoxAllKeepTheValues) {
  Show(20, 0, 0);
  Click(form.RbtnNumDim);
  QTest::keyClick(&form, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.CutLineLabelMode, 1);

  Show(20, 0, 0);
  Click(form.RbtnRecapMetres);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.SummaryInMetres, 1);

  Show(20, 0, 0);
  Click(form.RbtnNettesSeul);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.DimensionDisplayMode, 10);

  Show(20, 0, 0);
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.DimensionDisplayMode, 20);
  EXPECT_TRUE(prompts.asked.empty());
}

}  // namespace
}  // namespace tranchex::test
