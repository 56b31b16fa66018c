#include "solver/level.h"

namespace vantreel {

double gradeScore(const SolveStats& stats) {
  const double runChanges = stats.runChanges;
  const double reserved = stats.reserved;
  const double comboChanges = stats.comboChanges;
  const double cells = stats.cellCount;
  // One term at a time, in this order: the level near a threshold must not
  // depend on how the compiler would group or fuse the arithmetic.
  double score = runChanges * 0.546 - 1885.598;
  score += reserved * 11.604;
  score += comboChanges * 15.72;
  score += cells * 1.528;
  score += (runChanges * 957.54) / cells;
  return score;
}

int levelFor(double score) {
  if (score < 300.0) return 1;
  if (score < 600.0) return 2;
  if (score < 1000.0) return 3;
  if (score < 1800.0) return 4;
  return 5;
}

}  // namespace vantreel
