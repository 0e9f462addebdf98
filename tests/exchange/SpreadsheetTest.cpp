// The export files as a spreadsheet reads them: LibreOffice converts the fixture's cutting
// sheet (csv), computed job (csv) and SYLK sheet to tab-separated UTF-8 text, and the cells are
// compared with what the job holds: the accents, the semicolon and the double quote inside
// texts, 396.5 mm read as a number, and the references the job's parts were given. A cutting
// sheet as LibreOffice saves it, with a note far right, is read back by the import.
//
// Needs soffice (scripts/setup.sh installs libreoffice-calc-nogui). Without it the test skips
// with a message, except under CI=true, where a missing soffice fails the run.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "exchange/ExportFixture.h"
#include "exchange/ImportReader.h"
#include "exchange/JobExport.h"
#include "exchange/SylkExport.h"
#include "job/SettingsFiles.h"
#include "support/TempDir.h"

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;
using Table = std::vector<std::vector<std::string>>;

std::optional<fs::path> FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::stringstream folders(path);
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Tab-separated cells; a cell between double quotes may hold tabs and doubled quotes.
Table ParseTabbed(const std::string& text) {
  Table rows;
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false;
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"' && cell.empty()) {
      quoted = true;
      any = true;
    } else if (c == '\t') {
      row.push_back(cell);
      cell.clear();
      any = true;
    } else if (c == '\r') {
      continue;
    } else if (c == '\n') {
      row.push_back(cell);
      rows.push_back(row);
      row.clear();
      cell.clear();
      any = false;
    } else {
      cell += c;
      any = true;
    }
  }
  if (any) {
    row.push_back(cell);
    rows.push_back(row);
  }
  return rows;
}

class Spreadsheet : public ::testing::Test {
 protected:
  void SetUp() override {
    soffice_ = FindOnPath("soffice");
    if (!soffice_) {
      const char* ci = std::getenv("CI");
      if (ci != nullptr && std::string(ci) == "true") {
        FAIL() << "soffice is missing: scripts/setup.sh installs libreoffice-calc-nogui";
      }
      GTEST_SKIP() << "soffice not found: the spreadsheet check of the export files is skipped "
                      "(install libreoffice-calc-nogui to run it)";
    }
    for (const char* sub : {"in", "raw", "shown", "profile"}) fs::create_directories(dir_.path() / sub);
  }

  // Converts the inputs to tab-separated UTF-8 in the folder out; asShown writes the cells as
  // their number formats show them. csv inputs are read with semicolons, the system charset
  // and French numbers.
  void Convert(const std::vector<std::string>& inputs, const char* out, bool asShown, bool csv,
               int separator = '\t') {
    const fs::path profile = dir_.path() / "profile";
    std::string command = "cd " + Quote(dir_.path().string()) + " && HOME=" +
                          Quote(profile.string()) + " LANG=C.UTF-8 LC_ALL=C.UTF-8 " +
                          Quote(soffice_->string()) + " " +
                          Quote("-env:UserInstallation=file://" + profile.string()) +
                          " --headless --norestore";
    if (csv) command += " " + Quote("--infilter=Text - txt - csv (StarCalc):59,34,0,1,,1036");
    command += " --convert-to " +
               Quote(std::string("csv:Text - txt - csv (StarCalc):") + std::to_string(separator) +
                     ",34,76,1,,0,false,true," + (asShown ? "true" : "false")) +
               " --outdir " + Quote(out);
    for (const std::string& input : inputs) command += " " + Quote("in/" + input);
    command += " > " + Quote((dir_.path() / "soffice.log").string()) + " 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << command << "\n" << Read(dir_.path() / "soffice.log");
  }

  Table Cells(const char* folder, const char* name) {
    const fs::path path = dir_.path() / folder / name;
    EXPECT_TRUE(fs::exists(path)) << path << "\n" << Read(dir_.path() / "soffice.log");
    return ParseTabbed(Read(path));
  }

  std::optional<fs::path> soffice_;
  TempDir dir_;
};

TEST_F(Spreadsheet, ReadsTheCellsOfTheThreeExportFiles) {
  const JobState job = ExportFixtureJob(2);
  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job, FixtureSpecies(), 10.0, texts, ','};
  // Distinct base names: the converted files are named after them.
  Write(dir_.path() / "in" / "fiche.csv", CuttingSheetLines(source));
  Write(dir_.path() / "in" / "debit.csv", ComputedJobLines(source));
  Write(dir_.path() / "in" / "tableur.slk", CuttingSheetSylk(source));
  Convert({"fiche.csv", "debit.csv"}, "raw", false, true);
  Convert({"tableur.slk"}, "raw", false, false);
  Convert({"tableur.slk"}, "shown", true, false);

  // 396.5 comes back as 396.5 from "396,5": a number, not the text.
  const Table sheet = {
      {"Référence", "Désignation", "Nombre", "Longueur", "Largeur", "Epaisseur", "Essence",
       "Sens du fil"},
      {"a", "Tiroir; façade", "2", "396.5", "120", "19", "Chêne", "0"},
      {"b", "Pied 2\" rond", "1", "720", "50", "19", "Hêtre", "2"},
      {"aaa", "Cœur", "1", "300", "200", "22", "Non spécifié", "1"},
  };
  EXPECT_EQ(Cells("raw", "fiche.csv"), sheet);

  const Table computed = {
      {"Référence", "Désignation", "Nombre", "Longueur", "Largeur", "Epaisseur", "Essence",
       "Sens du fil", "Panneau destination"},
      {"1", "", "1", "2800", "2070", "19", "Chêne", "0", ""},
      {"2", "", "1", "1000", "500", "25", "Non spécifié", "2", ""},
      {"3", "", "1", "1000", "500", "19", "Hêtre", "1", ""},
      {"a", "Tiroir; façade", "1", "396.5", "120", "19", "Chêne", "0", "1"},
      {"a", "Tiroir; façade", "1", "396.5", "120", "19", "Chêne", "0", "1"},
      {"b", "Pied 2\" rond", "1", "720", "50", "19", "Hêtre", "2", "1"},
      {"aaa", "", "1", "300", "200", "25", "Non spécifié", "1", "2"},
  };
  EXPECT_EQ(Cells("raw", "debit.csv"), computed);

  // The SYLK sheet: seven columns, no grain.
  Table sylk = sheet;
  for (auto& row : sylk) row.pop_back();
  EXPECT_EQ(Cells("raw", "tableur.csv"), sylk);

  // As shown: lengths and widths with two decimals; counts and thicknesses as they are.
  const Table shown = {
      {"Référence", "Désignation", "Nombre", "Longueur", "Largeur", "Epaisseur", "Essence"},
      {"a", "Tiroir; façade", "2", "396.50", "120.00", "19", "Chêne"},
      {"b", "Pied 2\" rond", "1", "720.00", "50.00", "19", "Hêtre"},
      {"aaa", "Cœur", "1", "300.00", "200.00", "22", "Non spécifié"},
  };
  EXPECT_EQ(Cells("shown", "tableur.csv"), shown);
}

// References typed in the job reach the spreadsheet as typed, in every export file: the first
// column of each part row holds the part's own reference, not the letters of its position.
TEST_F(Spreadsheet, ReadsTheTypedReferencesOfTheExportFiles) {
  JobState job = ExportFixtureJob(2);
  job.JobParts[2].Number = 2;
  for (Panneau_p& panel : job.ResultPanels) {
    for (TPiece& part : panel.PlacedParts) {
      if (part.Number == 702) part.Number = 2;
    }
  }
  job.JobReferences = {"P;1", "X", "b"};
  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job, FixtureSpecies(), 10.0, texts, ','};
  Write(dir_.path() / "in" / "fiche.csv", CuttingSheetLines(source));
  Write(dir_.path() / "in" / "debit.txt", ComputedJobLines(source));
  Write(dir_.path() / "in" / "tableur.slk", CuttingSheetSylk(source));
  Convert({"fiche.csv", "debit.txt"}, "raw", false, true);
  Convert({"tableur.slk"}, "raw", false, false);

  const auto firstColumn = [](const Table& table) {
    std::vector<std::string> column;
    for (const auto& row : table) column.push_back(row.empty() ? std::string() : row[0]);
    return column;
  };
  const std::vector<std::string> sheet = {"Référence", "P;1", "X", "b"};
  EXPECT_EQ(firstColumn(Cells("raw", "fiche.csv")), sheet);
  EXPECT_EQ(firstColumn(Cells("raw", "tableur.csv")), sheet);
  const std::vector<std::string> computed = {"Référence", "1", "2", "3", "P;1", "P;1", "X", "b"};
  EXPECT_EQ(firstColumn(Cells("raw", "debit.csv")), computed);
}

// A note typed far right on the title row: LibreOffice then ends every line of the csv it saves
// with empty fields up to that column. The sheet it saves imports whole.
TEST_F(Spreadsheet, ACsvSavedWithANoteFarRightImports) {
  Write(dir_.path() / "in" / "notes.csv",
        "Ref;Designation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens;;voir le plan\n"
        "A;Etagere;2;600;400;19;Chene;1\n"
        "B;Montant;4;1200;300;19;Chene;1\n"
        "C;Tablette;1;800;350;19;Noyer;2\n");
  Convert({"notes.csv"}, "raw", false, true, ';');
  const std::string saved = Read(dir_.path() / "raw" / "notes.csv");
  // What LibreOffice wrote: the part rows padded to the note's column.
  ASSERT_NE(saved.find("A;Etagere;2;600;400;19;Chene;1;;"), std::string::npos) << saved;

  ImportRequest request;
  request.Bytes = saved;
  request.Columns = DefaultImportColumns();
  request.HeaderLine = true;
  request.UnitFactor = 10.0;
  const ImportReadResult read = ReadCuttingSheet(request);
  const auto* parts = std::get_if<std::vector<ImportedPart>>(&read);
  ASSERT_NE(parts, nullptr) << ImportErrorText(std::get<ImportError>(read), true) << "\n" << saved;
  ASSERT_EQ(parts->size(), 3u);
  EXPECT_EQ((*parts)[0].Reference, "A");
  EXPECT_EQ((*parts)[1].Length, 12000.0);
  EXPECT_EQ((*parts)[2].Designation, "Tablette");
  EXPECT_EQ((*parts)[2].Species, "Noyer");
  EXPECT_EQ((*parts)[2].Grain, 2);
}

// In metres and inches the SYLK cells hold and show every tenth of a millimetre: a spreadsheet
// shows 720,5 x 396,5 x 19 mm as 0.7205 x 0.3965 x 0.0190 m, never 0.72 x 0.40 x 0.02.
TEST_F(Spreadsheet, SylkSizesInMetresAndInchesShowEveryTenth) {
  JobState job;
  job.JobKind = 2;
  job.JobParts = {FixturePart(7205, 3965, 190, 0, 1, 1, 0)};
  job.JobDesignations = {"Etagere"};
  const ExportTexts texts = LoadExportTexts();
  const struct {
    const char* name;
    double factor;
    std::vector<std::string> raw;    // length, width, thickness
    std::vector<std::string> shown;
  } cases[] = {
      {"metres", 10000.0, {"0.7205", "0.3965", "0.019"}, {"0.7205", "0.3965", "0.0190"}},
      // 7205 / 254 = 28.3661, 3965 / 254 = 15.6102, 190 / 254 = 0.7480
      {"inches", 254.0, {"28.366", "15.61", "0.748"}, {"28.366", "15.610", "0.748"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ExportSource source{job, FixtureSpecies(), c.factor, texts, ','};
    const std::string name = std::string(c.name) + ".slk";
    Write(dir_.path() / "in" / name, CuttingSheetSylk(source));
    Convert({name}, "raw", false, false);
    Convert({name}, "shown", true, false);
    const std::string converted = std::string(c.name) + ".csv";
    const Table raw = Cells("raw", converted.c_str());
    const Table shown = Cells("shown", converted.c_str());
    ASSERT_EQ(raw.size(), 2u);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(raw[1].begin() + 3, raw[1].begin() + 6), c.raw);
    EXPECT_EQ(std::vector<std::string>(shown[1].begin() + 3, shown[1].begin() + 6), c.shown);
  }
}

}  // namespace
}  // namespace tranchex::test
