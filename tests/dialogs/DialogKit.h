#pragma once
// What the form tests share: a help viewer that records the contexts asked for, and showing a
// form as the active window so that focus moves as it does for a person.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/SpeciesBox.h"

#include "platform/Help.h"

namespace tranchex::test {

class RecordingHelp : public HelpViewer {
 public:
  void ShowHelp(int context) override { contexts.push_back(context); }
  std::vector<int> contexts;
};

// Shows the form and makes it the active window (the offscreen platform moves focus only
// inside the active window).
inline void ShowActive(QDialog& form) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Counts the show events the system sends a window (spontaneous ones).
class SpontaneousShows : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show && event->spontaneous()) ++count;
    return false;
  }
};

// Minimises the form and brings it back, as the window manager does: the restore reaches the
// form as a spontaneous show event (checked), and the form is the active window again.
inline void MinimiseAndRestore(QDialog& form) {
  SpontaneousShows shows;
  form.installEventFilter(&shows);
  form.setWindowState(form.windowState() | Qt::WindowMinimized);
  QApplication::processEvents();
  form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
  QApplication::processEvents();
  form.removeEventFilter(&shows);
  EXPECT_GE(shows.count, 1) << "the restore sent no spontaneous show event";
  ASSERT_TRUE(form.isVisible());
  QApplication::setActiveWindow(&form);
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Leaves the focused control with Tab, as a person does.
inline void PressTab(QWidget* w) { QTest::keyClick(w, Qt::Key_Tab); }

// An adder as the main window's would be with a species file that always takes the name: it
// joins the list at the next place.
inline SpeciesAdder AppendingAdder(std::vector<std::string>& list) {
  return [&list](const std::string& name) -> std::optional<int> {
    list.push_back(name);
    return static_cast<int>(list.size() - 1);
  };
}

}  // namespace tranchex::test
