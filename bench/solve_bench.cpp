// Solving throughput on committed puzzle files, start-up excluded.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "format/puzzle_line.h"
#include "solver/trial_search.h"

namespace {

using namespace vantreel;

std::vector<Board> loadBoards(const std::string& name) {
  std::vector<Board> boards;
  std::ifstream in(std::string(VANTREEL_BENCH_DATA) + "/" + name);
  for (std::string line; std::getline(in, line);) {
    Board board;
    if (parseBoard(board, line.c_str())) boards.push_back(std::move(board));
  }
  return boards;
}

// Everything the d mode does per puzzle but the printing.
void solveBoards(benchmark::State& state, const char* file) {
  const std::vector<Board> boards = loadBoards(file);
  if (boards.empty()) {
    state.SkipWithError("no puzzles");
    return;
  }
  double trials = 0;
  SolverGrid grid;
  for (auto _ : state)
    for (const Board& board : boards) {
      buildSolverGrid(board, grid);
      SolveStats stats;
      SearchBudget budget;
      benchmark::DoNotOptimize(solveWithTrials(grid, stats, budget));
      trials += stats.trialsHigh + stats.trialsLow;
    }
  state.SetItemsProcessed(state.iterations() * boards.size());
  state.counters["trials/puzzle"] =
      benchmark::Counter(trials / boards.size(), benchmark::Counter::kAvgIterations);
}

// 1,000 puzzles of seeded one-thread c1 batches (seeds 1..34), near the
// size of published puzzles.
void BM_SolveGenerated12x12(benchmark::State& state) { solveBoards(state, "generated_12x12.txt"); }
BENCHMARK(BM_SolveGenerated12x12)->Unit(benchmark::kMillisecond);

void BM_SolveGenerated24x18(benchmark::State& state) { solveBoards(state, "generated_24x18.txt"); }
BENCHMARK(BM_SolveGenerated24x18)->Unit(benchmark::kMillisecond);

void BM_SolveLargest126x126(benchmark::State& state) { solveBoards(state, "largest_126x126.txt"); }
BENCHMARK(BM_SolveLargest126x126)->Unit(benchmark::kMillisecond);

}  // namespace
