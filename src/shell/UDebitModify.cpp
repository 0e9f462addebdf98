// The Modify command: the user says what to change in the job, edits it in the chosen forms, and
// the job is laid out again. The panel and part forms work on copies that replace the job's
// lists only when they are finished. A layout that fails keeps what the user entered, not laid
// out, says why and leaves it to be modified again or saved, as a New that fails does: the job
// as it was is still in its file.

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
    // Everything entered stays, and is offered for saving before it can be replaced.
    job_.JobModified = 1;
    KeepUnplacedJob(e);
    return;
  }
  ResetBusy();
  View->update();
}

}  // namespace tranchex
