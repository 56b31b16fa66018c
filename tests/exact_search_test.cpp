#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "solver/exact_search.h"
#include "solver/solution_count.h"
#include "solver/trial_search.h"
#include "tests/board_text.h"
#include "tests/committed_puzzles.h"
#include "tests/random_puzzles.h"

namespace vantreel {
namespace {

using testing::boardOf;

// A run as the solve modes see it: white cells after a clue cell.
struct PlainRun {
  std::vector<int> cells;
  int sum;
};

std::vector<PlainRun> plainRuns(const Board& board) {
  std::vector<PlainRun> runs;
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] != CellKind::Clue) continue;
    for (const int step : {1, static_cast<int>(board.width)}) {
      PlainRun run{{}, board.sums[2 * p + (step == 1 ? 0 : 1)]};
      for (int q = p + step; q < board.cellCount() && board.kinds[q] == CellKind::White; q += step)
        run.cells.push_back(q);
      if (!run.cells.empty()) runs.push_back(run);
    }
  }
  return runs;
}

// A filling is right when every run holds distinct digits adding to its sum
// (a run without a sum only needs distinct digits; a lone cell without one
// is free).
bool fillingFits(const std::vector<PlainRun>& runs, const std::vector<std::uint8_t>& digits) {
  for (const PlainRun& run : runs) {
    int total = 0, seen = 0;
    for (const int cell : run.cells) {
      if (digits[cell] < 1 || digits[cell] > 9 || (seen & (1 << digits[cell]))) return false;
      seen |= 1 << digits[cell];
      total += digits[cell];
    }
    if (run.sum != 0 && total != run.sum) return false;
  }
  return true;
}

// The obvious oracle: every digit in every white cell in reading order,
// checking a run only for repeats and overshoot until it is complete.
struct BruteForce {
  const Board& board;
  std::vector<PlainRun> runs;
  std::vector<std::vector<int>> runsOf;
  std::vector<int> white;
  std::vector<std::uint8_t> digits;
  int count = 0, limit;

  BruteForce(const Board& b, int cap) : board(b), runs(plainRuns(b)), runsOf(b.cellCount()), limit(cap) {
    for (int r = 0; r < static_cast<int>(runs.size()); ++r)
      for (const int cell : runs[r].cells) runsOf[cell].push_back(r);
    for (int p = 0; p < b.cellCount(); ++p)
      if (b.kinds[p] == CellKind::White) white.push_back(p);
    digits.assign(b.cellCount(), 0);
  }
  bool partialFits(int cell) const {
    for (const int r : runsOf[cell]) {
      const PlainRun& run = runs[r];
      int total = 0, seen = 0;
      bool complete = true;
      for (const int c : run.cells) {
        if (digits[c] == 0) {
          complete = false;
          continue;
        }
        if (seen & (1 << digits[c])) return false;
        seen |= 1 << digits[c];
        total += digits[c];
      }
      if (run.cells.size() == 1 && run.sum == 0) continue;
      if (run.sum != 0 && (total > run.sum || (complete && total != run.sum))) return false;
    }
    return true;
  }
  void fill(std::size_t at) {
    if (count >= limit) return;
    if (at == white.size()) {
      ++count;
      return;
    }
    const int cell = white[at];
    for (int d = 1; d <= 9; ++d) {
      digits[cell] = static_cast<std::uint8_t>(d);
      if (partialFits(cell)) fill(at + 1);
    }
    digits[cell] = 0;
  }
};

// The differing cells of two fillings form one group: every pair linked
// through runs whose cells differ.
bool differInOneGroup(const Board& board, const std::vector<std::uint8_t>& first,
                      const std::vector<std::uint8_t>& second) {
  const std::vector<PlainRun> runs = plainRuns(board);
  std::vector<int> group(board.cellCount(), -1);
  int groups = 0;
  for (int start = 0; start < board.cellCount(); ++start) {
    if (first[start] == second[start] || group[start] >= 0) continue;
    ++groups;
    std::vector<int> stack{start};
    group[start] = groups;
    while (!stack.empty()) {
      const int cell = stack.back();
      stack.pop_back();
      for (const PlainRun& run : runs) {
        if (std::find(run.cells.begin(), run.cells.end(), cell) == run.cells.end()) continue;
        for (const int other : run.cells)
          if (first[other] != second[other] && group[other] < 0) group[other] = groups, stack.push_back(other);
      }
    }
  }
  return groups == 1;
}

// Random small puzzles, some with a clue changed so that they have several
// solutions or none.
Board randomSmallPuzzle(std::mt19937& random) {
  const int columns = 3 + static_cast<int>(random() % 3), rows = 3 + static_cast<int>(random() % 3);
  Board board = testing::makeRandomPuzzle(random, columns, rows, 1, 20);
  if (random() % 2) {
    for (int p = 0; p < board.cellCount(); ++p)
      if (board.kinds[p] == CellKind::Clue && random() % 4 == 0) {
        const int slot = 2 * p + static_cast<int>(random() % 2);
        if (board.sums[slot] != 0) board.sums[slot] = static_cast<std::uint8_t>(1 + random() % 30);
      }
  }
  return board;
}

TEST(ExactSearch, CountAgreesWithBruteForceOnSmallRandomPuzzles) {
  std::mt19937 random(11);
  constexpr int kLimit = 30;
  int seen[3] = {};  // none, unique, multiple
  ExactSearch search;
  for (int trial = 0; trial < 80; ++trial) {
    const Board board = randomSmallPuzzle(random);
    BruteForce oracle(board, kLimit);
    oracle.fill(0);
    search.load(board);
    const SearchOutcome outcome = search.count(kLimit);
    ASSERT_FALSE(outcome.budgetExceeded);
    ASSERT_EQ(outcome.found, oracle.count) << testing::lineOf(board);
    ++seen[std::min(outcome.found, 2)];
    for (int k = 0; k < std::min(outcome.found, 2); ++k)
      EXPECT_TRUE(fillingFits(oracle.runs, search.solution(k))) << testing::lineOf(board);
    if (outcome.found >= 2) {
      EXPECT_NE(search.solution(0), search.solution(1));
    }
    // Up to two, the search for a solution that differs from the first.
    const SearchOutcome toTwo = search.count(2);
    ASSERT_EQ(toTwo.found, std::min(oracle.count, 2)) << testing::lineOf(board);
    for (int k = 0; k < toTwo.found; ++k)
      EXPECT_TRUE(fillingFits(oracle.runs, search.solution(k))) << testing::lineOf(board);
    if (toTwo.found == 2) {
      EXPECT_TRUE(differInOneGroup(board, search.solution(0), search.solution(1))) << testing::lineOf(board);
    }
    // Told one solution, from either end of the search, it finds another exactly when there is one.
    if (oracle.count == 0) continue;
    for (const int which : {0, toTwo.found - 1}) {
      const std::vector<std::uint8_t> known = search.solution(which);
      const SearchOutcome beside = search.countBeside(known);
      ASSERT_FALSE(beside.budgetExceeded);
      ASSERT_EQ(beside.found, std::min(oracle.count, 2)) << testing::lineOf(board);
      EXPECT_EQ(search.solution(0), known);
      if (beside.found == 2) {
        EXPECT_TRUE(fillingFits(oracle.runs, search.solution(1))) << testing::lineOf(board);
        EXPECT_TRUE(differInOneGroup(board, known, search.solution(1))) << testing::lineOf(board);
      }
      // Cells tried first change where the search looks, never what it finds.
      std::vector<std::uint16_t> near;
      for (int p = board.cellCount() - 1; p >= 0 && near.empty(); --p)
        if (board.kinds[p] == CellKind::White) near.push_back(static_cast<std::uint16_t>(p));
      const SearchOutcome nearFirst = search.countBeside(known, kDefaultSearchSteps, near);
      ASSERT_EQ(nearFirst.found, beside.found) << testing::lineOf(board);
      if (nearFirst.found == 2) {
        EXPECT_TRUE(fillingFits(oracle.runs, search.solution(1))) << testing::lineOf(board);
      }
    }
  }
  // The mix must cover every answer, or the comparison proves little.
  EXPECT_GT(seen[0], 5);
  EXPECT_GT(seen[1], 5);
  EXPECT_GT(seen[2], 5);
}

// On a board with no blocks every run crosses the cell's across or down
// run, so reopenAround starts every cell afresh and must give exactly the
// open cells of a fresh root; undoReopen must bring back the old sums.
TEST(ExactSearch, ReopeningAroundACellOfAFullBoardMatchesAFreshRoot) {
  std::mt19937 random(11);
  ExactSearch reopened, fresh;
  std::vector<std::uint16_t> open, expected;
  int differing = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const int columns = 2 + static_cast<int>(random() % 4), rows = 2 + static_cast<int>(random() % 4);
    const int width = columns + 1;
    Board board;
    board.allocate(width, rows + 1);
    std::vector<std::uint8_t> digits(board.cellCount(), 0);
    for (int row = 1; row <= rows; ++row)
      for (int column = 1; column <= columns; ++column) board.kinds[row * width + column] = CellKind::White;
    for (int k = 1; k < width; ++k) board.kinds[k] = CellKind::Clue;
    for (int row = 1; row <= rows; ++row) board.kinds[row * width] = CellKind::Clue;
    // Rows and columns are shifts of one random order, so no run repeats a digit.
    std::vector<int> order{1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(order.begin(), order.end(), random);
    const int shift = 1 + static_cast<int>(random() % 2);
    for (int row = 1; row <= rows; ++row)
      for (int column = 1; column <= columns; ++column)
        digits[row * width + column] = static_cast<std::uint8_t>(order[(column + shift * row) % 9]);
    const auto writeSums = [&] {
      for (int row = 1; row <= rows; ++row) {
        int sum = 0;
        for (int column = 1; column <= columns; ++column) sum += digits[row * width + column];
        board.sums[2 * row * width] = static_cast<std::uint8_t>(sum);
      }
      for (int column = 1; column <= columns; ++column) {
        int sum = 0;
        for (int row = 1; row <= rows; ++row) sum += digits[row * width + column];
        board.sums[2 * column + 1] = static_cast<std::uint8_t>(sum);
      }
    };
    writeSums();
    reopened.load(board);
    std::int64_t steps = 0;
    ASSERT_TRUE(reopened.openAtRoot(open, steps));
    for (int change = 0; change < 3; ++change) {
      const int cell = (1 + static_cast<int>(random() % rows)) * width + 1 + static_cast<int>(random() % columns);
      const std::uint8_t old = digits[cell];
      digits[cell] = static_cast<std::uint8_t>(1 + random() % 9);
      writeSums();
      const bool consistent = reopened.reopenAround(board, cell, open, steps);
      fresh.load(board);
      ASSERT_EQ(consistent, fresh.openAtRoot(expected, steps)) << testing::lineOf(board);
      if (consistent) {
        EXPECT_EQ(open, expected) << testing::lineOf(board);
      }
      differing += digits[cell] != old;
      if (change == 1) {
        // Undone: the board is as before, and so must the next reopening be.
        reopened.undoReopen();
        digits[cell] = old;
        writeSums();
      }
    }
  }
  EXPECT_GT(differing, 500);
}

// Reopening a changed cell's own runs only starts from narrower cells than
// reopening their crossing runs too, so, propagation being monotone, it can
// leave no cell open that the wider reopening settles; the fill maker
// relies on that to skip the wider one.
TEST(ExactSearch, ReopeningOwnRunsLeavesNoMoreOpenThanReopeningCrossingOnes) {
  std::mt19937 random(17);
  ExactSearch search;
  std::vector<std::uint16_t> own, crossing, base;
  int compared = 0, narrower = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const int columns = 6 + static_cast<int>(random() % 7), rows = 6 + static_cast<int>(random() % 7);
    std::vector<int> digits;
    Board board = testing::makePlantedPuzzle(random, columns, rows, 1, 25, digits);
    const int width = board.width;
    // The sum of the run through `cell` in steps of `step`, written at its clue.
    const auto rewrite = [&](int cell, int step, int side) {
      while (board.kinds[cell - step] == CellKind::White) cell -= step;
      int sum = 0;
      for (int p = cell; p < board.cellCount() && board.kinds[p] == CellKind::White; p += step) sum += digits[p];
      board.sums[2 * (cell - step) + side] = static_cast<std::uint8_t>(sum);
    };
    search.load(board);
    std::int64_t steps = 0;
    ASSERT_TRUE(search.openAtRoot(base, steps));
    for (int change = 0; change < 40; ++change) {
      int cell = 0;
      while (board.kinds[cell] != CellKind::White) cell = static_cast<int>(random() % board.cellCount());
      const int old = digits[cell];
      digits[cell] = 1 + static_cast<int>(random() % 9);
      rewrite(cell, 1, 0);
      rewrite(cell, width, 1);
      const bool ownConsistent = search.reopenAround(board, cell, own, steps, ExactSearch::Reach::Own);
      search.undoReopen();
      const bool crossingConsistent = search.reopenAround(board, cell, crossing, steps);
      ASSERT_TRUE(crossingConsistent || !ownConsistent) << testing::lineOf(board);
      if (ownConsistent) {
        EXPECT_TRUE(std::includes(crossing.begin(), crossing.end(), own.begin(), own.end())) << testing::lineOf(board);
        ++compared;
        narrower += own.size() < crossing.size();
      }
      // Kept now and then, as the fill maker keeps some changes.
      if (crossingConsistent && random() % 3 == 0) continue;
      search.undoReopen();
      digits[cell] = old;
      rewrite(cell, 1, 0);
      rewrite(cell, width, 1);
    }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_GT(narrower, 50);
}

// Two ways to the second solution: the search for one that differs (limit
// two) and the walk over every branch (limit three) must agree.
TEST(ExactSearch, SearchForADifferentSolutionAgreesWithTheFullWalk) {
  std::mt19937 random(5);
  ExactSearch search;
  for (int trial = 0; trial < 100; ++trial) {
    const int size = 4 + static_cast<int>(random() % 7);
    Board board = testing::makeRandomPuzzle(random, size, size, 1, 15 + static_cast<int>(random() % 20));
    if (trial % 2 == 0)
      for (int p = 0; p < board.cellCount(); ++p)
        if (board.kinds[p] == CellKind::Clue && random() % 6 == 0 && board.sums[2 * p + 1] != 0)
          board.sums[2 * p + 1] = static_cast<std::uint8_t>(1 + random() % 30);
    search.load(board);
    const SearchOutcome differing = search.count(2);
    const SearchOutcome walked = search.count(3);
    ASSERT_FALSE(differing.budgetExceeded || walked.budgetExceeded) << testing::lineOf(board);
    EXPECT_EQ(differing.found, std::min(walked.found, 2)) << testing::lineOf(board);
  }
}

// Putting off the cells whose search runs long, from the first step and with
// turns of a few steps: many cells are put off and settled in later rounds,
// unique boards prove every cell forced that way, and the answer is still
// the one of the search in reading order (itself checked against the walk
// and the brute force above); a second solution found is one, differs on
// one group, and often is another than the one found in reading order.
TEST(ExactSearch, PuttingOffCellsAgreesWithTheFullWalk) {
  std::mt19937 random(17);
  ExactSearch search;
  int unique = 0, multiple = 0, otherSecond = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const int size = 4 + static_cast<int>(random() % 6);
    Board board = testing::makeRandomPuzzle(random, size, size, 1, 15 + static_cast<int>(random() % 20));
    if (trial % 3 == 0)
      for (int p = 0; p < board.cellCount(); ++p)
        if (board.kinds[p] == CellKind::Clue && random() % 6 == 0 && board.sums[2 * p] != 0)
          board.sums[2 * p] = static_cast<std::uint8_t>(1 + random() % 30);
    const std::string line = testing::lineOf(board);
    const std::vector<PlainRun> runs = plainRuns(board);
    search.load(board);
    search.setPace(SearchPace{});
    // Boards only a walk over every filling decides are the portfolio's test.
    const SearchOutcome walked = search.count(2, 1'000'000);
    if (walked.budgetExceeded) continue;
    const std::vector<std::uint8_t> inOrder = walked.found == 2 ? search.solution(1) : std::vector<std::uint8_t>{};
    for (const std::int64_t turn : {1, 7, 60}) {
      SearchPace pace;
      pace.putOffSteps = 0;
      pace.putOffTurn = turn;
      search.setPace(pace);
      const SearchOutcome outcome = search.count(2);
      ASSERT_FALSE(outcome.budgetExceeded) << line;
      ASSERT_EQ(outcome.found, std::min(walked.found, 2)) << line << " turn " << turn;
      for (int k = 0; k < outcome.found; ++k) ASSERT_TRUE(fillingFits(runs, search.solution(k))) << line;
      if (outcome.found == 2) {
        ASSERT_NE(search.solution(0), search.solution(1)) << line;
        ASSERT_TRUE(differInOneGroup(board, search.solution(0), search.solution(1))) << line;
        otherSecond += search.solution(1) != inOrder;
      }
    }
    unique += walked.found == 1;
    multiple += walked.found >= 2;
  }
  search.setPace(SearchPace{});
  EXPECT_GT(unique, 10) << multiple;
  EXPECT_GT(multiple, 20) << unique;
  EXPECT_GT(otherSecond, 5);
}

// Restarts from the first guess and repairs after every one: drafts (random
// fillings' sums) of up to 20x20 keep the answer of the default search, and
// each solution a repair or the search near one cell finds is one. Without
// repairs that find first solutions, or nearby searches that find second
// ones, the test fails: it would not test them. Other seeds of the random
// digit choices must give the same answers by other paths.
TEST(ExactSearch, RepairsNearbySearchesAndOtherSeedsKeepTheAnswer) {
  std::mt19937 random(5);
  ExactSearch search;
  int repaired = 0, nearby = 0, otherPaths = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const int size = 8 + static_cast<int>(random() % 13);
    const Board board = testing::makeRandomPuzzle(random, size, size, 1, 20 + static_cast<int>(random() % 15));
    const std::string line = testing::lineOf(board);
    const std::vector<PlainRun> runs = plainRuns(board);
    search.load(board);
    search.setPace(SearchPace{});
    const SearchOutcome expected = search.count(2);
    ASSERT_FALSE(expected.budgetExceeded) << line;
    SearchPace pace;
    pace.openingNodes = 0;
    pace.repairSteps = 0;
    pace.putOffSteps = 0;
    pace.putOffTurn = 50;
    search.setPace(pace);
    const SearchOutcome outcome = search.count(2);
    ASSERT_FALSE(outcome.budgetExceeded) << line;
    ASSERT_EQ(outcome.found, expected.found) << line;
    for (int k = 0; k < outcome.found; ++k) ASSERT_TRUE(fillingFits(runs, search.solution(k))) << line;
    if (outcome.found == 2) {
      ASSERT_TRUE(differInOneGroup(board, search.solution(0), search.solution(1))) << line;
    }
    repaired += outcome.repairedFirst;
    nearby += outcome.nearbySecond;
    // Other seeds walk other paths to the same answer.
    for (const std::uint64_t seed : {1ull, 0x9E3779B97F4A7C15ull}) {
      SearchPace seeded;
      seeded.randomSeed = seed;
      search.setPace(seeded);
      const SearchOutcome other = search.count(2);
      ASSERT_FALSE(other.budgetExceeded) << line;
      ASSERT_EQ(other.found, expected.found) << line << " seed " << seed;
      for (int k = 0; k < other.found; ++k) ASSERT_TRUE(fillingFits(runs, search.solution(k))) << line;
      otherPaths += other.steps != expected.steps;
    }
  }
  search.setPace(SearchPace{});
  EXPECT_GT(repaired, 5);
  EXPECT_GT(nearby, 5);
  EXPECT_GT(otherPaths, 10);  // or the seed would do nothing
}

// The committed drafts: each has its filling and at least one more, found
// well inside the budget.
TEST(ExactSearch, FindsASecondSolutionOfEveryCommittedDraft) {
  std::ifstream in(std::string(VANTREEL_TEST_DATA) + "/loose_200.txt");
  ASSERT_TRUE(in);
  ExactSearch search;
  int boards = 0;
  for (std::string text; std::getline(in, text);) {
    const Board board = boardOf(text);
    search.load(board);
    const SearchOutcome outcome = search.count(2);
    ++boards;
    ASSERT_EQ(outcome.found, 2) << text;
    EXPECT_LT(outcome.steps, kDefaultSearchSteps / 4) << text;
    const std::vector<PlainRun> runs = plainRuns(board);
    EXPECT_TRUE(fillingFits(runs, search.solution(0)) && fillingFits(runs, search.solution(1))) << text;
    EXPECT_TRUE(differInOneGroup(board, search.solution(0), search.solution(1))) << text;
  }
  EXPECT_EQ(boards, 200);
}

// Drafts (seeds 8 and 10 of make_loose_boards, 23x14 to 40x21) on which the
// restarts alone ran past the whole budget: repairs of their deepest state
// find a first solution, and a second, within a quarter of it.
TEST(ExactSearch, RepairsAnswerDraftsTheRestartsAloneCouldNot) {
  const std::vector<std::string> lines = testing::puzzleLines("tests/data/drafts_past_the_budget.txt");
  ASSERT_EQ(lines.size(), 3u);
  ExactSearch search;
  for (const std::string& text : lines) {
    const Board board = boardOf(text);
    search.load(board);
    const SearchOutcome outcome = search.count(2);
    ASSERT_EQ(outcome.found, 2) << text;
    EXPECT_LT(outcome.steps, kDefaultSearchSteps / 4) << text;
    const std::vector<PlainRun> runs = plainRuns(board);
    EXPECT_TRUE(fillingFits(runs, search.solution(0)) && fillingFits(runs, search.solution(1))) << text;
  }
}

// Row sums 7 x 35 against column sums 6 x 35 + 34: no filling, and nothing
// short of an exhaustive walk shows it.
TEST(ExactSearch, StopsAtTheBudgetOnBoardsOnlyAWalkCouldDecide) {
  const std::vector<std::string> lines = testing::puzzleLines("tests/data/check_budget_7x7.txt");
  ASSERT_FALSE(lines.empty());
  const std::string& text = lines[0];
  ExactSearch search;
  search.load(boardOf(text));
  const SearchOutcome outcome = search.count(2, 200'000);
  EXPECT_TRUE(outcome.budgetExceeded);
  EXPECT_EQ(outcome.found, 0);
  EXPECT_LT(outcome.steps, 200'000 + 1'000);
}

// A board with no solution whose proof takes the whole tree: the restarts
// alone (their turns longer than the budget) do not finish it in 8 million
// steps, the portfolio's plain walk does in a fraction of that.
TEST(ExactSearch, ThePlainWalkProvesWhatTheRestartsCannot) {
  const std::vector<std::string> lines = testing::puzzleLines("tests/data/check_restarts_cannot_prove.txt");
  ASSERT_FALSE(lines.empty());
  const std::string& text = lines[0];
  ExactSearch search;
  search.load(boardOf(text));
  const SearchOutcome portfolio = search.count(2);
  EXPECT_EQ(portfolio.found, 0);
  EXPECT_FALSE(portfolio.budgetExceeded);
  EXPECT_TRUE(portfolio.plainWalkSettled);
  EXPECT_LT(portfolio.steps, 16'000'000);
  SearchPace restartsOnly;
  restartsOnly.firstTurnSteps = kDefaultSearchSteps;
  search.setPace(restartsOnly);
  const SearchOutcome restarts = search.count(2, 8'000'000);
  EXPECT_TRUE(restarts.budgetExceeded);
  EXPECT_EQ(restarts.found, 0);
}

// With turns of a few steps the two lines trade places many times on small
// boards: whichever settles the answer, and whatever stands in when the
// budget runs out, the count is the brute force's, and the solutions are
// solutions (two: different, on one group of cells).
TEST(ExactSearch, PortfolioOfShortTurnsAgreesWithBruteForce) {
  std::mt19937 random(31);
  ExactSearch search;
  int settledByWalk = 0, settledByRestarts = 0, stoppedAtBudget = 0;
  for (int trial = 0; trial < 120; ++trial) {
    const Board board = randomSmallPuzzle(random);
    const std::string line = testing::lineOf(board);
    BruteForce oracle(board, 2);
    oracle.fill(0);
    search.load(board);
    for (const SearchPace pace : {SearchPace{0, 1}, SearchPace{0, 40}, SearchPace{3, 300}}) {
      search.setPace(pace);
      for (const int limit : {1, 2}) {
        for (const std::int64_t budget : {kDefaultSearchSteps, std::int64_t{600}}) {
          const SearchOutcome outcome = search.count(limit, budget);
          const int expected = std::min(oracle.count, limit);
          if (outcome.budgetExceeded) {
            ++stoppedAtBudget;
            ASSERT_LE(outcome.found, expected) << line;
            ASSERT_LT(outcome.found, limit) << line;
          } else {
            ASSERT_EQ(outcome.found, expected) << line << " limit " << limit;
            ++(outcome.plainWalkSettled ? settledByWalk : settledByRestarts);
          }
          for (int k = 0; k < outcome.found; ++k) ASSERT_TRUE(fillingFits(oracle.runs, search.solution(k))) << line;
          if (outcome.found == 2) {
            ASSERT_NE(search.solution(0), search.solution(1)) << line;
            ASSERT_TRUE(differInOneGroup(board, search.solution(0), search.solution(1))) << line;
          }
        }
      }
    }
  }
  // Both lines settle answers, and the small budget cuts some searches short.
  EXPECT_GT(settledByWalk, 20) << settledByRestarts << " " << stoppedAtBudget;
  EXPECT_GT(settledByRestarts, 800) << settledByWalk;
  EXPECT_GT(stoppedAtBudget, 10) << settledByWalk;
}

// Two solutions met before the budget ran out are an answer: the search to
// two may spend the rest looking for a second nearer the first, but never
// answers "unknown" where the walk over every branch (limit three, the same
// walk up to its second solution) already holds two.
TEST(ExactSearch, TwoSolutionsFoundAreKeptWhenTheBudgetRunsOut) {
  std::mt19937 random(43);
  ExactSearch search;
  int kept = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const Board board = randomSmallPuzzle(random);
    search.load(board);
    for (std::int64_t budget = 1; budget < 400; budget += 3) {
      if (search.count(3, budget).found < 2) continue;
      const SearchOutcome outcome = search.count(2, budget);
      ASSERT_EQ(outcome.found, 2) << testing::lineOf(board) << " budget " << budget;
      ASSERT_FALSE(outcome.budgetExceeded) << testing::lineOf(board) << " budget " << budget;
      ++kept;
    }
  }
  EXPECT_GT(kept, 100);
}

// Whenever the trial solver finishes a puzzle, its filling is one the exact
// search accepts, and the only one when the search finds no other. (The
// trial solver can finish a puzzle that has several solutions: it commits a
// digit when the other one merely leaves it stuck.)
int expectSameAsTrialSolver(const Board& board, const std::string& where) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  SearchBudget budget;
  if (!solveWithTrials(grid, stats, budget)) return 0;
  std::vector<std::uint8_t> finished(board.cellCount(), 0);
  for (int p = 0; p < board.cellCount(); ++p)
    if (board.kinds[p] == CellKind::White) finished[p] = DigitSumTable[grid.masks[p]];
  EXPECT_TRUE(fillingFits(plainRuns(board), finished)) << where;
  const SolutionCount count = countSolutions(board, 2);
  EXPECT_GE(count.found, 1) << where;
  // Without trials every step was a proof: check relies on that.
  if (stats.trialsHigh + stats.trialsLow == 0) {
    EXPECT_EQ(count.found, 1) << where;
  }
  if (count.found == 1) {
    EXPECT_EQ(count.first, finished) << where;
  }
  return count.found == 1 ? 1 : 0;
}

TEST(ExactSearch, AgreesWithTheTrialSolverOnRandomPuzzles) {
  std::mt19937 random(7);
  int unique = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const int size = 4 + static_cast<int>(random() % 9);
    const Board board = testing::makeRandomPuzzle(random, size, size, 1, 15 + static_cast<int>(random() % 20));
    unique += expectSameAsTrialSolver(board, testing::lineOf(board));
  }
  EXPECT_GT(unique, 5);
}

TEST(ExactSearch, AgreesWithTheTrialSolverOnTheTestFiles) {
  for (const char* name : {"generated_11x11.txt", "generated_15x15.txt", "generated_19x15.txt", "generated_23x17.txt",
                           "small_5x5.txt", "small_7x7.txt", "odd_9x7.txt", "worked_example.txt",
                           "largest_126x126.txt"}) {
    std::ifstream in(std::string(VANTREEL_TEST_DATA) + "/" + name);
    ASSERT_TRUE(in) << name;
    int line = 0;
    for (std::string text; std::getline(in, text);) {
      Board board;
      ++line;
      if (parseBoard(board, text.c_str())) (void)expectSameAsTrialSolver(board, std::string(name) + ":" + std::to_string(line));
    }
  }
}

TEST(ExactSearch, StopsAtTheLimitAndAtTheBudget) {
  // 1/2/2/n3333: {1,2} in every run, two fillings.
  ExactSearch search;
  search.load(boardOf("1/2/2/n3333"));
  EXPECT_EQ(search.count(1).found, 1);
  EXPECT_EQ(search.count(5).found, 2);
  std::ifstream in(std::string(VANTREEL_TEST_DATA) + "/hostile_many_solutions.txt");
  std::string text;
  ASSERT_TRUE(std::getline(in, text));
  search.load(boardOf(text));
  const SearchOutcome outcome = search.count(1'000'000'000, 100'000);
  EXPECT_TRUE(outcome.budgetExceeded);
  EXPECT_GT(outcome.found, 1);
}

RootFailure rootFailureOf(const std::string& line) {
  ExactSearch search;
  search.load(boardOf(line));
  const SearchOutcome outcome = search.count(2);
  EXPECT_EQ(outcome.found, 0) << line;
  return outcome.rootFailure;
}

TEST(ExactSearch, NamesTheRunOrCellThatRulesOutEverySolution) {
  // Row 1 across: three cells summing to 4.
  RootFailure failure = rootFailureOf("1/3/1/m1234");
  EXPECT_EQ(failure.kind, RootFailureKind::NoCombination);
  EXPECT_EQ(failure.clueCell, 4);
  EXPECT_TRUE(failure.across);
  EXPECT_EQ(failure.length, 3);
  EXPECT_EQ(failure.sum, 4);
  // Ten cells in one run.
  EXPECT_EQ(rootFailureOf("1/10/1/t1234567891Z").kind, RootFailureKind::RunTooLong);
  // The first column's down run needs {1,2}; row 1's across run {8,9}.
  failure = rootFailureOf("1/2/2/n3fhg");
  EXPECT_EQ(failure.kind, RootFailureKind::NoDigitFits);
  // Both cells of row 1 forced to 1 by their down clues: no pair sums to 3.
  failure = rootFailureOf("1/2/1/l113");
  EXPECT_EQ(failure.kind, RootFailureKind::CellsCannotFit);
  EXPECT_EQ(failure.sum, 3);
}

}  // namespace
}  // namespace vantreel
