#pragma once
// A result panel in the cut-lines display mode: heading and outline, then every saw cut in
// cutting order, coloured by its position, each with a label that never overlaps another.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "platform/Canvas.h"
#include "plan/DrawingContext.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// The pen and text colour of the cut at a 0-based position in cutting order: blue, aqua, grey,
// fuchsia, green, lime, silver, maroon, navy, olive, purple, red, teal, yellow, then grey.
CanvasColor CutLineColour(std::size_t position);

// Draws the heading (DrawPanelHeading, black) and then each cut line of the panel in its list
// order. A cut that runs the panel's whole length or width (its integer length equals the real
// Length or Width) is labelled "(n)", n its 1-based position; with the context's
// CutLineLabelMode 1 every cut also shows "{length}" (below the number on a vertical cut, after
// " - " on the same row otherwise). A label starts 10 units right of and below the cut's first
// end; it is left out when its box touches or overlaps the box of a label drawn before on the
// panel, or ends past the panel's right edge. The line itself is always drawn.
//
// Leaves the font colour black and the pen in the last cut's colour (black without cuts). A
// scale that is not a positive number draws nothing.
void DrawPanelCutLines(const Panneau_p& panel, Canvas& canvas, std::int32_t originX,
                       std::int32_t originY, double scale,
                       const std::vector<std::string>& species,
                       const std::vector<std::string>& designations,
                       const std::vector<std::string>& references, std::int32_t contextCode,
                       const UNITE_MESURE& unit, DrawingContext& context);

}  // namespace tranchex
