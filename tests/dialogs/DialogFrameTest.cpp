// The frame every form stands on: a checked field's exit, the click or Enter that a refusal
// stops, F1, Escape and the placement.

#include "dialogs/DialogFrame.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "dialogs/CheckedField.h"
#include "dialogs/DialogKit.h"
#include "job/Outils_debit.h"
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
    Field->setText(QString::fromStdString(FormatSize(Stored, Unit.Factor, ',')));
  }

  void Escape(std::function<void()> action) { SetEscapeAction(std::move(action)); }
  // Shows the stored value as a record display does.
  void ShowStored() { checked->Show(Stored); }
  void NewShowing() override { ++Showings; }

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
  int Showings = 0;

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

// One rule for every form: a showing runs the form's reset, a restore after a minimise (a show
// event from the window system) does not.
TEST_F(DialogFrameTest, OnlyANewShowingResetsTheForm) {
  Open();
  EXPECT_EQ(form->Showings, 1);
  MinimiseAndRestore(*form);
  EXPECT_EQ(form->Showings, 1);
  form->hide();
  ShowActive(*form);
  EXPECT_EQ(form->Showings, 2);
}

// A size shows every tenth of a millimetre it holds, in any unit, so that typing back exactly
// what is shown keeps the stored size.
TEST_F(DialogFrameTest, RetypingTheSizeShownKeepsIt) {
  struct Case {
    double factor;
    const char* abbreviation;
    double stored;
    const char* shown;
  };
  for (const Case& c : {Case{10.0, "mm", 7205.0, "720,5"}, Case{100.0, "cm", 7205.0, "72,05"},
                        Case{10000.0, "m", 7205.0, "0,7205"}, Case{10000.0, "m", 30.0, "0,003"},
                        Case{10000.0, "m", 190.0, "0,019"}, Case{254.0, "in", 190.0, "0,748"}}) {
    SCOPED_TRACE(c.shown);
    Open();
    form->Unit = UNITE_MESURE{c.factor, c.abbreviation, c.abbreviation};
    form->Stored = c.stored;
    form->ShowStored();
    EXPECT_EQ(form->Field->text(), QString::fromLatin1(c.shown));
    Type(QString::fromLatin1(c.shown));
    PressTab(form->Field);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(form->Pending, c.stored);
    EXPECT_EQ(form->Field->text(), QString::fromLatin1(c.shown));
  }
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
      // The range the field takes: 0 is refused, so it starts at 1.
      expected += QStringLiteral("\n") + Text(118)
                                             .replace(QStringLiteral("val1"), QStringLiteral("1"))
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

// A form that hides or disables its cancel button in one of its uses still closes on Escape,
// through its own cancel step.
TEST_F(DialogFrameTest, EscapeWithTheCancelButtonHiddenRunsTheFormsCancel) {
  for (bool hidden : {true, false}) {
    SCOPED_TRACE(hidden);
    Open();
    int cancels = 0;
    form->Escape([&] {
      ++cancels;
      form->reject();
    });
    if (hidden)
      form->Cancel->hide();
    else
      form->Cancel->setEnabled(false);
    QTest::keyClick(form->Other, Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(form->CancelRuns, 0);
    EXPECT_FALSE(form->isVisible());
  }
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

// A form moved just enough to lie inside the area: the formula's place where it fits.
TEST(KeepInside, MovesAWindowJustEnoughToBeWhole) {
  const QRect screen(0, 0, 1024, 768);
  struct Case {
    const char* name;
    QPoint wanted;
    QSize size;
    QPoint placed;
  };
  const Case cases[] = {
      {"inside", {100, 50}, {300, 200}, {100, 50}},
      // The options form, 764 wide, from a 690-wide window at the left edge: 0 + 345 - 382.
      {"past the left edge", {-37, 14}, {764, 500}, {0, 14}},
      {"past the right edge", {900, 14}, {300, 200}, {724, 14}},
      {"past the bottom", {100, 700}, {300, 200}, {100, 568}},
      {"above the top", {100, -20}, {300, 200}, {100, 0}},
      {"touching the right edge", {724, 0}, {300, 768}, {724, 0}},
      {"larger than the area", {-50, -50}, {1200, 900}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KeepInside(screen, c.wanted, c.size), c.placed);
  }
  // An area that is not on a screen offset from 0 keeps its own origin.
  EXPECT_EQ(KeepInside(QRect(1024, 30, 800, 570), QPoint(990, 10), QSize(200, 100)),
            QPoint(1024, 30));
}

// Placed by the owner at the screen's left edge, a form wider than the owner stays whole on
// the offscreen platform's screen.
TEST(PlaceDialog, AFormWiderThanItsOwnerStaysOnScreen) {
  QWidget owner;
  owner.resize(690, 430);
  owner.move(0, 0);
  QWidget form(nullptr, Qt::Dialog);
  form.setFixedSize(764, 300);
  PlaceDialog(form, owner, 0);
  const QRect area = owner.screen()->availableGeometry();
  EXPECT_EQ(form.pos(), QPoint(area.left(), area.top()));
  owner.move(area.right() - 100, area.top() + 20);
  PlaceDialog(form, owner, 14);
  EXPECT_EQ(form.x() + form.width(), area.right() + 1);
  EXPECT_EQ(form.y(), area.top() + 34);
}

}  // namespace
}  // namespace tranchex::test
