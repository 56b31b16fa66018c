#pragma once
// `vantreel generate`: any number of puzzles, the same on any number of
// threads or machines.

namespace vantreel {

// argv[0] is the word. Exit status: 0; 1 when the output cannot be created
// or written; 2 for a malformed command line.
int runGenerate(int argc, char** argv);

}  // namespace vantreel
