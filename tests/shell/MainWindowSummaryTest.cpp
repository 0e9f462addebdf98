// The job summary window opened from the main window: its lists, the copied designation and
// bare value, the clipboard, a selection that a repaint keeps, and its printout on the window's
// printer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QFileInfo>
#include <QScreen>
#include <QWindow>
#include "platform/TextIds.h"

#include "exchange/UCaractPanneaux.h"
#include "exchange/UFlisteChutes.h"
#include "exchange/UFExportChutes.h"
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <QScrollArea>
#include <QScrollBar>
#include "shell/MainWindowFixture.h"
#include "support/PdfInfo.h"

namespace tranchex::test {
namespace {

class SummaryCommand : public MainWindowTest {
 protected:
  void OpenSummary(const char* command, std::function<void(TFCaractPanneaux&)> check) {
    prompts.modals.push_back([check](QDialog& d) {
      auto& form = dynamic_cast<TFCaractPanneaux&>(d);
      check(form);
      form.BtnQuitter->click();
      return form.result();
    });
    Trigger(command);
  }
};

TEST_F(SummaryCommand, ListsTheJobsLinesAndCopiesTheBareValue) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  ASSERT_FALSE(job.SummaryLines.empty());
  bool shown = false;
  OpenSummary("Recap", [&](TFCaractPanneaux& form) {
    shown = true;
    ASSERT_EQ(form.LstBxPanneaux->count(), static_cast<int>(job.SummaryLines.size()));
    EXPECT_EQ(form.LstBxPanneaux->item(0)->text().toStdString(), job.SummaryLines[0].Key);
    EXPECT_EQ(form.LstBxPanneaux->currentRow(), 0);
    ASSERT_EQ(form.LstBxDetail->count(), 8);
    EXPECT_TRUE(form.LstBxDetail->item(0)->text().startsWith(QStringLiteral("Nombre de ")));

    // The waste rate: its designation and its number without " %".
    form.LstBxDetail->setCurrentRow(7);
    form.LstBxDetailClick();
    EXPECT_EQ(form.EdtDesignation->text(), QStringLiteral("Taux de chutes"));
    const QString rate = form.EdtValeur->text();
    EXPECT_FALSE(rate.isEmpty());
    EXPECT_FALSE(rate.contains(QLatin1Char('%')));
    EXPECT_TRUE(form.LstBxDetail->item(7)->text().endsWith(rate + QStringLiteral(" %")));
    form.BtnCopier->click();
    EXPECT_EQ(QApplication::clipboard()->text(), rate);

    // A repaint keeps the selection.
    form.repaint();
    QApplication::processEvents();
    EXPECT_EQ(form.LstBxDetail->currentRow(), 7);
  });
  EXPECT_TRUE(shown);
}

// With no entry or no line selected, a click changes nothing.
TEST_F(SummaryCommand, AClickWithNoSelectionDoesNothing) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  bool shown = false;
  OpenSummary("Recap", [&](TFCaractPanneaux& form) {
    shown = true;
    form.EdtDesignation->setText(QStringLiteral("avant"));
    form.LstBxDetail->setCurrentRow(-1);
    form.LstBxDetailClick();
    EXPECT_EQ(form.EdtDesignation->text(), QStringLiteral("avant"));
    form.LstBxPanneaux->setCurrentRow(-1);
    form.LstBxPanneauxClick();
    EXPECT_EQ(form.LstBxDetail->count(), 8);
    form.LstBxDetail->setCurrentRow(2);
    form.LstBxDetailClick();
    EXPECT_EQ(form.EdtDesignation->text(), QStringLiteral("avant"));
  });
  EXPECT_TRUE(shown);
}

// "m" and "m²" with the summary in metres, the unit's abbreviation otherwise; the tool button
// opens the same window.
TEST_F(SummaryCommand, UnitTextFollowsTheSummaryOption) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  struct Case {
    std::int32_t inMetres;
    QString areaSuffix;
  };
  for (const Case& c : {Case{1, QStringLiteral(" m²")}, Case{0, QStringLiteral(" mm²")}}) {
    settings.SummaryInMetres = c.inMetres;
    bool shown = false;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TFCaractPanneaux&>(d);
      shown = true;
      EXPECT_TRUE(form.LstBxDetail->item(1)->text().endsWith(c.areaSuffix))
          << form.LstBxDetail->item(1)->text().toStdString();
      form.BtnQuitter->click();
      return form.result();
    });
    Click("SBtnRecap");
    EXPECT_TRUE(shown) << c.inMetres;
  }
}

// "Imprimer" prints the summary on the window's printer for the run (a PDF file in the test
// folder), no dialog, in the summary's unit: metres and square metres, or the unit of measure;
// the edge banding is listed but not printed.
TEST_F(SummaryCommand, ImprimerPrintsOnTheWindowsPrinterInTheSummaryUnit) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  window->SessionPrinter().setOutputFormat(QPrinter::PdfFormat);
  struct Case {
    std::int32_t inMetres;
    QString area;
    QString otherArea;
  };
  for (const Case& c : {Case{1, QStringLiteral(" m²"), QStringLiteral(" mm²")},
                        Case{0, QStringLiteral(" mm²"), QStringLiteral(" m²")}}) {
    SCOPED_TRACE(c.inMetres);
    settings.SummaryInMetres = c.inMetres;
    const QString pdf = Folder() + QStringLiteral("/recap%1.pdf").arg(c.inMetres);
    window->SessionPrinter().setOutputFileName(pdf);
    prompts.asked.clear();
    prompts.files.push_back(pdf);  // the printer writes a file: it is asked for
    OpenSummary("Recap", [&](TFCaractPanneaux& form) {
      EXPECT_EQ(form.Printer, &window->SessionPrinter());
      ASSERT_TRUE(form.BtnImprimer->isEnabled());
      form.BtnImprimer->click();
      // The banding line is in the list.
      EXPECT_TRUE(form.LstBxDetail->item(4)->text().contains(QStringLiteral("bandes de champs")));
    });
    EXPECT_EQ(prompts.NoticeTexts(),
              QStringList{LanguageText(TextId::Messages::MsgPrintedToFile) + pdf});
    const std::optional<QStringList> pages = PdfPageTexts(pdf);
    ASSERT_TRUE(pages) << "poppler-utils are needed (scripts/setup.sh)";
    ASSERT_EQ(pages->size(), 1);
    const QString& page = pages->front();
    EXPECT_TRUE(page.contains(QStringLiteral("Récapitulatif du débit")));
    EXPECT_TRUE(page.contains(QString::fromStdString(job.SummaryLines[0].Key)));
    EXPECT_TRUE(page.contains(QStringLiteral("Surface totale des panneaux : ")));
    EXPECT_TRUE(page.contains(c.area)) << page.toStdString();
    EXPECT_FALSE(page.contains(c.otherArea)) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("bandes de champs")));
  }
}

// "Liste des chutes" opens the offcut list over the summary; a long list scrolls.
TEST_F(SummaryCommand, OffcutListOpensFromTheSummaryAndScrolls) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  struct Case {
    std::size_t offcuts;
    bool scrolls;
  };
  for (const Case& c : {Case{1, false}, Case{40, true}}) {
    CHUTE o;
    o.Count = 1;
    o.Length = 2000;
    o.Width = 1000;
    o.Thickness = 190;
    job.Offcuts.assign(c.offcuts, o);
    bool listed = false;
    prompts.modals.push_back([&](QDialog& d) {
      prompts.modals.push_back([&](QDialog& inner) {
        auto& list = dynamic_cast<TFListesChutes&>(inner);
        listed = true;
        EXPECT_EQ(list.Job, &job);
        QApplication::processEvents();
        EXPECT_FALSE(list.Image->grab().isNull());
        EXPECT_EQ(list.Panel->verticalScrollBar()->maximum() > 0, c.scrolls) << c.offcuts;
        list.BtnOK->click();
        return list.result();
      });
      auto& form = dynamic_cast<TFCaractPanneaux&>(d);
      form.BtnListeChutes->click();
      form.BtnQuitter->click();
      return form.result();
    });
    Trigger("Recap");
    EXPECT_TRUE(listed) << c.offcuts;
  }
}

// The summary stays on top of every window: the offcut list and its filter form open over it,
// as its own windows, placed inside the screen.
TEST_F(SummaryCommand, TheOffcutListAndItsFilterOpenOverTheSummary) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  bool filterShown = false;
  prompts.modals.push_back([&](QDialog& d) {
    auto& summary = dynamic_cast<TFCaractPanneaux&>(d);
    EXPECT_TRUE(summary.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    prompts.modals.push_back([&](QDialog& inner) {
      auto& list = dynamic_cast<TFListesChutes&>(inner);
      EXPECT_EQ(list.parentWidget(), &summary);
      EXPECT_NE(list.windowHandle(), nullptr);
      if (list.windowHandle() != nullptr) {
        EXPECT_EQ(list.windowHandle()->transientParent(), summary.windowHandle());
      }
      EXPECT_TRUE(list.isWindow());
      EXPECT_TRUE(list.screen()->availableGeometry().contains(list.frameGeometry()));
      prompts.modals.push_back([&](QDialog& filter) {
        filterShown = true;
        EXPECT_EQ(filter.parentWidget(), &list);
        EXPECT_EQ(filter.windowHandle()->transientParent(), list.windowHandle());
        EXPECT_TRUE(filter.isWindow());
        return int(QDialog::Rejected);
      });
      list.BtnExporter->click();
      list.BtnOK->click();
      return list.result();
    });
    summary.BtnListeChutes->click();
    summary.BtnQuitter->click();
    return summary.result();
  });
  Trigger("Recap");
  EXPECT_TRUE(filterShown);
  EXPECT_TRUE(prompts.modals.empty());
  // The setting opens the filter form over the main window again.
  prompts.modals.push_back([&](QDialog& filter) {
    EXPECT_EQ(filter.parentWidget(), window.get());
    return int(QDialog::Rejected);
  });
  Trigger("ExportationDesChutes");
  EXPECT_TRUE(prompts.modals.empty());
}

// After a menu print to a file, the summary asks for its file as the print button does.
TEST_F(SummaryCommand, AfterAMenuPrintToAFileTheSummaryAsksForTheFile) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  const QString plan = Folder() + QStringLiteral("/plan.pdf");
  prompts.modals.push_back([&](QDialog& d) { return PrintDialogToFile(d, plan); });
  Trigger("Imprimer");
  ASSERT_TRUE(QFileInfo::exists(plan));
  const std::string before = ReadBytes(plan.toStdString());
  for (bool cancel : {true, false}) {
    SCOPED_TRACE(cancel);
    const QString recap = Folder() + QStringLiteral("/recap.pdf");
    prompts.asked.clear();
    prompts.files.push_back(cancel ? std::nullopt : std::optional<QString>(recap));
    OpenSummary("Recap", [](TFCaractPanneaux& form) { form.BtnImprimer->click(); });
    const auto saves = prompts.Of(ScriptedPrompts::Kind::SaveFile);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].folder, Folder());
    EXPECT_EQ(saves[0].text, QStringLiteral("plan.pdf"));
    EXPECT_EQ(ReadBytes(plan.toStdString()), before);
    EXPECT_EQ(QFileInfo::exists(recap), !cancel);
    EXPECT_EQ(prompts.NoticeTexts().size(), cancel ? 0 : 1);
  }
}

// The offcut filter setting: what closes the form decides what is kept, and the options file is
// only ever marked for rewriting. The form's results start afresh at each showing.
TEST_F(MainWindowTest, OffcutFilterSetting) {
  Start();
  enum class Close { DefaultsThenOk, SurfaceThenOk, OkUntouched, Escape };
  struct Case {
    const char* name;
    Close close;
    std::uint8_t dirtyBefore;
    std::int32_t mode;
    double minLength;
    std::uint8_t dirtyAfter;
  };
  const std::vector<Case> cases{
      {"defaults count as a change", Close::DefaultsThenOk, 0, 0, 2000.0, 1},
      {"surface chosen", Close::SurfaceThenOk, 0, 1, 1234.0, 1},
      {"OK untouched", Close::OkUntouched, 0, 0, 1234.0, 0},
      {"Escape", Close::Escape, 0, 0, 1234.0, 0},
      {"a marked file stays marked", Close::OkUntouched, 1, 0, 1234.0, 1},
  };
  for (const Case& c : cases) {
    settings.OffcutFilterMode = 0;
    settings.OffcutMinLength = 1234.0;
    settings.OptionsFileDirty = c.dirtyBefore;
    bool shown = false;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TFExportChutes&>(d);
      shown = true;
      EXPECT_FALSE(form.FilterChanged) << c.name;
      EXPECT_FALSE(form.BtnAnnuler->isVisible()) << c.name;
      EXPECT_EQ(form.EdtLongueur->text(), QStringLiteral("123,4")) << c.name;
      switch (c.close) {
        case Close::DefaultsThenOk:
          form.BtnParamDefaut->click();
          EXPECT_EQ(form.EdtLongueur->text(), QStringLiteral("200")) << c.name;
          form.BtnOk->click();
          break;
        case Close::SurfaceThenOk:
          form.RbtnSurface->click();
          form.BtnOk->click();
          break;
        case Close::OkUntouched:
          form.BtnOk->click();
          break;
        case Close::Escape:
          form.BtnParamDefaut->click();
          QTest::keyClick(&form, Qt::Key_Escape);
          // Closed, though its cancel button is hidden in this use.
          EXPECT_FALSE(form.isVisible()) << c.name;
          break;
      }
      return form.result();
    });
    Trigger("ExportationDesChutes");
    EXPECT_TRUE(shown) << c.name;
    EXPECT_EQ(settings.OffcutFilterMode, c.mode) << c.name;
    EXPECT_EQ(settings.OffcutMinLength, c.minLength) << c.name;
    EXPECT_EQ(settings.OptionsFileDirty, c.dirtyAfter) << c.name;
  }
}

// The offcut export from the offcut list: the filter, the file and one closing message.
TEST_F(SummaryCommand, OffcutExport) {
  Start();
  OpenByDialog(WriteJob("recap.deb", GoodJob()));
  // A minimum length and width apart: the length goes with the length, the width with the
  // width (taken the other way round, the 2000 x 500 offcut would not pass).
  CHUTE big;
  big.Count = 2;
  big.Length = 2000;
  big.Width = 500;
  big.Thickness = 190;
  big.Surface = 2000.0L * 500.0L;
  CHUTE small = big;
  small.Width = 499;
  small.Surface = 2000.0L * 499.0L;
  job.Offcuts = {big, small};
  job.JobKind = 1;
  settings.OffcutFilterMode = 0;
  settings.OffcutMinLength = 2000.0;
  settings.OffcutMinWidth = 500.0;
  const std::string content =
      "\xEF\xBB\xBFNombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil;\n"
      "2;200;50;0;Non spécifié;0;\n";
  std::filesystem::create_directories(dir.path() / "dossier.csv");
  struct Case {
    const char* name;
    bool confirm;
    const char* file;  // nullptr: the save picker cancelled
    bool written;
    const char* message;  // nullptr: no message
  };
  const std::vector<Case> cases{
      {"txt in capitals", true, "a.TXT", true, "Exportation terminée !"},
      {"csv mixed case", true, "b.Csv", true, "Exportation terminée !"},
      {"slk refused", true, "c.slk", false, "L'extension du fichier c.slk n'est pas valide !"},
      {"doc refused", true, "d.doc", false, "L'extension du fichier d.doc n'est pas valide !"},
      {"no dot refused", true, "sanspoint", false,
       "L'extension du fichier sanspoint n'est pas valide !"},
      {"picker cancelled", true, nullptr, false, "Exportation annulée !"},
      {"filter cancelled", false, nullptr, false, nullptr},
  };
  for (const Case& c : cases) {
    prompts.asked.clear();
    const std::filesystem::path path = c.file ? dir.path() / c.file : std::filesystem::path();
    prompts.modals.push_back([&](QDialog& d) {
      prompts.modals.push_back([&](QDialog& inner) {
        auto& list = dynamic_cast<TFListesChutes&>(inner);
        prompts.modals.push_back([&](QDialog& f) {
          auto& filter = dynamic_cast<TFExportChutes&>(f);
          EXPECT_TRUE(filter.BtnAnnuler->isVisibleTo(&filter));
          // A surface is typed in square units.
          EXPECT_EQ(filter.lblSurface->text(), QStringLiteral("Surface en mm²"));
          EXPECT_EQ(filter.lblLongueur->text(), QStringLiteral("Longueur en mm"));
          if (c.confirm) {
            filter.BtnOk->click();
          } else {
            filter.BtnAnnuler->click();
          }
          return filter.result();
        });
        if (c.confirm) {
          if (c.file) {
            prompts.files.push_back(QString::fromStdString(path.string()));
          } else {
            prompts.files.push_back(std::nullopt);
          }
        }
        list.BtnExporter->click();
        list.BtnOK->click();
        return list.result();
      });
      auto& form = dynamic_cast<TFCaractPanneaux&>(d);
      form.BtnListeChutes->click();
      form.BtnQuitter->click();
      return form.result();
    });
    Trigger("Recap");
    EXPECT_TRUE(prompts.Exhausted()) << c.name;
    if (c.file) {
      EXPECT_EQ(std::filesystem::exists(path), c.written) << c.name;
    }
    if (c.written) {
      std::ifstream in(path, std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content) << c.name;
    }
    const auto notices = prompts.Of(ScriptedPrompts::Kind::Notice);
    if (c.message == nullptr) {
      EXPECT_TRUE(notices.empty()) << c.name;
    } else {
      ASSERT_EQ(notices.size(), 1u) << c.name;
      EXPECT_EQ(notices[0].text, QString::fromUtf8(c.message)) << c.name;
    }
  }
  // A folder in place of the file: a warning naming it, never "Exportation terminée !".
  prompts.asked.clear();
  prompts.modals.push_back([&](QDialog& d) {
    prompts.modals.push_back([&](QDialog& inner) {
      auto& list = dynamic_cast<TFListesChutes&>(inner);
      prompts.modals.push_back([&](QDialog& f) {
        dynamic_cast<TFExportChutes&>(f).BtnOk->click();
        return f.result();
      });
      prompts.files.push_back(QString::fromStdString((dir.path() / "dossier.csv").string()));
      list.BtnExporter->click();
      list.BtnOK->click();
      return list.result();
    });
    auto& form = dynamic_cast<TFCaractPanneaux&>(d);
    form.BtnListeChutes->click();
    form.BtnQuitter->click();
    return form.result();
  });
  Trigger("Recap");
  const auto notices = prompts.Of(ScriptedPrompts::Kind::Notice);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].icon, PromptIcon::Warning);
  EXPECT_TRUE(notices[0].text.contains(QStringLiteral("dossier.csv")))
      << notices[0].text.toStdString();
}

}  // namespace
}  // namespace tranchex::test
