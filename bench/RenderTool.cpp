// tranchex-render JOB.deb --pdf OUT.pdf --view panels|parts|sheet [--data DIR] [--cut-lines]
//                [--pages FROM-TO]
// tranchex-render JOB.deb --pdf OUT.pdf --view labels --label NAME --data DIR
// tranchex-render JOB.deb --pdf OUT.pdf --view summary [--data DIR]
//
// Reads a job file, lays it out with the cutting pipeline and prints one view to a PDF file (A4)
// through the same print engine as the program's print commands: the whole view as the print
// tool button does, or with --pages the pages FROM to TO as the "Imprimer" menu does after its
// dialog (the cutting sheet always prints whole). --cut-lines draws the panels with their cut
// lines instead of their parts. The settings (species, unit, display options) come from DIR when
// given, otherwise the defaults of a missing settings folder.
//
// --view labels prints the part labels of the job as the label form's "Imprimer" does, on the
// label format NAME of DIR's labels file (the first of that name), on A4 with no page margins:
// the sheet's own margins are in the format.
//
// --view summary prints the job summary as the summary window's "Imprimer" does: the panel kinds'
// blocks on as many sheets as they need, in metres when DIR's options say so, else in the unit
// of measure.
//
// Prints "OUT.pdf: N page(s)" on stdout. Exit codes: 0 printed; 1 bad arguments; 2 the job file
// cannot be read; 3 the pipeline refuses the job or cannot lay it out; 4 the print failed (an
// OUT.pdf that is not a regular file, a FIFO say, is refused before it is opened); 5 no
// label format of that name, or one that cannot be printed, or no label to print.
// Errors are one line on stderr.

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/LabelPrinting.h"
#include "exchange/SummaryDetails.h"
#include "exchange/SummaryPrint.h"
#include "plan/Printing.h"
#include "plan/QtPrintTarget.h"
#include "job/CuttingPipeline.h"
#include "job/JobFile.h"
#include "ToolJob.h"
#include "job/JobState.h"
#include "job/ResultLists.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"

namespace {

using namespace tranchex;

constexpr const char* kUsage =
    "usage: tranchex-render JOB.deb --pdf OUT.pdf --view panels|parts|sheet [--data DIR] "
    "[--cut-lines] [--pages FROM-TO]\n"
    "       tranchex-render JOB.deb --pdf OUT.pdf --view labels --label NAME --data DIR\n"
    "       tranchex-render JOB.deb --pdf OUT.pdf --view summary [--data DIR]";

// The labels and the summary are no views of the main window: numbers none of the views has.
constexpr std::int32_t kLabelsView = -1;
constexpr std::int32_t kSummaryView = -2;

struct Arguments {
  std::filesystem::path JobFile;
  std::string PdfFile;
  std::int32_t ViewMode = 0;
  std::optional<std::filesystem::path> DataFolder;
  std::int32_t PanelDrawMode = 0;
  std::optional<PrintRange> Pages;
  std::optional<std::string> Label;
};

std::optional<std::int32_t> ParseView(std::string_view text) {
  if (text == "panels") return kPanelsView;
  if (text == "parts") return kPartsView;
  if (text == "sheet") return kCuttingSheetView;
  if (text == "labels") return kLabelsView;
  if (text == "summary") return kSummaryView;
  return std::nullopt;
}

std::optional<std::int32_t> ParsePageNumber(std::string_view text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  std::int32_t n = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    n = n * 10 + (ch - '0');
  }
  if (n < 1) return std::nullopt;
  return n;
}

// "FROM-TO" or a single page "N".
std::optional<PrintRange> ParsePages(std::string_view text) {
  const std::size_t dash = text.find('-');
  const auto from = ParsePageNumber(text.substr(0, dash));
  const auto to = dash == std::string_view::npos ? from : ParsePageNumber(text.substr(dash + 1));
  if (!from || !to || *from > *to) return std::nullopt;
  return PrintRange{*from, *to};
}

std::optional<Arguments> Parse(int argc, char** argv) {
  Arguments args;
  bool haveJob = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--pdf" && hasValue) {
      args.PdfFile = argv[++i];
    } else if (arg == "--view" && hasValue) {
      const auto view = ParseView(argv[++i]);
      if (!view) return std::nullopt;
      args.ViewMode = *view;
    } else if (arg == "--data" && hasValue) {
      args.DataFolder = argv[++i];
    } else if (arg == "--pages" && hasValue) {
      args.Pages = ParsePages(argv[++i]);
      if (!args.Pages) return std::nullopt;
    } else if (arg == "--label" && hasValue) {
      args.Label = argv[++i];
    } else if (arg == "--cut-lines") {
      args.PanelDrawMode = 1;
    } else if (!arg.empty() && arg[0] != '-' && !haveJob) {
      args.JobFile = arg;
      haveJob = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveJob || args.PdfFile.empty() || args.ViewMode == 0) return std::nullopt;
  // Labels need their format, and nothing else takes one.
  if ((args.ViewMode == kLabelsView) != args.Label.has_value()) return std::nullopt;
  if (args.ViewMode == kLabelsView && (!args.DataFolder || args.Pages)) return std::nullopt;
  // The summary prints whole, and has no cut lines.
  if (args.ViewMode == kSummaryView && (args.Pages || args.PanelDrawMode != 0)) return std::nullopt;
  return args;
}

// The job's labels on the named format, on A4 without page margins.
int PrintLabelSheets(const Arguments& args, const JobState& job, const Settings& settings,
                     QPrinter& printer) {
  const auto format = std::find_if(settings.LabelFormats.begin(), settings.LabelFormats.end(),
                                   [&](const ETIQUETTE& f) { return f.Name == *args.Label; });
  if (format == settings.LabelFormats.end()) {
    std::cerr << "tranchex-render: no label format \"" << *args.Label << "\" in "
              << args.DataFolder->string() << "\n";
    return 5;
  }
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  QtPrintTarget target(printer);
  LabelPrintReport report;
  try {
    report = PrintLabels(target, LabelPrintInputs{.Format = *format,
                                                  .Parts = job.JobParts,
                                                  .References = job.JobReferences,
                                                  .Designations = job.JobDesignations,
                                                  .JobKind = job.JobKind,
                                                  .Unit = settings.MeasureUnit,
                                                  .DecimalSeparator = ','});
  } catch (const PrintError& e) {
    std::cerr << "tranchex-render: " << e.what() << "\n";
    return 4;
  }
  if (report.Status != LabelPrintStatus::Printed) {
    std::cerr << "tranchex-render: " << report.Message << "\n";
    return 5;
  }
  std::cout << args.PdfFile << ": " << report.Sheets << " page(s)\n";
  return 0;
}

// The job summary, whole, in the summary unit of the settings.
int PrintSummarySheets(const Arguments& args, const JobState& job, const Settings& settings,
                       QPrinter& printer) {
  const SummaryTexts texts =
      LoadSummaryTexts(settings.WordPanels, settings.WordParts, settings.WordPanel);
  QtPrintTarget target(printer);
  PrintReport report;
  try {
    report = PrintSummary(
        target, SummaryPrintInputs{
                    .Lines = job.SummaryLines,
                    .Texts = texts,
                    .UnitText =
                        ChooseSummaryUnits(settings.SummaryInMetres, settings.MeasureUnit).UnitText,
                    .DecimalSeparator = ','});
  } catch (const PrintError& e) {
    std::cerr << "tranchex-render: " << e.what() << "\n";
    return 4;
  }
  std::cout << args.PdfFile << ": " << report.Sheets << " page(s)\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> args = Parse(argc, argv);
  if (!args) {
    std::cerr << kUsage << "\n";
    return 1;
  }

  // Fonts and the printer need a GUI application; without a display, the offscreen platform.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);

  Settings settings;
  ApplyDefaultOptions(settings);
  if (args->DataFolder) {
    for (const FileLoadResult& refused : LoadSettingsFiles(*args->DataFolder, settings))
      std::cerr << "tranchex-render: ignored: " << refused.Message << " (" << refused.Detail
                << ")\n";
  }

  JobState job;
  if (const int status =
          OpenJobForTool("tranchex-render", args->JobFile, job, settings, DrawingMeasures{})) {
    return status;
  }

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(args->PdfFile));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QString::fromStdString(job.JobName));

  if (args->ViewMode == kLabelsView) return PrintLabelSheets(*args, job, settings, printer);
  if (args->ViewMode == kSummaryView) return PrintSummarySheets(*args, job, settings, printer);

  const PrintInputs inputs{.Job = job,
                           .Config = settings,
                           .ViewMode = args->ViewMode,
                           .PanelDrawMode = args->PanelDrawMode,
                           .CurrentPage = 0,
                           .Texts = LoadPrintTexts(),
                           .Context = PlanDrawingContext(job, settings, ',')};
  QtPrintTarget target(printer);
  PrintReport report;
  try {
    if (args->Pages) {
      const PrintRange range = *args->Pages;
      report = PrintViewPages(target, inputs, std::span<const PrintRange>(&range, 1));
    } else {
      report = PrintCurrentView(target, inputs);
    }
  } catch (const PrintError& e) {
    std::cerr << "tranchex-render: " << e.what() << "\n";
    return 4;
  }
  std::cout << args->PdfFile << ": " << report.Sheets << " page(s)\n";
  return 0;
}
