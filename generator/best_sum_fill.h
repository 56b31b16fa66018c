#pragma once
// Third clue stage: each open run, longest first, takes the sum that leaves
// the fewest candidates after propagation.
#include "generator/generator_context.h"

namespace vantreel {

// Runs of 3..9 cells; two-cell runs are left to the branch search. False
// when a run has no sum that beats the surplus bound or propagation fails.
[[nodiscard]] bool fillBestSums(GeneratorContext& context, bool& solved);

}  // namespace vantreel
