#pragma once
// Which mode a command line asks for.
#include <cstdio>

namespace vantreel {

// Help is the usage text as well, with the command list added on standard error.
enum class Command { Usage, Solve, SolveStats, Create, Help, Version };

struct CommandLine {
  Command command = Command::Usage;
  const char* fileName = nullptr;  // Solve and SolveStats
  int sizeIndex = 0;               // Create: 1..4
};

// Only the first character of the mode word counts (and the second for c).
CommandLine readCommandLine(int argc, const char* const* argv);

void printUsage();
// Every command with its options, one line each.
void printCommandList(std::FILE* out);
void printVersion();

}  // namespace vantreel
