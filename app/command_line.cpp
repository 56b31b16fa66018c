#include "app/command_line.h"

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
    if (isLetter(first, 'S')) line = {Command::Solve, argv[2], 0};
    else if (isLetter(first, 'D')) line = {Command::SolveStats, argv[2], 0};
  } else if (argc == 2) {
    const char* word = argv[1];
    if (isLetter(word[0], 'C') && word[1] >= '1' && word[1] <= '4')
      line = {Command::Create, nullptr, word[1] - '0'};
    else if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 || std::strcmp(word, "help") == 0)
      line = {Command::Help, nullptr, 0};
    else if (std::strcmp(word, "--version") == 0)
      line = {Command::Version, nullptr, 0};
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

void printCommandList(std::FILE* out) {
  std::fputs(
      "commands (FILE may be - for standard input):\n"
      "  vantreel s FILE                solve each puzzle line and draw it\n"
      "  vantreel d FILE                solve each puzzle line and print the solver's six counters\n"
      "  vantreel c1 | c2 | c3 | c4     create 30 puzzles of 11x11, 15x15, 19x15 or 23x17 into a new dated file\n"
      "  vantreel generate [--size 1..4|11x11|15x15|19x15|23x17] [--count N] [--level A|A-B] [--seed S]\n"
      "                    [--first K] [--threads T] [-o FILE]   any number of puzzles, the same on any threads\n"
      "  vantreel check [--solution] [--count N] FILE   unique, multiple or no solution for each puzzle line\n"
      "  vantreel link FILE             each puzzle line as a puzz.link link\n"
      "  vantreel print FILE [-o OUT.pdf|OUT.svg] [--paper a4|letter] [--force]   printable puzzles and answers\n"
      "  vantreel explain FILE [--line N] [--hint] [--given r2c3=4,...]   the solving path step by step\n"
      "  vantreel --help | -h | help    this text;  vantreel --version   the version\n"
      "see also: man vantreel\n",
      out);
}

void printVersion() { std::printf("vantreel %s\n", VANTREEL_VERSION); }

}  // namespace vantreel
