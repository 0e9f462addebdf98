// tranchex-bench-jobs DIR: writes the job files of the pipeline benchmark into DIR, at the
// product's limits (1,000,000 part copies, 10,000 distinct parts, stock in quantity):
//
//   mix-100k.deb       100,000 copies of a shop's mix of 500 sizes (100-1200 x 100-800 mm)
//   mix-1m.deb         1,000,000 copies of the same mix
//   distinct-1m.deb    1,000,000 copies of 10,000 distinct sizes of that range, 100 each
//   stock-q1.deb       100,000 copies of 10,000 small parts (100-400 x 50-300 mm), the stock
//                      panel entered with quantity 1 (the engine adds the panels it needs)
//   stock-q20000.deb   the same parts on the same panel entered with quantity 20,000
//
// All on 2800 x 2070 x 19 mm panels, grain along the length, a 4 mm kerf, no margin. The mixes
// are those of the engine benchmark (fixed seeds), so the figures can be set side by side.
// bench/pipeline.sh lays each out with tranchex-render and prints the times and their ratios.

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "job/ColumnLetters.h"
#include "job/JobFile.h"
#include "job/JobState.h"
#include "support/EngineRun.h"

namespace {

using namespace tranchex;

constexpr int kKerf = 40;

// The job state of an engine test job, as a shop would have entered it.
JobState JobOf(const test::TestJob& t) {
  JobState job;
  job.JobKind = 1;
  job.JobKerf = t.kerf;
  job.JobMargins = t.margins;
  job.Engine.OptimisationCriterion = t.criterion;
  job.Engine.NewPanelChoice = t.choice;
  job.JobPanels = t.stock;
  job.JobParts = t.parts;
  for (std::size_t i = 0; i < t.parts.size(); ++i) {
    job.JobDesignations.push_back("Pièce " + std::to_string(i + 1));
    job.JobReferences.push_back(ColumnLetters(static_cast<std::int32_t>(i)));
  }
  job.Engine.PartCounter = static_cast<std::int32_t>(t.parts.size());
  return job;
}

test::TestJob Mix(int copies, int distinct) {
  return test::ShopMixJob(2024, copies, distinct, test::MixGrain::Horizontal, kKerf);
}

test::TestJob SmallParts(int stockQuantity) {
  test::TestJob job;
  job.kerf = kKerf;
  job.criterion = 1;
  job.choice = 2;
  test::AddStock(job, 28000, 20700, stockQuantity, GrainHorizontal);
  std::mt19937 rng(33);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < 10000; ++i)
    test::AddPart(job, pick(100, 400) * 10.0, pick(50, 300) * 10.0, 10, GrainHorizontal);
  return job;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tranchex-bench-jobs DIR\n";
    return 1;
  }
  const std::filesystem::path dir = argv[1];
  try {
    std::filesystem::create_directories(dir);
    const struct {
      const char* name;
      test::TestJob job;
    } jobs[] = {
        {"mix-100k.deb", Mix(100000, 500)},
        {"mix-1m.deb", Mix(1000000, 500)},
        {"distinct-1m.deb", Mix(1000000, 10000)},
        {"stock-q1.deb", SmallParts(1)},
        {"stock-q20000.deb", SmallParts(20000)},
    };
    for (const auto& j : jobs) {
      SaveJobFile(JobOf(j.job), dir / j.name);
      std::cout << (dir / j.name).string() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "tranchex-bench-jobs: " << e.what() << '\n';
    return 2;
  }
  return 0;
}
