#include "generator/random_source.h"

namespace vantreel {

std::int32_t RandomSource::step() {
  // (state * 1103515245 + 12345) mod 2^31, in unsigned arithmetic so that a
  // seed with bit 31 set wraps the same way as every later state.
  const std::uint32_t next = static_cast<std::uint32_t>(state_) * 1103515245u + 12345u;
  state_ = static_cast<std::int32_t>(next & 0x7FFFFFFFu);
  return state_;
}

std::int32_t RandomSource::nextState() {
  // A puzzle's own source takes no lock: its worker is the only one drawing.
  if (!shared_) return step();
  std::lock_guard<std::mutex> guard(lock_);
  return step();
}

int RandomSource::randomBelow(int n) {
  // (state + 1) / (2^31 + 1) lies strictly inside (0, 1), so n is never reached.
  const double unit = (static_cast<double>(nextState()) + 1.0) / 2147483649.0;
  return static_cast<int>(static_cast<double>(n) * unit);
}

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
