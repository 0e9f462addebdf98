// The frame every form stands on: a checked field's exit, the click or Enter that a refusal
// stops, F1, Escape and the placement.

#include "dialogs/DialogFrame.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "dialogs/CheckedField.h"
#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

// A form with one checked length (bounds 0 excluded to 6000 mm) or count field, another field
// to move to, OK and Cancel, as a record dialog uses them.
class RecordForm : public DialogFrame {
 public:
  RecordForm(Prompts& prompts, HelpViewer& help, bool count = false)
      : DialogFrame(WindowKind::NoCloseBox, 1030, prompts, help) {
    Field = new QLineEdit(this);
    Other = new QLineEdit(this);
    Ok = new QPushButton(QStringLiteral("OK"), this);
    Cancel = new QPushButton(QStringLiteral("Annuler"), this);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{Field, Other, Ok, Cancel})
      layout->addWidget(w);
    CheckedFieldRule rule;
    if (count) {
      rule.IsCount = true;
      rule.OnRefusal = RefusedFieldText::One;
      rule.FieldTextId = 107;
    }
    const EntryRange range = count ? EntryRange{0.0, false, 100000.0, true}
                                   : EntryRange{0.0, false, 60000.0, true};
    checked = std::make_unique<CheckedField>(
        Field, rule,
        CheckedField::Sources{[this]() -> const UNITE_MESURE& { return Unit; },
                              [range] { return range; }, [this] { return Stored; },
                              [] { return ','; }},
        prompts);
    checked->OnAccepted = [this](std::int32_t v) {
      Pending = v;
      Dirty = 1;
    };
    checked->OnRefused = [this] {
      Pending = Stored;
      Dirty = 0;
    };
    SetFieldExit(Field, [this] { return checked->Exit(); });
    SetDefaultButton(Ok);
    SetCancelButton(Cancel);
    connect(Ok, &QPushButton::clicked, this, [this] { ++OkRuns; });
    connect(Cancel, &QPushButton::clicked, this, [this] { ++CancelRuns; });
    Field->setText(QString::fromStdString(StoredValueText(Stored, Unit.Factor, ',')));
  }

  QLineEdit* Field;
  QLineEdit* Other;
  QPushButton* Ok;
  QPushButton* Cancel;
  UNITE_MESURE Unit;  // millimetres
  double Stored = 25000.0;
  double Pending = 25000.0;
  int Dirty = 0;
  int OkRuns = 0;
  int CancelRuns = 0;

 private:
  std::unique_ptr<CheckedField> checked;
};

class DialogFrameTest : public ::testing::Test {
 protected:
  void Type(const QString& text) {
    form->Field->setFocus();
    form->Field->selectAll();
    QTest::keyClick(form->Field, Qt::Key_Delete);
    QTest::keyClicks(form->Field, text);
  }
  void Open(bool count = false) {
    form = std::make_unique<RecordForm>(prompts, help, count);
    ShowActive(*form);
    form->Field->setFocus();
  }
  QString LengthRefusal() const {
    return Text(113) + QStringLiteral("\n") +
           Text(118).replace(QStringLiteral("val1"), QStringLiteral("0"))
               .replace(QStringLiteral("val2"), QStringLiteral("6000 mm"));
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::unique_ptr<RecordForm> form;
};

TEST_F(DialogFrameTest, ABadValueLeftWithTabIsRefusedAndTheFieldKeepsTheFocus) {
  Open();
  Type(QStringLiteral("12.5"));
  PressTab(form->Field);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].caption, Text(112));
  EXPECT_EQ(prompts.asked[0].text, LengthRefusal());
  EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
  EXPECT_TRUE(form->Field->hasFocus());
  EXPECT_EQ(form->Field->text(), QStringLiteral("2500"));  // the stored value again
  EXPECT_EQ(form->Pending, 25000.0);
  EXPECT_EQ(form->Dirty, 0);
}

TEST_F(DialogFrameTest, AGoodValueIsTakenAndShownRounded) {
  Open();
  Type(QStringLiteral("1200,06"));
  PressTab(form->Field);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Pending, 12001.0);
  EXPECT_EQ(form->Dirty, 1);
  EXPECT_EQ(form->Field->text(), QStringLiteral("1200,1"));
  EXPECT_TRUE(form->Other->hasFocus());
}

TEST_F(DialogFrameTest, AnUnchangedFieldIsNotReadOnExit) {
  Open();
  form->Field->setText(QStringLiteral("abc"));  // set by the form: not modified
  PressTab(form->Field);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Dirty, 0);
  EXPECT_EQ(form->Field->text(), QStringLiteral("abc"));
}

TEST_F(DialogFrameTest, AnEmptiedFieldIsRefusedWithItsRange) {
  Open();
  Type(QString());
  EXPECT_TRUE(form->Field->isModified());
  PressTab(form->Field);
  ASSERT_EQ(prompts.NoticeTexts(), QStringList{LengthRefusal()});
  EXPECT_EQ(form->Field->text(), QStringLiteral("2500"));
}

TEST_F(DialogFrameTest, TheClickThatLeftARefusedFieldDoesNotRunButTheNextOneDoes) {
  Open();
  Type(QStringLiteral("-5"));
  QTest::mouseClick(form->Ok, Qt::LeftButton);
  EXPECT_EQ(form->OkRuns, 0);
  EXPECT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(form->Field->hasFocus());
  // The field shows the stored value, unmodified: the next click leaves it and runs.
  QTest::mouseClick(form->Ok, Qt::LeftButton);
  EXPECT_EQ(form->OkRuns, 1);
  EXPECT_EQ(prompts.NoticeTexts().size(), 1);
}

TEST_F(DialogFrameTest, EnterLeavesTheFieldFirstAndStopsOnARefusal) {
  Open();
  Type(QStringLiteral("6000,1"));  // one internal unit above the bound
  QTest::keyClick(form->Field, Qt::Key_Return);
  EXPECT_EQ(form->OkRuns, 0);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LengthRefusal()});
  Type(QStringLiteral("6000"));  // the bound itself is accepted
  QTest::keyClick(form->Field, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(form->OkRuns, 1);
  EXPECT_EQ(form->Pending, 60000.0);
  EXPECT_EQ(prompts.NoticeTexts().size(), 1);
}

TEST_F(DialogFrameTest, AMessageBoxTakingTheFocusIsNoExit) {
  Open();
  Type(QStringLiteral("abc"));
  // Another window taking the focus (a message box, a picker) does not leave the field.
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  other.setFocus();
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Dirty, 0);
}

TEST_F(DialogFrameTest, CountsSayTheirRangeOnlyPastTheTop) {
  Open(true);
  struct Case {
    const char* typed;
    bool withRange;
  };
  for (const Case c : {Case{"2,5", false}, Case{"0", false}, Case{"-3", false}, Case{"", false},
                       Case{"100001", true}}) {
    prompts.asked.clear();
    Type(QString::fromLatin1(c.typed));
    PressTab(form->Field);
    QString expected = Text(107);
    if (c.withRange) {
      expected += QStringLiteral("\n") + Text(118)
                                             .replace(QStringLiteral("val1"), QStringLiteral("0"))
                                             .replace(QStringLiteral("val2"), QStringLiteral("100000"));
    }
    EXPECT_EQ(prompts.NoticeTexts(), QStringList{expected}) << c.typed;
    EXPECT_EQ(form->Field->text(), QStringLiteral("1")) << c.typed;
    EXPECT_TRUE(form->Field->hasFocus()) << c.typed;
  }
}

TEST_F(DialogFrameTest, F1OpensTheFormsHelpAndEscapeRunsCancel) {
  Open();
  QTest::keyClick(form->Other, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{1030});
  QTest::keyClick(form->Other, Qt::Key_Escape);
  EXPECT_EQ(form->CancelRuns, 1);
  EXPECT_EQ(form->OkRuns, 0);
}

TEST_F(DialogFrameTest, OnlyTheDefaultButtonAnswersEnter) {
  Open();
  EXPECT_TRUE(form->Ok->autoDefault());
  EXPECT_FALSE(form->Cancel->autoDefault());
  // Enter on the focused Cancel button still answers OK, as the default button.
  form->Cancel->setFocus();
  QTest::keyClick(form->Cancel, Qt::Key_Return);
  EXPECT_EQ(form->OkRuns, 1);
  EXPECT_EQ(form->CancelRuns, 0);
}

TEST_F(DialogFrameTest, AFormWithoutCloseBoxStaysOpenWhenAskedToClose) {
  Open();
  form->close();
  EXPECT_TRUE(form->isVisible());
}

// The focus leaves the controls as the form is destroyed: that is no exit, and nothing of the
// form may run then (a build with the sanitizers reports any call into the form's remains).
TEST_F(DialogFrameTest, AFormDestroyedWhileAFieldIsTypedInRunsNoExit) {
  Open();
  Type(QStringLiteral("abc"));
  form.reset();
  EXPECT_TRUE(prompts.asked.empty());
}

TEST(DialogPosition, CentredOnTheOwnersClientAreaBelowItsTop) {
  // 100 + 690 / 2 - 300 / 2 = 295; odd widths are halved toward zero.
  EXPECT_EQ(DialogPosition(QPoint(100, 50), 690, 300, 14), QPoint(295, 64));
  EXPECT_EQ(DialogPosition(QPoint(100, 50), 691, 301, 14), QPoint(295, 64));
  EXPECT_EQ(DialogPosition(QPoint(0, 0), 200, 400, 0), QPoint(-100, 0));
}

}  // namespace
}  // namespace tranchex::test
