#include "generator/branch_search.h"

#include "generator/sum_probing.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

// Sums that pass the probe and propagation on a copy of work, ascending and
// ended by 0; returns how many.
int listConsistentSums(GeneratorContext& context, int runIndex, std::uint8_t* sums) {
  int count = 0;
  for (int sum = 1; sum <= kMaxSum; ++sum) {
    if (propagatesWithSum(context, runIndex, sum)) sums[count++] = static_cast<std::uint8_t>(sum);
  }
  sums[count] = 0;
  return count;
}

// Propagation alone has finished the grid.
bool isFinished(WatchedGrid& grid) {
  return propagate(grid) && isSolved(grid);
}

}  // namespace

bool collectBranches(GeneratorContext& context) {
  WatchedGrid& work = context.work;
  if (!propagate(work)) return false;
  context.lastSurplus = surplus(work);
  int records = 0;
  int candidateTotal = 0;
  const bool listed = visitRunsLongestFirst(context, 1, [&](int runIndex) {
    BranchRecord& record = context.branches[records];
    record.run = static_cast<std::int16_t>(runIndex);
    const int count = listConsistentSums(context, runIndex, record.candidateSums);
    if (count == 0) return false;
    // A single candidate is set at once; later runs are probed with it set.
    if (count == 1) work.runs[runIndex].sum = record.candidateSums[0];
    else if (++records > kMaxBranchRuns) return false;
    candidateTotal += count;
    return true;
  });
  if (!listed) return false;
  if (records == 0) return isFinished(work);
  if (candidateTotal > kMaxCandidateTotal) return false;
  return searchBranches(context, 0, records);
}

bool searchBranches(GeneratorContext& context, int level, int count) {
  // Level 0 works on work itself; level n on the grid of record n - 1.
  for (;;) {
    WatchedGrid& grid = level == 0 ? context.work : context.branches[level - 1].grid;
    if (level == count) {
      if (!isFinished(grid)) return false;
      copyGridState(context.work, grid);
      return true;
    }
    if (!propagate(grid)) return false;
    context.lastSurplus = surplus(grid);
    BranchRecord& record = context.branches[level];
    const int runIndex = record.run;
    if (runIndex != -1 && needsClue(grid.runs[runIndex])) {
      for (const std::uint8_t* sum = record.candidateSums; *sum != 0; ++sum) {
        std::int32_t narrowed = 0;
        if (!probeSum(grid.plain(), runIndex, *sum, 1, narrowed)) continue;
        copyGridState(record.grid, grid);
        record.grid.runs[runIndex].sum = *sum;
        if (searchBranches(context, level + 1, count)) return true;
      }
      return false;
    }
    // An earlier choice already closed this run or set its sum: pass it on.
    copyGridState(record.grid, grid);
    ++level;
  }
}

}  // namespace vantreel
