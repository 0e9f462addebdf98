// The job summary window offscreen: its "Imprimer" prints the whole summary on the printer it
// was handed (a PDF file in a temporary folder), without a print dialog; a printer that is not
// ready gives the print engine's warning and leaves no file; a key too long for the printed
// column is listed whole; the button stays grey without a printer.

#include "exchange/UCaractPanneaux.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialogs/DialogKit.h"
#include "support/PdfInfo.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex::test {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

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
  // No print dialog: the printer writes a file, so the file is asked for, then named.
  prompts.files.push_back(Pdf());
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  ASSERT_EQ(prompts.asked.size(), 2u);
  EXPECT_EQ(prompts.asked[0].kind, ScriptedPrompts::Kind::SaveFile);
  EXPECT_EQ(prompts.asked[0].text, QStringLiteral("recapitulatif.pdf"));
  EXPECT_EQ(prompts.asked[1].kind, ScriptedPrompts::Kind::Notice);
  EXPECT_EQ(prompts.asked[1].icon, PromptIcon::Information);
  EXPECT_EQ(prompts.asked[1].text,
            QStringLiteral("Le document imprimé a été enregistré dans le fichier :\n") + Pdf());
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
  prompts.files.push_back(Pdf());
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  const auto notices = prompts.Of(ScriptedPrompts::Kind::Notice);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].icon, PromptIcon::Warning);
  EXPECT_EQ(notices[0].caption, form.windowTitle());
  EXPECT_TRUE(notices[0].text.startsWith(
      QStringLiteral("L'imprimante n'est pas prête : rien n'a été imprimé.")))
      << notices[0].text.toStdString();
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "recapitulatif.pdf"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "recapitulatif.pdf"));
  EXPECT_TRUE(form.isVisible());
}

// Another print went to the same file: the picker starts on it; a cancel prints nothing and
// leaves it as it was, another name is printed there.
TEST_F(SummaryWindow, ImprimerNeverWritesOverAnEarlierFileUnasked) {
  WriteBytes(dir.path() / "recapitulatif.pdf", "plan des panneaux");
  Show(&printer);
  prompts.files.push_back(std::nullopt);
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  ASSERT_EQ(prompts.asked.size(), 1u);  // the picker only: nothing printed, nothing said
  EXPECT_EQ(prompts.asked[0].kind, ScriptedPrompts::Kind::SaveFile);
  EXPECT_EQ(prompts.asked[0].folder, QString::fromStdString(dir.path().string()));
  EXPECT_EQ(prompts.asked[0].text, QStringLiteral("recapitulatif.pdf"));
  EXPECT_EQ(ReadBytes(dir.path() / "recapitulatif.pdf"), "plan des panneaux");

  const QString other = QString::fromStdString((dir.path() / "recap-2.pdf").string());
  prompts.files.push_back(other);
  QTest::mouseClick(form.BtnImprimer, Qt::LeftButton);
  EXPECT_EQ(PdfPages(other), 1);
  EXPECT_EQ(ReadBytes(dir.path() / "recapitulatif.pdf"), "plan des panneaux");
  EXPECT_TRUE(prompts.Exhausted());
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

// Each detail line shows whole, the longest one (the edge banding) included: no line is cut by
// the list's edge, and no sideways scroll bar is needed.
TEST_F(SummaryWindow, EveryDetailLineShowsWhole) {
  METRAGE wide = Line("2800x2070mm - horizontal");
  wide.PartsPerimeter = 37.5;
  wide.WasteArea = 1234567.25L;
  lines = {wide};
  Show(&printer);
  QApplication::processEvents();
  QListWidget* details = form.LstBxDetail;
  ASSERT_EQ(details->count(), 8);
  bool bandingListed = false;
  for (int i = 0; i < details->count(); ++i) {
    const QString text = details->item(i)->text();
    bandingListed = bandingListed || text == QStringLiteral("Longueur des bandes de champs : 37,5 m");
    EXPECT_LE(details->fontMetrics().horizontalAdvance(text),
              details->visualItemRect(details->item(i)).width())
        << text.toStdString();
    EXPECT_LE(details->visualItemRect(details->item(i)).right(), details->viewport()->width())
        << text.toStdString();
  }
  EXPECT_TRUE(bandingListed);
  EXPECT_FALSE(details->horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace tranchex::test
