#include "job/JobState.h"

namespace tranchex {

void ClearDerivedLists(JobState& job) {
  job.SummaryLines.clear();
  job.Offcuts.clear();
  job.PanelPages.clear();
  job.CuttingSheetPages.clear();
}

void ClearJobLists(JobState& job) {
  job.JobPanels.clear();
  job.JobParts.clear();
  job.JobDesignations.clear();
  job.JobReferences.clear();
  FreePartGroups(job.PartGroups);
  job.ResultPanels.clear();
  job.Engine.PartCounts.clear();
  job.Engine.PartCounter = 0;  // the next part entered is numbered 0, its position
  ClearDerivedLists(job);
}

void StartUntitledJob(JobState& job) {
  ClearJobLists(job);
  job.MarginsAllZero = 0;
  job.MarginsPending = 0;
  job.JobName = kNewJobName;
  job.JobPath.clear();
  job.JobUntitled = 1;
  job.JobLoaded = 0;
}

}  // namespace tranchex
