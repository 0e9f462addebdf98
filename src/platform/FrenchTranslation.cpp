#include "platform/FrenchTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tranchex {

bool InstallFrenchTranslation(QCoreApplication& app) {
  // Owned by the application, so it lives as long as the windows it translates.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_fr"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace tranchex
