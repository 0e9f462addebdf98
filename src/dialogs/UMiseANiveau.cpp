#include "dialogs/UMiseANiveau.h"

#include "platform/HelpPages.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"

namespace tranchex {

TFMiseANiveau::TFMiseANiveau(Prompts& prompts, HelpViewer& help, QWidget* parent)
    : PageWindow(TextId::PageWindows::UpgradeCaption, prompts, help, parent) {
  setObjectName(QStringLiteral("FMiseANiveau"));
}

QString TFMiseANiveau::PageAddress() const {
  return ServerAddress + QStringLiteral("/info/man.php?logiciel=") +
         Text(TextId::MainForm::AppTitle) + Text(TextId::JobFile::TagText);
}

// As the help menu's web pages: the browser did not start; the address can be typed by hand.
void TFMiseANiveau::ReportOpenFailure(const QString& address) {
  prompts_.Notice(Text(TextId::Messages::MsgWebPageCaption), BrowserFailureText(address),
                  PromptIcon::Warning);
}

}  // namespace tranchex
