// The person's wording against the raw one over the committed puzzles: the
// same steps, naming the same runs, with none of the raw syntax left.
#include <gtest/gtest.h>

#include <regex>
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

// "r0c4 down 23 in 3" wherever the raw wording names a run.
RunNames rawRuns(const std::string& reason) {
  static const std::regex name(R"((r\d+c\d+) (across|down) [0-9?]+ in \d+)");
  RunNames runs;
  for (std::sregex_iterator at(reason.begin(), reason.end(), name), end; at != end; ++at)
    runs.emplace_back((*at)[1], (*at)[2]);
  return runs;
}

// "the down run from r0c4, 23 in 3 cells", and the lists of region sums,
// "the down runs from r0c4 (14 in 2 cells) and r0c5 (22 in 3 cells)".
RunNames personRuns(const std::string& reason) {
  static const std::regex first(R"((across|down) runs? from (r\d+c\d+)(, | \())");
  static const std::regex next(R"(^[^)]*\)(, | and )(r\d+c\d+) \()");
  RunNames runs;
  for (std::sregex_iterator at(reason.begin(), reason.end(), first), end; at != end; ++at) {
    const std::string direction = (*at)[1];
    runs.emplace_back((*at)[2], direction);
    if ((*at)[3] != " (") continue;
    std::smatch more;
    for (auto rest = (*at)[0].second; std::regex_search(rest, reason.end(), more, next); rest = more[0].second)
      runs.emplace_back(more[2], direction);
  }
  return runs;
}

// Marks of the raw wording: run names, sets of removed digits, placements.
bool hasRawSyntax(const std::string& text) {
  static const std::regex raw(R"((across|down) [0-9?]+ in \d|-\{|r\d+c\d+=|less the placed|allows \{| \(\d+ runs\))");
  return std::regex_search(text, raw);
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
