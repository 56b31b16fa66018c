#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/batch.h"
#include "generator/grading.h"
#include "generator/random_source.h"
#include "solver/judge.h"
#include "solver/solution_count.h"
#include "tests/board_text.h"

namespace vantreel {
namespace {

using testing::lineOf;

// The lines a run delivers, checking on the way that they come in position order.
std::vector<std::string> run(std::uint64_t seed, std::uint64_t first, std::uint64_t count, int threads) {
  std::vector<std::string> lines;
  std::uint64_t expected = first;
  const bool complete = makeSequence({1, seed, first, count, threads, Method::Rules, {}}, [&](std::uint64_t position, const Board& board) {
    EXPECT_EQ(position, expected++);
    lines.push_back(lineOf(board));
    return true;
  });
  EXPECT_TRUE(complete);
  return lines;
}

TEST(PuzzleSeed, IsSplitMix64OfThePositionCutTo31Bits) {
  // Published first outputs of splitmix64 from state 0 and from state 1234567.
  EXPECT_EQ(puzzleSeed(0, 0), 0xE220A8397B1DCDAFull & 0x7FFFFFFF);
  EXPECT_EQ(puzzleSeed(0, 1), 0x6E789E6AA1B965F4ull & 0x7FFFFFFF);
  EXPECT_EQ(puzzleSeed(1234567, 0), 0x599ED017FB08FC85ull & 0x7FFFFFFF);
  EXPECT_NE(puzzleSeed(7, 3), puzzleSeed(8, 3));
}

TEST(RandomSource, OwnedFollowsTheSameStreamAsShared) {
  RandomSource shared(99), owned(99, Sharing::Owned);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(owned.randomBelow(1000), shared.randomBelow(1000)) << i;
}

TEST(Sequence, IsTheSameOnOneAndTwoThreadsAndInSlices) {
  const std::vector<std::string> whole = run(7, 0, 12, 1);
  ASSERT_EQ(whole.size(), 12u);
  EXPECT_EQ(run(7, 0, 12, 2), whole);
  std::vector<std::string> sliced = run(7, 0, 5, 2);
  const std::vector<std::string> rest = run(7, 5, 7, 1);
  sliced.insert(sliced.end(), rest.begin(), rest.end());
  EXPECT_EQ(sliced, whole);
  EXPECT_NE(run(8, 0, 3, 1), std::vector<std::string>(whole.begin(), whole.begin() + 3));
}

TEST(Sequence, StopsWhenTheReceiverRefuses) {
  int delivered = 0;
  EXPECT_FALSE(makeSequence({1, 3, 0, 20, 2, Method::Rules, {}}, [&](std::uint64_t, const Board&) { return ++delivered < 3; }));
  EXPECT_EQ(delivered, 3);
}

// Every created puzzle has exactly one solution, found by the exact counter,
// and carries the level that check reports for it.
TEST(Sequence, MakesUniquePuzzlesWithTheirLevel) {
  Judge judge;
  for (const int size : {1, 2}) {
    makeSequence({size, 11, 0, size == 1 ? 12u : 3u, 2, Method::Rules, {}}, [&](std::uint64_t position, const Board& board) {
      const SolutionCount count = countSolutions(board, 2);
      EXPECT_EQ(count.found, 1) << "size " << size << ", position " << position;
      EXPECT_FALSE(count.budgetExceeded);
      const Judgement& judged = judge.judge(board);
      EXPECT_EQ(judged.verdict, Verdict::Unique);
      EXPECT_EQ(board.level, judged.level) << "size " << size << ", position " << position;
      return true;
    });
  }
}

}  // namespace
}  // namespace vantreel
