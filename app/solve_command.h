#pragma once
// The s and d commands: solve every puzzle line of a file and report each.

namespace vantreel {

// Exit status of a solve run.
enum SolveStatus : int { kSolveOk = 0, kSolveInputError = 1 };

// statsMode false: picture and verdict per puzzle; true: counters or "failed.".
int runSolve(const char* fileName, bool statsMode);

}  // namespace vantreel
