#pragma once
// A result panel in the parts display mode: heading and outline, the offcuts with their
// dimensions, then every placed part with its label.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "platform/Canvas.h"
#include "plan/DrawingContext.h"
#include "job/MeasureUnit.h"

namespace tranchex {

// Draws, in this order: the heading (DrawPanelHeading with the same arguments) in black; every
// free rectangle of the panel in blue with its dimensions in black; every placed part by
// DrawPartLabel, after setting the context's CurrentPartReference to its reference.
//
// An offcut whose drawn size has room (height >= 4d + 2h, width >= 4d + longest figure x c,
// d = 10, h and c of the current font, both sizes at the plain scale) gets two dimension lines
// with their figures; otherwise the one-line text "<length>x<width>" inset by 5 units when it
// fits (height > h + 10, width > characters x c + 10); otherwise no text.
//
// Leaves the font colour black, the pen black (blue when the panel has no part) and the brush
// as the last part left it (white and clear). A scale that is not a positive number draws
// nothing.
void DrawPanelParts(const Panneau_p& panel, Canvas& canvas, std::int32_t originX,
                    std::int32_t originY, double scale, const std::vector<std::string>& species,
                    const std::vector<std::string>& designations,
                    const std::vector<std::string>& references, std::int32_t contextCode,
                    const UNITE_MESURE& unit, DrawingContext& context);

}  // namespace tranchex
