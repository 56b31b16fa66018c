#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "solver/run_propagation.h"
#include "solver/trial_search.h"
#include "tests/clue_check.h"
#include "tests/random_puzzles.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::digits;
using testing::Filling;
using testing::gridOf;

// Counts the fillings that keep every clue, up to two, by backtracking over
// the white cells in reading order: digits distinct in each run, and each
// run's sum still reachable by the cells it has left.
struct FillingCounter {
  struct Line {
    int clue, left, sum, used;
  };
  std::vector<Line> lines;
  std::vector<std::pair<int, std::array<int, 2>>> whites;  // cell, its lines
  Filling filling, first;
  long nodesLeft;
  int found = 0;

  FillingCounter(const Board& board, long nodes) : filling(board.cellCount(), 0), nodesLeft(nodes) {
    std::vector<std::array<int, 2>> linesOf(board.cellCount(), {-1, -1});
    for (int p = 0; p < board.cellCount(); ++p)
      for (const int direction : {0, 1}) {
        const int step = direction == 0 ? 1 : board.width;
        if (board.kinds[p] != CellKind::Clue) continue;
        int length = 0;
        for (int q = p + step; q < board.cellCount() && board.kinds[q] == CellKind::White; q += step) {
          if (direction == 0 && q % board.width == 0) break;
          linesOf[q][direction] = static_cast<int>(lines.size());
          ++length;
        }
        if (length > 0) lines.push_back({board.sums[2 * p + direction], length, 0, 0});
      }
    for (int p = 0; p < board.cellCount(); ++p)
      if (board.kinds[p] == CellKind::White) whites.push_back({p, linesOf[p]});
  }

  bool fits(const Line& line, int digit) const {
    const int sum = line.sum + digit, left = line.left - 1;
    return !(line.used & (1 << digit)) && sum + left * (left + 1) / 2 <= line.clue &&
           sum + left * (19 - left) / 2 >= line.clue;
  }
  void place(int line, int digit, int sign) {
    if (line < 0) return;
    lines[line].sum += sign * digit;
    lines[line].left -= sign;
    lines[line].used ^= 1 << digit;
  }
  // Fillings found (0..2), or -1 when the node budget ran out.
  int count(std::size_t index = 0) {
    if (found >= 2 || --nodesLeft < 0) return nodesLeft < 0 ? -1 : found;
    if (index == whites.size()) {
      if (found++ == 0) first = filling;
      return found;
    }
    const auto& [cell, own] = whites[index];
    for (int digit = 1; digit <= 9; ++digit) {
      if ((own[0] >= 0 && !fits(lines[own[0]], digit)) || (own[1] >= 0 && !fits(lines[own[1]], digit))) continue;
      place(own[0], digit, 1), place(own[1], digit, 1);
      filling[cell] = digit;
      count(index + 1);
      place(own[0], digit, -1), place(own[1], digit, -1);
    }
    return nodesLeft < 0 ? -1 : found;
  }
};

TEST(TrialSearch, FinishedGridsKeepEveryClueAndAnOnlySolutionIsThePlantedOne) {
  std::mt19937 random(2026);
  int finished = 0, comparedWithPlanted = 0;
  for (int puzzle = 0; puzzle < 400; ++puzzle) {
    Filling planted;
    const int side = 3 + puzzle % 3;
    const Board board = testing::makePlantedPuzzle(random, side, side + 1, 1, 45, planted);
    SolverGrid grid = buildSolverGrid(board);
    SolveStats stats;
    SearchBudget budget;
    if (!solveWithTrials(grid, stats, budget)) continue;
    ++finished;
    const Filling solution = testing::fillingOf(grid);
    EXPECT_TRUE(testing::keepsEveryClue(board, solution)) << testing::lineOf(board);
    FillingCounter counter(board, 2'000'000);
    if (counter.count() != 1) continue;
    ++comparedWithPlanted;
    EXPECT_EQ(solution, planted) << testing::lineOf(board);
    EXPECT_EQ(counter.first, planted) << "the counter itself";
  }
  EXPECT_GE(finished, 120);
  EXPECT_GE(comparedWithPlanted, 100);
}

TEST(TrialSearch, PropagationAloneSolvesAnEasyGrid) {
  SolverGrid grid = gridOf("1/2/2/nghhg");
  SolveStats stats;
  EXPECT_TRUE(propagate(grid, &stats));
  EXPECT_TRUE(isSolved(grid));
  EXPECT_EQ(grid.masks[4], digits({9}));
  EXPECT_EQ(grid.masks[5], digits({8}));
  EXPECT_EQ(grid.masks[7], digits({7}));
  EXPECT_EQ(grid.masks[8], digits({9}));
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
  EXPECT_GT(stats.runChanges, 0);
}

TEST(TrialSearch, StallWithoutTwoCandidateCellsDecidesNothing) {
  // 2 x 2 block of all-white cells with sums 10 everywhere: 1+9, 2+8, ...
  // leaves every cell with eight candidates.
  SolverGrid grid = gridOf("1/2/2/naaaa");
  EXPECT_TRUE(propagate(grid));
  EXPECT_FALSE(isSolved(grid));
  TrialPair pair;
  EXPECT_EQ(chooseTrialCell(grid, 0, pair), 0);
  SolveStats stats;
  SearchBudget budget;
  EXPECT_FALSE(trialStep(grid, stats, budget));
  SolverGrid again = gridOf("1/2/2/naaaa");
  EXPECT_FALSE(solveWithTrials(again, stats, budget));
}

TEST(TrialSearch, TwoSolutionsLeaveTheCellUndecided) {
  // Sums 3 everywhere: {1,2} in each run, two fillings; every trial digit
  // solves, so nothing is decided and the grid is unchanged.
  SolverGrid grid = gridOf("1/2/2/n3333");
  EXPECT_TRUE(propagate(grid));
  const SolverGrid before = cloneGrid(grid);
  SolveStats stats;
  SearchBudget budget;
  EXPECT_FALSE(trialStep(grid, stats, budget));
  for (int p = 0; p < grid.cellCount(); ++p) EXPECT_EQ(grid.masks[p], before.masks[p]);
  EXPECT_EQ(stats.trialsHigh + stats.trialsLow, 0);
}

TEST(TrialSearch, ChooseTrialCellResumesAboveTheLastIndex) {
  SolverGrid grid = gridOf("1/2/2/n3333");
  ASSERT_TRUE(propagate(grid));
  TrialPair pair;
  const int first = chooseTrialCell(grid, 0, pair);
  EXPECT_EQ(first, 4);  // first cell of the first run (down from (0,1))
  EXPECT_EQ(pair.lower, digits({1}));
  EXPECT_EQ(pair.higher, digits({2}));
  const int second = chooseTrialCell(grid, first + 1, pair);
  EXPECT_EQ(second, 7);  // the first run's second cell comes before run 2's
  EXPECT_EQ(chooseTrialCell(grid, 9, pair), 0);
}

// Solves the grid with one cell set to `digit`; the counters of that solve.
SolveStats solveWithDigit(const SolverGrid& grid, int cell, CandidateMask digit, bool& solved) {
  SolverGrid copy = cloneGrid(grid);
  copy.masks[cell] = digit;
  SolveStats stats;
  SearchBudget budget;
  solved = solveWithTrials(copy, stats, budget);
  return stats;
}

TEST(TrialSearch, CountsEachCommittedTrialByTheDigitThatFailed) {
  std::mt19937 random(5);
  int committed[2] = {0, 0};  // lower, higher
  for (int attempt = 0; attempt < 400 && (committed[0] < 1 || committed[1] < 3); ++attempt) {
    SolverGrid grid = buildSolverGrid(testing::makeRandomPuzzle(random, 6, 6, 1));
    if (!propagate(grid) || isSolved(grid)) continue;
    const SolverGrid before = cloneGrid(grid);
    SolveStats stats;
    SearchBudget budget;
    if (!trialStep(grid, stats, budget)) continue;
    int cell = 0;  // the one cell the step decided
    for (int p = 0; p < grid.cellCount(); ++p)
      if (grid.masks[p] != before.masks[p]) cell = p;
    ASSERT_NE(cell, 0);
    const CandidateMask lower = lowestDigit(before.masks[cell]);
    const CandidateMask higher = before.masks[cell] & ~lower;
    const bool higherCommitted = grid.masks[cell] == higher;
    ++committed[higherCommitted];
    // The step's counters are those of the trials it ran, plus its own.
    bool lowerSolved = false, higherSolved = false;
    SolveStats expected = solveWithDigit(before, cell, lower, lowerSolved);
    EXPECT_EQ(lowerSolved, !higherCommitted);
    if (!higherCommitted) {
      const SolveStats second = solveWithDigit(before, cell, higher, higherSolved);
      EXPECT_FALSE(higherSolved);
      expected.trialsHigh += second.trialsHigh;
      expected.trialsLow += second.trialsLow;
    }
    (higherCommitted ? expected.trialsHigh : expected.trialsLow) += 1;
    EXPECT_EQ(stats.trialsHigh, expected.trialsHigh);
    EXPECT_EQ(stats.trialsLow, expected.trialsLow);
  }
  EXPECT_GE(committed[0], 1);
  EXPECT_GE(committed[1], 3);
}

// Separate 2 x 2 regions whose clues are all 3: each allows two fillings, so
// the nested trials double with every region.
std::string manySolutions(int regions) {
  std::string cells, top;
  for (int i = 0; i < regions; ++i) {
    cells += i == 0 ? "l" : "03l";
    top += "33";
  }
  std::string second;
  for (int i = 0; i < regions; ++i) second += i == 0 ? "l" : "03l";
  return "1/" + std::to_string(3 * regions) + "/2/" + cells + "." + second + "." + top + "33";
}

TEST(TrialSearch, ManySolutionsStopAtTheBudgetNotBefore) {
  SolverGrid small = gridOf(manySolutions(2));
  SolveStats stats;
  SearchBudget budget;
  EXPECT_FALSE(solveWithTrials(small, stats, budget));
  EXPECT_FALSE(budget.exceeded) << "two regions fail for lack of a decision";

  SolverGrid many = gridOf(manySolutions(12));
  SearchBudget limited;
  limited.cellLimit = 2000 * many.cellCount();
  EXPECT_FALSE(solveWithTrials(many, stats, limited));
  EXPECT_TRUE(limited.exceeded);
  EXPECT_EQ(limited.depth, 0) << "every level unwinds";
}

TEST(TrialSearch, DepthLimitEndsDeepNesting) {
  SolverGrid many = gridOf(manySolutions(12));
  SolveStats stats;
  SearchBudget limited;
  limited.depthLimit = 5;
  ASSERT_TRUE(propagate(many));
  const SolverGrid before = cloneGrid(many);
  EXPECT_FALSE(trialStep(many, stats, limited));
  EXPECT_TRUE(limited.exceeded);
  for (int p = 0; p < many.cellCount(); ++p) EXPECT_EQ(many.masks[p], before.masks[p]) << "nothing committed";
}

}  // namespace
}  // namespace vantreel
