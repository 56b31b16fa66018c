// Writes random puzzles that only a search settles, for the check benchmarks.
//   make_search_puzzles SEED COUNT COLUMNS ROWS unique   one solution, found only by guessing
//   make_search_puzzles SEED COUNT COLUMNS ROWS two      exactly two solutions
// Cells where two solutions differ are blocked until as many solutions remain.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "format/puzzle_line.h"
#include "solver/exact_search.h"
#include "tests/random_puzzles.h"

namespace {

using namespace vantreel;
using testing::Layout;

// Propagation alone does not settle it: the exact search has to guess.
bool needsGuesses(const Board& board) {
  ExactSearch search;
  search.load(board);
  return search.count(2).nodes > 1;
}

// Blocks one cell and every white cell left without a run of two or more.
void blockCell(Layout& layout, int index) {
  layout.white[index] = 0;
  for (int i = 0; i < layout.columns * layout.rows; ++i) {
    if (!layout.white[i]) continue;
    const int row = i / layout.columns, column = i % layout.columns;
    auto white = [&](int r, int c) {
      return r >= 0 && c >= 0 && r < layout.rows && c < layout.columns && layout.white[r * layout.columns + c];
    };
    if (!white(row, column - 1) && !white(row, column + 1) && !white(row - 1, column) && !white(row + 1, column))
      layout.white[i] = 0;
  }
}

bool makeSolutions(std::mt19937& random, int columns, int rows, int wanted, Board& result) {
  Layout layout{columns, rows, std::vector<char>(columns * rows, 1)};
  if (!testing::makeLayout(layout, random, 30)) return false;
  std::vector<int> digits(columns * rows, 0);
  long budget = 200000;
  if (!testing::fillDigits(layout, digits, 0, random, budget)) return false;
  ExactSearch search;
  for (int round = 0; round < 400; ++round) {
    const Board board = testing::makeBoard(layout, digits, 5);
    search.load(board);
    const SearchOutcome outcome = search.count(3, 2'000'000);
    if (outcome.budgetExceeded || outcome.found < wanted) return false;
    if (outcome.found == wanted) {
      result = testing::makeBoard(layout, digits, 5);
      return true;
    }
    std::vector<int> differ;
    for (int i = 0; i < columns * rows; ++i) {
      const int p = (i / columns + 1) * board.width + i % columns + 1;
      if (layout.white[i] && search.solution(0)[p] != search.solution(1)[p]) differ.push_back(i);
    }
    const Layout before = layout;
    blockCell(layout, differ[random() % differ.size()]);
    search.load(testing::makeBoard(layout, digits, 5));
    if (search.count(wanted, 200'000).found < wanted) layout = before;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: make_search_puzzles SEED COUNT COLUMNS ROWS unique|two\n");
    return 2;
  }
  std::mt19937 random(std::strtoul(argv[1], nullptr, 10));
  const int count = std::atoi(argv[2]), columns = std::atoi(argv[3]), rows = std::atoi(argv[4]);
  const bool two = std::strcmp(argv[5], "two") == 0;
  for (int made = 0; made < count;) {
    Board board;
    if (!makeSolutions(random, columns, rows, two ? 2 : 1, board)) continue;
    if (!two && !needsGuesses(board)) continue;
    writeBoard(stdout, board);
    ++made;
  }
  return 0;
}
