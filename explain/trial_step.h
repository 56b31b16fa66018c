#pragma once
// The last resorts: assume a digit and follow it to a contradiction; failing
// that, rule a digit out by searching every filling.
#include <cstdint>
#include <vector>

#include "explain/step.h"

namespace vantreel {

// A run whose cells are all placed but do not add up, or that repeats a digit; kNoRun if none.
int findBrokenRun(const CandidateGrid& grid);

// Removes a digit whose assumption leads, by the simpler techniques alone, to
// a contradiction; the reason shows the chain. `solution` (a digit per board
// cell, possibly empty) only saves trying digits that cannot fail.
bool findTrial(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step);

// Removes one digit that differs from the puzzle's only solution.
bool findExhaustiveSearch(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step);

}  // namespace vantreel
