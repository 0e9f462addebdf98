#pragma once
// The job written for other applications: the cutting sheet (the parts as entered) or the
// computed job (the laid-out panels, then the parts placed on each), as semicolon-separated
// lines for a csv or txt file, and the cutting sheet as a SYLK spreadsheet (SylkExport.h).
//
// The writers take the job, the species list, the unit factor, the column titles and the
// regional decimal separator, and return the bytes of the whole file; nothing here touches a
// file, a locale or a window.
//
// Character set: csv and txt files are UTF-8 and start with a UTF-8 byte order mark, which makes
// spreadsheets read them as UTF-8 whatever charset their import last used. Every line ends with
// a single line feed, the last one too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "job/JobState.h"

namespace tranchex {

// The texts the export files carry: the column titles and the word for a species the list does
// not give.
struct ExportTexts {
  std::string Reference;     // "Référence"
  std::string Designation;   // "Désignation"
  std::string Count;         // "Nombre"
  std::string Length;        // "Longueur"
  std::string Width;         // "Largeur"
  std::string Thickness;     // "Epaisseur"
  std::string Species;       // "Essence"
  std::string Grain;         // "Sens du fil"
  std::string TargetPanel;   // "Panneau destination"
  std::string NotSpecified;  // "Non spécifié"
};

// The texts above from the language texts 83, 76, 44, 41, 42, 45, 46, 82, 230 and 148.
ExportTexts LoadExportTexts();

// What is exported: the parts as entered, or the laid-out panels with their parts.
enum class ExportLayout { CuttingSheet, ComputedJob };

// How it is written: semicolon-separated lines (csv, txt) or a SYLK spreadsheet (slk).
enum class ExportFormat { Lines, Sylk };

// The format a file extension asks for, in any case ("CSV", "Txt", "sLk"): csv and txt in both
// layouts, slk for the cutting sheet only. Nothing for any other extension.
std::optional<ExportFormat> ExportFormatFor(std::string_view extension, ExportLayout layout);

// Everything a writer reads besides the job.
struct ExportSource {
  const JobState& Job;
  const std::vector<std::string>& SpeciesNames;
  double UnitFactor;  // internal units per display unit; a usable factor (IsUsableUnitFactor)
  const ExportTexts& Texts;
  char DecimalSeparator;  // the regional one, for the csv and txt lengths
};

// The UTF-8 byte order mark that starts a csv or txt export.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The cutting sheet as lines: the eight titles, then per part of JobParts its reference,
// designation, quantity, length, width, thickness ("0" in a simple job), species and grain.
std::string CuttingSheetLines(const ExportSource& source);

// The computed job as lines: the nine titles, one line per result panel ("n;;1;L;W;T;S;G;;"),
// then per panel each placed part with a count of 1, its panel's thickness and the panel's
// number n in the last field.
std::string ComputedJobLines(const ExportSource& source);

// The bytes of the file for a layout and a format; the SYLK form of the computed job does not
// exist and gives an empty text.
std::string ExportFileBytes(ExportLayout layout, ExportFormat format, const ExportSource& source);

// ---- Pieces shared by the two formats ---------------------------------------------------------

// The species written for an element: its name in the species list in a complex job (JobKind
// 2); NotSpecified in a simple job, with an empty list, or for an index outside the list.
const std::string& ExportSpecies(const ExportSource& source, std::int32_t species);

// The references written for the parts of JobParts, by part number: each part's own reference
// (the JobReferences entry at its number, as the plans and labels show it); a part that has none
// gets ColumnLetters of its number while no other part has those letters, otherwise the first
// letters still free, in list order: no two lines of a file name the same part, so the import
// reads the file back. A number the list gives no part of has none.
class ExportReferences {
 public:
  explicit ExportReferences(const JobState& job);
  const std::string& Of(const TPiece& part) const;

 private:
  std::unordered_map<std::int32_t, std::string> byNumber_;
};

// A text with each line break (CR LF, CR or LF) replaced by one blank, so that no text can cut
// a line of the file in two.
std::string BlankLineBreaks(std::string_view text);

// A text as a field of a csv or txt line: its line breaks made blanks, then, when it holds a
// semicolon or starts with a double quote, written between double quotes with each of its
// double quotes doubled; any other text as it stands.
std::string LinesField(std::string_view text);

}  // namespace tranchex
