#include "generator/layout_drawing.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace vantreel {
namespace {

// Flips the climb tries: per cell, at least, and per line while faults remain.
constexpr int kClimbStepsPerCell = 5;
constexpr int kClimbStepsBase = 100;
constexpr int kRepairStepsPerLine = 30;
// A fault (a run of one cell or over nine) outweighs any share.
constexpr double kFaultWeight = 20.0;
constexpr double kWhiteWeight = 8.0;
// Hand-made puzzles' runs average 3.25 cells at 72% white. Layouts near
// that take a unique filling far more often (at 23x17, 71% of drawn layouts
// averaging 3.4 cells did, none averaging 3.8), so the climb aims there
// too, weighed per run. Runs grow with the white share as 1 / (1 - share)
// does, and so does the aim.
constexpr double kMeanRun = 3.25;
constexpr double kMeanRunWhitePercent = 72.0;
constexpr double kMeanRunWeight = 2.0;
// The small groups cut off at the end take about this share of the cells
// (measured on 23x17 layouts), so the climb aims that much higher.
constexpr double kCutOffPercent = 4.0;
// Cells near a fault whose flips are tried in pairs: a lone cell's 25, a
// line of ten's 30, not the hundreds beside a very long one.
constexpr int kMostPairedCells = 40;
// A lone cell is mended within this many rows and columns of it: one row
// or column away is often too close, as its neighbours make faults too.
constexpr int kLoneReach = 2;

// White cells of the line just below position `at`, and just above it.
// Bits past the line's end are never set.
int whitesBelow(const std::uint64_t* words, int at) {
  int count = 0;
  for (int next = at - 1; next >= 0;) {
    const int top = next & 63;
    const std::uint64_t blocks = ~words[next >> 6] << (63 - top);
    if (blocks != 0) return count + std::countl_zero(blocks);
    count += top + 1;
    next -= top + 1;
  }
  return count;
}

int whitesAbove(const std::uint64_t* words, int at) {
  int count = 0;
  for (int next = at + 1; next < 128;) {
    const int low = next & 63;
    const std::uint64_t blocks = ~words[next >> 6] >> low;
    if (blocks != 0) return count + std::countr_zero(blocks);
    count += 64 - low;
    next += 64 - low;
  }
  return count;
}

}  // namespace

// What a stretch of each length adds to a line's counts: a table, as stretch
// lengths follow no pattern a branch predictor learns. Built at compile time:
// nothing runs at start-up in any program that links the drawer.
constexpr std::array<LayoutDrawer::LineStats, kMaxInterior + 1> LayoutDrawer::kStretches = [] {
  std::array<LineStats, kMaxInterior + 1> table{};
  for (int run = 1; run <= kMaxInterior; ++run) {
    const std::int16_t fault = run == 1 || run > kMaxRunLength;
    const std::int16_t overrun = static_cast<std::int16_t>(run == 1 ? 1 : std::max(0, run - kMaxRunLength));
    const auto length = [&](int cells) { return static_cast<std::int16_t>(!fault && std::min(run, 5) == cells); };
    table[run].counts = LineStats::Counts{fault,     static_cast<std::int16_t>(!fault), static_cast<std::int16_t>(run),
                                          overrun,   length(2),                          length(3),
                                          length(4), length(5)};
  }
  return table;
}();

// The cells the symmetry maps `cell` to, itself first; their count.
int LayoutDrawer::orbitOf(int cell, int* cells) const {
  const int columns = goal_.columns, rows = goal_.rows;
  const int row = rowOf_[cell], column = columnOf_[cell];
  int count = 0;
  auto add = [&](int r, int c) {
    const int image = r * columns + c;
    if (std::find(cells, cells + count, image) == cells + count) cells[count++] = image;
  };
  add(row, column);
  switch (goal_.symmetry) {
    case Symmetry::Half: add(rows - 1 - row, columns - 1 - column); break;
    case Symmetry::Quarter:
      add(column, columns - 1 - row);
      add(rows - 1 - row, columns - 1 - column);
      add(rows - 1 - column, row);
      break;
    case Symmetry::Mirror: add(row, columns - 1 - column); break;
    case Symmetry::None: break;
  }
  return count;
}

LayoutDrawer::LineStats LayoutDrawer::countLine(const Layout& layout, int line) const {
  const bool across = line < goal_.rows;
  const int length = across ? goal_.columns : goal_.rows, index = across ? line : line - goal_.rows;
  const std::uint8_t* white = layout.white.data();
  const int first = across ? index * goal_.columns : index, step = across ? 1 : goal_.columns;
  LineStats stats;
  int run = 0;
  for (int k = 0; k <= length; ++k) {
    if (k < length && white[first + k * step]) {
      ++run;
      continue;
    }
    stats.counts += kStretches[run].counts;
    run = 0;
  }
  return stats;
}

// The line's counts, and the total, after `cell`, its only flipped cell,
// flipped: only the stretches beside the cell change, so a long line need
// not be walked.
void LayoutDrawer::flipOnLine(int line, int cell) {
  const int at = line < goal_.rows ? columnOf_[cell] : rowOf_[cell];
  const LineBits& bits = bits_[line];
  const int left = whitesBelow(bits.words, at), right = whitesAbove(bits.words, at);
  // A block turned white joins two stretches; a white cell turned block splits one.
  LineStats::Counts change = kStretches[left + 1 + right].counts - kStretches[left].counts - kStretches[right].counts;
  if (!bits.has(at)) change = -change;
  lines_[line].counts += change;
  total_.counts += change;
}

void LayoutDrawer::addLine(const LineStats& stats, int sign) {
  total_.counts += static_cast<std::int16_t>(sign) * stats.counts;
}

// Lower is better. Whites are counted twice, once by rows and once by columns.
double LayoutDrawer::score() const {
  double value = kFaultWeight * total_.overrun() + kWhiteWeight * std::abs(total_.whites() / 2.0 - whiteAim_);
  for (int k = 0; k < 4; ++k) value += std::abs(total_.length(k) - kRunSharePercents[k] / 100.0 * total_.runs());
  return value + kMeanRunWeight * std::abs(total_.whites() - meanRunAim_ * total_.runs());
}

void LayoutDrawer::flipCell(Layout& layout, int cell) {
  layout.white[cell] ^= 1;
  bits_[rowOf_[cell]].flip(columnOf_[cell]);
  bits_[goal_.rows + columnOf_[cell]].flip(rowOf_[cell]);
}

// Flips flip.cells and recounts every line they touch, a line that holds
// one of them around that cell alone.
void LayoutDrawer::applyFlip(Layout& layout, Flip& flip) {
  const int rows = goal_.rows;
  int onLine[16], flipped[16];  // per line: flipped cells on it, the last of them
  flip.lineCount = 0;
  for (int k = 0; k < flip.cellCount; ++k) {
    const int cell = flip.cells[k];
    for (const int line : {int{rowOf_[cell]}, rows + columnOf_[cell]}) {
      int j = 0;
      while (j < flip.lineCount && flip.lines[j] != line) ++j;
      if (j == flip.lineCount) flip.lines[flip.lineCount++] = line, onLine[j] = 0;
      ++onLine[j];
      flipped[j] = cell;
    }
    flipCell(layout, cell);
  }
  for (int k = 0; k < flip.lineCount; ++k) {
    const int line = flip.lines[k];
    flip.before[k] = lines_[line];
    if (onLine[k] == 1) {
      flipOnLine(line, flipped[k]);
      continue;
    }
    addLine(flip.before[k], -1);
    addLine(lines_[line] = countLine(layout, line), 1);
  }
}

void LayoutDrawer::undoFlip(Layout& layout, const Flip& flip) {
  for (int k = 0; k < flip.cellCount; ++k) flipCell(layout, flip.cells[k]);
  for (int k = 0; k < flip.lineCount; ++k) {
    addLine(lines_[flip.lines[k]], -1);
    addLine(lines_[flip.lines[k]] = flip.before[k], 1);
  }
}

// The orbits of `a` and `b` (the same cell or orbit counts once) into flip.cells.
void LayoutDrawer::orbitsOf(int a, int b, Flip& flip) const {
  flip.cellCount = orbitOf(a, flip.cells);
  if (std::find(flip.cells, flip.cells + flip.cellCount, b) == flip.cells + flip.cellCount)
    flip.cellCount += orbitOf(b, flip.cells + flip.cellCount);
}

// Cells to mend the line's first faulty stretch with, into `cells`: near a
// lone cell, its square; along a line of more than nine, its cells and
// their neighbours across it. Their count.
int LayoutDrawer::faultNear(const Layout& layout, int line, int* cells) const {
  const bool across = line < goal_.rows;
  const int columns = goal_.columns, length = across ? columns : goal_.rows;
  const int first = across ? line * columns : line - goal_.rows, step = across ? 1 : columns, side = across ? columns : 1;
  int run = 0;
  for (int k = 0; k <= length; ++k) {
    if (k < length && layout.white[first + k * step]) {
      ++run;
      continue;
    }
    if (run == 1) {
      // A lone cell: every cell within two rows and columns of it.
      const int cell = first + (k - 1) * step, row = cell / columns, column = cell % columns;
      int count = 0;
      for (int r = std::max(0, row - kLoneReach); r <= std::min(goal_.rows - 1, row + kLoneReach); ++r)
        for (int c = std::max(0, column - kLoneReach); c <= std::min(columns - 1, column + kLoneReach); ++c)
          cells[count++] = r * columns + c;
      return count;
    }
    if (run > kMaxRunLength) {
      int count = 0;
      for (int j = k - run; j < k; ++j) {
        const int cell = first + j * step;
        cells[count++] = cell;
        const int offset = across ? cell / columns : cell % columns, limit = across ? goal_.rows : columns;
        if (offset > 0) cells[count++] = cell - side;
        if (offset + 1 < limit) cells[count++] = cell + side;
      }
      return count;
    }
    run = 0;
  }
  return 0;
}

// One fault the climb left, mended by the flip of one or two orbits near it
// that leaves the least overrun (then the best score): a lone cell seldom
// goes by one random flip, as the flip that ends it starts another, and a
// line of twenty-five cut once is two faults for one. False when no such
// flip lowers the overrun near any faulty line.
bool LayoutDrawer::mendOneFault(Layout& layout) {
  const int lineCount = goal_.rows + goal_.columns;
  int near[3 * kMaxInterior];
  for (int line = 0; line < lineCount; ++line) {
    if (lines_[line].faults() == 0) continue;
    const int count = faultNear(layout, line, near);
    int bestOverrun = total_.overrun(), best[2] = {-1, -1};
    double bestScore = 0;
    // Pairs only near a short stretch: a line far too long has many cells.
    const int pairsUpTo = count <= kMostPairedCells ? count : 0;
    Flip flip;
    for (int a = 0; a < count; ++a)
      for (int b = a; b < std::max(a + 1, pairsUpTo); ++b) {
        orbitsOf(near[a], near[b], flip);
        applyFlip(layout, flip);
        const int overrun = total_.overrun();
        const double value = score();
        undoFlip(layout, flip);
        if (overrun < bestOverrun || (overrun == bestOverrun && best[0] >= 0 && value < bestScore)) {
          bestOverrun = overrun;
          bestScore = value;
          best[0] = near[a];
          best[1] = near[b];
        }
      }
    if (best[0] < 0) continue;
    orbitsOf(best[0], best[1], flip);
    applyFlip(layout, flip);
    return true;
  }
  return false;
}

// White cells outside the largest group become blocks: a whole group holds
// no run with a cell outside it, so no run changes. The largest group must be
// its own image, or the symmetry would be lost.
bool LayoutDrawer::keepLargestGroup(Layout& layout) {
  const int columns = goal_.columns, cells = columns * goal_.rows;
  group_.assign(cells, -1);
  int largest = -1, largestSize = 0, groups = 0;
  for (int start = 0; start < cells; ++start) {
    if (!layout.white[start] || group_[start] >= 0) continue;
    int size = 0;
    stack_.clear();
    stack_.push_back(start);
    group_[start] = groups;
    while (!stack_.empty()) {
      const int cell = stack_.back();
      stack_.pop_back();
      ++size;
      const int row = cell / columns, column = cell % columns;
      const int next[4] = {column > 0 ? cell - 1 : -1, column + 1 < columns ? cell + 1 : -1,
                           row > 0 ? cell - columns : -1, row + 1 < goal_.rows ? cell + columns : -1};
      for (const int other : next)
        if (other >= 0 && layout.white[other] && group_[other] < 0) group_[other] = groups, stack_.push_back(other);
    }
    if (size > largestSize) largest = groups, largestSize = size;
    ++groups;
  }
  if (largest < 0) return false;
  for (int cell = 0; cell < cells; ++cell) {
    if (group_[cell] != largest) continue;
    int orbit[4];
    const int count = orbitOf(cell, orbit);
    for (int k = 1; k < count; ++k)
      if (group_[orbit[k]] != largest) return false;
  }
  for (int cell = 0; cell < cells; ++cell)
    if (layout.white[cell] && group_[cell] != largest) layout.white[cell] = 0;
  return true;
}

bool LayoutDrawer::draw(RandomSource& random, const LayoutGoal& goal, Layout& layout) {
  goal_ = goal;
  whiteAim_ = (goal.whitePercent + kCutOffPercent) / 100.0 * (static_cast<double>(goal.columns) * goal.rows);
  meanRunAim_ = kMeanRun * (100 - kMeanRunWhitePercent) / (100 - goal.whitePercent);
  const int columns = goal.columns, rows = goal.rows, cells = columns * rows;
  layout.columns = columns;
  layout.rows = rows;
  layout.white.assign(cells, 0);
  rowOf_.resize(cells);
  columnOf_.resize(cells);
  for (int cell = 0; cell < cells; ++cell) {
    rowOf_[cell] = static_cast<std::uint8_t>(cell / columns);
    columnOf_[cell] = static_cast<std::uint8_t>(cell % columns);
  }
  int orbit[4];
  for (int cell = 0; cell < cells; ++cell) {
    const int count = orbitOf(cell, orbit);
    if (*std::min_element(orbit, orbit + count) != cell) continue;
    const std::uint8_t white = random.randomBelow(100) < goal.whitePercent;
    for (int k = 0; k < count; ++k) layout.white[orbit[k]] = white;
  }
  const int lineCount = rows + columns;
  lines_.resize(lineCount);
  bits_.assign(lineCount, LineBits{});
  for (int cell = 0; cell < cells; ++cell)
    if (layout.white[cell]) {
      layout.white[cell] = 0;
      flipCell(layout, cell);
    }
  total_ = {};
  for (int line = 0; line < lineCount; ++line) addLine(lines_[line] = countLine(layout, line), 1);

  double current = score();
  Flip flip;
  // Then flips only on lines that still hold a fault, which a large board's
  // random flips seldom hit. The climb settles within a few flips per cell:
  // 40 per cell and 400 per faulty line drew the same shares and kept as
  // many drawings at seven times the cost.
  const int stepLimit = kClimbStepsPerCell * cells + kClimbStepsBase;
  const int repairLimit = stepLimit + kRepairStepsPerLine * lineCount;
  for (int step = 0; step < repairLimit; ++step) {
    int cell = 0;
    if (step < stepLimit) {
      cell = random.randomBelow(cells);
    } else {
      if (total_.faults() == 0) break;
      int line = random.randomBelow(lineCount);
      while (lines_[line].faults() == 0) line = line + 1 == lineCount ? 0 : line + 1;
      const int k = random.randomBelow(line < rows ? columns : rows);
      cell = line < rows ? line * columns + k : k * columns + line - rows;
    }
    // Every second flip of the climb turns two orbits at once: a block can
    // then move without a detour through a worse white share.
    if (step < stepLimit && step % 2 == 1) {
      orbitsOf(cell, random.randomBelow(cells), flip);
    } else {
      flip.cellCount = orbitOf(cell, flip.cells);
    }
    applyFlip(layout, flip);
    const double next = score();
    if (next <= current) {
      current = next;
      continue;
    }
    undoFlip(layout, flip);
  }
  while (total_.faults() > 0 && mendOneFault(layout)) {
  }
  return total_.faults() == 0 && keepLargestGroup(layout) && !checkLayout(layout);
}

}  // namespace vantreel
