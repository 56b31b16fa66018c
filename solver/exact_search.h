#pragma once
// Exact search over a puzzle's digit fillings: every solution up to a limit,
// with each run's sum and distinct digits kept arc consistent.
#include <cstdint>
#include <vector>

#include "format/board.h"
#include "solver/solver_grid.h"

namespace vantreel {

// What propagation before the first guess proves impossible, if anything.
enum class RootFailureKind : std::uint8_t {
  None,
  RunTooLong,      // more than nine cells cannot all differ
  NoCombination,   // no `length` different digits make the sum
  NoDigitFits,     // the cell's other run leaves it no digit this run can use
  CellsCannotFit,  // the candidates left in the run's cells make no filling
};

struct RootFailure {
  RootFailureKind kind = RootFailureKind::None;
  int clueCell = 0;  // board index of the run's clue cell
  bool across = false;
  int length = 0;  // the run's cells
  int sum = 0;
  int cell = 0;  // NoDigitFits: board index of the cell
};

struct SearchOutcome {
  int found = 0;                // solutions found, at most the limit
  bool budgetExceeded = false;  // stopped early: `found` is a lower bound
  std::int64_t nodes = 0;       // guesses tried, the root counted as one
  std::int64_t steps = 0;       // work spent, in budget steps
  RootFailure rootFailure;      // why there is none, when the root alone proves it
  bool plainWalkSettled = false;  // the portfolio's plain walk proved the answer
  bool repairedFirst = false;     // the first solution came from a repair of the deepest state
  bool nearbySecond = false;      // the second came from the search near one cell
};

// When the search changes course, in guesses and steps. The defaults suit
// check; tests shorten both so that small boards change lines often.
struct SearchPace {
  std::int64_t openingNodes = 256;    // guesses of the opening walk, before the portfolio
  std::int64_t firstTurnSteps = 1 << 14;  // the restarts' first turn; the plain walk gets a quarter
  // Work after which the search for a second solution puts off a cell whose
  // search runs long, instead of proving every cell in reading order.
  std::int64_t putOffSteps = 2'000'000;
  std::int64_t putOffTurn = 1 << 18;  // a cell's first turn then; the rounds after double it
  // Work after which the restarts to a first solution take turns with
  // repairs of the deepest state they reached.
  std::int64_t repairSteps = 1'000'000;
  // The restarts' random digit choices start here: the same digits on every
  // machine. Another seed answers the same, by other paths, so that a change
  // to the search can be judged by its cost over several seeds rather than
  // by one path's luck (nonzero: xorshift).
  std::uint64_t randomSeed = 88172645463325252ull;
};

// Work steps: a guess costs one step plus one per 64 white cells (its cell
// choice scans them all), and every run revision one more. About 60 ns a
// step; no loose draft of the committed sets needs more than 28 million in
// all, nor any of 6,000 more drafts (make_loose_boards seeds 7 to 12) more
// than 16 million.
inline constexpr std::int64_t kDefaultSearchSteps = 64'000'000;

// One searcher serves many puzzles: its arrays keep their capacity, so after
// the first few boards neither loading nor searching allocates.
class ExactSearch {
 public:
  void load(const Board& board);
  // Searches the loaded board afresh; stops at `limit` (>= 1) solutions.
  // Up to two it finds one solution, then looks for a second that differs
  // from it cell by cell; beyond two it walks every branch in turn. Up to
  // two, restarts and a plain walk over every branch take turns on one step
  // budget: the restarts find solutions fast, while proving that there is
  // none, or no second, may take the whole tree, which only the walk finishes.
  // Long searches also repair the restarts' deepest state, and look for a
  // second solution near one cell (see SearchPace); these only find.
  SearchOutcome count(int limit, std::int64_t stepBudget = kDefaultSearchSteps);
  // As count(2) for a board of which `known` (a digit per board cell) is a
  // solution: the search for it is skipped, and solution 0 is `known`.
  // found is 1 when no other solution exists, 2 with solution 1 another.
  // Cells of `near` (white cells of the board) are tried first: where a
  // filling was just changed, another solution is most likely.
  SearchOutcome countBeside(const std::vector<std::uint8_t>& known, std::int64_t stepBudget = kDefaultSearchSteps,
                            const std::vector<std::uint16_t>& near = {});
  // The white cells that propagation at the root leaves with more than one
  // digit, into `open` in reading order, adding its work to `steps`; false
  // when the root has no solution.
  [[nodiscard]] bool openAtRoot(std::vector<std::uint16_t>& open, std::int64_t& steps);
  // After openAtRoot, or a kept reopenAround: the sums of `cell`'s runs
  // changed in `board` (the loaded board, same layout). The cells of those
  // runs and, with Reach::Crossing, of the runs crossing them start afresh
  // and are propagated; the rest keep what the earlier sums gave them, so
  // `open` is an estimate, good for choosing sums, never a proof. Costs a
  // few revisions where openAtRoot costs every run's. False when the
  // estimate fails. Propagation only narrows, so Reach::Own, starting from
  // narrower cells, never leaves more cells open than Reach::Crossing.
  enum class Reach : std::uint8_t { Own, Crossing };
  [[nodiscard]] bool reopenAround(const Board& board, int cell, std::vector<std::uint16_t>& open,
                                  std::int64_t& steps, Reach reach = Reach::Crossing);
  // Back to the state and sums before the last reopenAround.
  void undoReopen();
  // Solution 0 or 1 of the last count: a digit per board cell, 0 off white cells.
  // Solution 1 differs from solution 0 on one connected group of cells only.
  const std::vector<std::uint8_t>& solution(int index) const { return solutions_[index]; }
  void setPace(const SearchPace& pace) { pace_ = pace; }

 private:
  struct SearchRun {
    std::uint16_t cells[kMaxRunLength];  // board indices
    std::uint8_t length;
    std::uint8_t sum;  // 0: no sum, the digits need only differ
    DigitSet digits;   // union of the digits any filling of the sum can use
    std::uint16_t clueCell;
    bool across;
  };
  struct TrailEntry {
    std::uint16_t cell;
    CandidateMask before;
  };
  struct Choice {
    std::uint16_t cell;
    CandidateMask left;  // digits still to try
    int trailMark;
    std::int32_t run;       // >= 0: the choice is this run's digit combination
    std::uint16_t nextSet;  // run choices: digit sets from here on are untried
  };

  // The search state of the line not running: the plain walk's while the
  // restarts run, swapped in for its turns.
  struct Line {
    std::vector<CandidateMask> masks;
    std::vector<TrailEntry> trail;
    std::vector<Choice> choices;
    int trailSize = 0, depth = 0;
    std::int64_t nodes = 0;
  };
  enum class Walk : std::uint8_t { Solution, Exhausted, OverBudget, Restart };
  // Open: the plain walk takes turns. Settled: it proved the answer (it
  // walked every branch, or found the one solution asked for). Stopped: it
  // knows of two solutions, and has nothing left to prove.
  enum class PlainResult : std::uint8_t { Open, Settled, Stopped };

  void search(int limit, std::int64_t stepBudget, SearchOutcome& outcome);
  [[nodiscard]] bool startAtRoot(std::int64_t stepBudget, SearchOutcome& outcome);
  [[nodiscard]] Walk walk(bool resume, std::int64_t nodeLimit);
  [[nodiscard]] bool nextCombination(Choice& choice);
  int runToBranch(int cell) const;
  [[nodiscard]] Walk solveFrom(int mark);
  [[nodiscard]] Walk findDifferentSolution();
  [[nodiscard]] Walk findNearbySolution();
  [[nodiscard]] Walk repairDeepest();
  void keepDeepest(int open);
  void startRegion();
  int addToRegion(int cell, int count);
  int widenRegion(int count, int radius);
  [[nodiscard]] Walk tryDifferentDigit(int cell);
  [[nodiscard]] bool keepGoing();
  void plainTurn();
  void swapLines();
  [[nodiscard]] bool plainKnowsTwo() const;
  int keepOneDifference();  // the kept group's size
  void shrinkDifference(int rootMark);
  void addRun(const RunSpan& span);
  void setMask(int cell, CandidateMask mask);
  void enqueue(int run);
  void enqueueRunsOf(int cell);
  [[nodiscard]] bool propagate();
  [[nodiscard]] bool reviseRun(int run, bool exact);
  void undoTo(int mark);
  void collectOpen(std::vector<std::uint16_t>& open) const;  // white cells with more than one digit
  void clearPending();
  int chooseCell(int& open) const;
  int plainCell() const;
  DigitSet nextDigit(const Choice& choice);
  void recordSolution(int index);
  void explainFailure(int run);
  void noteFailure(int run);

  int width_ = 0;
  RootFailure staticFailure_;
  std::vector<CandidateMask> masks_;  // per board cell; white cells only matter
  std::vector<CandidateMask> startMasks_;
  std::vector<std::uint16_t> whiteCells_;
  std::vector<std::int32_t> runsOfCell_;  // 2 per board cell: across, down; -1 for none
  std::vector<std::int32_t> homeRuns_;  // the same with one-cell runs kept, for reopenAround
  struct SavedSum {
    std::int32_t run;
    std::uint8_t sum;
    DigitSet digits;
  };
  SavedSum reopened_[2] = {};  // the runs reopenAround changed, as they were
  std::vector<SearchRun> runs_;
  std::vector<TrailEntry> trail_;
  int trailSize_ = 0;
  std::vector<Choice> choices_;
  int depth_ = 0;
  std::uint64_t randomState_ = 0;  // digit choices, the same on every machine
  std::vector<std::uint16_t> fill_;  // keepOneDifference's flood-fill stack
  // Conflict weights: a cell's is one plus the failures of its runs, so the
  // search branches first where the board has refused it most often.
  std::vector<std::uint32_t> cellWeights_;
  const std::uint8_t* preferred_ = nullptr;  // digits to try first, if any
  std::int64_t guessCost_ = 1;
  std::int64_t nodes_ = 0;      // guesses of both lines
  std::int64_t lineNodes_ = 0;  // guesses of the running line: its restart limits
  // The portfolio: the running line pauses past pauseAt_; the restarts then
  // give the plain walk a turn, and the turns grow (see SearchPace).
  Line other_;
  bool plain_ = false;  // the plain walk is running
  bool portfolio_ = false;
  bool plainResume_ = false;
  bool haveFirst_ = false;  // solution 0 is recorded, by either line
  PlainResult plainResult_ = PlainResult::Open;
  int plainFound_ = 0;  // solutions the plain walk met
  int limit_ = 0;
  SearchPace pace_;
  std::vector<std::uint8_t> plainSolutions_[2];  // the first two it met
  std::int64_t stepBudget_ = 0, pauseAt_ = 0, turnSteps_ = 0;
  std::vector<std::int32_t> queue_;  // ring of runs awaiting a cheap revision
  int queueHead_ = 0, queueCount_ = 0;
  std::vector<std::uint8_t> queued_;
  std::vector<std::int32_t> exactPending_;  // long runs changed since their exact revision
  int exactCount_ = 0;
  std::vector<std::uint8_t> exactQueued_;
  std::int64_t steps_ = 0;
  bool atRoot_ = false;
  RootFailure rootFailure_;
  std::vector<std::uint8_t> solutions_[2];
  std::vector<std::int32_t> group_;  // keepOneDifference's group of each board cell, -1 none
  std::int64_t capAt_ = 0;  // the restarts stop past it, answering Restart
  std::int64_t putOffAt_ = 0;  // pace_.putOffSteps in the restarts, else never
  std::vector<std::uint16_t> tryOrder_;  // findDifferentSolution's cells, in the order tried
  std::vector<std::uint8_t> inTryOrder_;  // per board cell, while tryOrder_ is built
  std::vector<std::uint16_t> putOff_;  // findDifferentSolution's cells put off
  // Repairs: past repairAt_ the restarts to a first solution keep the digits
  // of the deepest state they reach (0 for its open cells).
  std::int64_t repairAt_ = 0;
  bool repairing_ = false;
  bool repaired_ = false, nearby_ = false;  // what found the solutions, for the outcome
  std::vector<std::uint8_t> deepest_;
  int deepestOpen_ = 0;  // its open cells; kNoDeepest when none is kept
  int repairs_ = 0;      // repairs from it so far
  // A region of cells for repairs and nearby solutions: region_[0..count),
  // each marked with the pass that added it.
  std::vector<std::uint16_t> region_;
  std::vector<std::uint32_t> inRegion_;
  std::uint32_t regionPass_ = 0;
  std::vector<CandidateMask> nearMasks_;  // findNearbySolution's masks before it fixed the first's digits
};

}  // namespace vantreel
