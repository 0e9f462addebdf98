#pragma once
// The help pages shipped beside the program and the opener of web addresses. The help is a set
// of HTML pages in the folder "help" next to the executable: the contents "aide.html" and one
// page per help context, "aide-1040.html", whose topic carries the anchor "aide-1040". The
// user's browser shows the page of the window that asked, at its anchor; a page of its own per
// topic keeps the right topic where the opener drops the anchor of a file address. A browser
// cannot read the program's built-in resources: the pages are files of their own.

#include <QString>
#include <QUrl>

#include "platform/Help.h"

namespace tranchex {

class Prompts;

// Opens an address in the program the desktop gives it (the browser for a web page or an HTML
// file). The program uses DesktopUrlOpener; the tests record the addresses instead.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // False when nothing could be started.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

class DesktopUrlOpener : public UrlOpener {
 public:
  bool OpenUrl(const QUrl& url) override;
};

// What to say when no browser showed an address: that it could not be started and, with the
// address, how to reach the page by hand.
QString BrowserFailureText(const QString& address);
QString BrowserFailureText();

// The contents page.
inline constexpr const char* kHelpIndexPage = "aide.html";

// The anchor of a help context's topic: "aide-" and the number; its page is that name + ".html".
QString HelpAnchor(int context);
QString HelpTopicPage(int context);

// The folder "help" beside the running program.
QString HelpFolderBesideProgram();

// The help viewer of the program: opens the context's page at its anchor. A context without a
// page of its own opens the contents. Pages that are not there, or a browser that does not start,
// are reported in French through the prompts; nothing else happens.
class HelpPages : public HelpViewer {
 public:
  HelpPages(QString folder, UrlOpener& opener, Prompts& prompts);

  // The contents page's full path.
  QString IndexPath() const;
  // The address opened for a context: its page at its anchor, or the contents for context 0 (a
  // window that opens the help without a topic of its own) and for a context without a page.
  QUrl TopicUrl(int context) const;

  void ShowHelp(int context) override;

 private:
  QString folder_;
  UrlOpener& opener_;
  Prompts& prompts_;
};

}  // namespace tranchex
