#pragma once
// A batch: 30 puzzles of one size made in parallel from one random source.
#include <cstdint>
#include <functional>
#include <vector>

#include "format/board.h"

namespace vantreel {

inline constexpr int kBatchPuzzleCount = 30;

struct BoardSize {
  int width;   // border column included
  int height;  // border row included
};

// Sizes 1..4: 12 x 12, 16 x 16, 20 x 16, 24 x 18.
BoardSize boardSizeFor(int sizeIndex);

// Called by the worker that finished puzzle `index`, on its own thread.
using PuzzleFinished = std::function<void(int index)>;

// The batch's boards in index order, whatever order the workers finish in.
std::vector<Board> makeBatch(int sizeIndex, std::uint32_t seed, const PuzzleFinished& finished);

}  // namespace vantreel
