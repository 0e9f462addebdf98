// The data folder's lock at start-up: a lock that names no live copy on this machine is taken over
// without a word; a live copy's lock is told however old it is, and so is a copy whose program
// file was replaced while it runs and a lock held locked by a live process; another computer's
// lock is told with that computer's name and since when; a lock that is not a regular file is
// never opened, and start-up goes on saying the lock could not be taken; a leftover lock in a
// folder that forbids removing it says the folder cannot be written. Which process is a copy is
// decided from what any user may read of it, tried on a table of processes.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QSysInfo>
#include <QTime>
#include <limits>
#include <memory>
#include <string>

#include "shell/DataFolderLock.h"
#include "shell/MainWindowFixture.h"
#include "support/AsOrdinaryUser.h"
#include "support/Fifo.h"

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;

// What a lock written by a copy of the program holds: its process number, its program file's
// name, its host.
std::string LockText(qint64 pid, const QString& program, const QString& host) {
  return std::to_string(pid) + "\n" + program.toStdString() + "\n" + host.toStdString() +
         "\nmachine\nboot\n";
}

QString OurProgram() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

void DateBack(const fs::path& file, const QDateTime& when) {
  const timeval times[2] = {{static_cast<time_t>(when.toSecsSinceEpoch()), 0},
                            {static_cast<time_t>(when.toSecsSinceEpoch()), 0}};
  ASSERT_EQ(::utimes(file.c_str(), times), 0);
}

class DataFolderLock : public MainWindowTest {
 protected:
  fs::path Lock() const { return dir.path() / "Tranchex.lock"; }
  // The first line of the lock: the process that holds it.
  std::string Holder() const {
    const std::string text = ReadBytes(Lock());
    return text.substr(0, text.find('\n'));
  }
};

// A process that ended: its number names no live copy.
qint64 EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

// A live process running the program file `program` (a copy of sleep), once it runs it.
pid_t RunProgram(const fs::path& program) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl(program.c_str(), program.filename().c_str(), "30", static_cast<char*>(nullptr));
    ::_exit(1);
  }
  const QString exe = QStringLiteral("/proc/%1/exe").arg(child);
  for (int i = 0; i < 500 && QFileInfo(QFileInfo(exe).symLinkTarget()).fileName() !=
                                 QString::fromStdString(program.filename().string());
       ++i) {
    ::usleep(2000);
  }
  return child;
}

void EndProcess(pid_t pid) {
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

// Who a process is, as the lock's check sees it. Expected values come from the cases, never from
// the process table of the machine the test runs on.
TEST(DataLockDecision, OnlyACopyOfTheProgramHoldsALock) {
  const QByteArray program = "tranchex";
  const struct {
    const char* name;
    ProcessFacts process;
    QByteArray programName;
    bool copy;
  } cases[] = {
      {"no process under that number", {false, false, "", ""}, program, false},
      {"a process that ended, not yet reaped", {false, false, "tranchex", ""}, program, false},
      {"a kernel thread (pid 2 after a reboot)", {true, true, "kthreadd", ""}, program, false},
      {"a kernel thread named as the program", {true, true, "tranchex", ""}, program, false},
      {"another program of ours", {true, false, "sleep", "/usr/bin/sleep"}, program, false},
      {"another user's program (pid 1)", {true, false, "systemd", ""}, program, false},
      {"another user's copy (a shared data folder)", {true, false, "tranchex", ""}, program, true},
      {"our copy", {true, false, "tranchex", "/opt/tranchex/tranchex"}, program, true},
      {"our copy started under another command name",
       {true, false, "atelier", "/opt/tranchex/tranchex"}, program, true},
      {"our copy, its program file replaced by an update",
       {true, false, "tranchex", "/opt/tranchex/tranchex (deleted)"}, program, true},
      {"our process, another program file replaced",
       {true, false, "sleep", "/usr/bin/sleep (deleted)"}, program, false},
      {"another user's copy of a long program name, its command cut",
       {true, false, "tranchex-atelie", ""}, "tranchex-atelier-2", true},
      {"another user's program sharing the cut name's start",
       {true, false, "tranchex-atel", ""}, "tranchex-atelier-2", false},
      {"a process nothing can be read of", {true, false, "", ""}, program, true},
      {"a lock naming no program, a live process", {true, false, "sleep", ""}, "", true},
      {"a lock naming no program, a kernel thread", {true, true, "kworker/0:1", ""}, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCopyOf(c.process, c.programName), c.copy) << c.name;
  }
}

// The facts are read from what any user may read: the command name and the kernel thread mark
// of our own process, of another program's and of a process that ended.
TEST(DataLockDecision, ProcessFactsAreReadFromTheSystem) {
  const ProcessFacts self = ReadProcessFacts(QCoreApplication::applicationPid());
  EXPECT_TRUE(self.Running);
  EXPECT_FALSE(self.KernelThread);
  EXPECT_EQ(self.Command, OurProgram().toUtf8().left(kCommandNameMax));
  EXPECT_EQ(QFileInfo(QFile::decodeName(self.ProgramFile)).fileName(), OurProgram());
  EXPECT_TRUE(IsCopyOf(self, OurProgram().toUtf8()));

  const pid_t sleeper = RunProgram("/bin/sleep");
  const ProcessFacts other = ReadProcessFacts(sleeper);
  EXPECT_TRUE(other.Running);
  EXPECT_FALSE(other.KernelThread);
  EXPECT_EQ(other.Command, "sleep");
  EXPECT_FALSE(IsCopyOf(other, OurProgram().toUtf8()));
  EndProcess(sleeper);
  EXPECT_FALSE(ReadProcessFacts(sleeper).Running);
  EXPECT_FALSE(ReadProcessFacts(0).Running);
  EXPECT_FALSE(ReadProcessFacts(std::numeric_limits<qint64>::max()).Running);
}

TEST_F(DataFolderLock, ALockNamingNoLiveCopyIsTakenOverSilently) {
  // A live process of another program under a number the lock names.
  const pid_t other = RunProgram("/bin/sleep");
  ASSERT_GT(other, 0);
  const QString host = QSysInfo::machineHostName();
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty (a power cut)", ""},
      {"garbled", std::string("\0\xFF\x13garbage\nmore", 15)},
      {"no number", "tranchex\nhote\n"},
      {"a number alone", "12345"},
      {"an ended process", LockText(EndedProcess(), OurProgram(), host)},
      {"an ended process, no host", LockText(EndedProcess(), OurProgram(), QString())},
      {"a number reused by another program", LockText(other, OurProgram(), host)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Lock(), c.bytes);
    DateBack(Lock(), QDateTime::currentDateTime().addSecs(-3600));
    prompts = ScriptedPrompts();
    Start();
    EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Holder(), std::to_string(QCoreApplication::applicationPid()));
    window.reset();
    EXPECT_FALSE(fs::exists(Lock())) << "the lock goes with the window";
  }
  EndProcess(other);
}

// A copy still running after an update replaced its program file is still a copy: its lock is
// told. The copy is a program file of that name (a copy of sleep), removed while it runs.
TEST_F(DataFolderLock, ACopyWhoseProgramFileWasReplacedIsStillACopy) {
  const fs::path program = dir.path() / "tranchex-copie";
  fs::copy_file("/bin/sleep", program);
  const pid_t copy = RunProgram(program);
  ASSERT_GT(copy, 0);
  fs::remove(program);
  ASSERT_TRUE(ReadProcessFacts(copy).ProgramFile.endsWith(" (deleted)"));
  const std::string held =
      LockText(copy, QStringLiteral("tranchex-copie"), QSysInfo::machineHostName());
  WriteBytes(Lock(), held);
  Start();
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(
      QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données :\n")));
  window.reset();
  EXPECT_EQ(ReadBytes(Lock()), held);
  EndProcess(copy);
}

// A lock file held locked by a live process is a copy's, whatever it says: a copy holds it from
// the moment it makes it, before its lines are written, and a copy run under another name than
// its program file's is known by the lock alone.
TEST_F(DataFolderLock, ALockHeldLockedIsToldWhateverItSays) {
  for (const std::string& bytes :
       {std::string(), LockText(EndedProcess(), OurProgram(), QSysInfo::machineHostName())}) {
    SCOPED_TRACE(bytes);
    WriteBytes(Lock(), bytes);
    const int holder = ::open(Lock().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    prompts = ScriptedPrompts();
    Start();
    ASSERT_EQ(prompts.NoticeTexts().size(), 1);
    EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(
        QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données :\n")));
    window.reset();
    EXPECT_EQ(ReadBytes(Lock()), bytes);
    ::close(holder);
  }
}

// A leftover lock in a data folder that does not let us remove it: the folder cannot be written,
// which is what is said, not that another copy runs; the lock stays. Run as an ordinary user
// (root may remove anything): a child process takes the "nobody" identity when the test runs as
// root.
TEST_F(DataFolderLock, ALeftoverLockInAFolderThatCannotBeWrittenSaysSo) {
  const fs::path folder = dir.path() / "lecture-seule";
  fs::create_directory(folder);
  fs::permissions(dir.path(), fs::perms::others_exec | fs::perms::group_exec,
                  fs::perm_options::add);
  const QString lock = QString::fromStdString((folder / "Tranchex.lock").string());
  const pid_t sleeper = RunProgram("/bin/sleep");
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty (a power cut)", ""},
      {"an ended process", LockText(EndedProcess(), OurProgram(), QSysInfo::machineHostName())},
      {"another program's process",
       LockText(sleeper, OurProgram(), QSysInfo::machineHostName())},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::permissions(folder, fs::perms::owner_all);
    fs::remove(folder / "Tranchex.lock");  // read-only since the case before
    WriteBytes(folder / "Tranchex.lock", c.bytes);
    fs::permissions(folder / "Tranchex.lock", fs::perms::owner_read | fs::perms::group_read |
                                                  fs::perms::others_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    const test::ChildReport report = test::RunAsOrdinaryUser([&] {
      std::unique_ptr<QLockFile> held;
      const DataLockResult result = TakeDataFolderLock(lock, held);
      return std::to_string(static_cast<int>(result.What)) + " " +
             std::to_string(held != nullptr) + " " + result.Reason.toStdString();
    });
    ASSERT_TRUE(report.Ended);
    const std::string& told = report.Told;
    EXPECT_EQ(told.substr(0, 4),
              std::to_string(static_cast<int>(DataLockResult::Kind::FolderNotWritable)) + " 0 ")
        << told;
    EXPECT_GT(told.size(), 4u) << "the system's words";
    EXPECT_EQ(ReadBytes(folder / "Tranchex.lock"), c.bytes);
  }
  fs::permissions(folder, fs::perms::owner_all);
  EndProcess(sleeper);
}

// A copy that has run for an hour still holds the folder: the lock is not old, it is held. The
// first copy is a window of this process; its lock is dated back an hour before a second starts.
TEST_F(DataFolderLock, ALiveCopysLockIsToldHoweverOld) {
  Start();
  ASSERT_TRUE(prompts.NoticeTexts().isEmpty());
  const std::string held = ReadBytes(Lock());
  ASSERT_EQ(Holder(), std::to_string(QCoreApplication::applicationPid()));
  DateBack(Lock(), QDateTime::currentDateTime().addSecs(-3600));

  ScriptedPrompts secondPrompts;
  Settings secondSettings = TestSettings();
  JobState secondJob;
  auto second = std::make_unique<TFDebit>(secondPrompts, secondSettings, secondJob, Folder());
  second->show();
  while (!second->StartedUp()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ASSERT_EQ(secondPrompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(secondPrompts.NoticeTexts()[0].startsWith(
      QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données :\n")));
  second.reset();
  EXPECT_EQ(ReadBytes(Lock()), held) << "the first copy keeps its lock";
}

TEST_F(DataFolderLock, AnotherComputersLockNamesItAndSinceWhen) {
  const std::string held = LockText(4242, QStringLiteral("tranchex"), QStringLiteral("atelier-2"));
  WriteBytes(Lock(), held);
  DateBack(Lock(), QDateTime(QDate(2026, 12, 1), QTime(8, 30)));
  Start();
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(
      QStringLiteral("Tranchex est déjà ouvert sur ce dossier de données par l'ordinateur "
                     "« atelier-2 », depuis le 01/12/2026 à 08:30 :\n")))
      << prompts.NoticeTexts()[0].toStdString();
  window.reset();
  EXPECT_EQ(ReadBytes(Lock()), held);
}

// A FIFO (or a folder) named as the lock: start-up does not wait on it, says the lock could not
// be taken, and goes on; the FIFO is left as it is.
TEST_F(DataFolderLock, ALockThatIsNotARegularFileIsRefusedAtOnce) {
  for (bool fifo : {true, false}) {
    SCOPED_TRACE(fifo ? "FIFO" : "folder");
    std::optional<Fifo> pipe;
    if (fifo) {
      pipe.emplace(Lock(), "4242\ntranchex\nhote\n");
      ASSERT_TRUE(pipe->made());
    } else {
      fs::create_directory(Lock());
    }
    prompts = ScriptedPrompts();
    Start();
    EXPECT_TRUE(window->StartedUp());
    ASSERT_EQ(prompts.NoticeTexts().size(), 1);
    EXPECT_TRUE(prompts.NoticeTexts()[0].startsWith(
        QStringLiteral("Le verrou du dossier de données n'a pas pu être pris : ")))
        << prompts.NoticeTexts()[0].toStdString();
    EXPECT_EQ(fs::status(Lock()).type(), fifo ? fs::file_type::fifo : fs::file_type::directory);
    window.reset();
    if (!fifo) fs::remove(Lock());
  }
}

}  // namespace
}  // namespace tranchex::test
