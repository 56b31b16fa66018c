// Reading puzzle lines: the strict reader beside the lenient one, per line.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "format/puzzle_line.h"
#include "format/strict_reader.h"

namespace {

using namespace vantreel;

std::vector<std::string> loadLines(const char* name) {
  std::vector<std::string> lines;
  std::ifstream in(std::string(VANTREEL_BENCH_DATA) + "/" + name);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

void BM_ReadStrictGenerated24x18(benchmark::State& state) {
  const std::vector<std::string> lines = loadLines("generated_24x18.txt");
  Board board;
  std::string reason;
  std::int64_t refused = 0;
  for (auto _ : state)
    for (const std::string& line : lines) refused += !readStrict(line, board, reason);
  if (refused != 0) state.SkipWithError("a generated puzzle was refused");
  state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_ReadStrictGenerated24x18)->Unit(benchmark::kMicrosecond);

void BM_ParseBoardGenerated24x18(benchmark::State& state) {
  const std::vector<std::string> lines = loadLines("generated_24x18.txt");
  Board board;
  for (auto _ : state)
    for (const std::string& line : lines) benchmark::DoNotOptimize(parseBoard(board, line.c_str()));
  state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_ParseBoardGenerated24x18)->Unit(benchmark::kMicrosecond);

}  // namespace
