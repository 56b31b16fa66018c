#include "generator/watched_grid.h"

#include <algorithm>

#include "solver/run_passes.h"

namespace vantreel {

void WatchedGrid::allocate(int newWidth, int newHeight) {
  SolverGrid::allocate(newWidth, newHeight);
  if (!watches_ || cellCount() > watchCapacity_) {
    watchCapacity_ = cellCount();
    watches_ = std::make_unique_for_overwrite<RunWatch[]>(watchCapacity_ + 1);
    cellRuns_ = std::make_unique_for_overwrite<std::uint16_t[]>(2 * watchCapacity_);
  }
  clearRuns();
}

void WatchedGrid::clearRuns() {
  runCount = 0;
  clock_ = 1;
  std::fill_n(cellRuns_.get(), 2 * cellCount(), static_cast<std::uint16_t>(noRun()));
}

int WatchedGrid::appendRun(int first, int step, int length, int sum) {
  const int index = vantreel::appendRun(*this, first, step, length, sum);
  watches_[index] = RunWatch{0, 0, static_cast<std::uint16_t>(index), kNeverQuiet, kNeverQuiet, 0, kNeverQuiet, 0, 0};
  const int direction = step == 1 ? 0 : 1;
  for (int i = 0; i < length; ++i) cellRuns_[2 * (first + i * step) + direction] = static_cast<std::uint16_t>(index);
  return index;
}

void WatchedGrid::setCellMask(int cell, CandidateMask mask) {
  masks[cell] = mask;
  stampCell(cell, ++clock_);
}

int propagateRuns(WatchedGrid& grid) { return propagateRuns(static_cast<SolverGrid&>(grid), grid); }

bool propagate(WatchedGrid& grid) { return propagate(static_cast<SolverGrid&>(grid), grid, nullptr); }

int surplus(const WatchedGrid& grid) {
  int total = 0;
  for (int i = 0; i < grid.runCount; ++i) {
    RunWatch& watch = grid.watches_[i];
    if (!grid.unchangedSince(i, watch.surplusKey, watch.surplusAt)) {
      watch.surplus = static_cast<std::int16_t>(runSurplus(grid, grid.runs[i]));
      watch.surplusKey = runKey(grid.runs[i]);
      watch.surplusAt = grid.clock_;
    }
    total += watch.surplus;
  }
  return total;
}

void copyGridState(WatchedGrid& destination, const WatchedGrid& source) {
  copyGridState(static_cast<SolverGrid&>(destination), static_cast<const SolverGrid&>(source));
  std::copy_n(source.watches_.get(), source.runCount, destination.watches_.get());
  std::copy_n(source.cellRuns_.get(), 2 * source.cellCount(), destination.cellRuns_.get());
  destination.clock_ = source.clock_;
}

}  // namespace vantreel
