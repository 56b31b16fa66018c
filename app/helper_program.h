#pragma once
// The newer commands run in helper programs, so that what they link never
// slows the start of the static vantreel program:
// - vantreel-print: print and explain draw with cairo, whose fonts and
//   libraries are shared ones;
// - vantreel-words: check, link and generate parse their options
//   with CLI11, whose header builds option checkers and the standard streams
//   before main in every program that contains it.
// Installed, they live in libexec/vantreel/ under the prefix, as git keeps
// git-core/; in a build tree they lie beside vantreel.
#include "app/commands.h"

namespace vantreel {

// The helper program's file name for the commands of `program`.
const char* helperName(Program program);

// Replaces this process by the helper of `command` with the same arguments
// (argv[0] is the command word); returns only on failure, with exit status 1.
int runHelperProgram(const Command& command, char** argv);

}  // namespace vantreel
