// Speed of the standard-size manager on a large size file: the list of rows worked out from the
// stored sizes, and the manager form opened on them (offscreen), for 5,000 to 100,000 sizes in
// metres, where texts of different sizes read alike and only the stored values tell them apart.
//
//   QT_QPA_PLATFORM=offscreen build/bin/tranchex_sizes_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/UGestDimensions.h"
#include "job/Settings.h"
#include "job/StandardSizes.h"
#include "platform/Help.h"
#include "platform/Prompts.h"

namespace {

using namespace tranchex;

// n sizes of complex jobs: lengths and widths on a 0.1 mm grid, three thicknesses; every tenth
// size is a 10 mm one, stored for both kinds as the manager stores it.
std::vector<DIMENSIONS> ManySizes(std::int64_t n) {
  std::vector<DIMENSIONS> sizes;
  sizes.reserve(static_cast<std::size_t>(n) + static_cast<std::size_t>(n) / 10);
  for (std::int64_t i = 0; static_cast<std::int64_t>(sizes.size()) < n; ++i) {
    const auto length = static_cast<std::int32_t>(20000 + (i % 1000));
    const auto width = static_cast<std::int32_t>(10000 + (i / 1000) % 1000);
    if (i % 10 == 0) {
      sizes.push_back({length, width, kSimpleJobSizeThickness, 1});
      sizes.push_back({length, width, kSimpleJobSizeThickness, 2});
    } else {
      sizes.push_back({length, width, static_cast<std::int32_t>(160 + 30 * (i % 3)), 2});
    }
  }
  return sizes;
}

void BM_ListStandardSizes(benchmark::State& state) {
  const std::vector<DIMENSIONS> sizes = ManySizes(state.range(0));
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = ListStandardSizes(sizes, true, 2, nullptr, kMetreFactor, ',').size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListStandardSizes)
    ->Arg(5000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The manager never asks anything while it opens.
class SilentPrompts : public Prompts {
 public:
  void Notice(const QString&, const QString&, PromptIcon) override {}
  PromptAnswer Ask(const QString&, const QString&, PromptButtons, PromptIcon) override {
    return PromptAnswer::Cancel;
  }
  std::optional<QString> OpenFile(const QString&, const QString&, const QString&,
                                  const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFile(const QString&, const QString&, const QString&,
                                  const QString&, const QString&) override {
    return std::nullopt;
  }
  int ShowModal(QDialog&) override { return 0; }
};

// The manager shown on the sizes, as the main window's command shows it, drawn, and hidden
// again.
void BM_OpenSizeManager(benchmark::State& state) {
  std::vector<DIMENSIONS> sizes = ManySizes(state.range(0));
  Settings settings;
  settings.MeasureUnit = UNITE_MESURE{kMetreFactor, "m", ""};
  SilentPrompts prompts;
  NoHelp help;
  TFGestDimensions form(settings, prompts, help);
  form.SizeList = &sizes;
  form.PickMode = 0;
  form.PickContext = 0;
  for (auto _ : state) {
    form.show();
    // Laid out and painted once, as on screen.
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.RowRecords.size());
    form.hide();
  }
  state.counters["rows"] = static_cast<double>(form.RowRecords.size());
}
BENCHMARK(BM_OpenSizeManager)
    ->Arg(5000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
