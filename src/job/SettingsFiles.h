#pragma once
// The settings and reference files of the data folder, one loader and one saver each:
//
//   "Options.dat"       226 bytes: the options, field after field (see SettingsFiles.cpp)
//   "Unite.dat"          38 bytes: factor (double), abbreviation and second text (15-byte fields)
//   "FEssences.dat"      species, one 50-byte text field each, no count
//   "FDesPieces.dat"     designations, the same
//   "FDimPanneaux.dat"   int32 count, then 16-byte records (length, width, thickness, kind)
//   "FDimPieces.dat"     the same for the part sizes
//   "FEtiquettes.dat"    int32 count, then 39-byte records (15-byte name, six int32)
//
// Little-endian, int32 integers, IEEE 754 doubles; texts are Windows-1252, NUL-terminated in
// fixed fields. A loader reads the whole file before it changes anything: a refused file (short,
// too large, a count it cannot hold, a value out of range) leaves the settings as a missing file
// would, never half-loaded. A saver writes the whole file atomically or throws and leaves the old
// file as it was.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "job/Settings.h"

namespace tranchex {

inline constexpr const char* kOptionsFileName = "Options.dat";
inline constexpr const char* kUnitFileName = "Unite.dat";
inline constexpr const char* kSpeciesFileName = "FEssences.dat";
inline constexpr const char* kDesignationsFileName = "FDesPieces.dat";
inline constexpr const char* kPanelSizesFileName = "FDimPanneaux.dat";
inline constexpr const char* kPartSizesFileName = "FDimPieces.dat";
inline constexpr const char* kLabelsFileName = "FEtiquettes.dat";
// The job folder, inside the data folder: where the open and save dialogs start.
inline constexpr const char* kJobFolderName = "Mesdebits";

inline constexpr std::size_t kOptionsFileSize = 226;
inline constexpr std::size_t kUnitFileSize = 38;
inline constexpr std::size_t kNameFieldSize = 50;  // a species or a designation
inline constexpr std::size_t kDimensionsRecordSize = 16;
inline constexpr std::size_t kLabelRecordSize = 39;
inline constexpr std::size_t kLabelNameFieldSize = 15;
inline constexpr std::size_t kWordFieldSize = 21;
inline constexpr std::size_t kUnitTextFieldSize = 15;

// The job folder of a data folder.
std::filesystem::path JobFolderPath(const std::filesystem::path& dataFolder);

enum class FileLoadStatus {
  Loaded,   // the file was read
  Missing,  // no file: the file's missing-file behaviour
  Refused,  // the file is there but unreadable or corrupt: as missing, and a message
};

struct FileLoadResult {
  FileLoadStatus Status = FileLoadStatus::Missing;
  // For a refused file: language text 126 followed by the file name, as the warning box shows
  // it (its caption is text 126 too), and what was wrong.
  std::string Message;
  std::string Detail;
};

// A settings file that cannot be written. ReadOnly: the file exists and stays read-only (the
// message is language text 215, the box's caption text 126). The old file is untouched.
class SettingsFileError : public std::runtime_error {
 public:
  SettingsFileError(const std::string& message, std::string fileName, bool readOnly)
      : std::runtime_error(message), fileName_(std::move(fileName)), readOnly_(readOnly) {}
  const std::string& fileName() const { return fileName_; }
  bool readOnly() const { return readOnly_; }

 private:
  std::string fileName_;
  bool readOnly_;
};

// ---- Unit of measure ----------------------------------------------------------------------
// Missing, shorter than 38 bytes or with a factor that is not a finite number above 0: factor
// 10.0 and "mm" (the second text kept) and UnitFileDirty := 1, so the file is written at close.
FileLoadResult LoadUnitFile(const std::filesystem::path& dataFolder, Settings& settings);
void SaveUnitFile(const std::filesystem::path& dataFolder, Settings& settings);

// ---- Options ------------------------------------------------------------------------------
// Missing, shorter than 226 bytes or with a value out of range: every option takes its default,
// the words are the language texts and CustomWordsLoaded := 0. Read: CustomWordsLoaded := 1.
// Both: OptionsFileDirty := 0 and the eight import columns get their keys and titles.
FileLoadResult LoadOptionsFile(const std::filesystem::path& dataFolder, Settings& settings);
void SaveOptionsFile(const std::filesystem::path& dataFolder, Settings& settings);
// Why an import column map cannot be used, or nothing: eight entries, each present or not; the
// present ones carry the columns 1..k, each once (k of them), and include the count, the length
// and the width, which have no automatic value. Options holding another map are refused.
std::optional<std::string> ImportColumnsProblem(const std::vector<OPTION_COL_IMPORT>& columns);
// The options of a missing file.
void ApplyDefaultOptions(Settings& settings);
// The four words for a panel and a part as the language texts have them.
void ApplyDefaultWords(Settings& settings);

// ---- The words for a panel and a part ------------------------------------------------------
// The options file holds each word in 20 Windows-1252 characters: a word is 1 to 20 of them,
// without NUL.
inline constexpr std::size_t kMaxOptionWordLength = kWordFieldSize - 1;
enum class OptionWordFault {
  None,
  BadLength,    // no character, or more than kMaxOptionWordLength
  NotStorable,  // a character Windows-1252 cannot hold, or a NUL
};
OptionWordFault CheckOptionWord(const std::string& word);
// The plural made from a singular word: the word followed by "s", or the word alone when the "s"
// would take it past kMaxOptionWordLength characters.
std::string PluralOfWord(const std::string& singular);

// ---- Species and designations -------------------------------------------------------------
// Missing or refused: the list is left as it was. A last field cut short still gives an entry.
FileLoadResult LoadSpeciesFile(const std::filesystem::path& dataFolder, Settings& settings);
FileLoadResult LoadDesignationsFile(const std::filesystem::path& dataFolder, Settings& settings);
// The species in list order: job records refer to a species by its position. Writes the list as
// it stands; the program itself changes the file only through AddSpeciesToFile and
// DeleteSpeciesFromFile.
void SaveSpeciesFile(const std::filesystem::path& dataFolder, Settings& settings);
// Sorts the designations in place by their Windows-1252 bytes, then writes them.
void SaveDesignationsFile(const std::filesystem::path& dataFolder, Settings& settings);

// ---- The species file, shared by every copy on the data folder -----------------------------
// A job file names each record's species by its place in "FEssences.dat", so a place must be on
// disk before any job can name it, and never mean two species. Every change of the list is
// therefore written at once, under the lock file "FEssences.lock", after taking in what the
// file holds now: another copy's names keep their places (and join this copy's list), and a new
// name takes the next place free in the file. A change that cannot be written throws
// SettingsFileError (the reason, for "FEssences.dat") and leaves the list as it was.
inline constexpr const char* kSpeciesLockFileName = "FEssences.lock";
// The most places the species file's reader accepts (and so the list may ever hold: deleted
// places are never given again).
inline constexpr std::size_t kMaxSpeciesPlaces = 100000;

// The list becomes what the file holds: each place the file has takes the file's name (another
// copy's additions and deletes), places past the file keep this copy's names. A missing,
// unreadable or refused file leaves the list as it was. No lock is needed to read: the file is
// always replaced whole.
void TakeInSpeciesFile(const std::filesystem::path& dataFolder, Settings& settings);
// Takes in the file, gives each name the place the list has for it (exact letters) or the next
// place free, writes the file and returns the places, in the order of the names. A file refused
// at reading is kept beside as "FEssences.dat.bak" before it is replaced. Refused past
// kMaxSpeciesPlaces.
std::vector<std::int32_t> AddSpeciesToFile(const std::filesystem::path& dataFolder,
                                           Settings& settings,
                                           const std::vector<std::string>& names);
// Takes in the file, empties the names at the places given (the places stay, never given
// again), and writes the file.
void DeleteSpeciesFromFile(const std::filesystem::path& dataFolder, Settings& settings,
                           const std::vector<std::size_t>& places);

// ---- Standard sizes -----------------------------------------------------------------------
// "FDimPanneaux.dat" (exact name) is PanelSizes, any other name PartSizes. A count of 0 or less
// gives an empty list. Missing or refused: the list is left as it was.
FileLoadResult LoadDimensionsFile(const std::filesystem::path& dataFolder,
                                  const std::string& fileName, Settings& settings);
// Sorts the list in place by length (records of equal length keep their order), then writes it.
void SaveDimensionsFile(const std::filesystem::path& dataFolder, const std::string& fileName,
                        Settings& settings);

// ---- Label formats ------------------------------------------------------------------------
// A count of 0 or less gives an empty list. Missing or refused: the list is left as it was.
FileLoadResult LoadLabelsFile(const std::filesystem::path& dataFolder, Settings& settings);
// Writes the list unsorted. An empty list removes the file instead: a file with a count of 0
// would stop other readers of the format at their start, and a missing file is an empty list.
void SaveLabelsFile(const std::filesystem::path& dataFolder, Settings& settings);

// ---- Start and close ----------------------------------------------------------------------
// The loaders in start order (unit, options, species, panel sizes, part sizes, labels,
// designations) with the dirty flags cleared as the start-up does. Returns the results of the
// refused files, for the warning boxes.
std::vector<FileLoadResult> LoadSettingsFiles(const std::filesystem::path& dataFolder,
                                              Settings& settings);

// The savers of the files whose dirty flag is set, in close order (panel sizes, part sizes,
// labels, unit, options, designations; the species file is written at each change instead),
// except the files named in `kept`. A failure does not stop the others; the messages of the
// failures are returned. The flags are left as they are.
std::vector<SettingsFileError> SaveDirtySettingsFiles(const std::filesystem::path& dataFolder,
                                                      Settings& settings,
                                                      const std::set<std::string>& kept = {});
// The names of the files whose dirty flag is set, in close order.
std::vector<std::string> DirtySettingsFileNames(const Settings& settings);

// ---- Two copies on one data folder ---------------------------------------------------------
// A digest of a list file's bytes as they are on disk, nothing for a missing or unreadable
// file. Taken when a list is read and compared at close: a file whose digest changed was
// written meanwhile by another copy of the program, and is not written over.
using FileDigest = std::optional<std::size_t>;
FileDigest ListFileDigest(const std::filesystem::path& file);
// The names of the six reference files written at close, in close order.
const std::vector<std::string>& SettingsFileNames();

}  // namespace tranchex
