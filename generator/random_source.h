#pragma once
// The random streams the puzzles are drawn from.
#include <cstdint>
#include <mutex>

namespace vantreel {

// Who draws from a source: every worker of a c1..c4 batch (each step under
// the lock, so no draw is lost or handed out twice), or one puzzle alone.
enum class Sharing { Shared, Owned };

// A 31-bit linear congruential generator.
class RandomSource {
 public:
  // Any 32-bit seed; the first step brings the state into 0 .. 2^31 - 1.
  explicit RandomSource(std::uint32_t seed, Sharing sharing = Sharing::Shared)
      : state_(static_cast<std::int32_t>(seed)), shared_(sharing == Sharing::Shared) {}
  RandomSource(const RandomSource&) = delete;
  RandomSource& operator=(const RandomSource&) = delete;

  // Advances one step and returns the new state.
  std::int32_t nextState();
  // 0 .. n - 1 for n >= 1, from exactly one step.
  int randomBelow(int n);

 private:
  std::int32_t step();
  std::mutex lock_;
  std::int32_t state_;
  bool shared_;
};

// The seed of the puzzle at `position` of a run with `runSeed`: the low 31
// bits of output position + 1 of splitmix64 started at `runSeed`.
std::uint32_t puzzleSeed(std::uint64_t runSeed, std::uint64_t position);

}  // namespace vantreel
