// Every window a user can see and reach: the keyboard's way to the tool panel (the "Vue" menu
// and its keys), a keyboard letter for every menu item, a page counter and a designations list
// wide enough for their texts, a disabled tool button that looks disabled, forms as wide as
// their captions and placed whole on the offscreen platform's screen.

#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QPrinter>
#include <map>
#include <vector>

#include "dialogs/SelModif.h"
#include "dialogs/UGestDesPieces.h"
#include "dialogs/UOptions.h"
#include "job/PageLists.h"
#include "dialogs/USelModeAffPanneaux.h"
#include "dialogs/USelUnite.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

// The letter a menu text marks for the keyboard, in lower case; none: a null character.
QChar MarkedLetter(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == u'&' && text[i + 1] != u'&') return text[i + 1].toLower();
    if (text[i] == u'&') ++i;
  }
  return {};
}

class ReachTest : public MainWindowTest {
 protected:
  // The window active, as the user's window is, so that its keys reach it.
  void ActivateWindow() {
    QApplication::setActiveWindow(window.get());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
  }
  // A job of ten parts, laid out, shown in the parts view (ten pages).
  void StartWithPartsView() {
    Start();
    OpenByDialog(WriteJob("dix.deb", JobBuilder()
                                          .kind(2)
                                          .kerf(30)
                                          .panel(28000, 20700, 4)
                                          .part(6000, 4000, 1)
                                          .part(3000, 2000, 1)
                                          .part(3100, 2000, 1)
                                          .part(3200, 2000, 1)
                                          .part(3300, 2000, 1)
                                          .part(3400, 2000, 1)
                                          .part(3500, 2000, 1)
                                          .part(3600, 2000, 1)
                                          .part(3700, 2000, 1)
                                          .part(3800, 2000, 1)
                                          .build()));
    ASSERT_EQ(job.JobLoaded, 1);
    ASSERT_EQ(job.JobParts.size(), 10u);
    ActivateWindow();
  }
};

TEST_F(ReachTest, EveryMenuItemHasItsOwnKeyboardLetter) {
  Start();
  for (QMenu* menu : {window->Fichier, window->Edition, window->Vue, window->Options,
                      window->GestionnaireDesDimensions, window->N11}) {
    SCOPED_TRACE(menu->objectName().toStdString());
    std::map<QChar, QString> taken;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || !action->isVisible()) continue;
      const QChar letter = MarkedLetter(action->text());
      EXPECT_FALSE(letter.isNull()) << action->text().toStdString();
      if (letter.isNull()) continue;
      const auto [at, added] = taken.emplace(letter, action->text());
      EXPECT_TRUE(added) << action->text().toStdString() << " and "
                         << at->second.toStdString();
    }
  }
  // The menu titles of the bar too.
  std::map<QChar, QString> titles;
  for (QAction* action : window->menuBar()->actions()) {
    if (!action->isVisible()) continue;
    const QChar letter = MarkedLetter(action->text());
    ASSERT_FALSE(letter.isNull()) << action->text().toStdString();
    EXPECT_TRUE(titles.emplace(letter, action->text()).second) << action->text().toStdString();
  }
}

// The words of the options are the user's: their items still get letters of their own.
TEST_F(ReachTest, TheViewItemsFollowTheWordsWithLettersOfTheirOwn) {
  Start();
  EXPECT_EQ(window->VuePanneaux->text().remove(u'&'), QStringLiteral("Panneaux"));
  EXPECT_EQ(window->VuePieces->text().remove(u'&'), QStringLiteral("Pièces"));
  EXPECT_EQ(window->VuePanneaux->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
  EXPECT_EQ(window->PageSuivante->shortcut(), QKeySequence(Qt::Key_PageDown));
}

// Page Up, Page Down, Home and End move through the pages; the view keys choose the view, as
// the buttons do.
TEST_F(ReachTest, TheKeysMoveThroughThePagesAndChooseTheView) {
  StartWithPartsView();
  Key(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(window->ViewMode, kPartsView);
  EXPECT_TRUE(Button("SBtnPieces")->isChecked());
  EXPECT_EQ(Counter(), QStringLiteral("1\\10"));
  struct Step {
    int key;
    const char* counter;
  };
  const Step steps[] = {{Qt::Key_PageDown, "2\\10"}, {Qt::Key_PageDown, "3\\10"},
                        {Qt::Key_PageUp, "2\\10"},   {Qt::Key_End, "10\\10"},
                        {Qt::Key_PageDown, "10\\10"}, {Qt::Key_Home, "1\\10"},
                        {Qt::Key_PageUp, "1\\10"}};
  for (const Step& s : steps) {
    Key(s.key);
    EXPECT_EQ(Counter(), QString::fromLatin1(s.counter)) << s.key;
    EXPECT_EQ(window->CurrentPage + 1, Counter().section(u'\\', 0, 0).toInt());
  }
  Key(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(window->ViewMode, kCuttingSheetView);
  Key(Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(window->ViewMode, kPanelsView);
  EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
}

// A key follows its button, whenever the "Vue" menu was last opened: opened on page 1 (first and
// previous page grey), it must not leave Page Up dead on page 2, nor End after the last page.
TEST_F(ReachTest, APageKeyFollowsItsButtonWhateverTheMenuShowedLast) {
  StartWithPartsView();
  Key(Qt::Key_2, Qt::ControlModifier);
  ASSERT_EQ(Counter(), QStringLiteral("1\\10"));
  QMenu* menu = window->findChild<QMenu*>(QStringLiteral("Vue"));
  ASSERT_NE(menu, nullptr);
  Q_EMIT menu->aboutToShow();
  Q_EMIT menu->aboutToHide();
  Key(Qt::Key_PageDown);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(Counter(), QStringLiteral("3\\10"));
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Counter(), QStringLiteral("2\\10"));
  Key(Qt::Key_Home);
  EXPECT_EQ(Counter(), QStringLiteral("1\\10"));
  // Shown again on the last page: next and last grey there, then the way back and forth works.
  Key(Qt::Key_End);
  Q_EMIT menu->aboutToShow();
  Q_EMIT menu->aboutToHide();
  Key(Qt::Key_Home);
  Key(Qt::Key_End);
  EXPECT_EQ(Counter(), QStringLiteral("10\\10"));
}

// The drawing mode and the print of the whole view have their keys; without a job the keys of
// the disabled buttons do nothing.
TEST_F(ReachTest, TheDrawingModeAndThePrintButtonHaveTheirKeys) {
  Start();
  ActivateWindow();
  Key(Qt::Key_M, Qt::ControlModifier);        // no form: the button is disabled
  Key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);  // nothing printed, nothing asked
  Key(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(window->ViewMode, kPanelsView);
  EXPECT_TRUE(prompts.asked.empty());

  OpenByDialog(WriteJob("touches.deb", GoodJob()));
  ActivateWindow();
  bool modeForm = false;
  prompts.modals.push_back([&](QDialog& d) {
    modeForm = dynamic_cast<TFSelModeAffPanneaux*>(&d) != nullptr;
    return int(QDialog::Accepted);
  });
  Key(Qt::Key_M, Qt::ControlModifier);
  EXPECT_TRUE(modeForm);

  window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
  window->SessionPrinter().setOutputFileName(Folder() + QStringLiteral("/vue.pdf"));
  prompts.files.push_back(Folder() + QStringLiteral("/vue.pdf"));
  Key(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("/vue.pdf")));
  EXPECT_TRUE(prompts.Exhausted());
}

// Page 101 of 2000 reads "101\2000", the last page "2000\2000": the counter's text area (the
// frame and the edit's own margins left out) holds its widest text whole, so it never scrolls.
TEST_F(ReachTest, ThePageCounterShowsItsWidestTextWhole) {
  Start();
  QLineEdit* counter = Find<QLineEdit>("EdtQuantieme");
  QStyleOptionFrame option;
  option.initFrom(counter);
  option.rect = counter->rect();
  option.lineWidth = counter->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, counter);
  const QRect area = counter->style()
                         ->subElementRect(QStyle::SE_LineEditContents, &option, counter)
                         .marginsRemoved(counter->textMargins());
  const int textRoom = area.width() - 2 * 2;  // the edit keeps 2 pixels on each side
  for (const char* text : {"101\\2000", "2000\\2000", "9999\\9999", "10000\\10000"}) {
    SCOPED_TRACE(text);
    EXPECT_LE(counter->fontMetrics().horizontalAdvance(QString::fromLatin1(text)), textRoom);
  }
}

// A disabled tool button does not look like an enabled one, the picture-only buttons included.
TEST_F(ReachTest, ADisabledToolButtonLooksDisabled) {
  Start();
  ASSERT_EQ(job.JobLoaded, 0);
  for (const char* name : {"SBtnRecap", "BtnEnre", "BtnPremier", "SBtnPanneaux"}) {
    SCOPED_TRACE(name);
    QToolButton* button = Button(name);
    ASSERT_FALSE(button->isEnabled());
    const QImage disabled = button->grab().toImage();
    button->setEnabled(true);
    const QImage enabled = button->grab().toImage();
    button->setEnabled(false);
    EXPECT_NE(disabled, enabled);
  }
}

// The forms narrower than their captions are widened to show them whole.
TEST_F(ReachTest, EachFormIsAsWideAsItsCaption) {
  Start();
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const std::vector<QDialog*> forms = {window->FSelUnite, window->FSelModeAffPanneaux, window->FSelMod};
  for (QDialog* form : forms) {
    SCOPED_TRACE(form->objectName().toStdString());
    form->show();
    QApplication::processEvents();
    // The caption's text and at least room for the frame's close button beside it.
    EXPECT_GE(form->width(), metrics.horizontalAdvance(form->windowTitle()) + 26)
        << form->windowTitle().toStdString();
    form->hide();
  }
}

// The longest designation a part may hold (49 characters) shows whole in the manager's list.
TEST_F(ReachTest, TheDesignationsListShowsTheLongestDesignationWhole) {
  Start();
  const QString longest = QStringLiteral("Montant vertical gauche de la porte du buffet bas");
  ASSERT_EQ(longest.size(), 49);
  settings.DesignationNames = {longest.toStdString()};
  bool shown = false;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFGestDesPieces&>(d);
    QApplication::processEvents();
    QListWidget* list = form.LbDesPieces;
    EXPECT_EQ(list->count(), 1);
    if (list->count() != 1) return int(QDialog::Rejected);
    shown = true;
    EXPECT_LE(list->visualItemRect(list->item(0)).left() +
                  list->fontMetrics().horizontalAdvance(longest),
              list->viewport()->width());
    return int(QDialog::Accepted);
  });
  Trigger("GestionDesignationsPieces");
  EXPECT_TRUE(shown);
}

// The options form (wider than the window it is centred on) opens whole on the screen with the
// window at the screen's left edge.
TEST_F(ReachTest, TheOptionsFormOpensWholeOnScreen) {
  Start();
  const QRect area = window->screen()->availableGeometry();
  window->move(area.topLeft());
  bool shown = false;
  prompts.modals.push_back([&](QDialog& d) {
    shown = true;
    EXPECT_GT(d.width(), window->width());
    EXPECT_TRUE(area.contains(d.frameGeometry())) << d.frameGeometry().x() << " "
                                                  << d.frameGeometry().width();
    return int(QDialog::Rejected);
  });
  Trigger("OptionsGl");
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace tranchex::test
