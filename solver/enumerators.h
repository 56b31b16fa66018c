#pragma once
// Exact per-cell support of a run of 4..9 cells: a search over digit
// prefixes for up to six cells, one bipartite matching per digit combination
// for longer runs, where the prefixes would be too many.
#include <array>

#include "solver/solver_grid.h"

namespace vantreel {

// Fills the run's cells from `cells` on; ORs each cell's supported digits
// into `support` (aligned with `cells`). False when no filling exists.
using Enumerator = bool (*)(const CandidateMask* masks, const std::uint16_t* cells,
                            DigitSet* support, DigitSet used, std::uint8_t sum);

// Indexed by run length; entries below 4 are null.
extern const std::array<Enumerator, kMaxRunLength + 1> enumerateCombinations;

// The last three cells of every branch, settled by triple lookups.
bool completeTriple(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support,
                    DigitSet used, std::uint8_t sum);

}  // namespace vantreel
