#include "generator/batch.h"

#include "generator/puzzle_pipeline.h"
#include "generator/random_source.h"

namespace vantreel {
namespace {

// Interior width and height of sizes 1..4; the board adds the border.
constexpr std::uint8_t kInteriorSizes[8] = {11, 11, 15, 15, 19, 15, 23, 17};

}  // namespace

BoardSize boardSizeFor(int sizeIndex) {
  const int offset = 2 * (sizeIndex - 1);
  return {kInteriorSizes[offset] + 1, kInteriorSizes[offset + 1] + 1};
}

std::vector<Board> makeBatch(int sizeIndex, std::uint32_t seed, const PuzzleFinished& finished) {
  RandomSource random(seed);
  std::vector<Board> boards(kBatchPuzzleCount);
  const BoardSize size = boardSizeFor(sizeIndex);
  // All workers draw from the one shared source, so only a one-thread batch
  // is repeatable.
#pragma omp parallel for schedule(static)
  for (int i = 0; i < kBatchPuzzleCount; ++i) {
    makePuzzle(random, size.width, size.height, boards[i]);
    finished(i);
  }
  return boards;
}

}  // namespace vantreel
