#include "job/SettingsFiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <chrono>
#include <functional>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/BinaryIO.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/FileLock.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "job/JobRecordChecks.h"
#include "job/ListTexts.h"
#include "job/Outils_debit.h"

namespace tranchex {
namespace fs = std::filesystem;

namespace {

// Bounds on the files we read whole: far beyond any list a shop keeps, small enough to hold.
constexpr std::size_t kMaxOptionsFileBytes = 64 * 1024;
constexpr std::size_t kMaxNameFileBytes = kNameFieldSize * kMaxSpeciesPlaces;
constexpr std::size_t kMaxCountedFileBytes = 16 * 1024 * 1024;

// The eight import columns: their keys and the language texts of their titles.
struct ImportColumnRow {
  const char* Key;
  int TitleId;
};
constexpr std::array<ImportColumnRow, kImportColumnCount> kImportColumnRows = {{
    {"CbxNumColRef", TextId::Columns::TextReference},
    {"CbxNumColDes", TextId::Columns::TextDesignation},
    {"CbxNumColNB", TextId::Columns::TextCount},
    {"CbxNumColLng", TextId::Columns::TextLength},
    {"CbxNumColLarg", TextId::Columns::TextWidth},
    {"CbxNumColEp", TextId::Columns::TextThickness},
    {"CbxNumColEss", TextId::Columns::TextSpecies},
    {"CbxNumColSens", TextId::Columns::TextGrain},
}};

// The file's bytes, or why there are none.
struct RawFile {
  FileLoadStatus Status = FileLoadStatus::Missing;
  std::string Bytes;
  std::string Detail;
};

RawFile ReadRaw(const fs::path& path, std::size_t maxBytes) {
  RawFile raw;
  std::error_code ec;
  if (!fs::exists(path, ec) && !ec) return raw;  // Missing
  try {
    raw.Bytes = ReadFileBytes(path, maxBytes);
    raw.Status = FileLoadStatus::Loaded;
  } catch (const FileAccessError&) {
    // A file that cannot be opened is taken as missing, without a message.
    raw.Status = FileLoadStatus::Missing;
  } catch (const FileFormatError& e) {
    raw.Status = FileLoadStatus::Refused;
    raw.Detail = e.what();
  }
  return raw;
}

FileLoadResult Refused(Settings& settings, const std::string& fileName, std::string detail) {
  if (std::find(settings.RefusedFiles.begin(), settings.RefusedFiles.end(), fileName) ==
      settings.RefusedFiles.end()) {
    settings.RefusedFiles.push_back(fileName);
  }
  FileLoadResult result;
  result.Status = FileLoadStatus::Refused;
  result.Message = LoadString(TextId::Messages::MsgOpenError) + fileName;
  result.Detail = std::move(detail);
  return result;
}

FileLoadResult Result(FileLoadStatus status) {
  FileLoadResult result;
  result.Status = status;
  return result;
}

// The text of a field, or of the part of a field a file ends in: the bytes up to the first NUL,
// never more than the field holds (a writer may fill a field to its end).
// The Windows-1252 bytes of a text for a field of the given width, shortened to width - 1 bytes
// when longer. A character the code page lacks cannot be stored: the file is not written.
std::string EncodeFieldText(const std::string& text, std::size_t width, const char* fileName) {
  std::optional<std::string> bytes = Utf8ToCp1252(text);
  if (!bytes) {
    throw SettingsFileError("Le texte \"" + text + "\" de " + fileName +
                                " contient un caractère qui ne peut pas être enregistré",
                            fileName, false);
  }
  if (bytes->size() > width - 1) bytes->resize(width - 1);
  return *bytes;
}

void WriteFieldText(BinaryWriter& w, const std::string& text, std::size_t width,
                    const char* fileName) {
  const std::string bytes = EncodeFieldText(text, width, fileName);
  w.writeBytes(bytes);
  w.writeZeros(width - bytes.size());
}

bool FiniteNonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

// A file refused at load never reached the lists: before it is replaced, its bytes are kept
// beside it ("name.bak", or "name.bak2" and up when that is taken).
void KeepRefusedCopy(const fs::path& path, const char* fileName, const Settings& settings) {
  if (std::find(settings.RefusedFiles.begin(), settings.RefusedFiles.end(), fileName) ==
      settings.RefusedFiles.end()) {
    return;
  }
  std::error_code ec;
  if (!fs::exists(path, ec)) return;
  for (int n = 1; n <= 100; ++n) {
    fs::path copy = path;
    copy += n == 1 ? std::string(".bak") : ".bak" + std::to_string(n);
    if (fs::exists(copy, ec)) continue;
    if (fs::copy_file(path, copy, ec) && !ec) return;
    break;
  }
  throw SettingsFileError(std::string("Impossible de garder une copie de ") + fileName +
                              " avant de le remplacer",
                          fileName, false);
}

// Once replaced, the file holds what the settings hold: nothing more to keep.
void ForgetRefusal(const char* fileName, Settings& settings) {
  std::erase(settings.RefusedFiles, std::string(fileName));
}

// The common writer: refuses a read-only file, keeps a refused file's bytes, then replaces the
// file atomically.
void WriteSettingsFile(const fs::path& dataFolder, const char* fileName, Settings& settings,
                       const std::string& bytes) {
  const fs::path path = dataFolder / fileName;
  if (!ClearReadOnly(path)) {
    throw SettingsFileError(LoadString(TextId::Messages::MsgReadOnlyFile), fileName, true);
  }
  KeepRefusedCopy(path, fileName, settings);
  try {
    WriteFileAtomic(path, bytes);
  } catch (const FileAccessError& e) {
    throw SettingsFileError(e.what(), fileName, false);
  }
  ForgetRefusal(fileName, settings);
}

void ApplyImportColumnTexts(std::vector<OPTION_COL_IMPORT>& columns) {
  for (std::size_t i = 0; i < kImportColumnCount && i < columns.size(); ++i) {
    columns[i].Key = kImportColumnRows[i].Key;
    columns[i].Title = LoadString(kImportColumnRows[i].TitleId);
  }
}

// ---- Names files ----------------------------------------------------------------------------

// The names of a names file, one per 50-byte field; a last field cut short still gives one.
std::vector<std::string> DecodeNames(std::string_view bytes) {
  std::vector<std::string> names;
  names.reserve(bytes.size() / kNameFieldSize + 1);
  for (std::size_t offset = 0; offset < bytes.size(); offset += kNameFieldSize) {
    names.push_back(FixedFieldText(bytes.substr(offset, kNameFieldSize), kNameFieldSize));
  }
  return names;
}

FileLoadResult LoadNamesFile(const fs::path& dataFolder, const char* fileName, Settings& settings,
                             std::vector<std::string>& list) {
  RawFile raw = ReadRaw(dataFolder / fileName, kMaxNameFileBytes);
  if (raw.Status == FileLoadStatus::Missing) return Result(FileLoadStatus::Missing);
  if (raw.Status == FileLoadStatus::Refused) return Refused(settings, fileName, raw.Detail);
  list = DecodeNames(raw.Bytes);
  return Result(FileLoadStatus::Loaded);
}

std::string EncodeNames(const std::vector<std::string>& names, const char* fileName) {
  BinaryWriter w;
  for (const std::string& name : names) WriteFieldText(w, name, kNameFieldSize, fileName);
  return w.take();
}

// ---- Counted files --------------------------------------------------------------------------

// The records of a file made of an int32 count and fixed-size records; nothing when the count is
// 0 or less. Throws FileFormatError when the file cannot hold the count.
template <class Record, class ReadRecord>
std::vector<Record> ReadCounted(std::string_view bytes, std::size_t recordSize,
                                ReadRecord readRecord) {
  BinaryReader r(bytes);
  const std::int32_t count = r.readI32();
  std::vector<Record> records;
  if (count <= 0) return records;
  if (static_cast<std::size_t>(count) > r.remaining() / recordSize) {
    throw FileFormatError("le fichier ne contient pas les " + std::to_string(count) +
                              " enregistrements annoncés",
                          0);
  }
  records.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) records.push_back(readRecord(r));
  return records;
}

std::vector<DIMENSIONS>& SizeList(const std::string& fileName, Settings& settings) {
  return fileName == kPanelSizesFileName ? settings.PanelSizes : settings.PartSizes;
}

// ---- Options --------------------------------------------------------------------------------

// Why options could not be stored and read back, or nothing when they can.
std::optional<std::string> OptionsProblem(const Settings& options) {
  if (!(std::isfinite(options.MaxLength) && options.MaxLength > 0.0) ||
      !(std::isfinite(options.MaxWidth) && options.MaxWidth > 0.0)) {
    return "dimensions maximales non valides";
  }
  for (double v : {options.DefaultPanelLength, options.DefaultPanelWidth, options.OffcutMinLength,
                   options.OffcutMinWidth, options.OffcutMinSurface, options.DefaultMargin,
                   options.DefaultThicknessMargin}) {
    if (!FiniteNonNegative(v)) return "valeur par défaut non valide";
  }
  if (options.DefaultKerf < 0 || options.DefaultKerf > 500) return "trait de scie non valide";
  if (options.ImportDefaultGrain < 0 || options.ImportDefaultGrain > 2) {
    return "sens du fil par défaut non valide";
  }
  if (ImportColumnsProblem(options.ImportColumns)) return "colonnes d'importation non valides";
  return std::nullopt;
}

// The options of the file, or why they are refused.
// What a read of "Options.dat" found: whether it held every field.
struct OptionsRead {
  bool Whole = true;
};

// Reads the fields the file holds whole, in file order. A field cut by the end of the file and
// every field after it keep the values options had. A flag byte other than 0 reads as 1.
OptionsRead DecodeOptions(std::string_view bytes, Settings& options) {
  BinaryReader r(bytes);
  OptionsRead got;
  auto has = [&](std::size_t size) {
    if (got.Whole && r.remaining() < size) got.Whole = false;
    return got.Whole;
  };
  auto flag = [&](std::uint8_t& field) {
    if (has(1)) field = r.readU8() != 0 ? 1 : 0;
  };
  auto number = [&](double& field) {
    if (has(8)) field = r.readDouble();
  };
  auto integer = [&](std::int32_t& field) {
    if (has(4)) field = r.readI32();
  };
  number(options.MaxLength);
  number(options.MaxWidth);
  number(options.DefaultPanelLength);
  number(options.DefaultPanelWidth);
  // Each word is its own field: one the file holds whole is kept even when the next is cut.
  auto word = [&](std::string& field) {
    if (has(kWordFieldSize)) field = r.readFixedText(kWordFieldSize);
  };
  word(options.WordPanel);
  word(options.WordPanels);
  word(options.WordPart);
  word(options.WordParts);
  flag(options.GrainDirectionEnabled);
  flag(options.AskMargins);
  flag(options.AskOptimisationCriteria);
  integer(options.DimensionDisplayMode);
  integer(options.SummaryInMetres);
  integer(options.CutLineLabelMode);
  integer(options.OffcutFilterMode);
  number(options.OffcutMinLength);
  number(options.OffcutMinWidth);
  number(options.OffcutMinSurface);
  number(options.DefaultMargin);
  number(options.DefaultThicknessMargin);
  integer(options.DefaultKerf);
  flag(options.ImportAddSpecies);
  flag(options.ImportAddDesignations);
  flag(options.ImportAddDimensions);
  integer(options.ImportDefaultGrain);
  if (options.ImportColumns.size() != kImportColumnCount) options.ImportColumns = DefaultImportColumns();
  // The column map is one field: a map cut short would mix the file's columns with the factory
  // ones, and keeps the factory map whole.
  if (has(5 * kImportColumnCount)) {
    for (OPTION_COL_IMPORT& column : options.ImportColumns) {
      column.Column = r.readI32();
      column.Given = r.readU8() != 0 ? 1 : 0;
    }
  }
  return got;
}

}  // namespace


std::vector<OPTION_COL_IMPORT> DefaultImportColumns() {
  std::vector<OPTION_COL_IMPORT> columns(kImportColumnCount);
  for (std::size_t i = 0; i < kImportColumnCount; ++i) {
    columns[i].Column = static_cast<std::int32_t>(i + 1);
    columns[i].Given = 1;
  }
  ApplyImportColumnTexts(columns);
  return columns;
}

std::optional<std::string> ImportColumnsProblem(const std::vector<OPTION_COL_IMPORT>& columns) {
  if (columns.size() != kImportColumnCount) return "la liste des colonnes n'a pas huit entrées";
  std::int32_t present = 0;
  for (const OPTION_COL_IMPORT& column : columns) {
    // An absent entry keeps its number for the order of the options dialog's summary.
    if (column.Column < 1 || column.Column > static_cast<std::int32_t>(kImportColumnCount) ||
        column.Given > 1) {
      return "numéro de colonne non valide";
    }
    if (column.Given == 1) ++present;
  }
  for (std::size_t entry : {ImportCountEntry, ImportLengthEntry, ImportWidthEntry}) {
    if (columns[entry].Given != 1) return "le nombre, la longueur et la largeur doivent être lus";
  }
  // Each of the columns 1..k claimed by exactly one present entry.
  std::array<int, kImportColumnCount + 1> claims{};
  for (const OPTION_COL_IMPORT& column : columns) {
    if (column.Given != 1) continue;
    if (column.Column > present) return "les colonnes lues ne se suivent pas à partir de 1";
    if (++claims[static_cast<std::size_t>(column.Column)] > 1) {
      return "deux éléments lus dans la même colonne";
    }
  }
  return std::nullopt;
}

fs::path JobFolderPath(const fs::path& dataFolder) { return dataFolder / kJobFolderName; }

// ---- Unit of measure --------------------------------------------------------------------------

FileLoadResult LoadUnitFile(const fs::path& dataFolder, Settings& settings) {
  RawFile raw = ReadRaw(dataFolder / kUnitFileName, kMaxOptionsFileBytes);
  FileLoadResult result = Result(raw.Status);
  if (raw.Status == FileLoadStatus::Loaded) {
    if (raw.Bytes.size() < kUnitFileSize) {
      result = Refused(settings, kUnitFileName, "fichier trop court");
    } else {
      BinaryReader r(raw.Bytes);
      UNITE_MESURE unit;
      unit.Factor = r.readDouble();
      unit.Abbreviation = r.readFixedText(kUnitTextFieldSize);
      unit.SecondText = r.readFixedText(kUnitTextFieldSize);
      if (IsUsableUnitFactor(unit.Factor)) {
        settings.MeasureUnit = std::move(unit);
        return result;
      }
      result = Refused(settings, kUnitFileName, "facteur d'unité non valide");
    }
  } else if (raw.Status == FileLoadStatus::Refused) {
    result = Refused(settings, kUnitFileName, raw.Detail);
  }
  // As a missing file: millimetres, and the file is written at close.
  settings.MeasureUnit.Factor = kMillimetreFactor;
  settings.MeasureUnit.Abbreviation = "mm";
  settings.UnitFileDirty = 1;
  return result;
}

void SaveUnitFile(const fs::path& dataFolder, Settings& settings) {
  if (!IsUsableUnitFactor(settings.MeasureUnit.Factor)) {
    throw SettingsFileError(std::string(kUnitFileName) + " : facteur d'unité non valide",
                            kUnitFileName, false);
  }
  BinaryWriter w;
  w.writeDouble(settings.MeasureUnit.Factor);
  WriteFieldText(w, settings.MeasureUnit.Abbreviation, kUnitTextFieldSize, kUnitFileName);
  WriteFieldText(w, settings.MeasureUnit.SecondText, kUnitTextFieldSize, kUnitFileName);
  WriteSettingsFile(dataFolder, kUnitFileName, settings, w.take());
}

// ---- Options ----------------------------------------------------------------------------------

void ApplyDefaultWords(Settings& s) {
  DefaultWords words = LoadDefaultWords();
  s.WordPanel = std::move(words.WordPanel);
  s.WordPanels = std::move(words.WordPanels);
  s.WordPart = std::move(words.WordPart);
  s.WordParts = std::move(words.WordParts);
}

void ApplyDefaultOptions(Settings& s) {
  const Settings defaults;
  s.MaxLength = defaults.MaxLength;
  s.MaxWidth = defaults.MaxWidth;
  s.DefaultPanelLength = defaults.DefaultPanelLength;
  s.DefaultPanelWidth = defaults.DefaultPanelWidth;
  ApplyDefaultWords(s);
  s.GrainDirectionEnabled = defaults.GrainDirectionEnabled;
  s.AskMargins = defaults.AskMargins;
  s.AskOptimisationCriteria = defaults.AskOptimisationCriteria;
  s.DimensionDisplayMode = defaults.DimensionDisplayMode;
  s.SummaryInMetres = 1;
  s.CutLineLabelMode = defaults.CutLineLabelMode;
  s.OffcutFilterMode = defaults.OffcutFilterMode;
  s.OffcutMinLength = defaults.OffcutMinLength;
  s.OffcutMinWidth = defaults.OffcutMinWidth;
  s.OffcutMinSurface = defaults.OffcutMinSurface;
  s.DefaultMargin = defaults.DefaultMargin;
  s.DefaultThicknessMargin = defaults.DefaultThicknessMargin;
  s.DefaultKerf = defaults.DefaultKerf;
  s.ImportAddSpecies = defaults.ImportAddSpecies;
  s.ImportAddDesignations = defaults.ImportAddDesignations;
  s.ImportAddDimensions = defaults.ImportAddDimensions;
  s.ImportDefaultGrain = defaults.ImportDefaultGrain;
  s.ImportColumns = DefaultImportColumns();
  s.CustomWordsLoaded = 0;
}

OptionWordFault CheckOptionWord(const std::string& word) {
  switch (CheckStoredText(word, kMaxOptionWordLength)) {
    case StoredTextFault::NotStorable:
      return OptionWordFault::NotStorable;
    case StoredTextFault::TooLong:
      return OptionWordFault::BadLength;
    case StoredTextFault::None:
      break;
  }
  return word.empty() ? OptionWordFault::BadLength : OptionWordFault::None;
}

std::string PluralOfWord(const std::string& singular) {
  std::string plural = singular + "s";
  if (CheckOptionWord(plural) == OptionWordFault::BadLength) return singular;
  return plural;
}

FileLoadResult LoadOptionsFile(const fs::path& dataFolder, Settings& settings) {
  RawFile raw = ReadRaw(dataFolder / kOptionsFileName, kMaxOptionsFileBytes);
  FileLoadResult result = Result(raw.Status);
  bool rewrite = false;
  if (raw.Status == FileLoadStatus::Refused) {
    result = Refused(settings, kOptionsFileName, raw.Detail);
  } else if (raw.Status == FileLoadStatus::Loaded) {
    // A file cut short keeps what it holds whole; the rest takes the defaults, and the file is
    // written back whole at exit.
    Settings read = settings;
    ApplyDefaultOptions(read);
    const OptionsRead got = DecodeOptions(raw.Bytes, read);
    if (std::optional<std::string> why = OptionsProblem(read)) {
      result = Refused(settings, kOptionsFileName, *why);
    } else {
      settings = std::move(read);
      // The words are the file's, as far as it holds them: the language texts must not
      // replace the ones it gave.
      settings.CustomWordsLoaded = 1;
      rewrite = !got.Whole;
    }
  }
  if (result.Status != FileLoadStatus::Loaded) ApplyDefaultOptions(settings);
  settings.OptionsFileDirty = rewrite ? 1 : 0;
  ApplyImportColumnTexts(settings.ImportColumns);
  return result;
}

void SaveOptionsFile(const fs::path& dataFolder, Settings& s) {
  // Options the reader would refuse at the next start are not written: they would all fall
  // back to their defaults.
  if (std::optional<std::string> why = OptionsProblem(s)) {
    throw SettingsFileError(std::string(kOptionsFileName) + " : " + *why, kOptionsFileName, false);
  }
  BinaryWriter w;
  w.writeDouble(s.MaxLength);
  w.writeDouble(s.MaxWidth);
  w.writeDouble(s.DefaultPanelLength);
  w.writeDouble(s.DefaultPanelWidth);
  WriteFieldText(w, s.WordPanel, kWordFieldSize, kOptionsFileName);
  WriteFieldText(w, s.WordPanels, kWordFieldSize, kOptionsFileName);
  WriteFieldText(w, s.WordPart, kWordFieldSize, kOptionsFileName);
  WriteFieldText(w, s.WordParts, kWordFieldSize, kOptionsFileName);
  w.writeU8(s.GrainDirectionEnabled);
  w.writeU8(s.AskMargins);
  w.writeU8(s.AskOptimisationCriteria);
  w.writeI32(s.DimensionDisplayMode);
  w.writeI32(s.SummaryInMetres);
  w.writeI32(s.CutLineLabelMode);
  w.writeI32(s.OffcutFilterMode);
  w.writeDouble(s.OffcutMinLength);
  w.writeDouble(s.OffcutMinWidth);
  w.writeDouble(s.OffcutMinSurface);
  w.writeDouble(s.DefaultMargin);
  w.writeDouble(s.DefaultThicknessMargin);
  w.writeI32(s.DefaultKerf);
  w.writeU8(s.ImportAddSpecies);
  w.writeU8(s.ImportAddDesignations);
  w.writeU8(s.ImportAddDimensions);
  w.writeI32(s.ImportDefaultGrain);
  const std::vector<OPTION_COL_IMPORT> defaults = DefaultImportColumns();
  for (std::size_t i = 0; i < kImportColumnCount; ++i) {
    const OPTION_COL_IMPORT& column = i < s.ImportColumns.size() ? s.ImportColumns[i] : defaults[i];
    w.writeI32(column.Column);
    w.writeU8(column.Given);
  }
  WriteSettingsFile(dataFolder, kOptionsFileName, s, w.take());
}

// ---- Species and designations -----------------------------------------------------------------

FileLoadResult LoadSpeciesFile(const fs::path& dataFolder, Settings& settings) {
  return LoadNamesFile(dataFolder, kSpeciesFileName, settings, settings.SpeciesNames);
}

FileLoadResult LoadDesignationsFile(const fs::path& dataFolder, Settings& settings) {
  return LoadNamesFile(dataFolder, kDesignationsFileName, settings, settings.DesignationNames);
}

void SaveSpeciesFile(const fs::path& dataFolder, Settings& settings) {
  WriteSettingsFile(dataFolder, kSpeciesFileName, settings,
                    EncodeNames(settings.SpeciesNames, kSpeciesFileName));
}

// ---- The species file, shared ----------------------------------------------------------------

namespace {

// How long a change of the species list waits for another copy to finish its own: a write of a
// few kilobytes, so far beyond what a live copy takes.
constexpr std::chrono::milliseconds kSpeciesLockPatience{5000};

// The names the species file holds, nothing when it is missing or refused (a refusal is noted,
// so that the file is kept beside before it is replaced). Throws SettingsFileError when it is
// there but cannot be read: writing over it would lose what it holds.
std::optional<std::vector<std::string>> ReadSpeciesOnDisk(const fs::path& dataFolder,
                                                          Settings& settings) {
  const fs::path path = dataFolder / kSpeciesFileName;
  std::error_code ec;
  if (fs::symlink_status(path, ec).type() == fs::file_type::not_found) return std::nullopt;
  try {
    return DecodeNames(ReadFileBytes(path, kMaxNameFileBytes));
  } catch (const FileAccessError& e) {
    throw SettingsFileError(e.what(), kSpeciesFileName, false);
  } catch (const FileFormatError& e) {
    Refused(settings, kSpeciesFileName, e.what());
    return std::nullopt;
  }
}

// The file's names at the places it has; this copy's past them.
void MergeSpeciesOnDisk(std::vector<std::string>& list, const std::vector<std::string>& onDisk) {
  if (list.size() < onDisk.size()) list.resize(onDisk.size());
  std::copy(onDisk.begin(), onDisk.end(), list.begin());
}

// Runs change on the list as the file holds it now, under the lock, and writes the result; the
// settings take it only once it is on disk.
template <class Change>
void ChangeSpeciesFile(const fs::path& dataFolder, Settings& settings, Change&& change) {
  std::optional<ExclusiveFileLock> lock;
  try {
    lock.emplace(dataFolder / kSpeciesLockFileName, kSpeciesLockPatience);
  } catch (const FileAccessError& e) {
    throw SettingsFileError(e.what(), kSpeciesFileName, false);
  }
  std::vector<std::string> list = settings.SpeciesNames;
  if (const auto onDisk = ReadSpeciesOnDisk(dataFolder, settings))
    MergeSpeciesOnDisk(list, *onDisk);
  change(list);
  if (list.size() > kMaxSpeciesPlaces) {
    throw SettingsFileError(
        "La liste des essences a atteint ses " + std::to_string(kMaxSpeciesPlaces) +
            " places (les essences supprimées gardent la leur) : aucune essence ne peut plus y "
            "être ajoutée.",
        kSpeciesFileName, false);
  }
  WriteSettingsFile(dataFolder, kSpeciesFileName, settings,
                    EncodeNames(list, kSpeciesFileName));
  settings.SpeciesNames = std::move(list);
}

}  // namespace

void TakeInSpeciesFile(const fs::path& dataFolder, Settings& settings) {
  try {
    if (const auto onDisk = ReadSpeciesOnDisk(dataFolder, settings))
      MergeSpeciesOnDisk(settings.SpeciesNames, *onDisk);
  } catch (const SettingsFileError&) {
    // Unreadable now: the list stays as this copy has it.
  }
}

std::vector<std::int32_t> AddSpeciesToFile(const fs::path& dataFolder, Settings& settings,
                                           const std::vector<std::string>& names) {
  std::vector<std::int32_t> places;
  ChangeSpeciesFile(dataFolder, settings, [&](std::vector<std::string>& list) {
    for (const std::string& name : names) {
      auto found = std::find(list.begin(), list.end(), name);
      if (name.empty() || found == list.end()) {
        list.push_back(name);
        found = list.end() - 1;
      }
      // Within int32: the list never holds more than kMaxSpeciesPlaces.
      places.push_back(static_cast<std::int32_t>(found - list.begin()));
    }
  });
  return places;
}

void DeleteSpeciesFromFile(const fs::path& dataFolder, Settings& settings,
                           const std::vector<std::size_t>& places) {
  ChangeSpeciesFile(dataFolder, settings, [&](std::vector<std::string>& list) {
    for (const std::size_t place : places) {
      if (place < list.size()) list[place].clear();
    }
  });
}

void SaveDesignationsFile(const fs::path& dataFolder, Settings& settings) {
  // Sorted by the bytes the file holds (unsigned, no case folding): capitals before small
  // letters, accented letters after every plain one.
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(settings.DesignationNames.size());
  for (const std::string& name : settings.DesignationNames) {
    keyed.emplace_back(EncodeFieldText(name, kNameFieldSize, kDesignationsFileName), name);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(
        a.first.begin(), a.first.end(), b.first.begin(), b.first.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) settings.DesignationNames[i] = keyed[i].second;
  WriteSettingsFile(dataFolder, kDesignationsFileName, settings,
                    EncodeNames(settings.DesignationNames, kDesignationsFileName));
}

// ---- Standard sizes ---------------------------------------------------------------------------

FileLoadResult LoadDimensionsFile(const fs::path& dataFolder, const std::string& fileName,
                                  Settings& settings) {
  RawFile raw = ReadRaw(dataFolder / fileName, kMaxCountedFileBytes);
  if (raw.Status == FileLoadStatus::Missing) return Result(FileLoadStatus::Missing);
  if (raw.Status == FileLoadStatus::Refused) return Refused(settings, fileName, raw.Detail);
  try {
    SizeList(fileName, settings) = ReadCounted<DIMENSIONS>(
        raw.Bytes, kDimensionsRecordSize, [](BinaryReader& r) {
          DIMENSIONS d;
          d.Length = r.readI32();
          d.Width = r.readI32();
          d.Thickness = r.readI32();
          d.Kind = r.readI32();
          return d;
        });
  } catch (const FileFormatError& e) {
    return Refused(settings, fileName, e.what());
  }
  return Result(FileLoadStatus::Loaded);
}

void SaveDimensionsFile(const fs::path& dataFolder, const std::string& fileName,
                        Settings& settings) {
  std::vector<DIMENSIONS>& list = SizeList(fileName, settings);
  std::stable_sort(list.begin(), list.end(),
                   [](const DIMENSIONS& a, const DIMENSIONS& b) { return a.Length < b.Length; });
  BinaryWriter w;
  w.writeI32(static_cast<std::int32_t>(list.size()));
  for (const DIMENSIONS& d : list) {
    w.writeI32(d.Length);
    w.writeI32(d.Width);
    w.writeI32(d.Thickness);
    w.writeI32(d.Kind);
  }
  WriteSettingsFile(dataFolder, fileName.c_str(), settings, w.take());
}

// ---- Label formats ----------------------------------------------------------------------------

FileLoadResult LoadLabelsFile(const fs::path& dataFolder, Settings& settings) {
  RawFile raw = ReadRaw(dataFolder / kLabelsFileName, kMaxCountedFileBytes);
  if (raw.Status == FileLoadStatus::Missing) return Result(FileLoadStatus::Missing);
  if (raw.Status == FileLoadStatus::Refused) return Refused(settings, kLabelsFileName, raw.Detail);
  try {
    settings.LabelFormats = ReadCounted<ETIQUETTE>(raw.Bytes, kLabelRecordSize, [](BinaryReader& r) {
      ETIQUETTE e;
      e.Name = r.readFixedText(kLabelNameFieldSize);
      e.Height = r.readI32();
      e.Width = r.readI32();
      e.TopMargin = r.readI32();
      e.BottomMargin = r.readI32();
      e.VerticalPitch = r.readI32();
      e.HorizontalPitch = r.readI32();
      return e;
    });
  } catch (const FileFormatError& e) {
    return Refused(settings, kLabelsFileName, e.what());
  }
  return Result(FileLoadStatus::Loaded);
}

void SaveLabelsFile(const fs::path& dataFolder, Settings& settings) {
  if (settings.LabelFormats.empty()) {
    const fs::path path = dataFolder / kLabelsFileName;
    if (!ClearReadOnly(path)) {
      throw SettingsFileError(LoadString(TextId::Messages::MsgReadOnlyFile), kLabelsFileName,
                              true);
    }
    KeepRefusedCopy(path, kLabelsFileName, settings);
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) {
      throw SettingsFileError("Impossible de supprimer " + path.string() + " : " + ec.message(),
                              kLabelsFileName, false);
    }
    ForgetRefusal(kLabelsFileName, settings);
    return;
  }
  BinaryWriter w;
  w.writeI32(static_cast<std::int32_t>(settings.LabelFormats.size()));
  for (const ETIQUETTE& e : settings.LabelFormats) {
    WriteFieldText(w, e.Name, kLabelNameFieldSize, kLabelsFileName);
    w.writeI32(e.Height);
    w.writeI32(e.Width);
    w.writeI32(e.TopMargin);
    w.writeI32(e.BottomMargin);
    w.writeI32(e.VerticalPitch);
    w.writeI32(e.HorizontalPitch);
  }
  WriteSettingsFile(dataFolder, kLabelsFileName, settings, w.take());
}

// ---- Start and close --------------------------------------------------------------------------

std::vector<FileLoadResult> LoadSettingsFiles(const fs::path& dataFolder, Settings& settings) {
  std::vector<FileLoadResult> refused;
  auto note = [&](FileLoadResult result) {
    if (result.Status == FileLoadStatus::Refused) refused.push_back(std::move(result));
  };
  note(LoadUnitFile(dataFolder, settings));
  note(LoadOptionsFile(dataFolder, settings));
  note(LoadSpeciesFile(dataFolder, settings));
  note(LoadDimensionsFile(dataFolder, kPanelSizesFileName, settings));
  settings.PanelSizesDirty = 0;
  note(LoadDimensionsFile(dataFolder, kPartSizesFileName, settings));
  settings.PartSizesDirty = 0;
  note(LoadLabelsFile(dataFolder, settings));
  settings.LabelsFileDirty = 0;
  note(LoadDesignationsFile(dataFolder, settings));
  return refused;
}

namespace {

// The reference files written at close, in that order (the species file is written at each
// change): each with the flag that marks it for
// writing and its writer.
struct ReferenceFile {
  std::uint8_t Settings::*Dirty;
  const char* Name;
  void (*Save)(const fs::path&, Settings&);
};

constexpr ReferenceFile kReferenceFiles[] = {
    {&Settings::PanelSizesDirty, kPanelSizesFileName,
     [](const fs::path& folder, Settings& s) {
       SaveDimensionsFile(folder, kPanelSizesFileName, s);
     }},
    {&Settings::PartSizesDirty, kPartSizesFileName,
     [](const fs::path& folder, Settings& s) {
       SaveDimensionsFile(folder, kPartSizesFileName, s);
     }},
    {&Settings::LabelsFileDirty, kLabelsFileName, SaveLabelsFile},
    {&Settings::UnitFileDirty, kUnitFileName, SaveUnitFile},
    {&Settings::OptionsFileDirty, kOptionsFileName, SaveOptionsFile},
    {&Settings::DesignationsFileDirty, kDesignationsFileName, SaveDesignationsFile},
};

}  // namespace

std::vector<SettingsFileError> SaveDirtySettingsFiles(const fs::path& dataFolder,
                                                      Settings& settings,
                                                      const std::set<std::string>& kept) {
  std::vector<SettingsFileError> failures;
  for (const ReferenceFile& file : kReferenceFiles) {
    if (!(settings.*file.Dirty) || kept.count(file.Name) != 0) continue;
    try {
      file.Save(dataFolder, settings);
    } catch (const SettingsFileError& e) {
      failures.push_back(e);
    }
  }
  return failures;
}

std::vector<std::string> DirtySettingsFileNames(const Settings& s) {
  std::vector<std::string> names;
  for (const ReferenceFile& file : kReferenceFiles) {
    if (s.*file.Dirty) names.emplace_back(file.Name);
  }
  return names;
}

const std::vector<std::string>& SettingsFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const ReferenceFile& file : kReferenceFiles) all.emplace_back(file.Name);
    return all;
  }();
  return names;
}

FileDigest ListFileDigest(const fs::path& file) {
  try {
    return std::hash<std::string>{}(ReadFileBytes(file, kMaxCountedFileBytes));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace tranchex
