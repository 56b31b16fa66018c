#include "tables/digit_tables.h"

#include <bit>

namespace vantreel {
namespace {

constexpr std::array<std::uint8_t, kSetCount> makeDigitSums() {
  std::array<std::uint8_t, kSetCount> sums{};
  for (int set = 0; set < kSetCount; ++set)
    for (int digit = 1; digit <= 9; ++digit)
      if (set & (1 << (digit - 1))) sums[set] += digit;
  return sums;
}

constexpr std::array<std::uint8_t, kSetCount> makeDigitCounts() {
  std::array<std::uint8_t, kSetCount> counts{};
  for (int set = 0; set < kSetCount; ++set) counts[set] = std::popcount(unsigned(set));
  return counts;
}

constexpr std::array<SetRow, kPairMaxSum - kPairMinSum + 1> makePairs() {
  std::array<SetRow, kPairMaxSum - kPairMinSum + 1> pairs{};
  for (int sum = kPairMinSum; sum <= kPairMaxSum; ++sum)
    for (int partners = 0; partners < kSetCount; ++partners)
      for (int y = 1; y <= 9; ++y) {
        const int x = sum - y;
        if ((partners & (1 << (y - 1))) && x != y && x >= 1 && x <= 9)
          pairs[sum - kPairMinSum][partners] |= DigitSet(1 << (x - 1));
      }
  return pairs;
}

constexpr int minSum(int length) { return length * (length + 1) / 2; }
constexpr int maxSum(int length) { return length * (19 - length) / 2; }

constexpr std::array<std::array<std::uint8_t, kMaxSum + 1>, 9> makeComboClasses() {
  std::array<std::array<std::uint8_t, kMaxSum + 1>, 9> classes{};
  int nextId = 1;
  for (int length = 1; length <= 9; ++length) {
    classes[length - 1][0] = nextId++;
    for (int sum = minSum(length); sum <= maxSum(length); ++sum)
      classes[length - 1][sum] = nextId++;
  }
  return classes;
}

inline constexpr auto kClasses = makeComboClasses();
inline constexpr auto kDigitSums = makeDigitSums();
inline constexpr auto kPairs = makePairs();

// Calls visit(classIndex, combination) for every combination of every class.
template <typename Visit>
constexpr void forEachClassCombination(Visit visit) {
  for (int length = 1; length <= 9; ++length)
    for (int combo = 1; combo < kSetCount; ++combo) {
      if (std::popcount(unsigned(combo)) != length) continue;
      const int sum = kDigitSums[combo];
      visit(kClasses[length - 1][0] - 1, DigitSet(combo));
      visit(kClasses[length - 1][sum] - 1, DigitSet(combo));
    }
}

// Meet: OR over the digits of m of the union of combinations holding that digit.
constexpr std::array<SetRow, kClassCount> makeComboMeet() {
  std::array<std::array<DigitSet, 9>, kClassCount> holding{};
  forEachClassCombination([&](int row, DigitSet combo) {
    for (int digit = 0; digit < 9; ++digit)
      if (combo & (1 << digit)) holding[row][digit] |= combo;
  });
  std::array<SetRow, kClassCount> meet{};
  for (int row = 0; row < kClassCount; ++row)
    for (int set = 1; set < kSetCount; ++set) {
      const int digit = std::countr_zero(unsigned(set));
      meet[row][set] = meet[row][set & (set - 1)] | holding[row][digit];
    }
  return meet;
}

// Within: a set's own combination plus whatever lies inside its subsets.
constexpr std::array<SetRow, kClassCount> makeComboWithin() {
  std::array<SetRow, kClassCount> within{};
  forEachClassCombination([&](int row, DigitSet combo) { within[row][combo] = combo; });
  for (auto& row : within)
    for (int bit = 1; bit < kSetCount; bit <<= 1)
      for (int set = 0; set < kSetCount; ++set)
        if (set & bit) row[set] |= row[set ^ bit];
  return within;
}

// The digits of one part row: the low five digits, or the high four.
constexpr int partDigits(int part) {
  return part < kTripleLowRows ? part : (part - kTripleLowRows) << kTripleLowBits;
}

constexpr std::array<TripleSumBlock, kTripleSumCount> makeTriples() {
  std::array<TripleSumBlock, kTripleSumCount> triples{};
  for (int sum = kTripleMinSum; sum <= kTripleMaxSum; ++sum)
    for (int partA = 0; partA < kTriplePartRows; ++partA)
      for (int partB = 0; partB < kTriplePartRows; ++partB) {
        DigitSet digits = 0;
        for (int x = 1; x <= 9; ++x)
          for (int y = 1; y <= 9; ++y) {
            const int z = sum - x - y;
            if (!(partDigits(partA) >> (x - 1) & 1) || !(partDigits(partB) >> (y - 1) & 1)) continue;
            if (z >= 1 && z <= 9 && x != y && x != z && y != z) digits |= DigitSet(1 << (z - 1));
          }
        triples[sum - kTripleMinSum][partA][partB] = digits;
      }
  return triples;
}

}  // namespace

constexpr std::array<std::uint8_t, kSetCount> DigitSumTable = kDigitSums;
constexpr std::array<std::uint8_t, kSetCount> DigitCountTable = makeDigitCounts();
constexpr std::array<SetRow, kPairMaxSum - kPairMinSum + 1> PairTable = kPairs;
constexpr std::array<std::array<std::uint8_t, kMaxSum + 1>, 9> ComboClassTable = kClasses;
constexpr std::array<SetRow, kClassCount> ComboMeetTable = makeComboMeet();
constexpr std::array<SetRow, kClassCount> ComboWithinTable = makeComboWithin();
// Worked out by the compiler: read-only data whose pages the solve modes
// fault in as they touch them, and which other modes never touch.
alignas(64) constexpr std::array<TripleSumBlock, kTripleSumCount> TripleTable = makeTriples();

}  // namespace vantreel
