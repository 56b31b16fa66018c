#include "explain/candidate_drawing.h"

#include <algorithm>

namespace vantreel {
namespace {

constexpr std::size_t kBox = 5;
// More candidates than this are shown as "." : a person pencils in only a few.
constexpr int kShownCandidates = 5;

std::string centred(const std::string& text) {
  const std::size_t left = (kBox - text.size()) / 2;
  return std::string(left, ' ') + text + std::string(kBox - text.size() - left, ' ');
}

std::string clueBox(const Board& board, int cell) {
  const int across = board.sums[2 * cell], down = board.sums[2 * cell + 1];
  const auto part = [](int sum) { return sum == 0 ? std::string() : std::to_string(sum); };
  std::string downText = part(down), acrossText = part(across);
  downText.insert(0, 2 - std::min<std::size_t>(2, downText.size()), ' ');
  acrossText.append(2 - std::min<std::size_t>(2, acrossText.size()), ' ');
  return downText + "\\" + acrossText;
}

}  // namespace

std::string drawCandidates(const Board& board, const CandidateGrid& grid, const std::vector<int>& marked) {
  std::string text;
  for (int row = 0; row < board.height; ++row) {
    std::string line;
    for (int column = 0; column < board.width; ++column) {
      const int cell = row * board.width + column;
      const bool white = board.kinds[cell] == CellKind::White;
      const bool clue = board.kinds[cell] == CellKind::Clue;
      const DigitSet candidates = grid.candidates[cell];
      std::string box;
      if (clue) box = clueBox(board, cell);
      else if (!white) box = "#####";
      else if (DigitCountTable[candidates] > kShownCandidates) box = centred(".");
      else {
        std::string digits;
        for (DigitSet left = candidates; left != 0; left &= left - 1)
          digits += char('0' + digitOf(lowestDigit(left)));
        box = centred(digits.empty() ? "!" : digits);
      }
      line += box;
      line += std::find(marked.begin(), marked.end(), cell) != marked.end() ? '<' : ' ';
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + '\n';
  }
  return text;
}

}  // namespace vantreel
