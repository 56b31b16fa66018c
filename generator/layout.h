#pragma once
// A layout of block and white cells inside the border, as a user draws it or
// the layout drawer makes it, and the checks it must pass to carry a puzzle.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/board.h"
#include "format/run_list.h"

namespace vantreel {

struct Layout {
  int columns = 0;  // interior, border excluded
  int rows = 0;
  std::vector<std::uint8_t> white;  // columns * rows, row-major, 1 white

  bool isWhite(int row, int column) const { return white[row * columns + column] != 0; }
};

// What keeps a layout from carrying a puzzle, at interior row and column
// counted from 1; `reason` empty when nothing does.
struct LayoutFault {
  int row = 0;
  int column = 0;
  std::string reason;
  explicit operator bool() const { return !reason.empty(); }
};

// A white line of more than nine cells, a white cell alone both ways, white
// cells in more than one group, or no white cell at all. A cell alone one way
// only is allowed: its clue in that direction is its digit.
LayoutFault checkLayout(const Layout& layout);

// A picture (`#` block, `.` white, one row a line, rows of equal length,
// trailing blanks and CR ignored, blank lines only at the end) or a puzzle
// line or link, whose sums are ignored. False with `reason` for a person.
[[nodiscard]] bool readLayout(std::string_view text, Layout& layout, std::string& reason);

// The layout of a board's white cells.
Layout layoutOf(const Board& board);

}  // namespace vantreel
