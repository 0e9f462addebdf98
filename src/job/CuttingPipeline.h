#pragma once
// The cutting pipeline: turns the job as entered into laid-out panels and everything the views,
// printouts and reports read. Runs after New, Modify (and the import), Open and the open of a
// job named on the command line.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "job/JobRecordChecks.h"
#include "job/JobState.h"
#include "job/Settings.h"

namespace tranchex {

enum class PipelineVariant { New, Modify, Open, CommandLineOpen };

// What the main window keeps of its drawing area, for the view scales and the cutting-sheet
// pages (tenths of a millimetre, or rows).
struct DrawingMeasures {
  std::int32_t AreaHeight = 0;       // extent available to the panels' width
  std::int32_t AreaWidth = 0;        // extent available to their length
  std::int32_t PanelViewMargin = 0;  // heading margin of the panels view
  std::int32_t PartViewMargin = 0;   // heading margin of the parts view
  std::uint32_t SheetRowsPerPage = 1;
  char DecimalSeparator = ',';
};

// What the pipeline asks of the main window when it ends; the window side implements it.
class PipelineWindow {
 public:
  virtual ~PipelineWindow() = default;
  virtual void SetBusy(bool busy) = 0;             // the hourglass pointer
  virtual void PipelineFinished(PipelineVariant variant) = 0;  // commands, caption, panels view
};

// The job cannot be laid out: a record the engine must not be given, or a part no stock panel
// can take. The command that ran the pipeline shows its own message (text 103 for New, 126 for
// Open); what() tells what was wrong, in French.
class CuttingPlanError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws CuttingPlanError when the job breaks a rule of CheckJobRecords (JobRecordChecks.h):
// the records the engine is given, and everything a job file must hold, so that a job laid out
// can always be saved and opened again.
void ValidateJobForCutting(const JobState& job);

// Runs the pipeline. Afterwards ResultPanels holds the panels that received parts, in stock entry
// order: a stock copy left whole is no result. On a refusal nothing in the job changes. When the engine fails the layout
// made so far stays in ResultPanels (JobLoaded stays 0) and the derived lists are emptied; the
// busy pointer is always restored. Throws CuttingPlanError in both cases.
void ComputeCuttingPlan(JobState& job, const Settings& settings, const DrawingMeasures& measures,
                        PipelineVariant variant, PipelineWindow* window = nullptr);

// The two view scales from the drawing measures; a view with nothing to draw keeps 0.
void ComputeViewScales(JobState& job, const DrawingMeasures& measures);

}  // namespace tranchex
