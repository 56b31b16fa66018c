#pragma once
// Second clue stage: single runs chosen at random take the first sum that
// narrows them and survives propagation.
#include <array>
#include <cstdint>

#include "generator/generator_context.h"
#include "solver/trial_search.h"

namespace vantreel {

// The sums 1..45 from both ends inward, and from the middle outward.
extern const std::array<std::uint8_t, 45> OuterFirstOrder;
extern const std::array<std::uint8_t, 45> MiddleFirstOrder;

// Screens `sum` for a run that needs a clue, reading the grid only: false
// when the length cannot make the sum or a cell would be emptied. Adds to
// `counter` each cell the sum would narrow to `target` candidates.
[[nodiscard]] bool probeSum(const SolverGrid& grid, int runIndex, int sum, int target,
                            std::int32_t& counter);

// Gives the run the sum through a settled trial; true when work took it.
// The run given `sum` on a copy of work in scratch, propagated: true when the
// probe passes and propagation finds no contradiction.
[[nodiscard]] bool propagatesWithSum(GeneratorContext& context, int runIndex, int sum);
[[nodiscard]] bool tryRunSum(GeneratorContext& context, int runIndex, int sum, int target,
                             bool& solved);

// Sums for random runs until `percent` of the clue cells have one, the
// budget is spent, or the grid is solved. Always true.
bool probeRandomRuns(GeneratorContext& context, int percent, int target, bool& solved);

}  // namespace vantreel
