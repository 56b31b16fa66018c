#include "app/messages.h"

#include <cstdio>

#include "app/line_source.h"

namespace vantreel {

std::string counted(long count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string overLongReason() { return "line longer than " + std::to_string(kMaxLineLength / 1024) + " KiB"; }

std::string inputName(const std::string& fileName) { return fileName == "-" ? "standard input" : fileName; }

void reportNoPuzzle(const char* command, const std::string& fileName) {
  std::fflush(stdout);
  std::fprintf(stderr, "vantreel %s: no puzzle in %s\n", command, inputName(fileName).c_str());
}

}  // namespace vantreel
