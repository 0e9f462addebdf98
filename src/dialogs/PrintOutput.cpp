#include "dialogs/PrintOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <optional>

#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {

bool AskPrintFile(QPrinter& printer, Prompts& prompts, const QString& caption) {
  if (printer.outputFileName().isEmpty()) return true;
  const QFileInfo previous(printer.outputFileName());
  const std::optional<QString> file =
      prompts.SaveFile(caption, previous.absolutePath(), previous.fileName(),
                       QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
  if (!file) return false;
  printer.setOutputFileName(*file);
  return true;
}

void TellPrintFile(const QPrinter& printer, Prompts& prompts, const QString& caption) {
  if (printer.outputFileName().isEmpty()) return;
  prompts.Notice(caption,
                 QString::fromStdString(LoadString(TextId::Messages::MsgPrintedToFile)) +
                     QDir::toNativeSeparators(printer.outputFileName()),
                 PromptIcon::Information);
}

}  // namespace tranchex
