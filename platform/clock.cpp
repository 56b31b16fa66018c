#include "platform/clock.h"

#include <chrono>

namespace vantreel {

std::uint32_t tickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<std::uint32_t>(ms);
}

}  // namespace vantreel
