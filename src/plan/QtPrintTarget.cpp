#include "plan/QtPrintTarget.h"

#include <QAbstractPrintDialog>
#include <QDialog>
#include <QFile>
#include <QPageLayout>
#include <QPageRanges>
#include <QPrintDialog>
#include <stdexcept>

#include "platform/FileIO.h"

namespace tranchex {

namespace {

std::string Quoted(const QString& text) { return "« " + text.toStdString() + " »"; }

}  // namespace

QtPrintTarget::QtPrintTarget(QPrinter& printer) : printer_(printer) {}

QtPrintTarget::~QtPrintTarget() {
  if (painter_) Abort();
}

bool QtPrintTarget::PrintsToFile() const { return !printer_.outputFileName().isEmpty(); }

void QtPrintTarget::SetOrientation(PrintOrientation orientation) {
  printer_.setPageOrientation(orientation == PrintOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
}

bool QtPrintTarget::BeginDoc() {
  detail_.clear();
  if (painter_) return false;  // one document at a time
  if (printer_.outputFormat() == QPrinter::PdfFormat && !PrintsToFile()) {
    detail_ = "Aucune imprimante n'est disponible et aucun fichier n'a été choisi.";
    return false;
  }
  if (printer_.outputFormat() == QPrinter::NativeFormat && !printer_.isValid()) {
    detail_ = "L'imprimante " + Quoted(printer_.printerName()) + " est introuvable.";
    return false;
  }
  if (PrintsToFile()) {
    const std::filesystem::path file =
        QFile::encodeName(printer_.outputFileName()).toStdString();
    // A FIFO would hold the print until something reads it: refused before it is opened.
    try {
      RefuseNonRegularTarget(file);
    } catch (const FileAccessError&) {
      detail_ = "Le fichier " + Quoted(printer_.outputFileName()) +
                " n'est pas un fichier ordinaire : rien n'y est imprimé.";
      return false;
    }
    if (const auto missing = MissingFolder(file)) {
      detail_ = "Le dossier " + Quoted(QFile::decodeName(missing->c_str())) +
                " n'existe pas : le fichier " + Quoted(printer_.outputFileName()) +
                " ne peut pas y être écrit.";
      return false;
    }
  }
  painter_.emplace();
  if (!painter_->begin(&printer_)) {
    painter_.reset();
    detail_ = PrintsToFile()
                  ? "Le fichier " + Quoted(printer_.outputFileName()) + " ne peut pas être écrit."
                  : "L'imprimante " + Quoted(printer_.printerName()) + " ne répond pas.";
    return false;
  }
  canvas_.emplace(*painter_);
  return true;
}

std::int32_t QtPrintTarget::PageWidth() const { return printer_.width(); }

std::int32_t QtPrintTarget::PageHeight() const { return printer_.height(); }

std::int32_t QtPrintTarget::Resolution() const { return printer_.resolution(); }

// The page layout knows the printable area in millimetres, before it is cut to device pixels.
double QtPrintTarget::PrintableWidthTenths() const {
  return printer_.pageLayout().paintRect(QPageLayout::Millimeter).width() * 10.0;
}

double QtPrintTarget::PrintableHeightTenths() const {
  return printer_.pageLayout().paintRect(QPageLayout::Millimeter).height() * 10.0;
}

Canvas& QtPrintTarget::GetCanvas() {
  // The engine asks only between BeginDoc and EndDoc; a canvas outside a document is a fault of
  // the caller, not of the printer.
  if (!canvas_) throw std::logic_error("QtPrintTarget: no document");
  return *canvas_;
}

bool QtPrintTarget::NewPage() {
  detail_.clear();
  if (!painter_ || !printer_.newPage()) {
    detail_ = "L'imprimante a refusé la page.";
    return false;
  }
  return true;
}

void QtPrintTarget::ClosePainter() {
  // The canvas gives the painter its state back before the painter ends.
  canvas_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
}

bool QtPrintTarget::EndDoc() {
  detail_.clear();
  if (!painter_) return false;
  canvas_.reset();
  const bool ended = painter_->end();
  painter_.reset();
  if (!ended || printer_.printerState() == QPrinter::Error) {
    detail_ = PrintsToFile()
                  ? "Le fichier " + Quoted(printer_.outputFileName()) + " n'a pas pu être écrit."
                  : "Le document n'a pas pu être transmis à l'imprimante.";
    return false;
  }
  return true;
}

void QtPrintTarget::Abort() {
  if (!painter_) return;
  canvas_.reset();
  printer_.abort();
  ClosePainter();
  // A file begun is dropped whole: half a plan is worse than none.
  if (PrintsToFile()) QFile::remove(printer_.outputFileName());
}

std::optional<std::vector<PrintRange>> AskPrintPages(
    QPrinter& printer, const PrintDialogSetup& setup,
    const std::function<int(QDialog&)>& showModal, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  const bool pages = setup.OffersPages && setup.PageCount > 0;
  QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
  options.setFlag(QAbstractPrintDialog::PrintToFile, true);
  options.setFlag(QAbstractPrintDialog::PrintSelection, false);
  options.setFlag(QAbstractPrintDialog::PrintPageRange, pages);
  options.setFlag(QAbstractPrintDialog::PrintCurrentPage, pages && setup.CurrentPage > 0);
  dialog.setOptions(options);
  if (pages) {
    dialog.setMinMax(1, setup.PageCount);
    dialog.setFromTo(1, setup.PageCount);
  }
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);

  if (showModal(dialog) != QDialog::Accepted) return std::nullopt;
  if (!pages) return std::vector<PrintRange>{kAllPrintPages};

  switch (dialog.printRange()) {
    case QAbstractPrintDialog::CurrentPage:
      return std::vector<PrintRange>{{setup.CurrentPage, setup.CurrentPage}};
    case QAbstractPrintDialog::PageRange: {
      std::vector<PrintRange> ranges;
      for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
        ranges.push_back({range.from, range.to});
      if (ranges.empty()) ranges.push_back({dialog.fromPage(), dialog.toPage()});
      return ranges;
    }
    default:
      return std::vector<PrintRange>{kAllPrintPages};
  }
}

}  // namespace tranchex
