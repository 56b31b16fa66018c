#include "generator/random_source.h"

namespace vantreel {

std::int32_t RandomSource::nextState() {
  std::lock_guard<std::mutex> guard(lock_);
  // (state * 1103515245 + 12345) mod 2^31, in unsigned arithmetic so that a
  // seed with bit 31 set wraps the same way as every later state.
  const std::uint32_t next = static_cast<std::uint32_t>(state_) * 1103515245u + 12345u;
  state_ = static_cast<std::int32_t>(next & 0x7FFFFFFFu);
  return state_;
}

int RandomSource::randomBelow(int n) {
  // (state + 1) / (2^31 + 1) lies strictly inside (0, 1), so n is never reached.
  const double unit = (static_cast<double>(nextState()) + 1.0) / 2147483649.0;
  return static_cast<int>(static_cast<double>(n) * unit);
}

}  // namespace vantreel
