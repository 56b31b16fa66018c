#include <gtest/gtest.h>

#include <random>

#include "generator/block_pattern.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

using testing::drawLayout;
using testing::hasTakenSteps;
using testing::seedForDraws;

// A line of the pattern as text, '.' white and '#' block.
std::string lineOf(const BlockPattern& pattern, bool row, int index, int length) {
  std::string text;
  for (int i = 0; i < length; ++i)
    text += (row ? pattern.at(i, index) : pattern.at(index, i)) != 0 ? '.' : '#';
  return text;
}

struct Fixture {
  RandomSource random;
  BlockPattern pattern;
  Fixture(std::uint32_t seed, int width, int height, const std::vector<std::string>& rows = {})
      : random(seed) {
    pattern.allocate(random, width, height);
    drawLayout(pattern, rows);
  }
};

TEST(BlockPattern, RowSegmentsFollowTheirDrawsAndStopAtTheEdge) {
  // Block, three whites, block; two whites reaching past the bound, two blocks.
  Fixture square(seedForDraws({{0, 3}, {1, 4}, {5, 6}, {2, 3}, {0, 4}, {0, 6}}), 12, 12);
  drawRowSegments(square.pattern, 7, 7);
  EXPECT_EQ(lineOf(square.pattern, true, 1, 12), "##...#..####");
  for (std::uint32_t seed = 0; seed < 100; ++seed) {
    Fixture oblong(seed, 20, 16);
    drawRowSegments(oblong.pattern, 20, 9);
    for (int y = 0; y < 16; ++y) ASSERT_EQ(oblong.pattern.at(0, y), 0) << "seed " << seed;
  }
}

TEST(BlockPattern, OpensTallBlockStacksByTheirRules) {
  // Three blocks ending on the last source row open without a draw.
  const std::string open(11, '.');
  std::string stack = open;
  stack[0] = '#';
  Fixture lastRow(77, 12, 12, {open, open, open, stack, stack, stack});
  breakBlockStretches(lastRow.pattern, 7, 7);
  EXPECT_EQ(lineOf(lastRow.pattern, false, 1, 7), "#...##.");
  EXPECT_EQ(lastRow.pattern.at(2, 6), 0);  // its right neighbour closes
  EXPECT_TRUE(hasTakenSteps(lastRow.random, 77, 0));
  // Higher up, only a draw of 0 out of 4 opens them.
  for (const int draw : {0, 1}) {
    const std::uint32_t seed = seedForDraws({{draw, 4}});
    Fixture higher(seed, 12, 12, {open, stack, stack, stack, open, open});
    breakBlockStretches(higher.pattern, 7, 7);
    EXPECT_EQ(lineOf(higher.pattern, false, 1, 7), draw == 0 ? "#.##..." : "#.###..");
    EXPECT_TRUE(hasTakenSteps(higher.random, seed, 1));
  }
  // Eight blocks open whatever the draw, which is still taken.
  const std::uint32_t seed = seedForDraws({{2, 3}});
  Fixture eight(seed, 20, 16, std::vector<std::string>(15, std::string(19, '.')));
  for (int y = 1; y <= 8; ++y) eight.pattern.at(1, y) = 0;
  breakBlockStretches(eight.pattern, 20, 9);
  EXPECT_EQ(lineOf(eight.pattern, false, 1, 9), "####.####");
  EXPECT_TRUE(hasTakenSteps(eight.random, seed, 1));
}

TEST(BlockPattern, OpeningTheLastColumnWritesNothingOutsideItsRow) {
  Fixture board(5, 20, 16, std::vector<std::string>(15, std::string(19, '.')));
  for (int y = 1; y <= 8; ++y) board.pattern.at(19, y) = 0;
  // Mark the border cell after each row end: a write past the row shows.
  for (int y = 1; y < 16; ++y) board.pattern.at(0, y) = 7;
  breakBlockStretches(board.pattern, 20, 9);
  EXPECT_EQ(board.pattern.at(19, 4), 1);
  for (int y = 1; y < 16; ++y) EXPECT_EQ(board.pattern.at(0, y), 7) << "row " << y;
}

TEST(BlockPattern, RepairsGrowLoneCellsAndCutLongRuns) {
  Fixture lone(0, 12, 12, {".#..##", "#####."});
  EXPECT_TRUE(repairRows(lone.pattern, 7, 7));
  EXPECT_EQ(lineOf(lone.pattern, true, 1, 7), "#....##");
  EXPECT_EQ(lineOf(lone.pattern, true, 2, 7), "#####..");  // at the bound it grows left
  // Cutting at 3, 4 or 6 leaves equally few bad runs: the first wins.
  Fixture split(0, 12, 12, {"......"});
  EXPECT_TRUE(repairRows(split.pattern, 7, 7));
  EXPECT_EQ(lineOf(split.pattern, true, 1, 7), "#..#...");
  // Runs of five short of the bound: only column 1 cuts them.
  Fixture five(0, 12, 12, {".....#", "..", "..", "..", ".."});
  EXPECT_FALSE(repairRows(five.pattern, 7, 7));
  EXPECT_TRUE(repairColumns(five.pattern, 7, 7));
  EXPECT_NE(lineOf(five.pattern, false, 1, 7), "#.....#");
  EXPECT_EQ(lineOf(five.pattern, false, 2, 7), "#.....#");
}

// Row-then-column repair cycles a drawn 12 x 12 layout needs to settle.
int cyclesToSettle(BlockPattern& pattern) {
  if (!repairColumns(pattern, 7, 7)) return 0;
  for (int cycle = 1;; ++cycle) {
    if (!repairRows(pattern, 7, 7) && !repairColumns(pattern, 7, 7)) return cycle;
  }
}

TEST(BlockPattern, GivesUpALayoutStillChangingInTheSixthCycle) {
  for (const auto& [seed, cycles] : {std::pair{26u, 6}, {578u, 7}}) {
    Fixture counted(seed, 12, 12), repaired(seed, 12, 12);
    for (Fixture* drawn : {&counted, &repaired}) {
      drawRowSegments(drawn->pattern, 7, 7);
      breakBlockStretches(drawn->pattern, 7, 7);
    }
    ASSERT_EQ(cyclesToSettle(counted.pattern), cycles);
    EXPECT_EQ(repairRuns(repaired.pattern, 7, 7), cycles <= 6) << "seed " << seed;
  }
}

TEST(BlockPattern, RepairsOfAnAreaOneCellWideLeaveTheBorderAlone) {
  // A lone white cell at column 1 with the bound at 2 can grow neither way:
  // it closes instead of opening the border cell before it.
  Fixture board(0, 3, 3, {"..", ".."});
  EXPECT_TRUE(repairRuns(board.pattern, 2, 2));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(board.pattern.at(0, i) + board.pattern.at(i, 0), 0) << i;
  EXPECT_EQ(countBadRuns(board.pattern, 2, 2), 0);
}

TEST(BlockPattern, CountsBadRunsInsideTheSourceAreaOnly) {
  // Rows: a lone cell, and a run of 5 reaching the bound. Columns: lone
  // cells in 1, 2 and 6. The whites beyond column 6 count for nothing.
  Fixture board(0, 12, 12, {".#...#.....", "#.........."});
  EXPECT_EQ(countBadRuns(board.pattern, 7, 7), 2 + 3);
}

// The plain definition: walk every line of the source area run by run.
int badRunsByWalking(const BlockPattern& pattern, int columnBound, int rowBound) {
  int bad = 0;
  const auto walk = [&](int bound, auto white) {
    for (int start = 1; start < bound;) {
      int end = start;
      while (end < bound && white(end)) ++end;
      const int length = end - start;
      if (length == 1 || length > 9 || (length > 4 && end == bound)) ++bad;
      start = end + 1;
    }
  };
  for (int y = 1; y < rowBound; ++y) walk(columnBound, [&](int x) { return pattern.at(x, y) != 0; });
  for (int x = 1; x < columnBound; ++x) walk(rowBound, [&](int y) { return pattern.at(x, y) != 0; });
  return bad;
}

TEST(BlockPattern, BadRunCountMatchesAWalkOverTheRuns) {
  std::mt19937 draw(17);
  RandomSource random(0);
  BlockPattern pattern;
  pattern.allocate(random, kMaxPatternSide, kMaxPatternSide);
  for (int trial = 0; trial < 3000; ++trial) {
    const int columnBound = 2 + static_cast<int>(draw() % (kMaxPatternSide - 1));
    const int rowBound = 2 + static_cast<int>(draw() % (kMaxPatternSide - 1));
    // Mostly white, so that long runs and runs reaching the bound are common.
    const unsigned blockPercent = 3 + draw() % 30;
    for (int p = 0; p < kMaxPatternSide * kMaxPatternSide; ++p) pattern.cells[p] = draw() % 100 >= blockPercent;
    for (int i = 0; i < kMaxPatternSide; ++i) pattern.at(0, i) = pattern.at(i, 0) = 0;
    ASSERT_EQ(countBadRuns(pattern, columnBound, rowBound), badRunsByWalking(pattern, columnBound, rowBound))
        << columnBound << " x " << rowBound;
  }
}

TEST(BlockPattern, SymmetryCopiesSourceCellsToTheirImages) {
  Fixture square(0, 12, 12, {".."});
  square.pattern.at(1, 1) = 0;
  completeSymmetry(square.pattern, 7, 7);
  for (const auto& [x, y] : {std::pair{10, 11}, {1, 10}, {11, 2}}) EXPECT_EQ(square.pattern.at(x, y), 1);
  EXPECT_EQ(square.pattern.at(11, 11), 0);
  Fixture oblong(0, 20, 16, {"", "##."});
  completeSymmetry(oblong.pattern, 20, 9);
  EXPECT_EQ(std::count(oblong.pattern.cells.get(), oblong.pattern.cells.get() + 320, 1), 2);
  EXPECT_EQ(oblong.pattern.at(17, 14), 1);
}

TEST(BlockPattern, ValidityNeedsLegalRunsAndOneGroupOfWhiteCells) {
  Fixture board(0, 6, 6, {"..#..", ".....", ".....", ".....", "..#.."});
  EXPECT_TRUE(isValidPattern(board.pattern));
  EXPECT_EQ(std::count(board.pattern.cells.get(), board.pattern.cells.get() + 36, 1), 0);
  drawLayout(board.pattern, {"..#..", "..#..", "#####", "..#..", "..#.."});
  EXPECT_FALSE(isValidPattern(board.pattern));  // four groups
  drawLayout(board.pattern, {"..#..", ".....", "#.###", ".....", "..#.."});
  EXPECT_FALSE(isValidPattern(board.pattern));  // a lone cell
  Fixture wide(0, 12, 4, {"..........", "..........", ".........."});
  EXPECT_FALSE(isValidPattern(wide.pattern));  // runs of ten
}

TEST(BlockPattern, GeneratedLayoutsAreSymmetricAndLegal) {
  for (const auto& [width, height] : {std::pair{12, 12}, {16, 16}, {20, 16}, {24, 18}}) {
    Fixture board(2026, width, height);
    int accepted = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
      if (!generate(board.pattern)) continue;
      ++accepted;
      for (const bool rows : {true, false}) {
        for (int line = 1; line < (rows ? height : width); ++line) {
          std::string text = lineOf(board.pattern, rows, line, rows ? width : height) + "#";
          for (std::size_t end = 0, start = 0; (end = text.find('#', start)) != std::string::npos;
               start = end + 1)
            ASSERT_TRUE(end - start == 0 || (end - start >= 2 && end - start <= 9)) << text;
        }
      }
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const int value = board.pattern.at(x, y);
          ASSERT_NE(value, 1);
          if (x == 0 || y == 0) {
            ASSERT_EQ(value, 0);
          } else {
            ASSERT_EQ(value, board.pattern.at(width - x, height - y));
            if (width == height) {
              ASSERT_EQ(value, board.pattern.at(y, height - x));
            }
          }
        }
      }
    }
    EXPECT_GT(accepted, 0) << width << "x" << height;
  }
}

}  // namespace
}  // namespace vantreel
