// The entry steps New and Modify share: the optimisation criteria, the stock panels and the
// parts, each in its form created once with the window.

#include <exception>

#include "dialogs/CheckedField.h"
#include "dialogs/DialogFrame.h"
#include "dialogs/USelOptimisation.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "engine/FitChecks.h"
#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "job/PanelCharacteristics.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

void TFDebit::CriteriaStep() {
  TFOptimisation& form = *FOptimisation;
  form.OptimisationCriterion = job_.Engine.OptimisationCriterion;
  form.NewPanelChoice = job_.Engine.NewPanelChoice;
  PlaceDialog(form, *this, 14);
  prompts_.ShowModal(form);
  job_.Engine.OptimisationCriterion = form.OptimisationCriterion;
  job_.Engine.NewPanelChoice = form.NewPanelChoice;
}

bool TFDebit::PanelFormStep(PanelList& panels, bool modifying) {
  // The panels edited follow the job's places past the species list, as the job does.
  speciesCopies_ = SpeciesRecordCopies{{&panels}, {}};
  TakeInSpeciesList();
  TSelPanneaux& form = *SelPanneaux;
  form.JobKind = job_.JobKind;
  form.Margins = job_.JobMargins;
  form.SpeciesList = &settings_.SpeciesNames;
  form.AddSpecies = [this](const std::string& name) { return AddTypedSpecies(name); };
  form.PartList = &job_.JobParts;
  form.PanelList = &panels;
  form.PanelSizeList = &settings_.PanelSizes;
  form.ModifyMode = modifying ? 1 : 0;
  CopyUnit(settings_.MeasureUnit, form.Unit);
  // Only the modification that ends an import proposes the grain its parts share.
  const bool importPending = modifying && job_.MarginsPending;
  form.ImportPending = importPending ? 1 : 0;
  form.ImportGrain = importPending ? CommonPartGrain(job_.JobParts) : -1;
  form.Finished = 0;
  bool finished = false;
  try {
    form.ShowPanelRecord();
    PlaceDialog(form, *this, 0);
    prompts_.ShowModal(form);
    finished = form.Finished == 1;
  } catch (const std::exception&) {
    finished = false;
  }
  if (form.PanelSizesChanged) settings_.PanelSizesDirty = 1;
  form.PanelList = nullptr;
  form.PartList = nullptr;
  form.AddSpecies = nullptr;
  speciesCopies_ = {};
  return finished;
}

bool TFDebit::PartFormStep(PartList& parts, std::vector<std::string>& designations,
                           std::vector<std::string>& references, EngineContext& engine,
                           bool modifying) {
  // The parts edited follow the job's places past the species list, as the job does.
  speciesCopies_ = SpeciesRecordCopies{{}, {&parts}};
  TakeInSpeciesList();
  BuildPanelCharacteristics(job_.PanelCharacteristics, job_.JobPanels, settings_.SpeciesNames,
                            settings_.MeasureUnit, job_.JobKind,
                            LoadListTexts(RegionalDecimalSeparator()));
  TSelPieces& form = *SelPieces;
  form.JobKind = job_.JobKind;
  form.Margins = job_.JobMargins;
  form.SpeciesList = &settings_.SpeciesNames;
  form.AddSpecies = [this](const std::string& name) { return AddTypedSpecies(name); };
  form.PartList = &parts;
  form.PartDesignationList = &designations;
  form.PartReferenceList = &references;
  form.PanelList = &job_.JobPanels;
  form.Engine = &engine;
  form.PartSizeList = &settings_.PartSizes;
  form.DesignationList = &settings_.DesignationNames;
  form.PanelCharacteristicList = &job_.PanelCharacteristics;
  form.ModifyMode = modifying ? 1 : 0;
  CopyUnit(settings_.MeasureUnit, form.Unit);
  form.Finished = 0;
  bool finished = false;
  try {
    form.ShowPartRecord();
    PlaceDialog(form, *this, 0);
    prompts_.ShowModal(form);
    finished = form.Finished == 1;
    // The cutting engine counts the copies of part k at entry k.
    if (finished) RenumberParts(parts, engine);
  } catch (const std::exception&) {
    finished = false;
  }
  // A standard size or a designation added or deleted in a picker is written out whatever
  // closed the form.
  if (form.PartSizesChanged) settings_.PartSizesDirty = 1;
  if (form.DesignationsChanged) settings_.DesignationsFileDirty = 1;
  form.AddSpecies = nullptr;
  speciesCopies_ = {};
  form.PartList = nullptr;
  form.PartDesignationList = nullptr;
  form.PartReferenceList = nullptr;
  form.PanelList = nullptr;
  form.Engine = nullptr;
  form.DesignationList = nullptr;
  form.PanelCharacteristicList = nullptr;
  return finished;
}

}  // namespace tranchex
