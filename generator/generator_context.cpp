#include "generator/generator_context.h"

#include "solver/run_propagation.h"

namespace vantreel {
namespace {

constexpr int kWholeRunLength = 9;
constexpr std::uint8_t kWholeRunSum = 45;  // 1 + 2 + ... + 9

int countWhite(const BlockPattern& pattern, int first, int step) {
  const int cellCount = pattern.width * pattern.height;
  int length = 0;
  for (int p = first; p < cellCount && pattern.cells[p] != 0; p += step) ++length;
  return length;
}

// Appends the run of `length` cells from `first`; -1 when there is no run.
std::int16_t appendRun(SolverGrid& work, int first, int step, int length) {
  if (length < 2 || length > kWholeRunLength) return -1;
  Run& run = work.runs[work.runCount];
  run.sum = length == kWholeRunLength ? kWholeRunSum : 0;
  run.length = static_cast<std::int8_t>(length);
  for (int i = 0; i < length; ++i) run.cells[i] = static_cast<std::uint16_t>(first + i * step);
  return static_cast<std::int16_t>(work.runCount++);
}

}  // namespace

void setUpContext(GeneratorContext& context, RandomSource& random, int width, int height) {
  context.random = &random;
  context.width = static_cast<std::int8_t>(width);
  context.height = static_cast<std::int8_t>(height);
  context.lastSurplus = 0;
  context.clueCellCount = 0;
  context.work.allocate(width, height);
  context.scratch.allocate(width, height);
  context.pattern.allocate(random, width, height);
  context.clueCells = std::make_unique_for_overwrite<ClueCell[]>(width * height);
  context.branches = std::make_unique<BranchRecord[]>(kBranchCount);
  for (int i = 0; i < kBranchCount; ++i) context.branches[i].grid.allocate(width, height);
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
  work.runCount = 0;
  std::int16_t clueCount = 0;
  for (int p = 0; p < cellCount; ++p) {
    if (pattern.cells[p] != 0) {
      work.masks[p] = kAllDigits;
      continue;
    }
    work.masks[p] = kBlockMask;
    // Column 0 is a block in every row, so the across count ends in its row.
    const int across = countWhite(pattern, p + 1, 1);
    const int down = countWhite(pattern, p + width, width);
    if (across == 0 && down == 0) continue;
    ClueCell& clue = clueCells[clueCount++];
    clue.acrossLength = static_cast<std::int8_t>(across);
    clue.downLength = static_cast<std::int8_t>(down);
    clue.position = static_cast<std::int16_t>(p);
    clue.acrossRun = appendRun(work, p + 1, 1, across);
    clue.downRun = appendRun(work, p + width, width, down);
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

}  // namespace vantreel
