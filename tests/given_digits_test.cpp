#include "app/given_digits.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vantreel {
namespace {

// Random lists written every way a person might type them must read back as written.
TEST(GivenDigits, ReadsAnyMixOfCaseCommasAndSpaces) {
  std::mt19937 random(3);
  const std::vector<std::string> separators = {",", " ", ", ", "  ", "\t", " , "};
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<GivenDigit> written;
    std::string text = random() % 2 ? " " : "";
    const int count = 1 + random() % 6;
    for (int i = 0; i < count; ++i) {
      const GivenDigit given{static_cast<int>(random() % 130), static_cast<int>(random() % 130),
                             1 + static_cast<int>(random() % 9)};
      written.push_back(given);
      if (i > 0) text += separators[random() % separators.size()];
      text += random() % 2 ? 'r' : 'R';
      text += std::to_string(given.row);
      text += random() % 2 ? 'c' : 'C';
      text += std::to_string(given.column);
      text += random() % 3 == 0 ? " = " : "=";
      text += std::to_string(given.digit);
    }
    if (random() % 2) text += ",";
    std::vector<GivenDigit> read;
    std::string bad;
    ASSERT_TRUE(parseGivenDigits(text, read, bad)) << text << ": " << bad;
    ASSERT_EQ(read.size(), written.size()) << text;
    for (std::size_t i = 0; i < read.size(); ++i) {
      EXPECT_EQ(read[i].row, written[i].row) << text;
      EXPECT_EQ(read[i].column, written[i].column) << text;
      EXPECT_EQ(read[i].digit, written[i].digit) << text;
    }
  }
  std::vector<GivenDigit> none;
  std::string bad;
  EXPECT_TRUE(parseGivenDigits("", none, bad));
  EXPECT_TRUE(parseGivenDigits(" , ", none, bad));
  EXPECT_TRUE(none.empty());
}

TEST(GivenDigits, NamesTheFirstItemThatIsNotACellAndDigit) {
  const struct {
    const char* text;
    const char* bad;
    std::size_t kept;
  } cases[] = {
      {"r1c1=0", "r1c1=0", 0},          // no digit 0
      {"r1c1=10", "r1c1=10", 0},        // one digit only
      {"r2c3=4,x1c1=2", "x1c1=2", 1},
      {"r2c3=4 r5c6", "r5c6", 1},       // no digit at all
      {"r2c3=4 r5=6", "r5=6", 1},
      {"r-1c2=3", "r-1c2=3", 0},        // no sign
      {"r1234c1=3", "r1234c1=3", 0},    // past any board
      {"r1c1=3r2c2=4", "r1c1=3r2c2=4", 0},
      {"r1c1==3", "r1c1==3", 0},
      {"rc1=3", "rc1=3", 0},
      {"r1c1=", "r1c1=", 0},
      {"r1c1 = 5,r2c2 =", "r2c2 =", 1},  // shown as far as it was read
  };
  for (const auto& c : cases) {
    std::vector<GivenDigit> read;
    std::string bad;
    EXPECT_FALSE(parseGivenDigits(c.text, read, bad)) << c.text;
    EXPECT_EQ(bad, c.bad) << c.text;
    EXPECT_EQ(read.size(), c.kept) << c.text;
  }
}

}  // namespace
}  // namespace vantreel
