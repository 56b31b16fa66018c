#include <gtest/gtest.h>
#include <omp.h>

#include <atomic>
#include <fstream>
#include <string>

#include "generator/batch.h"
#include "generator/puzzle_pipeline.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"
#include "tests/clue_check.h"

namespace vantreel {
namespace {

// Solves the board from its clues alone; true when the solve finished and
// its digits keep every clue.
bool solvesToItsClues(const Board& board) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  SearchBudget budget;
  return solveWithTrials(grid, stats, budget) && testing::keepsEveryClue(board, testing::fillingOf(grid));
}

TEST(Batch, FirstPuzzlesOfASeededNonSquareBatchMatchTheGolden) {
  // A one-thread batch makes its puzzles in order from the one source, so
  // the first two are the first two lines of the seed-77 size-3 file.
  std::ifstream golden(std::string(VANTREEL_TEST_DATA) + "/generated_19x15.txt");
  RandomSource random(77);
  const BoardSize size = boardSizeFor(3);
  for (int index = 0; index < 2; ++index) {
    std::string expected;
    ASSERT_TRUE(std::getline(golden, expected));
    Board board;
    makePuzzle(random, size.width, size.height, board);
    EXPECT_EQ(testing::lineOf(board), expected + "\n") << "puzzle " << index;
  }
}

TEST(Batch, TwoThreadsMakePuzzlesThatKeepEveryClue) {
  const int threads = omp_get_max_threads();
  omp_set_num_threads(2);
  std::atomic<int> finishedCount = 0;
  const std::vector<Board> boards = makeBatch(1, 2026, [&](int) { ++finishedCount; });
  omp_set_num_threads(threads);
  EXPECT_EQ(finishedCount, kBatchPuzzleCount);
  ASSERT_EQ(boards.size(), static_cast<std::size_t>(kBatchPuzzleCount));
  for (std::size_t i = 0; i < boards.size(); ++i) {
    EXPECT_EQ(boards[i].width, 12) << i;
    EXPECT_GE(boards[i].level, 1) << i;
    EXPECT_LE(boards[i].level, 5) << i;
    EXPECT_TRUE(solvesToItsClues(boards[i])) << i << ": " << testing::lineOf(boards[i]);
  }
}

}  // namespace
}  // namespace vantreel
