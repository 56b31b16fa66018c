#pragma once
// One puzzle as it goes on paper, and the words printed above it.
#include <cstdint>
#include <string>
#include <vector>

#include "format/board.h"

namespace vantreel {

struct SheetPuzzle {
  Board board;
  std::vector<std::uint8_t> answer;  // digit 1..9 per white cell, row-major like the board
  int number = 0;                    // its place among the puzzles of the file, from 1
  int rating = 0;                    // 1..10 worked out from the clues; 0: none shown
  std::string ratingName;            // "medium"
};

// "Puzzle 3 · 11×11 · rating 4 (medium) · unique": interior columns × rows; no
// rating part for a puzzle without one. The header's level is never shown:
// it is the maker's figure, unchecked.
std::string sheetCaption(const SheetPuzzle& puzzle);
// "Answer to puzzle 3".
std::string answerCaption(const SheetPuzzle& puzzle);

// Interior columns and rows, border excluded.
inline int interiorColumns(const Board& board) { return board.width - 1; }
inline int interiorRows(const Board& board) { return board.height - 1; }

}  // namespace vantreel
