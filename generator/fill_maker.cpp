#include "generator/fill_maker.h"

#include <algorithm>
#include <cstring>

#include "tables/combination_table.h"

namespace vantreel {
namespace {

// One exact search may use at most this much of the puzzle's budget: a draft
// it cannot settle quickly is better filled afresh.
constexpr std::int64_t kSearchSteps = 4'000'000;
// Attempts at tightening a fresh filling, per white cell.
constexpr int kSettleRounds = 4;
// Tightening stops after the white cells divided by this of attempts without
// a kept change: on layouts that take a unique filling it rarely finds more
// (puzzles 5-13% faster at 11x11 to 45x30).
constexpr int kStallDivisor = 2;
// Attempts after a repair, per white cell divided by this.
constexpr int kRepairSettleDivisor = 2;

}  // namespace

void FillMaker::load(const Layout& layout) {
  const int width = layout.columns + 1, height = layout.rows + 1;
  board_.allocate(width, height);
  for (int row = 0; row < layout.rows; ++row)
    for (int column = 0; column < layout.columns; ++column)
      if (layout.isWhite(row, column)) board_.kinds[(row + 1) * width + column + 1] = CellKind::White;
  // A block before a white cell, to its left or above it, is a clue cell.
  const int cells = width * height;
  for (int p = 0; p < cells; ++p) {
    if (board_.kinds[p] == CellKind::White) continue;
    const bool right = p % width + 1 < width && board_.kinds[p + 1] == CellKind::White;
    const bool below = p + width < cells && board_.kinds[p + width] == CellKind::White;
    if (right || below) board_.kinds[p] = CellKind::Clue;
  }
  runs_.clear();
  runsOfCell_.assign(2 * cells, -1);
  forEachRun(board_, [&](const RunSpan& span) {
    const int index = static_cast<int>(runs_.size());
    runs_.push_back(Run{static_cast<std::uint16_t>(span.clue), static_cast<std::uint16_t>(span.first),
                        static_cast<std::uint16_t>(span.step), static_cast<std::uint8_t>(span.length), span.across});
    for (int k = 0; k < span.length; ++k) runsOfCell_[2 * span.cell(k) + (span.across ? 0 : 1)] = index;
  });
  whiteCells_.clear();
  for (int p = 0; p < cells; ++p)
    if (board_.kinds[p] == CellKind::White) whiteCells_.push_back(static_cast<std::uint16_t>(p));
  used_.assign(runs_.size(), 0);
  lowRun_.assign(runs_.size(), 0);
  digits_.assign(cells, 0);
  marked_.assign(cells, 0);
  refused_.assign(cells, Refusal{});
  order_.reserve(whiteCells_.size());
  tried_.resize(whiteCells_.size());
}

void FillMaker::place(int cell, int digit) {
  digits_[cell] = static_cast<std::uint8_t>(digit);
  const DigitSet bit = static_cast<DigitSet>(1u << (digit - 1));
  used_[runsOfCell_[2 * cell]] |= bit;
  used_[runsOfCell_[2 * cell + 1]] |= bit;
}

void FillMaker::clear(int cell) {
  const DigitSet bit = static_cast<DigitSet>(1u << (digits_[cell] - 1));
  used_[runsOfCell_[2 * cell]] &= static_cast<DigitSet>(~bit);
  used_[runsOfCell_[2 * cell + 1]] &= static_cast<DigitSet>(~bit);
  digits_[cell] = 0;
}

// A digit of `allowed`, drawn with the weights of the cell's two runs: a
// low run favours small digits and a high one large, so that most sums
// have few combinations and most fillings are nearly the only one.
int FillMaker::drawDigit(RandomSource& random, int cell, DigitSet allowed) const {
  const bool low[2] = {lowRun_[runsOfCell_[2 * cell]] != 0, lowRun_[runsOfCell_[2 * cell + 1]] != 0};
  int weights[10] = {}, total = 0;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(allowed >> (digit - 1) & 1)) continue;
    int weight = 1;
    for (const bool isLow : low) weight *= isLow ? 10 - digit : digit;
    // The fourth power: fillings start tighter than with the square, and
    // puzzles came 7-10% faster from 11x11 to 23x17. 81^4 * 9 fits an int.
    const int squared = weight * weight;
    weights[digit] = squared * squared;
    total += weights[digit];
  }
  int pick = random.randomBelow(total);
  for (int digit = 1;; ++digit)
    if ((pick -= weights[digit]) < 0) return digit;
}

// Random digits for order_[0 .. count - 1], none repeated in a run, by
// backtracking; `forbidCell` may not take a digit of `forbidden`. False when
// a few thousand steps did not do it (the cells are left empty then).
bool FillMaker::fillCells(RandomSource& random, int count, int forbidCell, DigitSet forbidden) {
  std::fill(tried_.begin(), tried_.begin() + count, DigitSet{0});
  int k = 0;
  for (int steps = 0; k < count; ++steps) {
    const int cell = order_[k];
    DigitSet allowed = freeDigits(cell) & ~tried_[k];
    if (cell == forbidCell) allowed &= static_cast<DigitSet>(~forbidden);
    if (allowed == 0 || steps > 50 * count + 1000) {
      if (allowed != 0 || k == 0) break;
      tried_[k] = 0;
      clear(order_[--k]);
      continue;
    }
    const int digit = drawDigit(random, cell, allowed);
    tried_[k] |= static_cast<DigitSet>(1u << (digit - 1));
    place(cell, digit);
    ++k;
  }
  if (k == count) return true;
  while (k > 0) clear(order_[--k]);
  return false;
}

// Digits that would close a swap rectangle at `cell`: with q beside it in
// its across run, s in its down run and t at the fourth corner in both of
// theirs, digits a at cell and t and b at q and s trade places without
// changing a sum or repeating a digit, so such a filling is never unique.
DigitSet FillMaker::swapDigits(int cell) const {
  const int across = runsOfCell_[2 * cell], down = runsOfCell_[2 * cell + 1];
  if (across < 0 || down < 0) return 0;
  const Run& row = runs_[across];
  const Run& column = runs_[down];
  DigitSet swaps = 0;
  for (int i = 0; i < row.length; ++i) {
    const int q = row.first + i;
    if (q == cell || digits_[q] == 0) continue;
    const int offset = q - cell;
    for (int j = 0; j < column.length; ++j) {
      const int s = column.first + j * column.step;
      if (s == cell || digits_[s] != digits_[q]) continue;
      const int t = s + offset;
      if (digits_[t] == 0 || board_.kinds[t] != CellKind::White) continue;
      if (runsOfCell_[2 * t] == runsOfCell_[2 * s] && runsOfCell_[2 * t + 1] == runsOfCell_[2 * q + 1])
        swaps |= static_cast<DigitSet>(1u << (digits_[t] - 1));
    }
  }
  return swaps;
}

// Digits the cell can take beside the rest of the filling.
DigitSet FillMaker::freeDigits(int cell) const {
  return kAllDigits & ~used_[runsOfCell_[2 * cell]] & ~used_[runsOfCell_[2 * cell + 1]] & ~swapDigits(cell);
}

// A new digit for `cell`, none of `avoid`, that leaves its two runs the sums
// with the fewest digit combinations: such sums narrow the cells most.
bool FillMaker::tighten(RandomSource& random, int cell, DigitSet avoid) {
  const int old = digits_[cell];
  clear(cell);
  const DigitSet allowed = freeDigits(cell) & static_cast<DigitSet>(~avoid) &
                           static_cast<DigitSet>(~(1u << (old - 1)));
  if (allowed == 0) {
    place(cell, old);
    return false;
  }
  int sums[2] = {0, 0}, lengths[2] = {1, 1};
  for (int k = 0; k < 2; ++k) {
    const Run& run = runs_[runsOfCell_[2 * cell + k]];
    lengths[k] = run.length;
    sums[k] = sumOf(run);
  }
  const auto scoreOf = [&](int digit) {
    int score = 1;
    for (int k = 0; k < 2; ++k)
      if (lengths[k] > 1) score *= static_cast<int>(combinationsOf(lengths[k], sums[k] + digit).size());
    return score;
  };
  int best = 0, bestScore = 1 << 30, ties = 0;
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(allowed >> (digit - 1) & 1)) continue;
    const int score = scoreOf(digit);
    if (score < bestScore) best = digit, bestScore = score, ties = 1;
    else if (score == bestScore && random.randomBelow(++ties) == 0) best = digit;
  }
  narrowed_ = bestScore < scoreOf(old);
  place(cell, best);
  return true;
}

int FillMaker::sumOf(const Run& run) const {
  int sum = 0;
  for (int k = 0; k < run.length; ++k) sum += digits_[run.first + k * run.step];
  return sum;
}

void FillMaker::writeSum(const Run& run) {
  board_.sums[2 * run.clue + (run.across ? 0 : 1)] = static_cast<std::uint8_t>(sumOf(run));
}

void FillMaker::writeSumsAt(int cell) {
  writeSum(runs_[runsOfCell_[2 * cell]]);
  writeSum(runs_[runsOfCell_[2 * cell + 1]]);
}

void FillMaker::writeSums() {
  for (const Run& run : runs_) writeSum(run);
}

// Before a search: digits that root propagation cannot settle are
// tightened one at a time, each change kept when it leaves fewer cells
// open, or as many with sums of fewer combinations: on a loose board one
// change rarely settles a cell alone, but several together do. Each change
// is propagated near its cell only (a few revisions where the whole root
// costs hundreds), and every cell settled is one no search need repair.
// False when, after each white cell's worth of attempts, more stay open
// than `mostOpen` allows by then: that share falls by kOpenSharePace per
// round to `mostOpen` itself at the end.
bool FillMaker::settleByTightening(RandomSource& random, int attempts, std::int64_t& steps, double mostOpen) {
  writeSums();
  ++settleRound_;
  search_.load(board_);
  if (!search_.openAtRoot(open_, steps)) return true;
  const int whiteCount = static_cast<int>(whiteCells_.size());
  int open = static_cast<int>(open_.size());
  const auto better = [&](int openAfter) { return openAfter < open || (narrowed_ && openAfter == open); };
  const int stallLimit = whiteCount / kStallDivisor;
  for (int attempt = 0, lastKept = 0; attempt < attempts && open > 0 && attempt - lastKept <= stallLimit;
       ++attempt) {
    if (attempt > 0 && attempt % whiteCount == 0 &&
        open > (mostOpen + kOpenSharePace * (attempts - attempt) / whiteCount) * whiteCount)
      return false;
    const int cell = open_[random.randomBelow(open)];
    const int old = digits_[cell];
    if (!tighten(random, cell, 0)) continue;
    // Until a change is kept, the same digit at the same cell is turned down
    // again. It is charged what its first try cost, so that the work budget,
    // and with it every puzzle, stays what it would be without the shortcut.
    const int digit = digits_[cell];
    Refusal& refusal = refused_[cell];
    if (refusal.round != settleRound_) refusal.round = settleRound_, refusal.digits = 0;
    if (refusal.digits >> (digit - 1) & 1) {
      steps += refusal.steps[digit - 1];
      clear(cell);
      place(cell, old);
      continue;
    }
    writeSumsAt(cell);
    const std::int64_t attemptStart = steps;
    // Most changes are not kept; reopening their own runs alone, cheaper,
    // already shows so for most.
    const bool worse = search_.reopenAround(board_, cell, openTried_, steps, ExactSearch::Reach::Own) &&
                       !better(static_cast<int>(openTried_.size()));
    search_.undoReopen();
    if (!worse) {
      if (search_.reopenAround(board_, cell, openTried_, steps) && better(static_cast<int>(openTried_.size()))) {
        lastKept = attempt;
        ++settleRound_;
        open_.swap(openTried_);
        open = static_cast<int>(open_.size());
        continue;
      }
      search_.undoReopen();
    }
    refusal.digits = static_cast<DigitSet>(refusal.digits | 1u << (digit - 1));
    refusal.steps[digit - 1] = static_cast<std::int32_t>(steps - attemptStart);
    clear(cell);
    place(cell, old);
    writeSumsAt(cell);
  }
  return open <= mostOpen * whiteCount;
}

// New digits for the group in order_, none of `forbidden` at `forbidCell`;
// when the group alone has no other filling, for every cell of its runs.
// False, with the first solution's digits back, when neither works: the
// filling would only meet the same second solution again.
bool FillMaker::redrawAround(RandomSource& random, int forbidCell, DigitSet forbidden,
                             const std::vector<std::uint8_t>& first) {
  for (const std::uint16_t cell : order_) clear(cell);
  if (fillCells(random, static_cast<int>(order_.size()), forbidCell, forbidden)) return true;
  for (const std::uint16_t cell : order_) marked_[cell] = 1;
  const std::size_t groupSize = order_.size();
  for (std::size_t k = 0; k < groupSize; ++k)
    forEachCellOfRuns(order_[k], [&](int cell) {
      if (marked_[cell]) return;
      marked_[cell] = 1;
      clear(cell);
      order_.push_back(static_cast<std::uint16_t>(cell));
    });
  for (const std::uint16_t cell : order_) marked_[cell] = 0;
  if (fillCells(random, static_cast<int>(order_.size()), forbidCell, forbidden)) return true;
  for (const std::uint16_t cell : order_) place(cell, first[cell]);
  return false;
}

bool FillMaker::make(RandomSource& random, std::int64_t workBudget, Board& board, FillStats* stats,
                     double mostOpen) {
  FillStats local;
  FillStats& counts = stats != nullptr ? *stats : local;
  const int whiteCount = static_cast<int>(whiteCells_.size());
  // Repairs of one filling before it is given up for a fresh one: repairs
  // converge, so a fresh filling is the dearer move (a limit of 30 made
  // 11x11 twenty times slower, 1000 + 4 per cell 11x11 about 1.6x faster).
  const int repairLimit = 1000 + 4 * whiteCount;
  // Counted from the steps already in `stats`, which may add up several layouts.
  const std::int64_t budgetEnd = counts.steps + workBudget;
  while (counts.steps < budgetEnd) {
    for (const std::uint16_t cell : whiteCells_)
      if (digits_[cell] != 0) clear(cell);
    order_.assign(whiteCells_.begin(), whiteCells_.end());
    for (std::uint8_t& low : lowRun_) low = static_cast<std::uint8_t>(random.randomBelow(2));
    ++counts.fillings;
    if (!fillCells(random, whiteCount, -1, 0)) {
      counts.steps += whiteCount;
      continue;
    }
    near_.clear();
    if (!settleByTightening(random, kSettleRounds * whiteCount, counts.steps, mostOpen)) return false;
    for (int repair = 0; repair <= repairLimit && counts.steps < budgetEnd; ++repair) {
      writeSums();
      ++counts.searches;
      search_.load(board_);
      // Our digits are a solution: only a second one is searched for.
      const SearchOutcome outcome =
          search_.countBeside(digits_, std::min(kSearchSteps, budgetEnd - counts.steps), near_);
      counts.steps += outcome.steps;
      if (outcome.budgetExceeded || outcome.found == 0) break;
      if (outcome.found == 1) {
        const Judgement& verdict = judge_.judge(board_);
        if (verdict.verdict != Verdict::Unique) break;
        board.allocate(board_.width, board_.height);
        std::memcpy(board.kinds.get(), board_.kinds.get(), board_.cellCount());
        std::memcpy(board.sums.get(), board_.sums.get(), 2 * board_.cellCount());
        board.level = static_cast<std::int8_t>(verdict.level);
        return true;
      }
      // The first solution is as good a filling as ours; new digits go only
      // where the second differs from it.
      ++counts.repairs;
      const std::vector<std::uint8_t>& first = search_.solution(0);
      const std::vector<std::uint8_t>& second = search_.solution(1);
      order_.clear();
      // Out first, then in: a run's digit set has one bit for two cells
      // that trade digits.
      for (const std::uint16_t cell : whiteCells_)
        if (digits_[cell] != first[cell]) clear(cell), order_.push_back(cell);
      for (const std::uint16_t cell : order_) place(cell, first[cell]);
      order_.clear();
      for (const std::uint16_t cell : whiteCells_)
        if (first[cell] != second[cell]) order_.push_back(cell);
      const int start = random.randomBelow(static_cast<int>(order_.size()));
      // Every cell of the group that can takes the digit whose sums have
      // the fewest fillings; a group none of whose cells can is drawn anew.
      bool changed = false;
      for (std::size_t k = 0; k < order_.size(); ++k) {
        const int cell = order_[(start + k) % order_.size()];
        changed = tighten(random, cell, static_cast<DigitSet>(1u << (second[cell] - 1))) || changed;
      }
      // The next search starts where this repair changed the filling.
      near_.clear();
      for (const std::uint16_t cell : order_)
        forEachCellOfRuns(cell, [&](int other) { near_.push_back(static_cast<std::uint16_t>(other)); });
      if (!changed) {
        const int forbidCell = order_[start];
        const DigitSet forbidden =
            static_cast<DigitSet>((1u << (first[forbidCell] - 1)) | (1u << (second[forbidCell] - 1)));
        if (!redrawAround(random, forbidCell, forbidden, first)) break;
      }
      settleByTightening(random, whiteCount / kRepairSettleDivisor, counts.steps, 1.0);
    }
  }
  return false;
}

}  // namespace vantreel
