// The designations manager command of the main window, the designations file it marks for
// rewriting (checked across restarts on the same data folder), and the part form of Modify
// with the program's own pickers.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "dialogs/SelModif.h"
#include "dialogs/UGestDesPieces.h"
#include "dialogs/UGestDonneesPanneaux.h"
#include "dialogs/USelPieces.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

void ClickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.item(row)).center());
}

class DesignationsCommand : public MainWindowTest {
 protected:
  fs::path DesignationsFile() const { return dir.path() / kDesignationsFileName; }

  // Runs "Gestion des désignations": `act` drives the form, then OK.
  void Manage(std::function<void(TFGestDesPieces&)> act) {
    prompts.modals.push_back([this, act](QDialog& d) {
      auto& form = dynamic_cast<TFGestDesPieces&>(d);
      Activate(form);
      shownAt = form.pos();
      buttons = std::string(form.BtnAjouter->isEnabled() ? "1" : "0") +
                (form.BtnSupprimer->isEnabled() ? "1" : "0");
      act(form);
      form.BtnOK->click();
      return form.result();
    });
    Trigger("GestionDesignationsPieces");
    EXPECT_TRUE(prompts.Exhausted());
  }
  static void Add(TFGestDesPieces& form, const QString& name) {
    form.EdtDesPiece->setText(name);
    form.BtnAjouter->click();
  }
  // Closes the window, which writes the files marked, and starts a new one on the same data
  // folder, which reads them.
  void Restart() {
    window->close();
    window.reset();
    settings = TestSettings();
    Start();
  }

  QPoint shownAt;
  std::string buttons;
};

// The command works with or without a job, in manage mode; the form is placed over the window.
TEST_F(DesignationsCommand, ManagesTheListWithOrWithoutAJob) {
  Start();
  ASSERT_TRUE(Find<QAction>("GestionDesignationsPieces")->isEnabled());
  ASSERT_TRUE(settings.DesignationNames.empty());
  Manage([](TFGestDesPieces& form) { Add(form, QStringLiteral("Traverse")); });
  EXPECT_EQ(buttons, "00");
  EXPECT_EQ(shownAt,
            QPoint(window->x() + window->width() / 2 - window->FGestDesPieces->width() / 2,
                   window->y() + 14));
  EXPECT_EQ(prompts.Of(Kind::Modal).at(0).caption, LanguageText(268));
  EXPECT_EQ(settings.DesignationNames, Names{"Traverse"});
  EXPECT_EQ(settings.DesignationsFileDirty, 1);

  OpenByDialog(WriteJob("designations.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  const std::vector<std::string> jobDesignations = job.JobDesignations;
  EXPECT_TRUE(Find<QAction>("GestionDesignationsPieces")->isEnabled());
  Manage([](TFGestDesPieces& form) {
    Add(form, QStringLiteral("Chant"));
    ClickRow(*form.LbDesPieces, 0);  // Traverse
    form.BtnSupprimer->click();
  });
  EXPECT_EQ(buttons, "11");
  EXPECT_EQ(settings.DesignationNames, Names{"Chant"});
  // The parts hold their own designations: the job is as it was.
  EXPECT_EQ(job.JobDesignations, jobDesignations);
  EXPECT_EQ(job.JobModified, 0);
}

// The file is rewritten at exit only after a change in the run; a showing without a change does
// not lower the mark a change set; the next start reads the designation added.
TEST_F(DesignationsCommand, TheFileIsRewrittenOnlyAfterAChange) {
  Settings stored;
  stored.DesignationNames = {"Montant", "Pied"};
  SaveDesignationsFile(dir.path(), stored);
  // A date no write made in this run can give.
  const fs::file_time_type old = fs::last_write_time(DesignationsFile()) - std::chrono::hours(48);
  fs::last_write_time(DesignationsFile(), old);
  const std::string bytes = ReadBytes(DesignationsFile());

  Start();
  ASSERT_EQ(settings.DesignationNames, (Names{"Montant", "Pied"}));
  ASSERT_EQ(settings.DesignationsFileDirty, 0);
  Manage([](TFGestDesPieces&) {});  // OK on "Montant", which is listed: no question
  EXPECT_EQ(settings.DesignationsFileDirty, 0);
  Restart();
  EXPECT_EQ(fs::last_write_time(DesignationsFile()), old);
  EXPECT_EQ(ReadBytes(DesignationsFile()), bytes);
  EXPECT_EQ(settings.DesignationNames, (Names{"Montant", "Pied"}));

  Manage([](TFGestDesPieces& form) { Add(form, QStringLiteral("Chant")); });
  EXPECT_EQ(settings.DesignationsFileDirty, 1);
  Manage([](TFGestDesPieces&) {});
  EXPECT_EQ(settings.DesignationsFileDirty, 1);
  Restart();
  EXPECT_NE(fs::last_write_time(DesignationsFile()), old);
  EXPECT_NE(ReadBytes(DesignationsFile()), bytes);
  EXPECT_EQ(settings.DesignationNames, (Names{"Chant", "Montant", "Pied"}));
  EXPECT_EQ(settings.DesignationsFileDirty, 0);
  EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
}

// A name typed and not added (No to the question) leaves the list and its file alone.
TEST_F(DesignationsCommand, ANameNotAddedChangesNothing) {
  Start();
  settings.DesignationNames = {"Pied"};
  prompts.answers = {PromptAnswer::No};
  Manage([](TFGestDesPieces& form) { form.EdtDesPiece->setText(QStringLiteral("Chant")); });
  EXPECT_EQ(prompts.QuestionTexts(), QStringList{LanguageText(269)});
  EXPECT_EQ(settings.DesignationNames, Names{"Pied"});
  EXPECT_EQ(settings.DesignationsFileDirty, 0);
}

// Modify, parts only, with the program's pickers: the designation typed in the manager goes to
// the part and to the shop's list (written at exit); the horizontal beech panel picked gives the
// indifferent oak part its grain and species.
TEST_F(DesignationsCommand, ThePartFormOfModifyUsesTheProgramsPickers) {
  Start();
  settings.DesignationNames = {"Pied"};
  OpenByDialog(WriteJob("pickers.deb", JobBuilder()
                                           .kind(2)
                                           .kerf(30)
                                           .panel(28000, 20700, 1, GrainHorizontal, 190, 1)
                                           .panel(25000, 12500, 1, GrainVertical, 190, 0)
                                           .part(6000, 4000, 1, GrainIndifferent, 190, 0)
                                           .build()));
  ASSERT_EQ(job.JobLoaded, 1);
  prompts.modals.push_back([](QDialog& d) {
    auto& form = dynamic_cast<TFSelMod&>(d);
    form.ChbModifPanneaux->click();  // the parts only
    form.BtnOk->click();
    return form.result();
  });
  TSelPieces* partForm = nullptr;
  QPoint designationsAt, characteristicsAt;
  std::string pickButtons;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TSelPieces&>(d);
    partForm = &form;
    Activate(form);
    QTest::mouseClick(form.BitBtnDesignation, Qt::LeftButton);
    EXPECT_EQ(form.EdtDesignation->text(), QStringLiteral("Traverse"));
    QTest::mouseClick(form.BitBtnSens, Qt::LeftButton);
    QTest::mouseClick(form.BtnTerminer, Qt::LeftButton);
    return form.result();
  });
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFGestDesPieces&>(d);
    Activate(form);
    designationsAt = form.pos();
    pickButtons = std::string(form.BtnAjouter->isEnabled() ? "1" : "0") +
                  (form.BtnSupprimer->isEnabled() ? "1" : "0");
    form.EdtDesPiece->setText(QStringLiteral("Traverse"));
    form.BtnOK->click();
    return form.result();
  });
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFGestDonneesPanneaux&>(d);
    Activate(form);
    characteristicsAt = form.pos();
    ClickRow(*form.LbCaract, 0);
    form.BtnOK->click();
    return form.result();
  });
  Trigger("Modifier");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
  ASSERT_NE(partForm, nullptr);
  EXPECT_EQ(pickButtons, "00");
  EXPECT_EQ(designationsAt,
            QPoint(partForm->x() + partForm->width() / 2 - window->FGestDesPieces->width() / 2,
                   partForm->y() + 14));
  EXPECT_EQ(characteristicsAt, QPoint(partForm->x() + partForm->width() / 2 -
                                          window->FGestDonneesPanneaux->width() / 2,
                                      partForm->y() + 14));
  ASSERT_EQ(job.JobParts.size(), 1u);
  EXPECT_EQ(job.JobDesignations, Names{"Traverse"});
  EXPECT_EQ(job.JobParts[0].Grain, GrainHorizontal);
  EXPECT_EQ(job.JobParts[0].Species, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(settings.DesignationNames, (Names{"Pied", "Traverse"}));
  EXPECT_EQ(settings.DesignationsFileDirty, 1);

  // Written at exit (after the job's own save question): the next start offers it.
  prompts.answers = {PromptAnswer::No};
  Restart();
  EXPECT_EQ(settings.DesignationNames, (Names{"Pied", "Traverse"}));
}

}  // namespace
}  // namespace tranchex::test
