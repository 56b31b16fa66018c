#include "explain/person_words.h"

#include <utility>

namespace vantreel {

std::string digitWords(DigitSet digits, const char* last) {
  std::string text;
  for (DigitSet left = digits; left != 0; left &= left - 1) {
    if (!text.empty()) text += (left & (left - 1)) == 0 ? std::string(" ") + last + " " : std::string(", ");
    text += std::to_string(digitOf(lowestDigit(left)));
  }
  return text;
}

std::string cellWords(const CandidateGrid& grid, const std::vector<int>& cells) {
  std::string text;
  for (std::size_t i = 0; i < cells.size(); ++i)
    text += (i == 0 ? "" : i + 1 == cells.size() ? " and " : ", ") + cellName(grid, cells[i]);
  return text;
}

std::string runSize(const ExplainRun& run) {
  const std::string cells = std::to_string(run.length) + (run.length == 1 ? " cell" : " cells");
  return run.sum == 0 ? cells + " with no sum yet" : std::to_string(run.sum) + " in " + cells;
}

std::string runLeaves(DigitSet allowed) {
  // Past six digits a person sees what is missing rather than what is left.
  constexpr int kListed = 6;
  if (allowed == kAllDigits) return "allows any digit";
  if (DigitCountTable[allowed] > kListed)
    return "allows any digit but " + digitWords(DigitSet(kAllDigits & ~allowed), "and");
  return "leaves only " + digitWords(allowed);
}

std::string runOwes(const CandidateGrid& grid, const ExplainRun& run, const OpenPart& open,
                    const std::string& predicate) {
  std::string text = runName(grid, run);
  if (open.placed == 0) return predicate.empty() ? text : text + ", " + predicate;
  text += ", already holds " + digitWords(open.placed, "and") + ", so its ";
  text += open.openCount == 1 ? std::string("last cell") : "other " + std::to_string(open.openCount) + " cells";
  if (run.sum == 0) return predicate.empty() ? text : text + " " + predicate;
  text += (open.openCount == 1 ? " must hold " : " add up to ") + std::to_string(open.remainder);
  return predicate.empty() ? text : text + " and " + predicate;
}

namespace {

// What a cell losing `removed` and keeping `left` can still be: "cannot be 1 or 2", "can only be 9".
std::string losesWords(DigitSet removed, DigitSet left, const std::string& mood) {
  const bool fewerLeft = left != 0 && DigitCountTable[left] < DigitCountTable[removed];
  if (fewerLeft) return mood + " only be " + digitWords(left);
  return (mood == "can" ? std::string("cannot") : mood + " not") + " be " + digitWords(removed);
}

}  // namespace

std::string cellLoses(const CandidateGrid& grid, int cell, DigitSet removed, DigitSet left, const char* mood) {
  return cellName(grid, cell) + " " + losesWords(removed, left, mood);
}

std::string wouldFollow(const CandidateGrid& before, const Step& step) {
  // Cells that would end alike are named together: "r5c2 and r6c2 could not be 7".
  std::vector<std::pair<std::vector<int>, std::string>> parts;
  const auto add = [&](int cell, const std::string& what) {
    for (auto& part : parts)
      if (part.second == what) {
        part.first.push_back(cell);
        return;
      }
    parts.push_back({{cell}, what});
  };
  for (const Placement& placement : step.placements) add(placement.cell, "would be " + std::to_string(placement.digit));
  for (const Removal& removal : step.removals)
    add(removal.cell, losesWords(removal.digits, DigitSet(before.candidates[removal.cell] & ~removal.digits), "could"));
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + cellWords(before, parts[i].first) + " " +
            parts[i].second;
  return text;
}

}  // namespace vantreel
