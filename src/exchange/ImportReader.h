#pragma once
// The cutting-sheet import: a semicolon-separated text file (csv or txt) of parts, read into
// checked parts, then committed to the job and the reference lists. Qt-free; the main window
// shows the dialogs, reads the file and reports the outcome.
//
// The file
// --------
// - Encoding: a UTF-8 byte order mark makes the file UTF-8; without one, a file that is valid
//   UTF-8 is UTF-8 and any other is Windows-1252. A NUL byte (UTF-16, binary files) refuses the
//   file. At most kMaxImportFileBytes.
// - Records: a line feed ends a record, the last line needs none; carriage returns are dropped;
//   blank lines (and lines whose fields are all blank) are skipped. The first line is skipped
//   when the request says it holds the column titles.
// - Fields: separated by ";". A field that starts with a double quote is quoted as spreadsheets
//   write it: up to the next lone double quote, "" stands for one double quote, and ";" and line
//   breaks inside are text (a line break becomes one blank). A double quote anywhere else is a
//   plain character.
// - Field n of a record feeds the present column whose number is n (the column map is a
//   permutation of 1..k over its present entries, ImportColumnsProblem). A record holds at least
//   a field for every present column, and no cell the map reads is empty, the reference's
//   excepted: nothing is made up for what the file leaves out. Fields after the last present
//   column must be blank (spreadsheets write ";;" up to the farthest cell used). A record
//   without any ";" but with tabs or commas is refused with a word on the separator.
//
// Cells: see ImportedPart. Any fault stops the whole import: nothing is committed, and the error
// names the line, the column and the reason.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "job/JobState.h"
#include "job/MeasureUnit.h"
#include "job/Settings.h"

namespace tranchex {

// The largest import file read.
inline constexpr std::size_t kMaxImportFileBytes = 16u * 1024u * 1024u;

// One part of the file, checked, in UTF-8 and internal units (tenths of a millimetre).
struct ImportedPart {
  int Line = 0;  // line of the file where the part's record starts, from 1
  // The first three characters (not bytes) of the trimmed cell; with the column automatic or
  // the cell empty, the first free letters (FirstFreeLetters) of the sheet's references, in
  // file order ("a", "b", ... when the file gives none). Two given cells may yield one
  // reference (ReferenceClash).
  std::string Reference;
  std::string ReferenceCell;  // the trimmed cell the reference was cut from; empty: none given
  // The trimmed cell: no "/", no control character, at most 49 Windows-1252 characters.
  // Automatic: "Piece" followed by the part's position (0, 1, 2, ...), and DesignationGiven
  // false.
  std::string Designation;
  bool DesignationGiven = false;
  // The trimmed cell, checked as the designation. Empty with SpeciesGiven false when the column
  // is automatic.
  std::string Species;
  bool SpeciesGiven = false;
  std::int32_t Quantity = 0;  // 0 to kMaxQuantity, a whole number
  // Cell x file unit factor, above 0 and within the job's bounds. Length >= Width: a part given
  // narrower than wide is turned (the new length is the old width truncated to whole units, and
  // grains 0 and 1 are exchanged).
  double Length = 0.0;
  double Width = 0.0;
  // Cell x factor, within the job's bounds; 0 (or an automatic column) gives 100.0.
  double Thickness = 100.0;
  // 0, 1 or 2; automatic: the request's default grain.
  std::int32_t Grain = 1;
};

// Why a file was refused. Line and Column are 0 when the fault is the whole file's.
struct ImportError {
  int Line = 0;               // from 1, the file's own line numbers (the title line counts)
  int Column = 0;             // the field's position in the line, from 1
  std::string ColumnTitle;    // the title of the column map's entry ("Longueur"), or empty
  std::string Reason;         // in French, e.g. "nombre manquant"
  // A fault a title line read as a part may cause: on line 1, the text hints at the title-line
  // box. Not so for a part that is sound but too long for any panel.
  bool MayBeTitleLine = true;
};

// What a read needs besides the file.
struct ImportRequest {
  std::string_view Bytes;                  // the whole file
  std::vector<OPTION_COL_IMPORT> Columns;  // the column map: eight entries, in their fixed order
  bool HeaderLine = false;                 // the first line holds the titles and is skipped
  double UnitFactor = kMillimetreFactor;   // internal units per unit of the file
  std::int32_t DefaultGrain = 1;           // grain of the parts when the grain is automatic
};

using ImportReadResult = std::variant<std::vector<ImportedPart>, ImportError>;

// Reads and checks the whole file: at least one part, at most kMaxJobParts parts and kMaxCopies
// copies in all; or the first fault met.
ImportReadResult ReadCuttingSheet(const ImportRequest& request);

// When the request skips the first line as the column titles but that line reads as a sound
// part (every cell the column map reads passes), the line as UTF-8 text, without its line end:
// the caller asks whether to import it. Nothing otherwise.
std::optional<std::string> FirstLineAsPart(const ImportRequest& request);

// The bytes of an import file. Throws FileAccessError when it cannot be opened or read, and
// FileFormatError when it is larger than kMaxImportFileBytes.
std::string ReadImportFile(const std::filesystem::path& path);

// "Ligne 3, colonne 4 (Longueur) : nombre manquant"; for a fault of the whole file the reason
// alone. A fault on line 1 of a file read without a title line adds, on a line of its own, a
// hint to tick the title-line box of the import dialog. The caller shows it through
// ImportRefusalText in a warning box captioned text 188, with text 192 after it.
std::string ImportErrorText(const ImportError& error, bool headerLine);

// A size bound as a refusal names it, in the file's unit with every tenth: 1500 tenths are
// "150 mm", "15 cm", "5,906 pouces", "0,15 m" (a factor of no known unit: in millimetres).
std::string SizeInFileUnit(double tenths, double unitFactor);

// Two parts of a sheet that would share one reference: the first part whose reference an
// earlier part has (a file that repeats a reference, or two cells cut to the same three
// characters), the earlier one, and how many parts in all have a reference already taken.
struct ReferenceClash {
  int FirstLine = 0;       // the earlier part's line
  int Line = 0;            // the later part's line
  std::string Reference;   // the reference both would have
  std::string FirstCell;   // the cells they were cut from
  std::string Cell;
  std::size_t Count = 0;   // parts whose reference an earlier part has, this one included
};

// The first clash of the parts, in file order; nothing when every reference names one part.
std::optional<ReferenceClash> FindReferenceClash(const std::vector<ImportedPart>& parts);

// "Lignes 3 et 4 : la référence « P10 » désigne deux pièces (« P101 » et « P102 » coupées à
// trois caractères)", and how many more parts share a reference when there are.
std::string ReferenceClashText(const ReferenceClash& clash);

// Every part whose reference an earlier part has gets the first free letters of the sheet's
// references, in file order; the others keep theirs.
void FreeTakenReferences(std::vector<ImportedPart>& parts);

// The message of a refused sheet: text 126 "Erreur dans l'ouverture du fichier !", then on a
// line of its own the fault (ImportErrorText). The window adds text 192 on a last line.
std::string ImportRefusalText(const std::string& fault);

// What the commit would make of parts the reader accepted, checked before anything changes: the
// first part no proposed panel takes with the default margin (a part too long for the longest
// panel a job holds once the margin is added), on its line and in the length column; or panels,
// parts or texts the job rules would refuse (the kerf and margins, taken from the settings, are
// left to the review in Modify). Nothing when the import can go on. The settings are not
// touched.
std::optional<ImportError> ImportedPartsProblem(const std::vector<ImportedPart>& parts,
                                                const UNITE_MESURE& fileUnit,
                                                const Settings& settings);

// The species the parts name that the list lacks, each once, in sheet order ("Non spécifié",
// which names no species, is not one unless the list has a species of that name). The window
// adds them to the species file before the commit: a place is on disk before a part names it.
std::vector<std::string> SpeciesTheListLacks(const std::vector<ImportedPart>& parts,
                                             const std::vector<std::string>& species);

// Which reference lists the commit lengthened. The matching dirty flags of the settings are
// already raised by the commit where the rules ask for it (see CommitImportedParts).
struct ImportListChanges {
  bool SpeciesAdded = false;
  bool DesignationsAdded = false;
  bool PartSizesAdded = false;
};

// Puts the parts read into a job the caller has just emptied (ClearJobLists):
// - JobParts (numbered 0..n-1 in file order), JobReferences, JobDesignations, the part counter;
// - each species looked up by exact name in SpeciesNames (the window has added those it
//   lacked, SpeciesTheListLacks; a dry run appends them to its own copy); a part whose species
//   column is automatic takes index 0 and adds no name; "Non spécifié", when the list has no
//   species of that name, is no species (kNoSpecies, job/SpeciesList.h);
// - a given designation missing from DesignationNames is appended (DesignationsFileDirty when
//   ImportAddDesignations is set);
// - two part sizes per part (length, width, 100, kind 1) and (length, width, thickness, kind 2),
//   lengths truncated, each appended when PartSizes lacks it (PartSizesDirty when
//   ImportAddDimensions is set);
// - the stock panels and the job kind (ImportPanels.h), fitted with the default margin on each
//   side of a part: a job of bars (every part 100.0 wide and thick) gets panels by length,
//   differentiated margins and MarginsAllZero 1; any other job square-grown panels, plain
//   margins and MarginsAllZero 0;
// - the margins 0.0 except the margin on length, DefaultMargin; JobKerf := DefaultKerf, which
//   the margins step of the modify flow then shows.
// The caller then runs the modify flow with MarginsPending set.
ImportListChanges CommitImportedParts(const std::vector<ImportedPart>& parts,
                                      const UNITE_MESURE& fileUnit, Settings& settings,
                                      JobState& job);

}  // namespace tranchex
