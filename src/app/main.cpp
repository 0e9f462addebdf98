#include <QApplication>

#include "platform/Texts.h"
#include "shell/UDebit.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tranchex"));
  QApplication::setOrganizationName(QStringLiteral("Tranchex"));
  tranchex::TFDebit window;
  window.show();
  return QApplication::exec();
}
