#pragma once
// The offcut export: the offcuts that pass a filter, written as the job export writes its csv
// and txt files (UTF-8 with a byte order mark, fields quoted by the same rule, every field
// followed by ";" and every line by a line feed).

#include <cstdint>
#include <string>

#include "exchange/JobExport.h"
#include "job/ResultLists.h"

namespace tranchex {

// The filter of one export. Sizes in internal units, the surface in square internal units.
struct OffcutFilter {
  std::int32_t Mode = 0;  // 0: by length and width; any other value: by surface
  double MinLength = 0;
  double MinWidth = 0;
  long double MinSurface = 0;
};

// Inclusive comparisons: an offcut exactly at the minimum passes.
bool OffcutPassesFilter(const CHUTE& offcut, const OffcutFilter& filter);

// The whole file: the title line (count, length, width, thickness, species, grain), then one
// line per offcut of source.Job.Offcuts that passes, in list order. A simple job writes the
// thickness "0", as the job export does.
std::string OffcutFileBytes(const ExportSource& source, const OffcutFilter& filter);

}  // namespace tranchex
