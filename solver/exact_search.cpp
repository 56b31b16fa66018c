#include "solver/exact_search.h"

#include <algorithm>

#include "solver/enumerators.h"
#include "solver/run_rules.h"

namespace vantreel {
namespace {

constexpr DigitSet digitSet(int digit) { return DigitSet(1u << (digit - 1)); }

}  // namespace

// The runs of the board's run list. A run whose clue no filling can meet is
// kept as the static failure (the first in list order) instead of a run.
void ExactSearch::addRun(const RunSpan& span) {
  RootFailure failure{RootFailureKind::None, span.clue, span.across, span.length, span.sum, 0};
  DigitSet digits = kAllDigits;
  switch (span.meaning) {
    case RunMeaning::TooLong:
      failure.kind = RootFailureKind::RunTooLong;
      break;
    case RunMeaning::NoDigit:
      failure.kind = RootFailureKind::NoCombination;
      break;
    case RunMeaning::Digit:
      digits = digitSet(span.sum);
      break;
    case RunMeaning::Sum:
      if (span.sum != 0) {
        const int id = ComboClassTable[span.length - 1][span.sum];
        if (id == 0) failure.kind = RootFailureKind::NoCombination;
        else digits = ComboWithinTable[id - 1][kAllDigits];
      }
      break;
  }
  if (failure.kind != RootFailureKind::None) {
    if (staticFailure_.kind == RootFailureKind::None) staticFailure_ = failure;
    return;
  }
  SearchRun run{};
  run.length = static_cast<std::uint8_t>(span.length);
  run.sum = static_cast<std::uint8_t>(span.sum);
  run.digits = digits;
  run.clueCell = static_cast<std::uint16_t>(span.clue);
  run.across = span.across;
  const int index = static_cast<int>(runs_.size());
  for (int k = 0; k < span.length; ++k) {
    const int cell = span.cell(k);
    run.cells[k] = static_cast<std::uint16_t>(cell);
    runsOfCell_[2 * cell + (span.across ? 0 : 1)] = index;
  }
  runs_.push_back(run);
}

void ExactSearch::load(const Board& board) {
  width_ = board.width;
  const int cellTotal = board.cellCount();
  staticFailure_ = {};
  masks_.assign(cellTotal, 0);
  startMasks_.assign(cellTotal, 0);
  runsOfCell_.assign(2 * cellTotal, -1);
  whiteCells_.clear();
  runs_.clear();
  for (int p = 0; p < cellTotal; ++p)
    if (board.kinds[p] == CellKind::White) {
      whiteCells_.push_back(static_cast<std::uint16_t>(p));
      startMasks_[p] = kAllDigits;
    }
  forEachRun(board, [this](const RunSpan& run) { addRun(run); });
  // Each cell starts with the digits all its runs can use; a lone cell with
  // its own sum is then settled for good and its run never revised.
  for (const SearchRun& run : runs_)
    for (int k = 0; k < run.length; ++k) {
      const int cell = run.cells[k];
      if ((startMasks_[cell] & run.digits) == 0 && staticFailure_.kind == RootFailureKind::None)
        staticFailure_ = RootFailure{RootFailureKind::NoDigitFits, run.clueCell, run.across, run.length, run.sum, cell};
      startMasks_[cell] &= run.digits;
      if (run.length == 1) runsOfCell_[2 * cell + (run.across ? 0 : 1)] = -1;
    }
  const int whiteCount = static_cast<int>(whiteCells_.size());
  const int runCount = static_cast<int>(runs_.size());
  // Along one path each cell narrows at most nine times, guesses included.
  trail_.resize(9 * whiteCount + 1);
  choices_.resize(whiteCount + 1);
  queue_.resize(runCount + 1);
  queued_.assign(runCount, 0);
  exactPending_.resize(runCount + 1);
  exactQueued_.assign(runCount, 0);
  for (auto& solution : solutions_) solution.assign(cellTotal, 0);
}

void ExactSearch::enqueue(int run) {
  if (queued_[run]) return;
  queued_[run] = 1;
  int tail = queueHead_ + queueCount_;
  if (tail >= static_cast<int>(runs_.size())) tail -= static_cast<int>(runs_.size());
  queue_[tail] = run;
  ++queueCount_;
  if (runs_[run].length >= 4 && !exactQueued_[run]) {
    exactQueued_[run] = 1;
    exactPending_[exactCount_++] = run;
  }
}

void ExactSearch::enqueueRunsOf(int cell) {
  const int across = runsOfCell_[2 * cell], down = runsOfCell_[2 * cell + 1];
  if (across >= 0) enqueue(across);
  if (down >= 0) enqueue(down);
}

void ExactSearch::setMask(int cell, CandidateMask mask) {
  trail_[trailSize_++] = TrailEntry{static_cast<std::uint16_t>(cell), masks_[cell]};
  masks_[cell] = mask;
  enqueueRunsOf(cell);
}

void ExactSearch::undoTo(int mark) {
  while (trailSize_ > mark) {
    const TrailEntry& entry = trail_[--trailSize_];
    masks_[entry.cell] = entry.before;
  }
}

void ExactSearch::clearPending() {
  for (; queueCount_ > 0; --queueCount_) {
    queued_[queue_[queueHead_]] = 0;
    if (++queueHead_ == static_cast<int>(runs_.size())) queueHead_ = 0;
  }
  queueHead_ = 0;
  while (exactCount_ > 0) exactQueued_[exactPending_[--exactCount_]] = 0;
}

// Solved cells of a run are taken out first: what stays is a shorter run
// owing the rest of the sum. Two or three open cells are settled exactly by
// the pair and triple tables; four or more get the cheap combination-class
// rule here, and the exact enumeration once the cheap rules are spent.
// Nothing is written unless every cell keeps a digit, so on failure the
// masks still show what the run was given.
bool ExactSearch::reviseRun(int index, bool exact) {
  const SearchRun& run = runs_[index];
  CandidateMask* masks = masks_.data();
  if (run.length == 1) {
    const int cell = run.cells[0];
    const CandidateMask narrowed = masks[cell] & run.digits;
    if (narrowed == 0) return false;
    if (narrowed != masks[cell]) setMask(cell, narrowed);
    return true;
  }
  DigitSet fixed = 0;
  int open = 0;
  std::uint16_t openCells[kMaxRunLength];
  for (int k = 0; k < run.length; ++k) {
    const CandidateMask mask = masks[run.cells[k]];
    if (DigitCountTable[mask] == 1) {
      if (fixed & mask) return false;
      fixed |= mask;
    } else {
      openCells[open++] = run.cells[k];
    }
  }
  DigitSet next[kMaxRunLength];
  if (run.sum == 0) {
    // Only distinct digits: the solved ones leave the others, and the open
    // cells need as many digits between them as there are cells.
    DigitSet present = 0;
    for (int k = 0; k < open; ++k) {
      next[k] = masks[openCells[k]] & ~fixed;
      present |= next[k];
    }
    if (DigitCountTable[present] < open) return false;
  } else {
    const int rest = run.sum - DigitSumTable[fixed];
    if (open == 0) return rest == 0;
    if (open == 1) {
      if (rest < 1 || rest > 9) return false;
      next[0] = masks[openCells[0]] & digitSet(rest) & ~fixed;
    } else if (exact && open >= 4) {
      if (rest < 1 || rest > kMaxSum) return false;
      std::fill_n(next, open, DigitSet(0));
      if (!enumerateCombinations[open](masks, openCells, next, fixed, run.sum)) return false;
    } else {
      DigitSet held[kMaxRunLength];
      for (int k = 0; k < open; ++k) held[k] = masks[openCells[k]];
      if (!tableRule(held, open, rest, fixed, next)) return false;
    }
  }
  for (int k = 0; k < open; ++k)
    if (next[k] == 0) return false;
  // An exact revision leaves nothing for itself to do: its own changes
  // need not queue the run again.
  const bool settled = run.sum != 0 && (open <= 3 || exact);
  const std::uint8_t wasQueued = queued_[index], wasExactQueued = exactQueued_[index];
  if (settled) queued_[index] = exactQueued_[index] = 1;
  for (int k = 0; k < open; ++k)
    if (next[k] != masks[openCells[k]]) setMask(openCells[k], next[k]);
  if (settled) {
    queued_[index] = wasQueued;
    exactQueued_[index] = wasExactQueued;
  }
  return true;
}

// Cheap revisions to a fixed point first; the exact enumeration of long
// runs only then, since the cheap rules usually leave it little to do.
bool ExactSearch::propagate() {
  const int runCount = static_cast<int>(runs_.size());
  for (;;) {
    while (queueCount_ > 0) {
      const int run = queue_[queueHead_];
      if (++queueHead_ == runCount) queueHead_ = 0;
      --queueCount_;
      queued_[run] = 0;
      ++steps_;
      if (!reviseRun(run, false)) {
        if (atRoot_) explainFailure(run);
        clearPending();
        return false;
      }
    }
    if (exactCount_ == 0) return true;
    const int run = exactPending_[--exactCount_];
    exactQueued_[run] = 0;
    ++steps_;
    if (!reviseRun(run, true)) {
      if (atRoot_) explainFailure(run);
      clearPending();
      return false;
    }
  }
}

// A cell that cannot meet the run's digits at all is the clearer story;
// otherwise it is the run's cells together that fail.
void ExactSearch::explainFailure(int index) {
  const SearchRun& run = runs_[index];
  rootFailure_ = RootFailure{RootFailureKind::CellsCannotFit, run.clueCell, run.across, run.length, run.sum, 0};
  for (int k = 0; k < run.length; ++k)
    if ((masks_[run.cells[k]] & run.digits) == 0) {
      rootFailure_.kind = RootFailureKind::NoDigitFits;
      rootFailure_.cell = run.cells[k];
      return;
    }
}

// The open cell with the fewest candidates, first in reading order; -1 when
// every cell is solved.
int ExactSearch::chooseCell() const {
  int best = -1, fewest = 10;
  for (const std::uint16_t cell : whiteCells_) {
    const int count = DigitCountTable[masks_[cell]];
    if (count > 1 && count < fewest) {
      best = cell;
      fewest = count;
      if (count == 2) break;
    }
  }
  return best;
}

void ExactSearch::recordSolution(int index) {
  std::vector<std::uint8_t>& digits = solutions_[index];
  for (const std::uint16_t cell : whiteCells_) digits[cell] = DigitSumTable[masks_[cell]];
}

SearchOutcome ExactSearch::count(int limit, std::int64_t stepBudget) {
  SearchOutcome outcome;
  search(limit, stepBudget, outcome);
  outcome.steps = steps_;
  return outcome;
}

void ExactSearch::search(int limit, std::int64_t stepBudget, SearchOutcome& outcome) {
  if (staticFailure_.kind != RootFailureKind::None) {
    outcome.rootFailure = staticFailure_;
    return;
  }
  std::copy(startMasks_.begin(), startMasks_.end(), masks_.begin());
  trailSize_ = 0;
  clearPending();
  const std::int64_t guessCost = 1 + static_cast<std::int64_t>(whiteCells_.size()) / 64;
  steps_ = guessCost;
  outcome.nodes = 1;
  for (int run = 0; run < static_cast<int>(runs_.size()); ++run)
    if (runs_[run].length > 1) enqueue(run);
  atRoot_ = true;
  rootFailure_ = {};
  const bool consistent = propagate();
  atRoot_ = false;
  if (!consistent) {
    outcome.rootFailure = rootFailure_;
    return;
  }
  int depth = 0;
  for (;;) {
    // Here the masks are at a consistent fixed point.
    const int cell = chooseCell();
    if (cell < 0) {
      if (outcome.found < 2) recordSolution(outcome.found);
      if (++outcome.found >= limit) return;
    } else {
      choices_[depth++] = Choice{static_cast<std::uint16_t>(cell), masks_[cell], trailSize_};
    }
    // Next untried digit of the deepest open choice that propagates cleanly.
    bool advanced = false;
    while (!advanced && depth > 0) {
      Choice& choice = choices_[depth - 1];
      undoTo(choice.trailMark);
      if (choice.left == 0) {
        --depth;
        continue;
      }
      if (steps_ > stepBudget) {
        outcome.budgetExceeded = true;
        return;
      }
      const DigitSet digit = lowestDigit(choice.left);
      choice.left &= ~digit;
      ++outcome.nodes;
      steps_ += guessCost;
      setMask(choice.cell, digit);
      advanced = propagate();
    }
    if (!advanced) return;
  }
}

}  // namespace vantreel
