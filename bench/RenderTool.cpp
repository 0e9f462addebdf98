// tranchex-render JOB.deb --pdf OUT.pdf --view panels|parts|sheet [--data DIR] [--cut-lines]
//                [--pages FROM-TO]
//
// Reads a job file, lays it out with the cutting pipeline and prints one view to a PDF file (A4)
// through the same print engine as the program's print commands: the whole view as the print
// tool button does, or with --pages the pages FROM to TO as the "Imprimer" menu does after its
// dialog (the cutting sheet always prints whole). --cut-lines draws the panels with their cut
// lines instead of their parts. The settings (species, unit, display options) come from DIR when
// given, otherwise the defaults of a missing settings folder.
//
// Prints "OUT.pdf: N page(s)" on stdout. Exit codes: 0 printed; 1 bad arguments; 2 the job file
// cannot be read; 3 the pipeline refuses the job or cannot lay it out; 4 the print failed.
// Errors are one line on stderr.

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "plan/Printing.h"
#include "plan/QtPrintTarget.h"
#include "job/CuttingPipeline.h"
#include "job/JobFile.h"
#include "ToolJob.h"
#include "job/JobState.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"

namespace {

using namespace tranchex;

constexpr const char* kUsage =
    "usage: tranchex-render JOB.deb --pdf OUT.pdf --view panels|parts|sheet [--data DIR] "
    "[--cut-lines] [--pages FROM-TO]";

struct Arguments {
  std::filesystem::path JobFile;
  std::string PdfFile;
  std::int32_t ViewMode = 0;
  std::optional<std::filesystem::path> DataFolder;
  std::int32_t PanelDrawMode = 0;
  std::optional<PrintRange> Pages;
};

std::optional<std::int32_t> ParseView(std::string_view text) {
  if (text == "panels") return kPanelsView;
  if (text == "parts") return kPartsView;
  if (text == "sheet") return kCuttingSheetView;
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
  return args;
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
