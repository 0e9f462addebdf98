// Speed of the optimiser on jobs a shop enters: part copies of a few to many distinct sizes on
// 2800 x 2070 mm panels.

#include <benchmark/benchmark.h>

#include "support/EngineRun.h"

namespace {

void BM_RunCuttingOptimisation(benchmark::State& state) {
  const auto job = tranchex::test::ShopJob(42, static_cast<int>(state.range(0)),
                                          static_cast<int>(state.range(1)));
  std::size_t panels = 0;
  for (auto _ : state) {
    const auto run = tranchex::test::RunJob(job);
    panels = run.panels.size();
    benchmark::DoNotOptimize(panels);
  }
  state.counters["panels"] = static_cast<double>(panels);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_RunCuttingOptimisation)
    ->Args({100, 10})
    ->Args({1000, 50})
    ->Args({1000, 500})
    ->Args({10000, 50})
    ->Args({10000, 500})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
