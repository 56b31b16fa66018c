#pragma once
#include <cstdint>

namespace vantreel {

// Milliseconds of a monotonic clock, truncated to 32 bits: only differences
// of two readings (and the generator's seed) are ever used.
std::uint32_t tickCount();

}  // namespace vantreel
