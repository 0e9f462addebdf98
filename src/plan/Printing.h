#pragma once
// Printing the views: the same pictures as on screen, laid out on sheets of paper.
//
//   panels view     one layout per landscape sheet (identical layouts once, with their count)
//   parts view      two parts per portrait sheet, upper half then lower half
//   cutting sheet   the table of the parts, portrait, as many sheets as its rows need, each with
//                   the header repeated at its top
//
// Two commands print, through one engine:
//   - the print tool button prints the whole current view at once, without a dialog:
//       PrintCurrentView(target, inputs);
//   - the "Imprimer" menu asks the print dialog first (QtPrintTarget.h: AskPrintPages, set up
//     with MenuPrintDialogSetup(inputs)) and prints the pages chosen there:
//       PrintViewPages(target, inputs, pages);
//     In the panels and parts views the user may choose pages; the cutting sheet is always
//     printed whole (its printed pages are not the screen's).
//
// Both throw PrintError, whose what() is the French message to show the user, when the printer
// cannot start the document, a sheet cannot be started, the document cannot be finished or the
// drawing fails; a document already begun has then been aborted (nothing of it goes to the
// printer). Nothing of the job, the settings or the inputs is changed by a print, on any path:
// the printer's pagination of the cutting sheet and the values the drawings write
// (DisplayedPanelCount, CurrentPartReference) live in the print run only.
//
// Page geometry, in the 0.1 mm mapping of the drawn views (W x H the printable page, h and aw the
// measures of the 5-point font):
//   - panels: the panel's point (0, 0) at (100, 100 - H), a heading margin of 2h + 145, one
//     scale for every layout of the job (ComputePanelDrawScale over the page);
//   - parts: the points (0, 0) at (100, 100 - H div 2) and (100, 100 - H), a heading margin of
//     4h + 155 (room for the eight heading rows of a part above its half of the sheet), one
//     scale over half the page for every part (ComputePartDrawScale);
//   - the scale label "Echelle : 1/n" right-aligned at the top of every sheet, n the whole ratio
//     the sheet is drawn at (FormatScaleLabel), on panel sheets only when the job is not a job of
//     bars (MarginsAllZero 0).
// The cutting sheet is drawn in printer pixels with a 10-point font (CuttingSheet.h), its rows
// paginated for the page height with the header row counted.
//
// Each sheet starts from the canvas state the screen paints from (black pen, white solid brush,
// the default font face in black, regular), so a sheet never depends on the one before it.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "plan/CuttingSheet.h"
#include "plan/DrawingContext.h"
#include "job/JobState.h"
#include "job/Settings.h"

namespace tranchex {

// ---- The printer ----------------------------------------------------------------------------

enum class PrintOrientation { Portrait, Landscape };

// What the engine prints on: a printer, a PDF file, a recorder in the tests. The engine calls,
// in order: SetOrientation, BeginDoc, then PageWidth/PageHeight and its canvas, NewPage between
// sheets, and EndDoc; or Abort instead of EndDoc when something failed after BeginDoc.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;

  // Before BeginDoc: the orientation of every sheet of the document.
  virtual void SetOrientation(PrintOrientation orientation) = 0;
  // Starts the document and its first sheet. False: the printer is not ready (none, offline,
  // a file that cannot be written); nothing was started.
  virtual bool BeginDoc() = 0;
  // The printable area of a sheet, in device pixels, and the device's resolution (pixels per
  // inch). Valid between BeginDoc and EndDoc.
  virtual std::int32_t PageWidth() const = 0;
  virtual std::int32_t PageHeight() const = 0;
  virtual std::int32_t Resolution() const = 0;
  // The printable area of a sheet in tenths of a millimetre, unrounded (PageWidth and PageHeight
  // are cut to whole device pixels: a third of a millimetre at 72 pixels an inch). Valid between
  // BeginDoc and EndDoc.
  virtual double PrintableWidthTenths() const { return PageWidth() * 254.0 / Resolution(); }
  virtual double PrintableHeightTenths() const { return PageHeight() * 254.0 / Resolution(); }
  // The canvas of the current sheet. Valid between BeginDoc and EndDoc or Abort.
  virtual Canvas& GetCanvas() = 0;
  // Ends the current sheet and starts the next. False: the sheet cannot be started.
  virtual bool NewPage() = 0;
  // Ends the document and hands it to the printer. False: it could not be finished.
  virtual bool EndDoc() = 0;
  // Drops the document begun: nothing of it is printed.
  virtual void Abort() = 0;
  // What went wrong with the last call that failed, in French, for the message; may be empty.
  virtual std::string FailureDetail() const { return {}; }
};

// A print that failed. what() is the message for the user, in French.
class PrintError : public std::runtime_error {
 public:
  enum class Reason {
    PrinterNotReady,  // BeginDoc failed: nothing was printed
    PageFailed,       // a sheet could not be started: the document was aborted
    DocumentFailed,   // EndDoc failed
    DrawingFailed,    // the drawing of a sheet failed: the document was aborted
  };
  PrintError(Reason reason, std::int32_t sheet, const std::string& message)
      : std::runtime_error(message), reason_(reason), sheet_(sheet) {}
  Reason reason() const { return reason_; }
  // The sheet (from 1) that failed; 0 for the document as a whole.
  std::int32_t sheet() const { return sheet_; }

 private:
  Reason reason_;
  std::int32_t sheet_;
};

// ---- What is printed ------------------------------------------------------------------------

struct PrintTexts {
  std::string TextScale;  // "Echelle": the first word of the scale label
  CuttingSheetTexts Sheet;
};

// The language texts of the printouts.
PrintTexts LoadPrintTexts();

// Everything a print reads; nothing of it is written.
struct PrintInputs {
  const JobState& Job;
  const Settings& Config;  // species names and the unit of measure
  std::int32_t ViewMode = kPanelsView;  // 10 parts, 20 panels, 30 cutting sheet
  std::int32_t PanelDrawMode = 0;            // 0 panels with their parts, 1 with their cut lines
  // As the main window holds it: in the panels view the index in PanelPages of the layout on
  // screen, in the other views the page from 0. Only the print dialog's "current page" reads it.
  std::int32_t CurrentPage = 0;
  PrintTexts Texts;
  // The display options, words and decimal separator of the drawings (PlanDrawingContext). Its
  // MarginsAllZero is taken from the job.
  DrawingContext Context;
};

// The drawing context of the job's plans: the job's MarginsAllZero, the settings' display
// options and words, the language texts and the decimal separator.
DrawingContext PlanDrawingContext(const JobState& job, const Settings& settings,
                                  char decimalSeparator);

// Pages of a view, numbered from 1 as the print dialog shows them; both ends included.
struct PrintRange {
  std::int32_t From = 1;
  std::int32_t To = 1;
  friend constexpr bool operator==(const PrintRange&, const PrintRange&) = default;
};

// Every page of a view, whatever its count: what "all pages" in the print dialog gives.
inline constexpr PrintRange kAllPrintPages{1, 2147483647};

// How many pages the view has for the print dialog: the shown layouts (panels), the parts
// (parts), 0 for the cutting sheet and any other view.
std::int32_t PrintablePageCount(const PrintInputs& inputs);

// What the menu's print dialog offers.
struct PrintDialogSetup {
  // Panels and parts views: the user may choose pages 1..PageCount, all of them proposed, or
  // the page on screen. Cutting sheet: no choice of pages.
  bool OffersPages = false;
  std::int32_t PageCount = 0;
  // The page on screen, from 1; 0 when there is none.
  std::int32_t CurrentPage = 0;
};

PrintDialogSetup MenuPrintDialogSetup(const PrintInputs& inputs);

// The pages (from 0, ascending, each once) that the ranges select among the view's pages;
// parts of ranges outside 1..PrintablePageCount are left out.
std::vector<std::int32_t> SelectPages(std::span<const PrintRange> ranges, std::int32_t pageCount);

// What a print run did.
struct PrintReport {
  std::int32_t Sheets = 0;  // sheets of paper printed; 0: no document was started
};

// ---- The document of one print run ----------------------------------------------------------

// Begun when made (SetOrientation, then BeginDoc), aborted when dropped before it was ended, so
// that a failure anywhere in the run sends nothing to the printer. Every printout goes through
// it:
//
//   PrintDocument doc(target, PrintOrientation::Portrait);  // PrintError: printer not ready
//   return doc.Run([&] {
//     ... draw on doc.canvas() ...
//     doc.NextSheet();  // PrintError: the sheet cannot be started
//     ...
//   });                 // ends the document; PrintError when it cannot be finished
class PrintDocument {
 public:
  PrintDocument(PrintTarget& target, PrintOrientation orientation);
  ~PrintDocument();
  PrintDocument(const PrintDocument&) = delete;
  PrintDocument& operator=(const PrintDocument&) = delete;

  Canvas& canvas() { return target_.GetCanvas(); }
  // Sheets begun so far (the first is begun with the document).
  std::int32_t sheets() const { return sheets_; }

  // Ends the current sheet and starts the next.
  void NextSheet();

  // Runs the body, which draws the sheets, then ends the document. A failure of the drawing
  // (anything but a PrintError) becomes a PrintError on the sheet being drawn.
  template <class Body>
  PrintReport Run(Body&& body) {
    try {
      body();
    } catch (const PrintError&) {
      throw;
    } catch (...) {
      throw DrawingFailure();
    }
    return End();
  }

 private:
  PrintError DrawingFailure() const;
  PrintReport End();

  PrintTarget& target_;
  bool open_ = false;
  std::int32_t sheets_ = 0;
};

// ---- The two commands -----------------------------------------------------------------------

// The print tool button: every page of the current view, on the target as it stands (no
// dialog). A view with nothing to print (no part, no layout, an unknown view) starts no document.
PrintReport PrintCurrentView(PrintTarget& target, const PrintInputs& inputs);

// The "Imprimer" menu, after its dialog: the pages chosen among the view's pages, in
// ascending order (panels: one layout per sheet; parts: the first chosen part in the upper half
// of the first sheet, two per sheet). The cutting sheet ignores the ranges and prints whole.
// Ranges that select nothing start no document.
PrintReport PrintViewPages(PrintTarget& target, const PrintInputs& inputs,
                           std::span<const PrintRange> ranges);

}  // namespace tranchex
