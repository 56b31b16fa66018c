#pragma once
// The console picture of a solver grid: one double-width glyph per cell.
#include <string>

#include "solver/solver_grid.h"

namespace vantreel {

// The two encodings of the same glyphs: the program's file encoding
// (Shift-JIS bytes) and what a Linux terminal shows.
enum class GlyphEncoding { ShiftJis, Utf8 };

// The picture's rows, each ending in a line feed, then one empty line.
std::string drawGrid(const SolverGrid& grid, GlyphEncoding encoding);

}  // namespace vantreel
