#pragma once
// Some newer commands run in programs of their own beside this one, so that
// what they link never slows the start of the static vantreel program:
// - vantreel-print: cairo and its fonts are shared libraries;
// - vantreel-words: check, link, generate and explain parse their options
//   with CLI11, whose header builds option checkers and the standard streams
//   before main in every program that contains it.

namespace vantreel {

// Replace this process by the program with the same arguments (argv[0] is
// the command word); they return only on failure, with exit status 1.
int runPrintProgram(int argc, char** argv);
int runWordsProgram(int argc, char** argv);

}  // namespace vantreel
