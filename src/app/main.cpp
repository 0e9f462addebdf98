#include <QApplication>
#include <QFileInfo>
#include <cstdlib>
#include <QMessageBox>
#include <exception>
#include <optional>

#include "platform/DataFolder.h"
#include "platform/FrenchTranslation.h"
#include "platform/HelpPages.h"
#include "job/JobState.h"
#include "platform/Prompts.h"
#include "job/Settings.h"
#include "shell/UDebit.h"
#include "shell/UpdateCheck.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tranchex"));
  QApplication::setOrganizationName(QStringLiteral("Tranchex"));
  tranchex::InstallFrenchTranslation(app);

  try {
    // The job and the settings live for the whole run; the window is handed them.
    tranchex::JobState job;
    tranchex::Settings settings;
    tranchex::QtPrompts prompts;
    // The help pages beside the program and the web pages open in the user's browser.
    tranchex::DesktopUrlOpener browser;
    tranchex::HelpPages help(tranchex::HelpFolderBesideProgram(), browser, prompts);
    std::optional<QString> commandLineJob;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) commandLineJob = arguments.at(1);

    // The update check asks the maker's server named by $TRANCHEX_UPDATE_SERVER (unset: the
    // default; empty: no check); the program file's date tells whether a build is newer.
    const std::optional<QString> server =
        tranchex::UpdateServerAddress(std::getenv("TRANCHEX_UPDATE_SERVER"));
    std::optional<tranchex::UpdateCheck> updates;
    if (server) {
      updates.emplace(*server, QFileInfo(QApplication::applicationFilePath()).lastModified(),
                      prompts, browser);
    }

    tranchex::TFDebit window(prompts, settings, job, tranchex::DataFolder(), commandLineJob);
    prompts.SetParent(&window);
    window.Help.SetTarget(&help);
    window.WebBrowser = &browser;
    if (updates) window.Updates = &*updates;
    window.show();
    QApplication::exec();
  } catch (const std::exception& e) {
    // The reason may quote a file name: shown as text, never as markup.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tranchex"), QString::fromUtf8(e.what()));
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }
  return 0;
}
