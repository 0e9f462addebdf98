// The job summary of a job of 40 panel kinds printed through QPrinter into a PDF file on A4 and
// read back with poppler: it takes several pages (pdfinfo), every page has the title, and every
// panel kind's block stands whole on one page (pdftotext, page by page), without its edge
// banding.

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <string>

#include "exchange/SummaryPrint.h"
#include "job/CuttingPipeline.h"
#include "job/ResultLists.h"
#include "plan/QtPrintTarget.h"
#include "support/JobBuilder.h"
#include "support/PdfInfo.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

// 40 panels of as many sizes, each the only one that takes its part: 40 panel kinds.
JobState FortyKinds() {
  test::JobBuilder builder;
  builder.kind(1).kerf(0);
  for (int i = 0; i < 40; ++i) {
    const double length = 10000 + 200 * i;
    builder.panel(length, 5000, 1, GrainHorizontal, 100.0);
    builder.part(length - 100, 4000, 1, GrainHorizontal, 100.0);
  }
  JobState job = builder.build();
  ComputeCuttingPlan(job, test::TestSettings(), DrawingMeasures{}, PipelineVariant::Open);
  return job;
}

TEST(SummaryPdf, FortyPanelKindsTakeSeveralPagesAndNoBlockIsCut) {
  const JobState job = FortyKinds();
  ASSERT_EQ(job.SummaryLines.size(), 40u);
  const test::TempDir dir;
  const QString pdf = QString::fromStdString((dir.path() / "recapitulatif.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  test::SetUpPdf(printer, pdf);
  const SummaryTexts texts = LoadSummaryTexts("Panneaux", "Pièces", "Panneau");

  QtPrintTarget target(printer);
  // The lines are in the settings' summary unit: millimetres.
  const Settings settings = test::TestSettings();
  const PrintReport report = PrintSummary(
      target, SummaryPrintInputs{
                  .Lines = job.SummaryLines,
                  .Texts = texts,
                  .UnitText =
                      ChooseSummaryUnits(settings.SummaryInMetres, settings.MeasureUnit).UnitText});

  const int pages = test::PdfPages(pdf);
  ASSERT_NE(pages, -1) << "poppler-utils are needed (scripts/setup.sh)";
  EXPECT_GE(pages, 2);
  EXPECT_EQ(pages, report.Sheets);
  const std::optional<QStringList> text = test::PdfPageTexts(pdf);
  ASSERT_TRUE(text) << "poppler-utils are needed (scripts/setup.sh)";
  ASSERT_EQ(text->size(), pages);

  // Each key once in the whole document, on a page that also holds all of its block: as many
  // of each of the seven lines on a page as keys on it.
  const QStringList firstWords = {
      QStringLiteral("Nombre de panneaux :"),   QStringLiteral("Surface totale des panneaux :"),
      QStringLiteral("Linéaire de découpe :"),  QStringLiteral("Nombre de pièces par panneau :"),
      QStringLiteral("Surface totale des pièces :"), QStringLiteral("Surface totale des chutes :"),
      QStringLiteral("Taux de chutes :")};
  std::set<std::string> seen;
  int firstPageKeys = 0;
  for (int p = 0; p < pages; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const QString& page = (*text)[p];
    EXPECT_EQ(page.count(QStringLiteral("Récapitulatif du débit")), 1);
    int keys = 0;
    for (const METRAGE& line : job.SummaryLines) {
      const int n = static_cast<int>(page.count(QString::fromStdString(line.Key)));
      if (n > 0) {
        EXPECT_TRUE(seen.insert(line.Key).second) << line.Key;
      }
      keys += n;
    }
    EXPECT_GT(keys, 0);
    if (p == 0) firstPageKeys = keys;
    // Every page but the last is as full as the first.
    if (p + 1 < pages) {
      EXPECT_EQ(keys, firstPageKeys);
    }
    for (const QString& words : firstWords)
      EXPECT_EQ(page.count(words), keys) << words.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("bandes de champs")));
    EXPECT_TRUE(page.contains(QStringLiteral(" mm²")));
  }
  EXPECT_EQ(seen.size(), 40u);
  // The pages the blocks need, none more.
  EXPECT_EQ(pages, (40 + firstPageKeys - 1) / firstPageKeys);
}

// A key wider than the left column is cut with "..." on paper; the lines beside it are whole.
TEST(SummaryPdf, ALongKeyIsCutOnPaper) {
  METRAGE line;
  line.Key = std::string(300, 'x');
  line.PanelCount = 2;
  const SummaryLineList lines{line};
  const test::TempDir dir;
  const QString pdf = QString::fromStdString((dir.path() / "cle.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  test::SetUpPdf(printer, pdf);
  const SummaryTexts texts = LoadSummaryTexts("Panneaux", "Pièces", "Panneau");
  QtPrintTarget target(printer);
  PrintSummary(target, SummaryPrintInputs{.Lines = lines, .Texts = texts, .UnitText = "mm"});

  const std::optional<QStringList> text = test::PdfPageTexts(pdf);
  ASSERT_TRUE(text) << "poppler-utils are needed (scripts/setup.sh)";
  ASSERT_EQ(text->size(), 1);
  const QString& page = text->front();
  const qsizetype cut = page.indexOf(QStringLiteral("x..."));
  ASSERT_NE(cut, -1) << page.toStdString();
  qsizetype start = cut;
  while (start > 0 && page[start - 1] == u'x') --start;
  const qsizetype printed = cut + 1 - start;
  EXPECT_GT(printed, 10);
  EXPECT_LT(printed, 300);
  EXPECT_TRUE(page.contains(QStringLiteral("Nombre de panneaux : 2")));
  EXPECT_TRUE(page.contains(QStringLiteral(" mm²")));
}

}  // namespace
}  // namespace tranchex
