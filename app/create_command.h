#pragma once
// The c1..c4 commands: 30 new puzzles of one size into a new, dated file.

namespace vantreel {

// Exit status: 0, 1 when the output file cannot be created or written,
// 2 when VANTREEL_SEED is not a seed.
int runCreate(int sizeIndex);

}  // namespace vantreel
