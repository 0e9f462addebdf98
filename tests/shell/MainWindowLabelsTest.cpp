// The labels command of the main window: the label form on the shared formats, its print button
// with and without a computed job, printing on the window's printer (a PDF file in the test
// folder), and the labels file marked for rewriting when a format was added or deleted.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "exchange/UImpressionEtiquettes.h"
#include "platform/TextIds.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"
#include "support/PdfInfo.h"

namespace tranchex::test {
namespace {

const ETIQUETTE kSheet3x7{"3x7", 381, 635, 170, 95, 381, 660};
const ETIQUETTE kSheet2x8{"2x8", 339, 991, 150, 70, 339, 1016};

class LabelsCommand : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Formats in the labels file, read at start.
    Settings stored;
    stored.LabelFormats = {kSheet3x7, kSheet2x8};
    SaveLabelsFile(dir.path(), stored);
  }

  TFDebit& StartOnPdf() {
    Start();
    // Only ever a PDF file in the test folder: never a printer of the machine.
    window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
    window->SessionPrinter().setOutputFileName(Pdf());
    return *window;
  }
  QString Pdf() const { return Folder() + QStringLiteral("/etiquettes.pdf"); }

  // Runs the labels command; the script drives the shown form.
  void Labels(std::function<void(TFImpEtiquettes&)> script) {
    prompts.modals.push_back([this, script](QDialog& d) {
      auto& form = dynamic_cast<TFImpEtiquettes&>(d);
      shownAt = form.pos();
      script(form);
      form.BtnQuitter->click();
      return form.result();
    });
    Trigger("Etiquettes");
    EXPECT_TRUE(prompts.modals.empty());
  }

  QPoint shownAt;
};

TEST_F(LabelsCommand, WithoutAJobTheFormatsCanBeKeptButNothingPrinted) {
  StartOnPdf();
  ASSERT_EQ(job.JobLoaded, 0);
  EXPECT_TRUE(Find<QAction>("Etiquettes")->isEnabled());
  Labels([](TFImpEtiquettes& form) {
    EXPECT_EQ(form.LbxEtiquette->count(), 2);
    EXPECT_EQ(form.EdtModele->text(), QStringLiteral("3x7"));
    EXPECT_FALSE(form.BtnImprimer->isEnabled());
    form.LbxEtiquette->setCurrentRow(1);
    EXPECT_EQ(form.EdtModele->text(), QStringLiteral("2x8"));
    EXPECT_FALSE(form.BtnImprimer->isEnabled());
    EXPECT_TRUE(form.BtnSupprimer->isEnabled());
  });
  // Over the window: centred on its client area, 14 pixels below its top.
  EXPECT_EQ(shownAt,
            QPoint(window->x() + window->width() / 2 - window->FImpEtiquettes->width() / 2,
                   window->y() + 14));
  EXPECT_FALSE(QFileInfo::exists(Pdf()));
}

TEST_F(LabelsCommand, TheJobsLabelsPrintPortraitOnTheWindowsPrinter) {
  StartOnPdf();
  OpenByDialog(WriteJob("etiquettes.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  // The panels print leaves the printer in landscape.
  window->SessionPrinter().setOutputFileName(Folder() + QStringLiteral("/panneaux.pdf"));
  prompts.files.push_back(Folder() + QStringLiteral("/panneaux.pdf"));  // the print button asks
  Click("BtnImpression");
  ASSERT_EQ(window->SessionPrinter().pageLayout().orientation(), QPageLayout::Landscape);
  window->SessionPrinter().setOutputFileName(Pdf());
  prompts.asked.clear();

  prompts.files.push_back(Pdf());  // the file asked for
  Labels([](TFImpEtiquettes& form) {
    EXPECT_TRUE(form.BtnImprimer->isEnabled());
    form.BtnImprimer->click();
  });
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(TextId::Messages::MsgPrintedToFile) +
                                               Pdf()});
  ASSERT_TRUE(QFileInfo::exists(Pdf()));
  const std::string size = PdfPageSize(Pdf());
  EXPECT_EQ(size.substr(0, 3), "595") << size;
  // Printing changes neither the formats nor their file's mark.
  EXPECT_EQ(settings.LabelFormats, (std::vector<ETIQUETTE>{kSheet3x7, kSheet2x8}));
  EXPECT_EQ(settings.LabelsFileDirty, 0);
}

// After a menu print to a file, the labels ask for their file as the print button does: the
// picker starts on that file, a cancel prints nothing and leaves it as it was.
TEST_F(LabelsCommand, AfterAMenuPrintToAFileTheLabelsAskForTheFile) {
  StartOnPdf();
  OpenByDialog(WriteJob("etiquettes.deb", GoodJob()));
  const QString plan = Folder() + QStringLiteral("/plan.pdf");
  prompts.modals.push_back([&](QDialog& d) { return PrintDialogToFile(d, plan); });
  Trigger("Imprimer");
  ASSERT_TRUE(QFileInfo::exists(plan));
  const std::string before = ReadBytes(plan.toStdString());

  prompts.files.push_back(std::nullopt);
  Labels([](TFImpEtiquettes& form) { form.BtnImprimer->click(); });
  const auto saves = prompts.Of(ScriptedPrompts::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].folder, Folder());
  EXPECT_EQ(saves[0].text, QStringLiteral("plan.pdf"));
  EXPECT_EQ(ReadBytes(plan.toStdString()), before);
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());

  prompts.files.push_back(Pdf());
  Labels([](TFImpEtiquettes& form) { form.BtnImprimer->click(); });
  EXPECT_TRUE(QFileInfo::exists(Pdf()));
  EXPECT_EQ(ReadBytes(plan.toStdString()), before);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(TextId::Messages::MsgPrintedToFile) +
                                               Pdf()});
}

TEST_F(LabelsCommand, AChangeMarksTheLabelsFileAndALaterRunWithoutOneKeepsTheMark) {
  StartOnPdf();
  ASSERT_EQ(settings.LabelsFileDirty, 0);
  Labels([](TFImpEtiquettes&) {});
  EXPECT_EQ(settings.LabelsFileDirty, 0);

  Labels([](TFImpEtiquettes& form) {
    form.EdtModele->setText(QStringLiteral("petites"));
    form.EdtHauteur->setText(QStringLiteral("212"));
    form.EdtLargeur->setText(QStringLiteral("381"));
    form.EdtMargeHaut->setText(QStringLiteral("140"));
    form.EdtMargeBas->setText(QStringLiteral("90"));
    form.EdtPasVertical->setText(QStringLiteral("212"));
    form.EdtPasHorizontal->setText(QStringLiteral("406"));
    form.BtnAjouter->click();
  });
  EXPECT_EQ(settings.LabelFormats.size(), 3u);
  EXPECT_EQ(settings.LabelsFileDirty, 1);

  Labels([](TFImpEtiquettes& form) { EXPECT_FALSE(form.Changed); });
  EXPECT_EQ(settings.LabelsFileDirty, 1);

  // At exit the file is rewritten; the next start reads the three formats.
  window->close();
  Settings next;
  LoadLabelsFile(dir.path(), next);
  EXPECT_EQ(next.LabelFormats,
            (std::vector<ETIQUETTE>{kSheet3x7, kSheet2x8,
                                    ETIQUETTE{"petites", 212, 381, 140, 90, 212, 406}}));
}

TEST_F(LabelsCommand, EveryFormatDeletedRemovesTheLabelsFileAtExit) {
  StartOnPdf();
  Labels([](TFImpEtiquettes& form) {
    form.BtnSupprimer->click();
    form.LbxEtiquette->setCurrentRow(0);
    form.BtnSupprimer->click();
    EXPECT_FALSE(form.BtnSupprimer->isEnabled());
  });
  EXPECT_TRUE(settings.LabelFormats.empty());
  EXPECT_EQ(settings.LabelsFileDirty, 1);
  window->close();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / kLabelsFileName));
}

}  // namespace
}  // namespace tranchex::test
