#include <gtest/gtest.h>

#include <random>
#include <string>

#include "solver/trial_search.h"
#include "tests/random_puzzles.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;
using testing::gridOf;

TEST(TrialSearch, PropagationAloneSolvesAnEasyGrid) {
  SolverGrid grid = gridOf("1/2/2/nghhg");
  SolveStats stats;
  EXPECT_TRUE(propagate(grid, &stats));
  EXPECT_TRUE(isSolved(grid));
  EXPECT_EQ(grid.masks[4], digits({9}));
  EXPECT_EQ(grid.masks[5], digits({8}));
  EXPECT_EQ(grid.masks[7], digits({7}));
  EXPECT_EQ(grid.masks[8], digits({9}));
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
  EXPECT_GT(stats.runChanges, 0);
}

TEST(TrialSearch, StallWithoutTwoCandidateCellsDecidesNothing) {
  // 2 x 2 block of all-white cells with sums 10 everywhere: 1+9, 2+8, ...
  // leaves every cell with eight candidates.
  SolverGrid grid = gridOf("1/2/2/naaaa");
  EXPECT_TRUE(propagate(grid));
  EXPECT_FALSE(isSolved(grid));
  TrialPair pair;
  EXPECT_EQ(chooseTrialCell(grid, 0, pair), 0);
  SolveStats stats;
  SearchBudget budget;
  EXPECT_FALSE(trialStep(grid, stats, budget));
  SolverGrid again = gridOf("1/2/2/naaaa");
  EXPECT_FALSE(solveWithTrials(again, stats, budget));
}

TEST(TrialSearch, TwoSolutionsLeaveTheCellUndecided) {
  // Sums 3 everywhere: {1,2} in each run, two fillings; every trial digit
  // solves, so nothing is decided and the grid is unchanged.
  SolverGrid grid = gridOf("1/2/2/n3333");
  EXPECT_TRUE(propagate(grid));
  const SolverGrid before = cloneGrid(grid);
  SolveStats stats;
  SearchBudget budget;
  EXPECT_FALSE(trialStep(grid, stats, budget));
  for (int p = 0; p < grid.cellCount(); ++p) EXPECT_EQ(grid.masks[p], before.masks[p]);
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
}

TEST(TrialSearch, ChooseTrialCellResumesAboveTheLastIndex) {
  SolverGrid grid = gridOf("1/2/2/n3333");
  ASSERT_TRUE(propagate(grid));
  TrialPair pair;
  const int first = chooseTrialCell(grid, 0, pair);
  EXPECT_EQ(first, 4);  // first cell of the first run (down from (0,1))
  EXPECT_EQ(pair.lower, digits({1}));
  EXPECT_EQ(pair.higher, digits({2}));
  const int second = chooseTrialCell(grid, first + 1, pair);
  EXPECT_EQ(second, 7);  // the first run's second cell comes before run 2's
  EXPECT_EQ(chooseTrialCell(grid, 9, pair), 0);
}

// Solves the grid with one cell set to `digit`; the counters of that solve.
SolveStats solveWithDigit(const SolverGrid& grid, int cell, CandidateMask digit, bool& solved) {
  SolverGrid copy = cloneGrid(grid);
  copy.masks[cell] = digit;
  SolveStats stats;
  SearchBudget budget;
  solved = solveWithTrials(copy, stats, budget);
  return stats;
}

TEST(TrialSearch, CountsEachCommittedTrialByTheDigitThatFailed) {
  std::mt19937 random(5);
  int committed[2] = {0, 0};  // lower, higher
  for (int attempt = 0; attempt < 400 && (committed[0] < 1 || committed[1] < 3); ++attempt) {
    SolverGrid grid = buildSolverGrid(testing::makeRandomPuzzle(random, 6, 6, 1));
    if (!propagate(grid) || isSolved(grid)) continue;
    const SolverGrid before = cloneGrid(grid);
    SolveStats stats;
    SearchBudget budget;
    if (!trialStep(grid, stats, budget)) continue;
    int cell = 0;  // the one cell the step decided
    for (int p = 0; p < grid.cellCount(); ++p)
      if (grid.masks[p] != before.masks[p]) cell = p;
    ASSERT_NE(cell, 0);
    const CandidateMask lower = lowestDigit(before.masks[cell]);
    const CandidateMask higher = before.masks[cell] & ~lower;
    const bool higherCommitted = grid.masks[cell] == higher;
    ++committed[higherCommitted];
    // The step's counters are those of the trials it ran, plus its own.
    bool lowerSolved = false, higherSolved = false;
    SolveStats expected = solveWithDigit(before, cell, lower, lowerSolved);
    EXPECT_EQ(lowerSolved, !higherCommitted);
    if (!higherCommitted) {
      const SolveStats second = solveWithDigit(before, cell, higher, higherSolved);
      EXPECT_FALSE(higherSolved);
      expected.trialsHigh += second.trialsHigh;
      expected.trialsLow += second.trialsLow;
    }
    (higherCommitted ? expected.trialsHigh : expected.trialsLow) += 1;
    EXPECT_EQ(stats.trialsHigh, expected.trialsHigh);
    EXPECT_EQ(stats.trialsLow, expected.trialsLow);
  }
  EXPECT_GE(committed[0], 1);
  EXPECT_GE(committed[1], 3);
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
  SearchBudget budget;
  EXPECT_FALSE(solveWithTrials(small, stats, budget));
  EXPECT_FALSE(budget.exceeded) << "two regions fail for lack of a decision";

  SolverGrid many = gridOf(manySolutions(12));
  SearchBudget limited;
  limited.cellLimit = 2000 * many.cellCount();
  EXPECT_FALSE(solveWithTrials(many, stats, limited));
  EXPECT_TRUE(limited.exceeded);
  EXPECT_EQ(limited.depth, 0) << "every level unwinds";
}

TEST(TrialSearch, DepthLimitEndsDeepNesting) {
  SolverGrid many = gridOf(manySolutions(12));
  SolveStats stats;
  SearchBudget limited;
  limited.depthLimit = 5;
  ASSERT_TRUE(propagate(many));
  const SolverGrid before = cloneGrid(many);
  EXPECT_FALSE(trialStep(many, stats, limited));
  EXPECT_TRUE(limited.exceeded);
  for (int p = 0; p < many.cellCount(); ++p) EXPECT_EQ(many.masks[p], before.masks[p]) << "nothing committed";
}

}  // namespace
}  // namespace vantreel
