#include "solver/exact_search.h"

#include <algorithm>
#include <cstdint>

#include "solver/enumerators.h"
#include "solver/run_rules.h"

namespace vantreel {
namespace {

constexpr std::int64_t kNoNodeLimit = INT64_MAX;
// Two cells in every run of a differing group, so at least four: such a
// group cannot shrink.
constexpr int kSmallestGroup = 4;
// Work a second solution may spend on getting closer to the first.
constexpr std::int64_t kShrinkSteps = 2'000'000;
constexpr std::int64_t kRestartNodes = 64;  // guesses in a restart of Luby length 1
// Runs with at least this many open cells branch on their digit combination.
constexpr int kCombinationBranchCells = 4;
// The plain walk's turn is this fraction of the restarts' turn before it;
// both double after every pair of turns, so neither line falls behind its
// share of the work. A small share: the restarts settle most drafts, and
// keep four fifths of the budget for them.
constexpr std::int64_t kPlainShareDivisor = 4;
// Repairs of the deepest state the restarts reached: guesses per repair,
// repairs before the region grows by one run, and repairs before the state
// gives way to the deepest of the restarts after.
constexpr std::int64_t kRepairNodes = 500;
constexpr int kRepairsPerRing = 4;
constexpr int kRepairsPerState = 16;
constexpr int kNoDeepest = INT32_MAX;
// A second solution near one cell: guesses per cell, and how many runs away
// from it the region reaches (a swap in a 2x2 block needs two).
constexpr std::int64_t kNearbyNodes = 200;
constexpr int kNearbyFirstRadius = 2, kNearbyLastRadius = 3;

constexpr DigitSet digitSet(int digit) { return DigitSet(1u << (digit - 1)); }

// Term `index` (from 0) of Luby's sequence 1 1 2 1 1 2 4 1 1 2 1 1 2 4 8 ...:
// restart lengths whose total stays within a log factor of the best fixed one.
std::int64_t lubyTerm(std::int64_t index) {
  std::int64_t size = 1;
  int power = 0;
  while (size < index + 1) size = 2 * size + 1, ++power;
  while (size - 1 != index) {
    size = (size - 1) / 2;
    --power;
    index %= size;
  }
  return std::int64_t{1} << power;
}

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
  homeRuns_.assign(runsOfCell_.begin(), runsOfCell_.end());
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
  // Along one path each cell narrows at most nine times, guesses included;
  // reopenAround first widens each cell at most once, findNearbySolution
  // fixes it once and widens it once.
  trail_.resize(11 * whiteCount + 1);
  // A choice narrows at least one cell, so a path holds at most as many
  // choices as the trail holds entries.
  choices_.resize(trail_.size());
  fill_.resize(whiteCount + 1);
  putOff_.resize(whiteCount + 1);
  region_.resize(whiteCount + 1);
  inRegion_.assign(cellTotal, 0);
  regionPass_ = 0;
  deepest_.assign(cellTotal, 0);
  nearMasks_.assign(cellTotal, 0);
  tryOrder_.assign(whiteCells_.begin(), whiteCells_.end());
  inTryOrder_.assign(cellTotal, 0);
  queue_.resize(runCount + 1);
  queued_.assign(runCount, 0);
  exactPending_.resize(runCount + 1);
  exactQueued_.assign(runCount, 0);
  other_.masks.assign(cellTotal, 0);
  other_.trail.resize(trail_.size());
  other_.choices.resize(choices_.size());
  for (auto& solution : solutions_) solution.assign(cellTotal, 0);
  for (auto& solution : plainSolutions_) solution.assign(cellTotal, 0);
  cellWeights_.assign(cellTotal, 1);
  group_.assign(cellTotal, -1);
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
        noteFailure(run);
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
      noteFailure(run);
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

void ExactSearch::noteFailure(int index) {
  if (plain_) return;  // the plain walk learns nothing, so it stays the plain walk
  const SearchRun& run = runs_[index];
  for (int k = 0; k < run.length; ++k) ++cellWeights_[run.cells[k]];
}

// The open cell with the fewest candidates per unit of conflict weight (the
// smallest count/weight, compared by cross products), first in reading
// order; -1 when every cell is solved. `open` counts the open cells.
int ExactSearch::chooseCell(int& open) const {
  int best = -1;
  open = 0;
  std::uint64_t bestCount = 10, bestWeight = 1;
  const CandidateMask* masks = masks_.data();
  const std::uint32_t* weights = cellWeights_.data();
  for (const std::uint16_t cell : whiteCells_) {
    const std::uint64_t count = DigitCountTable[masks[cell]];
    if (count <= 1) continue;
    ++open;
    const std::uint64_t weight = weights[cell];
    if (count * bestWeight < bestCount * weight) {
      best = cell;
      bestCount = count;
      bestWeight = weight;
    }
  }
  return best;
}

// The open cell with the fewest candidates, first in reading order; -1 when
// every cell is solved: the plain walk's choice.
int ExactSearch::plainCell() const {
  int best = -1, fewest = 10;
  const CandidateMask* masks = masks_.data();
  for (const std::uint16_t cell : whiteCells_) {
    const int count = DigitCountTable[masks[cell]];
    if (count > 1 && count < fewest) {
      best = cell;
      fewest = count;
      if (count == 2) break;
    }
  }
  return best;
}

// The preferred digit while it is left, else one of the rest at random:
// varied digits keep the restarts from walking the same way.
DigitSet ExactSearch::nextDigit(const Choice& choice) {
  if (preferred_ != nullptr) {
    const DigitSet preferred = digitSet(preferred_[choice.cell]);
    if (choice.left & preferred) return preferred;
  }
  std::uint64_t& state = randomState_;  // xorshift64
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  DigitSet left = choice.left;
  for (int skip = static_cast<int>(state % DigitCountTable[left]); skip > 0; --skip) left &= left - 1;
  return lowestDigit(left);
}

void ExactSearch::recordSolution(int index) {
  std::vector<std::uint8_t>& digits = solutions_[index];
  for (const std::uint16_t cell : whiteCells_) digits[cell] = DigitSumTable[masks_[cell]];
}

SearchOutcome ExactSearch::count(int limit, std::int64_t stepBudget) {
  SearchOutcome outcome;
  search(limit, stepBudget, outcome);
  outcome.repairedFirst = repaired_ && outcome.found >= 1;
  outcome.nearbySecond = nearby_ && outcome.found >= 2;
  outcome.steps = steps_;
  outcome.nodes = nodes_;
  return outcome;
}

// A run whose combination is still open (its open cells hold more digits
// than they have cells) and that has at least kCombinationBranchCells open
// cells: the cell's longer such run, or -1 to branch on the cell's digits.
int ExactSearch::runToBranch(int cell) const {
  int best = -1, bestOpen = kCombinationBranchCells - 1;
  for (int side = 0; side < 2; ++side) {
    const int index = runsOfCell_[2 * cell + side];
    if (index < 0 || runs_[index].sum == 0) continue;
    const SearchRun& run = runs_[index];
    DigitSet fixed = 0, present = 0;
    int open = 0;
    for (int k = 0; k < run.length; ++k) {
      const CandidateMask mask = masks_[run.cells[k]];
      if (DigitCountTable[mask] == 1) {
        fixed |= mask;
      } else {
        present |= mask;
        ++open;
      }
    }
    // Each branch must narrow some cell, or the walk would not end.
    if (DigitCountTable[present & ~fixed] > open && open > bestOpen) {
      best = index;
      bestOpen = open;
    }
  }
  return best;
}

// The run's next digit combination, in the order of the digit sets, that
// its open cells can hold and that meets every one of them; narrows the
// cells to it. False when none is left. Every filling of the run has
// exactly one combination, so the branches split the solutions exactly.
bool ExactSearch::nextCombination(Choice& choice) {
  const SearchRun& run = runs_[choice.run];
  DigitSet fixed = 0, present = 0;
  int open = 0;
  for (int k = 0; k < run.length; ++k) {
    const CandidateMask mask = masks_[run.cells[k]];
    if (DigitCountTable[mask] == 1) {
      fixed |= mask;
    } else {
      present |= mask;
      ++open;
    }
  }
  const int rest = run.sum - DigitSumTable[fixed];
  present &= ~fixed;
  for (unsigned set = choice.nextSet; set <= kAllDigits; ++set) {
    if ((set & ~present) != 0 || DigitCountTable[set] != open || DigitSumTable[set] != rest) continue;
    bool meetsAll = true;
    for (int k = 0; k < run.length && meetsAll; ++k) {
      const CandidateMask mask = masks_[run.cells[k]];
      meetsAll = DigitCountTable[mask] == 1 || (mask & set) != 0;
    }
    if (!meetsAll) continue;
    choice.nextSet = static_cast<std::uint16_t>(set + 1);
    for (int k = 0; k < run.length; ++k) {
      const int cell = run.cells[k];
      const CandidateMask mask = masks_[cell];
      if (DigitCountTable[mask] > 1 && (mask & set) != mask) setMask(cell, mask & set);
    }
    return true;
  }
  return false;
}

// Depth-first from the choices above depth 0 to the next solution, stopping
// past the step budget or the node limit. A fresh walk starts at a
// consistent fixed point; a resumed one backtracks from the solution it last
// returned.
ExactSearch::Walk ExactSearch::walk(bool resume, std::int64_t nodeLimit) {
  bool consistent = !resume;
  for (;;) {
    if (consistent) {
      int open = 0;
      const int cell = plain_ ? plainCell() : chooseCell(open);
      if (cell < 0) return Walk::Solution;
      if (repairing_ && !plain_ && open < deepestOpen_) keepDeepest(open);
      choices_[depth_++] =
          Choice{static_cast<std::uint16_t>(cell), masks_[cell], trailSize_, plain_ ? -1 : runToBranch(cell), 1};
    }
    // Next untried branch of the deepest open choice.
    if (depth_ == 0) return Walk::Exhausted;
    Choice& choice = choices_[depth_ - 1];
    undoTo(choice.trailMark);
    if (choice.left == 0) {
      --depth_;
      consistent = false;
      continue;
    }
    if (steps_ > pauseAt_ && !keepGoing()) return Walk::OverBudget;
    if (lineNodes_ > nodeLimit || (steps_ > capAt_ && !plain_)) return Walk::Restart;
    ++nodes_;
    ++lineNodes_;
    steps_ += guessCost_;
    if (choice.run >= 0) {
      if (!nextCombination(choice)) {
        choice.left = 0;
        consistent = false;
        continue;
      }
    } else {
      const DigitSet digit = plain_ ? lowestDigit(choice.left) : nextDigit(choice);
      choice.left &= ~digit;
      setMask(choice.cell, digit);
    }
    consistent = propagate();
  }
}

// Restarts from the state at `mark` (a consistent fixed point) on a growing
// node limit; the conflict weights learnt carry over, so each restart
// branches differently. The limits grow without end, so a walk finally
// runs to its end: an exhausted walk is a proof. Past repairAt_, the search
// for a first solution follows each restart with a repair of the deepest
// state reached; a repair walks only part of the tree, so only its solutions
// count. (With preferred digits, in the search for a second, the restarts
// already keep near a known solution.)
ExactSearch::Walk ExactSearch::solveFrom(int mark) {
  deepestOpen_ = kNoDeepest;
  repairs_ = 0;
  for (std::int64_t round = 0;; ++round) {
    depth_ = 0;
    repairing_ = preferred_ == nullptr && steps_ >= repairAt_;
    Walk result = walk(false, lineNodes_ + kRestartNodes * lubyTerm(round));
    if (result == Walk::Restart && steps_ <= capAt_) {
      undoTo(mark);
      if (!repairing_ || deepestOpen_ == kNoDeepest) continue;
      if (repairs_ == kRepairsPerState) {
        deepestOpen_ = kNoDeepest;
        repairs_ = 0;
        continue;
      }
      result = repairDeepest();
      repaired_ = result == Walk::Solution;
      // A region with no filling has none the next time either: widen it now.
      if (result == Walk::Exhausted) repairs_ = (repairs_ + kRepairsPerRing - 1) / kRepairsPerRing * kRepairsPerRing;
      if (result != Walk::Solution && result != Walk::OverBudget) {
        depth_ = 0;
        undoTo(mark);
        continue;
      }
    }
    repairing_ = false;
    return result;
  }
}

void ExactSearch::keepDeepest(int open) {
  deepestOpen_ = open;
  for (const std::uint16_t cell : whiteCells_) {
    const CandidateMask mask = masks_[cell];
    deepest_[cell] = DigitCountTable[mask] == 1 ? static_cast<std::uint8_t>(DigitSumTable[mask]) : 0;
  }
  steps_ += static_cast<std::int64_t>(whiteCells_.size()) / 64;
}

void ExactSearch::startRegion() {
  if (++regionPass_ == 0) {
    std::fill(inRegion_.begin(), inRegion_.end(), 0);
    regionPass_ = 1;
  }
}

// Marks `cell` as in the region and appends it: the region's new size.
int ExactSearch::addToRegion(int cell, int count) {
  inRegion_[cell] = regionPass_;
  region_[count] = static_cast<std::uint16_t>(cell);
  return count + 1;
}

// Grows the region region_[0..count) by `radius` rings: each ring adds
// every cell of a run through a cell of the ring before. Its new size.
int ExactSearch::widenRegion(int count, int radius) {
  int begin = 0;
  for (int ring = 0; ring < radius; ++ring) {
    const int end = count;
    for (int i = begin; i < end; ++i)
      for (int side = 0; side < 2; ++side) {
        const int index = runsOfCell_[2 * region_[i] + side];
        if (index < 0) continue;
        const SearchRun& run = runs_[index];
        for (int k = 0; k < run.length; ++k) {
          const int cell = run.cells[k];
          if (inRegion_[cell] != regionPass_) count = addToRegion(cell, count);
        }
      }
    begin = end;
  }
  steps_ += count / 4 + 1;
  return count;
}

// The deepest state's open cells and every cell within a few runs of them
// start afresh, the rest keep its digits: a short walk there. The region
// widens by one run every kRepairsPerRing repairs. Restart or Exhausted:
// nothing found (Exhausted: the region has no filling).
ExactSearch::Walk ExactSearch::repairDeepest() {
  const int radius = 1 + repairs_ / kRepairsPerRing;
  ++repairs_;
  startRegion();
  int count = 0;
  for (const std::uint16_t cell : whiteCells_)
    if (deepest_[cell] == 0) count = addToRegion(cell, count);
  widenRegion(count, radius);
  for (const std::uint16_t cell : whiteCells_) {
    if (inRegion_[cell] == regionPass_) continue;
    const CandidateMask digit = digitSet(deepest_[cell]);
    if (masks_[cell] == digit) continue;
    if ((masks_[cell] & digit) == 0) {
      clearPending();
      return Walk::Restart;
    }
    setMask(cell, digit);
  }
  if (!propagate()) return Walk::Restart;
  depth_ = 0;
  return walk(false, lineNodes_ + kRepairNodes);
}

// A second solution that differs from the first only within a few runs of
// one cell: the first's digits everywhere else, the cell's own taken away,
// and a short walk in the region, for one cell after another, two runs
// around each and then three. Exhausted says only that none was found so;
// the masks are then as before.
ExactSearch::Walk ExactSearch::findNearbySolution() {
  const std::vector<std::uint8_t>& first = solutions_[0];
  const int before = trailSize_;
  capAt_ = kNoNodeLimit;
  std::copy(masks_.begin(), masks_.end(), nearMasks_.begin());
  for (const std::uint16_t cell : whiteCells_)
    if (masks_[cell] != digitSet(first[cell])) setMask(cell, digitSet(first[cell]));
  clearPending();  // the first solution holds: nothing to revise
  const int fixed = trailSize_;
  for (int radius = kNearbyFirstRadius; radius <= kNearbyLastRadius; ++radius) {
    for (const std::uint16_t start : tryOrder_) {
      if (DigitCountTable[nearMasks_[start]] == 1) continue;
      if (steps_ > pauseAt_ && !keepGoing()) {
        undoTo(before);
        return Walk::OverBudget;
      }
      startRegion();
      const int count = widenRegion(addToRegion(start, 0), radius);
      steps_ += guessCost_;
      for (int i = 0; i < count; ++i)
        if (masks_[region_[i]] != nearMasks_[region_[i]]) setMask(region_[i], nearMasks_[region_[i]]);
      setMask(start, nearMasks_[start] & ~digitSet(first[start]));
      if (propagate()) {
        depth_ = 0;
        const Walk found = walk(false, lineNodes_ + kNearbyNodes);
        if (found == Walk::Solution) return found;
        if (found == Walk::OverBudget) {
          depth_ = 0;
          undoTo(before);
          return found;
        }
      }
      depth_ = 0;
      undoTo(fixed);
    }
  }
  undoTo(before);
  return Walk::Exhausted;
}

// A second solution is one that differs from the first in some cell. Cell
// by cell: search with the cell's first digit taken away; when nothing is
// found there, every solution has that digit, and it stays for the cells
// after (with all it propagates). Digits of the first solution are tried
// first, so a second one found tends to lie close to it.
ExactSearch::Walk ExactSearch::findDifferentSolution() {
  const std::vector<std::uint8_t>& first = solutions_[0];
  preferred_ = first.data();
  Walk result = Walk::Exhausted;
  int putOff = 0;  // cells in putOff_
  for (const std::uint16_t cell : tryOrder_) {
    if (DigitCountTable[masks_[cell]] == 1) continue;
    // Until putOffAt_ every cell's search runs to its end; past it, a cell
    // whose search runs longer than a turn is put off.
    capAt_ = std::max(putOffAt_, steps_ + pace_.putOffTurn);
    result = tryDifferentDigit(cell);
    if (result == Walk::Restart) {
      putOff_[putOff++] = cell;
      result = Walk::Exhausted;
      // A first cell put off: a second solution close to one cell, if the
      // board has one, is cheaper to find than the proofs for cells in order.
      if (putOff == 1) {
        result = findNearbySolution();
        nearby_ = result == Walk::Solution;
        if (result != Walk::Exhausted) break;
      }
    } else if (result != Walk::Exhausted) {
      break;
    }
  }
  // Rounds over the cells put off, each turn twice the last: a cell whose
  // digit is forced is proven so once a turn is long enough, and a cell
  // with another digit usually shows it long before.
  for (std::int64_t turn = 2 * pace_.putOffTurn; putOff > 0 && result == Walk::Exhausted; turn *= 2) {
    int kept = 0;
    for (int k = 0; k < putOff && result == Walk::Exhausted; ++k) {
      const int cell = putOff_[k];
      if (DigitCountTable[masks_[cell]] == 1) continue;  // forced by the digits fixed since
      capAt_ = steps_ + turn;
      result = tryDifferentDigit(cell);
      if (result == Walk::Restart) {
        putOff_[kept++] = static_cast<std::uint16_t>(cell);
        result = Walk::Exhausted;
      }
    }
    putOff = result == Walk::Exhausted ? kept : 0;
  }
  capAt_ = kNoNodeLimit;
  preferred_ = nullptr;
  return result;
}

// A solution with another digit than the first's in `cell`. Exhausted: there
// is none, and the cell keeps the first's digit from here on. Restart: the
// search ran past capAt_, and the masks are as before.
ExactSearch::Walk ExactSearch::tryDifferentDigit(int cell) {
  if (steps_ > pauseAt_ && !keepGoing()) return Walk::OverBudget;
  const int mark = trailSize_;
  const DigitSet digit = digitSet(solutions_[0][cell]);
  ++nodes_;
  ++lineNodes_;
  steps_ += guessCost_;
  setMask(cell, masks_[cell] & ~digit);
  if (propagate()) {
    const Walk found = solveFrom(trailSize_);
    if (found == Walk::Restart) {
      depth_ = 0;
      undoTo(mark);
      return found;
    }
    if (found != Walk::Exhausted) return found;
  }
  undoTo(mark);
  setMask(cell, digit);
  // The first solution holds the digit, so this cannot fail.
  (void)propagate();
  return Walk::Exhausted;
}

// Two solutions differ on groups of cells that share no run with each other;
// each group alone, put into the first solution, makes a solution too, since
// every run sees either the first's digits or the second's. The smallest
// group (the first of the smallest in reading order) is kept.
int ExactSearch::keepOneDifference() {
  const std::vector<std::uint8_t>& first = solutions_[0];
  std::vector<std::uint8_t>& second = solutions_[1];
  std::int32_t* group = group_.data();
  std::uint16_t* stack = fill_.data();
  int bestGroup = -1, bestSize = 0, groupCount = 0;
  for (const std::uint16_t start : whiteCells_) {
    if (first[start] == second[start] || group[start] >= 0) continue;
    // A flood fill over differing cells through their runs.
    int size = 0, top = 0;
    group[start] = groupCount;
    stack[top++] = start;
    while (top > 0) {
      const int cell = stack[--top];
      ++size;
      for (int side = 0; side < 2; ++side) {
        const int index = runsOfCell_[2 * cell + side];
        if (index < 0) continue;
        const SearchRun& run = runs_[index];
        for (int k = 0; k < run.length; ++k) {
          const int other = run.cells[k];
          if (first[other] == second[other] || group[other] >= 0) continue;
          group[other] = groupCount;
          stack[top++] = static_cast<std::uint16_t>(other);
        }
      }
    }
    if (bestGroup < 0 || size < bestSize) {
      bestGroup = groupCount;
      bestSize = size;
    }
    ++groupCount;
  }
  for (const std::uint16_t cell : whiteCells_) {
    if (group[cell] >= 0 && group[cell] != bestGroup) second[cell] = first[cell];
    group[cell] = -1;
  }
  return bestSize;
}

// Makes the differing group inclusion-minimal, as far as kShrinkSteps
// allow: with every cell outside the group and one cell of it held at the
// first solution's digits, any other solution differs on a smaller group.
void ExactSearch::shrinkDifference(int rootMark) {
  const std::vector<std::uint8_t>& first = solutions_[0];
  const std::vector<std::uint8_t>& second = solutions_[1];
  pauseAt_ = steps_ + kShrinkSteps;
  for (bool shrunk = true; shrunk;) {
    shrunk = false;
    for (const std::uint16_t held : whiteCells_) {
      if (first[held] == second[held]) continue;
      depth_ = 0;
      undoTo(rootMark);
      for (const std::uint16_t cell : whiteCells_)
        if ((cell == held || first[cell] == second[cell]) && masks_[cell] != digitSet(first[cell]))
          setMask(cell, digitSet(first[cell]));
      // The first solution holds these digits, so this cannot fail.
      if (!propagate()) continue;
      const Walk found = findDifferentSolution();
      if (found == Walk::OverBudget) break;
      if (found == Walk::Solution) {
        recordSolution(1);
        shrunk = keepOneDifference() > kSmallestGroup;
        break;
      }
    }
  }
  depth_ = 0;
  undoTo(rootMark);
}

// The running line's state trades places with the waiting one's; vectors
// swap their buffers, so nothing is copied or allocated.
void ExactSearch::swapLines() {
  masks_.swap(other_.masks);
  trail_.swap(other_.trail);
  choices_.swap(other_.choices);
  std::swap(trailSize_, other_.trailSize);
  std::swap(depth_, other_.depth);
  std::swap(lineNodes_, other_.nodes);
}

bool ExactSearch::plainKnowsTwo() const {
  return plainFound_ >= 2 || (haveFirst_ && plainFound_ == 1 && plainSolutions_[0] != solutions_[0]);
}

// Called past pauseAt_. The plain walk pauses there; the restarts hand it a
// turn and go on unless it settled the answer or the budget is spent. Both
// pause between guesses, where no revision is pending, so the queues serve
// either line.
bool ExactSearch::keepGoing() {
  if (plain_ || !portfolio_ || steps_ > stepBudget_) return false;
  if (plainResult_ == PlainResult::Open) plainTurn();
  return plainResult_ != PlainResult::Settled && steps_ <= stepBudget_;
}

// One turn of the plain walk from where it paused. It meets every solution
// once, and keeps the first two it meets. Finished, it has proven how many
// there are; once it knows of two solutions it has nothing left to prove and
// takes no more turns: the restarts find the second that check reports, so
// that answer does not hang on the turns.
void ExactSearch::plainTurn() {
  swapLines();
  plain_ = true;
  pauseAt_ = std::min(steps_ + turnSteps_ / kPlainShareDivisor, stepBudget_);
  for (;;) {
    const Walk found = walk(plainResume_, kNoNodeLimit);
    plainResume_ = true;
    if (found == Walk::OverBudget) break;
    if (found == Walk::Exhausted) {
      plainResult_ = PlainResult::Settled;
      break;
    }
    if (plainFound_ < 2) {
      std::vector<std::uint8_t>& digits = plainSolutions_[plainFound_];
      for (const std::uint16_t cell : whiteCells_) digits[cell] = DigitSumTable[masks_[cell]];
    }
    ++plainFound_;
    if (limit_ == 1) {
      plainResult_ = PlainResult::Settled;
      break;
    }
    if (plainKnowsTwo()) {
      plainResult_ = PlainResult::Stopped;
      break;
    }
  }
  plain_ = false;
  swapLines();
  turnSteps_ *= 2;
  pauseAt_ = plainResult_ == PlainResult::Open ? std::min(steps_ + turnSteps_, stepBudget_) : stepBudget_;
}

// The state every search starts from: the clues' masks propagated at the
// root. False, with the reason in `outcome`, when the root proves there is no solution.
bool ExactSearch::startAtRoot(std::int64_t stepBudget, SearchOutcome& outcome) {
  nodes_ = 0;
  steps_ = 0;
  plain_ = false;
  portfolio_ = false;
  capAt_ = putOffAt_ = repairAt_ = kNoNodeLimit;
  repairing_ = repaired_ = nearby_ = false;
  stepBudget_ = pauseAt_ = stepBudget;
  if (staticFailure_.kind != RootFailureKind::None) {
    outcome.rootFailure = staticFailure_;
    return false;
  }
  std::copy(startMasks_.begin(), startMasks_.end(), masks_.begin());
  std::fill(cellWeights_.begin(), cellWeights_.end(), 1);
  randomState_ = pace_.randomSeed;
  trailSize_ = 0;
  depth_ = 0;
  preferred_ = nullptr;
  clearPending();
  guessCost_ = 1 + static_cast<std::int64_t>(whiteCells_.size()) / 64;
  steps_ = guessCost_;
  nodes_ = lineNodes_ = 1;
  for (int run = 0; run < static_cast<int>(runs_.size()); ++run)
    if (runs_[run].length > 1) enqueue(run);
  atRoot_ = true;
  rootFailure_ = {};
  const bool consistent = propagate();
  atRoot_ = false;
  if (!consistent) outcome.rootFailure = rootFailure_;
  return consistent;
}

bool ExactSearch::openAtRoot(std::vector<std::uint16_t>& open, std::int64_t& steps) {
  open.clear();
  SearchOutcome outcome;
  const bool consistent = startAtRoot(kDefaultSearchSteps, outcome);
  steps += steps_;
  if (!consistent) return false;
  collectOpen(open);
  return true;
}

void ExactSearch::collectOpen(std::vector<std::uint16_t>& open) const {
  open.clear();
  for (const std::uint16_t cell : whiteCells_)
    if (DigitCountTable[masks_[cell]] > 1) open.push_back(cell);
}

bool ExactSearch::reopenAround(const Board& board, int cell, std::vector<std::uint16_t>& open,
                               std::int64_t& steps, Reach reach) {
  // The state on entry is the base: nothing before it is ever undone.
  trailSize_ = 0;
  const std::int64_t stepsBefore = steps_;
  for (int side = 0; side < 2; ++side) {
    const int index = homeRuns_[2 * cell + side];
    SavedSum& saved = reopened_[side];
    saved.run = index;
    if (index < 0) continue;
    SearchRun& run = runs_[index];
    saved.sum = run.sum;
    saved.digits = run.digits;
    run.sum = board.sums[2 * run.clueCell + side];
    // A sum past 45 (a run that repeats a digit) has no combination.
    const int id = run.sum <= kMaxSum ? ComboClassTable[run.length - 1][run.sum] : 0;
    run.digits = id == 0 ? DigitSet{0} : ComboWithinTable[id - 1][kAllDigits];
  }
  // Each run is widened once: a second pass over it would find every cell
  // already at its fresh digits.
  int widened[2 * (kMaxRunLength + 1)], widenedCount = 0;
  for (const SavedSum& saved : reopened_) {
    if (saved.run < 0) continue;
    const SearchRun& run = runs_[saved.run];
    for (int k = 0; k < run.length; ++k)
      for (int side = 0; side < 2; ++side) {
        const int crossing = homeRuns_[2 * run.cells[k] + side];
        if (crossing < 0 || (reach == Reach::Own && crossing != saved.run)) continue;
        if (std::find(widened, widened + widenedCount, crossing) != widened + widenedCount) continue;
        widened[widenedCount++] = crossing;
        for (int j = 0; j < runs_[crossing].length; ++j) {
          const int other = runs_[crossing].cells[j];
          CandidateMask fresh = kAllDigits;
          for (int s = 0; s < 2; ++s)
            if (homeRuns_[2 * other + s] >= 0) fresh &= runs_[homeRuns_[2 * other + s]].digits;
          if (masks_[other] != fresh) setMask(other, fresh);
        }
      }
  }
  // A one-cell run is never revised: its cell's digit is the sum itself.
  for (const SavedSum& saved : reopened_)
    if (saved.run >= 0 && runs_[saved.run].length > 1) enqueue(saved.run);
  const bool consistent = propagate();
  steps += steps_ - stepsBefore;
  open.clear();
  if (!consistent) return false;
  collectOpen(open);
  return true;
}

void ExactSearch::undoReopen() {
  undoTo(0);
  for (const SavedSum& saved : reopened_)
    if (saved.run >= 0) {
      runs_[saved.run].sum = saved.sum;
      runs_[saved.run].digits = saved.digits;
    }
}

SearchOutcome ExactSearch::countBeside(const std::vector<std::uint8_t>& known, std::int64_t stepBudget,
                                       const std::vector<std::uint16_t>& near) {
  SearchOutcome outcome;
  if (!near.empty()) {
    tryOrder_.clear();
    for (const std::uint16_t cell : near)
      if (!inTryOrder_[cell]) inTryOrder_[cell] = 1, tryOrder_.push_back(cell);
    for (const std::uint16_t cell : whiteCells_)
      if (!inTryOrder_[cell]) tryOrder_.push_back(cell);
    for (const std::uint16_t cell : near) inTryOrder_[cell] = 0;
  }
  if (startAtRoot(stepBudget, outcome)) {
    const int rootMark = trailSize_;
    for (const std::uint16_t cell : whiteCells_) solutions_[0][cell] = known[cell];
    haveFirst_ = true;
    outcome.found = 1;
    const Walk found = findDifferentSolution();
    if (found == Walk::Solution) {
      recordSolution(1);
      outcome.found = 2;
      if (keepOneDifference() > kSmallestGroup) shrinkDifference(rootMark);
    }
    outcome.budgetExceeded = found == Walk::OverBudget;
  }
  if (!near.empty()) tryOrder_.assign(whiteCells_.begin(), whiteCells_.end());
  outcome.steps = steps_;
  outcome.nodes = nodes_;
  return outcome;
}

// Root propagation alone names why there is no solution, when it finds so.
// Up to two solutions, a plain walk of a few guesses first; past it the
// restarts and the plain walk take turns. Past two it walks every branch
// once, as counting needs.
void ExactSearch::search(int limit, std::int64_t stepBudget, SearchOutcome& outcome) {
  if (!startAtRoot(stepBudget, outcome)) return;
  const int rootMark = trailSize_;
  // Most tight puzzles take a handful of guesses: one plain walk over every
  // branch settles them before any restart is worth its set-up.
  const std::int64_t plainLimit = limit <= 2 ? nodes_ + pace_.openingNodes : kNoNodeLimit;
  Walk found = walk(false, plainLimit);
  while (found == Walk::Solution) {
    if (outcome.found < 2) recordSolution(outcome.found);
    if (++outcome.found >= limit) break;
    found = walk(true, plainLimit);
  }
  const bool walkedAll = found != Walk::Restart && !(limit == 2 && outcome.found == 2);
  if (walkedAll) {
    outcome.budgetExceeded = found == Walk::OverBudget && outcome.found < limit;
    if (outcome.found >= 2) keepOneDifference();
    return;
  }
  // Past the opening walk, or with a second solution that may lie far from
  // the first: restarts to one solution, and one near it, taking turns with
  // a plain walk from the root.
  haveFirst_ = outcome.found >= 1;
  // Two found already settle the answer: the restarts only look for a second
  // nearer the first, and the opening walk's stays if they find none.
  const bool foundTwo = outcome.found == 2;
  depth_ = 0;
  undoTo(rootMark);
  if (!haveFirst_) {
    // The restarts begin as if the opening walk had not been tried.
    std::fill(cellWeights_.begin(), cellWeights_.end(), 1);
    randomState_ = pace_.randomSeed;
  }
  std::copy(masks_.begin(), masks_.end(), other_.masks.begin());
  other_.trailSize = other_.depth = 0;
  other_.nodes = 0;
  plainResume_ = false;
  plainFound_ = 0;
  plainResult_ = PlainResult::Open;
  portfolio_ = !foundTwo;
  limit_ = limit;
  turnSteps_ = pace_.firstTurnSteps;
  pauseAt_ = portfolio_ ? std::min(steps_ + turnSteps_, stepBudget_) : stepBudget_;
  putOffAt_ = pace_.putOffSteps;
  repairAt_ = pace_.repairSteps;
  outcome.found = 0;
  // The restarts' answer is the one reported; the plain walk's stands in
  // when it is a proof, or when the restarts run out of budget.
  bool unique = false;
  if (haveFirst_) {
    found = Walk::Solution;
  } else {
    found = solveFrom(rootMark);
    if (found == Walk::Solution) {
      recordSolution(0);
      haveFirst_ = true;
    } else if (found == Walk::OverBudget && plainFound_ >= 1 &&
               (plainResult_ == PlainResult::Settled || plainFound_ >= 2)) {
      solutions_[0] = plainSolutions_[0];
      haveFirst_ = true;
      unique = plainResult_ == PlainResult::Settled && limit > 1;
      outcome.plainWalkSettled = plainResult_ == PlainResult::Settled;
      found = Walk::Solution;
    } else if (plainResult_ == PlainResult::Settled) {
      outcome.plainWalkSettled = true;
      found = Walk::Exhausted;
    }
  }
  if (found == Walk::Solution) {
    outcome.found = 1;
    if (limit == 2 && !unique) {
      if (plainResult_ == PlainResult::Open && plainKnowsTwo()) plainResult_ = PlainResult::Stopped;
      if (plainResult_ != PlainResult::Open) pauseAt_ = stepBudget_;
      depth_ = 0;
      undoTo(rootMark);
      found = findDifferentSolution();
      if (found == Walk::Solution) {
        recordSolution(1);
      } else if (found == Walk::OverBudget && plainResult_ == PlainResult::Settled) {
        outcome.plainWalkSettled = true;
        found = Walk::Exhausted;
      } else if (found == Walk::OverBudget && plainKnowsTwo()) {
        solutions_[1] = plainSolutions_[plainSolutions_[0] != solutions_[0] ? 0 : 1];
        found = Walk::Solution;
      } else if (found == Walk::OverBudget && foundTwo) {
        found = Walk::Solution;
      }
      if (found == Walk::Solution) outcome.found = 2;
    }
  }
  portfolio_ = false;
  outcome.budgetExceeded = found == Walk::OverBudget;
  if (outcome.found >= 2 && keepOneDifference() > kSmallestGroup && limit == 2) shrinkDifference(rootMark);
}

}  // namespace vantreel
