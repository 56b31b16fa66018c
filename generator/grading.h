#pragma once
// The finished grid as a puzzle, re-solved from its clues and graded 1..5.
#include "format/board.h"
#include "generator/generator_context.h"
#include "solver/level.h"

namespace vantreel {

// Writes the layout and the clue sums into `board` (its arrays sized by the
// caller), solves it from the clues alone and sets its level. False when the
// solver cannot finish it; the level is then left as it was.
[[nodiscard]] bool gradePuzzle(const GeneratorContext& context, Board& board);

}  // namespace vantreel
