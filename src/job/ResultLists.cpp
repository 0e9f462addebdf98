#include "job/ResultLists.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <unordered_map>

#include "job/JobState.h"
#include "job/ListLookup.h"
#include "job/Outils_debit.h"
#include "job/Settings.h"

namespace tranchex {

namespace {

constexpr std::int32_t kComplexJob = 2;

// A size of the summary's texts: every tenth of a millimetre in the summary unit. A size that is
// not a whole number of tenths keeps all its digits, so two sizes never read the same.
std::string SizeText(double tenths, const SummaryUnits& units, char decimalSeparator) {
  if (tenths == std::trunc(tenths)) return FormatSize(tenths, units.LengthDivisor, decimalSeparator);
  return FormatGeneral(static_cast<long double>(tenths) / units.LengthDivisor, decimalSeparator);
}

std::uint64_t Mix(std::uint64_t seed, std::uint64_t value) {
  // 64-bit mixing of boost's hash_combine.
  seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 12) + (seed >> 4);
  return seed;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v == 0.0 ? 0.0 : v); }

// What a summary line stands for: the values its key names. A simple job's key names neither the
// thickness nor the species; a species that names no species of the list (past its end, or
// deleted) reads "Non spécifié", whatever its index.
struct LineValues {
  double Length = 0;
  double Width = 0;
  double Thickness = 0;
  std::int32_t Species = 0;
  std::int32_t Grain = 0;
  bool operator==(const LineValues&) const = default;
};

LineValues LineValuesOf(const Panneau_p& panel, const std::vector<std::string>& speciesNames,
                        std::int32_t jobKind) {
  LineValues v;
  v.Length = panel.Length;
  v.Width = panel.Width;
  v.Grain = panel.Grain;
  if (jobKind == kComplexJob) {
    v.Thickness = panel.Thickness;
    v.Species = SpeciesNameAt(speciesNames, panel.Species) != nullptr ? panel.Species : -1;
  }
  return v;
}

struct LineValuesHash {
  std::size_t operator()(const LineValues& v) const {
    std::uint64_t h = Bits(v.Length);
    h = Mix(h, Bits(v.Width));
    h = Mix(h, Bits(v.Thickness));
    h = Mix(h, static_cast<std::uint32_t>(v.Species));
    h = Mix(h, static_cast<std::uint32_t>(v.Grain));
    return static_cast<std::size_t>(h);
  }
};

// What makes two free rectangles one kind of offcut.
struct OffcutValues {
  std::int64_t Length = 0;
  std::int64_t Width = 0;
  double Thickness = 0;
  std::int32_t Species = 0;
  std::int32_t Grain = 0;
  // The thickness compares as the double it is: equal values are equal, whatever the sign of a
  // zero.
  bool operator==(const OffcutValues&) const = default;
};

struct OffcutValuesHash {
  std::size_t operator()(const OffcutValues& v) const {
    std::uint64_t h = static_cast<std::uint64_t>(v.Length);
    h = Mix(h, static_cast<std::uint64_t>(v.Width));
    h = Mix(h, Bits(v.Thickness));
    h = Mix(h, static_cast<std::uint32_t>(v.Species));
    h = Mix(h, static_cast<std::uint32_t>(v.Grain));
    return static_cast<std::size_t>(h);
  }
};

}  // namespace

SummaryUnits ChooseSummaryUnits(std::int32_t summaryInMetres, const UNITE_MESURE& unit) {
  SummaryUnits units;
  if (summaryInMetres == 1) {
    units.LengthDivisor = 10000.0;
    units.AreaDivisor = 100000000.0;
    units.UnitText = "m";
  } else {
    units.LengthDivisor = unit.Factor;
    units.AreaDivisor = unit.Factor * unit.Factor;
    units.UnitText = unit.Abbreviation;
  }
  return units;
}

std::string SummaryKey(const Panneau_p& panel, const std::vector<std::string>& speciesNames,
                       std::int32_t jobKind, const SummaryUnits& units, const ListTexts& texts) {
  const char sep = texts.DecimalSeparator;
  std::string key = SizeText(panel.Length, units, sep);
  key += "x";
  key += SizeText(panel.Width, units, sep);
  if (jobKind == kComplexJob) {
    key += "x";
    key += SizeText(panel.Thickness, units, sep);
  }
  key += units.UnitText;
  if (jobKind == kComplexJob) {
    key += " - ";
    key += SpeciesLabel(speciesNames, panel.Species, texts);
  }
  key += " - ";
  key += GrainLabel(panel.Grain, texts);
  return key;
}

std::string OffcutText(double length, double width, const Panneau_p& panel,
                       const std::vector<std::string>& speciesNames, const SummaryUnits& units,
                       const ListTexts& texts) {
  const char sep = texts.DecimalSeparator;
  std::string text = SizeText(length, units, sep);
  text += "x";
  text += SizeText(width, units, sep);
  text += "x";
  text += SizeText(panel.Thickness, units, sep);
  text += " - ";
  text += SpeciesLabel(speciesNames, panel.Species, texts);
  text += " - ";
  text += GrainLabel(panel.Grain, texts);
  return text;
}

bool FindMetrageByKey(const std::string& key, const SummaryLineList& lines) {
  for (const METRAGE& line : lines)
    if (line.Key == key) return true;
  return false;
}

void BuildSummaryLists(SummaryLineList& summaryLines, OffcutList& offcuts,
                       const PanelList& resultPanels, const std::vector<std::string>& speciesNames,
                       const UNITE_MESURE& measureUnit, std::int32_t jobKind,
                       std::int32_t summaryInMetres, const ListTexts& texts) {
  if (resultPanels.empty()) return;
  summaryLines.clear();
  offcuts.clear();

  const SummaryUnits units = ChooseSummaryUnits(summaryInMetres, measureUnit);
  const long double areaDivisor = units.AreaDivisor;

  // The lines, in the order their values first appear, with each panel's line; the totals of a
  // line add its panels up in list order.
  std::unordered_map<LineValues, std::size_t, LineValuesHash> lineOf;
  std::vector<std::size_t> panelLine(resultPanels.size());
  for (std::size_t p = 0; p < resultPanels.size(); ++p) {
    const Panneau_p& panel = resultPanels[p];
    const auto [it, added] =
        lineOf.try_emplace(LineValuesOf(panel, speciesNames, jobKind), summaryLines.size());
    if (added) {
      METRAGE line;
      line.Key = SummaryKey(panel, speciesNames, jobKind, units, texts);
      summaryLines.push_back(std::move(line));
    }
    panelLine[p] = it->second;
    METRAGE& line = summaryLines[it->second];
    line.PanelCount += 1;

    long double partsArea = 0;
    double partsPerimeter = 0;
    for (const TPiece& part : panel.PlacedParts) {
      partsArea += part.Area;
      partsPerimeter += PanelPerimeter(part);
    }
    line.PanelArea += panel.Area / areaDivisor;
    line.PartsArea += partsArea / areaDivisor;
    line.PartsPerimeter += partsPerimeter / units.LengthDivisor;

    long double waste = 0;
    for (const MONRect& r : panel.FreeRects) {
      // In 64 bits: a 6000 x 3600 mm panel already holds 2.16e9 square units.
      const std::int64_t area = (static_cast<std::int64_t>(r.top) - r.bottom) *
                                (static_cast<std::int64_t>(r.right) - r.left);
      if (area > 0) waste += static_cast<long double>(area);
    }
    line.CutLength += PanelCutLength(panel) / units.LengthDivisor;
    line.WasteArea += waste / areaDivisor;
    line.PartsPerPanel = static_cast<std::int32_t>(panel.PlacedParts.size());
  }
  for (METRAGE& line : summaryLines) {
    // A panel of no area has no waste rate; laid-out panels always have one.
    line.WastePercent =
        line.PanelArea != 0 ? static_cast<double>(line.WasteArea / line.PanelArea * 100) : 0.0;
  }

  // The offcuts, line by line, each line's panels in list order, each panel's free rectangles in
  // order: a rectangle equal to one met before counts into the entry made first.
  std::vector<std::size_t> firstOfLine(summaryLines.size() + 1, 0);
  for (const std::size_t l : panelLine) ++firstOfLine[l + 1];
  for (std::size_t l = 0; l < summaryLines.size(); ++l) firstOfLine[l + 1] += firstOfLine[l];
  std::vector<std::size_t> byLine(resultPanels.size());
  {
    std::vector<std::size_t> next(firstOfLine.begin(), firstOfLine.end() - 1);
    for (std::size_t p = 0; p < resultPanels.size(); ++p) byLine[next[panelLine[p]]++] = p;
  }
  std::unordered_map<OffcutValues, std::size_t, OffcutValuesHash> offcutOf;
  for (const std::size_t p : byLine) {
    const Panneau_p& panel = resultPanels[p];
    for (const MONRect& r : panel.FreeRects) {
      const std::int64_t w = static_cast<std::int64_t>(r.right) - r.left;
      const std::int64_t h = static_cast<std::int64_t>(r.top) - r.bottom;
      const OffcutValues values{w, h, panel.Thickness, panel.Species, panel.Grain};
      const auto [it, added] = offcutOf.try_emplace(values, offcuts.size());
      if (!added) {
        offcuts[it->second].Count += 1;
        continue;
      }
      CHUTE o;
      o.Length = static_cast<double>(w);
      o.Width = static_cast<double>(h);
      o.Text = OffcutText(o.Length, o.Width, panel, speciesNames, units, texts);
      o.Count = 1;
      o.Thickness = panel.Thickness;
      o.Species = panel.Species;
      o.Surface = static_cast<long double>(h * w);
      o.Grain = panel.Grain;
      offcuts.push_back(std::move(o));
    }
  }
}

void RebuildSummaryLists(JobState& job, const Settings& settings, char decimalSeparator) {
  BuildSummaryLists(job.SummaryLines, job.Offcuts, job.ResultPanels, settings.SpeciesNames,
                    settings.MeasureUnit, job.JobKind, settings.SummaryInMetres,
                    LoadListTexts(decimalSeparator));
}

}  // namespace tranchex
