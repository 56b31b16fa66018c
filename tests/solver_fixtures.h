#pragma once
// Small hand-made solver grids for rule tests.
#include <initializer_list>
#include <string>

#include "solver/solver_grid.h"
#include "tests/board_text.h"

namespace vantreel::testing {

constexpr DigitSet digits(std::initializer_list<int> list) {
  DigitSet set = 0;
  for (int d : list) set |= DigitSet(1 << (d - 1));
  return set;
}

// One row of ten cells with a single run over cells 1..n holding `masks`.
inline SolverGrid gridWithRun(int sum, std::initializer_list<CandidateMask> masks) {
  SolverGrid grid;
  grid.allocate(10, 2);
  for (int p = 0; p < grid.cellCount(); ++p) grid.masks[p] = kBlockMask;
  appendRun(grid, 1, 1, static_cast<int>(masks.size()), sum);
  int cell = 1;
  for (CandidateMask mask : masks) grid.masks[cell++] = mask;
  return grid;
}

inline SolverGrid gridOf(const std::string& line) { return buildSolverGrid(boardOf(line)); }

}  // namespace vantreel::testing
