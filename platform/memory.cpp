#include "platform/memory.h"

#include <sys/mman.h>

namespace vantreel {

void adviseHugePages(void* region, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  madvise(region, bytes, MADV_HUGEPAGE);  // advice only: failure changes nothing
#else
  (void)region;
  (void)bytes;
#endif
}

}  // namespace vantreel
