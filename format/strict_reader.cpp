#include "format/strict_reader.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "format/puzzle_line.h"
#include "format/puzzle_link.h"
#include "format/run_list.h"

namespace vantreel {
namespace {

// Character code to sum, or -1 for a character that is no sum: unlike the
// lenient table, '0' and a stray byte must not look alike here.
constexpr std::array<std::int8_t, 256> kStrictSum = [] {
  std::array<std::int8_t, 256> table{};
  table.fill(-1);
  for (int sum = 0; sum <= 45; ++sum) table[static_cast<unsigned char>(kSumAlphabet[sum])] = static_cast<std::int8_t>(sum);
  return table;
}();

std::string cellName(int row, int column) {
  char name[32];  // two ints at their widest
  std::snprintf(name, sizeof name, "r%dc%d", row, column);
  return name;
}

// "'{' at column 17" for a visible character, "byte 0x80 at column 17" otherwise.
std::string byteAt(std::string_view line, std::size_t index) {
  const unsigned char byte = static_cast<unsigned char>(line[index]);
  char text[48];
  if (byte > ' ' && byte < 0x7F) std::snprintf(text, sizeof text, "'%c' at column %zu", byte, index + 1);
  else std::snprintf(text, sizeof text, "byte 0x%02X at column %zu", byte, index + 1);
  return text;
}

// One header field up to its '/': decimal digits, a leading '-' only where
// negative values are allowed. The field is quoted in the reason when short.
bool readHeaderField(std::string_view& text, const char* name, int lowest, int highest, int& value,
                     std::string& reason) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) {
    reason = std::string("bad header: no '/' after the ") + name;
    return false;
  }
  const std::string_view field = text.substr(0, slash);
  text.remove_prefix(slash + 1);
  std::size_t digit = field.starts_with('-') && lowest < 0 ? 1 : 0;
  long magnitude = 0;
  bool number = digit < field.size();
  for (; number && digit < field.size(); ++digit) {
    const char c = field[digit];
    number = c >= '0' && c <= '9';
    // Saturates well outside every range instead of overflowing.
    magnitude = std::min(magnitude * 10 + (c - '0'), 1000000L);
  }
  const long signedValue = field.starts_with('-') ? -magnitude : magnitude;
  if (number && signedValue >= lowest && signedValue <= highest) {
    value = static_cast<int>(signedValue);
    return true;
  }

  bool visible = field.size() <= 8;
  for (const char c : field) visible = visible && c > ' ' && c < 0x7F;
  reason = std::string("bad header: ") + name;
  if (visible) reason += " '" + std::string(field) + "'";
  reason += " is not a number from " + std::to_string(lowest) + " to " + std::to_string(highest);
  return false;
}

// Reads cell codes and clues after the header, naming the first byte that
// does not belong.
class StrictCodes {
 public:
  StrictCodes(std::string_view line, std::size_t start) : line_(line), next_(start) {}

  bool atEnd() const { return next_ >= line_.size(); }
  std::size_t position() const { return next_; }
  unsigned char take() { return static_cast<unsigned char>(line_[next_++]); }
  std::string describe(std::size_t index) const { return byteAt(line_, index); }

  // A sum where the caller has checked that a byte is left.
  bool takeSum(std::uint8_t& sum, std::string& reason) {
    const std::size_t index = next_;
    const int value = kStrictSum[take()];
    if (value < 0) {
      reason = describe(index) + " is not a sum";
      return false;
    }
    sum = static_cast<std::uint8_t>(value);
    return true;
  }

 private:
  std::string_view line_;
  std::size_t next_;
};

bool readCells(StrictCodes& codes, Board& board, std::string& reason) {
  const int width = board.width, height = board.height;
  int pendingWhite = 0;  // carries over row ends: a streak may wrap
  std::size_t streakCode = 0;
  for (int row = 1; row < height; ++row)
    for (int column = 1; column < width; ++column) {
      const int p = row * width + column;
      if (pendingWhite > 0) {
        board.kinds[p] = CellKind::White;
        --pendingWhite;
        continue;
      }
      if (codes.atEnd()) {
        reason = "line ends inside the cells at " + cellName(row, column);
        return false;
      }
      const std::size_t index = codes.position();
      const unsigned char code = codes.take();
      if (code >= 'k' && code <= 'z') {
        board.kinds[p] = CellKind::White;
        pendingWhite = code - 'k';
        streakCode = index;
      } else if (code == '.') {
        board.kinds[p] = CellKind::Block;
      } else if (kStrictSum[code] >= 0) {
        board.kinds[p] = CellKind::Clue;
        board.sums[2 * p + 1] = static_cast<std::uint8_t>(kStrictSum[code]);
        if (codes.atEnd()) {
          reason = "line ends inside the cells at " + cellName(row, column);
          return false;
        }
        if (!codes.takeSum(board.sums[2 * p], reason)) return false;
      } else {
        reason = codes.describe(index) + " is not a cell code";
        return false;
      }
    }
  if (pendingWhite > 0) {
    reason = "white streak " + codes.describe(streakCode) + " runs past the last cell";
    return false;
  }
  return true;
}

bool readBorderClues(StrictCodes& codes, Board& board, std::string& reason) {
  const int width = board.width, height = board.height;
  for (int column = 1; column < width; ++column) {
    if (board.kinds[width + column] != CellKind::White) continue;
    board.kinds[column] = CellKind::Clue;
    if (codes.atEnd()) {
      reason = "line ends inside the clues: no down sum for " + cellName(0, column);
      return false;
    }
    if (!codes.takeSum(board.sums[2 * column + 1], reason)) return false;
  }
  for (int row = 1; row < height; ++row) {
    const int p = row * width;
    if (board.kinds[p + 1] != CellKind::White) continue;
    board.kinds[p] = CellKind::Clue;
    if (codes.atEnd()) {
      reason = "line ends inside the clues: no across sum for " + cellName(row, 0);
      return false;
    }
    if (!codes.takeSum(board.sums[2 * p], reason)) return false;
  }
  // Blanks after the last clue are what an editor leaves; anything else is junk.
  while (!codes.atEnd()) {
    const std::size_t index = codes.position();
    const unsigned char c = codes.take();
    if (c != ' ' && c != '\t' && c != '\r') {
      reason = codes.describe(index) + " follows the last clue";
      return false;
    }
  }
  return true;
}

// A run as the cell before it sees it: the white cells that follow in one
// direction and the sum that cell carries for them (0 for none).
struct RunAfter {
  int cell = -1;  // the cell before the run; -1 for no run found
  bool across = true;
  int length = 0;
  int sum = 0;
};

// A line of white cells after the cell `clue` (a clue cell or a block) that
// is no run of a puzzle: a sum with no white cell after it, more than nine
// cells, two or more cells without a sum, or one cell after a clue cell
// without its sum (meaningOf: no digit fits it, so the solvers find none).
// Without branches: the sweeps below test every cell, and whether a run ends
// there is as unpredictable as the layout.
bool isFaulty(int length, int sum, bool clue) {
  return ((length == 0) & (sum != 0)) | (length > kMaxRunLength) | ((length >= 2) & (sum == 0)) |
         ((length == 1) & (sum == 0) & clue);
}

std::string describeFault(const RunAfter& run, int width) {
  std::string text = cellName(run.cell / width, run.cell % width) + (run.across ? " across: " : " down: ");
  if (run.length == 0)
    return text + "sum " + std::to_string(run.sum) + " with no white cell " + (run.across ? "to its right" : "below it");
  if (run.length > kMaxRunLength) return text + std::to_string(run.length) + " white cells in a row, more than nine";
  return text + std::to_string(run.length) + (run.length == 1 ? " white cell without a sum" : " white cells without a sum");
}

// The first faulty run in reading order of the cells before the runs, across
// before down at the same cell. One row-major sweep keeps the open run of the
// row and of every column; a freshly read board has sums only on clue cells.
RunAfter firstFaultyRun(const Board& board) {
  const int width = board.width, height = board.height;
  const CellKind* kinds = board.kinds.get();
  const std::uint8_t* sums = board.sums.get();
  std::array<int, kMaxInterior + 1> downStart, downLength;
  for (int column = 0; column < width; ++column) {
    downStart[column] = column;
    downLength[column] = 0;
  }
  RunAfter across, down;
  const auto isClue = [kinds](int cell) { return kinds[cell] == CellKind::Clue; };
  auto closeDown = [&](int column) {
    const int start = downStart[column];
    if (isFaulty(downLength[column], sums[2 * start + 1], isClue(start)) && (down.cell < 0 || start < down.cell))
        [[unlikely]]
      down = RunAfter{start, false, downLength[column], sums[2 * start + 1]};
  };
  for (int row = 1; row < height; ++row) {
    int start = row * width, length = 0;
    for (int column = 1; column < width; ++column) {
      const int p = row * width + column;
      const bool white = kinds[p] == CellKind::White;
      if (!white && (isFaulty(length, sums[2 * start], isClue(start)) ||
                     isFaulty(downLength[column], sums[2 * downStart[column] + 1], isClue(downStart[column]))))
          [[unlikely]] {
        if (across.cell < 0 && isFaulty(length, sums[2 * start], isClue(start)))
          across = RunAfter{start, true, length, sums[2 * start]};
        closeDown(column);
      }
      start = white ? start : p;
      length = white ? length + 1 : 0;
      downStart[column] = white ? downStart[column] : p;
      downLength[column] = white ? downLength[column] + 1 : 0;
    }
    if (across.cell < 0 && isFaulty(length, sums[2 * start], isClue(start)))
      across = RunAfter{start, true, length, sums[2 * start]};
  }
  for (int column = 1; column < width; ++column) closeDown(column);
  // Row 0 needs no across sweep, nor column 0 a down sweep: the reader never
  // sets those sums, and no white cell follows there.
  if (across.cell >= 0 && (down.cell < 0 || across.cell <= down.cell)) return across;
  return down;
}

// The first reason the board is no puzzle; empty when it is one.
std::string findPuzzleFault(const Board& board) {
  const int width = board.width, height = board.height;
  const RunAfter faulty = firstFaultyRun(board);
  if (faulty.cell >= 0) return describeFault(faulty, width);
  // Every longer run has its sum by now, so only a cell alone in both
  // directions can lack one; it needs a sum in at least one of them.
  const CellKind* kinds = board.kinds.get();
  const std::uint8_t* sums = board.sums.get();
  for (int row = 1; row < height; ++row)
    for (int column = 1; column < width; ++column) {
      const int p = row * width + column;
      auto open = [&](int cell) { return kinds[cell] != CellKind::White; };
      const bool openRight = column + 1 == width || open(p + 1);
      const bool openBelow = row + 1 == height || open(p + width);
      if (!open(p) && open(p - 1) && open(p - width) && openRight && openBelow && sums[2 * (p - 1)] == 0 &&
          sums[2 * (p - width) + 1] == 0) [[unlikely]]
        return cellName(row, column) + ": white cell without a sum in either direction";
    }
  return {};
}

}  // namespace

bool readStrict(std::string_view line, Board& board, std::string& reason) {
  // A link is a puzzle line without the level; it gets level 0.
  const std::size_t linkTail = linkTailStart(line);
  const bool link = linkTail != std::string_view::npos;
  std::string_view header = link ? line.substr(linkTail) : line;
  int level = 0, columns = 0, rows = 0;
  if (!link && !readHeaderField(header, "level", -128, 127, level, reason)) return false;
  if (!readHeaderField(header, "column count", 1, kMaxInterior, columns, reason)) return false;
  if (!readHeaderField(header, "row count", 1, kMaxInterior, rows, reason)) return false;

  Board read;
  read.allocate(columns + 1, rows + 1);
  read.level = static_cast<std::int8_t>(level);
  StrictCodes codes(line, line.size() - header.size());
  if (!readCells(codes, read, reason) || !readBorderClues(codes, read, reason)) return false;
  reason = findPuzzleFault(read);
  if (!reason.empty()) return false;
  board = std::move(read);
  return true;
}

bool isSkippedLine(std::string_view line) {
  if (line.starts_with('#')) return true;
  for (const char c : line)
    if (c != ' ' && c != '\t' && c != '\r') return false;
  return true;
}

}  // namespace vantreel
