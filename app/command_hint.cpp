#include "app/command_hint.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/commands.h"

namespace vantreel {

int editDistance(const char* from, const char* to) {
  const int rows = static_cast<int>(std::strlen(from)), columns = static_cast<int>(std::strlen(to));
  // distance[i][j]: from's first i letters into to's first j letters.
  std::vector<std::vector<int>> distance(rows + 1, std::vector<int>(columns + 1));
  for (int i = 0; i <= rows; ++i) distance[i][0] = i;
  for (int j = 0; j <= columns; ++j) distance[0][j] = j;
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= columns; ++j) {
      const int change = from[i - 1] == to[j - 1] ? 0 : 1;
      int best = std::min({distance[i - 1][j] + 1, distance[i][j - 1] + 1, distance[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
        best = std::min(best, distance[i - 2][j - 2] + 1);
      distance[i][j] = best;
    }
  return distance[rows][columns];
}

const char* nearestCommand(const char* word) {
  // Words that long are no typing slip, and their table would be large.
  if (std::strlen(word) > 64) return nullptr;
  const char* nearest = nullptr;
  int nearestDistance = 3;
  for (const Command& command : kCommands<Program::Vantreel>) {
    const int length = static_cast<int>(std::strlen(command.word));
    // A one- or two-letter word is too short to guess from.
    if (length < 3) continue;
    const int distance = editDistance(word, command.word);
    if (distance == 0) return nullptr;
    const int allowed = length <= 4 ? 1 : 2;
    if (distance <= allowed && distance < nearestDistance) {
      nearest = command.word;
      nearestDistance = distance;
    }
  }
  return nearest;
}

}  // namespace vantreel
