#pragma once
// The newer commands run in helper programs, so that what they link never
// slows the start of the static vantreel program:
// - vantreel-print: cairo and its fonts are shared libraries;
// - vantreel-words: check, link, generate and explain parse their options
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
