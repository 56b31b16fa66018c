#include "solver/solve_mode.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "format/board_picture.h"
#include "format/puzzle_line.h"
#include "solver/trial_search.h"

namespace vantreel {
namespace {

// The longest line worth reading: the largest board (126 x 126 interior,
// every cell a two-character clue) with a generous margin. A longer line is
// no puzzle line; it is skipped in constant memory.
constexpr std::size_t kMaxLineLength = 64 * 1024;

// Reads whole lines into one fixed buffer, keeping their true length (a NUL
// byte inside a line is content, not an end).
class LineSource {
 public:
  explicit LineSource(std::FILE* file) : file_(file), buffer_(new char[kMaxLineLength + 1]) {}

  // False at end of file or on a read error (see failed()).
  bool next() {
    length_ = 0;
    overLong_ = false;
    blank_ = true;
    int c = std::getc(file_);
    if (c == EOF) return false;
    for (; c != EOF; c = std::getc(file_)) {
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') blank_ = false;
      if (length_ < kMaxLineLength) buffer_[length_++] = static_cast<char>(c);
      else overLong_ = true;
      if (c == '\n') break;
    }
    buffer_[length_] = '\0';
    ++lineNumber_;
    return true;
  }
  // The line, or an empty text for a line too long to be a puzzle.
  const char* text() const { return overLong_ ? "" : buffer_.get(); }
  long lineNumber() const { return lineNumber_; }
  bool failed() const { return std::ferror(file_) != 0; }
  // Only spaces, tabs and line ends.
  bool isBlank() const { return blank_; }

 private:
  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t length_ = 0;
  bool overLong_ = false;
  bool blank_ = true;
  long lineNumber_ = 0;
};

void reportReadError(const char* fileName) {
  std::fprintf(stderr, "vantreel: %s: %s; the rest of the file was not read\n", fileName, std::strerror(errno));
}

void solveBoard(const Board& board, bool statsMode, long lineNumber) {
  SolverGrid grid = buildSolverGrid(board);
  SolveStats stats;
  stats.cellCount = grid.cellCount();
  const bool solved = solveWithTrials(stats, grid);
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
