#include "job/CuttingPipeline.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "engine/Driver.h"
#include "job/CutLineOrder.h"
#include "job/DrawScales.h"
#include "job/ListTexts.h"
#include "job/PanelCharacteristics.h"

namespace tranchex {
namespace {

constexpr const char* kOutOfMemory = "Mémoire insuffisante pour calculer le débit";

// The hourglass pointer for as long as the layout runs, restored on every way out.
class BusyPointer {
 public:
  BusyPointer(PipelineWindow* window, bool show) : window_(show ? window : nullptr) {
    if (window_) window_->SetBusy(true);
  }
  ~BusyPointer() {
    if (window_) window_->SetBusy(false);
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  PipelineWindow* window_;
};

// The part no stock panel can take, as the user entered it: its position from 1, its
// designation, and its sizes, species and grain in the current unit.
std::string UnplaceablePartMessage(const TPiece& part, const JobState& job,
                                   const Settings& settings, char decimalSeparator) {
  const std::size_t index = static_cast<std::size_t>(part.Number);
  std::string text = "Aucun panneau ne peut recevoir la pièce n° " + std::to_string(part.Number + 1);
  if (part.Number >= 0 && index < job.JobDesignations.size()) {
    text += " « " + job.JobDesignations[index] + " »";
  }
  text += " : " + PanelCharacteristicLabel(part, settings.SpeciesNames, settings.MeasureUnit,
                                           job.JobKind, LoadListTexts(decimalSeparator));
  text += " (" + settings.MeasureUnit.Abbreviation + ")";
  return text;
}

}  // namespace

void ValidateJobForCutting(const JobState& job) {
  if (const auto fault = CheckJobRecords(job)) throw CuttingPlanError(fault->message);
}

void ComputeViewScales(JobState& job, const DrawingMeasures& measures) {
  job.PanelViewScale =
      job.ResultPanels.empty()
          ? 0.0
          : ComputePanelDrawScale(measures.AreaHeight, measures.AreaWidth,
                                  measures.PanelViewMargin, job.ResultPanels);
  job.PartViewScale =
      job.JobParts.empty()
          ? 0.0
          : ComputePartDrawScale(measures.AreaHeight, measures.AreaWidth, measures.PartViewMargin,
                                 job.JobParts);
}

void ComputeCuttingPlan(JobState& job, const Settings& settings, const DrawingMeasures& measures,
                        PipelineVariant variant, PipelineWindow* window) {
  ValidateJobForCutting(job);

  // The working panels, the part numbers and counts, the groups, all sorted for the optimiser.
  try {
    SeedAndGroup(job.JobPanels, job.JobParts, job.JobKind, job.Engine, job.ResultPanels,
                 job.PartGroups);
  } catch (const std::bad_alloc&) {
    ClearDerivedLists(job);
    job.JobLoaded = 0;
    throw CuttingPlanError(kOutOfMemory);
  }

  job.MarginsAllZero = PartsAllWidthThickness100(job.JobParts) &&
                               PanelsAllWidthThickness100(job.ResultPanels) &&
                               job.JobMargins.WidthMargin == 0.0 &&
                               job.JobMargins.ThicknessMargin == 0.0
                           ? 1
                           : 0;

  // The command-line open runs before the window is shown: no pointer change.
  BusyPointer pointer(window, variant != PipelineVariant::CommandLineOpen);
  try {
    RunCuttingOptimisation(job.PartGroups, job.ResultPanels, job.JobPanels, job.JobMargins,
                           job.JobKerf, job.Engine);
    // A stock copy that received no part is stock left whole, not a result: it is no plan, no
    // page, no summary panel, no offcut and no exported panel. Everything below, and every
    // view, printout and export, reads ResultPanels. The stock list itself is unchanged. The
    // order is stable, so the copies left out first need no sorting.
    std::erase_if(job.ResultPanels,
                  [](const Panneau_p& panel) { return panel.PlacedParts.empty(); });
    PutPanelsInEntryOrder(job.ResultPanels);

    // The builders leave their lists alone when there is no panel at all (a job without a part
    // to place): nothing of an earlier layout may stay.
    ClearDerivedLists(job);
    OrderCutLines(job.ResultPanels);
    RebuildSummaryLists(job, settings, measures.DecimalSeparator);
    BuildPanelDisplayList(job.PanelPages, job.ResultPanels, measures.DecimalSeparator);
    PaginateRows(job.JobParts, job.CuttingSheetPages,
                 std::max<std::uint32_t>(1, measures.SheetRowsPerPage));
  } catch (const std::exception& e) {
    // What was laid out so far stays in ResultPanels; nothing is drawn from it.
    ClearDerivedLists(job);
    job.JobLoaded = 0;
    if (dynamic_cast<const std::bad_alloc*>(&e)) {
      throw CuttingPlanError(kOutOfMemory);
    }
    if (const auto* unplaceable = dynamic_cast<const NoPanelFitsError*>(&e)) {
      throw CuttingPlanError(UnplaceablePartMessage(unplaceable->part(), job, settings,
                                                    measures.DecimalSeparator));
    }
    throw CuttingPlanError(e.what());
  }

  job.JobLoaded = 1;
  switch (variant) {
    case PipelineVariant::New:
      job.JobUntitled = 1;
      job.JobModified = 1;
      break;
    case PipelineVariant::Modify:
      job.JobModified = 1;
      break;
    case PipelineVariant::Open:
    case PipelineVariant::CommandLineOpen:
      job.JobUntitled = 0;
      job.JobModified = 0;
      break;
  }
  // Every variant takes its scales from the finished layout, so a panel the engine added from
  // a stock entry of quantity 0 is measured too.
  ComputeViewScales(job, measures);
  if (window) window->PipelineFinished(variant);
}

}  // namespace tranchex
