#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/commands.h"
#include "app/mode_line.h"

namespace vantreel {
namespace {

std::string fileText(const std::string& name) {
  std::ifstream in(std::string(VANTREEL_SOURCE_DIR) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The print helper's own table is left out: it links cairo, which the
// tests do not; the print end-to-end test runs that program instead.
TEST(CommandTable, EveryProgramRunsExactlyItsOwnRows) {
  for (const Command& command : kCommands<Program::Vantreel>) {
    const char* word = command.word;
    EXPECT_EQ(command.run, nullptr) << word;
    const Command& words = kCommands<Program::Words>[&command - kCommands<Program::Vantreel>];
    EXPECT_EQ(words.run != nullptr, command.program == Program::Words) << word;
    if (command.program == Program::Vantreel) {
      // The old modes are read by their first letters, never found as words.
      const char* line[] = {"vantreel", word, "FILE"};
      const int argc = word[0] == 's' || word[0] == 'd' ? 3 : 2;
      EXPECT_NE(readCommandLine(argc, line).mode, Mode::Usage) << word;
      EXPECT_EQ(findCommand<Program::Vantreel>(word), nullptr) << word;
    } else {
      EXPECT_EQ(findCommand<Program::Vantreel>(word), &command) << word;
    }
  }
  for (const char* word : {"", "chec", "checks", "Check", "generat", "s", "c1"})
    EXPECT_EQ(findCommand<Program::Words>(word), nullptr) << word;
}

// A command nobody can find in the documents might as well not exist.
TEST(CommandTable, ReadmeAndManualPageNameEveryCommand) {
  const std::string readme = fileText("README.md"), manual = fileText("doc/vantreel.1");
  ASSERT_FALSE(readme.empty());
  ASSERT_FALSE(manual.empty());
  for (const Command& command : kCommands<Program::Vantreel>) {
    std::string word = command.word;
    if (word == "help") word = "--help";
    EXPECT_NE(readme.find("`vantreel " + word), std::string::npos) << word << " in the README's command table";
    std::string manualWord;
    for (const char c : word) manualWord += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(manual.find(".B vantreel " + manualWord), std::string::npos) << word << " in the manual's synopsis";
  }
}

}  // namespace
}  // namespace vantreel
