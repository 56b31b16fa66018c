#include "solver/solution_count.h"

#include "solver/trial_search.h"

namespace vantreel {
namespace {

struct Search {
  int limit;
  std::int64_t nodesLeft;
  SolutionCount result;
};

std::vector<std::uint8_t> digitsOf(const SolverGrid& grid) {
  std::vector<std::uint8_t> digits(grid.cellCount(), 0);
  for (int p = 0; p < grid.cellCount(); ++p)
    if (grid.masks[p] != kBlockMask && DigitCountTable[grid.masks[p]] == 1) digits[p] = DigitSumTable[grid.masks[p]];
  return digits;
}

// The open run cell with the fewest candidates, 0 when none is open.
int branchCell(const SolverGrid& grid) {
  int best = 0, fewest = 10;
  for (int i = 0; i < grid.runCount; ++i) {
    const Run& run = grid.runs[i];
    for (int k = 0; k < run.length; ++k) {
      const int count = DigitCountTable[grid.masks[run.cells[k]]];
      if (count > 1 && count < fewest) {
        fewest = count;
        best = run.cells[k];
      }
    }
  }
  return best;
}

void explore(Search& search, SolverGrid& grid) {
  if (search.result.found >= search.limit || search.result.budgetExceeded) return;
  if (--search.nodesLeft < 0) {
    search.result.budgetExceeded = true;
    return;
  }
  if (!propagate(grid)) return;
  const int cell = isSolved(grid) ? 0 : branchCell(grid);
  if (cell == 0) {
    if (!isSolved(grid)) return;
    SolutionCount& result = search.result;
    (result.found == 0 ? result.first : result.second) = digitsOf(grid);
    ++result.found;
    return;
  }
  for (DigitSet left = grid.masks[cell]; left != 0; left &= left - 1) {
    SolverGrid copy = cloneGrid(grid);
    copy.masks[cell] = lowestDigit(left);
    explore(search, copy);
  }
}

}  // namespace

SolutionCount countSolutions(const Board& board, int limit, std::int64_t nodeBudget) {
  Search search{limit, nodeBudget, {}};
  SolverGrid grid = buildSolverGrid(board);
  if (!grid.contradiction) explore(search, grid);
  return search.result;
}

}  // namespace vantreel
