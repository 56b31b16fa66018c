#pragma once
// The solver's state: a candidate set per cell and the list of runs.
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

// What the run rules keep per run to pass over a run whose visit would
// change nothing: a visit depends only on the run's sum, length and the masks
// of its cells, so a run visited without effect stays quiet until one of its
// cells changes. Changes are stamped on the runs as first listed ("origins"):
// a split-off run keeps its parent's origin, since its cells were the
// parent's.
struct RunWatch {
  std::uint32_t quietAt;    // clock after a visit that changed nothing
  std::uint32_t changedAt;  // clock of the last change to a cell of this origin
  std::uint16_t origin;     // the run as first listed that holds this one's cells
  std::uint16_t quietKey;   // runKey at that visit; kNeverQuiet before one
  // The same for the exhaustive sweep of long runs, which depends on the same.
  std::uint16_t sweptKey;
  std::uint32_t sweptAt;
  // The run's share of surplus() when last counted, which depends on the same.
  std::uint16_t surplusKey;
  std::int16_t surplus;
  std::uint32_t surplusAt;
};
inline constexpr std::uint16_t kNeverQuiet = 0xFFFF;  // no run's key: lengths stay below 256

struct SolverGrid {
  int width = 0;   // border column included
  int height = 0;  // border row included
  std::uint8_t contradiction = 0;  // only set while solving, never cleared
  std::unique_ptr<CandidateMask[]> masks;  // width * height, row-major; see setCellMask
  std::unique_ptr<Run[]> runs;             // capacity width * height
  int runCount = 0;
  int capacity = 0;  // cells the arrays hold
  // Skipping quiet runs pays where grids are settled again and again with
  // little changed, as the generator does; a single solve changes most runs
  // on most visits, so there the stamping would cost more than it saves.
  bool watchRuns = false;
  std::unique_ptr<RunWatch[]> watches;        // one per run, then one for "no run"
  std::unique_ptr<std::uint16_t[]> cellRuns;  // per cell: origins across, down
  std::uint32_t clock = 1;                    // advanced by every change stamped

  int cellCount() const { return width * height; }
  // Room for one more run. A run of L cells ends as L / 2 runs at most
  // (a split-off pair leaves two cells behind), and a white cell lies in two
  // runs at most: a grid never holds more runs than cells.
  // The new run starts unwatched, within `origin` (kept by watching grids only).
  Run& addRun(int origin) {
    assert(runCount < cellCount());
    if (watchRuns) watches[runCount] = RunWatch{0, 0, static_cast<std::uint16_t>(origin), kNeverQuiet, kNeverQuiet, 0, kNeverQuiet, 0, 0};
    return runs[runCount++];
  }
  // Arrays for the new size, kept when large enough: flag clear, no runs,
  // masks uninitialised.
  void allocate(int newWidth, int newHeight);
  // No runs, and no cell in any.
  void clearRuns();
  int noRun() const { return cellCount(); }  // never a run index
};

// Stamps clock value `now` on both origins through `cell`.
inline void stampCell(SolverGrid& grid, int cell, std::uint32_t now) {
  grid.watches[grid.cellRuns[2 * cell]].changedAt = now;
  grid.watches[grid.cellRuns[2 * cell + 1]].changedAt = now;
}

// Sets a cell's mask from outside the run rules, stamping the change on both
// its origins so that the rules look at its runs again. The rules stamp their
// own changes; every other writer of a mask goes through here.
inline void setCellMask(SolverGrid& grid, int cell, CandidateMask mask) {
  grid.masks[cell] = mask;
  if (grid.watchRuns) stampCell(grid, cell, ++grid.clock);
}

// A run's sum and length as one number: with its cells' masks, all that a
// visit of the run rules, or a sweep, depends on.
inline std::uint16_t runKey(const Run& run) {
  return static_cast<std::uint16_t>(run.sum | static_cast<std::uint8_t>(run.length) << 8);
}

// True when nothing a visit depends on changed since the stamp `at` was
// taken with `key`.
inline bool unchangedSince(const SolverGrid& grid, int run, std::uint16_t key, std::uint32_t at) {
  // Both tests made, then combined without a branch.
  const int sameKey = key == runKey(grid.runs[run]);
  const int unchanged = at >= grid.watches[grid.watches[run].origin].changedAt;
  return (sameKey & unchanged) != 0;
}

// Marks the grid contradictory; false, so that a rule can end with it.
inline bool markContradiction(SolverGrid& grid) {
  grid.contradiction = 1;
  return false;
}

// Appends a run of `length` (2..9) cells from `first` in steps of `step`;
// returns its index.
int appendRun(SolverGrid& grid, int first, int step, int length, int sum);

// White cells start at all digits, and the board's runs are listed in the
// order of its run list. A one-cell run fixes its digit at once; one whose
// sum names no digit, and a run too long for a Run record, set the
// contradiction flag instead of being taken in.
SolverGrid buildSolverGrid(const Board& board);
// The same into `grid`, whose arrays are reused when large enough.
void buildSolverGrid(const Board& board, SolverGrid& grid);
[[nodiscard]] bool isSolved(const SolverGrid& grid);
// Candidates beyond one per cell over the open runs whose sum is unset. A
// grid that watches its runs keeps each run's share in its watches, and counts
// again only the runs changed since.
[[nodiscard]] int surplus(const SolverGrid& grid);
// Same-shaped grids: flag, runCount, all masks, the runs in use and, where
// the source watches its runs, what it keeps to skip them.
void copyGridState(SolverGrid& destination, const SolverGrid& source);
SolverGrid cloneGrid(const SolverGrid& source);

}  // namespace vantreel
