// Explaining and rating generated puzzles of the four sizes, the uniqueness check excluded.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "explain/explainer.h"
#include "explain/rating.h"
#include "format/puzzle_line.h"
#include "solver/solution_count.h"

namespace {

using namespace vantreel;

struct Puzzle {
  Board board;
  std::vector<std::uint8_t> solution;
};

// This thread's processor time: the slowest puzzle is told apart from a busy machine.
double threadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

std::vector<Puzzle> loadPuzzles(const std::string& name) {
  std::vector<Puzzle> puzzles;
  std::ifstream in(std::string(VANTREEL_TEST_DATA) + "/" + name);
  for (std::string line; std::getline(in, line);) {
    Puzzle puzzle;
    if (!parseBoard(puzzle.board, line.c_str())) continue;
    const SolutionCount count = countSolutions(puzzle.board, 2);
    if (count.found != 1) continue;
    puzzle.solution = count.first;
    puzzles.push_back(std::move(puzzle));
  }
  return puzzles;
}

void explainPuzzles(benchmark::State& state, const char* file) {
  const std::vector<Puzzle> puzzles = loadPuzzles(file);
  if (puzzles.empty()) {
    state.SkipWithError("no puzzles");
    return;
  }
  double steps = 0, slowest = 0;
  for (auto _ : state)
    for (const Puzzle& puzzle : puzzles) {
      const double start = threadMilliseconds();
      const Explanation explanation = explainPuzzle(puzzle.board, puzzle.solution, {});
      slowest = std::max(slowest, threadMilliseconds() - start);
      steps += explanation.steps.size();
      benchmark::DoNotOptimize(explanation.hardest);
    }
  state.SetItemsProcessed(state.iterations() * puzzles.size());
  state.counters["steps/puzzle"] = benchmark::Counter(steps / puzzles.size(), benchmark::Counter::kAvgIterations);
  state.counters["slowest_cpu_ms"] = slowest;
}

// Each puzzle's best time of the run, then the median and slowest of those:
// the rating's budget is per puzzle, and a busy machine only adds time.
void ratePuzzles(benchmark::State& state, const char* file) {
  const std::vector<Puzzle> puzzles = loadPuzzles(file);
  if (puzzles.empty()) {
    state.SkipWithError("no puzzles");
    return;
  }
  std::vector<double> best(puzzles.size(), 1e300);
  for (auto _ : state)
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
      const double start = threadMilliseconds();
      const Rating rating = rateBoard(puzzles[i].board, puzzles[i].solution);
      best[i] = std::min(best[i], threadMilliseconds() - start);
      benchmark::DoNotOptimize(rating.value);
    }
  std::sort(best.begin(), best.end());
  state.SetItemsProcessed(state.iterations() * puzzles.size());
  state.counters["median_cpu_us"] = best[best.size() / 2] * 1e3;
  state.counters["slowest_cpu_us"] = best.back() * 1e3;
}

void BM_RateGenerated11x11(benchmark::State& state) { ratePuzzles(state, "generated_11x11.txt"); }
BENCHMARK(BM_RateGenerated11x11)->Unit(benchmark::kMillisecond);
void BM_RateGenerated23x17(benchmark::State& state) { ratePuzzles(state, "generated_23x17.txt"); }
BENCHMARK(BM_RateGenerated23x17)->Unit(benchmark::kMillisecond);

void BM_ExplainGenerated11x11(benchmark::State& state) { explainPuzzles(state, "generated_11x11.txt"); }
BENCHMARK(BM_ExplainGenerated11x11)->Unit(benchmark::kMillisecond);
void BM_ExplainGenerated15x15(benchmark::State& state) { explainPuzzles(state, "generated_15x15.txt"); }
BENCHMARK(BM_ExplainGenerated15x15)->Unit(benchmark::kMillisecond);
void BM_ExplainGenerated19x15(benchmark::State& state) { explainPuzzles(state, "generated_19x15.txt"); }
BENCHMARK(BM_ExplainGenerated19x15)->Unit(benchmark::kMillisecond);
void BM_ExplainGenerated23x17(benchmark::State& state) { explainPuzzles(state, "generated_23x17.txt"); }
BENCHMARK(BM_ExplainGenerated23x17)->Unit(benchmark::kMillisecond);

}  // namespace
