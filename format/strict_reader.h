#pragma once
// The strict reading of puzzle lines and links: everything the lenient reader
// lets through (stray bytes, missing sums, runs that are no puzzle) is named.
#include <string>
#include <string_view>

#include "format/board.h"

namespace vantreel {

// Reads one puzzle line or puzz.link link (without its line end: LF or CR LF already removed)
// strictly. True with the board filled; false with `reason` saying what is wrong, in words
// for a person (no line number, no trailing period), e.g. "line ends inside the clues".
// Spaces, tabs and carriage returns after the last clue are allowed; nothing else is.
[[nodiscard]] bool readStrict(std::string_view line, Board& board, std::string& reason);

// True for a line that is skipped: blank, or starting with '#'.
bool isSkippedLine(std::string_view line);

}  // namespace vantreel
