#pragma once
// Last clue stage: every consistent sum of the remaining runs is listed, and
// a depth-first search picks the first combination that propagation solves.
#include "generator/generator_context.h"

namespace vantreel {

// Most runs with several candidate sums, and most candidates in all.
inline constexpr int kMaxBranchRuns = kBranchCount - 1;
inline constexpr int kMaxCandidateTotal = 80;

// True when work ends solved by propagation with every run's sum set.
[[nodiscard]] bool collectBranches(GeneratorContext& context);

// Tries the recorded sums of levels `level` .. count - 1 in order; true when
// a combination solved the grid and work holds it.
[[nodiscard]] bool searchBranches(GeneratorContext& context, int level, int count);

}  // namespace vantreel
