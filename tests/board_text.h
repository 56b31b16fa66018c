#pragma once
// Test helpers: a board written to a line or a link, a board read from a
// line, and boards compared.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "format/puzzle_line.h"
#include "format/puzzle_link.h"

namespace vantreel::testing {

// What a writer puts on a stream, as a string.
template <typename Write>
std::string textOf(Write write) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  write(out);
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

inline std::string lineOf(const Board& board) {
  return textOf([&](std::FILE* out) { writeBoard(out, board); });
}

// The board's puzz.link link, without the newline.
inline std::string linkOf(const Board& board) {
  std::string link = textOf([&](std::FILE* out) { writeLink(out, board); });
  link.pop_back();
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
