// The Modify command: the user says what to change in the job, edits it in the chosen forms, and
// the job is laid out again. The panel and part forms work on copies that replace the job's
// lists only when they are finished. A layout that fails puts the job back as it was before the
// command, laid out again, and says why.

#include <QCheckBox>
#include <exception>

#include "dialogs/DialogFrame.h"
#include "dialogs/SelModif.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

void TFDebit::ModifierClick() {
  // A job that could not be laid out is modified too: that is how its entries are corrected.
  if (!JobHasEntries()) return;

  TFSelMod& choice = *FSelMod;
  choice.MarginsPending = job_.MarginsPending;
  // The margins and criteria boxes follow the options that ask for them.
  choice.ChbModifPieces->setEnabled(true);
  choice.ChbModifMarge->setEnabled(settings_.AskMargins != 0);
  choice.ChkBoxCriteresOptimisation->setEnabled(settings_.AskOptimisationCriteria != 0);
  PlaceDialog(choice, *this, 14);
  prompts_.ShowModal(choice);
  bool panels = choice.ModifyPanels == 1;
  bool parts = choice.ModifyParts == 1;
  bool margins = choice.ModifyMargins == 1 && settings_.AskMargins != 0;
  const bool criteria =
      choice.ModifyCriteria == 1 && settings_.AskOptimisationCriteria != 0;

  // What the job was, to put it back when the new layout fails.
  const JobState before = job_;

  // The criteria come back however their form was closed: it has no cancel.
  if (criteria) CriteriaStep();

  // The forms work on copies that replace the job's lists only when the form is finished.
  if (panels) {
    PanelList copy = job_.JobPanels;
    panels = PanelFormStep(copy, true);
    if (panels) job_.JobPanels = std::move(copy);
  }
  if (parts) {
    PartList copy = job_.JobParts;
    std::vector<std::string> designations = job_.JobDesignations;
    std::vector<std::string> references = job_.JobReferences;
    EngineContext engine = job_.Engine;
    parts = PartFormStep(copy, designations, references, engine, true);
    if (parts) {
      job_.JobParts = std::move(copy);
      job_.JobDesignations = std::move(designations);
      job_.JobReferences = std::move(references);
      job_.Engine = engine;
    }
  }

  // The margins and kerf come back whatever closed their form; an import that leaves them
  // unanswered cuts without length and width margins.
  if (margins) margins = MarginsStep(false);
  if (!margins) SkipMarginsStep();
  if (!panels && !parts && !margins && !criteria && !job_.MarginsPending) return;

  try {
    ComputeCuttingPlan(job_, settings_, Measures, PipelineVariant::Modify, this);
  } catch (const std::exception& e) {
    ResetBusy();
    prompts_.Notice(Texts.AppTitle,
                    Texts.MsgNewJobError + QStringLiteral("\n") + QString::fromUtf8(e.what()),
                    PromptIcon::Exclamation);
    // The job as it was, laid out again (the same layout as before the command).
    job_ = before;
    try {
      ComputeCuttingPlan(job_, settings_, Measures, PipelineVariant::Modify, this);
    } catch (const std::exception&) {
      job_ = before;
    }
    job_.JobLoaded = before.JobLoaded;
    job_.JobModified = before.JobModified;
    job_.JobUntitled = before.JobUntitled;
  }
  ResetBusy();
  View->update();
}

}  // namespace tranchex
