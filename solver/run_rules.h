#pragma once
// The run rules that both the solver and the generator's sum probe apply,
// written once: the caller decides what a narrowing does. The solver writes
// each one into the grid, so later cells see it; the probe only counts, so
// every cell is judged on the masks as they were.
#include <cassert>

#include "solver/solver_grid.h"

namespace vantreel {

// The table rule, the one copy that the solver, the exact search and the
// sum probe read: `count` (2..9) open cells holding `masks` owe `sum`, and
// the digits in `used` are taken by the run's other cells. Fills allowed[k],
// the part of masks[k] the rule keeps: the exact support from the pair and
// triple tables for two and three cells; for longer runs, the digits of the
// combinations that lie inside the cells' union and meet every cell (the
// combination class rule; the enumerators give the exact support). False,
// with `allowed` unset, when no `count` different digits make the sum.
[[gnu::always_inline]] inline bool tableRule(const DigitSet* masks, int count, int sum, DigitSet used,
                                             DigitSet* allowed) {
  assert(count >= 2 && count <= kMaxRunLength);
  if (sum < 1 || sum > kMaxSum) return false;
  const int comboClass = ComboClassTable[count - 1][sum];
  if (comboClass == 0) return false;
  if (count == 2) {
    const SetRow& pairs = PairTable[sum - kPairMinSum];
    const DigitSet a = masks[0] & ~used, b = masks[1] & ~used;
    allowed[0] = pairs[b] & a;
    allowed[1] = pairs[a] & b;
    return true;
  }
  if (count == 3) {
    const DigitSet a = masks[0] & ~used, b = masks[1] & ~used, c = masks[2] & ~used;
    allowed[0] = tripleDigits(sum, b, c) & a;
    allowed[1] = tripleDigits(sum, c, a) & b;
    allowed[2] = tripleDigits(sum, a, b) & c;
    return true;
  }
  const SetRow& meetRow = ComboMeetTable[comboClass - 1];
  DigitSet present = 0, meet = kAllDigits;
  for (int k = 0; k < count; ++k) {
    const DigitSet mask = masks[k] & ~used;
    present |= mask;
    meet &= meetRow[mask];
  }
  const DigitSet kept = ComboWithinTable[comboClass - 1][present] & meet & ~used;
  for (int k = 0; k < count; ++k) allowed[k] = masks[k] & kept;
  return true;
}

// The table rule on a run of the grid given `sum`, narrowing its cells in
// the solver's order: for three cells the last first, then the first, then
// the second; for two the second, then the first; longer runs in cell order.
// The pair and triple tables give exact supports, so narrowing one cell
// never changes what the rule keeps for the next, and one computation
// serves. Calls narrow(cell, allowed) cell by cell and stops at the first
// false. False, before any call, when no filling of the run's length makes
// the sum.
template <typename Narrow>
[[gnu::always_inline]] inline bool walkTableRule(const CandidateMask* masks, const Run& run, int sum, Narrow narrow) {
  const int length = run.length;
  assert(length >= 2 && length <= kMaxRunLength && sum >= 1 && sum <= kMaxSum);
  const std::uint16_t* cells = run.cells;
  DigitSet held[kMaxRunLength], allowed[kMaxRunLength];
  for (int k = 0; k < length; ++k) held[k] = masks[cells[k]];
  if (!tableRule(held, length, sum, 0, allowed)) return false;
  if (length == 2) return narrow(cells[1], allowed[1]) && narrow(cells[0], allowed[0]);
  if (length == 3)
    return narrow(cells[2], allowed[2]) && narrow(cells[0], allowed[0]) && narrow(cells[1], allowed[1]);
  for (int k = 0; k < length; ++k)
    if (!narrow(cells[k], allowed[k])) return false;
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
