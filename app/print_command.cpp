#include "app/print_command.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_options.h"
#include "app/input_file.h"
#include "app/line_source.h"
#include "app/messages.h"
#include "app/number_option.h"
#include "app/sheet_files.h"
#include "app/standard_output.h"
#include "explain/rating.h"
#include "format/strict_reader.h"
#include "picture/sheet_layout.h"
#include "picture/sheet_text.h"
#include "solver/judge.h"
#ifdef VANTREEL_HAVE_CAIRO
#include "picture/sheet_cairo.h"
#endif

namespace vantreel {
namespace {

enum class OutputKind { Text, Pdf, Svg };

struct PrintOptions {
  std::string input;
  std::string output;
  std::string paper = "a4";
  bool force = false;
  OutputKind kind = OutputKind::Text;
};

// Why a puzzle is left out, or null when it has exactly one solution.
const char* refusalOf(const Judgement& judged) {
  switch (judged.verdict) {
    case Verdict::Unique: return nullptr;
    case Verdict::Unknown: return "the search budget ran out before one solution was proven";
    case Verdict::None: return "it has no solution";
    case Verdict::Multiple: return "it has several solutions";
  }
  return nullptr;
}

// Reads every line, hands each puzzle with exactly one solution to `take`
// and reports the others on standard error. Returns the exit status so far.
template <typename Take>
int readPuzzles(const PrintOptions& options, Take take) {
  InputFile input = openInput(options.input.c_str());
  if (input.file == nullptr) {
    std::fprintf(stderr, "vantreel print: %s: %s\n", options.input.c_str(), input.reason.c_str());
    return kPrintInputError;
  }
  int status = kPrintOk;
  int puzzleNumber = 0;
  Judge judge;
  JudgeRequest request;
  request.wantLevel = false;
  LineSource lines(input.file);
  while (lines.next()) {
    const std::string_view line = lines.content();
    if (!lines.isOverLong() && isSkippedLine(line)) continue;
    ++puzzleNumber;
    SheetPuzzle puzzle;
    puzzle.number = puzzleNumber;
    std::string reason = overLongReason();
    if (lines.isOverLong() || !readStrict(line, puzzle.board, reason)) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel print: line %ld: %s\n", lines.lineNumber(), reason.c_str());
      status = kPrintInputError;
      continue;
    }
    const Judgement& judged = judge.judge(puzzle.board, request);
    if (const char* refusal = refusalOf(judged)) {
      std::fflush(stdout);
      std::fprintf(stderr, "vantreel print: line %ld: puzzle %d not printed: %s\n", lines.lineNumber(),
                   puzzleNumber, refusal);
      if (status == kPrintOk) status = kPrintNotUnique;
      continue;
    }
    puzzle.answer = judged.solution;
    const Rating rating = rateBoard(puzzle.board, judged.solution);
    puzzle.rating = rating.value;
    puzzle.ratingName = rating.name;
    take(std::move(puzzle));
  }
  if (lines.failed()) {
    std::fprintf(stderr, "vantreel print: %s: %s; the rest of the input was not read\n", options.input.c_str(),
                 std::strerror(errno));
    status = kPrintInputError;
  } else if (puzzleNumber == 0) {
    reportNoPuzzle("print", options.input);
    status = kPrintInputError;
  }
  closeInput(input);
  return status;
}

int printText(const PrintOptions& options) {
  const int status = readPuzzles(options, [](SheetPuzzle puzzle) {
    for (const bool withAnswer : {false, true}) {
      const std::string text = drawSheetText(puzzle, withAnswer);
      errno = 0;
      if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) noteStandardOutputFailure(errno);
    }
  });
  // A sheet lost to a full disk or a closed pipe must not pass for success.
  return finishStandardOutput() ? status : kPrintInputError;
}

#ifdef VANTREEL_HAVE_CAIRO

// One output file and how to fill it.
struct OutputPlan {
  std::string name;
  const SheetPuzzle* puzzle = nullptr;  // null: the whole sheet as PDF
  bool withAnswer = false;
};

std::vector<OutputPlan> planOutputs(const PrintOptions& options, const std::vector<SheetPuzzle>& puzzles) {
  if (options.kind == OutputKind::Pdf) return {{options.output, nullptr, false}};
  // "sheet.svg" becomes sheet-01.svg, sheet-01-answer.svg, ... after each
  // puzzle's number in the file, so that a name matches its caption.
  // Numbers are padded to the widest one (two digits at least), so the names sort.
  const std::string stem = options.output.substr(0, options.output.size() - 4);
  const int width = std::max(2, static_cast<int>(std::to_string(puzzles.back().number).size()));
  std::vector<OutputPlan> plans;
  for (const SheetPuzzle& puzzle : puzzles) {
    char number[16];
    std::snprintf(number, sizeof number, "-%0*d", width, puzzle.number);
    plans.push_back({stem + number + ".svg", &puzzle, false});
    plans.push_back({stem + number + "-answer.svg", &puzzle, true});
  }
  return plans;
}

// --paper, checked when the options were read.
Paper paperOf(const PrintOptions& options) { return paperNamed(options.paper); }

bool writeOutputs(const PrintOptions& options, const std::vector<OutputPlan>& plans,
                  const std::vector<SheetPuzzle>& puzzles) {
  const Paper paper = paperOf(options);
  std::vector<SheetFile> files;
  for (const OutputPlan& plan : plans)
    files.push_back({plan.name, [&plan, &puzzles, paper](std::FILE* out, std::string& error) {
                       if (plan.puzzle == nullptr) return writeSheetPdf(out, puzzles, paper, error);
                       return writePuzzleSvg(out, *plan.puzzle, plan.withAnswer, error);
                     }});
  return writeSheetFiles("print", files, options.force);
}

// Below this a digit cannot be pencilled in: the board is printed, and said to be too large.
constexpr double kSmallestWritableCell = 5.0;

// One line for each puzzle whose page gives it cells too small to write in.
void noteSmallCells(const PrintOptions& options, const std::vector<SheetPuzzle>& puzzles) {
  const Paper paper = paperOf(options);
  std::vector<GridSize> sizes;
  for (const SheetPuzzle& puzzle : puzzles) sizes.push_back({puzzle.board.width, puzzle.board.height});
  for (const SheetPage& page : layoutSheet(sizes, paper)) {
    if (page.part != SheetPart::Puzzles) continue;
    for (const SheetPlacement& placement : page.placements) {
      if (placement.cell >= kSmallestWritableCell) continue;
      const Board& board = puzzles[placement.index].board;
      std::fprintf(stderr, "vantreel print: puzzle %d, %dx%d, gets %.1f mm cells on one %s page, too small to write "
                   "in (5 mm or more)\n", puzzles[placement.index].number, interiorColumns(board),
                   interiorRows(board), placement.cell, options.paper == "letter" ? "letter" : "A4");
    }
  }
}

int printFiles(const PrintOptions& options) {
  std::vector<SheetPuzzle> puzzles;
  int status = readPuzzles(options, [&puzzles](SheetPuzzle puzzle) { puzzles.push_back(std::move(puzzle)); });
  if (status == kPrintInputError) {
    std::fprintf(stderr, "vantreel print: nothing written\n");
    return status;
  }
  if (puzzles.empty()) {
    std::fprintf(stderr, "vantreel print: %s holds no puzzle to print; nothing written\n", options.input.c_str());
    return status == kPrintOk ? kPrintInputError : status;
  }
  if (options.kind == OutputKind::Pdf) noteSmallCells(options, puzzles);
  if (!writeOutputs(options, planOutputs(options, puzzles), puzzles)) return kPrintInputError;
  return status;
}

#else

int printFiles(const PrintOptions&) {
  std::fprintf(stderr, "vantreel print: this build cannot write PDF or SVG: install libcairo2-dev and rebuild\n");
  return kPrintInputError;
}

#endif

}  // namespace

int runPrint(int argc, char** argv) {
  PrintOptions options;
  CLI::App app{"Print puzzles with their clues, then their answers: as text, or as a PDF sheet or SVG files."};
  app.name("vantreel print");
  app.add_option("FILE", options.input, "puzzle file, or - for standard input")->required();
  app.add_option("-o,--output", options.output, "OUT.pdf: one sheet; OUT.svg: OUT-01.svg, OUT-01-answer.svg, ...");
  app.add_option("--paper", options.paper, "paper size of the PDF (with -o OUT.pdf only)")
      ->check(CLI::IsMember({"a4", "letter"}));
  app.add_flag("--force", options.force, "replace existing output files (each once its new file is complete)");
  int status = 0;
  if (!parseOptions(app, argc, argv, status)) return status;
  if (!checkSheetOutput("print", options.output, app.count("--paper") > 0, optionAsTyped(argc, argv, "-o,--output")))
    return kPrintUsageError;
  if (hasOutputSuffix(options.output, ".pdf")) options.kind = OutputKind::Pdf;
  else if (hasOutputSuffix(options.output, ".svg")) options.kind = OutputKind::Svg;
  return options.kind == OutputKind::Text ? printText(options) : printFiles(options);
}

}  // namespace vantreel
