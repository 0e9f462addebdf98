// The options commands of the main window: the general options and the display options, what
// they change in the window and the entry forms, and the options file they mark for rewriting,
// seen across a restart on the same data folder.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QScreen>
#include <algorithm>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <functional>
#include <map>

#include "dialogs/SelModif.h"
#include "dialogs/UAffichage.h"
#include "dialogs/UOptions.h"
#include "dialogs/USelDebit.h"
#include "dialogs/USelPanneaux.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedPrompts::Kind;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class OptionsCommand : public MainWindowTest {
 protected:
  // "Options": `edit` works on the form, then OK (or the close box).
  void GeneralOptions(std::function<void(TFOptions&)> edit, bool ok = true) {
    prompts.modals.push_back([this, edit, ok](QDialog& d) {
      auto& form = dynamic_cast<TFOptions&>(d);
      shownAt = form.pos();
      Activate(form);
      edit(form);
      if (ok) {
        QTest::mouseClick(form.BtnOK, Qt::LeftButton);
      } else {
        form.close();
      }
      return form.result();
    });
    Trigger("OptionsGl");
  }

  // "Affichage": the buttons named are clicked, then the form is closed as `close` says.
  enum class Close { Ok, Enter, CloseBox };
  void DisplayOptions(std::vector<const char*> clicks, Close close = Close::Ok) {
    prompts.modals.push_back([this, clicks, close](QDialog& d) {
      auto& form = dynamic_cast<TFAffichage&>(d);
      shownAt = form.pos();
      Activate(form);
      for (const char* name : clicks) {
        QRadioButton* b = form.findChild<QRadioButton*>(QString::fromLatin1(name));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, b->height() / 2));
      }
      switch (close) {
        case Close::Ok:
          QTest::mouseClick(form.BtnOk, Qt::LeftButton);
          break;
        case Close::Enter:
          QTest::keyClick(&form, Qt::Key_Return);
          break;
        case Close::CloseBox:
          form.close();
          break;
      }
      return form.result();
    });
    Trigger("Affichage");
  }

  // Closes the window, which writes the settings files marked, and starts another one on the
  // same data folder with settings and a job of its own.
  void Restart() {
    if (job.JobModified) prompts.answers.push_back(PromptAnswer::No);
    window->close();
    ASSERT_FALSE(window->isVisible());
    window.reset();
    prompts = ScriptedPrompts();
    job = JobState();
    settings = TestSettings();
    Start();
  }

  // Centred on the window's top, moved inside the screen where it would stand past an edge.
  QPoint AtTheWindowsTop(const QDialog& form) const {
    const QRect area = window->screen()->availableGeometry();
    const QPoint wanted(window->x() + window->width() / 2 - form.width() / 2, window->y());
    return {std::clamp(wanted.x(), area.left(), area.right() + 1 - form.width()),
            std::clamp(wanted.y(), area.top(), area.bottom() + 1 - form.height())};
  }

  QPoint shownAt;
};

TEST_F(OptionsCommand, BothCommandsWorkWithAndWithoutAJob) {
  Start();
  EXPECT_TRUE(Find<QAction>("OptionsGl")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Affichage")->isEnabled());
  OpenByDialog(WriteJob("options.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_TRUE(Find<QAction>("OptionsGl")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Affichage")->isEnabled());
  // The item marks a letter for the keyboard; the caption is the form's.
  EXPECT_EQ(Find<QAction>("OptionsGl")->text().remove(u'&'), LanguageText(142));
  EXPECT_EQ(Find<QAction>("Affichage")->text(), LanguageText(235));
}

// By hand: "Options > Options", "Panneau" becomes "Planche".
TEST_F(OptionsCommand, PlancheNamesTheViewButtonAtOnceAndThePanelFormAfterARestart) {
  Start();
  OpenByDialog(WriteJob("planche.deb", GoodJob()));
  ASSERT_EQ(Button("SBtnPanneaux")->text(), Q("Panneau"));
  GeneralOptions([](TFOptions& form) { Enter(form.EdtDesignationPanneau, Q("Planche")); });
  EXPECT_EQ(shownAt, AtTheWindowsTop(*window->FOptions));
  EXPECT_EQ(settings.WordPanel, "Planche");
  EXPECT_EQ(settings.WordPanels, "Planches");
  EXPECT_EQ(settings.WordPart, "Pièce");
  EXPECT_EQ(settings.OptionsFileDirty, 1);
  EXPECT_EQ(Button("SBtnPanneaux")->text(), Q("Planche"));
  EXPECT_EQ(Button("SBtnPanneaux")->toolTip(), Q("Planche"));
  EXPECT_EQ(Button("SBtnPieces")->text(), Q("Pièce"));

  // The what-to-modify form names the panels with the new word at once.
  QString modifyPanels;
  prompts.modals.push_back([&modifyPanels](QDialog& d) {
    auto& form = dynamic_cast<TFSelMod&>(d);
    modifyPanels = form.ChbModifPanneaux->text();
    form.ChbModifPanneaux->click();
    form.ChbModifPieces->click();
    form.BtnOk->click();
    return form.result();
  });
  Trigger("Modifier");
  EXPECT_EQ(modifyPanels, LanguageText(26) + Q("planches"));

  // After a restart the word comes from the options file.
  Restart();
  EXPECT_EQ(settings.WordPanel, "Planche");
  EXPECT_EQ(Button("SBtnPanneaux")->text(), Q("Planche"));
  QString panelFormTitle;
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TFSelDebit&>(d);
    form.btnOk->click();
    return form.result();
  });
  prompts.modals.push_back([&panelFormTitle](QDialog& d) {
    auto& form = dynamic_cast<TSelPanneaux&>(d);
    panelFormTitle = form.windowTitle();
    QTest::mouseClick(form.BtnAnnul, Qt::LeftButton);
    return form.result();
  });
  Trigger("Nouveau");
  EXPECT_EQ(panelFormTitle, Q("Sélection des planches"));
  EXPECT_TRUE(prompts.Exhausted());
}

TEST_F(OptionsCommand, OkWithoutAChangeOrTheCloseBoxTakesNothingBack) {
  Start();
  GeneralOptions([](TFOptions&) {});
  EXPECT_EQ(settings.OptionsFileDirty, 0);
  GeneralOptions([](TFOptions& form) { Enter(form.EdtDesignationPanneau, Q("Planche")); },
                 false);
  EXPECT_EQ(settings.WordPanel, "Panneau");
  EXPECT_EQ(settings.OptionsFileDirty, 0);
  EXPECT_EQ(Button("SBtnPanneaux")->text(), Q("Panneau"));
  // New settings come back whole, the words on the buttons.
  GeneralOptions([](TFOptions& form) {
    Enter(form.EdtMaxLongueur, Q("2000"));
    Enter(form.EdtDesignationPiece, Q("Morceau"));
    form.ChkBoxMarge->click();
  });
  EXPECT_EQ(settings.MaxLength, 20000.0);
  EXPECT_EQ(settings.DefaultPanelLength, 20000.0);  // pulled down by the maximum
  EXPECT_EQ(settings.WordPart, "Morceau");
  EXPECT_EQ(settings.WordParts, "Morceaus");
  EXPECT_EQ(settings.AskMargins, 0);
  EXPECT_EQ(Button("SBtnPieces")->text(), Q("Morceau"));
  EXPECT_EQ(settings.OptionsFileDirty, 1);
}

TEST_F(OptionsCommand, DefaultsRestoredPutTheLanguageWordsOnTheButtons) {
  Start();
  GeneralOptions([](TFOptions& form) {
    Enter(form.EdtDesignationPanneau, Q("Planche"));
    Enter(form.EdtDesignationPiece, Q("Morceau"));
  });
  ASSERT_EQ(Button("SBtnPanneaux")->text(), Q("Planche"));
  GeneralOptions([](TFOptions& form) {
    QTest::mouseClick(form.BtnParamDefaut, Qt::LeftButton);
  });
  EXPECT_EQ(Button("SBtnPanneaux")->text(), LanguageText(74));
  EXPECT_EQ(Button("SBtnPieces")->text(), LanguageText(75));
  EXPECT_EQ(Button("SBtnPanneaux")->toolTip(), LanguageText(74));
  EXPECT_EQ(settings.WordPanels, LanguageText(13).toStdString());
  EXPECT_EQ(settings.OptionsFileDirty, 1);
}

// "Paramètres par défaut", then a long word typed in the same showing: the button shortens it
// as it does after a restart, when the word comes from the options file.
TEST_F(OptionsCommand, ALongWordIsShortenedTheSameWayBeforeAndAfterARestart) {
  Start();
  const QString word = Q("Panneau de particule");  // 20 characters, the longest word
  GeneralOptions([&](TFOptions& form) {
    QTest::mouseClick(form.BtnParamDefaut, Qt::LeftButton);
    Enter(form.EdtDesignationPanneau, word);
  });
  ASSERT_EQ(settings.WordPanel, word.toStdString());
  const QString shown = Button("SBtnPanneaux")->text();
  EXPECT_TRUE(shown.endsWith(Q("..."))) << shown.toStdString();
  EXPECT_TRUE(word.startsWith(shown.chopped(3))) << shown.toStdString();
  EXPECT_LE(Button("SBtnPanneaux")->fontMetrics().horizontalAdvance(shown),
            Button("SBtnPanneaux")->width());
  EXPECT_EQ(Button("SBtnPanneaux")->toolTip(), word);
  Restart();
  ASSERT_EQ(settings.WordPanel, word.toStdString());
  EXPECT_EQ(Button("SBtnPanneaux")->text(), shown);
}

// A new word shows on the plan at once: the views are painted again when the words change.
TEST_F(OptionsCommand, ANewWordRepaintsTheViews) {
  Start();
  OpenByDialog(WriteJob("planche.deb", GoodJob()));
  QApplication::processEvents();
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  window->View->installEventFilter(&counter);
  GeneralOptions([](TFOptions& form) { Enter(form.EdtDesignationPanneau, Q("Planche")); });
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
  window->View->removeEventFilter(&counter);
}

TEST_F(OptionsCommand, DisplayOptionsComeBackHoweverTheFormClosesAndTheSummaryFollows) {
  Start();
  OpenByDialog(WriteJob("affichage.deb", GoodJob()));
  // No options file: the summary is in metres.
  ASSERT_EQ(settings.SummaryInMetres, 1);
  ASSERT_FALSE(job.SummaryLines.empty());
  EXPECT_TRUE(QString::fromStdString(job.SummaryLines[0].Key).startsWith(Q("2,8x2,07x")))
      << job.SummaryLines[0].Key;
  ASSERT_EQ(settings.OptionsFileDirty, 0);

  DisplayOptions({"RbtnRecapUnite", "RbtnNettesSeul"});
  EXPECT_EQ(shownAt, AtTheWindowsTop(*window->FAffichage));
  EXPECT_EQ(settings.SummaryInMetres, 0);
  EXPECT_EQ(settings.DimensionDisplayMode, 10);
  EXPECT_EQ(settings.OptionsFileDirty, 1);
  // The summary lines are rebuilt in millimetres: 2800 x 2070 mm panels.
  ASSERT_FALSE(job.SummaryLines.empty());
  EXPECT_TRUE(QString::fromStdString(job.SummaryLines[0].Key).startsWith(Q("2800x2070x")))
      << job.SummaryLines[0].Key;

  DisplayOptions({"RbtnNumDim"}, Close::Enter);
  EXPECT_EQ(settings.CutLineLabelMode, 1);
  DisplayOptions({"RbtnFinies"}, Close::CloseBox);
  EXPECT_EQ(settings.DimensionDisplayMode, 1);
  // The form showed what the settings held.
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TFAffichage&>(d);
    EXPECT_TRUE(form.RbtnFinies->isChecked());
    EXPECT_TRUE(form.RbtnNumDim->isChecked());
    EXPECT_TRUE(form.RbtnRecapUnite->isChecked());
    form.close();
    return form.result();
  });
  Trigger("Affichage");
  EXPECT_TRUE(prompts.Exhausted());
}

// ---- The options file across a restart ------------------------------------------------------

// The settings files a shop has, written before the start; their times are put an hour back so
// that a rewrite shows.
struct Stored {
  std::map<std::string, std::string> bytes;
  std::map<std::string, fs::file_time_type> times;
};

const char* const kSettingsFiles[] = {kOptionsFileName, kUnitFileName, kSpeciesFileName};

Settings ShopSettings() {
  Settings s = TestSettings();
  ApplyDefaultOptions(s);
  s.MaxLength = 50000.0;
  s.WordPanel = "Planche";
  s.WordPanels = "Planches";
  s.DimensionDisplayMode = 10;
  s.CutLineLabelMode = 1;
  s.SummaryInMetres = 0;
  s.OffcutMinLength = 3000.0;
  s.ImportAddSpecies = 1;
  return s;
}

Stored WriteShopFiles(const fs::path& folder) {
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) fs::remove_all(e.path());
  Settings s = ShopSettings();
  SaveOptionsFile(folder, s);
  SaveUnitFile(folder, s);
  SaveSpeciesFile(folder, s);
  Stored stored;
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : kSettingsFiles) {
    fs::last_write_time(folder / name, past);
    stored.bytes[name] = ReadBytes(folder / name);
    stored.times[name] = fs::last_write_time(folder / name);
  }
  return stored;
}

// The commands, for the cases below.
class OptionsFileCommand : public OptionsCommand {
 public:
  void Options(std::function<void(TFOptions&)> edit, bool ok = true) { GeneralOptions(edit, ok); }
  void Display(std::vector<const char*> clicks) { DisplayOptions(clicks); }
};

struct DirtyCase {
  const char* what;
  std::function<void(OptionsFileCommand&)> act;
  bool rewritten;  // Options.dat rewritten at close (no other settings file ever is)
  std::function<void(const Settings&)> check;  // the settings read at the next start
};

TEST_F(OptionsFileCommand, OnlyTheOptionsFileIsRewrittenAndOnlyWithWhatChanged) {
  // What the shop's other options are after every case: never reverted.
  auto othersKept = [](const Settings& s) {
    EXPECT_EQ(s.OffcutMinLength, 3000.0);
    EXPECT_EQ(s.ImportAddSpecies, 1);
    EXPECT_EQ(s.CutLineLabelMode, 1);
  };
  const std::vector<DirtyCase> cases = {
      {"nothing opened", [](OptionsFileCommand&) {}, false,
       [](const Settings& s) { EXPECT_EQ(s.MaxLength, 50000.0); }},
      {"options changed, then reopened without a change",
       [](OptionsFileCommand& c) {
         c.Options([](TFOptions& f) { Enter(f.EdtMaxLongueur, Q("4000")); });
         c.Options([](TFOptions&) {});
       },
       true,
       [](const Settings& s) {
         EXPECT_EQ(s.MaxLength, 40000.0);
         EXPECT_EQ(s.WordPanel, "Planche");
         EXPECT_EQ(s.DimensionDisplayMode, 10);
       }},
      {"options edited, then the close box",
       [](OptionsFileCommand& c) {
         c.Options(
             [](TFOptions& f) { Enter(f.EdtMaxLongueur, Q("4000")); }, false);
       },
       false, [](const Settings& s) { EXPECT_EQ(s.MaxLength, 50000.0); }},
      {"factory values restored",
       [](OptionsFileCommand& c) {
         c.Options(
             [](TFOptions& f) { QTest::mouseClick(f.BtnParamDefaut, Qt::LeftButton); });
       },
       true,
       [](const Settings& s) {
         EXPECT_EQ(s.MaxLength, 60000.0);
         EXPECT_EQ(s.WordPanel, "Panneau");
         EXPECT_EQ(s.WordPanels, "Panneaux");
         // The display options are not the general options': they stay.
         EXPECT_EQ(s.DimensionDisplayMode, 10);
         EXPECT_EQ(s.SummaryInMetres, 0);
       }},
      {"display changed",
       [](OptionsFileCommand& c) { c.Display({"RbtnNettes"}); },
       true,
       [](const Settings& s) {
         EXPECT_EQ(s.DimensionDisplayMode, 0);
         EXPECT_EQ(s.MaxLength, 50000.0);
         EXPECT_EQ(s.WordPanel, "Planche");
       }},
      {"display changed, then factory values restored",
       [](OptionsFileCommand& c) {
         c.Display({"RbtnRecapMetres"});
         c.Options([](TFOptions& f) { QTest::mouseClick(f.BtnParamDefaut, Qt::LeftButton); });
       },
       true,
       [](const Settings& s) {
         EXPECT_EQ(s.SummaryInMetres, 1);
         EXPECT_EQ(s.MaxLength, 60000.0);
       }},
      {"options changed, then factory values restored and the close box",
       [](OptionsFileCommand& c) {
         c.Options([](TFOptions& f) { Enter(f.EdtMaxLongueur, Q("4000")); });
         c.Options([](TFOptions& f) { QTest::mouseClick(f.BtnParamDefaut, Qt::LeftButton); },
                   false);
       },
       true,
       [](const Settings& s) {
         EXPECT_EQ(s.MaxLength, 40000.0);
         EXPECT_EQ(s.WordPanel, "Planche");
       }},
  };
  for (const DirtyCase& c : cases) {
    SCOPED_TRACE(c.what);
    window.reset();
    prompts = ScriptedPrompts();
    job = JobState();
    settings = TestSettings();
    const Stored before = WriteShopFiles(dir.path());
    Start();
    ASSERT_EQ(settings.WordPanel, "Planche");
    ASSERT_EQ(settings.OptionsFileDirty, 0);
    c.act(*this);
    Restart();
    c.check(settings);
    othersKept(settings);
    ASSERT_TRUE(fs::exists(dir.path() / kOptionsFileName));
    for (const char* name : kSettingsFiles) {
      const bool rewritten = c.rewritten && std::string(name) == kOptionsFileName;
      EXPECT_EQ(fs::last_write_time(dir.path() / name) != before.times.at(name), rewritten)
          << name;
      if (!rewritten) {
        EXPECT_EQ(ReadBytes(dir.path() / name), before.bytes.at(name)) << name;
      }
    }
    EXPECT_TRUE(prompts.asked.empty());
  }
}

}  // namespace
}  // namespace tranchex::test
