#include "app/check_command.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/cli_options.h"
#include "app/input_file.h"
#include "app/line_source.h"
#include "format/strict_reader.h"
#include "generator/grading.h"
#include "solver/solver_grid.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

struct CheckOptions {
  std::string fileName;
  bool printSolution = false;
  int countLimit = 0;  // 0: stop at two solutions and print no count
};

struct CheckSummary {
  long lines = 0, unique = 0, multiple = 0, none = 0, unknown = 0, malformed = 0;
  bool readFailed = false;

  int exitStatus() const {
    if (readFailed || malformed > 0) return kCheckInputError;
    if (multiple + none + unknown > 0) return kCheckNotUnique;
    return kCheckAllUnique;
  }
};

std::string cellName(int cell, int width) {
  return "r" + std::to_string(cell / width) + "c" + std::to_string(cell % width);
}

// The level the create mode would give the puzzle, or '-' when the solve
// modes cannot finish it.
char levelOf(const Board& board) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  SearchBudget budget;
  if (!solveWithTrials(grid, stats, budget)) return '-';
  return static_cast<char>('0' + levelFor(gradeScore(stats)));
}

// The run rules alone settle most puzzles, published or created. Each rule
// only drops digits that no solution can hold, so a grid they fill
// completely is the one solution, proven without a search; and their
// counters are the solve modes' counters, which give the level.
bool settledByRules(const Board& board, std::vector<std::uint8_t>& digits, char& level) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  if (grid.contradiction || !propagate(grid, &stats) || !isSolved(grid)) return false;
  digits.assign(board.cellCount(), 0);
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] != CellKind::White) continue;
    if (DigitCountTable[grid.masks[p]] != 1) return false;
    digits[p] = DigitSumTable[grid.masks[p]];
  }
  level = static_cast<char>('0' + levelFor(gradeScore(stats)));
  return true;
}

void appendSolution(std::string& out, const Board& board, const std::vector<std::uint8_t>& digits) {
  out += " solution=";
  for (int p = 0; p < board.cellCount(); ++p)
    if (board.kinds[p] == CellKind::White) out += static_cast<char>('0' + digits[p]);
}

// One answer line after "N: ".
void judge(const CheckOptions& options, const Board& board, ExactSearch& search, std::vector<std::uint8_t>& digits,
           CheckSummary& summary, std::string& out) {
  char level = '-';
  if (settledByRules(board, digits, level)) {
    ++summary.unique;
    out += "unique level=";
    out += level;
    if (options.printSolution) appendSolution(out, board, digits);
    return;
  }
  search.load(board);
  const int limit = options.countLimit > 0 ? options.countLimit : 2;
  const SearchOutcome outcome = search.count(limit);
  if (outcome.found >= 2) {
    ++summary.multiple;
    out += "multiple";
    if (options.countLimit > 0) {
      out += " solutions=" + std::to_string(outcome.found);
      if (outcome.found >= limit || outcome.budgetExceeded) out += '+';
    }
    out += " differ=" + differingCells(board, search.solution(0), search.solution(1));
    if (options.printSolution) appendSolution(out, board, search.solution(0));
  } else if (outcome.budgetExceeded) {
    ++summary.unknown;
    out += "unknown: search budget";
  } else if (outcome.found == 1) {
    ++summary.unique;
    out += "unique level=";
    out += levelOf(board);
    if (options.printSolution) appendSolution(out, board, search.solution(0));
  } else {
    ++summary.none;
    out += "none: ";
    out += outcome.rootFailure.kind == RootFailureKind::None ? "search"
                                                              : describeRootFailure(outcome.rootFailure, board.width);
  }
}

void checkLines(const CheckOptions& options, LineSource& lines, CheckSummary& summary) {
  ExactSearch search;
  std::vector<std::uint8_t> digits;
  Board board;
  std::string reason, out;
  while (lines.next()) {
    const std::string_view line = lines.content();
    if (!lines.isOverLong() && isSkippedLine(line)) continue;
    ++summary.lines;
    out = std::to_string(lines.lineNumber()) + ": ";
    if (lines.isOverLong()) {
      ++summary.malformed;
      out += "malformed: line longer than " + std::to_string(kMaxLineLength / 1024) + " KiB";
    } else if (!readStrict(line, board, reason)) {
      ++summary.malformed;
      out += "malformed: " + reason;
    } else {
      judge(options, board, search, digits, summary, out);
    }
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
}

}  // namespace

std::string describeRootFailure(const RootFailure& failure, int width) {
  if (failure.kind == RootFailureKind::NoDigitFits) return cellName(failure.cell, width) + ": no digit fits";
  std::string text = cellName(failure.clueCell, width) + (failure.across ? " across: " : " down: ");
  const std::string length = std::to_string(failure.length), sum = std::to_string(failure.sum);
  switch (failure.kind) {
    case RootFailureKind::RunTooLong:
      return text + length + " cells cannot all hold different digits";
    case RootFailureKind::NoCombination:
      if (failure.length == 1) return text + sum + " is not a digit";
      return text + "no " + length + " different digits sum to " + sum;
    default:
      if (failure.sum == 0) return text + "its cells leave no " + length + " different digits";
      return text + "its cells leave no " + length + " different digits that sum to " + sum;
  }
}

std::string differingCells(const Board& board, const std::vector<std::uint8_t>& first,
                           const std::vector<std::uint8_t>& second) {
  std::string list;
  for (int p = 0; p < board.cellCount(); ++p) {
    if (board.kinds[p] != CellKind::White || first[p] == second[p]) continue;
    if (!list.empty()) list += ',';
    list += cellName(p, board.width);
  }
  return list;
}

int runCheck(int argc, char** argv) {
  CheckOptions options;
  CLI::App app{"Checks that each puzzle line has exactly one solution.", "vantreel check"};
  app.add_option("file", options.fileName, "puzzle file; - reads standard input")->required();
  app.add_flag("--solution", options.printSolution, "print the digits of the (first) solution");
  app.add_option("--count", options.countLimit, "count solutions up to N (at least 2)")
      ->check(CLI::Range(2, INT_MAX));
  int status = 0;
  if (!parseOptions(app, argc, argv, status)) return status;

  InputFile input = openInput(options.fileName.c_str());
  if (input.file == nullptr) {
    std::fprintf(stderr, "vantreel check: %s: %s\n", options.fileName.c_str(), input.reason.c_str());
    return kCheckInputError;
  }
  CheckSummary summary;
  LineSource lines(input.file);
  checkLines(options, lines, summary);
  if (lines.failed()) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel check: %s: %s; the rest of the file was not read\n", options.fileName.c_str(),
                 std::strerror(errno));
    summary.readFailed = true;
  }
  closeInput(input);
  std::printf("checked %ld lines: %ld unique, %ld multiple, %ld none, %ld unknown, %ld malformed\n", summary.lines,
              summary.unique, summary.multiple, summary.none, summary.unknown, summary.malformed);
  return summary.exitStatus();
}

}  // namespace vantreel
