// The two print commands of the main window, printing to PDF files.

#include <QDialog>
#include <QProcess>
#include <QStandardPaths>

#include "MainWindowFixture.h"
#include "job/PageLists.h"

namespace tranchex::test {
namespace {

// Pages of a PDF file by pdfinfo (poppler-utils, installed by the scripts); -1 when it can't tell.
int PdfPages(const QString& file) {
  const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
  if (pdfinfo.isEmpty()) return -1;
  QProcess process;
  process.start(pdfinfo, {file});
  process.waitForFinished(20000);
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  }
  return -1;
}

class MainWindowPrintTest : public MainWindowTest {
 protected:
  QString PrintToPdf(const char* name) {
    const QString file = Folder() + QStringLiteral("/") + QString::fromLatin1(name);
    window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
    window->SessionPrinter().setOutputFileName(file);
    return file;
  }
};

TEST_F(MainWindowPrintTest, TheToolButtonPrintsEveryLayoutOfThePanelsView) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  const QString pdf = PrintToPdf("panneaux.pdf");
  const auto sheetPages = job.CuttingSheetPages;
  Click("BtnImpression");
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();
  ASSERT_TRUE(QFileInfo::exists(pdf));
  EXPECT_EQ(PdfPages(pdf), CountDisplayedPanels(job.PanelPages));
  EXPECT_EQ(job.CuttingSheetPages, sheetPages);  // the screen's pagination is untouched
}

TEST_F(MainWindowPrintTest, AFailedPrintIsReportedAndTheViewsGoOn) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  Click("SBtnFiche");
  const auto sheetPages = job.CuttingSheetPages;
  window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
  window->SessionPrinter().setOutputFileName(Folder() + QStringLiteral("/absent/fiche.pdf"));
  Click("BtnImpression");
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_EQ(job.CuttingSheetPages, sheetPages);
  EXPECT_EQ(Counter(), QStringLiteral("1\\") + QString::number(sheetPages.size()));
  QImage image(window->View->size(), QImage::Format_RGB32);
  window->View->render(&image);  // paints without reading past a list
}

TEST_F(MainWindowPrintTest, TheMenuPrintAsksFirstAndACancelPrintsNothing) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  const QString pdf = PrintToPdf("annule.pdf");
  prompts.modals.push_back([](QDialog&) { return int(QDialog::Rejected); });
  Trigger("Imprimer");
  EXPECT_FALSE(QFileInfo::exists(pdf));
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  EXPECT_TRUE(prompts.modals.empty());
}

TEST_F(MainWindowPrintTest, TheMenuPrintOfAllPagesPrintsWhatTheToolButtonPrints) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  Click("SBtnPieces");
  const QString pdf = PrintToPdf("pieces.pdf");
  prompts.modals.push_back([](QDialog& d) {
    d.accept();
    return int(QDialog::Accepted);
  });
  Trigger("Imprimer");
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();
  ASSERT_TRUE(QFileInfo::exists(pdf));
  const int menuPages = PdfPages(pdf);
  const QString tool = PrintToPdf("pieces-bouton.pdf");
  Click("BtnImpression");
  ASSERT_TRUE(QFileInfo::exists(tool));
  EXPECT_GT(menuPages, 0);
  EXPECT_EQ(menuPages, PdfPages(tool));
}

}  // namespace
}  // namespace tranchex::test
