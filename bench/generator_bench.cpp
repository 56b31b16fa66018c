#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "format/board.h"
#include "generator/batch.h"
#include "generator/block_pattern.h"
#include "generator/puzzle_pipeline.h"
#include "generator/random_source.h"

namespace {

using namespace vantreel;

// One thread, a fixed seed: whole puzzles of one size, with the attempts
// (layouts drawn) that each took.
void BM_MakePuzzle(benchmark::State& state) {
  const BoardSize size = boardSizeFor(static_cast<int>(state.range(0)));
  RandomSource random(2026);
  double attempts = 0;
  double puzzles = 0;
  for (auto _ : state) {
    Board board;
    attempts += makePuzzle(random, size.width, size.height, board);
    ++puzzles;
  }
  state.counters["attempts/s"] = benchmark::Counter(attempts, benchmark::Counter::kIsRate);
  state.counters["puzzles/s"] = benchmark::Counter(puzzles, benchmark::Counter::kIsRate);
  state.counters["attempts/puzzle"] = benchmark::Counter(attempts / puzzles);
}
BENCHMARK(BM_MakePuzzle)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Size 4 takes long per puzzle; one is enough for a figure.
BENCHMARK(BM_MakePuzzle)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// One puzzle from each of a fixed list of seeds, drawn as `generate --seed 1`
// draws its puzzles: the median and slowest CPU time per puzzle. The time of
// one puzzle varies tenfold with the layouts its seed draws, so a median over
// seeds says more than a mean over one stream.
void BM_MakePuzzleMedian(benchmark::State& state) {
  const BoardSize size = boardSizeFor(static_cast<int>(state.range(0)));
  const int seeds = static_cast<int>(state.range(1));
  std::vector<double> seconds;
  for (auto _ : state) {
    seconds.clear();
    for (int position = 0; position < seeds; ++position) {
      RandomSource random(puzzleSeed(1, static_cast<std::uint64_t>(position)), Sharing::Owned);
      Board board;
      const double start = threadSeconds();
      makePuzzle(random, size.width, size.height, board);
      seconds.push_back(threadSeconds() - start);
    }
  }
  std::sort(seconds.begin(), seconds.end());
  state.counters["median_s"] = seconds[seconds.size() / 2];
  state.counters["slowest_s"] = seconds.back();
}
BENCHMARK(BM_MakePuzzleMedian)->Args({3, 21})->Args({4, 5})->Unit(benchmark::kSecond)->Iterations(1);

// The layout stage alone: random patterns drawn, repaired and checked.
void BM_GeneratePattern(benchmark::State& state) {
  const BoardSize size = boardSizeFor(static_cast<int>(state.range(0)));
  RandomSource random(2026);
  BlockPattern pattern;
  pattern.allocate(random, size.width, size.height);
  double accepted = 0;
  for (auto _ : state) accepted += generate(pattern) ? 1 : 0;
  state.SetItemsProcessed(state.iterations());
  state.counters["accepted"] = benchmark::Counter(accepted / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_GeneratePattern)->DenseRange(1, 4);

}  // namespace
