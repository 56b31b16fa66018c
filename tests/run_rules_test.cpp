#include <gtest/gtest.h>

#include <vector>

#include "solver/run_passes.h"
#include "tables/combination_table.h"

namespace vantreel {
namespace {

// Digit d of a set, lowest first; the sets of the small domains below.
std::vector<int> digitsOf(DigitSet set) {
  std::vector<int> list;
  for (int d = 1; d <= 9; ++d)
    if (set & (1 << (d - 1))) list.push_back(d);
  return list;
}

// Each cell's digits that some filling of distinct digits, none used,
// completes to the sum: the exact support, by trying every filling.
std::vector<DigitSet> bruteSupport(const std::vector<DigitSet>& masks, int sum, DigitSet used) {
  const int count = static_cast<int>(masks.size());
  std::vector<DigitSet> support(count, 0);
  std::vector<int> digits(count);
  auto fill = [&](auto&& self, int k, DigitSet taken, int total) -> void {
    if (k == count) {
      if (total == sum)
        for (int i = 0; i < count; ++i) support[i] |= DigitSet(1 << (digits[i] - 1));
      return;
    }
    for (const int d : digitsOf(masks[k] & ~taken & ~used)) {
      digits[k] = d;
      self(self, k + 1, taken | DigitSet(1 << (d - 1)), total + d);
    }
  };
  fill(fill, 0, 0, 0);
  return support;
}

// Pair and triple tables give exact supports: every pair of masks, every
// triple over a domain of five digits, every sum, with and without used digits.
TEST(TableRule, GivesTheExactSupportOfTwoAndThreeCells) {
  for (int sum = 1; sum <= 20; ++sum)
    for (int a = 0; a < kSetCount; a += 5)
      for (int b = sum % 3; b < kSetCount; b += 3) {
        const std::vector<DigitSet> masks{DigitSet(a), DigitSet(b)};
        for (const DigitSet used : {DigitSet(0), DigitSet(0x111)}) {
          DigitSet allowed[2];
          const std::vector<DigitSet> expected = bruteSupport(masks, sum, used);
          if (!tableRule(masks.data(), 2, sum, used, allowed)) {
            EXPECT_TRUE(sum < 3 || sum > 17) << sum;
            continue;
          }
          EXPECT_EQ(allowed[0], expected[0]) << sum << " " << a << " " << b;
          EXPECT_EQ(allowed[1], expected[1]) << sum << " " << a << " " << b;
        }
      }
  const DigitSet domain[] = {0, 0x002, 0x008, 0x010, 0x040, 0x100};  // digits 2, 4, 5, 7, 9
  std::vector<DigitSet> subsets;
  for (int bits = 0; bits < 32; ++bits) {
    DigitSet set = 0;
    for (int i = 0; i < 5; ++i)
      if (bits & (1 << i)) set |= domain[i + 1];
    subsets.push_back(set | DigitSet(bits & 1 ? 0x001 : 0));  // and digit 1 now and then
  }
  for (int sum = 6; sum <= 24; sum += 2)
    for (const DigitSet a : subsets)
      for (const DigitSet b : subsets)
        for (const DigitSet c : subsets) {
          const std::vector<DigitSet> masks{a, b, c};
          DigitSet allowed[3];
          ASSERT_TRUE(tableRule(masks.data(), 3, sum, 0, allowed));
          EXPECT_EQ(std::vector<DigitSet>(allowed, allowed + 3), bruteSupport(masks, sum, 0))
              << sum << " " << a << " " << b << " " << c;
        }
}

// Longer runs get the class rule: the digits of the combinations inside the
// cells' union, and of those meeting each cell.
TEST(TableRule, KeepsWhatTheCombinationsInsideAndMeetingEveryCellAllow) {
  std::uint32_t seed = 5;
  int checked = 0;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (int trial = 0; trial < 20000; ++trial) {
    const int count = 4 + static_cast<int>(next() >> 8) % 6;
    const int sum = 1 + static_cast<int>(next() >> 8) % kMaxSum;
    const DigitSet used = (next() >> 8) % 3 == 0 ? DigitSet(1 << ((next() >> 8) % 9)) : 0;
    std::vector<DigitSet> masks(count);
    for (DigitSet& mask : masks) mask = DigitSet(((next() >> 8) & kAllDigits) | ((next() >> 8) & kAllDigits));
    DigitSet allowed[kMaxRunLength];
    const bool fits = tableRule(masks.data(), count, sum, used, allowed);
    checked += fits;
    const auto combinations = combinationsOf(count, sum);
    ASSERT_EQ(fits, !combinations.empty()) << count << " " << sum;
    if (!fits) continue;
    DigitSet present = 0;
    for (const DigitSet mask : masks) present |= mask & ~used;
    DigitSet inside = 0, meetsAll = kAllDigits;
    for (const DigitSet combination : combinations)
      if ((combination & present) == combination) inside |= combination;
    for (const DigitSet mask : masks) {
      DigitSet meeting = 0;
      for (const DigitSet combination : combinations)
        if (combination & mask & ~used) meeting |= combination;
      meetsAll &= meeting;
    }
    for (int k = 0; k < count; ++k)
      EXPECT_EQ(allowed[k], masks[k] & inside & meetsAll & ~used) << count << " " << sum << " cell " << k;
  }
  EXPECT_GT(checked, 5000);
}

// Every run of two to four cells over the digits 1..4, every mask state.
template <typename Visit>
void forEveryRunOverFourDigits(Visit visit) {
  for (int length = 2; length <= 4; ++length) {
    int states = 1;
    for (int k = 0; k < length; ++k) states *= 15;
    for (int state = 0; state < states; ++state) {
      std::vector<DigitSet> masks;
      for (int rest = state, k = 0; k < length; ++k, rest /= 15) masks.push_back(DigitSet(1 + rest % 15));
      visit(masks);
    }
  }
}

// One row of ten cells with a single run over cells 1..n holding `masks`.
SolverGrid gridOfMasks(int sum, const std::vector<DigitSet>& masks) {
  SolverGrid grid;
  grid.allocate(10, 2);
  for (int p = 0; p < grid.cellCount(); ++p) grid.masks[p] = kBlockMask;
  appendRun(grid, 1, 1, static_cast<int>(masks.size()), sum);
  for (std::size_t k = 0; k < masks.size(); ++k) grid.masks[1 + k] = masks[k];
  return grid;
}

TEST(OpenSumRun, TheTallyTellsExactlyWhenTheRemovalsWouldChangeNothing) {
  forEveryRunOverFourDigits([](const std::vector<DigitSet>& masks) {
    SolverGrid grid = gridOfMasks(0, masks);
    bool changed = false;
    std::vector<CandidateMask> walked(grid.masks.get(), grid.masks.get() + grid.cellCount());
    const int solved = walkOpenSumRemovals(walked.data(), grid.runs[0], [&](int cell, DigitSet digits) {
      changed |= (walked[cell] & digits) != 0;
      walked[cell] &= ~digits;
      return true;
    });
    int tallied = -1;
    const bool nothing = run_steps::removalsChangeNothing(grid.masks.get(), grid.runs[0], tallied);
    ASSERT_EQ(nothing, !changed) << masks[0] << " " << masks[1];
    if (nothing) {
      ASSERT_EQ(tallied, solved);
    }
  });
}

// One reduction step worked out from the rule as a person states it: the
// first solved cell or naked pair in cell order leaves the run.
struct Reduced {
  bool contradiction = false;
  bool changed = false;
  int sum = 0;
  std::vector<int> cells;          // positions 0.. still listed
  std::vector<DigitSet> masks;     // every position
  std::vector<int> splitCells;     // a pair split off, if any
};

Reduced reduceByHand(int sum, std::vector<DigitSet> masks) {
  Reduced out;
  const int length = static_cast<int>(masks.size());
  auto count = [](DigitSet set) { return static_cast<int>(digitsOf(set).size()); };
  int solvedAt = -1, pairI = -1, pairK = -1;
  for (int k = 0; k < length && solvedAt < 0; ++k)
    if (count(masks[k]) == 1) solvedAt = k;
  for (int i = 0; i < length && pairI < 0 && length > 2; ++i)
    for (int k = i + 1; k < length && pairI < 0; ++k)
      if (count(masks[i]) == 2 && masks[k] == masks[i] && (solvedAt < 0 || i < solvedAt)) pairI = i, pairK = k;
  out.sum = sum;
  for (int k = 0; k < length; ++k) out.cells.push_back(k);
  auto fail = [&] {
    out.contradiction = true;
    return out;
  };
  if (pairI >= 0) {
    const int pairSum = digitsOf(masks[pairI])[0] + digitsOf(masks[pairI])[1];
    if (sum <= pairSum) return fail();
    if (length == 3) {
      const int rest = sum - pairSum, third = 3 - pairI - pairK;
      if (rest > 9 || (masks[pairI] & (1 << (rest - 1)))) return fail();
      masks[third] = DigitSet(1 << (rest - 1));
      out.cells = {pairI, pairK};
      out.sum = pairSum;
    } else {
      out.splitCells = {pairI, pairK};
      out.cells.clear();
      for (int k = 0; k < length; ++k)
        if (k != pairI && k != pairK) out.cells.push_back(k);
      out.sum = sum - pairSum;
      for (const int k : out.cells)
        if ((masks[k] &= ~masks[pairI]) == 0) return fail();
    }
  } else if (solvedAt >= 0) {
    const int value = digitsOf(masks[solvedAt])[0];
    if (length == 2) {
      const int other = 1 - solvedAt, wanted = sum - value;
      masks[other] &= wanted >= 1 && wanted <= 9 && wanted != value ? DigitSet(1 << (wanted - 1)) : 0;
      if (masks[other] == 0) return fail();
      out.cells.clear();
    } else {
      if (sum <= value) return fail();
      out.cells.erase(out.cells.begin() + solvedAt);
      out.sum = sum - value;
      for (const int k : out.cells)
        if ((masks[k] &= ~masks[solvedAt]) == 0) return fail();
    }
  } else {
    out.masks = masks;
    return out;
  }
  out.changed = true;
  out.masks = masks;
  return out;
}

TEST(SetRunReduction, TakesOutTheFirstSolvedCellOrNakedPairAsTheRuleSays) {
  for (const int sum : {3, 4, 5, 7, 9, 10, 13}) {
    forEveryRunOverFourDigits([sum](const std::vector<DigitSet>& masks) {
      SolverGrid grid = gridOfMasks(sum, masks);
      const Reduced expected = reduceByHand(sum, masks);
      const bool changed = reduceRun(grid, grid.runs[0]);
      ASSERT_EQ(grid.contradiction != 0, expected.contradiction) << sum << " " << masks[0] << " " << masks[1];
      if (expected.contradiction) return;
      ASSERT_EQ(changed, expected.changed);
      const vantreel::Run& run = grid.runs[0];
      ASSERT_EQ(run.length, static_cast<int>(expected.cells.size()));
      if (run.length > 0) {
        EXPECT_EQ(run.sum, expected.sum);
      }
      for (int k = 0; k < run.length; ++k) EXPECT_EQ(run.cells[k], 1 + expected.cells[k]);
      for (std::size_t k = 0; k < masks.size(); ++k) EXPECT_EQ(grid.masks[1 + k], expected.masks[k]);
      ASSERT_EQ(grid.runCount, expected.splitCells.empty() ? 1 : 2);
      if (!expected.splitCells.empty()) {
        EXPECT_EQ(grid.runs[1].length, 2);
        EXPECT_EQ(grid.runs[1].cells[0], 1 + expected.splitCells[0]);
        EXPECT_EQ(grid.runs[1].cells[1], 1 + expected.splitCells[1]);
      }
    });
  }
}

}  // namespace
}  // namespace vantreel
