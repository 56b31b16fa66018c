// The fill method on one thread: the median and slowest CPU time per puzzle
// over 20 fixed seeds (positions 0..19 of seed 1), layout drawing included,
// and the drawing alone. Each puzzle is made three times and its fastest
// time counts: the same seed makes the same puzzle by the same work, so the
// slower runs only measure the machine's other load.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "generator/fill_pipeline.h"

namespace vantreel {
namespace {

double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

constexpr int kRepeats = 3;

void BM_FillPuzzleMedian(benchmark::State& state) {
  const LayoutGoal goal{static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), Symmetry::Half,
                        kDefaultWhitePercent};
  const int seeds = static_cast<int>(state.range(2));
  std::vector<double> seconds;
  for (auto _ : state) {
    FillPipeline pipeline(FillRequest{goal, nullptr});
    seconds.clear();
    for (int position = 0; position < seeds; ++position) {
      double fastest = 1e9;
      for (int repeat = 0; repeat < kRepeats; ++repeat) {
        RandomSource random(puzzleSeed(1, static_cast<std::uint64_t>(position)), Sharing::Owned);
        Board board;
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(pipeline.make(random, board));
        fastest = std::min(fastest, cpuSeconds() - start);
      }
      seconds.push_back(fastest);
    }
  }
  std::sort(seconds.begin(), seconds.end());
  state.counters["median_s"] = seconds[seconds.size() / 2];
  state.counters["slowest_s"] = seconds.back();
}
BENCHMARK(BM_FillPuzzleMedian)
    ->Args({11, 11, 20})
    ->Args({15, 15, 20})
    ->Args({23, 17, 20})
    ->Args({45, 30, 20})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

void BM_DrawLayout(benchmark::State& state) {
  const LayoutGoal goal{static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), Symmetry::Half,
                        kDefaultWhitePercent};
  LayoutDrawer drawer;
  Layout layout;
  RandomSource random(2026, Sharing::Owned);
  double accepted = 0;
  for (auto _ : state) accepted += drawer.draw(random, goal, layout) ? 1 : 0;
  state.counters["accepted"] = benchmark::Counter(accepted / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_DrawLayout)->Args({11, 11})->Args({23, 17})->Args({45, 30})->Args({100, 100})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantreel
