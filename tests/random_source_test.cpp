#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "generator/random_source.h"

namespace vantreel {
namespace {

TEST(RandomSource, FollowsTheSequenceFromStateZeroAndScalesIt) {
  RandomSource states(0), byThree(0), bySix(0);
  for (const auto& [state, three, six] :
       {std::tuple{12345, 0, 0}, {1406932606, 1, 3}, {654583775, 0, 1}, {1449466924, 2, 4}}) {
    EXPECT_EQ(states.nextState(), state);
    EXPECT_EQ(byThree.randomBelow(3), three);
    EXPECT_EQ(bySix.randomBelow(6), six);
  }
}

// The generator of the C library's classic rand() (glibc's TYPE_0 random()),
// whose states from seed 1 are published.
TEST(RandomSource, StepsLikeTheClassicLibraryGenerator) {
  RandomSource random(1);
  for (const std::int32_t state : {1103527590, 377401575, 662824084, 1147902781, 2035015474, 368800899, 1508029952,
                                   486256185, 1062517886, 267834847})
    EXPECT_EQ(random.nextState(), state);
}

TEST(RandomSource, TakesSeedsWithTheHighBitSetAsTheyCome) {
  // The first step wraps them in 32 bits and keeps the low 31.
  for (const auto& [seed, state] :
       {std::pair{0x80000000u, 12345}, {0xFFFFFFFFu, 1043980748}, {0xDEADBEEFu, 469847548}}) {
    RandomSource random(seed);
    EXPECT_EQ(random.nextState(), state) << seed;
  }
}

TEST(RandomSource, TheLargestStateStaysBelowN) {
  // 230538014 steps to 2^31 - 1, the state nearest the upper end.
  for (const int n : {1, 2, 6, 45, 1000}) {
    RandomSource random(230538014);
    EXPECT_EQ(random.randomBelow(n), n - 1) << n;
  }
  RandomSource check(230538014);
  EXPECT_EQ(check.nextState(), 0x7FFFFFFF);
}

TEST(RandomSource, SharedByTwoThreadsHandsOutEveryStepOnce) {
  constexpr int kDraws = 20000;
  RandomSource shared(42);
  std::vector<std::int32_t> first(kDraws), second(kDraws);
  std::thread a([&] { for (auto& value : first) value = shared.nextState(); });
  std::thread b([&] { for (auto& value : second) value = shared.nextState(); });
  a.join();
  b.join();
  first.insert(first.end(), second.begin(), second.end());
  std::sort(first.begin(), first.end());
  RandomSource alone(42);
  std::vector<std::int32_t> expected(2 * kDraws);
  for (auto& value : expected) value = alone.nextState();
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(first, expected);
}

}  // namespace
}  // namespace vantreel
