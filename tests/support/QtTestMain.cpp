// main() of the window tests: one QApplication on the offscreen platform, with a fixed locale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <cstdlib>

#include "platform/FrenchTranslation.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // No print server: a QPrinter in a test finds no printer of the machine, so a print that is
  // not sent to a PDF file fails instead of reaching a real printer.
  ::setenv("CUPS_SERVER", "/nonexistent/tranchex-tests/cups.sock", 1);
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  QApplication app(argc, argv);
  // The windows under test show Qt's own texts in French, as the program does.
  tranchex::InstallFrenchTranslation(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
