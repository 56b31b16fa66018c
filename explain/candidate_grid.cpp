#include "explain/candidate_grid.h"

#include <bit>

#include "explain/person_words.h"
#include "format/run_list.h"
#include "tables/combination_table.h"

namespace vantreel {
bool buildCandidateGrid(const Board& board, CandidateGrid& grid) {
  grid.width = board.width;
  grid.height = board.height;
  const int cells = board.cellCount();
  grid.candidates.assign(cells, 0);
  grid.runOf.assign(cells, {kNoRun, kNoRun});
  grid.runs.clear();
  grid.whiteCells.clear();
  for (int p = 0; p < cells; ++p)
    if (board.kinds[p] == CellKind::White) {
      grid.candidates[p] = kAllDigits;
      grid.whiteCells.push_back(p);
    }
  // One-cell runs stay runs here: a person places their digit as a step.
  bool fillable = true;
  forEachRun(board, [&](const RunSpan& span) {
    if (span.meaning == RunMeaning::NoDigit || span.meaning == RunMeaning::TooLong) fillable = false;
    if (!fillable) return;
    ExplainRun run;
    run.clue = span.clue;
    run.across = span.across;
    run.sum = span.sum;
    run.length = span.length;
    for (int i = 0; i < span.length; ++i) {
      run.cells[i] = span.cell(i);
      grid.runOf[run.cells[i]][span.across ? 0 : 1] = static_cast<int>(grid.runs.size());
    }
    grid.runs.push_back(run);
  });
  return fillable;
}

OpenPart openPartOf(const CandidateGrid& grid, const ExplainRun& run) {
  OpenPart open;
  int placedSum = 0;
  for (int i = 0; i < run.length; ++i) {
    const DigitSet candidates = grid.candidates[run.cells[i]];
    if (!isPlaced(candidates)) {
      open.openCells[open.openCount++] = run.cells[i];
      continue;
    }
    if (open.placed & candidates) open.repeated = true;
    open.placed |= candidates;
    placedSum += digitOf(candidates);
  }
  open.remainder = run.sum - placedSum;
  return open;
}

namespace {

// The table's sets of the open cells' size and remainder, placed digits not yet excluded.
std::span<const DigitSet> tableSets(const ExplainRun& run, const OpenPart& open) {
  if (open.repeated) return {};
  if (run.sum != 0 && (open.remainder < 0 || open.remainder > kMaxSum)) return {};
  return run.sum == 0 ? combinationsOfSize(open.openCount) : combinationsOf(open.openCount, open.remainder);
}

}  // namespace

ComboList openCombos(const ExplainRun& run, const OpenPart& open) {
  ComboList list;
  for (DigitSet set : tableSets(run, open))
    if ((set & open.placed) == 0) list.sets[list.count++] = set;
  return list;
}

DigitSet openCombosUnion(const ExplainRun& run, const OpenPart& open) {
  DigitSet all = 0;
  for (DigitSet set : tableSets(run, open))
    if ((set & open.placed) == 0) all |= set;
  return all;
}

DigitSet onlyOpenCombo(const ExplainRun& run, const OpenPart& open) {
  DigitSet only = 0;
  for (DigitSet set : tableSets(run, open)) {
    if ((set & open.placed) != 0) continue;
    if (only != 0) return 0;
    only = set;
  }
  return only;
}

DigitSet unionOf(const ComboList& combos) {
  DigitSet all = 0;
  for (int i = 0; i < combos.count; ++i) all |= combos.sets[i];
  return all;
}

bool isSolved(const CandidateGrid& grid) {
  for (int cell : grid.whiteCells)
    if (!isPlaced(grid.candidates[cell])) return false;
  for (const ExplainRun& run : grid.runs) {
    const OpenPart open = openPartOf(grid, run);
    if (open.repeated || (run.sum != 0 && open.remainder != 0)) return false;
  }
  return true;
}

std::string cellName(const CandidateGrid& grid, int cell) {
  std::string name = "r";
  name += std::to_string(cell / grid.width);
  name += 'c';
  name += std::to_string(cell % grid.width);
  return name;
}

std::string digitList(DigitSet digits) {
  std::string text = "{";
  for (int digit = 1; digit <= 9; ++digit)
    if (digits & (1 << (digit - 1))) {
      if (text.size() > 1) text += ',';
      text += static_cast<char>('0' + digit);
    }
  return text + "}";
}

std::string runName(const CandidateGrid& grid, const ExplainRun& run) {
  if (grid.wording == Wording::Person)
    return std::string("the ") + (run.across ? "across" : "down") + " run from " + cellName(grid, run.clue) + ", " +
           runSize(run);
  return cellName(grid, run.clue) + (run.across ? " across " : " down ") +
         (run.sum == 0 ? std::string("?") : std::to_string(run.sum)) + " in " + std::to_string(run.length);
}

}  // namespace vantreel
