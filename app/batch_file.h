#pragma once
// The create mode's output file and its seed.
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/local_date.h"

namespace vantreel {

// "YYYYMMDD_NN(sizeS).dat"; NN grows to three digits above 99.
std::string batchFileName(const LocalDate& date, int sequence, int sizeIndex);

// The first name of the day and size that nothing has yet.
std::string firstFreeBatchName(const LocalDate& date, int sizeIndex);

// Starts the batch's file, still without a name, in the current folder.
// False with `error` when the folder cannot take it.
bool startBatchFile(NewFile& file, int& error);

// Names the complete file by the first free name at this moment (never
// replacing one made meanwhile). False with `error` when it cannot be written.
bool finishBatchFile(NewFile& file, const LocalDate& date, int sizeIndex, std::string& name, int& error);

// The largest seed: the random state keeps 31 bits, so a larger seed would
// repeat the batch of the seed 2^31 below it.
inline constexpr std::uint32_t kMaxSeed = 0x7FFFFFFF;

// A decimal number 0..kMaxSeed and nothing else.
bool parseSeed(const char* text, std::uint32_t& seed);

}  // namespace vantreel
