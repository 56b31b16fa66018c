#pragma once
// The random streams the puzzles are drawn from.
#include <cstdint>
#include <atomic>

namespace vantreel {

// Who draws from a source: every worker of a c1..c4 batch (each step one
// atomic exchange, so no draw is lost or handed out twice), or one puzzle
// alone.
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
    std::int32_t current = state_.load(std::memory_order_relaxed);
    std::int32_t next = step(current);
    // A puzzle's own source has one worker drawing: no exchange needed.
    if (!shared_) {
      state_.store(next, std::memory_order_relaxed);
      return next;
    }
    // A step is taken only from the state it read, so each state is handed
    // out once; cheaper than a lock when both workers draw at once. Only
    // the state itself is shared, so relaxed order suffices.
    while (!state_.compare_exchange_weak(current, next, std::memory_order_relaxed)) next = step(current);
    return next;
  }
  // 0 .. n - 1 for n >= 1, from exactly one step.
  int randomBelow(int n) {
    // (state + 1) / (2^31 + 1) lies strictly inside (0, 1), so n is never reached.
    const double unit = (static_cast<double>(nextState()) + 1.0) / 2147483649.0;
    return static_cast<int>(static_cast<double>(n) * unit);
  }

 private:
  static std::int32_t step(std::int32_t state) {
    // (state * 1103515245 + 12345) mod 2^31, in unsigned arithmetic so that a
    // seed with bit 31 set wraps the same way as every later state.
    const std::uint32_t next = static_cast<std::uint32_t>(state) * 1103515245u + 12345u;
    return static_cast<std::int32_t>(next & 0x7FFFFFFFu);
  }
  std::atomic<std::int32_t> state_;
  bool shared_;
};

// The seed of the puzzle at `position` of a run with `runSeed`: the low 31
// bits of output position + 1 of splitmix64 started at `runSeed`.
std::uint32_t puzzleSeed(std::uint64_t runSeed, std::uint64_t position);

}  // namespace vantreel
