// The margin and kerf form: its bounds in two units, the fit test, OK and Enter committing what
// the fields show, the question when both are empty.

#include "dialogs/USelMarge.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DialogKit.h"
#include "dialogs/MarginFormKit.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

const UNITE_MESURE kMm{10.0, "mm", ""};
const UNITE_MESURE kInch{254.0, "pouces", ""};

class MarginForm : public ::testing::Test {
 protected:
  // A 2800 x 2070 mm panel, a 600 x 400 mm part: every margin below 100 mm fits.
  JobState job = JobBuilder().kind(1).panel(28000, 20700).part(6000, 4000).build();

  // Shows the form as a modification does: the job's lists, these margins and this kerf.
  void Show(double margin, std::int32_t kerf, const UNITE_MESURE& unit = kMm) {
    form.Unit = unit;
    form.PartList = &job.JobParts;
    form.PanelList = &job.JobPanels;
    form.JobKind = job.JobKind;
    form.Margins = job.JobMargins;
    form.Margins.LengthMargin = margin;
    form.Margins.WidthMargin = margin;
    form.Kerf = kerf;
    form.ModifyMode = 1;
    form.ShowMarginValues();
    prompts.asked.clear();
    ShowActive(form);
  }
  void Leave(QLineEdit* field) { PressTab(field); }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TSelMarge form{prompts, help};
};

TEST_F(MarginForm, TextsInTheUnitOfEachShowingAndItsValues) {
  EXPECT_EQ(form.windowTitle(), MarginText(29));
  EXPECT_EQ(form.Label1->text(), MarginText(54));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  Show(50.0, 45);
  EXPECT_EQ(form.LblMarge->text(), QStringLiteral("Valeur de la marge en mm"));
  EXPECT_EQ(form.LblTraitScie->text(), QStringLiteral("Epaisseur du trait de scie en mm"));
  EXPECT_EQ(form.EdtMarge->text(), QStringLiteral("5"));
  EXPECT_EQ(form.EdtTraitScie->text(), QStringLiteral("4,5"));
  form.hide();
  Show(254.0, 127, kInch);
  EXPECT_EQ(form.LblMarge->text(), QStringLiteral("Valeur de la marge en pouces"));
  EXPECT_EQ(form.EdtMarge->text(), QStringLiteral("1"));
  EXPECT_EQ(form.EdtTraitScie->text(), QStringLiteral("0,5"));
  QTest::keyClick(form.EdtMarge, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{20});
}

TEST_F(MarginForm, ANewJobShowsTheDefaults) {
  form.Unit = kMm;
  form.Margins = MarginsBlock{};
  form.Kerf = 45;
  form.ModifyMode = 0;
  form.MarginDefault = 100.0;
  form.KerfDefault = 30;
  form.ShowMarginValues();
  EXPECT_EQ(form.EdtMarge->text(), QStringLiteral("10"));
  EXPECT_EQ(form.EdtTraitScie->text(), QStringLiteral("3"));
}

struct BoundCase {
  const char* typed;
  bool kerfField;
  const UNITE_MESURE* unit;
  bool accepted;
  double value;       // the member after an accepted value
  const char* upper;  // the range's top in a refusal
};

// Margins from 0 to below 100 mm, kerf from 0 to below 50 mm, held on the rounded value. A
// refused margin clears both margins; a refused kerf keeps the kerf.
TEST_F(MarginForm, BoundsInMillimetresAndInches) {
  const BoundCase cases[] = {
      {"99,94", false, &kMm, true, 999, nullptr},
      {"99,95", false, &kMm, false, 0, "100 mm"},
      {"0", false, &kMm, true, 0, nullptr},
      {"-1", false, &kMm, false, 0, "100 mm"},
      {"dix", false, &kMm, false, 0, "100 mm"},
      {"1.5", false, &kMm, false, 0, "100 mm"},
      {"49,94", true, &kMm, true, 499, nullptr},
      {"49,95", true, &kMm, false, 0, "50 mm"},
      {"-2", true, &kMm, false, 0, "50 mm"},
      {"x", true, &kMm, false, 0, "50 mm"},
      {"3,93", false, &kInch, true, 998, nullptr},     // 998,22
      {"3,937", false, &kInch, false, 0, "3,94 pouces"},  // 999,998 rounds to 1000
      {"1,966", true, &kInch, true, 499, nullptr},     // 499,364
      {"1,967", true, &kInch, false, 0, "1,97 pouces"},   // 499,618 rounds to 500
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(c.typed);
    Show(50.0, 30, *c.unit);
    QLineEdit* field = c.kerfField ? form.EdtTraitScie : form.EdtMarge;
    TypeInto(field, QString::fromUtf8(c.typed));
    Leave(field);
    if (c.accepted) {
      EXPECT_TRUE(prompts.asked.empty());
      EXPECT_EQ(c.kerfField ? form.Kerf : form.Margins.LengthMargin, c.value);
      if (!c.kerfField) {
        EXPECT_EQ(form.Margins.WidthMargin, c.value);
      }
    } else {
      const int id = c.kerfField ? 106 : 105;
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{RangeRefusal(id, QString::fromUtf8(c.upper))});
      ASSERT_FALSE(prompts.asked.empty());
      EXPECT_EQ(prompts.asked[0].caption, MarginText(112));
      EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
      EXPECT_TRUE(field->text().isEmpty());
      EXPECT_TRUE(field->hasFocus());
      EXPECT_EQ(form.Kerf, 30);  // kept by a refused kerf, untouched by a refused margin
      EXPECT_EQ(form.Margins.LengthMargin, c.kerfField ? 50.0 : 0.0);
      EXPECT_EQ(form.Margins.WidthMargin, c.kerfField ? 50.0 : 0.0);
    }
    form.hide();
  }
}

// A part 2700 mm long on a 2800 mm panel: 50 mm on each side fits exactly, 50,1 mm does not.
TEST_F(MarginForm, AMarginWithWhichAPartFitsNoPanelIsRefusedInTheUsersWords) {
  job = JobBuilder().kind(1).panel(28000, 20700).part(27000, 4000).build();
  form.WordParts = "Éléments";
  form.WordPanel = "Plateau";
  Show(0.0, 30);
  TypeInto(form.EdtMarge, QStringLiteral("50"));
  Leave(form.EdtMarge);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form.Margins.LengthMargin, 500.0);

  TypeInto(form.EdtMarge, QStringLiteral("50,1"));
  Leave(form.EdtMarge);
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{NoLongerFits(QStringLiteral("éléments"), QStringLiteral("plateau"))});
  EXPECT_EQ(prompts.asked[0].caption, MarginText(112));
  EXPECT_EQ(form.Margins.LengthMargin, 0.0);
  EXPECT_EQ(form.Margins.WidthMargin, 0.0);
  EXPECT_EQ(form.Kerf, 30);
  EXPECT_TRUE(form.EdtMarge->text().isEmpty());
  EXPECT_TRUE(form.EdtMarge->hasFocus());
}

// A part of a species no panel has: its thickness and species count in a complex job only.
TEST_F(MarginForm, SpeciesAndThicknessCountInAComplexJobOnly) {
  struct Case {
    int kind;
    bool accepted;
  };
  for (const Case c : {Case{1, true}, Case{2, false}}) {
    SCOPED_TRACE(c.kind);
    job = JobBuilder().kind(c.kind).panel(28000, 20700, 1, 2, 190, 0)
              .part(6000, 4000, 1, 2, 190, 1).build();
    Show(0.0, 30);
    TypeInto(form.EdtMarge, QStringLiteral("5"));
    Leave(form.EdtMarge);
    EXPECT_EQ(prompts.asked.empty(), c.accepted);
    EXPECT_EQ(form.Margins.LengthMargin, c.accepted ? 50.0 : 0.0);
    form.hide();
  }
}

TEST_F(MarginForm, NoPartTakesAnyMarginInRange) {
  job = JobBuilder().kind(2).panel(1000, 1000).build();
  Show(0.0, 30);
  TypeInto(form.EdtMarge, QStringLiteral("99"));
  Leave(form.EdtMarge);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form.Margins.LengthMargin, 990.0);
}

// What a field shows when the form is closed is what the job gets, whether Enter or OK closes it
// and whether the field was left or not; a refusal keeps the form open.
TEST_F(MarginForm, EnterAndOkCommitWhatIsShown) {
  job = JobBuilder().kind(1).panel(28000, 20700).part(27000, 4000).build();
  struct Case {
    const char* what;
    bool enter;
    const char* margin;
    const char* kerf;
    bool closes;
    double lengthMargin;
    std::int32_t kerfAfter;
  };
  const Case cases[] = {
      {"Enter, margin typed", true, "12", nullptr, true, 120, 30},
      {"OK, margin typed", false, "12", nullptr, true, 120, 30},
      {"Enter, kerf typed", true, nullptr, "4,5", true, 50, 45},
      {"OK, kerf typed", false, nullptr, "4,5", true, 50, 45},
      {"Enter, margin that does not fit", true, "60", nullptr, false, 0, 30},
      {"OK, margin that does not fit", false, "60", nullptr, false, 0, 30},
      {"Enter, margin out of range", true, "100", nullptr, false, 0, 30},
      {"OK, kerf out of range", false, nullptr, "50", false, 50, 30},
      {"Enter, nothing typed", true, nullptr, nullptr, true, 50, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show(50.0, 30);
    form.Margins.ThicknessMargin = 40.0;
    form.setResult(QDialog::Rejected);
    if (c.margin) TypeInto(form.EdtMarge, QString::fromLatin1(c.margin));
    if (c.kerf) TypeInto(form.EdtTraitScie, QString::fromLatin1(c.kerf));
    if (c.enter) {
      QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    } else {
      QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    }
    EXPECT_EQ(form.isVisible(), !c.closes);
    EXPECT_EQ(form.result() == QDialog::Accepted, c.closes);
    EXPECT_EQ(prompts.NoticeTexts().size(), c.closes ? 0 : 1);
    EXPECT_EQ(form.Margins.LengthMargin, c.lengthMargin);
    EXPECT_EQ(form.Margins.WidthMargin, c.lengthMargin);
    EXPECT_EQ(form.Kerf, c.kerfAfter);
    // OK sets the thickness margin to 0: this form never keeps one.
    EXPECT_EQ(form.Margins.ThicknessMargin, c.closes ? 0.0 : 40.0);
    form.hide();
  }
}

// The fields show two decimals of the unit; an untouched field gives back the very value it was
// shown with, not its rounded text (in metres a 3 mm kerf shows as "0", in inches a 5 mm margin
// as "0,2", which read back would be 0 and 5,1 mm).
TEST_F(MarginForm, UntouchedFieldsGiveBackTheirValuesInEveryUnit) {
  const UNITE_MESURE kMetre{10000.0, "m", ""};
  const UNITE_MESURE kCm{100.0, "cm", ""};
  for (const UNITE_MESURE* unit : {&kMm, &kCm, &kInch, &kMetre}) {
    SCOPED_TRACE(unit->Abbreviation);
    Show(50.0, 33, *unit);
    // Through both fields without typing, then OK: every exit runs.
    form.EdtTraitScie->setFocus();
    PressTab(form.EdtTraitScie);
    QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(form.Margins.LengthMargin, 50.0);
    EXPECT_EQ(form.Margins.WidthMargin, 50.0);
    EXPECT_EQ(form.Kerf, 33);
  }
}

// The margin handed in is checked at OK too: the stock may have changed since it was set.
TEST_F(MarginForm, AnUntouchedMarginThatNoLongerFitsIsRefusedAtOk) {
  job = JobBuilder().kind(1).panel(28000, 20700).part(27000, 4000).build();
  Show(600.0, 30);
  QTest::keyClick(form.EdtMarge, Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{NoLongerFits(QStringLiteral("pièces"), QStringLiteral("panneau"))});
  EXPECT_EQ(form.Margins.LengthMargin, 0.0);
  EXPECT_TRUE(form.EdtMarge->text().isEmpty());
}

// Both fields empty: the question; Yes closes with the members as they are, No (or the
// question left with Escape) keeps the form open.
TEST_F(MarginForm, BothFieldsEmptyAskFirst) {
  for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel}) {
    SCOPED_TRACE(static_cast<int>(answer));
    Show(50.0, 30);
    form.Margins.ThicknessMargin = 40.0;
    TypeInto(form.EdtMarge, QString());
    TypeInto(form.EdtTraitScie, QString());
    prompts.answers = {answer};
    QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    ASSERT_EQ(prompts.Of(ScriptedPrompts::Kind::Ask).size(), 1u);
    EXPECT_EQ(prompts.asked.back().caption, MarginText(121));
    EXPECT_EQ(prompts.asked.back().text, MarginText(122));
    EXPECT_EQ(prompts.asked.back().icon, PromptIcon::Question);
    const bool yes = answer == PromptAnswer::Yes;
    EXPECT_EQ(form.isVisible(), !yes);
    EXPECT_EQ(form.Margins.LengthMargin, 50.0);
    EXPECT_EQ(form.Kerf, 30);
    EXPECT_EQ(form.Margins.ThicknessMargin, yes ? 0.0 : 40.0);
    form.hide();
  }
}

TEST_F(MarginForm, EscapeAndTheWindowsCloseDoNothing) {
  Show(50.0, 30);
  QTest::keyClick(form.EdtMarge, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  form.close();
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(prompts.asked.empty());
}

}  // namespace
}  // namespace tranchex::test
