#include "generator/batch.h"

#include <array>
#include <cstdlib>

#include "format/puzzle_line.h"
#include "generator/puzzle_pipeline.h"
#include "generator/random_source.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace vantreel {
namespace {

// Interior width and height of sizes 1..4; the board adds the border.
constexpr std::uint8_t kInteriorSizes[8] = {11, 11, 15, 15, 19, 15, 23, 17};

// The progress bar is 30 marks wide whatever the puzzle count.
constexpr int kProgressMarks = 30;

}  // namespace

BoardSize boardSizeFor(int sizeIndex) {
  const int offset = 2 * (sizeIndex - 1);
  return {kInteriorSizes[offset] + 1, kInteriorSizes[offset + 1] + 1};
}

std::string batchFileName(const LocalDate& date, int sequence, int sizeIndex) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d%02d%02d_%02d(%s%d).dat", date.year, date.month, date.day,
                sequence, "size", sizeIndex);
  return name;
}

std::FILE* createBatchFile(const LocalDate& date, int sizeIndex, std::string& name) {
  for (int sequence = 1;; ++sequence) {
    name = batchFileName(date, sequence, sizeIndex);
    if (fileExists(name.c_str())) continue;
    bool nameTaken = false;
    std::FILE* file = createNewFile(name.c_str(), nameTaken);
    // A name taken since the test goes to the next number; any other
    // failure would repeat for every name.
    if (file != nullptr || !nameTaken) return file;
  }
}

bool parseSeed(const char* text, std::uint32_t& seed) {
  if (text == nullptr || *text == '\0') return false;
  std::uint64_t value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(*c - '0');
    if (value > 0xFFFFFFFFu) return false;
  }
  seed = static_cast<std::uint32_t>(value);
  return true;
}

int createBatch(int sizeIndex) {
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
  RandomSource random(seedText != nullptr ? seed : tickCount());
  std::array<Board, kBatchPuzzleCount> boards;
  std::printf("creating problems...\n");
  std::printf("+----------------------------+\n");
  std::fflush(stdout);

  const BoardSize size = boardSizeFor(sizeIndex);
  const int markStep = (kBatchPuzzleCount + kProgressMarks - 1) / kProgressMarks;
#pragma omp parallel for schedule(static)
  for (int i = 0; i < kBatchPuzzleCount; ++i) {
    makePuzzle(random, size.width, size.height, boards[i]);
    if (i % markStep == markStep - 1) {
      std::printf("o");
      std::fflush(stdout);
    }
  }
  std::printf("\n");

  // Written in index order, whatever order the workers finished in.
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
