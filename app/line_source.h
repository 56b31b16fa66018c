#pragma once
// Whole lines of a puzzle file, one at a time, in one fixed buffer.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace vantreel {

// The longest line worth reading: the largest board (126 x 126 interior,
// every cell a two-character clue) with a generous margin. A longer line is
// no puzzle line: reading ends there as soon as it holds more than blanks.
inline constexpr std::size_t kMaxLineLength = 64 * 1024;

// Keeps each line's true length: a NUL byte inside a line is content, not an end.
// A UTF-8 byte-order mark at the start of the input is skipped.
class LineSource {
 public:
  explicit LineSource(std::FILE* file);

  // False at end of file, on a read error (see failed()) and after an
  // over-long line that is not blank.
  bool next();
  // The line, or an empty text for a line too long to be a puzzle.
  const char* text() const { return overLong_ ? "" : buffer_.get(); }
  // The line without its LF or CR LF, NUL bytes kept; cut short when over-long.
  std::string_view content() const;
  long lineNumber() const { return lineNumber_; }
  bool failed() const { return std::ferror(file_) != 0; }
  // Only spaces, tabs and line ends.
  bool isBlank() const { return blank_; }
  // Longer than any puzzle line; the rest of it and of the file stay unread
  // unless it is blank.
  bool isOverLong() const { return overLong_; }

 private:
  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t length_ = 0;
  bool overLong_ = false;
  bool stopped_ = false;
  bool blank_ = true;
  long lineNumber_ = 0;
};

}  // namespace vantreel
