#include <gtest/gtest.h>

#include "generator/generator_context.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

TEST(RunExtraction, ListsClueCellsInReadingOrderAcrossBeforeDown) {
  // Width 11: a nine-cell run over an eight-cell run; below the border,
  // column 1 has a single cell and columns 2..9 two cells.
  RandomSource random(0);
  GeneratorContext context;
  testing::loadLayout(context, random, {".........#", "#........#", "##########"});
  ASSERT_EQ(context.clueCellCount, 11);
  ASSERT_EQ(context.work.runCount, 10);
  const auto expectClue = [&](int i, int across, int down, int position, int acrossRun, int downRun) {
    const ClueCell& clue = context.clueCells[i];
    EXPECT_EQ(clue.acrossLength, across) << i;
    EXPECT_EQ(clue.downLength, down) << i;
    EXPECT_EQ(clue.position, position) << i;
    EXPECT_EQ(clue.acrossRun, acrossRun) << i;
    EXPECT_EQ(clue.downRun, downRun) << i;
  };
  expectClue(0, 0, 1, 1, -1, -1);
  for (int column = 2; column <= 9; ++column) expectClue(column - 1, 0, 2, column, -1, column - 2);
  expectClue(9, 9, 0, 11, 8, -1);
  expectClue(10, 8, 0, 23, 9, -1);

  const vantreel::Run& nine = context.work.runs[8];
  EXPECT_EQ(nine.sum, 45);  // nine cells hold every digit
  EXPECT_EQ(nine.length, 9);
  EXPECT_EQ(nine.cells[8], 20);
  EXPECT_EQ(context.work.runs[9].sum, 0);
  EXPECT_EQ(context.work.runs[0].cells[1], 24);
  for (int p = 0; p < 44; ++p)
    EXPECT_EQ(context.work.masks[p], context.pattern.cells[p] ? kAllDigits : kBlockMask) << p;
}

}  // namespace
}  // namespace vantreel
