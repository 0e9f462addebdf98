// The settings commands of the main window that open a form: the unit of measure and the
// species manager.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "dialogs/UGestEssence.h"
#include "dialogs/USelUnite.h"
#include "exchange/UCaractPanneaux.h"
#include "job/Outils_debit.h"
#include "platform/RecordingCanvas.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

class UnitCommand : public MainWindowTest {
 protected:
  // Runs "Unités de mesure", clicks the named buttons in the form, then OK.
  void ChooseUnit(std::vector<const char*> clicks) {
    prompts.modals.push_back([this, clicks](QDialog& d) {
      auto& form = dynamic_cast<TFSelUnite&>(d);
      shownAt = form.pos();
      for (const char* name : clicks)
        form.findChild<QRadioButton*>(QString::fromLatin1(name))->click();
      form.BtnOk->click();
      return form.result();
    });
    Trigger("Unites");
  }
  QPoint shownAt;
};

TEST_F(UnitCommand, InchesChosenAreShownAtOnceAndKeptAfterARestart) {
  Start();
  OpenByDialog(WriteJob("unite.deb", GoodJob()));
  ASSERT_EQ(settings.MeasureUnit.Abbreviation, "mm");
  ChooseUnit({"RbtnPouce"});
  EXPECT_EQ(settings.MeasureUnit.Factor, 254.0);
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "pouces");
  EXPECT_EQ(settings.UnitFileDirty, 1);
  // Placed over the window: centred on its client area, 14 pixels below its top.
  EXPECT_EQ(shownAt, QPoint(window->x() + window->width() / 2 - window->FSelUnite->width() / 2,
                            window->y() + 14));
  // At exit the unit file is written; the next start reads inches.
  window->close();
  Settings next;
  LoadUnitFile(dir.path(), next);
  EXPECT_EQ(next.MeasureUnit.Factor, 254.0);
  EXPECT_EQ(next.MeasureUnit.Abbreviation, "pouces");
}

// The summary is worked out in the unit chosen as soon as it is chosen: its keys and figures,
// and the summary window's lines. The one panel of the job is 2800 x 2070 x 19 mm.
TEST_F(UnitCommand, TheSummaryFollowsEachUnitChosen) {
  Start();
  settings.SummaryInMetres = 0;  // the summary in the unit of measure
  OpenByDialog(WriteJob("unite.deb", GoodJob()));
  ASSERT_EQ(job.ResultPanels.size(), 1u);
  const double cut = PanelCutLength(job.ResultPanels[0]);  // tenths of a millimetre
  ASSERT_GT(cut, 0.0);
  struct Case {
    const char* button;
    double factor;
    const char* key;
    const char* unit;
  };
  const Case cases[] = {
      {"RbtnCentimetre", 100.0, "280x207x1,9cm - chêne - indifférent", "cm"},
      {"RbtnPouce", 254.0, "110,236x81,496x0,748pouces - chêne - indifférent", "pouces"},
      {"RbtnMetre", 10000.0, "2,8x2,07x0,019m - chêne - indifférent", "m"},
      {"RbtnMillimetre", 10.0, "2800x2070x19mm - chêne - indifférent", "mm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ChooseUnit({c.button});
    ASSERT_EQ(job.SummaryLines.size(), 1u);
    const METRAGE& line = job.SummaryLines[0];
    EXPECT_EQ(line.Key, c.key);
    EXPECT_DOUBLE_EQ(line.CutLength, cut / c.factor);
    EXPECT_DOUBLE_EQ(static_cast<double>(line.PanelArea), 28000.0 * 20700.0 / (c.factor * c.factor));
    bool shown = false;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TFCaractPanneaux&>(d);
      shown = true;
      EXPECT_EQ(form.LstBxPanneaux->item(0)->text().toStdString(), c.key);
      EXPECT_EQ(form.LstBxDetail->item(2)->text().toStdString(),
                "Linéaire de découpe : " + FormatTwoDecimals(cut / c.factor, ',') + " " + c.unit);
      form.BtnQuitter->click();
      return form.result();
    });
    Trigger("Recap");
    EXPECT_TRUE(shown);
  }
}

TEST_F(UnitCommand, NoClickLeavesTheUnitAndItsFileAlone) {
  SaveUnitFile(dir.path(), settings);  // millimetres, read at start: nothing to rewrite
  Start();
  ASSERT_EQ(settings.UnitFileDirty, 0);
  ChooseUnit({});
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "mm");
  EXPECT_EQ(settings.UnitFileDirty, 0);
}

TEST_F(UnitCommand, AChangeMarkedEarlierStaysMarked) {
  SaveUnitFile(dir.path(), settings);
  Start();
  ChooseUnit({"RbtnCentimetre"});
  ChooseUnit({});
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "cm");
  EXPECT_EQ(settings.UnitFileDirty, 1);
}

class SpeciesCommand : public MainWindowTest {
 protected:
  // An oak panel and a beech panel, parts of both: a complex job on the species of
  // TestSettings() (Chêne, Hêtre, Pin).
  static JobState OakAndBeech() {
    return JobBuilder().kind(2).kerf(30)
        .panel(28000, 20700, 1, 2, 190, 0).panel(25000, 12500, 1, 2, 190, 1)
        .part(6000, 4000, 2, 2, 190, 0).part(3000, 2000, 2, 2, 190, 1).build();
  }
  // Runs "Gestionnaire des essences": `act` drives the form, then OK (or the close box).
  void Manage(std::function<void(TFGestEssence&)> act, bool closeBox = false) {
    prompts.modals.push_back([this, act, closeBox](QDialog& d) {
      auto& form = dynamic_cast<TFGestEssence&>(d);
      shownAt = form.pos();
      act(form);
      if (closeBox) {
        form.close();
      } else {
        form.BtnOK->click();
      }
      return form.result();
    });
    Trigger("GestionnaireDesEssences");
  }
  static void Add(TFGestEssence& form, const QString& name) {
    form.EdtEssence->setText(name);
    form.BtnAjouter->click();
  }
  static void Delete(TFGestEssence& form, int row) {
    form.LbEssence->setCurrentRow(row);
    form.BtnSupprimer->click();
  }
  // The species lines of the panel headings ("Essence : ..." or "Non spécifié"), page by page.
  std::vector<std::string> SpeciesOnThePlans() {
    std::vector<std::string> out;
    Click("SBtnPanneaux");
    for (std::size_t page = 0; page < job.ResultPanels.size(); ++page) {
      RecordingCanvas canvas({window->View->width(), window->View->height()});
      window->PaintView(canvas, window->View->width(), window->View->height());
      for (const CanvasCall& c : canvas.Calls()) {
        if (c.kind != CanvasCallKind::TextOut) continue;
        if (c.text.rfind("Essence", 0) == 0 || c.text == "Non spécifié") out.push_back(c.text);
      }
      Click("BtnSuivant");
    }
    return out;
  }
  QPoint shownAt;
};

// "Aulne" added takes a new place at the end, however it sorts: the open job's oak still reads
// oak on the plans, no species index of the job moves, and the job is as saved.
TEST_F(SpeciesCommand, AnAddedSpeciesLeavesTheJobsSpeciesAsTheyWere) {
  Start();
  OpenByDialog(WriteJob("essences.deb", OakAndBeech()));
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.JobModified, 0);
  const std::vector<std::string> before = SpeciesOnThePlans();
  ASSERT_EQ(before, (std::vector<std::string>{"Essence : chêne", "Essence : hêtre"}));

  Manage([](TFGestEssence& form) { Add(form, QStringLiteral("Aulne")); });
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Aulne"}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(job.JobPanels[0].Species, 0);
  EXPECT_EQ(job.JobPanels[1].Species, 1);
  EXPECT_EQ(job.JobParts[0].Species, 0);
  EXPECT_EQ(job.JobParts[1].Species, 1);
  for (const Panneau_p& panel : job.ResultPanels) {
    for (const TPiece& part : panel.PlacedParts) EXPECT_EQ(part.Species, panel.Species);
  }
  EXPECT_EQ(SpeciesOnThePlans(), before);
  // Placed over the window: centred on it, 14 pixels below its top.
  EXPECT_EQ(shownAt, QPoint(window->x() + window->width() / 2 - window->FGestEssence->width() / 2,
                            window->y() + 14));
}

// A species the open job uses is not deleted; an unused one is, and the job's indices follow.
TEST_F(SpeciesCommand, DeletingAUsedSpeciesIsRefused) {
  Start();
  OpenByDialog(WriteJob("essences.deb", OakAndBeech()));
  ASSERT_EQ(job.JobLoaded, 1);
  Manage([](TFGestEssence& form) { Delete(form, 0); });
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(401)});
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin"}));
  EXPECT_TRUE(SpeciesOnDisk().empty());  // nothing written
  EXPECT_EQ(job.JobModified, 0);

  // Pin, which the job does not use, goes: its place stays, emptied, on disk at the form's OK;
  // the job's indices stay and the job is as saved.
  Manage([](TFGestEssence& form) { Delete(form, 2); });
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", ""}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(job.JobPanels[1].Species, 1);
}

// The close box keeps the list as it stands; the job's indices did not move.
TEST_F(SpeciesCommand, TheCloseBoxKeepsAnUnsortedList) {
  Start();
  OpenByDialog(WriteJob("essences.deb", OakAndBeech()));
  Manage([](TFGestEssence& form) { Add(form, QStringLiteral("Aulne")); }, true);
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Aulne"}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(job.JobPanels[0].Species, 0);
}

// Without a job the list is edited all the same; a name differing only in case is another name.
TEST_F(SpeciesCommand, WithoutAJobANameDifferingInCaseIsAdded) {
  Start();
  Manage([](TFGestEssence& form) { Add(form, QStringLiteral("chêne")); });
  EXPECT_EQ(settings.SpeciesNames,
            (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "chêne"}));
  EXPECT_EQ(job.JobModified, 0);
  // At exit the species file is written: the next start reads the four names.
  window->close();
  Settings next;
  LoadSpeciesFile(dir.path(), next);
  EXPECT_EQ(next.SpeciesNames, settings.SpeciesNames);
}

// Saved jobs name species by place. Whatever is added or deleted, in this run or before a
// restart, a job file reopens with the species it was saved with; a record whose species was
// deleted reads "Non spécifié", never another species, even once names are added after it.
TEST_F(SpeciesCommand, SavedJobsKeepTheirSpeciesAcrossAddsDeletesAndARestart) {
  const auto plans = [this] { return SpeciesOnThePlans(); };
  const std::vector<std::string> oakAndBeech = {"Essence : chêne", "Essence : hêtre"};
  const std::vector<std::string> oakAndNone = {"Essence : chêne", "Non spécifié"};
  const std::vector<std::string> pine = {"Essence : pin"};
  Start();
  const QString oakFile = WriteJob("chene-hetre.deb", OakAndBeech());
  const QString pineFile = WriteJob(
      "pin.deb", JobBuilder().kind(2).kerf(30).panel(28000, 20700, 1, 2, 190, 2)
                     .part(6000, 4000, 2, 2, 190, 2).build());
  OpenByDialog(oakFile);
  ASSERT_EQ(plans(), oakAndBeech);

  // Added names sort first in the list shown ("Aulne") and between ("Douglas"): OK.
  Manage([](TFGestEssence& form) {
    Add(form, QStringLiteral("Aulne"));
    Add(form, QStringLiteral("Douglas"));
  });
  OpenByDialog(pineFile);
  EXPECT_EQ(plans(), pine);
  OpenByDialog(oakFile);
  EXPECT_EQ(plans(), oakAndBeech);

  // With the pine job open, beech (shown third: Aulne, Chêne, Douglas, Hêtre, Pin) is deleted.
  OpenByDialog(pineFile);
  Manage([](TFGestEssence& form) {
    ASSERT_EQ(form.LbEssence->item(3)->text(), QStringLiteral("Hêtre"));
    Delete(form, 3);
  });
  EXPECT_EQ(plans(), pine);
  OpenByDialog(oakFile);
  EXPECT_EQ(plans(), oakAndNone);

  // The next start reads the list written at exit: the same species again, and a name added
  // then takes no deleted place.
  window->close();
  window.reset();
  settings = TestSettings();
  Start();
  EXPECT_EQ(settings.SpeciesNames,
            (std::vector<std::string>{"Chêne", "", "Pin", "Aulne", "Douglas"}));
  OpenByDialog(oakFile);
  EXPECT_EQ(plans(), oakAndNone);
  Manage([](TFGestEssence& form) { Add(form, QStringLiteral("Bouleau")); });
  OpenByDialog(pineFile);
  EXPECT_EQ(plans(), pine);
  OpenByDialog(oakFile);
  EXPECT_EQ(plans(), oakAndNone);
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();
}

}  // namespace
}  // namespace tranchex::test
