// The job summary window offscreen: its "Imprimer" prints the whole summary on the printer it
// was handed (a PDF file in a temporary folder), without a print dialog; a printer that is not
// ready gives the print engine's warning and leaves no file; a key too long for the printed
// column is listed whole; the button stays grey without a printer.

#include "exchange/UCaractPanneaux.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "dialogs/DialogKit.h"
#include "support/PdfInfo.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex::test {
namespace {

METRAGE Line(std::string key) {
  METRAGE m;
  m.Key = std::move(key);
  m.PanelCount = 2;
  m.PanelArea = 11.59L;
  m.PartsArea = 9.0L;
  m.CutLength = 20.5;
  m.PartsPerimeter = 31.0;
  m.WasteArea = 2.59L;
  m.WastePercent = 22.35;
  m.PartsPerPanel = 3;
  return m;
}

class SummaryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpPdf(printer, Pdf());
  }

  // Shows the window as the main window's summary command does.
  void Show(QPrinter* handed) {
    form.SummaryLines = &lines;
    form.Texts = LoadSummaryTexts("Panneaux", "Pièces", "Panneau");
    form.UnitText = "m";
    form.Printer = handed;
    ShowActive(form);
  }

  QString Pdf() const {
    return QString::fromStdString((dir.path() / "recapitulatif.pdf").string());
  }

  TempDir dir;
  ScriptedPrompts prompts;
  RecordingHelp help;
  QPrinter printer{QPrinter::HighResolution};
  SummaryLineList lines{Line("2800x2070mm - horizontal"), Line("2500x1250mm - vertical")};
  TFCaractPanneaux form{prompts, help};
};

TEST_F(SummaryWindow, ImprimerPrintsTheSummaryOnTheHandedPrinterWithoutADialog) {
  // The panels print may have left the printer in landscape: the summary is portrait.
  printer.setPageOrientation(QPageLayout::Landscape);
  Show(&printer);
  ASSERT_TRUE(form.BtnImprimer->isEnabled());
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  EXPECT_TRUE(prompts.asked.empty());  // no dialog, no message
  ASSERT_TRUE(QFileInfo::exists(Pdf()));
  EXPECT_EQ(PdfPages(Pdf()), 1);
  const std::string size = PdfPageSize(Pdf());
  EXPECT_EQ(size.substr(0, 3), "595") << size;  // A4 upright: 595 points wide
  // The window's lists are not touched.
  EXPECT_EQ(form.LstBxPanneaux->count(), 2);
  EXPECT_EQ(form.LstBxPanneaux->currentRow(), 0);
  EXPECT_EQ(form.LstBxDetail->count(), 8);
  EXPECT_TRUE(form.isVisible());
}

// A folder where the PDF file should go: the printer cannot start the document, for root too.
TEST_F(SummaryWindow, APrinterNotReadyGivesTheEnginesWarningAndLeavesNothing) {
  std::filesystem::create_directories(dir.path() / "recapitulatif.pdf");
  Show(&printer);
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].kind, ScriptedPrompts::Kind::Notice);
  EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
  EXPECT_EQ(prompts.asked[0].caption, form.windowTitle());
  EXPECT_TRUE(prompts.asked[0].text.startsWith(
      QStringLiteral("L'imprimante n'est pas prête : rien n'a été imprimé.")))
      << prompts.asked[0].text.toStdString();
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "recapitulatif.pdf"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "recapitulatif.pdf"));
  EXPECT_TRUE(form.isVisible());
}

TEST_F(SummaryWindow, WithoutAPrinterImprimerIsGreyAndPrintsNothing) {
  Show(nullptr);
  EXPECT_FALSE(form.BtnImprimer->isEnabled());
  form.BtnImprimerClick();
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_FALSE(QFileInfo::exists(Pdf()));
}

// A key far wider than the printed column is cut on paper only (SummaryPdfTest): the list shows
// it whole.
TEST_F(SummaryWindow, ALongKeyIsListedWhole) {
  const std::string key(300, 'x');
  lines = {Line(key)};
  Show(&printer);
  ASSERT_EQ(form.LstBxPanneaux->count(), 1);
  EXPECT_EQ(form.LstBxPanneaux->item(0)->text().toStdString(), key);
}

}  // namespace
}  // namespace tranchex::test
