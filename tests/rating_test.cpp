#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "explain/explainer.h"
#include "explain/rating.h"
#include "format/puzzle_line.h"
#include "solver/solution_count.h"
#include "tests/committed_puzzles.h"

namespace vantreel {
namespace {

using testing::puzzleLines;

constexpr std::array<Technique, 9> kTechniques = {
    Technique::UniqueSum,   Technique::CrossIntersection,      Technique::RunDigits,
    Technique::NakedPair,   Technique::NakedTriple,            Technique::CombinationElimination,
    Technique::RegionSum,   Technique::Trial,                  Technique::ExhaustiveSearch};

Explanation pathOf(const std::vector<Technique>& techniques) {
  Explanation explanation;
  for (const Technique technique : techniques) {
    Step step;
    step.technique = technique;
    explanation.steps.push_back(step);
  }
  explanation.solved = true;
  return explanation;
}

std::vector<Technique> randomPath(std::mt19937& random) {
  std::vector<Technique> path(std::uniform_int_distribution<int>(0, 300)(random));
  // Mostly the simple techniques, as on real paths.
  std::discrete_distribution<int> pick({40, 30, 15, 5, 3, 3, 2, 1, 1});
  for (Technique& technique : path) technique = kTechniques[pick(random)];
  return path;
}

TEST(Rating, SimpleStepsAloneAreEasyHoweverManyThereAre) {
  for (const int count : {0, 1, 50, 5000}) {
    const Rating rating = rateExplanation(pathOf(std::vector<Technique>(count, Technique::CrossIntersection)));
    EXPECT_EQ(rating.value, 1) << count;
    EXPECT_STREQ(rating.name, "easy");
  }
}

TEST(Rating, NeverFallsWhenAStepIsAddedOrMadeHarder) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<Technique> path = randomPath(random);
    const int before = rateExplanation(pathOf(path)).value;
    ASSERT_GE(before, kLowestRating);
    ASSERT_LE(before, kHighestRating);
    std::vector<Technique> longer = path;
    longer.insert(longer.begin() + random() % (path.size() + 1), kTechniques[random() % kTechniques.size()]);
    EXPECT_GE(rateExplanation(pathOf(longer)).value, before);
    if (path.empty()) continue;
    const std::size_t at = random() % path.size();
    const int harder = static_cast<int>(path[at]) + 1 + static_cast<int>(random() % 3);
    path[at] = kTechniques[std::min<int>(harder, kTechniques.size() - 1)];
    EXPECT_GE(rateExplanation(pathOf(path)).value, before);
  }
}

TEST(Rating, AnAssumptionIsNeverBelowExpert) {
  std::mt19937 random(12);
  for (int trial = 0; trial < 100; ++trial) {
    std::vector<Technique> path = randomPath(random);
    path.push_back(Technique::Trial);
    EXPECT_GE(rateExplanation(pathOf(path)).value, 7);
    path.push_back(Technique::ExhaustiveSearch);
    EXPECT_GE(rateExplanation(pathOf(path)).value, 9);
  }
}

TEST(Rating, NamesCoverTheScaleInOrderedRanges) {
  EXPECT_STREQ(ratingName(0), "");
  EXPECT_STREQ(ratingName(kHighestRating + 1), "");
  const std::vector<std::string> order = {"easy", "medium", "hard", "expert", "master"};
  std::size_t at = 0;
  for (int value = kLowestRating; value <= kHighestRating; ++value) {
    while (at < order.size() && order[at] != ratingName(value)) ++at;
    ASSERT_LT(at, order.size()) << "rating " << value << " is " << ratingName(value);
  }
  EXPECT_EQ(at, order.size() - 1);
}

// The committed puzzles stand in for a collection made by hand: the scale
// must tell them apart, not put most of them on one value.
TEST(Rating, CommittedPuzzlesSpreadOverTheScale) {
  std::array<int, kHighestRating + 1> perValue{};
  int rated = 0;
  for (const char* name : {"tests/data/generated_11x11.txt", "tests/data/generated_15x15.txt",
                           "tests/data/generated_19x15.txt", "tests/data/generated_23x17.txt",
                           "bench/data/generated_12x12.txt", "bench/data/generated_24x18.txt",
                           "examples/puzzles.txt"}) {
    const std::vector<std::string> lines = puzzleLines(name);
    ASSERT_FALSE(lines.empty()) << name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Board board;
      ASSERT_TRUE(parseBoard(board, lines[i].c_str())) << name << " " << i + 1;
      const SolutionCount count = countSolutions(board, 2);
      ASSERT_EQ(count.found, 1) << name << " " << i + 1;
      const Rating rating = rateBoard(board, count.first);
      ASSERT_GE(rating.value, kLowestRating) << name << " " << i + 1;
      ASSERT_LE(rating.value, kHighestRating) << name << " " << i + 1;
      // The maker's header level is not an input.
      if (i % 25 == 0) {
        board.level = -5;
        EXPECT_EQ(rateBoard(board, count.first).value, rating.value) << name << " " << i + 1;
      }
      ++perValue[rating.value];
      ++rated;
    }
  }
  int used = 0;
  for (int value = kLowestRating; value <= kHighestRating; ++value) {
    EXPECT_LE(perValue[value] * 10, rated * 4) << "rating " << value << ": " << perValue[value] << " of " << rated;
    used += perValue[value] > 0;
  }
  EXPECT_GE(used, 8);
}

// The rating works out the path without words; it must be the very path
// explain prints, trials included.
TEST(Rating, PathWithoutWordsIsThePathExplained) {
  for (const char* name : {"tests/data/generated_11x11.txt", "tests/data/generated_23x17.txt",
                           "tests/data/explain_levels.txt", "examples/puzzles.txt"}) {
    const std::vector<std::string> lines = puzzleLines(name);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      Board board;
      ASSERT_TRUE(parseBoard(board, lines[i].c_str()));
      const SolutionCount count = countSolutions(board, 2);
      ASSERT_EQ(count.found, 1);
      const Explanation told = explainPuzzle(board, count.first, {});
      const Explanation quiet = explainPuzzle(board, count.first, {}, 1 << 30, Wording::None);
      ASSERT_EQ(quiet.steps.size(), told.steps.size()) << name << " " << i + 1;
      for (std::size_t k = 0; k < told.steps.size(); ++k) {
        const Step &a = told.steps[k], &b = quiet.steps[k];
        ASSERT_EQ(a.technique, b.technique) << name << " " << i + 1 << " step " << k + 1;
        ASSERT_EQ(a.placements.size(), b.placements.size()) << name << " " << i + 1 << " step " << k + 1;
        for (std::size_t j = 0; j < a.placements.size(); ++j) {
          EXPECT_EQ(a.placements[j].cell, b.placements[j].cell);
          EXPECT_EQ(a.placements[j].digit, b.placements[j].digit);
        }
        ASSERT_EQ(a.removals.size(), b.removals.size()) << name << " " << i + 1 << " step " << k + 1;
        for (std::size_t j = 0; j < a.removals.size(); ++j) {
          EXPECT_EQ(a.removals[j].cell, b.removals[j].cell);
          EXPECT_EQ(a.removals[j].digits, b.removals[j].digits);
        }
        EXPECT_FALSE(a.reason.empty());
        EXPECT_TRUE(b.reason.empty());
      }
      EXPECT_EQ(rateExplanation(quiet).value, rateExplanation(told).value);
    }
  }
}

}  // namespace
}  // namespace vantreel
