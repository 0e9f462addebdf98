#pragma once
// The settings and reference lists the program keeps between runs, in one struct owned by the
// application and handed by reference to what reads or edits them.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/MeasureUnit.h"

namespace tranchex {

struct Settings {
  // Unit of measure of display and entry.
  UNITE_MESURE MeasureUnit;
  // Wood species; job records refer to them by position, so the list is never reordered.
  std::vector<std::string> SpeciesNames;
  // Display options: the summary in metres and square metres instead of the unit of measure.
  std::int32_t SummaryInMetres = 0;
};

}  // namespace tranchex
