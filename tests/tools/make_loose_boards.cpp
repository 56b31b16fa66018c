// Writes drafts as a puzzle maker first has them: a hand-made-looking layout
// filled with random digits that no run repeats, and the sums of that filling.
// Every board has the filling as a solution; most have several.
//   make_loose_boards SEED COUNT
//   make_loose_boards SEED changes FILE   each puzzle of FILE with one clue one off
// Layouts are half-turn symmetric and connected, with runs of 2..9 cells,
// about 72% white cells and runs of 2/3/4/5+ cells near 40/26/16/18%; sizes
// have a median near 11x11, a fifth of 201..400 cells, and reach 45x30.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

#include "format/puzzle_line.h"
#include "tests/random_puzzles.h"

namespace {

using namespace vantreel;
using testing::Layout;

constexpr double kWhiteShare = 0.72;
constexpr std::array<double, 4> kRunShares = {0.40, 0.26, 0.16, 0.18};  // 2, 3, 4, 5+ cells

struct Shape {
  int columns, rows;
};

// Cell counts drawn by share: a third up to 100, two fifths 101..200, a fifth
// 201..400 and the rest up to 45x30.
Shape drawShape(std::mt19937& random) {
  const int pick = static_cast<int>(random() % 100);
  int low, high;
  if (pick < 35) low = 36, high = 100;
  else if (pick < 75) low = 101, high = 200;
  else if (pick < 96) low = 201, high = 400;
  else low = 401, high = 45 * 30;
  for (;;) {
    const int columns = 6 + static_cast<int>(random() % 40), rows = 6 + static_cast<int>(random() % 25);
    const int cells = columns * rows;
    if (cells < low || cells > high) continue;
    if (columns > 2 * rows || rows > 2 * columns) continue;
    return {columns, rows};
  }
}

// Lower is better: hard faults (runs of one cell or of more than nine,
// disconnected white cells) outweigh the distance from the target shares.
double layoutScore(const Layout& layout, int& faults) {
  const int columns = layout.columns, rows = layout.rows, cells = columns * rows;
  std::array<int, 4> lengths{};
  int runCount = 0, white = 0;
  faults = 0;
  auto countLine = [&](bool across, int line) {
    const int length = across ? columns : rows;
    for (int start = 0; start < length;) {
      auto isWhite = [&](int i) { return across ? layout.white[line * columns + i] : layout.white[i * columns + line]; };
      if (!isWhite(start)) {
        ++start;
        continue;
      }
      int end = start;
      while (end < length && isWhite(end)) ++end;
      const int run = end - start;
      if (run == 1 || run > 9) ++faults;
      else ++lengths[std::min(run, 5) - 2], ++runCount;
      start = end;
    }
  };
  for (int row = 0; row < rows; ++row) countLine(true, row);
  for (int column = 0; column < columns; ++column) countLine(false, column);
  // Connectivity by a flood fill from the first white cell.
  std::vector<int> stack;
  std::vector<char> seen(cells, 0);
  for (int i = 0; i < cells; ++i) white += layout.white[i];
  for (int i = 0; i < cells && stack.empty(); ++i)
    if (layout.white[i]) stack.push_back(i), seen[i] = 1;
  int reached = static_cast<int>(stack.size());
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    const int row = i / columns, column = i % columns;
    const int next[4] = {column > 0 ? i - 1 : -1, column + 1 < columns ? i + 1 : -1, row > 0 ? i - columns : -1,
                         row + 1 < rows ? i + columns : -1};
    for (const int j : next)
      if (j >= 0 && layout.white[j] && !seen[j]) seen[j] = 1, ++reached, stack.push_back(j);
  }
  if (reached != white) faults += 1 + (white - reached) / 4;
  double score = 20.0 * faults + 2.0 * std::abs(white - kWhiteShare * cells);
  for (int k = 0; k < 4; ++k) score += std::abs(lengths[k] - kRunShares[k] * runCount);
  return score;
}

// Hill climbing over half-turn pairs of cells, from a random start.
bool makeLooseLayout(Layout& layout, std::mt19937& random) {
  const int cells = layout.columns * layout.rows;
  for (int i = 0; i < cells; ++i)
    if (random() % 100 < 28) layout.setBlock(i / layout.columns, i % layout.columns);
  int faults = 0;
  double score = layoutScore(layout, faults);
  for (int step = 0; step < 60 * cells; ++step) {
    const int i = static_cast<int>(random() % cells), mirror = cells - 1 - i;
    const char before = layout.white[i];
    layout.white[i] = layout.white[mirror] = !before;
    int tried = 0;
    const double next = layoutScore(layout, tried);
    if (next <= score) score = next, faults = tried;
    else layout.white[i] = layout.white[mirror] = before;
  }
  return faults == 0;
}

}  // namespace

// Tight boards near unique ones: one clue sum up or down by one.
int writeChanges(std::mt19937& random, const char* path) {
  std::FILE* in = std::fopen(path, "r");
  if (in == nullptr) return 1;
  char line[1 << 16];
  Board board;
  while (std::fgets(line, sizeof line, in)) {
    if (line[0] == '#' || !parseBoard(board, line)) continue;
    std::vector<int> slots;
    for (int slot = 0; slot < 2 * board.cellCount(); ++slot)
      if (board.kinds[slot / 2] == CellKind::Clue && board.sums[slot] > 1 && board.sums[slot] < 45) slots.push_back(slot);
    if (slots.empty()) continue;
    const int slot = slots[random() % slots.size()];
    board.sums[slot] = static_cast<std::uint8_t>(board.sums[slot] + (random() % 2 ? 1 : -1));
    writeBoard(stdout, board);
  }
  std::fclose(in);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && std::string_view(argv[2]) == "changes")) {
    std::fprintf(stderr, "usage: make_loose_boards SEED COUNT | SEED changes FILE\n");
    return 2;
  }
  std::mt19937 random(static_cast<unsigned>(std::atoi(argv[1])));
  if (argc == 4) return writeChanges(random, argv[3]);
  const int count = std::atoi(argv[2]);
  for (int made = 0; made < count;) {
    const Shape shape = drawShape(random);
    Layout layout{shape.columns, shape.rows, std::vector<char>(shape.columns * shape.rows, 1)};
    if (!makeLooseLayout(layout, random)) continue;
    std::vector<int> digits(shape.columns * shape.rows, 0);
    long budget = 2'000'000;
    if (!testing::fillDigits(layout, digits, 0, random, budget)) continue;
    writeBoard(stdout, testing::makeBoard(layout, digits, 1));
    ++made;
  }
  return 0;
}
