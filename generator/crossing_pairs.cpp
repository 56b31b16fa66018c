#include "generator/crossing_pairs.h"

#include <algorithm>

namespace vantreel {

bool runsCross(const ClueCell& acrossCell, const ClueCell& downCell, int width) {
  const int acrossRow = acrossCell.position / width;
  const int acrossColumn = acrossCell.position % width;
  const int downRow = downCell.position / width;
  const int downColumn = downCell.position % width;
  return downRow < acrossRow && acrossRow <= downRow + downCell.downLength &&
         acrossColumn < downColumn && downColumn <= acrossColumn + acrossCell.acrossLength;
}

void writeSeedPair(WatchedGrid& scratch, const ClueCell& acrossCell, const ClueCell& downCell,
                   const SeedPair& pair) {
  Run& across = scratch.runs[acrossCell.acrossRun];
  Run& down = scratch.runs[downCell.downRun];
  if (acrossCell.acrossLength <= downCell.downLength) {
    across.sum = pair.first;
    down.sum = pair.second;
  } else {
    across.sum = pair.second;
    down.sum = pair.first;
  }
}

bool settleTrial(GeneratorContext& context, bool& solved) {
  const Settled settled = settleNewSums(context, context.scratch);
  if (settled == Settled::Failed) return false;
  if (settled == Settled::Solved) solved = true;
  copyGridState(context.work, context.scratch);
  return true;
}

bool seedCrossingPairs(GeneratorContext& context, bool& solved) {
  RandomSource& random = *context.random;
  const int width = context.width;
  const int cellCount = context.width * context.height;
  const int attemptBudget = 4 * cellCount;
  const int successBudget = 15 * cellCount / 10;
  int successes = 0;
  for (int attempt = 0; attempt < attemptBudget; ++attempt) {
    const ClueCell& acrossCell = context.clueCells[random.randomBelow(context.clueCellCount)];
    const ClueCell& downCell = context.clueCells[random.randomBelow(context.clueCellCount)];
    if (acrossCell.acrossRun == -1 || !needsClue(context.work.runs[acrossCell.acrossRun])) continue;
    if (downCell.downRun == -1 || !needsClue(context.work.runs[downCell.downRun])) continue;
    if (!runsCross(acrossCell, downCell, width)) continue;
    const int acrossLength = acrossCell.acrossLength;
    const int downLength = downCell.downLength;
    const SeedPairTable* table = seedPairTableFor(std::min(acrossLength, downLength),
                                                  std::max(acrossLength, downLength));
    if (table == nullptr) continue;
    // A crossing of two 2-cell runs is passed over one time in four.
    if (acrossLength == 2 && downLength == 2 && random.randomBelow(4) == 0) continue;
    const SeedPair& pair = table->entries[random.randomBelow(table->entryCount)];
    copyGridState(context.scratch, context.work);
    writeSeedPair(context.scratch, acrossCell, downCell, pair);
    if (!settleTrial(context, solved)) continue;
    if (solved) return true;
    if (++successes == successBudget) return true;
  }
  return true;
}

}  // namespace vantreel
