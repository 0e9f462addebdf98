#pragma once
// The job summary and the offcut list, condensed from the laid-out panels: one METRAGE line per
// summary key (panel size, for a complex job also thickness and species, and grain) and one
// CHUTE entry per kind of free rectangle left on the panels, equal ones merged with a count.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "job/ListTexts.h"
#include "job/MeasureUnit.h"

namespace tranchex {

struct JobState;
struct Settings;

// One line of the job summary. Lengths in summary units, areas in square summary units.
struct METRAGE {
  std::string Key;             // the summary key shared by the panels of this line
  std::int32_t PanelCount = 0;  // result panels with this key
  long double PanelArea = 0;   // sum of the panels' areas
  long double PartsArea = 0;   // sum of the areas of the parts placed on them
  double CutLength = 0;        // sum of the panels' saw-cut totals
  double PartsPerimeter = 0;   // sum of the placed parts' perimeters (edge-banding length)
  long double WasteArea = 0;   // sum of the areas of the panels' free rectangles
  double WastePercent = 0;     // WasteArea / PanelArea x 100
  std::int32_t PartsPerPanel = 0;  // parts on the last panel (in list order) with this key
};

// One kind of offcut. Length, Width, Thickness and Surface stay in internal units (the offcut
// filter compares them with options held in internal units); only Text is in summary units.
struct CHUTE {
  std::string Text;          // "LxWxT - species - grain" in the summary length unit
  std::int32_t Count = 0;    // equal free rectangles merged into this entry, at least 1
  double Length = 0;         // right - left of the free rectangle
  double Width = 0;          // top - bottom of the free rectangle
  double Thickness = 0;      // thickness of the panel it lies on
  std::int32_t Species = 0;  // species index of that panel
  long double Surface = 0;   // area of one such rectangle, square internal units
  std::int32_t Grain = 0;    // grain direction of that panel
};

using SummaryLineList = std::vector<METRAGE>;
using OffcutList = std::vector<CHUTE>;

// The units of the summary: lengths are divided by LengthDivisor, areas by AreaDivisor.
struct SummaryUnits {
  double LengthDivisor = 10.0;
  double AreaDivisor = 100.0;
  std::string UnitText = "mm";
};

// summaryInMetres 1: metres and square metres ("m"); any other value: the unit of measure.
SummaryUnits ChooseSummaryUnits(std::int32_t summaryInMetres, const UNITE_MESURE& unit);

// The summary key of a result panel: "LxW" (complex job: "LxWxT"), the unit text, for a complex
// job " - " and the lower-case species, then " - " and the lower-case grain word. Sizes keep
// every tenth of a millimetre in the summary unit (FormatSize), so two keys never read the same.
std::string SummaryKey(const Panneau_p& panel, const std::vector<std::string>& speciesNames,
                       std::int32_t jobKind, const SummaryUnits& units, const ListTexts& texts);

// The text of an offcut of the given size on a panel: "LxWxT - species - grain", sizes as in the
// summary key, no unit text, species and thickness whatever the job kind.
std::string OffcutText(double length, double width, const Panneau_p& panel,
                       const std::vector<std::string>& speciesNames, const SummaryUnits& units,
                       const ListTexts& texts);

// True when some line's Key equals the key exactly; false for an empty list.
bool FindMetrageByKey(const std::string& key, const SummaryLineList& lines);

// Rebuilds both lists from the result panels. An empty panel list leaves both lists as they
// were. A line gathers the panels of equal stored values its key names (length, width and
// grain; for a complex job also thickness and species, every species outside the list being
// one), in the order they first appear; offcuts follow the lines, then the panels, then the free
// rectangles. An offcut merges into the first entry of equal length, width, thickness, species
// and grain, whatever its line; a turned rectangle is another entry. Linear in the panels, their
// parts and their free rectangles.
void BuildSummaryLists(SummaryLineList& summaryLines, OffcutList& offcuts,
                       const PanelList& resultPanels, const std::vector<std::string>& speciesNames,
                       const UNITE_MESURE& measureUnit, std::int32_t jobKind,
                       std::int32_t summaryInMetres, const ListTexts& texts);

// BuildSummaryLists over the job's own lists, in the summary unit the settings give: after every
// layout, and whenever the unit of measure or the summary unit changes.
void RebuildSummaryLists(JobState& job, const Settings& settings, char decimalSeparator);

}  // namespace tranchex
