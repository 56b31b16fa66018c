#include "app/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vantreel {

bool finishStandardOutput() {
  errno = 0;
  // A failed write leaves the stream's error flag set, and the flush repeats
  // the write that failed, so errno names the reason again.
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && std::ferror(stdout) == 0) return true;
  const int reason = !flushed && errno != 0 ? errno : EIO;
  std::fprintf(stderr, "vantreel: standard output: %s\n", std::strerror(reason));
  return false;
}

}  // namespace vantreel
