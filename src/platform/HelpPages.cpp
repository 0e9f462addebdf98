#include "platform/HelpPages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

}  // namespace

bool DesktopUrlOpener::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString BrowserFailureText() { return Text(TextId::Messages::MsgBrowserFailed); }

QString BrowserFailureText(const QString& address) {
  return BrowserFailureText() + QStringLiteral("\n") + Text(TextId::Messages::MsgTypeAddress) +
         address;
}

QString HelpAnchor(int context) { return QStringLiteral("aide-%1").arg(context); }

QString HelpTopicPage(int context) { return HelpAnchor(context) + QStringLiteral(".html"); }

QString HelpFolderBesideProgram() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help"));
}

HelpPages::HelpPages(QString folder, UrlOpener& opener, Prompts& prompts)
    : folder_(std::move(folder)), opener_(opener), prompts_(prompts) {}

QString HelpPages::IndexPath() const {
  return QDir(folder_).absoluteFilePath(QString::fromLatin1(kHelpIndexPage));
}

QUrl HelpPages::TopicUrl(int context) const {
  if (context != 0) {
    const QString topic = QDir(folder_).absoluteFilePath(HelpTopicPage(context));
    if (QFileInfo(topic).isFile()) {
      QUrl url = QUrl::fromLocalFile(topic);
      url.setFragment(HelpAnchor(context));
      return url;
    }
  }
  return QUrl::fromLocalFile(IndexPath());
}

void HelpPages::ShowHelp(int context) {
  const QString caption = Text(TextId::MainForm::AppTitle);
  const QUrl url = TopicUrl(context);
  // A folder in place of a page is no page either.
  if (!QFileInfo(url.toLocalFile()).isFile()) {
    prompts_.Notice(caption, Text(TextId::HelpPage::PageMissing) + IndexPath(),
                    PromptIcon::Warning);
    return;
  }
  if (opener_.OpenUrl(url)) return;
  // The page is there but nothing shows it: the user can open it by hand.
  prompts_.Notice(caption, BrowserFailureText(url.toString()), PromptIcon::Warning);
}

}  // namespace tranchex
