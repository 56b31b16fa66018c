#include <gtest/gtest.h>

#include <vector>

#include "app/mode_line.h"

namespace vantreel {
namespace {

CommandLine read(std::vector<const char*> words) {
  words.insert(words.begin(), "vantreel");
  return readCommandLine(static_cast<int>(words.size()), words.data());
}

TEST(CommandLine, SolveLettersNeedExactlyOneFile) {
  for (const char* word : {"s", "S", "solve", "sx"}) {
    const CommandLine line = read({word, "file"});
    EXPECT_EQ(line.mode, Mode::Solve) << word;
    EXPECT_STREQ(line.fileName, "file");
  }
  for (const char* word : {"d", "D", "dump"}) EXPECT_EQ(read({word, "file"}).mode, Mode::SolveStats) << word;
  EXPECT_EQ(read({"s"}).mode, Mode::Usage);
  EXPECT_EQ(read({"s", "file", "more"}).mode, Mode::Usage);
  // Bytes that differ from the letters only in bit 5's neighbours stay out.
  for (const char* word : {"x", "c", "\x93", "\xf3", "3"}) EXPECT_EQ(read({word, "file"}).mode, Mode::Usage) << word;
}

TEST(CommandLine, CreateTakesTheSizeDigit) {
  const char* words[] = {"c1", "C2", "c3", "c4", "c1x"};
  const int sizes[] = {1, 2, 3, 4, 1};
  for (int i = 0; i < 5; ++i) {
    const CommandLine line = read({words[i]});
    EXPECT_EQ(line.mode, Mode::Create) << words[i];
    EXPECT_EQ(line.sizeIndex, sizes[i]);
  }
  for (const char* word : {"c0", "c5", "c", "cx", "C", "\xe3" "1"}) EXPECT_EQ(read({word}).mode, Mode::Usage) << word;
  EXPECT_EQ(read({"c1", "extra"}).mode, Mode::Usage);
  EXPECT_EQ(read({}).mode, Mode::Usage);
}

TEST(CommandLine, HelpAndVersionAreWholeWordsAlone) {
  for (const char* word : {"--help", "-h", "help"}) EXPECT_EQ(read({word}).mode, Mode::Help) << word;
  EXPECT_EQ(read({"--version"}).mode, Mode::Version);
  // Anything near them keeps the usage text; "help" with a file is no solve letter.
  for (const char* word : {"--hel", "-help", "Help", "--versions", "-v", "--h"}) EXPECT_EQ(read({word}).mode, Mode::Usage) << word;
  EXPECT_EQ(read({"help", "file"}).mode, Mode::Usage);
  EXPECT_EQ(read({"--version", "x"}).mode, Mode::Usage);
}

}  // namespace
}  // namespace vantreel
