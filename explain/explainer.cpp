#include "explain/explainer.h"

#include <algorithm>

#include "explain/run_techniques.h"
#include "explain/step_finder.h"

namespace vantreel {

int techniqueLevel(Technique technique) {
  switch (technique) {
    case Technique::UniqueSum:
    case Technique::CrossIntersection: return 1;
    case Technique::RunDigits: return 2;
    case Technique::NakedPair:
    case Technique::NakedTriple: return 3;
    case Technique::CombinationElimination: return 4;
    case Technique::RegionSum: return 5;
    case Technique::Trial: return 6;
    case Technique::ExhaustiveSearch: return 7;
  }
  return 7;
}

Explanation explainPuzzle(const Board& board, const std::vector<std::uint8_t>& solution,
                          const std::vector<Placement>& givens, int stepLimit, Wording wording) {
  Explanation explanation;
  CandidateGrid grid;
  if (!buildCandidateGrid(board, grid)) return explanation;
  grid.wording = wording;
  const bool withReasons = grid.withReasons();
  // Without words the path is for rating, where speed counts; the explained
  // path takes the long way, and a test holds the two to the same steps.
  QuietMarks marks;
  if (!withReasons) marks.reset(grid);
  for (const Placement& given : givens) grid.candidates[given.cell] &= DigitSet(1 << (given.digit - 1));
  while (!isSolved(grid) && static_cast<int>(explanation.steps.size()) < stepLimit) {
    Step step;
    if (!findNextStep(grid, solution, step, withReasons ? nullptr : &marks)) break;
    const bool sound = applyStep(grid, step);
    if (!withReasons) marks.changed(grid, step);
    if (step.technique == Technique::Trial || step.technique == Technique::ExhaustiveSearch)
      ++explanation.trialCount;
    // Techniques are declared simplest first.
    explanation.hardest = std::max(explanation.hardest, step.technique);
    explanation.steps.push_back(std::move(step));
    if (!sound) break;
  }
  explanation.solved = isSolved(grid);
  return explanation;
}

}  // namespace vantreel
