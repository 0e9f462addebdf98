#include "plan/DrawPanelHeading.h"

#include <algorithm>
#include <cstdlib>

#include "plan/DrawingGeometry.h"
#include "job/ListTexts.h"
#include "job/ListLookup.h"

namespace tranchex {

namespace {

using namespace drawing;

// The grain word of a grain direction; empty for a value other than 0, 1 or 2 (a record from an
// old file or an import may carry one).
const std::string& GrainText(const DrawingTexts& texts, std::int32_t grain) {
  static const std::string kEmpty;
  if (grain < 0 || grain > 2) return kEmpty;
  return texts.GrainTexts[static_cast<std::size_t>(grain)];
}

struct HeadingLines {
  std::string thickness;    // row 2
  std::string species;      // row 3
  std::string grain;        // row 4, parts view
  std::string panel;        // row 4, panels view
  std::string count;        // row 5
  std::string dimensions;   // row 6
  std::string designation;  // row 7
  std::string reference;    // row 8
};

}  // namespace

void DrawPanelHeading(const TPanneau& record, Canvas& canvas, std::int32_t originX,
                      std::int32_t originY, double scale,
                      const std::vector<std::string>& species,
                      const std::vector<std::string>& designations,
                      const std::vector<std::string>& /*references*/, std::int32_t contextCode,
                      const UNITE_MESURE& unit, const DrawingContext& context) {
  if (!UsableScale(scale)) return;

  const TextMetrics tm = canvas.GetTextMetrics();
  const std::int64_t h = tm.height;
  const std::int64_t c = tm.aveCharWidth;
  const PlanMapping map(originX, originY, scale, context.MarginsAllZero != 0);
  const DrawingTexts& t = context.Texts;
  const char sep = context.DecimalSeparator;
  const std::string& u = unit.Abbreviation;

  const std::string lt = LengthText(record.Length, unit, sep);
  const std::string wt = LengthText(record.Width, unit, sep);
  const std::string tt = LengthText(record.Thickness, unit, sep);

  const bool simpleJob = contextCode == kContextPartsSimple || contextCode == kContextPanelsSimple;
  const bool partsView = contextCode == kContextPartsSimple || contextCode == kContextPartsComplex;

  HeadingLines lines;
  if (!simpleJob) {
    lines.thickness = t.TextThickness + " : " + tt + " " + u;
    if (!species.empty()) {
      if (const std::string* name = SpeciesNameAt(species, record.Species))
        lines.species = t.TextSpecies + " : " + LowerCaseText(*name);
      else
        lines.species = t.TextNotSpecified;
    }
  }
  if (partsView) {
    // An index the designation list lacks leaves the row empty.
    if (record.DesignationIndex >= 0 &&
        static_cast<std::size_t>(record.DesignationIndex) < designations.size())
      lines.designation = t.WordPart + " : " + TextAt(designations, record.DesignationIndex);
    lines.count = t.TextCount + " : " + std::to_string(record.Quantity);
    lines.dimensions = "Dimensions : " + lt + "x" + wt + " " + u;
    lines.grain = t.TextGrain + " : " + LowerCaseText(GrainText(t, record.Grain));
    lines.reference = "Ref : " + context.CurrentPartReference;
  } else {
    const std::int32_t n = context.DisplayedPanelCount;
    const std::string countText =
        "(" + std::to_string(n) + " " + (n == 1 ? t.WordPanel : t.WordPanels) + ")";
    lines.panel = t.WordPanel + " : " + lt + "x" + wt + " " + u + " - " +
                  LowerCaseText(t.TextGrain) + " " + LowerCaseText(GrainText(t, record.Grain)) +
                  " - " + LowerCaseText(countText);
  }

  const std::int64_t left = map.X(record.Rect.left);
  const std::int64_t right = map.X(record.Rect.right);
  const std::int64_t top = map.Y(record.Rect.top);
  const std::int64_t bottom = map.Y(record.Rect.bottom);
  const auto rowTop = [&](std::int64_t k) { return top + k * (h + 20) + 10; };

  // Rows 8 to 2.
  Text(canvas, left, rowTop(8), lines.reference);
  if (partsView)
    Text(canvas, left, rowTop(7), lines.designation);
  else
    Text(canvas, left, rowTop(4), lines.panel);
  Text(canvas, left, rowTop(6), lines.dimensions);
  Text(canvas, left, rowTop(5), lines.count);
  Text(canvas, left, rowTop(4), lines.grain);
  Text(canvas, left, rowTop(3), lines.species);
  Text(canvas, left, rowTop(2), lines.thickness);

  // Row 1: the length figure, centred over the length by counting characters.
  const std::int64_t lengthFigureX =
      map.ox + std::abs(Div(Trunc(record.Length / scale), 2) - Div(CharacterCount(lt), 2) * c);
  Text(canvas, lengthFigureX, top + h + 30, lt);

  HorizontalDimensionLine(canvas, left, right, top + 20);

  // The width figure, centred on the drawn height but never lower than one text height above
  // the origin.
  const std::int64_t widthFigureTop =
      map.oy +
      std::max(std::abs(Div(Trunc(static_cast<long double>(record.Width) / map.vscale), 2) + Div(h, 2)),
               h);
  Text(canvas, right + 40, widthFigureTop, wt);

  VerticalDimensionLine(canvas, right + 20, top, bottom);

  Rectangle(canvas, left, top, right, bottom);
}

}  // namespace tranchex
