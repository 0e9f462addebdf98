#include "job/ResultLists.h"

#include <cstddef>

#include "job/Outils_debit.h"

namespace tranchex {

namespace {

constexpr std::int32_t kComplexJob = 2;

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
  std::string key = FormatTwoDecimals(panel.Length / units.LengthDivisor, sep);
  key += "x";
  key += FormatTwoDecimals(panel.Width / units.LengthDivisor, sep);
  if (jobKind == kComplexJob) {
    key += "x";
    key += FormatThreeDecimals(panel.Thickness / units.LengthDivisor, sep);
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
  std::string text = FormatTwoDecimals(length / units.LengthDivisor, sep);
  text += "x";
  text += FormatTwoDecimals(width / units.LengthDivisor, sep);
  text += "x";
  text += FormatTwoDecimals(panel.Thickness / units.LengthDivisor, sep);
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

  // One key per panel, built once.
  std::vector<std::string> keys;
  keys.reserve(resultPanels.size());
  for (const Panneau_p& panel : resultPanels) {
    keys.push_back(SummaryKey(panel, speciesNames, jobKind, units, texts));
    if (!FindMetrageByKey(keys.back(), summaryLines)) {
      METRAGE line;
      line.Key = keys.back();
      summaryLines.push_back(std::move(line));
    }
  }

  for (METRAGE& line : summaryLines) {
    for (std::size_t p = 0; p < resultPanels.size(); ++p) {
      if (keys[p] != line.Key) continue;
      const Panneau_p& panel = resultPanels[p];
      line.PanelCount += 1;

      long double partsArea = 0;
      double partsPerimeter = 0;
      for (const TPiece& part : panel.PlacedParts) {
        partsArea += part.Area;
        partsPerimeter += PanelPerimeter(part);
      }
      line.PanelArea += panel.Area / static_cast<long double>(units.AreaDivisor);
      line.PartsArea += partsArea / static_cast<long double>(units.AreaDivisor);
      line.PartsPerimeter += partsPerimeter / units.LengthDivisor;

      long double waste = 0;
      for (const MONRect& r : panel.FreeRects) {
        // In 64 bits: a 6000 x 3600 mm panel already holds 2.16e9 square units.
        const std::int64_t w = static_cast<std::int64_t>(r.right) - r.left;
        const std::int64_t h = static_cast<std::int64_t>(r.top) - r.bottom;
        const std::int64_t area = h * w;
        if (area > 0) waste += static_cast<long double>(area);

        const double length = static_cast<double>(w);
        const double width = static_cast<double>(h);
        CHUTE* same = nullptr;
        for (CHUTE& o : offcuts) {
          if (o.Length == length && o.Width == width && o.Thickness == panel.Thickness &&
              o.Species == panel.Species && o.Grain == panel.Grain) {
            same = &o;
            break;
          }
        }
        if (same != nullptr) {
          same->Count += 1;
        } else {
          CHUTE o;
          o.Text = OffcutText(length, width, panel, speciesNames, units, texts);
          o.Count = 1;
          o.Length = length;
          o.Width = width;
          o.Thickness = panel.Thickness;
          o.Species = panel.Species;
          o.Surface = static_cast<long double>(area);
          o.Grain = panel.Grain;
          offcuts.push_back(std::move(o));
        }
      }

      line.CutLength += PanelCutLength(panel) / units.LengthDivisor;
      line.WasteArea += waste / static_cast<long double>(units.AreaDivisor);
      // A panel of no area has no waste rate; laid-out panels always have one.
      line.WastePercent = line.PanelArea != 0
                              ? static_cast<double>(line.WasteArea / line.PanelArea * 100)
                              : 0.0;
      line.PartsPerPanel = static_cast<std::int32_t>(panel.PlacedParts.size());
    }
  }
}

}  // namespace tranchex
