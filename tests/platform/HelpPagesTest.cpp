// The help viewer: the page and anchor opened for each help context, the contents for a window
// without a topic, the French message when the pages are missing or no browser starts, and the
// shipped pages, which carry a topic for every window that asks for help.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/HelpPages.h"
#include "support/RecordingUrlOpener.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

// Every help context a window of the program opens: the main window (10), the margin form (20),
// what to modify (40), the export choice (90), the species manager (100), the unit (110), the
// labels (130), the job summary (160), the import (170), the standard dimensions (180), the
// optimisation criteria (190), the designations (210), the job kind (1020), the panels (1030),
// the parts and the differentiated margins (1040), the options (2010), the display options
// (2020), the import columns (2030), the offcut export filter (2040).
constexpr int kContexts[] = {10,  20,  40,   90,   100,  110,  130,  160,  170, 180,
                             190, 210, 1020, 1030, 1040, 2010, 2020, 2030, 2040};

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HelpPagesTest : public ::testing::Test {
 protected:
  QString Folder() const { return QString::fromStdString(dir.path().string()); }
  QString PathOf(const char* name) const {
    return QDir(Folder()).absoluteFilePath(QString::fromLatin1(name));
  }
  // The contents and the topic pages of these contexts.
  void WritePages(const std::vector<int>& contexts) {
    std::ofstream(dir.path() / "aide.html") << "<html><body>Sommaire</body></html>";
    for (int c : contexts) {
      std::ofstream(dir.path() / ("aide-" + std::to_string(c) + ".html"))
          << "<html><body id=\"aide-" << c << "\"></body></html>";
    }
  }

  TempDir dir;
  RecordingUrlOpener browser;
  ScriptedPrompts prompts;
};

TEST_F(HelpPagesTest, EachContextOpensItsPageBesideTheProgramAtItsAnchor) {
  const std::vector<int> contexts(std::begin(kContexts), std::end(kContexts));
  WritePages(contexts);
  HelpPages help(Folder(), browser, prompts);
  for (int context : contexts) {
    browser.urls.clear();
    help.ShowHelp(context);
    ASSERT_EQ(browser.urls.size(), 1u) << context;
    const QUrl url = browser.urls.front();
    EXPECT_EQ(url.scheme(), QStringLiteral("file")) << context;
    EXPECT_EQ(url.toLocalFile(), QDir(Folder()).absoluteFilePath(
                                     QStringLiteral("aide-%1.html").arg(context)))
        << context;
    EXPECT_EQ(url.fragment(), QStringLiteral("aide-%1").arg(context)) << context;
  }
  EXPECT_TRUE(prompts.asked.empty());
}

// Context 0 (a window that opens the help without a topic) and a context without a page of its
// own open the contents.
TEST_F(HelpPagesTest, AWindowWithoutATopicPageGetsTheContents) {
  WritePages({10});
  HelpPages help(Folder(), browser, prompts);
  for (int context : {0, 175}) {
    browser.urls.clear();
    help.ShowHelp(context);
    ASSERT_EQ(browser.urls.size(), 1u) << context;
    EXPECT_EQ(browser.urls[0].toLocalFile(), PathOf("aide.html")) << context;
    EXPECT_FALSE(browser.urls[0].hasFragment()) << context;
  }
  EXPECT_TRUE(prompts.asked.empty());
}

// A folder named like a topic page, beside a real contents page, is no page: the contents open.
TEST_F(HelpPagesTest, AFolderNamedLikeATopicPageOpensTheContents) {
  WritePages({10});
  std::filesystem::create_directories(dir.path() / "aide-1030.html");
  HelpPages help(Folder(), browser, prompts);
  help.ShowHelp(1030);
  ASSERT_EQ(browser.urls.size(), 1u);
  EXPECT_EQ(browser.urls[0].toLocalFile(), PathOf("aide.html"));
  EXPECT_FALSE(browser.urls[0].hasFragment());
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(HelpPagesTest, MissingPagesAreReportedAndNothingIsOpened) {
  // Folders in place of the pages stop even root from reading them as pages.
  std::filesystem::create_directories(dir.path() / "dossiers" / "aide.html");
  std::filesystem::create_directories(dir.path() / "dossiers" / "aide-1030.html");
  struct Case {
    const char* what;
    QString folder;
    int context;
  };
  const Case cases[] = {
      {"no help folder", PathOf("absent"), 1030},
      {"a folder without the pages", Folder(), 1030},
      {"a folder without the contents", Folder(), 0},
      {"folders named as the pages", PathOf("dossiers"), 1030},
      {"folders named as the pages, contents", PathOf("dossiers"), 0},
  };
  for (const Case& c : cases) {
    prompts.asked.clear();
    HelpPages help(c.folder, browser, prompts);
    help.ShowHelp(c.context);
    EXPECT_TRUE(browser.urls.empty()) << c.what;
    const auto notices = prompts.Of(Kind::Notice);
    ASSERT_EQ(notices.size(), 1u) << c.what;
    EXPECT_EQ(notices[0].caption, QStringLiteral("Tranchex")) << c.what;
    EXPECT_EQ(notices[0].icon, PromptIcon::Warning) << c.what;
    EXPECT_EQ(notices[0].text,
              QStringLiteral("Le fichier d'aide de Tranchex est introuvable :\n") +
                  QDir(c.folder).absoluteFilePath(QStringLiteral("aide.html")))
        << c.what;
  }
}

TEST_F(HelpPagesTest, ABrowserThatDoesNotStartIsReportedWithTheAddressToOpen) {
  WritePages({110});
  browser.opens = false;
  HelpPages help(Folder(), browser, prompts);
  help.ShowHelp(110);
  ASSERT_EQ(browser.urls.size(), 1u);
  const auto notices = prompts.Of(Kind::Notice);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].icon, PromptIcon::Warning);
  EXPECT_EQ(notices[0].text,
            QStringLiteral("Impossible de lancer votre navigateur par défaut !\nPour accéder à "
                           "cette page web, lancer manuellement votre navigateur et saisissez "
                           "dans la barre d'adresse :\n") +
                browser.urls.front().toString());
  EXPECT_TRUE(browser.urls.front().toString().endsWith(QStringLiteral("aide-110.html#aide-110")));
}

// The pages the build puts beside the program (the tests run from the same folder): a topic page
// for every context a window asks for, with its anchor, listed in the contents.
TEST(ShippedHelpPages, HaveATopicForEveryHelpContext) {
  const QDir folder(HelpFolderBesideProgram());
  const QString index = folder.absoluteFilePath(QString::fromLatin1(kHelpIndexPage));
  ASSERT_TRUE(QFileInfo(index).isFile()) << index.toStdString();
  const std::string contents = ReadAll(index);
  EXPECT_TRUE(QFileInfo(folder.absoluteFilePath(QStringLiteral("aide.css"))).isFile());
  for (int context : kContexts) {
    const std::string anchor = HelpAnchor(context).toStdString();
    const QString page = folder.absoluteFilePath(HelpTopicPage(context));
    ASSERT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
    const std::string html = ReadAll(page);
    const std::string target = "id=\"" + anchor + "\"";
    const auto first = html.find(target);
    ASSERT_NE(first, std::string::npos) << anchor;
    EXPECT_EQ(html.find(target, first + 1), std::string::npos) << anchor << " twice";
    // Its encoding declared, so that the accents show in any browser; a way back to the
    // contents.
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << anchor;
    EXPECT_NE(html.find("href=\"aide.html\""), std::string::npos) << anchor;
    const std::string link = "href=\"" + HelpTopicPage(context).toStdString() + "#" + anchor + "\"";
    EXPECT_NE(contents.find(link), std::string::npos) << anchor << " not in the contents";
  }
  EXPECT_NE(contents.find("<meta charset=\"utf-8\">"), std::string::npos);
}

}  // namespace
}  // namespace tranchex::test
