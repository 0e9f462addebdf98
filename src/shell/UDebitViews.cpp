// The main window's views: the three view buttons, page navigation, the measures taken from
// the client area's size, and the painting of the current page; the commands of the settings
// forms that change what the views show (drawing mode, unit).

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

#include "platform/QPainterCanvas.h"
#include "job/ListLookup.h"
#include "plan/CuttingSheet.h"
#include "plan/DrawPanelCutLines.h"
#include "plan/DrawPanelHeading.h"
#include "plan/DrawPanelParts.h"
#include "job/PageLists.h"
#include "job/ResultLists.h"
#include "plan/Printing.h"
#include "dialogs/CheckedField.h"
#include "dialogs/USelModeAffPanneaux.h"
#include "dialogs/USelUnite.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

constexpr int kViewFontSize = 5;

std::string CounterText(std::int32_t page, std::int32_t count) {
  return std::to_string(page) + "\\" + std::to_string(count);
}

}  // namespace

// ---- The client area ------------------------------------------------------------------------

TFDebitView::TFDebitView(TFDebit& window) : QWidget(&window), window_(window) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void TFDebitView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QPainterCanvas canvas(painter);
  try {
    window_.PaintView(canvas, width(), height());
  } catch (...) {
    // Nothing may leave a paint handler; what could not be drawn is simply not shown.
  }
  // The window is on screen: start-up may go on with what can keep it waiting.
  window_.ContinueStartUp();
}

void TFDebitView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window_.FormResize();
}

// ---- Measures -------------------------------------------------------------------------------

void TFDebit::FormResize() {
  if (!Panel1) return;
  const int clientWidth = View->width();
  const int clientHeight = View->height();
  Panel1->setGeometry(0, 0, clientWidth, Panel1->height());

  // The 0.1 mm measures at the screen's resolution, with the views' font.
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(qRound(View->logicalDpiX() / 0.0254));
  probe.setDotsPerMeterY(qRound(View->logicalDpiY() / 0.0254));
  QPainter painter(&probe);
  QPainterCanvas canvas(painter);
  canvas.SetFontSize(kViewFontSize);
  canvas.SetMapMode(MapMode::LoMetric);
  const CanvasPoint client = canvas.DPtoLP({clientWidth, clientHeight});
  const CanvasPoint panel = canvas.DPtoLP({Panel1->width(), Panel1->height()});
  const std::int32_t h = canvas.GetTextMetrics().height;
  canvas.SetMapMode(MapMode::Pixels);
  const std::int32_t rowHeight = canvas.GetTextMetrics().height + 4;

  Measures.AreaHeight = std::abs(client.y);
  Measures.AreaWidth = client.x;
  const std::int32_t p = std::abs(panel.y);
  Measures.PanelViewMargin = (4 * h + p + 190) / 2;
  Measures.PartViewMargin = (7 * h + p + 230) / 2;
  Measures.DecimalSeparator = RegionalDecimalSeparator();
  PlanViewMetrics = {20, client.y + 20};
  ComputeViewScales(job_, Measures);

  // At least one row per page, however small the window.
  const int rows = std::abs(clientHeight - Panel1->height() + 1) / std::max(1, rowHeight);
  Measures.SheetRowsPerPage = static_cast<std::uint32_t>(std::max(1, rows));
  PaginateRows(job_.JobParts, job_.CuttingSheetPages, Measures.SheetRowsPerPage);

  if (job_.JobLoaded && ViewMode == kCuttingSheetView) SBtnFicheClick();
  View->update();
}

// ---- View buttons ---------------------------------------------------------------------------

std::int32_t TFDebit::PageCount() const {
  switch (ViewMode) {
    case kPanelsView:
      return CountDisplayedPanels(job_.PanelPages);
    case kPartsView:
      return static_cast<std::int32_t>(job_.JobParts.size());
    case kCuttingSheetView:
      return static_cast<std::int32_t>(job_.CuttingSheetPages.size());
    default:
      return 0;
  }
}

void TFDebit::SetCounter(std::int32_t page, std::int32_t count) {
  EdtQuantieme->setText(QString::fromStdString(CounterText(page, count)));
}

void TFDebit::SetBackButtons(bool enabled) {
  BtnPremier->setEnabled(enabled);
  BtnPrecedant->setEnabled(enabled);
}

void TFDebit::SetForwardButtons(bool enabled) {
  BtnSuivant->setEnabled(enabled);
  BtnDernier->setEnabled(enabled);
}

void TFDebit::SBtnPanneauxClick() {
  ViewMode = kPanelsView;
  SetBackButtons(false);
  SetForwardButtons(false);
  EdtQuantieme->setEnabled(false);
  const std::int32_t n = CountDisplayedPanels(job_.PanelPages);
  if (n > 1) {
    EdtQuantieme->setEnabled(true);
    SetForwardButtons(true);
  }
  if (n < 1) {
    EdtQuantieme->setText(QString());
  } else {
    CurrentPage = 0;
    SetCounter(1, n);
  }
  if (job_.JobLoaded) {
    SetCommandEnabled(SBtnModeAffPanneaux, true);
    SetCommandEnabled(SBtnRecap, true);
  }
  View->update();
}

void TFDebit::SBtnPiecesClick() {
  EnterListView(kPartsView, static_cast<std::int32_t>(job_.JobParts.size()));
}

void TFDebit::SBtnFicheClick() {
  EnterListView(kCuttingSheetView, static_cast<std::int32_t>(job_.CuttingSheetPages.size()));
}

// The parts view and the cutting sheet: page 1 of n (also for n = 0), the five navigation
// controls on when there is more than one page; the panel drawing mode has no use there.
void TFDebit::EnterListView(std::int32_t viewMode, std::int32_t n) {
  ViewMode = viewMode;
  const bool several = n > 1;
  SetBackButtons(several);
  SetForwardButtons(several);
  EdtQuantieme->setEnabled(several);
  CurrentPage = 0;
  SetCounter(1, n);
  SBtnModeAffPanneaux->setEnabled(false);
  View->update();
}

void TFDebit::SBtnModeAffPanneauxClick() {
  TFSelModeAffPanneaux& dialog = *FSelModeAffPanneaux;
  dialog.DrawMode = PanelDrawMode;
  PlaceDialog(dialog, *this, 14);
  prompts_.ShowModal(dialog);
  // Whatever closed the form, the last click stands.
  PanelDrawMode = dialog.DrawMode;
  View->update();
}

// The unit comes back whatever closed the form; the plans and the summary show it at once.
void TFDebit::UnitesClick() {
  TFSelUnite& dialog = *FSelUnite;
  CopyUnit(settings_.MeasureUnit, dialog.Unit);
  PlaceDialog(dialog, *this, 14);
  prompts_.ShowModal(dialog);
  CopyUnit(dialog.Unit, settings_.MeasureUnit);
  settings_.UnitFileDirty = settings_.UnitFileDirty || dialog.UnitChanged ? 1 : 0;
  RebuildSummaryLists(job_, settings_, Measures.DecimalSeparator);
  View->update();
}

// ---- Page navigation ------------------------------------------------------------------------

void TFDebit::BtnPremierClick() {
  SetCounter(1, PageCount());
  CurrentPage = 0;
  SetBackButtons(false);
  SetForwardButtons(true);
  View->update();
}

void TFDebit::BtnPrecedentClick() {
  if (CurrentPage <= 0) return;
  const std::int32_t n = PageCount();
  std::int32_t p = 0;
  if (ViewMode == kPanelsView) {
    p = PreviousDisplayedPanel(CurrentPage, job_.PanelPages);
  } else {
    --CurrentPage;
    p = CurrentPage + 1;
  }
  SetCounter(p, n);
  if (CurrentPage == 0) SetBackButtons(false);
  bool later = false;
  if (ViewMode == kPanelsView) {
    later = n > p;
  } else if (ViewMode == kPartsView) {
    later = static_cast<std::int64_t>(job_.JobParts.size()) - 1 > CurrentPage;
  } else if (ViewMode == kCuttingSheetView) {
    later = static_cast<std::int64_t>(job_.CuttingSheetPages.size()) - 1 > CurrentPage;
  }
  if (later) SetForwardButtons(true);
  View->update();
}

void TFDebit::BtnSuivantClick() {
  if (ViewMode == kPanelsView) {
    if (!(static_cast<std::int64_t>(job_.ResultPanels.size()) - 1 > CurrentPage)) return;
    const std::int32_t n = CountDisplayedPanels(job_.PanelPages);
    const std::int32_t p = NextDisplayedPanel(CurrentPage, job_.PanelPages);
    SetCounter(p, n);
    if (p == n) {
      SetForwardButtons(false);
      SetBackButtons(true);
    }
    if (n > p) {
      SetForwardButtons(true);
      SetBackButtons(true);
    }
    View->update();
    return;
  }
  std::int64_t count = 0;
  if (ViewMode == kPartsView) {
    count = static_cast<std::int64_t>(job_.JobParts.size());
  } else if (ViewMode == kCuttingSheetView) {
    count = static_cast<std::int64_t>(job_.CuttingSheetPages.size());
  } else {
    return;
  }
  if (!(count - 1 > CurrentPage)) return;
  ++CurrentPage;
  SetCounter(CurrentPage + 1, static_cast<std::int32_t>(count));
  const bool last = CurrentPage == count - 1;
  SetForwardButtons(!last);
  SetBackButtons(true);
  View->update();
}

void TFDebit::BtnDernierClick() {
  if (ViewMode == kPanelsView) {
    const std::int32_t n = CountDisplayedPanels(job_.PanelPages);
    CurrentPage = LastDisplayedPanel(job_.PanelPages);
    SetCounter(n, n);
  } else {
    const std::int32_t count = PageCount();
    CurrentPage = std::max(0, count - 1);
    SetCounter(CurrentPage + 1, count);
  }
  View->update();
  SetForwardButtons(false);
  SetBackButtons(true);
}

// ---- Painting -------------------------------------------------------------------------------

void TFDebit::PaintView(Canvas& canvas, int clientWidth, int clientHeight) {
  canvas.SetPenColor(kCanvasBlack);
  if (!job_.JobLoaded) return;
  canvas.SetFontSize(kViewFontSize);
  if (ViewMode == kPanelsView) PaintPanels(canvas);
  if (ViewMode == kPartsView) PaintPart(canvas);
  if (ViewMode == kCuttingSheetView) PaintCuttingSheet(canvas, clientWidth, clientHeight);
}


void TFDebit::PaintPanels(Canvas& canvas) {
  // Only an entry that both lists hold is drawn.
  if (!ValidIndex(job_.PanelPages, CurrentPage) || !ValidIndex(job_.ResultPanels, CurrentPage)) {
    return;
  }
  const int savedSize = canvas.GetFont().size;
  canvas.SetFontSize(kViewFontSize);
  canvas.SetMapMode(MapMode::LoMetric);
  DrawingContext context = PlanDrawingContext(job_, settings_, Measures.DecimalSeparator);
  context.DisplayedPanelCount = job_.PanelPages[static_cast<std::size_t>(CurrentPage)].Count;
  const Panneau_p& panel = job_.ResultPanels[static_cast<std::size_t>(CurrentPage)];
  const std::int32_t code = kPanelsView + job_.JobKind;
  if (PanelDrawMode == 0) {
    DrawPanelParts(panel, canvas, PlanViewMetrics.x, PlanViewMetrics.y, job_.PanelViewScale,
                   settings_.SpeciesNames, job_.JobDesignations, job_.JobReferences, code,
                   settings_.MeasureUnit, context);
  } else {
    DrawPanelCutLines(panel, canvas, PlanViewMetrics.x, PlanViewMetrics.y, job_.PanelViewScale,
                      settings_.SpeciesNames, job_.JobDesignations, job_.JobReferences, code,
                      settings_.MeasureUnit, context);
  }
  canvas.SetMapMode(MapMode::Pixels);
  canvas.SetFontSize(savedSize);
}

void TFDebit::PaintPart(Canvas& canvas) {
  if (!ValidIndex(job_.JobParts, CurrentPage)) return;
  const int savedSize = canvas.GetFont().size;
  canvas.SetFontSize(kViewFontSize);
  canvas.SetMapMode(MapMode::LoMetric);
  DrawingContext context = PlanDrawingContext(job_, settings_, Measures.DecimalSeparator);
  const TPiece& part = job_.JobParts[static_cast<std::size_t>(CurrentPage)];
  context.CurrentPartReference = EntryOrEmpty(job_.JobReferences, PartNumber(part));
  DrawPanelHeading(part, canvas, PlanViewMetrics.x, PlanViewMetrics.y, job_.PartViewScale,
                   settings_.SpeciesNames, job_.JobDesignations, job_.JobReferences,
                   kPartsView + job_.JobKind, settings_.MeasureUnit, context);
  canvas.SetMapMode(MapMode::Pixels);
  canvas.SetFontSize(savedSize);
}

void TFDebit::PaintCuttingSheet(Canvas& canvas, int clientWidth, int clientHeight) {
  canvas.SetMapMode(MapMode::Pixels);
  // The bold header font's measures serve the whole table.
  canvas.SetFontBold(true);
  const TextMetrics metrics = canvas.GetTextMetrics();
  CuttingSheetLayout layout;
  layout.Width = clientWidth;
  layout.RuleBottom = clientHeight;  // behind the tool panel too
  layout.Top = Panel1->height() + 1;
  layout.TextHeight = metrics.height;
  layout.AveCharWidth = metrics.aveCharWidth;

  const CuttingSheetTexts texts = LoadCuttingSheetTexts();

  // A page the list does not hold shows the header alone.
  const PAGE page = ValidIndex(job_.CuttingSheetPages, CurrentPage)
                        ? job_.CuttingSheetPages[static_cast<std::size_t>(CurrentPage)]
                        : PAGE{0, -1};
  DrawCuttingSheetPage(canvas, layout, page, job_, settings_.SpeciesNames, settings_.MeasureUnit,
                       texts, Measures.DecimalSeparator);
}

}  // namespace tranchex
