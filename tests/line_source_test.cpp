#include "app/line_source.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vantreel {
namespace {

using namespace std::string_literals;

struct ReadLine {
  std::string content;
  bool blank;
};

std::vector<ReadLine> readAll(const std::string& text) {
  std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  std::vector<ReadLine> lines;
  LineSource source(file);
  while (source.next()) lines.push_back({std::string(source.content()), source.isBlank()});
  std::fclose(file);
  return lines;
}

TEST(LineSource, SkipsAByteOrderMarkAtTheStartOnly) {
  const auto lines = readAll("\xEF\xBB\xBF" "1/0/0/\n\xEF\xBB\xBF" "2/0/0/\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].content, "1/0/0/");
  EXPECT_EQ(lines[1].content, "\xEF\xBB\xBF" "2/0/0/");
}

TEST(LineSource, ALineOfOnlyTheMarkIsBlank) {
  const auto lines = readAll("\xEF\xBB\xBF\r\n \n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].content, "");
  EXPECT_TRUE(lines[0].blank);
  EXPECT_TRUE(lines[1].blank);
}

TEST(LineSource, KeepsAnIncompleteMarkAndNulBytes) {
  EXPECT_EQ(readAll("\xEF\xBB" "1/0/0/\n")[0].content, "\xEF\xBB" "1/0/0/");
  EXPECT_EQ(readAll("\xEF\xBB")[0].content, "\xEF\xBB");
  EXPECT_EQ(readAll("1/0\0/0/\n"s)[0].content, "1/0\0/0/"s);
}

}  // namespace
}  // namespace vantreel
