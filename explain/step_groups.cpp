#include "explain/step_groups.h"

#include <algorithm>

#include "explain/person_words.h"

namespace vantreel {
namespace {

// The runs every cell of a step lies in: the run a technique looked at.
std::array<int, 2> commonRuns(const CandidateGrid& grid, const Step& step) {
  std::array<int, 2> common{kNoRun, kNoRun};
  bool first = true;
  const auto meet = [&](int cell) {
    for (int direction = 0; direction < 2; ++direction) {
      const int run = grid.runOf[cell][direction];
      if (first) common[direction] = run;
      else if (common[direction] != run) common[direction] = kNoRun;
    }
    first = false;
  };
  for (const Placement& placement : step.placements) meet(placement.cell);
  for (const Removal& removal : step.removals) meet(removal.cell);
  return common;
}

bool sameSubject(const std::array<int, 2>& a, const std::array<int, 2>& b) {
  for (int direction = 0; direction < 2; ++direction)
    if (a[direction] != kNoRun && a[direction] == b[direction]) return true;
  return false;
}

// A step a person would write: a digit, or a cell down to a few candidates.
bool isWritten(const CandidateGrid& after, const Step& step) {
  if (!step.placements.empty()) return true;
  for (const Removal& removal : step.removals)
    if (DigitCountTable[after.candidates[removal.cell]] <= kNotedCandidates) return true;
  return false;
}

// The last open cell of a run written in: the run of a placed cell with no
// other open cell, kNoRun when the step is anything else.
int completedRun(const CandidateGrid& before, const Step& step) {
  if (step.technique != Technique::UniqueSum || step.placements.size() != 1 || !step.removals.empty()) return kNoRun;
  for (const int run : before.runOf[step.placements[0].cell]) {
    if (run == kNoRun) continue;
    if (openPartOf(before, before.runs[run]).openCount == 1) return run;
  }
  return kNoRun;
}

void addCells(std::vector<int>& cells, const Step& step) {
  for (const Placement& placement : step.placements) cells.push_back(placement.cell);
  for (const Removal& removal : step.removals) cells.push_back(removal.cell);
}

}  // namespace

std::vector<StepGroup> groupSteps(const CandidateGrid& start, const std::vector<Step>& steps) {
  std::vector<StepGroup> groups;
  CandidateGrid grid = start;
  std::array<int, 2> lastSubject{kNoRun, kNoRun};
  bool open = false;  // the last group still waits for something written
  // Runs the last group narrowed: writing the last cell of one follows from it.
  std::vector<int> touchedBy(grid.runs.size(), -1);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    const std::array<int, 2> subject = commonRuns(grid, step);
    const int completed = completedRun(grid, step);
    const int current = static_cast<int>(groups.size()) - 1;
    const bool follows = completed != kNoRun && current >= 0 && touchedBy[completed] == current;
    const bool joins = !groups.empty() && (open || follows ||
                                           (groups.back().technique == step.technique && sameSubject(subject, lastSubject)));
    if (!joins) groups.push_back({static_cast<int>(i), 0, step.technique, {}, false});
    const int group = static_cast<int>(groups.size()) - 1;
    const auto touch = [&](int cell) {
      for (const int run : grid.runOf[cell])
        if (run != kNoRun) touchedBy[run] = group;
    };
    for (const Placement& placement : step.placements) touch(placement.cell);
    for (const Removal& removal : step.removals) touch(removal.cell);
    StepGroup& last = groups.back();
    ++last.count;
    last.technique = std::max(last.technique, step.technique);
    addCells(last.cells, step);
    applyStep(grid, step);
    for (const Placement& placement : step.placements) last.places = last.places || isPlaced(grid.candidates[placement.cell]);
    for (const Removal& removal : step.removals) last.places = last.places || isPlaced(grid.candidates[removal.cell]);
    const bool written = isWritten(grid, step);
    open = !written;
    lastSubject = subject;
  }
  for (StepGroup& group : groups) {
    std::sort(group.cells.begin(), group.cells.end());
    group.cells.erase(std::unique(group.cells.begin(), group.cells.end()), group.cells.end());
  }
  return groups;
}

void applyGroup(CandidateGrid& grid, const std::vector<Step>& steps, const StepGroup& group) {
  for (int i = group.first; i < group.first + group.count; ++i) applyStep(grid, steps[i]);
}

std::string describeGroupEffect(const CandidateGrid& before, const CandidateGrid& after, const StepGroup& group) {
  std::string placed, removed;
  for (int cell : group.cells) {
    const DigitSet now = after.candidates[cell];
    if (isPlaced(now) && !isPlaced(before.candidates[cell]))
      placed += (placed.empty() ? "" : ", ") + cellName(after, cell) + "=" + std::to_string(digitOf(now));
    else if (!isPlaced(now))
      removed += (removed.empty() ? "" : ", ") + cellName(after, cell) + "-" +
                 digitList(DigitSet(before.candidates[cell] & ~now));
  }
  if (placed.empty()) return removed;
  return removed.empty() ? placed : placed + ", " + removed;
}

std::string groupReasons(const std::vector<Step>& steps, const StepGroup& group) {
  std::string text;
  for (int i = group.first; i < group.first + group.count; ++i) {
    if (steps[i].reason.empty()) continue;
    if (!text.empty()) text += "; ";
    text += steps[i].reason;
  }
  return text;
}

std::string describeWhatIsLeft(const CandidateGrid& after, const StepGroup& group) {
  // Cells left with the same digits are named together: "r1c4 and r2c4 are 6 or 8".
  std::vector<int> cells = group.cells;
  std::stable_sort(cells.begin(), cells.end(), [&](int a, int b) {
    const bool placedA = isPlaced(after.candidates[a]), placedB = isPlaced(after.candidates[b]);
    return placedA > placedB;
  });
  // Cells left with many candidates are only counted: a person would not write them.
  const auto noted = [&](int cell) { return DigitCountTable[after.candidates[cell]] <= kNotedCandidates; };
  const std::size_t quiet = std::count_if(cells.begin(), cells.end(), [&](int cell) { return !noted(cell); });
  cells.erase(std::remove_if(cells.begin(), cells.end(), [&](int cell) { return !noted(cell); }), cells.end());
  std::string text;
  std::vector<char> said(cells.size(), 0);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (said[i]) continue;
    const DigitSet digits = after.candidates[cells[i]];
    std::vector<int> alike;
    for (std::size_t j = i; j < cells.size(); ++j)
      if (!said[j] && after.candidates[cells[j]] == digits) {
        alike.push_back(cells[j]);
        said[j] = 1;
      }
    if (!text.empty()) text += "; ";
    for (std::size_t k = 0; k < alike.size(); ++k)
      text += (k == 0 ? "" : k + 1 == alike.size() ? " and " : ", ") + cellName(after, alike[k]);
    text += alike.size() == 1 ? " is " : " are ";
    text += digits == 0 ? "impossible" : digitWords(digits);
  }
  if (quiet > 0)
    text += (text.empty() ? "" : "; ") + std::to_string(quiet) + (quiet == 1 ? " more cell loses" : " more cells lose") +
            " candidates";
  return text;
}

std::string personSentence(const CandidateGrid& after, const std::vector<Step>& steps, const StepGroup& group) {
  return describeWhatIsLeft(after, group) + ", because " + groupReasons(steps, group);
}

}  // namespace vantreel
