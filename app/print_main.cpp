// vantreel-print: the commands that draw with cairo, as a program of their
// own (see helper_program.h). vantreel runs it with the command word as argv[0].
#include <cstdio>

#include "app/commands.h"
#include "app/standard_output.h"

int main(int argc, char** argv) {
  using namespace vantreel;
  const Command* command = argc >= 1 ? findCommand<Program::Print>(argv[0]) : nullptr;
  if (command == nullptr || command->run == nullptr) {
    std::fprintf(stderr, "vantreel-print: runs as 'vantreel print ...'; see 'vantreel --help'\n");
    return 2;
  }
  const int status = command->run(argc, argv);
  // A drawing cut off by a full disk or a closed pipe must not look like a success.
  return finishStandardOutput() ? status : 1;
}
