#pragma once
// A FIFO in place of a file, with a writer waiting on it. A reader that opens it as a file gets
// the writer's bytes and an end, so code that wrongly reads it fails its test instead of waiting
// for ever; code that refuses it leaves the writer waiting, and the destructor lets it go and
// removes the FIFO.
//
//   test::Fifo fifo(dir.path() / "FEssences.dat", "Chene");
//   EXPECT_THROW(ReadFileBytes(fifo.path(), 100), FileAccessError);

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

namespace tranchex::test {

class Fifo {
 public:
  Fifo(std::filesystem::path path, std::string bytes) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0644) == 0;
    if (!made_) return;
    savedPipe_ = ::signal(SIGPIPE, SIG_IGN);
    writer_ = std::thread([this, bytes = std::move(bytes)] {
      // Waits for a reader, hands it the bytes, then ends the stream.
      const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
      if (fd < 0) return;
      std::size_t done = 0;
      while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
      }
      ::close(fd);
    });
  }
  ~Fifo() {
    if (!made_) return;
    // A reader of our own releases a writer still waiting for one.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer_.join();
    if (fd >= 0) ::close(fd);
    ::unlink(path_.c_str());
    if (savedPipe_ != SIG_ERR) ::signal(SIGPIPE, savedPipe_);
  }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;

  bool made() const { return made_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  bool made_ = false;
  sighandler_t savedPipe_ = SIG_ERR;
  std::thread writer_;
};

}  // namespace tranchex::test
