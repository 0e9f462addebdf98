#pragma once
// The help pages shipped beside the program and the opener of web addresses. The help is one
// HTML page, "aide.html" in the folder "help" next to the executable, with one anchor per help
// context ("aide-1040"); the user's browser shows it at the anchor of the window that asked.
// A browser cannot read the program's built-in resources: the page is a file of its own.

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

inline constexpr const char* kHelpPageName = "aide.html";

// The anchor of a help context in the page: "aide-" and the number.
QString HelpAnchor(int context);

// The folder "help" beside the running program.
QString HelpFolderBesideProgram();

// The help viewer of the program: opens the page at the context's anchor. A page that is not
// there, or a browser that does not start, is reported in French through the prompts; nothing
// else happens.
class HelpPages : public HelpViewer {
 public:
  HelpPages(QString folder, UrlOpener& opener, Prompts& prompts);

  // The page's full path.
  QString PagePath() const;
  // The address shown for a context: the page at the context's anchor; context 0 (a window that
  // opens the help without a topic of its own): the top of the page.
  QUrl TopicUrl(int context) const;

  void ShowHelp(int context) override;

 private:
  QString folder_;
  UrlOpener& opener_;
  Prompts& prompts_;
};

}  // namespace tranchex
