#include "generator/block_pattern.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

namespace vantreel {
namespace {

// Set bits of a word. std::popcount becomes a library call where the build
// may not assume the processor's own instruction.
constexpr int bitCount(std::uint64_t bits) {
  bits -= (bits >> 1) & 0x5555555555555555u;
  bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((bits * 0x0101010101010101u) >> 56);
}

// Bad runs among the white cells of one source line given as bits (bit i:
// position i white): lone cells, runs over nine, and a run of five to nine
// that reaches the bound. Position 0 is a border block, so every run follows
// a block. Bit arithmetic instead of a walk over the runs: the repairs count
// two lines for every cut they weigh.
int countBadInBits(std::uint64_t whites, int bound) {
  assert(bound >= 1 && bound <= kMaxPatternSide);
  const std::uint64_t starts = whites & ~(whites << 1);
  const std::uint64_t ends = whites & ~(whites >> 1);
  // Bit i set: positions i .. i + n - 1 all white, for n = 2, 4, 8, 10.
  const std::uint64_t two = whites & (whites >> 1);
  const std::uint64_t four = two & (two >> 2);
  const std::uint64_t ten = four & (four >> 4) & (two >> 8);
  const int tail = std::countl_one(whites << (kMaxPatternSide - bound));
  // Lone cells and the first windows of long runs sit at different bits.
  return bitCount((starts & ends) | (ten & ~(ten << 1))) + (tail > 4 && tail <= 9);
}

// The white cells of row y, or column x, of the source area as bits.
std::uint64_t rowWhitesOf(const BlockPattern& pattern, int y, int columnBound) {
  assert(columnBound <= kMaxPatternSide);
  std::uint64_t whites = 0;
  for (int x = 1; x < columnBound; ++x) whites |= std::uint64_t{pattern.at(x, y) != 0} << x;
  return whites;
}
std::uint64_t columnWhitesOf(const BlockPattern& pattern, int x, int rowBound) {
  assert(rowBound <= kMaxPatternSide);
  std::uint64_t whites = 0;
  for (int y = 1; y < rowBound; ++y) whites |= std::uint64_t{pattern.at(x, y) != 0} << y;
  return whites;
}

// The source area during the repairs: the white cells of every row and
// column as bits (bit i: position i white; position 0 is the border), and
// the bad runs of each line. A change recounts only the cell's two lines, and
// the count after a trial cut follows from the two lines it touches.
class SourceArea {
 public:
  SourceArea(BlockPattern& pattern, int columnBound, int rowBound)
      : cells_(pattern.cells.get()), width_(pattern.width), columnBound_(columnBound), rowBound_(rowBound) {
    for (int y = 1; y < rowBound; ++y) {
      rowWhites_[y] = rowWhitesOf(pattern, y, columnBound);
      total_ += rowBad_[y] = countBadInBits(rowWhites_[y], columnBound);
    }
    for (int x = 1; x < columnBound; ++x) {
      columnWhites_[x] = columnWhitesOf(pattern, x, rowBound);
      total_ += columnBad_[x] = countBadInBits(columnWhites_[x], rowBound);
    }
  }

  int bound(bool isRow) const { return isRow ? columnBound_ : rowBound_; }
  std::uint64_t whites(bool isRow, int index) const { return isRow ? rowWhites_[index] : columnWhites_[index]; }

  // The area's count if the cell at `position` of the line were a block.
  int countWithBlockAt(bool isRow, int index, int position) const {
    const int x = isRow ? position : index;
    const int y = isRow ? index : position;
    return total_ - rowBad_[y] - columnBad_[x] +
           countBadInBits(rowWhites_[y] & ~(std::uint64_t{1} << x), columnBound_) +
           countBadInBits(columnWhites_[x] & ~(std::uint64_t{1} << y), rowBound_);
  }

  void set(bool isRow, int index, int position, bool white) {
    const int x = isRow ? position : index;
    const int y = isRow ? index : position;
    cells_[y * width_ + x] = white ? 1 : 0;
    const std::uint64_t rowBit = std::uint64_t{1} << x;
    const std::uint64_t columnBit = std::uint64_t{1} << y;
    rowWhites_[y] = white ? rowWhites_[y] | rowBit : rowWhites_[y] & ~rowBit;
    columnWhites_[x] = white ? columnWhites_[x] | columnBit : columnWhites_[x] & ~columnBit;
    const int row = countBadInBits(rowWhites_[y], columnBound_);
    const int column = countBadInBits(columnWhites_[x], rowBound_);
    total_ += row - rowBad_[y] + column - columnBad_[x];
    rowBad_[y] = row;
    columnBad_[x] = column;
  }

 private:
  std::uint8_t* cells_;
  int width_;
  int columnBound_;
  int rowBound_;
  int total_ = 0;
  std::array<std::uint64_t, kMaxPatternSide> rowWhites_{};
  std::array<std::uint64_t, kMaxPatternSide> columnWhites_{};
  std::array<int, kMaxPatternSide> rowBad_{};
  std::array<int, kMaxPatternSide> columnBad_{};
};

// Fixes the bad runs of line `index` (a row, or a column): a lone white cell
// grows, a long run is cut where the fewest bad runs remain over the whole
// source area (the first such place on ties). `cutAnyLong` also cuts every
// run over 4 cells.
bool repairLine(SourceArea& area, bool isRow, int index, bool cutAnyLong) {
  const int bound = area.bound(isRow);
  bool changed = false;
  int i = 0;
  while (i < bound) {
    const std::uint64_t whites = area.whites(isRow, index);
    if ((whites >> i) & 1) {
      i += std::countr_one(whites >> i);  // no bit is set at or past the bound
      continue;
    }
    const int length = i + 1 < bound ? std::countr_one(whites >> (i + 1)) : 0;
    if (length == 1) {
      if (i + 2 < bound) {
        area.set(isRow, index, i + 2, true);
        i += 2;
      } else if (i > 0) {
        area.set(isRow, index, i, true);
        i += 1;
      } else {
        // An area one cell wide: the cell can grow neither way (position 0 is
        // the border), so it closes.
        area.set(isRow, index, 1, false);
        i += 2;
      }
      changed = true;
    } else if (length > 9 || (length > 4 && (i + 1 + length == bound || cutAnyLong))) {
      int fewestBad = 10000;
      int bestCut = 0;
      for (int cut = 1; cut <= length; ++cut) {
        const int bad = area.countWithBlockAt(isRow, index, i + cut);
        if (bad < fewestBad) {
          fewestBad = bad;
          bestCut = cut;
        }
      }
      area.set(isRow, index, i + bestCut, false);
      changed = true;
      i += 1 + bestCut;
    } else {
      i += 1 + length;
    }
  }
  return changed;
}

bool repairRowsIn(SourceArea& area) {
  bool changed = false;
  for (int y = 1; y < area.bound(false); ++y) changed |= repairLine(area, true, y, false);
  return changed;
}

bool repairColumnsIn(SourceArea& area) {
  bool changed = false;
  // Column 1 runs beside the border; long runs there are always cut.
  for (int x = 1; x < area.bound(true); ++x) changed |= repairLine(area, false, x, x == 1);
  return changed;
}

// A run longer than 9 or a lone white cell anywhere in the line.
bool hasIllegalRun(const std::uint8_t* first, int step, int count) {
  int length = 0;
  for (int i = 0; i < count; ++i) {
    if (first[i * step] != 0) {
      ++length;
      continue;
    }
    if (length == 1 || length > 9) return true;
    length = 0;
  }
  return length == 1 || length > 9;
}

}  // namespace

void BlockPattern::allocate(RandomSource& source, int newWidth, int newHeight) {
  assert(newWidth <= kMaxPatternSide && newHeight <= kMaxPatternSide);
  random = &source;
  width = newWidth;
  height = newHeight;
  cells = std::make_unique_for_overwrite<std::uint8_t[]>(newWidth * newHeight);
}

int sourceColumnBound(const BlockPattern& pattern) {
  return pattern.width == pattern.height ? pattern.width / 2 + 1 : pattern.width;
}

int sourceRowBound(const BlockPattern& pattern) { return pattern.height / 2 + 1; }

bool generate(BlockPattern& pattern) {
  const int columnBound = sourceColumnBound(pattern);
  const int rowBound = sourceRowBound(pattern);
  std::fill_n(pattern.cells.get(), pattern.width * pattern.height, std::uint8_t{0});
  drawRowSegments(pattern, columnBound, rowBound);
  breakBlockStretches(pattern, columnBound, rowBound);
  if (!repairRuns(pattern, columnBound, rowBound)) return false;
  completeSymmetry(pattern, columnBound, rowBound);
  return isValidPattern(pattern);
}

void drawRowSegments(BlockPattern& pattern, int columnBound, int rowBound) {
  RandomSource& random = *pattern.random;
  for (int y = 1; y < rowBound; ++y) {
    int x = 1;
    // Three draws per segment: an optional block before, the length, an
    // optional block after. A segment may reach past the bound to the edge.
    while (x < columnBound) {
      if (random.randomBelow(3) == 0) ++x;
      const int length = 2 + random.randomBelow(4);
      for (int i = 0; i < length && x + i < pattern.width; ++i) pattern.at(x + i, y) = 1;
      x += length + 1;
      if (random.randomBelow(6) == 0) ++x;
    }
  }
}

void breakBlockStretches(BlockPattern& pattern, int columnBound, int rowBound) {
  RandomSource& random = *pattern.random;
  // Opens a cell in a tall stack of blocks and closes its right neighbour.
  // A cell in the last column has none: the next cell in storage is the next
  // row's border (or lies past the array), and is left alone.
  const auto openCell = [&pattern](int x, int y) {
    pattern.at(x, y) = 1;
    if (x + 1 < pattern.width) pattern.at(x + 1, y) = 0;
  };
  for (int x = 1; x < columnBound; ++x) {
    int y = 1;
    while (y < rowBound) {
      if (pattern.at(x, y) != 0) {
        ++y;
        continue;
      }
      int blocks = 0;
      while (y + blocks < rowBound && pattern.at(x, y + blocks) == 0) ++blocks;
      if (blocks == 3) {
        if (y + 3 == rowBound || random.randomBelow(4) == 0) openCell(x, y + 2);
      } else if (blocks >= 4) {
        const bool drawn = random.randomBelow(3) == 0;  // drawn even when forced
        if (drawn || blocks >= 8) openCell(x, y + 3);
      }
      y += blocks;
    }
  }
}

bool repairRuns(BlockPattern& pattern, int columnBound, int rowBound) {
  SourceArea area(pattern, columnBound, rowBound);
  if (!repairColumnsIn(area)) return true;
  // Row and column repairs can undo each other; a layout still changing
  // after six cycles is given up rather than chased further.
  for (int cycle = 0; cycle < 6; ++cycle) {
    bool changed = repairRowsIn(area);
    if (!changed) changed = repairColumnsIn(area);
    if (!changed) return true;
  }
  return false;
}

void completeSymmetry(BlockPattern& pattern, int columnBound, int rowBound) {
  const int width = pattern.width;
  const int height = pattern.height;
  const bool square = width == height;
  // Square boards turn by quarters, others by halves. Each cell is read when
  // visited, so cells already written as images pass on their new value.
  for (int y = 1; y < rowBound; ++y) {
    for (int x = 1; x < columnBound; ++x) {
      const std::uint8_t value = pattern.at(x, y);
      pattern.at(width - x, height - y) = value;
      if (square) {
        pattern.at(y, height - x) = value;
        pattern.at(width - y, x) = value;
      }
    }
  }
}

int countBadRuns(const BlockPattern& pattern, int columnBound, int rowBound) {
  int bad = 0;
  for (int y = 1; y < rowBound; ++y) bad += countBadInBits(rowWhitesOf(pattern, y, columnBound), columnBound);
  for (int x = 1; x < columnBound; ++x) bad += countBadInBits(columnWhitesOf(pattern, x, rowBound), rowBound);
  return bad;
}

bool repairRows(BlockPattern& pattern, int columnBound, int rowBound) {
  SourceArea area(pattern, columnBound, rowBound);
  return repairRowsIn(area);
}

bool repairColumns(BlockPattern& pattern, int columnBound, int rowBound) {
  SourceArea area(pattern, columnBound, rowBound);
  return repairColumnsIn(area);
}

bool isValidPattern(BlockPattern& pattern) {
  const int width = pattern.width;
  const int height = pattern.height;
  for (int y = 1; y < height; ++y)
    if (hasIllegalRun(&pattern.at(0, y), 1, width)) return false;
  for (int x = 1; x < width; ++x)
    if (hasIllegalRun(&pattern.at(x, 0), width, height)) return false;
  bool filled = false;
  for (int y = 1; y < height && !filled; ++y) {
    for (int x = 1; x < width; ++x) {
      if (pattern.at(x, y) == 1) {
        fillConnected(pattern, x, y);
        filled = true;
        break;
      }
    }
  }
  for (int y = 1; y < height; ++y)
    for (int x = 1; x < width; ++x)
      if (pattern.at(x, y) == 1) return false;
  return true;
}

void fillConnected(BlockPattern& pattern, int x, int y) {
  // Depth is at most the number of white cells, a few hundred.
  pattern.at(x, y) = 2;
  if (x > 0 && pattern.at(x - 1, y) == 1) fillConnected(pattern, x - 1, y);
  if (x < pattern.width - 1 && pattern.at(x + 1, y) == 1) fillConnected(pattern, x + 1, y);
  if (y > 0 && pattern.at(x, y - 1) == 1) fillConnected(pattern, x, y - 1);
  if (y < pattern.height - 1 && pattern.at(x, y + 1) == 1) fillConnected(pattern, x, y + 1);
}

}  // namespace vantreel
