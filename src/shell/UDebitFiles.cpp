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
      // A job that could not be laid out before has only its entry commands: now all of them.
      EnableJobCommands();
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

// ---- The save prompt ------------------------------------------------------------------------

TFDebit::SavePromptOutcome TFDebit::OfferToSaveJob(SavePromptUse use) {
  const bool closing = use == SavePromptUse::CloseWindow;
  saveDeclined_ = false;
  if (job_.JobModified) {
    const PromptAnswer answer = prompts_.Ask(
        Texts.AppTitle, SaveChangesQuestion(),
        closing ? PromptButtons::YesNo : PromptButtons::YesNoCancel);
    // A question left with Escape is no answer: the job stays as it is.
    if (answer == PromptAnswer::Cancel) return SavePromptOutcome::Cancelled;
    if (answer == PromptAnswer::No) {
      saveDeclined_ = true;
      job_.JobModified = 0;
      prompts_.Notice(Texts.AppTitle, Texts.MsgNotSaved, PromptIcon::Exclamation);
    }
  }
  if (!job_.JobModified) return SavePromptOutcome::GoOn;

  QString path = QString::fromStdString(job_.JobPath);
  const bool untitled = job_.JobUntitled != 0;
  if (untitled) {
    const std::optional<QString> chosen = AskSavePath();
    if (!chosen) return SavePromptOutcome::Cancelled;
    path = *chosen;
  }
  // A job that could not be saved is kept, still modified: the command does not go on over it.
  if (!SaveJobTo(path, !closing)) return SavePromptOutcome::SaveFailed;
  if (untitled) {
    job_.JobPath = path.toStdString();
    job_.JobUntitled = 0;
    // The window that closes leaves the job under its new name in the recent jobs.
    if (closing) {
      job_.JobName = ExtractFileNamePart(job_.JobPath);
      AddRecent(path, QString::fromStdString(job_.JobName));
    }
  }
  job_.JobModified = 0;
  return SavePromptOutcome::GoOn;
}

bool TFDebit::SaveBeforeReplacingJob(const QString& cancelledMessage,
                                     const QString& cancelledCaption, PromptIcon cancelledIcon) {
  switch (OfferToSaveJob(SavePromptUse::ReplaceJob)) {
    case SavePromptOutcome::GoOn:
      return true;
    case SavePromptOutcome::Cancelled:
      ResetBusy();
      prompts_.Notice(cancelledCaption.isEmpty() ? Texts.AppTitle : cancelledCaption,
                      cancelledMessage, cancelledIcon);
      return false;
    case SavePromptOutcome::SaveFailed:
      break;  // already reported
  }
  return false;
}

// ---- Open -----------------------------------------------------------------------------------

void TFDebit::OuvrirClick() { OpenJob(std::nullopt); }

void TFDebit::OpenJob(std::optional<int> recentIndex) {
  if (!SaveBeforeReplacingJob(Texts.MsgOpenCancelled)) return;

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

  ReadAndLayOutJob(QString::fromStdString(path), PipelineVariant::Open);
}

void TFDebit::CommandLineOpen() {
  job_.JobPath = CommandLineJob->toStdString();
  job_.JobName = ExtractFileNamePart(job_.JobPath);
  ReadAndLayOutJob(*CommandLineJob, PipelineVariant::CommandLineOpen);
}

void TFDebit::ReadAndLayOutJob(const QString& path, PipelineVariant variant) {
  const bool commandLine = variant == PipelineVariant::CommandLineOpen;
  // A job saved by another copy names the species that copy added: they are in the species
  // file before the job is, so the list takes them in first. The job on screen is replaced
  // (or emptied when the file is refused): its places need not follow.
  TakeInSpeciesFile(ProgramFolder.toStdString(), settings_);
  try {
    LoadJobFile(job_, ToPath(path));
  } catch (const std::exception& e) {
    FailOpen(commandLine, QString::fromUtf8(e.what()));
    return;
  } catch (...) {
    FailOpen(commandLine, QString());
    return;
  }
  try {
    ComputeCuttingPlan(job_, settings_, Measures, variant, this);
  } catch (const std::exception& e) {
    // The file was read: the job is the file's, named after it, and stays to be corrected.
    job_.JobUntitled = 0;
    job_.JobModified = 0;
    SetJobCaption();
    KeepUnplacedJob(e);
    return;
  }
  ResetBusy();
}

// A job file that could not be read: nothing of it is shown or kept, and the message says why
// (a count over its bound, a file cut short, a file that cannot be opened).
void TFDebit::FailOpen(bool commandLine, const QString& reason) {
  ResetBusy();
  ClearJobLists(job_);
  job_.JobLoaded = 0;
  DisableJobCommands();
  prompts_.Notice(Texts.AppTitle,
                  reason.isEmpty() ? Texts.MsgOpenError
                                   : Texts.MsgOpenError + QStringLiteral("\n") + reason,
                  PromptIcon::Exclamation);
  if (!commandLine) SBtnPanneauxClick();
  View->update();
}

void TFDebit::KeepUnplacedJob(const std::exception& reason) {
  ShowUnplacedJob();
  prompts_.Notice(Texts.AppTitle,
                  Texts.MsgNewJobError + QStringLiteral("\n") + QString::fromUtf8(reason.what()),
                  PromptIcon::Exclamation);
}

void TFDebit::ShowUnplacedJob() {
  ResetBusy();
  job_.JobLoaded = 0;
  DisableJobCommands();
  for (QObject* c : std::initializer_list<QObject*>{Enregistrer, Enre, BtnEnre, Modifier,
                                                    Supprimer}) {
    SetCommandEnabled(c, true);
  }
  SBtnPanneauxClick();
  View->update();
}

bool TFDebit::JobHasEntries() const {
  return job_.JobLoaded != 0 || !job_.JobPanels.empty() || !job_.JobParts.empty();
}

}  // namespace tranchex
