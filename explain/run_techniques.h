#pragma once
// Techniques that look at one run, or one cell and its two runs.
// Each finds the first place it applies and fills `step`; false when none.
#include <array>
#include <vector>

#include "explain/step.h"

namespace vantreel {

// Runs (cells) known to offer no step of a technique since they last
// changed: each technique here looks only at a run's cells, or a cell and
// its two runs, so a long path need not look at them again.
struct QuietMarks {
  std::vector<char> uniqueSum, runDigits, combination;  // per run
  std::array<std::vector<char>, 2> nakedGroup;           // pairs, triples; per run
  std::vector<char> cross;                               // per board cell
  void reset(const CandidateGrid& grid);
  // After `step` is applied: its cells' runs, and every cell of them, may offer steps again.
  void changed(const CandidateGrid& grid, const Step& step);
};

// A run whose open cells can take only one digit set.
bool findUniqueSum(const CandidateGrid& grid, Step& step, QuietMarks* marks = nullptr);
// A cell limited to the digits both its across and down runs allow.
bool findCrossIntersection(const CandidateGrid& grid, Step& step, QuietMarks* marks = nullptr);
// Digits no fitting set of a run has, and a digit every set has with one cell to go to.
bool findRunDigits(const CandidateGrid& grid, Step& step, QuietMarks* marks = nullptr);
// Two (three) cells of a run sharing two (three) digits, which the others cannot take.
bool findNakedGroup(const CandidateGrid& grid, int size, Step& step, QuietMarks* marks = nullptr);
// Digit sets of a run that cannot be laid into its cells, and the digits only they gave.
bool findCombinationElimination(const CandidateGrid& grid, Step& step, QuietMarks* marks = nullptr);

}  // namespace vantreel
