#pragma once
// The simplest step available now.
#include <cstdint>
#include <vector>

#include "explain/step.h"

namespace vantreel {

struct QuietMarks;

// Every technique short of a trial, simplest first. `marks`, when given, must
// have been told of every change to the grid since it was reset.
bool findLogicalStep(const CandidateGrid& grid, Step& step, QuietMarks* marks = nullptr);
// Then a trial, then the exhaustive search (which needs the solution).
bool findNextStep(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step,
                  QuietMarks* marks = nullptr);

}  // namespace vantreel
