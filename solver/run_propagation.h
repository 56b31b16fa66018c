#pragma once
// The run rules: one pass over every run, the reduction of one run, and the
// loop of both with the exact sweep of long runs to a fixed point.
//
// Each is written once as a template over a watch policy: a plain solve uses
// NoWatch, which the compiler folds away; the generator, which settles its
// grids again and again with little changed, passes a policy that keeps
// per-run records to pass over runs a visit would not change
// (generator/watched_grid.h). The definitions live in solver/run_passes.h.
#include "solver/solver_grid.h"

namespace vantreel {

// A watch policy answers and hears, per run index:
//   passesBy(grid, run, closed): skip the visit (closed: length <= 1)
//   visited(grid, run, before, changed): after a visit of `before`'s cells
//   splitOff(parent, child): a naked pair became run `child`
//   sweepPassesBy(grid, run), swept(grid, run, changed): the same for the
//   exact sweep of long runs.
struct NoWatch {
  bool passesBy(const SolverGrid&, int, bool closed) const { return closed; }
  void visited(const SolverGrid&, int, const Run&, bool) const {}
  void splitOff(int, int) const {}
  bool sweepPassesBy(const SolverGrid&, int) const { return false; }
  void swept(const SolverGrid&, int, bool) const {}
};

// One pass in list order, runs appended during it included: the table rule
// of each open run with a set sum, then its reduction steps (solved cells
// out, naked pairs split off) until none applies. Returns the changes made;
// 0 also when the pass found a contradiction, which then is flagged on the
// grid (its masks are left as the failing rule left them).
[[nodiscard]] int propagateRuns(SolverGrid& grid);
template <typename Watch>
[[nodiscard]] int propagateRuns(SolverGrid& grid, Watch& watch);

// One reduction step on `run`, a run of `grid`: true when it changed the run
// or a mask; false when none applies or on contradiction (flagged).
bool reduceRun(SolverGrid& grid, Run& run);
template <typename Watch>
bool reduceRun(SolverGrid& grid, Run& run, Watch& watch);

}  // namespace vantreel
