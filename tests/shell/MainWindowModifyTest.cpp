// The Modify command: what to modify, the stock panels edited on a copy, the job laid out again,
// and a layout that fails keeping what was entered.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <functional>

#include "dialogs/CharacteristicPicker.h"
#include "dialogs/DesignationPicker.h"
#include "dialogs/SelModif.h"
#include "job/ListLookup.h"
#include "job/SettingsFiles.h"
#include "job/SpeciesList.h"
#include "dialogs/USelMarge.h"
#include "dialogs/USelOptimisation.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "platform/RecordingCanvas.h"
#include "dialogs/DialogKit.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

// One 2800 x 2070 mm panel, three parts of 2000 x 1500 mm: the layout needs three panels.
JobState ThreePanelJob() {
  return JobBuilder().kind(2).kerf(30).panel(28000, 20700, 1).part(20000, 15000, 3).build();
}

class ModifyCommand : public MainWindowTest {
 protected:
  // Answers the what-to-modify form: the boxes named are clicked, then OK.
  void Choose(std::vector<const char*> clicks) {
    prompts.modals.push_back([this, clicks](QDialog& d) {
      auto& form = dynamic_cast<TFSelMod&>(d);
      choiceShownAt = form.pos();
      choiceEnabled.clear();
      for (QCheckBox* box : {form.ChbModifPanneaux, form.ChbModifPieces, form.ChbModifMarge,
                             form.ChkBoxCriteresOptimisation})
        choiceEnabled.push_back(box->isEnabled());
      choiceTicks.clear();
      for (QCheckBox* box : {form.ChbModifPanneaux, form.ChbModifPieces, form.ChbModifMarge,
                             form.ChkBoxCriteresOptimisation})
        choiceTicks.push_back(box->isChecked());
      for (const char* name : clicks) form.findChild<QCheckBox*>(QString::fromLatin1(name))->click();
      form.BtnOk->click();
      return form.result();
    });
  }
  // Works the panel form as a person would, in the script given.
  void EditPanels(std::function<void(TSelPanneaux&)> edit) {
    prompts.modals.push_back([this, edit](QDialog& d) {
      auto& form = dynamic_cast<TSelPanneaux&>(d);
      panelsShownAt = form.pos();
      Activate(form);
      edit(form);
      return form.result();
    });
  }
  static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  QPoint choiceShownAt;
  QPoint panelsShownAt;
  std::vector<bool> choiceEnabled;
  std::vector<bool> choiceTicks;
};

TEST_F(ModifyCommand, NeedsAJob) {
  Start();
  EXPECT_FALSE(Find<QAction>("Modifier")->isEnabled());
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  EXPECT_TRUE(Find<QAction>("Modifier")->isEnabled());
}

// Nothing ticked: no form, no new layout, the job not marked modified.
TEST_F(ModifyCommand, NothingTickedChangesNothing) {
  Start();
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  const std::size_t resultPanels = job.ResultPanels.size();
  job.ResultPanels.back().CutLength = -7;  // a mark a new layout would not keep
  Choose({"ChbModifPieces", "ChbModifPanneaux"});
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(prompts.Of(Kind::Modal).size(), 1u);
  EXPECT_EQ(job.JobModified, 0);
  ASSERT_EQ(job.ResultPanels.size(), resultPanels);
  EXPECT_EQ(job.ResultPanels.back().CutLength, -7);
  // Placed over the window, 14 pixels below its top; only the boxes whose forms exist usable
  // (the margins' box as the options ask for the margins).
  EXPECT_EQ(choiceShownAt,
            QPoint(window->x() + window->width() / 2 - window->FSelMod->width() / 2,
                   window->y() + 14));
  EXPECT_EQ(choiceEnabled, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(choiceTicks, (std::vector<bool>{true, true, false, false}));
}

TEST_F(ModifyCommand, ACancelledPanelFormLeavesTheJobAsItWas) {
  Start();
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  const PanelList before = job.JobPanels;
  job.ResultPanels.back().CutLength = -7;
  Choose({"ChbModifPieces"});  // the parts box unticked
  EditPanels([](TSelPanneaux& form) {
    Enter(form.EdtLongueur, QStringLiteral("2700"));
    Click(form.BtnNouveau);
    Click(form.BtnAnnul);
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobPanels.size(), before.size());
  EXPECT_EQ(job.JobPanels[0].Length, before[0].Length);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(job.ResultPanels.back().CutLength, -7);
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
}

// By hand: a panel shortened, the plans laid out again, and closing asks to save.
TEST_F(ModifyCommand, AShortenedPanelIsLaidOutAgainAndTheJobMustBeSaved) {
  Start();
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  ASSERT_EQ(job.JobModified, 0);
  Choose({"ChbModifPieces"});  // the parts box unticked
  EditPanels([this](TSelPanneaux& form) {
    // The form edits a copy: the job's panels are untouched until the finish.
    Enter(form.EdtLongueur, QStringLiteral("2700"));
    Click(form.BtnNouveau);
    EXPECT_EQ(job.JobPanels.size(), 1u);
    EXPECT_EQ(job.JobPanels[0].Length, 28000.0);
    Click(form.BtnPred);  // the untouched new record: dropped
    Click(form.BtnTerminer);
  });
  prompts.answers = {PromptAnswer::No};  // the untouched record's question
  Trigger("Modifier");
  EXPECT_EQ(prompts.QuestionTexts().size(), 1);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Length, 27000.0);
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobUntitled, 0);
  ASSERT_FALSE(job.ResultPanels.empty());
  for (const Panneau_p& p : job.ResultPanels) EXPECT_EQ(p.Length, 27000.0);
  EXPECT_FALSE(window->Busy());
  EXPECT_EQ(panelsShownAt,
            QPoint(window->x() + window->width() / 2 - window->SelPanneaux->width() / 2,
                   window->y()));
  EXPECT_TRUE(Counter().startsWith(QStringLiteral("1\\")));  // the panels view, page 1
  // Closing asks whether to save the job modified.
  prompts.answers = {PromptAnswer::No};
  window->close();
  ASSERT_EQ(prompts.QuestionTexts().size(), 2);
  EXPECT_EQ(prompts.QuestionTexts()[1],
            LanguageText(101) + QStringLiteral(" 'modifier.deb' ?"));
}

// The parts fit the changed list (so the form finishes), yet no layout is possible: the only
// panel of the parts' grain direction is too small for them. What was entered stays, not laid
// out, with the reason; it can be modified again or saved, and the file still holds the job as
// it was.
TEST_F(ModifyCommand, ALayoutThatFailsKeepsWhatWasEntered) {
  Start();
  const QString path = WriteJob("modifier.deb", ThreePanelJob());
  OpenByDialog(path);
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.ResultPanels.size(), 3u);
  const std::string bytes = ReadBytes(path.toStdString());
  Choose({"ChbModifPieces"});  // the parts box unticked
  EditPanels([](TSelPanneaux& form) {
    form.CbxSens->setFocus();
    QTest::keyClick(form.CbxSens, Qt::Key_Home);  // horizontal
    Click(form.BtnNouveau);
    form.CbxSens->setFocus();
    QTest::keyClick(form.CbxSens, Qt::Key_End);  // indifferent, as the parts
    Enter(form.EdtEpaisseur, QStringLiteral("19"));
    Click(form.BtnTerminer);
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  const QStringList notices = prompts.NoticeTexts();
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices[0].startsWith(LanguageText(103) + QStringLiteral("\n")))
      << notices[0].toStdString();
  EXPECT_GT(notices[0].size(), LanguageText(103).size() + 1);
  // The panels as entered: the first turned horizontal, the one added.
  ASSERT_EQ(job.JobPanels.size(), 2u);
  EXPECT_EQ(job.JobPanels[0].Grain, GrainHorizontal);
  EXPECT_EQ(job.JobPanels[1].Grain, GrainIndifferent);
  EXPECT_EQ(job.JobPanels[1].Thickness, 190.0);
  EXPECT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_TRUE(job.ResultPanels.empty() || job.PanelPages.empty());
  EXPECT_FALSE(window->Busy());
  for (const char* a : {"Enregistrer", "Enre", "Modifier"})
    EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  EXPECT_EQ(ReadBytes(path.toStdString()), bytes);
}

// Opened, "Modifier", every size of every panel and part passed through with Tab, Terminer,
// saved: the file is byte for byte what it was, in metres and in inches, although the fields
// show the sizes rounded (2805 x 1254,4 mm is "2,81 x 1,25" in metres).
TEST_F(ModifyCommand, SizesPassedThroughSaveTheJobByteForByte) {
  for (const UNITE_MESURE& unit :
       {UNITE_MESURE{10000.0, "m", ""}, UNITE_MESURE{254.0, "pouces", ""}}) {
    SCOPED_TRACE(unit.Abbreviation);
    prompts = ScriptedPrompts();
    Start();
    settings.MeasureUnit = unit;
    const QString path = WriteJob("exact.deb", JobBuilder()
                                                   .kind(2)
                                                   .kerf(30)
                                                   .panel(28050, 12544, 3, GrainHorizontal, 195)
                                                   .panel(25000, 12500, 2, GrainIndifferent, 190)
                                                   .part(6005, 4003, 2, GrainHorizontal, 195)
                                                   .part(10011, 5003, 1, GrainIndifferent, 190)
                                                   .part(10035, 1003, 3, GrainIndifferent, 195)
                                                   .build());
    OpenByDialog(path);
    ASSERT_EQ(job.JobLoaded, 1);
    const std::string bytes = ReadBytes(path.toStdString());
    Choose({});  // panels and parts
    const auto passThrough = [](QPushButton* next, int records,
                                std::initializer_list<QLineEdit*> fields) {
      for (int r = 0; r < records; ++r) {
        if (r > 0) Click(next);
        for (QLineEdit* f : fields) {
          f->setFocus();
          QTest::keyClick(f, Qt::Key_Tab);
        }
      }
    };
    EditPanels([&](TSelPanneaux& form) {
      passThrough(form.BtnSuivant, 2, {form.EdtLongueur, form.EdtLargeur, form.EdtEpaisseur});
      Click(form.BtnTerminer);
    });
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TSelPieces&>(d);
      Activate(form);
      passThrough(form.BtnSuivant, 3, {form.EdtLongueur, form.EdtLargeur});
      Click(form.BtnTerminer);
      return form.result();
    });
    Trigger("Modifier");
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_TRUE(prompts.NoticeTexts().isEmpty())
        << prompts.NoticeTexts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(job.JobLoaded, 1);
    EXPECT_EQ(job.JobParts[0].Length, 6005.0);
    EXPECT_EQ(job.JobParts[0].Width, 4003.0);
    Trigger("Enregistrer");
    EXPECT_EQ(job.JobModified, 0);
    EXPECT_EQ(ReadBytes(path.toStdString()), bytes);
    window.reset();
  }
}

// A part added in Modify, and one whose designation is retyped, name themselves in the parts
// view.
TEST_F(ModifyCommand, PartsAddedOrRenamedNameThemselves) {
  Start();
  OpenByDialog(WriteJob("noms.deb", GoodJob()));
  ASSERT_EQ(job.JobDesignations.size(), 3u);
  for (TPiece& p : job.JobParts) p.DesignationIndex = 0;  // as a job saved wrongly holds them
  Choose({"ChbModifPanneaux"});  // the parts only
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Activate(form);
    Click(form.BtnSuivant);
    Enter(form.EdtDesignation, QStringLiteral("Montant"));
    Click(form.BtnDernier);
    Click(form.BtnNouveau);
    Enter(form.EdtDesignation, QStringLiteral("Traverse"));
    Enter(form.EdtLongueur, QStringLiteral("500"));
    Enter(form.EdtLargeur, QStringLiteral("300"));
    Click(form.BtnTerminer);
    return form.result();
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobParts.size(), 4u);
  EXPECT_EQ(job.JobParts[1].DesignationIndex, 1);
  EXPECT_EQ(job.JobParts[3].DesignationIndex, 3);
  EXPECT_EQ(job.JobDesignations[1], "Montant");
  EXPECT_EQ(job.JobDesignations[3], "Traverse");
  // The parts view names them so, page by page.
  MainWindowTest::Click("SBtnPieces");
  std::vector<std::string> named;
  for (std::size_t page = 0; page < job.JobParts.size(); ++page) {
    if (page > 0) MainWindowTest::Click("BtnSuivant");
    RecordingCanvas canvas({window->View->width(), window->View->height()});
    window->PaintView(canvas, window->View->width(), window->View->height());
    for (const CanvasCall& c : canvas.Calls()) {
      if (c.kind == CanvasCallKind::TextOut && c.text.rfind("Pièce : ", 0) == 0)
        named.push_back(c.text);
    }
  }
  EXPECT_NE(std::find(named.begin(), named.end(), "Pièce : Montant"), named.end());
  EXPECT_NE(std::find(named.begin(), named.end(), "Pièce : Traverse"), named.end());
}

// A species added in the panel form stays and is on disk at once, even when the form is
// cancelled.
TEST_F(ModifyCommand, ASpeciesAddedStaysAfterACancel) {
  Start();
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  Choose({"ChbModifPieces"});  // the parts box unticked
  EditPanels([](TSelPanneaux& form) {
    EnterInBox(form.CbxEssence, QStringLiteral("Noyer"));
    Click(form.BtnAnnul);
  });
  prompts.answers = {PromptAnswer::Yes};
  Trigger("Modifier");
  EXPECT_EQ(settings.SpeciesNames.back(), "Noyer");
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(job.JobModified, 0);
}

// The modification that ends an import: the margins box comes ticked, the panel form gets the
// parts' common grain, and the job is laid out again without length and width margins (the
// rest of the margins block and the kerf kept) even with nothing ticked.
TEST_F(ModifyCommand, AnImportsModificationLaysOutWithoutLengthAndWidthMargins) {
  Start();
  JobState imported = GoodJob();
  imported.JobMargins.LengthMargin = 20.0;
  imported.JobMargins.WidthMargin = 20.0;
  imported.JobMargins.DifferentiatedMargins = 1;
  OpenByDialog(WriteJob("import.deb", imported));
  ASSERT_EQ(job.JobLoaded, 1);
  job.MarginsPending = 1;
  const std::int32_t kerf = job.JobKerf;
  Choose({"ChbModifPieces", "ChbModifPanneaux", "ChbModifMarge"});  // the margins box unticked
  Trigger("Modifier");
  EXPECT_EQ(choiceTicks, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(job.JobMargins.LengthMargin, 0.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 0.0);
  EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 1);
  EXPECT_EQ(job.JobKerf, kerf);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobLoaded, 1);
  // With the panels ticked, the form is told it ends an import.
  Choose({"ChbModifPieces", "ChbModifMarge"});
  EditPanels([](TSelPanneaux& form) {
    EXPECT_EQ(form.ImportPending, 1);
    EXPECT_EQ(form.ImportGrain, GrainIndifferent);
    EXPECT_EQ(form.ModifyMode, 1);
    Click(form.BtnAnnul);
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
}

// Margins alone: the margin form takes the job's margins and kerf, what is typed comes back
// and the job is laid out again with it.
TEST_F(ModifyCommand, MarginsAloneAreEnteredAndTheJobLaidOutAgain) {
  Start();
  OpenByDialog(WriteJob("marges.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  const std::int32_t kerf = job.JobKerf;
  job.ResultPanels.back().CutLength = -7;  // a mark a new layout would not keep
  Choose({"ChbModifPieces", "ChbModifPanneaux", "ChbModifMarge"});  // panels off, margins on
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelMarge&>(d);
    form.EdtMarge->setText(QStringLiteral("5"));
    form.EdtMarge->setModified(true);
    form.BtnOk->click();
    return form.result();
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(job.JobMargins.LengthMargin, 50.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 50.0);
  EXPECT_EQ(job.JobKerf, kerf);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_NE(job.ResultPanels.back().CutLength, -7);
}

// The margins box is not offered when the options do not ask for the margins.
TEST_F(ModifyCommand, TheMarginsBoxFollowsTheOption) {
  settings.AskMargins = 0;
  SaveOptionsFile(dir.path(), settings);
  Start();
  OpenByDialog(WriteJob("marges.deb", GoodJob()));
  Choose({"ChbModifPieces", "ChbModifPanneaux"});  // nothing ticked
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(choiceEnabled, (std::vector<bool>{true, true, false, false}));
}

// The parts alone: a part added in the part form joins the job, turned as the user agreed, and
// the job is laid out again; a cancelled form leaves the parts as they were.
TEST_F(ModifyCommand, APartAddedInThePartFormJoinsTheJob) {
  for (const bool finish : {false, true}) {
    SCOPED_TRACE(finish ? "Terminer" : "Annuler");
    prompts = ScriptedPrompts();
    Start();
    OpenByDialog(WriteJob("pieces.deb", ThreePanelJob()));
    const PartList before = job.JobParts;
    Choose({"ChbModifPanneaux"});  // the parts only
    QString question;
    prompts.modals.push_back([&](QDialog& d) {
      auto& form = dynamic_cast<TSelPieces&>(d);
      Activate(form);
      Click(form.BtnNouveau);
      form.EdtDesignation->setFocus();
      form.EdtDesignation->selectAll();
      form.EdtDesignation->insert(QStringLiteral("Etagère"));
      QTest::keyClick(form.EdtDesignation, Qt::Key_Tab);
      Enter(form.EdtLongueur, QStringLiteral("300"));
      Enter(form.EdtLargeur, QStringLiteral("800"));
      question = form.SwapQuestion();
      Click(finish ? form.BtnTerminer : form.BtnAnnul);
      return form.result();
    });
    if (finish) prompts.answers = {PromptAnswer::Yes};
    Trigger("Modifier");
    EXPECT_TRUE(prompts.Exhausted());
    if (finish) {
      ASSERT_EQ(prompts.Of(Kind::Ask).size(), 1u);
      EXPECT_EQ(prompts.Of(Kind::Ask)[0].text, question);
      ASSERT_EQ(job.JobParts.size(), 2u);
      ASSERT_EQ(job.JobDesignations.size(), 2u);
      ASSERT_EQ(job.JobReferences.size(), 2u);
      EXPECT_EQ(job.JobDesignations[1], "Etagère");
      EXPECT_EQ(job.JobParts[1].Length, 8000);
      EXPECT_EQ(job.JobParts[1].Width, 3000);
      EXPECT_TRUE(PartNumbersArePositions(job.JobParts));
      EXPECT_EQ(job.JobModified, 1);
    } else {
      ASSERT_EQ(job.JobParts.size(), before.size());
      EXPECT_EQ(job.JobParts[0].Length, before[0].Length);
      EXPECT_EQ(job.JobDesignations.size(), before.size());
    }
    window.reset();
  }
}

class RecordingCharacteristicPicker : public CharacteristicPicker {
 public:
  CharacteristicPickerOutput Pick(const CharacteristicPickerInput& input, QWidget&) override {
    labels.clear();
    for (const CARACTPAN& c : *input.CharacteristicList) labels.push_back(c.Label);
    return {};
  }
  std::vector<std::string> labels;
};

class ChangingDesignationPicker : public DesignationPicker {
 public:
  DesignationPickerOutput Pick(const DesignationPickerInput& input, QWidget&) override {
    input.ManagedDesignationList->push_back("Traverse");
    DesignationPickerOutput out;
    out.DesignationsChanged = 1;
    return out;
  }
};

// The part form offers the characteristics of the stock panels as the panel step left them; the
// program plugs its pickers in, so its picker buttons are enabled.
TEST_F(ModifyCommand, ThePartFormOffersThePanelsAsTheyNowStand) {
  Start();
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  OpenByDialog(WriteJob("modifier.deb", GoodJob()));
  RecordingCharacteristicPicker picker;
  Choose({});  // panels and parts
  EditPanels([](TSelPanneaux& form) {
    Enter(form.EdtLongueur, QStringLiteral("2700"));
    Click(form.BtnTerminer);
  });
  bool enabledWithThePrograms = false;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    enabledWithThePrograms = form.BitBtnSens->isEnabled() && form.BitBtnDesignation->isEnabled() &&
                             form.BitBtnEpaisseur->isEnabled() && form.BitBtnEssence->isEnabled();
    CharacteristicPicker* programs = form.CharacteristicsPicker;
    form.CharacteristicsPicker = &picker;
    form.ShowPartRecord();
    QTest::mouseClick(form.BitBtnSens, Qt::LeftButton);
    form.CharacteristicsPicker = programs;
    Click(form.BtnAnnul);
    return form.result();
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_TRUE(enabledWithThePrograms);
  EXPECT_EQ(picker.labels, (std::vector<std::string>{"2700x2070x19 - chêne - indifférent"}));
  EXPECT_EQ(job.PanelCharacteristics.size(), 1u);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Length, 27000.0);
}

// A job from another machine: its second panel and part name place 5, past the list (Chêne,
// Hêtre, Pin), and read "Non spécifié".
JobState JobPastTheList() {
  return JobBuilder().kind(2).kerf(30)
      .panel(28000, 20700, 1, 2, 190, 0).panel(25000, 12500, 1, 2, 190, 5)
      .part(6000, 4000, 2, 2, 190, 0).part(3000, 2000, 2, 2, 190, 5).build();
}

// Every record of the job that is not listed reads "Non spécifié" and names one place past the
// list, the same for all.
void ExpectPastTheList(const JobState& job, const Settings& settings, std::int32_t expected) {
  EXPECT_EQ(job.JobPanels[1].Species, expected);
  EXPECT_EQ(job.JobParts[1].Species, expected);
  EXPECT_EQ(SpeciesNameAt(settings.SpeciesNames, job.JobPanels[1].Species), nullptr);
  EXPECT_EQ(SpeciesNameAt(settings.SpeciesNames, job.JobParts[1].Species), nullptr);
  for (const Panneau_p& panel : job.ResultPanels) {
    for (const TPiece& part : panel.PlacedParts) EXPECT_EQ(part.Species, panel.Species);
  }
}

// In Modify, "Sapin" typed for a new stock panel takes the next place, never the place the job's
// records past the list name: those move past it, on screen and in the saved job.
TEST_F(ModifyCommand, ASpeciesAddedInThePanelFormNeverTakesAPlaceTheJobNames) {
  Start(WriteJob("ailleurs.deb", JobPastTheList()));
  ASSERT_EQ(job.JobLoaded, 1);
  Choose({"ChbModifPieces"});  // the panels only
  EditPanels([](TSelPanneaux& form) {
    Click(form.BtnNouveau);
    EnterInBox(form.CbxEssence, QStringLiteral("Sapin"));
    Click(form.BtnTerminer);
  });
  prompts.answers = {PromptAnswer::Yes};  // add the species
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Sapin"}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  ASSERT_EQ(job.JobPanels.size(), 3u);
  EXPECT_EQ(job.JobPanels[2].Species, 3);
  ExpectPastTheList(job, settings, 6);

  prompts.files.push_back(QString::fromStdString((JobDir() / "sapin.deb").string()));
  Trigger("Enre");
  JobState saved;
  LoadJobFile(saved, JobDir() / "sapin.deb");
  EXPECT_EQ(saved.JobParts[1].Species, 6);
  EXPECT_EQ(saved.JobPanels[2].Species, 3);
}

// The same through the part form: the name joins the list (the part keeps a species some stock
// panel has), and the part of unknown wood stays past the list.
TEST_F(ModifyCommand, ASpeciesAddedInThePartFormNeverTakesAPlaceTheJobNames) {
  Start(WriteJob("ailleurs.deb", JobPastTheList()));
  ASSERT_EQ(job.JobLoaded, 1);
  Choose({"ChbModifPanneaux"});  // the parts only
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Activate(form);
    EnterInBox(form.CbxEssence, QStringLiteral("Sapin"));
    Click(form.BtnTerminer);
    return form.result();
  });
  prompts.answers = {PromptAnswer::Yes};  // add the species
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Sapin"}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(job.JobParts[0].Species, 0);  // no stock panel is of Sapin: the part stays oak
  ExpectPastTheList(job, settings, 6);
  EXPECT_EQ(job.JobModified, 1);
}

// A species list that cannot be written (a folder where the species file would be, which stops
// root too) refuses the name with the reason and the file's name; nothing is added, the record
// keeps its species. A list at the species file's bound refuses it too.
TEST_F(ModifyCommand, ASpeciesTheListCannotTakeIsRefused) {
  const struct {
    const char* what;
    bool full;
  } cases[] = {{"species file is a folder", false}, {"list full", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    window.reset();
    prompts = ScriptedPrompts();
    settings = TestSettings();
    std::filesystem::remove_all(dir.path() / kSpeciesFileName);
    if (c.full) {
      Settings full;
      full.SpeciesNames.assign(kMaxSpeciesPlaces, std::string());
      full.SpeciesNames[0] = "Chêne";
      full.SpeciesNames[1] = "Hêtre";
      SaveSpeciesFile(dir.path(), full);
    } else {
      std::filesystem::create_directory(dir.path() / kSpeciesFileName);
    }
    Start(WriteJob("refus.deb", GoodJob()));
    ASSERT_EQ(job.JobLoaded, 1);
    const std::vector<std::string> before = settings.SpeciesNames;
    const PanelList panelsBefore = job.JobPanels;
    Choose({"ChbModifPieces"});
    EditPanels([](TSelPanneaux& form) {
      EnterInBox(form.CbxEssence, QStringLiteral("Sapin"));
      EXPECT_TRUE(form.CbxEssence->currentText().isEmpty() ||
                  form.CbxEssence->currentText() != QStringLiteral("Sapin"));
      Click(form.BtnTerminer);
    });
    prompts.answers = {PromptAnswer::Yes};
    Trigger("Modifier");
    EXPECT_EQ(settings.SpeciesNames, before);
    ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
    const QString told = prompts.Of(Kind::Notice)[0].text;
    EXPECT_TRUE(told.contains(QStringLiteral("Sapin"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromLatin1(kSpeciesFileName))) << told.toStdString();
    if (c.full) {
      EXPECT_TRUE(told.contains(QStringLiteral("100000"))) << told.toStdString();
      EXPECT_EQ(SpeciesOnDisk().size(), kMaxSpeciesPlaces);
    }
    ASSERT_EQ(job.JobPanels.size(), panelsBefore.size());
    EXPECT_EQ(job.JobPanels[0].Species, panelsBefore[0].Species);
  }
}

// A designation list changed in the picker is written out at exit, and a species added in the
// part form is on disk at once, even when the form is cancelled; the parts stay as they were.
TEST_F(ModifyCommand, FilesChangedInThePartFormAreMarkedEvenAfterACancel) {
  Start();
  OpenByDialog(WriteJob("pieces.deb", GoodJob()));
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  settings.DesignationNames = {"Etagère"};
  settings.DesignationsFileDirty = 0;
  const PartList before = job.JobParts;
  ChangingDesignationPicker picker;
  DesignationPicker* programs = window->SelPieces->DesignationsPicker;
  window->SelPieces->DesignationsPicker = &picker;
  Choose({"ChbModifPanneaux"});  // the parts only
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Activate(form);
    EXPECT_TRUE(form.BitBtnDesignation->isEnabled());
    QTest::mouseClick(form.BitBtnDesignation, Qt::LeftButton);
    EnterInBox(form.CbxEssence, QStringLiteral("Noyer"));
    Click(form.BtnAnnul);
    return form.result();
  });
  prompts.answers = {PromptAnswer::Yes};  // add the species
  Trigger("Modifier");
  window->SelPieces->DesignationsPicker = programs;
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(settings.DesignationNames, (std::vector<std::string>{"Etagère", "Traverse"}));
  EXPECT_EQ(settings.DesignationsFileDirty, 1);
  EXPECT_EQ(settings.SpeciesNames.back(), "Noyer");
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  ASSERT_EQ(job.JobParts.size(), before.size());
  EXPECT_EQ(job.JobModified, 0);
}

// A window brought back from a minimise is no new showing: a designation added in the part form
// and a species added in the panel form before the minimise are kept when the forms finish, and
// the next start reads them.
TEST_F(ModifyCommand, ListsChangedBeforeAMinimiseAreWrittenAtExit) {
  Start();
  OpenByDialog(WriteJob("pieces.deb", GoodJob()));
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  settings.DesignationNames = {"Etagère"};
  settings.DesignationsFileDirty = 0;
  ChangingDesignationPicker picker;
  DesignationPicker* programs = window->SelPieces->DesignationsPicker;
  window->SelPieces->DesignationsPicker = &picker;
  Choose({});  // panels and parts
  EditPanels([](TSelPanneaux& form) {
    EnterInBox(form.CbxEssence, QStringLiteral("Noyer"));
    MinimiseAndRestore(form);
    Click(form.BtnTerminer);
  });
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    Activate(form);
    QTest::mouseClick(form.BitBtnDesignation, Qt::LeftButton);
    MinimiseAndRestore(form);
    Click(form.BtnTerminer);
    return form.result();
  });
  prompts.answers = {PromptAnswer::Yes};  // add the species
  Trigger("Modifier");
  window->SelPieces->DesignationsPicker = programs;
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  EXPECT_EQ(settings.DesignationsFileDirty, 1);

  prompts.answers = {PromptAnswer::No};  // the modified job is not saved
  window->close();
  Settings next;
  LoadSpeciesFile(dir.path(), next);
  LoadDesignationsFile(dir.path(), next);
  EXPECT_EQ(next.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Noyer"}));
  EXPECT_EQ(next.DesignationNames, (std::vector<std::string>{"Etagère", "Traverse"}));
}

}  // namespace
}  // namespace tranchex::test

namespace tranchex::test {
namespace {

// With the option set, the criteria box is offered; ticked alone, the criteria form comes first,
// its values go into the job however it was closed, and the job is laid out again with them.
TEST_F(ModifyCommand, TheCriteriaAloneAreChosenAndTheJobLaidOutAgain) {
  settings.AskOptimisationCriteria = 1;
  SaveOptionsFile(dir.path(), settings);
  Start();
  OpenByDialog(WriteJob("criteres.deb", GoodJob()));
  job.ResultPanels.back().CutLength = -7;  // a mark a new layout would not keep
  ASSERT_EQ(job.Engine.OptimisationCriterion, 1);
  ASSERT_EQ(job.Engine.NewPanelChoice, 2);
  Choose({"ChbModifPieces", "ChbModifPanneaux", "ChkBoxCriteresOptimisation"});
  std::string checkedAtShowing;
  QPoint criteriaShownAt;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFOptimisation&>(d);
    criteriaShownAt = form.pos();
    checkedAtShowing = std::string(form.RbtnSurface->isChecked() ? "surface" : "") +
                       (form.RbtnPlusGrand->isChecked() ? "+grand" : "");
    form.RbtnLargeur->click();
    form.RbtnPlusPetit->click();
    QTest::keyClick(&form, Qt::Key_Escape);  // no cancel: the values stand
    return form.result();
  });
  Trigger("Modifier");

  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(choiceEnabled, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(checkedAtShowing, "surface+grand");
  // Placed over the window, 14 pixels below its top.
  EXPECT_EQ(criteriaShownAt,
            QPoint(window->x() + window->width() / 2 - window->FOptimisation->width() / 2,
                   window->y() + 14));
  EXPECT_EQ(job.Engine.OptimisationCriterion, 3);
  EXPECT_EQ(job.Engine.NewPanelChoice, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_NE(job.ResultPanels.back().CutLength, -7);
}

// Without the option the box is grey and never read, even when set from code.
TEST_F(ModifyCommand, TheCriteriaBoxFollowsTheOption) {
  Start();
  OpenByDialog(WriteJob("criteres.deb", GoodJob()));
  Choose({"ChbModifPieces", "ChbModifPanneaux"});
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(prompts.Of(Kind::Modal).size(), 1u);
  EXPECT_FALSE(choiceEnabled.back());
  EXPECT_EQ(job.JobModified, 0);
}

}  // namespace
}  // namespace tranchex::test
