// libFuzzer target: the generator's layout and clue code. A layout drawn
// from the input is judged against plain definitions (its bad runs by a walk,
// its validity by runs of 2..9 and one connected group) and repaired; then a
// few attempts of the puzzle pipeline from a seed the input picks: any
// puzzle they accept must read strictly, have exactly one solution that keeps
// every clue, and carry a level 1..5.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <algorithm>
#include <vector>

#include "format/strict_reader.h"
#include "generator/batch.h"
#include "generator/block_pattern.h"
#include "generator/generator_context.h"
#include "generator/grading.h"
#include "generator/puzzle_pipeline.h"
#include "solver/exact_search.h"
#include "tests/board_text.h"
#include "tests/clue_check.h"

namespace {

using namespace vantreel;

struct ByteStream {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next = 0;
  int take() { return next < size ? data[next++] : 0; }
};

// A broken expectation names its line before the fuzzer keeps the input.
void requireAt(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "%s:%d: expectation broken\n", __FILE__, line);
  std::abort();
}
#define require(condition) requireAt((condition), __LINE__)

// Lines of the source area walked run by run, as the repairs define a bad
// run: one cell, more than nine, or more than four reaching the bound.
int badRunsByWalking(const BlockPattern& pattern, int columnBound, int rowBound) {
  int bad = 0;
  const auto walk = [&](int bound, auto white) {
    for (int start = 1; start < bound;) {
      int end = start;
      while (end < bound && white(end)) ++end;
      const int length = end - start;
      if (length == 1 || length > 9 || (length > 4 && end == bound)) ++bad;
      start = end + 1;
    }
  };
  for (int y = 1; y < rowBound; ++y) walk(columnBound, [&](int x) { return pattern.at(x, y) != 0; });
  for (int x = 1; x < columnBound; ++x) walk(rowBound, [&](int y) { return pattern.at(x, y) != 0; });
  return bad;
}

// Every run 2..9 cells long, and the white cells one 4-connected group.
bool isValidByDefinition(const BlockPattern& pattern) {
  const int width = pattern.width, height = pattern.height;
  for (const bool rows : {true, false})
    for (int line = 1; line < (rows ? height : width); ++line) {
      int length = 0;
      for (int i = 1; i <= (rows ? width : height); ++i) {
        const bool white = i < (rows ? width : height) && (rows ? pattern.at(i, line) : pattern.at(line, i)) != 0;
        if (white) {
          ++length;
          continue;
        }
        if (length == 1 || length > 9) return false;
        length = 0;
      }
    }
  std::vector<int> stack, seen(width * height, 0);
  int whites = 0, reached = 0;
  for (int p = 0; p < width * height; ++p)
    if (pattern.cells[p] != 0 && ++whites == 1) {
      stack.push_back(p);
      seen[p] = 1;
    }
  while (!stack.empty()) {
    const int x = stack.back() % width, y = stack.back() / width;
    stack.pop_back();
    ++reached;
    for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
      const int q = ny * width + nx;
      if (pattern.cells[q] != 0 && !seen[q]) {
        seen[q] = 1;
        stack.push_back(q);
      }
    }
  }
  return reached == whites;
}

void checkLayout(ByteStream& bytes) {
  RandomSource random(static_cast<std::uint32_t>(bytes.take() | bytes.take() << 8));
  BlockPattern pattern;
  const int width = 3 + bytes.take() % 22, height = 3 + bytes.take() % 22;
  pattern.allocate(random, width, height);
  const int blockPercent = bytes.take() % 60;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pattern.at(x, y) = x > 0 && y > 0 && bytes.take() * 100 / 256 >= blockPercent ? 1 : 0;
  const int columnBound = 2 + bytes.take() % (width - 1), rowBound = 2 + bytes.take() % (height - 1);
  require(countBadRuns(pattern, columnBound, rowBound) == badRunsByWalking(pattern, columnBound, rowBound));

  BlockPattern copy;
  copy.allocate(random, width, height);
  std::copy_n(pattern.cells.get(), width * height, copy.cells.get());
  require(isValidPattern(copy) == isValidByDefinition(pattern));

  // The repairs keep the border and the cell values, and touch only the source area.
  const bool settled = repairRuns(pattern, columnBound, rowBound);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      require(pattern.at(x, y) <= 1);
      if (x == 0 || y == 0) require(pattern.at(x, y) == 0);
    }
  (void)settled;
  completeSymmetry(pattern, sourceColumnBound(pattern), sourceRowBound(pattern));
}

void checkPipeline(ByteStream& bytes) {
  const BoardSize size = boardSizeFor(1 + bytes.take() % 4);
  std::uint32_t seed = 0;
  for (int i = 0; i < 4; ++i) seed = seed << 8 | static_cast<std::uint32_t>(bytes.take());
  RandomSource random(seed);
  GeneratorContext context;
  setUpContext(context, random, size.width, size.height);
  Board board;
  board.allocate(size.width, size.height);
  const int attempts = 1 + bytes.take() % 6;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    context.lastSurplus = 0;
    context.work.contradiction = 0;
    context.work.runCount = 0;
    if (!generate(context.pattern)) continue;
    require(isValidByDefinition(context.pattern));
    context.clueCellCount = extractRuns(context.pattern, context.work, context.clueCells.get());
    if (!assignClues(context) || !gradePuzzle(context, board)) continue;
    require(board.level >= 1 && board.level <= 5);
    std::string line = vantreel::testing::lineOf(board);
    line.pop_back();
    Board read;
    std::string reason;
    require(readStrict(line, read, reason));
    ExactSearch search;
    search.load(board);
    require(search.count(2).found == 1);
    const std::vector<std::uint8_t>& solution = search.solution(0);
    require(vantreel::testing::keepsEveryClue(board, vantreel::testing::Filling(solution.begin(), solution.end())));
  }
  tearDownContext(context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteStream bytes{data, size};
  if (bytes.take() % 2 == 0) checkLayout(bytes);
  else checkPipeline(bytes);
  return 0;
}
