#include "plan/Printing.h"
#include "job/ListLookup.h"

#include <algorithm>
#include <cstdlib>

#include "engine/Records.h"
#include "plan/DrawPanelCutLines.h"
#include "plan/DrawPanelHeading.h"
#include "plan/DrawPanelParts.h"
#include "job/DrawScales.h"
#include "job/PageLists.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "job/Outils_debit.h"

namespace tranchex {

namespace {

constexpr int kPlanFontSize = 5;    // the drawn views, as on screen
constexpr int kSheetFontSize = 10;  // the printed cutting sheet

std::string WithDetail(std::string message, const std::string& detail) {
  if (!detail.empty()) message += "\n" + detail;
  return message;
}

}  // namespace

// ---- PrintDocument --------------------------------------------------------------------------

PrintDocument::PrintDocument(PrintTarget& target, PrintOrientation orientation)
    : target_(target) {
  target_.SetOrientation(orientation);
  if (!target_.BeginDoc()) {
    throw PrintError(PrintError::Reason::PrinterNotReady, 0,
                     WithDetail("L'imprimante n'est pas prête : rien n'a été imprimé.",
                                target_.FailureDetail()));
  }
  open_ = true;
  sheets_ = 1;
}

PrintDocument::~PrintDocument() {
  if (!open_) return;
  try {
    target_.Abort();
  } catch (...) {
    // The failure that brought us here is the one reported.
  }
}

void PrintDocument::NextSheet() {
  if (!target_.NewPage()) {
    const std::int32_t failed = sheets_ + 1;
    throw PrintError(PrintError::Reason::PageFailed, failed,
                     WithDetail("La page " + std::to_string(failed) +
                                    " n'a pas pu être commencée : l'impression a été "
                                    "abandonnée.",
                                target_.FailureDetail()));
  }
  ++sheets_;
}

PrintError PrintDocument::DrawingFailure() const {
  return PrintError(PrintError::Reason::DrawingFailed, sheets_,
                    "Le dessin de la page " + std::to_string(sheets_) +
                        " a échoué : l'impression a été abandonnée.");
}

PrintReport PrintDocument::End() {
  open_ = false;
  if (!target_.EndDoc()) {
    throw PrintError(PrintError::Reason::DocumentFailed, 0,
                     WithDetail("L'impression n'a pas pu être terminée.",
                                target_.FailureDetail()));
  }
  return PrintReport{sheets_};
}

namespace {

// The state the screen paints each page from: black pen, white solid brush, the default face at
// the given size, no clip.
void StartSheet(Canvas& canvas, MapMode mode, int fontSize) {
  canvas.ClearClip();
  canvas.SetMapMode(mode);
  canvas.SetPen(CanvasPen{});
  canvas.SetBrush(CanvasBrush{});
  CanvasFont font;
  font.size = fontSize;
  canvas.SetFont(font);
}

// The printable page in 0.1 mm and the measures of the plan font.
struct PlanPage {
  std::int32_t W = 0;
  std::int32_t H = 0;
  std::int32_t h = 0;
  std::int32_t aw = 0;
};

PlanPage MeasurePlanPage(const PrintTarget& target, const Canvas& canvas) {
  const CanvasPoint size = canvas.DPtoLP({target.PageWidth(), target.PageHeight()});
  const TextMetrics metrics = canvas.GetTextMetrics();
  return PlanPage{std::abs(size.x), std::abs(size.y), metrics.height, metrics.aveCharWidth};
}

// The scale label and where it starts: right-aligned at the top of the page.
struct ScaleLabel {
  std::string Text;
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

ScaleLabel MakeScaleLabel(const PrintInputs& in, const PlanPage& page, float scale) {
  ScaleLabel label;
  label.Text = FormatScaleLabel(in.Texts.TextScale, scale);
  label.X = page.W - CharacterCount(label.Text) * page.aw;
  label.Y = -(page.h + 5);
  return label;
}

DrawingContext WorkingContext(const PrintInputs& in) {
  DrawingContext context = in.Context;
  context.MarginsAllZero = in.Job.MarginsAllZero;
  return context;
}

// The shown layouts that both page lists hold.
std::int32_t PanelPageCount(const JobState& job) {
  std::int32_t n = 0;
  const std::size_t entries = std::min(job.PanelPages.size(), job.ResultPanels.size());
  for (std::size_t i = 0; i < entries; ++i)
    if (job.PanelPages[i].Count != -1) ++n;
  return n;
}

std::vector<std::int32_t> AllPages(std::int32_t count) {
  std::vector<std::int32_t> pages;
  for (std::int32_t k = 0; k < count; ++k) pages.push_back(k);
  return pages;
}

PrintReport PrintPanels(PrintTarget& target, const PrintInputs& in,
                        const std::vector<std::int32_t>& pages) {
  if (pages.empty()) return {};
  const JobState& job = in.Job;
  DrawingContext context = WorkingContext(in);
  PrintDocument doc(target, PrintOrientation::Landscape);
  return doc.Run([&] {
    StartSheet(doc.canvas(), MapMode::LoMetric, kPlanFontSize);
    const PlanPage page = MeasurePlanPage(target, doc.canvas());
    const CanvasPoint origin{100, 100 - page.H};
    const std::int32_t margin = (4 * page.h + 290) / 2;
    const float scale = ComputePanelDrawScale(page.H, page.W, margin, job.ResultPanels);
    const ScaleLabel label = MakeScaleLabel(in, page, scale);
    const std::int32_t code = kPanelsView + job.JobKind;

    for (std::size_t n = 0; n < pages.size(); ++n) {
      if (n > 0) {
        doc.NextSheet();
        StartSheet(doc.canvas(), MapMode::LoMetric, kPlanFontSize);
      }
      Canvas& canvas = doc.canvas();
      if (job.MarginsAllZero == 0) canvas.TextOut(label.X, label.Y, label.Text);
      const std::int32_t i = DisplayedPanelIndex(job.PanelPages, pages[n]);
      if (!ValidIndex(job.ResultPanels, i)) continue;
      context.DisplayedPanelCount = DisplayedPanelRepeat(job.PanelPages, pages[n]);
      const Panneau_p& panel = job.ResultPanels[static_cast<std::size_t>(i)];
      if (in.PanelDrawMode == 0) {
        DrawPanelParts(panel, canvas, origin.x, origin.y, scale, in.Config.SpeciesNames,
                       job.JobDesignations, job.JobReferences, code, in.Config.MeasureUnit,
                       context);
      } else {
        DrawPanelCutLines(panel, canvas, origin.x, origin.y, scale, in.Config.SpeciesNames,
                          job.JobDesignations, job.JobReferences, code, in.Config.MeasureUnit,
                          context);
      }
    }
    doc.canvas().SetMapMode(MapMode::Pixels);
  });
}

PrintReport PrintParts(PrintTarget& target, const PrintInputs& in,
                       const std::vector<std::int32_t>& pages) {
  if (pages.empty()) return {};
  const JobState& job = in.Job;
  DrawingContext context = WorkingContext(in);
  PrintDocument doc(target, PrintOrientation::Portrait);
  return doc.Run([&] {
    StartSheet(doc.canvas(), MapMode::LoMetric, kPlanFontSize);
    const PlanPage page = MeasurePlanPage(target, doc.canvas());
    const CanvasPoint upper{100, 100 - page.H / 2};
    const CanvasPoint lower{100, 100 - page.H};
    // Room for the eight heading rows of a part above its drawing, within its half of the page.
    const std::int32_t margin = (8 * page.h + 310) / 2;
    const float scale = ComputePartDrawScale(page.H / 2, page.W, margin, job.JobParts);
    const ScaleLabel label = MakeScaleLabel(in, page, scale);
    const std::int32_t code = kPartsView + job.JobKind;

    bool upperHalf = true;
    for (std::size_t n = 0; n < pages.size(); ++n, upperHalf = !upperHalf) {
      if (upperHalf && n > 0) {
        doc.NextSheet();
        StartSheet(doc.canvas(), MapMode::LoMetric, kPlanFontSize);
      }
      Canvas& canvas = doc.canvas();
      // Once per sheet: the label stands in the same place for both halves.
      if (upperHalf) canvas.TextOut(label.X, label.Y, label.Text);
      if (!ValidIndex(job.JobParts, pages[n])) continue;
      const TPiece& part = job.JobParts[static_cast<std::size_t>(pages[n])];
      context.CurrentPartReference = EntryOrEmpty(job.JobReferences, PartNumber(part));
      const CanvasPoint origin = upperHalf ? upper : lower;
      DrawPanelHeading(part, canvas, origin.x, origin.y, scale, in.Config.SpeciesNames,
                       job.JobDesignations, job.JobReferences, code, in.Config.MeasureUnit,
                       context);
    }
    doc.canvas().SetMapMode(MapMode::Pixels);
  });
}

PrintReport PrintCuttingSheet(PrintTarget& target, const PrintInputs& in) {
  const JobState& job = in.Job;
  PrintDocument doc(target, PrintOrientation::Portrait);
  return doc.Run([&] {
    StartSheet(doc.canvas(), MapMode::Pixels, kSheetFontSize);
    const TextMetrics metrics = doc.canvas().GetTextMetrics();
    CuttingSheetLayout layout;
    layout.Width = target.PageWidth();
    layout.RuleBottom = target.PageHeight();
    layout.Top = 1;
    layout.TextHeight = metrics.height;
    layout.AveCharWidth = std::max(1, metrics.aveCharWidth);
    // The printer's own pagination, for this run only: the screen keeps its pages.
    PageList sheetPages;
    PaginateRows(job.JobParts, sheetPages,
                 CuttingSheetRowsPerPage(target.PageHeight(), metrics.height));

    for (std::size_t p = 0; p < sheetPages.size(); ++p) {
      if (p > 0) {
        doc.NextSheet();
        StartSheet(doc.canvas(), MapMode::Pixels, kSheetFontSize);
      }
      DrawCuttingSheetPage(doc.canvas(), layout, sheetPages[p], job, in.Config.SpeciesNames,
                           in.Config.MeasureUnit, in.Texts.Sheet, in.Context.DecimalSeparator);
    }
  });
}

}  // namespace

PrintTexts LoadPrintTexts() {
  PrintTexts t;
  t.TextScale = LoadString(TextId::Columns::TextScale);
  t.Sheet = LoadCuttingSheetTexts();
  return t;
}

DrawingContext PlanDrawingContext(const JobState& job, const Settings& settings,
                                  char decimalSeparator) {
  DrawingContext context;
  context.MarginsAllZero = job.MarginsAllZero;
  context.DimensionDisplayMode = settings.DimensionDisplayMode;
  context.CutLineLabelMode = settings.CutLineLabelMode;
  context.DecimalSeparator = decimalSeparator;
  context.Texts = LoadDrawingTexts();
  context.Texts.WordPart = settings.WordPart;
  context.Texts.WordPanel = settings.WordPanel;
  context.Texts.WordPanels = settings.WordPanels;
  return context;
}

std::int32_t PrintablePageCount(const PrintInputs& inputs) {
  switch (inputs.ViewMode) {
    case kPanelsView:
      return PanelPageCount(inputs.Job);
    case kPartsView:
      return static_cast<std::int32_t>(inputs.Job.JobParts.size());
    default:
      return 0;
  }
}

PrintDialogSetup MenuPrintDialogSetup(const PrintInputs& inputs) {
  PrintDialogSetup setup;
  const JobState& job = inputs.Job;
  if (inputs.ViewMode == kPanelsView) {
    setup.OffersPages = true;
    setup.PageCount = PanelPageCount(job);
    // The page number of the layout on screen: the shown entries up to its index.
    std::int32_t number = 0;
    const std::int64_t entries = static_cast<std::int64_t>(job.PanelPages.size());
    const std::int64_t last = std::min<std::int64_t>(inputs.CurrentPage, entries - 1);
    for (std::int64_t i = 0; i <= last; ++i)
      if (job.PanelPages[static_cast<std::size_t>(i)].Count != -1) ++number;
    setup.CurrentPage = std::min(number, setup.PageCount);
  } else if (inputs.ViewMode == kPartsView) {
    setup.OffersPages = true;
    setup.PageCount = static_cast<std::int32_t>(job.JobParts.size());
    setup.CurrentPage = ValidIndex(job.JobParts, inputs.CurrentPage) ? inputs.CurrentPage + 1 : 0;
  }
  return setup;
}

std::vector<std::int32_t> SelectPages(std::span<const PrintRange> ranges, std::int32_t pageCount) {
  if (pageCount <= 0) return {};
  std::vector<bool> chosen(static_cast<std::size_t>(pageCount), false);
  for (const PrintRange& range : ranges) {
    const std::int32_t from = std::max(range.From, 1);
    const std::int32_t to = std::min(range.To, pageCount);
    for (std::int32_t page = from; page <= to; ++page)
      chosen[static_cast<std::size_t>(page - 1)] = true;
  }
  std::vector<std::int32_t> pages;
  for (std::int32_t k = 0; k < pageCount; ++k)
    if (chosen[static_cast<std::size_t>(k)]) pages.push_back(k);
  return pages;
}

PrintReport PrintCurrentView(PrintTarget& target, const PrintInputs& inputs) {
  switch (inputs.ViewMode) {
    case kPanelsView:
      return PrintPanels(target, inputs, AllPages(PrintablePageCount(inputs)));
    case kPartsView:
      return PrintParts(target, inputs, AllPages(PrintablePageCount(inputs)));
    case kCuttingSheetView:
      return PrintCuttingSheet(target, inputs);
    default:
      return {};
  }
}

PrintReport PrintViewPages(PrintTarget& target, const PrintInputs& inputs,
                           std::span<const PrintRange> ranges) {
  switch (inputs.ViewMode) {
    case kPanelsView:
      return PrintPanels(target, inputs, SelectPages(ranges, PrintablePageCount(inputs)));
    case kPartsView:
      return PrintParts(target, inputs, SelectPages(ranges, PrintablePageCount(inputs)));
    case kCuttingSheetView:
      return PrintCuttingSheet(target, inputs);
    default:
      return {};
  }
}

}  // namespace tranchex
