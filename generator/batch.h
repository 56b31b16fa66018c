#pragma once
// The create mode: 30 puzzles of one size into a new, dated file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/local_date.h"

namespace vantreel {

inline constexpr int kBatchPuzzleCount = 30;

struct BoardSize {
  int width;   // border column included
  int height;  // border row included
};

// Sizes 1..4: 12 x 12, 16 x 16, 20 x 16, 24 x 18.
BoardSize boardSizeFor(int sizeIndex);

// Makes the batch for size 1..4 and returns the exit status: 0, 1 when the
// output file cannot be created, 2 when VANTREEL_SEED is not a seed.
int createBatch(int sizeIndex);

// "YYYYMMDD_NN(sizeS).dat"; NN grows to three digits above 99.
std::string batchFileName(const LocalDate& date, int sequence, int sizeIndex);

// Creates the first free name of the day for the size and stores it in
// `name`. Null when a file cannot be created; `name` then holds the name tried.
std::FILE* createBatchFile(const LocalDate& date, int sizeIndex, std::string& name);

// A decimal number 0..4294967295 and nothing else.
bool parseSeed(const char* text, std::uint32_t& seed);

}  // namespace vantreel
