#pragma once
// Sums over several runs that close a region of a band of rows or columns.
#include "explain/step.h"

namespace vantreel {

// The runs along a band minus the crossing runs inside it (or the crossing
// runs minus the runs along it) leave one to three open cells a known total.
bool findRegionSum(const CandidateGrid& grid, Step& step);

// Narrows `cells` (1..3) to the digits of some filling adding up to `total`,
// cells of one run holding different digits. Exposed for its test.
void narrowToTotal(const CandidateGrid& grid, const int* cells, int count, int total, Step& step);

}  // namespace vantreel
