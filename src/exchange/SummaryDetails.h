#pragma once
// The job summary's vocabulary: the eight detail lines of one summary line, each with the text
// listed, the designation a click copies and the bare value a click copies.

#include <array>
#include <string>

#include "job/ResultLists.h"

namespace tranchex {

// The language texts and option words the detail lines are made of.
struct SummaryTexts {
  std::string Title;          // window caption and print title
  std::string TotalAreaOf;    // "Surface totale des "
  std::string WasteRateName;  // designation copied for the waste rate
  std::string CutLength;      // "Linéaire de découpe : "
  std::string NumberOf;       // "Nombre de "
  std::string WasteArea;      // "Surface totale des chutes : "
  std::string WasteRate;      // "Taux de chutes : "
  std::string Per;            // joins the parts word and the panel word
  std::string CutLengthName;  // designation copied for the cut length
  std::string WasteAreaName;  // designation copied for the waste area
  std::string EdgeBanding;    // label of the edge-banding line
  std::string PanelsWord;     // the option words, lower-cased
  std::string PartsWord;
  std::string PanelWord;
};

// Loads the language texts; the three words are the options' own, lower-cased here.
SummaryTexts LoadSummaryTexts(const std::string& wordPanels, const std::string& wordParts,
                              const std::string& wordPanel);

struct SummaryDetail {
  std::string ListText;
  std::string Designation;
  std::string Value;  // the bare number, no unit, no "%"
};

inline constexpr int kSummaryDetailCount = 8;
// The edge-banding line: listed, never drawn nor printed.
inline constexpr int kEdgeBandingLine = 4;

std::array<SummaryDetail, kSummaryDetailCount> SummaryDetails(const METRAGE& line,
                                                              const SummaryTexts& texts,
                                                              const std::string& unitText,
                                                              char decimalSeparator);

}  // namespace tranchex
