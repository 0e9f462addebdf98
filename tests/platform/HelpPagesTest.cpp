// The help viewer: the page and anchor opened for each help context, the French message when the
// page is missing or no browser starts, and the shipped page, which carries a topic for every
// window that asks for help.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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
constexpr int kContexts[] = {10,  20,  40,  90,   100,  110,  130,  160,  170, 180,
                             190, 210, 1020, 1030, 1040, 2010, 2020, 2030, 2040};

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HelpPagesTest : public ::testing::Test {
 protected:
  QString Folder() const { return QString::fromStdString(dir.path().string()); }
  void WritePage() {
    std::ofstream(dir.path() / "aide.html") << "<html><body id=\"aide-10\"></body></html>";
  }

  TempDir dir;
  RecordingUrlOpener browser;
  ScriptedPrompts prompts;
};

TEST_F(HelpPagesTest, EachContextOpensThePageBesideTheProgramAtItsAnchor) {
  WritePage();
  HelpPages help(Folder(), browser, prompts);
  const QString page = QDir(Folder()).absoluteFilePath(QStringLiteral("aide.html"));
  // Every window's context, then 0: a window that opens the help without a topic of its own.
  std::vector<int> contexts(std::begin(kContexts), std::end(kContexts));
  contexts.push_back(0);
  for (int context : contexts) {
    browser.urls.clear();
    help.ShowHelp(context);
    ASSERT_EQ(browser.urls.size(), 1u) << context;
    const QUrl url = browser.urls.front();
    EXPECT_EQ(url.scheme(), QStringLiteral("file")) << context;
    EXPECT_EQ(url.toLocalFile(), page) << context;
    if (context != 0) {
      EXPECT_EQ(url.fragment(), QStringLiteral("aide-%1").arg(context)) << context;
    } else {
      EXPECT_FALSE(url.hasFragment());
    }
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(HelpPagesTest, AMissingPageIsReportedAndNothingIsOpened) {
  struct Case {
    const char* what;
    QString folder;
  };
  // A folder in place of the page stops even root from reading it as a page.
  std::filesystem::create_directories(dir.path() / "dossier" / "aide.html");
  const Case cases[] = {
      {"no help folder", QDir(Folder()).absoluteFilePath(QStringLiteral("absent"))},
      {"a folder without the page", Folder()},
      {"a folder named as the page", QDir(Folder()).absoluteFilePath(QStringLiteral("dossier"))},
  };
  for (const Case& c : cases) {
    prompts.asked.clear();
    HelpPages help(c.folder, browser, prompts);
    help.ShowHelp(1030);
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
  WritePage();
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
  EXPECT_TRUE(browser.urls.front().toString().endsWith(QStringLiteral("aide.html#aide-110")));
}

// The page the build puts beside the program (the tests run from the same folder) has one
// topic for every context a window asks for, and its table of contents leads to each.
TEST(ShippedHelpPage, HasATopicForEveryHelpContext) {
  const QString page =
      QDir(HelpFolderBesideProgram()).absoluteFilePath(QString::fromLatin1(kHelpPageName));
  ASSERT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
  const std::string html = ReadAll(page);
  for (int context : kContexts) {
    const std::string anchor = HelpAnchor(context).toStdString();
    const std::string target = "id=\"" + anchor + "\"";
    const auto first = html.find(target);
    ASSERT_NE(first, std::string::npos) << anchor;
    EXPECT_EQ(html.find(target, first + 1), std::string::npos) << anchor << " twice";
    EXPECT_NE(html.find("href=\"#" + anchor + "\""), std::string::npos) << anchor << " not listed";
  }
  // The page declares its encoding, so that the accents show in any browser.
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
}

}  // namespace
}  // namespace tranchex::test
