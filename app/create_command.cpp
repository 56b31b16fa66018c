#include "app/create_command.h"

#include <cstdio>
#include <cstdlib>

#include "app/batch_file.h"
#include "format/puzzle_line.h"
#include "generator/batch.h"
#include "platform/clock.h"

namespace vantreel {

int runCreate(int sizeIndex) {
  // A fixed seed makes a one-thread batch repeatable; the tick otherwise.
  const char* seedText = std::getenv("VANTREEL_SEED");
  std::uint32_t seed = 0;
  if (seedText != nullptr && !parseSeed(seedText, seed)) {
    std::fprintf(stderr, "vantreel: VANTREEL_SEED must be a number from 0 to 4294967295\n");
    return 2;
  }
  std::string name;
  std::FILE* out = createBatchFile(localDate(), sizeIndex, name);
  if (out == nullptr) {
    std::printf("failed to open: %s\n", name.c_str());
    return 1;
  }
  std::printf("creating problems...\n");
  std::printf("+----------------------------+\n");
  std::fflush(stdout);
  // One mark per puzzle: the bar is 30 marks wide and a batch 30 puzzles.
  const std::vector<Board> boards = makeBatch(sizeIndex, seedText != nullptr ? seed : tickCount(), [](int) {
    std::printf("o");
    std::fflush(stdout);
  });
  std::printf("\n");

  for (const Board& board : boards) writeBoard(out, board);
  const bool written = std::ferror(out) == 0;
  const bool closed = std::fclose(out) == 0;
  std::printf("finished.\n");
  if (!written || !closed) {
    std::fprintf(stderr, "vantreel: failed to write %s\n", name.c_str());
    return 1;
  }
  return 0;
}

}  // namespace vantreel
