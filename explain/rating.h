#pragma once
// One difficulty for a person, 1..10, worked out from the explained solving
// path: how hard its hardest step is and how much hard work the path asks
// for. check, print and explain show it; generate can filter on it.
#include <cstdint>
#include <vector>

#include "format/board.h"

namespace vantreel {

// Declared only: the print program, which has a Placement of its own for
// pages, includes this header without the explainer's step types.
struct Explanation;
enum class Technique;

inline constexpr int kLowestRating = 1;
inline constexpr int kHighestRating = 10;

struct Rating {
  int value = 0;          // 1..10; 0 for a board the explainer cannot read
  const char* name = "";  // "easy", "medium", "hard", "expert" or "master"
};

// Work points of one step: nothing for what the sum tables and a cell's two
// runs show at a glance, more for each harder technique a person must find.
int stepEffort(Technique technique);

// From the steps alone: every step is the simplest available at its moment,
// so each hard step is also a moment where only a hard step was left.
Rating rateExplanation(const Explanation& explanation);

// Explains the puzzle from its clues (no text kept beyond the steps) and
// rates the path. `solution` is its one solution, a digit per board cell.
Rating rateBoard(const Board& board, const std::vector<std::uint8_t>& solution);

// The word for a rating's range; "" outside 1..10.
const char* ratingName(int rating);

}  // namespace vantreel
