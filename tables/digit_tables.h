#pragma once
// Lookup tables indexed by 9-bit digit sets. Bit d-1 stands for digit d.
#include <array>
#include <cassert>
#include <cstdint>

namespace vantreel {

using DigitSet = std::uint16_t;
inline constexpr DigitSet kAllDigits = 0x1FF;
inline constexpr int kSetCount = 512;

// Combination classes: (length 1..9, sum 0..45); sum 0 admits every combination.
inline constexpr int kClassCount = 138;
inline constexpr int kMaxSum = 45;

// Sums with a row in the pair and triple tables.
inline constexpr int kPairMinSum = 3;
inline constexpr int kPairMaxSum = 17;
inline constexpr int kTripleMinSum = 6;
inline constexpr int kTripleMaxSum = 24;

using SetRow = std::array<DigitSet, kSetCount>;

// Sum and number of the digits in a set.
extern const std::array<std::uint8_t, kSetCount> DigitSumTable;
extern const std::array<std::uint8_t, kSetCount> DigitCountTable;

// PairTable[s - 3][M]: digits x with some y in M, y != x, x + y = s.
extern const std::array<SetRow, kPairMaxSum - kPairMinSum + 1> PairTable;

// ComboClassTable[L - 1][s]: class id 1..138, 0 when no combination fits.
extern const std::array<std::array<std::uint8_t, kMaxSum + 1>, 9> ComboClassTable;

// Row c - 1: union of the class's combinations meeting m / lying inside m.
extern const std::array<SetRow, kClassCount> ComboMeetTable;
extern const std::array<SetRow, kClassCount> ComboWithinTable;

// Triple rule: digits z with x in A, y in B, x, y, z distinct and
// x + y + z = s. An entry is an OR over the pairs (x, y), so A and B are each
// split into a part row for their low five digits (rows 0..31) and one for
// their high four (rows 32..47), and the entry is the OR of four lookups:
//   T[lo A][lo B] | T[lo A][hi B] | T[hi A][lo B] | T[hi A][hi B]
// 86 KiB that stay in the first cache levels, instead of 9.5 MiB.
inline constexpr int kTripleSumCount = kTripleMaxSum - kTripleMinSum + 1;
inline constexpr int kTripleLowBits = 5;
inline constexpr int kTripleLowRows = 1 << kTripleLowBits;
inline constexpr int kTriplePartRows = kTripleLowRows + (kSetCount >> kTripleLowBits);
using TripleSumBlock = std::array<std::array<DigitSet, kTriplePartRows>, kTriplePartRows>;
extern const std::array<TripleSumBlock, kTripleSumCount> TripleTable;

// The triple rule's digits for (s, A, B); every reader goes through here.
inline DigitSet tripleDigits(int sum, DigitSet a, DigitSet b) {
  assert(sum >= kTripleMinSum && sum <= kTripleMaxSum);
  assert(a <= kAllDigits && b <= kAllDigits);  // never a block mask
  const TripleSumBlock& block = TripleTable[sum - kTripleMinSum];
  const int lowA = a & (kTripleLowRows - 1), highA = kTripleLowRows + (a >> kTripleLowBits);
  const int lowB = b & (kTripleLowRows - 1), highB = kTripleLowRows + (b >> kTripleLowBits);
  return block[lowA][lowB] | block[lowA][highB] | block[highA][lowB] | block[highA][highB];
}

// The lowest digit of a non-empty set as a one-digit set.
constexpr DigitSet lowestDigit(DigitSet set) { return set & (0u - set); }

}  // namespace vantreel
