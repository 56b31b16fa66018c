// vantreel-words: the commands that parse their options with CLI11, as a
// program of their own (see sibling_program.h). vantreel runs it with the
// command word as argv[0], after it has set up the standard descriptors.
#include <cstdio>
#include <cstring>

#include "app/check_command.h"
#include "app/explain_command.h"
#include "app/generate_command.h"
#include "app/link_command.h"
#include "app/standard_output.h"
#include "app/word_commands.h"

namespace {

constexpr vantreel::WordCommand kCommands[] = {
    {"check", vantreel::runCheck},
    {"link", vantreel::runLink},
    {"generate", vantreel::runGenerate},
    {"explain", vantreel::runExplain},
};

}  // namespace

int main(int argc, char** argv) {
  for (const vantreel::WordCommand& command : kCommands) {
    if (std::strcmp(command.word, argv[0]) != 0) continue;
    const int status = command.run(argc, argv);
    // Output cut off by a full disk or a closed pipe must not look like a success.
    return vantreel::finishStandardOutput() ? status : 1;
  }
  std::fprintf(stderr, "vantreel-words: runs as 'vantreel WORD ...'; see 'vantreel --help'\n");
  return 2;
}
