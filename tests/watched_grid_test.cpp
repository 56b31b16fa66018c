#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "generator/watched_grid.h"
#include "solver/run_propagation.h"
#include "solver/trial_search.h"
#include "tests/random_puzzles.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

// A watched grid holding a plain grid's state, its runs as first listed.
void loadWatched(WatchedGrid& watched, const SolverGrid& plain) {
  watched.allocate(plain.width, plain.height);
  watched.contradiction = plain.contradiction;
  for (int p = 0; p < plain.cellCount(); ++p) watched.masks[p] = plain.masks[p];
  for (int i = 0; i < plain.runCount; ++i) {
    const Run& run = plain.runs[i];
    watched.appendRun(run.cells[0], run.cells[1] - run.cells[0], run.length, run.sum);
  }
}

// Two grids of one puzzle, one passing over quiet runs: after every step,
// whether a pass of the rules, a full propagation, a copy, or a change made
// from outside as the generator and the trial search make them (a cell set,
// a sum chosen), both must hold the same masks and runs and count the same
// surplus.
void expectSameState(const SolverGrid& plain, const WatchedGrid& watched, int step) {
  ASSERT_EQ(plain.contradiction, watched.contradiction) << "step " << step;
  ASSERT_EQ(plain.runCount, watched.runCount) << "step " << step;
  ASSERT_EQ(surplus(plain), surplus(watched)) << "step " << step;
  for (int p = 0; p < plain.cellCount(); ++p) ASSERT_EQ(plain.masks[p], watched.masks[p]) << "step " << step;
  for (int i = 0; i < plain.runCount; ++i) {
    const Run &a = plain.runs[i], &b = watched.runs[i];
    ASSERT_EQ(a.sum, b.sum) << "step " << step << " run " << i;
    ASSERT_EQ(a.length, b.length) << "step " << step << " run " << i;
    for (int k = 0; k < a.length; ++k) ASSERT_EQ(a.cells[k], b.cells[k]) << "step " << step << " run " << i;
  }
}

TEST(WatchedGrid, PassesOverOnlyRunsThatWouldNotChange) {
  std::mt19937 random(31);
  for (int puzzle = 0; puzzle < 300; ++puzzle) {
    const Board board = testing::makeRandomPuzzle(random, 6 + puzzle % 9, 5 + puzzle % 7, 1, 15 + puzzle % 20);
    SolverGrid plain = buildSolverGrid(board);
    WatchedGrid watched, copy;
    loadWatched(watched, plain);
    // Most sums unset at first, as the generator starts.
    std::vector<std::uint8_t> sums(plain.runCount);
    for (int i = 0; i < plain.runCount; ++i) {
      sums[i] = plain.runs[i].sum;
      if (random() % 4 != 0) plain.runs[i].sum = watched.runs[i].sum = 0;
    }
    for (int step = 0; step < 60 && !plain.contradiction; ++step) {
      switch (random() % 6) {
        case 0:
        case 1:
          ASSERT_EQ(propagateRuns(plain), propagateRuns(watched)) << "step " << step;
          break;
        case 2:
          ASSERT_EQ(propagate(plain), propagate(watched));
          break;
        case 3: {  // the generator settles on a copy, then takes it back
          copy.allocate(watched.width, watched.height);
          copyGridState(copy, watched);
          ASSERT_EQ(propagateRuns(plain), propagateRuns(copy));
          copyGridState(watched, copy);
          break;
        }
        case 4: {  // a sum chosen for an open run
          if (plain.runCount == 0) break;
          const int i = static_cast<int>(random() % plain.runCount);
          if (plain.runs[i].sum == 0 && plain.runs[i].length > 0 && sums[i] != 0) {
            const int sum = random() % 3 == 0 ? 1 + static_cast<int>(random() % 45) : sums[i];
            plain.runs[i].sum = watched.runs[i].sum = static_cast<std::uint8_t>(sum);
          }
          break;
        }
        default: {  // a cell decided from outside
          const int p = static_cast<int>(random() % plain.cellCount());
          const CandidateMask mask = plain.masks[p];
          if (mask != kBlockMask && DigitCountTable[mask] >= 2) {
            plain.masks[p] = lowestDigit(mask);
            watched.setCellMask(p, lowestDigit(mask));
          }
        }
      }
      expectSameState(plain, watched, step);
    }
  }
}

}  // namespace
}  // namespace vantreel
