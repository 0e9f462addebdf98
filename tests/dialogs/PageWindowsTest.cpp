// The update and upgrade page windows show the server's address as text: an address carrying
// markup shows its characters, never a heading or an image.

#include <gtest/gtest.h>

#include <QLabel>
#include <memory>

#include "dialogs/DialogKit.h"
#include "dialogs/UMiseAJour.h"
#include "dialogs/UMiseANiveau.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

TEST(PageWindows, TheAddressIsShownAsPlainText) {
  const QString server = QStringLiteral("http://maj.example.org/<h1>GROS</h1><img src=\"/tmp/x.png\">");
  ScriptedPrompts prompts;
  RecordingHelp help;
  TFMiseAJour update(prompts, help);
  update.ProductKey = QStringLiteral("Tranchex1.6");
  TFMiseANiveau upgrade(prompts, help);
  for (PageWindow* window : {static_cast<PageWindow*>(&update), static_cast<PageWindow*>(&upgrade)}) {
    SCOPED_TRACE(window->objectName().toStdString());
    window->ServerAddress = server;
    ShowActive(*window);
    EXPECT_EQ(window->LblAdresse->textFormat(), Qt::PlainText);
    EXPECT_TRUE(window->LblAdresse->text().startsWith(server));
    window->close();
  }
}

}  // namespace
}  // namespace tranchex::test
