#include "app/progress_bar.h"

#include <cstdio>

namespace vantreel {
namespace {

constexpr int kBarWidth = 30;
// Small puzzles finish by the hundred a second; a terminal needs far fewer frames.
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

}  // namespace

ProgressBar::ProgressBar(std::uint64_t total, bool shown)
    : total_(total), shown_(shown), start_(std::chrono::steady_clock::now()), lastDrawn_(start_) {
  if (shown_) draw();
}

void ProgressBar::advance() {
  ++done_;
  if (shown_ && (cleared_ || std::chrono::steady_clock::now() - lastDrawn_ >= kRedrawInterval)) draw();
}

void ProgressBar::passOver() {
  ++passedOver_;
  if (shown_ && std::chrono::steady_clock::now() - lastDrawn_ >= kRedrawInterval) draw();
}

void ProgressBar::clear() {
  if (!shown_ || cleared_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  cleared_ = true;
}

void ProgressBar::finish() {
  if (!shown_) return;
  draw();
  std::fputc('\n', stderr);
}

void ProgressBar::draw() {
  cleared_ = false;
  lastDrawn_ = std::chrono::steady_clock::now();
  const double seconds = std::chrono::duration<double>(lastDrawn_ - start_).count();
  const int filled = total_ == 0 ? kBarWidth : static_cast<int>(kBarWidth * done_ / total_);
  char bar[kBarWidth + 1];
  for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '-';
  bar[kBarWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %llu/%llu", bar, static_cast<unsigned long long>(done_),
               static_cast<unsigned long long>(total_));
  if (passedOver_ > 0)
    std::fprintf(stderr, " kept of %llu tried", static_cast<unsigned long long>(done_ + passedOver_));
  if (done_ > 0 && seconds > 0) {
    const double perSecond = done_ / seconds;
    const long left = static_cast<long>((total_ - done_) / perSecond + 0.5);
    std::fprintf(stderr, "  %.1f/min  %ld:%02ld:%02ld left", perSecond * 60, left / 3600, left / 60 % 60, left % 60);
  }
  std::fputs("\033[K", stderr);  // clear what a longer earlier frame left
  std::fflush(stderr);
}

}  // namespace vantreel
