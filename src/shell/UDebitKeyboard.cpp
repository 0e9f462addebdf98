// The keyboard's way to the tool panel: the "Vue" menu holds the three views, the panel drawing
// mode, the page moves and the print of the whole view, each with its shortcut shown beside it.
// An item runs its button as a click would, and is enabled exactly when its button is, whether or
// not the menu has been opened since: a key must never stay dead after its button came back.

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

// The letter a menu text marks for the keyboard (after a single "&"), in lower case; none: 0.
QChar AccessKeyOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    ++i;  // "&&" is a shown "&"
  }
  return QChar();
}

// Keeps an action's enabled state on its button's, as the button changes.
class EnabledFollower : public QObject {
 public:
  EnabledFollower(QAction* action, QToolButton* button) : QObject(button), action_(action) {
    action_->setEnabled(button->isEnabled());
    button->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) {
      action_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
    }
    return false;
  }

 private:
  QAction* action_;
};

}  // namespace

// The items of a menu that mark no letter take the first letter of their text (a plain letter or
// digit) that no other item of the menu marks: the language texts shared with a form's caption
// carry none, and the options' words are the user's.
void AssignAccessKeys(QMenu& menu) {
  QString used;
  const QList<QAction*> actions = menu.actions();
  for (QAction* a : actions) {
    const QChar key = AccessKeyOf(a->text());
    if (!key.isNull()) used += key;
  }
  for (QAction* a : actions) {
    const QString text = a->text();
    if (a->isSeparator() || text.isEmpty() || !AccessKeyOf(text).isNull()) continue;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (c.unicode() >= 128 || !c.isLetterOrNumber() || used.contains(c.toLower())) continue;
      a->setText(text.left(i) + QLatin1Char('&') + text.mid(i));
      used += c.toLower();
      break;
    }
  }
}

void TFDebit::CreateViewMenu() {
  Vue = new QMenu(this);
  Vue->setObjectName(QStringLiteral("Vue"));
  Vue->setTitle(QStringLiteral("&Vue"));
  menuBar()->insertMenu(Options->menuAction(), Vue);

  struct Item {
    QAction** action;
    const char* name;
    QToolButton* button;
    QKeySequence keys;
  };
  const Item items[] = {
      {&VuePanneaux, "VuePanneaux", SBtnPanneaux, QKeySequence(Qt::CTRL | Qt::Key_1)},
      {&VuePieces, "VuePieces", SBtnPieces, QKeySequence(Qt::CTRL | Qt::Key_2)},
      {&VueFiche, "VueFiche", SBtnFiche, QKeySequence(Qt::CTRL | Qt::Key_3)},
      {&VueModeAffPanneaux, "VueModeAffPanneaux", SBtnModeAffPanneaux,
       QKeySequence(Qt::CTRL | Qt::Key_M)},
      {&PagePremiere, "PagePremiere", BtnPremier, QKeySequence(Qt::Key_Home)},
      {&PagePrecedente, "PagePrecedente", BtnPrecedant, QKeySequence(Qt::Key_PageUp)},
      {&PageSuivante, "PageSuivante", BtnSuivant, QKeySequence(Qt::Key_PageDown)},
      {&PageDerniere, "PageDerniere", BtnDernier, QKeySequence(Qt::Key_End)},
      {&ImpressionVue, "ImpressionVue", BtnImpression, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
  };
  for (const Item& item : items) {
    if (item.action == &PagePremiere || item.action == &ImpressionVue) Vue->addSeparator();
    QAction* action = *item.action = AddAction(Vue, item.name);
    action->setShortcut(item.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QToolButton* button = item.button;
    connect(action, &QAction::triggered, this, [button] { button->click(); });
    new EnabledFollower(action, button);
  }
  VueFiche->setText(QStringLiteral("&Fiche de débit"));
  VueModeAffPanneaux->setText(QStringLiteral("&Mode d'affichage des panneaux..."));
  PagePremiere->setText(QStringLiteral("P&remière page"));
  PagePrecedente->setText(QStringLiteral("Page pré&cédente"));
  PageSuivante->setText(QStringLiteral("Page &suivante"));
  PageDerniere->setText(QStringLiteral("&Dernière page"));
  ImpressionVue->setText(QStringLiteral("&Impression de toute la vue"));
  ApplyViewMenuWords();
}

// The view items carry the plural words of the options.
void TFDebit::ApplyViewMenuWords() {
  if (VuePanneaux == nullptr) return;
  VuePanneaux->setText(QString::fromStdString(settings_.WordPanels));
  VuePieces->setText(QString::fromStdString(settings_.WordParts));
  AssignAccessKeys(*Vue);
}

}  // namespace tranchex
