#include "app/batch_file.h"

#include "platform/files.h"

namespace vantreel {

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

}  // namespace vantreel
