#include "generator/random_source.h"

namespace vantreel {

std::uint32_t puzzleSeed(std::uint64_t runSeed, std::uint64_t position) {
  // splitmix64 (Steele, Lea and Flood): neighbouring positions and seeds get
  // unrelated states, and any position is reached without walking the ones before.
  std::uint64_t z = runSeed + (position + 1) * 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<std::uint32_t>(z & 0x7FFFFFFFu);
}

}  // namespace vantreel
