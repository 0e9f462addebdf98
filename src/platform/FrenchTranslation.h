#pragma once
// Qt's own windows (file pickers, the print dialog, the standard buttons) in French: the
// translation Qt ships for its base module, loaded once at start.

class QCoreApplication;

namespace tranchex {

// Installs Qt's French translation on the application. False when the translation file is not
// on this machine: Qt's windows then stay in English, nothing else changes.
bool InstallFrenchTranslation(QCoreApplication& app);

}  // namespace tranchex
