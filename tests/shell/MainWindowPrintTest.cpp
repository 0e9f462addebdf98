// The two print commands of the main window, printing to PDF files.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>

#include "MainWindowFixture.h"
#include "support/PdfInfo.h"
#include "job/PageLists.h"

namespace tranchex::test {
namespace {

class MainWindowPrintTest : public MainWindowTest {
 protected:
  // Sets the kept printer to write a PDF file; the print button asks for its name, which the
  // test answers with the same file.
  QString PrintToPdf(const char* name) {
    const QString file = Folder() + QStringLiteral("/") + QString::fromLatin1(name);
    window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
    window->SessionPrinter().setOutputFileName(file);
    return file;
  }
  QString ToolButtonFile(const char* name) {
    const QString file = Folder() + QStringLiteral("/") + QString::fromLatin1(name);
    prompts.files.push_back(file);
    return file;
  }
};

TEST_F(MainWindowPrintTest, TheToolButtonPrintsEveryLayoutOfThePanelsView) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  PrintToPdf("panneaux.pdf");
  const QString pdf = ToolButtonFile("panneaux.pdf");
  const auto sheetPages = job.CuttingSheetPages;
  Click("BtnImpression");
  // Only the file's name is said.
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{QStringLiteral("Le document imprimé a été enregistré dans le fichier :\n") +
                        pdf});
  ASSERT_TRUE(QFileInfo::exists(pdf));
  EXPECT_EQ(PdfPages(pdf), CountDisplayedPanels(job.PanelPages));
  EXPECT_EQ(job.CuttingSheetPages, sheetPages);  // the screen's pagination is untouched
}

// A machine without a printer prints to PDF files: the print button asks for the file, as the
// menu's print dialog does, starting on the job's name in the job folder.
TEST_F(MainWindowPrintTest, WithoutAPrinterThePrintButtonAsksForThePdfFile) {
  Start();
  OpenByDialog(WriteJob("sansimprimante.deb", GoodJob()));
  window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
  window->SessionPrinter().setOutputFileName(QString());

  prompts.files.push_back(std::nullopt);  // cancelled: nothing printed, nothing said
  Click("BtnImpression");
  auto saves = prompts.Of(ScriptedPrompts::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].text, QStringLiteral("sansimprimante.pdf"));
  EXPECT_EQ(saves[0].folder, Folder() + QStringLiteral("/Mesdebits"));
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();

  const QString pdf = ToolButtonFile("plan.pdf");
  Click("BtnImpression");
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{QStringLiteral("Le document imprimé a été enregistré dans le fichier :\n") +
                        pdf});
  ASSERT_TRUE(QFileInfo::exists(pdf));
  EXPECT_EQ(PdfPages(pdf), CountDisplayedPanels(job.PanelPages));
}

TEST_F(MainWindowPrintTest, AFailedPrintIsReportedAndTheViewsGoOn) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  Click("SBtnFiche");
  const auto sheetPages = job.CuttingSheetPages;
  window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
  window->SessionPrinter().setOutputFileName(Folder() + QStringLiteral("/fiche.pdf"));
  prompts.files.push_back(Folder() + QStringLiteral("/absent/fiche.pdf"));
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
  const QString pdf = Folder() + QStringLiteral("/pieces.pdf");
  prompts.modals.push_back([&](QDialog& d) { return PrintDialogToFile(d, pdf); });
  Trigger("Imprimer");
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();
  ASSERT_TRUE(QFileInfo::exists(pdf));
  const int menuPages = PdfPages(pdf);
  const QString tool = ToolButtonFile("pieces-bouton.pdf");
  Click("BtnImpression");
  ASSERT_TRUE(QFileInfo::exists(tool));
  EXPECT_GT(menuPages, 0);
  EXPECT_EQ(menuPages, PdfPages(tool));
}

TEST_F(MainWindowPrintTest, AfterAMenuPrintToAFileThePrintButtonAsksForTheFile) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  const QString first = Folder() + QStringLiteral("/premier.pdf");
  prompts.modals.push_back([&](QDialog& d) { return PrintDialogToFile(d, first); });
  Trigger("Imprimer");
  ASSERT_TRUE(QFileInfo::exists(first));
  const std::string before = ReadBytes(first.toStdString());

  // Cancelled: nothing printed, the first file as it was.
  prompts.files.push_back(std::nullopt);
  Click("BtnImpression");
  const auto saves = prompts.Of(ScriptedPrompts::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].text, QStringLiteral("premier.pdf"));  // offered the last file's name
  EXPECT_EQ(saves[0].folder, Folder());
  EXPECT_EQ(ReadBytes(first.toStdString()), before);

  // Another name: printed there, the first file still as it was.
  const QString second = ToolButtonFile("second.pdf");
  Click("BtnImpression");
  EXPECT_TRUE(QFileInfo::exists(second));
  EXPECT_EQ(ReadBytes(first.toStdString()), before);
}

TEST_F(MainWindowPrintTest, APageRangeOfTheMenuDoesNotCarryOverToThePrintButton) {
  Start();
  OpenByDialog(WriteJob("impression.deb", GoodJob()));
  Click("SBtnPieces");
  PrintToPdf("avant.pdf");
  const QString before = ToolButtonFile("avant.pdf");
  Click("BtnImpression");
  const int wholeView = PdfPages(before);
  ASSERT_GT(wholeView, 1);

  const QString one = Folder() + QStringLiteral("/une.pdf");
  prompts.modals.push_back(
      [&](QDialog& d) { return PrintDialogToFile(d, one, QStringLiteral("1")); });
  Trigger("Imprimer");
  ASSERT_TRUE(QFileInfo::exists(one));
  EXPECT_EQ(PdfPages(one), 1);
  ASSERT_FALSE(window->SessionPrinter().pageRanges().isEmpty());

  const QString all = ToolButtonFile("toutes.pdf");
  Click("BtnImpression");
  EXPECT_EQ(PdfPages(all), wholeView);
  // Nothing of the range is left for a printer to apply either.
  EXPECT_EQ(window->SessionPrinter().printRange(), QPrinter::AllPages);
  EXPECT_TRUE(window->SessionPrinter().pageRanges().isEmpty());
}

}  // namespace
}  // namespace tranchex::test
