#pragma once
// A puzzle drawn for a terminal: UTF-8 box-drawing characters, one clue cell
// as "down\across", white cells blank or holding the answer's digits.
#include <string>

#include "picture/sheet_puzzle.h"

namespace vantreel {

// The caption line, the grid, then one empty line.
std::string drawSheetText(const SheetPuzzle& puzzle, bool withAnswer);

}  // namespace vantreel
