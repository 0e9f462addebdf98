// The help menu of the main window: the help at the window's topic (also F1), the three web
// pages, the about box, and the upgrade page with the start-up update check that decides
// whether the menu offers it.

#include <QAction>
#include <QKeySequence>
#include <QShortcut>
#include <QUrl>

#include "dialogs/DialogFrame.h"
#include "dialogs/UApropos.h"
#include "dialogs/UMiseANiveau.h"
#include "platform/HelpPages.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"
#include "shell/UpdateCheck.h"

namespace tranchex {
namespace {

// The main window's help topic; F1 opens it wherever the focus is in the window.
constexpr int kMainWindowHelpContext = 10;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

}  // namespace

void TFDebit::CreateHelpCommands() {
  FApropos = new TFApropos(prompts_, Help, this);
  FMiseANiveau = new TFMiseANiveau(prompts_, Help, this);

  // The window's shortcut: it answers F1 whichever control of the window has the focus, and
  // never while one of the window's forms is the active window (each form has its own topic).
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  helpKey->setObjectName(QStringLiteral("FormHelpKey"));
  helpKey->setContext(Qt::WindowShortcut);
  connect(helpKey, &QShortcut::activated, this, [this] { FormHelp(); });

  connect(AideTranchex, &QAction::triggered, this, [this] { AideTranchexClick(); });
  connect(SiteInternetAuteur, &QAction::triggered, this, [this] { SiteInternetAuteurClick(); });
  connect(PagePresentationdeTranchex, &QAction::triggered, this,
          [this] { PagePresentationdeTranchexClick(); });
  connect(VideosDemonstrationTranchex, &QAction::triggered, this,
          [this] { VideosDemonstrationTranchexClick(); });
  connect(AproposdeTranchex, &QAction::triggered, this, [this] { AproposdeTranchexClick(); });
  connect(MiseANiveau, &QAction::triggered, this, [this] { MiseANiveauClick(); });
}

void TFDebit::FormHelp() { Help.ShowHelp(kMainWindowHelpContext); }

void TFDebit::AideTranchexClick() { Help.ShowHelp(kMainWindowHelpContext); }

void TFDebit::SiteInternetAuteurClick() {
  OpenWebPage(TextId::WebPages::SiteInternetAuteur, true);
}

void TFDebit::PagePresentationdeTranchexClick() {
  OpenWebPage(TextId::WebPages::PagePresentationdeTranchex, true);
}

void TFDebit::VideosDemonstrationTranchexClick() {
  OpenWebPage(TextId::WebPages::VideosDemonstrationTranchex, false);
}

// A page the browser cannot show gets a warning; with offerAddress it also gives the address to
// type by hand.
void TFDebit::OpenWebPage(int addressTextId, bool offerAddress) {
  const QString address = Text(addressTextId);
  if (WebBrowser != nullptr && WebBrowser->OpenUrl(QUrl(address))) return;
  prompts_.Notice(Text(TextId::Messages::MsgWebPageCaption),
                  offerAddress ? BrowserFailureText(address) : BrowserFailureText(),
                  PromptIcon::Warning);
}

void TFDebit::AproposdeTranchexClick() {
  PlaceDialog(*FApropos, *this, 14);
  prompts_.ShowModal(*FApropos);
}

void TFDebit::MiseANiveauClick() {
  // The item is shown only with a check, which names the server; a stray trigger does nothing.
  if (Updates == nullptr) return;
  FMiseANiveau->ServerAddress = Updates->ServerAddress();
  FMiseANiveau->Opener = WebBrowser;
  PlaceDialog(*FMiseANiveau, *this, 0);
  prompts_.ShowModal(*FMiseANiveau);
}

void TFDebit::RunUpdateCheck() {
  if (Updates == nullptr) return;
  // The update key: the product's name followed by its version ("Tranchex1.6").
  const std::string key =
      LoadString(TextId::MainForm::AppTitle) + LoadString(TextId::Version::VersionText);
  Updates->CheckForUpdate(*this, ProgramFolder, key);
  MiseANiveau->setVisible(ReadLocalLastVersion(ProgramFolder, key));
}

}  // namespace tranchex
