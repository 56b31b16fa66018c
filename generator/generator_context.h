#pragma once
// The working state of one puzzle, set up once and reused by every attempt.
#include <cstdint>
#include <memory>

#include "generator/block_pattern.h"
#include "generator/random_source.h"
#include "generator/watched_grid.h"

namespace vantreel {

// A block cell that starts at least one run; lengths as seen in the layout.
// Small fields: a context lists one per clue cell.
struct ClueCell {
  std::int8_t acrossLength;
  std::int8_t downLength;
  std::int16_t position;   // y * width + x
  std::int16_t acrossRun;  // index in the run list, -1 for fewer than 2 cells
  std::int16_t downRun;
};

// One level of the branch search: its grid and the sums left to try.
inline constexpr int kBranchCount = 30;
inline constexpr int kCandidateSumSlots = 22;  // 21 sums at most, then 0
struct BranchRecord {
  WatchedGrid grid;
  std::uint8_t candidateSums[kCandidateSumSlots];
  std::int16_t run;
};

// Everything is sized for width * height entries at set-up, so attempts
// allocate nothing. Members release themselves on every path.
struct GeneratorContext {
  int width = 0;   // border column included
  int height = 0;  // border row included
  std::unique_ptr<ClueCell[]> clueCells;  // first clueCellCount in use
  std::int16_t clueCellCount = 0;
  WatchedGrid work;     // the puzzle as decided so far
  WatchedGrid scratch;  // where a sum is tried before work takes it
  BlockPattern pattern;
  std::unique_ptr<BranchRecord[]> branches;  // kBranchCount
  RandomSource* random = nullptr;            // shared, not owned
  std::int32_t lastSurplus = 0;  // as the last clue stage measured it
};

void setUpContext(GeneratorContext& context, RandomSource& random, int width, int height);
void tearDownContext(GeneratorContext& context);

// Rewrites the masks and runs of `work` and the clue cells from the layout;
// nine-cell runs get sum 45, all others stay unset. Returns the clue cells.
std::int16_t extractRuns(const BlockPattern& pattern, WatchedGrid& work, ClueCell* clueCells);

// Open and still without a sum.
inline bool needsClue(const Run& run) { return run.length != 0 && run.sum == 0; }
// Passes of the run rules until one changes nothing; false on contradiction.
[[nodiscard]] bool settleRuns(WatchedGrid& grid);

// Where a grid stands after a new sum has been settled in.
enum class Settled { Failed, Open, Solved };
// The run rules, then full propagation while unset runs have candidates to
// spare; once none is spare the grid must come out solved. Leaves
// lastSurplus as measured, also when the grid failed.
[[nodiscard]] Settled settleNewSums(GeneratorContext& context, WatchedGrid& grid);

// Visits the runs of `work` that need a clue, lengths 9 down to
// `lowestLength`, clue cells in order, across before down. Each run is
// looked at when its turn comes, so earlier visits may have closed it.
// Stops when `visit` returns false; returns whether all runs were visited.
template <typename Visit>
bool visitRunsLongestFirst(GeneratorContext& context, int lowestLength, Visit visit) {
  for (int length = 9; length >= lowestLength; --length) {
    for (int i = 0; i < context.clueCellCount; ++i) {
      const ClueCell& clue = context.clueCells[i];
      if (clue.acrossLength == length && clue.acrossRun != -1 &&
          needsClue(context.work.runs[clue.acrossRun]) && !visit(clue.acrossRun))
        return false;
      if (clue.downLength == length && clue.downRun != -1 &&
          needsClue(context.work.runs[clue.downRun]) && !visit(clue.downRun))
        return false;
    }
  }
  return true;
}

}  // namespace vantreel
