// A printed plan measured as a shop would with a ruler: the part or panel drawn on the PDF page,
// times the ratio its scale label gives, is the real length, within what rounding the ratio to a
// whole number allows.
//
// The job is printed to a PDF file through the print engine; poppler's pdftotext reads the label
// and pdftoppm renders the sheet to a grey image at a known resolution, in which the drawn
// outline is the longest horizontal run of dark pixels.

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "job/CuttingPipeline.h"
#include "plan/PrintInputsFixture.h"
#include "plan/Printing.h"
#include "plan/QtPrintTarget.h"
#include "support/JobBuilder.h"
#include "support/PdfInfo.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

constexpr int kRenderDpi = 150;

// Runs a poppler tool; its standard output, or nothing when it is missing or fails.
std::optional<QByteArray> RunTool(const char* name, const QStringList& arguments) {
  const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(name));
  if (tool.isEmpty()) {
    ADD_FAILURE() << name << " is not installed (poppler-utils)";
    return std::nullopt;
  }
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << name << " failed: " << process.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

// The ratio n of the first "Echelle : 1/n" of the first page.
std::optional<int> LabelledRatio(const QString& pdf) {
  const auto text = RunTool("pdftotext", {QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), pdf,
                                          QStringLiteral("-")});
  if (!text) return std::nullopt;
  static const QRegularExpression label(QStringLiteral("Echelle : 1/(\\d+)"));
  const QRegularExpressionMatch match = label.match(QString::fromUtf8(*text));
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toInt();
}

// A grey image: width, height and one byte per pixel, row by row.
struct GreyImage {
  int width = 0;
  int height = 0;
  std::string pixels;
  bool Dark(int x, int y) const {
    return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]) < 128;
  }
};

// The first page rendered at kRenderDpi without smoothing, so a thin line stays a dark pixel.
std::optional<GreyImage> RenderFirstPage(const QString& pdf, const std::filesystem::path& folder) {
  const std::filesystem::path prefix = folder / "page";
  if (!RunTool("pdftoppm", {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), QStringLiteral("-r"), QString::number(kRenderDpi),
                            QStringLiteral("-gray"), QStringLiteral("-aa"), QStringLiteral("no"),
                            QStringLiteral("-aaVector"), QStringLiteral("no"),
                            QStringLiteral("-singlefile"), pdf,
                            QString::fromStdString(prefix.string())})) {
    return std::nullopt;
  }
  std::ifstream in(prefix.string() + ".pgm", std::ios::binary);
  std::string magic;
  GreyImage image;
  int maxValue = 0;
  in >> magic >> image.width >> image.height >> maxValue;
  in.get();  // the single white space before the pixels
  if (!in || magic != "P5" || maxValue != 255 || image.width <= 0 || image.height <= 0) {
    ADD_FAILURE() << "pdftoppm wrote no grey image";
    return std::nullopt;
  }
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  in.read(image.pixels.data(), static_cast<std::streamsize>(image.pixels.size()));
  if (!in) {
    ADD_FAILURE() << "the grey image is cut short";
    return std::nullopt;
  }
  return image;
}

// The longest run of dark pixels along one row, in pixels.
int LongestHorizontalRun(const GreyImage& image) {
  int longest = 0;
  for (int y = 0; y < image.height; ++y) {
    int run = 0;
    for (int x = 0; x < image.width; ++x) {
      run = image.Dark(x, y) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST(PrintedScale, TheLabelGivesTheRatioTheDrawingIsMeasuredAt) {
  struct Case {
    const char* name;
    JobState job;
    std::int32_t view;
    double longest;  // the real length of the longest outline on the first sheet, in mm
  };
  const std::vector<Case> cases = {
      // A 280 mm panel on A4 landscape: drawn near full size.
      {"small panel", test::JobBuilder().panel(2800, 2000).part(1000, 500).build(),
       kPanelsView, 280.0},
      // A 2800 mm panel: drawn at about a tenth.
      {"shop panel", test::JobBuilder().panel(28000, 20700).part(6000, 4000, 3).build(),
       kPanelsView, 2800.0},
      // A 120 mm part on half an A4 portrait sheet: enlarged.
      {"small part", test::JobBuilder().panel(2800, 2000).part(1200, 600).build(),
       kPartsView, 120.0},
      // A 2000 mm part: drawn at about a twelfth.
      {"long part", test::JobBuilder().panel(28000, 20700).part(20000, 3000).build(),
       kPartsView, 2000.0},
  };
  const Settings settings = test::TestSettings();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JobState job = c.job;
    ComputeCuttingPlan(job, settings, DrawingMeasures{}, PipelineVariant::Open);
    ASSERT_EQ(job.JobLoaded, 1);

    const test::TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "plan.pdf").string());
    {
      QPrinter printer(QPrinter::HighResolution);
      test::SetUpPdf(printer, pdf);
      QtPrintTarget target(printer);
      ASSERT_GE(PrintCurrentView(target, Inputs(job, settings, c.view)).Sheets, 1);
    }

    const std::optional<int> ratio = LabelledRatio(pdf);
    ASSERT_TRUE(ratio.has_value()) << "no scale label on the first sheet";
    const std::optional<GreyImage> page = RenderFirstPage(pdf, dir.path());
    ASSERT_TRUE(page.has_value());
    const int run = LongestHorizontalRun(*page);
    ASSERT_GT(run, 10);
    const double drawnMm = run * 25.4 / kRenderDpi;
    // The ratio the outline is drawn at, measured; a pixel either end is the ruler's error.
    const double measured = c.longest / drawnMm;
    const double ruler = measured * (2.0 * 25.4 / kRenderDpi) / drawnMm;
    SCOPED_TRACE("drawn " + std::to_string(drawnMm) + " mm, measured 1/" +
                 std::to_string(measured) + ", labelled 1/" + std::to_string(*ratio));
    if (*ratio == 1) {
      // Full size or enlarged: the ratio is 1 or less, or nearer 1 than 2.
      EXPECT_LE(measured, 1.5 + ruler);
    } else {
      EXPECT_LE(std::abs(measured - *ratio), 0.5 + ruler);
    }
  }
}

}  // namespace
}  // namespace tranchex
