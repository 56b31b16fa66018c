#pragma once
// A one-line progress bar on standard error, redrawn in place.
#include <chrono>
#include <cstdint>

namespace vantreel {

class ProgressBar {
 public:
  // Draws nothing unless `shown` (a terminal is watching).
  ProgressBar(std::uint64_t total, bool shown);
  // Redraws at most five times a second, and at once after clear().
  void advance();
  // A puzzle tried and not kept: shown beside the kept ones once there is one.
  void passOver();
  // Empties the bar's line, for a line of other output on the same terminal.
  void clear();
  // Draws the final state and ends the line.
  void finish();

 private:
  void draw();
  std::uint64_t total_;
  std::uint64_t done_ = 0;
  std::uint64_t passedOver_ = 0;
  bool shown_;
  bool cleared_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace vantreel
