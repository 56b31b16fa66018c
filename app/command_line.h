#pragma once
// Which mode a command line asks for.

namespace vantreel {

enum class Command { Usage, Solve, SolveStats, Create };

struct CommandLine {
  Command command = Command::Usage;
  const char* fileName = nullptr;  // Solve and SolveStats
  int sizeIndex = 0;               // Create: 1..4
};

// Only the first character of the mode word counts (and the second for c).
CommandLine readCommandLine(int argc, const char* const* argv);

void printUsage();

}  // namespace vantreel
