#include "shell/UpdateCheck.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <exception>

#include "dialogs/UMiseAJour.h"
#include "platform/HelpPages.h"
#include "platform/IniFile.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

QString TrimmedServer(QString address) {
  while (address.endsWith(QLatin1Char('/'))) address.chop(1);
  return address;
}

}  // namespace

std::optional<QString> UpdateServerAddress(const char* environmentValue) {
  const QString address = TrimmedServer(QString::fromUtf8(
      environmentValue != nullptr ? environmentValue : kDefaultUpdateServer).trimmed());
  if (address.isEmpty() || !IsWebAddress(QUrl(address))) return std::nullopt;
  return address;
}

QString UpdateListPath(const QString& dataFolder) {
  return QDir(dataFolder).filePath(QStringLiteral("Liste_logiciels.ini"));
}

std::optional<QDateTime> ParseUpdateDate(const QString& text) {
  const QDateTime date = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
  if (!date.isValid()) return std::nullopt;
  return date;
}

UpdateDecision DecideUpdate(const IniFile& list, const std::string& key,
                            const QDateTime& programDate) {
  const std::optional<QDateTime> newest =
      ParseUpdateDate(QString::fromUtf8(list.Value(key, "DateMaj")));
  if (!newest || !programDate.isValid() || !(programDate < *newest)) return {};
  // The key and DerVersion are compared byte for byte.
  if (list.Value(key, "DerVersion") != key) return {UpdateDecision::Kind::ShowVersionPage, {}};
  return {UpdateDecision::Kind::OfferDownload, QString::fromUtf8(list.Value(key, "UrlMaj"))};
}

bool ReadLocalLastVersion(const QString& dataFolder, const std::string& key) {
  const std::optional<IniFile> list = OpenIniFile(UpdateListPath(dataFolder).toStdString());
  return !list || list->Value(key, "DerVersion") != key;
}

UpdateCheck::UpdateCheck(QString serverAddress, QDateTime programDate, Prompts& prompts,
                         UrlOpener& browser, DownloadLimits limits)
    : server_(TrimmedServer(std::move(serverAddress))),
      programDate_(std::move(programDate)),
      prompts_(prompts),
      browser_(browser),
      limits_(limits) {}

QString UpdateCheck::ListAddress() const {
  return server_ + QStringLiteral("/maj_logiciels/Liste_logiciels.ini");
}

void UpdateCheck::CheckForUpdate(QWidget& window, const QString& dataFolder,
                                 const std::string& key) {
  try {
    const QString path = UpdateListPath(dataFolder);
    if (!DownloadToFile(QUrl(ListAddress()), path, limits_)) return;
    const std::optional<IniFile> list = OpenIniFile(path.toStdString());
    if (!list) return;
    Act(window, DecideUpdate(*list, key, programDate_), key);
  } catch (...) {
    // Start-up goes on whatever happened here.
  }
}

void UpdateCheck::Act(QWidget& window, const UpdateDecision& decision, const std::string& key) {
  switch (decision.What) {
    case UpdateDecision::Kind::Nothing:
      return;
    case UpdateDecision::Kind::ShowVersionPage: {
      TFMiseAJour page(prompts_, noHelp_);
      page.ProductKey = QString::fromStdString(key);
      page.ServerAddress = server_;
      page.Opener = &browser_;
      page.adjustSize();
      const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
      if (screen != nullptr) {
        const QRect area = screen->geometry();
        page.move(area.left() + area.width() / 2 - page.width() / 2,
                  area.top() + area.height() / 2 - page.height() / 2);
      }
      prompts_.ShowModal(page);
      return;
    }
    case UpdateDecision::Kind::OfferDownload: {
      // An address the list gives is opened only when it is a web page.
      const QUrl address(decision.DownloadAddress);
      if (!IsWebAddress(address)) return;
      if (prompts_.Ask(Text(TextId::Messages::MsgUpdateTitle),
                       Text(TextId::Messages::MsgUpdateDownload), PromptButtons::YesNo,
                       PromptIcon::Question) != PromptAnswer::Yes) {
        return;
      }
      if (!browser_.OpenUrl(address)) {
        prompts_.Notice(Text(TextId::Messages::MsgConnectionError),
                        Text(TextId::Messages::MsgUpdatePageFailed), PromptIcon::Warning);
      }
      return;
    }
  }
}

}  // namespace tranchex
