#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "format/puzzle_line.h"
#include "generator/grading.h"
#include "tests/board_text.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

using testing::digitMask;

// Scores worked out by hand from the published formula, for counters that
// d prints for real puzzles (levels 3, 4, 3 and 1) and a made-up one that
// weighs every term.
TEST(Grading, ScoresAndLevelsOfKnownCounters) {
  const struct {
    SolveStats stats;
    double score;
    int level;
  } cases[] = {
      {{345, 0, 0, 0, 0, 144}, 816.91025, 3},  {{376, 0, 0, 0, 0, 144}, 1039.9733333333, 4},
      {{320, 0, 0, 0, 0, 144}, 637.0206666667, 3}, {{12, 0, 0, 0, 0, 9}, -588.574, 1},
      {{1200, 3, 40, 7, 9, 432}, 2718.3313333333 + 3 * 11.604, 5},
  };
  for (const auto& known : cases) {
    EXPECT_NEAR(gradeScore(known.stats), known.score, 1e-6) << known.stats.runChanges;
    EXPECT_EQ(levelOf(known.stats), known.level) << known.stats.runChanges;
  }
}

TEST(Grading, GoldenBatchLevelsAreTheOnesTheirSolveEarns) {
  // Seeded batches of levels 1..5, graded when they were made: any change to
  // the weights or to what the solver counts moves some of them.
  for (const char* name : {"generated_11x11.txt", "generated_15x15.txt", "generated_19x15.txt", "generated_23x17.txt"}) {
    std::ifstream in(std::string(VANTREEL_TEST_DATA) + "/" + name);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
      ++lineNumber;
      const Board board = testing::boardOf(line);
      SolverGrid grid = buildSolverGrid(board);
      SolveStats stats;
      stats.cellCount = grid.cellCount();
      SearchBudget budget;
      ASSERT_TRUE(solveWithTrials(grid, stats, budget)) << name << ":" << lineNumber;
      EXPECT_EQ(levelFor(gradeScore(stats)), board.level) << name << ":" << lineNumber;
    }
    EXPECT_EQ(lineNumber, 30) << name;
  }
  // A score on a threshold starts the next level.
  EXPECT_EQ(levelFor(299.999), 1);
  EXPECT_EQ(levelFor(300.0), 2);
  EXPECT_EQ(levelFor(1000.0), 4);
  EXPECT_EQ(levelFor(1800.0), 5);
}

// The 2 x 2 board with digits a b over c d, as the clue stages leave it.
struct SolvedSquare {
  RandomSource random{0};
  GeneratorContext context;
  Board board;
  SolvedSquare(int a, int b, int c, int d) {
    testing::loadLayout(context, random, {"..", ".."});
    context.work.masks[4] = digitMask(a);
    context.work.masks[5] = digitMask(b);
    context.work.masks[7] = digitMask(c);
    context.work.masks[8] = digitMask(d);
    board.allocate(3, 3);
  }
};

TEST(Grading, TurnsTheSolvedGridIntoItsPuzzleGradedByItsSolve) {
  SolvedSquare square(9, 8, 7, 9);
  ASSERT_TRUE(gradePuzzle(square.context, square.board));
  const std::string line = testing::lineOf(square.board);
  EXPECT_EQ(line.substr(line.find('/')), "/2/2/nghhg\n");
  EXPECT_EQ(square.board.kinds[1], CellKind::Clue);  // no across run: across 0
  EXPECT_EQ(square.board.sums[2], 0);
  EXPECT_EQ(square.board.kinds[0], CellKind::Block);

  Board reread;
  ASSERT_TRUE(parseBoard(reread, line.c_str()));
  SolverGrid grid = buildSolverGrid(reread);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  SearchBudget budget;
  ASSERT_TRUE(solveWithTrials(grid, stats, budget));
  EXPECT_EQ(stats.runChanges, 12);  // d prints 12,0,0,0,0,9 for this line
  EXPECT_EQ(square.board.level, 1);
}

TEST(Grading, RejectsAPuzzleWithTwoSolutionsAndKeepsTheLevel) {
  SolvedSquare square(1, 2, 2, 1);  // 2 1 over 1 2 fits the same clues
  square.board.level = 4;
  EXPECT_FALSE(gradePuzzle(square.context, square.board));
  EXPECT_EQ(square.board.level, 4);
}

}  // namespace
}  // namespace vantreel
