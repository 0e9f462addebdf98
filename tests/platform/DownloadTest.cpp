// The download writes the file whole from a complete answer or leaves none: the old file goes
// first, and a refused, silent, cut-short or oversized answer leaves no file behind. Everything
// is served by a loopback server the test starts.

#include "platform/Download.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using test::LoopbackHttpServer;
using Style = LoopbackHttpServer::Answer::Style;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Short bounds keep the silent server's case quick; the body cap is the list's.
const DownloadLimits kLimits{300, 64 * 1024};

class DownloadTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir.path() / "Liste_logiciels.ini"; }
  QString FilePath() const { return QString::fromStdString(File().string()); }
  QUrl At(const char* path) const { return QUrl(server.Address() + QString::fromLatin1(path)); }
  // What the folder holds: no temporary file may stay behind.
  std::size_t Entries() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
  }
  void PutOldList() { std::ofstream(File(), std::ios::binary) << "[old]\n"; }

  // An answer the download must refuse.
  struct Refused {
    const char* name;
    int status;
    QByteArray body;
    Style how;
  };
  // Each answer, served over an old list, leaves neither the old list nor a new file.
  template <std::size_t N>
  void ExpectNoListFrom(const Refused (&answers)[N]) {
    for (const Refused& a : answers) {
      SCOPED_TRACE(a.name);
      server.Serve("/list.ini", {a.status, a.body, a.how});
      PutOldList();
      EXPECT_FALSE(DownloadToFile(At("/list.ini"), FilePath(), kLimits));
      EXPECT_FALSE(fs::exists(File()));
      EXPECT_EQ(Entries(), 0u);
    }
  }

  test::TempDir dir;
  LoopbackHttpServer server;
};

TEST_F(DownloadTest, ACompleteAnswerReplacesTheFileByteForByte) {
  const QByteArray body("[Tranchex1.6]\r\nDateMaj=2027-01-15T09:00:00\r\n\xE9t\xE9\r\n");
  for (Style how : {Style::Whole, Style::NoLength}) {
    server.Serve("/list.ini", {200, body, how});
    PutOldList();
    EXPECT_TRUE(DownloadToFile(At("/list.ini"), FilePath(), kLimits));
    EXPECT_EQ(Read(File()), body.toStdString());
    EXPECT_EQ(Entries(), 1u);
  }
  // A list exactly at the bound is taken.
  const QByteArray full(kLimits.MaxBytes, 'x');
  server.Serve("/full.ini", {200, full});
  EXPECT_TRUE(DownloadToFile(At("/full.ini"), FilePath(), kLimits));
  EXPECT_EQ(Read(File()).size(), static_cast<std::size_t>(kLimits.MaxBytes));
}

// Whatever goes wrong, the old file is gone and no new one stands in its place.
TEST_F(DownloadTest, AFailedTransferLeavesNoFile) {
  const QByteArray oversized(kLimits.MaxBytes + 1, 'x');
  const Refused cases[] = {
      {"not found", 404, "Not Found", Style::Whole},
      {"server error", 500, "[Tranchex1.6]\n", Style::Whole},
      {"never answers", 200, "", Style::NeverAnswer},
      {"cut short", 200, QByteArray(4000, 'a'), Style::CutShort},
      {"oversized, announced", 200, oversized, Style::Whole},
      {"oversized, not announced", 200, oversized, Style::NoLength},
  };
  ExpectNoListFrom(cases);
  EXPECT_EQ(server.requests.size(), std::size(cases));
}

TEST_F(DownloadTest, OnlyWebAddressesAreFetched) {
  // A local file the list's address might name is never copied in.
  const fs::path secret = dir.path() / "secret.txt";
  std::ofstream(secret) << "[S]\nK=v\n";
  for (const QUrl& address :
       {QUrl::fromLocalFile(QString::fromStdString(secret.string())),
        QUrl(QStringLiteral("data:text/plain,[S]")), QUrl(QStringLiteral("ftp://127.0.0.1/x")),
        QUrl(QStringLiteral("http:///no-host")), QUrl()}) {
    SCOPED_TRACE(address.toString().toStdString());
    PutOldList();
    EXPECT_FALSE(DownloadToFile(address, FilePath(), kLimits));
    EXPECT_FALSE(fs::exists(File()));
  }
  EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(DownloadTest, AListThatCannotBeRemovedIsNotTakenForAFreshOne) {
  // A folder in the list's place: it cannot be removed, so nothing is fetched over it.
  fs::create_directory(File());
  server.Serve("/list.ini", {200, "[S]\n"});
  EXPECT_FALSE(DownloadToFile(At("/list.ini"), FilePath(), kLimits));
  EXPECT_TRUE(fs::is_directory(File()));
}

TEST_F(DownloadTest, AFolderThatCannotTakeTheFileLeavesNone) {
  server.Serve("/list.ini", {200, "[S]\n"});
  const QString inMissingFolder =
      QString::fromStdString((dir.path() / "absent" / "Liste_logiciels.ini").string());
  EXPECT_FALSE(DownloadToFile(At("/list.ini"), inMissingFolder, kLimits));
  EXPECT_FALSE(fs::exists(dir.path() / "absent"));
}

// An answer with no body is no list, and neither is a chunked body whose size cannot be read.
TEST_F(DownloadTest, AnEmptyOrUnreadableAnswerIsNoList) {
  const Refused cases[] = {
      {"204 no content", 204, "", Style::Whole},
      {"200 with an empty body", 200, "", Style::Whole},
      {"200 with an empty body, no length", 200, "", Style::NoLength},
      {"chunked, the last chunk only", 200, "0\r\n\r\n", Style::Chunked},
      {"chunk size unreadable", 200, "zz\r\n[S]\r\n0\r\n\r\n", Style::Chunked},
      {"chunk size negative", 200, "-4\r\n[S]\n\r\n0\r\n\r\n", Style::Chunked},
      {"chunked without its last chunk", 200, "4\r\n[S]\n\r\n", Style::Chunked},
  };
  ExpectNoListFrom(cases);
  // A chunked body read whole is the list, without its framing.
  server.Serve("/list.ini", {200, "4\r\n[S]\n\r\n5;x=1\r\nK=v\r\n\r\n0\r\n\r\n", Style::Chunked});
  EXPECT_TRUE(DownloadToFile(At("/list.ini"), FilePath(), kLimits));
  EXPECT_EQ(Read(File()), "[S]\nK=v\r\n");
}

// A moved list is followed, to another path of the server.
TEST_F(DownloadTest, AMovedListIsFollowed) {
  server.Serve("/old.ini", {302, "/new.ini", Style::Redirect});
  server.Serve("/new.ini", {200, "[S]\n"});
  EXPECT_TRUE(DownloadToFile(At("/old.ini"), FilePath(), kLimits));
  EXPECT_EQ(Read(File()), "[S]\n");
  // A loop of moves ends, with no list.
  server.Serve("/loop.ini", {301, "/loop.ini", Style::Redirect});
  EXPECT_FALSE(DownloadToFile(At("/loop.ini"), FilePath(), kLimits));
  EXPECT_FALSE(fs::exists(File()));
}

// A hostile server does not hold the caller: the download gives up at its bounds, closes the
// connection before it returns, writes no list, and the next download works.
TEST_F(DownloadTest, AHostileServerIsLeftAtTheBounds) {
  // A one-second bound. The call must return within that bound and a few seconds: the margin
  // is generous for a loaded machine; the fault it catches kept the caller twice the bound and
  // more, and the connection open after it.
  const DownloadLimits limits{1000, 64 * 1024};
  constexpr qint64 kMarginMs = 3000;
  const struct {
    const char* name;
    Style how;
  } cases[] = {
      {"header flood", Style::HeaderFlood},
      {"one endless header", Style::LongHeader},
      {"endless chunked body", Style::EndlessChunked},
      {"oversized body in small writes", Style::SmallWrites},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server.Serve("/list.ini", {200, {}, c.how});
    PutOldList();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(DownloadToFile(At("/list.ini"), FilePath(), limits));
    EXPECT_LT(clock.elapsed(), limits.TimeoutMs + kMarginMs);
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(Entries(), 0u);
    // The client has closed the connection: the server learns it at its next turns (a bounded
    // number of them), and stops sending.
    const auto ended = server.LastHostileEnded();
    ASSERT_NE(ended, nullptr);
    const auto& sent = *ended;
    EXPECT_TRUE(sent.closedByClient);
    // The next check finds the list.
    server.Serve("/ok.ini", {200, "[S]\nK=v\n"});
    EXPECT_TRUE(DownloadToFile(At("/ok.ini"), FilePath(), limits));
    EXPECT_EQ(Read(File()), "[S]\nK=v\n");
  }
}

TEST(WebAddress, OnlyHttpAndHttpsWithAHost) {
  struct Case {
    const char* address;
    bool web;
  };
  const Case cases[] = {
      {"https://example.org/setup.exe", true}, {"HTTP://example.org", true},
      {"http://127.0.0.1:8000/x", true},        {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},           {"ftp://example.org/setup.exe", false},
      {"setup.exe", false},                     {"https://", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWebAddress(QUrl(QString::fromLatin1(c.address))), c.web) << c.address;
  }
}

}  // namespace
}  // namespace tranchex
