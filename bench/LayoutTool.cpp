// tranchex-layout [--criterion 1|2|3] [--choice 1|2] [--data DIR]
//                 [--export sheet|job --format csv|txt|slk --out FILE] JOB.deb
// tranchex-layout [...] --import FILE.csv [--no-header]
//
// Reads a job file, lays it out with the cutting pipeline and prints the result as JSON on
// stdout, lengths in tenths of a millimetre as the records hold them. The species list comes
// from DIR (default: $TRANCHEX_HOME, else the current folder) when it holds one.
//
// With --import it reads a cutting sheet instead, as the import command does with the settings
// of DIR (column map, default grain, unit of measure as the file's unit, species, designations,
// part sizes; nothing is written back): the first line holds the titles unless --no-header (a
// first line skipped so that reads as a part is named on stderr, and the import goes on). The
// JSON then starts with "import": the parts read and the stock panels derived for them, before
// the layout of the job the import makes (its margins and kerf as the import proposes them).
//
// With --export it writes instead the file the export command writes: the cutting sheet or the
// computed job, as csv/txt lines or (the sheet only) SYLK, in the unit of DIR's unit file, with
// the decimal separator of the locale (LC_ALL, LC_NUMERIC, LANG).
//
// Exit codes: 0 laid out (and exported); 1 bad arguments; 2 the job or import file cannot be
// read; 3 the pipeline refuses the job or cannot lay it out; 4 the export file cannot be
// written; 5 the import file is refused (its first fault, with its line and column, a part
// no proposed panel takes, or two lines that would give two parts one reference). Errors are
// one line on stderr, a refused sheet's after text 126 "Erreur dans l'ouverture du fichier !".

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/Records.h"
#include "exchange/ImportReader.h"
#include "exchange/JobExport.h"
#include "job/CuttingPipeline.h"
#include "job/JobFile.h"
#include "ToolJob.h"
#include "job/JobState.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"
#include "platform/FileIO.h"

namespace {

using json = nlohmann::ordered_json;
using namespace tranchex;

constexpr const char* kUsage =
    "usage: tranchex-layout [--criterion 1|2|3] [--choice 1|2] [--data DIR] "
    "[--export sheet|job --format csv|txt|slk --out FILE] (JOB.deb | --import FILE.csv "
    "[--no-header])";

constexpr int kExitUnwritableExport = 4;
constexpr int kExitRefusedImport = 5;

struct ExportRequest {
  ExportLayout Layout = ExportLayout::CuttingSheet;
  ExportFormat Format = ExportFormat::Lines;
  std::filesystem::path File;
};

struct Arguments {
  std::optional<int> Criterion;
  std::optional<int> Choice;
  std::optional<std::filesystem::path> DataFolder;
  std::optional<ExportRequest> Export;
  std::filesystem::path JobFile;
  std::optional<std::filesystem::path> ImportFile;
  bool ImportHeader = true;
};

std::optional<int> ParseChoice(std::string_view text, int low, int high) {
  if (text.size() != 1 || text[0] < '0' + low || text[0] > '0' + high) return std::nullopt;
  return text[0] - '0';
}

std::optional<Arguments> Parse(int argc, char** argv) {
  Arguments args;
  bool haveJob = false;
  std::optional<std::string> layout, format, out;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--criterion" && hasValue) {
      args.Criterion = ParseChoice(argv[++i], 1, 3);
      if (!args.Criterion) return std::nullopt;
    } else if (arg == "--choice" && hasValue) {
      args.Choice = ParseChoice(argv[++i], 1, 2);
      if (!args.Choice) return std::nullopt;
    } else if (arg == "--data" && hasValue) {
      args.DataFolder = argv[++i];
    } else if (arg == "--export" && hasValue) {
      layout = argv[++i];
    } else if (arg == "--format" && hasValue) {
      format = argv[++i];
    } else if (arg == "--out" && hasValue) {
      out = argv[++i];
    } else if (arg == "--import" && hasValue && !args.ImportFile) {
      args.ImportFile = argv[++i];
    } else if (arg == "--no-header") {
      args.ImportHeader = false;
    } else if (!arg.empty() && arg[0] != '-' && !haveJob) {
      args.JobFile = arg;
      haveJob = true;
    } else {
      return std::nullopt;
    }
  }
  // One job: a job file or an import file.
  if (haveJob == args.ImportFile.has_value()) return std::nullopt;
  if (!args.ImportHeader && !args.ImportFile) return std::nullopt;
  // The three export options go together.
  if (layout || format || out) {
    if (!layout || !format || !out || out->empty()) return std::nullopt;
    if (*layout != "sheet" && *layout != "job") return std::nullopt;
    ExportRequest request;
    request.Layout = *layout == "sheet" ? ExportLayout::CuttingSheet : ExportLayout::ComputedJob;
    // Lower case only here; the SYLK form is the cutting sheet's alone.
    if (*format != "csv" && *format != "txt" && *format != "slk") return std::nullopt;
    const std::optional<ExportFormat> f = ExportFormatFor(*format, request.Layout);
    if (!f) return std::nullopt;
    request.Format = *f;
    request.File = *out;
    args.Export = request;
  }
  return args;
}

// The decimal separator of the user's locale, as the program takes it from the regional
// settings; ',' when the locale's is not one ASCII character.
char LocaleDecimalSeparator() {
  char separator = ',';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && point[0] != '\0' && point[1] == '\0' &&
        static_cast<unsigned char>(point[0]) < 0x80) {
      separator = point[0];
    }
  }
  std::setlocale(LC_NUMERIC, "C");
  return separator;
}

int WriteExport(const ExportRequest& request, const JobState& job, const Settings& settings) {
  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job, settings.SpeciesNames, settings.MeasureUnit.Factor, texts,
                            LocaleDecimalSeparator()};
  try {
    WriteFileAtomic(request.File, ExportFileBytes(request.Layout, request.Format, source));
  } catch (const std::exception& e) {
    std::cerr << "tranchex-layout: " << e.what() << '\n';
    return kExitUnwritableExport;
  }
  return 0;
}

json RectJson(const TRect& r) { return json::array({r.left, r.top, r.right, r.bottom}); }

// A placed part is turned when its rectangle runs its width along x.
bool IsTurned(const TPiece& part) {
  const long double left = part.Rect.left;
  const std::int32_t alongRight = TruncToInt(left + part.Length);
  const std::int32_t turnedRight = TruncToInt(left + part.Width);
  return alongRight != turnedRight && part.Rect.right == turnedRight;
}

json PanelJson(const Panneau_p& panel) {
  json parts = json::array();
  for (const TPiece& part : panel.PlacedParts) {
    parts.push_back({{"number", part.Number},
                     {"rect", RectJson(part.Rect)},
                     {"footprint", RectJson(part.Footprint)},
                     {"turned", IsTurned(part)}});
  }
  json free = json::array();
  for (const MONRect& r : panel.FreeRects) free.push_back(RectJson(r));
  json cuts = json::array();
  for (const LIGNE& l : panel.CutLines) cuts.push_back(json::array({l.x1, l.y1, l.x2, l.y2}));
  return {{"entry", panel.EntryIndex},
          {"length", panel.Length},
          {"width", panel.Width},
          {"thickness", panel.Thickness},
          {"species", panel.Species},
          {"grain", panel.Grain},
          {"cutLength", panel.CutLength},
          {"parts", std::move(parts)},
          {"free", std::move(free)},
          {"cuts", std::move(cuts)}};
}

json ResultJson(const JobState& job) {
  json panels = json::array();
  for (const Panneau_p& panel : job.ResultPanels) panels.push_back(PanelJson(panel));
  json summary = json::array();
  for (const METRAGE& line : job.SummaryLines) {
    summary.push_back({{"key", line.Key},
                       {"panelCount", line.PanelCount},
                       {"panelArea", static_cast<double>(line.PanelArea)},
                       {"partsArea", static_cast<double>(line.PartsArea)},
                       {"cutLength", line.CutLength},
                       {"partsPerimeter", line.PartsPerimeter},
                       {"wasteArea", static_cast<double>(line.WasteArea)},
                       {"wastePercent", line.WastePercent},
                       {"partsPerPanel", line.PartsPerPanel}});
  }
  json offcuts = json::array();
  for (const CHUTE& offcut : job.Offcuts) {
    offcuts.push_back({{"text", offcut.Text},
                       {"count", offcut.Count},
                       {"length", offcut.Length},
                       {"width", offcut.Width},
                       {"thickness", offcut.Thickness},
                       {"species", offcut.Species},
                       {"surface", static_cast<double>(offcut.Surface)},
                       {"grain", offcut.Grain}});
  }
  const MarginsBlock& m = job.JobMargins;
  return {{"job",
           {{"kind", job.JobKind},
            {"kerf", job.JobKerf},
            {"margins", json::array({m.LengthMargin, m.WidthMargin, m.ThicknessMargin})},
            {"thickerStock", m.ThickerStockAllowed != 0}}},
          {"panels", std::move(panels)},
          {"summary", std::move(summary)},
          {"offcuts", std::move(offcuts)}};
}

// The parts of a cutting sheet and the stock panels derived for them.
json ImportJson(const std::vector<ImportedPart>& parts, const JobState& job,
                const Settings& settings) {
  json read = json::array();
  for (std::size_t i = 0; i < parts.size() && i < job.JobParts.size(); ++i) {
    const ImportedPart& in = parts[i];
    const TPiece& part = job.JobParts[i];
    read.push_back({{"line", in.Line},
                    {"reference", job.JobReferences[i]},
                    {"designation", job.JobDesignations[i]},
                    {"quantity", part.Quantity},
                    {"length", part.Length},
                    {"width", part.Width},
                    {"thickness", part.Thickness},
                    {"species", part.Species},
                    {"speciesName", in.SpeciesGiven ? json(in.Species) : json(nullptr)},
                    {"grain", part.Grain}});
  }
  json stock = json::array();
  for (const Panneau_p& panel : job.JobPanels) {
    stock.push_back({{"length", panel.Length},
                     {"width", panel.Width},
                     {"thickness", panel.Thickness},
                     {"species", panel.Species},
                     {"grain", panel.Grain},
                     {"quantity", panel.Quantity}});
  }
  json species = json::array();
  for (const std::string& name : settings.SpeciesNames) species.push_back(name);
  return {{"parts", std::move(read)}, {"stockPanels", std::move(stock)},
          {"speciesNames", std::move(species)}};
}

// Reads and commits the cutting sheet as the import command does, then lays the job out.
// Returns 0 or an exit code, having written one line on standard error.
int ImportJobForTool(const Arguments& args, JobState& job, Settings& settings,
                     const DrawingMeasures& measures, json& imported) {
  const std::string file = args.ImportFile->string();
  std::string bytes;
  try {
    bytes = ReadImportFile(*args.ImportFile);
  } catch (const std::exception& e) {
    std::cerr << "tranchex-layout: " << file << ": " << e.what() << '\n';
    return kExitUnreadableJob;
  }
  ImportRequest request;
  request.Bytes = bytes;
  request.Columns = settings.ImportColumns;
  request.HeaderLine = args.ImportHeader;
  request.UnitFactor = settings.MeasureUnit.Factor;
  request.DefaultGrain = settings.ImportDefaultGrain;
  if (const std::optional<std::string> line = FirstLineAsPart(request)) {
    // The tool cannot ask: it skips the line as the titles, and says so.
    std::cerr << "tranchex-layout: " << file
              << ": la première ligne ressemble à une pièce mais elle est lue comme la ligne des "
                 "titres et n'est pas importée (--no-header pour l'importer) : "
              << *line << '\n';
  }
  const ImportReadResult read = ReadCuttingSheet(request);
  const ImportError* readError = std::get_if<ImportError>(&read);
  const std::optional<ImportError> problem =
      readError ? std::nullopt
                : ImportedPartsProblem(std::get<std::vector<ImportedPart>>(read),
                                       settings.MeasureUnit, settings);
  // The tool cannot ask either whether parts that would share a reference get free letters:
  // such a sheet is refused.
  std::optional<ReferenceClash> clash;
  if (!readError && !problem) clash = FindReferenceClash(std::get<std::vector<ImportedPart>>(read));
  if (readError || problem || clash) {
    std::string text = ImportRefusalText(
        clash ? ReferenceClashText(*clash)
              : ImportErrorText(readError ? *readError : *problem, request.HeaderLine));
    for (char& c : text) {
      if (c == '\n') c = ' ';
    }
    std::cerr << "tranchex-layout: " << file << ": " << text << '\n';
    return kExitRefusedImport;
  }
  const auto& parts = std::get<std::vector<ImportedPart>>(read);
  StartUntitledJob(job);
  CommitImportedParts(parts, settings.MeasureUnit, settings, job);
  imported = ImportJson(parts, job, settings);
  if (args.Criterion) job.Engine.OptimisationCriterion = *args.Criterion;
  if (args.Choice) job.Engine.NewPanelChoice = *args.Choice;
  try {
    ComputeCuttingPlan(job, settings, measures, PipelineVariant::Modify);
  } catch (const std::exception& e) {
    std::cerr << "tranchex-layout: " << e.what() << '\n';
    return kExitRefusedJob;
  }
  return 0;
}

std::filesystem::path DefaultDataFolder() {
  const char* home = std::getenv("TRANCHEX_HOME");
  return home && *home ? std::filesystem::path(home) : std::filesystem::current_path();
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> args = Parse(argc, argv);
  if (!args) {
    std::cerr << kUsage << '\n';
    return 1;
  }

  Settings settings;
  const std::filesystem::path dataFolder = args->DataFolder ? *args->DataFolder : DefaultDataFolder();
  if (args->ImportFile) {
    // Every settings file, as the program starts with them; none is written back.
    for (const FileLoadResult& refused : LoadSettingsFiles(dataFolder, settings)) {
      std::cerr << "tranchex-layout: settings file ignored: " << refused.Detail << '\n';
    }
  } else {
    const FileLoadResult species = LoadSpeciesFile(dataFolder, settings);
    if (species.Status == FileLoadStatus::Refused) {
      std::cerr << "tranchex-layout: species list ignored: " << species.Detail << '\n';
    }
  }
  if (args->Export && !args->ImportFile) {
    const FileLoadResult unit = LoadUnitFile(dataFolder, settings);
    if (unit.Status == FileLoadStatus::Refused) {
      std::cerr << "tranchex-layout: unit file ignored: " << unit.Detail << '\n';
    }
  }

  DrawingMeasures measures;
  measures.AreaHeight = 1500;
  measures.AreaWidth = 2500;
  measures.PanelViewMargin = 100;
  measures.PartViewMargin = 100;
  measures.SheetRowsPerPage = 40;
  JobState job;
  if (args->ImportFile) {
    json imported;
    const int status = ImportJobForTool(*args, job, settings, measures, imported);
    if (status != 0) return status;
    if (args->Export) return WriteExport(*args->Export, job, settings);
    json out = {{"import", std::move(imported)}};
    out.update(ResultJson(job));
    std::cout << out.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    return 0;
  }
  // The criterion and new-panel choice given on the command line replace the job's.
  const auto overrides = [&](JobState& j) {
    if (args->Criterion) j.Engine.OptimisationCriterion = *args->Criterion;
    if (args->Choice) j.Engine.NewPanelChoice = *args->Choice;
  };
  const int status =
      OpenJobForTool("tranchex-layout", args->JobFile, job, settings, measures, overrides);
  if (status != 0) return status;

  if (args->Export) return WriteExport(*args->Export, job, settings);
  std::cout << ResultJson(job).dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
  return 0;
}
