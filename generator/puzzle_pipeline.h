#pragma once
// One puzzle: attempts with fresh layouts until one is solved and graded.
#include "format/board.h"
#include "generator/generator_context.h"
#include "generator/random_source.h"

namespace vantreel {

// Fills `board` (size border included) with an accepted, graded puzzle.
// Returns the number of attempts it took; there is no limit on them.
int makePuzzle(RandomSource& random, int width, int height, Board& board);

// The clue stages of one attempt on an extracted layout; false abandons it.
[[nodiscard]] bool assignClues(GeneratorContext& context);

}  // namespace vantreel
