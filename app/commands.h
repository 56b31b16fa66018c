#pragma once
// The command table: every command with the program that runs it, its run
// function and its line of --help. The dispatch of all three programs,
// --help and the tests read it, so adding a command is one row here and one
// file of its own.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/check_command.h"
#include "app/explain_command.h"
#include "app/generate_command.h"
#include "app/link_command.h"
#include "app/print_command.h"

namespace vantreel {

// vantreel itself keeps the old modes and starts quickly; the newer commands
// run in helper programs, whose libraries (CLI11, cairo) it never loads.
enum class Program : std::uint8_t { Vantreel, Words, Print };

// argv[0] is the command word; returns the exit status.
using CommandRun = int (*)(int argc, char** argv);

struct Command {
  const char* word;
  Program program;
  CommandRun run;        // null in every program but the one that runs it
  const char* usage;     // the command line, after "vantreel "
  const char* summary;   // what it does, for --help
};

// A program sees the run functions of its own rows only, so it links
// nothing that another program's commands need.
template <Program Here>
constexpr CommandRun runIn(Program owner, CommandRun run) {
  return owner == Here ? run : nullptr;
}

// The old modes (s, d, c1..c4, help) are read by readCommandLine: for them
// only the first letters count, so their rows serve --help and the tests.
template <Program Here>
inline constexpr Command kCommands[] = {
    {"s", Program::Vantreel, nullptr, "s FILE", "solve each puzzle line and draw it"},
    {"d", Program::Vantreel, nullptr, "d FILE", "solve each puzzle line and print the solver's six counters"},
    {"c1", Program::Vantreel, nullptr, "c1 | c2 | c3 | c4",
     "create 30 puzzles of 11x11, 15x15, 19x15 or 23x17 into a new dated file"},
    {"check", Program::Words, runIn<Here>(Program::Words, runCheck), "check [--solution] [--count N] FILE",
     "unique, multiple or no solution for each puzzle line"},
    {"link", Program::Words, runIn<Here>(Program::Words, runLink), "link FILE", "each puzzle line as a puzz.link link"},
    {"print", Program::Print, runIn<Here>(Program::Print, runPrint),
     "print FILE [-o OUT.pdf|OUT.svg] [--paper a4|letter] [--force]", "printable puzzles and answers"},
    {"generate", Program::Words, runIn<Here>(Program::Words, runGenerate),
     "generate [--size 1..4|WxH | --layout FILE] [--method rules|fill] [--symmetry half|quarter|mirror|none] "
     "[--white P] [--count N] [--level A|A-B | --rating A|A-B [--max-tries N]] [--seed S] [--first K] [--threads T] "
     "[-o FILE]",
     "any number of puzzles of any size or layout, the same on any threads"},
    {"explain", Program::Print, runIn<Here>(Program::Print, runExplain),
     "explain FILE [--line N] [--hint] [--raw] [--grid] [--given r2c3=4,...|FILE] [-o OUT.pdf|OUT.svg] "
     "[--paper a4|letter] [--force]",
     "the solving path step by step, as text or drawn"},
    {"help", Program::Vantreel, nullptr, "--help | -h | help", "this text; vantreel --version: the version"},
};

// The newer command named exactly by `word`, or null.
template <Program Here>
const Command* findCommand(const char* word) {
  for (const Command& command : kCommands<Here>)
    if (command.program != Program::Vantreel && std::strcmp(command.word, word) == 0) return &command;
  return nullptr;
}

// Every command with its usage and summary, one or two lines each.
void printCommandList(std::FILE* out);

}  // namespace vantreel
