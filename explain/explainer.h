#pragma once
// A puzzle explained step by step, and rated by what a person needs to solve it.
#include <cstdint>
#include <vector>

#include "explain/step.h"

namespace vantreel {

struct Explanation {
  std::vector<Step> steps;
  bool solved = false;     // the steps end at a full grid that keeps every clue
  int trialCount = 0;      // trial and exhaustive-search steps
  Technique hardest = Technique::UniqueSum;
  int rating = 0;          // 1..7, see rateExplanation
};

// The simplest available step, again and again, from the clues and `givens`
// (digits already filled in, all of them right). `solution` is the puzzle's
// one solution, a digit per board cell. Stops after `stepLimit` steps.
Explanation explainPuzzle(const Board& board, const std::vector<std::uint8_t>& solution,
                          const std::vector<Placement>& givens, int stepLimit = 1 << 30);

// Level of one technique: 1 for the sum tables alone .. 6 for a trial.
int techniqueLevel(Technique technique);
// The hardest level used, one more for three or more trials (or any exhaustive search).
int rateExplanation(const Explanation& explanation);

}  // namespace vantreel
