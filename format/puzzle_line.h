#pragma once
// The one-line puzzle format: "level/columns/rows/", cell codes, border clues.
#include <array>
#include <cstdio>

#include "format/board.h"

namespace vantreel {

// Sums 0..45 as characters; k..z (not in it) are white-streak codes.
inline constexpr char kSumAlphabet[] = "0123456789abcdefghijABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Character code 0..127 to sum; characters outside the alphabet read as 0.
inline constexpr std::array<std::uint8_t, 128> SumDecodeTable = [] {
  std::array<std::uint8_t, 128> table{};
  for (int sum = 0; sum <= 45; ++sum) table[static_cast<unsigned char>(kSumAlphabet[sum])] = sum;
  return table;
}();

// Fills the board from one line (NUL-terminated; a trailing CR LF is ignored).
// False on malformed text; a bad header leaves the board as it was. `used`,
// when given, gets the count of bytes read up to and with the last clue.
[[nodiscard]] bool parseBoard(Board& board, const char* line, std::size_t* used = nullptr);

// Appends the board's line, newline included.
void writeBoard(std::FILE* out, const Board& board);
// Appends what follows the header: cell codes and border clues, no newline.
void writeBoardBody(std::FILE* out, const Board& board);

}  // namespace vantreel
