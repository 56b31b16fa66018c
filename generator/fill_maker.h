#pragma once
// The fill method: digits that no run repeats, the sums they give, and the
// exact search's proof that no other filling has those sums. Where a second
// filling exists, only the cells where the two differ get new digits.
#include <cstdint>
#include <vector>

#include "format/board.h"
#include "generator/layout.h"
#include "generator/random_source.h"
#include "solver/exact_search.h"
#include "solver/judge.h"

namespace vantreel {

// Work of one puzzle on one layout, in exact search steps: a few seconds.
inline constexpr std::int64_t kFillWorkBudget = 150'000'000;
// A drawn layout whose filling, tightened, leaves more than this share of
// the white cells open is given up for another: such layouts seldom take a
// unique filling (at 23x17, 4% of fillings over 40% open did, 93% of those
// under 10%), and drawing one costs less than a failed filling's repairs.
inline constexpr double kMostOpenShare = 0.3;
// A fresh filling is given up sooner: a round of tightening (one attempt per
// white cell) before the end, this much more may be open; two rounds, twice
// as much. Few fillings that fall behind catch up (at 11x11, 35 of 419 over
// 80% open half-way), and giving up early made puzzles 7-13% faster.
inline constexpr double kOpenSharePace = 0.2;

struct FillStats {
  int fillings = 0;  // fresh fillings of the whole layout
  int repairs = 0;   // second solutions answered with new digits
  int searches = 0;
  std::int64_t steps = 0;
};

// One maker per thread: after the first layouts of a size nothing allocates.
class FillMaker {
 public:
  // The layout must pass checkLayout.
  void load(const Layout& layout);
  // A puzzle with one solution, proven, into `board` (level from judging);
  // false when `workBudget` steps found none, or at once when a filling,
  // tightened, leaves more than `mostOpen` of the white cells open.
  [[nodiscard]] bool make(RandomSource& random, std::int64_t workBudget, Board& board, FillStats* stats = nullptr,
                          double mostOpen = 1.0);

 private:
  struct Run {
    std::uint16_t clue;
    std::uint16_t first;
    std::uint16_t step;
    std::uint8_t length;
    bool across;
  };
  [[nodiscard]] bool fillCells(RandomSource& random, int count, int forbidCell, DigitSet forbidden);
  DigitSet swapDigits(int cell) const;
  int drawDigit(RandomSource& random, int cell, DigitSet allowed) const;
  DigitSet freeDigits(int cell) const;
  [[nodiscard]] bool tighten(RandomSource& random, int cell, DigitSet avoid);
  void place(int cell, int digit);
  void clear(int cell);
  // visit(cell) for every cell of `cell`'s two runs, `cell` itself twice.
  template <class Visit>
  void forEachCellOfRuns(int cell, Visit visit) const {
    for (int side = 0; side < 2; ++side) {
      const Run& run = runs_[runsOfCell_[2 * cell + side]];
      for (int i = 0; i < run.length; ++i) visit(run.first + i * run.step);
    }
  }
  int sumOf(const Run& run) const;
  void writeSum(const Run& run);
  void writeSums();
  void writeSumsAt(int cell);  // the sums of the cell's two runs
  [[nodiscard]] bool redrawAround(RandomSource& random, int forbidCell, DigitSet forbidden,
                                  const std::vector<std::uint8_t>& first);
  bool settleByTightening(RandomSource& random, int attempts, std::int64_t& steps, double mostOpen);

  Board board_;  // kinds fixed by the layout; sums follow the digits
  std::vector<Run> runs_;
  std::vector<std::int32_t> runsOfCell_;  // across, down per board cell; -1 none
  std::vector<std::uint16_t> whiteCells_;
  std::vector<DigitSet> used_;  // per run
  std::vector<std::uint8_t> lowRun_;  // per run: its digits drawn small
  std::vector<std::uint8_t> digits_;  // per board cell
  std::vector<std::uint8_t> marked_;  // per board cell: in order_, while redrawAround widens it
  std::vector<std::uint16_t> near_;  // cells the last repair changed, and their runs' cells
  std::vector<std::uint16_t> order_;  // cells fillCells fills, in its order
  std::vector<DigitSet> tried_;
  std::vector<std::uint16_t> open_;  // cells root propagation leaves open
  std::vector<std::uint16_t> openTried_;  // the same after a tightening being tried
  // The digits a tightening turned down at a cell, and the steps each took,
  // since the last kept change: valid while `round` is settleRound_.
  struct Refusal {
    std::uint64_t round = 0;
    DigitSet digits = 0;
    std::int32_t steps[9] = {};  // a reopening costs at most a few revisions per cell
  };
  std::vector<Refusal> refused_;  // per board cell
  std::uint64_t settleRound_ = 0;  // grows at every kept change and every settling
  bool narrowed_ = false;  // the last tighten left sums with fewer combinations
  ExactSearch search_;
  Judge judge_;
};

}  // namespace vantreel
