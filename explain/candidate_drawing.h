#pragma once
// The candidate grid as text, a fixed-width box per cell: a clue cell as
// "down\across", a placed cell as its digit, an open one as its candidates
// (up to five; "." for more), with the cells a step narrowed marked by '<'.
#include <string>
#include <vector>

#include "explain/candidate_grid.h"

namespace vantreel {

// One line per board row, each ending in '\n'.
std::string drawCandidates(const Board& board, const CandidateGrid& grid, const std::vector<int>& marked);

}  // namespace vantreel
