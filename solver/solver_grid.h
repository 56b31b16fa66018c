#pragma once
// The solver's state: a candidate set per cell and the list of runs.
#include <cstdint>
#include <memory>

#include "format/board.h"
#include "tables/digit_tables.h"

namespace vantreel {

// Bit d-1: digit d still possible. One bit: solved; 0: contradiction.
using CandidateMask = std::uint16_t;
inline constexpr CandidateMask kBlockMask = 0x8000;  // never a table index
inline constexpr int kMaxRunLength = 9;

// Cells still owing `sum`; length 0 means closed, sum 0 means not yet chosen.
struct Run {
  std::uint8_t sum;
  std::int8_t length;
  std::uint16_t cells[kMaxRunLength];  // ascending cell indices
};

struct SolverGrid {
  std::int8_t width = 0;   // border column included
  std::int8_t height = 0;  // border row included
  std::uint8_t contradiction = 0;  // only set while solving, never cleared
  std::unique_ptr<CandidateMask[]> masks;  // width * height, row-major
  std::unique_ptr<Run[]> runs;             // capacity width * height
  int runCount = 0;

  int cellCount() const { return width * height; }
  // Fresh arrays of full capacity; flag clear, no runs, masks uninitialised.
  void allocate(int newWidth, int newHeight);
};

// White cells start at all digits; one-cell runs fix their digit at once.
// A run too long for a Run record, or a one-cell clue outside 1..9, sets the
// contradiction flag instead of being taken in.
SolverGrid buildSolverGrid(const Board& board);
[[nodiscard]] bool isSolved(const SolverGrid& grid);
// Candidates beyond one per cell over the open runs whose sum is unset.
[[nodiscard]] int surplus(const SolverGrid& grid);
// Same-shaped grids: flag, runCount, all masks, the runs in use.
void copyGridState(SolverGrid& destination, const SolverGrid& source);
SolverGrid cloneGrid(const SolverGrid& source);

}  // namespace vantreel
