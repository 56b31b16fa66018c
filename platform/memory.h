#pragma once
#include <cstddef>

namespace vantreel {

// Asks the system to back a large, 2 MiB aligned region with huge pages:
// thousands of small-page faults would cost more than filling the region.
void adviseHugePages(void* region, std::size_t bytes);

}  // namespace vantreel
