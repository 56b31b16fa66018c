#include "app/create_command.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/batch_file.h"
#include "format/puzzle_line.h"
#include "generator/batch.h"
#include "platform/clock.h"
#include "platform/signals.h"

namespace vantreel {

int runCreate(int sizeIndex) {
  // A fixed seed makes a one-thread batch repeatable; the tick otherwise.
  const char* seedText = std::getenv("VANTREEL_SEED");
  std::uint32_t seed = 0;
  if (seedText != nullptr && !parseSeed(seedText, seed)) {
    std::fprintf(stderr, "vantreel: VANTREEL_SEED must be a number from 0 to %u\n", kMaxSeed);
    return 2;
  }
  // Only the low 31 bits of the tick matter; printed so, the seed repeats the batch.
  if (seedText == nullptr) seed = tickCount() & kMaxSeed;

  // The file has no name until all 30 puzzles are in it, so an interrupted
  // or failed batch leaves nothing behind.
  const LocalDate date = localDate();
  std::string name = firstFreeBatchName(date, sizeIndex);
  NewFile file;
  int error = 0;
  if (!startBatchFile(file, error)) {
    std::printf("failed to open: %s\n", name.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel: %s: %s\n", name.c_str(), std::strerror(error));
    return 1;
  }

  // A reader that went away (`c2 | head -1`) must not end the batch: its
  // product is the file, so progress simply stops.
  ignoreBrokenPipe();
  std::printf("creating problems...\n");
  std::printf("+----------------------------+\n");
  errno = 0;
  const bool frameShown = std::fflush(stdout) == 0;
  if (!frameShown && errno != EPIPE) return 1;  // closed or full: reported by the caller
  std::atomic<bool> progressShown{frameShown};
  // One mark per puzzle: the bar is 30 marks wide and a batch 30 puzzles.
  const std::vector<Board> boards = makeBatch(sizeIndex, seed, [&progressShown](int) {
    if (!progressShown) return;
    std::printf("o");
    if (std::fflush(stdout) != 0) progressShown = false;
  });
  if (progressShown) std::printf("\n");

  for (const Board& board : boards) writeBoard(file.stream(), board);
  if (!finishBatchFile(file, date, sizeIndex, name, error)) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel: failed to write %s: %s\n", name.c_str(), std::strerror(error));
    return 1;
  }
  std::printf("finished.\n");
  std::fflush(stdout);
  std::fprintf(stderr, "vantreel: wrote %s (seed %u)\n", name.c_str(), seed);
  return 0;
}

}  // namespace vantreel
