// libFuzzer target: arbitrary bytes as one puzzle line, through reading,
// grid building, solving, the picture and writing back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "format/puzzle_line.h"
#include "picture/board_picture.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"

namespace {

using namespace vantreel;
using vantreel::testing::lineOf;

bool sameBoard(const Board& a, const Board& b) {
  if (a.width != b.width || a.height != b.height || a.level != b.level) return false;
  const int cells = a.cellCount();
  return std::memcmp(a.kinds.get(), b.kinds.get(), cells) == 0 &&
         std::memcmp(a.sums.get(), b.sums.get(), 2 * cells) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  Board board;
  if (!parseBoard(board, line.c_str())) return 0;

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
  return 0;
}
