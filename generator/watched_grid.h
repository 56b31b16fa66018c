#pragma once
// The generator's grids: a solver grid with the records that let the run
// rules pass over runs that a visit would not change.
//
// The generator settles its grids again and again after choosing one sum,
// and most visits then change nothing. A visit depends only on the run's
// sum, its length and the masks of its cells, so a run visited without
// effect stays quiet until one of its cells changes. Changes are stamped on
// the runs as first listed ("origins"): a split-off run keeps its parent's
// origin, since its cells were the parent's. The exhaustive sweep of long
// runs and each run's share of surplus() are kept the same way. Every count
// and every puzzle is the same as without the records; only the work is less.
#include <cstdint>
#include <memory>

#include "solver/solver_grid.h"

namespace vantreel {

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

// A run's sum and length as one number: with its cells' masks, all that a
// visit of the run rules, or a sweep, depends on.
inline std::uint16_t runKey(const Run& run) {
  return static_cast<std::uint16_t>(run.sum | static_cast<std::uint8_t>(run.length) << 8);
}

// The solver grid is a private base: a watched grid reaches the solver's
// rules only through the functions below, which keep its records, so that
// no plain solve can leave them stale. plain() serves readers.
class WatchedGrid : private SolverGrid {
 public:
  using SolverGrid::cellCount;
  using SolverGrid::contradiction;
  using SolverGrid::height;
  using SolverGrid::masks;
  using SolverGrid::runCount;
  using SolverGrid::runs;
  using SolverGrid::width;
  const SolverGrid& plain() const { return *this; }

  // Arrays for the new size, kept when large enough: flag clear, no runs,
  // masks uninitialised.
  void allocate(int newWidth, int newHeight);
  // No runs, and no cell in any.
  void clearRuns();
  // As the solver's appendRun, with the run as its own origin.
  int appendRun(int first, int step, int length, int sum);
  // Sets a cell's mask from outside the run rules, so that the rules look at
  // its runs again. The rules stamp their own changes.
  void setCellMask(int cell, CandidateMask mask);

  // The watch policy of the run rules (solver/run_propagation.h).
  bool passesBy(const SolverGrid&, int run, bool closed) const {
    // Both tests made, then combined without a branch: most runs are passed
    // by, where closed and quiet runs alternate.
    const RunWatch& watch = watches_[run];
    return (static_cast<int>(closed) | static_cast<int>(unchangedSince(run, watch.quietKey, watch.quietAt))) != 0;
  }
  void visited(const SolverGrid&, int run, const Run& before, bool changed) {
    RunWatch& watch = watches_[run];
    if (changed) {
      noteChanged(before, watch.origin);
    } else {
      watch.quietAt = clock_;
      watch.quietKey = runKey(runs[run]);
    }
  }
  void splitOff(int parent, int child) {
    watches_[child] = RunWatch{0, 0, watches_[parent].origin, kNeverQuiet, kNeverQuiet, 0, kNeverQuiet, 0, 0};
  }
  bool sweepPassesBy(const SolverGrid&, int run) const {
    return unchangedSince(run, watches_[run].sweptKey, watches_[run].sweptAt);
  }
  void swept(const SolverGrid&, int run, bool changed) {
    RunWatch& watch = watches_[run];
    if (changed) {
      noteChanged(runs[run], watch.origin);
    } else {
      watch.sweptAt = clock_;
      watch.sweptKey = runKey(runs[run]);
    }
  }

  friend int propagateRuns(WatchedGrid& grid);
  friend bool propagate(WatchedGrid& grid);
  friend int surplus(const WatchedGrid& grid);
  friend void copyGridState(WatchedGrid& destination, const WatchedGrid& source);

 private:
  int noRun() const { return cellCount(); }  // never a run index
  // True when nothing a visit depends on changed since the stamp `at` was
  // taken with `key`.
  bool unchangedSince(int run, std::uint16_t key, std::uint32_t at) const {
    const int sameKey = key == runKey(runs[run]);
    const int unchanged = at >= watches_[watches_[run].origin].changedAt;
    return (sameKey & unchanged) != 0;
  }
  // Stamps clock value `now` on both origins through `cell`.
  void stampCell(int cell, std::uint32_t now) {
    watches_[cellRuns_[2 * cell]].changedAt = now;
    watches_[cellRuns_[2 * cell + 1]].changedAt = now;
  }
  // Stamps a change on the cells of `run` (within `origin`), so that no run
  // through them is passed over as quiet.
  void noteChanged(const Run& run, int origin) {
    const std::uint32_t now = ++clock_;
    watches_[origin].changedAt = now;
    for (int k = 0; k < run.length; ++k) stampCell(run.cells[k], now);
  }

  std::unique_ptr<RunWatch[]> watches_;        // one per run, then one for "no run"
  std::unique_ptr<std::uint16_t[]> cellRuns_;  // per cell: origins across, down
  int watchCapacity_ = 0;                      // cells the records serve
  std::uint32_t clock_ = 1;                    // advanced by every change stamped
};

// The solver's operations on a watched grid, each keeping its records.
[[nodiscard]] int propagateRuns(WatchedGrid& grid);
[[nodiscard]] bool propagate(WatchedGrid& grid);
[[nodiscard]] inline bool isSolved(const WatchedGrid& grid) { return isSolved(grid.plain()); }
// Counts again only the runs changed since their share was last counted.
[[nodiscard]] int surplus(const WatchedGrid& grid);
// Same-shaped grids: flag, runCount, all masks, the runs in use and the records.
void copyGridState(WatchedGrid& destination, const WatchedGrid& source);

}  // namespace vantreel
