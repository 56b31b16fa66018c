#include "format/puzzle_link.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "format/puzzle_line.h"
#include "format/strict_reader.h"
#include "tests/board_text.h"
#include "tests/random_puzzles.h"

namespace vantreel {
namespace {

using testing::boardOf;
using testing::lineOf;
using testing::linkOf;
using testing::sameCells;

constexpr const char* kWorkedLink = "https://puzz.link/p?kakuro/4/3/l60.m.07l.4636";

// Board to link and back, on both readers; a canonical link comes back unchanged.
void expectRoundTrip(const Board& board, bool strictly) {
  const std::string link = linkOf(board);
  Board lenient;
  ASSERT_TRUE(parseLineOrLink(lenient, link.c_str())) << link;
  EXPECT_EQ(lenient.level, 0);
  EXPECT_TRUE(sameCells(lenient, board)) << link;
  EXPECT_EQ(linkOf(lenient), link);
  if (!strictly) return;
  Board strict;
  std::string reason;
  ASSERT_TRUE(readStrict(link, strict, reason)) << reason << "\n" << link;
  EXPECT_EQ(strict.level, 0);
  EXPECT_TRUE(sameCells(strict, board)) << link;
}

TEST(PuzzleLink, RecognisesEveryHostAndPage) {
  for (const char* link : {kWorkedLink, "http://puzz.link/p?kakuro/4/3/l60.m.07l.4636",
                           "https://pzv.jp/p.html?kakuro/4/3/l60.m.07l.4636", "http://pzv.jp/p?kakuro/4/3/l60.m.07l.4636",
                           "p.html?kakuro/4/3/l60.m.07l.4636", "?kakuro/4/3/l60.m.07l.4636\r\n"}) {
    EXPECT_TRUE(isPuzzleLink(link)) << link;
    Board lenient, strict;
    std::string reason;
    ASSERT_TRUE(parseLineOrLink(lenient, link)) << link;
    ASSERT_TRUE(readStrict(std::string_view(link).substr(0, std::strcspn(link, "\r")), strict, reason)) << reason;
    for (const Board* board : {&lenient, &strict}) {
      EXPECT_EQ(board->level, 0);
      EXPECT_TRUE(sameCells(*board, boardOf("1/4/3/l60.m.07l.4636"))) << link;
    }
  }
  for (const char* text : {"1/4/3/l60.m.07l.4636", "https://puzz.link/p?nurikabe/4/3/l60", "?kakuro", "kakuro/4/3/"})
    EXPECT_FALSE(isPuzzleLink(text)) << text;
  // Both readers stop looking at a NUL byte, so they agree that this is no link.
  EXPECT_FALSE(isPuzzleLink(std::string_view("1/\x01\0ecp?kakuro/2/2/nghhg", 24)));
  Board board;
  EXPECT_FALSE(parseLineOrLink(board, "https://puzz.link/p?kakuro/4/3/l60.m"));
  EXPECT_FALSE(parseLineOrLink(board, "https://puzz.link/p?kakuro/4/"));
}

TEST(PuzzleLink, WritesTheWorkedExampleAndLeavesTheLineAsItWas) {
  const Board board = boardOf("1/4/3/l60.m.07l.4636");
  EXPECT_EQ(linkOf(board), kWorkedLink);
  EXPECT_EQ(lineOf(board), "1/4/3/l60.m.07l.4636\n");
}

TEST(PuzzleLink, RoundTripsEveryLineOfTheTestFiles) {
  int lines = 0, strictLines = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VANTREEL_TEST_DATA)) {
    if (entry.path().extension() != ".txt") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    for (std::string line; std::getline(file, line);) {
      Board board;
      if (!parseLineOrLink(board, line.c_str())) continue;
      // Hostile files hold boards no puzzle has (over-long runs): those go
      // through the lenient reader only.
      if (line.ends_with('\r')) line.pop_back();
      std::string reason;
      Board strict;
      SCOPED_TRACE(entry.path().filename().string() + ": " + line.substr(0, 60));
      const bool strictly = readStrict(line, strict, reason);
      expectRoundTrip(board, strictly);
      ++lines;
      strictLines += strictly;
    }
  }
  EXPECT_GT(lines, 150);
  EXPECT_GT(strictLines, 120);
}

TEST(PuzzleLink, RandomPuzzlesUpToTheLargestRoundTrip) {
  // Each puzzle's line also reads strictly into the same board, level included.
  std::mt19937 random(4711);
  for (int i = 0; i <= 40; ++i) {
    const int columns = i == 40 ? kMaxInterior : 2 + static_cast<int>(random() % (kMaxInterior - 1));
    const int rows = i == 40 ? kMaxInterior : 2 + static_cast<int>(random() % (kMaxInterior - 1));
    const Board puzzle = testing::makeRandomPuzzle(random, columns, rows, static_cast<int>(random() % 256) - 128);
    std::string line = lineOf(puzzle);
    line.pop_back();
    Board board;
    std::string reason;
    ASSERT_TRUE(readStrict(line, board, reason)) << reason << "\n" << line;
    EXPECT_TRUE(testing::sameBoard(board, puzzle)) << line;
    expectRoundTrip(puzzle, true);
  }
}

}  // namespace
}  // namespace vantreel
