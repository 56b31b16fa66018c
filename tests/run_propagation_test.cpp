#include <gtest/gtest.h>

#include "solver/run_propagation.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;
using testing::gridWithRun;

CandidateMask cell(const SolverGrid& grid, int i) { return grid.masks[i]; }

TEST(TableRules, PairNarrowsBothCellsAndCounts) {
  SolverGrid grid = gridWithRun(17, {kAllDigits, kAllDigits});
  // Two narrowings, then the run is left alone (no cell solved).
  EXPECT_EQ(propagateRuns(grid), 2);
  EXPECT_EQ(cell(grid, 1), digits({8, 9}));
  EXPECT_EQ(cell(grid, 2), digits({8, 9}));
}

TEST(TableRules, SumsOutsideTheLengthsRangeAreContradictions) {
  for (int sum : {2, 18}) {
    SolverGrid grid = gridWithRun(sum, {kAllDigits, kAllDigits});
    EXPECT_EQ(propagateRuns(grid), 0);
    EXPECT_TRUE(grid.contradiction) << sum;
  }
  for (int sum : {5, 25}) {
    SolverGrid grid = gridWithRun(sum, {digits({1}), kAllDigits, kAllDigits});
    EXPECT_EQ(propagateRuns(grid), 0);
    EXPECT_TRUE(grid.contradiction) << sum;
    EXPECT_EQ(cell(grid, 2), kAllDigits) << "no reduction before the check";
  }
  for (int sum : {9, 31}) {
    SolverGrid grid = gridWithRun(sum, {kAllDigits, kAllDigits, kAllDigits, kAllDigits});
    EXPECT_EQ(propagateRuns(grid), 0);
    EXPECT_TRUE(grid.contradiction) << sum;
  }
}

TEST(TableRules, UnsetSumHasNoTableRule) {
  SolverGrid grid = gridWithRun(0, {kAllDigits, kAllDigits});
  EXPECT_EQ(propagateRuns(grid), 0);
  EXPECT_FALSE(grid.contradiction);
  EXPECT_EQ(cell(grid, 1), kAllDigits);
}

// When a run's sum cannot be made, the first cell the rule narrows is the
// one left empty, and the pass stops there: a triple narrows its last cell
// first, a pair its second, a longer run its first. (`s` draws the grid as
// the failing rule left it.)
TEST(TableRules, NarrowTheLastCellOfATripleOrPairFirst) {
  SolverGrid triple = gridWithRun(24, {kAllDigits, kAllDigits, digits({1})});
  EXPECT_EQ(propagateRuns(triple), 0);
  EXPECT_TRUE(triple.contradiction);
  EXPECT_EQ(cell(triple, 3), 0);
  EXPECT_EQ(cell(triple, 1), kAllDigits);
  EXPECT_EQ(cell(triple, 2), kAllDigits);
  SolverGrid pair = gridWithRun(17, {digits({1}), kAllDigits});
  EXPECT_EQ(propagateRuns(pair), 0);
  EXPECT_EQ(cell(pair, 2), 0);
  EXPECT_EQ(cell(pair, 1), digits({1}));
  SolverGrid four = gridWithRun(11, {kAllDigits, kAllDigits, kAllDigits, digits({6, 7})});
  EXPECT_EQ(propagateRuns(four), 0);
  EXPECT_EQ(cell(four, 1), 0);
  EXPECT_EQ(cell(four, 2), kAllDigits);
  EXPECT_EQ(cell(four, 4), digits({6, 7}));
}

TEST(TableRules, ComboRuleUsesMeetAndWithin) {
  // Sum 11 over four cells allows only {1,2,3,5}.
  SolverGrid grid = gridWithRun(11, {kAllDigits, kAllDigits, kAllDigits, kAllDigits});
  EXPECT_EQ(propagateRuns(grid), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(cell(grid, i), digits({1, 2, 3, 5}));
  // A cell that can hold none of the combination's digits empties.
  SolverGrid empty = gridWithRun(11, {kAllDigits, digits({6, 7}), kAllDigits, kAllDigits});
  EXPECT_EQ(propagateRuns(empty), 0);
  EXPECT_TRUE(empty.contradiction);
}

TEST(RunReduction, SolvedCellLeavesTheRun) {
  SolverGrid grid = gridWithRun(15, {digits({1, 2, 3}), digits({4}), digits({4, 5, 6}), kAllDigits});
  vantreel::Run& run = grid.runs[0];
  EXPECT_TRUE(reduceRun(grid, run));
  EXPECT_EQ(run.length, 3);
  EXPECT_EQ(run.sum, 11);
  EXPECT_EQ(run.cells[0], 1);
  EXPECT_EQ(run.cells[1], 3);
  EXPECT_EQ(run.cells[2], 4);
  EXPECT_EQ(cell(grid, 3), digits({5, 6}));
  EXPECT_EQ(cell(grid, 4), digits({1, 2, 3, 5, 6, 7, 8, 9}));
}

TEST(RunReduction, SolvedCellNotBelowTheSumIsAContradiction) {
  SolverGrid grid = gridWithRun(9, {kAllDigits, digits({9}), kAllDigits});
  EXPECT_FALSE(reduceRun(grid, grid.runs[0]));
  EXPECT_TRUE(grid.contradiction);
}

TEST(RunReduction, TwoCellRunClosesOnASolvedCell) {
  SolverGrid grid = gridWithRun(10, {kAllDigits, digits({3})});
  EXPECT_TRUE(reduceRun(grid, grid.runs[0]));
  EXPECT_EQ(grid.runs[0].length, 0);
  EXPECT_EQ(grid.runs[0].sum, 10);
  EXPECT_EQ(cell(grid, 1), digits({7}));
  SolverGrid clash = gridWithRun(10, {digits({5, 6}), digits({5})});
  EXPECT_FALSE(reduceRun(clash, clash.runs[0]));
  EXPECT_TRUE(clash.contradiction);
}

TEST(RunReduction, PairInThreeCellRunFixesTheThird) {
  const CandidateMask pair = digits({1, 2});
  SolverGrid grid = gridWithRun(10, {pair, pair, digits({4, 5})});
  EXPECT_TRUE(reduceRun(grid, grid.runs[0]));
  EXPECT_EQ(cell(grid, 3), digits({7})) << "previous candidates are not consulted";
  EXPECT_EQ(grid.runs[0].length, 2);
  EXPECT_EQ(grid.runs[0].sum, 3);
  SolverGrid six = gridWithRun(6, {pair, pair, kAllDigits});
  EXPECT_TRUE(reduceRun(six, six.runs[0]));
  EXPECT_EQ(cell(six, 3), digits({3}));
  for (int sum : {1, 3, 4, 5, 13}) {
    SolverGrid bad = gridWithRun(sum, {pair, pair, kAllDigits});
    EXPECT_FALSE(reduceRun(bad, bad.runs[0])) << sum;
    EXPECT_TRUE(bad.contradiction) << sum;
  }
}

TEST(RunReduction, PairSplitsOffALongRunAndIsVisitedInTheSamePass) {
  const CandidateMask pair = digits({3, 4});
  SolverGrid grid =
      gridWithRun(30, {digits({5, 6, 7}), pair, digits({3, 8, 9}), pair, digits({4, 6, 9})});
  vantreel::Run& run = grid.runs[0];
  EXPECT_TRUE(reduceRun(grid, run));
  ASSERT_EQ(grid.runCount, 2);
  EXPECT_EQ(grid.runs[1].sum, 7);
  EXPECT_EQ(grid.runs[1].length, 2);
  EXPECT_EQ(grid.runs[1].cells[0], 2);
  EXPECT_EQ(grid.runs[1].cells[1], 4);
  EXPECT_EQ(run.length, 3);
  EXPECT_EQ(run.sum, 23);
  EXPECT_EQ(run.cells[0], 1);
  EXPECT_EQ(run.cells[1], 3);
  EXPECT_EQ(run.cells[2], 5);
  EXPECT_EQ(cell(grid, 3), digits({8, 9}));
  EXPECT_EQ(cell(grid, 5), digits({6, 9}));
}

TEST(RunReduction, OpenSumRunClosesWithItsDigitsSum) {
  SolverGrid grid = gridWithRun(0, {digits({2}), digits({5}), digits({9})});
  EXPECT_FALSE(reduceRun(grid, grid.runs[0])) << "closing alone is no change";
  EXPECT_EQ(grid.runs[0].length, 0);
  EXPECT_EQ(grid.runs[0].sum, 16);
}

TEST(RunReduction, OpenSumRunRemovesSolvedDigitsAndGoesOnAfterAClash) {
  SolverGrid grid = gridWithRun(0, {digits({4}), digits({4}), digits({4, 6}), digits({1, 2}), digits({1, 2})});
  EXPECT_TRUE(reduceRun(grid, grid.runs[0]));
  EXPECT_TRUE(grid.contradiction);
  EXPECT_EQ(cell(grid, 2), 0);
  EXPECT_EQ(cell(grid, 3), digits({6})) << "the step visits every cell";
  EXPECT_EQ(grid.runs[0].length, 5);
}

TEST(RunPropagation, PassVisitsRunsAddedDuringThePass) {
  // Run 0 splits off the pair {3,4} on cells 2 and 4 as run 2. Run 1 (cells
  // 2 and 12, sum 8, cell 12 holding 5) then fixes cell 2 to 3, and the same
  // pass must visit the split pair to fix cell 4 to 4.
  const CandidateMask pair = digits({3, 4});
  SolverGrid grid = gridWithRun(30, {digits({5, 6, 7}), pair, digits({3, 8, 9}), pair, digits({4, 6, 9})});
  grid.masks[12] = digits({5});
  appendRun(grid, 2, 10, 2, 8);
  EXPECT_GT(propagateRuns(grid), 0);
  ASSERT_FALSE(grid.contradiction);
  ASSERT_EQ(grid.runCount, 3);
  EXPECT_EQ(cell(grid, 2), digits({3}));
  EXPECT_EQ(cell(grid, 4), digits({4}));
  EXPECT_EQ(grid.runs[2].length, 0) << "the split pair closed in the same pass";
}

}  // namespace
}  // namespace vantreel
