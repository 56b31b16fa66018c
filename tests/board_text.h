#pragma once
// Test helpers: a board written to a line or a link, a board read from a
// line, and boards compared.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "format/puzzle_line.h"
#include "format/puzzle_link.h"

namespace vantreel::testing {

inline std::string lineOf(const Board& board) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  writeBoard(out, board);
  std::fclose(out);
  std::string line(buffer, size);
  std::free(buffer);
  return line;
}

// The board's puzz.link link, without the newline.
inline std::string linkOf(const Board& board) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  writeLink(out, board);
  std::fclose(out);
  std::string link(buffer, size - 1);
  std::free(buffer);
  return link;
}

inline Board boardOf(const std::string& line) {
  Board board;
  if (!parseBoard(board, line.c_str())) std::abort();
  return board;
}

// Equal cells and sums; a link carries no level, so it is compared apart.
inline bool sameCells(const Board& a, const Board& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int p = 0; p < a.cellCount(); ++p)
    if (a.kinds[p] != b.kinds[p] || a.sums[2 * p] != b.sums[2 * p] || a.sums[2 * p + 1] != b.sums[2 * p + 1])
      return false;
  return true;
}
inline bool sameBoard(const Board& a, const Board& b) { return a.level == b.level && sameCells(a, b); }

}  // namespace vantreel::testing
