#include "shell/UDebit.h"

#include "platform/Texts.h"

namespace tranchex {

TFDebit::TFDebit(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FDebit"));
  setWindowTitle(QString::fromStdString(LoadString(0, 20)));
  resize(690, 430);
}

}  // namespace tranchex
