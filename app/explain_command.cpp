#include "app/explain_command.h"

#include <algorithm>
#include <cctype>
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
#include "explain/candidate_drawing.h"
#include "explain/explainer.h"
#include "explain/rating.h"
#include "explain/step_groups.h"
#include "format/strict_reader.h"
#include "solver/judge.h"

namespace vantreel {
namespace {

enum ExplainStatus : int { kExplainOk = 0, kExplainInputError = 1, kExplainUsageError = 2, kExplainNotUnique = 3 };

struct ExplainOptions {
  std::string fileName;
  long line = 0;  // 0: every puzzle line
  bool hint = false;
  bool raw = false;   // the one-line-per-step syntax for scripts
  bool grid = false;  // the candidate grid after each step
  std::string givenText;
};

// A list typed on the command line, or else the name of a file holding one
// or a partly filled grid.
bool parseGivens(const std::string& text, std::vector<GivenDigit>& givens) {
  std::string bad;
  if (parseGivenDigits(text, givens, bad)) return true;
  givens.clear();
  std::string content;
  if (std::FILE* file = std::fopen(text.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
      std::fprintf(stderr, "vantreel explain: --given %s: cannot be read\n", text.c_str());
      return false;
    }
    if (parseGivenFile(content, givens, bad)) return true;
    std::fprintf(stderr, "vantreel explain: --given %s: '%s' is not rROWcCOLUMN=DIGIT\n", text.c_str(), bad.c_str());
    return false;
  }
  // The list's own message: most often a typing slip rather than a missing file.
  std::fprintf(stderr, "vantreel explain: --given: '%s' is not rROWcCOLUMN=DIGIT\n", bad.c_str());
  return false;
}

// Lower-case technique name for the person's form: "unique sum".
std::string personTechnique(Technique technique) {
  std::string name = techniqueName(technique);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// One group in the chosen form; `before` is the grid before it, and is left after it.
void printGroup(const Board& board, const Explanation& explanation, const StepGroup& group, std::size_t number,
                const ExplainOptions& options, CandidateGrid& before) {
  CandidateGrid after = before;
  applyGroup(after, explanation.steps, group);
  if (options.raw)
    std::printf("STEP %zu %s: %s because %s\n", number, techniqueName(group.technique),
                describeGroupEffect(before, after, group).c_str(), groupReasons(explanation.steps, group).c_str());
  else
    std::printf("Step %zu (%s): %s.\n", number, personTechnique(group.technique).c_str(),
                personSentence(after, explanation.steps, group).c_str());
  if (options.grid) std::printf("%s\n", drawCandidates(board, after, group.cells).c_str());
  before = std::move(after);
}

// The groups a hint shows: explained forward until a digit is written, then
// that group and the earlier ones that narrowed a cell of the placed cells'
// runs, the cells a person looks at first. Without a digit within a few
// groups, the first group alone.
std::vector<std::size_t> hintChain(const CandidateGrid& start, const std::vector<StepGroup>& groups) {
  constexpr std::size_t kHintReach = 8;
  std::size_t placing = 0;
  while (placing < groups.size() && placing < kHintReach && !groups[placing].places) ++placing;
  if (placing == groups.size() || placing == kHintReach) return {0};
  std::vector<char> watched(start.candidates.size(), 0);
  for (int cell : groups[placing].cells)
    for (const int run : start.runOf[cell])
      if (run != kNoRun)
        for (int i = 0; i < start.runs[run].length; ++i) watched[start.runs[run].cells[i]] = 1;
  std::vector<std::size_t> chain;
  for (std::size_t g = 0; g < placing; ++g)
    for (int cell : groups[g].cells)
      if (watched[cell]) {
        chain.push_back(g);
        break;
      }
  chain.push_back(placing);
  return chain;
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
  const Explanation explanation =
      explainPuzzle(board, solution, givens, 1 << 30, options.raw ? Wording::Raw : Wording::Person);
  CandidateGrid start = names;
  for (const Placement& given : givens) start.candidates[given.cell] &= DigitSet(1 << (given.digit - 1));
  const std::vector<StepGroup> groups = groupSteps(start, explanation.steps);
  if (options.hint) {
    if (groups.empty()) {
      std::printf("NO STEP: every cell is filled in\n");
      return wrong.empty() ? kExplainOk : kExplainUsageError;
    }
    // Each shown group is drawn over the grid it starts from, the skipped ones applied silently.
    CandidateGrid before = start;
    std::size_t next = 0, number = 0;
    for (const std::size_t g : hintChain(start, groups)) {
      for (; next < g; ++next) applyGroup(before, explanation.steps, groups[next]);
      printGroup(board, explanation, groups[g], ++number, options, before);
      next = g + 1;
    }
    return wrong.empty() ? kExplainOk : kExplainUsageError;
  }
  CandidateGrid before = start;
  for (std::size_t g = 0; g < groups.size(); ++g) printGroup(board, explanation, groups[g], g + 1, options, before);
  // The rating belongs to the puzzle: with digits given, its own path from the clues.
  const Explanation fromClues =
      givens.empty() ? Explanation{} : explainPuzzle(board, solution, {}, 1 << 30, Wording::None);
  const Explanation& path = givens.empty() ? explanation : fromClues;
  const Rating rating = rateExplanation(path);
  if (options.raw) {
    std::printf("RATING %d (%s; hardest technique: %s)\n", rating.value, rating.name, techniqueName(path.hardest));
    std::printf("STEPS %zu\n", groups.size());
  } else {
    std::printf("Rating %d (%s); the hardest technique is %s.\n", rating.value, rating.name,
                personTechnique(path.hardest).c_str());
    std::printf("%zu %s (%zu of the explainer's own).\n", groups.size(), groups.size() == 1 ? "step" : "steps",
                explanation.steps.size());
  }
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
  app.add_flag("--hint", options.hint, "print the next digit to write and the steps that lead to it");
  app.add_flag("--raw", options.raw, "one line per step, STEP k TECHNIQUE: EFFECT because REASON, for scripts");
  app.add_flag("--grid", options.grid, "draw the candidate grid after each step, its cells marked '<'");
  app.add_option("--given", options.givenText,
                 "digits already filled in, e.g. r2c3=4,r5c6=9 or \"r2c3=4 R5C6=9\", or a FILE holding that list "
                 "or the grid's rows with a digit for each filled cell and '.' for the others");
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
