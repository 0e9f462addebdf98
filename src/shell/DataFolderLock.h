#pragma once
// The data folder's lock: a second copy of the program on one data folder is told at start. The
// lock file is QLockFile's, held for the whole run: the process number, the program file's name
// and the host, one a line.

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>

namespace tranchex {

// What any user may read of a process, whoever runs it. The program file a process runs may be
// read by its owner alone: a copy run by another user sharing the data folder is known by its
// command name.
struct ProcessFacts {
  bool Running = false;       // the number names a live process
  bool KernelThread = false;  // a thread of the system's own: it runs no program
  QByteArray Command;         // the command name, which the system cuts to 15 bytes
  QByteArray ProgramFile;     // the program file, when we may read it; " (deleted)" ends it
                              // when the file was replaced while it runs (an update)
};

// The longest command name the system keeps.
constexpr qsizetype kCommandNameMax = 15;

// The facts of the process numbered pid, read from /proc.
ProcessFacts ReadProcessFacts(qint64 pid);

// Whether a process is a copy of the program a lock names: a kernel thread, or a process that
// runs another program, is no copy, whoever runs it, and its lock is a leftover. A program file
// replaced while it runs is still that program. A lock that names no program, or a process
// nothing can be read of, is taken as a copy.
bool IsCopyOf(const ProcessFacts& process, const QByteArray& programName);

// What taking the data folder's lock came to.
struct DataLockResult {
  enum class Kind {
    Taken,              // this copy holds the lock
    NotTaken,           // a folder where no lock can be made, and none was left: nothing to say
    HeldHere,           // a live copy on this machine holds it, however long it has run
    HeldElsewhere,      // another computer's lock
    NotAFile,           // the lock's name is taken by a FIFO, a folder or a link
    FolderNotWritable,  // a leftover lock that the folder does not let us remove
  } What = Kind::NotTaken;
  QString Host;    // HeldElsewhere: that computer's name
  QDateTime Since; // HeldElsewhere: when it wrote the lock
  QString Reason;  // FolderNotWritable: the system's words
};

// Takes the lock file at path into `lock` (left empty when not taken). A leftover lock (empty,
// unreadable or garbled, or naming no live copy on this machine) is removed first, without a
// word.
DataLockResult TakeDataFolderLock(const QString& path, std::unique_ptr<QLockFile>& lock);

}  // namespace tranchex
