#pragma once
// The cutting sheet as a SYLK spreadsheet: seven columns (reference, designation, count,
// length, width, thickness, species) with their widths, number formats, a bold centred title
// row and one row per part; spreadsheets open it as a formatted sheet.
//
// The file is UTF-8 without a byte order mark (spreadsheets read SYLK in the system's charset
// and refuse one that starts with a mark). Lengths are written with a point and two decimals
// whatever the regional settings, and shown with two decimals. In a text a semicolon is
// doubled, as the format asks; a line break becomes a blank.

#include <string>
#include <string_view>

#include "exchange/JobExport.h"

namespace tranchex {

// The whole file; the decimal separator of the source is not used.
std::string CuttingSheetSylk(const ExportSource& source);

// A text as the quoted value of a SYLK cell: line breaks made blanks, each ";" doubled,
// between double quotes.
std::string SylkText(std::string_view text);

}  // namespace tranchex
