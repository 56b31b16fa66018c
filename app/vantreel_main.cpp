#include <cstdint>
#include <cstdio>

#include "app/command_hint.h"
#include "app/commands.h"
#include "app/create_command.h"
#include "app/helper_program.h"
#include "app/mode_line.h"
#include "app/solve_command.h"
#include "app/standard_output.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/signals.h"

namespace {

// A run whose output was cut off must not look like a success.
int checkedExit(int status) { return vantreel::finishStandardOutput() ? status : 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace vantreel;
  const std::uint32_t start = tickCount();
  guardStandardDescriptors();
  ignoreFileSizeSignal();
  if (argc >= 2) {
    if (const Command* command = findCommand<Program::Vantreel>(argv[1])) {
      if (argc >= 3) return checkedExit(runHelperProgram(*command, argv + 1));
      // A lone word stays what it always was: the usage text.
      std::fprintf(stderr, "vantreel: usage: vantreel %s; see 'vantreel --help'\n", command->usage);
    }
  }
  int status = 0;
  const CommandLine line = readCommandLine(argc, argv);
  switch (line.mode) {
    case Mode::Solve:
    case Mode::SolveStats:
      status = runSolve(line.fileName, line.mode == Mode::SolveStats);
      break;
    case Mode::Create:
      status = runCreate(line.sizeIndex);
      break;
    case Mode::Version:
      printVersion();
      return checkedExit(0);
    case Mode::Usage:
    case Mode::Help:
      printUsage();
      break;
  }
  // Unsigned difference: right across a wrap of the tick counter.
  std::printf("time=%d\n", static_cast<int>(tickCount() - start));
  status = checkedExit(status);
  // Callers of the old interface see the usage text unchanged on standard output.
  if (line.mode == Mode::Help) printCommandList(stderr);
  if (line.mode == Mode::Usage && argc >= 2)
    if (const char* meant = nearestCommand(argv[1]))
      std::fprintf(stderr, "vantreel: unknown command '%s'; did you mean %s?\n", argv[1], meant);
  return status;
}
