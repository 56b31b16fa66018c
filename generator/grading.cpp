#include "generator/grading.h"

#include "solver/level.h"

namespace vantreel {
namespace {

// Digit sum of the run's cells; with distinct solved digits, the run's clue.
std::uint8_t runSumOf(const WatchedGrid& work, int first, int step, int length) {
  DigitSet digits = 0;
  for (int i = 0; i < length; ++i) digits |= work.masks[first + i * step];
  return DigitSumTable[digits];
}

void convertToBoard(const GeneratorContext& context, Board& board) {
  const WatchedGrid& work = context.work;
  const int width = context.width;
  const int cellCount = width * context.height;
  for (int p = 0; p < cellCount; ++p)
    board.kinds[p] = work.masks[p] == kBlockMask ? CellKind::Block : CellKind::White;
  for (int i = 0; i < context.clueCellCount; ++i) {
    const ClueCell& clue = context.clueCells[i];
    const int p = clue.position;
    board.kinds[p] = CellKind::Clue;
    board.sums[2 * p] = runSumOf(work, p + 1, 1, clue.acrossLength);
    board.sums[2 * p + 1] = runSumOf(work, p + width, width, clue.downLength);
  }
}

}  // namespace

bool gradePuzzle(const GeneratorContext& context, Board& board) {
  convertToBoard(context, board);
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  SearchBudget budget;
  // The same solve as the solve mode: the puzzle must yield to it unaided.
  if (!solveWithTrials(grid, stats, budget)) return false;
  board.level = static_cast<std::int8_t>(levelOf(stats));
  return true;
}

}  // namespace vantreel
