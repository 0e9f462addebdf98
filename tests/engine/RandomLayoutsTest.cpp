// Every layout the engine makes must be one a joiner can cut: checked on hand-made faults (so
// the checker is known to see them) and on a few hundred seeded random jobs.

#include <gtest/gtest.h>

#include <functional>

#include "support/EngineRun.h"
#include "support/LayoutChecker.h"

namespace tranchex::test {
namespace {

// A 1000 x 500 panel holding two parts, as a correct layout would.
struct CheckerFixture {
  CheckerFixture() {
    AddStock(job, 1000, 500, 1, GrainHorizontal);
    AddPart(job, 400, 300, 1, GrainHorizontal);
    AddPart(job, 300, 200, 1, GrainIndifferent);
    panels.push_back(job.stock[0]);
    place(0, TRect(0, 500, 400, 200));
    place(1, TRect(400, 500, 700, 300));
    panels[0].FreeRects = {MONRect(TRect(0, 200, 1000, 0)), MONRect(TRect(700, 500, 1000, 200))};
  }
  void place(std::size_t n, TRect at) {
    TPiece p = job.parts[n];
    p.Rect = at;
    p.Footprint = at;
    panels[0].PlacedParts.push_back(p);
  }
  std::vector<std::string> check(bool allPlaced = true) {
    return CheckLayout(job.parts, panels, job.margins, allPlaced);
  }
  TestJob job;
  PanelList panels;
};

TEST(LayoutChecker, AcceptsASoundLayout) {
  CheckerFixture f;
  EXPECT_TRUE(f.check().empty()) << DescribeFaults(f.check());
}

TEST(LayoutChecker, SeesEveryKindOfFault) {
  struct Case {
    const char* what;
    std::function<void(CheckerFixture&)> spoil;
  };
  const Case cases[] = {
      {"two parts on one piece of wood",
       [](CheckerFixture& f) { f.panels[0].PlacedParts[1].Footprint = TRect(350, 500, 650, 300);
                               f.panels[0].PlacedParts[1].Rect = TRect(350, 500, 650, 300); }},
      {"a part off the panel",
       [](CheckerFixture& f) { f.panels[0].PlacedParts[1].Footprint = TRect(800, 500, 1100, 300);
                               f.panels[0].PlacedParts[1].Rect = TRect(800, 500, 1100, 300); }},
      {"a free area over a part",
       [](CheckerFixture& f) { f.panels[0].FreeRects = {MONRect(TRect(0, 250, 1000, 0))}; }},
      {"a part cut twice", [](CheckerFixture& f) { f.place(1, TRect(700, 200, 1000, 0)); }},
      {"a part never cut", [](CheckerFixture& f) { f.panels[0].PlacedParts.pop_back(); }},
      {"a part of another species", [](CheckerFixture& f) { f.job.parts[0].Species = 1; }},
      {"a part of another thickness", [](CheckerFixture& f) { f.job.parts[0].Thickness = 180; }},
      {"a part turned against the grain",
       [](CheckerFixture& f) { f.panels[0].PlacedParts[0].Footprint = TRect(0, 500, 300, 100);
                               f.panels[0].PlacedParts[0].Rect = TRect(0, 500, 300, 100); }},
      {"a part of the wrong size",
       [](CheckerFixture& f) { f.panels[0].PlacedParts[0].Rect = TRect(0, 500, 390, 200); }},
  };
  for (const auto& c : cases) {
    CheckerFixture f;
    c.spoil(f);
    EXPECT_FALSE(f.check().empty()) << c.what;
  }
  // A run that stopped may leave parts unplaced, never placed twice.
  CheckerFixture f;
  f.panels[0].PlacedParts.pop_back();
  EXPECT_TRUE(f.check(false).empty());
}

TEST(RandomLayouts, EveryLayoutCanBeCut) {
  int laidOut = 0, refused = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    const TestJob job = RandomJob(seed);
    const TestRun run = RunJob(job);
    const auto faults = CheckLayout(job.parts, run.panels, job.margins, !run.failed);
    ASSERT_TRUE(faults.empty()) << "seed " << seed << "\n" << DescribeJob(job) << DescribeFaults(faults);
    if (run.failed) {
      ++refused;
      // Refusing is right only when no stock panel could ever take that part.
      ASSERT_FALSE(FitsSomeStockPanel(job, run.unplaceable))
          << "seed " << seed << ": part " << run.unplaceable.Number << " was refused\n"
          << DescribeJob(job);
    } else {
      ++laidOut;
    }
  }
  // The generator must exercise both outcomes, mostly the first.
  EXPECT_GT(laidOut, 300) << refused << " refused";
  EXPECT_GT(refused, 5);
}

TEST(RandomLayouts, TheSameJobGivesTheSameLayout) {
  for (std::uint32_t seed : {3u, 17u, 99u}) {
    const TestJob job = RandomJob(seed);
    const TestRun a = RunJob(job), b = RunJob(job);
    ASSERT_EQ(a.panels.size(), b.panels.size());
    for (std::size_t i = 0; i < a.panels.size(); ++i) {
      ASSERT_EQ(a.panels[i].PlacedParts.size(), b.panels[i].PlacedParts.size());
      for (std::size_t j = 0; j < a.panels[i].PlacedParts.size(); ++j) {
        EXPECT_EQ(a.panels[i].PlacedParts[j].Footprint, b.panels[i].PlacedParts[j].Footprint);
      }
      EXPECT_EQ(a.panels[i].CutLines, b.panels[i].CutLines);
    }
  }
}

}  // namespace
}  // namespace tranchex::test
