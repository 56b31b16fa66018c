#pragma once
// Test helpers for the generator: seeds that give chosen draws, layouts
// drawn as text.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "generator/generator_context.h"

namespace vantreel::testing {

// The lowest seed whose next draws randomBelow(n) return the given values;
// each pair is (value, n).
inline std::uint32_t seedForDraws(const std::vector<std::pair<int, int>>& draws) {
  for (std::uint32_t seed = 0;; ++seed) {
    RandomSource random(seed);
    if (std::all_of(draws.begin(), draws.end(),
                    [&](const auto& draw) { return random.randomBelow(draw.second) == draw.first; }))
      return seed;
  }
}

// True when `random` has taken exactly `steps` steps from `seed`.
inline bool hasTakenSteps(RandomSource& random, std::uint32_t seed, int steps) {
  RandomSource reference(seed);
  for (int i = 0; i < steps; ++i) reference.nextState();
  return random.nextState() == reference.nextState();
}

// Interior rows as text, '.' white and '#' block; the border stays blocks.
inline void drawLayout(BlockPattern& pattern, const std::vector<std::string>& rows) {
  std::fill_n(pattern.cells.get(), pattern.width * pattern.height, std::uint8_t{0});
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x)
      pattern.at(static_cast<int>(x) + 1, static_cast<int>(y) + 1) = rows[y][x] == '.';
}

// A context of the rows' size holding the extracted layout.
inline void loadLayout(GeneratorContext& context, RandomSource& random,
                       const std::vector<std::string>& rows) {
  setUpContext(context, random, static_cast<int>(rows[0].size()) + 1, static_cast<int>(rows.size()) + 1);
  drawLayout(context.pattern, rows);
  context.work.contradiction = 0;
  context.clueCellCount = extractRuns(context.pattern, context.work, context.clueCells.get());
}

constexpr CandidateMask digitMask(int digit) { return CandidateMask(1u << (digit - 1)); }

}  // namespace vantreel::testing
