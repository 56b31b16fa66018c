#include <gtest/gtest.h>

#include <algorithm>

#include "generator/sum_probing.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

using testing::digitMask;
using testing::loadLayout;

constexpr CandidateMask kOneOrTwo = digitMask(1) | digitMask(2);

// A grid holding one run over cells 1, 2, ... with the given masks.
struct OneRun {
  SolverGrid grid;
  OneRun(std::initializer_list<CandidateMask> masks) {
    grid.allocate(12, 1);
    grid.runCount = 1;
    vantreel::Run& run = grid.runs[0];
    run = {0, static_cast<std::int8_t>(masks.size()), {}};
    int cell = 1;
    for (const CandidateMask mask : masks) {
      grid.masks[cell] = mask;
      run.cells[cell - 1] = static_cast<std::uint16_t>(cell);
      ++cell;
    }
  }
  // The counter after the probe, or -1 when the probe refuses the sum.
  int count(int sum, int target) const {
    std::int32_t counter = 0;
    return probeSum(grid, 0, sum, target, counter) ? counter : -1;
  }
};

TEST(SumProbe, CountsCellsNarrowedToTheTarget) {
  const OneRun pair({kAllDigits, kAllDigits});
  for (const int sum : {3, 17}) {  // both cells to {1, 2} or {8, 9}
    EXPECT_EQ(pair.count(sum, 2), 2);
    EXPECT_EQ(pair.count(sum, 1), 0);
  }
  EXPECT_EQ(pair.count(10, 2), 0);
}

TEST(SumProbe, RefusesSumsTheLengthCannotMakeOrThatEmptyACell) {
  const OneRun two({kAllDigits, kAllDigits});
  const OneRun three({kAllDigits, kAllDigits, kAllDigits});
  const OneRun eight({kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits,
                      kAllDigits});
  for (int sum = 1; sum <= 45; ++sum) {
    EXPECT_EQ(two.count(sum, 1) >= 0, sum >= 3 && sum <= 17) << sum;
    EXPECT_EQ(three.count(sum, 1) >= 0, sum >= 6 && sum <= 24) << sum;
    EXPECT_EQ(eight.count(sum, 1) >= 0, sum >= 36 && sum <= 44) << sum;
  }
  EXPECT_EQ(OneRun({digitMask(1), digitMask(2)}).count(10, 1), -1);
  EXPECT_EQ(OneRun({digitMask(1), digitMask(2), kAllDigits}).count(24, 1), -1);
  EXPECT_EQ(OneRun({digitMask(9), kAllDigits, kAllDigits, kAllDigits}).count(10, 1), -1);
}

TEST(SumProbe, CountsWhatTheReductionWouldSolveInLongRuns) {
  // Taking the solved 1 out of {1, 2} fixes the second cell, for any sum
  // and any target; a naked pair {1, 2} leaves {2, 3} only the 3.
  const OneRun solvedCell({digitMask(1), kOneOrTwo, kAllDigits, kAllDigits});
  for (const int sum : {10, 14, 20})
    for (const int target : {1, 2}) EXPECT_GE(solvedCell.count(sum, target), 1) << sum;
  EXPECT_EQ(solvedCell.count(10, 2), 1);
  EXPECT_EQ(OneRun({kOneOrTwo, kAllDigits, kOneOrTwo, digitMask(2) | digitMask(3), kAllDigits}).count(25, 3), 1);
  EXPECT_EQ(OneRun({digitMask(1), digitMask(1), kAllDigits, kAllDigits}).count(20, 1), -1);
}

TEST(TryRunSum, SettlesOnlySumsThatPassTheProbe) {
  RandomSource random(0);
  GeneratorContext context;
  loadLayout(context, random, {"..", ".."});
  context.scratch.masks[4] = 7;  // untouched while sums are refused
  bool solved = false;
  EXPECT_FALSE(tryRunSum(context, 2, 17, 1, solved));  // no cell down to one digit
  EXPECT_FALSE(tryRunSum(context, 2, 2, 2, solved));   // no two digits make 2
  EXPECT_EQ(context.scratch.masks[4], 7);
  EXPECT_TRUE(tryRunSum(context, 2, 17, 2, solved));
  EXPECT_EQ(context.work.runs[2].sum, 17);
  EXPECT_FALSE(solved);
}

TEST(RandomRuns, ADrawWithoutAQualifyingRunCostsTwoDraws) {
  RandomSource random(7);
  GeneratorContext context;
  const std::string comb = "#.#.#.#.##";
  loadLayout(context, random, {".........#", comb, comb, comb, comb, comb, comb, comb, comb, "##########"});
  bool solved = false;
  EXPECT_TRUE(probeRandomRuns(context, 25, 2, solved));
  EXPECT_TRUE(testing::hasTakenSteps(random, 7, 2 * 11 * 11));
}

TEST(RandomRuns, StopsWhenTheGridIsSolved) {
  // 9, 8 and 7 given: the first draws pick column 2 and the outer order,
  // whose sum 9 fixes the last cell. Nothing is drawn after that.
  const std::uint32_t seed = testing::seedForDraws({{1, 4}, {1, 2}, {0, 3}});
  RandomSource random(seed);
  GeneratorContext context;
  loadLayout(context, random, {"..", ".."});
  context.work.masks[4] = digitMask(9);
  context.work.masks[5] = digitMask(8);
  context.work.masks[7] = digitMask(7);
  bool solved = false;
  EXPECT_TRUE(probeRandomRuns(context, 100, 1, solved));
  EXPECT_TRUE(solved);
  EXPECT_TRUE(isSolved(context.work));
  EXPECT_TRUE(testing::hasTakenSteps(random, seed, 3));
}

}  // namespace
}  // namespace vantreel
