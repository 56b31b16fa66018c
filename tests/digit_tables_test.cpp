#include <gtest/gtest.h>

#include <bit>
#include <vector>

#include "tables/combination_table.h"
#include "tables/digit_tables.h"

namespace vantreel {
namespace {

constexpr DigitSet set(std::initializer_list<int> digits) {
  DigitSet result = 0;
  for (int d : digits) result |= DigitSet(1 << (d - 1));
  return result;
}

DigitSet pair(int sum, DigitSet partners) { return PairTable[sum - kPairMinSum][partners]; }
DigitSet triple(int sum, DigitSet a, DigitSet b) { return tripleDigits(sum, a, b); }

TEST(DigitTables, SumsAndCountsOfSets) {
  EXPECT_EQ(DigitCountTable[511], 9);
  EXPECT_EQ(DigitSumTable[511], 45);
  EXPECT_EQ(DigitSumTable[0], 0);
  EXPECT_EQ(DigitCountTable[0], 0);
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(DigitSumTable[1 << (d - 1)], d);
  EXPECT_EQ(DigitSumTable[set({2, 7, 9})], 18);
}

TEST(DigitTables, PairRowsLeaveOutRepeatedDigits) {
  EXPECT_EQ(pair(10, 511), set({1, 2, 3, 4, 6, 7, 8, 9}));
  EXPECT_EQ(pair(4, set({2})), 0);
  EXPECT_EQ(pair(4, set({1, 3})), set({1, 3}));
  EXPECT_EQ(pair(3, 511), set({1, 2}));
  EXPECT_EQ(pair(16, set({7, 8, 9})), set({7, 9}));
  for (int sum = kPairMinSum; sum <= kPairMaxSum; ++sum) {
    EXPECT_EQ(pair(sum, 0), 0);
    if (sum % 2 == 0) {
      EXPECT_EQ(pair(sum, set({sum / 2})), 0);
    }
    for (int m = 0; m < kSetCount; ++m) EXPECT_EQ(pair(sum, m) & ~kAllDigits, 0);
  }
}

TEST(DigitTables, ClassIdsFollowLengthThenSum) {
  EXPECT_EQ(ComboClassTable[3 - 1][5], 0);
  EXPECT_EQ(ComboClassTable[9 - 1][45], 138);
  EXPECT_EQ(ComboClassTable[2 - 1][0], 11);
  EXPECT_EQ(ComboClassTable[1 - 1][9], 10);
  EXPECT_EQ(ComboClassTable[4 - 1][10], 48);
  EXPECT_EQ(ComboClassTable[8 - 1][0], 127);
  EXPECT_EQ(ComboClassTable[8 - 1][44], 136);
  int expected = 1;
  for (int length = 1; length <= 9; ++length)
    for (int sum = 0; sum <= kMaxSum; ++sum) {
      const bool valid = sum == 0 || (sum >= length * (length + 1) / 2 && sum <= length * (19 - length) / 2);
      EXPECT_EQ(ComboClassTable[length - 1][sum], valid ? expected++ : 0) << length << "," << sum;
    }
}

TEST(DigitTables, TellingComboEntries) {
  const auto meet = [](int length, int sum, DigitSet m) { return ComboMeetTable[ComboClassTable[length - 1][sum] - 1][m]; };
  const auto within = [](int length, int sum, DigitSet m) { return ComboWithinTable[ComboClassTable[length - 1][sum] - 1][m]; };
  EXPECT_EQ(meet(4, 11, set({5})), set({1, 2, 3, 5}));
  EXPECT_EQ(meet(4, 11, set({6})), 0);
  EXPECT_EQ(within(4, 11, set({1, 2, 3, 5})), set({1, 2, 3, 5}));
  EXPECT_EQ(within(4, 11, set({1, 2, 3, 4})), 0);
  EXPECT_EQ(meet(4, 12, set({4})), set({1, 2, 4, 5}));
  EXPECT_EQ(meet(4, 12, set({9})), 0);
  EXPECT_EQ(within(4, 12, 511 & ~set({1})), 0);
  EXPECT_EQ(meet(5, 35, set({1})), 0);
  EXPECT_EQ(meet(4, 0, set({9})), 511);
  EXPECT_EQ(within(4, 0, set({1, 2, 3})), 0);
  EXPECT_EQ(within(4, 0, set({1, 2, 3, 9})), set({1, 2, 3, 9}));
  for (int m = 0; m < 511; ++m) EXPECT_EQ(within(9, 45, m), 0);
  EXPECT_EQ(within(9, 45, 511), 511);
}

// Brute force: walk every combination of every class.
TEST(DigitTables, ComboTablesAgreeWithEveryCombination) {
  for (int length = 1; length <= 9; ++length)
    for (int sum = 0; sum <= kMaxSum; ++sum) {
      const int id = ComboClassTable[length - 1][sum];
      if (id == 0) continue;
      for (int m = 0; m < kSetCount; ++m) {
        DigitSet meet = 0, within = 0;
        for (int combo = 1; combo < kSetCount; ++combo) {
          if (std::popcount(unsigned(combo)) != length) continue;
          if (sum != 0 && DigitSumTable[combo] != sum) continue;
          if (combo & m) meet |= combo;
          if ((combo & ~m) == 0) within |= combo;
        }
        ASSERT_EQ(ComboMeetTable[id - 1][m], meet) << length << "," << sum << "," << m;
        ASSERT_EQ(ComboWithinTable[id - 1][m], within) << length << "," << sum << "," << m;
      }
      EXPECT_EQ(ComboWithinTable[id - 1][511], ComboMeetTable[id - 1][511]);
    }
}

TEST(CombinationTable, EverySliceHoldsExactlyItsSetsInOrder) {
  std::size_t listed = 0;
  for (int size = 0; size <= 9; ++size) {
    std::vector<DigitSet> bySize;
    for (int sum = 0; sum <= kMaxSum; ++sum) {
      std::vector<DigitSet> expected;
      for (int set = 0; set < kSetCount; ++set)
        if (std::popcount(unsigned(set)) == size && DigitSumTable[set] == sum) expected.push_back(DigitSet(set));
      const auto slice = combinationsOf(size, sum);
      EXPECT_EQ(std::vector<DigitSet>(slice.begin(), slice.end()), expected) << size << " digits, sum " << sum;
      bySize.insert(bySize.end(), expected.begin(), expected.end());
      listed += slice.size();
    }
    const auto all = combinationsOfSize(size);
    EXPECT_EQ(std::vector<DigitSet>(all.begin(), all.end()), bySize) << size << " digits";
  }
  EXPECT_EQ(listed, std::size_t(kSetCount));
}

TEST(TripleTable, TellingEntries) {
  EXPECT_EQ(triple(6, set({1}), set({2})), set({3}));
  EXPECT_EQ(triple(6, set({1, 2}), set({1, 2})), set({3}));
  EXPECT_EQ(triple(9, set({3}), set({3})), 0);
  EXPECT_EQ(triple(15, set({1, 2}), set({4, 5})), set({8, 9}));
  EXPECT_EQ(triple(24, 511, 511), set({7, 8, 9}));
  EXPECT_EQ(triple(23, 511, 511), set({6, 8, 9}));
  EXPECT_EQ(triple(7, 511, 511), set({1, 2, 4}));
}

// Every entry of the split table against the rule itself: some x in A, y in
// B with x, y, z distinct and x + y + z = s. Also covers symmetry and the
// empty rows.
TEST(TripleTable, EveryEntryFollowsTheRule) {
  for (int sum = kTripleMinSum; sum <= kTripleMaxSum; ++sum)
    for (int a = 0; a < kSetCount; ++a)
      for (int b = 0; b < kSetCount; ++b) {
        DigitSet expected = 0;
        for (int z = 1; z <= 9; ++z)
          for (int x = 1; x <= 9; ++x) {
            const int y = sum - x - z;
            if (y < 1 || y > 9 || x == y || x == z || y == z) continue;
            if ((a >> (x - 1) & 1) && (b >> (y - 1) & 1)) expected |= DigitSet(1 << (z - 1));
          }
        ASSERT_EQ(triple(sum, a, b), expected) << sum << "," << a << "," << b;
        // The table's former build rule agrees: for each x in A, the pair
        // row of s - x over B without x, without x.
        DigitSet fromPairs = 0;
        for (int x = 1; x <= 9; ++x) {
          const DigitSet digit = DigitSet(1 << (x - 1));
          const int rest = sum - x;
          if ((a & digit) && rest >= kPairMinSum && rest <= kPairMaxSum)
            fromPairs |= pair(rest, DigitSet(b & ~digit)) & ~digit;
        }
        ASSERT_EQ(fromPairs, expected) << sum << "," << a << "," << b;
      }
}

}  // namespace
}  // namespace vantreel
