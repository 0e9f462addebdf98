// The import form offscreen: every showing starts with the headings line ticked and nothing
// accepted, OK, Annuler and Escape say whether the import goes on, and its options button hands
// the column options form the import's settings and the file's unit, taking them back only when
// that form reports a change.

#include "exchange/UImportation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "dialogs/DialogKit.h"
#include "exchange/UOptionsImportation.h"
#include "job/Settings.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class ImportForm : public ::testing::Test {
 protected:
  void Show() {
    form.OptionsForm = &options;
    form.ImportSettings = &settings;
    form.FileUnit = UNITE_MESURE{10.0, "mm", ""};
    ShowActive(form);
  }
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

  ScriptedPrompts prompts;
  RecordingHelp help;
  Settings settings;
  TFOptionsImportation options{prompts, help};
  TFImportation form{prompts, help};
};

TEST_F(ImportForm, EveryShowingStartsWithTheHeadingsLineTickedAndNothingAccepted) {
  Show();
  Click(form.CbxEntetes);
  EXPECT_EQ(form.FirstLineHeadings, 0);
  Click(form.BtnOK);
  EXPECT_EQ(form.Accepted, 1);
  EXPECT_FALSE(form.isVisible());

  Show();
  EXPECT_TRUE(form.CbxEntetes->isChecked());
  EXPECT_EQ(form.FirstLineHeadings, 1);
  EXPECT_EQ(form.Accepted, 0);  // the last import's OK is not this one's
  EXPECT_EQ(form.windowTitle(), Text(TextId::ImportForm::Caption));
  EXPECT_EQ(form.Label->text(), Text(TextId::ImportForm::Label));
  // The file's unit is chosen in the column options, never here.
  EXPECT_FALSE(form.CbxListeUnites->isVisible());
  EXPECT_FALSE(form.LblUnite->isVisible());
}

// A restore after a minimise is no new showing: the box stays as the user left it.
TEST_F(ImportForm, AMinimiseKeepsTheHeadingsBoxAsLeft) {
  Show();
  Click(form.CbxEntetes);
  MinimiseAndRestore(form);
  EXPECT_FALSE(form.CbxEntetes->isChecked());
  EXPECT_EQ(form.FirstLineHeadings, 0);
  Click(form.BtnOK);
  EXPECT_EQ(form.Accepted, 1);
  EXPECT_EQ(form.FirstLineHeadings, 0);
}

TEST_F(ImportForm, OkGoesOnAnnulerAndEscapeStop) {
  struct Case {
    const char* name;
    std::function<void(TFImportation&)> close;
    std::uint8_t accepted;
  };
  const Case cases[] = {
      {"OK", [](TFImportation& f) { QTest::mouseClick(f.BtnOK, Qt::LeftButton); }, 1},
      {"Enter", [](TFImportation& f) { QTest::keyClick(&f, Qt::Key_Return); }, 1},
      {"Annuler", [](TFImportation& f) { QTest::mouseClick(f.BtnAnnuler, Qt::LeftButton); }, 0},
      {"Escape", [](TFImportation& f) { QTest::keyClick(&f, Qt::Key_Escape); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show();
    c.close(form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Accepted, c.accepted);
    EXPECT_EQ(form.result(), c.accepted ? QDialog::Accepted : QDialog::Rejected);
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ImportForm, AChangeInTheColumnOptionsIsTakenBackWithTheFileUnit) {
  settings.ImportDefaultGrain = 2;
  Show();
  prompts.modals = {[&](QDialog& shown) {
    auto& o = static_cast<TFOptionsImportation&>(shown);
    // Handed the import's settings and the file's unit.
    EXPECT_EQ(o.ColumnList, &settings.ImportColumns);
    EXPECT_EQ(o.DefaultGrain, 2);
    EXPECT_EQ(o.UnitFactor, 10.0);
    EXPECT_EQ(o.CbxSens->currentIndex(), 2);
    // Placed at the import form's top, centred on it.
    EXPECT_EQ(o.pos(), DialogPosition(form.pos(), form.width(), o.width(), 0));
    QTest::mouseClick(o.ChbxDimensions, Qt::LeftButton);
    o.CbxListeUnites->setCurrentIndex(1);
    Q_EMIT o.CbxListeUnites->activated(1);
    o.ColumnBoxes[TFOptionsImportation::Reference]->setCurrentIndex(1);
    Q_EMIT o.ColumnBoxes[TFOptionsImportation::Reference]->activated(1);
    prompts.answers = {PromptAnswer::Yes};
    QTest::mouseClick(o.BtnOk, Qt::LeftButton);
    return o.result();
  }};
  Click(form.BtnOptionsImportaton);
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(settings.ImportAddDimensions, 1);
  EXPECT_EQ(settings.ImportDefaultGrain, 2);
  EXPECT_EQ(settings.OptionsFileDirty, 1);
  EXPECT_EQ(settings.ImportColumns[0].Column, 2);  // edited in place
  EXPECT_EQ(settings.ImportColumns[1].Column, 1);
  EXPECT_EQ(form.FileUnit.Factor, 100.0);
  EXPECT_EQ(form.FileUnit.Abbreviation, "cm");
  EXPECT_TRUE(form.isVisible());  // back to the import form
}

// A unit chosen alone is a change: the file is then read in that unit.
TEST_F(ImportForm, AUnitChosenAloneInTheColumnOptionsIsTakenBack) {
  Show();
  prompts.modals = {[&](QDialog& shown) {
    auto& o = static_cast<TFOptionsImportation&>(shown);
    o.CbxListeUnites->setCurrentIndex(3);
    Q_EMIT o.CbxListeUnites->activated(3);
    prompts.answers = {PromptAnswer::Yes};
    QTest::mouseClick(o.BtnOk, Qt::LeftButton);
    return o.result();
  }};
  Click(form.BtnOptionsImportaton);
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(form.FileUnit.Factor, 10000.0);
  EXPECT_EQ(form.FileUnit.Abbreviation, "m");
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{Text(TextId::ImportForm::UnitDiffers)});
  EXPECT_EQ(settings.ImportColumns, DefaultImportColumns());
}

TEST_F(ImportForm, TheColumnOptionsClosedWithoutAChangeLeaveEverything) {
  settings.ImportAddSpecies = 1;
  Show();
  prompts.modals = {[&](QDialog& shown) {
    auto& o = static_cast<TFOptionsImportation&>(shown);
    QTest::mouseClick(o.BtnOk, Qt::LeftButton);
    return o.result();
  }};
  Click(form.BtnOptionsImportaton);
  EXPECT_EQ(settings.ImportAddSpecies, 1);
  EXPECT_EQ(settings.OptionsFileDirty, 0);
  EXPECT_EQ(form.FileUnit.Factor, 10.0);
  EXPECT_EQ(form.FileUnit.Abbreviation, "mm");
  EXPECT_EQ(settings.ImportColumns, DefaultImportColumns());
}

// The file's unit follows the program's until one is chosen in the column options; the choice
// stays from one showing to the next until the program's unit changes. The form names it.
TEST_F(ImportForm, TheFileUnitChosenIsKeptUntilTheProgramsUnitChanges) {
  const UNITE_MESURE mm{10.0, "mm", ""};
  const UNITE_MESURE cm{100.0, "cm", ""};
  form.OptionsForm = &options;
  form.ImportSettings = &settings;
  form.FollowProgramUnit(mm);
  ShowActive(form);
  EXPECT_EQ(form.FileUnit.Factor, 10.0);
  EXPECT_EQ(form.LblUniteFichier->text(), QStringLiteral("Unité du fichier : mm"));
  EXPECT_TRUE(form.LblUniteFichier->isVisible());
  prompts.modals = {[&](QDialog& shown) {
    auto& o = static_cast<TFOptionsImportation&>(shown);
    o.CbxListeUnites->setCurrentIndex(2);  // Pouce
    Q_EMIT o.CbxListeUnites->activated(2);
    prompts.answers = {PromptAnswer::Yes};
    QTest::mouseClick(o.BtnOk, Qt::LeftButton);
    return o.result();
  }};
  Click(form.BtnOptionsImportaton);
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(form.FileUnit.Factor, 254.0);
  EXPECT_EQ(form.LblUniteFichier->text(), QStringLiteral("Unité du fichier : pouces"));
  Click(form.BtnOK);

  // The next import, the program still in millimetres: inches.
  form.FollowProgramUnit(mm);
  ShowActive(form);
  EXPECT_EQ(form.FileUnit.Factor, 254.0);
  EXPECT_EQ(form.LblUniteFichier->text(), QStringLiteral("Unité du fichier : pouces"));
  // Back to millimetres in the options: the program's unit, no word about a conversion.
  prompts.asked.clear();
  prompts.modals = {[&](QDialog& shown) {
    auto& o = static_cast<TFOptionsImportation&>(shown);
    o.CbxListeUnites->setCurrentIndex(0);
    Q_EMIT o.CbxListeUnites->activated(0);
    prompts.answers = {PromptAnswer::Yes};
    QTest::mouseClick(o.BtnOk, Qt::LeftButton);
    return o.result();
  }};
  Click(form.BtnOptionsImportaton);
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  EXPECT_EQ(form.FileUnit.Factor, 10.0);
  Click(form.BtnOK);

  // The program's unit changes: the file's follows it.
  form.FollowProgramUnit(cm);
  ShowActive(form);
  EXPECT_EQ(form.FileUnit.Factor, 100.0);
  EXPECT_EQ(form.LblUniteFichier->text(), QStringLiteral("Unité du fichier : cm"));
}

TEST_F(ImportForm, HelpOpensItsContext) {
  Show();
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{170});
}

}  // namespace
}  // namespace tranchex::test
