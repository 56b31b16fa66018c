#pragma once
// The console picture of a solver grid: one double-width glyph per cell.
#include "solver/solver_grid.h"

namespace vantreel {

// Glyphs as Shift-JIS bytes; on a terminal the same glyphs in UTF-8.
void displayGrid(const SolverGrid& grid);

}  // namespace vantreel
