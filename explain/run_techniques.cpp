#include "explain/run_techniques.h"

#include <bit>
#include <utility>

#include "explain/person_words.h"

namespace vantreel {
namespace {

// "{1,2,7} or {1,4,5}"; long lists are cut so that a reason stays readable.
std::string comboChoices(const DigitSet* sets, int count) {
  constexpr int kShown = 6;
  std::string text;
  for (int i = 0; i < count && i < kShown; ++i) {
    if (i > 0) text += (i + 1 == count) ? " or " : ", ";
    text += digitList(sets[i]);
  }
  if (count > kShown) text += " and " + std::to_string(count - kShown) + " more";
  return text;
}

// What a run owes, said so that a solver sees where the digit sets come from.
std::string runOwing(const CandidateGrid& grid, const ExplainRun& run, const OpenPart& open) {
  std::string text = runName(grid, run);
  if (open.placed != 0 && run.sum != 0)
    text += " less the placed " + digitList(open.placed) + " leaves " + std::to_string(open.remainder) + " in " +
            std::to_string(open.openCount) + (open.openCount == 1 ? " cell" : " cells");
  return text;
}

// The verb after runOwing: the run itself, or what its open cells still owe.
const char* owingVerb(const OpenPart& open, const char* whole, const char* rest) {
  return open.placed != 0 ? rest : whole;
}

// The digits placed because one cell alone can take them, as a person reads it.
std::string onlyCellWords(const CandidateGrid& grid, bool first, DigitSet digit, int cell) {
  return std::string(first ? "; the run must hold " : "; it must hold ") + std::to_string(digitOf(digit)) +
         (first ? "" : " too") + ", and only " + cellName(grid, cell) + " can take it";
}

// The reason is put into words only for a step that changes something, and
// only when the grid keeps reasons.
template <typename Words>
bool finish(const CandidateGrid& grid, Step& step, Technique technique, Words words) {
  if (!step.changes()) return false;
  step.technique = technique;
  if (grid.withReasons()) step.reason = words();
  return true;
}

}  // namespace

void QuietMarks::reset(const CandidateGrid& grid) {
  uniqueSum.assign(grid.runs.size(), 0);
  runDigits.assign(grid.runs.size(), 0);
  for (std::vector<char>& group : nakedGroup) group.assign(grid.runs.size(), 0);
  combination.assign(grid.runs.size(), 0);
  cross.assign(grid.candidates.size(), 0);
}

void QuietMarks::changed(const CandidateGrid& grid, const Step& step) {
  const auto touch = [&](int cell) {
    for (const int run : grid.runOf[cell]) {
      if (run == kNoRun) continue;
      uniqueSum[run] = runDigits[run] = nakedGroup[0][run] = nakedGroup[1][run] = combination[run] = 0;
      for (int i = 0; i < grid.runs[run].length; ++i) cross[grid.runs[run].cells[i]] = 0;
    }
  };
  for (const Placement& placement : step.placements) touch(placement.cell);
  for (const Removal& removal : step.removals) touch(removal.cell);
}

bool findUniqueSum(const CandidateGrid& grid, Step& step, QuietMarks* marks) {
  for (std::size_t r = 0; r < grid.runs.size(); ++r) {
    if (marks != nullptr && marks->uniqueSum[r]) continue;
    if (marks != nullptr) marks->uniqueSum[r] = 1;  // cleared below when the run offers a step
    const ExplainRun& run = grid.runs[r];
    const OpenPart open = openPartOf(grid, run);
    if (open.openCount == 0) continue;
    const DigitSet only = onlyOpenCombo(run, open);
    if (only == 0) continue;
    bool narrows = false;  // most runs with one set were narrowed to it long ago
    for (int i = 0; i < open.openCount; ++i) narrows = narrows || (grid.candidates[open.openCells[i]] & ~only) != 0;
    if (!narrows) continue;
    if (marks != nullptr) marks->uniqueSum[r] = 0;
    step = Step{};
    for (int i = 0; i < open.openCount; ++i) narrowCell(step, grid, open.openCells[i], only);
    if (finish(grid, step, Technique::UniqueSum, [&] {
          if (grid.wording != Wording::Person)
            return runOwing(grid, run, open) + owingVerb(open, " is ", ": ") + digitList(only);
          // The last open cell simply must hold what is left.
          if (open.openCount == 1 && open.placed != 0 && run.sum != 0) return runOwes(grid, run, open, "");
          return runOwes(grid, run, open, "can only be " + digitList(only));
        }))
      return true;
  }
  return false;
}

bool findCrossIntersection(const CandidateGrid& grid, Step& step, QuietMarks* marks) {
  // What each run allows, worked out when a cell first asks: the first cell
  // that narrows usually comes early. Kept between calls, so nothing is allocated.
  constexpr DigitSet kNotYet = DigitSet(~kAllDigits);
  thread_local std::vector<DigitSet> allowed;
  allowed.assign(grid.runs.size(), kNotYet);
  const auto allows = [&](int run) {
    if (run == kNoRun) return kAllDigits;
    if (allowed[run] == kNotYet) {
      const OpenPart open = openPartOf(grid, grid.runs[run]);
      allowed[run] = open.openCount == 0 ? kAllDigits : openCombosUnion(grid.runs[run], open);
    }
    return allowed[run];
  };
  for (int cell : grid.whiteCells) {
    if (marks != nullptr && marks->cross[cell]) continue;
    const DigitSet candidates = grid.candidates[cell];
    if (isPlaced(candidates)) continue;
    const int across = grid.runOf[cell][0], down = grid.runOf[cell][1];
    const DigitSet acrossAllows = allows(across);
    const DigitSet downAllows = allows(down);
    if ((candidates & ~(acrossAllows & downAllows)) == 0) {
      if (marks != nullptr) marks->cross[cell] = 1;
      continue;
    }
    step = Step{};
    narrowCell(step, grid, cell, acrossAllows & downAllows);
    finish(grid, step, Technique::CrossIntersection, [&] {
      if (grid.wording == Wording::Person) {
        std::string reason = "for " + cellName(grid, cell) + ", ";
        if (across != kNoRun) reason += runName(grid, grid.runs[across]) + ", " + runLeaves(acrossAllows);
        if (across != kNoRun && down != kNoRun) reason += " and ";
        if (down != kNoRun) reason += runName(grid, grid.runs[down]) + ", " + runLeaves(downAllows);
        return reason;
      }
      std::string reason;
      if (across != kNoRun) reason = runName(grid, grid.runs[across]) + " allows " + digitList(acrossAllows);
      if (across != kNoRun && down != kNoRun) reason += " and ";
      if (down != kNoRun) reason += runName(grid, grid.runs[down]) + " allows " + digitList(downAllows);
      return reason;
    });
    return true;
  }
  return false;
}

bool findRunDigits(const CandidateGrid& grid, Step& step, QuietMarks* marks) {
  for (std::size_t r = 0; r < grid.runs.size(); ++r) {
    if (marks != nullptr && marks->runDigits[r]) continue;
    const ExplainRun& run = grid.runs[r];
    const OpenPart open = openPartOf(grid, run);
    if (open.openCount == 0) continue;
    const ComboList combos = openCombos(run, open);
    DigitSet covered = 0;
    for (int i = 0; i < open.openCount; ++i) covered |= grid.candidates[open.openCells[i]];
    // A set fits when every open cell can take one of its digits and every
    // digit has a cell that can take it.
    ComboList fitting;
    for (int c = 0; c < combos.count; ++c) {
      const DigitSet set = combos.sets[c];
      bool fits = (set & ~covered) == 0;
      for (int i = 0; fits && i < open.openCount; ++i) fits = (grid.candidates[open.openCells[i]] & set) != 0;
      if (fits) fitting.sets[fitting.count++] = set;
    }
    const DigitSet allowed = unionOf(fitting);
    DigitSet required = fitting.count == 0 ? 0 : kAllDigits;
    for (int c = 0; c < fitting.count; ++c) required &= fitting.sets[c];

    std::array<DigitSet, 9> target{};
    for (int i = 0; i < open.openCount; ++i) target[i] = grid.candidates[open.openCells[i]] & allowed;
    // Digits placed because one cell alone can take them, for the words.
    std::array<DigitSet, 9> singleDigit{};
    std::array<int, 9> singleCell{};
    int singles = 0;
    for (DigitSet left = required; left != 0; left &= left - 1) {
      const DigitSet digit = lowestDigit(left);
      int holder = -1, holders = 0;
      for (int i = 0; i < open.openCount; ++i)
        if (target[i] & digit) {
          holder = i;
          ++holders;
        }
      if (holders != 1 || target[holder] == digit) continue;
      target[holder] = digit;
      singleDigit[singles] = digit;
      singleCell[singles++] = open.openCells[holder];
    }
    step = Step{};
    for (int i = 0; i < open.openCount; ++i) narrowCell(step, grid, open.openCells[i], target[i]);
    if (finish(grid, step, Technique::RunDigits, [&] {
          if (grid.wording == Wording::Person) {
            const std::string cells = openCellsWord(open);
            if (fitting.count == 0)
              return runOwes(grid, run, open, std::string(open.placed != 0 ? "have" : "has") +
                                                  " no digit set that fits " + cells);
            std::string reason = runOwes(grid, run, open,
                                         "can only be " + comboChoices(fitting.sets.data(), fitting.count) +
                                             " with the digits left in " + cells);
            for (int k = 0; k < singles; ++k) reason += onlyCellWords(grid, k == 0, singleDigit[k], singleCell[k]);
            return reason;
          }
          if (fitting.count == 0)
            return runOwing(grid, run, open) + owingVerb(open, " has", ", but there is") + " no digit set that fits its cells";
          std::string reason = runOwing(grid, run, open) +
                               owingVerb(open, " fits its cells only as ", ", and they fit only ") +
                               comboChoices(fitting.sets.data(), fitting.count);
          for (int k = 0; k < singles; ++k)
            reason += "; it must hold " + std::to_string(digitOf(singleDigit[k])) + " and only " +
                      cellName(grid, singleCell[k]) + " can take it";
          return reason;
        }))
      return true;
    if (marks != nullptr) marks->runDigits[r] = 1;
  }
  return false;
}

bool findNakedGroup(const CandidateGrid& grid, int size, Step& step, QuietMarks* marks) {
  for (std::size_t r = 0; r < grid.runs.size(); ++r) {
    // A step found here narrows this run's cells, which clears the mark again.
    if (marks != nullptr && std::exchange(marks->nakedGroup[size - 2][r], 1)) continue;
    const ExplainRun& run = grid.runs[r];
    const OpenPart open = openPartOf(grid, run);
    if (open.openCount <= size) continue;
    const int n = open.openCount;
    // Every group of `size` open cells, as a bit mask over the open cells.
    for (unsigned group = 0; group < (1u << n); ++group) {
      if (DigitCountTable[group] != size) continue;
      DigitSet shared = 0;
      for (int i = 0; i < n; ++i)
        if (group & (1u << i)) shared |= grid.candidates[open.openCells[i]];
      if (DigitCountTable[shared] != size) continue;
      step = Step{};
      for (int i = 0; i < n; ++i)
        if (!(group & (1u << i))) narrowCell(step, grid, open.openCells[i], DigitSet(~shared));
      if (!step.changes()) continue;
      finish(grid, step, size == 2 ? Technique::NakedPair : Technique::NakedTriple, [&] {
        std::string cells;
        if (grid.wording == Wording::Person) {
          std::vector<int> members;
          for (int i = 0; i < n; ++i)
            if (group & (1u << i)) members.push_back(open.openCells[i]);
          return cellWords(grid, members) + " hold only " + digitWords(shared, "and") +
                 " between them, so no other cell of " + runName(grid, run) + ", can take them";
        }
        for (int i = 0; i < n; ++i)
          if (group & (1u << i)) cells += (cells.empty() ? "" : " and ") + cellName(grid, open.openCells[i]);
        return cells + " of " + runName(grid, run) + " hold only " + digitList(shared) +
               " between them, so no other cell of the run can";
      });
      return true;
    }
  }
  return false;
}

bool findCombinationElimination(const CandidateGrid& grid, Step& step, QuietMarks* marks) {
  for (std::size_t r = 0; r < grid.runs.size(); ++r) {
    // As for naked groups: a step found here clears the mark it sets.
    if (marks != nullptr && std::exchange(marks->combination[r], 1)) continue;
    const ExplainRun& run = grid.runs[r];
    const OpenPart open = openPartOf(grid, run);
    if (open.openCount == 0) continue;
    const ComboList combos = openCombos(run, open);
    const int n = open.openCount;
    std::array<bool, kSetCount> wanted{};
    for (int c = 0; c < combos.count; ++c) wanted[combos.sets[c]] = true;
    // reach[m]: the first |m| open cells can take exactly the digits m;
    // finish[m]: the other cells can complete m to a set of the run.
    std::array<bool, kSetCount> reach{}, complete{};
    reach[0] = true;
    for (int mask = 0; mask < kSetCount; ++mask) {
      const int filled = DigitCountTable[mask];
      if (!reach[mask] || filled >= n) continue;
      for (DigitSet left = grid.candidates[open.openCells[filled]] & ~mask; left != 0; left &= left - 1)
        reach[mask | lowestDigit(left)] = true;
    }
    for (int mask = kSetCount - 1; mask >= 0; --mask) {
      const int filled = DigitCountTable[mask];
      if (filled == n) complete[mask] = wanted[mask];
      else if (filled < n)
        for (DigitSet left = grid.candidates[open.openCells[filled]] & ~mask; left != 0 && !complete[mask];
             left &= left - 1)
          complete[mask] = complete[mask | lowestDigit(left)];
    }
    std::array<DigitSet, 9> support{};
    for (int mask = 0; mask < kSetCount; ++mask) {
      const int filled = DigitCountTable[mask];
      if (!reach[mask] || filled >= n) continue;
      for (DigitSet left = grid.candidates[open.openCells[filled]] & ~mask; left != 0; left &= left - 1)
        if (complete[mask | lowestDigit(left)]) support[filled] |= lowestDigit(left);
    }
    step = Step{};
    for (int i = 0; i < n; ++i) narrowCell(step, grid, open.openCells[i], support[i]);
    if (!step.changes()) continue;
    ComboList kept, dropped;
    for (int c = 0; c < combos.count; ++c) {
      const DigitSet set = combos.sets[c];
      bool touches = true;  // only sets a glance at the cells would still allow
      for (int i = 0; i < n; ++i) touches = touches && (grid.candidates[open.openCells[i]] & set) != 0;
      if (reach[set] && complete[set]) kept.sets[kept.count++] = set;
      else if (touches) dropped.sets[dropped.count++] = set;
    }
    finish(grid, step, Technique::CombinationElimination, [&] {
    if (grid.wording == Wording::Person) {
      const std::string cells = openCellsWord(open);
      if (kept.count == 0)
        return runOwes(grid, run, open, std::string(open.placed != 0 ? "have" : "has") +
                                            " no digit set that can be placed in " + cells);
      std::string predicate = "can only be " + comboChoices(kept.sets.data(), kept.count);
      if (dropped.count > 0)
        predicate += " (" + comboChoices(dropped.sets.data(), dropped.count) + " cannot be placed in " + cells + ")";
      predicate += std::string(", and however ") + (kept.count == 1 ? "it goes" : "these go") + " into " + cells + ", ";
      std::vector<std::string> lost;
      for (int i = 0; i < n; ++i) {
        const DigitSet removed = grid.candidates[open.openCells[i]] & ~support[i];
        if (removed != 0) lost.push_back(cellLoses(grid, open.openCells[i], removed, support[i]));
      }
      for (std::size_t i = 0; i < lost.size(); ++i)
        predicate += (i == 0 ? "" : i + 1 == lost.size() ? " and " : ", ") + lost[i];
      return runOwes(grid, run, open, predicate);
    }
    std::string reason = runOwing(grid, run, open);
    if (kept.count == 0) {
      reason += owingVerb(open, " cannot be laid into its cells at all", ", and no digit set can be laid into them");
    } else {
      reason += owingVerb(open, " fits its cells only as ", ", and they fit only ") +
                comboChoices(kept.sets.data(), kept.count);
      if (dropped.count > 0)
        reason += " (" + comboChoices(dropped.sets.data(), dropped.count) + " cannot be laid into them)";
      reason += ", and no way of laying " + std::string(kept.count == 1 ? "it" : "these") + " into the cells puts ";
      std::string lost;
      for (int i = 0; i < n; ++i) {
        const DigitSet removed = grid.candidates[open.openCells[i]] & ~support[i];
        if (removed == 0) continue;
        if (!lost.empty()) lost += " or ";
        lost += digitList(removed) + " in " + cellName(grid, open.openCells[i]);
      }
      reason += lost;
    }
    return reason;
    });
    return true;
  }
  return false;
}

}  // namespace vantreel
