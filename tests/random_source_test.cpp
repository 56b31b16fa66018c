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

TEST(RandomSource, TakesSeedsWithTheHighBitSetAsTheyCome) {
  for (const std::uint64_t seed : {0x80000000ull, 0xFFFFFFFFull, 0xDEADBEEFull}) {
    RandomSource random(static_cast<std::uint32_t>(seed));
    EXPECT_EQ(random.nextState(), static_cast<std::int32_t>((seed * 1103515245 + 12345) % (1ull << 31)));
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
