#pragma once
// The heading of a panel page and the whole of a parts-view page: a record's outline, its length
// and width dimension lines with their figures, and the text rows stacked above it.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "platform/Canvas.h"
#include "plan/DrawingContext.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// Context codes: job kind + view mode.
inline constexpr std::int32_t kContextPartsSimple = 11;
inline constexpr std::int32_t kContextPartsComplex = 12;
inline constexpr std::int32_t kContextPanelsSimple = 21;
inline constexpr std::int32_t kContextPanelsComplex = 22;

// Draws the record (a result panel, or a part in the parts view: codes 11 and 12) at the origin,
// in the 0.1 mm mapping the caller set, with the canvas's current pen, brush and font, which it
// leaves as they were.
//
// Rows above the outline, row k with its top at Top + k x (h + 20) + 10 (h: font height):
//   1 the length figure, centred over the length;
//   2 "Epaisseur : <t> <unit>"       (complex jobs only)
//   3 "Essence : <species>"          (complex jobs only; "Non spécifié" alone for an index the
//                                      species list lacks, nothing for an empty list)
//   4 parts view: "Sens du fil : <grain>"; panels view: the panel line
//     "Panneau : <l>x<w> <unit> - sens du fil <grain> - (<n> panneau(x))", n = the context's
//     DisplayedPanelCount
//   5 "Nombre : <quantity>", 6 "Dimensions : <l>x<w> <unit>", 7 "Pièce : <designation>",
//   8 "Ref : <CurrentPartReference>"  (parts view only)
// Texts are drawn from row 8 down to row 2, then row 1, the length line, the width figure, the
// width line and last the outline. A grain other than 0, 1 or 2 gives an empty grain word; a
// designation index the designation list lacks gives no designation row. A scale that is not a
// positive number draws nothing.
void DrawPanelHeading(const TPanneau& record, Canvas& canvas, std::int32_t originX,
                      std::int32_t originY, double scale, const std::vector<std::string>& species,
                      const std::vector<std::string>& designations,
                      const std::vector<std::string>& references, std::int32_t contextCode,
                      const UNITE_MESURE& unit, const DrawingContext& context);

}  // namespace tranchex
