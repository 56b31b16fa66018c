#include "explain/rating.h"

#include <algorithm>

#include "explain/explainer.h"

namespace vantreel {
namespace {

// Lowest total work points of each rating from 2 up; calibrated so that the
// committed generated puzzles spread over the scale (README, rating scale).
constexpr int kPointsFor[kHighestRating + 1] = {0, 0, 1, 3, 6, 10, 16, 26, 42, 70, 120};

// A rating the hardest step alone calls for, whatever the amount of work:
// a chain of assumptions is never easy however short the path.
int floorOfHardest(int level) {
  switch (level) {
    case 1:
    case 2: return 1;
    case 3: return 3;
    case 4: return 4;
    case 5: return 5;
    case 6: return 7;
    default: return 9;
  }
}

}  // namespace

int stepEffort(Technique technique) {
  switch (technique) {
    case Technique::UniqueSum:
    case Technique::CrossIntersection: return 0;
    case Technique::RunDigits: return 1;
    case Technique::NakedPair: return 4;
    case Technique::NakedTriple: return 6;
    case Technique::CombinationElimination: return 8;
    case Technique::RegionSum: return 12;
    case Technique::Trial: return 30;
    case Technique::ExhaustiveSearch: return 60;
  }
  return 60;
}

const char* ratingName(int rating) {
  static constexpr const char* kNames[kHighestRating + 1] = {
      "", "easy", "easy", "medium", "medium", "hard", "hard", "expert", "expert", "master", "master"};
  return rating >= kLowestRating && rating <= kHighestRating ? kNames[rating] : "";
}

Rating rateExplanation(const Explanation& explanation) {
  int points = 0, hardest = 1;
  for (const Step& step : explanation.steps) {
    points += stepEffort(step.technique);
    hardest = std::max(hardest, techniqueLevel(step.technique));
  }
  int value = kLowestRating;
  while (value < kHighestRating && points >= kPointsFor[value + 1]) ++value;
  value = std::max(value, floorOfHardest(hardest));
  return {value, ratingName(value)};
}

Rating rateBoard(const Board& board, const std::vector<std::uint8_t>& solution) {
  const Explanation explanation = explainPuzzle(board, solution, {}, 1 << 30, Wording::None);
  if (explanation.steps.empty() && !explanation.solved) return {};
  return rateExplanation(explanation);
}

}  // namespace vantreel
