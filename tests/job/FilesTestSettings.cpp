// The settings and reference files: fixtures built byte by byte, loaded, saved and loaded again;
// short, oversized and corrupt files never reach the settings.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/Texts.h"
#include "job/FilesTestBytes.h"
#include "job/RecentJobs.h"
#include "job/SettingsFiles.h"
#include "support/Fifo.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using test::PutF64;
using test::PutI32;
using test::PutText;
using test::PutU8;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class SettingsFilesTest : public ::testing::Test {
 protected:
  fs::path Path(const char* name) const { return dir_.path() / name; }
  void Write(const char* name, const std::string& bytes) const { WriteBytes(Path(name), bytes); }
  std::string Read(const char* name) const { return ReadBytes(Path(name)); }
  TempDir dir_;
};

// ---- Options.dat ------------------------------------------------------------------------------

std::string OptionsFixture() {
  std::string b(226, '\0');
  PutF64(b, 0, 50000.0);
  PutF64(b, 8, 40000.0);
  PutF64(b, 16, 24400.0);
  PutF64(b, 24, 12200.0);
  PutText(b, 32, "Plaque");
  PutText(b, 53, "Plaques");
  PutText(b, 74, "El\xE9ment");  // "Elément"
  PutText(b, 95, "12345678901234567890");  // 20 characters, the most
  PutU8(b, 116, 0);
  PutU8(b, 117, 0);
  PutU8(b, 118, 1);
  PutI32(b, 119, 10);
  PutI32(b, 123, 0);
  PutI32(b, 127, 1);
  PutI32(b, 131, 1);
  PutF64(b, 135, 1500.0);
  PutF64(b, 143, 1000.0);
  PutF64(b, 151, 3000000.0);
  PutF64(b, 159, 80.0);
  PutF64(b, 167, 40.0);
  PutI32(b, 175, 45);
  PutU8(b, 179, 1);
  PutU8(b, 180, 0);
  PutU8(b, 181, 1);
  PutI32(b, 182, 2);
  const int columns[8] = {3, 1, 2, 4, 5, 8, 6, 7};
  for (int i = 0; i < 8; ++i) {
    PutI32(b, 186 + 5 * i, columns[i]);
    PutU8(b, 190 + 5 * i, i == 5 ? 0 : 1);
  }
  return b;
}

void ExpectDefaultOptions(const Settings& s) {
  EXPECT_EQ(s.MaxLength, 60000.0);
  EXPECT_EQ(s.MaxWidth, 60000.0);
  EXPECT_EQ(s.DefaultPanelLength, 25000.0);
  EXPECT_EQ(s.DefaultPanelWidth, 12500.0);
  EXPECT_EQ(s.WordPanel, LoadString(74));
  EXPECT_EQ(s.WordPanels, LoadString(13));
  EXPECT_EQ(s.WordPart, LoadString(75));
  EXPECT_EQ(s.WordParts, LoadString(14));
  EXPECT_EQ(s.GrainDirectionEnabled, 1);
  EXPECT_EQ(s.AskMargins, 1);
  EXPECT_EQ(s.AskOptimisationCriteria, 0);
  EXPECT_EQ(s.DimensionDisplayMode, 20);
  EXPECT_EQ(s.SummaryInMetres, 1);
  EXPECT_EQ(s.CutLineLabelMode, 0);
  EXPECT_EQ(s.OffcutFilterMode, 0);
  EXPECT_EQ(s.OffcutMinLength, 2000.0);
  EXPECT_EQ(s.OffcutMinWidth, 2000.0);
  EXPECT_EQ(s.OffcutMinSurface, 4000000.0);
  EXPECT_EQ(s.DefaultMargin, 100.0);
  EXPECT_EQ(s.DefaultThicknessMargin, 50.0);
  EXPECT_EQ(s.DefaultKerf, 30);
  EXPECT_EQ(s.ImportAddSpecies, 0);
  EXPECT_EQ(s.ImportAddDesignations, 0);
  EXPECT_EQ(s.ImportAddDimensions, 0);
  EXPECT_EQ(s.ImportDefaultGrain, 1);
  ASSERT_EQ(s.ImportColumns.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(s.ImportColumns[static_cast<std::size_t>(i)].Column, i + 1);
    EXPECT_EQ(s.ImportColumns[static_cast<std::size_t>(i)].Given, 1);
  }
  EXPECT_EQ(s.CustomWordsLoaded, 0);
  EXPECT_EQ(s.OptionsFileDirty, 0);
}

TEST_F(SettingsFilesTest, OptionsReadEveryFieldAndWriteTheSameBytes) {
  Write(kOptionsFileName, OptionsFixture());
  Settings s;
  s.OptionsFileDirty = 1;
  EXPECT_EQ(LoadOptionsFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.MaxLength, 50000.0);
  EXPECT_EQ(s.MaxWidth, 40000.0);
  EXPECT_EQ(s.DefaultPanelLength, 24400.0);
  EXPECT_EQ(s.DefaultPanelWidth, 12200.0);
  EXPECT_EQ(s.WordPanel, "Plaque");
  EXPECT_EQ(s.WordPanels, "Plaques");
  EXPECT_EQ(s.WordPart, "Elément");
  EXPECT_EQ(s.WordParts, "12345678901234567890");
  EXPECT_EQ(s.GrainDirectionEnabled, 0);
  EXPECT_EQ(s.AskMargins, 0);
  EXPECT_EQ(s.AskOptimisationCriteria, 1);
  EXPECT_EQ(s.DimensionDisplayMode, 10);
  EXPECT_EQ(s.SummaryInMetres, 0);
  EXPECT_EQ(s.CutLineLabelMode, 1);
  EXPECT_EQ(s.OffcutFilterMode, 1);
  EXPECT_EQ(s.OffcutMinLength, 1500.0);
  EXPECT_EQ(s.OffcutMinWidth, 1000.0);
  EXPECT_EQ(s.OffcutMinSurface, 3000000.0);
  EXPECT_EQ(s.DefaultMargin, 80.0);
  EXPECT_EQ(s.DefaultThicknessMargin, 40.0);
  EXPECT_EQ(s.DefaultKerf, 45);
  EXPECT_EQ(s.ImportAddSpecies, 1);
  EXPECT_EQ(s.ImportAddDesignations, 0);
  EXPECT_EQ(s.ImportAddDimensions, 1);
  EXPECT_EQ(s.ImportDefaultGrain, 2);
  ASSERT_EQ(s.ImportColumns.size(), 8u);
  EXPECT_EQ(s.ImportColumns[0].Column, 3);
  EXPECT_EQ(s.ImportColumns[5].Given, 0);
  EXPECT_EQ(s.ImportColumns[7].Column, 7);
  EXPECT_EQ(s.ImportColumns[0].Key, "CbxNumColRef");
  EXPECT_EQ(s.ImportColumns[0].Title, "Référence");
  EXPECT_EQ(s.ImportColumns[7].Key, "CbxNumColSens");
  EXPECT_EQ(s.ImportColumns[7].Title, "Sens du fil");
  EXPECT_EQ(s.CustomWordsLoaded, 1);
  EXPECT_EQ(s.OptionsFileDirty, 0);

  fs::remove(Path(kOptionsFileName));
  SaveOptionsFile(dir_.path(), s);
  EXPECT_EQ(Read(kOptionsFileName), OptionsFixture());
}

TEST_F(SettingsFilesTest, MissingOptionsGiveTheDefaultsAndNoFile) {
  Settings s;
  s.MaxLength = 1.0;
  s.OptionsFileDirty = 1;
  EXPECT_EQ(LoadOptionsFile(dir_.path(), s).Status, FileLoadStatus::Missing);
  ExpectDefaultOptions(s);
  EXPECT_EQ(s.ImportColumns[2].Title, "Nombre");
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  EXPECT_FALSE(fs::exists(Path(kOptionsFileName)));
}

TEST_F(SettingsFilesTest, CorruptOptionsAreTreatedAsMissing) {
  const std::string good = OptionsFixture();
  std::vector<std::pair<std::string, std::string>> files;
  const struct {
    const char* name;
    std::size_t offset;
    std::function<void(std::string&, std::size_t)> put;
  } corrupt[] = {
      {"max length 0", 0, [](std::string& b, std::size_t o) { PutF64(b, o, 0.0); }},
      {"max width NaN", 8, [](std::string& b, std::size_t o) { PutF64(b, o, kNaN); }},
      {"panel length -1", 16, [](std::string& b, std::size_t o) { PutF64(b, o, -1.0); }},
      {"offcut surface NaN", 151, [](std::string& b, std::size_t o) { PutF64(b, o, kNaN); }},
      {"kerf -1", 175, [](std::string& b, std::size_t o) { PutI32(b, o, -1); }},
      {"grain 3", 182, [](std::string& b, std::size_t o) { PutI32(b, o, 3); }},
      {"column 0", 186, [](std::string& b, std::size_t o) { PutI32(b, o, 0); }},
      {"column 9", 221, [](std::string& b, std::size_t o) { PutI32(b, o, 9); }},
      // The fixture reads seven columns (the thickness is automatic): 1..7, each once.
      {"column 1 twice", 186, [](std::string& b, std::size_t o) { PutI32(b, o, 1); }},
      {"column 8 of 7", 186, [](std::string& b, std::size_t o) { PutI32(b, o, 8); }},
      {"count automatic", 200, [](std::string& b, std::size_t o) { PutU8(b, o, 0); }},
      {"length automatic", 205, [](std::string& b, std::size_t o) { PutU8(b, o, 0); }},
      {"width automatic", 210, [](std::string& b, std::size_t o) { PutU8(b, o, 0); }},
  };
  for (const auto& c : corrupt) {
    std::string bytes = good;
    c.put(bytes, c.offset);
    files.emplace_back(c.name, bytes);
  }
  for (const auto& [name, bytes] : files) {
    Write(kOptionsFileName, bytes);
    Settings s;
    const FileLoadResult result = LoadOptionsFile(dir_.path(), s);
    EXPECT_EQ(result.Status, FileLoadStatus::Refused) << name;
    EXPECT_EQ(result.Message, LoadString(126) + "Options.dat") << name;
    ExpectDefaultOptions(s);
    if (HasFailure()) FAIL() << name;
  }
}

// A file cut short keeps every field it holds whole; the field the end cuts and those after it
// keep their defaults, and the file is marked to be written back whole at exit.
TEST_F(SettingsFilesTest, AShortOptionsFileKeepsItsWholeFields) {
  const std::string good = OptionsFixture();
  const struct {
    std::size_t cut;
    double maxLength, maxWidth;
    int words;        // how many of the four words were read whole (the others the language's)
    int dimensionMode;
    std::int32_t kerf;
    std::int32_t lastColumn;  // column of the eighth import entry
  } cases[] = {
      {0, 60000.0, 60000.0, 0, 20, 30, 8},
      {7, 60000.0, 60000.0, 0, 20, 30, 8},      // the first number cut
      {8, 50000.0, 60000.0, 0, 20, 30, 8},      // the first number whole
      {52, 50000.0, 40000.0, 0, 20, 30, 8},     // the first word cut
      {53, 50000.0, 40000.0, 1, 20, 30, 8},     // the first word whole, the second not there
      {60, 50000.0, 40000.0, 1, 20, 30, 8},     // the second word cut after its text
      {95, 50000.0, 40000.0, 3, 20, 30, 8},     // the last word not there
      {115, 50000.0, 40000.0, 3, 20, 30, 8},    // the last word cut
      {116, 50000.0, 40000.0, 4, 20, 30, 8},    // the four words whole
      {122, 50000.0, 40000.0, 4, 20, 30, 8},    // the display mode cut
      {123, 50000.0, 40000.0, 4, 10, 30, 8},
      {179, 50000.0, 40000.0, 4, 10, 45, 8},    // up to the kerf
      {225, 50000.0, 40000.0, 4, 10, 45, 8},    // the last import entry cut
  };
  for (const auto& c : cases) {
    Write(kOptionsFileName, good.substr(0, c.cut));
    Settings s;
    const FileLoadResult result = LoadOptionsFile(dir_.path(), s);
    EXPECT_EQ(result.Status, FileLoadStatus::Loaded) << c.cut;
    EXPECT_EQ(s.OptionsFileDirty, 1) << c.cut;
    EXPECT_EQ(s.MaxLength, c.maxLength) << c.cut;
    EXPECT_EQ(s.MaxWidth, c.maxWidth) << c.cut;
    EXPECT_EQ(s.WordPanel, c.words >= 1 ? "Plaque" : LoadString(74)) << c.cut;
    EXPECT_EQ(s.WordPanels, c.words >= 2 ? "Plaques" : LoadString(13)) << c.cut;
    EXPECT_EQ(s.WordPart, c.words >= 3 ? "Elément" : LoadString(75)) << c.cut;
    EXPECT_EQ(s.WordParts, c.words >= 4 ? "12345678901234567890" : LoadString(14)) << c.cut;
    // A file that is there gives the words, whole or not: the language texts never replace
    // a word it held.
    EXPECT_EQ(s.CustomWordsLoaded, 1) << c.cut;
    EXPECT_EQ(s.DimensionDisplayMode, c.dimensionMode) << c.cut;
    EXPECT_EQ(s.DefaultKerf, c.kerf) << c.cut;
    ASSERT_EQ(s.ImportColumns.size(), 8u) << c.cut;
    EXPECT_EQ(s.ImportColumns[7].Column, c.lastColumn) << c.cut;
  }
  // A word kept from a short file survives the rewrite at close.
  Write(kOptionsFileName, good.substr(0, 60));
  Settings firstWord;
  LoadOptionsFile(dir_.path(), firstWord);
  SaveDirtySettingsFiles(dir_.path(), firstWord);
  Settings rewritten;
  LoadOptionsFile(dir_.path(), rewritten);
  EXPECT_EQ(rewritten.WordPanel, "Plaque");
  EXPECT_EQ(rewritten.WordPanels, LoadString(13));
  // Written back at close, it reads whole: the fields kept and the defaults.
  Write(kOptionsFileName, good.substr(0, 123));
  Settings s;
  LoadOptionsFile(dir_.path(), s);
  SaveDirtySettingsFiles(dir_.path(), s);
  Settings again;
  LoadOptionsFile(dir_.path(), again);
  EXPECT_EQ(again.OptionsFileDirty, 0);
  EXPECT_EQ(again.MaxLength, 50000.0);
  EXPECT_EQ(again.DimensionDisplayMode, 10);
  EXPECT_EQ(again.DefaultKerf, 30);
  // A column map cut short is the factory map whole, not the file's first entries.
  Write(kOptionsFileName, good.substr(0, 225));
  Settings cut;
  ASSERT_EQ(LoadOptionsFile(dir_.path(), cut).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(cut.DefaultKerf, 45);
  EXPECT_EQ(cut.ImportColumns[0].Column, 1);
  EXPECT_EQ(cut.ImportColumns[5].Given, 1);
}

// Flags are 0 or 1: any other byte reads as 1, and is written back as 1.
TEST_F(SettingsFilesTest, OptionFlagsAboveOneReadAsOne) {
  std::string bytes = OptionsFixture();
  PutU8(bytes, 117, 7);   // AskMargins
  PutU8(bytes, 179, 2);   // ImportAddSpecies
  PutU8(bytes, 190, 255); // Given of the first import entry
  Write(kOptionsFileName, bytes);
  Settings s;
  ASSERT_EQ(LoadOptionsFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.AskMargins, 1);
  EXPECT_EQ(s.ImportAddSpecies, 1);
  EXPECT_EQ(s.ImportColumns[0].Given, 1);
  SaveOptionsFile(dir_.path(), s);
  const std::string written = Read(kOptionsFileName);
  ASSERT_EQ(written.size(), 226u);
  EXPECT_EQ(static_cast<unsigned char>(written[117]), 1);
  EXPECT_EQ(static_cast<unsigned char>(written[179]), 1);
  EXPECT_EQ(static_cast<unsigned char>(written[190]), 1);
}

TEST_F(SettingsFilesTest, ALongerOptionsFileIsReadForItsFirstBytes) {
  Write(kOptionsFileName, OptionsFixture() + "more");
  Settings s;
  EXPECT_EQ(LoadOptionsFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.WordPanel, "Plaque");
}

TEST_F(SettingsFilesTest, SavedOptionsReadBack) {
  Settings s;
  ApplyDefaultOptions(s);
  s.SummaryInMetres = 0;
  s.CutLineLabelMode = 1;
  s.WordPart = "Élément";
  s.WordPanels = std::string(25, 'p');  // shortened to its field
  // The thickness automatic: the species and the grain move up to columns 6 and 7.
  s.ImportColumns[5].Given = 0;
  s.ImportColumns[6].Column = 6;
  s.ImportColumns[7].Column = 7;
  SaveOptionsFile(dir_.path(), s);
  EXPECT_EQ(Read(kOptionsFileName).size(), kOptionsFileSize);
  Settings back;
  ASSERT_EQ(LoadOptionsFile(dir_.path(), back).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(back.SummaryInMetres, 0);
  EXPECT_EQ(back.CutLineLabelMode, 1);
  EXPECT_EQ(back.WordPart, "Élément");
  EXPECT_EQ(back.WordPanels, std::string(20, 'p'));
  EXPECT_EQ(back.ImportColumns[5].Given, 0);
  EXPECT_EQ(back.ImportColumns[7].Column, 7);
  EXPECT_EQ(back.DefaultKerf, 30);
}

// The import reads field n of a line into the one present entry whose column is n: the present
// entries must number 1..k, each once, and the count, length and width are always read.
TEST_F(SettingsFilesTest, ImportColumnMapsAreUsableOnlyAsAPermutationOfTheirPresentColumns) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> columnAndGiven;  // eight entries
    bool usable;
  };
  const std::vector<Case> cases = {
      {"factory", {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}, true},
      {"reordered", {{8, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, true},
      {"only the three", {{1, 0}, {2, 0}, {2, 1}, {3, 1}, {1, 1}, {6, 0}, {7, 0}, {8, 0}}, true},
      {"absent keeps any number", {{4, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
       true},
      {"a gap", {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {8, 1}, {8, 0}}, false},
      {"twice", {{1, 1}, {1, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}, false},
      {"count automatic", {{1, 1}, {2, 1}, {3, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, false},
      {"width automatic", {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 0}, {5, 1}, {6, 1}, {7, 1}}, false},
      {"column 0", {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, false},
      {"flag 2", {{1, 2}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}, false},
      {"seven entries", {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, false},
  };
  for (const Case& c : cases) {
    std::vector<OPTION_COL_IMPORT> columns(c.columnAndGiven.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
      columns[i].Column = c.columnAndGiven[i].first;
      columns[i].Given = static_cast<std::uint8_t>(c.columnAndGiven[i].second);
    }
    EXPECT_EQ(!ImportColumnsProblem(columns).has_value(), c.usable) << c.name;
  }
}

// Options the reader would refuse are not written: the old file stays.
TEST_F(SettingsFilesTest, AnUnusableImportColumnMapIsNotSaved) {
  Write(kOptionsFileName, OptionsFixture());
  Settings s;
  ApplyDefaultOptions(s);
  s.ImportColumns[4].Given = 0;  // the width automatic
  EXPECT_THROW(SaveOptionsFile(dir_.path(), s), SettingsFileError);
  EXPECT_EQ(Read(kOptionsFileName), OptionsFixture());
}

// ---- Unite.dat --------------------------------------------------------------------------------

std::string UnitFixture(double factor) {
  std::string b(38, '\0');
  PutF64(b, 0, factor);
  PutText(b, 8, "po");
  PutText(b, 23, "pouce anglais");
  return b;
}

TEST_F(SettingsFilesTest, UnitReadsAndWritesTheSameBytes) {
  Write(kUnitFileName, UnitFixture(254.0));
  Settings s;
  EXPECT_EQ(LoadUnitFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.MeasureUnit.Factor, 254.0);
  EXPECT_EQ(s.MeasureUnit.Abbreviation, "po");
  EXPECT_EQ(s.MeasureUnit.SecondText, "pouce anglais");
  EXPECT_EQ(s.UnitFileDirty, 0);
  fs::remove(Path(kUnitFileName));
  SaveUnitFile(dir_.path(), s);
  EXPECT_EQ(Read(kUnitFileName), UnitFixture(254.0));
}

TEST_F(SettingsFilesTest, MissingShortOrCorruptUnitGivesMillimetresAndIsRewritten) {
  std::vector<std::pair<std::string, std::optional<std::string>>> cases = {{"missing", std::nullopt}};
  const std::string good = UnitFixture(100.0);
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    cases.emplace_back("cut at " + std::to_string(cut), good.substr(0, cut));
  }
  for (double factor : {0.0, -10.0, kNaN, std::numeric_limits<double>::infinity()}) {
    cases.emplace_back("factor " + std::to_string(factor), UnitFixture(factor));
  }
  for (const auto& [name, bytes] : cases) {
    fs::remove(Path(kUnitFileName));
    if (bytes) Write(kUnitFileName, *bytes);
    Settings s;
    s.MeasureUnit = {100.0, "cm", "gardé"};
    const FileLoadResult result = LoadUnitFile(dir_.path(), s);
    EXPECT_EQ(result.Status, bytes ? FileLoadStatus::Refused : FileLoadStatus::Missing) << name;
    EXPECT_EQ(s.MeasureUnit.Factor, 10.0) << name;
    EXPECT_EQ(s.MeasureUnit.Abbreviation, "mm") << name;
    EXPECT_EQ(s.MeasureUnit.SecondText, "gardé") << name;
    EXPECT_EQ(s.UnitFileDirty, 1) << name;
  }
}

// ---- FEssences.dat and FDesPieces.dat ---------------------------------------------------------

std::string NamesFixture(const std::vector<std::string>& names) {
  std::string b(50 * names.size(), '\0');
  for (std::size_t i = 0; i < names.size(); ++i) PutText(b, 50 * i, names[i]);
  return b;
}

TEST_F(SettingsFilesTest, SpeciesAreReadAndWrittenInListOrder) {
  const std::vector<std::string> stored = {"Pin", "Ch\xEAne", "Acacia", std::string(49, 'z')};
  Write(kSpeciesFileName, NamesFixture(stored));
  Settings s;
  EXPECT_EQ(LoadSpeciesFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.SpeciesNames, (std::vector<std::string>{"Pin", "Chêne", "Acacia", std::string(49, 'z')}));
  fs::remove(Path(kSpeciesFileName));
  SaveSpeciesFile(dir_.path(), s);
  EXPECT_EQ(Read(kSpeciesFileName), NamesFixture(stored));  // not sorted: jobs refer by position
}

TEST_F(SettingsFilesTest, NameFilesOfAnyLength) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
  } cases[] = {
      {"empty", "", {}},
      {"120 bytes", NamesFixture({"H\xEAtre", "Orme"}).substr(0, 100) + "Fr\xEAne" + std::string(15, '\0'),
       {"Hêtre", "Orme", "Frêne"}},
      {"last field cut without NUL", NamesFixture({"Orme"}) + "Noy", {"Orme", "Noy"}},
      // A field filled to its end gives the 49 characters the field can hold, so the list can
      // be written back.
      {"field without NUL", std::string(50, 'a'), {std::string(49, 'a')}},
  };
  for (const auto& c : cases) {
    Write(kDesignationsFileName, c.bytes);
    Settings s;
    s.DesignationNames = {"avant"};
    EXPECT_EQ(LoadDesignationsFile(dir_.path(), s).Status, FileLoadStatus::Loaded) << c.name;
    EXPECT_EQ(s.DesignationNames, c.expected) << c.name;
  }
}

TEST_F(SettingsFilesTest, MissingOrOversizedNameFilesLeaveTheListAlone) {
  Settings s;
  s.SpeciesNames = {"Chêne"};
  EXPECT_EQ(LoadSpeciesFile(dir_.path(), s).Status, FileLoadStatus::Missing);
  Write(kSpeciesFileName, std::string(50 * 100000 + 1, 'a'));
  const FileLoadResult result = LoadSpeciesFile(dir_.path(), s);
  EXPECT_EQ(result.Status, FileLoadStatus::Refused);
  EXPECT_EQ(result.Message, LoadString(126) + "FEssences.dat");
  EXPECT_EQ(s.SpeciesNames, std::vector<std::string>{"Chêne"});
}

TEST_F(SettingsFilesTest, DesignationsAreSortedByTheirFileBytes) {
  Settings s;
  // Windows-1252 order: capitals, small letters, then "€" (0x80) and the accented capitals.
  s.DesignationNames = {"Étagère", "€uro", "chevron", "Zèbre", "b", "Armoire"};
  s.DesignationsFileDirty = 1;
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  const std::vector<std::string> sorted = {"Armoire", "Zèbre", "b", "chevron", "€uro", "Étagère"};
  EXPECT_EQ(s.DesignationNames, sorted);
  Settings back;
  LoadDesignationsFile(dir_.path(), back);
  EXPECT_EQ(back.DesignationNames, sorted);
}

TEST_F(SettingsFilesTest, ANameOutsideWindows1252IsNotWritten) {
  Write(kSpeciesFileName, NamesFixture({"Orme"}));
  Settings s;
  s.SpeciesNames = {"Orme", "桜"};
  EXPECT_THROW(SaveSpeciesFile(dir_.path(), s), SettingsFileError);
  EXPECT_EQ(Read(kSpeciesFileName), NamesFixture({"Orme"}));
}

// ---- FDimPanneaux.dat and FDimPieces.dat ------------------------------------------------------

std::string SizesFixture(std::int32_t count, const std::vector<DIMENSIONS>& sizes) {
  std::string b(4 + 16 * sizes.size(), '\0');
  PutI32(b, 0, count);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    PutI32(b, 4 + 16 * i, sizes[i].Length);
    PutI32(b, 8 + 16 * i, sizes[i].Width);
    PutI32(b, 12 + 16 * i, sizes[i].Thickness);
    PutI32(b, 16 + 16 * i, sizes[i].Kind);
  }
  return b;
}

const std::vector<DIMENSIONS> kSizes = {{24400, 12200, 190, 2}, {28000, 20700, 100, 1}, {25000, 12500, 100, 2}};

TEST_F(SettingsFilesTest, SizesLoadIntoTheListTheNameChooses) {
  Write(kPanelSizesFileName, SizesFixture(3, kSizes));
  Write(kPartSizesFileName, SizesFixture(1, {kSizes[1]}));
  Write("autre.dat", SizesFixture(1, {kSizes[2]}));
  Settings s;
  EXPECT_EQ(LoadDimensionsFile(dir_.path(), kPanelSizesFileName, s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.PanelSizes, kSizes);
  EXPECT_TRUE(s.PartSizes.empty());
  LoadDimensionsFile(dir_.path(), kPartSizesFileName, s);
  EXPECT_EQ(s.PartSizes, std::vector<DIMENSIONS>{kSizes[1]});
  LoadDimensionsFile(dir_.path(), "autre.dat", s);  // any other name is the part sizes
  EXPECT_EQ(s.PartSizes, std::vector<DIMENSIONS>{kSizes[2]});
  EXPECT_EQ(s.PanelSizes, kSizes);
}

TEST_F(SettingsFilesTest, SizesAreWrittenSortedByLength) {
  Settings s;
  s.PartSizes = kSizes;
  s.PanelSizes = {kSizes[1], kSizes[0]};
  SaveDimensionsFile(dir_.path(), kPartSizesFileName, s);
  const std::vector<DIMENSIONS> sorted = {kSizes[0], kSizes[2], kSizes[1]};
  EXPECT_EQ(Read(kPartSizesFileName), SizesFixture(3, sorted));
  EXPECT_EQ(s.PartSizes, sorted);
  EXPECT_EQ(s.PanelSizes, (std::vector<DIMENSIONS>{kSizes[1], kSizes[0]}));
}

TEST_F(SettingsFilesTest, SizeCountsOfZeroOrLessGiveAnEmptyList) {
  for (std::int32_t count : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
    Write(kPanelSizesFileName, SizesFixture(count, kSizes));
    Settings s;
    s.PanelSizes = kSizes;
    EXPECT_EQ(LoadDimensionsFile(dir_.path(), kPanelSizesFileName, s).Status, FileLoadStatus::Loaded);
    EXPECT_TRUE(s.PanelSizes.empty()) << count;
  }
}

TEST_F(SettingsFilesTest, ShortOrOvercountedSizeFilesAreRefused) {
  const std::string good = SizesFixture(3, kSizes);
  std::vector<std::string> files;
  for (std::size_t cut = 0; cut < good.size(); ++cut) files.push_back(good.substr(0, cut));
  files.push_back(SizesFixture(4, kSizes));
  files.push_back(SizesFixture(0x7FFFFFFF, kSizes));
  for (const std::string& bytes : files) {
    Write(kPanelSizesFileName, bytes);
    Settings s;
    s.PanelSizes = {kSizes[1]};
    const FileLoadResult result = LoadDimensionsFile(dir_.path(), kPanelSizesFileName, s);
    EXPECT_EQ(result.Status, FileLoadStatus::Refused) << bytes.size();
    EXPECT_EQ(result.Message, LoadString(126) + "FDimPanneaux.dat");
    EXPECT_EQ(s.PanelSizes, std::vector<DIMENSIONS>{kSizes[1]}) << bytes.size();
  }
}

// ---- FEtiquettes.dat --------------------------------------------------------------------------

const std::vector<ETIQUETTE> kLabels = {{"Avery L7160", 381, 635, 10, 20, 381, 660},
                                        {"Étiquette 14c", 1, 2, 3, 4, 5, 6}};

std::string LabelsFixture(std::int32_t count, const std::vector<std::string>& names) {
  std::string b(4 + 39 * names.size(), '\0');
  PutI32(b, 0, count);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const ETIQUETTE& e = kLabels[i];
    const std::size_t o = 4 + 39 * i;
    PutText(b, o, names[i]);
    PutI32(b, o + 15, e.Height);
    PutI32(b, o + 19, e.Width);
    PutI32(b, o + 23, e.TopMargin);
    PutI32(b, o + 27, e.BottomMargin);
    PutI32(b, o + 31, e.VerticalPitch);
    PutI32(b, o + 35, e.HorizontalPitch);
  }
  return b;
}

const std::vector<std::string> kLabelNames = {"Avery L7160", "\xC9tiquette 14c"};

TEST_F(SettingsFilesTest, LabelsReadAndWriteTheSameBytes) {
  Write(kLabelsFileName, LabelsFixture(2, kLabelNames));
  Settings s;
  EXPECT_EQ(LoadLabelsFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_EQ(s.LabelFormats, kLabels);
  fs::remove(Path(kLabelsFileName));
  SaveLabelsFile(dir_.path(), s);
  EXPECT_EQ(Read(kLabelsFileName), LabelsFixture(2, kLabelNames));
}

TEST_F(SettingsFilesTest, ALabelCountOfZeroIsAnEmptyList) {
  Write(kLabelsFileName, LabelsFixture(0, {}));
  Settings s;
  s.LabelFormats = kLabels;
  EXPECT_EQ(LoadLabelsFile(dir_.path(), s).Status, FileLoadStatus::Loaded);
  EXPECT_TRUE(s.LabelFormats.empty());
  // And an empty list is stored as no file, which every reader takes as an empty list.
  SaveLabelsFile(dir_.path(), s);
  EXPECT_FALSE(fs::exists(Path(kLabelsFileName)));
  EXPECT_NO_THROW(SaveLabelsFile(dir_.path(), s));
  EXPECT_EQ(LoadLabelsFile(dir_.path(), s).Status, FileLoadStatus::Missing);
}

TEST_F(SettingsFilesTest, ShortOrOvercountedLabelFilesAreRefused) {
  const std::string good = LabelsFixture(2, kLabelNames);
  std::vector<std::string> files;
  for (std::size_t cut = 0; cut < good.size(); ++cut) files.push_back(good.substr(0, cut));
  files.push_back(LabelsFixture(-1, kLabelNames).substr(0, 4) + good.substr(4, 10));
  files.push_back(LabelsFixture(3, kLabelNames));
  files.push_back(LabelsFixture(100000000, kLabelNames));
  for (const std::string& bytes : files) {
    Write(kLabelsFileName, bytes);
    Settings s;
    s.LabelFormats = {kLabels[1]};
    const FileLoadResult result = LoadLabelsFile(dir_.path(), s);
    if (bytes.size() >= 4 && bytes.substr(0, 4) == std::string("\xFF\xFF\xFF\xFF")) {
      EXPECT_EQ(result.Status, FileLoadStatus::Loaded);  // a negative count: no format
      EXPECT_TRUE(s.LabelFormats.empty());
      continue;
    }
    EXPECT_EQ(result.Status, FileLoadStatus::Refused) << bytes.size();
    EXPECT_EQ(s.LabelFormats, std::vector<ETIQUETTE>{kLabels[1]}) << bytes.size();
  }
}

// ---- Start and close --------------------------------------------------------------------------

TEST_F(SettingsFilesTest, StartWithNoFileThenCloseWithNothingChanged) {
  Settings s;
  EXPECT_TRUE(LoadSettingsFiles(dir_.path(), s).empty());
  ExpectDefaultOptions(s);
  EXPECT_EQ(s.MeasureUnit.Factor, 10.0);
  EXPECT_EQ(s.UnitFileDirty, 1);
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  // Only the unit file is created.
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir_.path())) files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, std::vector<std::string>{"Unite.dat"});
}

TEST_F(SettingsFilesTest, EveryDirtyFileIsWrittenAndReadBack) {
  Settings s;
  LoadSettingsFiles(dir_.path(), s);
  s.MeasureUnit = {100.0, "cm", ""};
  s.SpeciesNames = {"Pin", "Chêne"};
  s.DesignationNames = {"Montant"};
  s.PanelSizes = {kSizes[0]};
  s.PartSizes = {kSizes[1], kSizes[2]};
  s.LabelFormats = kLabels;
  s.DefaultKerf = 42;
  s.OptionsFileDirty = s.UnitFileDirty = s.DesignationsFileDirty = 1;
  s.PanelSizesDirty = s.PartSizesDirty = s.LabelsFileDirty = 1;
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  Settings back;
  EXPECT_TRUE(LoadSettingsFiles(dir_.path(), back).empty());
  EXPECT_EQ(back.MeasureUnit.Factor, 100.0);
  EXPECT_EQ(back.MeasureUnit.Abbreviation, "cm");
  // The species file is written at each change of the list, never at close.
  EXPECT_FALSE(fs::exists(Path(kSpeciesFileName)));
  EXPECT_TRUE(back.SpeciesNames.empty());
  EXPECT_EQ(back.DesignationNames, s.DesignationNames);
  EXPECT_EQ(back.PanelSizes, s.PanelSizes);
  EXPECT_EQ(back.PartSizes, s.PartSizes);
  EXPECT_EQ(back.LabelFormats, s.LabelFormats);
  EXPECT_EQ(back.DefaultKerf, 42);
  EXPECT_EQ(back.CustomWordsLoaded, 1);
  EXPECT_EQ(back.UnitFileDirty + back.OptionsFileDirty + back.DesignationsFileDirty +
                back.PanelSizesDirty + back.PartSizesDirty + back.LabelsFileDirty,
            0);
}

TEST_F(SettingsFilesTest, AFailedSaveDoesNotStopTheOthers) {
  fs::create_directory(Path(kPanelSizesFileName));  // cannot be replaced by a file
  Settings s;
  s.PanelSizes = {kSizes[0]};
  s.LabelFormats = kLabels;
  s.PanelSizesDirty = s.LabelsFileDirty = 1;
  const std::vector<SettingsFileError> failures = SaveDirtySettingsFiles(dir_.path(), s);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].fileName(), kPanelSizesFileName);
  EXPECT_FALSE(failures[0].readOnly());
  EXPECT_EQ(Read(kLabelsFileName), LabelsFixture(2, kLabelNames));
}

// A file that cannot be made writable is refused as read-only, with the read-only message, and
// left as it is; the other files are still written. The cause stops root too: a link that loops
// back on itself has no attributes to read or change.
TEST_F(SettingsFilesTest, AFileThatCannotBeMadeWritableIsRefusedAndTheOthersAreWritten) {
  const struct {
    const char* file;
    std::function<void(Settings&)> change;  // the change that makes the file dirty
  } cases[] = {
      {kPanelSizesFileName,
       [](Settings& s) {
         s.PanelSizes = {kSizes[0]};
         s.PanelSizesDirty = 1;
       }},
      {kLabelsFileName,  // emptied: the file would be removed
       [](Settings& s) {
         s.LabelFormats.clear();
         s.LabelsFileDirty = 1;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir folder;
    fs::create_symlink(c.file, folder.path() / c.file);
    Settings s;
    s.LabelFormats = kLabels;
    s.DesignationNames = {"Montant"};
    s.DesignationsFileDirty = 1;
    c.change(s);
    const std::vector<SettingsFileError> failures = SaveDirtySettingsFiles(folder.path(), s);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].fileName(), c.file);
    EXPECT_TRUE(failures[0].readOnly());
    EXPECT_EQ(std::string(failures[0].what()), LoadString(215));
    EXPECT_EQ(fs::read_symlink(folder.path() / c.file), c.file);
    EXPECT_TRUE(fs::exists(folder.path() / kDesignationsFileName));
  }
}

// A disk that fills up while a file is written: the failure is reported (not as read-only), the
// old file stays whole and no temporary file is left.
TEST_F(SettingsFilesTest, AFullDiskKeepsTheOldFile) {
  Settings before;
  before.PartSizes = {kSizes[0], kSizes[1]};
  before.PartSizesDirty = 1;
  ASSERT_TRUE(SaveDirtySettingsFiles(dir_.path(), before).empty());
  const std::string old = Read(kPartSizesFileName);
  ASSERT_EQ(old.size(), 36u);

  Settings s;
  s.PartSizes = {kSizes[0], kSizes[1], kSizes[2], kSizes[0], kSizes[1], kSizes[2]};  // 100 bytes
  s.PartSizesDirty = 1;
  std::vector<SettingsFileError> failures;
  {
    test::FullDisk disk(60);
    ASSERT_TRUE(disk.active());
    failures = SaveDirtySettingsFiles(dir_.path(), s);
  }
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].fileName(), kPartSizesFileName);
  EXPECT_FALSE(failures[0].readOnly());
  EXPECT_EQ(Read(kPartSizesFileName), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

// What the readers would refuse at the next start is never written: the old file stays.
TEST_F(SettingsFilesTest, OptionsAndUnitTheReaderWouldRefuseAreNotWritten) {
  Settings good;
  ApplyDefaultOptions(good);
  good.OptionsFileDirty = good.UnitFileDirty = 1;
  ASSERT_TRUE(SaveDirtySettingsFiles(dir_.path(), good).empty());
  const std::string options = Read(kOptionsFileName);
  const std::string unit = Read(kUnitFileName);
  const struct {
    const char* what;
    std::function<void(Settings&)> spoil;
    const char* file;
  } cases[] = {
      {"kerf 600", [](Settings& s) { s.DefaultKerf = 600; }, kOptionsFileName},
      {"grain 3", [](Settings& s) { s.ImportDefaultGrain = 3; }, kOptionsFileName},
      {"column 9", [](Settings& s) { s.ImportColumns[2].Column = 9; }, kOptionsFileName},
      {"no maximum length", [](Settings& s) { s.MaxLength = 0; }, kOptionsFileName},
      {"unit factor 0", [](Settings& s) { s.MeasureUnit.Factor = 0; }, kUnitFileName},
  };
  for (const auto& c : cases) {
    Settings s = good;
    c.spoil(s);
    const std::vector<SettingsFileError> failures = SaveDirtySettingsFiles(dir_.path(), s);
    ASSERT_EQ(failures.size(), 1u) << c.what;
    EXPECT_EQ(failures[0].fileName(), c.file) << c.what;
    EXPECT_EQ(Read(kOptionsFileName), options) << c.what;
    EXPECT_EQ(Read(kUnitFileName), unit) << c.what;
  }
}

TEST_F(SettingsFilesTest, ARefusedFileIsKeptBeforeItIsReplaced) {
  const std::string corrupt = SizesFixture(5, kSizes);
  Write(kPartSizesFileName, corrupt);
  Settings s;
  const std::vector<FileLoadResult> refused = LoadSettingsFiles(dir_.path(), s);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].Message, LoadString(126) + "FDimPieces.dat");
  EXPECT_TRUE(s.PartSizes.empty());
  s.PartSizes = {kSizes[0]};
  s.PartSizesDirty = 1;
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  EXPECT_EQ(ReadBytes(dir_.path() / "FDimPieces.dat.bak"), corrupt);
  EXPECT_EQ(Read(kPartSizesFileName), SizesFixture(1, {kSizes[0]}));
  // A second save keeps the copy as it was.
  EXPECT_TRUE(SaveDirtySettingsFiles(dir_.path(), s).empty());
  EXPECT_EQ(ReadBytes(dir_.path() / "FDimPieces.dat.bak"), corrupt);
  EXPECT_FALSE(fs::exists(dir_.path() / "FDimPieces.dat.bak2"));
}

// The words for a panel and a part, as the options file holds them: 1 to 20 Windows-1252
// characters (counted as the file counts them, one byte each), no NUL.
TEST(OptionWords, LengthAndCodePage) {
  struct Case {
    std::string word;
    OptionWordFault fault;
  };
  const std::string twentyAccented = [] {
    std::string w;
    for (int i = 0; i < 20; ++i) w += "é";  // two UTF-8 bytes, one in the file
    return w;
  }();
  const std::vector<Case> cases = {
      {"", OptionWordFault::BadLength},
      {"P", OptionWordFault::None},
      {std::string(20, 'x'), OptionWordFault::None},
      {std::string(21, 'x'), OptionWordFault::BadLength},
      {twentyAccented, OptionWordFault::None},
      {twentyAccented + "s", OptionWordFault::BadLength},
      {"Œuvre€", OptionWordFault::None},
      {"Łata", OptionWordFault::NotStorable},
      {std::string("a\0b", 3), OptionWordFault::NotStorable},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckOptionWord(c.word), c.fault) << c.word;

  EXPECT_EQ(PluralOfWord("Planche"), "Planches");
  EXPECT_EQ(PluralOfWord(std::string(19, 'x')), std::string(19, 'x') + "s");
  // An "s" past the twentieth character would be cut off by the file: the word stays as it is.
  EXPECT_EQ(PluralOfWord(std::string(20, 'x')), std::string(20, 'x'));
  EXPECT_EQ(PluralOfWord(twentyAccented), twentyAccented);
}

// A FIFO in place of a list file (or any file that is not a regular file) is refused at once,
// as a file that cannot be opened: the start goes on with what a missing file gives. Each FIFO
// offers the bytes of a good file, so a loader that read it would show them.
TEST_F(SettingsFilesTest, AFifoInPlaceOfAFileIsRefusedAtOnce) {
  std::string unit(38, '\0');
  PutF64(unit, 0, 100.0);
  PutText(unit, 8, "cm");
  std::string names(50, '\0');
  PutText(names, 0, "Fifo");
  std::string sizes(4 + 16, '\0');
  PutI32(sizes, 0, 1);
  PutI32(sizes, 4, 20000);
  PutI32(sizes, 8, 10000);
  PutI32(sizes, 12, 190);
  std::string labels(4 + 39, '\0');
  PutI32(labels, 0, 1);
  PutText(labels, 4, "Fifo");
  for (int i = 0; i < 6; ++i) PutI32(labels, 19 + 4 * static_cast<std::size_t>(i), 100);
  const struct {
    const char* name;
    std::string bytes;
    std::function<bool(const Settings&)> untouched;
  } cases[] = {
      {kOptionsFileName, OptionsFixture(), [](const Settings& s) { return s.MaxLength == 60000.0; }},
      {kUnitFileName, unit, [](const Settings& s) { return s.MeasureUnit.Factor == 10.0; }},
      {kSpeciesFileName, names, [](const Settings& s) { return s.SpeciesNames.empty(); }},
      {kDesignationsFileName, names, [](const Settings& s) { return s.DesignationNames.empty(); }},
      {kPanelSizesFileName, sizes, [](const Settings& s) { return s.PanelSizes.empty(); }},
      {kPartSizesFileName, sizes, [](const Settings& s) { return s.PartSizes.empty(); }},
      {kLabelsFileName, labels, [](const Settings& s) { return s.LabelFormats.empty(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::Fifo fifo(Path(c.name), c.bytes);
    ASSERT_TRUE(fifo.made());
    Settings s;
    const std::vector<FileLoadResult> refused = LoadSettingsFiles(dir_.path(), s);
    EXPECT_TRUE(c.untouched(s));
    EXPECT_TRUE(refused.empty());
  }
  RecentJobList recent;
  recent[0] = {"/ateliers/a.deb", "a.deb"};
  test::Fifo fifo(Path("DBRS.dat"), EncodeRecentJobs(recent));
  ASSERT_TRUE(fifo.made());
  EXPECT_EQ(ReadRecentJobsFile(Path("DBRS.dat")), RecentJobList{});
}

}  // namespace
}  // namespace tranchex
