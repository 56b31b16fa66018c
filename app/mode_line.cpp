#include "app/mode_line.h"

#include <cstdio>
#include <cstring>

namespace vantreel {
namespace {

// Admits exactly the upper-case letter and its lower-case form.
bool isLetter(char c, char upper) { return ((c - upper) & 0xDF) == 0; }

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  if (argc == 3) {
    const char first = argv[1][0];
    if (isLetter(first, 'S')) line = {Mode::Solve, argv[2], 0};
    else if (isLetter(first, 'D')) line = {Mode::SolveStats, argv[2], 0};
  } else if (argc == 2) {
    const char* word = argv[1];
    if (isLetter(word[0], 'C') && word[1] >= '1' && word[1] <= '4')
      line = {Mode::Create, nullptr, word[1] - '0'};
    else if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 || std::strcmp(word, "help") == 0)
      line = {Mode::Help, nullptr, 0};
    else if (std::strcmp(word, "--version") == 0)
      line = {Mode::Version, nullptr, 0};
  }
  return line;
}

void printUsage() {
  std::printf("\ncross sum solver/creator\n");
  std::printf("  To slove problems: vantreel.exe s (file name)\n");
  std::printf("  To create problem: vantreel.exe c[1-3]\n");
  std::printf("    where 1-3 specifies board size.\n");
  std::printf("    c4 is also available, taking a few hours.\n");
}

void printVersion() { std::printf("vantreel %s\n", VANTREEL_VERSION); }

}  // namespace vantreel
