// The help menu of the main window: F1 anywhere in the window and "Aide Tranchex" open the
// window's topic, a form's F1 its own; the three web pages and the box when no browser starts;
// the about box, placed over the window and closed by Enter.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "dialogs/UApropos.h"
#include "dialogs/USelUnite.h"
#include "platform/HelpPages.h"
#include "shell/MainWindowFixture.h"
#include "support/RecordingUrlOpener.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

class HelpMenu : public MainWindowTest {
 protected:
  TFDebit& StartActive() {
    Start();
    window->Help.SetTarget(&help);
    window->WebBrowser = &browser;
    QApplication::setActiveWindow(window.get());
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }

  RecordingHelp help;
  RecordingUrlOpener browser;
};

TEST_F(HelpMenu, F1AnywhereInTheWindowAndAideOpenTheWindowsTopic) {
  StartActive();
  QTest::keyClick(window.get(), Qt::Key_F1);
  QTest::keyClick(window->View, Qt::Key_F1);
  QTest::keyClick(window->Panel1, Qt::Key_F1);
  QTest::keyClick(Button("BtnNouveau"), Qt::Key_F1);
  // With a job shown too.
  OpenByDialog(WriteJob("aide.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  QTest::keyClick(window->View, Qt::Key_F1);
  Trigger("AideTranchex");
  EXPECT_EQ(help.contexts, (std::vector<int>{10, 10, 10, 10, 10, 10}));
  EXPECT_TRUE(browser.urls.empty());
}

// A form opened by the window answers F1 with its own topic, not the window's.
TEST_F(HelpMenu, F1InAFormOpensTheFormsTopicOnly) {
  StartActive();
  prompts.modals.push_back([](QDialog& d) {
    Activate(d);
    QTest::keyClick(&d, Qt::Key_F1);
    dynamic_cast<TFSelUnite&>(d).BtnOk->click();
    return d.result();
  });
  Trigger("Unites");
  EXPECT_EQ(help.contexts, std::vector<int>{110});
}

// With the program's viewer, "Aide Tranchex" opens the page beside the program at the window's
// topic, and the page has it.
TEST_F(HelpMenu, AideOpensTheShippedPageAtTheWindowsTopic) {
  StartActive();
  HelpPages pages(HelpFolderBesideProgram(), browser, prompts);
  window->Help.SetTarget(&pages);
  Trigger("AideTranchex");
  ASSERT_EQ(browser.urls.size(), 1u);
  EXPECT_EQ(browser.urls[0].fragment(), QStringLiteral("aide-10"));
  EXPECT_EQ(browser.urls[0].toLocalFile(),
            QDir(QCoreApplication::applicationDirPath())
                .absoluteFilePath(QStringLiteral("help/aide-10.html")));
  QFile page(browser.urls[0].toLocalFile());
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_TRUE(page.readAll().contains("id=\"aide-10\""));
  EXPECT_TRUE(prompts.asked.empty());
}

struct WebCase {
  const char* action;
  int addressId;
  bool offersAddress;  // the failure box gives the address to type
};
const WebCase kWebPages[] = {
    {"SiteInternetAuteur", 180, true},
    {"PagePresentationdeTranchex", 181, true},
    {"VideosDemonstrationTranchex", 259, false},
};

const QString kBrowserFailed = QStringLiteral("Impossible de lancer votre navigateur par défaut !");
const QString kTypeAddress = QStringLiteral(
    "Pour accéder à cette page web, lancer manuellement votre navigateur et saisissez dans la "
    "barre d'adresse :\n");

TEST_F(HelpMenu, EachWebCommandOpensItsAddress) {
  StartActive();
  for (const WebCase& c : kWebPages) {
    browser.urls.clear();
    Trigger(c.action);
    ASSERT_EQ(browser.urls.size(), 1u) << c.action;
    EXPECT_EQ(browser.urls[0].toString(), LanguageText(c.addressId)) << c.action;
    EXPECT_TRUE(browser.urls[0].isValid()) << c.action;
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(HelpMenu, AWebPageThatCannotBeShownGivesTheWarningBox) {
  StartActive();
  for (bool noBrowserAtAll : {false, true}) {
    for (const WebCase& c : kWebPages) {
      prompts.asked.clear();
      browser.opens = false;
      window->WebBrowser = noBrowserAtAll ? nullptr : &browser;
      const std::string what = std::string(c.action) + (noBrowserAtAll ? " (none)" : "");
      Trigger(c.action);
      const auto notices = prompts.Of(Kind::Notice);
      ASSERT_EQ(notices.size(), 1u) << what;
      EXPECT_EQ(notices[0].caption, QStringLiteral("Page web")) << what;
      EXPECT_EQ(notices[0].icon, PromptIcon::Warning) << what;
      const QString expected =
          c.offersAddress
              ? kBrowserFailed + QStringLiteral("\n") + kTypeAddress + LanguageText(c.addressId)
              : kBrowserFailed;
      EXPECT_EQ(notices[0].text, expected) << what;
    }
  }
  // Nothing else changed: no job, the job commands still off.
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_FALSE(Find<QAction>("Enregistrer")->isEnabled());
}

TEST_F(HelpMenu, TheHelpCommandsWorkWithAndWithoutAJob) {
  StartActive();
  const char* commands[] = {"AideTranchex", "PagePresentationdeTranchex",
                            "VideosDemonstrationTranchex", "SiteInternetAuteur",
                            "AproposdeTranchex"};
  for (const char* a : commands) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  OpenByDialog(WriteJob("menu.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  for (const char* a : commands) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  EXPECT_EQ(Find<QAction>("AproposdeTranchex")->text(), QStringLiteral("A&propos de Tranchex"));
}

TEST_F(HelpMenu, TheAboutBoxIsPlacedOverTheWindowAndEnterClosesIt) {
  StartActive();
  QPoint shownAt;
  QString caption, text;
  bool closeBox = true;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFApropos&>(d);
    shownAt = form.pos();
    caption = form.windowTitle();
    text = form.LblRens->text();
    closeBox = (form.windowFlags() & Qt::WindowCloseButtonHint) != 0;
    Activate(form);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    return form.result();
  });
  Trigger("AproposdeTranchex");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(caption, QStringLiteral("A propos de Tranchex"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("Tranchex\nVersion 1.6")));
  EXPECT_FALSE(closeBox);
  EXPECT_EQ(shownAt, QPoint(window->x() + window->width() / 2 - window->FApropos->width() / 2,
                            window->y() + 14));
  // The box holds nothing: the help was not asked for and nothing else was shown.
  EXPECT_EQ(prompts.Of(Kind::Modal).size(), 1u);
  EXPECT_TRUE(help.contexts.empty());
}

}  // namespace
}  // namespace tranchex::test
