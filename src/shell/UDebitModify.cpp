// The Modify command: the user says what to change in the job, edits it in the chosen forms, and
// the job is laid out again. The panel form works on a copy of the stock panels that replaces
// them only when it is finished. A layout that fails puts the job back as it was before the
// command, laid out again, and says why.

#include <QCheckBox>
#include <exception>

#include "dialogs/CheckedField.h"
#include "dialogs/DialogFrame.h"
#include "dialogs/SelModif.h"
#include "dialogs/USelOptimisation.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "engine/FitChecks.h"
#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "job/PanelCharacteristics.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

// The stock panels in the panel form, on a copy; true when the form was finished and the copy
// became the job's panels. A species added, or a standard size added or deleted, in the form
// marks its file for rewriting whatever closed the form.
bool ModifyPanels(TSelPanneaux& form, JobState& job, Settings& settings, Prompts& prompts,
                  QWidget& window) {
  PanelList copy = job.JobPanels;
  form.JobKind = job.JobKind;
  form.Margins = job.JobMargins;
  form.SpeciesList = &settings.SpeciesNames;
  form.PartList = &job.JobParts;
  form.PanelList = &copy;
  form.PanelSizeList = &settings.PanelSizes;
  form.ModifyMode = 1;
  CopyUnit(settings.MeasureUnit, form.Unit);
  form.ImportPending = job.MarginsPending;
  form.ImportGrain = job.MarginsPending ? CommonPartGrain(job.JobParts) : -1;
  form.Finished = 0;
  bool finished = false;
  try {
    form.ShowPanelRecord();
    PlaceDialog(form, window, 0);
    prompts.ShowModal(form);
    finished = form.Finished == 1;
    if (finished) job.JobPanels = std::move(copy);
  } catch (const std::exception&) {
    // The copy is dropped: the job keeps its panels.
    finished = false;
  }
  if (form.SpeciesChanged) settings.SpeciesFileDirty = 1;
  if (form.PanelSizesChanged) settings.PanelSizesDirty = 1;
  form.PanelList = nullptr;
  form.PartList = nullptr;
  return finished;
}

// The parts in the part form, on copies of the three part lists; true when the form was finished
// and the copies became the job's parts, numbered by their positions. The form offers the
// characteristics of the stock panels as they now stand, after the panel step.
bool ModifyParts(TSelPieces& form, JobState& job, Settings& settings, Prompts& prompts,
                 QWidget& window) {
  BuildPanelCharacteristics(job.PanelCharacteristics, job.JobPanels, settings.SpeciesNames,
                            settings.MeasureUnit, job.JobKind,
                            LoadListTexts(RegionalDecimalSeparator()));
  PartList parts = job.JobParts;
  std::vector<std::string> designations = job.JobDesignations;
  std::vector<std::string> references = job.JobReferences;
  EngineContext engine = job.Engine;
  form.JobKind = job.JobKind;
  form.Margins = job.JobMargins;
  form.SpeciesList = &settings.SpeciesNames;
  form.PartList = &parts;
  form.PartDesignationList = &designations;
  form.PartReferenceList = &references;
  form.PanelList = &job.JobPanels;
  form.Engine = &engine;
  form.PartSizeList = &settings.PartSizes;
  form.DesignationList = &settings.DesignationNames;
  form.PanelCharacteristicList = &job.PanelCharacteristics;
  form.ModifyMode = 1;
  CopyUnit(settings.MeasureUnit, form.Unit);
  form.Finished = 0;
  bool finished = false;
  try {
    form.ShowPartRecord();
    PlaceDialog(form, window, 0);
    prompts.ShowModal(form);
    finished = form.Finished == 1;
    if (finished) {
      RenumberParts(parts, engine);
      job.JobParts = std::move(parts);
      job.JobDesignations = std::move(designations);
      job.JobReferences = std::move(references);
      job.Engine = engine;
    }
  } catch (const std::exception&) {
    finished = false;  // the copies are dropped: the job keeps its parts
  }
  // A standard size or a designation added or deleted in a picker, or a species added, is
  // written out whatever closed the form.
  if (form.PartSizesChanged) settings.PartSizesDirty = 1;
  if (form.DesignationsChanged) settings.DesignationsFileDirty = 1;
  if (form.SpeciesChanged) settings.SpeciesFileDirty = 1;
  form.PartList = nullptr;
  form.PartDesignationList = nullptr;
  form.PartReferenceList = nullptr;
  form.PanelList = nullptr;
  form.Engine = nullptr;
  form.DesignationList = nullptr;
  form.PanelCharacteristicList = nullptr;
  return finished;
}

}  // namespace

void TFDebit::ModifierClick() {
  if (!job_.JobLoaded) return;

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
  if (criteria) {
    TFOptimisation& form = *FOptimisation;
    form.OptimisationCriterion = job_.Engine.OptimisationCriterion;
    form.NewPanelChoice = job_.Engine.NewPanelChoice;
    PlaceDialog(form, *this, 14);
    prompts_.ShowModal(form);
    job_.Engine.OptimisationCriterion = form.OptimisationCriterion;
    job_.Engine.NewPanelChoice = form.NewPanelChoice;
  }

  if (panels) panels = ModifyPanels(*SelPanneaux, job_, settings_, prompts_, *this);
  if (parts) parts = ModifyParts(*SelPieces, job_, settings_, prompts_, *this);

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
                    QString::fromStdString(LoadString(TextId::Messages::MsgNewJobError)) +
                        QStringLiteral("\n") + QString::fromUtf8(e.what()),
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
