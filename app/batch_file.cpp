#include "app/batch_file.h"

#include <cerrno>
#include <cstdio>

namespace vantreel {

std::string batchFileName(const LocalDate& date, int sequence, int sizeIndex) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d%02d%02d_%02d(%s%d).dat", date.year, date.month, date.day,
                sequence, "size", sizeIndex);
  return name;
}

std::string firstFreeBatchName(const LocalDate& date, int sizeIndex) {
  for (int sequence = 1;; ++sequence) {
    std::string name = batchFileName(date, sequence, sizeIndex);
    if (!fileExists(name.c_str())) return name;
  }
}

bool startBatchFile(NewFile& file, int& error) { return file.open(".", error); }

bool finishBatchFile(NewFile& file, const LocalDate& date, int sizeIndex, std::string& name, int& error) {
  for (int sequence = 1;; ++sequence) {
    name = batchFileName(date, sequence, sizeIndex);
    if (fileExists(name.c_str())) continue;
    if (file.finish(name, error)) return true;
    // A name taken since the test goes to the next number; any other
    // failure would repeat for every name.
    if (error != EEXIST) return false;
  }
}

bool parseSeed(const char* text, std::uint32_t& seed) {
  if (text == nullptr || *text == '\0') return false;
  std::uint64_t value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(*c - '0');
    if (value > kMaxSeed) return false;
  }
  seed = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace vantreel
