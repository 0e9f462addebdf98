// The start-up update check against a loopback server: the decision between nothing, the
// download question and the version page; what is opened; the upgrade item that the list left
// in the data folder shows or hides; and a server that fails in every way leaving start-up as it
// was. No test reaches the network.

#include "shell/UpdateCheck.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <QWindow>
#include <filesystem>
#include <fstream>

#include "dialogs/UMiseAJour.h"
#include "dialogs/UMiseANiveau.h"
#include "platform/IniFile.h"
#include "platform/TextIds.h"
#include "shell/MainWindowFixture.h"
#include "support/LoopbackHttpServer.h"
#include "support/RecordingUrlOpener.h"

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedPrompts::Kind;
using Decision = UpdateDecision::Kind;

constexpr const char* kKey = "Tranchex1.6";
constexpr const char* kListPath = "/maj_logiciels/Liste_logiciels.ini";
// The program file's date the tests give the check: builds dated after it are newer.
const QDateTime kProgramDate(QDate(2027, 1, 1), QTime(12, 0));
// Short bounds: a silent server is given up quickly.
const DownloadLimits kLimits{300, 64 * 1024};

// A list with one section for the key.
QByteArray List(const char* dateMaj, const char* derVersion,
                const char* urlMaj = "https://maj.example.org/Tranchex1.6-setup.exe") {
  return QByteArray("[Tranchex1.6]\r\nDateMaj=") + dateMaj + "\r\nUrlMaj=" + urlMaj +
         "\r\nNomPInstall=setup.exe\r\nDerVersion=" + derVersion + "\r\n";
}

TEST(UpdateServer, FromTheEnvironment) {
  struct Case {
    const char* value;  // null: not set
    std::optional<QString> server;
  };
  const Case cases[] = {
      {nullptr, QStringLiteral("https://tranchex.example.org")},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"http://127.0.0.1:8000/", QStringLiteral("http://127.0.0.1:8000")},
      {"https://maj.example.com", QStringLiteral("https://maj.example.com")},
      {"ftp://maj.example.com", std::nullopt},
      {"file:///tmp/maj", std::nullopt},
      {"maj.example.com", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpdateServerAddress(c.value), c.server) << (c.value ? c.value : "(unset)");
  }
}

TEST(UpdateDate, OnlyIso8601IsRead) {
  const QDate day(2027, 1, 15);
  struct Case {
    const char* text;
    std::optional<QDateTime> date;
  };
  const Case cases[] = {
      {"2027-01-15T09:30:00", QDateTime(day, QTime(9, 30))},
      {" 2027-01-15T09:30:00 ", QDateTime(day, QTime(9, 30))},
      {"2027-01-15T09:30:00Z", QDateTime(day, QTime(9, 30), Qt::UTC)},
      {"2027-01-15T09:30:00+01:00", QDateTime(day, QTime(8, 30), Qt::UTC)},
      {"2027-01-15T09:30:00.250", QDateTime(day, QTime(9, 30, 0, 250))},
      {"2027-01-15", QDateTime(day, QTime(0, 0))},
      {"", std::nullopt},
      {"15/01/2027 09:30:00", std::nullopt},
      {"2027-13-01T00:00:00", std::nullopt},
      {"2027-01-15T25:00:00", std::nullopt},
      {"demain", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<QDateTime> read = ParseUpdateDate(QString::fromLatin1(c.text));
    ASSERT_EQ(read.has_value(), c.date.has_value()) << c.text;
    if (read) {
      EXPECT_EQ(*read, *c.date) << c.text;  // the same instant
    }
  }
}

TEST(UpdateDecisionTable, OlderProgramsAreOfferedTheBuildOrThePage) {
  struct Case {
    const char* name;
    QByteArray list;
    Decision what;
  };
  const Case cases[] = {
      {"newer build of this version", List("2027-01-15T09:00:00", kKey), Decision::OfferDownload},
      {"newer version", List("2027-01-15T09:00:00", "Tranchex2.0"), Decision::ShowVersionPage},
      {"no newest version named", List("2027-01-15T09:00:00", ""), Decision::ShowVersionPage},
      // The key and DerVersion are compared byte for byte.
      {"newest version in other case", List("2027-01-15T09:00:00", "tranchex1.6"),
       Decision::ShowVersionPage},
      {"built at the same instant", List("2027-01-01T12:00:00", kKey), Decision::Nothing},
      {"built before the program", List("2026-12-01T00:00:00", "Tranchex2.0"), Decision::Nothing},
      {"unreadable date", List("15/01/2027", "Tranchex2.0"), Decision::Nothing},
      {"no date", List("", kKey), Decision::Nothing},
      {"another product's section only",
       "[Autre1.0]\nDateMaj=2027-01-15T09:00:00\nDerVersion=Autre1.0\n", Decision::Nothing},
      {"section and keys in other case",
       "[TRANCHEX1.6]\ndatemaj=2027-01-15T09:00:00\nURLMAJ=https://maj.example.org/s.exe\n"
       "derversion=Tranchex1.6\n",
       Decision::OfferDownload},
      {"an HTML error page", "<html><body>Erreur 500</body></html>", Decision::Nothing},
  };
  for (const Case& c : cases) {
    const std::optional<IniFile> list = IniFile::Parse(c.list.toStdString());
    ASSERT_TRUE(list.has_value()) << c.name;
    const UpdateDecision decision = DecideUpdate(*list, kKey, kProgramDate);
    EXPECT_EQ(decision.What, c.what) << c.name;
    if (c.what == Decision::OfferDownload) {
      EXPECT_TRUE(decision.DownloadAddress.startsWith(QStringLiteral("https://maj.example.org/")))
          << c.name;
    }
  }
  // A program file whose date is unknown is not told it is old.
  const std::optional<IniFile> newer = IniFile::Parse(List("2027-01-15T09:00:00", kKey).data());
  EXPECT_EQ(DecideUpdate(*newer, kKey, QDateTime()).What, Decision::Nothing);
}

// The check on its own, with a window to centre on and the data folder inside a temporary
// folder, so that anything written beside it shows.
class UpdateCheckRun : public ::testing::Test {
 protected:
  QString DataFolder() const { return QString::fromStdString((dir.path() / "data").string()); }
  fs::path ListFile() const { return dir.path() / "data" / "Liste_logiciels.ini"; }

  void Run(const QByteArray& list) {
    server.Serve(kListPath, {200, list});
    Run();
  }
  void Run() {
    fs::create_directories(dir.path() / "data");
    UpdateCheck check(server.Address() + QStringLiteral("/"), kProgramDate, prompts, browser,
                      kLimits);
    check.CheckForUpdate(window, DataFolder(), kKey);
  }

  TempDir dir;
  LoopbackHttpServer server;
  ScriptedPrompts prompts;
  RecordingUrlOpener browser;
  QWidget window;
};

TEST_F(UpdateCheckRun, ANewerBuildIsOfferedAndOpenedOnYes) {
  const QString setup = QStringLiteral("https://maj.example.org/Tranchex1.6-setup.exe");
  struct Case {
    const char* name;
    PromptAnswer answer;
    bool browserOpens;
    bool opened;
    bool failureShown;
  };
  const Case cases[] = {
      {"yes", PromptAnswer::Yes, true, true, false},
      {"no", PromptAnswer::No, true, false, false},
      {"yes, no browser", PromptAnswer::Yes, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    browser = RecordingUrlOpener();
    browser.opens = c.browserOpens;
    prompts.answers = {c.answer};
    Run(List("2027-01-15T09:00:00", kKey));

    ASSERT_EQ(prompts.Of(Kind::Ask).size(), 1u);
    const auto question = prompts.Of(Kind::Ask).front();
    EXPECT_EQ(question.caption, LanguageText(TextId::Messages::MsgUpdateTitle));
    EXPECT_EQ(question.text, LanguageText(TextId::Messages::MsgUpdateDownload));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.icon, PromptIcon::Question);
    EXPECT_EQ(browser.urls, c.opened ? std::vector<QUrl>{QUrl(setup)} : std::vector<QUrl>{});
    if (c.failureShown) {
      ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
      EXPECT_EQ(prompts.Of(Kind::Notice).front().caption,
                LanguageText(TextId::Messages::MsgConnectionError));
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(TextId::Messages::MsgUpdatePageFailed)});
    } else {
      EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
    }
  }
  EXPECT_EQ(server.requests.front(), QString::fromLatin1(kListPath));
}

// An address from the list is opened only when it is a web page: anything else is dropped
// without a question.
TEST_F(UpdateCheckRun, ADownloadAddressThatIsNoWebPageIsDropped) {
  for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "ftp://maj.example.org/s.exe",
                              "setup.exe", "", "\\\\serveur\\partage\\setup.exe"}) {
    SCOPED_TRACE(address);
    Run(List("2027-01-15T09:00:00", kKey, address));
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(browser.urls.empty());
  }
}

TEST_F(UpdateCheckRun, ANewerVersionShowsItsPageCentredOnTheScreen) {
  const QString page = server.Address() + QStringLiteral("/info/maj.php?logiciel=Tranchex1.6");
  for (bool browserOpens : {true, false}) {
    SCOPED_TRACE(browserOpens);
    prompts = ScriptedPrompts();
    browser = RecordingUrlOpener();
    browser.opens = browserOpens;
    QString caption, shownAddress;
    QPoint shownAt, centred;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TFMiseAJour&>(d);
      caption = form.windowTitle();
      shownAddress = form.LblAdresse->text();
      shownAt = form.pos();
      const QRect screen = form.screen()->geometry();
      centred = {screen.left() + screen.width() / 2 - form.width() / 2,
                 screen.top() + screen.height() / 2 - form.height() / 2};
      QTest::mouseClick(form.BtnOuvrir, Qt::LeftButton);
      EXPECT_TRUE(form.isVisible());  // the page stays until "Fermer"
      QTest::mouseClick(form.BtnFermer, Qt::LeftButton);
      EXPECT_FALSE(form.isVisible());
      return form.result();
    });
    Run(List("2027-01-15T09:00:00", "Tranchex2.0"));

    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(caption, LanguageText(TextId::Messages::MsgUpdateTitle));
    EXPECT_EQ(shownAddress, page);
    EXPECT_EQ(shownAt, centred);
    EXPECT_EQ(browser.urls, std::vector<QUrl>{QUrl(page)});
    EXPECT_TRUE(prompts.Of(Kind::Ask).empty());
    EXPECT_EQ(prompts.NoticeTexts(),
              browserOpens ? QStringList{}
                           : QStringList{LanguageText(TextId::Messages::MsgUpdatePageFailed)});
  }
}

TEST_F(UpdateCheckRun, AnUpToDateProgramOrAnUnreadableListShowsNothing) {
  const QByteArray oversized = List("2027-01-15T09:00:00", kKey) + QByteArray(70 * 1024, ';');
  struct Case {
    const char* name;
    int status;
    QByteArray body;
    bool listKept;
  };
  const Case cases[] = {
      {"up to date", 200, List("2026-06-01T00:00:00", "Tranchex2.0"), true},
      {"bad date", 200, List("le 15 janvier", "Tranchex2.0"), true},
      {"empty answer: no list", 200, "", false},
      {"binary", 200, QByteArray("[Tranchex1.6]\0DateMaj=2027-01-15", 32), true},
      {"not found", 404, "", false},
      {"oversized", 200, oversized, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server.Serve(kListPath, {c.status, c.body});
    Run();
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(fs::exists(ListFile()), c.listKept);
    // Nothing but the list is written, and only in the data folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "data"), fs::directory_iterator()),
              c.listKept ? 1 : 0);
  }
}

// ---- The check in the main window's start-up ------------------------------------------------

class UpdateAtStartUp : public MainWindowTest {
 protected:
  void StartWithCheck(std::optional<QString> commandLine = std::nullopt) {
    check.emplace(server.Address(), kProgramDate, prompts, pageBrowser, kLimits);
    updates = &*check;
    Start(std::move(commandLine));
  }
  bool UpgradeItemShown() { return Find<QAction>("MiseANiveau")->isVisible(); }
  fs::path ListFile() const { return dir.path() / "Liste_logiciels.ini"; }
  void PutLocalList(const QByteArray& list) {
    WriteBytes(ListFile(), list.toStdString());
  }

  LoopbackHttpServer server;
  RecordingUrlOpener pageBrowser;  // what the check opens
  std::optional<UpdateCheck> check;
};

// The item follows the list the check leaves in the data folder; a list kept from an earlier
// start counts for nothing once the download fails.
TEST_F(UpdateAtStartUp, TheUpgradeItemFollowsTheFreshList) {
  struct Case {
    const char* name;
    int status;
    QByteArray served;
    bool shown;
  };
  const Case cases[] = {
      {"this version is the newest", 200, List("2026-06-01T00:00:00", kKey), false},
      {"a newer version exists", 200, List("2026-06-01T00:00:00", "Tranchex2.0"), true},
      {"no section for this version", 200, "[Autre1.0]\nDerVersion=Tranchex1.6\n", true},
      {"keys in other case", 200, "[tranchex1.6]\nDERVERSION=Tranchex1.6\n", false},
      {"no list on the server", 404, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    PutLocalList(List("2026-06-01T00:00:00", kKey));  // from an earlier start: item hidden
    server.Serve(kListPath, {c.status, c.served});
    StartWithCheck();
    EXPECT_EQ(UpgradeItemShown(), c.shown);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(fs::exists(ListFile()), c.status == 200);
    window.reset();
  }
}

TEST_F(UpdateAtStartUp, ASilentServerDelaysNothingElse) {
  server.Serve(kListPath, {200, "", LoopbackHttpServer::Answer::Style::NeverAnswer});
  PutLocalList(List("2026-06-01T00:00:00", kKey));
  const QString jobFile = WriteJob("atelier.deb", GoodJob());
  StartWithCheck(jobFile);
  EXPECT_TRUE(window->Activated());
  EXPECT_EQ(server.requests.size(), 1);
  // The job named on the command line was opened after the check gave up.
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex - atelier.deb"));
  EXPECT_FALSE(fs::exists(ListFile()));
  EXPECT_TRUE(UpgradeItemShown());
  EXPECT_TRUE(prompts.asked.empty());
}

// A close request that arrives while the check waits is not run in the middle of start-up: it
// is kept, and the window closes once start-up has ended.
TEST_F(UpdateAtStartUp, AClosedWindowClosesWhenStartUpEnds) {
  server.Serve(kListPath, {200, "", LoopbackHttpServer::Answer::Style::NeverAnswer});
  bool closedDuringCheck = false;
  bool stillOpenAfterTheRequest = false;
  // Asked for while the check waits for the server: once the server has the request.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (server.requests.isEmpty() || window == nullptr) return;
    poll.stop();
    // Started, and the command-line job (opened after the check) not yet there.
    closedDuringCheck = window->Activated() && !window->StartedUp() && job.JobLoaded == 0;
    window->close();
    stillOpenAfterTheRequest = window->isVisible();
  });
  poll.start(0);
  StartWithCheck(WriteJob("atelier.deb", GoodJob()));
  EXPECT_TRUE(closedDuringCheck);
  EXPECT_TRUE(stillOpenAfterTheRequest);
  // Start-up went to its end (the job opened), then the window closed.
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_FALSE(window->isVisible());
}

// The window is on screen before the check asks the server anything; the check then runs
// before the job named on the command line opens.
TEST_F(UpdateAtStartUp, TheWindowShowsBeforeTheCheckWaits) {
  server.Serve(kListPath, {200, "", LoopbackHttpServer::Answer::Style::NeverAnswer});
  check.emplace(server.Address(), kProgramDate, prompts, pageBrowser, kLimits);
  updates = &*check;
  window = std::make_unique<TFDebit>(prompts, settings, job, Folder(),
                                     WriteJob("atelier.deb", GoodJob()));
  window->Updates = updates;
  window->show();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->Activated());
  EXPECT_TRUE(server.requests.isEmpty());
  EXPECT_FALSE(window->StartedUp());
  EXPECT_FALSE(UpgradeItemShown());  // hidden until the check has run
  EXPECT_EQ(job.JobLoaded, 0);

  // The first paint comes before the check asks the server anything.
  struct PaintProbe : QObject {
    std::function<void()> onPaint;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) onPaint();
      return false;
    }
  } probe;
  int paintsBeforeTheCheck = 0;
  probe.onPaint = [&] {
    if (!window->StartedUp() && job.JobLoaded == 0 && server.requests.isEmpty())
      ++paintsBeforeTheCheck;
  };
  window->View->installEventFilter(&probe);
  FinishStartUp();
  window->View->removeEventFilter(&probe);
  EXPECT_GT(paintsBeforeTheCheck, 0);
  EXPECT_EQ(server.requests.size(), 1);
  EXPECT_EQ(job.JobLoaded, 1);
}

TEST_F(UpdateAtStartUp, ANewerBuildIsOfferedAtStart) {
  server.Serve(kListPath, {200, List("2027-01-15T09:00:00", kKey)});
  prompts.answers = {PromptAnswer::Yes};
  StartWithCheck();
  EXPECT_EQ(prompts.QuestionTexts(),
            QStringList{LanguageText(TextId::Messages::MsgUpdateDownload)});
  EXPECT_EQ(pageBrowser.urls,
            std::vector<QUrl>{QUrl(QStringLiteral("https://maj.example.org/Tranchex1.6-setup.exe"))});
  EXPECT_FALSE(UpgradeItemShown());  // this version is the newest
}

TEST_F(UpdateAtStartUp, TheUpgradeItemOpensItsPageOverTheWindow) {
  const QString page = server.Address() + QStringLiteral("/info/man.php?logiciel=Tranchex1.6");
  RecordingUrlOpener browser;
  StartWithCheck();
  ASSERT_TRUE(UpgradeItemShown());  // no list on the server
  for (bool browserOpens : {true, false}) {
    SCOPED_TRACE(browserOpens);
    prompts = ScriptedPrompts();
    browser = RecordingUrlOpener();
    browser.opens = browserOpens;
    window->WebBrowser = &browser;
    QString caption, shownAddress;
    QPoint shownAt, expected;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TFMiseANiveau&>(d);
      caption = form.windowTitle();
      shownAddress = form.LblAdresse->text();
      shownAt = form.pos();
      expected = {window->x() + window->width() / 2 - form.width() / 2, window->y()};
      QTest::mouseClick(form.BtnOuvrir, Qt::LeftButton);
      QTest::mouseClick(form.BtnFermer, Qt::LeftButton);
      return form.result();
    });
    Trigger("MiseANiveau");
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(caption, QStringLiteral("Mise à niveau de Tranchex"));
    EXPECT_EQ(shownAddress, page);
    EXPECT_EQ(shownAt, expected);
    EXPECT_EQ(browser.urls, std::vector<QUrl>{QUrl(page)});
    if (browserOpens) {
      EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
    } else {
      ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
      EXPECT_EQ(prompts.Of(Kind::Notice).front().caption,
                LanguageText(TextId::Messages::MsgWebPageCaption));
      EXPECT_TRUE(prompts.NoticeTexts().front().endsWith(page));
    }
  }
  EXPECT_TRUE(pageBrowser.urls.empty());
}

// Without a check (no server) nothing is fetched and the item, whose page lives on the server,
// stays hidden.
TEST_F(UpdateAtStartUp, WithoutACheckTheItemIsHidden) {
  PutLocalList("[Autre1.0]\n");
  Start();
  EXPECT_FALSE(UpgradeItemShown());
  EXPECT_TRUE(fs::exists(ListFile()));
  EXPECT_TRUE(server.requests.isEmpty());
}


// A hostile update server holds start-up no longer than the check's bound: each start returns
// within the bound and a few seconds (a margin for a loaded machine and the window's own start;
// the fault it catches held start-up twice the bound and more), writes no list, and a later
// start's check finds the list again.
TEST_F(UpdateAtStartUp, AHostileServerHoldsStartUpNoLongerThanTheBound) {
  constexpr qint64 kMarginMs = 3000;
  using Style = LoopbackHttpServer::Answer::Style;
  for (Style how : {Style::HeaderFlood, Style::LongHeader, Style::EndlessChunked,
                    Style::SmallWrites}) {
    SCOPED_TRACE(static_cast<int>(how));
    prompts = ScriptedPrompts();
    server.Serve(kListPath, {200, {}, how});
    QElapsedTimer clock;
    clock.start();
    StartWithCheck(WriteJob("atelier.deb", GoodJob()));
    EXPECT_LT(clock.elapsed(), kLimits.TimeoutMs + kMarginMs);
    EXPECT_EQ(job.JobLoaded, 1);
    EXPECT_FALSE(fs::exists(ListFile()));
    EXPECT_TRUE(UpgradeItemShown());
    EXPECT_TRUE(prompts.asked.empty());
    window.reset();
  }
  server.Serve(kListPath, {200, List("2026-06-01T00:00:00", kKey)});
  StartWithCheck();
  EXPECT_TRUE(fs::exists(ListFile()));
  EXPECT_FALSE(UpgradeItemShown());
}

}  // namespace
}  // namespace tranchex::test
