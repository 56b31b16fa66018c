// The person's wording against the raw one over the committed puzzles: the
// same steps, naming the same runs, with none of the raw syntax left.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "explain/explainer.h"
#include "explain/step_groups.h"
#include "format/puzzle_line.h"
#include "solver/solution_count.h"
#include "tests/committed_puzzles.h"

namespace vantreel {
namespace {

using testing::puzzleLines;
using RunNames = std::vector<std::pair<std::string, std::string>>;  // clue cell, direction
constexpr std::size_t kNo = std::string::npos;

// Plain scanning rather than std::regex, whose libstdc++ code trips the
// sanitizer build's uninitialised-use warning. Each returns the end of what
// it read at `at`, or kNo.
std::size_t digitsAt(const std::string& text, std::size_t at, bool question = false) {
  std::size_t end = at;
  while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || (question && text[end] == '?')))
    ++end;
  return end > at ? end : kNo;
}
std::size_t wordAt(const std::string& text, std::size_t at, const char* word) {
  const std::size_t length = std::strlen(word);
  return at != kNo && text.compare(at, length, word) == 0 ? at + length : kNo;
}
std::size_t cellAt(const std::string& text, std::size_t at) {  // "r3c14"
  std::size_t end = wordAt(text, at, "r");
  if (end != kNo) end = digitsAt(text, end);
  if (end != kNo) end = wordAt(text, end, "c");
  return end != kNo ? digitsAt(text, end) : kNo;
}
std::size_t directionAt(const std::string& text, std::size_t at, std::string& direction) {
  for (const char* word : {"across", "down"})
    if (const std::size_t end = wordAt(text, at, word); end != kNo) return direction = word, end;
  return kNo;
}
// "across 23 in 3" or "down 7? in 2" and the like: a raw run's sum and length.
std::size_t rawSumAt(const std::string& text, std::size_t at, std::string& direction) {
  std::size_t end = directionAt(text, at, direction);
  if (end != kNo) end = wordAt(text, end, " ");
  if (end != kNo) end = digitsAt(text, end, true);
  if (end != kNo) end = wordAt(text, end, " in ");
  return end != kNo ? digitsAt(text, end) : kNo;
}

// "r0c4 down 23 in 3" wherever the raw wording names a run.
RunNames rawRuns(const std::string& reason) {
  RunNames runs;
  for (std::size_t at = 0; at < reason.size(); ++at) {
    const std::size_t cell = cellAt(reason, at);
    std::string direction;
    const std::size_t end = cell == kNo ? kNo : rawSumAt(reason, wordAt(reason, cell, " ") == kNo ? kNo : cell + 1,
                                                         direction);
    if (end == kNo) continue;
    runs.emplace_back(reason.substr(at, cell - at), direction);
    at = end - 1;
  }
  return runs;
}

// "the down run from r0c4, 23 in 3 cells", and the lists of region sums,
// "the down runs from r0c4 (14 in 2 cells) and r0c5 (22 in 3 cells)".
RunNames personRuns(const std::string& reason) {
  RunNames runs;
  for (std::size_t at = 0; at < reason.size(); ++at) {
    std::string direction;
    std::size_t end = directionAt(reason, at, direction);
    if (end == kNo) continue;
    std::size_t from = wordAt(reason, end, " run from ");
    if (from == kNo) from = wordAt(reason, end, " runs from ");
    const std::size_t cell = cellAt(reason, from);
    if (cell == kNo) continue;
    const bool list = wordAt(reason, cell, " (") != kNo;
    if (!list && wordAt(reason, cell, ", ") == kNo) continue;
    runs.emplace_back(reason.substr(from, cell - from), direction);
    at = cell - 1;
    // Each further "(...), rRcC (" or "(...) and rRcC (" of the list.
    for (std::size_t rest = cell; list;) {
      const std::size_t close = reason.find(')', rest);
      if (close == kNo) break;
      std::size_t next = wordAt(reason, close + 1, ", ");
      if (next == kNo) next = wordAt(reason, close + 1, " and ");
      const std::size_t nextCell = cellAt(reason, next);
      if (nextCell == kNo || wordAt(reason, nextCell, " (") == kNo) break;
      runs.emplace_back(reason.substr(next, nextCell - next), direction);
      rest = at = nextCell;
    }
  }
  return runs;
}

// Marks of the raw wording: run names, sets of removed digits, placements.
bool hasRawSyntax(const std::string& text) {
  for (const char* mark : {"-{", "less the placed", "allows {"})
    if (text.find(mark) != kNo) return true;
  for (std::size_t at = 0; at < text.size(); ++at) {
    std::string direction;
    if (rawSumAt(text, at, direction) != kNo) return true;
    if (const std::size_t cell = cellAt(text, at); cell != kNo && wordAt(text, cell, "=") != kNo) return true;
    if (const std::size_t count = digitsAt(text, at); at >= 2 && text.compare(at - 2, 2, " (") == 0 && count != kNo &&
                                                       wordAt(text, count, " runs)") != kNo)
      return true;
  }
  return false;
}

TEST(PersonWording, NamesTheRunsOfTheRawWordingAndNoneOfItsSyntax) {
  int named = 0;
  for (const char* file : {"tests/data/generated_11x11.txt", "tests/data/explain_levels.txt",
                           "tests/data/worked_example.txt", "examples/puzzles.txt"})
    for (const std::string& line : puzzleLines(file)) {
      Board board;
      ASSERT_TRUE(parseBoard(board, line.c_str())) << file;
      const SolutionCount count = countSolutions(board, 2);
      ASSERT_EQ(count.found, 1) << file;
      const Explanation raw = explainPuzzle(board, count.first, {});
      const Explanation person = explainPuzzle(board, count.first, {}, 1 << 30, Wording::Person);
      ASSERT_EQ(person.steps.size(), raw.steps.size()) << file;
      for (std::size_t k = 0; k < raw.steps.size(); ++k) {
        const std::string& words = person.steps[k].reason;
        ASSERT_EQ(person.steps[k].technique, raw.steps[k].technique) << file << " step " << k + 1;
        ASSERT_EQ(person.steps[k].placements.size(), raw.steps[k].placements.size()) << file << " step " << k + 1;
        ASSERT_EQ(person.steps[k].removals.size(), raw.steps[k].removals.size()) << file << " step " << k + 1;
        EXPECT_FALSE(words.empty()) << file << " step " << k + 1;
        EXPECT_FALSE(hasRawSyntax(words)) << file << " step " << k + 1 << ": " << words;
        EXPECT_EQ(personRuns(words), rawRuns(raw.steps[k].reason))
            << file << " step " << k + 1 << ":\n" << raw.steps[k].reason << "\n" << words;
        named += static_cast<int>(rawRuns(raw.steps[k].reason).size());
      }
      // The whole sentence of each step a person reads.
      CandidateGrid grid;
      ASSERT_TRUE(buildCandidateGrid(board, grid));
      for (const StepGroup& group : groupSteps(grid, person.steps)) {
        applyGroup(grid, person.steps, group);
        const std::string sentence = personSentence(grid, person.steps, group);
        EXPECT_NE(sentence.find(", because "), std::string::npos) << sentence;
        EXPECT_FALSE(hasRawSyntax(sentence)) << sentence;
      }
    }
  EXPECT_GT(named, 1000);  // the comparison has runs to compare
}

TEST(PersonWording, ReadsBothKindsOfRunName) {
  EXPECT_EQ(rawRuns("r3c5 and r9c5 of r0c5 down 45 in 9 hold only {7,8}; r1c0 across ? in 3"),
            (RunNames{{"r0c5", "down"}, {"r1c0", "across"}}));
  EXPECT_EQ(personRuns("the down runs from r0c4 (14 in 2 cells) and r0c5 (22 in 3 cells) crossing row 1 around "
                       "r1c4 add up to 36, and the across run from r1c3 (17 in 2 cells) there adds up to 17, so r2c4 "
                       "and r3c5 add up to 19; for r2c2, the down run from r0c2, 9 in 2 cells, allows any digit"),
            (RunNames{{"r0c4", "down"}, {"r0c5", "down"}, {"r1c3", "across"}, {"r0c2", "down"}}));
  EXPECT_TRUE(hasRawSyntax("r0c1 down 16 in 2 is {7,9}"));
  EXPECT_TRUE(hasRawSyntax("if r1c1 were 1: r1c2=8; then"));
  EXPECT_FALSE(hasRawSyntax("the down run from r0c1, 16 in 2 cells, can only be {7,9}"));
}

}  // namespace
}  // namespace vantreel
