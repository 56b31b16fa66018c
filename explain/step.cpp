#include "explain/step.h"

namespace vantreel {

const char* techniqueName(Technique technique) {
  switch (technique) {
    case Technique::UniqueSum: return "UNIQUE SUM";
    case Technique::CrossIntersection: return "CROSS INTERSECTION";
    case Technique::RunDigits: return "RUN DIGITS";
    case Technique::NakedPair: return "NAKED PAIR";
    case Technique::NakedTriple: return "NAKED TRIPLE";
    case Technique::CombinationElimination: return "COMBINATION ELIMINATION";
    case Technique::RegionSum: return "REGION SUM";
    case Technique::Trial: return "TRIAL";
    case Technique::ExhaustiveSearch: return "EXHAUSTIVE SEARCH";
  }
  return "?";
}

void narrowCell(Step& step, const CandidateGrid& grid, int cell, DigitSet allowed) {
  const DigitSet before = grid.candidates[cell];
  const DigitSet after = before & allowed;
  if (after == before) return;
  // An emptied cell is shown as a removal: the contradiction a trial looks for.
  if (isPlaced(after)) step.placements.push_back({cell, digitOf(after)});
  else step.removals.push_back({cell, DigitSet(before & ~after)});
}

bool applyStep(CandidateGrid& grid, const Step& step) {
  bool sound = true;
  for (const Placement& placement : step.placements) {
    DigitSet& candidates = grid.candidates[placement.cell];
    candidates &= DigitSet(1 << (placement.digit - 1));
    if (candidates == 0) sound = false;
  }
  for (const Removal& removal : step.removals) {
    DigitSet& candidates = grid.candidates[removal.cell];
    candidates &= DigitSet(~removal.digits);
    if (candidates == 0) sound = false;
  }
  return sound;
}

std::string describeEffect(const CandidateGrid& grid, const Step& step) {
  std::string text;
  for (const Placement& placement : step.placements) {
    if (!text.empty()) text += ", ";
    text += cellName(grid, placement.cell) + "=" + std::to_string(placement.digit);
  }
  for (const Removal& removal : step.removals) {
    if (!text.empty()) text += ", ";
    text += cellName(grid, removal.cell) + "-" + digitList(removal.digits);
  }
  return text;
}

}  // namespace vantreel
