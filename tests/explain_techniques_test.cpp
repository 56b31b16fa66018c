#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "explain/explainer.h"
#include "explain/person_words.h"
#include "explain/region_sums.h"
#include "explain/run_techniques.h"
#include "explain/step_finder.h"
#include "explain/trial_step.h"
#include "solver/solution_count.h"
#include "tests/board_text.h"
#include "tests/solver_fixtures.h"

namespace vantreel {
namespace {

using testing::boardOf;
using testing::digits;

CandidateGrid gridOf(const std::string& line) {
  CandidateGrid grid;
  EXPECT_TRUE(buildCandidateGrid(boardOf(line), grid));
  return grid;
}

// Interior row and column to a cell index.
int at(const CandidateGrid& grid, int row, int column) { return row * grid.width + column; }

// 2 x 2, all white: down 16 and 17, across 17 and 16 (one solution: 9 8 / 7 9).
constexpr const char* kTwoByTwo = "1/2/2/nghhg";
// 3 x 2, all white: every column 10, rows 6 and 24.
constexpr const char* kThreeByTwo = "1/3/2/paaa6E";
// One row of four cells, across 20, under a row of blocks: the across run is
// the only one that constrains anything.
constexpr const char* kRowOfFour = "1/4/2/....nA";

TEST(CandidateGrid, ReadsRunsWithTheirClueSumAndCells) {
  const CandidateGrid grid = gridOf(kThreeByTwo);
  ASSERT_EQ(grid.runs.size(), 5u);
  const ExplainRun& across = grid.runs[grid.runOf[at(grid, 2, 2)][0]];
  EXPECT_EQ(runName(grid, across), "r2c0 across 24 in 3");
  EXPECT_EQ(across.cells[2], at(grid, 2, 3));
  EXPECT_EQ(runName(grid, grid.runs[grid.runOf[at(grid, 2, 2)][1]]), "r0c2 down 10 in 2");
  EXPECT_EQ(grid.whiteCells.size(), 6u);
}

TEST(CandidateGrid, OpenCombosLeaveOutPlacedDigitsAndRepeats) {
  CandidateGrid grid = gridOf(kThreeByTwo);
  const ExplainRun& top = grid.runs[grid.runOf[at(grid, 1, 1)][0]];  // 6 in 3
  grid.candidates[at(grid, 1, 1)] = digits({2});
  OpenPart open = openPartOf(grid, top);
  EXPECT_EQ(open.remainder, 4);
  const ComboList combos = openCombos(top, open);
  ASSERT_EQ(combos.count, 1);
  EXPECT_EQ(combos.sets[0], digits({1, 3}));
  grid.candidates[at(grid, 1, 2)] = digits({2});
  EXPECT_EQ(openCombos(top, openPartOf(grid, top)).count, 0);
  EXPECT_EQ(findBrokenRun(grid), grid.runOf[at(grid, 1, 1)][0]);
}

TEST(UniqueSum, NarrowsARunToItsOnlySetThenPlacesTheLastCell) {
  CandidateGrid grid = gridOf(kTwoByTwo);
  Step step;
  ASSERT_TRUE(findUniqueSum(grid, step));
  EXPECT_EQ(step.technique, Technique::UniqueSum);
  EXPECT_EQ(describeEffect(grid, step), "r1c1-{1,2,3,4,5,6,8}, r2c1-{1,2,3,4,5,6,8}");
  EXPECT_EQ(step.reason, "r0c1 down 16 in 2 is {7,9}");
  grid.candidates[at(grid, 1, 1)] = digits({9});
  ASSERT_TRUE(findUniqueSum(grid, step));
  EXPECT_EQ(describeEffect(grid, step), "r2c1=7");
  EXPECT_EQ(step.reason, "r0c1 down 16 in 2 less the placed {9} leaves 7 in 1 cell: {7}");
}

TEST(UniqueSum, FindsNothingWhereEverySumHasSeveralSets) {
  CandidateGrid grid = gridOf("1/2/2/naaaa");
  Step step;
  EXPECT_FALSE(findUniqueSum(grid, step));
}

TEST(CrossIntersection, KeepsTheDigitsBothRunsAllow) {
  // Across 10 in 2 allows every digit but 5; down 17 in 2 allows {8,9}.
  CandidateGrid grid = gridOf("1/2/2/nhhaa");
  Step step;
  ASSERT_TRUE(findCrossIntersection(grid, step));
  EXPECT_EQ(describeEffect(grid, step), "r1c1-{1,2,3,4,5,6,7}");
  EXPECT_EQ(step.reason, "r1c0 across 10 in 2 allows {1,2,3,4,6,7,8,9} and r0c1 down 17 in 2 allows {8,9}");
}

TEST(RunDigits, RemovesDigitsNoFittingSetHasAndPlacesAHiddenSingle) {
  CandidateGrid grid = gridOf("1/3/2/...m6");  // one run: 6 in 3
  grid.candidates[at(grid, 2, 1)] = digits({1, 2, 3});
  grid.candidates[at(grid, 2, 2)] = digits({2, 3, 9});
  grid.candidates[at(grid, 2, 3)] = digits({2, 3});
  Step step;
  ASSERT_TRUE(findRunDigits(grid, step));
  // 6 in 3 is {1,2,3}: 9 goes, and only r2c1 can take the 1.
  EXPECT_EQ(describeEffect(grid, step), "r2c1=1, r2c2-{9}");
  EXPECT_EQ(step.reason, "r2c0 across 6 in 3 fits its cells only as {1,2,3}; it must hold 1 and only r2c1 can take it");
}

TEST(NakedGroup, PairAndTripleClearTheirDigitsFromTheRestOfTheRun) {
  CandidateGrid grid = gridOf(kRowOfFour);
  grid.candidates[at(grid, 2, 1)] = digits({3, 5});
  grid.candidates[at(grid, 2, 3)] = digits({3, 5});
  Step step;
  ASSERT_TRUE(findNakedGroup(grid, 2, step));
  EXPECT_EQ(step.technique, Technique::NakedPair);
  EXPECT_EQ(describeEffect(grid, step), "r2c2-{3,5}, r2c4-{3,5}");
  EXPECT_FALSE(findNakedGroup(grid, 3, step));
  grid.candidates[at(grid, 2, 3)] = digits({3, 7});
  grid.candidates[at(grid, 2, 4)] = digits({5, 7});
  ASSERT_TRUE(findNakedGroup(grid, 3, step));
  EXPECT_EQ(step.technique, Technique::NakedTriple);
  EXPECT_EQ(describeEffect(grid, step), "r2c2-{3,5,7}");
}

TEST(CombinationElimination, DropsSetsThatCannotBeLaidIntoTheCells) {
  // 20 in 4: {1,2,8,9} looks possible from each cell alone, but r2c1 and r2c2
  // both need 1 or 2 while r2c3 needs 1 too; r2c4 is left free.
  CandidateGrid grid = gridOf(kRowOfFour);
  grid.candidates[at(grid, 2, 1)] = digits({1, 2});
  grid.candidates[at(grid, 2, 2)] = digits({1, 2});
  grid.candidates[at(grid, 2, 3)] = digits({1, 8});
  Step step;
  ASSERT_TRUE(findCombinationElimination(grid, step));
  EXPECT_EQ(step.technique, Technique::CombinationElimination);
  // r2c3 can no longer be 1; 20 - 1 - 2 - 8 = 9 for r2c4.
  EXPECT_EQ(describeEffect(grid, step), "r2c3=8, r2c4=9");
}

TEST(CombinationElimination, AgreesWithBruteForceOnRandomCellStates) {
  std::mt19937 random(7);
  CandidateGrid grid = gridOf(kRowOfFour);
  const ExplainRun run = grid.runs[grid.runOf[at(grid, 2, 1)][0]];
  for (int trial = 0; trial < 2000; ++trial) {
    grid.runs[grid.runOf[at(grid, 2, 1)][0]].sum = 10 + static_cast<int>(random() % 21);
    // Open cells only: a placed cell's digit is taken as settled, not re-checked.
    for (int i = 0; i < run.length; ++i)
      do grid.candidates[run.cells[i]] = DigitSet(1 + random() % kAllDigits);
      while (isPlaced(grid.candidates[run.cells[i]]));
    // Reference: every filling of the four cells, digits distinct, adding up.
    const int sum = grid.runs[grid.runOf[at(grid, 2, 1)][0]].sum;
    DigitSet support[4] = {};
    for (int a = 1; a <= 9; ++a)
      for (int b = 1; b <= 9; ++b)
        for (int c = 1; c <= 9; ++c) {
          const int d = sum - a - b - c;
          if (d < 1 || d > 9 || a == b || a == c || a == d || b == c || b == d || c == d) continue;
          const int fill[4] = {a, b, c, d};
          bool fits = true;
          for (int i = 0; i < 4; ++i) fits = fits && (grid.candidates[run.cells[i]] & digits({fill[i]}));
          if (fits)
            for (int i = 0; i < 4; ++i) support[i] |= digits({fill[i]});
        }
    Step step;
    const bool found = findCombinationElimination(grid, step);
    CandidateGrid after = grid;
    applyStep(after, step);
    bool narrows = false;
    for (int i = 0; i < 4; ++i) narrows = narrows || support[i] != grid.candidates[run.cells[i]];
    ASSERT_EQ(found, narrows) << "trial " << trial;
    for (int i = 0; found && i < 4; ++i) ASSERT_EQ(after.candidates[run.cells[i]], support[i]) << "trial " << trial;
  }
}

TEST(RegionSum, NarrowToTotalKeepsDigitsOfSomeFillingAndRespectsSharedRuns) {
  CandidateGrid grid = gridOf(kTwoByTwo);
  const int cells[2] = {at(grid, 1, 1), at(grid, 2, 2)};  // no common run: may repeat
  Step step;
  narrowToTotal(grid, cells, 2, 4, step);
  EXPECT_EQ(describeEffect(grid, step), "r1c1-{4,5,6,7,8,9}, r2c2-{4,5,6,7,8,9}");
  const int rowCells[2] = {at(grid, 1, 1), at(grid, 1, 2)};  // one run: 2 + 2 is out
  step = Step{};
  narrowToTotal(grid, rowCells, 2, 4, step);
  EXPECT_EQ(describeEffect(grid, step), "r1c1-{2,4,5,6,7,8,9}, r1c2-{2,4,5,6,7,8,9}");
}

// The grid just before the first step of `technique` in the explanation of
// line `index` of the levels file; false when no such step is taken.
bool stateBefore(Technique technique, int index, CandidateGrid& grid, std::vector<std::uint8_t>& solution) {
  std::ifstream in(std::string(VANTREEL_SOURCE_DIR) + "/tests/data/explain_levels.txt");
  std::string line;
  for (int i = 0; i <= index; ++i) std::getline(in, line);
  const Board board = boardOf(line);
  solution = countSolutions(board, 2).first;
  const Explanation explanation = explainPuzzle(board, solution, {});
  if (!buildCandidateGrid(board, grid)) return false;
  for (const Step& step : explanation.steps) {
    if (step.technique == technique) return true;
    applyStep(grid, step);
  }
  return false;
}

TEST(RegionSum, SettlesTheLevelFivePuzzleWhereSingleRunsStall) {
  CandidateGrid grid;
  std::vector<std::uint8_t> solution;
  ASSERT_TRUE(stateBefore(Technique::RegionSum, 4, grid, solution));
  Step step;
  EXPECT_FALSE(findCombinationElimination(grid, step) || findRunDigits(grid, step) || findNakedGroup(grid, 2, step));
  ASSERT_TRUE(findRegionSum(grid, step));
  for (const Placement& placement : step.placements) EXPECT_EQ(placement.digit, solution[placement.cell]);
  for (const Removal& removal : step.removals) EXPECT_EQ(removal.digits & digits({solution[removal.cell]}), 0);
  EXPECT_NE(step.reason.find(" add up to "), std::string::npos) << step.reason;
}

TEST(Trial, StartsOnlyWhereEveryOtherTechniqueStalls) {
  CandidateGrid grid;
  std::vector<std::uint8_t> solution;
  ASSERT_TRUE(stateBefore(Technique::Trial, 5, grid, solution));
  Step step;
  EXPECT_FALSE(findLogicalStep(grid, step));
  ASSERT_TRUE(findTrial(grid, solution, step));
  ASSERT_EQ(step.removals.size() + step.placements.size(), 1u);
  for (const Removal& removal : step.removals) EXPECT_EQ(removal.digits & digits({solution[removal.cell]}), 0);
}

TEST(Trial, FollowsAWrongDigitToAContradiction) {
  CandidateGrid grid = gridOf(kTwoByTwo);
  const SolutionCount count = countSolutions(boardOf(kTwoByTwo), 2);
  ASSERT_EQ(count.found, 1);
  Step step;
  ASSERT_TRUE(findTrial(grid, count.first, step));
  EXPECT_EQ(step.technique, Technique::Trial);
  ASSERT_EQ(step.removals.size() + step.placements.size(), 1u);
  EXPECT_EQ(step.reason.rfind("if ", 0), 0u) << step.reason;
  EXPECT_NE(step.reason.find("then "), std::string::npos) << step.reason;
}

// The person's wording of each technique, on the fixtures above: the same
// step, its reason in words with no raw run names or sets of removed digits.
CandidateGrid personGridOf(const std::string& line) {
  CandidateGrid grid = gridOf(line);
  grid.wording = Wording::Person;
  return grid;
}

TEST(PersonWording, SaysWhatARunCanOnlyBeAndWhatItsPlacedDigitsLeave) {
  CandidateGrid grid = personGridOf(kTwoByTwo);
  Step step;
  ASSERT_TRUE(findUniqueSum(grid, step));
  EXPECT_EQ(step.reason, "the down run from r0c1, 16 in 2 cells, can only be {7,9}");
  grid.candidates[at(grid, 1, 1)] = digits({9});
  ASSERT_TRUE(findUniqueSum(grid, step));
  EXPECT_EQ(describeEffect(grid, step), "r2c1=7");
  EXPECT_EQ(step.reason, "the down run from r0c1, 16 in 2 cells, already holds 9, so its last cell must hold 7");
  CandidateGrid three = personGridOf(kThreeByTwo);
  three.candidates[at(three, 2, 1)] = digits({9});  // 24 in 3 less 9: 15 in 2 is {6,9} or {7,8}
  const ExplainRun& across = three.runs[three.runOf[at(three, 2, 1)][0]];
  EXPECT_EQ(runOwes(three, across, openPartOf(three, across), "can only be {7,8}"),
            "the across run from r2c0, 24 in 3 cells, already holds 9, so its other 2 cells add up to 15 and "
            "can only be {7,8}");
  // A run whose sum is not chosen yet owes no total.
  ExplainRun unsummed = across;
  unsummed.sum = 0;
  EXPECT_EQ(runOwes(three, unsummed, openPartOf(three, unsummed), "can only be {1,2}"),
            "the across run from r2c0, 3 cells with no sum yet, already holds 9, so its other 2 cells can only be "
            "{1,2}");
}

TEST(PersonWording, CrossIntersectionNamesTheCellAndWhatEachRunLeavesIt) {
  CandidateGrid grid = personGridOf("1/2/2/nhhaa");
  Step step;
  ASSERT_TRUE(findCrossIntersection(grid, step));
  EXPECT_EQ(step.reason,
            "for r1c1, the across run from r1c0, 10 in 2 cells, allows any digit but 5 and the down run from r0c1, "
            "17 in 2 cells, leaves only 8 or 9");
  EXPECT_EQ(runLeaves(kAllDigits), "allows any digit");
  EXPECT_EQ(runLeaves(digits({1, 2, 3, 4, 5, 6})), "leaves only 1, 2, 3, 4, 5 or 6");
  EXPECT_EQ(runLeaves(digits({1, 2, 3, 4, 5, 6, 7})), "allows any digit but 8 and 9");
}

TEST(PersonWording, RunDigitsNakedGroupsAndCombinationsSayWhyInWords) {
  CandidateGrid grid = personGridOf("1/3/2/...m6");
  grid.candidates[at(grid, 2, 1)] = digits({1, 2, 3});
  grid.candidates[at(grid, 2, 2)] = digits({2, 3, 9});
  grid.candidates[at(grid, 2, 3)] = digits({2, 3});
  Step step;
  ASSERT_TRUE(findRunDigits(grid, step));
  EXPECT_EQ(step.reason,
            "the across run from r2c0, 6 in 3 cells, can only be {1,2,3} with the digits left in its cells; the run "
            "must hold 1, and only r2c1 can take it");

  CandidateGrid row = personGridOf(kRowOfFour);
  row.candidates[at(row, 2, 1)] = digits({3, 5});
  row.candidates[at(row, 2, 3)] = digits({3, 5});
  ASSERT_TRUE(findNakedGroup(row, 2, step));
  EXPECT_EQ(step.reason,
            "r2c1 and r2c3 hold only 3 and 5 between them, so no other cell of the across run from r2c0, 20 in 4 "
            "cells, can take them");

  row = personGridOf(kRowOfFour);
  row.candidates[at(row, 2, 1)] = digits({1, 2});
  row.candidates[at(row, 2, 2)] = digits({1, 2});
  row.candidates[at(row, 2, 3)] = digits({1, 8});
  ASSERT_TRUE(findCombinationElimination(row, step));
  // What goes or what stays, whichever is shorter.
  EXPECT_EQ(step.reason,
            "the across run from r2c0, 20 in 4 cells, can only be {1,2,8,9} ({2,4,6,8}, {1,5,6,8}, {2,3,7,8}, "
            "{1,4,7,8}, {1,4,6,9} or {1,3,7,9} cannot be placed in its cells), and however it goes into its cells, "
            "r2c3 cannot be 1 and r2c4 can only be 9");
}

TEST(PersonWording, TrialsAndTheSearchSayWhatWouldFollow) {
  CandidateGrid grid = personGridOf(kTwoByTwo);
  const SolutionCount count = countSolutions(boardOf(kTwoByTwo), 2);
  Step step;
  ASSERT_TRUE(findTrial(grid, count.first, step));
  EXPECT_EQ(step.reason,
            "if r1c1 were 1: r1c2 and r2c2 could only be 8 or 9, then r2c2 would be 9 and r2c1 could only be 7 "
            "or 9, then r1c2 would be 8, and then the across run from r1c0, 17 in 2 cells, would not add up");
  ASSERT_TRUE(findExhaustiveSearch(grid, count.first, step));
  EXPECT_EQ(step.reason, "no filling of the whole puzzle puts 1 in r1c1");
  // The rating's wording builds no words at all.
  grid.wording = Wording::None;
  ASSERT_TRUE(findExhaustiveSearch(grid, count.first, step));
  EXPECT_EQ(step.reason, "");
}

TEST(ExhaustiveSearch, RemovesADigitThatIsNotTheSolutions) {
  CandidateGrid grid = gridOf(kTwoByTwo);
  const SolutionCount count = countSolutions(boardOf(kTwoByTwo), 2);
  Step step;
  ASSERT_TRUE(findExhaustiveSearch(grid, count.first, step));
  ASSERT_EQ(step.removals.size(), 1u);
  EXPECT_EQ(step.removals[0].digits & digits({count.first[step.removals[0].cell]}), 0);
  EXPECT_FALSE(findExhaustiveSearch(grid, {}, step));
}

TEST(Explainer, TakesTheSimplestStepAndNamesTheHardest) {
  const Board board = boardOf(kTwoByTwo);
  const SolutionCount count = countSolutions(board, 2);
  const Explanation explanation = explainPuzzle(board, count.first, {});
  ASSERT_TRUE(explanation.solved);
  for (const Step& step : explanation.steps) EXPECT_EQ(step.technique, Technique::UniqueSum);
  EXPECT_EQ(explanation.hardest, Technique::UniqueSum);
  EXPECT_EQ(explainPuzzle(board, count.first, {}, 1).steps.size(), 1u);
}

}  // namespace
}  // namespace vantreel
