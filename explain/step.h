#pragma once
// One explained step: what a technique changes and why.
#include <string>
#include <vector>

#include "explain/candidate_grid.h"

namespace vantreel {

// Simplest first; the explainer always takes the first that applies.
enum class Technique {
  UniqueSum,
  CrossIntersection,
  RunDigits,
  NakedPair,
  NakedTriple,
  CombinationElimination,
  RegionSum,
  Trial,
  ExhaustiveSearch,
};

struct Placement {
  int cell;
  int digit;
};

struct Removal {
  int cell;
  DigitSet digits;
};

struct Step {
  Technique technique = Technique::UniqueSum;
  std::vector<Placement> placements;
  std::vector<Removal> removals;
  std::string reason;
  bool changes() const { return !placements.empty() || !removals.empty(); }
};

// Upper-case name for the step line, e.g. "UNIQUE SUM".
const char* techniqueName(Technique technique);

// Narrows a cell to `allowed` in the step under construction: a cell left
// with one digit is a placement, otherwise the lost digits are a removal.
void narrowCell(Step& step, const CandidateGrid& grid, int cell, DigitSet allowed);

// False when a cell is left without candidates: a contradiction.
bool applyStep(CandidateGrid& grid, const Step& step);

// "r3c4=7, r3c5-{1,2}": placements first, then removals.
std::string describeEffect(const CandidateGrid& grid, const Step& step);

}  // namespace vantreel
