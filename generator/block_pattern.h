#pragma once
// Random symmetric layouts of block and white cells.
#include <cstdint>
#include <memory>

#include "generator/random_source.h"

namespace vantreel {

// Longest side a pattern can have: the repairs keep a source line in 64 bits.
inline constexpr int kMaxPatternSide = 64;

// Cell values: 0 block, 1 white, 2 white and reached by the connectivity fill.
// Row 0 and column 0 are the border and stay blocks.
struct BlockPattern {
  RandomSource* random = nullptr;  // shared, not owned
  std::unique_ptr<std::uint8_t[]> cells;  // width * height, row-major
  int width = 0;   // border column included
  int height = 0;  // border row included

  // Cell array for the size (sides up to kMaxPatternSide); contents left
  // unset until generate.
  void allocate(RandomSource& source, int newWidth, int newHeight);
  std::uint8_t& at(int x, int y) { return cells[y * width + x]; }
  std::uint8_t at(int x, int y) const { return cells[y * width + x]; }
};

// Bounds of the source area (columns 1 .. X-1, rows 1 .. Y-1) that the random
// steps draw; the rest of the board is its rotated image.
int sourceColumnBound(const BlockPattern& pattern);
int sourceRowBound(const BlockPattern& pattern);

// A new layout; false when the repairs did not settle or the check failed.
[[nodiscard]] bool generate(BlockPattern& pattern);

// Steps of generate, in the order it takes them.
void drawRowSegments(BlockPattern& pattern, int columnBound, int rowBound);
void breakBlockStretches(BlockPattern& pattern, int columnBound, int rowBound);
// False when six repair cycles in a row all changed something.
[[nodiscard]] bool repairRuns(BlockPattern& pattern, int columnBound, int rowBound);
void completeSymmetry(BlockPattern& pattern, int columnBound, int rowBound);

// Runs of length 1, over 9, or over 4 and touching the bound, in the source area.
int countBadRuns(const BlockPattern& pattern, int columnBound, int rowBound);
// True when the repair changed any cell.
bool repairRows(BlockPattern& pattern, int columnBound, int rowBound);
bool repairColumns(BlockPattern& pattern, int columnBound, int rowBound);

// Runs of 2..9 cells everywhere and connected white cells; marks reached cells 2.
[[nodiscard]] bool isValidPattern(BlockPattern& pattern);
// Marks every white (1) cell 4-connected to (x, y) with 2.
void fillConnected(BlockPattern& pattern, int x, int y);

}  // namespace vantreel
