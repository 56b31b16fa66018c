#include "explain/trial_step.h"

#include <algorithm>
#include <bit>

#include "explain/person_words.h"
#include "explain/step_finder.h"

namespace vantreel {
namespace {

// A chain this long is no longer an argument a person follows.
constexpr int kMaxChainSteps = 60;
// Assumptions followed for one trial step before the exhaustive search takes
// over: keeps a large stuck board from trying every digit of every cell.
constexpr int kMaxAssumptions = 400;

struct Chain {
  std::vector<Step> steps;
  std::string ending;         // what breaks, in words
  bool endsInStep = false;    // the last step itself empties a cell
};

std::string brokenRunWords(const CandidateGrid& grid, int run) {
  const OpenPart open = openPartOf(grid, grid.runs[run]);
  const char* comma = grid.wording == Wording::Person ? "," : "";
  return runName(grid, grid.runs[run]) + comma + (open.repeated ? " would repeat a digit" : " would not add up");
}

int emptiedCell(const CandidateGrid& grid, const Step& step) {
  for (const Removal& removal : step.removals)
    if (grid.candidates[removal.cell] == 0) return removal.cell;
  for (const Placement& placement : step.placements)
    if (grid.candidates[placement.cell] == 0) return placement.cell;
  return kNoRun;
}

// Follows the assumption with the simpler techniques; true at a contradiction.
bool followAssumption(CandidateGrid trial, int cell, int digit, int longest, Chain& chain) {
  trial.candidates[cell] = DigitSet(1 << (digit - 1));
  for (;;) {
    if (const int broken = findBrokenRun(trial); broken != kNoRun) {
      if (trial.withReasons()) chain.ending = brokenRunWords(trial, broken);
      return true;
    }
    if (static_cast<int>(chain.steps.size()) >= longest) return false;
    Step step;
    if (!findLogicalStep(trial, step)) return false;
    chain.steps.push_back(step);
    if (!applyStep(trial, step)) {
      if (trial.withReasons())
        chain.ending = step.reason + ", leaving no digit for " + cellName(trial, emptiedCell(trial, step));
      chain.endsInStep = true;
      return true;
    }
  }
}

std::string chainWords(const CandidateGrid& grid, int cell, int digit, const Chain& chain) {
  std::string text = "if " + cellName(grid, cell) + " were " + std::to_string(digit) + ": ";
  const std::size_t shown = chain.steps.size() - (chain.endsInStep ? 1 : 0);
  if (grid.wording != Wording::Person) {
    for (std::size_t i = 0; i < shown; ++i) text += describeEffect(grid, chain.steps[i]) + "; ";
    return text + "then " + chain.ending;
  }
  // One effect leads to the next, so they are joined by "then" rather than
  // "; ", which a step's sentence keeps for the reasons of its parts. Each is
  // said against the grid it acts on, to name the shorter of what goes and what stays.
  if (shown == 0) return "if " + cellName(grid, cell) + " were " + std::to_string(digit) + ", " + chain.ending;
  CandidateGrid trial = grid;
  trial.candidates[cell] = DigitSet(1 << (digit - 1));
  for (std::size_t i = 0; i < shown; ++i) {
    text += (i == 0 ? "" : ", then ") + wouldFollow(trial, chain.steps[i]);
    applyStep(trial, chain.steps[i]);
  }
  return text + ", and then " + chain.ending;
}

}  // namespace

int findBrokenRun(const CandidateGrid& grid) {
  for (std::size_t i = 0; i < grid.runs.size(); ++i) {
    const OpenPart open = openPartOf(grid, grid.runs[i]);
    if (open.repeated || (open.openCount == 0 && grid.runs[i].sum != 0 && open.remainder != 0))
      return static_cast<int>(i);
  }
  return kNoRun;
}

bool findTrial(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step) {
  std::vector<int> open;
  for (int cell : grid.whiteCells)
    if (!isPlaced(grid.candidates[cell])) open.push_back(cell);
  // Cells with fewer candidates first: a two-way choice is the easiest to try.
  std::stable_sort(open.begin(), open.end(), [&](int a, int b) {
    return std::popcount(unsigned(grid.candidates[a])) < std::popcount(unsigned(grid.candidates[b]));
  });
  int bestCell = -1, bestDigit = 0, level = 0, assumptions = 0;
  Chain best;
  for (int cell : open) {
    const int count = std::popcount(unsigned(grid.candidates[cell]));
    if (bestCell >= 0 && count > level) break;  // a shortest chain among the fewest candidates
    for (DigitSet left = grid.candidates[cell]; left != 0; left &= left - 1) {
      const int digit = digitOf(lowestDigit(left));
      // The solution's own digit never leads to a contradiction: skip the work.
      if (!solution.empty() && solution[cell] == digit) continue;
      if (++assumptions > kMaxAssumptions) break;
      Chain chain;
      const int longest = bestCell >= 0 ? static_cast<int>(best.steps.size()) - 1 : kMaxChainSteps;
      if (longest < 0 || !followAssumption(grid, cell, digit, longest, chain)) continue;
      best = std::move(chain);
      bestCell = cell;
      bestDigit = digit;
      level = count;
    }
  }
  if (bestCell < 0) return false;
  step = Step{};
  step.technique = Technique::Trial;
  narrowCell(step, grid, bestCell, DigitSet(~(1 << (bestDigit - 1))));
  if (grid.withReasons()) step.reason = chainWords(grid, bestCell, bestDigit, best);
  return true;
}

bool findExhaustiveSearch(const CandidateGrid& grid, const std::vector<std::uint8_t>& solution, Step& step) {
  if (solution.empty()) return false;
  for (int cell : grid.whiteCells) {
    const DigitSet wrong = grid.candidates[cell] & DigitSet(~(1 << (solution[cell] - 1)));
    if (isPlaced(grid.candidates[cell]) || wrong == 0) continue;
    const int digit = digitOf(lowestDigit(wrong));
    step = Step{};
    step.technique = Technique::ExhaustiveSearch;
    narrowCell(step, grid, cell, DigitSet(~lowestDigit(wrong)));
    if (grid.wording == Wording::Person)
      step.reason = "no filling of the whole puzzle puts " + std::to_string(digit) + " in " + cellName(grid, cell);
    else if (grid.withReasons())
      step.reason = "no filling of the whole puzzle has " + cellName(grid, cell) + "=" + std::to_string(digit);
    return true;
  }
  return false;
}

}  // namespace vantreel
