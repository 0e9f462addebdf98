// New: the save prompt, the job emptied and named, the entry forms in their order, the margins
// as the options say, the layout; and a job that reads or is entered soundly but cannot be laid
// out, kept so that it can be corrected or saved.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <functional>
#include <map>

#include "dialogs/SelModif.h"
#include "dialogs/USelDebit.h"
#include "dialogs/USelMarge.h"
#include "dialogs/USelOptimisation.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "job/SettingsFiles.h"
#include "platform/RecordingCanvas.h"
#include "shell/MainWindowFixture.h"
#include "support/LayoutChecker.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

// A record as typed in the panel or part form (lengths in mm, as the default unit shows them).
struct Typed {
  QString length;
  QString width;
  QString count = QStringLiteral("1");
  QString designation = {};  // parts only; empty keeps the one proposed
  int grain = -1;            // the grain box's item, chosen after the sizes; -1 leaves it
};

// Two stock panels and three parts, as a shop would type them: everything fits.
const std::vector<Typed> kPanels = {{QStringLiteral("2500"), QStringLiteral("1250")},
                                    {QStringLiteral("2000"), QStringLiteral("1000"),
                                     QStringLiteral("2")}};
const std::vector<Typed> kParts = {
    {QStringLiteral("800"), QStringLiteral("300"), QStringLiteral("4"), QStringLiteral("Etagère")},
    {QStringLiteral("1200"), QStringLiteral("400"), QStringLiteral("2"), QStringLiteral("Montant")},
    {QStringLiteral("600"), QStringLiteral("500"), QStringLiteral("1"), QStringLiteral("Fond")}};

class NewCommand : public MainWindowTest {
 protected:
  // ---- The forms, answered as a person would ------------------------------------------------

  void KindForm(int kind, bool accept = true, bool differentiated = false) {
    prompts.modals.push_back([this, kind, accept, differentiated](QDialog& d) {
      auto& form = dynamic_cast<TFSelDebit&>(d);
      Record(form);
      if (kind == 2) form.RbtnDebitComplexe->click();
      if (differentiated) form.CBoxMargesDiff->click();
      (accept ? form.btnOk : form.btnAnnul)->click();
      return form.result();
    });
  }

  void CriteriaForm(std::function<void(TFOptimisation&)> clicks) {
    prompts.modals.push_back([this, clicks](QDialog& d) {
      auto& form = dynamic_cast<TFOptimisation&>(d);
      Record(form);
      criteriaShown = {form.RbtnSurface->isChecked(), form.RbtnLongueur->isChecked(),
                       form.RbtnLargeur->isChecked(), form.RbtnPlusPetit->isChecked(),
                       form.RbtnPlusGrand->isChecked()};
      clicks(form);
      form.BtnOk->click();
      return form.result();
    });
  }

  void PanelForm(std::vector<Typed> panels, bool finish = true) {
    prompts.modals.push_back([this, panels, finish](QDialog& d) {
      auto& form = dynamic_cast<TSelPanneaux&>(d);
      Record(form);
      Activate(form);
      TypeRecords(form, form.ChbNbPanneaux, panels);
      Press(finish ? form.BtnTerminer : form.BtnAnnul);
      return form.result();
    });
  }

  // `finished` runs once the form has closed on Terminer.
  void PartForm(std::vector<Typed> parts, bool finish = true,
                std::function<void()> finished = {}) {
    prompts.modals.push_back([this, parts, finish, finished](QDialog& d) {
      auto& form = dynamic_cast<TSelPieces&>(d);
      Record(form);
      Activate(form);
      TypeRecords(form, form.ChbNbPieces, parts, [&form](const Typed& part) {
        if (part.designation.isEmpty()) return;
        form.EdtDesignation->setFocus();
        form.EdtDesignation->selectAll();
        form.EdtDesignation->insert(part.designation);
        QTest::keyClick(form.EdtDesignation, Qt::Key_Tab);
      });
      Press(finish ? form.BtnTerminer : form.BtnAnnul);
      if (finished) finished();
      return form.result();
    });
  }

  // The one-margin form: records the kerf it shows, types the margin when one is given.
  void MarginForm(QString margin = {}) {
    prompts.modals.push_back([this, margin](QDialog& d) {
      auto& form = dynamic_cast<TSelMarge&>(d);
      Record(form);
      kerfShown = form.EdtTraitScie->text();
      if (!margin.isEmpty()) {
        form.EdtMarge->setText(margin);
        form.EdtMarge->setModified(true);
      }
      form.BtnOk->click();
      return form.result();
    });
  }

  // The forms of a whole simple job, kinds and sizes as above, the margins as the options ask.
  void WholeJob(const std::vector<Typed>& panels = kPanels,
                const std::vector<Typed>& parts = kParts) {
    KindForm(1);
    PanelForm(panels);
    PartForm(parts);
    if (settings.AskMargins) MarginForm(QStringLiteral("3"));
  }

  // A record form of Modify (panels or parts): the first record's length typed, then Terminer;
  // no length only finishes.
  template <class Form>
  void FirstLengthThenFinish(QString length = {}) {
    prompts.modals.push_back([length](QDialog& d) {
      auto& form = dynamic_cast<Form&>(d);
      Activate(form);
      if (!length.isEmpty()) Enter(form.EdtLongueur, length);
      Press(form.BtnTerminer);
      return form.result();
    });
  }

  // The what-to-modify form: the boxes named are clicked (panels and parts start ticked).
  void ModifyChoice(std::vector<const char*> clicks) {
    prompts.modals.push_back([clicks](QDialog& d) {
      auto& form = dynamic_cast<TFSelMod&>(d);
      for (const char* name : clicks) form.findChild<QCheckBox*>(QString::fromLatin1(name))->click();
      form.BtnOk->click();
      return form.result();
    });
  }

  // ---- Helpers ---------------------------------------------------------------------------------

  void Record(QDialog& form) {
    formsShown << form.objectName();
    shownAt[form.objectName()] = form.pos();
  }
  static void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static void Choose(QComboBox* box, int item) {
    box->setCurrentIndex(item);
    Q_EMIT box->activated(item);
  }
  // Types the records into the panel or part form, each after the one before: the form's own
  // fields first (`typeOwn`), then the sizes, the grain and the count (unlocked by `countBox`).
  template <class Form>
  static void TypeRecords(Form& form, QCheckBox* countBox, const std::vector<Typed>& records,
                          const std::function<void(const Typed&)>& typeOwn = {}) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      const Typed& record = records[i];
      if (i > 0) AddRecord(form.BtnNouveau);
      if (typeOwn) typeOwn(record);
      Enter(form.EdtLongueur, record.length);
      Enter(form.EdtLargeur, record.width);
      if (record.grain >= 0) Choose(form.CbxSens, record.grain);
      if (record.count != QStringLiteral("1")) {
        if (!countBox->isChecked()) countBox->click();
        Enter(form.EdtNb, record.count);
      }
    }
  }
  // A new record after the one shown: once its sizes are typed, the new-record button is there.
  static void AddRecord(QPushButton* add) {
    ASSERT_TRUE(add->isEnabled());
    Press(add);
  }

  // Back to a window not yet started, for a test that starts it more than once.
  void Reset() {
    window.reset();
    prompts = ScriptedPrompts();
    formsShown.clear();
    job = JobState();
    settings = TestSettings();
  }

  // Writes the options and species files, so that the window reads them at its start.
  void StoreOptions() {
    SaveOptionsFile(dir.path(), settings);
    SaveSpeciesFile(dir.path(), settings);
  }

  void ExpectJobCommands(bool enabled) {
    for (const char* a : kJobActions) EXPECT_EQ(Find<QAction>(a)->isEnabled(), enabled) << a;
    for (const char* b : kJobButtons) EXPECT_EQ(Button(b)->isEnabled(), enabled) << b;
  }
  // After a layout that failed: the entries can be modified, saved and deleted, nothing shown.
  void ExpectEntryCommandsOnly() {
    for (const char* a : {"Enregistrer", "Enre", "Modifier", "Supprimer"})
      EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
    EXPECT_TRUE(Button("BtnEnre")->isEnabled());
    for (const char* a : {"Imprimer", "Exporter", "Recap"})
      EXPECT_FALSE(Find<QAction>(a)->isEnabled()) << a;
    for (const char* b : {"SBtnPanneaux", "SBtnPieces", "SBtnFiche", "SBtnModeAffPanneaux",
                          "BtnImpression", "SBtnRecap"})
      EXPECT_FALSE(Button(b)->isEnabled()) << b;
    EXPECT_EQ(Counter(), QString());
    EXPECT_TRUE(job.PanelPages.empty());
  }
  void ExpectSoundLayout() {
    const std::vector<std::string> faults =
        CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins);
    EXPECT_TRUE(faults.empty()) << DescribeFaults(faults);
  }

  QStringList formsShown;
  std::map<QString, QPoint> shownAt;
  std::vector<bool> criteriaShown;
  QString kerfShown;
};

// ---- The flag table: what is asked, saved, kept or emptied ----------------------------------

enum class Before {
  Nothing,           // the window just started
  SavedJob,          // a job opened and not changed
  ModifiedWithFile,  // a job opened, then changed
  ModifiedUntitled,  // a job entered and never saved
  UnwritableFile,    // a changed job whose file is now a folder
};
enum class Outcome {
  LaidOut,  // the new job is laid out and shown
  Kept,     // the job on screen stays as it was, still modified
  Emptied,  // the new job was abandoned once the old one was gone
};

struct NewCase {
  const char* name;
  Before before;
  std::vector<PromptAnswer> answers;         // at the save prompt
  std::optional<QString> saveDialog;         // asked for an untitled job: a name, or cancelled
  int cancelAt;                              // 0 none, 1 kind, 2 panels, 3 parts form
  std::vector<int> notices;                  // language texts, in order
  bool savedFirst;                           // the job on screen was written
  Outcome outcome;
};
void PrintTo(const NewCase& c, std::ostream* os) { *os << c.name; }

class NewFlagTable : public NewCommand, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewFlagTable, AsksSavesAndEndsAsThePartSays) {
  const NewCase& c = GetParam();
  settings.AskMargins = 0;  // the margins have their own test
  StoreOptions();
  const QString file = WriteJob("atelier.deb", GoodJob());
  const std::string fileBefore = ReadBytes(file.toStdString());
  if (c.before == Before::Nothing) {
    Start();
  } else {
    Start(file);
    ASSERT_EQ(job.JobLoaded, 1);
  }
  if (c.before != Before::Nothing && c.before != Before::SavedJob) {
    job.JobModified = 1;
    job.JobKerf = 55;  // a change the saved file shows
  }
  if (c.before == Before::ModifiedUntitled) {
    job.JobUntitled = 1;
    job.JobPath.clear();
  }
  if (c.before == Before::UnwritableFile) {
    std::filesystem::create_directories(JobDir() / "dossier.deb");
    job.JobPath = (JobDir() / "dossier.deb").string();
  }
  const JobState before = job;
  const QString captionBefore = window->windowTitle();
  const QString saveAsPath = QString::fromStdString((JobDir() / "sauve.deb").string());

  prompts.answers.assign(c.answers.begin(), c.answers.end());
  if (c.saveDialog) prompts.files.push_back(c.saveDialog->isEmpty() ? std::optional<QString>()
                                                                      : saveAsPath);
  if (c.outcome != Outcome::Kept) {
    KindForm(1, c.cancelAt != 1);
    if (c.cancelAt == 0 || c.cancelAt >= 2) PanelForm(kPanels, c.cancelAt != 2);
    if (c.cancelAt == 0 || c.cancelAt >= 3) PartForm(kParts, c.cancelAt != 3);
  }
  Trigger("Nouveau");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_FALSE(window->Busy());

  // The prompt only for a modified job, with the job's name; the save dialog only when untitled.
  const bool modified = before.JobModified != 0;
  const auto asks = prompts.Of(Kind::Ask);
  ASSERT_EQ(asks.size(), modified ? 1u : 0u);
  if (modified) {
    EXPECT_EQ(asks[0].text, LanguageText(101) + QStringLiteral(" 'atelier.deb' ?"));
    EXPECT_EQ(asks[0].buttons, PromptButtons::YesNoCancel);
  }
  EXPECT_EQ(prompts.Of(Kind::SaveFile).size(), c.saveDialog ? 1u : 0u);
  QStringList notices;
  for (const auto& n : prompts.Of(Kind::Notice)) {
    notices << n.text.section(QLatin1Char('\n'), 0, 0);
    EXPECT_EQ(n.caption, QStringLiteral("Tranchex"));
  }
  QStringList expected;
  for (int id : c.notices) expected << LanguageText(id);
  EXPECT_EQ(notices, expected);

  // What was written first.
  if (c.savedFirst) {
    const std::filesystem::path written =
        c.saveDialog ? saveAsPath.toStdString() : file.toStdString();
    JobState reread;
    LoadJobFile(reread, written);
    EXPECT_EQ(reread.JobKerf, 55);
  } else {
    EXPECT_EQ(ReadBytes(file.toStdString()), fileBefore);
    EXPECT_FALSE(std::filesystem::exists(saveAsPath.toStdString()));
  }

  switch (c.outcome) {
    case Outcome::LaidOut:
      EXPECT_EQ(formsShown, (QStringList{QStringLiteral("FSelDebit"), QStringLiteral("SelPanneaux"),
                                         QStringLiteral("SelPieces")}));
      EXPECT_EQ(job.JobLoaded, 1);
      EXPECT_EQ(job.JobUntitled, 1);
      EXPECT_EQ(job.JobModified, 1);
      EXPECT_EQ(job.JobName, "NouveauDebit.deb");
      EXPECT_EQ(job.JobPath, "");
      EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex"));
      ASSERT_EQ(job.JobPanels.size(), 2u);
      ASSERT_EQ(job.JobParts.size(), 3u);
      EXPECT_EQ(job.JobDesignations,
                (std::vector<std::string>{"Etagère", "Montant", "Fond"}));
      ExpectJobCommands(true);
      EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
      EXPECT_EQ(window->ViewMode, kPanelsView);
      ExpectSoundLayout();
      break;
    case Outcome::Kept:
      EXPECT_TRUE(formsShown.isEmpty());
      EXPECT_EQ(job.JobLoaded, 1);
      EXPECT_EQ(job.JobModified, before.JobModified);
      EXPECT_EQ(job.JobUntitled, before.JobUntitled);
      EXPECT_EQ(job.JobName, before.JobName);
      EXPECT_EQ(job.JobPath, before.JobPath);
      EXPECT_EQ(job.JobKerf, 55);
      EXPECT_EQ(job.JobParts.size(), before.JobParts.size());
      EXPECT_EQ(job.ResultPanels.size(), before.ResultPanels.size());
      EXPECT_EQ(window->windowTitle(), captionBefore);
      ExpectJobCommands(true);
      break;
    case Outcome::Emptied:
      EXPECT_EQ(job.JobLoaded, 0);
      EXPECT_EQ(job.JobModified, 0);
      EXPECT_EQ(job.JobUntitled, 1);
      EXPECT_EQ(job.JobPath, "");
      EXPECT_EQ(job.JobName, "NouveauDebit.deb");
      EXPECT_TRUE(job.JobPanels.empty());
      EXPECT_TRUE(job.JobParts.empty());
      EXPECT_TRUE(job.JobDesignations.empty());
      EXPECT_TRUE(job.ResultPanels.empty());
      EXPECT_TRUE(job.PanelPages.empty());
      EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex"));
      EXPECT_EQ(window->ViewMode, kPanelsView);
      EXPECT_EQ(Counter(), QString());
      ExpectJobCommands(false);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    New, NewFlagTable,
    ::testing::Values(
        NewCase{"NothingBefore", Before::Nothing, {}, std::nullopt, 0, {}, false,
                Outcome::LaidOut},
        NewCase{"UnmodifiedJobNoPrompt", Before::SavedJob, {}, std::nullopt, 0, {}, false,
                Outcome::LaidOut},
        NewCase{"YesSavesToItsFileWithoutADialog", Before::ModifiedWithFile,
                {PromptAnswer::Yes}, std::nullopt, 0, {}, true, Outcome::LaidOut},
        NewCase{"YesUntitledAsksAName", Before::ModifiedUntitled, {PromptAnswer::Yes},
                QStringLiteral("sauve.deb"), 0, {}, true, Outcome::LaidOut},
        NewCase{"YesUntitledThenCancelKeepsTheJob", Before::ModifiedUntitled,
                {PromptAnswer::Yes}, QString(), 0, {104}, false, Outcome::Kept},
        NewCase{"NoSaysNotSaved", Before::ModifiedWithFile, {PromptAnswer::No}, std::nullopt,
                0, {102}, false, Outcome::LaidOut},
        NewCase{"CancelKeepsTheJob", Before::ModifiedWithFile, {PromptAnswer::Cancel},
                std::nullopt, 0, {104}, false, Outcome::Kept},
        NewCase{"SaveFailureKeepsTheJob", Before::UnwritableFile, {PromptAnswer::Yes},
                std::nullopt, 0, {102}, false, Outcome::Kept},
        NewCase{"KindCancelled", Before::SavedJob, {}, std::nullopt, 1, {104}, false,
                Outcome::Emptied},
        NewCase{"PanelsCancelledAfterNo", Before::ModifiedWithFile, {PromptAnswer::No},
                std::nullopt, 2, {102, 104}, false, Outcome::Emptied},
        NewCase{"PartsCancelled", Before::Nothing, {}, std::nullopt, 3, {104}, false,
                Outcome::Emptied}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The criteria and margins, as the options ask -------------------------------------------

// With the option set the criteria form comes after the kind, placed 14 px below the window's
// top (the kind, panel and part forms at its top), and its values go into the job; without it
// the job keeps the criteria it had.
TEST_F(NewCommand, TheCriteriaFormAppearsOnlyWhenTheOptionsAskForIt) {
  for (const bool ask : {false, true}) {
    SCOPED_TRACE(ask ? "asked" : "not asked");
    Reset();
    settings.AskOptimisationCriteria = ask ? 1 : 0;
    settings.AskMargins = 1;
    StoreOptions();
    Start();
    job.Engine.OptimisationCriterion = CriterionLength;  // left by an earlier job
    job.Engine.NewPanelChoice = ChooseLargestPanel;
    KindForm(1);
    if (ask) {
      CriteriaForm([](TFOptimisation& form) {
        form.RbtnLargeur->click();
        form.RbtnPlusPetit->click();
      });
    }
    PanelForm(kPanels);
    PartForm(kParts);
    MarginForm();
    Trigger("Nouveau");
    EXPECT_TRUE(prompts.Exhausted());
    ASSERT_EQ(job.JobLoaded, 1);
    if (ask) {
      EXPECT_EQ(formsShown,
                (QStringList{QStringLiteral("FSelDebit"), QStringLiteral("FOptimisation"),
                             QStringLiteral("SelPanneaux"), QStringLiteral("SelPieces"),
                             QStringLiteral("SelMarge")}));
      // It showed the job's criteria: by length, the largest panel.
      EXPECT_EQ(criteriaShown, (std::vector<bool>{false, true, false, false, true}));
      EXPECT_EQ(job.Engine.OptimisationCriterion, CriterionWidth);
      EXPECT_EQ(job.Engine.NewPanelChoice, ChooseSmallestPanel);
      EXPECT_EQ(shownAt[QStringLiteral("FOptimisation")].y(), window->y() + 14);
    } else {
      EXPECT_EQ(formsShown,
                (QStringList{QStringLiteral("FSelDebit"), QStringLiteral("SelPanneaux"),
                             QStringLiteral("SelPieces"), QStringLiteral("SelMarge")}));
      EXPECT_EQ(job.Engine.OptimisationCriterion, CriterionLength);
      EXPECT_EQ(job.Engine.NewPanelChoice, ChooseLargestPanel);
    }
    for (const char* top : {"FSelDebit", "SelPanneaux", "SelPieces"}) {
      EXPECT_EQ(shownAt[QString::fromLatin1(top)].y(), window->y()) << top;
    }
    EXPECT_EQ(shownAt[QStringLiteral("SelMarge")].y(), window->y() + 14);
    ExpectSoundLayout();
  }
}

// Margins asked: the form proposes the options' kerf, not the previous job's, and what is typed
// is cut. Not asked: no margins at all, no planing allowance, the kerf and the differentiated
// flag kept.
TEST_F(NewCommand, TheMarginsAreAskedOrZero) {
  for (const bool ask : {true, false}) {
    SCOPED_TRACE(ask ? "asked" : "not asked");
    Reset();
    settings.AskMargins = ask ? 1 : 0;
    settings.DefaultKerf = 40;
    StoreOptions();
    Start(WriteJob("avant.deb", GoodJob()));  // kerf 3 mm
    ASSERT_EQ(job.JobKerf, 30);
    job.JobMargins.LengthMargin = 70.0;
    job.JobMargins.ThicknessMargin = 20.0;
    if (ask) {
      WholeJob();
    } else {
      // A complex job with differentiated margins; its planing flag set by the kind form.
      KindForm(2, true, true);
      PanelForm(kPanels);
      PartForm(kParts);
    }
    Trigger("Nouveau");
    EXPECT_TRUE(prompts.Exhausted());
    ASSERT_EQ(job.JobLoaded, 1);
    if (ask) {
      EXPECT_EQ(kerfShown, QStringLiteral("4"));
      EXPECT_EQ(job.JobKerf, 40);
      EXPECT_EQ(job.JobMargins.LengthMargin, 30.0);
      EXPECT_EQ(job.JobMargins.WidthMargin, 30.0);
    } else {
      EXPECT_FALSE(formsShown.contains(QStringLiteral("SelMarge")));
      EXPECT_FALSE(formsShown.contains(QStringLiteral("SelMargesMultiples")));
      EXPECT_EQ(job.JobKerf, 30);
      EXPECT_EQ(job.JobMargins.LengthMargin, 0.0);
      EXPECT_EQ(job.JobMargins.WidthMargin, 0.0);
      EXPECT_EQ(job.JobMargins.ThicknessMargin, 0.0);
      EXPECT_EQ(job.JobMargins.ThickerStockAllowed, 0);
      EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 1);
      EXPECT_EQ(job.JobKind, 2);
    }
    ExpectSoundLayout();
  }
}

// Delete leaves nothing to save: New asks nothing.
TEST_F(NewCommand, DeleteThenNewAsksNothing) {
  settings.AskMargins = 0;
  StoreOptions();
  Start(WriteJob("atelier.deb", GoodJob()));
  job.JobModified = 1;
  prompts.answers = {PromptAnswer::Yes};
  Trigger("Supprimer");
  ASSERT_EQ(prompts.Of(Kind::Ask).size(), 1u);
  WholeJob();
  Click("BtnNouveau");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(prompts.Of(Kind::Ask).size(), 1u) << "only Delete's question";
  EXPECT_EQ(job.JobLoaded, 1);
  ExpectSoundLayout();
}

// A species added in the part form is on disk at once, even when New is then cancelled: saved
// jobs name species by their place in the list.
TEST_F(NewCommand, ASpeciesAddedInACancelledNewIsStillWrittenOut) {
  settings.AskMargins = 0;
  StoreOptions();
  Start();
  KindForm(2);
  PanelForm(kPanels);
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Activate(form);
    EnterInBox(form.CbxEssence, QStringLiteral("Noyer"));
    Press(form.BtnAnnul);
    return form.result();
  });
  prompts.answers = {PromptAnswer::Yes};  // add the species
  Trigger("Nouveau");
  EXPECT_TRUE(prompts.Exhausted());
  // (The part itself keeps a species some panel has: the form says so first.)
  ASSERT_FALSE(prompts.NoticeTexts().isEmpty());
  EXPECT_EQ(prompts.NoticeTexts().back(), LanguageText(104));
  EXPECT_EQ(settings.SpeciesNames.back(), "Noyer");
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_TRUE(job.JobParts.empty());
}

// ---- A job that cannot be laid out ------------------------------------------------------------

// A stock panel of 2500 x 1250 mm whose grain runs across, and a part of 2000 x 300 mm whose
// grain runs along: the part may not turn and the panel is not wide enough. A file holds it
// (written by hand, or by an older version).
JobState UnplaceableContent() {
  JobState content = JobBuilder().kind(1).panel(25000, 12500, 1, GrainVertical)
                         .part(20000, 3000, 1, GrainHorizontal).build();
  content.JobDesignations = {"Traverse"};
  return content;
}

enum class Variant { New, Open, CommandLine };
struct UnplaceableCase {
  const char* name;
  Variant variant;
};
void PrintTo(const UnplaceableCase& c, std::ostream* os) { *os << c.name; }

class UnplaceableJob : public NewCommand,
                       public ::testing::WithParamInterface<UnplaceableCase> {};

// The entries, name and flags stay, the reason names the part after text 103 (the file itself
// was read: no text 126), nothing is drawn, and the job can be saved and corrected: Modify
// lays it out once the part is shortened.
TEST_P(UnplaceableJob, IsKeptToBeCorrectedOrSaved) {
  const UnplaceableCase& c = GetParam();
  settings.AskMargins = 0;
  StoreOptions();
  const QString file = WriteJob("traverse.deb", UnplaceableContent());
  switch (c.variant) {
    case Variant::New:
      Start(WriteJob("avant.deb", GoodJob()));  // a job with a file is on screen first
      // The forms refuse such a part as it is typed; the pipeline is the last guard should
      // they and the engine ever read the rules apart. Here the part grows once the form closed.
      KindForm(1);
      PanelForm({{QStringLiteral("2500"), QStringLiteral("1250")}});
      PartForm({{QStringLiteral("900"), QStringLiteral("300"), QStringLiteral("1"),
                 QStringLiteral("Traverse")}},
               true, [this] {
                 job.JobParts[0].Length = 20000.0;
                 job.JobParts[0].Grain = GrainHorizontal;
                 job.JobPanels[0].Grain = GrainVertical;
                 PanelFromDimensions(job.JobParts[0]);
               });
      Trigger("Nouveau");
      break;
    case Variant::Open:
      Start(WriteJob("avant.deb", GoodJob()));
      OpenByDialog(file);
      break;
    case Variant::CommandLine:
      Start(file);
      break;
  }
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_FALSE(window->Busy());

  const auto notices = prompts.Of(Kind::Notice);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].text.section(QLatin1Char('\n'), 0, 0), LanguageText(103));
  EXPECT_TRUE(notices[0].text.section(QLatin1Char('\n'), 1).contains(
      QStringLiteral("pièce n° 1 « Traverse »")))
      << notices[0].text.toStdString();
  EXPECT_EQ(notices[0].icon, PromptIcon::Exclamation);

  EXPECT_EQ(job.JobLoaded, 0);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  ASSERT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobParts[0].Length, 20000.0);
  EXPECT_EQ(job.JobDesignations, std::vector<std::string>{"Traverse"});
  if (c.variant == Variant::New) {
    // Typed and never saved: named as new, with no file Save could overwrite.
    EXPECT_EQ(job.JobName, "NouveauDebit.deb");
    EXPECT_EQ(job.JobPath, "");
    EXPECT_EQ(job.JobUntitled, 1);
    EXPECT_EQ(job.JobModified, 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex"));
  } else {
    EXPECT_EQ(job.JobName, "traverse.deb");
    EXPECT_EQ(job.JobPath, file.toStdString());
    EXPECT_EQ(job.JobUntitled, 0);
    EXPECT_EQ(job.JobModified, 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex - traverse.deb"));
  }
  ExpectEntryCommandsOnly();
  (void)window->View->grab();  // paints nothing, fails nothing

  // Saved as it stands: a new job asks for a name, an opened one goes back to its file.
  const QString saved = QString::fromStdString((JobDir() / "saisie.deb").string());
  if (c.variant == Variant::New) prompts.files.push_back(saved);
  Click("BtnEnre");
  EXPECT_TRUE(prompts.Exhausted());
  JobState reread;
  LoadJobFile(reread, c.variant == Variant::New ? saved.toStdString() : file.toStdString());
  ASSERT_EQ(reread.JobParts.size(), 1u);
  EXPECT_EQ(reread.JobParts[0].Length, 20000.0);
  EXPECT_EQ(job.JobModified, 0);

  // Corrected: the part shortened to 900 mm in Modify, then laid out with every command.
  ModifyChoice({"ChbModifPanneaux"});  // the parts only
  FirstLengthThenFinish<TSelPieces>(QStringLiteral("900"));
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobParts[0].Length, 9000.0);
  ExpectJobCommands(true);
  ExpectSoundLayout();
}

INSTANTIATE_TEST_SUITE_P(New, UnplaceableJob,
                         ::testing::Values(UnplaceableCase{"New", Variant::New},
                                           UnplaceableCase{"Open", Variant::Open},
                                           UnplaceableCase{"CommandLine", Variant::CommandLine}),
                         [](const auto& info) { return std::string(info.param.name); });

// A Modify that fails on a job that was never laid out keeps what was entered: the entries, the
// criteria chosen (so the job is to be saved), the entry commands only. (The panel and part
// forms refuse a record no panel takes; the criteria alone change nothing the layout needs.)
TEST_F(NewCommand, AFailedModifyOfAnUnplacedJobKeepsItsEntries) {
  settings.AskMargins = 0;
  settings.AskOptimisationCriteria = 1;
  StoreOptions();
  Start(WriteJob("traverse.deb", UnplaceableContent()));
  ASSERT_EQ(job.JobLoaded, 0);
  ModifyChoice({"ChbModifPieces", "ChbModifPanneaux", "ChkBoxCriteresOptimisation"});
  CriteriaForm([](TFOptimisation& form) { form.RbtnLargeur->click(); });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  const QStringList notices = prompts.NoticeTexts();
  ASSERT_EQ(notices.size(), 2);  // the open's and the modification's
  EXPECT_TRUE(notices[1].startsWith(LanguageText(103) + QStringLiteral("\n")));
  EXPECT_EQ(job.JobLoaded, 0);
  ASSERT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobParts[0].Length, 20000.0);
  EXPECT_EQ(job.JobModified, 1);
  ExpectEntryCommandsOnly();
}

// ---- Every part typed names itself ------------------------------------------------------------

// The parts of a New point at their own designations: the parts view names each by its own, and
// the file saved holds the same.
TEST_F(NewCommand, EveryPartTypedNamesItselfInThePartsViewAndTheFile) {
  StoreOptions();
  Start();
  WholeJob();
  Click("BtnNouveau");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.JobParts.size(), 3u);
  ASSERT_EQ(job.JobDesignations,
            (std::vector<std::string>{"Etagère", "Montant", "Fond"}));
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(job.JobParts[i].DesignationIndex, static_cast<int>(i));

  // Page by page, the parts view names the part shown.
  Click("SBtnPieces");
  std::vector<std::string> named;
  for (int page = 0; page < 3; ++page) {
    if (page > 0) Click("BtnSuivant");
    RecordingCanvas canvas({window->View->width(), window->View->height()});
    window->PaintView(canvas, window->View->width(), window->View->height());
    for (const CanvasCall& c : canvas.Calls()) {
      if (c.kind == CanvasCallKind::TextOut && c.text.rfind("Pièce : ", 0) == 0)
        named.push_back(c.text);
    }
  }
  std::sort(named.begin(), named.end());
  EXPECT_EQ(named,
            (std::vector<std::string>{"Pièce : Etagère", "Pièce : Fond", "Pièce : Montant"}));

  const QString path = QString::fromStdString((JobDir() / "cuisine.deb").string());
  prompts.files.push_back(path);
  Trigger("Enregistrer");
  JobState reread;
  LoadJobFile(reread, path.toStdString());
  ASSERT_EQ(reread.JobParts.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(reread.JobParts[i].DesignationIndex, static_cast<int>(i));
}

// New without the margins asked: an 18 mm part the part form took on 22 mm stock, since the kind
// form allowed thicker stock, is laid out on it.
TEST_F(NewCommand, ThickerStockAllowedByTheKindFormStaysWhenTheMarginsAreNotAsked) {
  settings.AskMargins = 0;
  StoreOptions();
  Start();
  prompts.modals.push_back([this](QDialog& d) {
    auto& form = dynamic_cast<TFSelDebit&>(d);
    Record(form);
    form.RbtnDebitComplexe->click();
    form.CBoxMargesDiff->click();  // differentiated margins, planed stock allowed
    form.CBoxEpaisseur->click();
    form.btnOk->click();
    return form.result();
  });
  prompts.modals.push_back([this](QDialog& d) {
    auto& form = dynamic_cast<TSelPanneaux&>(d);
    Record(form);
    Activate(form);
    Enter(form.EdtLongueur, QStringLiteral("2500"));
    Enter(form.EdtLargeur, QStringLiteral("1250"));
    Enter(form.EdtEpaisseur, QStringLiteral("22"));
    Press(form.BtnTerminer);
    return form.result();
  });
  prompts.modals.push_back([this](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Record(form);
    Activate(form);
    Enter(form.EdtLongueur, QStringLiteral("800"));
    Enter(form.EdtLargeur, QStringLiteral("300"));
    EXPECT_TRUE(form.EdtEpaisseur->isEnabled());
    Enter(form.EdtEpaisseur, QStringLiteral("18"));
    Press(form.BtnTerminer);
    return form.result();
  });
  Trigger("Nouveau");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty())
      << prompts.NoticeTexts().join(QLatin1Char('|')).toStdString();
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobMargins.ThickerStockAllowed, 1);
  ASSERT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobParts[0].Thickness, 180.0);
  EXPECT_EQ(job.JobPanels[0].Thickness, 220.0);
  ExpectSoundLayout();
}

// ---- From nothing to a job saved, reopened and modified -------------------------------------

TEST_F(NewCommand, AJobEnteredIsLaidOutSavedReopenedAndModified) {
  StoreOptions();  // margins asked
  Start();
  WholeJob();
  Click("BtnNouveau");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobMargins.LengthMargin, 30.0);
  ASSERT_EQ(job.JobPanels.size(), 2u);
  EXPECT_EQ(job.JobPanels[0].Length, 25000.0);
  EXPECT_EQ(job.JobPanels[0].Width, 12500.0);
  EXPECT_EQ(job.JobPanels[1].Quantity, 2);
  ASSERT_EQ(job.JobParts.size(), 3u);
  EXPECT_EQ(job.JobParts[0].Quantity, 4);
  EXPECT_EQ(job.JobParts[1].Length, 12000.0);
  EXPECT_EQ(job.JobParts[1].Width, 4000.0);
  EXPECT_TRUE(PartNumbersArePositions(job.JobParts));
  ExpectSoundLayout();
  const PartList entered = job.JobParts;
  const std::vector<std::string> designations = job.JobDesignations;

  // Saved: the name is asked, then it names the job.
  const QString path = QString::fromStdString((JobDir() / "etageres.deb").string());
  prompts.files.push_back(path);
  Trigger("Enregistrer");
  EXPECT_EQ(prompts.Of(Kind::SaveFile).size(), 1u);
  EXPECT_EQ(job.JobName, "etageres.deb");
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex - etageres.deb"));

  // Deleted, then reopened: the same entries, laid out again.
  prompts.answers.push_back(PromptAnswer::Yes);
  Trigger("Supprimer");
  ASSERT_TRUE(job.JobParts.empty());
  OpenByDialog(path);
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.JobParts.size(), entered.size());
  for (std::size_t i = 0; i < entered.size(); ++i) {
    EXPECT_EQ(job.JobParts[i].Length, entered[i].Length) << i;
    EXPECT_EQ(job.JobParts[i].Width, entered[i].Width) << i;
    EXPECT_EQ(job.JobParts[i].Quantity, entered[i].Quantity) << i;
  }
  EXPECT_EQ(job.JobDesignations, designations);
  EXPECT_EQ(job.JobMargins.LengthMargin, 30.0);
  ExpectSoundLayout();

  // Modified: the first panel shortened to 2200 mm, laid out again.
  ModifyChoice({"ChbModifPieces"});  // the panels only
  FirstLengthThenFinish<TSelPanneaux>(QStringLiteral("2200"));
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobPanels[0].Length, 22000.0);
  for (const Panneau_p& panel : job.ResultPanels) {
    if (panel.EntryIndex == 0) {
      EXPECT_EQ(panel.Length, 22000.0);
    }
  }
  ExpectSoundLayout();
}

}  // namespace
}  // namespace tranchex::test
