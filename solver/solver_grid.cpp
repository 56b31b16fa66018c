#include "solver/solver_grid.h"

#include <algorithm>
#include <cassert>

namespace vantreel {
namespace {

// One run of the board's run list: a single cell takes the clue's digit, a
// longer run is listed. Clues that cannot hold (a digit the cell has lost, a
// sum that is no digit, a run too long for a Run record) mark the grid
// contradictory.
void takeRun(SolverGrid& grid, const RunSpan& run) {
  switch (run.meaning) {
    case RunMeaning::Sum:
      appendRun(grid, run.first, run.step, run.length, run.sum);
      return;
    case RunMeaning::Digit: {
      const CandidateMask narrowed = grid.masks[run.first] & CandidateMask(1 << (run.sum - 1));
      if (narrowed == 0) markContradiction(grid);
      else grid.masks[run.first] = narrowed;
      return;
    }
    case RunMeaning::NoDigit:
    case RunMeaning::TooLong:
      markContradiction(grid);
      return;
  }
}

}  // namespace

int appendRun(SolverGrid& grid, int first, int step, int length, int sum) {
  assert(length >= 2 && length <= kMaxRunLength);
  const int index = grid.runCount;
  Run& run = grid.addRun();
  run.sum = static_cast<std::uint8_t>(sum);
  run.length = static_cast<std::int8_t>(length);
  // Every slot is written, so the loop has no exit to guess; those past the
  // end are never read.
  for (int i = 0; i < kMaxRunLength; ++i) run.cells[i] = static_cast<std::uint16_t>(first + i * step);
  return index;
}

void SolverGrid::allocate(int newWidth, int newHeight) {
  assert(newWidth >= 1 && newHeight >= 1 && newWidth <= kMaxInterior + 1 && newHeight <= kMaxInterior + 1);
  width = newWidth;
  height = newHeight;
  contradiction = 0;
  runCount = 0;
  if (!masks || newWidth * newHeight > capacity) {
    capacity = newWidth * newHeight;
    masks = std::make_unique_for_overwrite<CandidateMask[]>(capacity);
    runs = std::make_unique_for_overwrite<Run[]>(capacity);
  }
}

void buildSolverGrid(const Board& board, SolverGrid& grid) {
  grid.allocate(board.width, board.height);
  for (int p = 0; p < grid.cellCount(); ++p) grid.masks[p] = board.kinds[p] == CellKind::White ? kAllDigits : kBlockMask;
  forEachRun(board, [&grid](const RunSpan& run) { takeRun(grid, run); });
}

SolverGrid buildSolverGrid(const Board& board) {
  SolverGrid grid;
  buildSolverGrid(board, grid);
  return grid;
}

bool isSolved(const SolverGrid& grid) {
  if (grid.contradiction) return false;
  for (int i = 0; i < grid.runCount; ++i)
    if (grid.runs[i].length != 0) return false;
  return true;
}

int surplus(const SolverGrid& grid) {
  int total = 0;
  for (int i = 0; i < grid.runCount; ++i) total += runSurplus(grid, grid.runs[i]);
  return total;
}

void copyGridState(SolverGrid& destination, const SolverGrid& source) {
  destination.contradiction = source.contradiction;
  destination.runCount = source.runCount;
  std::copy_n(source.masks.get(), source.cellCount(), destination.masks.get());
  std::copy_n(source.runs.get(), source.runCount, destination.runs.get());
}

SolverGrid cloneGrid(const SolverGrid& source) {
  SolverGrid copy;
  copy.allocate(source.width, source.height);
  copyGridState(copy, source);
  return copy;
}

}  // namespace vantreel
