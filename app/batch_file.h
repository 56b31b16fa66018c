#pragma once
// The create mode's output file and its seed.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/local_date.h"

namespace vantreel {

// "YYYYMMDD_NN(sizeS).dat"; NN grows to three digits above 99.
std::string batchFileName(const LocalDate& date, int sequence, int sizeIndex);

// Creates the first free name of the day for the size and stores it in
// `name`. Null when a file cannot be created; `name` then holds the name tried.
std::FILE* createBatchFile(const LocalDate& date, int sizeIndex, std::string& name);

// A decimal number 0..4294967295 and nothing else.
bool parseSeed(const char* text, std::uint32_t& seed);

}  // namespace vantreel
