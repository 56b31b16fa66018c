// Writes random test puzzles as puzzle lines.
//   make_test_puzzles SEED COUNT COLUMNS ROWS [BLOCK_PERCENT [finished]]
// With "finished" only puzzles that the solver finishes are kept.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "format/puzzle_line.h"
#include "solver/trial_search.h"
#include "tests/random_puzzles.h"

int main(int argc, char** argv) {
  if (argc < 5 || argc > 7) {
    std::fprintf(stderr, "usage: make_test_puzzles SEED COUNT COLUMNS ROWS [BLOCK_PERCENT [finished]]\n");
    return 2;
  }
  std::mt19937 random(std::strtoul(argv[1], nullptr, 10));
  const int count = std::atoi(argv[2]), columns = std::atoi(argv[3]), rows = std::atoi(argv[4]);
  const int blockPercent = argc > 5 ? std::atoi(argv[5]) : 25;
  const bool finishedOnly = argc > 6 && std::strcmp(argv[6], "finished") == 0;
  for (int made = 0; made < count;) {
    const vantreel::Board board = vantreel::testing::makeRandomPuzzle(random, columns, rows, 1 + made % 5, blockPercent);
    if (finishedOnly) {
      vantreel::SolverGrid grid = vantreel::buildSolverGrid(board);
      vantreel::SolveStats stats;
      vantreel::SearchBudget budget;
      if (!vantreel::solveWithTrials(grid, stats, budget)) continue;
    }
    vantreel::writeBoard(stdout, board);
    ++made;
  }
  return 0;
}
