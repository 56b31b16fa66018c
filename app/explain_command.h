#pragma once
// The explain command: each unique puzzle's solving path in steps, and its rating.

namespace vantreel {

// Exit status: 0; 1 when the file cannot be read or a line is malformed or
// missing; 2 for a malformed command line; 3 when a puzzle has no single solution.
int runExplain(int argc, char** argv);

}  // namespace vantreel
