// Speed of the optimiser on jobs a shop enters: part copies of a few to many distinct sizes on
// 2800 x 2070 mm panels.
//
// BM_ShopMix is the mix of a busy shop: 500 sizes drawn from 100-1200 x 100-800 mm (fixed seed),
// each entered with an equal share of the copies, from 10,000 to 1,000,000 copies, with every
// grain along the length or with mixed grains, without a kerf or with a 4 mm one. Peak memory of
// the largest case:
//   /usr/bin/time -v build/bin/tranchex_engine_bench --benchmark_filter='BM_ShopMix/copies:1000000/grains:0/kerf:0$'

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

// Arguments: copies, grains (0 all along the length, 1 mixed), kerf in tenths of a millimetre.
void BM_ShopMix(benchmark::State& state) {
  using tranchex::test::MixGrain;
  const auto job = tranchex::test::ShopMixJob(
      2024, static_cast<int>(state.range(0)), 500,
      state.range(1) == 0 ? MixGrain::Horizontal : MixGrain::Mixed, static_cast<int>(state.range(2)));
  std::size_t panels = 0;
  bool refused = false;
  for (auto _ : state) {
    const auto run = tranchex::test::RunJob(job);
    panels = run.panels.size();
    refused = run.failed;
    benchmark::DoNotOptimize(panels);
  }
  if (refused) state.SkipWithError("the engine refused a part of the mix");
  state.counters["panels"] = static_cast<double>(panels);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ShopMix)
    ->ArgsProduct({{10000, 30000, 100000, 1000000}, {0, 1}, {0, 40}})
    ->ArgNames({"copies", "grains", "kerf"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
