#pragma once
// The check for a newer build at start-up. The maker's server keeps a small INI list,
// "/maj_logiciels/Liste_logiciels.ini", with one section per update key ("Tranchex1.6"):
//
//   [Tranchex1.6]
//   DateMaj=2027-01-15T09:00:00      newest build of this version, ISO 8601 (no zone: local time)
//   UrlMaj=https://…/setup.exe       where that build is downloaded
//   NomPInstall=…                    the installer's name (not used)
//   DerVersion=Tranchex1.6           the update key of the newest version of the product
//
// At every start the list is fetched into the data folder; a program file older than DateMaj
// gets either the download of the newer build (DerVersion is this key) or the page about the
// newer version. The list kept in the data folder then decides whether the help menu offers the
// upgrade page. Every failure ends the check without a word: start-up goes on.

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

#include "platform/Download.h"
#include "platform/Help.h"

class QWidget;

namespace tranchex {

class IniFile;
class Prompts;
class UrlOpener;

// The server used when $TRANCHEX_UPDATE_SERVER is not set.
inline constexpr const char* kDefaultUpdateServer = "https://tranchex.example.org";

// The server address from the environment's value (null: not set): the default when unset; none
// (no check) when empty or not an http or https address. A trailing "/" is dropped.
std::optional<QString> UpdateServerAddress(const char* environmentValue);

// "Liste_logiciels.ini" in the data folder.
QString UpdateListPath(const QString& dataFolder);

// DateMaj read as ISO 8601 (a date, or a date and a time, with or without a zone); none when it
// is anything else.
std::optional<QDateTime> ParseUpdateDate(const QString& text);

// What the list says to a program file of that date.
struct UpdateDecision {
  enum class Kind {
    Nothing,           // not older than DateMaj, or DateMaj missing or unreadable
    ShowVersionPage,   // older, and DerVersion names another version
    OfferDownload,     // older, and DerVersion is this key: DownloadAddress is UrlMaj
  };
  Kind What = Kind::Nothing;
  QString DownloadAddress;
};
UpdateDecision DecideUpdate(const IniFile& list, const std::string& key,
                            const QDateTime& programDate);

// True when the help menu is to offer the upgrade page: the list in the data folder does not
// name this key as the newest version (a missing, unreadable or oversized list, or a missing
// section, included).
bool ReadLocalLastVersion(const QString& dataFolder, const std::string& key);

// The check the main window runs at start-up; the program builds it with its server.
class UpdateCheck {
 public:
  UpdateCheck(QString serverAddress, QDateTime programDate, Prompts& prompts, UrlOpener& browser,
              DownloadLimits limits = {});

  const QString& ServerAddress() const { return server_; }
  QString ListAddress() const;

  // Fetches the list into the data folder and acts on it: the page window about a newer
  // version, centred on the window's screen, or the question that opens the download of a newer
  // build in the browser (only an http or https address is opened). Nothing escapes.
  void CheckForUpdate(QWidget& window, const QString& dataFolder, const std::string& key);

 private:
  void Act(QWidget& window, const UpdateDecision& decision, const std::string& key);

  QString server_;
  QDateTime programDate_;
  Prompts& prompts_;
  UrlOpener& browser_;
  DownloadLimits limits_;
  NoHelp noHelp_;  // the page window has no help
};

}  // namespace tranchex
