#pragma once
// The puzzle lines of a committed file, blank and '#' lines skipped; `name`
// is relative to the source tree.
#include <fstream>
#include <string>
#include <vector>

namespace vantreel::testing {

inline std::vector<std::string> puzzleLines(const std::string& name) {
  std::vector<std::string> lines;
  std::ifstream in(std::string(VANTREEL_SOURCE_DIR) + "/" + name);
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

}  // namespace vantreel::testing
