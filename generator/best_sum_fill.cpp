#include "generator/best_sum_fill.h"

#include "generator/sum_probing.h"

namespace vantreel {
namespace {

constexpr int kLowestFilledLength = 3;

// The sum whose propagated grid leaves the smallest surplus below `bound`,
// the smallest such sum on ties; 0 when none beats the bound.
int bestSumFor(GeneratorContext& context, int runIndex, int bound) {
  int best = bound;
  int bestSum = 0;
  for (int sum = 1; sum <= kMaxSum; ++sum) {
    if (!propagatesWithSum(context, runIndex, sum)) continue;
    const int left = surplus(context.scratch);
    if (left < best) {
      best = left;
      bestSum = sum;
    }
  }
  return bestSum;
}

}  // namespace

bool fillBestSums(GeneratorContext& context, bool& solved) {
  WatchedGrid& work = context.work;
  bool failed = false;
  visitRunsLongestFirst(context, kLowestFilledLength, [&](int runIndex) {
    // The first bound is whatever the earlier stages left in lastSurplus.
    const int bestSum = bestSumFor(context, runIndex, context.lastSurplus);
    if (bestSum == 0) {
      failed = true;
      return false;
    }
    work.runs[runIndex].sum = static_cast<std::uint8_t>(bestSum);
    const Settled settled = settleNewSums(context, work);
    if (settled == Settled::Open) return true;
    if (settled == Settled::Solved) solved = true;
    else failed = true;
    return false;
  });
  return !failed;
}

}  // namespace vantreel
