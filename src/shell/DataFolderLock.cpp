#include "shell/DataFolderLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

#include "platform/FileIO.h"

namespace tranchex {
namespace {

// The system's mark of a kernel thread among a process's flags.
constexpr unsigned long kKernelThreadFlag = 0x00200000;

// The start of a small file (a lock, a file of /proc), empty when it cannot be read.
QByteArray ReadSmallFile(const QByteArray& path) {
  try {
    return QByteArray::fromStdString(ReadFileStart(path.toStdString(), 4096));
  } catch (const std::exception&) {
    return {};
  }
}

// Whether a process holds the file open and locked, as a running copy holds its lock for its
// whole run, whoever runs it. Never waits.
bool HeldLocked(const QByteArray& native) {
  const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

}  // namespace

ProcessFacts ReadProcessFacts(qint64 pid) {
  ProcessFacts facts;
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return facts;
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return facts;
  facts.Running = true;
  const QByteArray folder = "/proc/" + QByteArray::number(pid);
  // "pid (command) state ppid pgrp session tty tpgid flags ...": the command may hold spaces
  // and brackets of its own, so it ends at the last bracket.
  const QByteArray stat = ReadSmallFile(folder + "/stat");
  const qsizetype open = stat.indexOf('(');
  const qsizetype close = stat.lastIndexOf(')');
  if (open >= 0 && close > open) {
    facts.Command = stat.mid(open + 1, close - open - 1);
    const QList<QByteArray> fields = stat.mid(close + 1).simplified().split(' ');
    // A process that ended and waits to be reaped holds nothing.
    if (fields.value(0) == "Z" || fields.value(0) == "X") facts.Running = false;
    bool isNumber = false;
    const unsigned long flags = fields.value(6).toULong(&isNumber);
    facts.KernelThread = isNumber && (flags & kKernelThreadFlag) != 0;
  }
  char target[4096];
  const ssize_t n = ::readlink((folder + "/exe").constData(), target, sizeof target);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof target) {
    facts.ProgramFile = QByteArray(target, n);
  }
  return facts;
}

bool IsCopyOf(const ProcessFacts& process, const QByteArray& programName) {
  if (!process.Running || process.KernelThread) return false;
  if (programName.isEmpty()) return true;
  if (!process.ProgramFile.isEmpty()) {
    QByteArray running = process.ProgramFile;
    // A program file replaced while it runs (an update) is still that program.
    if (running.endsWith(" (deleted)")) running.chop(10);
    return running.mid(running.lastIndexOf('/') + 1) == programName;
  }
  // Another user's process: its command name is all there is to go by.
  if (process.Command.isEmpty()) return true;
  return process.Command == programName.left(kCommandNameMax);
}

namespace {

// Who holds the data folder's lock, as its file says. The file is read without ever waiting on
// it.
struct DataLockHolder {
  enum class Kind {
    Nobody,         // no lock file
    Stale,          // empty, unreadable or garbled, or naming no live copy on this machine
    LiveHere,       // a live copy on this machine: the file is held open and locked, or its
                    // process is a copy
    OtherComputer,  // written by another computer: it cannot be checked from here
    NotAFile        // a FIFO, a folder, a link: nothing a lock of ours would be
  } What = Kind::Nobody;
  QString Host;
  QDateTime Since;
};

DataLockHolder ReadDataLockHolder(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(native.constData(), &st) != 0) {
    return {errno == ENOENT ? DataLockHolder::Kind::Nobody : DataLockHolder::Kind::Stale, {}, {}};
  }
  if (!S_ISREG(st.st_mode)) return {DataLockHolder::Kind::NotAFile, {}, {}};
  const QList<QByteArray> lines = ReadSmallFile(native).split('\n');
  bool isNumber = false;
  const qint64 pid = lines.value(0).toLongLong(&isNumber);
  const bool wellFormed = isNumber && pid > 0 && lines.size() >= 3;
  const QString host = wellFormed ? QString::fromUtf8(lines[2]) : QString();
  if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
    return {DataLockHolder::Kind::OtherComputer, host, QFileInfo(path).lastModified()};
  }
  // A copy holds its lock locked from the moment it makes it, before its lines are written.
  if (HeldLocked(native)) return {DataLockHolder::Kind::LiveHere, {}, {}};
  if (!wellFormed) return {DataLockHolder::Kind::Stale, {}, {}};
  return {IsCopyOf(ReadProcessFacts(pid), lines[1]) ? DataLockHolder::Kind::LiveHere
                                                     : DataLockHolder::Kind::Stale,
          {}, {}};
}

}  // namespace

DataLockResult TakeDataFolderLock(const QString& path, std::unique_ptr<QLockFile>& lock) {
  lock.reset();
  const DataLockHolder holder = ReadDataLockHolder(path);
  switch (holder.What) {
    case DataLockHolder::Kind::NotAFile:
      // Never opened: a FIFO would hold start-up until someone writes to it.
      return {DataLockResult::Kind::NotAFile, {}, {}, {}};
    case DataLockHolder::Kind::OtherComputer:
      return {DataLockResult::Kind::HeldElsewhere, holder.Host, holder.Since, {}};
    case DataLockHolder::Kind::LiveHere:
      return {DataLockResult::Kind::HeldHere, {}, {}, {}};
    case DataLockHolder::Kind::Stale:
      // What a power cut, a crash, a reboot or a copied folder leaves: taken over silently,
      // unless the folder does not let us remove it.
      if (::unlink(QFile::encodeName(path).constData()) != 0 &&
          (errno == EACCES || errno == EPERM || errno == EROFS)) {
        return {DataLockResult::Kind::FolderNotWritable, {}, {},
                QString::fromLocal8Bit(std::strerror(errno))};
      }
      break;
    case DataLockHolder::Kind::Nobody:
      break;
  }
  lock = std::make_unique<QLockFile>(path);
  // Held for the whole run, however long: only a lock this check found stale goes.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) return {DataLockResult::Kind::Taken, {}, {}, {}};
  const bool heldByAnother = lock->error() == QLockFile::LockFailedError;
  lock.reset();
  // A lock taken meanwhile is told as one found would be.
  return {heldByAnother ? DataLockResult::Kind::HeldHere : DataLockResult::Kind::NotTaken, {},
          {}, {}};
}

}  // namespace tranchex
