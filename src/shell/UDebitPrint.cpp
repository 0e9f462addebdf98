// The two print commands of the main window: the tool button prints the whole current view at
// once on the current printer; the menu asks the print dialog first. Both go through the one
// print engine, which reads the job and never changes it.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPageRanges>

#include "dialogs/PrintOutput.h"
#include "plan/Printing.h"
#include "plan/QtPrintTarget.h"
#include "platform/Prompts.h"
#include "shell/UDebitPrint.h"

namespace tranchex {
TFDebit::PrintSession& TFDebit::Printing() {
  if (!printing_) printing_ = std::make_unique<PrintSession>();
  return *printing_;
}

QPrinter& TFDebit::SessionPrinter() { return Printing().Printer; }

void TFDebit::BtnImpressionClick() { PrintView(false); }

void TFDebit::ImprimerClick() { PrintView(true); }

// The two commands differ only in the pages they print: the tool button the whole view, the
// menu those chosen in the print dialog (nothing when it is cancelled).
void TFDebit::PrintView(bool askPages) {
  if (!job_.JobLoaded) return;
  PrintInputs inputs{job_, settings_, ViewMode, PanelDrawMode, CurrentPage, LoadPrintTexts(),
                     PlanDrawingContext(job_, settings_, Measures.DecimalSeparator)};
  QPrinter& printer = Printing().Printer;
  std::optional<std::vector<PrintRange>> pages;
  if (askPages) {
    pages = AskPrintPages(
        printer, MenuPrintDialogSetup(inputs),
        [this](QDialog& dialog) { return prompts_.ShowModal(dialog); }, this);
    if (!pages) return;  // cancelled: nothing printed, nothing said
  } else {
    // The tool button prints the whole view: a range chosen in an earlier menu print does not
    // carry over; a printer that writes to a file asks for the file.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    // Without a printer the print goes to a PDF file, as the print dialog offers: the file is
    // asked for, starting on the job's name in the job folder.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
      printer.setOutputFileName(
          QDir(JobFolderPath())
              .filePath(QFileInfo(QString::fromStdString(job_.JobName)).completeBaseName() +
                        QStringLiteral(".pdf")));
    }
    if (!AskPrintFile(printer, prompts_, Imprimer->text().remove(QLatin1Char('&')))) return;
  }
  QtPrintTarget target(printer);
  SetBusy(true);
  try {
    if (pages)
      PrintViewPages(target, inputs, *pages);
    else
      PrintCurrentView(target, inputs);
    SetBusy(false);
    if (!pages) TellPrintFile(printer, prompts_, Texts.AppTitle);
  } catch (const PrintError& e) {
    SetBusy(false);
    prompts_.Notice(Texts.AppTitle, QString::fromStdString(e.what()), PromptIcon::Warning);
  }
  View->update();
}

}  // namespace tranchex
