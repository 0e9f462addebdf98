// The general options form: its labels, the checks of its fields in two units, the marks that
// make OK report a change, and the factory values.

#include "dialogs/UOptions.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DialogKit.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }
QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

const UNITE_MESURE kMm{10.0, "mm", "millimètres"};
const UNITE_MESURE kInches{254.0, "pouces", "pouces"};

// The refusal of a value: the field's text, a line break, the range text from 0 to the bound.
QString RangeMessage(int fieldTextId, const QString& bound) {
  QString range = Text(118);
  range.replace(QStringLiteral("val1"), QStringLiteral("0"));
  range.replace(QStringLiteral("val2"), bound);
  return Text(fieldTextId) + QStringLiteral("\n") + range;
}

// What a missing options file gives, as the main window would hand it in.
Settings FactorySettings() {
  Settings s;
  ApplyDefaultOptions(s);
  return s;
}

// One value typed into one field: taken (the member's value) or refused (the message's field
// text and bound, the member left as it was).
struct EntryCase {
  const char* field;
  const char* typed;
  bool accepted;
  double value;       // accepted: the member afterwards (internal units)
  int fieldTextId;    // refused: the message
  const char* bound;  // refused: the upper bound shown
};

double Member(const TFOptions& f, const std::string& field) {
  if (field == "EdtMaxLongueur") return f.MaxLength;
  if (field == "EdtMaxLargeur") return f.MaxWidth;
  if (field == "EdtLongueurDefaut") return f.DefaultPanelLength;
  if (field == "EdtLargeurDefaut") return f.DefaultPanelWidth;
  if (field == "EdtMarge") return f.DefaultMargin;
  if (field == "EdtMargeEp") return f.DefaultThicknessMargin;
  return f.DefaultKerf;
}

// The form shows the values of a missing options file, in millimetres (the optimisation
// criteria switch aside).
void ExpectFactoryValuesShown(const TFOptions& form) {
  const std::vector<QString> shown = {form.EdtMaxLongueur->text(), form.EdtMaxLargeur->text(),
                                      form.EdtLongueurDefaut->text(), form.EdtLargeurDefaut->text(),
                                      form.EdtMarge->text(), form.EdtMargeEp->text(),
                                      form.EdtTraitScie->text()};
  EXPECT_EQ(shown, (std::vector<QString>{Q("6000"), Q("6000"), Q("2500"), Q("1250"), Q("10"),
                                         Q("5"), Q("3")}));
  EXPECT_EQ(form.EdtDesignationPanneau->text(), Text(74));
  EXPECT_EQ(form.EdtDesignationPanneaux->text(), Text(13));
  EXPECT_EQ(form.EdtDesignationPiece->text(), Text(75));
  EXPECT_EQ(form.EdtDesignationPieces->text(), Text(14));
  EXPECT_TRUE(form.ChkBoxSensFil->isChecked());
  EXPECT_TRUE(form.ChkBoxMarge->isChecked());
}

class OptionsForm : public ::testing::Test {
 protected:
  void Show(const Settings& s = FactorySettings(), const UNITE_MESURE& unit = kMm) {
    form.CopyFrom(s);
    form.Unit = unit;
    form.DecimalSeparator = ',';
    ShowActive(form);
  }
  // Types over the field's text, then Tab: the field's exit runs.
  void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    field->insert(text);  // as typed: the field is modified (keyClicks knows no accented keys)
    QTest::keyClick(field, Qt::Key_Tab);
    // The event loop runs before the person's next action, as it does between two keys.
    QApplication::processEvents();
  }
  // The field as a person leaves it without typing.
  void PassThrough(QLineEdit* field) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
  }
  void Ok() { QTest::mouseClick(form.BtnOK, Qt::LeftButton); }
  QLineEdit* Field(const char* name) {
    auto* f = form.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
  }

  // Each case on a fresh showing of the factory values in the unit.
  void RunEntryCases(const UNITE_MESURE& unit, const std::vector<EntryCase>& cases) {
    for (const EntryCase& c : cases) {
      SCOPED_TRACE(std::string(c.field) + " <- " + c.typed + " in " + unit.Abbreviation);
      prompts.asked.clear();
      Show(FactorySettings(), unit);
      QLineEdit* field = Field(c.field);
      ASSERT_NE(field, nullptr);
      const double before = Member(form, c.field);
      const QString shownBefore = field->text();
      Type(field, Q(c.typed));
      if (c.accepted) {
        EXPECT_TRUE(prompts.asked.empty());
        EXPECT_EQ(Member(form, c.field), c.value);
      } else {
        ASSERT_EQ(prompts.NoticeTexts().size(), 1);
        EXPECT_EQ(prompts.NoticeTexts()[0],
                  RangeMessage(c.fieldTextId, Q(c.bound) + QStringLiteral(" ") +
                                                  QString::fromStdString(unit.Abbreviation)));
        EXPECT_EQ(prompts.asked[0].caption, Text(112));
        EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
        EXPECT_EQ(Member(form, c.field), before);
        // The member's value again, and the focus back in the field.
        EXPECT_EQ(field->text(), shownBefore);
        EXPECT_EQ(QApplication::focusWidget(), field);
      }
      form.hide();
    }
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  TFOptions form{prompts, help};
};

TEST_F(OptionsForm, TextsAndLabelsFollowTheUnitAndTheWords) {
  Settings s = FactorySettings();
  Show(s);
  EXPECT_EQ(form.windowTitle(), Text(142));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form.LblMaxLongueur->text(), QStringLiteral("Longueur maximum autorisée en mm"));
  EXPECT_EQ(form.LblMaxLargeur->text(), QStringLiteral("Largeur maximum autorisée en mm"));
  EXPECT_EQ(form.LblLongueurDefaut->text(), QStringLiteral("Longueur par défaut du panneau en mm"));
  EXPECT_EQ(form.LblLargeurDefaut->text(), QStringLiteral("Largeur par défaut du panneau en mm"));
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("panneaux") + Text(97) + QStringLiteral("pièces)"));
  EXPECT_EQ(form.ChkBoxMarge->text(), Text(95));
  EXPECT_EQ(form.ChkBoxCriteresOptimisation->text(), Text(257));
  EXPECT_EQ(form.BtnParamDefaut->text(), Text(175));
  EXPECT_EQ(form.BtnOK->text(), QStringLiteral("OK"));
  EXPECT_EQ(form.GpbPanneaux->title(), Text(145));
  EXPECT_EQ(form.GpbPieces->title(), Text(146));
  EXPECT_EQ(form.GpbMarges->title(), Text(299) + QStringLiteral("mm"));
  EXPECT_EQ(form.LblMarge->text(), Text(296));
  EXPECT_EQ(form.LblMargeEp->text(), Text(297));
  EXPECT_EQ(form.LblTraitScie->text(), Text(298));
  // The factory values, in millimetres.
  ExpectFactoryValuesShown(form);
  EXPECT_FALSE(form.ChkBoxCriteresOptimisation->isChecked());
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{2010});
  form.hide();

  // The next showing says the unit and the words handed in then.
  s.WordPanel = "Planche";
  s.WordPanels = "Planches";
  s.WordParts = "Morceaux";
  Show(s, kInches);
  EXPECT_EQ(form.LblMaxLongueur->text(), QStringLiteral("Longueur maximum autorisée en pouces"));
  EXPECT_EQ(form.LblLongueurDefaut->text(),
            QStringLiteral("Longueur par défaut du planche en pouces"));
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("planches") + Text(97) + QStringLiteral("morceaux)"));
  EXPECT_EQ(form.GpbMarges->title(), Text(299) + QStringLiteral("pouces"));
  EXPECT_EQ(form.EdtMaxLongueur->text(), QStringLiteral("236,22"));
  // Every tenth of a millimetre shows: 3 mm is 0,118 in (0,12 would read back as 3,05 mm).
  EXPECT_EQ(form.EdtTraitScie->text(), QStringLiteral("0,118"));
}

TEST_F(OptionsForm, BoundsInMillimetres) {
  const std::vector<EntryCase> cases = {
      {"EdtMaxLongueur", "0,1", false, 0, 113, "1000000"},
      {"EdtMaxLongueur", "1000000", true, 10000000, 0, ""},
      {"EdtMaxLongueur", "1000000,1", false, 0, 113, "1000000"},
      {"EdtMaxLargeur", "0,1", false, 0, 114, "1000000"},
      {"EdtMaxLargeur", "1000000", true, 10000000, 0, ""},
      {"EdtLongueurDefaut", "6000", true, 60000, 0, ""},
      {"EdtLongueurDefaut", "6000,1", false, 0, 113, "6000"},
      {"EdtLongueurDefaut", "0,1", false, 0, 113, "6000"},
      {"EdtLargeurDefaut", "6000", true, 60000, 0, ""},
      {"EdtLargeurDefaut", "6000,1", false, 0, 114, "6000"},
      {"EdtMarge", "0", true, 0, 0, ""},
      {"EdtMarge", "99,9", true, 999, 0, ""},
      {"EdtMarge", "100", false, 0, 105, "100"},
      {"EdtMargeEp", "49,9", true, 499, 0, ""},
      {"EdtMargeEp", "50", false, 0, 105, "50"},
      {"EdtTraitScie", "0", true, 0, 0, ""},
      {"EdtTraitScie", "50", false, 0, 106, "50"},
      {"EdtTraitScie", "abc", false, 0, 106, "50"},
      {"EdtMarge", "dix", false, 0, 105, "100"},
      {"EdtMaxLongueur", "-5", false, 0, 113, "1000000"},
  };
  RunEntryCases(kMm, cases);
}

TEST_F(OptionsForm, BoundsInInches) {
  // 1 inch = 254 tenths of a millimetre; typed values are rounded half away from zero.
  const std::vector<EntryCase> cases = {
      {"EdtMaxLongueur", "0,004", false, 0, 113, "39370,08"},         // 1.016 -> 1
      {"EdtMaxLongueur", "39370,08", true, 10000000, 0, ""},          // 10000000.3
      {"EdtMaxLongueur", "39370,09", false, 0, 113, "39370,08"},      // 10000002.9
      {"EdtMaxLargeur", "0,004", false, 0, 114, "39370,08"},
      {"EdtLongueurDefaut", "236,2205", true, 60000, 0, ""},          // 60000.007
      {"EdtLongueurDefaut", "236,22441", false, 0, 113, "236,22"},    // 60001.0
      {"EdtLargeurDefaut", "236,22441", false, 0, 114, "236,22"},
      {"EdtMarge", "0", true, 0, 0, ""},
      {"EdtMarge", "3,937", false, 0, 105, "3,94"},                   // 999.998 -> 1000
      {"EdtMargeEp", "1,9646", true, 499, 0, ""},                     // 499.008
      {"EdtMargeEp", "1,9685", false, 0, 105, "1,97"},                // 499.999 -> 500
      {"EdtTraitScie", "0", true, 0, 0, ""},
      {"EdtTraitScie", "1,9685", false, 0, 106, "1,97"},
      {"EdtTraitScie", "trois", false, 0, 106, "1,97"},
  };
  RunEntryCases(kInches, cases);
}

TEST_F(OptionsForm, ALowerMaximumPullsTheDefaultSizeDown) {
  Show();
  Type(form.EdtMaxLongueur, QStringLiteral("1000"));
  EXPECT_EQ(form.MaxLength, 10000.0);
  EXPECT_EQ(form.DefaultPanelLength, 10000.0);
  EXPECT_EQ(form.EdtLongueurDefaut->text(), QStringLiteral("1000"));
  EXPECT_EQ(form.DefaultPanelWidth, 12500.0);  // the width is not the length's
  Type(form.EdtMaxLargeur, QStringLiteral("800"));
  EXPECT_EQ(form.DefaultPanelWidth, 8000.0);
  EXPECT_EQ(form.EdtLargeurDefaut->text(), QStringLiteral("800"));
  // A maximum above the default leaves it.
  Type(form.EdtMaxLongueur, QStringLiteral("3000"));
  EXPECT_EQ(form.DefaultPanelLength, 10000.0);
  // The default is then held against the new maximum.
  Type(form.EdtLongueurDefaut, QStringLiteral("3000,1"));
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_EQ(prompts.NoticeTexts()[0], RangeMessage(113, QStringLiteral("3000 mm")));
  EXPECT_EQ(form.EdtLongueurDefaut->text(), QStringLiteral("1000"));
  EXPECT_TRUE(prompts.Exhausted());
}

TEST_F(OptionsForm, ASingularWordMakesItsPlural) {
  Show();
  Type(form.EdtDesignationPanneau, QStringLiteral("Planche"));
  EXPECT_EQ(form.WordPanel, "Planche");
  EXPECT_EQ(form.WordPanels, "Planches");
  EXPECT_EQ(form.EdtDesignationPanneaux->text(), QStringLiteral("Planches"));
  EXPECT_EQ(form.LblLongueurDefaut->text(), QStringLiteral("Longueur par défaut du planche en mm"));
  EXPECT_EQ(form.LblLargeurDefaut->text(), QStringLiteral("Largeur par défaut du planche en mm"));
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("planches") + Text(97) + QStringLiteral("pièces)"));

  Type(form.EdtDesignationPiece, QStringLiteral("Morceau"));
  EXPECT_EQ(form.WordPart, "Morceau");
  EXPECT_EQ(form.WordParts, "Morceaus");
  EXPECT_EQ(form.EdtDesignationPieces->text(), QStringLiteral("Morceaus"));
  // A plural replaces only itself.
  Type(form.EdtDesignationPieces, QStringLiteral("Morceaux"));
  EXPECT_EQ(form.WordPart, "Morceau");
  EXPECT_EQ(form.WordParts, "Morceaux");
  Type(form.EdtDesignationPanneaux, QStringLiteral("Planchettes"));
  EXPECT_EQ(form.WordPanel, "Planche");
  EXPECT_EQ(form.WordPanels, "Planchettes");
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("planchettes") + Text(97) + QStringLiteral("morceaux)"));
  // Passing again through the singular, untouched, keeps the plural typed.
  PassThrough(form.EdtDesignationPanneau);
  EXPECT_EQ(form.WordPanels, "Planchettes");
  Ok();
  EXPECT_EQ(form.Changed, 1);
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(OptionsForm, ASingularOfTwentyCharactersKeepsAPluralTheFileCanHold) {
  Show();
  const QString twenty = QStringLiteral("Panneau de particule");  // 20 characters
  ASSERT_EQ(twenty.size(), 20);
  Type(form.EdtDesignationPanneau, twenty);
  EXPECT_EQ(form.WordPanel, twenty.toStdString());
  EXPECT_EQ(form.WordPanels, twenty.toStdString());
  EXPECT_TRUE(prompts.asked.empty());
}

struct WordCase {
  const char* field;
  QString typed;
  int refusal;  // 0 accepted, else the message's text id
};

TEST_F(OptionsForm, WordsOfOneToTwentyStorableCharacters) {
  const QString twenty = QString(20, QChar(u'é'));
  const std::vector<WordCase> cases = {
      {"EdtDesignationPanneau", QString(), 17},
      {"EdtDesignationPanneau", twenty + QStringLiteral("e"), 17},
      {"EdtDesignationPanneau", twenty, 0},
      {"EdtDesignationPanneau", QStringLiteral("Łata"), 120},  // not in Windows-1252
      {"EdtDesignationPanneau", QStringLiteral("Œuvre€"), 0},  // in Windows-1252
      {"EdtDesignationPanneaux", QString(), 17},
      {"EdtDesignationPanneaux", twenty + QStringLiteral("s"), 17},
      {"EdtDesignationPanneaux", QStringLiteral("Łaty"), 120},
      {"EdtDesignationPiece", QString(), 17},
      {"EdtDesignationPiece", twenty + QStringLiteral("e"), 17},
      {"EdtDesignationPiece", QStringLiteral("Część"), 120},
      {"EdtDesignationPieces", QString(), 17},
      {"EdtDesignationPieces", twenty + QStringLiteral("s"), 17},
      {"EdtDesignationPieces", QStringLiteral("a"), 0},
  };
  for (const WordCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " <- " + c.typed.toStdString());
    prompts.asked.clear();
    Show();
    QLineEdit* field = Field(c.field);
    const QString before = field->text();
    Type(field, c.typed);
    if (c.refusal == 0) {
      EXPECT_TRUE(prompts.asked.empty());
      EXPECT_EQ(field->text(), c.typed);
    } else {
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{Text(c.refusal)});
      EXPECT_EQ(prompts.asked[0].caption, Text(112));
      EXPECT_EQ(field->text(), before);  // the word it had
      EXPECT_EQ(QApplication::focusWidget(), field);
      EXPECT_EQ(form.WordPanel, "Panneau");
      EXPECT_EQ(form.WordPanels, "Panneaux");
      EXPECT_EQ(form.WordPart, "Pièce");
      EXPECT_EQ(form.WordParts, "Pièces");
    }
    form.hide();
  }
}

// Each edit on its own makes OK report a change; nothing, no change.
TEST_F(OptionsForm, EveryEditIsReportedByOk) {
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"nothing", [] {}},
      {"max length", [this] { Type(form.EdtMaxLongueur, Q("5000")); }},
      {"max width", [this] { Type(form.EdtMaxLargeur, Q("5000")); }},
      {"default length", [this] { Type(form.EdtLongueurDefaut, Q("2000")); }},
      {"default width", [this] { Type(form.EdtLargeurDefaut, Q("1000")); }},
      {"margin", [this] { Type(form.EdtMarge, Q("2")); }},
      {"thickness margin", [this] { Type(form.EdtMargeEp, Q("2")); }},
      {"kerf", [this] { Type(form.EdtTraitScie, Q("4")); }},
      {"panel word", [this] { Type(form.EdtDesignationPanneau, Q("Planche")); }},
      {"panels word", [this] { Type(form.EdtDesignationPanneaux, Q("Plaques")); }},
      {"part word", [this] { Type(form.EdtDesignationPiece, Q("Morceau")); }},
      {"grain", [this] { form.ChkBoxSensFil->click(); }},
      {"margins asked", [this] { form.ChkBoxMarge->click(); }},
      {"criteria asked", [this] { form.ChkBoxCriteresOptimisation->click(); }},
      // Leaving the parts' plural, even untouched, counts.
      {"parts word passed", [this] { PassThrough(form.EdtDesignationPieces); }},
  };
  for (const auto& [name, edit] : edits) {
    SCOPED_TRACE(name);
    Show();
    edit();
    Ok();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Changed, std::string(name) == "nothing" ? 0 : 1);
    EXPECT_EQ(form.DefaultsRestored, 0);
  }
  EXPECT_TRUE(prompts.asked.empty());
  // The switches follow their boxes.
  Show();
  form.ChkBoxSensFil->click();
  form.ChkBoxMarge->click();
  form.ChkBoxCriteresOptimisation->click();
  EXPECT_EQ(form.GrainDirectionEnabled, 0);
  EXPECT_EQ(form.AskMargins, 0);
  EXPECT_EQ(form.AskOptimisationCriteria, 1);
}

// A refused value after one taken in the same showing: the value taken is still reported, so
// what the form showed at OK is what the settings get.
TEST_F(OptionsForm, ARefusalKeepsTheChangeTakenBeforeIt) {
  Show();
  Type(form.EdtMaxLongueur, QStringLiteral("5000"));
  Type(form.EdtMaxLongueur, QStringLiteral("abc"));
  EXPECT_EQ(form.EdtMaxLongueur->text(), QStringLiteral("5000"));
  EXPECT_EQ(form.MaxLength, 50000.0);
  Ok();
  EXPECT_EQ(form.Changed, 1);

  Show();
  Type(form.EdtDesignationPanneau, QStringLiteral("Planche"));
  Type(form.EdtDesignationPanneaux, QString());
  EXPECT_EQ(form.EdtDesignationPanneaux->text(), QStringLiteral("Planches"));
  Ok();
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(form.WordPanel, "Planche");
  EXPECT_EQ(prompts.NoticeTexts().size(), 2);
}

TEST_F(OptionsForm, EnterIsOkAndARefusedValueKeepsTheFormOpen) {
  Show();
  form.EdtTraitScie->setFocus();
  form.EdtTraitScie->selectAll();
  QTest::keyClicks(form.EdtTraitScie, QStringLiteral("60"));
  QTest::keyClick(form.EdtTraitScie, Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{RangeMessage(106, QStringLiteral("50 mm"))});
  EXPECT_EQ(form.EdtTraitScie->text(), QStringLiteral("3"));
  EXPECT_EQ(QApplication::focusWidget(), form.EdtTraitScie);
  form.EdtTraitScie->selectAll();
  QTest::keyClicks(form.EdtTraitScie, QStringLiteral("4"));
  QTest::keyClick(form.EdtTraitScie, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.DefaultKerf, 40);
  EXPECT_EQ(form.Changed, 1);
}

TEST_F(OptionsForm, FactoryValuesAreRestoredInTheFormOnly) {
  Settings s = FactorySettings();
  s.MaxLength = 30000;
  s.MaxWidth = 20000;
  s.DefaultPanelLength = 20000;
  s.DefaultPanelWidth = 10000;
  s.DefaultMargin = 20;
  s.DefaultThicknessMargin = 0;
  s.DefaultKerf = 45;
  s.GrainDirectionEnabled = 0;
  s.AskMargins = 0;
  s.AskOptimisationCriteria = 1;
  s.WordPanel = "Planche";
  s.WordPanels = "Planches";
  s.WordPart = "Morceau";
  s.WordParts = "Morceaux";
  Show(s);
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("planches") + Text(97) + QStringLiteral("morceaux)"));
  QTest::mouseClick(form.BtnParamDefaut, Qt::LeftButton);
  EXPECT_TRUE(form.isVisible());  // the form stays open
  EXPECT_EQ(form.DefaultsRestored, 1);
  ExpectFactoryValuesShown(form);
  // "Modifier le critère d'optimisation" stays as it was.
  EXPECT_TRUE(form.ChkBoxCriteresOptimisation->isChecked());
  EXPECT_EQ(form.ChkBoxSensFil->text(),
            Text(96) + QStringLiteral("panneaux") + Text(97) + QStringLiteral("pièces)"));
  EXPECT_EQ(form.LblLongueurDefaut->text(), QStringLiteral("Longueur par défaut du panneau en mm"));
  Ok();
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(form.DefaultsRestored, 1);

  Settings back = s;
  form.CopyTo(back);
  Settings expected = FactorySettings();
  expected.AskOptimisationCriteria = 1;
  EXPECT_EQ(back.MaxLength, expected.MaxLength);
  EXPECT_EQ(back.MaxWidth, expected.MaxWidth);
  EXPECT_EQ(back.DefaultPanelLength, expected.DefaultPanelLength);
  EXPECT_EQ(back.DefaultPanelWidth, expected.DefaultPanelWidth);
  EXPECT_EQ(back.DefaultMargin, expected.DefaultMargin);
  EXPECT_EQ(back.DefaultThicknessMargin, expected.DefaultThicknessMargin);
  EXPECT_EQ(back.DefaultKerf, expected.DefaultKerf);
  EXPECT_EQ(back.GrainDirectionEnabled, 1);
  EXPECT_EQ(back.AskMargins, 1);
  EXPECT_EQ(back.AskOptimisationCriteria, 1);
  EXPECT_EQ(back.WordPanel, expected.WordPanel);
  EXPECT_EQ(back.WordParts, expected.WordParts);
}

TEST_F(OptionsForm, EachShowingStartsUnchangedAndTheCloseBoxOrEscapeReportNoChange) {
  Show();
  QTest::mouseClick(form.BtnParamDefaut, Qt::LeftButton);
  Ok();
  ASSERT_EQ(form.Changed, 1);
  ASSERT_EQ(form.DefaultsRestored, 1);

  // Edits, then Escape: no change reported.
  Show();
  EXPECT_EQ(form.Changed, 0);
  EXPECT_EQ(form.DefaultsRestored, 0);
  Type(form.EdtMaxLongueur, QStringLiteral("5000"));
  form.EdtMarge->setFocus();
  QTest::keyClick(form.EdtMarge, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Changed, 0);

  // The defaults, then the close box: no change reported either.
  Show();
  QTest::mouseClick(form.BtnParamDefaut, Qt::LeftButton);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Changed, 0);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_TRUE(prompts.asked.empty());
}

// A restore after a minimise is no new showing: a value taken and a box clicked before it are
// still on the form, and OK reports them.
TEST_F(OptionsForm, AMinimiseKeepsTheEdits) {
  Show();
  Type(form.EdtTraitScie, Q("4"));
  form.ChkBoxSensFil->click();
  MinimiseAndRestore(form);
  EXPECT_EQ(form.EdtTraitScie->text(), Q("4"));
  EXPECT_FALSE(form.ChkBoxSensFil->isChecked());
  Ok();
  EXPECT_EQ(form.Changed, 1);
  EXPECT_EQ(form.DefaultKerf, 40);
  EXPECT_EQ(form.GrainDirectionEnabled, 0);
}

}  // namespace
}  // namespace tranchex::test
