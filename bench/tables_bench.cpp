#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tables/digit_tables.h"

namespace {

using namespace vantreel;

// Triple lookups with random sums and sets: the table's cache footprint, not
// the solver's access pattern, decides this figure.
void BM_TripleLookup(benchmark::State& state) {
  std::mt19937 random(2026);
  std::vector<std::uint32_t> queries(1 << 16);
  for (auto& query : queries)
    query = std::uint32_t(kTripleMinSum + random() % kTripleSumCount) << 18 | (random() % kSetCount) << 9 |
            (random() % kSetCount);
  DigitSet seen = 0;
  for (auto _ : state)
    for (std::uint32_t query : queries)
      seen |= tripleDigits(int(query >> 18), DigitSet(query >> 9 & kAllDigits), DigitSet(query & kAllDigits));
  benchmark::DoNotOptimize(seen);
  state.SetItemsProcessed(state.iterations() * queries.size());
}
BENCHMARK(BM_TripleLookup);

}  // namespace
