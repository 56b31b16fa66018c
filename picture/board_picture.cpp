#include "picture/board_picture.h"

namespace vantreel {
namespace {

// 0: plain block, 1: block beside a white cell, 2: open cell, 2 + d: digit d.
constexpr const char* kShiftJisGlyphs[12] = {
    "\x81\xA0", "\x81\x5F", "\x81\x40", "\x82\x50", "\x82\x51", "\x82\x52",
    "\x82\x53", "\x82\x54", "\x82\x55", "\x82\x56", "\x82\x57", "\x82\x58"};
constexpr const char* kUtf8Glyphs[12] = {
    "\u25A1", "\uFF3C", "\u3000", "\uFF11", "\uFF12", "\uFF13",
    "\uFF14", "\uFF15", "\uFF16", "\uFF17", "\uFF18", "\uFF19"};

int glyphOf(const SolverGrid& grid, int row, int column) {
  const int width = grid.width;
  const int p = row * width + column;
  const CandidateMask mask = grid.masks[p];
  if (mask == kBlockMask) {
    // Any non-block neighbour counts as white, an emptied cell included.
    const bool whiteBelow = row + 1 < grid.height && grid.masks[p + width] != kBlockMask;
    const bool whiteRight = column + 1 < width && grid.masks[p + 1] != kBlockMask;
    return whiteBelow || whiteRight ? 1 : 0;
  }
  return DigitCountTable[mask] == 1 ? 2 + DigitSumTable[mask] : 2;
}

}  // namespace

std::string drawGrid(const SolverGrid& grid, GlyphEncoding encoding) {
  const char* const* glyphs = encoding == GlyphEncoding::Utf8 ? kUtf8Glyphs : kShiftJisGlyphs;
  std::string picture;
  for (int row = 0; row < grid.height; ++row) {
    for (int column = 0; column < grid.width; ++column) picture += glyphs[glyphOf(grid, row, column)];
    picture += '\n';
  }
  picture += '\n';
  return picture;
}

}  // namespace vantreel
