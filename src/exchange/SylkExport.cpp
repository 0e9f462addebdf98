#include "exchange/SylkExport.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "job/ListLookup.h"
#include "job/Outils_debit.h"

namespace tranchex {
namespace {

// Identification, the four number formats (0 general, 1 two decimals, 2 whole, 3 text), the
// fonts; the extent record follows.
constexpr std::string_view kHeading =
    "ID;Exportation-d\xC3\xA9" "bit\n"
    "\n"
    "P;PGeneral\n"
    "P;P#,##0.00\n"
    "P;P#,##0\n"
    "P;P@\n"
    "\n"
    "P;EArial;M200\n"
    "P;EArial;M200\n"
    "P;EArial;M200\n"
    "P;FArial;M200;SB\n"
    "\n";

// Column widths: 10, 20, 10, 10, 10, 10, 20, then 8 for columns 8 to 256.
constexpr std::string_view kColumnWidths =
    "F;W1 1 10\n"
    "F;W2 2 20\n"
    "F;W3 3 10\n"
    "F;W4 4 10\n"
    "F;W5 5 10\n"
    "F;W6 6 10\n"
    "F;W7 7 20\n"
    "F;W8 256 8\n"
    "\n";

void AppendCell(std::string& out, std::string_view format, std::string_view value) {
  out += format;
  out += '\n';
  out += "C;N;K";
  out += value;
  out += '\n';
}

// The decimals a size cell shows: two, as many as a tenth of a millimetre needs when that is
// more (inches three, metres four), so that the cell shows what the file holds.
int SizeCellDecimals(const ExportSource& s) { return std::max(2, SizeDecimals(s.UnitFactor)); }

// The number format the size cells use: the two-decimal format 1 of the heading, or a format 4
// of as many decimals added after it.
std::string SizeNumberFormat(int decimals) {
  return "P;P#,##0." + std::string(static_cast<std::size_t>(decimals), '0') + "\n";
}

// The format record of a size cell in column x ("X4"), right-aligned with a fixed number of
// decimals: in millimetres and centimetres the cell's own format of the heading at two decimals,
// in a unit that needs more decimals format 4 for the length, the width and the thickness alike.
std::string SizeCellFormat(const ExportSource& s, std::string_view twoDecimalFormat,
                           std::string_view column) {
  const int decimals = SizeCellDecimals(s);
  if (decimals == 2) return std::string(twoDecimalFormat) + ";FF2R;" + std::string(column);
  return "F;P4;FF" + std::to_string(decimals) + "R;" + std::string(column);
}

// A size with a decimal point: with two decimals as every spreadsheet reads them, or, in a unit
// that needs more, with every tenth of a millimetre it holds.
std::string Length(const ExportSource& s, double value) {
  if (SizeCellDecimals(s) == 2) return FormatWithDecimalPoint(value / s.UnitFactor);
  return FormatSize(value, s.UnitFactor, '.');
}

}  // namespace

std::string SylkText(std::string_view text) {
  std::string out = "\"";
  for (char c : BlankLineBreaks(text)) {
    out += c;
    if (c == ';') out += ';';
  }
  out += '"';
  return out;
}

std::string CuttingSheetSylk(const ExportSource& s) {
  const ExportTexts& t = s.Texts;
  const PartList& parts = s.Job.JobParts;
  std::string out(kHeading);
  const int decimals = SizeCellDecimals(s);
  if (decimals != 2) {
    // Format 4 goes after the four of the heading, before its fonts.
    const std::string extra = SizeNumberFormat(decimals);
    out.insert(out.find("P;P@\n") + 5, extra);
  }
  out += "B;Y" + std::to_string(parts.size() + 1) + ";X7\n\n";
  out += kColumnWidths;

  // The title row: bold, general format, centred; the row number on its first record only.
  AppendCell(out, "F;SDM4;FG0C;Y1;X1", SylkText(t.Reference));
  AppendCell(out, "F;SDM4;FG0C;X2", SylkText(t.Designation));
  AppendCell(out, "F;SDM4;FG0C;X3", SylkText(t.Count));
  AppendCell(out, "F;SDM4;FG0C;X4", SylkText(t.Length));
  AppendCell(out, "F;SDM4;FG0C;X5", SylkText(t.Width));
  AppendCell(out, "F;SDM4;FG0C;X6", SylkText(t.Thickness));
  AppendCell(out, "F;SDM4;FG0C;X7", SylkText(t.Species));
  out += '\n';

  const ExportReferences references(s.Job);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const TPiece& p = parts[i];
    const std::string y = std::to_string(i + 2);
    AppendCell(out, "F;P3;FG0C;Y" + y + ";X1", SylkText(references.Of(p)));
    AppendCell(out, "F;P2;FG0C;X2",
               SylkText(EntryOrEmpty(s.Job.JobDesignations, static_cast<std::int64_t>(i))));
    AppendCell(out, "F;P2;FF0R;X3", std::to_string(p.Quantity));
    // Lengths and widths in the two-decimal format: the whole-number one would show 396.5 as
    // 397.
    AppendCell(out, SizeCellFormat(s, "F;P1", "X4"), Length(s, p.Length));
    AppendCell(out, SizeCellFormat(s, "F;P1", "X5"), Length(s, p.Width));
    AppendCell(out, SizeCellFormat(s, "F;P3", "X6"),
               s.Job.JobKind == 1 ? FormatWithDecimalPoint(0.0) : Length(s, p.Thickness));
    AppendCell(out, "F;P3;FG0C;X7", SylkText(ExportSpecies(s, p.Species)));
    out += '\n';
  }
  out += "E\n";
  return out;
}

}  // namespace tranchex
