#pragma once
// `vantreel print` runs in a program of its own, vantreel-print, beside this
// one: cairo and its fonts are shared libraries, and loading them would slow
// the start of every other command of the static vantreel program.

namespace vantreel {

// Replaces this process by vantreel-print with the same arguments (argv[0]
// is "print"); returns only on failure, with exit status 1.
int runPrintProgram(int argc, char** argv);

}  // namespace vantreel
