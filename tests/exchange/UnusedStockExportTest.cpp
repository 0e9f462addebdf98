// Stock entered in quantity and left whole by the layout is no part of what the shop exports:
// the computed job lists the panels that received parts, and the offcut export holds no whole
// stock panel.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "exchange/JobExport.h"
#include "job/CuttingPipeline.h"
#include "support/JobBuilder.h"

namespace tranchex::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(UnusedStock, TheComputedJobListsOnlyThePanelsUsed) {
  // "2800 x 2070, 19 mm, quantity 10"; two parts of 1000 x 500 mm take one panel.
  JobState job = JobBuilder()
                     .kind(2)
                     .panel(28000, 20700, 10, GrainIndifferent, 190)
                     .part(10000, 5000, 2, GrainIndifferent, 190)
                     .build();
  job.JobDesignations = {"Etagère"};
  const Settings settings = TestSettings();
  DrawingMeasures measures;
  measures.AreaHeight = 2000;
  measures.AreaWidth = 3000;
  measures.SheetRowsPerPage = 10;
  ComputeCuttingPlan(job, settings, measures, PipelineVariant::Open);

  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job, settings.SpeciesNames, 10.0, texts, ','};
  const std::vector<std::string> lines = Lines(ComputedJobLines(source));
  // The titles, one panel line numbered 1, then its two parts, both on panel 1.
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].rfind("1;;1;2800;2070;19;", 0), 0u) << lines[1];
  for (std::size_t i = 2; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].substr(lines[i].rfind(';') + 1), "1") << lines[i];
    EXPECT_NE(lines[i].find("Etagère;1;1000;500;19;"), std::string::npos) << lines[i];
  }

  // No offcut is a whole 2800 x 2070 panel.
  for (const CHUTE& o : job.Offcuts) EXPECT_FALSE(o.Length == 28000 && o.Width == 20700);
}

}  // namespace
}  // namespace tranchex::test
