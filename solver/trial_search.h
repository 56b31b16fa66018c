#pragma once
// Propagation to a fixed point, and deciding two-candidate cells by trial.
#include <array>
#include <cstdint>
#include <memory>

#include "solver/solver_grid.h"

namespace vantreel {

// Bounds on the trial search of one solve, so that a puzzle with very many
// solutions ends in bounded time and memory: each nested solve holds a grid
// copy and stack frames, and their number can double with every open region.
// The count of nested solves is weighed by the grid's cells, so that a large
// board gets fewer of its costlier solves.
inline constexpr std::int64_t kMaxTrialCells = 50'000'000;
inline constexpr int kMaxTrialDepth = 200;

struct SearchBudget {
  std::int64_t cellLimit = kMaxTrialCells;
  int depthLimit = kMaxTrialDepth;  // at most kMaxTrialDepth
  std::int64_t trialCells = 0;  // cells of every nested solve started so far
  int depth = 0;                  // trial copies now nested
  bool exceeded = false;          // the search gave up; its results mean nothing
  // One working copy per nesting level, made on first use and kept for the
  // rest of the solve: a fresh large copy per trial step costs more in page
  // faults than in copying.
  std::unique_ptr<std::array<SolverGrid, kMaxTrialDepth + 1>> copies;
};

// The solver's work counters, printed in this order by the statistics mode.
// The search budget is kept apart: plain propagation needs neither.
struct SolveStats {
  std::int32_t runChanges = 0;    // sum of propagateRuns results
  std::int32_t reserved = 0;      // never touched by the solver
  std::int32_t comboChanges = 0;  // cells narrowed by the enumerators
  std::int32_t trialsHigh = 0;    // lower digit failed: higher committed
  std::int32_t trialsLow = 0;     // higher digit failed: lower committed
  std::int32_t cellCount = 0;     // width * height, set by the caller
};

// Counters wrap around like the machine's 32-bit integers instead of
// overflowing into undefined behaviour.
inline void addTo(std::int32_t& counter, std::int32_t amount) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + static_cast<std::uint32_t>(amount));
}

// A two-candidate cell's digits as one-digit sets.
struct TrialPair {
  CandidateMask lower = 0;
  CandidateMask higher = 0;
};

// Propagation to a fixed point: passes of the run rules until one changes
// nothing, then one exact sweep of the long runs with a set sum, and again
// while the sweep narrows anything. True at the fixed point, solved or not;
// false on contradiction, with the grid's flag set and its masks left as the
// failing rule left them (the caller discards the grid or restores it). Adds
// the passes' changes to runChanges and the sweep's to comboChanges of
// `stats` when given.
[[nodiscard]] bool propagate(SolverGrid& grid, SolveStats* stats = nullptr);
// The same under a watch policy (see solver/run_propagation.h).
template <typename Watch>
[[nodiscard]] bool propagate(SolverGrid& grid, Watch& watch, SolveStats* stats);

// propagate, then trialStep and propagate again until the grid is solved.
// True when it ends solved; false on contradiction, when no cell can be
// decided by trial, or when the budget ran out (budget.exceeded).
[[nodiscard]] bool solveWithTrials(SolverGrid& grid, SolveStats& stats, SearchBudget& budget);
// Decides one two-candidate cell: tries its lower digit on a copy with a
// full solveWithTrials, and commits the higher one to `grid` when that
// fails, else tries the higher and commits the lower when that fails; when
// both solve, moves on to the next such cell (chooseTrialCell). True when one
// cell's mask was set; false leaves the grid unchanged (also when the budget
// ran out: see budget.exceeded). Counts the trial in trialsHigh or trialsLow.
[[nodiscard]] bool trialStep(SolverGrid& grid, SolveStats& stats, SearchBudget& budget);
// Next two-candidate cell at or after `lowest` in run order, 0 for none.
int chooseTrialCell(const SolverGrid& grid, int lowest, TrialPair& pair);

}  // namespace vantreel
