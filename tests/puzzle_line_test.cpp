#include <gtest/gtest.h>

#include <random>
#include <string>

#include "format/puzzle_line.h"
#include "tests/board_text.h"

namespace vantreel {
namespace {

using testing::lineOf;
using testing::sameBoard;

constexpr const char* kWorkedExample = "1/4/3/l60.m.07l.4636\n";

CellKind kindAt(const Board& board, int row, int column) { return board.kinds[row * board.width + column]; }
int acrossAt(const Board& board, int row, int column) { return board.sums[2 * (row * board.width + column)]; }
int downAt(const Board& board, int row, int column) { return board.sums[2 * (row * board.width + column) + 1]; }

TEST(LineReader, ReadsTheWorkedExample) {
  Board board;
  ASSERT_TRUE(parseBoard(board, kWorkedExample));
  EXPECT_EQ(board.width, 5);
  EXPECT_EQ(board.height, 4);
  EXPECT_EQ(board.level, 1);
  EXPECT_EQ(kindAt(board, 1, 1), CellKind::White);
  EXPECT_EQ(kindAt(board, 1, 3), CellKind::Clue);
  EXPECT_EQ(downAt(board, 1, 3), 6);
  EXPECT_EQ(kindAt(board, 1, 4), CellKind::Block);
  EXPECT_EQ(kindAt(board, 3, 1), CellKind::Clue);
  EXPECT_EQ(acrossAt(board, 3, 1), 7);
  EXPECT_EQ(downAt(board, 0, 1), 4);
  EXPECT_EQ(downAt(board, 0, 2), 6);
  EXPECT_EQ(kindAt(board, 0, 3), CellKind::Block);
  EXPECT_EQ(acrossAt(board, 1, 0), 3);
  EXPECT_EQ(acrossAt(board, 2, 0), 6);
  EXPECT_EQ(kindAt(board, 3, 0), CellKind::Block);
  EXPECT_EQ(kindAt(board, 0, 0), CellKind::Block);
  EXPECT_EQ(lineOf(board), kWorkedExample);
}

TEST(LineReader, StreakRunsOverTheRowEnd) {
  Board board;
  ASSERT_TRUE(parseBoard(board, "1/2/2/nghhg"));
  for (int p : {4, 5, 7, 8}) EXPECT_EQ(board.kinds[p], CellKind::White);
  EXPECT_EQ(downAt(board, 0, 1), 16);
  EXPECT_EQ(downAt(board, 0, 2), 17);
  EXPECT_EQ(acrossAt(board, 1, 0), 17);
  EXPECT_EQ(acrossAt(board, 2, 0), 16);
  EXPECT_EQ(lineOf(board), "1/2/2/nghhg\n");
}

TEST(LineReader, AcceptsOddButHarmlessText) {
  Board board;
  ASSERT_TRUE(parseBoard(board, "1/0/0/"));
  EXPECT_EQ(board.width, 1);
  EXPECT_EQ(board.kinds[0], CellKind::Block);

  Board crlf;
  ASSERT_TRUE(parseBoard(crlf, "1/4/3/l60.m.07l.4636\r\n"));
  Board lf;
  ASSERT_TRUE(parseBoard(lf, kWorkedExample));
  EXPECT_TRUE(sameBoard(crlf, lf));

  // A character outside the alphabet reads as sum 0.
  ASSERT_TRUE(parseBoard(board, "1/2/2/nghh#"));
  EXPECT_EQ(acrossAt(board, 2, 0), 0);
  // A streak reaching past the last cell is cut off.
  ASSERT_TRUE(parseBoard(board, "1/2/2/zghhg"));
  EXPECT_EQ(board.kinds[8], CellKind::White);
  // Header fields are read as atoi reads them.
  ASSERT_TRUE(parseBoard(board, " -3x/ 2/+2/nghhg"));
  EXPECT_EQ(board.level, -3);
}

TEST(LineReader, CountsTheBytesItReadUpToTheLastClue) {
  Board board;
  std::size_t used = 0;
  ASSERT_TRUE(parseBoard(board, "1/4/3/l60.m.07l.4636junk\r\n", &used));
  EXPECT_EQ(used, 20u);
  ASSERT_TRUE(parseLineOrLink(board, "https://puzz.link/p?kakuro/4/3/l60.m.07l.4636 x", &used));
  EXPECT_EQ(used, 45u);
  // A line end read as the last sum (the lenient reader allows it) is counted too.
  ASSERT_TRUE(parseBoard(board, "1/4/3/l60.m.07l.463\n", &used));
  EXPECT_EQ(used, 20u);
}

TEST(LineReader, RejectsMalformedText) {
  for (const char* line : {"", "\n", "1/2", "1/2/2", "1/2/2/", "1/2/2/ngh", "1/2/2/nghh{", "1/2/2/nghh\x80",
                           "1/2/2/n\xffhhg", "1/-1/2/", "1/127/2/", "1/2/127/", "1/0/2/", "1/2/0/",
                           "1/99999999999999999999/2/"}) {
    Board board;
    EXPECT_FALSE(parseBoard(board, line)) << line;
  }
}

TEST(LineReader, BadHeaderKeepsTheOldBoard) {
  Board board;
  ASSERT_TRUE(parseBoard(board, kWorkedExample));
  const CellKind* kinds = board.kinds.get();
  EXPECT_FALSE(parseBoard(board, "1/2"));
  EXPECT_FALSE(parseBoard(board, "1/200/3/"));
  EXPECT_EQ(board.kinds.get(), kinds);
  EXPECT_EQ(board.width, 5);
}

TEST(LineWriter, WritesLongStreaksWithRepeatedZ) {
  for (int interior : {17, 32, 33, 48, 100}) {
    Board board;
    board.allocate(interior + 1, 2);
    for (int column = 1; column <= interior; ++column) board.kinds[board.width + column] = CellKind::White;
    for (int column = 1; column <= interior; ++column) board.kinds[column] = CellKind::Clue;
    board.kinds[board.width] = CellKind::Clue;
    const std::string line = lineOf(board);
    if (interior == 17) {
      EXPECT_EQ(line.substr(0, 9), "0/17/1/zk");
    }
    if (interior == 32) {
      EXPECT_EQ(line.substr(0, 9), "0/32/1/zz");
    }
    if (interior == 33) {
      EXPECT_EQ(line.substr(0, 10), "0/33/1/zzk");
    }
    Board read;
    ASSERT_TRUE(parseBoard(read, line.c_str())) << line;
    EXPECT_TRUE(sameBoard(board, read)) << line;
  }
}

// Random well-formed boards: interior kinds at random, border clues wherever
// a white cell follows, every sum at random.
Board randomBoard(std::mt19937& random) {
  const int columns = std::uniform_int_distribution<int>(1, kMaxInterior)(random);
  const int rows = std::uniform_int_distribution<int>(1, kMaxInterior)(random);
  Board board;
  board.allocate(columns + 1, rows + 1);
  board.level = static_cast<std::int8_t>(random() % 256);
  const int width = board.width;
  const int whiteShare = std::uniform_int_distribution<int>(0, 10)(random);
  auto anySum = [&] { return static_cast<std::uint8_t>(random() % 46); };
  for (int row = 1; row <= rows; ++row)
    for (int column = 1; column <= columns; ++column) {
      const int p = row * width + column, draw = random() % 10;
      if (draw < whiteShare) board.kinds[p] = CellKind::White;
      else if (draw % 2) board.kinds[p] = CellKind::Block;
      else {
        board.kinds[p] = CellKind::Clue;
        board.sums[2 * p] = anySum();
        board.sums[2 * p + 1] = anySum();
      }
    }
  for (int column = 1; column <= columns; ++column)
    if (board.kinds[width + column] == CellKind::White) {
      board.kinds[column] = CellKind::Clue;
      board.sums[2 * column + 1] = anySum();
    }
  for (int row = 1; row <= rows; ++row)
    if (board.kinds[row * width + 1] == CellKind::White) {
      board.kinds[row * width] = CellKind::Clue;
      board.sums[2 * row * width] = anySum();
    }
  return board;
}

TEST(LineWriter, RandomBoardsRoundTrip) {
  std::mt19937 random(20261207);
  for (int i = 0; i < 300; ++i) {
    const Board board = randomBoard(random);
    const std::string line = lineOf(board);
    Board read;
    ASSERT_TRUE(parseBoard(read, line.c_str())) << line;
    ASSERT_TRUE(sameBoard(board, read)) << line;
    EXPECT_EQ(lineOf(read), line);
  }
}

}  // namespace
}  // namespace vantreel
