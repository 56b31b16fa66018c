#include "explain/step_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/given_digits.h"
#include "explain/candidate_drawing.h"
#include "explain/explainer.h"
#include "explain/step_focus.h"
#include "format/puzzle_line.h"
#include "solver/solution_count.h"
#include "tests/committed_puzzles.h"

namespace vantreel {
namespace {

using testing::puzzleLines;

struct Explained {
  Board board;
  CandidateGrid start;
  Explanation explanation;
};

Explained explainLine(const std::string& line) {
  Explained explained;
  EXPECT_TRUE(parseBoard(explained.board, line.c_str()));
  const SolutionCount count = countSolutions(explained.board, 2);
  EXPECT_EQ(count.found, 1);
  EXPECT_TRUE(buildCandidateGrid(explained.board, explained.start));
  explained.explanation = explainPuzzle(explained.board, count.first, {});
  return explained;
}

// Groups cover the steps in order, each once; replaying them gives the
// steps' own grid; every group but the last leaves something a person writes.
TEST(StepGroups, PartitionTheStepsAndEndWhereThePersonWrites) {
  for (const char* file : {"tests/data/generated_11x11.txt", "tests/data/generated_15x15.txt",
                           "tests/data/explain_levels.txt", "tests/data/worked_example.txt"})
    for (const std::string& line : puzzleLines(file)) {
      const Explained explained = explainLine(line);
      const std::vector<Step>& steps = explained.explanation.steps;
      const std::vector<StepGroup> groups = groupSteps(explained.start, steps);
      int next = 0;
      CandidateGrid byGroups = explained.start, bySteps = explained.start;
      for (std::size_t g = 0; g < groups.size(); ++g) {
        const StepGroup& group = groups[g];
        ASSERT_EQ(group.first, next) << file;
        ASSERT_GT(group.count, 0);
        next += group.count;
        Technique hardest = Technique::UniqueSum;
        for (int i = group.first; i < next; ++i) {
          hardest = std::max(hardest, steps[i].technique);
          applyStep(bySteps, steps[i]);
        }
        EXPECT_EQ(group.technique, hardest);
        applyGroup(byGroups, steps, group);
        bool written = false, placed = false;
        for (int cell : group.cells) {
          written = written || DigitCountTable[byGroups.candidates[cell]] <= kNotedCandidates;
          placed = placed || isPlaced(byGroups.candidates[cell]);
        }
        EXPECT_EQ(group.places, placed);
        if (g + 1 < groups.size()) {
          EXPECT_TRUE(written) << file << " group " << g;
        }
      }
      EXPECT_EQ(next, static_cast<int>(steps.size()));
      EXPECT_EQ(byGroups.candidates, bySteps.candidates);
    }
}

// A person reads at most half as many steps as the explainer takes.
TEST(StepGroups, HalveTheStepsOfTheGeneratedPuzzles) {
  for (const char* file : {"tests/data/generated_11x11.txt", "tests/data/generated_23x17.txt"}) {
    std::size_t steps = 0, groups = 0;
    for (const std::string& line : puzzleLines(file)) {
      const Explained explained = explainLine(line);
      steps += explained.explanation.steps.size();
      groups += groupSteps(explained.start, explained.explanation.steps).size();
    }
    EXPECT_LE(2 * groups, steps) << file;
  }
}

TEST(StepGroups, SayWhatIsLeftAndNameRunsInWords) {
  const Explained explained = explainLine("1/4/3/l60.m.07l.4636");
  const std::vector<StepGroup> groups = groupSteps(explained.start, explained.explanation.steps);
  ASSERT_GE(groups.size(), 2u);
  CandidateGrid grid = explained.start;
  applyGroup(grid, explained.explanation.steps, groups[0]);
  EXPECT_EQ(describeWhatIsLeft(grid, groups[0]), "r1c1 and r2c1 are 1 or 3");
  EXPECT_EQ(describeGroupEffect(explained.start, grid, groups[0]), "r1c1-{2,4,5,6,7,8,9}, r2c1-{2,4,5,6,7,8,9}");
  CandidateGrid person = grid;
  person.wording = Wording::Person;
  const ExplainRun& down = grid.runs[grid.runOf[grid.width + 1][1]];  // through r1c1
  EXPECT_EQ(runName(person, down), "the down run from r0c1, 4 in 2 cells");
  EXPECT_EQ(runName(grid, down), "r0c1 down 4 in 2");
}

// A picture shades each step's cells and the whole of every run a one-run
// technique or a crossing works on, and nothing off the runs through its cells.
TEST(StepFocus, ShadesTheStepsCellsAndTheRunsItWorksOn) {
  for (const std::string& line : puzzleLines("tests/data/generated_11x11.txt")) {
    const Explained explained = explainLine(line);
    const CandidateGrid& grid = explained.start;
    const std::vector<Step>& steps = explained.explanation.steps;
    for (const StepGroup& group : groupSteps(grid, steps)) {
      const std::vector<Focus> focus = stepFocus(grid, group);
      std::vector<char> nearby(focus.size(), 0);
      for (const int cell : group.cells) {
        EXPECT_EQ(focus[cell], Focus::Step);
        for (const int run : grid.runOf[cell])
          if (run != kNoRun)
            for (int i = 0; i < grid.runs[run].length; ++i) nearby[grid.runs[run].cells[i]] = 1;
      }
      for (std::size_t cell = 0; cell < focus.size(); ++cell)
        if (focus[cell] != Focus::None) {
          EXPECT_TRUE(nearby[cell]) << line << " cell " << cell;
        }
      if (group.count != 1 || steps[group.first].technique != Technique::UniqueSum) continue;
      // One unique sum works on one run: the run through all its cells.
      int shadedRuns = 0;
      for (const ExplainRun& run : grid.runs) {
        bool all = true, holdsOne = false;
        for (int i = 0; i < run.length; ++i) {
          all = all && focus[run.cells[i]] != Focus::None;
          holdsOne = holdsOne || focus[run.cells[i]] == Focus::Step;
        }
        shadedRuns += all && holdsOne;
      }
      EXPECT_GE(shadedRuns, 1) << line;
    }
  }
}

TEST(CandidateDrawing, ShowsCluesDigitsAndMarkedCells) {
  const Explained explained = explainLine("1/4/3/l60.m.07l.4636");
  CandidateGrid grid = explained.start;
  grid.candidates[6] = DigitSet(0b101);  // r1c1: 1 or 3
  EXPECT_EQ(drawCandidates(explained.board, grid, {6}),
            "#####  4\\    6\\   ##### #####\n"
            "  \\3   13  <  .    6\\   #####\n"
            "  \\6    .     .     .   #####\n"
            "#####   \\7    .     .   #####\n");
}

TEST(GivenFile, ReadsAGridOfRowsOrAList) {
  std::vector<GivenDigit> givens;
  std::string bad;
  ASSERT_TRUE(parseGivenFile("9 .\n_ 7\r\n\n..3\n", givens, bad));
  ASSERT_EQ(givens.size(), 3u);
  EXPECT_EQ(givens[0].row, 1);
  EXPECT_EQ(givens[0].column, 1);
  EXPECT_EQ(givens[0].digit, 9);
  EXPECT_EQ(givens[1].row, 2);
  EXPECT_EQ(givens[1].column, 2);
  EXPECT_EQ(givens[2].row, 4);
  EXPECT_EQ(givens[2].column, 3);
  givens.clear();
  ASSERT_TRUE(parseGivenFile("# so far\nr1c1=9, r2c2 = 7\nR3C3=1\n", givens, bad));
  EXPECT_EQ(givens.size(), 3u);
  givens.clear();
  EXPECT_FALSE(parseGivenFile("r1c1=9\nr2c2=x\n", givens, bad));
  EXPECT_EQ(bad, "r2c2=x");
}

}  // namespace
}  // namespace vantreel
