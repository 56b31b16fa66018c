#include "solver/run_propagation.h"

#include "solver/run_passes.h"

namespace vantreel {

int propagateRuns(SolverGrid& grid) {
  NoWatch none;
  return propagateRuns(grid, none);
}

bool reduceRun(SolverGrid& grid, Run& run) {
  NoWatch none;
  return reduceRun(grid, run, none);
}

}  // namespace vantreel
