#include <gtest/gtest.h>

#include <bit>

#include "generator/crossing_pairs.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

using testing::digitMask;
using testing::loadLayout;

// Digits of the combinations of `length` distinct digits adding up to `sum`.
DigitSet digitsOfCombinations(int length, int sum) {
  DigitSet digits = 0;
  for (unsigned set = 0; set < 512; ++set) {
    int total = 0;
    for (int d = 1; d <= 9; ++d) total += (set >> (d - 1) & 1) * d;
    if (std::popcount(set) == length && total == sum) digits |= static_cast<DigitSet>(set);
  }
  return digits;
}

TEST(SeedPairTable, EveryPairLeavesTheSharedCellOneDigit) {
  int tables = 0;
  for (int shorter = 2; shorter <= 9; ++shorter) {
    for (int longer = shorter; longer <= 9; ++longer) {
      const SeedPairTable* table = seedPairTableFor(shorter, longer);
      if (table == nullptr) continue;
      ++tables;
      for (int i = 0; i < table->entryCount; ++i) {
        const SeedPair& pair = table->entries[i];
        EXPECT_EQ(std::popcount(static_cast<unsigned>(digitsOfCombinations(shorter, pair.first) &
                                                      digitsOfCombinations(longer, pair.second))),
                  1)
            << shorter << "x" << longer << " entry " << i;
      }
    }
  }
  EXPECT_EQ(tables, 15);
  EXPECT_EQ(seedPairTableFor(2, 2)->entryCount, 34);
  EXPECT_EQ(seedPairTableFor(3, 8), nullptr);
  EXPECT_EQ(seedPairTableFor(5, 5), nullptr);
}

TEST(CrossingPairs, RunsCrossWhereTheyShareACellAndTheShorterTakesTheFirstSum) {
  // Width 12: across 3 from (2, 4) and down 4 from (3, 2) share (3, 4).
  const ClueCell across{3, 0, 4 * 12 + 2, 0, -1}, down{0, 4, 2 * 12 + 3, -1, 1};
  EXPECT_TRUE(runsCross(across, down, 12));
  EXPECT_FALSE(runsCross(across, ClueCell{0, 1, 2 * 12 + 3, -1, 1}, 12));  // ends above row 4
  EXPECT_FALSE(runsCross(ClueCell{3, 4, 50, 0, 1}, ClueCell{3, 4, 50, 0, 1}, 12));

  RandomSource random(0);
  GeneratorContext context;
  setUpContext(context, random, 12, 12);
  WatchedGrid& scratch = context.scratch;
  writeSeedPair(scratch, across, ClueCell{0, 2, 0, -1, 1}, SeedPair{12, 6});
  EXPECT_EQ(scratch.runs[1].sum, 12);  // the two-cell down run
  EXPECT_EQ(scratch.runs[0].sum, 6);
  writeSeedPair(scratch, across, ClueCell{0, 3, 0, -1, 1}, SeedPair{6, 20});
  EXPECT_EQ(scratch.runs[0].sum, 6);  // equal lengths: across first
  EXPECT_EQ(scratch.runs[1].sum, 20);
}

// The 2 x 2 board of 1/2/2/nghhg: runs 0 and 1 are columns 1 and 2, runs 2
// and 3 rows 1 and 2.
struct SmallSquare {
  RandomSource random{0};
  GeneratorContext context;
  bool solved = false;
  SmallSquare() { loadLayout(context, random, {"..", ".."}); }
  bool settle(std::initializer_list<std::pair<int, int>> sums) {
    copyGridState(context.scratch, context.work);
    for (const auto& [run, sum] : sums) context.scratch.runs[run].sum = static_cast<std::uint8_t>(sum);
    return settleTrial(context, solved);
  }
};

TEST(Settlement, TakesConsistentTrialsAndFinishesSolvedOnes) {
  SmallSquare open;
  ASSERT_TRUE(open.settle({{2, 3}}));  // row 1: {1, 2}
  EXPECT_FALSE(open.solved);
  EXPECT_EQ(open.context.work.masks[5], digitMask(1) | digitMask(2));
  EXPECT_EQ(open.context.lastSurplus, surplus(open.context.work));

  SmallSquare done;
  ASSERT_TRUE(done.settle({{2, 17}, {0, 16}, {1, 17}}));  // 9 8 over 7 9
  EXPECT_TRUE(done.solved);
  EXPECT_TRUE(isSolved(done.context.work));
  EXPECT_EQ(done.context.work.masks[8], digitMask(9));
  EXPECT_EQ(done.context.lastSurplus, 0);
}

TEST(Settlement, RejectsContradictionsAndUndecidedGridsLeavingWorkAlone) {
  SmallSquare clash;  // row 1 {1, 2} against column 1 {8, 9}
  EXPECT_FALSE(clash.settle({{2, 3}, {0, 17}}));
  EXPECT_EQ(clash.context.work.runs[2].sum, 0);
  EXPECT_EQ(clash.context.work.masks[4], kAllDigits);

  // An unset run of solved cells (surplus 0) beside a sum-10 run whose
  // cells both hold {1, 9}: no contradiction, but nothing decides it.
  SmallSquare undecided;
  WatchedGrid& trial = undecided.context.scratch;
  copyGridState(trial, undecided.context.work);
  trial.runCount = 2;
  trial.runs[0] = vantreel::Run{0, 2, {4, 5}};
  trial.runs[1] = vantreel::Run{10, 2, {7, 8}};
  trial.masks[4] = digitMask(1);
  trial.masks[5] = digitMask(2);
  trial.masks[7] = trial.masks[8] = digitMask(1) | digitMask(9);
  EXPECT_FALSE(settleTrial(undecided.context, undecided.solved));
  EXPECT_FALSE(undecided.solved);
  EXPECT_EQ(undecided.context.lastSurplus, 0);  // measured, though rejected
  EXPECT_EQ(undecided.context.work.masks[4], kAllDigits);
}

TEST(CrossingPairs, NineCellRunsNeverTakePartAndEachAttemptDrawsTwice) {
  // Only nine-cell runs and single cells: all 4 * 11 * 11 attempts end
  // after their two draws.
  RandomSource random(99);
  GeneratorContext context;
  const std::string comb = "#.#.#.#.##";
  loadLayout(context, random, {".........#", comb, comb, comb, comb, comb, comb, comb, comb, "##########"});
  bool solved = false;
  EXPECT_TRUE(seedCrossingPairs(context, solved));
  EXPECT_FALSE(solved);
  EXPECT_TRUE(testing::hasTakenSteps(random, 99, 2 * 4 * 11 * 11));
}

}  // namespace
}  // namespace vantreel
