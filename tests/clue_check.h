#pragma once
// Test oracle: a filling judged against a board's clues by plain counting,
// without any of the solver's tables or rules.
#include <vector>

#include "format/board.h"
#include "solver/solver_grid.h"

namespace vantreel::testing {

// One digit 1..9 per white cell, 0 elsewhere, board-indexed.
using Filling = std::vector<int>;

// The grid's digits; 0 for any cell not solved to a single digit.
inline Filling fillingOf(const SolverGrid& grid) {
  Filling filling(grid.cellCount(), 0);
  for (int p = 0; p < grid.cellCount(); ++p)
    for (int digit = 1; digit <= 9; ++digit)
      if (grid.masks[p] == CandidateMask(1 << (digit - 1))) filling[p] = digit;
  return filling;
}

// Every white cell holds a digit, and every clue's run has distinct digits
// adding up to the clue.
inline bool keepsEveryClue(const Board& board, const Filling& filling) {
  const int width = board.width, cellCount = board.cellCount();
  for (int p = 0; p < cellCount; ++p) {
    if (board.kinds[p] == CellKind::White && (filling[p] < 1 || filling[p] > 9)) return false;
    if (board.kinds[p] != CellKind::Clue) continue;
    for (const int step : {1, width}) {
      int sum = 0, seen = 0, length = 0;
      for (int q = p + step; q < cellCount && board.kinds[q] == CellKind::White; q += step) {
        if (step == 1 && q % width == 0) break;
        if (seen & (1 << filling[q])) return false;
        seen |= 1 << filling[q];
        sum += filling[q];
        ++length;
      }
      if (length > 0 && sum != board.sums[2 * p + (step == 1 ? 0 : 1)]) return false;
    }
  }
  return true;
}

}  // namespace vantreel::testing
