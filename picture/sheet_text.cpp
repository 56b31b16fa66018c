#include "picture/sheet_text.h"

#include <cstdio>

namespace vantreel {
namespace {

// Five columns a cell: room for "45\45", the widest clue.
constexpr int kCellColumns = 5;

// Heavy lines frame the board, light lines part its cells; the joints where
// a light line meets the heavy frame have characters of their own.
struct RuleGlyphs {
  const char* left;
  const char* fill;
  const char* joint;
  const char* right;
};
constexpr RuleGlyphs kTopRule{"\u250F", "\u2501", "\u252F", "\u2513"};
constexpr RuleGlyphs kInnerRule{"\u2520", "\u2500", "\u253C", "\u2528"};
constexpr RuleGlyphs kBottomRule{"\u2517", "\u2501", "\u2537", "\u251B"};
constexpr const char* kFrameSide = "\u2503";
constexpr const char* kCellSide = "\u2502";
constexpr const char* kBlockFill = "\u2588";

void appendRule(std::string& text, int width, const RuleGlyphs& glyphs) {
  text += glyphs.left;
  for (int column = 0; column < width; ++column) {
    if (column > 0) text += glyphs.joint;
    for (int k = 0; k < kCellColumns; ++k) text += glyphs.fill;
  }
  text += glyphs.right;
  text += '\n';
}

void appendCell(std::string& text, const SheetPuzzle& puzzle, int p, bool withAnswer) {
  const Board& board = puzzle.board;
  char cell[16];
  switch (board.kinds[p]) {
    case CellKind::Block:
      for (int k = 0; k < kCellColumns; ++k) text += kBlockFill;
      return;
    case CellKind::Clue: {
      // Down sum left of the slash, across sum right of it, as on paper.
      char down[4] = "", across[4] = "";
      if (board.sums[2 * p + 1] != 0) std::snprintf(down, sizeof down, "%d", board.sums[2 * p + 1]);
      if (board.sums[2 * p] != 0) std::snprintf(across, sizeof across, "%d", board.sums[2 * p]);
      std::snprintf(cell, sizeof cell, "%2s\\%-2s", down, across);
      break;
    }
    case CellKind::White: {
      const int digit = withAnswer && static_cast<std::size_t>(p) < puzzle.answer.size() ? puzzle.answer[p] : 0;
      if (digit != 0) std::snprintf(cell, sizeof cell, "  %d  ", digit);
      else std::snprintf(cell, sizeof cell, "     ");
      break;
    }
  }
  text += cell;
}

}  // namespace

std::string sheetCaption(const SheetPuzzle& puzzle) {
  char rating[48] = "";
  if (puzzle.rating != 0)
    std::snprintf(rating, sizeof rating, " \u00B7 rating %d (%.12s)", puzzle.rating, puzzle.ratingName.c_str());
  char caption[112];
  std::snprintf(caption, sizeof caption, "Puzzle %d \u00B7 %d\u00D7%d%s \u00B7 unique", puzzle.number,
                interiorColumns(puzzle.board), interiorRows(puzzle.board), rating);
  return caption;
}

std::string answerCaption(const SheetPuzzle& puzzle) { return "Answer to puzzle " + std::to_string(puzzle.number); }

std::string drawSheetText(const SheetPuzzle& puzzle, bool withAnswer) {
  const Board& board = puzzle.board;
  std::string text = withAnswer ? answerCaption(puzzle) : sheetCaption(puzzle);
  text += '\n';
  appendRule(text, board.width, kTopRule);
  for (int row = 0; row < board.height; ++row) {
    if (row > 0) appendRule(text, board.width, kInnerRule);
    text += kFrameSide;
    for (int column = 0; column < board.width; ++column) {
      if (column > 0) text += kCellSide;
      appendCell(text, puzzle, row * board.width + column, withAnswer);
    }
    text += kFrameSide;
    text += '\n';
  }
  appendRule(text, board.width, kBottomRule);
  text += '\n';
  return text;
}

}  // namespace vantreel
