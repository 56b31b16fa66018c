#include "app/explain_command.h"

#include <algorithm>
#include <bit>
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
#include "app/sheet_files.h"
#include "explain/candidate_drawing.h"
#include "explain/explainer.h"
#include "explain/rating.h"
#include "explain/step_focus.h"
#include "explain/step_groups.h"
#include "format/strict_reader.h"
#include "picture/step_sheet.h"
#include "solver/judge.h"
#ifdef VANTREEL_HAVE_CAIRO
#include "picture/step_sheet_cairo.h"
#endif

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
  std::string output;  // a step sheet, .pdf or .svg; empty: text
  std::string paper = "a4";
  bool force = false;
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

// One group's line in the chosen form, from the grid before it to the grid after it.
std::string groupSentence(const Explanation& explanation, const StepGroup& group, std::size_t number,
                          const ExplainOptions& options, const CandidateGrid& before, const CandidateGrid& after) {
  if (options.raw)
    return "STEP " + std::to_string(number) + " " + techniqueName(group.technique) + ": " +
           describeGroupEffect(before, after, group) + " because " + groupReasons(explanation.steps, group);
  return "Step " + std::to_string(number) + " (" + personTechnique(group.technique) +
         "): " + personSentence(after, explanation.steps, group) + ".";
}

// The picture of a group: the candidates it leaves, its cells and runs shaded.
// Pencil marks only where a person would write them: cells down to a few
// digits, and the step's own cells.
StepPicture groupPicture(const CandidateGrid& after, const StepGroup& group, std::string sentence) {
  constexpr int kPencilledCandidates = 5;
  StepPicture picture;
  picture.candidates.assign(after.candidates.begin(), after.candidates.end());
  picture.shade.reserve(after.candidates.size());
  const std::vector<Focus> focus = stepFocus(after, group);
  for (std::size_t cell = 0; cell < focus.size(); ++cell) {
    picture.shade.push_back(focus[cell] == Focus::Step ? kStepCell : focus[cell] == Focus::Run ? kRunCell : kPlainCell);
    if (focus[cell] != Focus::Step && std::popcount(picture.candidates[cell]) > kPencilledCandidates)
      picture.candidates[cell] = 0;
  }
  picture.sentence = std::move(sentence);
  return picture;
}

// One group in the chosen form, printed or drawn into `sheet` when there is
// one; `before` is the grid before it, and is left after it.
void showGroup(const Board& board, const Explanation& explanation, const StepGroup& group, std::size_t number,
               const ExplainOptions& options, CandidateGrid& before, StepSheet* sheet) {
  CandidateGrid after = before;
  applyGroup(after, explanation.steps, group);
  std::string sentence = groupSentence(explanation, group, number, options, before, after);
  if (sheet != nullptr) {
    sheet->steps.push_back(groupPicture(after, group, std::move(sentence)));
  } else {
    std::printf("%s\n", sentence.c_str());
    if (options.grid) std::printf("%s\n", drawCandidates(board, after, group.cells).c_str());
  }
  before = std::move(after);
}

// The groups a hint shows: explained forward until a digit is written, then
// that group and the earlier ones that narrowed a cell of the placed cells'
// runs, the cells a person looks at first. Without a digit within a few
// groups, the first group alone.
constexpr std::size_t kHintReach = 8;

std::vector<std::size_t> hintChain(const CandidateGrid& start, const std::vector<StepGroup>& groups) {
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

// The path as far as a hint can reach: explained in growing prefixes, since
// a 126x126 board's whole path takes a fifth of a second. A group is whole
// once the next one has begun, so the prefix ends past the hint's reach.
Explanation explainForHint(const Board& board, const std::vector<std::uint8_t>& solution,
                           const std::vector<Placement>& givens, const CandidateGrid& start, Wording wording,
                           std::vector<StepGroup>& groups) {
  for (int limit = 64;; limit *= 4) {
    Explanation explanation = explainPuzzle(board, solution, givens, limit, wording);
    groups = groupSteps(start, explanation.steps);
    if (static_cast<int>(explanation.steps.size()) < limit || groups.size() > kHintReach + 1) return explanation;
  }
}

// A step sheet larger than this is refused: a 126x126 board's every step
// would make thousands of pages.
constexpr std::size_t kMostDrawnCells = 2'000'000;

// "Puzzle on line 3 · 11×11 · rating 4 (medium) · 72 steps"
std::string sheetTitle(const Board& board, long lineNumber, const Rating& rating, std::size_t steps, bool hint) {
  return "Puzzle on line " + std::to_string(lineNumber) + " \u00b7 " + std::to_string(board.width - 1) +
         "\u00d7" + std::to_string(board.height - 1) + " \u00b7 rating " + std::to_string(rating.value) + " (" +
         rating.name + ") \u00b7 " + (hint ? "hint, " : "") + std::to_string(steps) + (steps == 1 ? " step" : " steps");
}

// One unique puzzle: givens checked against the solution, then the steps,
// printed or, with a sheet, drawn into it.
int explainBoard(const Board& board, const std::vector<std::uint8_t>& solution, const ExplainOptions& options,
                 const std::vector<GivenDigit>& givenDigits, long lineNumber, StepSheet* sheet) {
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
  const int status = wrong.empty() ? kExplainOk : kExplainUsageError;
  if (sheet == nullptr) std::printf("PUZZLE line %ld\n", lineNumber);
  CandidateGrid start = names;
  for (const Placement& given : givens) start.candidates[given.cell] &= DigitSet(1 << (given.digit - 1));
  const Wording wording = options.raw ? Wording::Raw : Wording::Person;
  std::vector<StepGroup> groups;
  const Explanation explanation = options.hint ? explainForHint(board, solution, givens, start, wording, groups)
                                               : explainPuzzle(board, solution, givens, 1 << 30, wording);
  if (!options.hint) groups = groupSteps(start, explanation.steps);
  // The hint's groups, or all; each is shown over the grid it starts from, the skipped ones applied silently.
  std::vector<std::size_t> shown;
  if (options.hint && !groups.empty()) shown = hintChain(start, groups);
  else if (!options.hint)
    for (std::size_t g = 0; g < groups.size(); ++g) shown.push_back(g);
  if (sheet != nullptr && shown.size() * static_cast<std::size_t>(board.cellCount()) > kMostDrawnCells) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantreel explain: line %ld: %zu steps of a %dx%d board are too many to draw (%zu cells "
                 "at most); --hint draws the next one\n", lineNumber, shown.size(), board.width - 1, board.height - 1,
                 kMostDrawnCells);
    return kExplainInputError;
  }
  if (options.hint && groups.empty() && sheet == nullptr) std::printf("NO STEP: every cell is filled in\n");
  CandidateGrid before = start;
  std::size_t next = 0, number = 0;
  for (const std::size_t g : shown) {
    for (; next < g; ++next) applyGroup(before, explanation.steps, groups[next]);
    showGroup(board, explanation, groups[g], ++number, options, before, sheet);
    next = g + 1;
  }
  if (options.hint && sheet == nullptr) return status;
  // The rating belongs to the puzzle: with digits given, or only a hint's
  // part of the path explained, its own whole path from the clues.
  const bool whole = givens.empty() && !options.hint;
  const Explanation fromClues = whole ? Explanation{} : explainPuzzle(board, solution, {}, 1 << 30, Wording::None);
  const Explanation& path = whole ? explanation : fromClues;
  const Rating rating = rateExplanation(path);
  if (sheet != nullptr) {
    sheet->title = sheetTitle(board, lineNumber, rating, shown.size(), options.hint);
  } else if (options.raw) {
    std::printf("RATING %d (%s; hardest technique: %s)\n", rating.value, rating.name, techniqueName(path.hardest));
    std::printf("STEPS %zu\n", groups.size());
  } else {
    std::printf("Rating %d (%s); the hardest technique is %s.\n", rating.value, rating.name,
                personTechnique(path.hardest).c_str());
    std::printf("%zu %s (%zu of the explainer's own).\n", groups.size(), groups.size() == 1 ? "step" : "steps",
                explanation.steps.size());
  }
  return status;
}

const char* whyNotUnique(const Judgement& judged) {
  if (judged.verdict == Verdict::Unknown) return "the search budget ran out before one solution was certain";
  return judged.verdict == Verdict::None ? "the puzzle has no solution" : "the puzzle has several solutions";
}

// -o names a .pdf or .svg; --paper goes with a PDF, and --grid's text
// pictures have no place in a drawn sheet, which shows the candidates anyway.
bool checkSheetOptions(const CLI::App& app, int argc, char** argv, const ExplainOptions& options) {
  if (options.output.empty()) {
    if (app.count("--paper") == 0 && !options.force) return true;
    std::fprintf(stderr, "vantreel explain: %s go with a step sheet: give it with %s OUT.pdf\n",
                 app.count("--paper") > 0 ? "--paper and --force" : "--force", optionAsTyped(argc, argv, "-o,--output").c_str());
    return false;
  }
  if (!checkSheetOutput("explain", options.output, app.count("--paper") > 0, optionAsTyped(argc, argv, "-o,--output")))
    return false;
  if (options.grid) {
    std::fprintf(stderr, "vantreel explain: --grid draws text grids; a step sheet already shows the candidates\n");
    return false;
  }
  return true;
}

// Writes the sheet of the puzzles explained, all or nothing: nothing when a
// line could not be read or drawn, since the sheet would silently lack its puzzle.
int writeStepSheets(const ExplainOptions& options, const std::vector<StepSheet>& sheets, int status) {
  if (status == kExplainInputError) {
    std::fprintf(stderr, "vantreel explain: nothing written\n");
    return status;
  }
  if (sheets.empty()) {
    std::fprintf(stderr, "vantreel explain: %s holds no puzzle to explain; nothing written\n",
                 options.fileName.c_str());
    return status == kExplainOk ? kExplainInputError : status;
  }
#ifdef VANTREEL_HAVE_CAIRO
  const bool pdf = hasOutputSuffix(options.output, ".pdf");
  if (!pdf && sheets.size() > 1) {
    std::fprintf(stderr, "vantreel explain: an SVG holds the steps of one puzzle, and %zu were explained: choose one "
                 "with --line N, or write a PDF; nothing written\n", sheets.size());
    return kExplainUsageError;
  }
  const Paper paper = paperNamed(options.paper);
  const SheetFile file{options.output, [&](std::FILE* out, std::string& error) {
                         return pdf ? writeStepSheetPdf(out, sheets, paper, error)
                                    : writeStepSheetSvg(out, sheets.front(), error);
                       }};
  return writeSheetFiles("explain", {file}, options.force) ? status : kExplainInputError;
#else
  std::fprintf(stderr, "vantreel explain: this build cannot write PDF or SVG: install libcairo2-dev and rebuild\n");
  return kExplainInputError;
#endif
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
  app.add_option("-o,--output", options.output,
                 "OUT.pdf: a step sheet of every puzzle explained; OUT.svg: the steps of one puzzle");
  app.add_option("--paper", options.paper, "paper size of the PDF (with -o OUT.pdf only)")
      ->check(CLI::IsMember({"a4", "letter"}));
  app.add_flag("--force", options.force, "replace an existing output file (once the new one is complete)");
  int status = kExplainOk;
  if (!parseOptions(app, argc, argv, status)) return status;
  if (!checkSheetOptions(app, argc, argv, options)) return kExplainUsageError;
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
  std::vector<StepSheet> sheets;
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
    StepSheet* sheet = nullptr;
    if (!options.output.empty()) {
      sheet = &sheets.emplace_back();
    } else {
      if (!firstPuzzle) std::printf("\n");
      firstPuzzle = false;
    }
    const int explained = explainBoard(board, judged.solution, options, givens, lines.lineNumber(), sheet);
    if (sheet != nullptr) sheet->board = std::move(board);
    status = std::max(status, explained);
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
  if (options.output.empty()) return status;
  return writeStepSheets(options, sheets, status);
}

}  // namespace vantreel
