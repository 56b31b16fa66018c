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

// False on contradiction; true at a fixed point, solved or not. Adds its
// work to `stats` when given.
[[nodiscard]] bool propagate(SolverGrid& grid, SolveStats* stats = nullptr);
// True when the grid ends solved.
[[nodiscard]] bool solveWithTrials(SolverGrid& grid, SolveStats& stats, SearchBudget& budget);
// True when one cell was fixed by trial; false leaves the grid unchanged
// (also when the search budget ran out: see budget.exceeded).
[[nodiscard]] bool trialStep(SolverGrid& grid, SolveStats& stats, SearchBudget& budget);
// Next two-candidate cell at or after `lowest` in run order, 0 for none.
int chooseTrialCell(const SolverGrid& grid, int lowest, TrialPair& pair);

}  // namespace vantreel
