#pragma once
// The explainer's steps as a person reads them: consecutive steps of one
// technique on one run are one step, and a step that leaves nothing a person
// would write down (no digit, no cell down to a few candidates) is folded into
// the step after it. The rating still weighs the explainer's own steps.
#include <string>
#include <vector>

#include "explain/step.h"

namespace vantreel {

// A cell down to this many candidates is worth pencilling in.
inline constexpr int kNotedCandidates = 3;

struct StepGroup {
  int first = 0;   // explainer steps [first, first + count)
  int count = 0;
  Technique technique = Technique::UniqueSum;  // the hardest of them
  std::vector<int> cells;  // cells narrowed, reading order
  bool places = false;     // some cell is left with one digit
};

// Groups `steps`, taken in order from `start` (the clues and givens).
std::vector<StepGroup> groupSteps(const CandidateGrid& start, const std::vector<Step>& steps);

// Applies a group's steps to `grid`.
void applyGroup(CandidateGrid& grid, const std::vector<Step>& steps, const StepGroup& group);

// The explainer's words for a group: "r3c4=7, r3c5-{1,2}" from `before` to
// `after`, and the reasons of its steps joined by "; ".
std::string describeGroupEffect(const CandidateGrid& before, const CandidateGrid& after, const StepGroup& group);
std::string groupReasons(const std::vector<Step>& steps, const StepGroup& group);

// What is left, in a person's words: "r1c4 is 6, 8 or 9; r2c4 is 7".
std::string describeWhatIsLeft(const CandidateGrid& after, const StepGroup& group);

// One group as a person reads it, what is left and why: "r1c4 is 6, 8 or 9,
// because the down run from r0c4, 23 in 3 cells, can only be {6,8,9}". The
// steps must have been explained in the person's wording.
std::string personSentence(const CandidateGrid& after, const std::vector<Step>& steps, const StepGroup& group);

}  // namespace vantreel
