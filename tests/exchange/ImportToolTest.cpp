// tranchex-layout --import: a cutting sheet read with the data folder's settings, its parts and
// stock panels and the layout printed as JSON; a refused sheet names its line and column.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "job/FilesTestBytes.h"
#include "job/SettingsFiles.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#ifndef TRANCHEX_LAYOUT_TOOL
#error "TRANCHEX_LAYOUT_TOOL must name the tool"
#endif
#ifndef TRANCHEX_IMPORT_FIXTURES
#error "TRANCHEX_IMPORT_FIXTURES must name the folder of the import files"
#endif

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::ReadBytes;
using test::RunTool;
using test::TempDir;
using test::ToolRun;
using test::WriteBytes;
const auto Quote = test::ShellQuote;

class ImportToolTest : public ::testing::Test {
 protected:
  ToolRun Tool(const std::string& arguments) {
    return RunTool(Quote(TRANCHEX_LAYOUT_TOOL) + " --data " + Quote(dir_.path().string()) + " " +
                       arguments,
                   dir_.path());
  }
  static std::string Fixture(const char* name) {
    return Quote(std::string(TRANCHEX_IMPORT_FIXTURES) + "/" + name);
  }
  TempDir dir_;
};

TEST_F(ImportToolTest, PrintsThePartsTheStockPanelsAndTheLayout) {
  Settings settings;
  settings.SpeciesNames = {"Chêne"};
  SaveSpeciesFile(dir_.path(), settings);
  const std::string speciesFile = ReadBytes(dir_.path() / kSpeciesFileName);

  const ToolRun run = Tool("--import " + Fixture("windows1252-crlf.csv"));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const json out = json::parse(run.Out);
  const json& parts = out["import"]["parts"];
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0]["reference"], "A");
  EXPECT_EQ(parts[0]["designation"], "Etagère");
  EXPECT_EQ(parts[0]["quantity"], 2);
  EXPECT_EQ(parts[0]["length"], 12000.0);
  EXPECT_EQ(parts[0]["width"], 4000.0);
  EXPECT_EQ(parts[0]["thickness"], 190.0);
  EXPECT_EQ(parts[0]["species"], 0);
  EXPECT_EQ(parts[1]["width"], 3505.0);
  // Given 400 x 1180 mm: turned.
  EXPECT_EQ(parts[2]["line"], 4);
  EXPECT_EQ(parts[2]["length"], 11800.0);
  EXPECT_EQ(parts[2]["width"], 4000.0);
  EXPECT_EQ(parts[2]["speciesName"], "Hêtre");
  EXPECT_EQ(parts[2]["species"], 1);
  EXPECT_EQ(out["import"]["speciesNames"], json::array({"Chêne", "Hêtre"}));
  // Two materials: two panels of the factory size, a complex job.
  const json& stock = out["import"]["stockPanels"];
  ASSERT_EQ(stock.size(), 2u);
  EXPECT_EQ(stock[0]["length"], 25000.0);
  EXPECT_EQ(stock[0]["width"], 12500.0);
  EXPECT_EQ(stock[1]["thickness"], 80.0);
  EXPECT_EQ(out["job"]["kind"], 2);
  EXPECT_EQ(out["job"]["kerf"], 30);
  EXPECT_EQ(out["job"]["margins"], json::array({100.0, 0.0, 0.0}));
  int placed = 0;
  for (const json& panel : out["panels"]) placed += static_cast<int>(panel["parts"].size());
  EXPECT_EQ(placed, 2 + 4 + 1);
  // The tool writes no settings file back, though the import added a species.
  EXPECT_EQ(ReadBytes(dir_.path() / kSpeciesFileName), speciesFile);
}

// The column map, the default grain and the unit come from the data folder.
TEST_F(ImportToolTest, ReadsWithTheSettingsOfTheDataFolder) {
  Settings settings;
  ApplyDefaultOptions(settings);
  settings.ImportColumns = DefaultImportColumns();
  for (std::size_t entry : {ImportReferenceEntry, ImportDesignationEntry, ImportThicknessEntry,
                            ImportSpeciesEntry, ImportGrainEntry}) {
    settings.ImportColumns[entry].Given = 0;
  }
  settings.ImportColumns[ImportCountEntry].Column = 1;
  settings.ImportColumns[ImportLengthEntry].Column = 2;
  settings.ImportColumns[ImportWidthEntry].Column = 3;
  settings.ImportDefaultGrain = 2;
  SaveOptionsFile(dir_.path(), settings);
  settings.MeasureUnit = UNITE_MESURE{100.0, "cm", ""};
  SaveUnitFile(dir_.path(), settings);
  WriteBytes(dir_.path() / "sheet.csv", "3;120;40,5\n1;60;30\n");

  const ToolRun run = Tool("--import " + Quote((dir_.path() / "sheet.csv").string()) +
                           " --no-header");
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const json out = json::parse(run.Out);
  const json& parts = out["import"]["parts"];
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0]["reference"], "a");
  EXPECT_EQ(parts[0]["designation"], "Piece0");
  EXPECT_EQ(parts[0]["quantity"], 3);
  EXPECT_EQ(parts[0]["length"], 12000.0);
  EXPECT_EQ(parts[0]["width"], 4050.0);
  EXPECT_EQ(parts[0]["thickness"], 100.0);
  EXPECT_EQ(parts[0]["grain"], 2);
  EXPECT_EQ(parts[1]["reference"], "b");
  EXPECT_EQ(parts[1]["designation"], "Piece1");
  // One material: a simple job on one panel.
  EXPECT_EQ(out["job"]["kind"], 1);
  EXPECT_EQ(out["import"]["stockPanels"].size(), 1u);
}

TEST_F(ImportToolTest, ARefusedSheetExitsWith5AndNamesItsLineAndColumn) {
  // Read without its title line, the sheet fails on line 1, at the count.
  ToolRun run = Tool("--import " + Fixture("libreoffice.csv") + " --no-header");
  EXPECT_EQ(run.Exit, 5);
  EXPECT_TRUE(run.Out.empty());
  EXPECT_NE(run.Err.find("Erreur dans l'ouverture du fichier ! Ligne 1, colonne 3 (Nombre) : "),
            std::string::npos)
      << run.Err;
  EXPECT_NE(run.Err.find("cochez la case des entêtes"), std::string::npos) << run.Err;
  EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;  // one line

  WriteBytes(dir_.path() / "bad.csv", "Titres\nA;x;1;120;40;19;Pin;1\nB;y;2;120;;19;Pin;1\n");
  run = Tool("--import " + Quote((dir_.path() / "bad.csv").string()));
  EXPECT_EQ(run.Exit, 5);
  EXPECT_NE(run.Err.find("Ligne 3, colonne 5 (Largeur) : valeur manquante"), std::string::npos)
      << run.Err;
  EXPECT_EQ(run.Err.find("cochez"), std::string::npos) << run.Err;
}

// Sheets the import once read with values the file never held, or with two parts merged or
// sharing one reference: refused on their line and column after text 126, nothing printed.
TEST_F(ImportToolTest, SheetsThatWouldInventOrMergeArePrintedNeverAndNamed) {
  const std::string titles = "Ref;Des;Nb;L;l;Ep;Ess;Sens\n";
  const std::string good = "A;Etagere;2;600;400;19;Chene;1\n";
  const struct {
    const char* name;
    std::string sheet;
    const char* named;  // what stderr names after text 126
  } cases[] = {
      {"a thickness and species left empty", titles + good + "C;Tablette;3;800;350;;;\n",
       "Ligne 3, colonne 6 (Epaisseur) : valeur manquante"},
      {"a species left empty", titles + good + "C;Tablette;3;800;350;19;;1\n",
       "Ligne 3, colonne 7 (Essence) : valeur manquante"},
      {"a grain left empty", titles + "C;Tablette;3;800;350;19;Chene;\n" + good,
       "Ligne 2, colonne 8 (Sens du fil) : valeur manquante"},
      {"a designation left empty", titles + good + "C;;3;800;350;19;Chene;1\n",
       "Ligne 3, colonne 2 (Désignation) : valeur manquante"},
      {"a line that stops early", titles + "D;Court;1;500;300\n" + good,
       "Ligne 2, colonne 6 (Epaisseur) : valeur manquante : la ligne compte 5 champs et la "
       "fiche de débit en lit 8"},
      {"references cut alike", titles + good + "P101;x;1;500;300;19;Chene;1\n" +
                                   "P102;y;1;500;300;19;Chene;1\n",
       "Lignes 3 et 4 : la référence « P10 » désigne deux pièces"},
      {"a reference repeated", titles + good + good,
       "Lignes 2 et 3 : la référence « A » désigne deux pièces"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir_.path() / "sheet.csv", c.sheet);
    const ToolRun run = Tool("--import " + Quote((dir_.path() / "sheet.csv").string()));
    EXPECT_EQ(run.Exit, 5);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_NE(run.Err.find(": Erreur dans l'ouverture du fichier ! " + std::string(c.named)),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;  // one line
  }
  // Empty fields after the last column read, and an empty reference, are no fault.
  WriteBytes(dir_.path() / "sheet.csv", titles + "A;x;1;500;300;19;Chene;1;;\n;y;1;500;300;19;Chene;1;;\n");
  const ToolRun run = Tool("--import " + Quote((dir_.path() / "sheet.csv").string()));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const json parts = json::parse(run.Out)["import"]["parts"];
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[1]["reference"], "a");
}

// The tool cannot ask: a first line skipped as the titles that reads as a part is named on
// stderr, the import goes on without it; a titled sheet says nothing.
TEST_F(ImportToolTest, AFirstLineThatReadsAsAPartIsNamedOnStderr) {
  WriteBytes(dir_.path() / "untitled.csv",
             "A;Etagere;2;600;400;19;Pin;1\r\nB;Montant;4;1200;300;19;Pin;1\n");
  ToolRun run = Tool("--import " + Quote((dir_.path() / "untitled.csv").string()));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_NE(run.Err.find("la première ligne ressemble à une pièce"), std::string::npos)
      << run.Err;
  EXPECT_NE(run.Err.find("--no-header"), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("A;Etagere;2;600;400;19;Pin;1\n"), std::string::npos) << run.Err;
  EXPECT_EQ(json::parse(run.Out)["import"]["parts"].size(), 1u);

  run = Tool("--import " + Quote((dir_.path() / "untitled.csv").string()) + " --no-header");
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_TRUE(run.Err.empty()) << run.Err;
  EXPECT_EQ(json::parse(run.Out)["import"]["parts"].size(), 2u);

  run = Tool("--import " + Fixture("libreoffice.csv"));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_TRUE(run.Err.empty()) << run.Err;
}

TEST_F(ImportToolTest, AFileItCannotReadExitsWith2AndBadArgumentsWith1) {
  const ToolRun absent = Tool("--import " + Quote((dir_.path() / "absent.csv").string()));
  EXPECT_EQ(absent.Exit, 2);
  EXPECT_FALSE(absent.Err.empty());
  // A folder where the file should be stops root too.
  fs::create_directory(dir_.path() / "folder.csv");
  EXPECT_EQ(Tool("--import " + Quote((dir_.path() / "folder.csv").string())).Exit, 2);

  EXPECT_EQ(Tool("--import " + Fixture("utf8-bom.csv") + " job.deb").Exit, 1);
  EXPECT_EQ(Tool("--no-header job.deb").Exit, 1);
  EXPECT_EQ(Tool("--import").Exit, 1);
}

}  // namespace
}  // namespace tranchex
