#include "generator/sum_probing.h"

#include "generator/crossing_pairs.h"
#include "solver/run_rules.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

// Counts a narrowed mask and tells whether it is still possible. Unchanged
// masks count for nothing.
bool noteNarrowing(CandidateMask before, CandidateMask after, int target, std::int32_t& counter) {
  if (after == before) return true;
  if (DigitCountTable[after] == target) ++counter;
  return after != 0;
}

}  // namespace

const std::array<std::uint8_t, 45> OuterFirstOrder = {
    1,  45, 2,  44, 3,  43, 4,  42, 5,  41, 6,  40, 7,  39, 8,  38, 9,  37, 10, 36, 11, 35, 12,
    34, 13, 33, 14, 32, 15, 31, 16, 30, 17, 29, 18, 28, 19, 27, 20, 26, 21, 25, 22, 24, 23};
const std::array<std::uint8_t, 45> MiddleFirstOrder = {
    23, 24, 22, 25, 21, 26, 20, 27, 19, 28, 18, 29, 17, 30, 16, 31, 15, 32, 14, 33, 13, 34, 12,
    35, 11, 36, 10, 37, 9,  38, 8,  39, 7,  40, 6,  41, 5,  42, 4,  43, 3,  44, 2,  45, 1};

bool probeSum(const SolverGrid& grid, int runIndex, int sum, int target, std::int32_t& counter) {
  const Run& run = grid.runs[runIndex];
  if (run.length <= 0) return false;
  // The probe writes nothing, so every cell is judged on the current masks;
  // a digit the table rule takes out supports no digit elsewhere, so the
  // rule's order changes nothing.
  const CandidateMask* masks = grid.masks.get();
  const auto narrowCell = [&](int cell, DigitSet allowed) {
    return noteNarrowing(masks[cell], masks[cell] & allowed, target, counter);
  };
  if (!walkTableRule(masks, run, sum, narrowCell)) return false;
  // Runs of two and three cells skip the reduction screen: the seeded
  // batches were made that way, and a changed count changes every puzzle.
  if (run.length < 4) return true;
  // What the unset-sum reduction would take out: independent of the probed
  // sum, and counting the cells it would solve.
  const auto removeDigits = [&](int cell, DigitSet digits) {
    return noteNarrowing(masks[cell], masks[cell] & ~digits, 1, counter);
  };
  return walkOpenSumRemovals(masks, run, removeDigits) >= 0;
}

bool propagatesWithSum(GeneratorContext& context, int runIndex, int sum) {
  std::int32_t narrowed = 0;
  if (!probeSum(context.work.plain(), runIndex, sum, 1, narrowed)) return false;
  copyGridState(context.scratch, context.work);
  context.scratch.runs[runIndex].sum = static_cast<std::uint8_t>(sum);
  return propagate(context.scratch);
}

bool tryRunSum(GeneratorContext& context, int runIndex, int sum, int target, bool& solved) {
  std::int32_t narrowed = 0;
  if (!probeSum(context.work.plain(), runIndex, sum, target, narrowed) || narrowed == 0) return false;
  copyGridState(context.scratch, context.work);
  context.scratch.runs[runIndex].sum = static_cast<std::uint8_t>(sum);
  return settleTrial(context, solved);
}

bool probeRandomRuns(GeneratorContext& context, int percent, int target, bool& solved) {
  RandomSource& random = *context.random;
  const int limit = percent * context.clueCellCount / 100;
  const int budget = context.width * context.height;
  // No run wanted: nothing to draw for.
  if (limit <= 0) return true;
  int successes = 0;
  for (int iteration = 0; iteration < budget; ++iteration) {
    const ClueCell& clue = context.clueCells[random.randomBelow(context.clueCellCount)];
    const bool down = random.randomBelow(2) == 1;
    const int length = down ? clue.downLength : clue.acrossLength;
    const int runIndex = down ? clue.downRun : clue.acrossRun;
    if (length >= 2 && length <= 8 && runIndex != -1 && needsClue(context.work.runs[runIndex])) {
      // One order in three starts from the extreme sums, the rest from the middle.
      const auto& order = random.randomBelow(3) == 0 ? OuterFirstOrder : MiddleFirstOrder;
      for (const std::uint8_t sum : order) {
        if (tryRunSum(context, runIndex, sum, target, solved)) {
          ++successes;
          break;
        }
      }
    }
    if (solved || successes == limit) return true;
  }
  return true;
}

}  // namespace vantreel
