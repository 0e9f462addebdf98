// The data folder's lock at start-up: a lock that names no live copy on this machine is taken over
// without a word; a live copy's lock is told however old it is; another computer's lock is told
// with that computer's name and since when; a lock that is not a regular file is never opened,
// and start-up goes on saying the lock could not be taken.

#include <signal.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QSysInfo>
#include <QTime>
#include <string>

#include "shell/MainWindowFixture.h"
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

TEST_F(DataFolderLock, ALockNamingNoLiveCopyIsTakenOverSilently) {
  // A live process of another program under a number the lock names.
  const pid_t other = ::fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
    ::_exit(1);
  }
  // Wait until the child runs the other program.
  const QString otherExe = QStringLiteral("/proc/%1/exe").arg(other);
  for (int i = 0; i < 500 && QFileInfo(QFileInfo(otherExe).symLinkTarget()).fileName() !=
                                 QStringLiteral("sleep");
       ++i) {
    ::usleep(2000);
  }
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
  ::kill(other, SIGKILL);
  ::waitpid(other, nullptr, 0);
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
