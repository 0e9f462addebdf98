// tranchex-layout --export: a job file laid out and written as the export command writes it,
// in the data folder's unit and the locale's decimal separator; refused options and a file
// that cannot be written.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "job/JobFile.h"
#include "job/SettingsFiles.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#ifndef TRANCHEX_LAYOUT_TOOL
#error "TRANCHEX_LAYOUT_TOOL must name the tool"
#endif

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kSheetTitles =
    "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil\n";

const auto Quote = ShellQuote;
const auto Read = ReadWholeFile;

class ExportTool : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings settings;
    settings.SpeciesNames = {"Chêne", "Hêtre"};
    SaveSpeciesFile(dir_.path(), settings);
    // One beech panel; two parts: 396.5 mm, a semicolon and a double quote in the texts.
    const JobState job = JobBuilder()
                             .kind(2)
                             .panel(25000, 12500, 1, GrainIndifferent, 190.0, 1)
                             .part(3965, 1200, 2, GrainHorizontal, 190.0, 1, "Tiroir; façade")
                             .part(7200, 500, 1, GrainIndifferent, 190.0, 1, "Pied 2\" rond")
                             .build();
    SaveJobFile(job, dir_.path() / "job.deb");
  }

  // Runs the tool under a locale with the data folder and the given options.
  ToolRun Tool(const std::string& locale, const std::string& options) {
    const std::string command = "LC_ALL=" + locale + " " + Quote(TRANCHEX_LAYOUT_TOOL) +
                                " --data " + Quote(dir_.path().string()) + " " + options + " " +
                                Quote((dir_.path() / "job.deb").string());
    return RunTool(command, dir_.path());
  }

  fs::path File(const char* name) const { return dir_.path() / name; }
  std::string Out(const char* name) const { return "--out " + Quote(File(name).string()); }

  TempDir dir_;
};

TEST_F(ExportTool, WritesTheCuttingSheetInTheLocalesSeparator) {
  const ToolRun run = Tool("C.UTF-8", "--export sheet --format csv " + Out("fiche.csv"));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_TRUE(run.Out.empty());
  EXPECT_EQ(Read(File("fiche.csv")), kBom + kSheetTitles +
                                         "a;\"Tiroir; façade\";2;396.5;120;19;Hêtre;0\n"
                                         "b;Pied 2\" rond;1;720;50;19;Hêtre;2\n");

  // Under a French locale, where the machine has one: the decimal comma.
  if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) return;
  std::setlocale(LC_NUMERIC, "C");
  ASSERT_EQ(Tool("fr_FR.UTF-8", "--export sheet --format txt " + Out("fiche.txt")).Exit, 0);
  EXPECT_EQ(Read(File("fiche.txt")), kBom + kSheetTitles +
                                         "a;\"Tiroir; façade\";2;396,5;120;19;Hêtre;0\n"
                                         "b;Pied 2\" rond;1;720;50;19;Hêtre;2\n");
}

TEST_F(ExportTool, WritesTheComputedJobAndTheSylkSheetInTheDataFoldersUnit) {
  Settings centimetres;
  centimetres.MeasureUnit = {100.0, "cm", ""};
  SaveUnitFile(dir_.path(), centimetres);
  ToolRun run = Tool("C.UTF-8", "--export job --format txt " + Out("debit.txt"));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const std::string job = Read(File("debit.txt"));
  EXPECT_TRUE(job.starts_with(kBom + kSheetTitles.substr(0, kSheetTitles.size() - 1) +
                              ";Panneau destination\n"))
      << job;
  EXPECT_NE(job.find("\n1;;1;250;125;1.9;Hêtre;2;;\n"), std::string::npos) << job;
  EXPECT_NE(job.find("\na;\"Tiroir; façade\";1;39.65;12;1.9;Hêtre;0;1\n"), std::string::npos)
      << job;

  run = Tool("C.UTF-8", "--export sheet --format slk " + Out("tableur.slk"));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const std::string sylk = Read(File("tableur.slk"));
  EXPECT_EQ(sylk.substr(0, 22), "ID;Exportation-débit\n");
  EXPECT_NE(sylk.find("\nB;Y3;X7\n"), std::string::npos);
  EXPECT_NE(sylk.find("\nC;N;K39.65\n"), std::string::npos);
  EXPECT_NE(sylk.find("\nC;N;K\"Tiroir;; façade\"\n"), std::string::npos);
  EXPECT_TRUE(sylk.ends_with("\nE\n"));
}

TEST_F(ExportTool, RefusesIncompleteOrWrongExportOptions) {
  const std::string out = Out("x.csv");
  for (const std::string& options :
       {"--export job --format slk " + out, "--export sheet --format xls " + out,
        "--export sheet --format CSV " + out, "--export panneaux --format csv " + out,
        std::string("--export sheet --format csv"), "--format csv " + out,
        "--export sheet " + out, std::string("--export sheet --format csv --out ''")}) {
    const ToolRun run = Tool("C.UTF-8", options);
    EXPECT_EQ(run.Exit, 1) << options;
    EXPECT_FALSE(fs::exists(File("x.csv"))) << options;
  }
}

TEST_F(ExportTool, AFileItCannotWriteExitsWith4) {
  const ToolRun run =
      Tool("C.UTF-8", "--export sheet --format csv --out " +
                          Quote((dir_.path() / "absent" / "fiche.csv").string()));
  EXPECT_EQ(run.Exit, 4);
  ASSERT_FALSE(run.Err.empty());
  EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;  // one line
  EXPECT_NE(run.Err.find("absent/fiche.csv"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(dir_.path() / "absent"));
}

}  // namespace
}  // namespace tranchex::test
