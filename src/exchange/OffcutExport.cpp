#include "exchange/OffcutExport.h"

#include "job/Outils_debit.h"

namespace tranchex {
namespace {

void AppendFields(std::string& out, std::initializer_list<std::string> fields) {
  for (const std::string& f : fields) {
    out += f;
    out += ';';
  }
  out += '\n';
}

}  // namespace

bool OffcutPassesFilter(const CHUTE& offcut, const OffcutFilter& filter) {
  if (filter.Mode == 0)
    return offcut.Length >= filter.MinLength && offcut.Width >= filter.MinWidth;
  return offcut.Surface >= filter.MinSurface;
}

std::string OffcutFileBytes(const ExportSource& s, const OffcutFilter& filter) {
  const ExportTexts& t = s.Texts;
  std::string out(kUtf8Bom);
  AppendFields(out, {LinesField(t.Count), LinesField(t.Length), LinesField(t.Width),
                     LinesField(t.Thickness), LinesField(t.Species), LinesField(t.Grain)});
  const auto length = [&](double v) {
    return FormatSize(v, s.UnitFactor, s.DecimalSeparator);
  };
  for (const CHUTE& o : s.Job.Offcuts) {
    if (!OffcutPassesFilter(o, filter)) continue;
    AppendFields(out, {std::to_string(o.Count), length(o.Length), length(o.Width),
                       s.Job.JobKind == 2 ? length(o.Thickness) : std::string("0"),
                       LinesField(ExportSpecies(s, o.Species)), std::to_string(o.Grain)});
  }
  return out;
}

}  // namespace tranchex
