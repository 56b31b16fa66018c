#pragma once
// A one-line progress bar on standard error, redrawn in place.
#include <chrono>
#include <cstdint>

namespace vantreel {

class ProgressBar {
 public:
  // Draws nothing unless `shown` (a terminal is watching).
  ProgressBar(std::uint64_t total, bool shown);
  void advance();
  // Draws the final state and ends the line.
  void finish();

 private:
  void draw();
  std::uint64_t total_;
  std::uint64_t done_ = 0;
  bool shown_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace vantreel
