#pragma once
// Exact search: how many solutions a puzzle has, up to a limit.
#include <cstdint>
#include <vector>

#include "format/board.h"
#include "solver/exact_search.h"

namespace vantreel {

// Work one puzzle may spend before its answer is "unknown" (see ExactSearch).
inline constexpr std::int64_t kDefaultNodeBudget = kDefaultSearchSteps;

struct SolutionCount {
  int found = 0;                // solutions found, at most the limit
  bool budgetExceeded = false;  // stopped early: `found` is a lower bound
  // The first two solutions found: a digit 1..9 per white cell, 0 elsewhere,
  // indexed like the board's cells (row-major, border included).
  std::vector<std::uint8_t> first;
  std::vector<std::uint8_t> second;
};

// Complete search of the board's digit fillings, stopping at `limit` (>= 1).
// A caller judging many boards saves the set-up by keeping one ExactSearch.
SolutionCount countSolutions(const Board& board, int limit, std::int64_t nodeBudget = kDefaultNodeBudget);

}  // namespace vantreel
