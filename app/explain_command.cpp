#include "app/explain_command.h"

#include <algorithm>
#include <climits>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_options.h"
#include "app/given_digits.h"
#include "app/input_file.h"
#include "app/line_source.h"
#include "app/messages.h"
#include "app/number_option.h"
#include "explain/explainer.h"
#include "explain/rating.h"
#include "format/strict_reader.h"
#include "solver/judge.h"

namespace vantreel {
namespace {

enum ExplainStatus : int { kExplainOk = 0, kExplainInputError = 1, kExplainUsageError = 2, kExplainNotUnique = 3 };

struct ExplainOptions {
  std::string fileName;
  long line = 0;  // 0: every puzzle line
  bool hint = false;
  std::string givenText;
};

bool parseGivens(const std::string& text, std::vector<GivenDigit>& givens) {
  std::string bad;
  if (parseGivenDigits(text, givens, bad)) return true;
  std::fprintf(stderr, "vantreel explain: --given: '%s' is not rROWcCOLUMN=DIGIT\n", bad.c_str());
  return false;
}

void printStep(const Explanation& explanation, const CandidateGrid& names, std::size_t index) {
  const Step& step = explanation.steps[index];
  std::printf("STEP %zu %s: %s because %s\n", index + 1, techniqueName(step.technique),
              describeEffect(names, step).c_str(), step.reason.c_str());
}

// One unique puzzle: givens checked against the solution, then the steps.
int explainBoard(const Board& board, const std::vector<std::uint8_t>& solution, const ExplainOptions& options,
                 const std::vector<GivenDigit>& givenDigits, long lineNumber) {
  CandidateGrid names;
  if (!buildCandidateGrid(board, names)) return kExplainNotUnique;
  std::vector<Placement> givens;
  std::vector<std::string> wrong;
  for (const GivenDigit& given : givenDigits) {
    const int cell = given.row * board.width + given.column;
    if (given.row < 1 || given.row >= board.height || given.column < 1 || given.column >= board.width ||
        board.kinds[cell] != CellKind::White) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel explain: line %ld: r%dc%d is not a white cell\n", lineNumber, given.row,
                   given.column);
      return kExplainUsageError;
    }
    if (solution[cell] == given.digit) givens.push_back({cell, given.digit});
    else wrong.push_back(cellName(names, cell) + "=" + std::to_string(given.digit));
  }
  // A wrong digit is the caller's mistake, not a step: named on standard error, left out.
  std::fflush(stdout);
  for (const std::string& digit : wrong)
    std::fprintf(stderr, "vantreel explain: line %ld: --given %s contradicts the clues; left out\n", lineNumber,
                 digit.c_str());
  std::printf("PUZZLE line %ld\n", lineNumber);
  const Explanation explanation = explainPuzzle(board, solution, givens, options.hint ? 1 : 1 << 30);
  if (options.hint) {
    if (explanation.steps.empty()) std::printf("NO STEP: every cell is filled in\n");
    else printStep(explanation, names, 0);
    return wrong.empty() ? kExplainOk : kExplainUsageError;
  }
  for (std::size_t i = 0; i < explanation.steps.size(); ++i) printStep(explanation, names, i);
  // The rating belongs to the puzzle: with digits given, its own path from the clues.
  const Explanation fromClues = givens.empty() ? Explanation{} : explainPuzzle(board, solution, {}, 1 << 30, false);
  const Explanation& path = givens.empty() ? explanation : fromClues;
  const Rating rating = rateExplanation(path);
  std::printf("RATING %d (%s; hardest technique: %s)\n", rating.value, rating.name, techniqueName(path.hardest));
  std::printf("STEPS %zu\n", explanation.steps.size());
  return wrong.empty() ? kExplainOk : kExplainUsageError;
}

const char* whyNotUnique(const Judgement& judged) {
  if (judged.verdict == Verdict::Unknown) return "the search budget ran out before one solution was certain";
  return judged.verdict == Verdict::None ? "the puzzle has no solution" : "the puzzle has several solutions";
}

}  // namespace

int runExplain(int argc, char** argv) {
  ExplainOptions options;
  CLI::App app{"Explains each puzzle with one solution: the solving steps a person can follow, and a rating.",
               "vantreel explain"};
  app.add_option("FILE", options.fileName, "puzzle file, one puzzle line or link each; - for standard input")
      ->required();
  std::string lineText;
  app.add_option("--line", lineText, "explain only the puzzle on this line of the file");
  app.add_flag("--hint", options.hint, "print only the next step");
  app.add_option("--given", options.givenText, "digits already filled in, e.g. r2c3=4,r5c6=9 or \"r2c3=4 R5C6=9\"");
  int status = kExplainOk;
  if (!parseOptions(app, argc, argv, status)) return status;
  if (app.count("--line") > 0 && !readNumberOption("explain", "--line", lineText, 1L, LONG_MAX, options.line))
    return kExplainUsageError;
  std::vector<GivenDigit> givens;
  if (!parseGivens(options.givenText, givens)) return kExplainUsageError;

  InputFile input = openInput(options.fileName.c_str());
  if (input.file == nullptr) {
    std::fprintf(stderr, "vantreel explain: %s: %s\n", options.fileName.c_str(), input.reason.c_str());
    return kExplainInputError;
  }
  LineSource lines(input.file);
  bool lineFound = false;
  bool firstPuzzle = true;
  bool anyPuzzle = false;
  Judge judge;
  JudgeRequest request;
  request.wantLevel = false;
  while (lines.next()) {
    if (options.line != 0 && lines.lineNumber() != options.line) continue;
    lineFound = true;
    const std::string_view text = lines.content();
    const bool overLong = lines.isOverLong();
    if (!overLong && isSkippedLine(text) && options.line == 0) continue;
    anyPuzzle = true;
    Board board;
    std::string reason;
    if (overLong) reason = overLongReason();
    else if (isSkippedLine(text)) reason = "blank or comment line";
    if (!reason.empty() || !readStrict(text, board, reason)) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel explain: line %ld: malformed: %s\n", lines.lineNumber(), reason.c_str());
      status = std::max<int>(status, kExplainInputError);
      continue;
    }
    const Judgement& judged = judge.judge(board, request);
    if (judged.verdict != Verdict::Unique) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel explain: line %ld: %s\n", lines.lineNumber(), whyNotUnique(judged));
      status = std::max<int>(status, kExplainNotUnique);
      continue;
    }
    if (!firstPuzzle) std::printf("\n");
    firstPuzzle = false;
    status = std::max(status, explainBoard(board, judged.solution, options, givens, lines.lineNumber()));
  }
  if (lines.failed()) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel explain: %s: %s\n", options.fileName.c_str(), std::strerror(errno));
    status = std::max<int>(status, kExplainInputError);
  } else if (options.line != 0 && !lineFound) {
    std::fprintf(stderr, "vantreel explain: %s has no line %ld\n", options.fileName.c_str(), options.line);
    status = std::max<int>(status, kExplainInputError);
  } else if (!anyPuzzle) {
    reportNoPuzzle("explain", options.fileName);
    status = std::max<int>(status, kExplainInputError);
  }
  closeInput(input);
  return status;
}

}  // namespace vantreel
