// The layout tool: a job written with the job-file writer, laid out by the tool, its JSON read
// back; exit codes for files it cannot read and jobs it cannot lay out.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "job/FilesTestBytes.h"
#include "job/JobFile.h"
#include "job/SettingsFiles.h"
#include "support/Fifo.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#ifndef TRANCHEX_LAYOUT_TOOL
#error "TRANCHEX_LAYOUT_TOOL must name the tool"
#endif

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::JobBuilder;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

using test::RunTool;
using test::ToolRun;
const auto Quote = test::ShellQuote;

class LayoutToolTest : public ::testing::Test {
 protected:
  ToolRun Tool(const std::string& arguments) {
    return RunTool(Quote(TRANCHEX_LAYOUT_TOOL) + " " + arguments, dir_.path());
  }
  std::string SaveJob(const JobState& job, const char* name = "job.deb") {
    const fs::path path = dir_.path() / name;
    SaveJobFile(job, path);
    return Quote(path.string());
  }
  TempDir dir_;
};

TEST_F(LayoutToolTest, PrintsTheLayoutOfAJobFile) {
  Settings settings;
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  SaveSpeciesFile(dir_.path(), settings);
  const JobState job = JobBuilder()
                           .kind(2)
                           .kerf(30)
                           .margins(20, 10, 0)
                           .thickerStock()
                           .panel(25000, 12500, 1, GrainIndifferent, 190.0, 1)
                           .part(6000, 4000, 3, GrainIndifferent, 190.0, 1)
                           .part(8000, 3000, 2, GrainHorizontal, 190.0, 1)
                           .build();
  const ToolRun run = Tool("--data " + Quote(dir_.path().string()) + " " + SaveJob(job));
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const json out = json::parse(run.Out);
  EXPECT_EQ(out["job"]["kind"], 2);
  EXPECT_EQ(out["job"]["kerf"], 30);
  EXPECT_EQ(out["job"]["margins"], json::array({20.0, 10.0, 0.0}));
  EXPECT_EQ(out["job"]["thickerStock"], true);
  ASSERT_FALSE(out["panels"].empty());
  int placed = 0;
  for (const json& panel : out["panels"]) {
    EXPECT_EQ(panel["length"], 25000.0);
    EXPECT_EQ(panel["width"], 12500.0);
    EXPECT_EQ(panel["species"], 1);
    for (const json& part : panel["parts"]) {
      ++placed;
      const int number = part["number"];
      EXPECT_TRUE(number == 0 || number == 1);
      const json& r = part["rect"];
      EXPECT_GE(r[0].get<int>(), 0);
      EXPECT_LE(r[2].get<int>(), 25000);
      EXPECT_GE(r[3].get<int>(), 0);
      EXPECT_LE(r[1].get<int>(), 12500);
      EXPECT_TRUE(part["turned"].is_boolean());
      EXPECT_EQ(part["footprint"].size(), 4u);
    }
    EXPECT_TRUE(panel["free"].is_array());
    EXPECT_TRUE(panel["cuts"].is_array());
  }
  EXPECT_EQ(placed, 5);
  ASSERT_FALSE(out["summary"].empty());
  // The species name comes from the data folder's list.
  EXPECT_NE(out["summary"][0]["key"].get<std::string>().find("hêtre"), std::string::npos)
      << out["summary"][0]["key"];
  EXPECT_TRUE(out["offcuts"].is_array());
}

TEST_F(LayoutToolTest, CriterionAndChoiceOverrideTheJob) {
  const JobState job = JobBuilder().panel(25000, 12500).panel(12000, 6000).part(5000, 3000, 4).build();
  const std::string file = SaveJob(job);
  for (const char* options : {"--criterion 2 --choice 1", "--criterion 3", "--choice 2"}) {
    const ToolRun run = Tool(std::string(options) + " " + file);
    EXPECT_EQ(run.Exit, 0) << options << ": " << run.Err;
    EXPECT_TRUE(json::accept(run.Out)) << options;
  }
  EXPECT_EQ(Tool("--criterion 4 " + file).Exit, 1);
  EXPECT_EQ(Tool("").Exit, 1);
}

TEST_F(LayoutToolTest, AFileItCannotReadExitsWith2) {
  WriteBytes(dir_.path() / "bad.deb", "not a job file");
  for (const std::string& file : {Quote((dir_.path() / "absent.deb").string()),
                                 Quote((dir_.path() / "bad.deb").string())}) {
    const ToolRun run = Tool(file);
    EXPECT_EQ(run.Exit, 2) << file;
    EXPECT_TRUE(run.Out.empty());
    ASSERT_FALSE(run.Err.empty());
    EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;  // one line
  }
}

// A FIFO named as the job (offering a good job's bytes) is refused at once, as a file the tool
// cannot read, never waited on.
TEST_F(LayoutToolTest, AJobThatIsNotARegularFileIsRefusedAtOnce) {
  SaveJob(JobBuilder().panel(28000, 20700, 1).part(6000, 4000, 2).build(), "bon.deb");
  test::Fifo fifo(dir_.path() / "fifo.deb", ReadBytes(dir_.path() / "bon.deb"));
  ASSERT_TRUE(fifo.made());
  const ToolRun run = Tool(Quote(fifo.path().string()));
  EXPECT_EQ(run.Exit, 2);
  EXPECT_TRUE(run.Out.empty());
  EXPECT_NE(run.Err.find("n'est pas un fichier ordinaire"), std::string::npos) << run.Err;
}

TEST_F(LayoutToolTest, AJobItCannotLayOutExitsWith3) {
  const JobState job = JobBuilder().panel(25000, 12500).part(30000, 5000).build();
  const ToolRun run = Tool(SaveJob(job));
  EXPECT_EQ(run.Exit, 3);
  EXPECT_TRUE(run.Out.empty());
  EXPECT_FALSE(run.Err.empty());
}

}  // namespace
}  // namespace tranchex
