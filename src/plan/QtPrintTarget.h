#pragma once
// The printer side of printing: a QPrinter (a printer CUPS knows, or a PDF file) as the target
// of the print engine, and the print dialog of the "Imprimer" menu.
//
// How the main window prints (it keeps one QPrinter for the session, so that the printer chosen
// in the dialog is the one the tool button prints on):
//
//   PrintInputs in{.Job = job, .Config = settings, .ViewMode = ViewMode,
//                  .PanelDrawMode = PanelDrawMode, .CurrentPage = CurrentPage,
//                  .Texts = LoadPrintTexts(),
//                  .Context = PlanDrawingContext(job, settings, decimalSeparator)};
//
//   // Tool button BtnImpression:
//   QtPrintTarget target(printer);
//   try { PrintCurrentView(target, in); }
//   catch (const PrintError& e) { /* show e.what() */ }
//
//   // Menu Imprimer:
//   const auto pages = AskPrintPages(printer, MenuPrintDialogSetup(in),
//                                    [&](QDialog& d) { return prompts.ShowModal(d); }, window);
//   if (!pages) return;  // cancelled: nothing printed, nothing shown
//   QtPrintTarget target(printer);
//   try { PrintViewPages(target, in, *pages); }
//   catch (const PrintError& e) { /* show e.what() */ }

#include <QPainter>
#include <QPrinter>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/QPainterCanvas.h"
#include "plan/Printing.h"

class QDialog;
class QWidget;

namespace tranchex {

// The printer's document: BeginDoc opens a painter on it, EndDoc closes it (the printer then
// receives the document, or the PDF file is complete). Abort asks the printer to drop the
// document and removes a PDF file begun; Qt's CUPS engine cannot drop a document once begun, so
// a native printer receives what was drawn before the failure. A target destroyed with its
// document open aborts it.
class QtPrintTarget final : public PrintTarget {
 public:
  explicit QtPrintTarget(QPrinter& printer);
  ~QtPrintTarget() override;
  QtPrintTarget(const QtPrintTarget&) = delete;
  QtPrintTarget& operator=(const QtPrintTarget&) = delete;

  void SetOrientation(PrintOrientation orientation) override;
  bool BeginDoc() override;
  std::int32_t PageWidth() const override;
  std::int32_t PageHeight() const override;
  std::int32_t Resolution() const override;
  double PrintableWidthTenths() const override;
  double PrintableHeightTenths() const override;
  Canvas& GetCanvas() override;
  bool NewPage() override;
  bool EndDoc() override;
  void Abort() override;
  std::string FailureDetail() const override { return detail_; }

 private:
  bool PrintsToFile() const;
  void ClosePainter();

  QPrinter& printer_;
  std::optional<QPainter> painter_;
  std::optional<QPainterCanvas> canvas_;
  std::string detail_;
};

// Shows the print dialog of the "Imprimer" menu on the printer, through showModal (the window's
// modal runner: it shows the dialog and returns QDialog::Accepted or Rejected). With
// setup.OffersPages the dialog proposes pages 1..PageCount, all of them selected, and the page
// on screen when there is one; otherwise it offers no choice of pages. The printer keeps what
// the user chose in the dialog (printer or PDF file, paper, copies).
//
// Returns nothing when the dialog is cancelled; otherwise the pages chosen: {kAllPrintPages}
// for all pages, {{p, p}} for the page on screen, the ranges typed for a choice of pages.
std::optional<std::vector<PrintRange>> AskPrintPages(
    QPrinter& printer, const PrintDialogSetup& setup,
    const std::function<int(QDialog&)>& showModal, QWidget* parent = nullptr);

}  // namespace tranchex
