#pragma once
// The one job the program works on: what the user entered, the laid-out result, the lists
// derived from it for the views, and the job's parameters and life-cycle flags.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "job/PageLists.h"
#include "job/PanelCharacteristics.h"
#include "job/ResultLists.h"

namespace tranchex {

struct JobState {
  // ---- Entered lists -------------------------------------------------------------------------
  PanelList JobPanels;  // stock panels in entry order, each with its quantity and entry index
  PartList JobParts;    // parts in entry order; a part's number is its position
  // One designation and one reference (at most 3 characters) per entry of JobParts.
  std::vector<std::string> JobDesignations;
  std::vector<std::string> JobReferences;

  // ---- The layout ----------------------------------------------------------------------------
  PartGroupList PartGroups;  // the parts to place, one list per material
  PanelList ResultPanels;    // the laid-out panels, in stock entry order
  // Criterion, new-panel choice, part counter, part counts (one per JobParts entry after a run).
  EngineContext Engine;

  // ---- Derived lists -------------------------------------------------------------------------
  SummaryLineList SummaryLines;
  OffcutList Offcuts;
  PanelPageList PanelPages;
  PageList CuttingSheetPages;
  CharacteristicList PanelCharacteristics;

  // ---- Parameters ----------------------------------------------------------------------------
  std::int32_t JobKind = 0;  // 1 simple job (one group), 2 complex job (groups by material)
  std::int32_t JobKerf = 0;  // saw kerf, tenths of a millimetre
  MarginsBlock JobMargins;
  // A job of bars: every part and working panel 100.0 wide and thick, width and thickness
  // margins 0.0; its vertical distances are drawn five times larger.
  std::uint8_t MarginsAllZero = 0;
  std::string JobPath;  // full path of the job file
  std::string JobName;  // its file name; "NouveauDebit.deb" for a new job

  // ---- Flags ---------------------------------------------------------------------------------
  std::uint8_t JobLoaded = 0;    // a computed job is present and drawn
  std::uint8_t JobUntitled = 0;  // no file yet: Save asks for a name
  std::uint8_t JobModified = 0;  // changed since last saved or opened
  std::uint8_t MarginsPending = 0;

  // ---- View scales (internal units per logical unit) ----------------------------------------
  double PanelViewScale = 0.0;
  double PartViewScale = 0.0;
};

// Empties the entered lists, the layout and the derived lists (what a cancelled New, a failed
// Open or Delete clears), and numbers the next part entered 0. Parameters and flags are left to
// the caller.
void ClearJobLists(JobState& job);

// The name of a job that has no file yet.
inline constexpr const char* kNewJobName = "NouveauDebit.deb";

// Replaces the job by an empty one with no file (New and the import): lists emptied as
// ClearJobLists does, named kNewJobName, untitled, with no path, so that Save asks for a file
// rather than overwrite the one of the job it replaces; not laid out, no margins pending or all
// zero. The kind, margins, kerf and criteria are left to the caller.
void StartUntitledJob(JobState& job);

// Empties the derived lists, so that nothing is drawn from a layout that is not there.
void ClearDerivedLists(JobState& job);

}  // namespace tranchex
