// main() of the window tests: one QApplication on the offscreen platform, with a fixed locale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <cstdlib>

#include "platform/FrenchTranslation.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // No test reaches the machine's printers: the print system is pointed at a server that is not
  // there, so a printer the tests do not set up themselves does not exist.
  ::setenv("CUPS_SERVER", "/nonexistent/tranchex-tests/cups.sock", 1);
  ::unsetenv("PRINTER");
  ::unsetenv("LPDEST");
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  QApplication app(argc, argv);
  // The windows under test show Qt's own texts in French, as the program does.
  tranchex::InstallFrenchTranslation(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
