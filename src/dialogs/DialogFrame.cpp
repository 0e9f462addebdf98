#include "dialogs/DialogFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QBoxLayout>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QSpacerItem>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/Help.h"
#include "platform/Prompts.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

// The room a frame button takes in a caption bar, about the caption's own height.
constexpr int kTitleButtonWidth = 26;

Qt::WindowFlags FlagsOf(WindowKind kind) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (kind == WindowKind::CloseBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return flags;
}

bool IsMouseButtonEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick;
}

}  // namespace

DialogFrame::DialogFrame(WindowKind kind, int helpContext, Prompts& prompts, HelpViewer& help,
                         QWidget* parent)
    : QDialog(parent, FlagsOf(kind)),
      HelpContext(helpContext),
      prompts_(prompts),
      help_(help),
      kind_(kind) {
  focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

DialogFrame::~DialogFrame() {
  // The controls are deleted after this destructor, and their going moves the focus: the form
  // must not hear of it any more.
  disconnect(focusConnection_);
  if (swallowing_) qApp->removeEventFilter(this);
}

QString DialogFrame::Text(int id) { return QString::fromStdString(LoadString(id, 500)); }

void DialogFrame::SetFieldExit(QWidget* field, std::function<bool()> exit) {
  exits_.push_back({field, std::move(exit)});
}

void DialogFrame::SetDefaultButton(QPushButton* button) {
  defaultButton_ = button;
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(b == button);
    b->setDefault(b == button);
  }
}

void DialogFrame::SetCancelButton(QPushButton* button) { cancelButton_ = button; }

void DialogFrame::SetEscapeAction(std::function<void()> action) { escape_ = std::move(action); }

bool DialogFrame::RunExit(QWidget* field) {
  for (const FieldExit& e : exits_) {
    if (e.Field != field) continue;
    // An exit that shows a message moves the focus to the box and back: no exit of its own.
    runningExit_ = true;
    const bool accepted = e.Exit();
    runningExit_ = false;
    return accepted;
  }
  return true;
}

bool DialogFrame::LeaveFocusedField() { return RunExit(focusWidget()); }

bool DialogFrame::RunFieldExits(std::initializer_list<QLineEdit*> fields) {
  for (QLineEdit* field : fields) {
    if (!RunExit(field)) return false;
  }
  return true;
}

void DialogFrame::FocusChanged(QWidget* old, QWidget* now) {
  if (runningExit_ || old == nullptr || now == nullptr || !isVisible()) return;
  // Only a move to another control of this form leaves the field; a message box, a picker or
  // another window taking the focus does not.
  if (now->window() != this || old->window() != this) return;
  if (!RunExit(old)) SwallowTheCausingClick();
}

void DialogFrame::FocusWithoutExit(QWidget* field) {
  // Taken from the field left first, the focus moves from no field: no exit runs.
  if (QWidget* focused = focusWidget(); focused != nullptr && focused != field)
    focused->clearFocus();
  field->setFocus();
}

// The focus moved on a mouse press: the press is delivered after the exit refused the value.
// That press and its release are dropped, so the button clicked does not run; whatever is left
// is released once the event loop runs again.
void DialogFrame::SwallowTheCausingClick() {
  if (swallowing_) return;
  swallowing_ = true;
  qApp->installEventFilter(this);
  QTimer::singleShot(0, this, [this] {
    if (!swallowing_) return;
    swallowing_ = false;
    qApp->removeEventFilter(this);
  });
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event) {
  if (swallowing_ && IsMouseButtonEvent(event->type())) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this) {
      if (event->type() == QEvent::MouseButtonRelease) {
        swallowing_ = false;
        qApp->removeEventFilter(this);
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void DialogFrame::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F1:
      if (HelpContext != 0) help_.ShowHelp(HelpContext);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (event->modifiers() & ~Qt::KeypadModifier) break;
      // The field being typed in is left first; a refused value stops the default button.
      if (!LeaveFocusedField()) return;
      if (defaultButton_ != nullptr && defaultButton_->isVisible() && defaultButton_->isEnabled())
        defaultButton_->click();
      return;
    case Qt::Key_Escape:
      // A cancel button the form hides in one of its uses leaves Escape to the form's own
      // cancel or to the close box.
      if (cancelButton_ != nullptr && cancelButton_->isVisible() && cancelButton_->isEnabled()) {
        cancelButton_->click();
      } else if (escape_) {
        escape_();
      } else if (kind_ == WindowKind::CloseBox) {
        close();
      }
      return;
    default:
      break;
  }
  QDialog::keyPressEvent(event);
}

int TitleBarWidth(const QString& title, bool closeBox) {
  // Window managers draw the caption in a bold face of about the application's size, and keep
  // room for the frame's buttons and edges. Many draw their icon, minimise and close buttons on
  // a form that asks for no close box too (openbox does), so that room is kept for every form.
  QFont font = QApplication::font();
  font.setBold(true);
  const int buttons = closeBox ? 4 : 3;
  return QFontMetrics(font).horizontalAdvance(title) + (buttons + 1) * kTitleButtonWidth;
}

void DialogFrame::KeepTitleWhole() {
  const int needed = TitleBarWidth(windowTitle(), kind_ == WindowKind::CloseBox);
  QLayout* l = layout();
  if (l == nullptr || l->sizeConstraint() != QLayout::SetFixedSize) {
    setMinimumWidth(std::max(minimumWidth(), needed));
    return;
  }
  // A fixed-size layout gives the form its own size, whatever minimum the form sets: a strut
  // across the whole layout widens it.
  const QMargins margins = l->contentsMargins();
  const int strut = std::max(0, needed - margins.left() - margins.right());
  if (titleStrut_ == nullptr) {
    titleStrut_ = new QSpacerItem(strut, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(l)) {
      grid->addItem(titleStrut_, grid->rowCount(), 0, 1, std::max(1, grid->columnCount()));
    } else if (auto* box = qobject_cast<QBoxLayout*>(l);
               box != nullptr && (box->direction() == QBoxLayout::TopToBottom ||
                                  box->direction() == QBoxLayout::BottomToTop)) {
      box->addItem(titleStrut_);
    } else {
      delete titleStrut_;
      titleStrut_ = nullptr;
      return;
    }
  }
  titleStrut_->changeSize(strut, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
  l->invalidate();
}

void DialogFrame::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) NewShowing();
  QDialog::showEvent(event);
  // The caption whole, at this showing's caption; then the form whole on screen.
  KeepTitleWhole();
  if (QLayout* l = layout()) l->activate();
  KeepOnScreen(*this, screen());
}

void DialogFrame::closeEvent(QCloseEvent* event) {
  // A form without a close box closes only through its buttons (accept or reject hide it
  // without a close event).
  if (kind_ == WindowKind::NoCloseBox) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void KeepCheckedOnClick(QRadioButton* button) {
  button->setAutoExclusive(false);
  QObject::connect(button, &QRadioButton::clicked, button, [button] {
    if (!button->isChecked()) button->setChecked(true);
  });
}

QPoint DialogPosition(const QPoint& ownerTopLeft, int ownerClientWidth, int dialogWidth,
                      int topOffset) {
  return {ownerTopLeft.x() + ownerClientWidth / 2 - dialogWidth / 2, ownerTopLeft.y() + topOffset};
}

QPoint KeepInside(const QRect& area, const QPoint& position, const QSize& size) {
  if (!area.isValid()) return position;
  // Right and bottom first, so that a form larger than the area keeps its top-left corner in.
  const int x = std::max(area.left(), std::min(position.x(), area.right() + 1 - size.width()));
  const int y = std::max(area.top(), std::min(position.y(), area.bottom() + 1 - size.height()));
  return {x, y};
}

void PlaceDialog(QWidget& dialog, const QWidget& owner, int topOffset) {
  // A form that sizes to its texts has its size once its layout has run, its caption included.
  dialog.ensurePolished();
  if (auto* frame = qobject_cast<DialogFrame*>(&dialog)) frame->KeepTitleWhole();
  if (QLayout* layout = dialog.layout()) layout->activate();
  // The size it will be shown at: a form never resized takes its layout's size when shown.
  if (!dialog.testAttribute(Qt::WA_Resized)) dialog.adjustSize();
  dialog.move(DialogPosition(owner.pos(), owner.width(), dialog.width(), topOffset));
  KeepOnScreen(dialog, owner.screen());
}

void StackOver(QWidget& form, QWidget& owner) {
  if (form.parentWidget() == &owner) return;
  form.setParent(&owner, form.windowFlags());
}

void KeepOnScreen(QWidget& window, const QScreen* screen) {
  if (screen == nullptr) screen = QGuiApplication::screenAt(window.pos());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // The window system's frame once the window has been shown; the bare size before.
  const QSize size = window.frameGeometry().size().expandedTo(window.size());
  const QPoint inside = KeepInside(screen->availableGeometry(), window.pos(), size);
  if (inside != window.pos()) window.move(inside);
}

}  // namespace tranchex
