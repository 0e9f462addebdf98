#include "platform/DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace tranchex {

QString DataFolder() {
  QString folder = qEnvironmentVariable("TRANCHEX_HOME");
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.tranchex");
  QDir().mkpath(folder);
  return QDir::cleanPath(folder);
}

}  // namespace tranchex
