#pragma once
// One pass of the table rules over every run, and the run reduction steps.
#include "solver/solver_grid.h"

namespace vantreel {

// Changes made in one pass; 0 also on contradiction (see the grid's flag).
[[nodiscard]] int propagateRuns(SolverGrid& grid);
// One reduction step on one run; true when it changed something.
bool reduceRun(SolverGrid& grid, Run& run);
// Stamps a change on the cells of `run` (within `origin`), so that no run
// through them is passed over as quiet.
void noteChangedRun(SolverGrid& grid, const Run& run, int origin);

}  // namespace vantreel
