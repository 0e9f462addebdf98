#pragma once
// The frame every form stands on: its window kind, its texts by id, F1 at its help context, the
// placement over the window that opens it, the default and cancel buttons, the exit of its
// checked fields, and what resets it: a new showing, never a restore after a minimise.
//
// A field's exit runs when the focus leaves it for another control of the same form (a message
// box or a picker opening is no exit), and before Enter runs the default button. An exit that
// refuses the value has said why and put the focus back: the click or the Enter that caused it
// does not run.

#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QScreen;
class QSpacerItem;

namespace tranchex {

class HelpViewer;
class Prompts;

enum class WindowKind {
  // The job-entry forms: no system menu and no close box; they close only through their
  // buttons (Enter answers the default button, Escape the cancel button where there is one).
  NoCloseBox,
  // The settings and reference-data forms: a close box (which closes without their OK
  // handler), no minimise or maximise box. Escape closes them as the close box does unless they
  // have a cancel button.
  CloseBox,
};

class DialogFrame : public QDialog {
  Q_OBJECT

 public:
  DialogFrame(WindowKind kind, int helpContext, Prompts& prompts, HelpViewer& help,
              QWidget* parent = nullptr);
  ~DialogFrame() override;

  // The help context F1 opens; 0: the form has no help.
  int HelpContext = 0;

  // The language text of that id.
  static QString Text(int id);

  // Runs the exit of the field that has the focus, as leaving it would. False when the field
  // refused its value (the caller then stops what it was doing).
  bool LeaveFocusedField();

  // Runs the exits of these fields in turn, as leaving each would, up to the first that refuses
  // its value (false). An OK that commits what its fields show runs this first.
  bool RunFieldExits(std::initializer_list<QLineEdit*> fields);

  // Widens the form to show its caption whole in the window's title bar; placing the form and
  // each showing run it.
  void KeepTitleWhole();

 protected:
  Prompts& prompts_;
  HelpViewer& help_;

  // The exit of a checked field (an edit, or an editable combo box); it returns false when it
  // refused the value.
  void SetFieldExit(QWidget* field, std::function<bool()> exit);
  // The button Enter answers; every other button of the form loses its auto-default.
  void SetDefaultButton(QPushButton* button);
  // The button Escape answers while it shows and is enabled.
  void SetCancelButton(QPushButton* button);
  // What Escape does when the form has no cancel button, or hides or disables it (by default:
  // nothing for a form without a close box, the close box's effect otherwise).
  void SetEscapeAction(std::function<void()> action);
  // Puts the focus in a field without an exit of the field left: that field has had its exit,
  // and a second one would read the record just shown in its place.
  void FocusWithoutExit(QWidget* field);

  // What a new showing resets, run before the form appears. A window the system brings back
  // (a restore after a minimise: a spontaneous show event) is no new showing and runs nothing:
  // the form goes on as it was left.
  virtual void NewShowing() {}

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FocusChanged(QWidget* old, QWidget* now);
  bool RunExit(QWidget* field);
  void SwallowTheCausingClick();

  struct FieldExit {
    QWidget* Field;
    std::function<bool()> Exit;
  };
  WindowKind kind_;
  QMetaObject::Connection focusConnection_;
  std::vector<FieldExit> exits_;
  QPushButton* defaultButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  std::function<void()> escape_;
  QSpacerItem* titleStrut_ = nullptr;  // owned by the layout
  bool swallowing_ = false;
  bool runningExit_ = false;
};

// A radio button that a click never unchecks, for the choices laid out in separate group boxes,
// whose handlers keep exactly one of them checked.
void KeepCheckedOnClick(QRadioButton* button);

// A control given its name, as the forms name their controls: `Named(new QLabel(...), "Lbl")`.
template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Where a form opened by owner goes: left edge at the owner's left + half its client width -
// half the form's width (whole numbers, truncated), top at the owner's top + topOffset (14, or
// 0 for the forms placed at the owner's top).
QPoint DialogPosition(const QPoint& ownerTopLeft, int ownerClientWidth, int dialogWidth,
                      int topOffset);
// The position moved just enough for a window of that size to lie inside the area; a window
// larger than the area keeps its top-left corner inside it.
QPoint KeepInside(const QRect& area, const QPoint& position, const QSize& size);
// Places the form by DialogPosition, then keeps it inside the available area of the owner's
// screen, so that it is whole on screen wherever the owner stands.
void PlaceDialog(QWidget& dialog, const QWidget& owner, int topOffset = 14);
// Makes the form a window of owner, so that it opens over it: a form opened by another form
// that stays on top must not open behind it. The form keeps its window kind.
void StackOver(QWidget& form, QWidget& owner);
// The width a window needs to show the caption whole in its title bar, with the close,
// minimise and maximise buttons' room when it has a close box.
int TitleBarWidth(const QString& title, bool closeBox);
// Moves the window, if need be, inside the available area of that screen (none: the screen it
// stands on).
void KeepOnScreen(QWidget& window, const QScreen* screen = nullptr);

}  // namespace tranchex
