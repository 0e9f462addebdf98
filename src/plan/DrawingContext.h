#pragma once
// What the plan drawings read besides their arguments: the display options, the bar-job flag,
// the reference of the part being drawn, the count of identical panels, the texts and the
// decimal separator. The caller (the paint handler, the print commands) owns one and hands it
// to every drawing routine as their last argument.

#include <cstdint>
#include <string>

#include "job/ListTexts.h"

namespace tranchex {

// The words the headings write: the words that describe a part or a panel, and the three words
// WordPart, WordPanel and WordPanels, which may be the user's own (options).
struct DrawingTexts : DescriptionTexts {
  std::string WordPart;    // "Pièce"
  std::string WordPanel;   // "Panneau"
  std::string WordPanels;  // "Panneaux"
};

// The language texts above, with the default words.
DrawingTexts LoadDrawingTexts();

// How part dimensions are written on the panel plans (the display options).
enum DimensionDisplayModeValue : std::int32_t {
  DimensionsNetAndOuterSmallNet = 0,    // net and outer on large parts, net on small parts
  DimensionsNetAndOuterSmallOuter = 1,  // net and outer on large parts, outer on small parts
  DimensionsNetOnly = 10,
  DimensionsOuterOnly = 20,
};

struct DrawingContext {
  // A job of bars (every part and panel 100.0 wide and thick, no width or thickness margin):
  // vertical distances are drawn five times larger.
  std::uint8_t MarginsAllZero = 0;
  std::int32_t DimensionDisplayMode = DimensionsOuterOnly;
  // 1: the cut-line labels give the cut lengths too; any other value: cut numbers only.
  std::int32_t CutLineLabelMode = 0;
  // The reference of the part being drawn. The caller sets it before a part-view heading; the
  // panel drawing writes it for every part it draws, so it holds the last part's afterwards.
  std::string CurrentPartReference;
  // How many identical result panels the drawn layout stands for.
  std::int32_t DisplayedPanelCount = 1;
  char DecimalSeparator = ',';  // the regional one
  DrawingTexts Texts;
};

}  // namespace tranchex
