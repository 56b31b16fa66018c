#include "app/command_hint.h"

#include <gtest/gtest.h>

#include <string>

#include "app/commands.h"

namespace vantreel {
namespace {

TEST(CommandHint, CountsEachTypingSlipOnce) {
  EXPECT_EQ(editDistance("check", "check"), 0);
  EXPECT_EQ(editDistance("chek", "check"), 1);     // a letter left out
  EXPECT_EQ(editDistance("checck", "check"), 1);   // one too many
  EXPECT_EQ(editDistance("chack", "check"), 1);    // one changed
  EXPECT_EQ(editDistance("chcek", "check"), 1);    // two neighbours swapped
  EXPECT_EQ(editDistance("", "link"), 4);
  EXPECT_EQ(editDistance("abc", "xyz"), 3);
}

TEST(CommandHint, GuessesTheCommandOfASlip) {
  EXPECT_STREQ(nearestCommand("chek"), "check");
  EXPECT_STREQ(nearestCommand("lnik"), "link");
  EXPECT_STREQ(nearestCommand("explian"), "explain");
  EXPECT_STREQ(nearestCommand("generat"), "generate");
  EXPECT_STREQ(nearestCommand("Print"), "print");
}

TEST(CommandHint, GuessesNothingForFarWordsAndTheCommandsThemselves) {
  for (const Command& command : kCommands<Program::Vantreel>) EXPECT_EQ(nearestCommand(command.word), nullptr);
  const std::string longWord(200, 'a');
  for (const char* word : {"x", "xyz", "banana", "checkers", "", "zzzz", longWord.c_str()})
    EXPECT_EQ(nearestCommand(word), nullptr) << word;
}

}  // namespace
}  // namespace vantreel
