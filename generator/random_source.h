#pragma once
// The one random stream that every puzzle of a batch draws from.
#include <cstdint>
#include <mutex>

namespace vantreel {

// A 31-bit linear congruential generator shared by all workers of a batch.
// Every step is taken under the lock, so no draw is lost or handed out twice.
class RandomSource {
 public:
  // Any 32-bit seed; the first step brings the state into 0 .. 2^31 - 1.
  explicit RandomSource(std::uint32_t seed) : state_(static_cast<std::int32_t>(seed)) {}
  RandomSource(const RandomSource&) = delete;
  RandomSource& operator=(const RandomSource&) = delete;

  // Advances one step and returns the new state.
  std::int32_t nextState();
  // 0 .. n - 1 for n >= 1, from exactly one step.
  int randomBelow(int n);

 private:
  std::mutex lock_;
  std::int32_t state_;
};

}  // namespace vantreel
