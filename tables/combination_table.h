#pragma once
// Every digit set ordered by size and then by sum, so that the combinations
// of `size` different digits adding up to `sum` are one contiguous slice:
// the one list of combinations that the enumerators and the explainer read.
#include <array>
#include <cassert>
#include <cstdint>
#include <span>

#include "tables/digit_tables.h"

namespace vantreel {

struct CombinationTable {
  std::array<DigitSet, kSetCount> sets{};
  // Slice of (size, sum): sets[start[size][sum] .. start[size][sum + 1]).
  std::array<std::array<std::uint16_t, kMaxSum + 2>, 10> start{};
};

constexpr CombinationTable makeCombinationTable() {
  CombinationTable table;
  int counts[kSetCount] = {}, sums[kSetCount] = {};
  for (int set = 0; set < kSetCount; ++set)
    for (int d = 0; d < 9; ++d)
      if (set & (1 << d)) ++counts[set], sums[set] += d + 1;
  int next = 0;
  for (int size = 0; size <= 9; ++size)
    for (int sum = 0; sum <= kMaxSum + 1; ++sum) {
      table.start[size][sum] = static_cast<std::uint16_t>(next);
      if (sum > kMaxSum) continue;
      for (int set = 0; set < kSetCount; ++set)
        if (counts[set] == size && sums[set] == sum) table.sets[next++] = static_cast<DigitSet>(set);
    }
  return table;
}
inline constexpr CombinationTable kCombinations = makeCombinationTable();

// The sets of `size` (0..9) different digits adding up to `sum` (0..45),
// in ascending order of their bits.
constexpr std::span<const DigitSet> combinationsOf(int size, int sum) {
  assert(size >= 0 && size <= 9 && sum >= 0 && sum <= kMaxSum);
  const int first = kCombinations.start[size][sum], end = kCombinations.start[size][sum + 1];
  return std::span<const DigitSet>(kCombinations.sets.data() + first, end - first);
}

// Every set of `size` digits, by sum, then in ascending order of their bits.
constexpr std::span<const DigitSet> combinationsOfSize(int size) {
  assert(size >= 0 && size <= 9);
  const int first = kCombinations.start[size][0], end = kCombinations.start[size][kMaxSum + 1];
  return std::span<const DigitSet>(kCombinations.sets.data() + first, end - first);
}

}  // namespace vantreel
