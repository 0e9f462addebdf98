// The engine's layouts pinned: a fixed set of seeded jobs is laid out and the fingerprints of all
// their outcomes (every placement, free rectangle in order, cut line, cut length, grid field,
// count left and refusal) are compared with the values the engine gave when they were recorded.
// A change that alters any layout, however slightly, changes a value: a rework that is meant to
// keep the layouts (speed, structure) must leave them all as they are.
//
// The values were recorded on x86-64 (long double is the 80-bit extended type there) with
//   cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build build
//   build/bin/tests_engine --gtest_filter='LayoutHash.*'
// which prints the values found beside the values expected. Only a change that is meant to alter
// layouts may record new ones, and its commit says why.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/EngineRun.h"
#include "support/LayoutHash.h"

namespace tranchex::test {
namespace {

// Lays out a series of jobs and folds their fingerprints, in order, into one.
struct Series {
  LayoutHasher hasher;
  int jobs = 0;
  int refused = 0;
  void Add(const TestRun& run) {
    hasher.Add(static_cast<std::int64_t>(LayoutHash(run)));
    ++jobs;
    refused += run.failed ? 1 : 0;
  }
};

void ExpectHash(const char* what, const Series& series, std::uint64_t expected) {
  const std::string found = HashText(series.hasher.Value());
  std::printf("%-28s %s (expected %s), %d jobs, %d refused\n", what, found.c_str(),
              HashText(expected).c_str(), series.jobs, series.refused);
  EXPECT_EQ(found, HashText(expected)) << what << ": the layouts have changed";
}

// The driver called directly with groups the pipeline never makes: the copies of the parts
// dealt out in turn (A B C A B C ...), unsorted, so copies of one part are not side by side.
TestRun RunDealtOut(const TestJob& job) {
  TestRun run;
  run.ctx.OptimisationCriterion = job.criterion;
  run.ctx.NewPanelChoice = job.choice;
  run.ctx.PartCounts = BuildPartCounts(job.parts);
  for (const Panneau_p& stock : job.stock)
    for (int q = 0; q < stock.Quantity; ++q) run.panels.push_back(stock);
  SortPanels(run.panels);
  PartGroupList groups(1);
  int round = 0;
  for (bool more = true; more; ++round) {
    more = false;
    for (const TPiece& part : job.parts) {
      if (part.Quantity > round) {
        groups[0].push_back(part);
        more = true;
      }
    }
  }
  try {
    RunCuttingOptimisation(groups, run.panels, job.stock, job.margins, job.kerf, run.ctx);
  } catch (const NoPanelFitsError& e) {
    run.failed = true;
    run.unplaceable = e.part();
  }
  return run;
}

// The fingerprint must see every field it stands for: a run changed in any one of them gives
// another value.
TEST(LayoutHash, SeesEveryField) {
  // Each case lays the job out anew: a copied panel would not keep its grid fields.
  const TestJob job = ShopMixJob(3, 60, 6, MixGrain::Indifferent, 40);
  const TestRun base = RunJob(job);
  ASSERT_FALSE(base.panels.empty());
  ASSERT_GE(base.panels[0].PlacedParts.size(), 2u);
  ASSERT_GE(base.panels[0].FreeRects.size(), 2u);
  ASSERT_FALSE(base.panels[0].CutLines.empty());
  struct Case {
    const char* what;
    std::function<void(TestRun&)> change;
  };
  const Case cases[] = {
      {"a part's position", [](TestRun& r) { r.panels[0].PlacedParts[1].Rect.left += 1; }},
      {"a part's footprint", [](TestRun& r) { r.panels[0].PlacedParts[1].Footprint.bottom -= 1; }},
      {"which part", [](TestRun& r) { r.panels[0].PlacedParts[1].Number += 1; }},
      {"the order of the parts",
       [](TestRun& r) { std::swap(r.panels[0].PlacedParts[0], r.panels[0].PlacedParts[1]); }},
      {"a free rectangle", [](TestRun& r) { r.panels[0].FreeRects[0].top += 1; }},
      {"the order of the free rectangles",
       [](TestRun& r) { std::swap(r.panels[0].FreeRects[0], r.panels[0].FreeRects[1]); }},
      {"a free rectangle more", [](TestRun& r) { r.panels[0].FreeRects.push_back(MONRect()); }},
      {"a cut line", [](TestRun& r) { r.panels[0].CutLines[0].x2 += 1; }},
      {"a cut line less", [](TestRun& r) { r.panels[0].CutLines.pop_back(); }},
      {"the cut length", [](TestRun& r) { r.panels[0].CutLength += 1; }},
      {"the grid count", [](TestRun& r) { r.panels[0].GridCount += 1; }},
      {"the grid mode", [](TestRun& r) { r.panels[0].GridMode ^= 1; }},
      {"the turn preference", [](TestRun& r) { r.panels[0].GridRotate ^= 1; }},
      {"the last part offered", [](TestRun& r) { r.panels[0].LastPart += 1; }},
      {"the panel's stock entry", [](TestRun& r) { r.panels[0].EntryIndex += 1; }},
      {"a panel more", [](TestRun& r) { r.panels.push_back(r.panels[0]); }},
      {"the split choice", [](TestRun& r) { r.ctx.GridSplitChoice ^= 1; }},
      {"a count left", [](TestRun& r) { r.ctx.PartCounts[0].Count += 1; }},
      {"a refusal", [](TestRun& r) { r.failed = true; }},
  };
  const std::uint64_t reference = LayoutHash(base);
  ASSERT_EQ(LayoutHash(RunJob(job)), reference);
  for (const Case& c : cases) {
    TestRun changed = RunJob(job);
    c.change(changed);
    EXPECT_NE(LayoutHash(changed), reference) << c.what;
  }
  // The part a refusal names counts too.
  TestRun refusedA = RunJob(job), refusedB = RunJob(job);
  refusedA.failed = refusedB.failed = true;
  refusedB.unplaceable.Number += 1;
  EXPECT_NE(LayoutHash(refusedA), LayoutHash(refusedB));
}

TEST(LayoutHash, SeededRandomJobs) {
  Series series;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) series.Add(RunJob(RandomJob(seed)));
  ExpectHash("3000 random jobs", series, 0xec6472b1caffc492ull);
}

TEST(LayoutHash, RandomJobsWithCopiesDealtOut) {
  Series series;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    TestJob job = RandomJob(seed);
    job.margins.ThickerStockAllowed = 0;  // one material per group only
    const TPiece* first = job.parts.empty() ? nullptr : &job.parts.front();
    for (TPiece& part : job.parts) {
      part.Species = first->Species;
      part.Thickness = first->Thickness;
    }
    series.Add(RunDealtOut(job));
  }
  ExpectHash("300 dealt-out random jobs", series, 0xe098495214fac9aaull);
}

TEST(LayoutHash, ShopJobs) {
  Series series;
  for (int criterion = 1; criterion <= 3; ++criterion) {
    for (const auto& [copies, distinct] : {std::pair{1000, 50}, {1000, 500}, {3000, 30}}) {
      TestJob job = ShopJob(42, copies, distinct);
      job.criterion = criterion;
      series.Add(RunJob(job));
    }
  }
  ExpectHash("9 shop jobs", series, 0xb2a928d5a12775ffull);
}

TEST(LayoutHash, ShopMixes) {
  Series series;
  for (MixGrain grains : {MixGrain::Horizontal, MixGrain::Mixed, MixGrain::Indifferent}) {
    for (int kerf : {0, 40}) {
      for (int criterion = 1; criterion <= 3; ++criterion) {
        TestJob job = ShopMixJob(2024, 3000, 500, grains, kerf);
        job.criterion = criterion;
        series.Add(RunJob(job));
      }
    }
  }
  // Few sizes in many copies: the grid fill of panels of indifferent grain.
  for (MixGrain grains : {MixGrain::Mixed, MixGrain::Indifferent}) {
    TestJob job = ShopMixJob(7, 2000, 8, grains, 32);
    job.stock.front().Quantity = 3;
    series.Add(RunJob(job));
  }
  ExpectHash("20 shop mixes", series, 0x646eceb3df0f7eb5ull);
}

}  // namespace
}  // namespace tranchex::test
