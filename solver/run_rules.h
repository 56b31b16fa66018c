#pragma once
// The run rules that both the solver and the generator's sum probe apply,
// written once: the caller decides what a narrowing does. The solver writes
// each one into the grid, so later cells see it; the probe only counts, so
// every cell is judged on the masks as they were.
#include <cassert>

#include "solver/solver_grid.h"

namespace vantreel {

// The table rule of a run given `sum`: each cell keeps the digits that some
// filling of the other cells completes. Calls narrow(cell, allowed) cell by
// cell and stops at the first false. False, before any call, when no filling
// of the run's length makes the sum.
template <typename Narrow>
[[gnu::always_inline]] inline bool walkTableRule(const CandidateMask* masks, const Run& run, int sum, Narrow narrow) {
  const int length = run.length;
  assert(length >= 2 && length <= kMaxRunLength && sum >= 1 && sum <= kMaxSum);
  const std::uint16_t* cells = run.cells;
  const int comboClass = ComboClassTable[length - 1][sum];
  if (comboClass == 0) return false;
  if (length == 2) {
    const SetRow& pairs = PairTable[sum - kPairMinSum];
    return narrow(cells[1], pairs[masks[cells[0]]]) && narrow(cells[0], pairs[masks[cells[1]]]);
  }
  if (length == 3) {
    const int a = cells[0], b = cells[1], c = cells[2];
    return narrow(c, tripleDigits(sum, masks[a], masks[b])) && narrow(a, tripleDigits(sum, masks[b], masks[c])) &&
           narrow(b, tripleDigits(sum, masks[c], masks[a]));
  }
  const SetRow& meetRow = ComboMeetTable[comboClass - 1];
  DigitSet present = 0, meet = kAllDigits;
  for (int k = 0; k < length; ++k) {
    present |= masks[cells[k]];
    meet &= meetRow[masks[cells[k]]];
  }
  const DigitSet allowed = ComboWithinTable[comboClass - 1][present] & meet;
  for (int k = 0; k < length; ++k)
    if (!narrow(cells[k], allowed)) return false;
  return true;
}

// What a run without a sum owes its cells: a solved cell's digit leaves every
// other cell, a naked pair's digits leave the rest. Calls remove(cell, digits)
// in cell order and stops at the first false, returning -1; otherwise
// returns how many cells were met solved.
template <typename Remove>
int walkOpenSumRemovals(const CandidateMask* masks, const Run& run, Remove remove) {
  const int length = run.length;
  int solvedCount = 0;
  for (int i = 0; i < length; ++i) {
    const CandidateMask held = masks[run.cells[i]];
    if (DigitCountTable[held] == 1) {
      ++solvedCount;
      for (int j = 0; j < length; ++j)
        if (j != i && !remove(run.cells[j], held)) return -1;
    } else if (length > 2 && DigitCountTable[held] == 2) {
      for (int k = i + 1; k < length; ++k) {
        if (masks[run.cells[k]] != held) continue;
        for (int j = 0; j < length; ++j)
          if (j != i && j != k && !remove(run.cells[j], held)) return -1;
      }
    }
  }
  return solvedCount;
}

}  // namespace vantreel
