#pragma once
// A puzzle explained step by step; explain/rating.h rates the path.
#include <cstdint>
#include <vector>

#include "explain/step.h"

namespace vantreel {

struct Explanation {
  std::vector<Step> steps;
  bool solved = false;     // the steps end at a full grid that keeps every clue
  int trialCount = 0;      // trial and exhaustive-search steps
  Technique hardest = Technique::UniqueSum;
};

// The simplest available step, again and again, from the clues and `givens`
// (digits already filled in, all of them right). `solution` is the puzzle's
// one solution, a digit per board cell. Stops after `stepLimit` steps.
// The reasons come in `wording`; without any (Wording::None) the steps are
// the same, their words left empty.
Explanation explainPuzzle(const Board& board, const std::vector<std::uint8_t>& solution,
                          const std::vector<Placement>& givens, int stepLimit = 1 << 30,
                          Wording wording = Wording::Raw);

// Level of one technique: 1 for the sum tables alone .. 6 for a trial, 7 for
// the exhaustive search.
int techniqueLevel(Technique technique);

}  // namespace vantreel
