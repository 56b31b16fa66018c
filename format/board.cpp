#include "format/board.h"

namespace vantreel {

void Board::allocate(int newWidth, int newHeight) {
  kinds.reset();
  sums.reset();
  width = static_cast<std::int8_t>(newWidth);
  height = static_cast<std::int8_t>(newHeight);
  const int cells = newWidth * newHeight;
  kinds = std::make_unique<CellKind[]>(cells);
  sums = std::make_unique<std::uint8_t[]>(2 * cells);
}

}  // namespace vantreel
