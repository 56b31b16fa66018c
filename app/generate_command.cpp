#include "app/generate_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "app/cli_options.h"
#include "app/number_option.h"
#include "app/progress_bar.h"
#include "app/standard_output.h"
#include "format/puzzle_line.h"
#include "generator/batch.h"
#include "platform/console.h"
#include "platform/files.h"

namespace vantreel {
namespace {

struct GenerateOptions {
  SequenceRequest request;
  int lowestLevel = 1;
  int highestLevel = 5;
  bool seedGiven = false;
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

// "A" or "A-B" with 1 <= A <= B <= 5.
bool parseLevels(const std::string& text, int& lowest, int& highest) {
  auto isLevel = [](char c) { return c >= '1' && c <= '5'; };
  if (text.size() == 1 && isLevel(text[0])) {
    lowest = highest = text[0] - '0';
    return true;
  }
  if (text.size() != 3 || !isLevel(text[0]) || text[1] != '-' || !isLevel(text[2]) || text[0] > text[2]) return false;
  lowest = text[0] - '0';
  highest = text[2] - '0';
  return true;
}

// False after saying on standard error what is wrong.
bool readOptions(int argc, char** argv, GenerateOptions& options, int& status) {
  CLI::App app{"Create puzzles. Puzzle i of a run comes from its own random source, seeded from the run's seed "
               "and i, so the same options give the same puzzles on any number of threads or machines.",
               "vantreel generate"};
  std::string size = "1", count = "30", levels = "1-5", seed, first = "0", threads;
  app.add_option("--size", size, "1..4, 11x11, 15x15, 19x15 or 23x17 (default 1)");
  app.add_option("--count", count, "positions of the sequence to make (default 30)");
  app.add_option("--level", levels, "keep only puzzles of level A, or A to B (1..5); the others still use their "
                                    "positions");
  app.add_option("--seed", seed, "the run's seed, 0..18446744073709551615 (default: drawn and printed)");
  app.add_option("--first", first, "position of the first puzzle (default 0): slices of one run");
  app.add_option("--threads", threads, "worker threads (default: all cores)");
  app.add_option("-o", options.output, "output file, created without replacing one; - for standard output");
  if (!parseOptions(app, argc, argv, status)) return false;

  const char* problem = nullptr;
  SequenceRequest& request = options.request;
  if (!parseSize(size, request.sizeIndex)) problem = "--size must be 1..4, 11x11, 15x15, 19x15 or 23x17";
  else if (!parseLevels(levels, options.lowestLevel, options.highestLevel))
    problem = "--level must be a level 1..5 or a range such as 2-4";
  if (problem != nullptr) std::fprintf(stderr, "vantreel generate: %s\n", problem);
  // --first plus --count stays within 64 bits: the last position must exist.
  if (problem != nullptr || !readNumberOption("generate", "--count", count, 1, UINT64_MAX, request.count) ||
      (app.count("--seed") > 0 && !readNumberOption("generate", "--seed", seed, 0, UINT64_MAX, request.seed)) ||
      !readNumberOption("generate", "--first", first, 0, UINT64_MAX - request.count, request.first) ||
      (app.count("--threads") > 0 && !readNumberOption("generate", "--threads", threads, 1, 4096, request.threads))) {
    status = 2;
    return false;
  }
  options.seedGiven = app.count("--seed") > 0;
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

  ProgressBar progress(request.count, errorIsTerminal());
  // Puzzle lines on the bar's own terminal go on lines of their own.
  const bool barShared = !toFile && errorIsTerminal() && outputSharesTerminalWithError();
  const bool complete = makeSequence(request, [&](std::uint64_t, const Board& board) {
    if (board.level >= options.lowestLevel && board.level <= options.highestLevel) {
      if (barShared) progress.clear();
      errno = 0;
      writeBoard(out, board);
      // A reader of standard output gets each puzzle as soon as it is ready.
      if (!toFile) std::fflush(out);
      if (std::ferror(out) != 0) {
        error = errno != 0 ? errno : EIO;
        if (!toFile) noteStandardOutputFailure(error);
        return false;
      }
    }
    progress.advance();
    return true;
  });
  progress.finish();

  if (!toFile) return complete ? 0 : 1;  // the caller says why standard output failed
  if (!complete || !file.finish(name, error)) {
    std::fprintf(stderr, "vantreel: failed to write %s: %s\n", name.c_str(), std::strerror(error));
    return 1;
  }
  std::fprintf(stderr, "vantreel: wrote %s (seed %llu)\n", name.c_str(), static_cast<unsigned long long>(request.seed));
  return 0;
}

}  // namespace vantreel
