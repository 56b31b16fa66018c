#include "solver/trial_search.h"

#include <algorithm>

#include "solver/run_passes.h"

namespace vantreel {
namespace {

// One trial digit on the copy. False when the digit fails, and also when
// the budget runs out, which the caller must check before trusting false.
bool tryDigit(SolverGrid& copy, SolveStats& stats, SearchBudget& budget, int index, CandidateMask digit) {
  budget.trialCells += copy.cellCount();
  if (budget.trialCells > budget.cellLimit || budget.depth >= std::min(budget.depthLimit, kMaxTrialDepth)) {
    budget.exceeded = true;
    return false;
  }
  copy.masks[index] = digit;
  ++budget.depth;
  const bool solved = solveWithTrials(copy, stats, budget);
  --budget.depth;
  return solved;
}

// The working copy of the current nesting level, holding the grid's state.
SolverGrid& trialCopy(SearchBudget& budget, const SolverGrid& grid) {
  if (!budget.copies) budget.copies = std::make_unique<std::array<SolverGrid, kMaxTrialDepth + 1>>();
  SolverGrid& copy = (*budget.copies)[budget.depth];
  if (!copy.masks || copy.width != grid.width || copy.height != grid.height) copy.allocate(grid.width, grid.height);
  copyGridState(copy, grid);
  return copy;
}

}  // namespace

bool propagate(SolverGrid& grid, SolveStats* stats) {
  NoWatch none;
  return propagate(grid, none, stats);
}

bool solveWithTrials(SolverGrid& grid, SolveStats& stats, SearchBudget& budget) {
  if (!propagate(grid, &stats)) return false;
  for (;;) {
    if (isSolved(grid)) return true;
    if (!trialStep(grid, stats, budget)) return false;
    if (!propagate(grid, &stats)) return false;
  }
}

// Copy the whole grid for a trial instead of keeping an undo trail: one copy
// per nesting level, reused for both digits and every further cell.
bool trialStep(SolverGrid& grid, SolveStats& stats, SearchBudget& budget) {
  SolverGrid& copy = trialCopy(budget, grid);
  TrialPair pair;
  int index = chooseTrialCell(copy, 0, pair);
  while (index != 0) {
    if (!tryDigit(copy, stats, budget, index, pair.lower)) {
      if (budget.exceeded) return false;
      addTo(stats.trialsHigh, 1);
      grid.masks[index] = pair.higher;
      return true;
    }
    copyGridState(copy, grid);
    if (!tryDigit(copy, stats, budget, index, pair.higher)) {
      if (budget.exceeded) return false;
      addTo(stats.trialsLow, 1);
      grid.masks[index] = pair.lower;
      return true;
    }
    // Both digits solve: this cell is undecided, try the next one.
    copyGridState(copy, grid);
    index = chooseTrialCell(copy, index + 1, pair);
  }
  return false;
}

int chooseTrialCell(const SolverGrid& grid, int lowest, TrialPair& pair) {
  for (int i = 0; i < grid.runCount; ++i) {
    const Run& run = grid.runs[i];
    for (int k = 0; k < run.length; ++k) {
      const int cell = run.cells[k];
      if (cell < lowest) continue;
      const CandidateMask mask = grid.masks[cell];
      if (DigitCountTable[mask] != 2) continue;
      pair.lower = lowestDigit(mask);
      pair.higher = mask & ~pair.lower;
      return cell;
    }
  }
  return 0;
}

}  // namespace vantreel
