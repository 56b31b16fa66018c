#include <gtest/gtest.h>

#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;
using testing::gridOf;

TEST(SolverGrid, BuildsRunsInClueOrderAcrossFirst) {
  // Worked example: clues at (0,1) (0,2) (1,0) (1,3) (2,0) (3,1).
  const SolverGrid grid = gridOf("1/4/3/l60.m.07l.4636");
  ASSERT_EQ(grid.runCount, 6);
  const int expected[6][4] = {{4, 2, 6, 11}, {6, 3, 7, 12}, {3, 2, 6, 7}, {6, 2, 13, 18}, {6, 3, 11, 12}, {7, 2, 17, 18}};
  for (int i = 0; i < 6; ++i) {
    const vantreel::Run& run = grid.runs[i];
    EXPECT_EQ(run.sum, expected[i][0]) << i;
    EXPECT_EQ(run.length, expected[i][1]) << i;
    EXPECT_EQ(run.cells[0], expected[i][2]) << i;
    EXPECT_EQ(run.cells[1], expected[i][3]) << i;
  }
  EXPECT_EQ(grid.masks[0], kBlockMask);
  EXPECT_EQ(grid.masks[6], kAllDigits);
  EXPECT_FALSE(isSolved(grid));
}

TEST(SolverGrid, RunsEndAtRowEndAndArrayEnd) {
  // 2 x 2 interior, all white: across runs stop at the row end, down runs at
  // the last row.
  const SolverGrid grid = gridOf("1/2/2/nghhg");
  ASSERT_EQ(grid.runCount, 4);
  EXPECT_EQ(grid.runs[0].length, 2);  // down from (0,1)
  EXPECT_EQ(grid.runs[0].cells[1], 7);
  EXPECT_EQ(grid.runs[2].length, 2);  // across from (1,0)
  EXPECT_EQ(grid.runs[2].cells[1], 5);
}

TEST(SolverGrid, OneCellRunsFixTheirDigitWithoutARun) {
  // Row 1: clue across 7 then one white cell, which also starts a down run.
  SolverGrid grid = gridOf("1/2/2/07k.kc");
  EXPECT_EQ(grid.masks[5], digits({7}));
  for (int i = 0; i < grid.runCount; ++i) EXPECT_GE(grid.runs[i].length, 2);
  EXPECT_FALSE(grid.contradiction);
}

TEST(SolverGrid, ContradictoryOneCellCluesMarkTheGrid) {
  // A cell alone in both directions with different clues.
  EXPECT_TRUE(gridOf("1/1/1/k34").contradiction);
  EXPECT_FALSE(gridOf("1/1/1/k33").contradiction);
  EXPECT_EQ(gridOf("1/1/1/k33").masks[3], digits({3}));
  // A one-cell clue that names no digit leaves the cell as it was.
  const SolverGrid zero = gridOf("1/1/1/k03");
  EXPECT_TRUE(zero.contradiction);
  EXPECT_EQ(zero.masks[3], digits({3}));
  const SolverGrid big = gridOf("1/1/1/ka3");
  EXPECT_TRUE(big.contradiction);
  EXPECT_EQ(big.masks[3], digits({3}));
}

TEST(SolverGrid, OverlongRunIsRefusedAndMarked) {
  const SolverGrid grid = gridOf("1/10/1/t1234567891Z");
  EXPECT_TRUE(grid.contradiction);
  EXPECT_EQ(grid.runCount, 0);
  EXPECT_FALSE(isSolved(grid));
}

TEST(SolverGrid, RunListRefusesMoreRunsThanCellsWhereAssertionsRun) {
#ifdef NDEBUG
  GTEST_SKIP() << "assertions are compiled out of this build";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  SolverGrid grid;
  grid.allocate(2, 1);
  appendRun(grid, 0, 1, 2, 3);
  appendRun(grid, 0, 1, 2, 3);
  EXPECT_DEATH(appendRun(grid, 0, 1, 2, 3), "runCount < cellCount");
#endif
}

TEST(SolverGrid, EmptyBoardIsSolved) {
  const SolverGrid grid = gridOf("1/2/2/....");
  EXPECT_EQ(grid.runCount, 0);
  EXPECT_TRUE(isSolved(grid));
}

TEST(SolverGrid, SurplusCountsOnlyOpenRunsWithUnsetSum) {
  SolverGrid grid = testing::gridWithRun(0, {digits({1, 2}), digits({3}), kAllDigits});
  EXPECT_EQ(surplus(grid), 1 + 0 + 8);
  grid.runs[0].sum = 12;
  EXPECT_EQ(surplus(grid), 0);
  grid.runs[0].sum = 0;
  grid.runs[0].length = 0;
  EXPECT_EQ(surplus(grid), 0);
}

TEST(SolverGrid, CopiesCarryFlagMasksAndRuns) {
  const SolverGrid source = gridOf("1/4/3/l60.m.07l.4636");
  SolverGrid copy = cloneGrid(source);
  EXPECT_EQ(copy.runCount, source.runCount);
  copy.masks[6] = digits({1});
  copy.contradiction = 1;
  copy.runs[copy.runCount++] = vantreel::Run{5, 2, {1, 2}};
  copyGridState(copy, source);
  EXPECT_EQ(copy.runCount, source.runCount);
  EXPECT_EQ(copy.masks[6], kAllDigits);
  EXPECT_FALSE(copy.contradiction);
}

}  // namespace
}  // namespace vantreel
