#pragma once
// The standard panel and part sizes as the size manager lists, preselects, adds and deletes
// them. A size serves a simple job (kind 1, always 10 mm thick) or a complex job (kind 2); a size
// entered in manager mode exactly 10 mm thick serves both and is stored once for each kind.
// Qt-free: the form only shows what these say.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Records.h"
#include "job/Settings.h"

namespace tranchex {

// The thickness every simple-job size carries (10 mm).
inline constexpr std::int32_t kSimpleJobSizeThickness = 100;

// One row of the size list: its text and the position in the list of the size it shows.
struct StandardSizeRow {
  std::string Text;
  std::size_t Record = 0;
};

// "2500 x 1250" or, with a thickness, "2500 x 1250 x 19": each value in the unit with every
// tenth of a millimetre it holds ("2,8 x 2,07 x 0,019" in metres); no unit.
std::string StandardSizeText(double length, double width, std::optional<double> thickness,
                             double factor, char decimalSeparator);

// The rows of the list, in list order. Managing: every size with its thickness, once for each
// length, width and thickness stored (the two records of a size serving both kinds are one row,
// that of the first); the stored values decide, not the texts. Picking: the sizes of the job's kind, with their thickness for a complex job,
// and, when panels are given, only those as thick as one of the panels.
std::vector<StandardSizeRow> ListStandardSizes(const std::vector<DIMENSIONS>& sizes,
                                               bool managing, std::int32_t kind,
                                               const PanelList* panels, double factor,
                                               char decimalSeparator);

// The size a caller's fields point at: the first of the job's kind equal to every member of the
// key that is not 0. None when the key is all 0 or no size matches.
std::optional<std::size_t> PreselectedStandardSize(const std::vector<DIMENSIONS>& sizes,
                                                   std::int32_t kind, std::int32_t length,
                                                   std::int32_t width, std::int32_t thickness);

// A size of this kind with these three values is stored.
bool StandardSizeStored(const std::vector<DIMENSIONS>& sizes, std::int32_t length,
                        std::int32_t width, std::int32_t thickness, std::int32_t kind);

// Stores a new size and returns the position of the last record appended. Managing: a size
// 10 mm thick is appended for kind 1 and then for kind 2, any other for kind 2. Picking: one
// record of the job's kind, 10 mm thick for a simple job whatever thickness is given.
std::size_t AppendStandardSize(std::vector<DIMENSIONS>& sizes, std::int32_t length,
                               std::int32_t width, std::int32_t thickness, std::int32_t kind,
                               bool managing);

// Erases the size at this position and then the first other with the same length, width and
// thickness (whatever its kind), so that a size serving both kinds goes entirely. A position
// past the end erases nothing.
void EraseStandardSize(std::vector<DIMENSIONS>& sizes, std::size_t record);

}  // namespace tranchex
