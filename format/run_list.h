#pragma once
// The runs of a layout, listed once for every search (the solver grid, the
// exact search, the explainer, the generator) and the one place that says
// what a run's clue asks of its cells.
//
// A run is the line of white cells that follows a clue cell to its right
// (across) or below it (down). Runs come in reading order of their clue
// cells, across before down: the order in which the solver visits them.
#include <cstdint>
#include <vector>

#include "format/board.h"

namespace vantreel {

inline constexpr int kMaxRunLength = 9;  // nine cells hold every digit once

// What a clue asks of the cells of its run.
enum class RunMeaning : std::uint8_t {
  Sum,      // 2..9 cells of different digits adding up to the sum; sum 0: the
            // sum is not chosen yet, and the digits need only differ
  Digit,    // one cell, whose sum 1..9 is its digit
  NoDigit,  // one cell, whose sum is missing (0) or above 9: no digit fits
  TooLong,  // more than nine cells, which cannot all hold different digits
};

// `length` >= 1 white cells after a clue of `sum`.
constexpr RunMeaning meaningOf(int length, int sum) {
  if (length > kMaxRunLength) return RunMeaning::TooLong;
  if (length >= 2) return RunMeaning::Sum;
  return sum >= 1 && sum <= 9 ? RunMeaning::Digit : RunMeaning::NoDigit;
}

struct RunSpan {
  int clue = 0;    // board index of the clue cell
  int first = 0;   // board index of the run's first cell
  int step = 1;    // 1 across; the board's width down
  int length = 0;  // white cells, 1..kMaxInterior
  int sum = 0;     // the clue's sum in this direction
  bool across = true;
  RunMeaning meaning = RunMeaning::Sum;

  int cell(int k) const { return first + k * step; }
};

// Calls visit(const RunSpan&) for every run of a layout `width` x `height`
// (border row and column included), in list order. isWhite(p) tells white
// cells, startsRuns(p) the cells whose runs count (on a Board its clue
// cells), sumOf(p, across) the clue's sum. The across scan needs no row
// check: column 0 of the next row is a border cell, never white.
template <typename IsWhite, typename StartsRuns, typename SumOf, typename Visit>
void forEachLayoutRun(int width, int height, IsWhite isWhite, StartsRuns startsRuns, SumOf sumOf, Visit visit) {
  const int cellCount = width * height;
  for (int p = 0; p < cellCount; ++p) {
    if (!startsRuns(p)) continue;
    for (const bool across : {true, false}) {
      const int step = across ? 1 : width;
      int length = 0;
      for (int q = p + step; q < cellCount && isWhite(q); q += step) ++length;
      if (length == 0) continue;
      const int sum = sumOf(p, across);
      visit(RunSpan{p, p + step, step, length, sum, across, meaningOf(length, sum)});
    }
  }
}

// The runs of a Board: only its clue cells start runs, so white cells after
// a plain block belong to no run in that direction.
template <typename Visit>
void forEachRun(const Board& board, Visit visit) {
  const CellKind* kinds = board.kinds.get();
  const std::uint8_t* sums = board.sums.get();
  forEachLayoutRun(
      board.width, board.height, [kinds](int p) { return kinds[p] == CellKind::White; },
      [kinds](int p) { return kinds[p] == CellKind::Clue; },
      [sums](int p, bool across) { return static_cast<int>(sums[2 * p + (across ? 0 : 1)]); }, visit);
}

// The same runs as a list, for code off the hot paths.
std::vector<RunSpan> listRuns(const Board& board);

}  // namespace vantreel
