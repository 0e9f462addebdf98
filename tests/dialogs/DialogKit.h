#pragma once
// What the form tests share: a help viewer that records the contexts asked for, and showing a
// form as the active window so that focus moves as it does for a person.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <vector>

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

// Leaves the focused control with Tab, as a person does.
inline void PressTab(QWidget* w) { QTest::keyClick(w, Qt::Key_Tab); }

}  // namespace tranchex::test
