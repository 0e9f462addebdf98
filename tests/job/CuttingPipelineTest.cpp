#include "job/CuttingPipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "support/EngineRun.h"
#include "support/JobBuilder.h"
#include "support/LayoutChecker.h"

namespace tranchex::test {
namespace {

DrawingMeasures Measures() {
  DrawingMeasures m;
  m.AreaHeight = 2000;
  m.AreaWidth = 3000;
  m.PanelViewMargin = 100;
  m.PartViewMargin = 100;
  m.SheetRowsPerPage = 10;
  return m;
}

// Records what the pipeline asks of the window.
struct FakeWindow : PipelineWindow {
  void SetBusy(bool b) override { calls.push_back(b ? "busy" : "idle"); }
  void PipelineFinished(PipelineVariant) override { calls.push_back("finished"); }
  std::vector<std::string> calls;
};

// An engine test job as the pipeline's job state.
JobState JobFromTestJob(const TestJob& t) {
  JobState job;
  job.JobKind = t.kind;
  job.JobKerf = t.kerf;
  job.JobMargins = t.margins;
  job.Engine.OptimisationCriterion = t.criterion;
  job.Engine.NewPanelChoice = t.choice;
  job.JobPanels = t.stock;
  job.JobParts = t.parts;
  job.JobDesignations.assign(t.parts.size(), "d");
  job.JobReferences.assign(t.parts.size(), "r");
  return job;
}

void Lay(JobState& job, PipelineVariant variant = PipelineVariant::New,
         PipelineWindow* window = nullptr) {
  ComputeCuttingPlan(job, TestSettings(), Measures(), variant, window);
}

TEST(CuttingPipeline, CopiesOfOneStockEntryStayTogetherInEntryOrder) {
  // Entry 0 is large, entry 1 small with three copies: the engine fills the small ones first
  // and adds panels of entry 0; afterwards every panel sits by its entry.
  JobState job = JobBuilder()
                     .panel(30000, 20000, 1)
                     .panel(10000, 8000, 3)
                     .part(9000, 7000, 3)
                     .part(25000, 15000, 3)
                     .build();
  Lay(job);
  ASSERT_EQ(job.JobLoaded, 1);
  std::vector<int> entries;
  for (const auto& p : job.ResultPanels) entries.push_back(p.EntryIndex);
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));
  EXPECT_EQ(std::count(entries.begin(), entries.end(), 1), 3);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), 0), 3);
  EXPECT_TRUE(CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins).empty());
}

TEST(CuttingPipeline, GroupsBySimpleOrComplexJob) {
  struct Case {
    int kind;
    std::size_t groups;
  };
  for (const Case c : {Case{1, 1}, Case{2, 2}}) {
    JobState job = JobBuilder()
                       .kind(c.kind)
                       .panel(20000, 10000, 1, 2, 190)
                       .panel(20000, 10000, 1, 2, 220)
                       .part(3000, 2000, 2, 2, 220)
                       .part(3000, 2000, 1, 2, 190)
                       .part(1000, 500, 1, 2, 220)
                       .build();
    Lay(job);
    ASSERT_EQ(job.PartGroups.size(), c.groups) << "kind " << c.kind;
    EXPECT_TRUE(job.PartGroups.front().empty());  // all placed
    EXPECT_EQ(job.Engine.PartCounts.size(), 3u);
  }
}

TEST(CuttingPipeline, ComplexGroupsFollowTheFirstOccurrenceOfEachMaterial) {
  JobState job = JobBuilder()
                     .panel(20000, 10000, 1, 2, 190, 1)
                     .panel(20000, 10000, 1, 2, 220, 0)
                     .part(3000, 2000, 1, 2, 220, 0)
                     .part(3000, 2000, 1, 2, 190, 1)
                     .build();
  // Stop the engine before it places: nothing fits a thickness of 500, so read the groups as
  // the pipeline built them through a job whose third material has no panel.
  JobState failing = job;
  failing.JobParts.push_back(failing.JobParts[0]);
  failing.JobParts.back().Thickness = 500;
  failing.JobDesignations.push_back("x");
  failing.JobReferences.push_back("x");
  EXPECT_THROW(Lay(failing), CuttingPlanError);
  ASSERT_EQ(failing.PartGroups.size(), 3u);
  EXPECT_EQ(failing.PartGroups[2].front().Thickness, 500);
  Lay(job);
  EXPECT_EQ(job.PartGroups.size(), 2u);
}

// Stock no part went on is no result: a job without parts lays out no panel, and nothing of an
// earlier layout stays in its lists. The stock itself is kept as entered.
TEST(CuttingPipeline, AJobWithoutPartsLaysOutNoPanel) {
  JobState job = JobBuilder().kind(1).panel(20000, 10000, 2).part(3000, 2000).build();
  Lay(job);
  ASSERT_FALSE(job.SummaryLines.empty());
  job.JobParts.clear();
  job.JobDesignations.clear();
  job.JobReferences.clear();
  Lay(job, PipelineVariant::Modify);
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_TRUE(job.PartGroups.empty());
  EXPECT_TRUE(job.ResultPanels.empty());
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Quantity, 2);
  EXPECT_TRUE(job.SummaryLines.empty());
  EXPECT_TRUE(job.Offcuts.empty());
  EXPECT_TRUE(job.PanelPages.empty());
  EXPECT_EQ(CountDisplayedPanels(job.PanelPages), 0);
  EXPECT_EQ(job.PartViewScale, 0.0);  // no part to scale: the parts view draws nothing
  ASSERT_EQ(job.CuttingSheetPages.size(), 1u);
  EXPECT_EQ(job.CuttingSheetPages[0].LastRow, -1);
}

// A shop enters its stock as it stands, "2800 x 2070, 19 mm, quantity 10", and the layout needs
// one panel: the result is that one panel, whatever list reads it.
TEST(CuttingPipeline, StockInQuantityGivesOnlyThePanelsUsed) {
  JobState job = JobBuilder()
                     .kind(2)
                     .panel(28000, 20700, 10, GrainIndifferent, 190)
                     .part(10000, 5000, 2, GrainIndifferent, 190)
                     .build();
  Lay(job);
  ASSERT_EQ(job.ResultPanels.size(), 1u);
  EXPECT_EQ(job.ResultPanels[0].PlacedParts.size(), 2u);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Quantity, 10);  // the stock list is unchanged

  // Summary: 1 panel of 2800 x 2070 mm, 2 parts of 1000 x 500 mm on it, no kerf, no margin.
  ASSERT_EQ(job.SummaryLines.size(), 1u);
  const METRAGE& line = job.SummaryLines[0];
  EXPECT_EQ(line.Key, "2800x2070x19mm - chêne - indifférent");
  EXPECT_EQ(line.PanelCount, 1);
  EXPECT_EQ(line.PartsPerPanel, 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.PanelArea), 5796000.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.PartsArea), 1000000.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(line.WasteArea), 4796000.0);
  EXPECT_NEAR(line.WastePercent, 4796000.0 / 5796000.0 * 100.0, 1e-9);  // 82,75 %

  // Offcuts: what the two parts leave of the one panel; no whole panel among them.
  long double offcutArea = 0;
  for (const CHUTE& o : job.Offcuts) {
    EXPECT_FALSE(o.Length == 28000 && o.Width == 20700) << o.Text;
    offcutArea += o.Surface * o.Count;
  }
  EXPECT_EQ(offcutArea, 479600000.0L);

  // One plan, one page.
  ASSERT_EQ(job.PanelPages.size(), 1u);
  EXPECT_EQ(CountDisplayedPanels(job.PanelPages), 1);
  EXPECT_EQ(DisplayedPanelRepeat(job.PanelPages, 0), 1);
}

// Stock of a kind no part uses (another species here) is no line, no offcut, no page.
TEST(CuttingPipeline, AStockKindNoPartUsesIsNoResult) {
  JobState job = JobBuilder()
                     .kind(2)
                     .panel(24400, 12200, 3, GrainHorizontal, 190, 1)
                     .panel(28000, 20700, 2, GrainIndifferent, 190, 0)
                     .part(6000, 4000, 3, GrainIndifferent, 190, 0)
                     .build();
  Lay(job);
  ASSERT_EQ(job.ResultPanels.size(), 1u);
  EXPECT_EQ(job.ResultPanels[0].EntryIndex, 1);
  ASSERT_EQ(job.SummaryLines.size(), 1u);
  EXPECT_EQ(job.SummaryLines[0].Key, "2800x2070x19mm - chêne - indifférent");
  EXPECT_EQ(job.SummaryLines[0].PanelCount, 1);
  for (const CHUTE& o : job.Offcuts) EXPECT_EQ(o.Species, 0) << o.Text;
  EXPECT_EQ(CountDisplayedPanels(job.PanelPages), 1);
}

TEST(CuttingPipeline, PartCountsHoldEveryPartEvenOfQuantityZero) {
  JobState job = JobBuilder().panel(20000, 10000).part(3000, 2000, 0).part(1000, 1000, 2).build();
  Lay(job);
  ASSERT_EQ(job.Engine.PartCounts.size(), 2u);
  EXPECT_EQ(job.Engine.PartCounts[0].PartId, 0);
  EXPECT_EQ(job.Engine.PartCounts[0].Count, 0);
  EXPECT_EQ(job.Engine.PartCounts[1].Count, 0);  // both copies placed
}

TEST(CuttingPipeline, BarsAreRecognisedByWidthThicknessAndMargins) {
  struct Case {
    double widthMargin;
    double thicknessMargin;
    double partWidth;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {0.0, 0.0, 100.0, 1},  // a length margin of 5 plays no part
      {0.5, 0.0, 100.0, 0},
      {0.0, 0.5, 100.0, 0},
      {0.0, 0.0, 120.0, 0},
  };
  for (const Case& c : cases) {
    JobState job = JobBuilder()
                       .margins(5.0, c.widthMargin, c.thicknessMargin)
                       .panel(60000, 100, 2, 2, 100.0 + c.thicknessMargin)
                       .part(20000, c.partWidth, 2, 2, 100.0)
                       .build();
    job.JobMargins.ThickerStockAllowed = 0;
    job.JobPanels[0].Width = 100.0 + 2 * c.widthMargin + (c.partWidth - 100.0);
    PanelFromDimensions(job.JobPanels[0]);
    ResizePanelLayout(job.JobPanels[0]);
    Lay(job);
    EXPECT_EQ(job.MarginsAllZero, c.expected) << c.widthMargin << " " << c.thicknessMargin << " "
                                              << c.partWidth;
  }
  // Modify that widens a part turns it back to 0.
  JobState job = JobBuilder().panel(60000, 200, 2, 2, 100).part(20000, 100, 2, 2, 100).build();
  job.JobPanels[0].Width = 100;
  PanelFromDimensions(job.JobPanels[0]);
  Lay(job);
  ASSERT_EQ(job.MarginsAllZero, 1);
  job.JobParts[0].Width = 90;
  PanelFromDimensions(job.JobParts[0]);
  Lay(job, PipelineVariant::Modify);
  EXPECT_EQ(job.MarginsAllZero, 0);
}

TEST(CuttingPipeline, FlagsByVariant) {
  struct Case {
    PipelineVariant variant;
    std::uint8_t untitledBefore, untitled, modified;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {PipelineVariant::New, 0, 1, 1, {"busy", "finished", "idle"}},
      {PipelineVariant::Modify, 1, 1, 1, {"busy", "finished", "idle"}},  // a new job stays untitled
      {PipelineVariant::Modify, 0, 0, 1, {"busy", "finished", "idle"}},
      {PipelineVariant::Open, 1, 0, 0, {"busy", "finished", "idle"}},
      {PipelineVariant::CommandLineOpen, 1, 0, 0, {"finished"}},  // no pointer change
  };
  for (const Case& c : cases) {
    JobState job = JobBuilder().panel(20000, 10000).part(3000, 2000).build();
    job.JobUntitled = c.untitledBefore;
    FakeWindow window;
    Lay(job, c.variant, &window);
    EXPECT_EQ(job.JobLoaded, 1);
    EXPECT_EQ(job.JobUntitled, c.untitled);
    EXPECT_EQ(job.JobModified, c.modified);
    EXPECT_EQ(window.calls, c.calls);
    EXPECT_GT(job.PanelViewScale, 0.0);
    EXPECT_GT(job.PartViewScale, 0.0);
  }
}

TEST(CuttingPipeline, APartNoPanelTakesFailsAndLeavesNothingStale) {
  JobState job = JobBuilder().panel(20000, 10000).part(3000, 2000, 2).part(30000, 2000).build();
  // A first, sound run fills the derived lists.
  JobState sound = JobBuilder().panel(20000, 10000).part(3000, 2000, 2).build();
  Lay(sound);
  job.SummaryLines = sound.SummaryLines;
  job.PanelPages = sound.PanelPages;
  job.Offcuts = sound.Offcuts;
  job.CuttingSheetPages = sound.CuttingSheetPages;
  job.JobLoaded = 1;
  FakeWindow window;
  EXPECT_THROW(Lay(job, PipelineVariant::Modify, &window), CuttingPlanError);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"busy", "idle"}));  // pointer restored
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_TRUE(job.SummaryLines.empty());
  EXPECT_TRUE(job.PanelPages.empty());
  EXPECT_TRUE(job.Offcuts.empty());
  EXPECT_TRUE(job.CuttingSheetPages.empty());
  // What was laid out so far is kept, and sound.
  EXPECT_FALSE(job.ResultPanels.empty());
  EXPECT_TRUE(CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins, false).empty());
}

// Emptying a laid-out job leaves nothing to draw or count, and the next part entered is
// numbered 0, its position; the job's parameters stay.
TEST(CuttingPipeline, AnEmptiedJobKeepsNothingOfItsLayout) {
  JobState job = JobBuilder().kerf(45).panel(20000, 10000, 2).part(3000, 2000, 3).part(4000, 1000)
                     .build();
  Lay(job);
  ASSERT_FALSE(job.PanelPages.empty());
  ASSERT_EQ(job.Engine.PartCounter, 2);
  ClearJobLists(job);
  EXPECT_TRUE(job.JobPanels.empty());
  EXPECT_TRUE(job.JobParts.empty());
  EXPECT_TRUE(job.JobDesignations.empty());
  EXPECT_TRUE(job.JobReferences.empty());
  EXPECT_TRUE(job.PartGroups.empty());
  EXPECT_TRUE(job.ResultPanels.empty());
  EXPECT_TRUE(job.Engine.PartCounts.empty());
  EXPECT_TRUE(job.PanelPages.empty());
  EXPECT_TRUE(job.SummaryLines.empty());
  EXPECT_TRUE(job.Offcuts.empty());
  EXPECT_TRUE(job.CuttingSheetPages.empty());
  EXPECT_EQ(job.JobKerf, 45);
  TPiece part(1000.0, 500.0, 190.0, 0);
  EXPECT_EQ(PartNumber(AssignPartNumber(part, job.Engine)), 0);
}

// The reason names the part as the user entered it: its position from 1, its designation, its
// sizes in the unit shown, its species and grain.
TEST(CuttingPipeline, APartNoPanelTakesIsNamedAsEntered) {
  struct Case {
    const char* name;
    JobState job;
    UNITE_MESURE unit;
    std::string reason;
  };
  JobState simple =
      JobBuilder().kind(1).panel(20000, 10000).part(3000, 2000).part(30000, 2005).build();
  simple.JobDesignations = {"Montant", "Etagère"};
  JobState complex = JobBuilder().kind(2).panel(20000, 10000, 1, 1, 190, 1)
                         .part(3000, 2000, 1, 1, 190, 1).part(3000, 2000, 1, 2, 220, 1).build();
  complex.JobDesignations = {"Montant", "Tablette"};
  for (const Case& c : {
           Case{"simple, mm", simple, UNITE_MESURE{},
                "Aucun panneau ne peut recevoir la pièce n° 2 « Etagère » : 3000x200,5 - "
                "indifférent (mm)"},
           Case{"simple, cm", simple, UNITE_MESURE{100.0, "cm", ""},
                "Aucun panneau ne peut recevoir la pièce n° 2 « Etagère » : 300x20,05 - "
                "indifférent (cm)"},
           Case{"complex: the thickness and species", complex, UNITE_MESURE{},
                "Aucun panneau ne peut recevoir la pièce n° 2 « Tablette » : 300x200x22 - "
                "hêtre - indifférent (mm)"},
       }) {
    SCOPED_TRACE(c.name);
    JobState job = c.job;
    Settings settings = TestSettings();
    settings.MeasureUnit = c.unit;
    try {
      ComputeCuttingPlan(job, settings, Measures(), PipelineVariant::New);
      ADD_FAILURE() << "laid out";
    } catch (const CuttingPlanError& e) {
      EXPECT_EQ(std::string(e.what()), c.reason);
    }
  }
}

TEST(CuttingPipeline, RefusesRecordsThatCouldMakeTheEngineLoopOrOverflow) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::function<void(JobState&)> spoil;
  };
  const Case cases[] = {
      {"part length 0", [](JobState& j) { j.JobParts[0].Length = 0; }},
      {"part width negative", [](JobState& j) { j.JobParts[0].Width = -5; }},
      {"part thickness NaN", [nan](JobState& j) { j.JobParts[0].Thickness = nan; }},
      {"panel length infinite", [inf](JobState& j) { j.JobPanels[0].Length = inf; }},
      {"panel width past the int range", [](JobState& j) { j.JobPanels[0].Width = 3e9; }},
      {"part quantity -1", [](JobState& j) { j.JobParts[0].Quantity = -1; }},
      {"part quantity 100001", [](JobState& j) { j.JobParts[0].Quantity = 100001; }},
      {"panel quantity 100001", [](JobState& j) { j.JobPanels[0].Quantity = 100001; }},
      {"part grain 3", [](JobState& j) { j.JobParts[0].Grain = 3; }},
      {"panel grain -1", [](JobState& j) { j.JobPanels[0].Grain = -1; }},
      {"part species -1", [](JobState& j) { j.JobParts[0].Species = -1; }},
      {"width margin NaN", [nan](JobState& j) { j.JobMargins.WidthMargin = nan; }},
      {"length margin negative", [](JobState& j) { j.JobMargins.LengthMargin = -1; }},
      {"kerf negative", [](JobState& j) { j.JobKerf = -3; }},
      {"a designation missing", [](JobState& j) { j.JobDesignations.pop_back(); }},
      {"too many copies",
       [](JobState& j) {
         for (auto& p : j.JobParts) p.Quantity = 100000;
         for (int i = 0; i < 10; ++i) {
           j.JobParts.push_back(j.JobParts[0]);
           j.JobDesignations.push_back("d");
           j.JobReferences.push_back("r");
         }
       }},
  };
  for (const Case& c : cases) {
    JobState job = JobBuilder().panel(20000, 10000).part(3000, 2000, 2).part(1000, 1000).build();
    c.spoil(job);
    const JobState before = job;
    FakeWindow window;
    EXPECT_THROW(Lay(job, PipelineVariant::Open, &window), CuttingPlanError) << c.what;
    EXPECT_TRUE(window.calls.empty()) << c.what;  // refused before anything ran
    EXPECT_EQ(job.ResultPanels.size(), before.ResultPanels.size()) << c.what;
    EXPECT_EQ(job.JobParts.size(), before.JobParts.size()) << c.what;
    EXPECT_EQ(job.Engine.PartCounts, before.Engine.PartCounts) << c.what;
    EXPECT_EQ(job.JobLoaded, before.JobLoaded) << c.what;
  }
  // A species past the list is not refused: the job may come from another shop.
  JobState job = JobBuilder().panel(20000, 10000, 1, 2, 190, 7).part(3000, 2000, 1, 2, 190, 7).build();
  EXPECT_NO_THROW(Lay(job));
}

TEST(CuttingPipeline, PartsAreNumberedByTheirPositions) {
  JobState job = JobBuilder().panel(20000, 10000).part(3000, 2000, 2).part(1000, 1000, 3).build();
  job.JobParts[0].Number = 5;  // as an old file or a second job in one run could leave them
  job.JobParts[1].Number = 5;
  Lay(job);
  EXPECT_EQ(job.JobParts[0].Number, 0);
  EXPECT_EQ(job.JobParts[1].Number, 1);
  EXPECT_TRUE(CheckLayout(job.JobParts, job.ResultPanels, job.JobMargins).empty());
}

// The summary agrees with the layout it sums, on the random jobs of the engine tests.
TEST(CuttingPipeline, SummaryTotalsAgreeWithTheLayout) {
  int checked = 0;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    const TestJob t = RandomJob(seed);
    JobState job = JobFromTestJob(t);
    try {
      Lay(job);
    } catch (const CuttingPlanError&) {
      continue;
    }
    ++checked;
    long double panelArea = 0, partsArea = 0, waste = 0, cut = 0, lineArea = 0, lineParts = 0,
                lineWaste = 0, lineCut = 0, slack = 0;
    int panels = 0;
    for (const auto& p : job.ResultPanels) {
      panelArea += p.Area;
      cut += p.CutLength;
      for (const auto& part : p.PlacedParts) {
        partsArea += part.Area;
        // A part's exact size may pass its truncated footprint by under a unit on each side.
        slack += part.Length + part.Width + 1;
      }
      for (const auto& f : p.FreeRects) waste += RectArea(f);
    }
    for (const auto& line : job.SummaryLines) {
      lineArea += line.PanelArea;
      lineParts += line.PartsArea;
      lineWaste += line.WasteArea;
      lineCut += line.CutLength;
      panels += line.PanelCount;
    }
    // Millimetres: lengths are divided by 10, areas by 100.
    EXPECT_EQ(panels, static_cast<int>(job.ResultPanels.size())) << seed;
    EXPECT_NEAR(static_cast<double>(lineArea * 100), static_cast<double>(panelArea), 1e-3) << seed;
    EXPECT_NEAR(static_cast<double>(lineParts * 100), static_cast<double>(partsArea), 1e-3) << seed;
    EXPECT_NEAR(static_cast<double>(lineWaste * 100), static_cast<double>(waste), 1e-3) << seed;
    EXPECT_NEAR(static_cast<double>(lineCut * 10), static_cast<double>(cut), 1e-6) << seed;
    // Parts and offcuts never add up to more than the wood; the rest went to margins and kerf.
    EXPECT_LE(static_cast<double>(partsArea + waste), static_cast<double>(panelArea + slack))
        << seed;
  }
  EXPECT_GT(checked, 150);
}

// The engine tests lay their random jobs out through the test support; it must give, panel by
// panel, the layout the pipeline gives, or those tests would check another grouping.
TEST(CuttingPipeline, LaysOutAsTheEngineTestRunsDo) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    const TestJob t = RandomJob(seed);
    JobState job = JobFromTestJob(t);
    const TestRun run = RunJob(t);
    bool refused = false;
    try {
      Lay(job);
    } catch (const CuttingPlanError&) {
      refused = true;
    }
    ASSERT_EQ(refused, run.failed);
    EXPECT_EQ(job.Engine.PartCounts, run.ctx.PartCounts);
    if (refused) continue;  // a stopped run leaves its panels in no defined order
    // The pipeline keeps the panels that received parts, in the engine's order.
    std::vector<const Panneau_p*> used;
    for (const Panneau_p& p : run.panels)
      if (!p.PlacedParts.empty()) used.push_back(&p);
    ASSERT_EQ(job.ResultPanels.size(), used.size());
    for (std::size_t i = 0; i < used.size(); ++i) {
      const Panneau_p& a = job.ResultPanels[i];
      const Panneau_p& b = *used[i];
      EXPECT_EQ(a.EntryIndex, b.EntryIndex) << "panel " << i;
      EXPECT_EQ(a.Rect, b.Rect) << "panel " << i;
      EXPECT_EQ(a.FreeRects, b.FreeRects) << "panel " << i;
      EXPECT_EQ(a.CutLength, b.CutLength) << "panel " << i;
      ASSERT_EQ(a.PlacedParts.size(), b.PlacedParts.size()) << "panel " << i;
      for (std::size_t k = 0; k < a.PlacedParts.size(); ++k) {
        EXPECT_EQ(a.PlacedParts[k].Number, b.PlacedParts[k].Number);
        EXPECT_EQ(a.PlacedParts[k].Rect, b.PlacedParts[k].Rect);
        EXPECT_EQ(a.PlacedParts[k].Footprint, b.PlacedParts[k].Footprint);
      }
    }
  }
}

TEST(CuttingPipeline, WithoutMarginsOrKerfPartsAndOffcutsMakeTheWholePanel) {
  JobState job = JobBuilder()
                     .panel(28000, 20700, 2)
                     .part(6000, 4000, 7)
                     .part(2500, 1200, 9)
                     .part(900, 900, 11)
                     .build();
  Lay(job);
  ASSERT_FALSE(job.SummaryLines.empty());
  for (const auto& line : job.SummaryLines) {
    EXPECT_DOUBLE_EQ(static_cast<double>(line.PanelArea),
                     static_cast<double>(line.PartsArea + line.WasteArea));
  }
}

}  // namespace
}  // namespace tranchex::test
