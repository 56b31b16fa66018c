#pragma once
// The solver's state: a candidate set per cell, the list of runs and the
// contradiction flag; nothing else. What the generator keeps beside a grid
// to pass over quiet runs lives in generator/watched_grid.h.
#include <cassert>
#include <cstdint>
#include <memory>

#include "format/board.h"
#include "format/run_list.h"
#include "tables/digit_tables.h"

namespace vantreel {

// Bit d-1: digit d still possible. One bit: solved; 0: contradiction.
using CandidateMask = std::uint16_t;
inline constexpr CandidateMask kBlockMask = 0x8000;  // never a table index

// Cells still owing `sum`; length 0 means closed, sum 0 means not yet chosen.
// Byte fields keep the record at 20 bytes: whole run lists are copied per trial.
struct Run {
  static_assert((kMaxInterior + 1) * (kMaxInterior + 1) <= 65536, "cell indices fit 16 bits");
  std::uint8_t sum;
  std::int8_t length;
  std::uint16_t cells[kMaxRunLength];  // ascending cell indices
};

struct SolverGrid {
  int width = 0;   // border column included
  int height = 0;  // border row included
  std::uint8_t contradiction = 0;  // only set while solving, never cleared
  std::unique_ptr<CandidateMask[]> masks;  // width * height, row-major
  std::unique_ptr<Run[]> runs;             // capacity width * height
  int runCount = 0;
  int capacity = 0;  // cells the arrays hold

  int cellCount() const { return width * height; }
  // Room for one more run. A run of L cells ends as L / 2 runs at most
  // (a split-off pair leaves two cells behind), and a white cell lies in two
  // runs at most: a grid never holds more runs than cells.
  Run& addRun() {
    assert(runCount < cellCount());
    return runs[runCount++];
  }
  // Arrays for the new size, kept when large enough: flag clear, no runs,
  // masks uninitialised.
  void allocate(int newWidth, int newHeight);
};

// Marks the grid contradictory; false, so that a rule can end with it.
inline bool markContradiction(SolverGrid& grid) {
  grid.contradiction = 1;
  return false;
}

// Appends a run of `length` (2..9) cells from `first` in steps of `step`;
// returns its index.
int appendRun(SolverGrid& grid, int first, int step, int length, int sum);

// Block cells get kBlockMask, white cells all digits, and the board's runs
// are listed in the order of its run list. A one-cell run fixes its digit at
// once; one whose sum names no digit, and a run too long for a Run record,
// set the contradiction flag instead of being taken in.
SolverGrid buildSolverGrid(const Board& board);
// The same into `grid`, whose arrays are reused when large enough.
void buildSolverGrid(const Board& board, SolverGrid& grid);

// No contradiction, and every run closed.
[[nodiscard]] bool isSolved(const SolverGrid& grid);
// Candidates beyond one per cell over the open runs whose sum is unset.
[[nodiscard]] int surplus(const SolverGrid& grid);
// One run's share of it: 0 for a closed run or one with its sum set.
inline int runSurplus(const SolverGrid& grid, const Run& run) {
  if (run.length <= 0 || run.sum != 0) return 0;
  int total = -run.length;
  for (int k = 0; k < run.length; ++k) total += DigitCountTable[grid.masks[run.cells[k]]];
  return total;
}
// Same-shaped grids: flag, runCount, all masks and the runs in use.
void copyGridState(SolverGrid& destination, const SolverGrid& source);
SolverGrid cloneGrid(const SolverGrid& source);

}  // namespace vantreel
