#include "explain/step_finder.h"

#include "explain/region_sums.h"
#include "explain/run_techniques.h"
#include "explain/trial_step.h"

namespace vantreel {

bool findLogicalStep(const CandidateGrid& grid, Step& step) {
  return findUniqueSum(grid, step) || findCrossIntersection(grid, step) || findRunDigits(grid, step) ||
         findNakedGroup(grid, 2, step) || findNakedGroup(grid, 3, step) || findCombinationElimination(grid, step) ||
         findRegionSum(grid, step);
}

bool findNextStep(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step) {
  return findLogicalStep(grid, step) || findTrial(grid, solution, step) || findExhaustiveSearch(grid, solution, step);
}

}  // namespace vantreel
