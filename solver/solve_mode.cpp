#include "solver/solve_mode.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "format/board_picture.h"
#include "format/puzzle_line.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

// Reads lines of any length; the buffer grows and is reused.
class LineSource {
 public:
  explicit LineSource(std::FILE* file) : file_(file) {}
  ~LineSource() { std::free(buffer_); }
  LineSource(const LineSource&) = delete;
  LineSource& operator=(const LineSource&) = delete;

  // False at end of file or on a read error (see failed()).
  bool next() {
    length_ = getline(&buffer_, &capacity_, file_);
    if (length_ < 0) return false;
    ++lineNumber_;
    return true;
  }
  const char* text() const { return buffer_; }
  long lineNumber() const { return lineNumber_; }
  bool failed() const { return std::ferror(file_) != 0; }
  // Anything but spaces, tabs and line ends (a NUL byte counts as content).
  bool isBlank() const {
    for (ssize_t i = 0; i < length_; ++i)
      if (!std::strchr(" \t\r\n", buffer_[i]) || buffer_[i] == '\0') return false;
    return true;
  }

 private:
  std::FILE* file_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  ssize_t length_ = 0;
  long lineNumber_ = 0;
};

void reportReadError(const char* fileName) {
  std::fprintf(stderr, "vantreel: %s: %s; the rest of the file was not read\n", fileName, std::strerror(errno));
}

// Solves in the order of solveWithTrials, one step at a time.
bool solveGrid(SolveStats& stats, SolverGrid& grid) {
  if (!propagate(stats, grid)) return false;
  while (!isSolved(grid))
    if (!trialStep(stats, grid) || !propagate(stats, grid)) return false;
  return true;
}

void solveBoard(const Board& board, bool statsMode, long lineNumber) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  const bool solved = solveGrid(stats, grid);
  if (!statsMode) displayGrid(grid);
  if (stats.budget.exceeded) {
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

int solveFile(const char* fileName, bool statsMode) {
  std::FILE* file = std::fopen(fileName, "rb");
  struct stat info;
  if (file && (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))) {
    std::fclose(file);
    file = nullptr;
  }
  if (!file) {
    std::printf("failed to open: %s\n", fileName);
    return kSolveInputError;
  }
  int status = kSolveOk;
  LineSource lines(file);
  while (lines.next()) {
    Board board;
    if (parseBoard(board, lines.text())) {
      solveBoard(board, statsMode, lines.lineNumber());
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
  std::fclose(file);
  return status;
}

}  // namespace vantreel
