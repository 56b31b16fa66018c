#pragma once
// Techniques that look at one run, or one cell and its two runs.
// Each finds the first place it applies and fills `step`; false when none.
#include "explain/step.h"

namespace vantreel {

// A run whose open cells can take only one digit set.
bool findUniqueSum(const CandidateGrid& grid, Step& step);
// A cell limited to the digits both its across and down runs allow.
bool findCrossIntersection(const CandidateGrid& grid, Step& step);
// Digits no fitting set of a run has, and a digit every set has with one cell to go to.
bool findRunDigits(const CandidateGrid& grid, Step& step);
// Two (three) cells of a run sharing two (three) digits, which the others cannot take.
bool findNakedGroup(const CandidateGrid& grid, int size, Step& step);
// Digit sets of a run that cannot be laid into its cells, and the digits only they gave.
bool findCombinationElimination(const CandidateGrid& grid, Step& step);

}  // namespace vantreel
