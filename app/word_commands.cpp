#include "app/word_commands.h"

#include <cstring>

#include "app/check_command.h"
#include "app/explain_command.h"
#include "app/generate_command.h"
#include "app/link_command.h"
#include "app/print_program.h"

namespace vantreel {
namespace {

constexpr WordCommand kWordCommands[] = {
    {"check", runCheck},
    {"link", runLink},
    {"print", runPrintProgram},
    {"generate", runGenerate},
    {"explain", runExplain},
};

}  // namespace

const WordCommand* findWordCommand(const char* word) {
  for (const WordCommand& command : kWordCommands)
    if (command.run != nullptr && std::strcmp(command.word, word) == 0) return &command;
  return nullptr;
}

}  // namespace vantreel
