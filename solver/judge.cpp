#include "solver/judge.h"

#include <cstdio>

#include "solver/level.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

std::string cellName(int cell, int width) {
  char name[32];  // two ints at their widest
  std::snprintf(name, sizeof name, "r%dc%d", cell / width, cell % width);
  return name;
}

}  // namespace

// The run rules alone settle most puzzles, published or created. Each rule
// only drops digits that no solution can hold, so a grid they fill
// completely is the one solution, proven without a search; and their
// counters are the solve modes' counters, which give the level.
bool Judge::settleByRules(const Board& board) {
  buildSolverGrid(board, grid_);
  SolveStats stats;
  stats.cellCount = grid_.cellCount();
  if (grid_.contradiction || !propagate(grid_, &stats) || !isSolved(grid_)) return false;
  std::vector<std::uint8_t>& digits = result_.solution;
  digits.assign(board.cellCount(), 0);
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] != CellKind::White) continue;
    if (DigitCountTable[grid_.masks[p]] != 1) return false;
    digits[p] = DigitSumTable[grid_.masks[p]];
  }
  result_.level = levelOf(stats);
  return true;
}

// The level c1..c4 would give the puzzle, or 0 when the solve modes cannot
// finish it (only a deeper search can).
int Judge::levelBySolve(const Board& board) {
  buildSolverGrid(board, grid_);
  SolveStats stats;
  stats.cellCount = grid_.cellCount();
  SearchBudget budget;
  return solveWithTrials(grid_, stats, budget) ? levelOf(stats) : 0;
}

const Judgement& Judge::judge(const Board& board, const JudgeRequest& request) {
  result_.verdict = Verdict::Unique;
  result_.found = 1;
  result_.countComplete = true;
  result_.level = 0;
  result_.failure = {};
  result_.second.clear();
  if (settleByRules(board)) return result_;

  search_.load(board);
  const SearchOutcome outcome = search_.count(request.countLimit, request.stepBudget);
  result_.found = outcome.found;
  result_.countComplete = outcome.found < request.countLimit && !outcome.budgetExceeded;
  result_.solution.clear();
  if (outcome.found >= 1) result_.solution = search_.solution(0);
  if (outcome.found >= 2) {
    result_.verdict = Verdict::Multiple;
    result_.second = search_.solution(1);
  } else if (outcome.budgetExceeded) {
    result_.verdict = Verdict::Unknown;
  } else if (outcome.found == 1) {
    result_.verdict = Verdict::Unique;
    if (request.wantLevel) result_.level = levelBySolve(board);
  } else {
    result_.verdict = Verdict::None;
    result_.failure = outcome.rootFailure;
  }
  return result_;
}

std::string describeRootFailure(const RootFailure& failure, int width) {
  if (failure.kind == RootFailureKind::NoDigitFits) return cellName(failure.cell, width) + ": no digit fits";
  std::string text = cellName(failure.clueCell, width) + (failure.across ? " across: " : " down: ");
  const std::string length = std::to_string(failure.length), sum = std::to_string(failure.sum);
  switch (failure.kind) {
    case RootFailureKind::RunTooLong:
      return text + length + " cells cannot all hold different digits";
    case RootFailureKind::NoCombination:
      if (failure.length == 1) return text + sum + " is not a digit";
      return text + "no " + length + " different digits sum to " + sum;
    default:
      if (failure.sum == 0) return text + "its cells leave no " + length + " different digits";
      return text + "its cells leave no " + length + " different digits that sum to " + sum;
  }
}

std::string differingCells(const Board& board, const std::vector<std::uint8_t>& first,
                           const std::vector<std::uint8_t>& second) {
  std::string list;
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] != CellKind::White || first[p] == second[p]) continue;
    if (!list.empty()) list += ',';
    list += cellName(p, board.width);
  }
  return list;
}

}  // namespace vantreel
