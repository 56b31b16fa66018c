#include "generator/puzzle_pipeline.h"

#include "generator/best_sum_fill.h"
#include "generator/branch_search.h"
#include "generator/crossing_pairs.h"
#include "generator/grading.h"
#include "generator/sum_probing.h"

namespace vantreel {

bool assignClues(GeneratorContext& context) {
  bool solved = false;
  seedCrossingPairs(context, solved);
  if (solved) return true;
  probeRandomRuns(context, 25, 2, solved);
  if (solved) return true;
  probeRandomRuns(context, 35, 1, solved);
  if (solved) return true;
  // Too many open candidates for the exhaustive stages: probe more, or give
  // the layout up.
  const int surplusLimit = context.width * context.height / 3;
  if (context.lastSurplus > surplusLimit) {
    probeRandomRuns(context, 15, 1, solved);
    if (solved) return true;
  }
  if (context.lastSurplus > surplusLimit) return false;
  if (!fillBestSums(context, solved)) return false;
  if (solved) return true;
  return collectBranches(context);
}

int makePuzzle(RandomSource& random, int width, int height, Board& board) {
  board.allocate(width, height);
  GeneratorContext context;
  setUpContext(context, random, width, height);
  int attempts = 0;
  for (;;) {
    ++attempts;
    context.lastSurplus = 0;
    context.work.contradiction = 0;
    context.work.runCount = 0;
    if (!generate(context.pattern)) continue;
    context.clueCellCount = extractRuns(context.pattern, context.work, context.clueCells.get());
    if (assignClues(context) && gradePuzzle(context, board)) break;
  }
  tearDownContext(context);
  return attempts;
}

}  // namespace vantreel
