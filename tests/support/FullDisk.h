#pragma once
// A full disk for the length of a scope, for root as for anyone: while it lives, no file of this
// process may grow past `bytes`, so a write beyond that fails the way a write to a full disk
// does, and the file stays as short as the disk left it. The signal the system sends on such a
// write is ignored meanwhile, so the write returns its error to the writer.
//
//   {
//     test::FullDisk disk(16);
//     ASSERT_TRUE(disk.active());
//     EXPECT_THROW(WriteFileAtomic(path, std::string(100, 'x')), FileAccessError);
//   }

#include <signal.h>
#include <sys/resource.h>

namespace tranchex::test {

class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
    rlimit limit = saved_;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < bytes) bytes = limit.rlim_max;
    limit.rlim_cur = bytes;
    savedHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FullDisk() {
    if (active_) ::setrlimit(RLIMIT_FSIZE, &saved_);
    if (savedHandler_ != SIG_ERR) ::signal(SIGXFSZ, savedHandler_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  // False when the limit could not be set: the disk is not full, and a test should stop.
  bool active() const { return active_; }

 private:
  rlimit saved_{};
  sighandler_t savedHandler_ = SIG_ERR;
  bool active_ = false;
};

}  // namespace tranchex::test
