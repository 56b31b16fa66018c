#include "app/check_command.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/cli_options.h"
#include "app/input_file.h"
#include "app/line_source.h"
#include "app/messages.h"
#include "app/number_option.h"
#include "explain/rating.h"
#include "format/strict_reader.h"
#include "solver/judge.h"

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

void appendSolution(std::string& out, const Board& board, const std::vector<std::uint8_t>& digits) {
  out += " solution=";
  for (int p = 0; p < board.cellCount(); ++p)
    if (board.kinds[p] == CellKind::White) out += static_cast<char>('0' + digits[p]);
}

// One answer line after "N: ".
void report(const CheckOptions& options, const Board& board, const Judgement& judged, CheckSummary& summary,
            std::string& out) {
  switch (judged.verdict) {
    case Verdict::Unique: {
      ++summary.unique;
      // A unique puzzle always has a path; '-' would only mark an explainer that cannot read it.
      const Rating rating = rateBoard(board, judged.solution);
      out += "unique rating=";
      out += rating.value == 0 ? std::string("-") : std::to_string(rating.value) + " (" + rating.name + ")";
      out += " effort=";
      out += judged.level == 0 ? '-' : static_cast<char>('0' + judged.level);
      if (options.printSolution) appendSolution(out, board, judged.solution);
      return;
    }
    case Verdict::Multiple:
      ++summary.multiple;
      out += "multiple";
      if (options.countLimit > 0) {
        out += " solutions=" + std::to_string(judged.found);
        if (!judged.countComplete) out += '+';
      }
      out += " differ=" + differingCells(board, judged.solution, judged.second);
      if (options.printSolution) appendSolution(out, board, judged.solution);
      return;
    case Verdict::Unknown:
      ++summary.unknown;
      out += "unknown: search budget";
      return;
    case Verdict::None:
      ++summary.none;
      out += "none: ";
      out += judged.failure.kind == RootFailureKind::None ? "search" : describeRootFailure(judged.failure, board.width);
      return;
  }
}

void checkLines(const CheckOptions& options, LineSource& lines, CheckSummary& summary) {
  Judge judge;
  JudgeRequest request;
  request.countLimit = options.countLimit > 0 ? options.countLimit : 2;
  Board board;
  std::string reason, out;
  while (lines.next()) {
    const std::string_view line = lines.content();
    if (!lines.isOverLong() && isSkippedLine(line)) continue;
    ++summary.lines;
    out = std::to_string(lines.lineNumber()) + ": ";
    if (lines.isOverLong()) {
      ++summary.malformed;
      out += "malformed: " + overLongReason();
    } else if (!readStrict(line, board, reason)) {
      ++summary.malformed;
      out += "malformed: " + reason;
    } else {
      report(options, board, judge.judge(board, request), summary, out);
    }
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
}

}  // namespace

int runCheck(int argc, char** argv) {
  CheckOptions options;
  CLI::App app{"Checks that each puzzle line has exactly one solution.", "vantreel check"};
  app.add_option("file", options.fileName, "puzzle file; - reads standard input")->required();
  app.add_flag("--solution", options.printSolution, "print the digits of the (first) solution");
  std::string countText;
  app.add_option("--count", countText, "count solutions up to N (at least 2)");
  int status = 0;
  if (!parseOptions(app, argc, argv, status)) return status;
  if (app.count("--count") > 0 && !readNumberOption("check", "--count", countText, 2, INT_MAX, options.countLimit))
    return kCheckUsageError;

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
  std::printf("checked %s: %ld unique, %ld multiple, %ld none, %ld unknown, %ld malformed\n",
              counted(summary.lines, "line").c_str(), summary.unique, summary.multiple, summary.none, summary.unknown,
              summary.malformed);
  if (summary.lines == 0 && !summary.readFailed) {
    reportNoPuzzle("check", options.fileName);
    return kCheckInputError;
  }
  return summary.exitStatus();
}

}  // namespace vantreel
