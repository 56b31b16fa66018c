// libFuzzer target: random small boards (up to 8 x 8 interior cells, any
// sums, so contradictions and several solutions come often) through every
// search. Differential: the exact search and the judge count what a plain
// backtracking counts; what the solve modes' solver finishes keeps every clue
// and is the solution when there is one; every explained step, replayed from
// the clues, keeps the solution.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "explain/candidate_grid.h"
#include "explain/explainer.h"
#include "format/strict_reader.h"
#include "solver/exact_search.h"
#include "solver/judge.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"
#include "tests/clue_check.h"

namespace {

using namespace vantreel;

// Input bytes, then zeros once they run out.
struct ByteStream {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t next = 0;
  int take() { return next < size ? data[next++] : 0; }
};

// The clue cell before each run of 1..9 white cells gets a sum: usually one
// that the run's length can make, sometimes any 1..45.
Board boardFrom(ByteStream& bytes) {
  const int columns = 1 + bytes.take() % 8, rows = 1 + bytes.take() % 8;
  Board board;
  board.allocate(columns + 1, rows + 1);
  const int width = board.width;
  for (int row = 1; row <= rows; ++row)
    for (int column = 1; column <= columns; ++column)
      board.kinds[row * width + column] = bytes.take() % 4 == 0 ? CellKind::Block : CellKind::White;
  auto sumFor = [&bytes](int length) {
    const int byte = bytes.take();
    if (byte >= 224) return 1 + byte % 45;
    const int lowest = length * (length + 1) / 2, highest = length * (19 - length) / 2;
    return lowest + byte % (highest - lowest + 1);
  };
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] == CellKind::White) continue;
    const int row = p / width, column = p % width;
    int across = 0, down = 0;
    while (column + across + 1 < width && board.kinds[p + across + 1] == CellKind::White) ++across;
    while (row + down + 1 < board.height && board.kinds[p + (down + 1) * width] == CellKind::White) ++down;
    if (across + down == 0) continue;
    board.kinds[p] = CellKind::Clue;
    if (across > 0) board.sums[2 * p] = static_cast<std::uint8_t>(sumFor(across));
    if (down > 0) board.sums[2 * p + 1] = static_cast<std::uint8_t>(sumFor(down));
  }
  return board;
}

// Plain backtracking over the white cells in reading order, with only the
// checks a person would make: digits differ within a run, and what is left
// of its sum can still be made by its open cells.
struct BruteForce {
  const Board& board;
  std::vector<int> whiteCells;
  std::vector<std::array<int, 2>> runOfCell;  // index into runs, per board cell
  struct Run {
    std::vector<int> cells;
    int sum;
  };
  std::vector<Run> runs;
  std::vector<std::uint8_t> digits;
  std::vector<std::vector<std::uint8_t>> solutions;
  int limit;
  long nodesLeft = 300'000;

  BruteForce(const Board& b, int solutionLimit)
      : board(b), runOfCell(b.cellCount(), {-1, -1}), digits(b.cellCount(), 0), limit(solutionLimit) {
    const int width = board.width;
    for (int p = 0; p < board.cellCount(); ++p) {
      if (board.kinds[p] == CellKind::White) whiteCells.push_back(p);
      if (board.kinds[p] != CellKind::Clue) continue;
      for (const int direction : {0, 1}) {
        Run run{{}, board.sums[2 * p + direction]};
        const int step = direction == 0 ? 1 : width;
        for (int q = p + step; q < board.cellCount() && board.kinds[q] == CellKind::White; q += step) {
          if (direction == 0 && q % width == 0) break;
          run.cells.push_back(q);
        }
        if (run.cells.empty()) continue;
        for (const int cell : run.cells) runOfCell[cell][direction] = static_cast<int>(runs.size());
        runs.push_back(run);
      }
    }
  }
  bool allows(int index) const {
    if (index < 0) return true;
    const Run& run = runs[index];
    int sum = 0, open = 0;
    unsigned used = 0;
    for (const int cell : run.cells) {
      const int digit = digits[cell];
      if (digit == 0) {
        ++open;
        continue;
      }
      if (used & (1u << digit)) return false;
      used |= 1u << digit;
      sum += digit;
    }
    return sum + open * (open + 1) / 2 <= run.sum && sum + open * (19 - open) / 2 >= run.sum;
  }
  void search(std::size_t index) {
    if (static_cast<int>(solutions.size()) >= limit || --nodesLeft < 0) return;
    if (index == whiteCells.size()) {
      solutions.push_back(digits);
      return;
    }
    const int cell = whiteCells[index];
    for (int digit = 1; digit <= 9; ++digit) {
      digits[cell] = static_cast<std::uint8_t>(digit);
      if (allows(runOfCell[cell][0]) && allows(runOfCell[cell][1])) search(index + 1);
    }
    digits[cell] = 0;
  }
};

DigitSet bit(int digit) { return static_cast<DigitSet>(1u << (digit - 1)); }

// A broken expectation names its line before the fuzzer keeps the input.
void requireAt(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "%s:%d: expectation broken\n", __FILE__, line);
  std::abort();
}
#define require(condition) requireAt((condition), __LINE__)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteStream bytes{data, size};
  const Board board = boardFrom(bytes);

  // Every such board is a well-formed puzzle line, and reads back as itself.
  std::string line = vantreel::testing::lineOf(board);
  line.pop_back();  // its line end
  Board read;
  std::string reason;
  require(readStrict(line, read, reason));
  require(vantreel::testing::sameBoard(board, read));

  constexpr int kLimit = 3;
  BruteForce brute(board, kLimit);
  brute.search(0);
  const bool bruteSettled = brute.nodesLeft >= 0;
  const int bruteCount = static_cast<int>(brute.solutions.size());

  ExactSearch search;
  search.load(board);
  const SearchOutcome outcome = search.count(kLimit);
  if (bruteSettled && !outcome.budgetExceeded) require(outcome.found == bruteCount);
  if (outcome.found >= 1) {
    const std::vector<std::uint8_t>& first = search.solution(0);
    require(vantreel::testing::keepsEveryClue(board, vantreel::testing::Filling(first.begin(), first.end())));
  }
  if (bruteSettled && bruteCount == 1 && outcome.found == 1) require(search.solution(0) == brute.solutions[0]);

  Judge judge;
  const Judgement& judged = judge.judge(board);
  if (bruteSettled && judged.verdict != Verdict::Unknown) {
    const Verdict expected = bruteCount == 0 ? Verdict::None : bruteCount == 1 ? Verdict::Unique : Verdict::Multiple;
    require(judged.verdict == expected);
    if (expected == Verdict::Unique) require(judged.solution == brute.solutions[0]);
  }

  // The solve modes' solver: what it calls finished keeps every clue, and is
  // the one solution where there is exactly one.
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  SearchBudget budget;
  budget.cellLimit = 400 * static_cast<std::int64_t>(grid.cellCount());
  if (solveWithTrials(grid, stats, budget)) {
    const vantreel::testing::Filling filling = vantreel::testing::fillingOf(grid);
    require(vantreel::testing::keepsEveryClue(board, filling));
    if (bruteSettled && bruteCount == 1)
      for (int p = 0; p < board.cellCount(); ++p) require(filling[p] == brute.solutions[0][p]);
  }
  if (bruteSettled && bruteCount == 0) require(!solveWithTrials(grid = buildSolverGrid(board), stats, budget));

  // The explainer on a puzzle with one solution: every step, replayed from the
  // clues and the givens the rest of the input picks, keeps the solution.
  if (!bruteSettled || bruteCount != 1) return 0;
  const std::vector<std::uint8_t>& solution = brute.solutions[0];
  CandidateGrid candidates;
  require(buildCandidateGrid(board, candidates));
  std::vector<Placement> givens;
  for (const int cell : candidates.whiteCells)
    if (bytes.take() % 4 == 1) givens.push_back({cell, solution[cell]});
  for (const Placement& given : givens) candidates.candidates[given.cell] &= bit(given.digit);
  const Explanation explanation = explainPuzzle(board, solution, givens);
  for (const Step& step : explanation.steps) {
    for (const Placement& placement : step.placements) require(placement.digit == solution[placement.cell]);
    for (const Removal& removal : step.removals) require((removal.digits & bit(solution[removal.cell])) == 0);
    require(applyStep(candidates, step));
  }
  require(explanation.solved);
  for (const int cell : candidates.whiteCells) require(candidates.candidates[cell] == bit(solution[cell]));
  return 0;
}
