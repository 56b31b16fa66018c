#pragma once
// Judging a puzzle: does it have exactly one solution, and if not, why; its
// digits; and the level the solve modes' counters give it. check, print,
// explain and generate judge through here and only report what they get.
#include <cstdint>
#include <string>
#include <vector>

#include "format/board.h"
#include "solver/exact_search.h"
#include "solver/solver_grid.h"

namespace vantreel {

enum class Verdict : std::uint8_t {
  Unique,    // exactly one solution, proven
  Multiple,  // at least two solutions found
  None,      // no solution, proven
  Unknown,   // the search stopped at its work budget before it could decide
};

struct JudgeRequest {
  int countLimit = 2;  // count solutions up to this (>= 2)
  bool wantLevel = true;  // a search-proven unique puzzle costs one more solve for it
  std::int64_t stepBudget = kDefaultSearchSteps;
};

struct Judgement {
  Verdict verdict = Verdict::None;
  int found = 0;              // solutions found, at most the limit
  bool countComplete = true;  // false when `found` stopped at the limit or the budget
  // Unique: the level 1..5 that c1..c4 would give the puzzle, from the d
  // solver's counters; 0 when that solver cannot finish it (or not asked).
  int level = 0;
  // None: what propagation before any guess finds impossible; kind None
  // when only the search shows that there is no solution.
  RootFailure failure;
  // Unique and Multiple: the first solution; Multiple: a second one. A digit
  // per board cell, 0 off the white cells.
  std::vector<std::uint8_t> solution;
  std::vector<std::uint8_t> second;
};

// One judge serves many puzzles: its grid and search keep their capacity.
class Judge {
 public:
  // The judgement stays valid until the next call.
  const Judgement& judge(const Board& board, const JudgeRequest& request = {});

 private:
  bool settleByRules(const Board& board);
  int levelBySolve(const Board& board);

  SolverGrid grid_;
  ExactSearch search_;
  Judgement result_;
};

// Words for a person, cells named rRcC on a board `width` cells wide:
// "r3c5 across: no 3 different digits sum to 4".
std::string describeRootFailure(const RootFailure& failure, int width);
// "r2c3,r2c4": the white cells whose digits differ between two fillings.
std::string differingCells(const Board& board, const std::vector<std::uint8_t>& first,
                           const std::vector<std::uint8_t>& second);

}  // namespace vantreel
