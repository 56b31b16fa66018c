#pragma once
// Many puzzles of one size made in parallel: the c1..c4 batch from one shared
// random source, and reproducible sequences where each puzzle owns its source.
#include <cstdint>
#include <functional>
#include <vector>

#include "format/board.h"
#include "generator/fill_pipeline.h"

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

// Positions first .. first + count - 1 of the sequence of a run seed.
// Rules: the c1..c4 pipeline for sizes 1..4. Fill: any size or layout.
enum class Method : std::uint8_t { Rules, Fill };

struct SequenceRequest {
  int sizeIndex = 1;  // Rules
  std::uint64_t seed = 0;
  std::uint64_t first = 0;
  std::uint64_t count = 0;
  int threads = 0;  // 0: the OpenMP default
  Method method = Method::Rules;
  FillRequest fill;  // Fill
};

// Receives the puzzles in position order, one call at a time, each as soon as
// it and all before it are made. False stops the run: no puzzle is started or
// delivered after it.
using SequencePuzzle = std::function<bool(std::uint64_t position, const Board& board)>;

// True when every puzzle of the request was delivered. `gaveUp`, when given,
// is set when a puzzle of the user's layout found no unique filling within
// its work budget; every puzzle before it is still delivered, none after it.
bool makeSequence(const SequenceRequest& request, const SequencePuzzle& deliver, bool* gaveUp = nullptr);

}  // namespace vantreel
