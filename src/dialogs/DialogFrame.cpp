#include "dialogs/DialogFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "platform/Help.h"
#include "platform/Prompts.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

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
      if (cancelButton_ != nullptr) {
        if (cancelButton_->isVisible() && cancelButton_->isEnabled()) cancelButton_->click();
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

void PlaceDialog(QWidget& dialog, const QWidget& owner, int topOffset) {
  // A form that sizes to its texts has its size once its layout has run.
  dialog.ensurePolished();
  if (QLayout* layout = dialog.layout()) layout->activate();
  dialog.move(DialogPosition(owner.pos(), owner.width(), dialog.width(), topOffset));
}

}  // namespace tranchex
