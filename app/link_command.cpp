#include "app/link_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli_options.h"
#include "app/input_file.h"
#include "app/line_source.h"
#include "app/messages.h"
#include "format/puzzle_link.h"
#include "format/strict_reader.h"

namespace vantreel {
namespace {

// Diagnostics go after the links already printed, in file order.
void complain(const char* format, auto... values) {
  std::fflush(stdout);
  std::fprintf(stderr, format, values...);
}

}  // namespace

int runLink(int argc, char** argv) {
  CLI::App options{"Prints every puzzle line of FILE as a puzz.link link.", "vantreel link"};
  std::string fileName;
  options.add_option("FILE", fileName, "puzzle file, '-' for standard input, or a link")->required();
  int status = 0;
  if (!parseOptions(options, argc, argv, status)) return status;

  InputFile input = openInput(fileName.c_str());
  if (input.file == nullptr) {
    complain("vantreel link: %s: %s\n", fileName.c_str(), input.reason.c_str());
    return 1;
  }
  LineSource lines(input.file);
  Board board;
  std::string reason;
  bool anyPuzzle = false;
  while (lines.next()) {
    const std::string_view line = lines.content();
    if (isSkippedLine(line)) continue;
    anyPuzzle = true;
    if (lines.isOverLong()) reason = overLongReason();
    if (lines.isOverLong() || !readStrict(line, board, reason)) {
      complain("vantreel link: line %ld: %s\n", lines.lineNumber(), reason.c_str());
      status = 1;
      continue;
    }
    writeLink(stdout, board);
  }
  if (lines.failed()) {
    complain("vantreel link: %s: %s; the rest of the input was not read\n", fileName.c_str(), std::strerror(errno));
    status = 1;
  } else if (!anyPuzzle) {
    reportNoPuzzle("link", fileName);
    status = 1;
  }
  closeInput(input);
  // A link lost to a full disk or a closed pipe is reported by the caller,
  // which checks standard output for every command.
  return status;
}

}  // namespace vantreel
