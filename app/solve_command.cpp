#include "app/solve_command.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/input_file.h"
#include "app/line_source.h"
#include "format/puzzle_link.h"
#include "format/strict_reader.h"
#include "picture/board_picture.h"
#include "platform/console.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

void reportReadError(const char* fileName) {
  std::fprintf(stderr, "vantreel: %s: %s; the rest of the file was not read\n", fileName, std::strerror(errno));
}

// These modes read a stored file as they always have and ignore what follows
// the last clue, which the other commands refuse; standard error says so.
// Only a line with more than blanks after what was read costs a strict reading.
void noteStrictRefusal(const LineSource& lines, std::size_t used) {
  const std::string_view line = lines.content();
  bool blankTail = used <= line.size();
  for (std::size_t i = used; blankTail && i < line.size(); ++i) blankTail = line[i] == ' ' || line[i] == '\t';
  Board strict;
  std::string reason;
  if (blankTail || readStrict(line, strict, reason)) return;
  std::fflush(stdout);
  std::fprintf(stderr, "vantreel: line %ld: %s (read as s and d always have; the other commands refuse this line)\n",
               lines.lineNumber(), reason.c_str());
}

// `grid` is the working grid, reused from puzzle to puzzle.
void solveBoard(const Board& board, SolverGrid& grid, bool statsMode, long lineNumber) {
  buildSolverGrid(board, grid);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  SearchBudget budget;
  const bool solved = solveWithTrials(grid, stats, budget);
  if (!statsMode) {
    const std::string picture = drawGrid(grid, outputIsTerminal() ? GlyphEncoding::Utf8 : GlyphEncoding::ShiftJis);
    std::fwrite(picture.data(), 1, picture.size(), stdout);
  }
  if (budget.exceeded) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel: line %ld: the puzzle exceeded the search budget\n", lineNumber);
  }
  if (!solved) std::printf("failed.\n");
  else if (!statsMode) std::printf("finished.\n");
  else
    std::printf("%d,%d,%d,%d,%d,%d\n", stats.runChanges, stats.reserved, stats.comboChanges, stats.trialsHigh,
                stats.trialsLow, stats.cellCount);
}

}  // namespace

int runSolve(const char* fileName, bool statsMode) {
  InputFile input = openInput(fileName);
  if (input.file == nullptr) {
    printOpenFailure(fileName, input.reason.c_str());
    return kSolveInputError;
  }
  int status = kSolveOk;
  LineSource lines(input.file);
  Board board;
  SolverGrid grid;
  // Output that cannot be written ends the run; the caller reports why.
  while (std::ferror(stdout) == 0 && lines.next()) {
    std::size_t used = 0;
    if (parseLineOrLink(board, lines.text(), &used)) {
      noteStrictRefusal(lines, used);
      solveBoard(board, grid, statsMode, lines.lineNumber());
      continue;
    }
    // Reading stops here; only blank lines may follow without complaint.
    const long stopLine = lines.lineNumber();
    bool rest = !lines.isBlank();
    while (!rest && lines.next()) rest = !lines.isBlank();
    if (rest) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel: line %ld: not a puzzle line; the rest of the file was not read\n", stopLine);
      status = kSolveInputError;
    }
    break;
  }
  if (lines.failed()) {
    std::fflush(stdout);
    reportReadError(fileName);
    status = kSolveInputError;
  }
  closeInput(input);
  return status;
}

}  // namespace vantreel
