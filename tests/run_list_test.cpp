#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "format/run_list.h"
#include "tests/board_text.h"

namespace vantreel {
namespace {

using testing::boardOf;

TEST(RunList, ListsClueCellsInReadingOrderAcrossBeforeDown) {
  // Worked example: clues at r0c1 r0c2 r1c0 r1c3 r2c0 r3c1.
  const std::vector<RunSpan> runs = listRuns(boardOf("1/4/3/l60.m.07l.4636"));
  const int expected[][4] = {{1, 0, 2, 4}, {2, 0, 3, 6}, {5, 1, 2, 3}, {8, 0, 2, 6}, {10, 1, 3, 6}, {16, 1, 2, 7}};
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].clue, expected[i][0]) << i;
    EXPECT_EQ(runs[i].across, expected[i][1] == 1) << i;
    EXPECT_EQ(runs[i].length, expected[i][2]) << i;
    EXPECT_EQ(runs[i].sum, expected[i][3]) << i;
    EXPECT_EQ(runs[i].cell(runs[i].length - 1), runs[i].clue + runs[i].length * runs[i].step) << i;
  }
}

TEST(RunList, SaysWhatEveryLengthAndSumMeans) {
  for (int sum = 0; sum <= 45; ++sum) {
    EXPECT_EQ(meaningOf(1, sum), sum >= 1 && sum <= 9 ? RunMeaning::Digit : RunMeaning::NoDigit) << sum;
    for (int length = 2; length <= 9; ++length) EXPECT_EQ(meaningOf(length, sum), RunMeaning::Sum);
    EXPECT_EQ(meaningOf(10, sum), RunMeaning::TooLong);
    EXPECT_EQ(meaningOf(126, sum), RunMeaning::TooLong);
  }
}

// Every maximal line of white cells after a clue cell, found cell by cell
// with row and column arithmetic instead of the storage-order scan.
TEST(RunList, FindsTheSameRunsAsARowAndColumnWalkOnRandomBoards) {
  std::mt19937 random(3);
  for (int trial = 0; trial < 500; ++trial) {
    Board board;
    board.allocate(2 + random() % 14, 2 + random() % 14);
    const int width = board.width, height = board.height;
    for (int p = 0; p < board.cellCount(); ++p) {
      const unsigned draw = random() % 10;
      board.kinds[p] = draw < 6 ? CellKind::White : draw < 8 ? CellKind::Clue : CellKind::Block;
      if (p < width || p % width == 0) board.kinds[p] = random() % 2 ? CellKind::Clue : CellKind::Block;
      board.sums[2 * p] = static_cast<std::uint8_t>(random() % 46);
      board.sums[2 * p + 1] = static_cast<std::uint8_t>(random() % 46);
    }
    std::vector<RunSpan> walked;
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column) {
        const int p = row * width + column;
        if (board.kinds[p] != CellKind::Clue) continue;
        for (const bool across : {true, false}) {
          int length = 0;
          while (across ? column + length + 1 < width && board.kinds[p + length + 1] == CellKind::White
                        : row + length + 1 < height && board.kinds[p + (length + 1) * width] == CellKind::White)
            ++length;
          if (length > 0) walked.push_back(RunSpan{p, p + (across ? 1 : width), across ? 1 : width, length,
                                                   board.sums[2 * p + (across ? 0 : 1)], across, RunMeaning::Sum});
        }
      }
    const std::vector<RunSpan> listed = listRuns(board);
    ASSERT_EQ(listed.size(), walked.size()) << trial;
    for (std::size_t i = 0; i < listed.size(); ++i) {
      EXPECT_EQ(listed[i].clue, walked[i].clue);
      EXPECT_EQ(listed[i].across, walked[i].across);
      EXPECT_EQ(listed[i].length, walked[i].length);
      EXPECT_EQ(listed[i].sum, walked[i].sum);
      EXPECT_EQ(listed[i].meaning, meaningOf(walked[i].length, walked[i].sum));
    }
  }
}

}  // namespace
}  // namespace vantreel
