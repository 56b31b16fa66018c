// vantreel-words: the newer commands that parse their options with CLI11, as
// a program of their own (see helper_program.h). vantreel runs it with the
// command word as argv[0], after it has set up the standard descriptors.
#include <cstdio>

#include "app/commands.h"
#include "app/standard_output.h"

int main(int argc, char** argv) {
  using namespace vantreel;
  const Command* command = argc >= 1 ? findCommand<Program::Words>(argv[0]) : nullptr;
  if (command == nullptr || command->run == nullptr) {
    std::fprintf(stderr, "vantreel-words: runs as 'vantreel WORD ...'; see 'vantreel --help'\n");
    return 2;
  }
  const int status = command->run(argc, argv);
  // Output cut off by a full disk or a closed pipe must not look like a success.
  return finishStandardOutput() ? status : 1;
}
