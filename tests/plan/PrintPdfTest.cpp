// Printing through QPrinter: a laid-out job printed to PDF files and counted with pdfinfo, the
// failures of the file, and what the print dialog hands back.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "plan/PrintInputsFixture.h"
#include "plan/Printing.h"
#include "plan/QtPrintTarget.h"
#include "job/CuttingPipeline.h"
#include "support/JobBuilder.h"
#include "support/Fifo.h"
#include "support/PdfInfo.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

using test::PdfInfo;
using test::ReadPdfInfo;
using test::SetUpPdf;

// Two stock sizes, three copies of one layout among the result, 150 parts for a sheet of
// several pages.
JobState LaidOutJob() {
  test::JobBuilder builder;
  builder.kind(2).kerf(30).panel(28000, 20700, 10).panel(25000, 12500, 5);
  for (int i = 0; i < 150; ++i)
    builder.part(3000 + 100 * (i % 20), 2000 + 50 * (i % 7), 1, GrainIndifferent, 190.0, 0,
                 "Traverse de bâti " + std::to_string(i + 1));
  JobState job = builder.build();
  ComputeCuttingPlan(job, test::TestSettings(), DrawingMeasures{}, PipelineVariant::Open);
  return job;
}

TEST(PrintPdf, AJobPrintsToAPdfWithOneSheetPerPage) {
  const JobState job = LaidOutJob();
  ASSERT_EQ(job.JobLoaded, 1);
  const Settings settings = test::TestSettings();
  const test::TempDir dir;
  const std::int32_t layouts = CountDisplayedPanels(job.PanelPages);
  ASSERT_GE(layouts, 2);

  struct Case {
    const char* name;
    std::int32_t view;
    std::optional<PrintRange> menuRange;  // nothing: the tool button
    int pages;                            // -1: at least two, as the engine counted
    const char* size;
  };
  const std::vector<Case> cases = {
      {"panels", kPanelsView, std::nullopt, layouts, "842 x 595"},
      {"parts", kPartsView, std::nullopt, 75, "595 x 842"},
      {"sheet", kCuttingSheetView, std::nullopt, -1, "595 x 842"},
      {"panels 2 to 2", kPanelsView, PrintRange{2, 2}, 1, "842 x 595"},
      {"parts 2 to 4", kPartsView, PrintRange{2, 4}, 2, "595 x 842"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file =
        QString::fromStdString((dir.path() / (std::string(c.name) + ".pdf")).string());
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, file);
    QtPrintTarget target(printer);
    PrintReport report;
    if (c.menuRange) {
      const std::vector<PrintRange> ranges{*c.menuRange};
      report = PrintViewPages(target, Inputs(job, settings, c.view), ranges);
    } else {
      report = PrintCurrentView(target, Inputs(job, settings, c.view));
    }
    if (c.pages >= 0) {
      EXPECT_EQ(report.Sheets, c.pages);
    } else {
      EXPECT_GE(report.Sheets, 2);
    }

    const std::optional<PdfInfo> info = ReadPdfInfo(file);
    if (!info) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(info->pages, report.Sheets);
    EXPECT_EQ(info->pageSize.rfind(c.size, 0), 0u) << info->pageSize;
  }
}

TEST(PrintPdf, APrinterThatIsNotReadyIsReportedAndNothingIsLeft) {
  const JobState job = LaidOutJob();
  const Settings settings = test::TestSettings();
  const test::TempDir dir;
  QFile blocking(QString::fromStdString((dir.path() / "plan.pdf").string()));
  ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
  blocking.close();
  struct Case {
    const char* name;
    QString file;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {"a file in a missing folder",
       QString::fromStdString((dir.path() / "missing" / "plan.pdf").string()),
       "Le dossier « " + (dir.path() / "missing").string() + " » n'existe pas"},
      {"a file in a folder that is a file",
       QString::fromStdString((dir.path() / "plan.pdf" / "plan.pdf").string()),
       "Le dossier « " + (dir.path() / "plan.pdf").string() + " » n'existe pas"},
      {"no printer and no file", QString(), "aucun fichier n'a été choisi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, c.file);
    QtPrintTarget target(printer);
    try {
      PrintCurrentView(target, Inputs(job, settings, kPanelsView));
      ADD_FAILURE() << "no failure reported";
    } catch (const PrintError& e) {
      EXPECT_EQ(e.reason(), PrintError::Reason::PrinterNotReady);
      const std::string message = e.what();
      EXPECT_NE(message.find("n'est pas prête"), std::string::npos) << message;
      EXPECT_NE(message.find(c.detail), std::string::npos) << message;
    }
    if (!c.file.isEmpty()) {
      EXPECT_FALSE(QFile::exists(c.file));
    }
  }
}

// A FIFO or a folder in the place of the PDF file: refused before it is opened (a FIFO would hold
// the print until something reads it), and left as it was.
TEST(PrintPdf, AFileThatIsNotARegularFileIsRefusedAtOnce) {
  const JobState job = LaidOutJob();
  const Settings settings = test::TestSettings();
  const test::TempDir dir;
  test::Fifo fifo(dir.path() / "plan.pdf", "");
  ASSERT_TRUE(fifo.made());
  std::filesystem::create_directory(dir.path() / "dossier.pdf");
  std::filesystem::create_symlink(fifo.path(), dir.path() / "lien.pdf");
  for (const char* name : {"plan.pdf", "dossier.pdf", "lien.pdf"}) {
    SCOPED_TRACE(name);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, QString::fromStdString((dir.path() / name).string()));
    QtPrintTarget target(printer);
    try {
      PrintCurrentView(target, Inputs(job, settings, kPanelsView));
      ADD_FAILURE() << "no failure reported";
    } catch (const PrintError& e) {
      EXPECT_EQ(e.reason(), PrintError::Reason::PrinterNotReady);
      EXPECT_NE(std::string(e.what()).find("n'est pas un fichier ordinaire"), std::string::npos)
          << e.what();
    }
  }
  EXPECT_EQ(std::filesystem::status(fifo.path()).type(), std::filesystem::file_type::fifo);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "dossier.pdf"));
}

TEST(PrintPdf, AnAbortedDocumentLeavesNoFile) {
  const test::TempDir dir;
  for (const bool byDestructor : {false, true}) {
    SCOPED_TRACE(byDestructor);
    const QString file = QString::fromStdString((dir.path() / "aborted.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, file);
    {
      QtPrintTarget target(printer);
      ASSERT_TRUE(target.BeginDoc());
      EXPECT_EQ(target.Resolution(), 1200);
      EXPECT_GT(target.PageHeight(), target.PageWidth());
      target.GetCanvas().TextOut(10, 10, "Première page");
      ASSERT_TRUE(target.NewPage());
      target.GetCanvas().TextOut(10, 10, "Seconde page");
      if (!byDestructor) target.Abort();
    }
    EXPECT_FALSE(QFile::exists(file));
  }
}

// ---- The print dialog -------------------------------------------------------------------------

TEST(AskPrintPages, HandsBackWhatTheUserChose) {
  struct Case {
    const char* name;
    PrintDialogSetup setup;
    std::function<int(QPrintDialog&)> user;
    std::optional<std::vector<PrintRange>> expected;
  };
  const auto accept = [](QPrintDialog&) { return int{QDialog::Accepted}; };
  const std::vector<Case> cases = {
      {"cancelled", {true, 5, 2}, [](QPrintDialog&) { return int{QDialog::Rejected}; },
       std::nullopt},
      {"all pages", {true, 5, 2}, accept, std::vector<PrintRange>{kAllPrintPages}},
      {"pages 2 to 3", {true, 5, 2},
       [](QPrintDialog& d) {
         d.setPrintRange(QAbstractPrintDialog::PageRange);
         d.setFromTo(2, 3);
         return int{QDialog::Accepted};
       },
       std::vector<PrintRange>{{2, 3}}},
      {"the page on screen", {true, 5, 4},
       [](QPrintDialog& d) {
         d.setPrintRange(QAbstractPrintDialog::CurrentPage);
         return int{QDialog::Accepted};
       },
       std::vector<PrintRange>{{4, 4}}},
      {"cutting sheet", {false, 0, 0}, accept, std::vector<PrintRange>{kAllPrintPages}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    bool shown = false;
    const auto result = AskPrintPages(printer, c.setup, [&](QDialog& dialog) {
      shown = true;
      auto& print = static_cast<QPrintDialog&>(dialog);
      // What the dialog proposes before the user touches it.
      EXPECT_EQ(print.printRange(), QAbstractPrintDialog::AllPages);
      EXPECT_EQ(print.testOption(QAbstractPrintDialog::PrintPageRange), c.setup.OffersPages);
      EXPECT_EQ(print.testOption(QAbstractPrintDialog::PrintCurrentPage),
                c.setup.OffersPages && c.setup.CurrentPage > 0);
      EXPECT_TRUE(print.testOption(QAbstractPrintDialog::PrintToFile));
      if (c.setup.OffersPages) {
        EXPECT_EQ(print.minPage(), 1);
        EXPECT_EQ(print.maxPage(), c.setup.PageCount);
        EXPECT_EQ(print.fromPage(), 1);
        EXPECT_EQ(print.toPage(), c.setup.PageCount);
      }
      return c.user(print);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(result, c.expected);
  }
}

}  // namespace
}  // namespace tranchex
