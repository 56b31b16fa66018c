#include "platform/signals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace vantreel {
namespace {

std::atomic<const char*> pathToRemove{nullptr};
constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls here: unlink, signal and raise.
extern "C" void removeAndEnd(int signalNumber) {
  if (const char* path = pathToRemove.load()) unlink(path);
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void ignoreBrokenPipe() { std::signal(SIGPIPE, SIG_IGN); }

void removeOnInterrupt(const char* path) {
  pathToRemove.store(path);
  for (const int signalNumber : kInterrupts) {
    struct sigaction action {};
    sigaction(signalNumber, nullptr, &action);
    // A signal the caller chose to ignore (nohup, background jobs) stays ignored.
    if (action.sa_handler == SIG_IGN) continue;
    std::signal(signalNumber, removeAndEnd);
  }
}

void forgetOnInterrupt() { pathToRemove.store(nullptr); }

}  // namespace vantreel
