#pragma once
// Runs a piece of a test as an ordinary user: in a child process that, when the tests run as
// root (as CI does), first becomes the user "nobody", so that the permission bits refuse what
// they refuse a shop's user. The child hands back the text it made through a pipe.
//
//   const test::ChildReport report = test::RunAsOrdinaryUser([&] { return TryTheWrite(); });
//   ASSERT_TRUE(report.Ended);
//   EXPECT_EQ(report.Told, "...");

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace tranchex::test {

struct ChildReport {
  bool Ended = false;  // the child became the user, ran the piece and ended normally
  std::string Told;    // what the piece returned
};

inline ChildReport RunAsOrdinaryUser(const std::function<std::string()>& piece) {
  constexpr uid_t kNobody = 65534;
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return {};
  }
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(2);
    }
    const std::string told = piece();
    (void)!::write(pipeFds[1], told.data(), told.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  ChildReport report;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    report.Told.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  report.Ended = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return report;
}

}  // namespace tranchex::test
