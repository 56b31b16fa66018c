#pragma once
// The print command: puzzles with their clues and answers, as text on the
// terminal or as a PDF sheet or SVG files.

namespace vantreel {

// Exit status of a print run.
enum PrintStatus : int {
  kPrintOk = 0,
  kPrintInputError = 1,   // unreadable input, a malformed line, or output not written
  kPrintUsageError = 2,   // malformed command line
  kPrintNotUnique = 3,    // a puzzle without exactly one solution was left out
};

// argv[0] is "print".
int runPrint(int argc, char** argv);

}  // namespace vantreel
