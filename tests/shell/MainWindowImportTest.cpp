// The import of a cutting list from the main window: the save question, the import form and the
// file picker, each of which can stop it with the job untouched; files that are refused whole;
// a good file laid out through Modify; a first line that reads as a part offered before it is
// skipped; a job that then cannot be laid out kept for correction; and the import's column
// options as a setting.

#include <gtest/gtest.h>

#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "dialogs/SelModif.h"
#include "dialogs/USelMarge.h"
#include "exchange/UImportation.h"
#include "exchange/UOptionsImportation.h"
#include "platform/TextIds.h"
#include "job/ListLookup.h"
#include "shell/MainWindowFixture.h"
#include "support/LayoutChecker.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

// Three kinds of parts in UTF-8, under a line of column titles: oak parts of 19 mm and one
// walnut shelf, a species the list lacks.
const std::string kGoodFile =
    "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil\n"
    "A;Etagere;2;600;400;19;Chêne;1\n"
    "B;Montant;4;1200;300;19;Chêne;1\n"
    "C;Tablette;1;800;350;19;Noyer;2\n";

class ImportCommand : public MainWindowTest {
 protected:
  // A job opened from its file, then changed and not saved.
  void OpenModifiedJob() {
    job = JobState{};
    settings = TestSettings();
    Start();
    OpenByDialog(WriteJob("atelier.deb", GoodJob()));
    ASSERT_EQ(job.JobLoaded, 1);
    job.JobModified = 1;
    before = job;
    settingsBefore = settings;
    speciesOnDiskBefore = SpeciesOnDisk();
    prompts.asked.clear();
  }
  QString WriteImport(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = dir.path() / name;
    WriteBytes(path, bytes);
    return QString::fromStdString(path.string());
  }
  // The import form: records where it stood and what it showed, then `close` shuts it.
  void AnswerImportForm(std::function<void(TFImportation&)> close) {
    prompts.modals.push_back([this, close](QDialog& d) {
      auto& form = dynamic_cast<TFImportation&>(d);
      importShownAt = form.pos();
      importFileFactor = form.FileUnit.Factor;
      importUnitShown = form.LblUniteFichier->text();
      close(form);
      return form.result();
    });
  }
  void AcceptImportForm() {
    AnswerImportForm([](TFImportation& f) { QTest::mouseClick(f.BtnOK, Qt::LeftButton); });
  }
  // What to modify: the boxes named are clicked, then OK.
  void ChooseInModify(std::vector<const char*> clicks) {
    prompts.modals.push_back([this, clicks](QDialog& d) {
      auto& form = dynamic_cast<TFSelMod&>(d);
      modifyTicks.clear();
      for (QCheckBox* box : {form.ChbModifPanneaux, form.ChbModifPieces, form.ChbModifMarge})
        modifyTicks.push_back(box->isChecked());
      for (const char* name : clicks) form.findChild<QCheckBox*>(QString::fromLatin1(name))->click();
      form.BtnOk->click();
      return form.result();
    });
  }
  // The margin form: records the margin and kerf it shows, then OK.
  void AcceptMargins() {
    prompts.modals.push_back([this](QDialog& d) {
      auto& form = dynamic_cast<TSelMarge&>(d);
      marginShown = form.EdtMarge->text();
      kerfShown = form.EdtTraitScie->text();
      form.BtnOk->click();
      return form.result();
    });
  }
  // The job as it was before the command: its lists, name, file and flags.
  void ExpectJobAsBefore(std::uint8_t modified) {
    EXPECT_EQ(job.JobParts.size(), before.JobParts.size());
    EXPECT_EQ(job.JobPanels.size(), before.JobPanels.size());
    EXPECT_EQ(job.ResultPanels.size(), before.ResultPanels.size());
    EXPECT_EQ(job.JobDesignations, before.JobDesignations);
    EXPECT_EQ(job.SummaryLines.size(), before.SummaryLines.size());
    EXPECT_EQ(job.JobName, before.JobName);
    EXPECT_EQ(job.JobPath, before.JobPath);
    EXPECT_EQ(job.JobUntitled, before.JobUntitled);
    EXPECT_EQ(job.JobLoaded, 1);
    EXPECT_EQ(job.JobModified, modified);
    EXPECT_EQ(job.JobKerf, before.JobKerf);
    EXPECT_EQ(settings.SpeciesNames, settingsBefore.SpeciesNames);
    EXPECT_EQ(settings.DesignationNames, settingsBefore.DesignationNames);
    EXPECT_EQ(settings.PartSizes, settingsBefore.PartSizes);
    EXPECT_EQ(SpeciesOnDisk(), speciesOnDiskBefore);
    EXPECT_EQ(settings.PartSizesDirty, settingsBefore.PartSizesDirty);
    EXPECT_TRUE(Find<QAction>("Imprimer")->isEnabled());
    EXPECT_EQ(window->windowTitle(), LanguageText(TextId::MainForm::AppTitle) +
                                         QStringLiteral(" - atelier.deb"));
  }

  JobState before;
  Settings settingsBefore;
  std::vector<std::string> speciesOnDiskBefore;
  QPoint importShownAt;
  double importFileFactor = 0.0;
  QString importUnitShown;
  std::vector<bool> modifyTicks;
  QString marginShown;
  QString kerfShown;
};

QString ImportText(int id) { return LanguageText(id); }

TEST_F(ImportCommand, IsAvailableWithOrWithoutAJob) {
  Start();
  EXPECT_TRUE(Find<QAction>("Importer")->isEnabled());
  EXPECT_TRUE(Find<QAction>("ImportationFichesDebit")->isEnabled());
}

// Every way of stopping before the file is read leaves the job on screen as it was; a job whose
// save was declined is still to be saved.
TEST_F(ImportCommand, EveryCancelLeavesTheJobAsItWas) {
  const QString cancelled = ImportText(TextId::ImportForm::Cancelled);
  const QString notSaved = LanguageText(TextId::Messages::MsgNotSaved);
  struct Case {
    const char* name;
    PromptAnswer save;  // the answer to the save question
    std::function<void()> script;
    QStringList notices;
    std::uint8_t modifiedAfter;
  };
  const auto annuler = [this] {
    AnswerImportForm([](TFImportation& f) { QTest::mouseClick(f.BtnAnnuler, Qt::LeftButton); });
  };
  const auto escape = [this] {
    AnswerImportForm([](TFImportation& f) { QTest::keyClick(&f, Qt::Key_Escape); });
  };
  const auto noFile = [this] {
    AcceptImportForm();
    prompts.files = {std::nullopt};
  };
  const Case cases[] = {
      {"cancel at the save question", PromptAnswer::Cancel, [] {}, {cancelled}, 1},
      {"Annuler", PromptAnswer::No, annuler, {notSaved, cancelled}, 1},
      {"Escape", PromptAnswer::No, escape, {notSaved, cancelled}, 1},
      {"no file chosen", PromptAnswer::No, noFile, {notSaved, cancelled}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenModifiedJob();
    prompts.answers = {c.save};
    c.script();
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(prompts.NoticeTexts(), c.notices);
    // The import's own notice is under its caption, with the information icon.
    const auto notices = prompts.Of(ScriptedPrompts::Kind::Notice);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().caption, ImportText(TextId::ImportForm::Caption));
    EXPECT_EQ(notices.back().icon, PromptIcon::Information);
    ExpectJobAsBefore(c.modifiedAfter);
    window.reset();
  }
}

// Saved first, then cancelled: the job was written and is not modified any more.
TEST_F(ImportCommand, AJobSavedBeforeACancelStaysSaved) {
  OpenModifiedJob();
  prompts.answers = {PromptAnswer::Yes};
  AnswerImportForm([](TFImportation& f) { QTest::mouseClick(f.BtnAnnuler, Qt::LeftButton); });
  Trigger("Importer");
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{ImportText(TextId::ImportForm::Cancelled)});
  ExpectJobAsBefore(0);
}

// A file that cannot be read, or holds a fault anywhere, is refused whole with one warning: the
// job and the reference lists stay as they were.
TEST_F(ImportCommand, ARefusedFileLeavesTheJobAndTheListsAsTheyWere) {
  const QString cancelled = ImportText(TextId::ImportForm::Cancelled);
  // A refused sheet's message starts with text 126.
  static const QString openError =
      LanguageText(TextId::Messages::MsgOpenError) + QStringLiteral("\n");
  struct Case {
    const char* name;
    std::function<QString()> file;  // the path chosen
    std::function<QString(const QString&)> start;  // how the warning starts, given the path
  };
  const Case cases[] = {
      // A folder where the file should be: no one can read it, root included.
      {"unreadable",
       [this] {
         const std::filesystem::path p = dir.path() / "dossier.csv";
         std::filesystem::create_directories(p);
         return QString::fromStdString(p.string());
       },
       [](const QString& path) {
         return LanguageText(TextId::Messages::MsgFileLocked).replace(QStringLiteral("val"), path);
       }},
      // The walnut of line 2 would be a new species: it is not added when line 3 is refused.
      {"a length that is not a number",
       [this] {
         return WriteImport("faute.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"
                                           "A;Etagere;2;600;400;19;Noyer;1\n"
                                           "B;Montant;4;douze;300;19;Chêne;1\n");
       },
       [](const QString&) { return openError + QStringLiteral("Ligne 3, colonne 4 (Longueur)"); }},
      // Nothing is made up for an empty cell, nor for the cells of a line that stops early.
      {"a thickness and species left empty",
       [this] {
         return WriteImport("vide.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"
                                          "A;Etagere;2;600;400;19;Noyer;1\n"
                                          "C;Tablette;3;800;350;;;\n");
       },
       [](const QString&) {
         return openError + QStringLiteral("Ligne 3, colonne 6 (Epaisseur) : valeur manquante");
       }},
      {"a line that stops early",
       [this] {
         return WriteImport("court.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"
                                           "A;Etagere;2;600;400;19;Noyer;1\n"
                                           "D;Court;1;500;300\n"
                                           "19;Chêne;1\n");
       },
       [](const QString&) {
         return openError + QStringLiteral("Ligne 3, colonne 6 (Epaisseur) : valeur manquante");
       }},
      // Sound on its own, but no stock panel of at most 1 km takes it with the default margin.
      {"a part too long for any panel",
       [this] {
         return WriteImport("long.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"
                                          "A;Etagere;2;600;400;19;Noyer;1\n"
                                          "B;Lisse;1;1000000;300;19;Chêne;1\n");
       },
       [](const QString&) {
         return openError + QStringLiteral("Ligne 3, colonne 4 (Longueur) : pièce trop longue");
       }},
      {"empty", [this] { return WriteImport("vide.csv", ""); },
       [](const QString&) { return QString(); }},
      {"titles only",
       [this] { return WriteImport("titres.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"); },
       [](const QString&) { return QString(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenModifiedJob();
    const QString path = c.file();
    prompts.answers = {PromptAnswer::No};
    AcceptImportForm();
    prompts.files = {path};
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    const std::vector<ScriptedPrompts::Asked> notices = prompts.Of(Kind::Notice);
    ASSERT_EQ(notices.size(), 2u);  // "not saved", then the one warning
    EXPECT_EQ(notices[1].caption, ImportText(TextId::ImportForm::Caption));
    EXPECT_EQ(notices[1].icon, PromptIcon::Warning);
    const QString text = notices[1].text;
    EXPECT_TRUE(text.startsWith(c.start(path))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n") + cancelled)) << text.toStdString();
    EXPECT_GT(text.size(), cancelled.size() + 1) << "a reason is given";
    ExpectJobAsBefore(1);
    window.reset();
  }
}

// A good file replaces the job, goes through Modify with the margins offered and the default
// kerf, and is laid out soundly; the new job has no file.
TEST_F(ImportCommand, AGoodFileIsLaidOutThroughModify) {
  OpenModifiedJob();
  settings.DefaultKerf = 40;
  settings.DefaultMargin = 50.0;
  const std::string previousFile = ReadBytes(before.JobPath);
  prompts.answers = {PromptAnswer::No};
  AcceptImportForm();
  prompts.files = {WriteImport("fiche.csv", kGoodFile)};
  ChooseInModify({"ChbModifPanneaux", "ChbModifPieces"});  // the margins alone
  AcceptMargins();
  Trigger("Importer");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{LanguageText(TextId::Messages::MsgNotSaved)});

  // The import form over the window, 14 pixels below its top, in the program's unit.
  EXPECT_EQ(importShownAt, DialogPosition(window->pos(), window->width(),
                                          window->FImportation->width(), 14));
  EXPECT_EQ(importFileFactor, 10.0);
  const std::vector<ScriptedPrompts::Asked> pickers = prompts.Of(Kind::OpenFile);
  ASSERT_EQ(pickers.size(), 1u);
  EXPECT_TRUE(pickers[0].filter.contains(QStringLiteral("*.csv")));
  EXPECT_TRUE(pickers[0].filter.contains(QStringLiteral("*.txt")));
  // Modify offered the margins, shown with the default margin and kerf.
  EXPECT_EQ(modifyTicks, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(marginShown, QStringLiteral("5"));
  EXPECT_EQ(kerfShown, QStringLiteral("4"));

  // The file's parts, in file order.
  ASSERT_EQ(job.JobParts.size(), 3u);
  EXPECT_EQ(job.JobReferences, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(job.JobDesignations, (std::vector<std::string>{"Etagere", "Montant", "Tablette"}));
  const struct {
    double length, width, thickness;
    int quantity, grain;
    std::string species;
  } parts[] = {{6000, 4000, 190, 2, 1, "Chêne"},
               {12000, 3000, 190, 4, 1, "Chêne"},
               {8000, 3500, 190, 1, 2, "Noyer"}};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TPiece& p = job.JobParts[i];
    EXPECT_EQ(p.Length, parts[i].length);
    EXPECT_EQ(p.Width, parts[i].width);
    EXPECT_EQ(p.Thickness, parts[i].thickness);
    EXPECT_EQ(p.Quantity, parts[i].quantity);
    EXPECT_EQ(p.Grain, parts[i].grain);
    ASSERT_GE(p.Species, 0);
    ASSERT_LT(static_cast<std::size_t>(p.Species), settings.SpeciesNames.size());
    EXPECT_EQ(settings.SpeciesNames[static_cast<std::size_t>(p.Species)], parts[i].species);
  }
  // The walnut joined the species list, on disk already.
  EXPECT_EQ(settings.SpeciesNames,
            (std::vector<std::string>{"Chêne", "Hêtre", "Pin", "Noyer"}));
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  // One stock panel per material, and a complex job.
  EXPECT_EQ(job.JobPanels.size(), 2u);
  EXPECT_EQ(job.JobKind, 2);

  // Laid out soundly, with the margin and kerf shown.
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobKerf, 40);
  EXPECT_EQ(job.JobMargins.LengthMargin, 50.0);
  EXPECT_EQ(job.MarginsPending, 0);
  ASSERT_FALSE(job.ResultPanels.empty());
  const std::vector<std::string> faults =
      CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins);
  EXPECT_TRUE(faults.empty()) << DescribeFaults(faults);
  for (const char* a : kJobActions) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
  EXPECT_EQ(window->ViewMode, kPanelsView);

  // A new job without a file: Save asks for a name, the previous job's file is untouched.
  EXPECT_EQ(job.JobName, "NouveauDebit.deb");
  EXPECT_TRUE(job.JobPath.empty());
  EXPECT_EQ(job.JobUntitled, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(window->windowTitle(), LanguageText(TextId::MainForm::AppTitle));
  prompts.files = {std::nullopt};
  Trigger("Enregistrer");
  EXPECT_EQ(prompts.Of(Kind::SaveFile).size(), 1u);
  EXPECT_EQ(ReadBytes(before.JobPath), previousFile);
}

// A part exported as "Non spécifié", between a Chêne line and an Érable line, imported again:
// no species at all, apart from Chêne (a stock panel of its own), read "Non spécifié"; the new
// wood is in the species file before the job names it.
TEST_F(ImportCommand, NotSpecifiedImportsAsNoSpecies) {
  OpenModifiedJob();
  prompts.answers = {PromptAnswer::No};
  AcceptImportForm();
  prompts.files = {WriteImport("fiche.csv",
                               "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;"
                               "Sens du fil\n"
                               "A;Montant;2;700;500;19;Chêne;0\n"
                               "B;Cote;2;700;500;19;Non spécifié;0\n"
                               "C;Tablette;2;700;500;19;Érable;0\n")};
  ChooseInModify({"ChbModifPanneaux", "ChbModifPieces"});
  AcceptMargins();
  Trigger("Importer");
  EXPECT_TRUE(prompts.Exhausted());
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(job.JobKind, 2);
  ASSERT_EQ(job.JobParts.size(), 3u);
  EXPECT_EQ(job.JobParts[0].Species, 0);
  EXPECT_EQ(SpeciesNameAt(settings.SpeciesNames, job.JobParts[1].Species), nullptr);
  ASSERT_NE(SpeciesNameAt(settings.SpeciesNames, job.JobParts[2].Species), nullptr);
  EXPECT_EQ(*SpeciesNameAt(settings.SpeciesNames, job.JobParts[2].Species), "Érable");
  EXPECT_EQ(SpeciesOnDisk(), settings.SpeciesNames);
  // Three materials, three stock panels: the part of no species shares none with Chêne.
  EXPECT_EQ(job.JobPanels.size(), 3u);
  for (const Panneau_p& panel : job.ResultPanels) {
    for (const TPiece& part : panel.PlacedParts) EXPECT_EQ(part.Species, panel.Species);
  }
}

// A species list that cannot take the sheet's new wood (a folder where the species file would
// be, which stops root too) stops the import with the reason and the file's name; the job and
// the lists stay as they were.
TEST_F(ImportCommand, AnImportWhoseSpeciesCannotBeWrittenLeavesTheJob) {
  std::filesystem::create_directory(dir.path() / kSpeciesFileName);
  OpenModifiedJob();
  prompts.answers = {PromptAnswer::No};
  AcceptImportForm();
  prompts.files = {WriteImport("fiche.csv", kGoodFile)};
  Trigger("Importer");
  EXPECT_TRUE(prompts.Exhausted());
  const std::vector<ScriptedPrompts::Asked> notices = prompts.Of(Kind::Notice);
  ASSERT_EQ(notices.size(), 2u);  // "not saved", then why
  EXPECT_EQ(notices[1].caption, ImportText(TextId::ImportForm::Caption));
  EXPECT_TRUE(notices[1].text.contains(QStringLiteral("Noyer"))) << notices[1].text.toStdString();
  EXPECT_TRUE(notices[1].text.contains(QString::fromLatin1(kSpeciesFileName)));
  ExpectJobAsBefore(1);
}

// The file is read in the unit the import form hands on: the program's.
TEST_F(ImportCommand, TheFileIsReadInTheProgramsUnit) {
  Start();
  settings.MeasureUnit = UNITE_MESURE{100.0, "cm", ""};
  AcceptImportForm();
  prompts.files = {WriteImport("cm.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\nA;Etagere;2;60;40;2;Chêne;1\n")};
  ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
  Trigger("Importer");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(importFileFactor, 100.0);
  ASSERT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobParts[0].Length, 6000.0);
  EXPECT_EQ(job.JobParts[0].Width, 4000.0);
  EXPECT_EQ(job.JobParts[0].Thickness, 200.0);
  // Margins left unanswered: none on the length and width.
  EXPECT_EQ(job.JobMargins.LengthMargin, 0.0);
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_TRUE(CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins).empty());
}

// A sheet without a title line: its first line, about to be skipped as the titles, reads as a
// part, and the import asks before losing it. Yes imports it, No skips it, Cancel stops with
// the job as it was.
TEST_F(ImportCommand, AFirstLineThatReadsAsAPartIsOfferedBeforeItIsSkipped) {
  const std::string untitled =
      "A;Etagere;2;600;400;19;Chêne;1\r\n"
      "B;Montant;4;1200;300;19;Chêne;1\r\n"
      "C;Tablette;1;800;350;19;Noyer;2\r\n";
  const struct {
    const char* name;
    PromptAnswer answer;
    std::vector<std::string> references;  // empty: the import stopped
  } cases[] = {
      {"Yes: imported", PromptAnswer::Yes, {"A", "B", "C"}},
      {"No: skipped as the titles", PromptAnswer::No, {"B", "C"}},
      {"Cancel", PromptAnswer::Cancel, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenModifiedJob();
    prompts.answers = {PromptAnswer::No, c.answer};  // not saved, then the first line
    AcceptImportForm();
    prompts.files = {WriteImport("sans-titres.csv", untitled)};
    if (!c.references.empty()) {
      ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
    }
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    const std::vector<ScriptedPrompts::Asked> asked = prompts.Of(Kind::Ask);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].caption, ImportText(TextId::ImportForm::Caption));
    EXPECT_EQ(asked[1].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(asked[1].icon, PromptIcon::Question);
    EXPECT_TRUE(asked[1].text.startsWith(
        QStringLiteral("La première ligne du fichier ressemble à une pièce :\n"
                       "« A;Etagere;2;600;400;19;Chêne;1 »")))
        << asked[1].text.toStdString();
    if (c.references.empty()) {
      EXPECT_EQ(prompts.NoticeTexts().back(), ImportText(TextId::ImportForm::Cancelled));
      ExpectJobAsBefore(1);
    } else {
      EXPECT_EQ(job.JobReferences, c.references);
      EXPECT_EQ(job.JobLoaded, 1);
    }
    window.reset();
  }
}

// A job that cannot be laid out (here a kerf beyond what a job may hold) is said once and kept,
// with only the commands that correct or keep it.
TEST_F(ImportCommand, AnImportedJobThatCannotBeLaidOutIsKeptForModify) {
  Start();
  settings.DefaultKerf = 600;
  AcceptImportForm();
  prompts.files = {WriteImport("fiche.csv", kGoodFile)};
  ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
  Trigger("Importer");
  EXPECT_TRUE(prompts.Exhausted());
  const QStringList notices = prompts.NoticeTexts();
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices[0].startsWith(LanguageText(TextId::Messages::MsgNewJobError) +
                                    QStringLiteral("\n")))
      << notices[0].toStdString();
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_EQ(job.JobParts.size(), 3u);
  EXPECT_EQ(job.JobPanels.size(), 2u);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.MarginsPending, 0);
  for (const char* a : {"Modifier", "Enregistrer", "Enre", "Supprimer"})
    EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* a : {"Imprimer", "Exporter", "Recap"})
    EXPECT_FALSE(Find<QAction>(a)->isEnabled()) << a;
}

// Sheets that hold everything the column map reads are imported whole, every field as the file
// gives it: a spreadsheet's empty fields after the last column, a thickness of 0 (a simple
// job's export), an empty reference given the first letters no line has.
TEST_F(ImportCommand, SheetsThatGiveEveryCellAreImportedWhole) {
  struct Part {
    std::string reference, designation, species;
    int quantity;
    double length, width, thickness;
    int grain;
  };
  const struct {
    const char* name;
    std::string sheet;
    std::vector<Part> parts;
  } cases[] = {
      {"empty fields after the last column",
       "Ref;Des;Nb;L;l;Ep;Ess;Sens;;note\nA;Etagere;2;600;400;19;Chêne;1;;\n"
       "B;Montant;4;1200;300;19;Noyer;0;;\n",
       {{"A", "Etagere", "Chêne", 2, 6000, 4000, 190, 1},
        {"B", "Montant", "Noyer", 4, 12000, 3000, 190, 0}}},
      {"a simple job's export: thickness 0",
       "Ref;Des;Nb;L;l;Ep;Ess;Sens\nA;Etagere;2;600;400;0;Chêne;1\n"
       "B;Montant;4;1200;300;0;Chêne;2\n",
       {{"A", "Etagere", "Chêne", 2, 6000, 4000, 100, 1},
        {"B", "Montant", "Chêne", 4, 12000, 3000, 100, 2}}},
      {"an empty reference",
       "Ref;Des;Nb;L;l;Ep;Ess;Sens\n;Etagere;2;600;400;19;Chêne;1\na;Montant;4;1200;300;19;Chêne;1\n",
       {{"b", "Etagere", "Chêne", 2, 6000, 4000, 190, 1},
        {"a", "Montant", "Chêne", 4, 12000, 3000, 190, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    job = JobState{};
    settings = TestSettings();
    Start();
    AcceptImportForm();
    prompts.files = {WriteImport("fiche.csv", c.sheet)};
    ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_TRUE(prompts.NoticeTexts().isEmpty()) << prompts.NoticeTexts().join(u'|').toStdString();
    ASSERT_EQ(job.JobParts.size(), c.parts.size());
    for (std::size_t i = 0; i < c.parts.size(); ++i) {
      SCOPED_TRACE(i);
      const Part& want = c.parts[i];
      const TPiece& got = job.JobParts[i];
      EXPECT_EQ(job.JobReferences[i], want.reference);
      EXPECT_EQ(job.JobDesignations[i], want.designation);
      EXPECT_EQ(got.Quantity, want.quantity);
      EXPECT_EQ(got.Length, want.length);
      EXPECT_EQ(got.Width, want.width);
      EXPECT_EQ(got.Thickness, want.thickness);
      EXPECT_EQ(got.Grain, want.grain);
      ASSERT_GE(got.Species, 0);
      ASSERT_LT(static_cast<std::size_t>(got.Species), settings.SpeciesNames.size());
      // A simple job keeps species 0 on its parts: its one species is the sheet's.
      EXPECT_EQ(settings.SpeciesNames[static_cast<std::size_t>(got.Species)],
                job.JobKind == 1 ? c.parts[0].species : want.species);
    }
    EXPECT_EQ(job.JobLoaded, 1);
    window.reset();
    prompts.asked.clear();
  }
}

// Two lines whose references are cut alike would give two parts one reference: the import asks
// once, naming the lines. Yes gives the later part free letters; No stops with the job as it was.
TEST_F(ImportCommand, ReferencesTwoLinesWouldShareAreAskedAbout) {
  const std::string sheet =
      "Ref;Des;Nb;L;l;Ep;Ess;Sens\n"
      "A;Etagere;2;600;400;19;Chêne;1\n"
      "P101;Montant;4;1200;300;19;Chêne;1\n"
      "P102;Tablette;1;800;350;19;Noyer;2\n";
  for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
    SCOPED_TRACE(answer == PromptAnswer::Yes ? "Oui" : "Non");
    OpenModifiedJob();
    prompts.answers = {PromptAnswer::No, answer};  // not saved, then the references
    AcceptImportForm();
    prompts.files = {WriteImport("refs.csv", sheet)};
    if (answer == PromptAnswer::Yes) {
      ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
    }
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    const std::vector<ScriptedPrompts::Asked> asked = prompts.Of(Kind::Ask);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].caption, ImportText(TextId::ImportForm::Caption));
    EXPECT_EQ(asked[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(asked[1].icon, PromptIcon::Question);
    EXPECT_TRUE(asked[1].text.startsWith(
        QStringLiteral("Lignes 3 et 4 : la référence « P10 » désigne deux pièces")))
        << asked[1].text.toStdString();
    if (answer == PromptAnswer::Yes) {
      EXPECT_EQ(job.JobReferences, (std::vector<std::string>{"A", "P10", "a"}));
      EXPECT_EQ(job.JobDesignations,
                (std::vector<std::string>{"Etagere", "Montant", "Tablette"}));
      EXPECT_EQ(job.JobLoaded, 1);
    } else {
      EXPECT_EQ(prompts.NoticeTexts().back(), ImportText(TextId::ImportForm::Cancelled));
      ExpectJobAsBefore(1);
    }
    window.reset();
  }
}

// The file's unit chosen in "Options > Importation" is the unit the next imports read, and the
// import form says which; once the program's unit changes, the file is read in that one.
TEST_F(ImportCommand, TheFileUnitChosenInTheOptionsIsTheUnitTheNextImportsRead) {
  Start();
  prompts.modals = {[&](QDialog& d) {
    auto& form = dynamic_cast<TFOptionsImportation&>(d);
    form.CbxListeUnites->setCurrentIndex(2);  // Pouce
    Q_EMIT form.CbxListeUnites->activated(2);
    prompts.answers = {PromptAnswer::Yes};
    form.BtnOk->click();
    return form.result();
  }};
  Trigger("ImportationFichesDebit");
  EXPECT_TRUE(prompts.Exhausted());
  // The sizes will be converted: the program works in millimetres.
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{LanguageText(TextId::ImportOptionsForm::UnitDiffers)});
  EXPECT_EQ(settings.MeasureUnit.Factor, 10.0);

  const struct {
    const char* name;
    UNITE_MESURE program;
    std::string sizes;  // length;width;thickness as the sheet gives them
    double factor;
    QString shown;
  } imports[] = {
      {"the first import, in inches", {10.0, "mm", ""}, "28,366;15,61;0,748", 254.0,
       QStringLiteral("Unité du fichier : pouces")},
      {"the next one, still in inches", {10.0, "mm", ""}, "28,366;15,61;0,748", 254.0,
       QStringLiteral("Unité du fichier : pouces")},
      {"after the program's unit changed to cm", {100.0, "cm", ""}, "72,05;39,65;1,9", 100.0,
       QStringLiteral("Unité du fichier : cm")},
  };
  for (const auto& c : imports) {
    SCOPED_TRACE(c.name);
    settings.MeasureUnit = c.program;
    job.JobModified = 0;
    prompts.asked.clear();
    AcceptImportForm();
    prompts.files = {WriteImport("fiche.csv", "Ref;Des;Nb;L;l;Ep;Ess;Sens\nA;Etagere;2;" +
                                                  c.sizes + ";Chêne;1\n")};
    ChooseInModify({"ChbModifPanneaux", "ChbModifPieces", "ChbModifMarge"});
    Trigger("Importer");
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(importFileFactor, c.factor);
    EXPECT_EQ(importUnitShown, c.shown);
    // 720,5 x 396,5 x 19 mm, in every unit.
    ASSERT_EQ(job.JobParts.size(), 1u);
    EXPECT_EQ(job.JobParts[0].Length, 7205.0);
    EXPECT_EQ(job.JobParts[0].Width, 3965.0);
    EXPECT_EQ(job.JobParts[0].Thickness, 190.0);
    EXPECT_EQ(job.JobLoaded, 1);
  }
}

// The column options from the Options menu: placed at the window's top, handed the program's
// unit as the file's at first; the program's unit is not changed there; a change marks the
// options file, no change leaves the flag as it was.
TEST_F(ImportCommand, TheColumnOptionsAreASetting) {
  struct Case {
    const char* name;
    bool change;
    std::uint8_t dirtyBefore;
    std::uint8_t dirtyAfter;
  };
  const Case cases[] = {{"changed", true, 0, 1},
                        {"unchanged", false, 0, 0},
                        {"unchanged after an earlier change", false, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings = TestSettings();
    Start();
    settings.MeasureUnit = UNITE_MESURE{254.0, "pouces", ""};
    settings.OptionsFileDirty = c.dirtyBefore;
    settings.ImportDefaultGrain = 0;
    QPoint shownAt;
    double unitShown = 0.0;
    prompts.modals = {[&](QDialog& d) {
      auto& form = dynamic_cast<TFOptionsImportation&>(d);
      shownAt = form.pos();
      unitShown = form.UnitFactor;
      if (c.change) {
        QTest::mouseClick(form.ChbxEssences, Qt::LeftButton);
        form.CbxListeUnites->setCurrentIndex(0);
        Q_EMIT form.CbxListeUnites->activated(0);
        prompts.answers = {PromptAnswer::Yes};
      }
      form.BtnOk->click();
      return form.result();
    }};
    Trigger("ImportationFichesDebit");
    EXPECT_TRUE(prompts.Exhausted());
    // The formula's place, moved inside the screen.
    EXPECT_EQ(shownAt, KeepInside(window->screen()->availableGeometry(),
                                  DialogPosition(window->pos(), window->width(),
                                                 window->FOptionsImportation->width(), 0),
                                  window->FOptionsImportation->size()));
    EXPECT_EQ(unitShown, 254.0);
    EXPECT_EQ(settings.OptionsFileDirty, c.dirtyAfter);
    EXPECT_EQ(settings.ImportAddSpecies, c.change ? 1 : 0);
    EXPECT_EQ(settings.ImportDefaultGrain, 0);
    EXPECT_EQ(settings.MeasureUnit.Factor, 254.0);  // the program's unit is not the file's
    window.reset();
    prompts.asked.clear();
  }
}

}  // namespace
}  // namespace tranchex::test
