#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace vantreel {
namespace {

CommandLine read(std::vector<const char*> words) {
  words.insert(words.begin(), "vantreel");
  return readCommandLine(static_cast<int>(words.size()), words.data());
}

TEST(CommandLine, SolveLettersNeedExactlyOneFile) {
  for (const char* word : {"s", "S", "solve", "sx"}) {
    const CommandLine line = read({word, "file"});
    EXPECT_EQ(line.command, Command::Solve) << word;
    EXPECT_STREQ(line.fileName, "file");
  }
  for (const char* word : {"d", "D", "dump"}) EXPECT_EQ(read({word, "file"}).command, Command::SolveStats) << word;
  EXPECT_EQ(read({"s"}).command, Command::Usage);
  EXPECT_EQ(read({"s", "file", "more"}).command, Command::Usage);
  // Bytes that differ from the letters only in bit 5's neighbours stay out.
  for (const char* word : {"x", "c", "\x93", "\xf3", "3"}) EXPECT_EQ(read({word, "file"}).command, Command::Usage) << word;
}

TEST(CommandLine, CreateTakesTheSizeDigit) {
  const char* words[] = {"c1", "C2", "c3", "c4", "c1x"};
  const int sizes[] = {1, 2, 3, 4, 1};
  for (int i = 0; i < 5; ++i) {
    const CommandLine line = read({words[i]});
    EXPECT_EQ(line.command, Command::Create) << words[i];
    EXPECT_EQ(line.sizeIndex, sizes[i]);
  }
  for (const char* word : {"c0", "c5", "c", "cx", "C", "\xe3" "1"}) EXPECT_EQ(read({word}).command, Command::Usage) << word;
  EXPECT_EQ(read({"c1", "extra"}).command, Command::Usage);
  EXPECT_EQ(read({}).command, Command::Usage);
}

TEST(CommandLine, HelpAndVersionAreWholeWordsAlone) {
  for (const char* word : {"--help", "-h", "help"}) EXPECT_EQ(read({word}).command, Command::Help) << word;
  EXPECT_EQ(read({"--version"}).command, Command::Version);
  // Anything near them keeps the usage text; "help" with a file is no solve letter.
  for (const char* word : {"--hel", "-help", "Help", "--versions", "-v", "--h"}) EXPECT_EQ(read({word}).command, Command::Usage) << word;
  EXPECT_EQ(read({"help", "file"}).command, Command::Usage);
  EXPECT_EQ(read({"--version", "x"}).command, Command::Usage);
}

}  // namespace
}  // namespace vantreel
