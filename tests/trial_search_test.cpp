#include <gtest/gtest.h>

#include <string>

#include "solver/trial_search.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;
using testing::gridOf;

TEST(TrialSearch, PropagationAloneSolvesAnEasyGrid) {
  SolverGrid grid = gridOf("1/2/2/nghhg");
  SolveStats stats;
  EXPECT_TRUE(propagate(stats, grid));
  EXPECT_TRUE(isSolved(grid));
  EXPECT_EQ(grid.masks[4], digits({9}));
  EXPECT_EQ(grid.masks[5], digits({8}));
  EXPECT_EQ(grid.masks[7], digits({7}));
  EXPECT_EQ(grid.masks[8], digits({9}));
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
  EXPECT_EQ(stats.reserved, 0);
}

TEST(TrialSearch, StallWithoutTwoCandidateCellsDecidesNothing) {
  // 2 x 2 block of all-white cells with sums 10 everywhere: 1+9, 2+8, ...
  // leaves every cell with eight candidates.
  SolverGrid grid = gridOf("1/2/2/naaaa");
  SolveStats stats;
  EXPECT_TRUE(propagate(stats, grid));
  EXPECT_FALSE(isSolved(grid));
  TrialPair pair;
  EXPECT_EQ(chooseTrialCell(grid, 0, pair), 0);
  EXPECT_FALSE(trialStep(stats, grid));
  SolverGrid again = gridOf("1/2/2/naaaa");
  EXPECT_FALSE(solveWithTrials(stats, again));
}

TEST(TrialSearch, TwoSolutionsLeaveTheCellUndecided) {
  // Sums 3 everywhere: {1,2} in each run, two fillings; every trial digit
  // solves, so nothing is decided and the grid is unchanged.
  SolverGrid grid = gridOf("1/2/2/n3333");
  SolveStats stats;
  EXPECT_TRUE(propagate(stats, grid));
  const SolverGrid before = cloneGrid(grid);
  EXPECT_FALSE(trialStep(stats, grid));
  for (int p = 0; p < grid.cellCount(); ++p) EXPECT_EQ(grid.masks[p], before.masks[p]);
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
}

TEST(TrialSearch, ChooseTrialCellResumesAboveTheLastIndex) {
  SolverGrid grid = gridOf("1/2/2/n3333");
  SolveStats stats;
  ASSERT_TRUE(propagate(stats, grid));
  TrialPair pair;
  const int first = chooseTrialCell(grid, 0, pair);
  EXPECT_EQ(first, 4);  // first cell of the first run (down from (0,1))
  EXPECT_EQ(pair.lower, digits({1}));
  EXPECT_EQ(pair.higher, digits({2}));
  const int second = chooseTrialCell(grid, first + 1, pair);
  EXPECT_EQ(second, 7);  // the first run's second cell comes before run 2's
  EXPECT_EQ(chooseTrialCell(grid, 9, pair), 0);
}

TEST(TrialSearch, CountersKeepReservedAndCellCount) {
  SolverGrid grid = gridOf("1/4/3/l60.m.07l.4636");
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  EXPECT_TRUE(solveWithTrials(stats, grid));
  EXPECT_EQ(stats.reserved, 0);
  EXPECT_EQ(stats.cellCount, 20);
  EXPECT_GT(stats.runChanges, 0);
}

// Separate 2 x 2 regions whose clues are all 3: each allows two fillings, so
// the nested trials double with every region.
std::string manySolutions(int regions) {
  std::string cells, top;
  for (int i = 0; i < regions; ++i) {
    cells += i == 0 ? "l" : "03l";
    top += "33";
  }
  std::string second;
  for (int i = 0; i < regions; ++i) second += i == 0 ? "l" : "03l";
  return "1/" + std::to_string(3 * regions) + "/2/" + cells + "." + second + "." + top + "33";
}

TEST(TrialSearch, ManySolutionsStopAtTheBudgetNotBefore) {
  SolverGrid small = gridOf(manySolutions(2));
  SolveStats stats;
  EXPECT_FALSE(solveWithTrials(stats, small));
  EXPECT_FALSE(stats.budget.exceeded) << "two regions fail for lack of a decision";

  SolverGrid many = gridOf(manySolutions(12));
  SolveStats limited;
  limited.budget.cellLimit = 2000 * many.cellCount();
  EXPECT_FALSE(solveWithTrials(limited, many));
  EXPECT_TRUE(limited.budget.exceeded);
  EXPECT_EQ(limited.budget.depth, 0) << "every level unwinds";
}

TEST(TrialSearch, DepthLimitEndsDeepNesting) {
  SolverGrid many = gridOf(manySolutions(12));
  SolveStats limited;
  limited.budget.depthLimit = 5;
  ASSERT_TRUE(propagate(limited, many));
  const SolverGrid before = cloneGrid(many);
  EXPECT_FALSE(trialStep(limited, many));
  EXPECT_TRUE(limited.budget.exceeded);
  for (int p = 0; p < many.cellCount(); ++p) EXPECT_EQ(many.masks[p], before.masks[p]) << "nothing committed";
}

}  // namespace
}  // namespace vantreel
