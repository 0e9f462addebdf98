// The main window's file commands: open (by the dialog, a recent-jobs item or the command
// line), save, save as, the recent-jobs menu, and the window side of the cutting pipeline.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QToolButton>

#include "job/JobFile.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "job/RecentJobs.h"
#include "job/SettingsFiles.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

const QString kJobFilter = QStringLiteral("Fichiers Débits (*.deb)");
const QString kJobSuffix = QStringLiteral("deb");

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

}  // namespace

QString TFDebit::JobFolderPath() const {
  const QString folder =
      QString::fromStdString(tranchex::JobFolderPath(ToPath(ProgramFolder)).string());
  QDir().mkpath(folder);
  return folder;
}

QString TFDebit::SaveChangesQuestion() const {
  return Texts.MsgSaveChanges + QStringLiteral(" '") + QString::fromStdString(job_.JobName) +
         QStringLiteral("' ?");
}

void TFDebit::SetJobCaption() {
  setWindowTitle(Texts.AppTitle + QStringLiteral(" - ") + QString::fromStdString(job_.JobName));
}

// ---- Busy pointer ---------------------------------------------------------------------------

void TFDebit::SetBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

// Back to the default pointer, however many waits were started.
void TFDebit::ResetBusy() {
  while (busyDepth_ > 0) SetBusy(false);
}

// ---- The pipeline's window side -------------------------------------------------------------

void TFDebit::PipelineFinished(PipelineVariant variant) {
  switch (variant) {
    case PipelineVariant::New:
      EnableJobCommands();
      SBtnPanneauxClick();
      break;
    case PipelineVariant::Modify:
      PressViewButton(SBtnPanneaux);
      SBtnPanneauxClick();
      break;
    case PipelineVariant::Open:
      SetJobCaption();
      EnableJobCommands();
      SBtnPanneauxClick();
      break;
    case PipelineVariant::CommandLineOpen:
      SetJobCaption();
      EnableJobCommands();
      SBtnPanneauxClick();
      EnableJobCommands();
      break;
  }
  View->update();
}

// ---- Save -----------------------------------------------------------------------------------

// Writes the job; a failure is reported and nothing is marked saved.
bool TFDebit::SaveJobTo(const QString& path, bool tagged) {
  try {
    SaveJobFile(job_, ToPath(path), tagged ? JobFileForm::Tagged : JobFileForm::Untagged);
    return true;
  } catch (const std::exception& e) {
    ResetBusy();
    prompts_.Notice(Texts.AppTitle,
                    Texts.MsgNotSaved + QStringLiteral("\n") + path + QStringLiteral("\n") +
                        QString::fromUtf8(e.what()),
                    PromptIcon::Warning);
    return false;
  }
}

// The save dialog: it starts in the job folder, with the name last chosen.
std::optional<QString> TFDebit::AskSavePath() {
  const QString folder = JobFolderPath();
  std::optional<QString> chosen =
      prompts_.SaveFile(Enre->text().remove(QLatin1Char('&')), folder, lastSaveName_, kJobFilter,
                        kJobSuffix);
  if (chosen) {
    lastSaveName_ = QString::fromStdString(ExtractFileNamePart(chosen->toStdString()));
  }
  return chosen;
}

void TFDebit::SaveCommand(bool askName) {
  QString path = QString::fromStdString(job_.JobPath);
  if (askName) {
    const std::optional<QString> chosen = AskSavePath();
    if (!chosen) return;  // cancelled: nothing happens
    path = *chosen;
  }
  if (!SaveJobTo(path, true)) return;  // the job keeps its name and stays modified
  if (askName) {
    job_.JobPath = path.toStdString();
    job_.JobName = ExtractFileNamePart(job_.JobPath);
    AddRecent(path, QString::fromStdString(job_.JobName));
    job_.JobUntitled = 0;
  }
  SetJobCaption();
  job_.JobModified = 0;
}

void TFDebit::EnregistrerClick() { SaveCommand(job_.JobUntitled != 0); }

void TFDebit::EnreClick() { SaveCommand(true); }

// ---- Recent jobs ----------------------------------------------------------------------------

void TFDebit::AddRecent(const QString& path, const QString& name) {
  const RecentJobList before = settings_.RecentJobs;
  AddRecentJob(path.toStdString(), name.toStdString(), settings_.RecentJobs);
  // The menu follows the list, so an item always opens the job it names.
  if (settings_.RecentJobs != before) RebuildRecentMenu();
}

void TFDebit::RebuildRecentMenu() {
  for (QAction*& item : RecentMenuItems) {
    if (item) {
      Fichier->removeAction(item);
      delete item;
      item = nullptr;
    }
  }
  if (recentSeparator_) {
    Fichier->removeAction(recentSeparator_);
    delete recentSeparator_;
    recentSeparator_ = nullptr;
  }
  // Nothing when the first entry is free, even if later ones are taken.
  if (settings_.RecentJobs[0].Name.empty()) return;
  recentSeparator_ = Fichier->addSeparator();
  for (std::size_t i = 0; i < kRecentJobCount; ++i) {
    const DEBITS_RECENTS& entry = settings_.RecentJobs[i];
    if (entry.Name.empty()) continue;
    auto* item = new QAction(QString::fromStdString(entry.Name), this);
    item->setObjectName(QStringLiteral("RecentJob%1").arg(i));
    item->setToolTip(QString::fromStdString(entry.Path));
    const int index = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, index] { OpenRecentJob(index); });
    Fichier->addAction(item);
    RecentMenuItems[i] = item;
  }
}

void TFDebit::OpenRecentJob(int index) {
  if (index < 0 || index >= static_cast<int>(kRecentJobCount)) {
    OpenJob(std::nullopt);
    return;
  }
  OpenJob(index);
}

// ---- Open -----------------------------------------------------------------------------------

void TFDebit::OuvrirClick() { OpenJob(std::nullopt); }

void TFDebit::OpenJob(std::optional<int> recentIndex) {
  if (job_.JobModified) {
    const PromptAnswer answer =
        prompts_.Ask(Texts.AppTitle, SaveChangesQuestion(), PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::Cancel) {
      ResetBusy();
      prompts_.Notice(Texts.AppTitle, Texts.MsgOpenCancelled, PromptIcon::Exclamation);
      return;
    }
    if (answer == PromptAnswer::No) {
      job_.JobModified = 0;
      prompts_.Notice(Texts.AppTitle, Texts.MsgNotSaved, PromptIcon::Exclamation);
    }
  }
  if (job_.JobModified) {
    QString path = QString::fromStdString(job_.JobPath);
    if (job_.JobUntitled) {
      const std::optional<QString> chosen = AskSavePath();
      if (!chosen) {
        ResetBusy();
        prompts_.Notice(Texts.AppTitle, Texts.MsgOpenCancelled, PromptIcon::Exclamation);
        return;
      }
      path = *chosen;
    }
    // A job that could not be saved is kept: the open does not go on over it.
    if (!SaveJobTo(path, true)) return;
    if (job_.JobUntitled) {
      job_.JobPath = path.toStdString();
      job_.JobUntitled = 0;
    }
    job_.JobModified = 0;
  }

  std::string path;
  std::string name;
  if (recentIndex) {
    const DEBITS_RECENTS& entry = settings_.RecentJobs[static_cast<std::size_t>(*recentIndex)];
    path = entry.Path;
    name = entry.Name;
  } else {
    const std::optional<QString> chosen =
        prompts_.OpenFile(Ouvrir->text().remove(QLatin1Char('&')), JobFolderPath(), kJobFilter,
                          kJobSuffix);
    if (!chosen) return;  // the job stays as it is
    path = chosen->toStdString();
    name = ExtractFileNamePart(path);
  }
  job_.JobPath = path;
  job_.JobName = name;
  // Only now is another job read: until here a cancel leaves the job on screen as it was.
  job_.MarginsAllZero = 0;

  try {
    LoadJobFile(job_, ToPath(QString::fromStdString(path)));
    ComputeCuttingPlan(job_, settings_, Measures, PipelineVariant::Open, this);
  } catch (...) {
    FailOpen(false);
    return;
  }
  ResetBusy();
}

void TFDebit::CommandLineOpen() {
  job_.JobPath = CommandLineJob->toStdString();
  job_.JobName = ExtractFileNamePart(job_.JobPath);
  try {
    LoadJobFile(job_, ToPath(*CommandLineJob));
    ComputeCuttingPlan(job_, settings_, Measures, PipelineVariant::CommandLineOpen, this);
  } catch (...) {
    FailOpen(true);
  }
  ResetBusy();
}

// A job that could not be read or laid out: nothing of it is shown or kept.
void TFDebit::FailOpen(bool commandLine) {
  ResetBusy();
  ClearJobLists(job_);
  job_.JobLoaded = 0;
  DisableJobCommands();
  prompts_.Notice(Texts.AppTitle, Texts.MsgOpenError, PromptIcon::Exclamation);
  if (!commandLine) SBtnPanneauxClick();
  View->update();
}

}  // namespace tranchex
