// The differentiated margins form: the margins apart, the thickness margin per face, the fields
// it disables, OK committing what the fields show, and Enter doing nothing.

#include "dialogs/USelMargesMultiples.h"

#include <gtest/gtest.h>

#include <QGroupBox>
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

class MultipleMarginForm : public ::testing::Test {
 protected:
  // A complex job: 18 mm parts of oak on a 28 mm oak panel (5 mm a face fits), plenty of room.
  JobState job = JobBuilder().kind(2).panel(28000, 20700, 1, 2, 280, 0)
                     .part(6000, 4000, 1, 2, 180, 0).build();

  // Shows the form as a modification does, with these margins (ThickerStockAllowed set) and
  // this kerf.
  void Show(const MarginsBlock& margins, std::int32_t kerf, const UNITE_MESURE& unit = kMm,
            std::uint8_t modifyMode = 1) {
    form.Unit = unit;
    form.PartList = &job.JobParts;
    form.PanelList = &job.JobPanels;
    form.Margins = margins;
    form.Kerf = kerf;
    form.ModifyMode = modifyMode;
    form.MarginDefault = 100.0;
    form.ThicknessMarginDefault = 50.0;
    form.KerfDefault = 30;
    form.ShowMultipleMarginValues();
    prompts.asked.clear();
    ShowActive(form);
  }
  static MarginsBlock Margins(double length, double width, double thickness,
                              bool thicker = true) {
    MarginsBlock m;
    m.LengthMargin = length;
    m.WidthMargin = width;
    m.ThicknessMargin = thickness;
    m.DifferentiatedMargins = 1;
    m.ThickerStockAllowed = thicker ? 1 : 0;
    return m;
  }
  QStringList Fields() const {
    return {form.EdtEpaisseur->text(), form.EdtMargeL->text(), form.EdtMargeH->text(),
            form.EdtTraitScie->text()};
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TSelMargesMultiples form{prompts, help};
};

TEST_F(MultipleMarginForm, TextsInTheUnitOfEachShowing) {
  EXPECT_EQ(form.windowTitle(), MarginText(87));
  EXPECT_EQ(form.LblEpaisseur->text(), MarginText(45));
  EXPECT_EQ(form.LblLongueur->text(), MarginText(41));
  EXPECT_EQ(form.LblLargeur->text(), MarginText(42));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  Show(Margins(50, 50, 60), 45, kInch);
  EXPECT_EQ(form.GpbMarges->title(), QStringLiteral("Valeur de la marge en pouces"));
  EXPECT_EQ(form.LblTraitScie->text(), QStringLiteral("Epaisseur du trait de scie en pouces"));
  QTest::keyClick(form.EdtMargeL, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{1040});
}

// A modification shows the job's values, the thickness per face (half the total the job
// keeps); one whose margins and kerf are all 0, and a new job, show the defaults.
TEST_F(MultipleMarginForm, ValuesOrDefaults) {
  struct Case {
    const char* what;
    MarginsBlock margins;
    std::int32_t kerf;
    std::uint8_t modifyMode;
    QStringList fields;  // thickness, length, width, kerf
  };
  const Case cases[] = {
      {"modification", Margins(20, 35, 60), 45, 1,
       {QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("3,5"), QStringLiteral("4,5")}},
      {"modification, kerf alone", Margins(0, 0, 0), 45, 1,
       {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("4,5")}},
      {"modification, all zero", Margins(0, 0, 0), 0, 1,
       {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("3")}},
      {"new job", Margins(20, 35, 60), 45, 0,
       {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("3")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show(c.margins, c.kerf, kMm, c.modifyMode);
    EXPECT_EQ(Fields(), c.fields);
    form.hide();
  }
}

// Thickness margin typed per face, kept twice; margins from 0 to below 100 mm, the thickness per
// face and the kerf below 50 mm. A refusal clears only the field's own member (the kerf stays).
TEST_F(MultipleMarginForm, BoundsInMillimetresAndInches) {
  struct Case {
    const char* field;
    const char* typed;
    const UNITE_MESURE* unit;
    bool accepted;
    double member;  // the field's member afterwards
    const char* upper;
  };
  const Case cases[] = {
      {"EdtEpaisseur", "49,94", &kMm, true, 998, nullptr},
      {"EdtEpaisseur", "49,95", &kMm, false, 0, "50 mm"},
      {"EdtEpaisseur", "-1", &kMm, false, 0, "50 mm"},
      {"EdtEpaisseur", "1,966", &kInch, true, 998, nullptr},
      {"EdtEpaisseur", "1,967", &kInch, false, 0, "1,97 pouces"},
      {"EdtMargeL", "99,94", &kMm, true, 999, nullptr},
      {"EdtMargeL", "99,95", &kMm, false, 0, "100 mm"},
      {"EdtMargeL", "abc", &kMm, false, 0, "100 mm"},
      {"EdtMargeH", "99,94", &kMm, true, 999, nullptr},
      {"EdtMargeH", "3,937", &kInch, false, 0, "3,94 pouces"},
      {"EdtTraitScie", "49,94", &kMm, true, 499, nullptr},
      {"EdtTraitScie", "49,95", &kMm, false, 30, "50 mm"},
      {"EdtTraitScie", "1,967", &kInch, false, 30, "1,97 pouces"},
  };
  // A job with room for 99,94 mm margins and the largest thickness margin: 10 mm parts on 110 mm
  // stock, thicker stock allowed.
  job = JobBuilder().kind(2).panel(28000, 20700, 1, 2, 1100, 0).part(6000, 4000, 1, 2, 100, 0)
            .build();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    Show(Margins(40, 50, 60), 30, *c.unit);
    auto* field = form.findChild<QLineEdit*>(QString::fromLatin1(c.field));
    TypeInto(field, QString::fromUtf8(c.typed));
    PressTab(field);
    const std::string name = c.field;
    const double thickness = name == "EdtEpaisseur" ? c.member : 60.0;
    const double length = name == "EdtMargeL" ? c.member : 40.0;
    const double width = name == "EdtMargeH" ? c.member : 50.0;
    const double kerf = name == "EdtTraitScie" ? c.member : 30.0;
    EXPECT_EQ(form.Margins.ThicknessMargin, thickness);
    EXPECT_EQ(form.Margins.LengthMargin, length);
    EXPECT_EQ(form.Margins.WidthMargin, width);
    EXPECT_EQ(form.Kerf, kerf);
    if (c.accepted) {
      EXPECT_TRUE(prompts.asked.empty());
    } else {
      const int id = name == "EdtTraitScie" ? 106 : 105;
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{RangeRefusal(id, QString::fromUtf8(c.upper))});
      EXPECT_TRUE(field->text().isEmpty());
      EXPECT_TRUE(field->hasFocus());
    }
    form.hide();
  }
}

// 5 mm a face on an 18 mm part needs 28 mm of its species, or thicker by whole tenths: 30 mm
// stock takes it, 25 mm does not; a species no panel has fails whatever the job kind.
TEST_F(MultipleMarginForm, EveryFieldTestsThicknessAndSpecies) {
  struct Case {
    const char* what;
    int kind;
    double panelThickness;
    int partSpecies;
    bool accepted;
  };
  const Case cases[] = {
      {"30 mm stock", 2, 300, 0, true},
      {"25 mm stock", 2, 250, 0, false},
      {"a species no panel has", 2, 300, 1, false},
      {"a species no panel has, simple job", 1, 300, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    job = JobBuilder().kind(c.kind).panel(28000, 20700, 1, 2, c.panelThickness, 0)
              .part(6000, 4000, 1, 2, 180, c.partSpecies).build();
    Show(Margins(0, 0, 0), 30);
    TypeInto(form.EdtEpaisseur, QStringLiteral("5"));
    PressTab(form.EdtEpaisseur);
    EXPECT_EQ(form.Margins.ThicknessMargin, c.accepted ? 100.0 : 0.0);
    EXPECT_EQ(prompts.NoticeTexts(),
              c.accepted ? QStringList{}
                         : QStringList{NoLongerFits(QStringLiteral("pièces"),
                                                    QStringLiteral("panneau"))});
    form.hide();
  }
}

TEST_F(MultipleMarginForm, AFailedLengthMarginClearsOnlyTheLengthMargin) {
  job = JobBuilder().kind(2).panel(28000, 20700, 1, 2, 280, 0).part(27000, 4000, 1, 2, 180, 0)
            .build();
  Show(Margins(20, 35, 60), 30);
  TypeInto(form.EdtMargeL, QStringLiteral("50,1"));  // 2700 + 2 x 50,1 > 2800
  PressTab(form.EdtMargeL);
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{NoLongerFits(QStringLiteral("pièces"), QStringLiteral("panneau"))});
  EXPECT_EQ(form.Margins.LengthMargin, 0.0);
  EXPECT_EQ(form.Margins.WidthMargin, 35.0);
  EXPECT_EQ(form.Margins.ThicknessMargin, 60.0);
  EXPECT_EQ(form.Kerf, 30);
}

// A job of bars has no width margin; without thicker stock there is no thickness margin. Their
// fields are empty and disabled, and OK leaves their members as handed in.
TEST_F(MultipleMarginForm, DisabledFieldsKeepTheirMembers) {
  form.MarginsAllZero = 1;
  Show(Margins(20, 35, 100, false), 30);  // 18 mm parts + 10 mm: the 28 mm stock exactly
  EXPECT_FALSE(form.EdtMargeH->isEnabled());
  EXPECT_FALSE(form.LblLargeur->isEnabled());
  EXPECT_FALSE(form.EdtEpaisseur->isEnabled());
  EXPECT_FALSE(form.LblEpaisseur->isEnabled());
  EXPECT_TRUE(form.EdtMargeH->text().isEmpty());
  EXPECT_TRUE(form.EdtEpaisseur->text().isEmpty());
  TypeInto(form.EdtMargeL, QStringLiteral("4"));
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Margins.LengthMargin, 40.0);
  EXPECT_EQ(form.Margins.WidthMargin, 35.0);
  EXPECT_EQ(form.Margins.ThicknessMargin, 100.0);
  form.MarginsAllZero = 0;
  Show(Margins(20, 35, 60, true), 30);
  EXPECT_TRUE(form.EdtMargeH->isEnabled());
  EXPECT_TRUE(form.EdtEpaisseur->isEnabled());
}

// OK commits what every field shows, left or not; Enter does nothing at all.
TEST_F(MultipleMarginForm, OkCommitsWhatIsShownAndEnterDoesNothing) {
  Show(Margins(20, 35, 60), 45);
  TypeInto(form.EdtEpaisseur, QStringLiteral("4"));
  TypeInto(form.EdtMargeH, QStringLiteral("1,5"));
  QTest::keyClick(form.EdtMargeH, Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Margins.WidthMargin, 35.0);  // Enter did not even leave the field
  form.BtnOk->setFocus();
  QTest::keyClick(form.BtnOk, Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form.Margins.ThicknessMargin, 80.0);
  EXPECT_EQ(form.Margins.LengthMargin, 20.0);
  EXPECT_EQ(form.Margins.WidthMargin, 15.0);
  EXPECT_EQ(form.Kerf, 45);
}

// A modification's OK gives the job back the margins it had: the thickness field shows half the
// job's total, never the default per face.
TEST_F(MultipleMarginForm, OkAtOnceGivesTheJobItsMarginsBack) {
  Show(Margins(20, 35, 60), 45, kInch);
  QTest::mouseClick(form.BtnOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Margins.LengthMargin, 20.0);
  EXPECT_EQ(form.Margins.WidthMargin, 35.0);
  EXPECT_EQ(form.Margins.ThicknessMargin, 60.0);
  EXPECT_EQ(form.Kerf, 45);
  // Leaving the thickness field without typing keeps it too.
  Show(Margins(20, 35, 60), 45);
  PressTab(form.EdtEpaisseur);
  EXPECT_EQ(form.Margins.ThicknessMargin, 60.0);
}

TEST_F(MultipleMarginForm, EveryFieldEmptyAsksFirst) {
  for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
    SCOPED_TRACE(answer == PromptAnswer::Yes ? "Yes" : "No");
    Show(Margins(20, 35, 60), 45);
    for (QLineEdit* e : {form.EdtEpaisseur, form.EdtMargeL, form.EdtMargeH, form.EdtTraitScie})
      TypeInto(e, QString());
    prompts.answers = {answer};
    QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    ASSERT_EQ(prompts.QuestionTexts(), QStringList{MarginText(122)});
    EXPECT_EQ(prompts.asked.back().caption, MarginText(121));
    EXPECT_EQ(form.isVisible(), answer != PromptAnswer::Yes);
    EXPECT_EQ(form.Margins.ThicknessMargin, 60.0);
    EXPECT_EQ(form.Margins.LengthMargin, 20.0);
    EXPECT_EQ(form.Kerf, 45);
    form.hide();
  }
}

}  // namespace
}  // namespace tranchex::test
