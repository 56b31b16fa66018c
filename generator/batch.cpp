#include "generator/batch.h"

#include <omp.h>

#include <atomic>
#include <limits>
#include <map>
#include <memory>
#include <mutex>

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

bool makeSequence(const SequenceRequest& request, const SequencePuzzle& deliver, bool* gaveUp) {
  const BoardSize size = boardSizeFor(request.sizeIndex);
  std::atomic<std::uint64_t> nextToStart{0};
  std::atomic<bool> stopped{false};
  // The first position whose layout found no filling: the ones before it are
  // still made and delivered, none after it is started.
  std::atomic<std::uint64_t> failedAt{std::numeric_limits<std::uint64_t>::max()};
  // Puzzles made ahead of a slower one wait here, keyed by their index.
  std::mutex deliveryLock;
  std::map<std::uint64_t, Board> waiting;
  std::uint64_t nextToDeliver = 0;
  const int threads = request.threads > 0 ? request.threads : omp_get_max_threads();
  // Workers take the next index as they become free, so a slow puzzle holds
  // back only the output, never another worker.
#pragma omp parallel num_threads(threads)
  {
  // Each worker's own fill pipeline: its buffers serve all its puzzles.
  std::unique_ptr<FillPipeline> fill;
  if (request.method == Method::Fill) fill = std::make_unique<FillPipeline>(request.fill);
  for (;;) {
    if (stopped) break;
    const std::uint64_t index = nextToStart++;
    if (index >= request.count || index > failedAt) break;
    RandomSource random(puzzleSeed(request.seed, request.first + index), Sharing::Owned);
    Board board;
    if (fill == nullptr) {
      makePuzzle(random, size.width, size.height, board);
    } else if (!fill->make(random, board)) {
      std::uint64_t seen = failedAt;
      while (index < seen && !failedAt.compare_exchange_weak(seen, index)) {
      }
      break;
    }
    std::lock_guard<std::mutex> guard(deliveryLock);
    if (stopped) break;
    waiting.emplace(index, std::move(board));
    while (!waiting.empty() && waiting.begin()->first == nextToDeliver) {
      if (!deliver(request.first + nextToDeliver, waiting.begin()->second)) {
        stopped = true;
        break;
      }
      waiting.erase(waiting.begin());
      ++nextToDeliver;
    }
  }
  }
  if (gaveUp != nullptr) *gaveUp = failedAt != std::numeric_limits<std::uint64_t>::max();
  return nextToDeliver == request.count;
}

}  // namespace vantreel
