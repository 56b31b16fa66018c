#pragma once
// Random puzzles for tests and benchmarks: a half-turn-symmetric layout with
// runs of 2..9 cells, random digits distinct in every run, clues derived from
// them. They need not have one solution, which exercises the trial search.
#include <algorithm>
#include <random>
#include <vector>

#include "format/board.h"

namespace vantreel::testing {

struct Layout {
  int columns, rows;
  std::vector<char> white;  // interior cells, row-major
  char& at(int row, int column) { return white[row * columns + column]; }
  void setBlock(int row, int column) {
    at(row, column) = 0;
    at(rows - 1 - row, columns - 1 - column) = 0;
  }
};

// Mends the first run of one cell or of more than nine in a line; returns
// whether it found one. A lone cell is blocked or joined to a neighbour.
inline bool repairLine(Layout& layout, bool across, int line, std::mt19937& random) {
  const int length = across ? layout.columns : layout.rows;
  auto cell = [&](int i) -> char& { return across ? layout.at(line, i) : layout.at(i, line); };
  auto set = [&](int i, bool white) {
    char& a = cell(i);
    char& b = across ? layout.at(layout.rows - 1 - line, layout.columns - 1 - i)
                     : layout.at(layout.rows - 1 - i, layout.columns - 1 - line);
    a = b = white;
  };
  for (int start = 0; start < length;) {
    if (!cell(start)) {
      ++start;
      continue;
    }
    int end = start;
    while (end < length && cell(end)) ++end;
    const int run = end - start;
    if (run == 1) {
      const int neighbour = random() % 2 ? start - 1 : start + 1;
      if (random() % 3 != 0 && neighbour >= 0 && neighbour < length) set(neighbour, true);
      else set(start, false);
      return true;
    }
    if (run > 9) {
      set(start + 2 + static_cast<int>(random() % (run - 4)), false);
      return true;
    }
    start = end;
  }
  return false;
}

// Blocks at random, then mends runs until every run has 2..9 cells.
inline bool makeLayout(Layout& layout, std::mt19937& random, int blockPercent) {
  for (int row = 0; row < layout.rows; ++row)
    for (int column = 0; column < layout.columns; ++column)
      if (static_cast<int>(random() % 100) < blockPercent) layout.setBlock(row, column);
  for (int round = 0; round < 500; ++round) {
    bool changed = false;
    for (int row = 0; row < layout.rows; ++row) changed |= repairLine(layout, true, row, random);
    for (int column = 0; column < layout.columns; ++column) changed |= repairLine(layout, false, column, random);
    if (!changed) return true;
  }
  return false;
}

// Digits by backtracking in reading order, each run's digits distinct.
inline bool fillDigits(const Layout& layout, std::vector<int>& digits, int index, std::mt19937& random, long& budget) {
  if (index == layout.columns * layout.rows) return true;
  if (!layout.white[index]) return fillDigits(layout, digits, index + 1, random, budget);
  if (--budget < 0) return false;
  const int row = index / layout.columns, column = index % layout.columns;
  int used = 0;
  for (int c = column - 1; c >= 0 && layout.white[row * layout.columns + c]; --c) used |= 1 << digits[row * layout.columns + c];
  for (int r = row - 1; r >= 0 && layout.white[r * layout.columns + column]; --r) used |= 1 << digits[r * layout.columns + column];
  int order[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::shuffle(order, order + 9, random);
  for (int digit : order) {
    if (used & (1 << digit)) continue;
    digits[index] = digit;
    if (fillDigits(layout, digits, index + 1, random, budget)) return true;
  }
  return false;
}

inline Board makeBoard(const Layout& layout, const std::vector<int>& digits, int level) {
  Board board;
  board.allocate(layout.columns + 1, layout.rows + 1);
  board.level = static_cast<std::int8_t>(level);
  const int width = board.width, height = board.height;
  auto white = [&](int row, int column) {
    return row >= 1 && column >= 1 && row < height && column < width && layout.white[(row - 1) * layout.columns + column - 1];
  };
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const int p = row * width + column;
      if (white(row, column)) {
        board.kinds[p] = CellKind::White;
        continue;
      }
      int across = 0, down = 0;
      for (int c = column + 1; white(row, c); ++c) across += digits[(row - 1) * layout.columns + c - 1];
      for (int r = row + 1; white(r, column); ++r) down += digits[(r - 1) * layout.columns + column - 1];
      const bool clue = white(row, column + 1) || white(row + 1, column);
      board.kinds[p] = clue ? CellKind::Clue : CellKind::Block;
      board.sums[2 * p] = static_cast<std::uint8_t>(across);
      board.sums[2 * p + 1] = static_cast<std::uint8_t>(down);
    }
  return board;
}

// A random puzzle of the given interior size (retries until one fits), and
// the digits it was made from: board-indexed, 0 on non-white cells.
inline Board makePlantedPuzzle(std::mt19937& random, int columns, int rows, int level, int blockPercent,
                               std::vector<int>& planted) {
  for (;;) {
    Layout layout{columns, rows, std::vector<char>(columns * rows, 1)};
    if (!makeLayout(layout, random, blockPercent)) continue;
    std::vector<int> digits(columns * rows, 0);
    long budget = 200000;
    if (!fillDigits(layout, digits, 0, random, budget)) continue;
    planted.assign((columns + 1) * (rows + 1), 0);
    for (int i = 0; i < columns * rows; ++i)
      if (layout.white[i]) planted[(i / columns + 1) * (columns + 1) + i % columns + 1] = digits[i];
    return makeBoard(layout, digits, level);
  }
}

inline Board makeRandomPuzzle(std::mt19937& random, int columns, int rows, int level, int blockPercent = 25) {
  std::vector<int> planted;
  return makePlantedPuzzle(random, columns, rows, level, blockPercent, planted);
}

}  // namespace vantreel::testing
