#include "explain/step_finder.h"

#include "explain/region_sums.h"
#include "explain/run_techniques.h"
#include "explain/trial_step.h"

namespace vantreel {

bool findLogicalStep(const CandidateGrid& grid, Step& step, QuietMarks* marks) {
  return findUniqueSum(grid, step, marks) || findCrossIntersection(grid, step, marks) ||
         findRunDigits(grid, step, marks) ||
         findNakedGroup(grid, 2, step, marks) || findNakedGroup(grid, 3, step, marks) ||
         findCombinationElimination(grid, step, marks) ||
         findRegionSum(grid, step);
}

bool findNextStep(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step,
                  QuietMarks* marks) {
  return findLogicalStep(grid, step, marks) || findTrial(grid, solution, step) || findExhaustiveSearch(grid, solution, step);
}

}  // namespace vantreel
