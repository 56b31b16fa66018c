#include "app/line_source.h"

#include <cstring>

namespace vantreel {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

LineSource::LineSource(std::FILE* file) : file_(file), buffer_(new char[kMaxLineLength + 1]) {}

bool LineSource::next() {
  length_ = 0;
  overLong_ = false;
  blank_ = true;
  if (stopped_) return false;
  int c = std::getc(file_);
  if (c == EOF) return false;
  for (; c != EOF; c = std::getc(file_)) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') blank_ = false;
    if (length_ < kMaxLineLength) buffer_[length_++] = static_cast<char>(c);
    else overLong_ = true;
    if (c == '\n') break;
    // Past the longest puzzle line anything but blanks settles it: reading
    // the rest (/dev/zero has no end) would tell nothing more.
    if (overLong_ && !blank_) {
      stopped_ = true;
      break;
    }
  }
  // A byte-order mark that an editor put before the first line is no part of it.
  if (lineNumber_ == 0 && !overLong_ && length_ >= 3 && std::memcmp(buffer_.get(), kByteOrderMark, 3) == 0) {
    length_ -= 3;
    std::memmove(buffer_.get(), buffer_.get() + 3, length_);
    blank_ = true;
    for (std::size_t i = 0; i < length_; ++i)
      if (const char c = buffer_[i]; c != ' ' && c != '\t' && c != '\r' && c != '\n') blank_ = false;
  }
  buffer_[length_] = '\0';
  ++lineNumber_;
  return true;
}

std::string_view LineSource::content() const {
  std::string_view line(buffer_.get(), length_);
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace vantreel
