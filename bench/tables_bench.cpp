#include <benchmark/benchmark.h>

#include "tables/digit_tables.h"

static void BM_BuildTripleTable(benchmark::State& state) {
  for (auto _ : state) {
    vantreel::buildTripleTable();
    benchmark::DoNotOptimize(vantreel::TripleTable[12345]);
  }
  state.SetBytesProcessed(state.iterations() * sizeof(vantreel::TripleTable));
}
BENCHMARK(BM_BuildTripleTable)->Unit(benchmark::kMillisecond);
