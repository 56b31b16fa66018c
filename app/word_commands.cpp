#include "app/word_commands.h"

#include <cstring>

#include "app/sibling_program.h"

namespace vantreel {
namespace {

// Every newer command runs in a sibling program (see sibling_program.h);
// vantreel-words holds the commands themselves (words_main.cpp).
constexpr WordCommand kWordCommands[] = {
    {"check", runWordsProgram},
    {"link", runWordsProgram},
    {"print", runPrintProgram},
    {"generate", runWordsProgram},
    {"explain", runWordsProgram},
};

}  // namespace

const WordCommand* findWordCommand(const char* word) {
  for (const WordCommand& command : kWordCommands)
    if (command.run != nullptr && std::strcmp(command.word, word) == 0) return &command;
  return nullptr;
}

}  // namespace vantreel
