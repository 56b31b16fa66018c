#include "format/strict_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "format/puzzle_line.h"
#include "tests/board_text.h"

namespace vantreel {
namespace {

using namespace std::string_literals;
using testing::boardOf;
using testing::lineOf;
using testing::sameBoard;

constexpr const char* kWorkedExample = "1/4/3/l60.m.07l.4636";

// The reason a line is refused, or "read" when it is not.
std::string reasonFor(std::string_view line) {
  Board board;
  std::string reason;
  return readStrict(line, board, reason) ? "read" : reason;
}

TEST(StrictReader, ReadsTheWorkedExampleAsTheLenientReaderDoes) {
  Board board;
  std::string reason;
  ASSERT_TRUE(readStrict(kWorkedExample, board, reason)) << reason;
  EXPECT_TRUE(sameBoard(board, boardOf(kWorkedExample)));
}

TEST(StrictReader, JudgesALinkAsALineWithoutItsLevel) {
  // Columns count from the start of the whole link.
  EXPECT_EQ(reasonFor("https://puzz.link/p?kakuro/4/3/l60.m.07l.463#"), "'#' at column 45 is not a sum");
  // A link carries no level: a puzzle line behind the marker reads one field off.
  EXPECT_EQ(reasonFor("https://puzz.link/p?kakuro/1/4/3/l60.m.07l.4636"), "'/' at column 33 is not a sum");
}

TEST(StrictReader, RefusesBadHeaders) {
  EXPECT_EQ(reasonFor(""), "bad header: no '/' after the level");
  EXPECT_EQ(reasonFor("1/4"), "bad header: no '/' after the column count");
  EXPECT_EQ(reasonFor("1/4/3"), "bad header: no '/' after the row count");
  EXPECT_EQ(reasonFor("x/4/3/l60.m.07l.4636"), "bad header: level 'x' is not a number from -128 to 127");
  EXPECT_EQ(reasonFor("128/4/3/l60.m.07l.4636"), "bad header: level '128' is not a number from -128 to 127");
  EXPECT_EQ(reasonFor(" 1/4/3/l60.m.07l.4636"), "bad header: level is not a number from -128 to 127");
  EXPECT_EQ(reasonFor("1/+4/3/l60.m.07l.4636"), "bad header: column count '+4' is not a number from 1 to 126");
  EXPECT_EQ(reasonFor("1/-4/3/l60.m.07l.4636"), "bad header: column count '-4' is not a number from 1 to 126");
  EXPECT_EQ(reasonFor("1/0/0/"), "bad header: column count '0' is not a number from 1 to 126");
  EXPECT_EQ(reasonFor("1/4/127/"), "bad header: row count '127' is not a number from 1 to 126");
  EXPECT_EQ(reasonFor("1/4/99999999999999999999/"), "bad header: row count is not a number from 1 to 126");
  EXPECT_EQ(reasonFor("?kakuro/4/"), "bad header: no '/' after the row count");
  EXPECT_EQ(reasonFor("-1289/4/3/l60.m.07l.4636"), "bad header: level '-1289' is not a number from -128 to 127");
  EXPECT_EQ(reasonFor("-128/4/3/l60.m.07l.4636"), "read");
}

TEST(StrictReader, RefusesALineEndingEarly) {
  EXPECT_EQ(reasonFor("1/4/3/"), "line ends inside the cells at r1c1");
  EXPECT_EQ(reasonFor("1/4/3/l60.m"), "line ends inside the cells at r2c4");
  EXPECT_EQ(reasonFor("1/4/3/l6"), "line ends inside the cells at r1c3");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l."), "line ends inside the clues: no down sum for r0c1");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.463"), "line ends inside the clues: no across sum for r2c0");
}

TEST(StrictReader, NamesTheByteOutsideTheFormat) {
  EXPECT_EQ(reasonFor("1/4/3/l60{m.07l.4636"), "'{' at column 10 is not a cell code");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.463\x80"), "byte 0x80 at column 20 is not a sum");
  EXPECT_EQ(reasonFor("1/4/3/l6..m.07l.4636"), "'.' at column 9 is not a sum");
  EXPECT_EQ(reasonFor("1/4/3/l6k.m.07l.4636"), "'k' at column 9 is not a sum");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.\n636"), "byte 0x0A at column 17 is not a sum");
  EXPECT_EQ(reasonFor("1/4/3/l60\0m.07l.4636"s), "byte 0x00 at column 10 is not a cell code");
  EXPECT_EQ(reasonFor("1/2/2/oghhg"), "white streak 'o' at column 7 runs past the last cell");
}

TEST(StrictReader, RefusesAnythingButBlanksAfterTheLastClue) {
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.4636\r"), "read");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.4636 \t "), "read");
  EXPECT_EQ(reasonFor("https://puzz.link/p?kakuro/4/3/l60.m.07l.4636\t"), "read");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.46365"), "'5' at column 21 follows the last clue");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.4636 x"), "'x' at column 22 follows the last clue");
  EXPECT_EQ(reasonFor("1/4/3/l60.m.07l.4636 \0"s), "byte 0x00 at column 22 follows the last clue");
  EXPECT_EQ(reasonFor("https://puzz.link/p?kakuro/4/3/l60.m.07l.4636junk"), "'j' at column 46 follows the last clue");
}

TEST(StrictReader, RefusesBoardsThatAreNoPuzzle) {
  EXPECT_EQ(reasonFor("1/2/2/n0hhg"), "r0c1 down: 2 white cells without a sum");
  EXPECT_EQ(reasonFor("1/4/3/l00.m.07l.4636"), "r1c3 down: 2 white cells without a sum");
  EXPECT_EQ(reasonFor("1/3/1/l05123"), "r1c3 across: sum 5 with no white cell to its right");
  EXPECT_EQ(reasonFor("1/2/2/53k.k3"), "r1c1 down: sum 5 with no white cell below it");
  EXPECT_EQ(reasonFor("1/10/1/t1234567891J"), "r1c0 across: 10 white cells in a row, more than nine");
  EXPECT_EQ(reasonFor("1/1/10/t1234567891J"), "r0c1 down: 10 white cells in a row, more than nine");
  EXPECT_EQ(reasonFor("1/3/2/....k."), "r2c2: white cell without a sum in either direction");
  // A single cell after a clue cell needs its sum as well: no digit makes 0.
  EXPECT_EQ(reasonFor("1/1/1/k03"), "r0c1 down: 1 white cell without a sum");
  EXPECT_EQ(reasonFor("1/3/1/k.k050"), "r0c1 down: 1 white cell without a sum");
  EXPECT_EQ(reasonFor("1/3/1/k00k353"), "r1c2 across: 1 white cell without a sum");
  // The first fault by the cell before its run, across first at one cell.
  EXPECT_EQ(reasonFor("1/2/2/nh00g"), "r0c2 down: 2 white cells without a sum");
  EXPECT_EQ(reasonFor("1/1/1/55"), "r1c1 across: sum 5 with no white cell to its right");
  // A one-cell run with its own sum is a proper clue, as is "00" on a clue
  // cell with no white cell after it, and a single cell after a plain block.
  EXPECT_EQ(reasonFor("1/3/1/k.k353"), "read");
  EXPECT_EQ(reasonFor("1/2/2/k00..33"), "read");
  EXPECT_EQ(reasonFor("1/2/3/.30.k.k"), "read");
}

// The obvious reading of the board checks, for comparison with the reader's
// sweeps: every cell before a run in reading order, across first, then every
// white cell.
std::string slowPuzzleFault(const Board& board) {
  const int width = board.width, height = board.height;
  auto white = [&](int row, int column) {
    return row < height && column < width && board.kinds[row * width + column] == CellKind::White;
  };
  auto sumAt = [&](int row, int column, bool across) { return board.sums[2 * (row * width + column) + !across]; };
  auto name = [](int row, int column) {
    std::string text = "r";
    text += std::to_string(row);
    text += 'c';
    return text += std::to_string(column);
  };
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      if (white(row, column)) continue;
      for (const bool across : {true, false}) {
        int length = 0;
        while (across ? white(row, column + length + 1) : white(row + length + 1, column)) ++length;
        const int sum = sumAt(row, column, across);
        const std::string where = name(row, column) + (across ? " across: " : " down: ");
        if (length == 0 && sum != 0)
          return where + "sum " + std::to_string(sum) + " with no white cell " + (across ? "to its right" : "below it");
        if (length > 9) return where + std::to_string(length) + " white cells in a row, more than nine";
        if (length >= 2 && sum == 0) return where + std::to_string(length) + " white cells without a sum";
        const bool clue = board.kinds[row * width + column] == CellKind::Clue;
        if (length == 1 && sum == 0 && clue) return where + "1 white cell without a sum";
      }
    }
  for (int row = 1; row < height; ++row)
    for (int column = 1; column < width; ++column) {
      if (!white(row, column)) continue;
      int left = column, up = row;
      while (white(row, left - 1)) --left;
      while (white(up - 1, column)) --up;
      if (sumAt(row, left - 1, true) == 0 && sumAt(up - 1, column, false) == 0)
        return name(row, column) + ": white cell without a sum in either direction";
    }
  return "read";
}

TEST(StrictReader, NamesTheSameFirstFaultAsTheObviousCheck) {
  std::mt19937 random(61);
  int faulty = 0;
  for (int i = 0; i < 3000; ++i) {
    Board board;
    board.allocate(2 + random() % 14, 2 + random() % 14);
    const int width = board.width, height = board.height;
    const unsigned whiteShare = 5 + random() % 5, sumShare = 90 + random() % 11;
    auto anySum = [&] { return static_cast<std::uint8_t>(random() % 100 < sumShare ? 1 + random() % 45 : 0); };
    for (int row = 1; row < height; ++row)
      for (int column = 1; column < width; ++column) {
        const int p = row * width + column;
        if (random() % 10 < whiteShare) {
          board.kinds[p] = CellKind::White;
        } else if (random() % 2) {
          board.kinds[p] = CellKind::Clue;
          board.sums[2 * p] = random() % 12 ? 0 : anySum();
          board.sums[2 * p + 1] = random() % 12 ? 0 : anySum();
        }
      }
    for (int row = 1; row < height; ++row)
      for (int column = 1; column < width; ++column) {
        // Sums mostly where runs start, so that some boards are puzzles.
        const int p = row * width + column;
        if (board.kinds[p] != CellKind::Clue) continue;
        if (column + 1 < width && board.kinds[p + 1] == CellKind::White) board.sums[2 * p] = anySum();
        if (row + 1 < height && board.kinds[p + width] == CellKind::White) board.sums[2 * p + 1] = anySum();
      }
    for (int column = 1; column < width; ++column)
      if (board.kinds[width + column] == CellKind::White) {
        board.kinds[column] = CellKind::Clue;
        board.sums[2 * column + 1] = anySum();
      }
    for (int row = 1; row < height; ++row)
      if (board.kinds[row * width + 1] == CellKind::White) {
        board.kinds[row * width] = CellKind::Clue;
        board.sums[2 * row * width] = anySum();
      }
    std::string line = lineOf(board);
    line.pop_back();
    const std::string expected = slowPuzzleFault(board);
    ASSERT_EQ(reasonFor(line), expected) << line;
    faulty += expected != "read";
  }
  // Both kinds of board come up often.
  EXPECT_GT(faulty, 300);
  EXPECT_LT(faulty, 2700);
}

TEST(StrictReader, SkipsBlankAndCommentLines) {
  for (const char* line : {"", " \t", "\r", "#", "# 1/4/3/l60.m.07l.4636"}) EXPECT_TRUE(isSkippedLine(line)) << line;
  for (const char* line : {kWorkedExample, " #", "x"}) EXPECT_FALSE(isSkippedLine(line)) << line;
}

}  // namespace
}  // namespace vantreel
