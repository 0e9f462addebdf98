// The main window's job life cycle: start-up with and without a job on the command line, open,
// save, save as, the recent jobs and their menu, and closing.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <ostream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/UGestEssence.h"
#include "job/ListLookup.h"
#include "job/PageLists.h"
#include "shell/MainWindowFixture.h"
#include "job/RecentJobs.h"
#include "job/SettingsFiles.h"
#include "platform/FileIO.h"
#include "support/Fifo.h"
#include "support/FullDisk.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

QString Caption(const char* name) { return QStringLiteral("Tranchex - ") + QString::fromUtf8(name); }

// A job file that cannot be read gives one box: text 126, then on its own line why.
void ExpectOpenError(const ScriptedPrompts& prompts, const char* reason = nullptr) {
  const QStringList notices = prompts.NoticeTexts();
  ASSERT_EQ(notices.size(), 1) << notices.join(QStringLiteral(" | ")).toStdString();
  const QStringList lines = notices[0].split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 2) << notices[0].toStdString();
  EXPECT_EQ(lines[0], LanguageText(126));
  EXPECT_FALSE(lines[1].trimmed().isEmpty());
  if (reason) {
    EXPECT_TRUE(notices[0].contains(QString::fromUtf8(reason))) << notices[0].toStdString();
  }
}

// The bytes of a good job file with the part count of the tagged form (at offset 48) replaced.
std::string WithPartCount(const QString& path, std::int32_t count) {
  std::string bytes = ReadFileBytes(path.toStdString(), 1 << 20);
  for (int i = 0; i < 4; ++i) {
    bytes[48 + static_cast<std::size_t>(i)] =
        static_cast<char>((static_cast<std::uint32_t>(count) >> (8 * i)) & 0xFF);
  }
  return bytes;
}

// ---- Start-up ---------------------------------------------------------------------------------

TEST_F(MainWindowTest, StartsWithoutAJob) {
  Start();
  EXPECT_TRUE(window->Activated());
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_EQ(Counter(), QString());
  EXPECT_EQ(NavigationState(), "00000");
  EXPECT_FALSE(Find<QAction>("Enregistrer")->isEnabled());
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_GE(window->Measures.SheetRowsPerPage, 1u);
  EXPECT_GT(window->Measures.AreaWidth, 0);
}

struct CommandLineCase {
  const char* name;
  int content;  // 0 good job, 1 missing file, 2 corrupt bytes
  bool opens;
};
void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }

class CommandLineStart : public MainWindowTest,
                         public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineStart, OpensTheNamedJobOrSaysItCannot) {
  const CommandLineCase& c = GetParam();
  QString path = QString::fromStdString((JobDir() / "ligne.deb").string());
  if (c.content == 0) path = WriteJob("ligne.deb", GoodJob());
  if (c.content == 2) {
    std::filesystem::create_directories(JobDir());
    WriteBytes(path.toStdString(), "pas un débit");
  }
  Start(path);

  if (c.opens) {
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(job.JobLoaded, 1);
    EXPECT_EQ(job.JobModified, 0);
    EXPECT_EQ(job.JobUntitled, 0);
    EXPECT_EQ(window->windowTitle(), Caption("ligne.deb"));
    EXPECT_EQ(window->ViewMode, kPanelsView);
    EXPECT_EQ(Counter(), QStringLiteral("1\\%1").arg(CountDisplayedPanels(job.PanelPages)));
    EXPECT_TRUE(Find<QAction>("Enregistrer")->isEnabled());
    EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
  } else {
    ExpectOpenError(prompts);
    EXPECT_EQ(job.JobLoaded, 0);
    EXPECT_TRUE(job.ResultPanels.empty());
    EXPECT_TRUE(job.PanelPages.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex"));
    EXPECT_EQ(Counter(), QString());
    EXPECT_FALSE(Find<QAction>("Enregistrer")->isEnabled());
    EXPECT_FALSE(Button("SBtnPanneaux")->isEnabled());
  }
  EXPECT_FALSE(window->Busy());
}

INSTANTIATE_TEST_SUITE_P(Files, CommandLineStart,
                         ::testing::Values(CommandLineCase{"Good", 0, true},
                                           CommandLineCase{"Missing", 1, false},
                                           CommandLineCase{"Corrupt", 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The first showing loads everything once; showing the window again changes nothing.
TEST_F(MainWindowTest, StartUpRunsOnceAndBuildsTheRecentMenu) {
  RecentJobList recent;
  recent[0] = {"/x/a.deb", "a.deb"};
  recent[2] = {"/x/c.deb", "c.deb"};
  WriteRecentJobsFile(RecentJobsFilePath(dir.path()), recent);
  Settings stored;
  stored.SpeciesNames = {"Frêne", "Orme"};
  SaveSpeciesFile(dir.path(), stored);
  Start();
  EXPECT_EQ(RecentItems(), (QStringList{QStringLiteral("a.deb"), QStringLiteral("c.deb")}));
  EXPECT_EQ(SeparatorsAfterQuitter(), 1);
  EXPECT_EQ(settings.SpeciesNames, stored.SpeciesNames);

  settings.SpeciesNames.push_back("Noyer");  // an edit a second loading would lose
  window->hide();
  window->show();
  prompts.modals.push_back([](QDialog& d) { return d.result(); });
  window->SBtnModeAffPanneauxClick();
  EXPECT_EQ(RecentItems(), (QStringList{QStringLiteral("a.deb"), QStringLiteral("c.deb")}));
  EXPECT_EQ(settings.SpeciesNames.back(), "Noyer");
}

struct RecentMenuCase {
  const char* name;
  std::vector<int> filled;  // indexes of the entries with a name
  QStringList items;
};
void PrintTo(const RecentMenuCase& c, std::ostream* os) { *os << c.name; }

class RecentMenuAtStart : public MainWindowTest,
                          public ::testing::WithParamInterface<RecentMenuCase> {};

TEST_P(RecentMenuAtStart, ListsTheTakenEntriesWhenTheFirstIsTaken) {
  const RecentMenuCase& c = GetParam();
  RecentJobList recent;
  for (int i : c.filled) {
    const std::string name = std::string(1, static_cast<char>('a' + i)) + ".deb";
    recent[static_cast<std::size_t>(i)] = {"/x/" + name, name};
  }
  WriteRecentJobsFile(RecentJobsFilePath(dir.path()), recent);
  Start();
  EXPECT_EQ(RecentItems(), c.items);
  EXPECT_EQ(SeparatorsAfterQuitter(), c.items.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RecentMenuAtStart,
    ::testing::Values(RecentMenuCase{"Empty", {}, {}},
                      RecentMenuCase{"FirstFree", {1, 2}, {}},
                      RecentMenuCase{"All",
                                     {0, 1, 2, 3, 4},
                                     {QStringLiteral("a.deb"), QStringLiteral("b.deb"),
                                      QStringLiteral("c.deb"), QStringLiteral("d.deb"),
                                      QStringLiteral("e.deb")}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Open -------------------------------------------------------------------------------------

struct OpenCase {
  const char* name;
  int content;  // 0 good job, 1 missing file, 2 corrupt bytes, 3 over the part bound, 4 a FIFO
  const char* reason = nullptr;  // what the box must say after text 126
};
void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class OpenFile : public MainWindowTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenFile, ShowsTheJobOrEmptiesIt) {
  const OpenCase& c = GetParam();
  // A job is shown first, so a failure has something to empty.
  Start(WriteJob("avant.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  Click("SBtnPieces");

  QString path = QString::fromStdString((JobDir() / "ouvert.deb").string());
  if (c.content == 0) path = WriteJob("ouvert.deb", GoodJob());
  if (c.content == 2) WriteBytes(path.toStdString(), std::string(300, '\x07'));
  if (c.content == 3) {
    const QString good = WriteJob("bon.deb", GoodJob());
    WriteBytes(path.toStdString(), WithPartCount(good, 10001));
  }
  // A FIFO in place of the file: refused at once, never waited on.
  std::optional<Fifo> fifo;
  if (c.content == 4) {
    fifo.emplace(path.toStdString(), ReadFileBytes(WriteJob("bon.deb", GoodJob()).toStdString(), 1 << 20));
    ASSERT_TRUE(fifo->made());
  }
  OpenByDialog(path);

  const auto opened = prompts.Of(Kind::OpenFile);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].folder, QString::fromStdString(JobDir().string()));
  EXPECT_EQ(job.JobPath, path.toStdString());
  EXPECT_EQ(job.JobName, "ouvert.deb");
  EXPECT_FALSE(window->Busy());
  EXPECT_EQ(window->ViewMode, kPanelsView);
  if (c.content == 0) {
    EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
    EXPECT_EQ(job.JobLoaded, 1);
    EXPECT_EQ(window->windowTitle(), Caption("ouvert.deb"));
    EXPECT_EQ(window->CurrentPage, 0);
    EXPECT_TRUE(Find<QAction>("Enre")->isEnabled());
    EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
    EXPECT_FALSE(Button("SBtnPieces")->isChecked()) << "the view buttons act as a group";
  } else {
    ExpectOpenError(prompts, c.reason);
    EXPECT_EQ(job.JobLoaded, 0);
    EXPECT_TRUE(job.JobParts.empty());
    EXPECT_TRUE(job.JobPanels.empty());
    EXPECT_TRUE(job.ResultPanels.empty());
    EXPECT_TRUE(job.PanelPages.empty());
    EXPECT_EQ(Counter(), QString());
    EXPECT_FALSE(Find<QAction>("Enre")->isEnabled());
    EXPECT_FALSE(Button("SBtnPieces")->isEnabled());
    EXPECT_FALSE(Button("SBtnPieces")->isChecked());
    (void)window->View->grab();
  }
  EXPECT_EQ(settings.RecentJobs, RecentJobList{}) << "opening leaves the recent list alone";
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFile,
                         ::testing::Values(OpenCase{"Good", 0}, OpenCase{"Missing", 1},
                                           OpenCase{"Corrupt", 2},
                                           OpenCase{"TooManyParts", 3,
                                                    "nombre de pièces non valide (10001 ; de 0 à 10000)"},
                                           OpenCase{"Fifo", 4, "n'est pas un fichier ordinaire"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, CancelledOpenDialogKeepsTheJob) {
  Start(WriteJob("garde.deb", GoodJob()));
  prompts.files.push_back(std::nullopt);
  Click("BtnOuvrir");
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobName, "garde.deb");
}

// Open over a modified job: the save prompt and what each answer does.
struct ModifiedOpenCase {
  const char* name;
  bool untitled;
  PromptAnswer answer;
  std::optional<const char*> saveAs;  // answer of the save dialog (untitled job)
  std::optional<const char*> open;    // answer of the open dialog; nullptr cancels
  QStringList notices;
  bool savedFirst;   // the modified job was written
  bool opened;       // the other job is shown
};
void PrintTo(const ModifiedOpenCase& c, std::ostream* os) { *os << c.name; }

class OpenOverModifiedJob : public MainWindowTest,
                            public ::testing::WithParamInterface<ModifiedOpenCase> {};

TEST_P(OpenOverModifiedJob, AsksAndSavesAsAnswered) {
  const ModifiedOpenCase& c = GetParam();
  const QString current = WriteJob("courant.deb", GoodJob());
  const std::string before = ReadBytes(current.toStdString());
  const QString other = WriteJob("autre.deb", GoodJob());
  Start(current);
  job.JobParts[0].Quantity = 1;  // a change not yet saved
  job.JobModified = 1;
  if (c.untitled) {
    job.JobUntitled = 1;
    job.JobName = "NouveauDebit.deb";
  }
  const std::filesystem::path savedAs = JobDir() / "enregistre.deb";
  prompts.answers.push_back(c.answer);
  if (c.saveAs) {
    prompts.files.push_back(*c.saveAs ? std::optional<QString>(QString::fromStdString(savedAs.string()))
                                      : std::nullopt);
  }
  if (c.open) {
    prompts.files.push_back(*c.open ? std::optional<QString>(other) : std::nullopt);
  }
  Click("BtnOuvrir");

  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(prompts.QuestionTexts().size(), 1);
  EXPECT_EQ(prompts.QuestionTexts()[0],
            LanguageText(101) + QStringLiteral(" '%1' ?")
                                    .arg(c.untitled ? QStringLiteral("NouveauDebit.deb")
                                                    : QStringLiteral("courant.deb")));
  EXPECT_EQ(prompts.Of(Kind::Ask)[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(prompts.NoticeTexts(), c.notices);
  if (c.savedFirst) {
    const std::filesystem::path written =
        c.untitled ? savedAs : std::filesystem::path(current.toStdString());
    JobFileContent saved = DecodeJobFile(ReadBytes(written));
    EXPECT_EQ(saved.JobParts[0].Quantity, 1);
  } else {
    EXPECT_EQ(ReadBytes(current.toStdString()), before);
    EXPECT_FALSE(std::filesystem::exists(savedAs));
  }
  if (c.opened) {
    EXPECT_EQ(job.JobName, "autre.deb");
    EXPECT_EQ(job.JobModified, 0);
  } else if (c.answer == PromptAnswer::Cancel || (c.saveAs && !*c.saveAs)) {
    EXPECT_EQ(job.JobModified, 1) << "a cancelled open keeps the job as it was";
  } else {
    EXPECT_EQ(job.JobModified, 0) << "saved, then the open dialog was cancelled";
    EXPECT_EQ(job.JobUntitled, 0);
  }
  EXPECT_FALSE(window->Busy());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OpenOverModifiedJob,
    ::testing::Values(
        ModifiedOpenCase{"Cancel", false, PromptAnswer::Cancel, {}, {}, {LanguageText(127)}, false,
                         false},
        ModifiedOpenCase{"No", false, PromptAnswer::No, {}, "x", {LanguageText(102)}, false, true},
        ModifiedOpenCase{"YesTitled", false, PromptAnswer::Yes, {}, "x", {}, true, true},
        ModifiedOpenCase{"YesUntitledSaveCancelled", true, PromptAnswer::Yes, nullptr, {},
                         {LanguageText(127)}, false, false},
        ModifiedOpenCase{"YesUntitledOpenCancelled", true, PromptAnswer::Yes, "x", nullptr, {},
                         true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Save, save as and the recent jobs ------------------------------------------------------

// An untitled, modified job as New leaves it.
void MakeUntitled(JobState& j) {
  j.JobUntitled = 1;
  j.JobModified = 1;
  j.JobName = "NouveauDebit.deb";
  j.JobPath.clear();
}

TEST_F(MainWindowTest, SaveAsksANameOnlyForAnUntitledJob) {
  Start(WriteJob("depart.deb", GoodJob()));
  MakeUntitled(job);
  const std::filesystem::path path = JobDir() / "premier.deb";
  prompts.files.push_back(QString::fromStdString(path.string()));
  Click("BtnEnre");
  const auto asked = prompts.Of(Kind::SaveFile);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].folder, QString::fromStdString(JobDir().string()));
  EXPECT_EQ(asked[0].text, QStringLiteral("NouveauDebit.deb"));
  EXPECT_EQ(job.JobName, "premier.deb");
  EXPECT_EQ(job.JobPath, path.string());
  EXPECT_EQ(job.JobUntitled, 0);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(window->windowTitle(), Caption("premier.deb"));
  EXPECT_EQ(DecodeJobFile(ReadBytes(path)).JobParts.size(), job.JobParts.size());
  EXPECT_EQ(settings.RecentJobs[0], (DEBITS_RECENTS{path.string(), "premier.deb"}));

  // Titled now: Save writes without asking, and the recent list is not touched again.
  job.JobModified = 1;
  Trigger("Enregistrer");
  EXPECT_EQ(prompts.Of(Kind::SaveFile).size(), 1u);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(settings.RecentJobs[1], DEBITS_RECENTS{});
}

TEST_F(MainWindowTest, CancelledSaveDialogChangesNothing) {
  Start(WriteJob("depart.deb", GoodJob()));
  MakeUntitled(job);
  prompts.files.push_back(std::nullopt);
  Trigger("Enre");
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobUntitled, 1);
  EXPECT_EQ(job.JobName, "NouveauDebit.deb");
  EXPECT_EQ(settings.RecentJobs, RecentJobList{});
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
}

// Save as enters each distinct job once; the sixth drops the oldest; the menu follows the list
// and each item opens the job it names.
TEST_F(MainWindowTest, SaveAsKeepsTheRecentListAndItsMenuInStep) {
  Start(WriteJob("depart.deb", GoodJob()));
  std::filesystem::create_directories(dir.path() / "ailleurs");
  const std::vector<std::filesystem::path> saves = {
      JobDir() / "a.deb", JobDir() / "a.deb",            // the same job twice: one entry
      dir.path() / "ailleurs" / "a.deb",                 // same name, other folder
      JobDir() / "A.deb",                                // other case
      JobDir() / "b.deb", JobDir() / "c.deb"};           // the sixth distinct job
  for (const auto& p : saves) {
    prompts.files.push_back(QString::fromStdString(p.string()));
    Trigger("Enre");
  }
  // Five distinct jobs so far: a, ailleurs/a, A, b, c.
  EXPECT_EQ(settings.RecentJobs[0].Path, (JobDir() / "a.deb").string());
  EXPECT_EQ(settings.RecentJobs[4].Path, (JobDir() / "c.deb").string());
  const std::vector<std::string> expectedPaths = {
      (dir.path() / "ailleurs" / "a.deb").string(), (JobDir() / "A.deb").string(),
      (JobDir() / "b.deb").string(), (JobDir() / "c.deb").string()};
  prompts.files.push_back(QString::fromStdString((JobDir() / "d.deb").string()));
  Trigger("Enre");
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(settings.RecentJobs[i].Path, expectedPaths[i]);
  EXPECT_EQ(settings.RecentJobs[4].Path, (JobDir() / "d.deb").string());

  QStringList names;
  for (const auto& e : settings.RecentJobs) names << QString::fromStdString(e.Name);
  EXPECT_EQ(RecentItems(), names);
  EXPECT_EQ(SeparatorsAfterQuitter(), 1);

  // Each item opens the job at its entry: here "b.deb", now at index 2.
  for (std::size_t i = 0; i < kRecentJobCount; ++i) {
    ASSERT_NE(window->RecentMenuItems[i], nullptr);
    EXPECT_EQ(window->RecentMenuItems[i]->text(), names[static_cast<int>(i)]);
  }
  window->RecentMenuItems[2]->trigger();
  EXPECT_EQ(job.JobPath, (JobDir() / "b.deb").string());
  EXPECT_EQ(window->windowTitle(), Caption("b.deb"));
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_TRUE(prompts.Of(Kind::OpenFile).empty()) << "a recent job opens without the dialog";
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
}

TEST_F(MainWindowTest, RecentJobWhoseFileIsGoneEmptiesTheJob) {
  RecentJobList recent;
  recent[0] = {(JobDir() / "parti.deb").string(), "parti.deb"};
  WriteRecentJobsFile(RecentJobsFilePath(dir.path()), recent);
  Start(WriteJob("depart.deb", GoodJob()));
  window->RecentMenuItems[0]->trigger();
  ExpectOpenError(prompts);
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_TRUE(job.JobParts.empty());
  EXPECT_EQ(settings.RecentJobs, recent);
}

// A job file that cannot be written is reported; the job keeps its name and stays modified,
// and the file already there is left whole. Every cause stops root too.
enum class SaveCause {
  RefusedJob,     // a job the file cannot hold: refused before anything is written
  BlockedFolder,  // the target's folder is a regular file
  FullDisk,       // the disk fills up while the file is written
  ReadOnly,       // the user made the job file read-only (its permission bits, so root too)
};

struct SaveFailureCase {
  const char* name;
  SaveCause cause;
  bool saveAs;
};
void PrintTo(const SaveFailureCase& c, std::ostream* os) { *os << c.name; }

class SaveFailure : public MainWindowTest, public ::testing::WithParamInterface<SaveFailureCase> {
};

TEST_P(SaveFailure, IsReportedAndTheJobStaysModified) {
  const SaveFailureCase& c = GetParam();
  const QString existing = WriteJob("intact.deb", GoodJob());
  const std::string before = ReadBytes(existing.toStdString());
  Start(existing);
  job.JobModified = 1;
  QString target = existing;
  switch (c.cause) {
    case SaveCause::RefusedJob:
      job.JobKind = 7;
      break;
    case SaveCause::BlockedFolder:
      WriteBytes(dir.path() / "bloque", "x");
      target = QString::fromStdString((dir.path() / "bloque" / "job.deb").string());
      break;
    case SaveCause::FullDisk:
      break;
    case SaveCause::ReadOnly:
      std::filesystem::permissions(existing.toStdString(),
                                   std::filesystem::perms::owner_read |
                                       std::filesystem::perms::group_read);
      break;
  }
  {
    std::optional<FullDisk> disk;
    if (c.cause == SaveCause::FullDisk) {
      disk.emplace(64);
      ASSERT_TRUE(disk->active());
    }
    if (c.saveAs) {
      prompts.files.push_back(target);
      Trigger("Enre");
    } else {
      job.JobPath = target.toStdString();
      Click("BtnEnre");
    }
  }
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(LanguageText(102)));
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobName, "intact.deb");
  EXPECT_EQ(settings.RecentJobs, RecentJobList{});
  EXPECT_EQ(ReadBytes(existing.toStdString()), before);
  // Nothing but the job and the folder that blocks, no temporary file.
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(JobDir())) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"intact.deb"});
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveFailure,
    ::testing::Values(SaveFailureCase{"SaveRefusedJob", SaveCause::RefusedJob, false},
                      SaveFailureCase{"SaveAsRefusedJob", SaveCause::RefusedJob, true},
                      SaveFailureCase{"SaveAsBlockedFolder", SaveCause::BlockedFolder, true},
                      SaveFailureCase{"SaveBlockedFolder", SaveCause::BlockedFolder, false},
                      SaveFailureCase{"SaveFullDisk", SaveCause::FullDisk, false},
                      SaveFailureCase{"SaveAsFullDisk", SaveCause::FullDisk, true},
                      SaveFailureCase{"SaveReadOnly", SaveCause::ReadOnly, false},
                      SaveFailureCase{"SaveAsOverReadOnly", SaveCause::ReadOnly, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A job file kept behind a link (on a shared drive) is saved where it lives: the link stays.
TEST_F(MainWindowTest, SavingAJobBehindALinkWritesItsTarget) {
  const QString shared = WriteJob("partage.deb", GoodJob());
  const std::filesystem::path link = JobDir() / "lien.deb";
  std::filesystem::create_symlink(shared.toStdString(), link);
  Start(QString::fromStdString(link.string()));
  ASSERT_EQ(job.JobLoaded, 1);
  job.JobKerf = 45;
  job.JobModified = 1;
  Click("BtnEnre");
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  JobState reread;
  LoadJobFile(reread, shared.toStdString());
  EXPECT_EQ(reread.JobKerf, 45);
}

// ---- Closing ----------------------------------------------------------------------------------

struct CloseCase {
  const char* name;
  bool modified;
  bool untitled;
  std::optional<PromptAnswer> answer;
  std::optional<const char*> saveAs;  // nullptr: the dialog is cancelled
  bool closes;
  int written;  // 0 nothing, 1 the job's own file, 2 the file chosen in the dialog
  QStringList notices;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class Closing : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, SavesWhatTheAnswersSay) {
  const CloseCase& c = GetParam();
  const QString path = WriteJob("fermer.deb", GoodJob());
  const std::string before = ReadBytes(path.toStdString());
  Start(path);
  if (c.modified) {
    job.JobModified = 1;
    job.JobParts[0].Quantity = 1;
  }
  if (c.untitled) {
    job.JobUntitled = 1;
    job.JobName = "NouveauDebit.deb";
  }
  if (c.answer) prompts.answers.push_back(*c.answer);
  const std::filesystem::path chosen = JobDir() / "choisi.deb";
  if (c.saveAs) {
    prompts.files.push_back(*c.saveAs ? std::optional<QString>(QString::fromStdString(chosen.string()))
                                      : std::nullopt);
  }
  std::filesystem::remove(dir.path() / kRecentJobsFileName);

  EXPECT_EQ(window->close(), c.closes);
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(window->isVisible(), !c.closes);
  EXPECT_EQ(prompts.NoticeTexts(), c.notices);
  if (c.answer) {
    EXPECT_EQ(prompts.Of(Kind::Ask).at(0).buttons, PromptButtons::YesNo);
  }
  if (c.written == 1) {
    const std::string bytes = ReadBytes(path.toStdString());
    EXPECT_NE(bytes, before);
    EXPECT_EQ(DecodeJobFile(bytes).JobParts[0].Quantity, 1);
    EXPECT_NE(bytes.substr(0, 4), std::string("1.6", 4)) << "the copy written at close has no tag";
  } else {
    EXPECT_EQ(ReadBytes(path.toStdString()), before);
  }
  EXPECT_EQ(std::filesystem::exists(chosen), c.written == 2);
  if (c.written == 2) {
    EXPECT_EQ(ReadRecentJobsFile(RecentJobsFilePath(dir.path()))[0], (DEBITS_RECENTS{chosen.string(), "choisi.deb"}));
  }
  EXPECT_EQ(std::filesystem::exists(dir.path() / kRecentJobsFileName), c.closes);
  // A cancelled close keeps the job as it was, to be saved some other way.
  if (!c.closes) {
    EXPECT_EQ(job.JobModified, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Closing,
    ::testing::Values(
        CloseCase{"Unmodified", false, false, {}, {}, true, 0, {}},
        CloseCase{"YesTitled", true, false, PromptAnswer::Yes, {}, true, 1, {}},
        CloseCase{"No", true, false, PromptAnswer::No, {}, true, 0, {LanguageText(102)}},
        CloseCase{"YesUntitledSaved", true, true, PromptAnswer::Yes, "x", true, 2, {}},
        CloseCase{"YesUntitledDialogCancelled", true, true, PromptAnswer::Yes, nullptr, false, 0,
                  {}},
        // Escape at the question: no answer, the window and the job stay.
        CloseCase{"Unanswered", true, false, PromptAnswer::Cancel, {}, false, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, CloseThatCannotWriteTheJobIsReportedAndCancelled) {
  const QString path = WriteJob("fermer.deb", GoodJob());
  Start(path);
  job.JobModified = 1;
  WriteBytes(dir.path() / "bloque", "x");
  job.JobPath = (dir.path() / "bloque" / "fermer.deb").string();
  prompts.answers.push_back(PromptAnswer::Yes);
  EXPECT_FALSE(window->close());
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(LanguageText(102)));
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_TRUE(window->isVisible());

  // Answering No then closes without writing.
  prompts.answers.push_back(PromptAnswer::No);
  EXPECT_TRUE(window->close());
}

// Prompts that look at the data folder when the job question comes.
class ProbingPrompts : public ScriptedPrompts {
 public:
  std::function<void()> onAsk;
  PromptAnswer Ask(const QString& caption, const QString& text, PromptButtons buttons,
                   PromptIcon icon = PromptIcon::Question) override {
    if (onAsk) onAsk();
    return ScriptedPrompts::Ask(caption, text, buttons, icon);
  }
};

// The reference stores that changed are written before the job prompt.
TEST_F(MainWindowTest, CloseWritesChangedReferenceFilesBeforeTheJobPrompt) {
  ProbingPrompts probing;
  job = GoodJob();
  job.JobName = "fermer.deb";
  TFDebit w(probing, settings, job, Folder());
  w.show();
  while (!w.StartedUp()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  settings.DesignationNames.push_back("Traverse");
  settings.DesignationsFileDirty = 1;
  job.JobModified = 1;
  bool designationsThere = false;
  probing.onAsk = [&] {
    designationsThere = std::filesystem::exists(dir.path() / kDesignationsFileName);
  };
  probing.answers.push_back(PromptAnswer::No);
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(designationsThere);
  EXPECT_EQ(probing.NoticeTexts(), QStringList{LanguageText(102)});
  Settings reread;
  LoadDesignationsFile(dir.path(), reread);
  EXPECT_EQ(reread.DesignationNames, settings.DesignationNames);
  // The species list has nothing left to write at close.
  EXPECT_FALSE(std::filesystem::exists(dir.path() / kSpeciesFileName));
  // Without a unit file at start the unit file is written at close; the options are not.
  EXPECT_TRUE(std::filesystem::exists(dir.path() / kUnitFileName));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / kOptionsFileName));
}

// One copy of the program: a close cancelled at the job question has written the designations;
// one added after it is written by the next close with the first, and nothing speaks of another
// window (the list on disk is the one this copy wrote).
TEST_F(MainWindowTest, ACancelledCloseThenADesignationAddedAreWrittenByTheNextClose) {
  const QString path = WriteJob("fermer.deb", GoodJob());
  Start(path);
  settings.DesignationNames.push_back("Montant");
  settings.DesignationsFileDirty = 1;
  job.JobModified = 1;
  prompts.answers.push_back(PromptAnswer::Cancel);  // Escape at the job question
  EXPECT_FALSE(window->close());
  Settings reread;
  LoadDesignationsFile(dir.path(), reread);
  EXPECT_EQ(reread.DesignationNames, settings.DesignationNames);

  settings.DesignationNames.push_back("Traverse");
  settings.DesignationsFileDirty = 1;
  prompts.answers.push_back(PromptAnswer::No);
  EXPECT_TRUE(window->close());
  LoadDesignationsFile(dir.path(), reread);
  EXPECT_EQ(reread.DesignationNames, settings.DesignationNames);
  for (const char* name : {"Montant", "Traverse"}) {
    EXPECT_NE(std::find(reread.DesignationNames.begin(), reread.DesignationNames.end(), name),
              reread.DesignationNames.end())
        << name;
  }
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(102)});  // the job not saved
}

// A job of bars (10 x 10 mm stock, no margin) is drawn stretched on screen. An Open that is
// cancelled changes nothing of it, its drawing included.
TEST_F(MainWindowTest, ACancelledOpenLeavesABarJobDrawnAsItWas) {
  Start();
  const JobState bars = JobBuilder()
                            .kind(1)
                            .panel(28000, 100, 2, GrainIndifferent, 100)
                            .part(5000, 100, 4, GrainIndifferent, 100)
                            .build();
  OpenByDialog(WriteJob("barres.deb", bars));
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.MarginsAllZero, 1);
  QImage before(window->View->size(), QImage::Format_RGB32);
  window->View->render(&before);

  prompts.files.push_back(std::nullopt);  // the picker is cancelled
  Click("BtnOuvrir");
  EXPECT_EQ(job.MarginsAllZero, 1);
  EXPECT_EQ(job.JobLoaded, 1);
  QImage after(window->View->size(), QImage::Format_RGB32);
  window->View->render(&after);
  EXPECT_EQ(after, before);
}

// A reference store that cannot be made writable at close: the read-only box once, the file as
// it was, the other stores still written, and the window closes. The cause stops root too: a
// link that loops back on itself has no attributes to read or change.
TEST_F(MainWindowTest, CloseReportsAReferenceFileThatCannotBeMadeWritable) {
  Start();
  std::filesystem::create_symlink(kPanelSizesFileName, dir.path() / kPanelSizesFileName);
  settings.PanelSizes.push_back({28000, 20700, 190, 2});
  settings.PanelSizesDirty = 1;
  settings.DesignationNames = {"Montant"};
  settings.DesignationsFileDirty = 1;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(215)});
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(prompts.Of(Kind::Notice)[0].caption, LanguageText(126));
  EXPECT_EQ(prompts.Of(Kind::Notice)[0].icon, PromptIcon::Warning);
  EXPECT_EQ(std::filesystem::read_symlink(dir.path() / kPanelSizesFileName),
            kPanelSizesFileName);
  Settings reread;
  LoadDesignationsFile(dir.path(), reread);
  EXPECT_EQ(reread.DesignationNames, std::vector<std::string>{"Montant"});
}


// A data folder where no reference file can be written (each name taken by a folder, which
// stops root too), with a job that cannot be written either: one box lists the six files the
// close writes and why, the job's failure has its own, and a second close attempt says so once
// more, no more.
TEST_F(MainWindowTest, CloseReportsEveryUnwrittenReferenceFileInOneBox) {
  const QString path = WriteJob("fermer.deb", GoodJob());
  Start(path);
  const char* names[] = {kPanelSizesFileName, kPartSizesFileName, kLabelsFileName,
                         kUnitFileName,       kOptionsFileName,   kDesignationsFileName};
  for (const char* name : names) {
    std::filesystem::remove(dir.path() / name);
    std::filesystem::create_directory(dir.path() / name);
    WriteBytes(dir.path() / name / "dedans", "x");
  }
  settings.PanelSizesDirty = settings.PartSizesDirty = 1;
  settings.LabelsFileDirty = settings.UnitFileDirty = settings.OptionsFileDirty = 1;
  settings.DesignationsFileDirty = 1;
  job.JobModified = 1;
  WriteBytes(dir.path() / "bloque", "x");
  job.JobPath = (dir.path() / "bloque" / "fermer.deb").string();

  prompts.answers.push_back(PromptAnswer::Yes);
  EXPECT_FALSE(window->close());
  const auto notices = prompts.Of(Kind::Notice);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].caption, LanguageText(126));
  EXPECT_EQ(notices[0].icon, PromptIcon::Warning);
  const QStringList lines = notices[0].text.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 6) << notices[0].text.toStdString();
  for (const char* name : names) {
    const QString start = QString::fromLatin1(name) + QStringLiteral(" : ");
    EXPECT_EQ(lines.filter(start).size(), 1) << name;
  }
  // The job's own message: not saved, and why.
  EXPECT_TRUE(notices[1].text.startsWith(LanguageText(102)));
  EXPECT_EQ(job.JobModified, 1);

  // The next attempt: the list once more, then the job given up.
  prompts = ScriptedPrompts();
  prompts.answers.push_back(PromptAnswer::No);
  EXPECT_TRUE(window->close());
  const auto again = prompts.Of(Kind::Notice);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0].text.split(QLatin1Char('\n')).size(), 6);
  EXPECT_EQ(again[1].text, LanguageText(102));
}


// A species added with the manager of a window: the form driven through that window's prompts.
void AddSpeciesIn(TFDebit& window, ScriptedPrompts& prompts, const QString& name) {
  prompts.modals.push_back([name](QDialog& d) {
    auto& form = dynamic_cast<TFGestEssence&>(d);
    form.EdtEssence->setText(name);
    form.BtnAjouter->click();
    form.BtnOK->click();
    return form.result();
  });
  window.findChild<QAction*>(QStringLiteral("GestionnaireDesEssences"))->trigger();
}

// The place of a name in a list, -1 when it has none.
int PlaceOf(const Settings& s, const std::string& name) {
  const auto found = std::find(s.SpeciesNames.begin(), s.SpeciesNames.end(), name);
  return found == s.SpeciesNames.end() ? -1 : static_cast<int>(found - s.SpeciesNames.begin());
}

// Every record of the job given the species at `place`, as the panel and part forms would.
void UseSpecies(JobState& job, int place) {
  for (Panneau_p& panel : job.JobPanels) panel.Species = place;
  for (TPiece& part : job.JobParts) part.Species = place;
  job.JobModified = 1;
}

// The species names every part of the job reads in that window's list.
std::vector<std::string> PartSpecies(const JobState& job, const Settings& s) {
  std::vector<std::string> names;
  for (const TPiece& part : job.JobParts) {
    const std::string* name = SpeciesNameAt(s.SpeciesNames, part.Species);
    names.push_back(name != nullptr ? *name : std::string("Non spécifié"));
  }
  return names;
}

// Two copies of the program on one data folder. The second is told at start that another holds
// the folder. Each adds a species and saves a job of it under a new name: the two species take
// two places, both on disk at once, and each job reopens with its own species in both windows,
// and after a restart. The close says nothing of the species list; the recent jobs the first
// wrote meanwhile are not written over by the second, which says so; both jobs were saved.
TEST_F(MainWindowTest, TwoWindowsOnOneDataFolderEachKeepTheirSpecies) {
  Settings stored;
  stored.SpeciesNames = {"Chêne", "Hêtre"};
  SaveSpeciesFile(dir.path(), stored);
  RecentJobList recent;
  recent[0] = {(JobDir() / "ancien.deb").string(), "ancien.deb"};
  WriteRecentJobsFile(RecentJobsFilePath(dir.path()), recent);

  const QString firstJob = WriteJob("depart1.deb", GoodJob());
  const QString secondStart = WriteJob("depart2.deb", GoodJob());
  Start(firstJob);
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << "the first copy is told nothing";

  ScriptedPrompts secondPrompts;
  Settings secondSettings = TestSettings();
  JobState secondJob;
  auto second =
      std::make_unique<TFDebit>(secondPrompts, secondSettings, secondJob, Folder(), secondStart);
  second->show();
  while (!second->StartedUp()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ASSERT_EQ(secondPrompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(secondPrompts.NoticeTexts()[0].contains(QStringLiteral("déjà ouvert")));
  EXPECT_EQ(secondSettings.SpeciesNames, stored.SpeciesNames);

  // Each copy adds its species: on disk at once, each at a place of its own.
  AddSpeciesIn(*window, prompts, QStringLiteral("Érable"));
  secondPrompts = ScriptedPrompts();
  AddSpeciesIn(*second, secondPrompts, QStringLiteral("Frêne"));
  EXPECT_EQ(SpeciesOnDisk(), (std::vector<std::string>{"Chêne", "Hêtre", "Érable", "Frêne"}));
  EXPECT_EQ(PlaceOf(settings, "Érable"), 2);
  EXPECT_EQ(PlaceOf(secondSettings, "Frêne"), 3);
  EXPECT_EQ(PlaceOf(secondSettings, "Érable"), 2);  // taken in by the second copy

  // Each saves a job of its own species under a new name.
  UseSpecies(job, PlaceOf(settings, "Érable"));
  prompts.files.push_back(QString::fromStdString((JobDir() / "premier.deb").string()));
  Trigger("Enre");
  UseSpecies(secondJob, PlaceOf(secondSettings, "Frêne"));
  secondPrompts.files.push_back(QString::fromStdString((JobDir() / "second.deb").string()));
  second->findChild<QAction*>(QStringLiteral("Enre"))->trigger();
  ASSERT_EQ(job.JobModified, 0);
  ASSERT_EQ(secondJob.JobModified, 0);

  // Each window opens the other's job: its species, never the window's own.
  const std::vector<std::string> maple(job.JobParts.size(), "Érable");
  const std::vector<std::string> ash(secondJob.JobParts.size(), "Frêne");
  OpenByDialog(QString::fromStdString((JobDir() / "second.deb").string()));
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(PartSpecies(job, settings), ash);
  secondPrompts.files.push_back(QString::fromStdString((JobDir() / "premier.deb").string()));
  QTest::mouseClick(second->findChild<QToolButton*>(QStringLiteral("BtnOuvrir")), Qt::LeftButton);
  ASSERT_EQ(secondJob.JobLoaded, 1);
  EXPECT_EQ(PartSpecies(secondJob, secondSettings), maple);

  EXPECT_TRUE(window->close());
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  secondPrompts = ScriptedPrompts();
  EXPECT_TRUE(second->close());
  ASSERT_EQ(secondPrompts.NoticeTexts().size(), 1);
  const QStringList told = secondPrompts.NoticeTexts()[0].split(QLatin1Char('\n'));
  EXPECT_FALSE(told.contains(QString::fromLatin1(kSpeciesFileName)));
  EXPECT_TRUE(told.contains(QString::fromLatin1(kRecentJobsFileName)));
  second.reset();

  // The recent jobs are the first copy's.
  const RecentJobList onDisk = ReadRecentJobsFile(RecentJobsFilePath(dir.path()));
  EXPECT_TRUE(std::any_of(onDisk.begin(), onDisk.end(),
                          [](const DEBITS_RECENTS& e) { return e.Name == "premier.deb"; }));
  EXPECT_TRUE(std::filesystem::exists(JobDir() / "premier.deb"));
  EXPECT_TRUE(std::filesystem::exists(JobDir() / "second.deb"));

  // A restart, alone on the folder: both jobs read their own species.
  window.reset();
  prompts = ScriptedPrompts();
  settings = TestSettings();
  job = JobState{};
  Start();
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  OpenByDialog(QString::fromStdString((JobDir() / "premier.deb").string()));
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(PartSpecies(job, settings), maple);
  OpenByDialog(QString::fromStdString((JobDir() / "second.deb").string()));
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(PartSpecies(job, settings), ash);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
}

// A species added, then the job saved: the species file holds it at the place the saved job
// names, with no close (a kill or a power cut after the save loses nothing). The next species
// anyone adds takes another place.
TEST_F(MainWindowTest, ASaveFindsItsSpeciesOnDiskWithoutAClose) {
  Start(WriteJob("depart.deb", GoodJob()));
  AddSpeciesIn(*window, prompts, QStringLiteral("Sapin"));
  const int place = PlaceOf(settings, "Sapin");
  ASSERT_GE(place, 0);
  UseSpecies(job, place);
  prompts.files.push_back(QString::fromStdString((JobDir() / "sapin.deb").string()));
  Trigger("Enre");
  ASSERT_EQ(job.JobModified, 0);

  // Read from disk as the window was left, open: the job and the file agree.
  JobState saved;
  LoadJobFile(saved, JobDir() / "sapin.deb");
  const std::vector<std::string> onDisk = SpeciesOnDisk();
  ASSERT_FALSE(saved.JobParts.empty());
  for (const TPiece& part : saved.JobParts) {
    ASSERT_LT(static_cast<std::size_t>(part.Species), onDisk.size());
    EXPECT_EQ(onDisk[static_cast<std::size_t>(part.Species)], "Sapin");
  }
  Settings other = TestSettings();
  LoadSpeciesFile(dir.path(), other);
  EXPECT_NE(AddSpeciesToFile(dir.path(), other, {"Mélèze"}).front(), place);
}

}  // namespace
}  // namespace tranchex::test
