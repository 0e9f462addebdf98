#pragma once
// The print engine's inputs for a test job: the settings' texts and drawing context, comma
// decimals.

#include <cstdint>

#include "plan/Printing.h"

namespace tranchex {

inline PrintInputs Inputs(const JobState& job, const Settings& settings, std::int32_t view,
                          std::int32_t drawMode = 0, std::int32_t currentPage = 0) {
  return PrintInputs{.Job = job,
                     .Config = settings,
                     .ViewMode = view,
                     .PanelDrawMode = drawMode,
                     .CurrentPage = currentPage,
                     .Texts = LoadPrintTexts(),
                     .Context = PlanDrawingContext(job, settings, ',')};
}

}  // namespace tranchex
