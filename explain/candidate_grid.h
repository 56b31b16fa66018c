#pragma once
// The explainer's own candidate model: a digit set per white cell and the
// runs with their clue, sum, length and cells. Kept plain and separate from
// the solving grid so that each technique reads like the rule it states.
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "format/board.h"
#include "tables/digit_tables.h"

namespace vantreel {

inline constexpr int kNoRun = -1;

// How techniques put their reasons: not at all (the rating, where the words
// would be most of a step's cost), in the explainer's own terse syntax
// ("r2c3 across 6 in 3 is {1,2,3}"), or as a person reads them.
enum class Wording { None, Raw, Person };

struct ExplainRun {
  int clue = 0;          // index of the clue cell
  bool across = true;
  int sum = 0;           // 0: the clue gives no sum, any digits fit
  int length = 0;
  std::array<int, 9> cells{};
};

struct CandidateGrid {
  int width = 0;   // border column included
  int height = 0;  // border row included
  std::vector<DigitSet> candidates;        // per board cell; 0 off white cells
  std::vector<ExplainRun> runs;            // across and down, in reading order of their clues
  std::vector<std::array<int, 2>> runOf;   // per cell: across run, down run, or kNoRun
  std::vector<int> whiteCells;             // reading order
  Wording wording = Wording::Raw;
  bool withReasons() const { return wording != Wording::None; }
};

// Open part of a run: what its unplaced cells still owe.
struct OpenPart {
  DigitSet placed = 0;   // digits of its cells with one candidate
  bool repeated = false; // two placed cells hold the same digit
  int remainder = 0;     // sum left for the open cells (meaningless for sum 0)
  int openCount = 0;
  std::array<int, 9> openCells{};
};

// Digit sets a run's open cells may still take, placed digits excluded.
struct ComboList {
  int count = 0;
  std::array<DigitSet, 126> sets{};  // at most 9 choose 4
};

// False for a run no filling can satisfy: longer than nine cells, or one
// cell whose sum names no digit.
[[nodiscard]] bool buildCandidateGrid(const Board& board, CandidateGrid& grid);

// One bit set; written out and inline because it is the hottest test of
// every technique, and without a popcount instruction the library's count is a call.
inline bool isPlaced(DigitSet candidates) { return candidates != 0 && (candidates & (candidates - 1)) == 0; }
inline int digitOf(DigitSet single) { return std::countr_zero(unsigned(single)) + 1; }
OpenPart openPartOf(const CandidateGrid& grid, const ExplainRun& run);
// Sets of openCount digits, none placed, adding up to the remainder.
ComboList openCombos(const ExplainRun& run, const OpenPart& open);
DigitSet unionOf(const ComboList& combos);
// The same without the list: the union of those sets, and the one set when
// there is exactly one (0 otherwise).
DigitSet openCombosUnion(const ExplainRun& run, const OpenPart& open);
DigitSet onlyOpenCombo(const ExplainRun& run, const OpenPart& open);
bool isSolved(const CandidateGrid& grid);

// Names in reasons: "r3c4", "{1,2,3}", and a run in the grid's wording,
// "r2c3 across 6 in 3" or "the across run from r2c3, 6 in 3 cells".
std::string cellName(const CandidateGrid& grid, int cell);
std::string digitList(DigitSet digits);
std::string runName(const CandidateGrid& grid, const ExplainRun& run);

}  // namespace vantreel
