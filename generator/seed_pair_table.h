#pragma once
// Sum pairs for two crossing runs that leave their shared cell one digit.
#include <cstdint>

namespace vantreel {

// First: the shorter run's sum (the across run's on equal lengths);
// second: the longer run's.
struct SeedPair {
  std::uint8_t first;
  std::uint8_t second;
};

struct SeedPairTable {
  const SeedPair* entries;  // an entry listed twice is drawn twice as often
  int entryCount;
};

// The table for a pair of run lengths, shorter first; null when the pair is
// not seeded.
const SeedPairTable* seedPairTableFor(int shorter, int longer);

}  // namespace vantreel
