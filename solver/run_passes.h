#pragma once
// The definitions behind solver/run_propagation.h and propagate() in
// solver/trial_search.h, written once for every watch policy: the solver
// instantiates them with NoWatch, the generator with its watched grids.
// Everything is inline so that each instantiation is as fast as the plain one.
#include <bit>

#include "solver/enumerators.h"
#include "solver/run_propagation.h"
#include "solver/run_rules.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace run_steps {

// Narrows one mask; counts a change, and an emptied mask is a contradiction.
inline bool narrow(SolverGrid& grid, int cell, DigitSet allowed, int& count) {
  const CandidateMask old = grid.masks[cell];
  const CandidateMask narrowed = old & allowed;
  // Stored and counted without a branch: whether a cell narrows is
  // unpredictable, an emptied cell is rare.
  grid.masks[cell] = narrowed;
  count += narrowed != old;
  return narrowed != 0 || old == 0 || markContradiction(grid);  // an empty cell left as it was is no news
}

// Table rule for the run's length and sum; false on contradiction.
[[gnu::always_inline]] inline bool applyTableRule(SolverGrid& grid, const Run& run, int& count) {
  if (run.sum == 0) return true;
  const auto narrowCell = [&](int cell, DigitSet allowed) { return narrow(grid, cell, allowed, count); };
  return walkTableRule(grid.masks.get(), run, run.sum, narrowCell) || markContradiction(grid);
}

// Takes the listed positions out of the run, keeping the others in order.
inline void dropCells(Run& run, int first, int second = -1) {
  int kept = 0;
  for (int k = 0; k < run.length; ++k)
    if (k != first && k != second) run.cells[kept++] = run.cells[k];
  run.length = static_cast<std::int8_t>(kept);
}

// Removes digits from every cell still listed; false at the first emptied one.
inline bool removeFromRun(SolverGrid& grid, const Run& run, DigitSet digits) {
  for (int k = 0; k < run.length; ++k) {
    CandidateMask& mask = grid.masks[run.cells[k]];
    mask &= ~digits;
    if (mask == 0) return markContradiction(grid);
  }
  return true;
}

inline bool reduceSolvedCell(SolverGrid& grid, Run& run, int i) {
  const CandidateMask digit = grid.masks[run.cells[i]];
  if (run.length == 2) {
    if (run.sum < kPairMinSum || run.sum > kPairMaxSum) return markContradiction(grid);
    CandidateMask& other = grid.masks[run.cells[1 - i]];
    other &= PairTable[run.sum - kPairMinSum][digit];
    run.length = 0;  // closed; the sum stays as it was
    return other != 0 || markContradiction(grid);
  }
  const int value = DigitSumTable[digit];
  if (run.sum <= value) return markContradiction(grid);
  dropCells(run, i);
  run.sum = static_cast<std::uint8_t>(run.sum - value);
  return removeFromRun(grid, run, digit);
}

template <typename Watch>
bool reduceNakedPair(SolverGrid& grid, Run& run, int i, int k, Watch& watch) {
  const CandidateMask pair = grid.masks[run.cells[i]];
  const int pairSum = DigitSumTable[pair];
  if (run.sum <= pairSum) return markContradiction(grid);  // another cell still needs a digit
  if (run.length == 3) {
    const int third = 3 - i - k;
    const int rest = run.sum - pairSum;
    if (rest > 9 || (pair & (1 << (rest - 1)))) return markContradiction(grid);
    grid.masks[run.cells[third]] = CandidateMask(1 << (rest - 1));
    run.sum = static_cast<std::uint8_t>(pairSum);
    run.length = 2;
    run.cells[0] = run.cells[i];
    run.cells[1] = run.cells[k];
    return true;
  }
  const int parent = static_cast<int>(&run - grid.runs.get());
  Run& split = grid.addRun();
  watch.splitOff(parent, grid.runCount - 1);
  split.sum = static_cast<std::uint8_t>(pairSum);
  split.length = 2;
  split.cells[0] = run.cells[i];
  split.cells[1] = run.cells[k];
  dropCells(run, i, k);
  run.sum = static_cast<std::uint8_t>(run.sum - pairSum);
  return removeFromRun(grid, run, pair);
}

// The first solved cell or naked pair in cell order, whichever comes first.
// Each cell's digit count is read once, without a branch: which cells are
// solved is what the predictor cannot guess.
template <typename Watch>
bool reduceSetRun(SolverGrid& grid, Run& run, Watch& watch) {
  const int length = run.length;
  if (length <= 0) return false;
  CandidateMask held[kMaxRunLength];
  unsigned solved = 0, twos = 0;
  for (int k = 0; k < length; ++k) {
    held[k] = grid.masks[run.cells[k]];
    const int count = DigitCountTable[held[k]];
    solved |= unsigned(count == 1) << k;
    twos |= unsigned(count == 2) << k;
  }
  const int solvedAt = solved != 0 ? std::countr_zero(solved) : kMaxRunLength;
  // A pair needs two equal two-digit cells, and a third cell to clear.
  if (length > 2 && (twos & (twos - 1)) != 0) {
    for (unsigned rest = twos; rest != 0;) {
      const int i = std::countr_zero(rest);
      if (i > solvedAt) break;
      rest &= rest - 1;
      for (unsigned later = rest; later != 0; later &= later - 1) {
        const int k = std::countr_zero(later);
        if (held[k] == held[i]) return reduceNakedPair(grid, run, i, k, watch);
      }
    }
  }
  return solvedAt != kMaxRunLength && reduceSolvedCell(grid, run, solvedAt);
}

// True when the removals would change no cell: no solved cell's digit and no
// naked pair's digits appear anywhere else in the run. Most visits end this
// way, and one pass of digit tallies is cheaper than the walk's branches.
// `solvedCount` is then the walk's count of solved cells.
inline bool removalsChangeNothing(const CandidateMask* masks, const Run& run, int& solvedCount) {
  const int length = run.length;
  DigitSet once = 0, twice = 0, thrice = 0, solvedDigits = 0;
  unsigned twoDigitCells = 0;
  int solved = 0;
  CandidateMask held[kMaxRunLength];
  for (int k = 0; k < length; ++k) {
    const CandidateMask mask = held[k] = masks[run.cells[k]];
    thrice |= twice & mask;
    twice |= once & mask;
    once |= mask;
    const int count = DigitCountTable[mask];
    solved += count == 1;
    solvedDigits |= count == 1 ? mask : 0;
    twoDigitCells |= unsigned(count == 2) << k;
  }
  if ((solvedDigits & twice) != 0) return false;
  if (length > 2)
    for (unsigned rest = twoDigitCells; rest != 0;) {
      const int i = std::countr_zero(rest);
      rest &= rest - 1;
      for (unsigned later = rest; later != 0; later &= later - 1)
        if (held[std::countr_zero(later)] == held[i] && (held[i] & thrice) != 0) return false;
    }
  solvedCount = solved;
  return true;
}

// A run whose clue is still to be chosen keeps all its cells until every one
// is solved; then it closes with the sum of their digits as its clue. An
// emptied cell marks the contradiction but the step goes on.
inline bool reduceOpenSumRun(SolverGrid& grid, Run& run) {
  bool changed = false;
  int solvedCount = 0;
  if (!removalsChangeNothing(grid.masks.get(), run, solvedCount))
    solvedCount = walkOpenSumRemovals(grid.masks.get(), run, [&](int cell, DigitSet digits) {
      CandidateMask& mask = grid.masks[cell];
      const CandidateMask narrowed = mask & ~digits;
      if (narrowed == mask) return true;
      mask = narrowed;
      changed = true;
      if (narrowed == 0) grid.contradiction = 1;
      return true;
    });
  if (solvedCount == run.length) {
    DigitSet digits = 0;
    for (int k = 0; k < run.length; ++k) digits |= grid.masks[run.cells[k]];
    run.length = 0;
    run.sum = DigitSumTable[digits];
  }
  return changed;
}

// Narrows every long run with a set sum to its exact support; false on
// contradiction. Later runs see the masks narrowed by earlier ones.
template <typename Watch>
bool sweepLongRuns(SolverGrid& grid, Watch& watch, int& changed) {
  CandidateMask* masks = grid.masks.get();
  for (int i = 0; i < grid.runCount; ++i) {
    const Run& run = grid.runs[i];
    if (run.length < 4 || run.sum == 0) continue;
    if (watch.sweepPassesBy(grid, i)) continue;
    DigitSet support[kMaxRunLength] = {};
    if (!enumerateCombinations[run.length](masks, run.cells, support, 0, run.sum)) return markContradiction(grid);
    const int changedBefore = changed;
    for (int k = 0; k < run.length; ++k) {
      CandidateMask& mask = masks[run.cells[k]];
      if (support[k] == mask) continue;
      if (support[k] == 0) return markContradiction(grid);
      mask = support[k];
      ++changed;
    }
    watch.swept(grid, i, changed != changedBefore);
  }
  return !grid.contradiction;
}

}  // namespace run_steps

template <typename Watch>
bool reduceRun(SolverGrid& grid, Run& run, Watch& watch) {
  return run.sum != 0 ? run_steps::reduceSetRun(grid, run, watch) : run_steps::reduceOpenSumRun(grid, run);
}

template <typename Watch>
int propagateRuns(SolverGrid& grid, Watch& watch) {
  int count = 0;
  // runCount is read afresh: runs split off in this pass are visited too.
  for (int i = 0; i < grid.runCount; ++i) {
    Run& run = grid.runs[i];
    if (watch.passesBy(grid, i, run.length <= 1)) continue;
    // Every change of a visit falls on the run's cells as they were before it.
    const Run before = run;
    const int countBefore = count;
    if (run_steps::applyTableRule(grid, run, count))
      while (reduceRun(grid, run, watch)) ++count;
    watch.visited(grid, i, before, count != countBefore || grid.contradiction);
    if (grid.contradiction) return 0;
  }
  return count;
}

template <typename Watch>
bool propagate(SolverGrid& grid, Watch& watch, SolveStats* stats) {
  for (;;) {
    // Cheap run rules to a fixed point before any enumeration.
    for (int changes = propagateRuns(grid, watch); changes != 0; changes = propagateRuns(grid, watch)) {
      if (grid.contradiction) return false;
      if (stats) addTo(stats->runChanges, changes);
    }
    if (grid.contradiction) return false;
    if (isSolved(grid)) return true;
    int changed = 0;
    if (!run_steps::sweepLongRuns(grid, watch, changed)) return false;
    if (changed == 0) return true;
    if (stats) addTo(stats->comboChanges, changed);
  }
}

}  // namespace vantreel
