#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "explain/explainer.h"
#include "explain/trial_step.h"
#include "format/puzzle_line.h"
#include "solver/solution_count.h"
#include "tests/committed_puzzles.h"
#include "tests/random_puzzles.h"

namespace vantreel {
namespace {

using testing::puzzleLines;

DigitSet bit(int digit) { return DigitSet(1 << (digit - 1)); }

// Replays the effects from the clues and givens: no effect may drop the
// solution's digit, and the last one must leave exactly the solution.
void expectSoundReplay(const Board& board, const std::vector<std::uint8_t>& solution,
                       const std::vector<Placement>& givens, const Explanation& explanation, const std::string& label) {
  CandidateGrid grid;
  ASSERT_TRUE(buildCandidateGrid(board, grid)) << label;
  for (const Placement& given : givens) grid.candidates[given.cell] &= bit(given.digit);
  for (std::size_t k = 0; k < explanation.steps.size(); ++k) {
    const Step& step = explanation.steps[k];
    for (const Placement& placement : step.placements)
      ASSERT_EQ(placement.digit, solution[placement.cell]) << label << ", step " << k + 1 << ": " << step.reason;
    for (const Removal& removal : step.removals)
      ASSERT_EQ(removal.digits & bit(solution[removal.cell]), 0) << label << ", step " << k + 1 << ": " << step.reason;
    ASSERT_TRUE(step.changes()) << label << ", step " << k + 1;
    ASSERT_TRUE(applyStep(grid, step)) << label << ", step " << k + 1;
  }
  for (int cell : grid.whiteCells) ASSERT_EQ(grid.candidates[cell], bit(solution[cell])) << label;
  EXPECT_TRUE(explanation.solved) << label;
}

TEST(ExplainSoundness, EveryTestPuzzleExplainsSoundlyToItsSolution) {
  for (const char* name : {"tests/data/generated_11x11.txt", "tests/data/generated_15x15.txt",
                           "tests/data/generated_19x15.txt", "tests/data/generated_23x17.txt",
                           "examples/puzzles.txt", "tests/data/worked_example.txt",
                           "tests/data/explain_levels.txt"}) {
    const std::vector<std::string> lines = puzzleLines(name);
    ASSERT_FALSE(lines.empty()) << name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string label = std::string(name) + " puzzle " + std::to_string(i + 1);
      Board board;
      ASSERT_TRUE(parseBoard(board, lines[i].c_str())) << label;
      const SolutionCount count = countSolutions(board, 2);
      ASSERT_EQ(count.found, 1) << label;
      const Explanation explanation = explainPuzzle(board, count.first, {});
      expectSoundReplay(board, count.first, {}, explanation, label);
      // Generated puzzles never need a guess.
      const bool generated = std::string(name).find("generated_") != std::string::npos;
      EXPECT_TRUE(!generated || explanation.trialCount == 0) << label;
    }
  }
}

// Plain backtracking in reading order: the oracle for small puzzles.
struct BruteForce {
  const CandidateGrid& grid;
  std::vector<std::uint8_t> digits;
  std::vector<std::vector<std::uint8_t>> solutions;
  long nodesLeft = 100'000;

  bool runAllows(int runIndex) const {
    if (runIndex == kNoRun) return true;
    const ExplainRun& run = grid.runs[runIndex];
    int sum = 0, filled = 0;
    unsigned used = 0;
    for (int i = 0; i < run.length; ++i) {
      const int digit = digits[run.cells[i]];
      if (digit == 0) continue;
      if (used & (1u << digit)) return false;
      used |= 1u << digit;
      sum += digit;
      ++filled;
    }
    if (run.sum == 0) return true;
    // The open cells add at least 1+2+.. and at most 9+8+..
    const int open = run.length - filled;
    return sum + open * (open + 1) / 2 <= run.sum && sum + open * (19 - open) / 2 >= run.sum;
  }
  void search(std::size_t index) {
    if (solutions.size() >= 2 || --nodesLeft < 0) return;
    if (index == grid.whiteCells.size()) {
      solutions.push_back(digits);
      return;
    }
    const int cell = grid.whiteCells[index];
    for (int digit = 1; digit <= 9; ++digit) {
      digits[cell] = static_cast<std::uint8_t>(digit);
      if (runAllows(grid.runOf[cell][0]) && runAllows(grid.runOf[cell][1])) search(index + 1);
    }
    digits[cell] = 0;
  }
};

TEST(ExplainSoundness, RandomSmallPuzzlesExplainSoundlyWithAndWithoutGivens) {
  std::mt19937 random(20261207);
  int unique = 0;
  for (int made = 0; made < 2000; ++made) {
    const int columns = 4 + made % 4, rows = 4 + (made / 4) % 4;
    const Board board = testing::makeRandomPuzzle(random, columns, rows, 1, 30 + made % 15);
    CandidateGrid grid;
    ASSERT_TRUE(buildCandidateGrid(board, grid));
    BruteForce brute{grid, std::vector<std::uint8_t>(board.cellCount(), 0), {}, 100'000};
    brute.search(0);
    if (brute.nodesLeft < 0) continue;  // too slow to settle by brute force
    const SolutionCount count = countSolutions(board, 2);
    ASSERT_EQ(count.found, static_cast<int>(brute.solutions.size())) << "puzzle " << made;
    if (brute.solutions.size() != 1) continue;
    ++unique;
    const std::vector<std::uint8_t>& solution = brute.solutions[0];
    const std::string label = "random puzzle " + std::to_string(made);
    expectSoundReplay(board, solution, {}, explainPuzzle(board, solution, {}), label);
    // A person who filled in some cells already: the rest still follows soundly.
    std::vector<Placement> givens;
    for (int cell : grid.whiteCells)
      if (random() % 3 == 0) givens.push_back({cell, solution[cell]});
    const Explanation told = explainPuzzle(board, solution, givens);
    expectSoundReplay(board, solution, givens, told, label + " with givens");
    // The rating's quiet path skips runs it knows have nothing: the same steps all the same.
    const Explanation quiet = explainPuzzle(board, solution, givens, 1 << 30, Wording::None);
    ASSERT_EQ(quiet.steps.size(), told.steps.size()) << label;
    for (std::size_t k = 0; k < told.steps.size(); ++k) {
      ASSERT_EQ(quiet.steps[k].technique, told.steps[k].technique) << label << " step " << k + 1;
      ASSERT_EQ(describeEffect(grid, quiet.steps[k]), describeEffect(grid, told.steps[k])) << label << " step " << k + 1;
    }
  }
  EXPECT_GT(unique, 200);
}

TEST(ExplainSoundness, TrialsWithoutTheSolutionStillRemoveOnlyWrongDigits) {
  // Without the solution the trial tries every digit, the right ones included;
  // only a digit that really fails may be removed.
  for (const std::string& line : puzzleLines("tests/data/explain_levels.txt")) {
    Board board;
    ASSERT_TRUE(parseBoard(board, line.c_str()));
    const SolutionCount count = countSolutions(board, 2);
    ASSERT_EQ(count.found, 1);
    CandidateGrid grid;
    ASSERT_TRUE(buildCandidateGrid(board, grid));
    for (int round = 0; round < 3; ++round) {
      Step step;
      if (!findTrial(grid, {}, step)) break;
      EXPECT_EQ(step.technique, Technique::Trial);
      for (const Removal& removal : step.removals) EXPECT_EQ(removal.digits & bit(count.first[removal.cell]), 0) << line;
      for (const Placement& placement : step.placements) EXPECT_EQ(placement.digit, count.first[placement.cell]);
      ASSERT_TRUE(applyStep(grid, step));
    }
  }
}

}  // namespace
}  // namespace vantreel
