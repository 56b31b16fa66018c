#include "explain/person_words.h"

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
  if (DigitCountTable[allowed] > kListed) return "allows any digit but " + digitWords(DigitSet(kAllDigits & ~allowed), "and");
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

std::string cellLoses(const CandidateGrid& grid, int cell, DigitSet removed, DigitSet left, const char* mood) {
  const bool fewerLeft = left != 0 && DigitCountTable[left] < DigitCountTable[removed];
  const std::string can = mood;
  if (fewerLeft) return cellName(grid, cell) + " " + can + " only be " + digitWords(left);
  return cellName(grid, cell) + " " + (can == "can" ? "cannot" : can + " not") + " be " + digitWords(removed);
}

std::string wouldFollow(const CandidateGrid& before, const Step& step) {
  const CandidateGrid& grid = before;
  std::vector<std::string> parts;
  for (const Placement& placement : step.placements)
    parts.push_back(cellName(grid, placement.cell) + " would be " + std::to_string(placement.digit));
  for (const Removal& removal : step.removals)
    parts.push_back(cellLoses(grid, removal.cell, removal.digits,
                              DigitSet(grid.candidates[removal.cell] & ~removal.digits), "could"));
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace vantreel
