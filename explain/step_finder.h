#pragma once
// The simplest step available now.
#include <cstdint>
#include <vector>

#include "explain/step.h"

namespace vantreel {

// Every technique short of a trial, simplest first.
bool findLogicalStep(const CandidateGrid& grid, Step& step);
// Then a trial, then the exhaustive search (which needs the solution).
bool findNextStep(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step);

}  // namespace vantreel
