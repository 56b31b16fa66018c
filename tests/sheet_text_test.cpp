#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "picture/sheet_text.h"
#include "tests/random_puzzles.h"

namespace vantreel {
namespace {

// A random puzzle with its digits as the answer, the way print hands them over.
SheetPuzzle randomSheetPuzzle(std::mt19937& random, int columns, int rows) {
  for (;;) {
    testing::Layout layout{columns, rows, std::vector<char>(columns * rows, 1)};
    if (!testing::makeLayout(layout, random, 25)) continue;
    std::vector<int> digits(columns * rows, 0);
    long budget = 200000;
    if (!testing::fillDigits(layout, digits, 0, random, budget)) continue;
    SheetPuzzle puzzle;
    puzzle.board = testing::makeBoard(layout, digits, 3);
    puzzle.number = 7;
    puzzle.answer.assign(puzzle.board.cellCount(), 0);
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column)
        puzzle.answer[(row + 1) * puzzle.board.width + column + 1] =
            static_cast<std::uint8_t>(digits[row * columns + column]);
    return puzzle;
  }
}

// Splits a grid row at its frame and cell sides; the first and last pieces are empty.
std::vector<std::string> cellsOf(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  for (std::size_t i = 0; i < line.size();) {
    if (line.compare(i, 3, "\u2502") == 0 || line.compare(i, 3, "\u2503") == 0) {
      cells.push_back(cell);
      cell.clear();
      i += 3;
    } else {
      cell += line[i++];
    }
  }
  return std::vector<std::string>(cells.begin() + 1, cells.end());
}

int codePoints(const std::string& text) {
  int count = 0;
  for (const unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

// Reads the drawing back, cell by cell, and compares with the board and answer:
// an independent reader of what a person sees.
void expectDrawingShows(const SheetPuzzle& puzzle, bool withAnswer) {
  const Board& board = puzzle.board;
  std::istringstream text(drawSheetText(puzzle, withAnswer));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(2 * board.height + 3));
  EXPECT_EQ(lines[0], withAnswer ? answerCaption(puzzle) : sheetCaption(puzzle));
  EXPECT_EQ(lines.back(), "");
  const int width = codePoints(lines[1]);
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_EQ(codePoints(lines[i]), width) << "line " << i;
  for (int row = 0; row < board.height; ++row) {
    const std::vector<std::string> cells = cellsOf(lines[2 + 2 * row]);
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(board.width)) << "row " << row;
    for (int column = 0; column < board.width; ++column) {
      const int p = row * board.width + column;
      const std::string& cell = cells[column];
      switch (board.kinds[p]) {
        case CellKind::Block:
          EXPECT_EQ(cell, "\u2588\u2588\u2588\u2588\u2588");
          break;
        case CellKind::Clue: {
          const std::size_t slash = cell.find('\\');
          ASSERT_NE(slash, std::string::npos) << cell;
          auto sumOf = [](const std::string& part) {
            return part.find_first_not_of(' ') == std::string::npos ? 0 : std::stoi(part);
          };
          EXPECT_EQ(sumOf(cell.substr(0, slash)), board.sums[2 * p + 1]) << "down at " << row << "," << column;
          EXPECT_EQ(sumOf(cell.substr(slash + 1)), board.sums[2 * p]) << "across at " << row << "," << column;
          break;
        }
        case CellKind::White: {
          const std::string expected = withAnswer ? "  " + std::to_string(puzzle.answer[p]) + "  " : "     ";
          EXPECT_EQ(cell, expected) << "at " << row << "," << column;
          break;
        }
      }
    }
  }
}

TEST(SheetText, ReadsBackAsTheBoardAndItsAnswer) {
  std::mt19937 random(1207);
  for (int trial = 0; trial < 40; ++trial) {
    const SheetPuzzle puzzle = randomSheetPuzzle(random, 2 + trial % 11, 2 + trial % 7);
    expectDrawingShows(puzzle, false);
    expectDrawingShows(puzzle, true);
  }
}

TEST(SheetText, CaptionNamesNumberSizeAndRatingNeverTheHeaderLevel) {
  std::mt19937 random(5);
  SheetPuzzle puzzle = randomSheetPuzzle(random, 9, 7);
  puzzle.number = 12;
  puzzle.rating = 10;
  puzzle.ratingName = "master";
  for (const int level : {3, -5, 0}) {
    puzzle.board.level = level;
    EXPECT_EQ(sheetCaption(puzzle), "Puzzle 12 \u00B7 9\u00D77 \u00B7 rating 10 (master) \u00B7 unique");
  }
  EXPECT_EQ(answerCaption(puzzle), "Answer to puzzle 12");
  puzzle.rating = 0;
  EXPECT_EQ(sheetCaption(puzzle), "Puzzle 12 \u00B7 9\u00D77 \u00B7 unique");
}

}  // namespace
}  // namespace vantreel
