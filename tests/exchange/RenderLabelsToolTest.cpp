// The render tool's labels and summary: a job file and a labels file written by their writers,
// the labels or the job summary printed by the tool into a PDF file; its exit codes for arguments
// and formats it refuses.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "job/JobFile.h"
#include "job/SettingsFiles.h"
#include "support/Fifo.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#ifndef TRANCHEX_RENDER_TOOL
#error "TRANCHEX_RENDER_TOOL must name the tool"
#endif

namespace tranchex {
namespace {

namespace fs = std::filesystem;

using test::ReadWholeFile;
using test::RunTool;
using test::ToolRun;
const auto Quote = test::ShellQuote;
const auto Read = ReadWholeFile;

class RenderLabelsTool : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings settings;
    ETIQUETTE stacked{"empile", 381, 635, 170, 95, 0, 660};  // a vertical pitch of 0
    settings.LabelFormats = {ETIQUETTE{"3x7", 381, 635, 170, 95, 381, 660}, stacked};
    SaveLabelsFile(dir.path(), settings);
    // 25 labels: 20 + 5 copies.
    const JobState job = test::JobBuilder()
                             .kind(1)
                             .panel(28000, 20700, 2, GrainIndifferent, 100.0)
                             .part(6000, 4000, 20, GrainIndifferent, 100.0)
                             .part(3000, 2000, 5, GrainIndifferent, 100.0)
                             .build();
    SaveJobFile(job, dir.path() / "job.deb");
  }

  ToolRun Tool(const std::string& arguments) {
    // No print server for the tool: it prints to its PDF file or nowhere.
    const std::string command = "CUPS_SERVER=/nonexistent/tranchex-tests/cups.sock " +
                                Quote(TRANCHEX_RENDER_TOOL) + " " +
                                Quote((dir.path() / "job.deb").string()) + " --pdf " +
                                Quote(Pdf()) + " " + arguments;
    return RunTool(command, dir.path());
  }
  std::string Pdf() const { return (dir.path() / "etiquettes.pdf").string(); }
  std::string Data() const { return "--data " + Quote(dir.path().string()); }

  test::TempDir dir;
};

TEST_F(RenderLabelsTool, PrintsTheLabelsOfAJobOnANamedFormat) {
  const ToolRun run = Tool("--view labels --label 3x7 " + Data());
  ASSERT_EQ(run.Exit, 0) << run.Err;
  // 21 labels on the first sheet, 4 on the second.
  EXPECT_EQ(run.Out, Pdf() + ": 2 page(s)\n");
  EXPECT_TRUE(fs::exists(Pdf()));
}

TEST_F(RenderLabelsTool, RefusesWhatItCannotPrint) {
  struct Case {
    const char* name;
    std::string arguments;
    int exit;
  };
  const std::vector<Case> cases = {
      {"labels without a format", "--view labels " + Data(), 1},
      {"a format without labels", "--view panels --label 3x7 " + Data(), 1},
      {"labels without a data folder", "--view labels --label 3x7", 1},
      {"labels with pages", "--view labels --label 3x7 --pages 1-1 " + Data(), 1},
      {"a format the labels file lacks", "--view labels --label 2x8 " + Data(), 5},
      {"a format that cannot be printed", "--view labels --label empile " + Data(), 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Pdf());
    const ToolRun run = Tool(c.arguments);
    EXPECT_EQ(run.Exit, c.exit) << run.Err;
    EXPECT_FALSE(run.Err.empty());
    EXPECT_FALSE(fs::exists(Pdf()));
  }
}

// The same job's summary: one panel kind, one page.
class RenderSummaryTool : public RenderLabelsTool {};

TEST_F(RenderSummaryTool, PrintsTheJobSummaryWhole) {
  for (const std::string& data : {std::string(), Data()}) {
    SCOPED_TRACE(data);
    fs::remove(Pdf());
    const ToolRun run = Tool("--view summary " + data);
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, Pdf() + ": 1 page(s)\n");
    EXPECT_TRUE(fs::exists(Pdf()));
  }
}

TEST_F(RenderSummaryTool, RefusesPagesAndCutLines) {
  for (const char* arguments : {"--view summary --pages 1-1", "--view summary --cut-lines",
                                "--view summary --label 3x7"}) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.Exit, 1) << run.Err;
    EXPECT_FALSE(run.Err.empty());
    EXPECT_FALSE(fs::exists(Pdf()));
  }
}

// A FIFO in the place of the PDF file, for every view: refused at once (exit 4, "not a regular
// file"), never opened; the FIFO stays. The tool runs under a time bound so that a fault fails
// the test instead of holding it.
TEST_F(RenderSummaryTool, RefusesAPdfFileThatIsNotARegularFile) {
  test::Fifo fifo(Pdf(), "");
  ASSERT_TRUE(fifo.made());
  for (const std::string& view :
       {std::string("--view panels"), "--view summary " + Data(), "--view labels --label 3x7 " + Data()}) {
    SCOPED_TRACE(view);
    const std::string command = "CUPS_SERVER=/nonexistent/tranchex-tests/cups.sock timeout 60 " +
                                Quote(TRANCHEX_RENDER_TOOL) + " " +
                                Quote((dir.path() / "job.deb").string()) + " --pdf " +
                                Quote(Pdf()) + " " + view;
    const ToolRun run = RunTool(command, dir.path());
    EXPECT_EQ(run.Exit, 4) << run.Err;
    EXPECT_NE(run.Err.find("n'est pas un fichier ordinaire"), std::string::npos) << run.Err;
    EXPECT_EQ(fs::status(Pdf()).type(), fs::file_type::fifo);
  }
}

}  // namespace
}  // namespace tranchex
