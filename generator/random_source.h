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

  // Advances one step and returns the new state. Inline: layouts take
  // hundreds of draws each.
  std::int32_t nextState() {
    // A puzzle's own source takes no lock: its worker is the only one drawing.
    if (!shared_) return step();
    std::lock_guard<std::mutex> guard(lock_);
    return step();
  }
  // 0 .. n - 1 for n >= 1, from exactly one step.
  int randomBelow(int n) {
    // (state + 1) / (2^31 + 1) lies strictly inside (0, 1), so n is never reached.
    const double unit = (static_cast<double>(nextState()) + 1.0) / 2147483649.0;
    return static_cast<int>(static_cast<double>(n) * unit);
  }

 private:
  std::int32_t step() {
    // (state * 1103515245 + 12345) mod 2^31, in unsigned arithmetic so that a
    // seed with bit 31 set wraps the same way as every later state.
    const std::uint32_t next = static_cast<std::uint32_t>(state_) * 1103515245u + 12345u;
    state_ = static_cast<std::int32_t>(next & 0x7FFFFFFFu);
    return state_;
  }
  std::mutex lock_;
  std::int32_t state_;
  bool shared_;
};

// The seed of the puzzle at `position` of a run with `runSeed`: the low 31
// bits of output position + 1 of splitmix64 started at `runSeed`.
std::uint32_t puzzleSeed(std::uint64_t runSeed, std::uint64_t position);

}  // namespace vantreel
