#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "format/strict_reader.h"
#include "solver/judge.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"
#include "tests/random_puzzles.h"

namespace vantreel {
namespace {

// A planted puzzle with a few cells turned into clue cells of any sums, so
// that one-cell runs, missing sums, impossible sums and several solutions
// all come up.
Board mutatedPuzzle(std::mt19937& random) {
  Board board = testing::makeRandomPuzzle(random, 2 + random() % 6, 2 + random() % 6, 1, 10 + random() % 30);
  const int changes = random() % 4;
  for (int change = 0; change < changes; ++change) {
    const int p = static_cast<int>(random() % board.cellCount());
    if (p < board.width || p % board.width == 0) {
      if (board.kinds[p] == CellKind::Clue) board.sums[2 * p + (p < board.width ? 1 : 0)] = random() % 12;
      continue;
    }
    board.kinds[p] = CellKind::Clue;
    board.sums[2 * p] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : 1 + random() % 30);
    board.sums[2 * p + 1] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : 1 + random() % 30);
  }
  return board;
}

// A filling against the board's runs as they are meant, walked by rows and
// columns: distinct digits in every run; a run of two to nine cells adds up
// to its sum (any, without one); a single cell holds its sum, which must be
// a digit; no run has more than nine cells.
bool followsEveryRun(const Board& board, const std::vector<std::uint8_t>& digits) {
  const int width = board.width, height = board.height;
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] == CellKind::White && (digits[p] < 1 || digits[p] > 9)) return false;
    if (board.kinds[p] != CellKind::Clue) continue;
    for (const bool across : {true, false}) {
      int length = 0, total = 0, seen = 0;
      for (int row = p / width + !across, column = p % width + across;
           row < height && column < width && board.kinds[row * width + column] == CellKind::White;
           row += !across, column += across) {
        const int digit = digits[row * width + column];
        if (seen & (1 << digit)) return false;
        seen |= 1 << digit;
        total += digit;
        ++length;
      }
      const int sum = board.sums[2 * p + (across ? 0 : 1)];
      if (length > 9 || (length == 1 && total != sum) || (length >= 2 && sum != 0 && total != sum)) return false;
    }
  }
  return true;
}

std::vector<std::uint8_t> digitsOf(const SolverGrid& grid) {
  std::vector<std::uint8_t> digits(grid.cellCount(), 0);
  for (int p = 0; p < grid.cellCount(); ++p)
    if (grid.masks[p] != kBlockMask && DigitCountTable[grid.masks[p]] == 1) digits[p] = DigitSumTable[grid.masks[p]];
  return digits;
}

// The solve modes and the judge read a board by one rule: a board the solve
// modes find impossible as built is one the judge calls impossible; what `s`
// finishes keeps every clue and is never called impossible; a unique puzzle
// is finished with its one solution or not at all; what the judge calls
// impossible `s` fails. (A trial commits a digit when the other one leaves
// the solver stuck, so `s` may finish a puzzle with several solutions.) The
// boards are taken as the solve modes read them; those the strict reader
// takes are counted apart, as check, print and explain see only those.
TEST(Judge, AgreesWithTheSolveModesOnEveryBoard) {
  std::mt19937 random(20);
  Judge judge;
  JudgeRequest request;
  request.stepBudget = 16'000'000;  // a few of these boards are slow to decide
  int strict = 0, finished = 0, none = 0, unknown = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const Board board = mutatedPuzzle(random);
    std::string line = testing::lineOf(board), reason;
    line.pop_back();
    Board read;
    strict += readStrict(line, read, reason);
    SolverGrid grid = buildSolverGrid(board);
    const bool impossibleAsBuilt = grid.contradiction != 0;
    SolveStats stats;
    SearchBudget budget;
    const bool solved = solveWithTrials(grid, stats, budget);
    const Judgement& judged = judge.judge(board, request);
    if (judged.verdict == Verdict::Unknown) {
      ++unknown;
      continue;
    }
    if (impossibleAsBuilt) {
      ASSERT_EQ(judged.verdict, Verdict::None) << line;
    }
    if (solved) {
      ++finished;
      ASSERT_TRUE(followsEveryRun(board, digitsOf(grid))) << line;
      ASSERT_NE(judged.verdict, Verdict::None) << line;
    }
    if (judged.verdict == Verdict::None) ++none;
    if (judged.verdict == Verdict::Unique) {
      ASSERT_TRUE(followsEveryRun(board, judged.solution)) << line;
      if (solved) {
        ASSERT_EQ(digitsOf(grid), judged.solution) << line;
      }
    }
    if (judged.verdict == Verdict::Multiple) {
      ASSERT_TRUE(followsEveryRun(board, judged.solution)) << line;
      ASSERT_TRUE(followsEveryRun(board, judged.second)) << line;
      ASSERT_NE(judged.solution, judged.second) << line;
    }
  }
  // Each kind of answer comes up often enough to mean something.
  EXPECT_GT(strict, 800) << finished << " " << none;
  EXPECT_GT(finished, 200) << strict << " " << none;
  EXPECT_GT(none, 300) << strict << " " << finished;
  // One board stays undecided even at the full budget: 1/5/5/nB0znCjJjIFFCGj,
  // which only the solve modes read (the strict reader refuses it).
  EXPECT_LE(unknown, 1) << "boards undecided";
}

TEST(Judge, NamesWhyAPuzzleHasNoSolution) {
  Judge judge;
  const auto reasonFor = [&judge](const char* line) {
    const Board board = testing::boardOf(line);
    const Judgement& judged = judge.judge(board);
    EXPECT_EQ(judged.verdict, Verdict::None) << line;
    return judged.failure.kind == RootFailureKind::None ? std::string("search")
                                                         : describeRootFailure(judged.failure, board.width);
  };
  EXPECT_EQ(reasonFor("1/1/1/ka3"), "r0c1 down: 10 is not a digit");
  EXPECT_EQ(reasonFor("1/1/1/k34"), "r1c1: no digit fits");
  EXPECT_EQ(reasonFor("1/3/2/...m4"), "r2c0 across: no 3 different digits sum to 4");
  // A single cell after a clue cell without its sum, as the solve modes read it.
  EXPECT_EQ(reasonFor("1/3/1/m0006"), "r0c1 down: 0 is not a digit");
}

}  // namespace
}  // namespace vantreel
