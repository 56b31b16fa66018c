#pragma once
// Test helpers: a board written to a string, and a board read from one.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "format/puzzle_line.h"

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

inline Board boardOf(const std::string& line) {
  Board board;
  if (!parseBoard(board, line.c_str())) std::abort();
  return board;
}

}  // namespace vantreel::testing
