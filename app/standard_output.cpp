#include "app/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vantreel {
namespace {

int firstFailure = 0;
bool failureReported = false;

}  // namespace

void noteStandardOutputFailure(int reason) {
  if (firstFailure == 0) firstFailure = reason != 0 ? reason : EIO;
}

bool finishStandardOutput() {
  errno = 0;
  // A failed write leaves the stream's error flag set, and the flush repeats
  // the write that failed, so errno names the reason again.
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && std::ferror(stdout) == 0 && firstFailure == 0) return true;
  if (!flushed) noteStandardOutputFailure(errno);
  noteStandardOutputFailure(EIO);
  if (!failureReported) std::fprintf(stderr, "vantreel: standard output: %s\n", std::strerror(firstFailure));
  failureReported = true;
  return false;
}

}  // namespace vantreel
