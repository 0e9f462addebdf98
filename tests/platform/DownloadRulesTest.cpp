// Only the whole list, as the server sent it, is a list: the rules for the status, the framing,
// the encoding and the end of the body; the rule for moved pages; the size bounds under a
// generous time bound; and https through a loopback TLS server with an authority made for the
// test. Every server is a loopback server the test starts.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Download.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"
#include "support/TestAuthority.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using test::LoopbackHttpServer;
using test::TestAuthority;
using Style = LoopbackHttpServer::Answer::Style;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QUrl At(const LoopbackHttpServer& server, const char* path) {
  return QUrl(server.Address() + QString::fromLatin1(path));
}

class DownloadRules : public ::testing::Test {
 protected:
  fs::path File() const { return dir.path() / "Liste_logiciels.ini"; }
  QString FilePath() const { return QString::fromStdString(File().string()); }
  // Fetches over an old list; true when a list was written, and then it must be `expected`.
  bool Fetch(const QUrl& address, const DownloadLimits& limits) {
    std::ofstream(File(), std::ios::binary) << "[old]\n";
    const bool got = DownloadToFile(address, FilePath(), limits);
    EXPECT_EQ(got, fs::exists(File()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
              got ? 1 : 0);
    return got;
  }

  test::TempDir dir;
  test::TempDir certificates;
  DownloadLimits limits{2000, 64 * 1024};
};

// Answers whose body is all there but which are not the whole list as sent, or whose end is not
// the one announced; and, beside them, answers that are.
TEST_F(DownloadRules, OnlyABodyEndedAsAnnouncedIsTheList) {
  LoopbackHttpServer server;
  const struct {
    const char* name;
    QByteArray answer;  // the answer as sent, head and body
    bool list;
  } cases[] = {
      {"length", "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n[S]\n", true},
      {"chunks, any case", "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n4\r\n[S]\n\r\n0\r\n\r\n", true},
      {"identity encoding", "HTTP/1.1 200 OK\r\nContent-Encoding: identity\r\nContent-Length: 4\r\n\r\n[S]\n", true},
      {"a part only (206)",
       "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-3/8\r\nContent-Length: 4\r\n\r\n[S]\n", false},
      {"accepted (202)", "HTTP/1.1 202 Accepted\r\nContent-Length: 4\r\n\r\n[S]\n", false},
      {"gzip then chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n4\r\n[S]\n\r\n0\r\n\r\n", false},
      {"identity framing", "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\nContent-Length: 4\r\n\r\n[S]\n", false},
      {"chunks given twice",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTransfer-Encoding: chunked\r\n\r\n4\r\n[S]\n\r\n0\r\n\r\n", false},
      {"length with a plus", "HTTP/1.1 200 OK\r\nContent-Length: +4\r\n\r\n[S]\n", false},
      {"length in hexadecimal", "HTTP/1.1 200 OK\r\nContent-Length: 0x4\r\n\r\n[S]\n", false},
      {"chunk size with a plus", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n+4\r\n[S]\n\r\n0\r\n\r\n", false},
      {"chunk size with 0x", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0x4\r\n[S]\n\r\n0\r\n\r\n", false},
      {"gzip encoding", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 4\r\n\r\n[S]\n", false},
      {"identity, then gzip",
       "HTTP/1.1 200 OK\r\nContent-Encoding: identity\r\nContent-Encoding: gzip\r\nContent-Length: 4\r\n\r\n[S]\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server.Serve("/list.ini", {200, c.answer, Style::Raw});
    EXPECT_EQ(Fetch(At(server, "/list.ini"), limits), c.list);
    if (c.list) {
      EXPECT_EQ(Read(File()), "[S]\n");
    }
  }
  // A body without a length ends with the connection: a clean close ends the list, a reset
  // cuts it.
  const QByteArray body(133, 'b');
  server.Serve("/closed.ini", {200, body, Style::NoLength});
  EXPECT_TRUE(Fetch(At(server, "/closed.ini"), limits));
  EXPECT_EQ(Read(File()), body.toStdString());
  server.Serve("/reset.ini", {200, body, Style::NoLengthCut});
  EXPECT_FALSE(Fetch(At(server, "/reset.ini"), limits));
}

// Moved pages: followed between web addresses, never from https to http (not even asked for),
// five times at most.
TEST_F(DownloadRules, MovedPagesFollowTheRedirectRule) {
  TestAuthority ca(certificates.path());
  ASSERT_TRUE(ca.made()) << ca.log();
  limits.Authorities = {ca.Authority()};
  LoopbackHttpServer http;
  LoopbackHttpServer otherHttp;
  LoopbackHttpServer https(ca.Server(TestAuthority::Kind::Trusted));
  LoopbackHttpServer otherHttps(ca.Server(TestAuthority::Kind::Trusted));
  for (LoopbackHttpServer* s : {&http, &otherHttp, &https, &otherHttps}) {
    s->Serve("/list.ini", {200, "[S]\n"});
  }
  const struct {
    const char* name;
    LoopbackHttpServer* from;
    QString to;
    LoopbackHttpServer* target;  // where the list would be asked for
    bool followed;
  } cases[] = {
      {"http to https", &http, https.Address() + QStringLiteral("/list.ini"), &https, true},
      {"https to https", &https, otherHttps.Address() + QStringLiteral("/list.ini"), &otherHttps, true},
      {"http to http", &http, otherHttp.Address() + QStringLiteral("/list.ini"), &otherHttp, true},
      {"https to http", &https, http.Address() + QStringLiteral("/list.ini"), &http, false},
      {"to a file", &http, QStringLiteral("file:///etc/passwd"), nullptr, false},
      {"to ftp", &http, QStringLiteral("ftp://127.0.0.1/list.ini"), nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.from->Serve("/moved.ini", {302, c.to.toLatin1(), Style::Redirect});
    const qsizetype asked = c.target ? c.target->requests.count(QStringLiteral("/list.ini")) : 0;
    EXPECT_EQ(Fetch(At(*c.from, "/moved.ini"), limits), c.followed);
    if (c.target) {
      EXPECT_EQ(c.target->requests.count(QStringLiteral("/list.ini")) - asked, c.followed ? 1 : 0);
    }
  }
  // A chain of moves: five are followed, a sixth is not, and its target is never asked for.
  for (int n = 1; n <= 6; ++n) {
    const QByteArray from = "/m" + QByteArray::number(n) + ".ini";
    http.Serve(from.constData(), {301, "/m" + QByteArray::number(n + 1) + ".ini", Style::Redirect});
  }
  http.Serve("/m6.ini", {200, "[S]\n"});
  http.Serve("/m7.ini", {200, "[S]\n"});
  EXPECT_TRUE(Fetch(At(http, "/m1.ini"), limits)) << "five moves";
  http.Serve("/m6.ini", {301, "/m7.ini", Style::Redirect});
  http.requests.clear();
  EXPECT_FALSE(Fetch(At(http, "/m1.ini"), limits)) << "six moves";
  EXPECT_FALSE(http.requests.contains(QStringLiteral("/m7.ini")));
}

// Under a generous time bound, the size bounds end a transfer: a complete chunked answer over the
// bound in small chunks is no list, and an endless chunked body or an endless header line is
// left once its bound is passed, long before the time bound and a few bounds' worth of bytes in.
TEST_F(DownloadRules, TheSizeBoundsEndATransferBeforeTheTimeBound) {
  limits.TimeoutMs = 20000;
  LoopbackHttpServer server;
  QByteArray framed;
  for (int i = 0; i < 700; ++i) framed += "64\r\n" + QByteArray(100, 'c') + "\r\n";  // 70,000 bytes
  framed += "0\r\n\r\n";
  server.Serve("/big.ini", {200, framed, Style::Chunked});
  EXPECT_FALSE(Fetch(At(server, "/big.ini"), limits));

  for (Style how : {Style::EndlessChunked, Style::LongHeader}) {
    SCOPED_TRACE(how == Style::EndlessChunked ? "endless chunked body" : "endless header line");
    server.Serve("/endless.ini", {200, {}, how});
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Fetch(At(server, "/endless.ini"), limits));
    EXPECT_LT(clock.elapsed(), limits.TimeoutMs);
    const auto ended = server.LastHostileEnded();
    ASSERT_NE(ended, nullptr);
    const auto& sent = *ended;
    EXPECT_TRUE(sent.closedByClient);
    // What the connection's buffers hold beyond the bound, and no more: twenty seconds of a
    // loopback server would be hundreds of megabytes.
    EXPECT_LT(sent.sent, 32 * 1024 * 1024);
  }
}

// https through a loopback server: a certificate from the authority the download trusts, for the
// host asked, is accepted; one signed by itself, or for another host, is refused before any
// request. A body without a length is the list only with the TLS close.
TEST_F(DownloadRules, HttpsTakesOnlyATrustedServerAndATlsClose) {
  TestAuthority ca(certificates.path());
  ASSERT_TRUE(ca.made()) << ca.log();
  limits.Authorities = {ca.Authority()};
  const struct {
    const char* name;
    TestAuthority::Kind kind;
    bool trusted;
  } cases[] = {
      {"from the trusted authority", TestAuthority::Kind::Trusted, true},
      {"signed by itself", TestAuthority::Kind::SelfSigned, false},
      {"for another host", TestAuthority::Kind::WrongHost, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackHttpServer server(ca.Server(c.kind));
    server.Serve("/list.ini", {200, "[S]\nK=v\n"});
    EXPECT_EQ(Fetch(At(server, "/list.ini"), limits), c.trusted);
    EXPECT_EQ(server.requests.size(), c.trusted ? 1 : 0);
    if (c.trusted) {
      EXPECT_EQ(Read(File()), "[S]\nK=v\n");
    }
  }
  // Without the test's authority, the system's own do not know the server.
  LoopbackHttpServer server(ca.Server(TestAuthority::Kind::Trusted));
  server.Serve("/list.ini", {200, "[S]\n"});
  DownloadLimits systemAuthorities = limits;
  systemAuthorities.Authorities.clear();
  EXPECT_FALSE(Fetch(At(server, "/list.ini"), systemAuthorities));

  // No length: the TLS close ends the list; a connection cut without it is no list.
  const QByteArray body(133, 'b');
  server.Serve("/closed.ini", {200, body, Style::NoLength});
  EXPECT_TRUE(Fetch(At(server, "/closed.ini"), limits));
  EXPECT_EQ(Read(File()), body.toStdString());
  server.Serve("/cut.ini", {200, body, Style::NoLengthCut});
  EXPECT_FALSE(Fetch(At(server, "/cut.ini"), limits));
}

}  // namespace
}  // namespace tranchex
