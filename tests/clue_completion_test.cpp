#include <gtest/gtest.h>

#include "generator/best_sum_fill.h"
#include "generator/branch_search.h"
#include "tests/generator_fixtures.h"

namespace vantreel {
namespace {

using testing::digitMask;
using testing::loadLayout;

// Runs 0..2 are columns 1..3, runs 3..5 rows 1..3.
const std::vector<std::string> kThreeByThree = {"...", "...", "..."};

struct Layout {
  RandomSource random{0};
  GeneratorContext context;
  bool solved = false;
  explicit Layout(const std::vector<std::string>& rows) { loadLayout(context, random, rows); }
};

TEST(BestSumFill, LeavesTwoCellRunsAloneAndNeedsABoundToBeat) {
  Layout pairs({"..", ".."});
  pairs.context.lastSurplus = 1000;
  EXPECT_TRUE(fillBestSums(pairs.context, pairs.solved));
  EXPECT_FALSE(pairs.solved);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pairs.context.work.runs[i].sum, 0);

  Layout bound(kThreeByThree);
  bound.context.lastSurplus = 0;
  EXPECT_FALSE(fillBestSums(bound.context, bound.solved));
}

TEST(BestSumFill, TakesTheSmallerOfEquallyGoodSums) {
  // For column 1, sums 6 and 24 leave the same surplus; 6 comes first and
  // only a strictly smaller surplus replaces it.
  Layout square(kThreeByThree);
  square.context.lastSurplus = 1000;
  [[maybe_unused]] const bool filled = fillBestSums(square.context, square.solved);
  const DigitSet lowThree = digitMask(1) | digitMask(2) | digitMask(3);
  for (const int cell : {5, 9, 13}) EXPECT_EQ(square.context.work.masks[cell] & ~lowThree, 0) << cell;
}

TEST(BranchSearch, FindsCluesWithExactlyOneSolution) {
  Layout square({"..", ".."});
  ASSERT_TRUE(collectBranches(square.context));
  ASSERT_TRUE(isSolved(square.context.work));
  const CandidateMask* masks = square.context.work.masks.get();
  const int a = DigitSumTable[masks[4]], b = DigitSumTable[masks[5]];
  const int c = DigitSumTable[masks[7]], d = DigitSumTable[masks[8]];
  int fillings = 0;  // every 2 x 2 filling that fits the derived clues
  for (int w = 1; w <= 9; ++w)
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        for (int z = 1; z <= 9; ++z)
          fillings += w != x && y != z && w != y && x != z && w + x == a + b && y + z == c + d &&
                      w + y == a + c && x + z == b + d;
  EXPECT_EQ(fillings, 1);
}

TEST(BranchSearch, GivesUpOnTooManyCandidatesAndSetsLoneOnesAtOnce) {
  Layout crowded(kThreeByThree);  // six runs of 19 sums: 114 candidates
  EXPECT_FALSE(collectBranches(crowded.context));

  // 9, 8, 7 and {1, 8}: column 2 allows only 9, then row 2 only 8.
  Layout lone({"..", ".."});
  CandidateMask* masks = lone.context.work.masks.get();
  masks[4] = digitMask(9);
  masks[5] = digitMask(8);
  masks[7] = digitMask(7);
  masks[8] = digitMask(1) | digitMask(8);
  ASSERT_TRUE(collectBranches(lone.context));
  EXPECT_TRUE(isSolved(lone.context.work));
}

TEST(BranchSearch, PassesOverARecordWhoseRunAnEarlierChoiceClosed) {
  // Row 1's sum 3 (cell 5 holds 2) fixes cell 4 and so closes column 1,
  // whose record has no sum to try.
  Layout square({"..", ".."});
  CandidateMask* masks = square.context.work.masks.get();
  masks[5] = digitMask(2);
  masks[7] = digitMask(5);
  masks[8] = digitMask(6);
  BranchRecord* records = square.context.branches.get();
  records[0].run = 2;
  records[0].candidateSums[0] = 3;
  records[0].candidateSums[1] = 0;
  records[1].run = 0;
  records[1].candidateSums[0] = 0;
  ASSERT_TRUE(searchBranches(square.context, 0, 2));
  EXPECT_TRUE(isSolved(square.context.work));
  EXPECT_EQ(masks[4], digitMask(1));
}

}  // namespace
}  // namespace vantreel
