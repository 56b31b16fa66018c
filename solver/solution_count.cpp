#include "solver/solution_count.h"

#include "solver/exact_search.h"

namespace vantreel {

SolutionCount countSolutions(const Board& board, int limit, std::int64_t nodeBudget) {
  ExactSearch search;
  search.load(board);
  const SearchOutcome outcome = search.count(limit, nodeBudget);
  SolutionCount result;
  result.found = outcome.found;
  result.budgetExceeded = outcome.budgetExceeded;
  if (outcome.found >= 1) result.first = search.solution(0);
  if (outcome.found >= 2) result.second = search.solution(1);
  return result;
}

}  // namespace vantreel
