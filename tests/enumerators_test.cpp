#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "solver/enumerators.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;

struct Support {
  bool found = false;
  std::vector<DigitSet> cells;
};

// `used`: digits that cells before these already hold; `sum` counts them.
Support enumerate(const std::vector<CandidateMask>& masks, int sum, DigitSet used = 0) {
  std::vector<std::uint16_t> cells(masks.size());
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<std::uint16_t>(i);
  Support support;
  support.cells.assign(masks.size(), 0);
  support.found = enumerateCombinations[masks.size()](masks.data(), cells.data(), support.cells.data(), used,
                                                      static_cast<std::uint8_t>(sum));
  return support;
}

// The obvious oracle: try every filling with distinct digits.
void fillAll(const std::vector<CandidateMask>& masks, int sum, std::size_t at, DigitSet used, int total,
             std::vector<int>& chosen, Support& support) {
  if (at == masks.size()) {
    if (total != sum) return;
    support.found = true;
    for (std::size_t i = 0; i < chosen.size(); ++i) support.cells[i] |= DigitSet(1 << (chosen[i] - 1));
    return;
  }
  for (int d = 1; d <= 9; ++d) {
    const DigitSet bit = DigitSet(1 << (d - 1));
    if (!(masks[at] & bit) || (used & bit) || total + d > sum) continue;
    chosen[at] = d;
    fillAll(masks, sum, at + 1, used | bit, total + d, chosen, support);
  }
}

Support bruteForce(const std::vector<CandidateMask>& masks, int sum) {
  Support support;
  support.cells.assign(masks.size(), 0);
  std::vector<int> chosen(masks.size());
  fillAll(masks, sum, 0, 0, 0, chosen, support);
  return support;
}

TEST(Enumerators, TellingRuns) {
  const CandidateMask all = kAllDigits;
  Support four = enumerate({all, all, all, all}, 10);
  EXPECT_TRUE(four.found);
  for (DigitSet s : four.cells) EXPECT_EQ(s, digits({1, 2, 3, 4}));

  const CandidateMask no9 = all & ~digits({9});
  EXPECT_FALSE(enumerate({no9, no9, no9, no9}, 30).found);
  Support oneLost = enumerate({no9, all, all, all}, 30);
  EXPECT_TRUE(oneLost.found);
  EXPECT_EQ(oneLost.cells[0], digits({6, 7, 8}));
  for (int i = 1; i < 4; ++i) EXPECT_EQ(oneLost.cells[i], digits({6, 7, 8, 9}));

  Support five = enumerate({all, all, all, all, all}, 35);
  for (DigitSet s : five.cells) EXPECT_EQ(s, digits({5, 6, 7, 8, 9}));
}

TEST(Enumerators, AgreeWithBruteForceForEveryLength) {
  std::mt19937 random(4242);
  for (int length = 4; length <= 9; ++length)
    for (int trial = 0; trial < 150; ++trial) {
      std::vector<CandidateMask> masks(length);
      for (auto& mask : masks) mask = static_cast<CandidateMask>(random() % 511 + 1);
      if (trial % 5 == 0)
        for (auto& mask : masks) mask = kAllDigits;
      const int lowest = length * (length + 1) / 2, highest = length * (19 - length) / 2;
      const int sum = lowest + static_cast<int>(random() % (highest - lowest + 1));
      const Support fast = enumerate(masks, sum), slow = bruteForce(masks, sum);
      ASSERT_EQ(fast.found, slow.found) << "length " << length << " sum " << sum;
      if (fast.found) {
        ASSERT_EQ(fast.cells, slow.cells) << "length " << length << " sum " << sum;
      }
      // The same run behind cells that already hold some digits (the exact
      // search's case): those digits are barred and their total is part of
      // the sum.
      if (length < 9) {
        DigitSet used = 0;
        int usedTotal = 0;
        for (int d = 1; d <= 9; ++d)
          if (DigitCountTable[used] < 9 - length && random() % 4 == 0) used |= DigitSet(1 << (d - 1)), usedTotal += d;
        std::vector<CandidateMask> barred(masks);
        for (auto& mask : barred) mask &= ~used;
        const Support behind = enumerate(masks, sum + usedTotal, used), plain = bruteForce(barred, sum);
        ASSERT_EQ(behind.found, plain.found) << "length " << length << " sum " << sum << " used " << used;
        if (behind.found) {
          ASSERT_EQ(behind.cells, plain.cells) << "length " << length << " used " << used;
        }
      }
    }
}

}  // namespace
}  // namespace vantreel
