#include "explain/region_sums.h"

#include <algorithm>

#include "explain/person_words.h"

namespace vantreel {
namespace {

constexpr int kMaxGroup = 3;
// Wider bands rarely close a region a person would look at, and on a large
// board they would cost a scan of most of the grid each.
constexpr int kMaxBandLines = 10;

bool shareRun(const CandidateGrid& grid, int a, int b) {
  for (int direction = 0; direction < 2; ++direction)
    if (grid.runOf[a][direction] != kNoRun && grid.runOf[a][direction] == grid.runOf[b][direction]) return true;
  return false;
}

// Fillings of cells[index..] adding up to `left`; ORs each cell's usable digits into support.
bool fill(const CandidateGrid& grid, const int* cells, int count, int index, int left, int* chosen,
          DigitSet* support) {
  if (index == count || index == kMaxGroup) return left == 0;
  bool any = false;
  for (DigitSet rest = grid.candidates[cells[index]]; rest != 0; rest &= rest - 1) {
    const int digit = digitOf(lowestDigit(rest));
    if (digit > left) break;
    bool clash = false;
    for (int j = 0; j < index; ++j) clash = clash || (chosen[j] == digit && shareRun(grid, cells[j], cells[index]));
    if (clash) continue;
    chosen[index] = digit;
    if (fill(grid, cells, count, index + 1, left - digit, chosen, support)) {
      support[index] |= lowestDigit(rest);
      any = true;
    }
  }
  return any;
}

// One orientation: bands of rows with across runs along them (along = 0), or
// bands of columns with down runs along them (along = 1).
struct Band {
  int along;
  int first, last;  // lines of the band, interior numbering
  int lineOf(const CandidateGrid& grid, int cell) const { return along == 0 ? cell / grid.width : cell % grid.width; }
  bool holds(const CandidateGrid& grid, int cell) const {
    const int line = lineOf(grid, cell);
    return line >= first && line <= last;
  }
};

struct Group {
  int total = 0;
  std::vector<int> open;
  bool placedSubtracted = false;
};

void addCell(const CandidateGrid& grid, int cell, Group& group) {
  const DigitSet candidates = grid.candidates[cell];
  if (isPlaced(candidates)) {
    group.total -= digitOf(candidates);
    group.placedSubtracted = true;
  } else {
    group.open.push_back(cell);
  }
}

std::string lineWord(const Band& band) {
  const std::string word = band.along == 0 ? "row" : "column";
  if (band.first == band.last) return word + " " + std::to_string(band.first);
  return word + "s " + std::to_string(band.first) + "-" + std::to_string(band.last);
}

// "(r0c4 down 14 in 2, r0c5 down 22 in 3)", or just how many when the list would be long.
std::string runList(const CandidateGrid& grid, const std::vector<int>& runs) {
  constexpr std::size_t kNamed = 4;
  std::string text = "(";
  if (runs.size() > kNamed) {
    text += std::to_string(runs.size());
    text += " runs)";
    return text;
  }
  for (int run : runs) {
    if (text.size() > 1) text += ", ";
    text += runName(grid, grid.runs[run]);
  }
  text += ')';
  return text;
}

// The person's "rows 2 and 3", "rows 2 to 5".
std::string personLines(const Band& band) {
  const std::string word = band.along == 0 ? "row" : "column";
  if (band.first == band.last) return word + " " + std::to_string(band.first);
  return word + "s " + std::to_string(band.first) + (band.last == band.first + 1 ? " and " : " to ") +
         std::to_string(band.last);
}

// The person's "the down runs from r0c4 (14 in 2 cells) and r0c5 (22 in 3
// cells) add up to 36", just counted when the list would be long.
std::string personRunSum(const CandidateGrid& grid, const std::vector<int>& runs, const char* direction,
                         const std::string& where, int total) {
  constexpr std::size_t kNamed = 4;
  const bool one = runs.size() == 1;
  std::string text = "the ";
  if (runs.size() > kNamed) {
    text += std::to_string(runs.size()) + " " + direction + " runs " + where;
  } else {
    text += std::string(direction) + (one ? " run from " : " runs from ");
    for (std::size_t i = 0; i < runs.size(); ++i)
      text += (i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ") + cellName(grid, grid.runs[runs[i]].clue) + " (" +
              runSize(grid.runs[runs[i]]) + ")";
    text += " " + where;
  }
  return text + (one ? " adds up to " : " add up to ") + std::to_string(total);
}

// The sums are put into words only for a group that narrows something.
template <typename Words>
bool tryGroup(const CandidateGrid& grid, const Group& group, Words sumsInWords, Step& step) {
  if (group.open.empty() || static_cast<int>(group.open.size()) > kMaxGroup) return false;
  step = Step{};
  narrowToTotal(grid, group.open.data(), static_cast<int>(group.open.size()), group.total, step);
  if (!step.changes()) return false;
  step.technique = Technique::RegionSum;
  if (!grid.withReasons()) return true;
  const std::string cells = cellWords(grid, group.open);
  if (grid.wording == Wording::Person) {
    step.reason = sumsInWords() + ", so " +
                  (group.placedSubtracted ? "besides the digits already placed there, " : "") + cells +
                  (group.open.size() == 1 ? " holds " : " add up to ") + std::to_string(group.total);
    return true;
  }
  step.reason = sumsInWords() + ", so " + cells + (group.open.size() == 1 ? " holds " : " add up to ") +
                std::to_string(group.total) + (group.placedSubtracted ? " besides the placed digits" : "");
  return true;
}

// The region: white cells of the band connected to `start` inside the band.
bool examineRegion(const CandidateGrid& grid, const Band& band, const std::vector<int>& region, Step& step) {
  const int cross = 1 - band.along;
  std::vector<int> alongRuns, crossRuns, innerRuns;
  bool everyCellCrossed = true;
  for (int cell : region) {
    const int alongRun = grid.runOf[cell][band.along];
    if (alongRun == kNoRun || grid.runs[alongRun].sum == 0) return false;
    alongRuns.push_back(alongRun);
    const int crossRun = grid.runOf[cell][cross];
    if (crossRun == kNoRun || grid.runs[crossRun].sum == 0) {
      everyCellCrossed = false;
      continue;
    }
    crossRuns.push_back(crossRun);
    const ExplainRun& run = grid.runs[crossRun];
    if (band.holds(grid, run.cells[0]) && band.holds(grid, run.cells[run.length - 1])) innerRuns.push_back(crossRun);
  }
  for (auto* list : {&alongRuns, &crossRuns, &innerRuns}) {
    std::sort(list->begin(), list->end());
    list->erase(std::unique(list->begin(), list->end()), list->end());
  }
  int alongTotal = 0, crossTotal = 0, innerTotal = 0;
  for (int run : alongRuns) alongTotal += grid.runs[run].sum;
  for (int run : crossRuns) crossTotal += grid.runs[run].sum;
  for (int run : innerRuns) innerTotal += grid.runs[run].sum;
  const char* alongWord = band.along == 0 ? "across" : "down";
  const char* crossWord = band.along == 0 ? "down" : "across";
  const auto where = [&] { return lineWord(band) + " around " + cellName(grid, region.front()); };

  // Cells of the region outside every inner crossing run.
  Group inner{alongTotal - innerTotal, {}, false};
  std::vector<char> covered(grid.candidates.size(), 0);
  for (int run : innerRuns)
    for (int i = 0; i < grid.runs[run].length; ++i) covered[grid.runs[run].cells[i]] = 1;
  for (int cell : region)
    if (!covered[cell]) addCell(grid, cell, inner);
  if (!innerRuns.empty() &&
      tryGroup(grid, inner,
               [&] {
                 if (grid.wording == Wording::Person)
                   return personRunSum(grid, alongRuns, alongWord, "of " + personLines(band) + " around " +
                                       cellName(grid, region.front()), alongTotal) +
                          ", and " + personRunSum(grid, innerRuns, crossWord, "inside them", innerTotal);
                 return std::string("the ") + alongWord + " runs of " + where() + " " + runList(grid, alongRuns) + " add up to " +
                        std::to_string(alongTotal) + " and the " + crossWord + " runs inside them " +
                        runList(grid, innerRuns) + " to " + std::to_string(innerTotal);
               },
               step))
    return true;

  // Cells of the crossing runs that stick out of the band.
  if (!everyCellCrossed) return false;
  Group outer{crossTotal - alongTotal, {}, false};
  for (int run : crossRuns)
    for (int i = 0; i < grid.runs[run].length; ++i)
      if (!band.holds(grid, grid.runs[run].cells[i])) addCell(grid, grid.runs[run].cells[i], outer);
  return tryGroup(
      grid, outer,
      [&] {
        if (grid.wording == Wording::Person)
          return personRunSum(grid, crossRuns, crossWord, "crossing " + personLines(band) + " around " +
                              cellName(grid, region.front()), crossTotal) +
                 ", and " + personRunSum(grid, alongRuns, alongWord, "there", alongTotal);
        return std::string("the ") + crossWord + " runs crossing " + where() + " " + runList(grid, crossRuns) + " add up to " +
               std::to_string(crossTotal) + " and the " + alongWord + " runs there " + runList(grid, alongRuns) +
               " to " + std::to_string(alongTotal);
      },
      step);
}

}  // namespace

void narrowToTotal(const CandidateGrid& grid, const int* cells, int count, int total, Step& step) {
  count = std::min(count, kMaxGroup);
  int chosen[kMaxGroup] = {};
  DigitSet support[kMaxGroup] = {};
  fill(grid, cells, count, 0, total, chosen, support);
  for (int i = 0; i < count; ++i) narrowCell(step, grid, cells[i], support[i]);
}

bool findRegionSum(const CandidateGrid& grid, Step& step) {
  std::vector<int> stamp(grid.candidates.size(), -1);
  std::vector<int> region, queue;
  int stampNumber = 0;
  // Narrow bands first: they are the easier regions to see.
  const int longest = std::min(std::max(grid.width, grid.height) - 1, kMaxBandLines);
  for (int span = 0; span < longest; ++span)
    for (int along = 0; along < 2; ++along) {
      const int lines = (along == 0 ? grid.height : grid.width) - 1;
      for (int first = 1; first + span <= lines; ++first) {
        const Band band{along, first, first + span};
        ++stampNumber;
        for (int start : grid.whiteCells) {
          if (!band.holds(grid, start) || stamp[start] == stampNumber) continue;
          region.clear();
          queue.assign(1, start);
          stamp[start] = stampNumber;
          while (!queue.empty()) {
            const int cell = queue.back();
            queue.pop_back();
            region.push_back(cell);
            for (int next : {cell - 1, cell + 1, cell - grid.width, cell + grid.width}) {
              if (next < 0 || next >= static_cast<int>(grid.candidates.size())) continue;
              if (grid.runOf[next][0] == kNoRun && grid.runOf[next][1] == kNoRun) continue;  // not white
              if (stamp[next] == stampNumber || !band.holds(grid, next)) continue;
              stamp[next] = stampNumber;
              queue.push_back(next);
            }
          }
          std::sort(region.begin(), region.end());
          if (examineRegion(grid, band, region, step)) return true;
        }
      }
    }
  return false;
}

}  // namespace vantreel
