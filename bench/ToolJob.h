#pragma once
// What the command-line tools share: a job file read and laid out as "Ouvrir" does, with the
// failure told on standard error and turned into the tools' exit status.

#include <filesystem>
#include <functional>
#include <iostream>

#include "job/CuttingPipeline.h"
#include "job/JobFile.h"

namespace tranchex {

inline constexpr int kExitUnreadableJob = 2;
inline constexpr int kExitRefusedJob = 3;

// Reads the job file into `job` and lays it out; `adjust` may change the job between the two.
// Returns 0, kExitUnreadableJob or kExitRefusedJob, having written one line on standard error.
inline int OpenJobForTool(const char* tool, const std::filesystem::path& file, JobState& job,
                          const Settings& settings, const DrawingMeasures& measures,
                          const std::function<void(JobState&)>& adjust = {}) {
  try {
    LoadJobFile(job, file);
  } catch (const std::exception& e) {
    std::cerr << tool << ": " << file.string() << ": " << e.what() << '\n';
    return kExitUnreadableJob;
  }
  job.JobPath = file.string();
  job.JobName = file.filename().string();
  if (adjust) adjust(job);
  try {
    ComputeCuttingPlan(job, settings, measures, PipelineVariant::Open);
  } catch (const std::exception& e) {
    std::cerr << tool << ": " << e.what() << '\n';
    return kExitRefusedJob;
  }
  return 0;
}

}  // namespace tranchex
