#include "generator/generator_context.h"

#include "solver/run_propagation.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

constexpr int kWholeRunLength = 9;
constexpr std::uint8_t kWholeRunSum = 45;  // 1 + 2 + ... + 9

// Lists the run of `length` cells from `first`: a whole run of nine has only
// one sum, the others are left open. -1 when there is no run.
std::int16_t listRun(SolverGrid& work, int first, int step, int length) {
  if (length < 2 || length > kWholeRunLength) return -1;
  const int sum = length == kWholeRunLength ? kWholeRunSum : 0;
  return static_cast<std::int16_t>(appendRun(work, first, step, length, sum));
}

}  // namespace

void setUpContext(GeneratorContext& context, RandomSource& random, int width, int height) {
  context.random = &random;
  context.width = width;
  context.height = height;
  context.lastSurplus = 0;
  context.clueCellCount = 0;
  // Every grid here is settled again and again with little changed.
  context.work.watchRuns = context.scratch.watchRuns = true;
  context.work.allocate(width, height);
  context.scratch.allocate(width, height);
  context.pattern.allocate(random, width, height);
  context.clueCells = std::make_unique_for_overwrite<ClueCell[]>(width * height);
  context.branches = std::make_unique<BranchRecord[]>(kBranchCount);
  for (int i = 0; i < kBranchCount; ++i) {
    context.branches[i].grid.watchRuns = true;
    context.branches[i].grid.allocate(width, height);
  }
}

void tearDownContext(GeneratorContext& context) {
  context.work = SolverGrid{};
  context.scratch = SolverGrid{};
  context.pattern = BlockPattern{};
  context.clueCells.reset();
  context.clueCellCount = 0;
  context.branches.reset();
}

std::int16_t extractRuns(const BlockPattern& pattern, SolverGrid& work, ClueCell* clueCells) {
  const int width = pattern.width;
  const int cellCount = width * pattern.height;
  work.clearRuns();
  std::int16_t clueCount = 0;
  for (int p = 0; p < cellCount; ++p) {
    if (pattern.cells[p] != 0) {
      work.masks[p] = kAllDigits;
      continue;
    }
    work.masks[p] = kBlockMask;
    const auto isWhite = [&](int cell) { return pattern.cells[cell] != 0; };
    const int across = countWhite(p + 1, 1, cellCount, isWhite);
    const int down = countWhite(p + width, width, cellCount, isWhite);
    if (across == 0 && down == 0) continue;
    ClueCell& clue = clueCells[clueCount++];
    clue.acrossLength = static_cast<std::int8_t>(across);
    clue.downLength = static_cast<std::int8_t>(down);
    clue.position = static_cast<std::int16_t>(p);
    clue.acrossRun = listRun(work, p + 1, 1, across);
    clue.downRun = listRun(work, p + width, width, down);
  }
  return clueCount;
}

bool settleRuns(SolverGrid& grid) {
  int changes = 0;
  do {
    changes = propagateRuns(grid);
    if (grid.contradiction) return false;
  } while (changes > 0);
  return true;
}

Settled settleNewSums(GeneratorContext& context, SolverGrid& grid) {
  if (!settleRuns(grid)) return Settled::Failed;
  context.lastSurplus = surplus(grid);
  if (context.lastSurplus > 0) {
    if (!propagate(grid)) return Settled::Failed;
    context.lastSurplus = surplus(grid);
    if (context.lastSurplus > 0) return Settled::Open;
  }
  // Every unset run is decided: only a finished grid will do.
  return propagate(grid) && isSolved(grid) ? Settled::Solved : Settled::Failed;
}

}  // namespace vantreel
