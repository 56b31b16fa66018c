#include "generator/generator_context.h"


namespace vantreel {
namespace {

constexpr int kWholeRunLength = 9;
constexpr std::uint8_t kWholeRunSum = 45;  // 1 + 2 + ... + 9

// Lists a run of 2..9 cells: a whole run of nine has only one sum, the
// others are left open. -1 when there is no run to list.
std::int16_t listRun(WatchedGrid& work, const RunSpan& run) {
  if (run.meaning != RunMeaning::Sum) return -1;
  const int sum = run.length == kWholeRunLength ? kWholeRunSum : 0;
  return static_cast<std::int16_t>(work.appendRun(run.first, run.step, run.length, sum));
}

}  // namespace

void setUpContext(GeneratorContext& context, RandomSource& random, int width, int height) {
  context.random = &random;
  context.width = width;
  context.height = height;
  context.lastSurplus = 0;
  context.clueCellCount = 0;
  context.work.allocate(width, height);
  context.scratch.allocate(width, height);
  context.pattern.allocate(random, width, height);
  context.clueCells = std::make_unique_for_overwrite<ClueCell[]>(width * height);
  context.branches = std::make_unique<BranchRecord[]>(kBranchCount);
  for (int i = 0; i < kBranchCount; ++i) {
    context.branches[i].grid.allocate(width, height);
  }
}

void tearDownContext(GeneratorContext& context) {
  context.work = WatchedGrid{};
  context.scratch = WatchedGrid{};
  context.pattern = BlockPattern{};
  context.clueCells.reset();
  context.clueCellCount = 0;
  context.branches.reset();
}

std::int16_t extractRuns(const BlockPattern& pattern, WatchedGrid& work, ClueCell* clueCells) {
  const int cellCount = pattern.width * pattern.height;
  const std::uint8_t* cells = pattern.cells.get();
  work.clearRuns();
  for (int p = 0; p < cellCount; ++p) work.masks[p] = cells[p] != 0 ? kAllDigits : kBlockMask;
  // Every block starts the runs that follow it; their sums are to be chosen.
  std::int16_t clueCount = 0;
  const auto isWhite = [cells](int p) { return cells[p] != 0; };
  const auto isBlock = [cells](int p) { return cells[p] == 0; };
  const auto noSum = [](int, bool) { return 0; };
  forEachLayoutRun(pattern.width, pattern.height, isWhite, isBlock, noSum, [&](const RunSpan& run) {
    if (clueCount == 0 || clueCells[clueCount - 1].position != run.clue)
      clueCells[clueCount++] = ClueCell{0, 0, static_cast<std::int16_t>(run.clue), -1, -1};
    ClueCell& clue = clueCells[clueCount - 1];
    const std::int16_t index = listRun(work, run);
    if (run.across) {
      clue.acrossLength = static_cast<std::int8_t>(run.length);
      clue.acrossRun = index;
    } else {
      clue.downLength = static_cast<std::int8_t>(run.length);
      clue.downRun = index;
    }
  });
  return clueCount;
}

bool settleRuns(WatchedGrid& grid) {
  int changes = 0;
  do {
    changes = propagateRuns(grid);
    if (grid.contradiction) return false;
  } while (changes > 0);
  return true;
}

Settled settleNewSums(GeneratorContext& context, WatchedGrid& grid) {
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
