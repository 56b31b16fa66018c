#pragma once
// The level 1..5 of a puzzle: how much work the solve modes' rules need for
// it from its clues alone, weighed from the counters `d` prints. The create
// modes write it into each puzzle; check reports it for unique ones.
#include "solver/trial_search.h"

namespace vantreel {

// The weighted effort of a solve. Computed term by term in a fixed order,
// with no fused multiply-adds, so that every machine gets the same level.
double gradeScore(const SolveStats& stats);
// 1 below 300, 2 below 600, 3 below 1000, 4 below 1800, 5 from there on.
int levelFor(double score);
inline int levelOf(const SolveStats& stats) { return levelFor(gradeScore(stats)); }

}  // namespace vantreel
