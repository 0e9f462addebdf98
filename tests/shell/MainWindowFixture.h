#pragma once
// A main window on the offscreen platform, with its data folder in a temporary folder, scripted
// prompts and a job and settings of its own. Controls are found by objectName and driven with
// QTest clicks, as a user would.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/Texts.h"
#include "job/JobFile.h"
#include "job/JobState.h"
#include "job/Settings.h"
#include "job/SettingsFiles.h"
#include "shell/UDebit.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex::test {

inline QString LanguageText(int id) { return QString::fromStdString(LoadString(id)); }

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The commands that work on a laid-out job, menu items and tool buttons.
inline const char* const kJobActions[] = {"Enregistrer", "Enre", "Imprimer", "Exporter",
                                          "Modifier", "Recap", "Supprimer"};
inline const char* const kJobButtons[] = {"BtnEnre", "SBtnPanneaux", "SBtnPieces", "SBtnFiche",
                                          "SBtnModeAffPanneaux", "BtnImpression", "SBtnRecap"};

// A form shown by a command, made the active window so that its fields take the focus.
inline void Activate(QDialog& form) {
  QApplication::setActiveWindow(&form);
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Types a value into a form's field as a person would: all of it replaced, then Tab out, which
// runs the field's check.
inline void Enter(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Tab);
}

// Types a name into an editable box (a species) and Tabs out, which runs the box's check.
inline void EnterInBox(QComboBox* box, const QString& text) {
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), text);
  QTest::keyClick(box, Qt::Key_Tab);
}

// A job that lays out: two 2800 x 2070 mm panels, three kinds of parts.
inline JobState GoodJob() {
  return JobBuilder()
      .kind(2)
      .kerf(30)
      .panel(28000, 20700, 2)
      .part(6000, 4000, 3)
      .part(3000, 2000, 2)
      .part(12000, 5000, 1)
      .build();
}

// A job whose part fits no panel: the file reads, the layout fails.
inline JobState UnplaceableJob() {
  return JobBuilder().kind(2).panel(10000, 10000, 1).part(20000, 5000, 1).build();
}

// In the print dialog: the "print to a file (PDF)" entry, the file, and a page range when one is
// given; then OK. Chosen explicitly, whatever printers the machine has.
inline int PrintDialogToFile(QDialog& dialog, const QString& file, const QString& pages = QString()) {
  auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
  auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  EXPECT_NE(printers, nullptr);
  EXPECT_NE(fileName, nullptr);
  if (printers == nullptr || fileName == nullptr) return QDialog::Rejected;
  printers->setCurrentIndex(printers->count() - 1);  // the file entry comes after the printers
  fileName->setText(file);
  if (!pages.isEmpty()) {
    auto* range = dialog.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
    auto* rangeText = dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
    EXPECT_NE(range, nullptr);
    EXPECT_NE(rangeText, nullptr);
    if (range == nullptr || rangeText == nullptr) return QDialog::Rejected;
    range->setChecked(true);
    rangeText->setText(pages);
  }
  dialog.accept();
  return QDialog::Accepted;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("TRANCHEX_HOME", dir.path().c_str(), 1);
    settings = TestSettings();
  }

  void TearDown() override {
    window.reset();
    ::unsetenv("TRANCHEX_HOME");
    // No test may leave a wait cursor behind.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  }

  QString Folder() const { return QString::fromStdString(dir.path().string()); }
  std::filesystem::path JobDir() const { return dir.path() / "Mesdebits"; }

  TFDebit& Start(std::optional<QString> commandLine = std::nullopt) {
    window = std::make_unique<TFDebit>(prompts, settings, job, Folder(), commandLine);
    window->Updates = updates;
    window->show();
    // The rest of start-up follows the first showing as the program's next event.
    FinishStartUp();
    return *window;
  }

  // Runs the program's events until start-up has ended: the window's first paint, then the
  // update check and the command-line job (without a paint it goes on after a short wait).
  void FinishStartUp() {
    while (!window->StartedUp()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  // Writes the job as a job file in the job folder; returns its path.
  QString WriteJob(const std::string& name, const JobState& content) {
    std::filesystem::create_directories(JobDir());
    const std::filesystem::path path = JobDir() / name;
    SaveJobFile(content, path);
    return QString::fromStdString(path.string());
  }

  // The species file as it is on disk now (an empty list for a missing file).
  std::vector<std::string> SpeciesOnDisk() const {
    Settings read;
    LoadSpeciesFile(dir.path(), read);
    return read.SpeciesNames;
  }

  // Opens a job file through the Open command and its dialog.
  void OpenByDialog(const QString& path) {
    prompts.files.push_back(path);
    Click("BtnOuvrir");
  }

  template <class T>
  T* Find(const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QToolButton* Button(const char* name) { return Find<QToolButton>(name); }
  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
  void Trigger(const char* name) { Find<QAction>(name)->trigger(); }
  QString Counter() { return Find<QLineEdit>("EdtQuantieme")->text(); }

  // Enabled states of BtnPremier, BtnPrecedant, EdtQuantieme, BtnSuivant, BtnDernier as
  // "1" / "0" characters.
  std::string NavigationState() {
    std::string s;
    for (const char* name : {"BtnPremier", "BtnPrecedant", "BtnSuivant", "BtnDernier"}) {
      s += Button(name)->isEnabled() ? '1' : '0';
      if (std::string(name) == "BtnPrecedant") {
        s += Find<QLineEdit>("EdtQuantieme")->isEnabled() ? '1' : '0';
      }
    }
    return s;
  }

  // The recent-job items of the Fichier menu: after Quitter, separators left out.
  QStringList RecentItems() {
    QStringList out;
    bool after = false;
    for (QAction* a : window->Fichier->actions()) {
      if (a == window->Quitter) {
        after = true;
      } else if (after && !a->isSeparator()) {
        out << a->text();
      }
    }
    return out;
  }
  int SeparatorsAfterQuitter() {
    int n = 0;
    bool after = false;
    for (QAction* a : window->Fichier->actions()) {
      if (a == window->Quitter) after = true;
      if (after && a->isSeparator()) ++n;
    }
    return n;
  }

  TempDir dir;
  ScriptedPrompts prompts;
  Settings settings;
  JobState job;
  std::unique_ptr<TFDebit> window;
  // The update check the window gets at its start; none by default, so no window test reaches
  // a server.
  UpdateCheck* updates = nullptr;
};

}  // namespace tranchex::test
