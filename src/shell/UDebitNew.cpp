// The main window's commands that replace the job: New enters one from nothing through the
// entry forms and lays it out; Delete empties it.

#include <QAction>
#include <exception>

#include "dialogs/DialogFrame.h"
#include "dialogs/USelDebit.h"
#include "job/JobState.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

// New: the save prompt, then the job on screen is replaced by an empty, untitled one that the
// forms fill (kind, criteria, stock panels, parts, margins) before it is laid out. A cancel
// before the job was emptied keeps it as it was; a cancel in the forms ends with an empty job.
void TFDebit::NouveauClick() {
  if (!SaveBeforeReplacingJob(Texts.MsgNewJobCancelled)) return;

  // From here the job on screen is gone.
  StartUntitledJob(job_);
  setWindowTitle(Texts.AppTitle);
  View->update();

  if (!EnterNewJob()) {
    CancelNewJob();
    return;
  }

  // The margins and kerf come back whatever closed their form: they cannot cancel New. Not
  // asked, there are none; thicker stock stays as the job kind form allowed it, since the parts
  // were checked against it.
  if (settings_.AskMargins) {
    MarginsStep(true);
  } else {
    job_.JobMargins.LengthMargin = 0.0;
    job_.JobMargins.WidthMargin = 0.0;
    job_.JobMargins.ThicknessMargin = 0.0;
  }

  try {
    ComputeCuttingPlan(job_, settings_, Measures, PipelineVariant::New, this);
  } catch (const std::exception& e) {
    // Everything typed stays, and is offered for saving before it can be replaced.
    job_.JobModified = 1;
    KeepUnplacedJob(e);
    return;
  }
  ResetBusy();
}

// The forms of New up to the parts; false when one was cancelled or failed.
bool TFDebit::EnterNewJob() {
  try {
    TFSelDebit& kind = *FSelDebit;
    kind.Accepted = 0;  // a form closed from its frame is no acceptance
    PlaceDialog(kind, *this, 0);
    prompts_.ShowModal(kind);
    job_.JobKind = kind.JobKind;
    job_.JobMargins = kind.Margins;
    if (kind.Accepted != 1) return false;
  } catch (const std::exception&) {
    return false;
  }
  if (settings_.AskOptimisationCriteria) CriteriaStep();
  if (!PanelFormStep(job_.JobPanels, false)) return false;
  return PartFormStep(job_.JobParts, job_.JobDesignations, job_.JobReferences, job_.Engine,
                      false);
}

// A New that was cancelled once the job had been emptied: nothing is left of it.
void TFDebit::CancelNewJob() {
  job_.JobModified = 0;
  job_.JobLoaded = 0;
  DisableJobCommands();
  ClearJobLists(job_);
  SBtnPanneauxClick();
  ResetBusy();
  prompts_.Notice(Texts.AppTitle, Texts.MsgNewJobCancelled, PromptIcon::Exclamation);
}

// Delete forgets the job on screen: its name, its path and the caption stay, and no file is
// deleted, so the job can be opened again as it was last saved.
void TFDebit::SupprimerClick() {
  if (prompts_.Ask(Texts.MsgDeleteTitle, Texts.MsgDeleteConfirm, PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes) {
    return;
  }
  ClearJobLists(job_);
  job_.JobLoaded = 0;
  job_.JobModified = 0;
  DisableJobCommands();
  View->update();
}

}  // namespace tranchex
