#pragma once
// The old modes' command line: which mode it asks for, the usage text and
// the version. Only the first letter of the mode word counts (and the digit
// after c).
namespace vantreel {

// Help is the usage text as well, with the command list added on standard error.
enum class Mode { Usage, Solve, SolveStats, Create, Help, Version };

struct CommandLine {
  Mode mode = Mode::Usage;
  const char* fileName = nullptr;  // Solve and SolveStats
  int sizeIndex = 0;               // Create: 1..4
};

// Only the first character of the mode word counts (and the second for c).
CommandLine readCommandLine(int argc, const char* const* argv);

void printUsage();
void printVersion();

}  // namespace vantreel
