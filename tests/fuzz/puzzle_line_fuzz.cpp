// libFuzzer target: arbitrary bytes as one puzzle line or link, through both
// readers, grid building, solving, the picture and writing back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "format/puzzle_line.h"
#include "format/puzzle_link.h"
#include "format/strict_reader.h"
#include "picture/board_picture.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"

namespace {

using namespace vantreel;
using vantreel::testing::lineOf;
using vantreel::testing::linkOf;
using vantreel::testing::sameBoard;
using vantreel::testing::sameCells;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  // The strict reader takes a subset of what the lenient one takes, reads it
  // into the same board, and says why whenever it refuses.
  Board strict;
  std::string reason;
  const bool strictlyRead = readStrict(line, strict, reason);
  if (strictlyRead == !reason.empty()) std::abort();
  Board board;
  if (!parseLineOrLink(board, line.c_str())) {
    if (strictlyRead) std::abort();
    return 0;
  }
  if (strictlyRead && !sameBoard(strict, board)) std::abort();

  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  SearchBudget budget;
  // A small budget keeps each input fast; the limits are exercised all the same.
  budget.cellLimit = 200 * static_cast<std::int64_t>(grid.cellCount());
  (void)solveWithTrials(grid, stats, budget);
  if (drawGrid(grid, GlyphEncoding::Utf8).empty()) std::abort();

  const std::string written = lineOf(board);
  Board again;
  if (!parseBoard(again, written.c_str()) || !sameBoard(board, again) || lineOf(again) != written) std::abort();
  const std::string link = linkOf(board);
  Board linked;
  if (!parseLineOrLink(linked, link.c_str()) || !sameCells(board, linked) || linkOf(linked) != link) std::abort();
  return 0;
}
