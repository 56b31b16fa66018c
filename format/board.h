#pragma once
// A puzzle in memory: cell kinds and clue sums of a grid whose row 0 and
// column 0 are the border.
#include <cstdint>
#include <memory>

namespace vantreel {

enum class CellKind : std::uint8_t { Block = 0, Clue = 1, White = 2 };

// Interior columns and rows that a puzzle line may declare.
inline constexpr int kMaxInterior = 126;

struct Board {
  std::int8_t width = 0;   // columns, border included
  std::int8_t height = 0;  // rows, border included
  std::int8_t level = 0;   // difficulty 1..5, carried along only
  std::unique_ptr<CellKind[]> kinds;     // width * height, row-major
  std::unique_ptr<std::uint8_t[]> sums;  // across at 2p, down at 2p + 1

  int cellCount() const { return width * height; }
  // Replaces both arrays by fresh ones: all cells Block, all sums 0.
  void allocate(int newWidth, int newHeight);
};

}  // namespace vantreel
