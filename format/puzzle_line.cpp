#include "format/puzzle_line.h"

#include <climits>

namespace vantreel {
namespace {

// One header field as atoi reads it (blanks, sign, digits), but saturating
// instead of overflowing. Returns nullptr when no '/' ends the field.
const char* readField(const char* text, int& value) {
  const char* slash = text;
  while (*slash != '/') {
    if (*slash == '\0') return nullptr;
    ++slash;
  }
  const char* p = text;
  while (p < slash && (*p == ' ' || (*p >= '\t' && *p <= '\r'))) ++p;
  bool negative = false;
  if (p < slash && (*p == '+' || *p == '-')) negative = (*p++ == '-');
  long long magnitude = 0;
  for (; p < slash && *p >= '0' && *p <= '9'; ++p)
    if (magnitude < INT_MAX) magnitude = magnitude * 10 + (*p - '0');
  if (magnitude > INT_MAX) magnitude = INT_MAX;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return slash + 1;
}

// Reads the cell and clue characters after the header.
class CodeReader {
 public:
  explicit CodeReader(const char* text) : next_(reinterpret_cast<const unsigned char*>(text)) {}
  // False at the end of the text or at a byte above 'z'.
  bool read(unsigned char& code) {
    code = *next_;
    if (code == 0 || code > 'z') return false;
    ++next_;
    return true;
  }
  const unsigned char* position() const { return next_; }
  bool readSum(std::uint8_t& sum) {
    unsigned char code;
    if (!read(code)) return false;
    sum = SumDecodeTable[code];
    return true;
  }

 private:
  const unsigned char* next_;
};

void writeStreak(std::FILE* out, int streak) {
  // Each leading 'z' stands for sixteen cells, as the reader counts them.
  for (; streak > 32; streak -= 16) std::fputc('z', out);
  if (streak == 0) return;
  if (streak <= 16) std::fprintf(out, "%c", 'j' + streak);
  else std::fprintf(out, "z%c", 'Z' + streak);
}

}  // namespace

bool parseBoard(Board& board, const char* line, std::size_t* used) {
  int level = 0, columns = 0, rows = 0;
  const char* text = readField(line, level);
  if (text) text = readField(text, columns);
  if (text) text = readField(text, rows);
  if (!text) return false;
  // Outside these bounds the width or height does not fit the board's bytes,
  // or a border would have no interior cell next to it.
  if (columns < 0 || columns > kMaxInterior || rows < 0 || rows > kMaxInterior) return false;
  if ((columns == 0) != (rows == 0)) return false;

  const int width = columns + 1, height = rows + 1;
  board.allocate(width, height);
  board.level = static_cast<std::int8_t>(level);
  CellKind* kinds = board.kinds.get();
  std::uint8_t* sums = board.sums.get();

  CodeReader reader(text);
  int pendingWhite = 0;  // carries over row ends: a streak may wrap
  for (int row = 1; row < height; ++row)
    for (int column = 1; column < width; ++column) {
      const int p = row * width + column;
      if (pendingWhite > 0) {
        kinds[p] = CellKind::White;
        --pendingWhite;
        continue;
      }
      unsigned char code;
      if (!reader.read(code)) return false;
      if (code >= 'k') {
        kinds[p] = CellKind::White;
        pendingWhite = code - 'k';
      } else if (code == '.') {
        kinds[p] = CellKind::Block;
      } else {
        kinds[p] = CellKind::Clue;
        sums[2 * p + 1] = SumDecodeTable[code];
        if (!reader.readSum(sums[2 * p])) return false;
      }
    }

  kinds[0] = CellKind::Block;
  for (int column = 1; column < width; ++column) {
    const bool clue = kinds[width + column] == CellKind::White;
    kinds[column] = clue ? CellKind::Clue : CellKind::Block;
    if (clue && !reader.readSum(sums[2 * column + 1])) return false;
  }
  for (int row = 1; row < height; ++row) {
    const int p = row * width;
    const bool clue = kinds[p + 1] == CellKind::White;
    kinds[p] = clue ? CellKind::Clue : CellKind::Block;
    if (clue && !reader.readSum(sums[2 * p])) return false;
  }
  if (used != nullptr) *used = static_cast<std::size_t>(reader.position() - reinterpret_cast<const unsigned char*>(line));
  return true;
}

void writeBoard(std::FILE* out, const Board& board) {
  std::fprintf(out, "%d/%d/%d/", board.level, board.width - 1, board.height - 1);
  writeBoardBody(out, board);
  std::fprintf(out, "\n");
}

void writeBoardBody(std::FILE* out, const Board& board) {
  const int width = board.width, height = board.height;
  int streak = 0;
  for (int row = 1; row < height; ++row)
    for (int column = 1; column < width; ++column) {
      const int p = row * width + column;
      const CellKind kind = board.kinds[p];
      if (kind == CellKind::White) {
        ++streak;
        continue;
      }
      writeStreak(out, streak);
      streak = 0;
      if (kind == CellKind::Block) std::fprintf(out, ".");
      else std::fprintf(out, "%c%c", kSumAlphabet[board.sums[2 * p + 1]], kSumAlphabet[board.sums[2 * p]]);
    }
  writeStreak(out, streak);
  for (int column = 1; column < width; ++column)
    if (board.kinds[column] == CellKind::Clue) std::fprintf(out, "%c", kSumAlphabet[board.sums[2 * column + 1]]);
  for (int row = 1; row < height; ++row)
    if (board.kinds[row * width] == CellKind::Clue) std::fprintf(out, "%c", kSumAlphabet[board.sums[2 * row * width]]);
}

}  // namespace vantreel
