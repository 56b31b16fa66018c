#include "app/generate_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "app/cli_options.h"
#include "app/input_file.h"
#include "app/number_option.h"
#include "app/progress_bar.h"
#include "app/standard_output.h"
#include "explain/rating.h"
#include "format/puzzle_line.h"
#include "generator/batch.h"
#include "generator/layout.h"
#include "generator/layout_drawing.h"
#include "platform/console.h"
#include "platform/files.h"
#include "solver/judge.h"

namespace vantreel {
namespace {

struct GenerateOptions {
  SequenceRequest request;
  Layout layout;
  std::string layoutName;
  int lowestLevel = 1;
  int highestLevel = 5;
  bool seedGiven = false;
  bool levelGiven = false;
  // --rating: keep `wanted` puzzles rated lowestRating..highestRating, trying
  // at most request.count positions.
  bool ratingGiven = false;
  int lowestRating = kLowestRating;
  int highestRating = kHighestRating;
  std::uint64_t wanted = 0;
  bool rated = false;  // --rated: a comment line with the rating before each puzzle
  std::string output = "-";
};

bool parseSize(const std::string& text, int& sizeIndex) {
  const char* names[] = {"11x11", "15x15", "19x15", "23x17"};
  for (int size = 1; size <= 4; ++size)
    if (text == std::to_string(size) || text == names[size - 1]) {
      sizeIndex = size;
      return true;
    }
  return false;
}

// Drawn layouts have sides from here up to the largest interior.
constexpr int kSmallestSide = 3;

// "WxH" in decimal digits, each side kSmallestSide..kMaxInterior.
bool parseAnySize(const std::string& text, int& columns, int& rows) {
  const std::size_t cross = text.find('x');
  if (cross == std::string::npos || cross == 0 || cross + 1 == text.size() || cross > 3 || text.size() - cross > 4)
    return false;
  columns = rows = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (k == cross) continue;
    if (text[k] < '0' || text[k] > '9') return false;
    int& side = k < cross ? columns : rows;
    side = 10 * side + (text[k] - '0');
  }
  return columns >= kSmallestSide && rows >= kSmallestSide && columns <= kMaxInterior && rows <= kMaxInterior;
}

bool parseSymmetry(const std::string& text, Symmetry& symmetry) {
  const char* names[] = {"half", "quarter", "mirror", "none"};
  for (int k = 0; k < 4; ++k)
    if (text == names[k]) {
      symmetry = static_cast<Symmetry>(k);
      return true;
    }
  return false;
}

// The layout file, read whole: a picture or one puzzle line is at most tens
// of KiB, so anything much larger is no layout.
constexpr std::size_t kLayoutFileLimit = 1 << 20;

// False after saying on standard error why the file gives no usable layout.
bool readLayoutFile(const std::string& name, Layout& layout) {
  InputFile input = openInput(name.c_str());
  std::string reason;
  if (input.file == nullptr) {
    reason = input.reason;
  } else {
    std::string text(kLayoutFileLimit + 1, '\0');
    const std::size_t got = std::fread(text.data(), 1, text.size(), input.file);
    const bool failed = std::ferror(input.file) != 0;
    closeInput(input);
    text.resize(got);
    if (failed) reason = "cannot be read";
    else if (got > kLayoutFileLimit) reason = "larger than 1 MiB: no layout";
    else if (readLayout(text, layout, reason)) {
      const LayoutFault fault = checkLayout(layout);
      if (!fault) return true;
      reason = "row " + std::to_string(fault.row) + ", column " + std::to_string(fault.column) + ": " + fault.reason;
    }
  }
  std::fprintf(stderr, "vantreel generate: %s: %s\n", name.c_str(), reason.c_str());
  return false;
}

// "A" or "A-B", decimal without leading zeros, lowest <= A <= B <= highest:
// the --level and --rating ranges.
bool parseRange(const std::string& text, int lowest, int highest, int& from, int& to) {
  auto number = [&](const std::string& part, int& value) {
    if (part.empty() || part.size() > 3 || part[0] == '0' || part.find_first_not_of("0123456789") != std::string::npos)
      return false;
    value = std::stoi(part);
    return value >= lowest && value <= highest;
  };
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) return number(text, from) && number(text, to);
  return number(text.substr(0, dash), from) && number(text.substr(dash + 1), to) && from <= to;
}

// False after saying on standard error what is wrong.
bool readOptions(int argc, char** argv, GenerateOptions& options, int& status) {
  CLI::App app{"Create puzzles. Puzzle i of a run comes from its own random source, seeded from the run's seed "
               "and i, so the same options give the same puzzles on any number of threads or machines.",
               "vantreel generate"};
  std::string size = "1", count = "30", levels = "1-5", ratings, maxTries, seed, first = "0", threads, method, symmetry = "half", white;
  app.add_option("--size", size, "1..4, or the interior WxH, 3x3 to 126x126 (default 1)");
  app.add_option("--layout", options.layoutName, "a file with the layout to keep: '#' block, '.' white, one row a "
                                                 "line; or a puzzle line or link, whose sums are ignored");
  app.add_option("--method", method, "rules (sizes 1..4, their default) or fill (any size or layout)");
  app.add_option("--symmetry", symmetry, "of drawn layouts: half (turn, default), quarter, mirror or none");
  app.add_option("--white", white, "percent of white cells in drawn layouts, " + std::to_string(kLowestWhitePercent) +
                                       " to " + std::to_string(kHighestWhitePercent) + " (default " +
                                       std::to_string(kDefaultWhitePercent) + ")");
  app.add_option("--count", count, "positions of the sequence to make (default 30)");
  app.add_option("--level", levels, "keep only puzzles of level A, or A to B (1..5); the others still use their "
                                    "positions");
  app.add_option("--rating", ratings, "write --count puzzles of rating A, or A to B (1..10); positions of other "
                                      "ratings are tried and not written");
  app.add_flag("--rated", options.rated, "write a comment line '# rating R (NAME)' before each puzzle line");
  app.add_option("--max-tries", maxTries, "with --rating: positions to try at most (default 1000 per puzzle asked)");
  app.add_option("--seed", seed, "the run's seed, 0..18446744073709551615 (default: drawn and printed)");
  app.add_option("--first", first, "position of the first puzzle (default 0): slices of one run");
  app.add_option("--threads", threads, "worker threads (default: all cores)");
  app.add_option("-o", options.output, "output file, created without replacing one; - for standard output");
  if (!parseOptions(app, argc, argv, status)) return false;

  const char* problem = nullptr;
  SequenceRequest& request = options.request;
  LayoutGoal& goal = request.fill.goal;
  const bool sized = app.count("--size") > 0, laidOut = app.count("--layout") > 0;
  const bool oldSize = parseSize(size, request.sizeIndex);
  if (!oldSize && !parseAnySize(size, goal.columns, goal.rows))
    problem = "--size must be 1..4, or WxH with each side from 3 to 126";
  else if (!parseRange(levels, 1, 5, options.lowestLevel, options.highestLevel))
    problem = "--level must be a level 1..5 or a range such as 2-4";
  else if (app.count("--rating") > 0 && !parseRange(ratings, kLowestRating, kHighestRating, options.lowestRating, options.highestRating))
    problem = "--rating must be a rating 1..10 or a range such as 3-5";
  else if (app.count("--rating") > 0 && app.count("--level") > 0) problem = "--rating and --level cannot be given together";
  else if (app.count("--max-tries") > 0 && app.count("--rating") == 0) problem = "--max-tries needs --rating";
  else if (sized && laidOut) problem = "--size and --layout cannot be given together";
  else if (!method.empty() && method != "rules" && method != "fill") problem = "--method must be rules or fill";
  else if (method == "rules" && (laidOut || !oldSize))
    problem = "--method rules makes sizes 1..4 only (11x11, 15x15, 19x15, 23x17)";
  else if (!parseSymmetry(symmetry, goal.symmetry))
    problem = "--symmetry must be half, quarter, mirror or none";
  if (problem == nullptr) {
    request.method = method == "fill" || laidOut || !oldSize ? Method::Fill : Method::Rules;
    const bool shaped = app.count("--symmetry") > 0 || app.count("--white") > 0;
    if (shaped && request.method == Method::Rules) problem = "--symmetry and --white need --method fill";
    else if (shaped && laidOut) problem = "--symmetry and --white shape drawn layouts; a --layout is kept as it is";
  }
  if (problem == nullptr && request.method == Method::Fill && oldSize) {
    const BoardSize old = boardSizeFor(request.sizeIndex);
    goal.columns = old.width - 1;
    goal.rows = old.height - 1;
  }
  if (problem == nullptr && goal.symmetry == Symmetry::Quarter && !laidOut && goal.columns != goal.rows)
    problem = "--symmetry quarter needs a square --size";
  if (problem != nullptr) std::fprintf(stderr, "vantreel generate: %s\n", problem);
  // --first plus --count stays within 64 bits: the last position must exist.
  if (problem != nullptr || !readNumberOption("generate", "--count", count, 1, UINT64_MAX, request.count) ||
      (app.count("--seed") > 0 && !readNumberOption("generate", "--seed", seed, 0, UINT64_MAX, request.seed)) ||
      !readNumberOption("generate", "--first", first, 0, UINT64_MAX - request.count, request.first) ||
      (app.count("--threads") > 0 && !readNumberOption("generate", "--threads", threads, 1, 4096, request.threads)) ||
      (app.count("--white") > 0 && !readNumberOption("generate", "--white", white, kLowestWhitePercent,
                                                     kHighestWhitePercent, goal.whitePercent))) {
    status = 2;
    return false;
  }
  options.seedGiven = app.count("--seed") > 0;
  options.levelGiven = app.count("--level") > 0;
  options.ratingGiven = app.count("--rating") > 0;
  if (options.ratingGiven) {
    // --count is the puzzles to write; the sequence runs over the positions tried.
    options.wanted = request.count;
    const std::uint64_t room = UINT64_MAX - request.first;
    std::uint64_t tries = options.wanted > room / 1000 ? room : options.wanted * 1000;
    if (app.count("--max-tries") > 0 &&
        !readNumberOption("generate", "--max-tries", maxTries, 1, room, tries)) {
      status = 2;
      return false;
    }
    request.count = tries;
  }
  if (laidOut) {
    if (!readLayoutFile(options.layoutName, options.layout)) {
      status = 1;
      return false;
    }
    request.fill.layout = &options.layout;
  }
  return true;
}

}  // namespace

int runGenerate(int argc, char** argv) {
  GenerateOptions options;
  int status = 0;
  if (!readOptions(argc, argv, options, status)) return status;
  SequenceRequest& request = options.request;
  if (!options.seedGiven) {
    std::random_device system;
    request.seed = (static_cast<std::uint64_t>(system()) << 32) | system();
    std::fprintf(stderr, "vantreel: seed %llu\n", static_cast<unsigned long long>(request.seed));
  }

  // A named output has no name until the run is complete, as a batch file.
  const bool toFile = options.output != "-";
  const std::string& name = options.output;
  NewFile file;
  int error = 0;
  if (toFile) {
    if (isDirectory(name.c_str())) error = EISDIR;
    else if (fileExists(name.c_str())) error = EEXIST;
    else file.open(std::filesystem::path(name).parent_path().string(), error);
    if (error != 0) {
      std::fprintf(stderr, "vantreel: %s: %s\n", name.c_str(), std::strerror(error));
      return 1;
    }
  }
  std::FILE* out = toFile ? file.stream() : stdout;

  ProgressBar progress(options.ratingGiven ? options.wanted : request.count, errorIsTerminal());
  // Puzzle lines on the bar's own terminal go on lines of their own.
  const bool barShared = !toFile && errorIsTerminal() && outputSharesTerminalWithError();
  bool gaveUp = false;
  const std::string ratingText = std::to_string(options.lowestRating) +
      (options.lowestRating == options.highestRating ? "" : "-" + std::to_string(options.highestRating));
  Judge judge;
  std::uint64_t kept = 0, tried = 0;
  bool rareNoted = false;
  // The rating of the puzzle at hand, worked out only when a line needs it.
  Rating rating;
  const auto rate = [&](const Board& board) {
    const Judgement& judged = judge.judge(board, JudgeRequest{2, false});
    rating = judged.verdict == Verdict::Unique ? rateBoard(board, judged.solution) : Rating{};
  };
  const auto keeps = [&](const Board& board) {
    if (options.ratingGiven) {
      rate(board);
      return rating.value >= options.lowestRating && rating.value <= options.highestRating;
    }
    // Without --level every puzzle is kept, level 0 (beyond the d solver) too.
    return !options.levelGiven || (board.level >= options.lowestLevel && board.level <= options.highestLevel);
  };
  const bool complete = makeSequence(request, [&](std::uint64_t, const Board& board) {
    ++tried;
    if (keeps(board)) {
      if (barShared) progress.clear();
      errno = 0;
      if (options.rated) {
        if (!options.ratingGiven) rate(board);
        std::fprintf(out, "# rating %d (%s)\n", rating.value, rating.name);
      }
      writeBoard(out, board);
      // A reader of standard output gets each puzzle as soon as it is ready.
      if (!toFile) std::fflush(out);
      if (std::ferror(out) != 0) {
        error = errno != 0 ? errno : EIO;
        if (!toFile) noteStandardOutputFailure(error);
        return false;
      }
      progress.advance();
      ++kept;
      if (options.ratingGiven && kept == options.wanted) return false;  // enough: the run is done
    } else {
      progress.passOver();
    }
    // Under one kept in twenty after a few hundred tries, the run will be long: say so once.
    if (options.ratingGiven && !rareNoted && tried >= 200 && kept * 20 < tried) {
      rareNoted = true;
      if (barShared) progress.clear();
      std::fprintf(stderr, "vantreel generate: rating %s is rare here: %llu of %llu tried so far (%.1f%%)\n",
                   ratingText.c_str(), static_cast<unsigned long long>(kept),
                   static_cast<unsigned long long>(tried), 100.0 * kept / tried);
    }
    return true;
  }, &gaveUp);
  progress.finish();
  if (gaveUp) {
    std::fprintf(stderr, "vantreel generate: %s: no unique filling found within the work budget\n",
                 options.layoutName.c_str());
    return 3;
  }
  const bool enough = options.ratingGiven && kept == options.wanted;
  // A rated run that tried every position keeps what it found (no file for none) and ends short.
  const bool endedShort = options.ratingGiven && !enough && tried == request.count;
  if (options.ratingGiven && tried > 0) {
    // Positions, not puzzles, slice a rated run: the next slice starts where this one stopped.
    std::fprintf(stderr, "vantreel generate: %s%llu of %llu puzzles of rating %s from positions %llu..%llu; "
                 "the next slice is --first %llu\n",
                 endedShort ? "ended short at --max-tries: " : "",
                 static_cast<unsigned long long>(kept), static_cast<unsigned long long>(options.wanted),
                 ratingText.c_str(), static_cast<unsigned long long>(request.first),
                 static_cast<unsigned long long>(request.first + tried - 1),
                 static_cast<unsigned long long>(request.first + tried));
  }
  if (endedShort && toFile && kept == 0) return 3;
  const bool written = complete || enough || endedShort;
  if (!toFile) return !written ? 1 : endedShort ? 3 : 0;  // the caller says why standard output failed
  if (!written || !file.finish(name, error)) {
    std::fprintf(stderr, "vantreel: failed to write %s: %s\n", name.c_str(), std::strerror(error));
    return 1;
  }
  std::fprintf(stderr, "vantreel: wrote %s (seed %llu)\n", name.c_str(), static_cast<unsigned long long>(request.seed));
  return endedShort ? 3 : 0;
}

}  // namespace vantreel
